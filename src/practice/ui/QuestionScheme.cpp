#include "practice/ui/QuestionScheme.h"

#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

void RegisterQuestionScheme() {}
QuestionSchemeHandler::QuestionSchemeHandler(QObject* parent)
    : QWebEngineUrlSchemeHandler(parent) {}
QuestionSchemeHandler* QuestionSchemeHandler::forProfile(QWebEngineProfile* profile) {
    auto* h = profile->findChild<QuestionSchemeHandler*>();
    if (!h) {
        h = new QuestionSchemeHandler(profile);
        profile->installUrlSchemeHandler(QuestionSchemeName, h);
    }
    return h;
}
QUrl QuestionSchemeHandler::addDocument(std::shared_ptr<const MhtmlArchive>) {
    return {};
}
void QuestionSchemeHandler::removeDocument(const QUrl&) {}
void QuestionSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
}
QByteArray QuestionSchemeHandler::partBytes(const Document&, int, QByteArray*) const {
    return {};
}
QString QuestionSchemeHandler::rewriteReferences(const Document&, int, const QString& t) const {
    return t;
}
QString QuestionSchemeHandler::partUrl(const Document&, int) const {
    return {};
}
