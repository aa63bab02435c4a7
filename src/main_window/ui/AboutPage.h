#pragma once
// The About page `Body_About`: the logo `Logo`, the program's name
// `ProgramName`, the system it was built for ("For Linux"), "Version 2.0" and
// the link `lbl_QzURL` to the maker's product web page. While no module
// tab is free, the button `ButModules` ("Modules…") leads to the Modules page.

#include <QWidget>

class PictureCache;
class ClickLabel;
class PictureButton;
class QLabel;

class AboutPage : public QWidget {
    Q_OBJECT
public:
    AboutPage(PictureCache& pictures, const QSize& size, QWidget* parent);

    void setProgramName(const QString& name);
    void lbl_QzURL_Click();
    void setModulesButtonShown(bool shown);

Q_SIGNALS:
    void modulesClicked();

private:
    void layoutPage();

    QLabel* m_logo = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_platform = nullptr;
    QLabel* m_version = nullptr;

    ClickLabel* m_link = nullptr;
    // Shown while no module tab is free to lead to the Modules page.
    PictureButton* m_modules = nullptr;
};
