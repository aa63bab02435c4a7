#pragma once
// What the practice window asks of the view that shows a question document
// (`brwWebBrowser`). The view is built on the web engine and lives in a module
// of its own, loaded when the first paper opens (QuestionViewModule.h), so
// that the window only knows it through this interface.

#include <functional>

class QObject;
class QString;
class QWidget;

class QuestionDisplay {
public:
    virtual ~QuestionDisplay() = default;

    // The view as a widget of the window, for placing it.
    virtual QWidget* widget() = 0;
    // Reads the archive at mhtPath and shows it; the loaded callbacks follow.
    virtual void showDocument(const QString& mhtPath) = 0;
    // The name screen readers give the documents shown from now on
    // ("Question 3"); empty keeps each document's own title.
    virtual void setDocumentTitle(const QString& title) = 0;
    // Print dialog, then the shown document to the chosen printer.
    virtual void printWithDialog(QWidget* owner) = 0;
    // loaded(ok) runs each time a document has loaded (or failed to), for as
    // long as context lives.
    virtual void onDocumentLoaded(QObject* context, std::function<void(bool ok)> loaded) = 0;

    // Whether the document last asked for carries a worked solution.
    virtual bool hasWorking() const = 0;
    // Shows the worked solution under the question, or takes it away; the
    // choice holds for the documents shown after it too. Showing it again
    // scrolls down to it.
    virtual void setWorkingShown(bool shown) = 0;
    virtual bool workingShown() const = 0;
};
