#include "practice/view/QuestionScheme.h"

#include "practice/QuestionWorking.h"

#include <QBuffer>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace {

// The page with its title set to title: the title element's text replaced,
// or one added at the start of the head (or of the page, without a head).
QString withTitle(const QString& html, const QString& title) {
    const QString element =
        QStringLiteral("<title>") + title.toHtmlEscaped() + QStringLiteral("</title>");
    static const QRegularExpression existing(QStringLiteral("<title\\b[^>]*>.*?</title\\s*>"),
                                             QRegularExpression::CaseInsensitiveOption |
                                                 QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch found = existing.match(html);
    const int headEnd = html.indexOf(QLatin1String("</head"), 0, Qt::CaseInsensitive);
    if (found.hasMatch() && (headEnd < 0 || found.capturedStart() < headEnd))
        return QString(html).replace(found.capturedStart(), found.capturedLength(), element);
    static const QRegularExpression opening(QStringLiteral("<(head|html)\\b[^>]*>"),
                                            QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatchIterator tags = opening.globalMatch(html);
    int at = 0;
    while (tags.hasNext()) {
        const QRegularExpressionMatch tag = tags.next();
        at = tag.capturedEnd();
        if (tag.captured(1).compare(QLatin1String("head"), Qt::CaseInsensitive) == 0)
            break;
    }
    return QString(html).insert(at, element);
}

QString servedName(const MhtmlPart& part, bool isRoot) {
    QString path = part.resolvedLocation.path(QUrl::FullyDecoded);
    if (path.isEmpty()) {
        path = part.location;
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    }
    QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty()) {
        name = isRoot ? QStringLiteral("page.html") : QStringLiteral("part");
    }
    return name;
}

bool isText(const QByteArray& mimeType) {
    return mimeType == "text/html" || mimeType == "application/xhtml+xml" || mimeType == "text/css";
}

} // namespace

void registerQuestionScheme() {
    if (QWebEngineUrlScheme::schemeByName(QuestionSchemeName).name() == QuestionSchemeName) {
        return;
    }
    QWebEngineUrlScheme scheme(QuestionSchemeName);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QuestionSchemeHandler::QuestionSchemeHandler(QObject* parent)
    : QWebEngineUrlSchemeHandler(parent) {}

QuestionSchemeHandler* QuestionSchemeHandler::forProfile(QWebEngineProfile* profile) {
    auto* handler =
        profile->findChild<QuestionSchemeHandler*>(QString(), Qt::FindDirectChildrenOnly);
    if (!handler) {
        handler = new QuestionSchemeHandler(profile);
        profile->installUrlSchemeHandler(QuestionSchemeName, handler);
    }
    return handler;
}

QUrl QuestionSchemeHandler::addDocument(std::shared_ptr<const MhtmlArchive> archive,
                                        bool withWorking, const QString& title) {
    if (!archive || !archive->root()) {
        return {};
    }
    const bool working = withWorking && archive->hasWorking();
    Document doc{std::move(archive), QStringLiteral("d%1").arg(m_nextKey++), working, title};
    const QUrl url(partUrl(doc, doc.archive->rootIndex()));
    m_documents.insert(doc.key, doc);
    return url;
}

void QuestionSchemeHandler::removeDocument(const QUrl& rootUrl) {
    const QString path = rootUrl.path(QUrl::FullyDecoded);
    m_documents.remove(path.section(QLatin1Char('/'), 1, 1));
}

QString QuestionSchemeHandler::partUrl(const Document& doc, int index) const {
    QUrl url;
    url.setScheme(QString::fromLatin1(QuestionSchemeName));
    url.setHost(QString::fromLatin1(QuestionSchemeHost));
    url.setPath(QLatin1Char('/') + doc.key + QLatin1Char('/') + QString::number(index) +
                    QLatin1Char('/') +
                    servedName(doc.archive->parts()[index], index == doc.archive->rootIndex()),
                QUrl::DecodedMode);
    return url.toString(QUrl::FullyEncoded);
}

// qmdoc://questions/<document>/<part>/<name>. A name other than the part's own is a
// reference the page made relative to that part (e.g. built by the browser
// from a reference we did not rewrite): it is looked up in the archive.
void QuestionSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    const QUrl url = job->requestUrl();
    const QString path = url.path(QUrl::FullyDecoded);
    const auto found = m_documents.constFind(path.section(QLatin1Char('/'), 1, 1));
    if (url.scheme() != QLatin1String(QuestionSchemeName) || found == m_documents.constEnd()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    const Document& doc = found.value();
    const MhtmlArchive& archive = *doc.archive;
    bool isIndex = false;
    int from = path.section(QLatin1Char('/'), 2, 2).toInt(&isIndex);
    QString rest = path.section(QLatin1Char('/'), 3);
    if (!isIndex || from < 0 || from >= archive.parts().size()) {
        from = archive.rootIndex();
        rest = path.section(QLatin1Char('/'), 2);
    }
    int target = -1;
    if (rest == servedName(archive.parts()[from], from == archive.rootIndex())) {
        target = from;
    } else {
        target = archive.findPart(rest, from);
    }
    if (target < 0) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    QByteArray mimeType;
    auto* buffer = new QBuffer(job);
    buffer->setData(partBytes(doc, target, &mimeType));
    buffer->open(QIODevice::ReadOnly);
    job->reply(mimeType, buffer);
}

QByteArray QuestionSchemeHandler::partBytes(const Document& doc, int index,
                                            QByteArray* mimeType) const {
    const MhtmlPart& part = doc.archive->parts()[index];
    QByteArray type = part.mimeType;
    if (type.isEmpty() || type == "application/octet-stream") {
        type = QMimeDatabase()
                   .mimeTypeForFileNameAndData(servedName(part, false), part.body)
                   .name()
                   .toLatin1();
    }
    if (isText(type)) {
        // Served as UTF-8 whatever the archive used; the byte order mark
        // outranks any charset the page itself declares.
        *mimeType = type + ";charset=utf-8";
        const auto urlOf = [&](int i) { return partUrl(doc, i); };
        QString text = doc.archive->linkedText(index, urlOf);
        if (doc.withWorking && index == doc.archive->rootIndex()) {
            // Both parts' references are already absolute, so the working's
            // pictures resolve wherever it sits.
            text = QuestionWorking::pageWithWorkingShown(
                text, doc.archive->linkedText(doc.archive->workingIndex(), urlOf));
        }
        if (index == doc.archive->rootIndex() && !doc.title.isEmpty() && type != "text/css")
            text = withTitle(text, doc.title);
        return "\xEF\xBB\xBF" + text.toUtf8();
    }
    *mimeType = type;
    return part.body;
}
