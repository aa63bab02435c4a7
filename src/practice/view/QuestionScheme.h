#pragma once
// The program's own URL scheme through which question archives are shown.
// Chromium refuses archive parts located at file: URLs, so the view gets every
// part from memory instead: qmdoc://questions/<document>/<part>/<file name>.
// All documents share the one host, so that moving to the next question stays
// on the same site and the engine keeps its page process instead of starting
// a new one for every question.

#include <QHash>
#include <QString>
#include <QWebEngineUrlSchemeHandler>
#include <memory>

#include "practice/MhtmlArchive.h"

class QWebEngineProfile;

inline constexpr char QuestionSchemeName[] = "qmdoc";
inline constexpr char QuestionSchemeHost[] = "questions";

// Must run before the engine's first page exists; repeating it does nothing.
// This and the handler are exported (the module hides the rest) for the
// window tests, which use them in-process.
Q_DECL_EXPORT void registerQuestionScheme();

class Q_DECL_EXPORT QuestionSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    explicit QuestionSchemeHandler(QObject* parent = nullptr);

    // The handler of the profile, installed on first use and owned by it.
    static QuestionSchemeHandler* forProfile(QWebEngineProfile* profile);

    // Makes the archive's parts available; returns the URL of its root page.
    // withWorking: the root page carries the archive's worked solution under
    // the question. A title, when given, replaces the page's own (screen
    // readers name the page by it).
    QUrl addDocument(std::shared_ptr<const MhtmlArchive> archive, bool withWorking = false,
                     const QString& title = {});
    void removeDocument(const QUrl& rootUrl);
    int documentCount() const { return m_documents.size(); }

    void requestStarted(QWebEngineUrlRequestJob* job) override;

    struct Document {
        std::shared_ptr<const MhtmlArchive> archive;
        QString key;
        bool withWorking = false;
        QString title;
    };

private:
    QByteArray partBytes(const Document& doc, int index, QByteArray* mimeType) const;
    QString partUrl(const Document& doc, int index) const;

    QHash<QString, Document> m_documents;
    quint64 m_nextKey = 1;
};
