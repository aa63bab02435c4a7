#pragma once
// The maker's product web page, opened in the user's browser from the About
// page. The host is the one configuration value of the program; the page path
// is fixed.

#include <QString>
#include <QUrl>

class QWidget;

namespace ProductWebPage {
// The maker's web host; change it here when the program is published under
// another address.
inline constexpr char Host[] = "www.quillora.example";
inline constexpr char PagePath[] = "/eduprog.html";

// The address shown on the About page (host and path, no scheme).
QString address();
QUrl productPageUrl();
// Opens the page in the user's browser. When no browser can be started, or
// the address is not a valid web address, the platform's message box says so
// and false is returned. No file is written.
bool OpenProductWebPage(QWidget* owner);
} // namespace ProductWebPage
