#pragma once
// The About page `Body_About`: the logo `Logo`, the program's name
// `ProgramName`, the system it was built for ("For Linux"), "Version 2.0" and
// the link `lbl_QzURL` to the maker's product web page.

#include <QWidget>

class PictureCache;
class ClickLabel;
class QLabel;

class AboutPage : public QWidget {
    Q_OBJECT
public:
    AboutPage(PictureCache& pictures, const QSize& size, QWidget* parent);

    void setProgramName(const QString& name);
    void lbl_QzURL_Click();

private:
    void layoutPage();

    QLabel* m_logo = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_platform = nullptr;
    QLabel* m_version = nullptr;
    ClickLabel* m_link = nullptr;
};
