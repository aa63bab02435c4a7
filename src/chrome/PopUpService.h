#pragma once
// The program's own message dialog (`frmPopUp`) as a service: prepare it with
// `CallPop`, show it modally over its owner, and leave the answer in the
// application state's `PopUpResponse`.

#include <QPointer>
#include <QString>
#include <functional>

class QWidget;
struct AppState;
class PictureCache;
class frmPopUp;

class PopUpService {
public:
    PopUpService(AppState& state, PictureCache& pictures);

    // Button set 1: "OK"; 2: "Yes" and "No". Returns the answer (also left in
    // AppState::PopUpResponse): true for OK/Yes, false for No.
    bool Ask(const QString& title, const QString& message, int buttons, QWidget* owner);
    // A one-button notice.
    void Tell(const QString& title, const QString& message, QWidget* owner) {
        Ask(title, message, 1, owner);
    }

    // The program is ending (a logout): the dialog open now is answered as
    // No (a notice is simply closed), and from now on every Ask returns
    // false at once without showing anything.
    void EndAll();
    bool ended() const { return m_ended; }

    // Test seam: when set, it is called instead of showing the dialog and its
    // result is the answer.
    using Answerer = std::function<bool(const QString& title, const QString& message, int buttons)>;
    void setAnswerer(Answerer answerer) { m_answerer = std::move(answerer); }
    const QString& lastTitle() const { return m_lastTitle; }
    const QString& lastMessage() const { return m_lastMessage; }
    int askCount() const { return m_askCount; }

private:
    AppState& m_state;
    PictureCache& m_pictures;
    Answerer m_answerer;
    QPointer<frmPopUp> m_open;
    bool m_ended = false;
    QString m_lastTitle;
    QString m_lastMessage;
    int m_askCount = 0;
};
