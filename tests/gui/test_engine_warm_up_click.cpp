// A paper opened while the warm-up's hidden page is still loading: the view
// takes over the starting engine, the hidden page goes at once, and the
// question loads. A process of its own: the engine starts once a run.

#include "core/ResourceStore.h"
#include "main_window/Contents.h"
#include "main_window/EngineWarmUp.h"
#include "practice/ui/PracticeWindow.h"
#include "practice/ui/QuestionScheme.h"
#include "practice/ui/QuestionViewModule.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestEngineWarmUpClick : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paperOpenedWhileWarmingUp();
};

void TestEngineWarmUpClick::paperOpenedWhileWarmingUp() {
    QVERIFY2(ResourceStore().contains(30000), "the program's built-in content is missing");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The warm-up is started by hand, so that the click comes before the
    // event loop has run once more and the hidden page cannot have loaded.
    EngineWarmUp::SetDelay(-1);
    Contents contents(dir.path());
    contents.popUp().setAnswerer([](const QString&, const QString&, PopUpButtons) { return true; });
    QVERIFY(contents.Start());
    QVERIFY(!QuestionViewEngineStarted());
    QVERIFY(WarmUpQuestionView());
    QVERIFY(QuestionViewWarmingUp());

    auto* p1a = contents.findChild<QWidget*>(QStringLiteral("P1a"));
    QVERIFY(p1a);
    QTest::mouseClick(p1a, Qt::LeftButton, {}, p1a->rect().center());
    QVERIFY(!QuestionViewWarmingUp());
    PracticeWindow* window = contents.practiceWindow();
    QVERIFY(window);
    auto* view = window->findChild<QObject*>(QStringLiteral("brwWebBrowser"));
    QVERIFY(view);
    QSignalSpy loaded(view, SIGNAL(documentLoaded(bool)));
    QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), 60000);
    QCOMPARE(loaded.first().first().toBool(), true);
    contents.QuitProgram();
}

int main(int argc, char** argv) {
    // The question view's scheme must be known before the application exists.
    RegisterQuestionScheme();
    QApplication app(argc, argv);
    TestEngineWarmUpClick test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_engine_warm_up_click.moc"
