#pragma once
// The practice window of one paper: `Test1` for the first attempt, `Test2`
// for the second. Both attempts share this class.

#include <QWidget>

struct AppState;
struct AppServices;

class PracticeWindow : public QWidget {
    Q_OBJECT
public:
    PracticeWindow(AppState& state, const AppServices& services, QWidget* parent = nullptr);
    ~PracticeWindow() override;

    // Opens the paper named by the state's PaperNum/TakeNum. False when it
    // cannot be opened; the pupil has then been told why.
    bool LoadPaper();

Q_SIGNALS:
    // The window has closed and removed its question document.
    void unloaded();

private:
    AppState& m_state;
    const AppServices& m_services;
};
