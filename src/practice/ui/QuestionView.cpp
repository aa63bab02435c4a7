#include "practice/ui/QuestionView.h"

#include <QPrinter>

#include "practice/ui/QuestionScheme.h"

QuestionView::QuestionView(QWidget* parent) : QWebEngineView(parent) {
    setObjectName(QStringLiteral("brwWebBrowser"));
}
QuestionView::~QuestionView() = default;
void QuestionView::showDocument(const QString&) {}
void QuestionView::printWithDialog(QWidget*) {}
bool QuestionView::event(QEvent* e) {
    return QWebEngineView::event(e);
}
bool QuestionView::eventFilter(QObject* w, QEvent* e) {
    return QWebEngineView::eventFilter(w, e);
}
void QuestionView::attachGuard() {}
void QuestionView::refuse() {}
void QuestionView::onLoadFinished(bool) {}
void QuestionView::releaseDocument() {}
