#pragma once
// The view of a question document (a web archive). The document is parsed
// here and its parts served through the program's own URL scheme, so pictures
// at any location show. A copy guard refuses copying and the context menu.
// Built into the question view module, with the web engine (QuestionViewModule.h).

#include "practice/ui/QuestionDisplay.h"

#include <QPointer>
#include <QUrl>
#include <QWebEngineView>
#include <functional>
#include <memory>

class MhtmlArchive;
class QPrinter;
class QWebEngineLoadingInfo;
class QuestionSchemeHandler;

class QuestionView : public QWebEngineView, public QuestionDisplay {
    Q_OBJECT
public:
    using MessageHook =
        std::function<void(QWidget* parent, const QString& title, const QString& text)>;
    using PrintDialogHook = std::function<bool(QPrinter* printer, QWidget* owner)>;

    explicit QuestionView(QWidget* parent = nullptr);
    ~QuestionView() override;

    QWidget* widget() override { return this; }
    // Reads the archive at mhtPath and shows it; documentLoaded follows.
    void showDocument(const QString& mhtPath) override;
    void setDocumentTitle(const QString& title) override { m_documentTitle = title; }
    // Why the last document could not be shown; empty when it was.
    const QString& documentError() const { return m_documentError; }

    // Print dialog, then the shown document to the chosen printer.
    void printWithDialog(QWidget* owner) override;
    void onDocumentLoaded(QObject* context, std::function<void(bool ok)> loaded) override;
    bool isPrinting() const { return m_printing; }

    bool hasWorking() const override;
    void setWorkingShown(bool shown) override;
    bool workingShown() const override { return m_workingShown; }

    // Seams: how the copy guard's message and the print dialog are shown.
    void setMessageHook(MessageHook hook) { m_messageHook = std::move(hook); }
    void setPrintDialogHook(PrintDialogHook hook) { m_printDialogHook = std::move(hook); }

Q_SIGNALS:
    void documentLoaded(bool ok);
    void printDone(bool ok);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void attachGuard();
    void refuse();
    void onLoadingChanged(const QWebEngineLoadingInfo& info);
    void releaseDocument();
    // Serves the current archive (with its working when that is asked for and
    // there is one) and loads it; scrolled down to the working when asked.
    void loadArchive(bool scrollToWorking);

    QuestionSchemeHandler* m_handler = nullptr;
    QUrl m_documentUrl;
    std::shared_ptr<const MhtmlArchive> m_archive;
    bool m_workingShown = false;
    QString m_documentError;
    QString m_documentTitle;
    bool m_documentFailed = false;
    QPointer<QWidget> m_guarded;
    bool m_messagePending = false;
    MessageHook m_messageHook;
    PrintDialogHook m_printDialogHook;
    std::unique_ptr<QPrinter> m_printer;
    bool m_printing = false;
};
