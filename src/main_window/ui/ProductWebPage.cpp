#include "main_window/ui/ProductWebPage.h"

#include <QDesktopServices>
#include <QMessageBox>

namespace ProductWebPage {

QString address() {
    return QString::fromLatin1(Host) + QString::fromLatin1(PagePath);
}

QUrl productPageUrl() {
    return QUrl(QStringLiteral("https://") + address(), QUrl::StrictMode);
}

bool OpenProductWebPage(QWidget* owner) {
    const QUrl url = productPageUrl();
    if (!url.isValid() || url.host().isEmpty()) {
        QMessageBox::warning(owner, QObject::tr("URL Failed"), QObject::tr("Web Page not Opened"));
        return false;
    }
    if (!QDesktopServices::openUrl(url)) {
        QMessageBox::warning(owner, QObject::tr("Browser Not Found"),
                             QObject::tr("Could not find associated Browser"));
        return false;
    }
    return true;
}

} // namespace ProductWebPage
