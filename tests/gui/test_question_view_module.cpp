// The question view reached the way the program reaches it: this test does
// not use the view's class, so its module is loaded at run time by
// createQuestionView, as in the program (which does not link it).

#include "practice/ui/QuestionDisplay.h"
#include "practice/ui/QuestionViewModule.h"

#include <QOpenGLContext>
#include <QWidget>
#include <QtTest>

#include <dlfcn.h>

namespace {

// documentLoaded's answer, or -1 when it did not come within 20 s.
int showAndWait(QuestionDisplay& view, const QString& path) {
    int result = -1;
    QObject context;
    view.onDocumentLoaded(&context, [&](bool ok) { result = ok ? 1 : 0; });
    view.showDocument(path);
    return QTest::qWaitFor([&] { return result >= 0; }, 20000) ? result : -1;
}

} // namespace

class TestQuestionViewModule : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadedWithTheFirstView();
};

void TestQuestionViewModule::loadedWithTheFirstView() {
    // Nothing of the engine before the first view is asked for.
    QVERIFY(!dlopen(QuestionViewModuleFile, RTLD_NOW | RTLD_NOLOAD));
    QVERIFY(!QOpenGLContext::globalShareContext());

    QWidget window;
    QString error;
    QuestionDisplay* view = createQuestionView(&window, &error);
    QVERIFY2(view, qPrintable(error));
    QCOMPARE(view->widget()->parent(), &window);
    QCOMPARE(view->widget()->objectName(), QStringLiteral("brwWebBrowser"));
    QVERIFY(dlopen(QuestionViewModuleFile, RTLD_NOW | RTLD_NOLOAD));
    // The engine finds the context it draws through.
    QVERIFY(QOpenGLContext::globalShareContext());

    // A second window gets a view of its own from the loaded module, which
    // shows documents one after another and reports one that is not there.
    QWidget other;
    other.resize(600, 400);
    QuestionDisplay* second = createQuestionView(&other, &error);
    QVERIFY2(second, qPrintable(error));
    QVERIFY(second != view);
    QCOMPARE(second->widget()->parent(), &other);
    second->widget()->resize(600, 400);
    other.show();
    QTemporaryDir dir;
    for (const char* id : {"25016", "25017"}) {
        const QString question = dir.filePath(QStringLiteral("temppaper%1.mht").arg(id));
        QVERIFY(QFile::copy(QStringLiteral(":/content/store/%1.mht").arg(id), question));
        QCOMPARE(showAndWait(*second, question), 1);
    }
    QCOMPARE(showAndWait(*second, dir.filePath("temppaper99999.mht")), 0);
}

QTEST_MAIN(TestQuestionViewModule)
#include "test_question_view_module.moc"
