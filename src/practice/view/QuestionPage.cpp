#include "practice/view/QuestionPage.h"

#include "practice/view/QuestionScheme.h"

#include <QTimer>

QuestionPage::QuestionPage(QObject* parent) : QWebEnginePage(parent) {}

bool QuestionPage::isDocument(const QUrl& url) const {
    // A jump to an anchor of the document stays on it.
    return !m_documentUrl.isEmpty() && url.adjusted(QUrl::RemoveFragment) == m_documentUrl;
}

bool QuestionPage::isPartOfDocument(const QUrl& url) const {
    if (m_documentUrl.isEmpty() || url.scheme() != QLatin1String(QuestionSchemeName) ||
        url.host() != QLatin1String(QuestionSchemeHost))
        return false;
    // Parts of a document share its first path segment, the document's key.
    const QString key = m_documentUrl.path().section(QLatin1Char('/'), 1, 1);
    return !key.isEmpty() && url.path().section(QLatin1Char('/'), 1, 1) == key;
}

bool QuestionPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) {
    // The page itself shows only the document; a frame of it may show one of
    // the document's own parts, never anything from elsewhere.
    if (isMainFrame ? isDocument(url) : isPartOfDocument(url))
        return true;
    // Told once the engine has finished asking.
    QTimer::singleShot(0, this, [this, url] { Q_EMIT navigationRefused(url); });
    return false;
}

QWebEnginePage* QuestionPage::createWindow(WebWindowType) {
    QTimer::singleShot(0, this, [this] { Q_EMIT navigationRefused(QUrl()); });
    return nullptr;
}
