#pragma once
// The page of the question view. It shows the question document it was given
// and nothing else: links, forms, redirects, dropped files and addresses, and
// pop-up windows are all refused, so a pupil cannot browse from a paper and
// nothing of a document reaches the network.

#include <QUrl>
#include <QWebEnginePage>

class QuestionPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit QuestionPage(QObject* parent = nullptr);

    // The document the page may show; its own parts may fill its frames.
    void setDocumentUrl(const QUrl& url) { m_documentUrl = url; }

Q_SIGNALS:
    // A navigation (or, with an empty address, a new window) was refused.
    void navigationRefused(const QUrl& url);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    bool isDocument(const QUrl& url) const;
    bool isPartOfDocument(const QUrl& url) const;

    QUrl m_documentUrl;
};
