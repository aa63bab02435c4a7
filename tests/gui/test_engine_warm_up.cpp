// The question view's engine started while the Home page is shown: it
// starts after the window has been drawn, its hidden page goes once loaded,
// and the first paper then opens on it. A process of its own: the engine
// starts once a run.

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

class TestEngineWarmUp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void warmUpThenFirstPaper();
};

void TestEngineWarmUp::warmUpThenFirstPaper() {
    QVERIFY2(ResourceStore().contains(30000), "the built-in content is missing from the build");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    EngineWarmUp::SetDelay(0);
    Contents contents(dir.path());
    contents.popUp().setAnswerer([](const QString&, const QString&, PopUpButtons) { return true; });
    QVERIFY(contents.Start());
    // Nothing before the window's first frame.
    QVERIFY(!QuestionViewEngineStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QuestionViewEngineStarted(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!QuestionViewWarmingUp(), 60000);

    auto* p1a = contents.findChild<QWidget*>(QStringLiteral("P1a"));
    QVERIFY(p1a);
    QTest::mouseClick(p1a, Qt::LeftButton, {}, p1a->rect().center());
    PracticeWindow* window = contents.practiceWindow();
    QVERIFY(window);
    auto* view = window->findChild<QObject*>(QStringLiteral("brwWebBrowser"));
    QVERIFY(view);
    QSignalSpy loaded(view, SIGNAL(documentLoaded(bool)));
    QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), 60000);
    QCOMPARE(loaded.first().first().toBool(), true);
    // The warm-up does not run again behind the paper.
    QVERIFY(!WarmUpQuestionView() || !QuestionViewWarmingUp());
    contents.QuitProgram();
}

int main(int argc, char** argv) {
    // The question view's scheme must be known before the application exists.
    RegisterQuestionScheme();
    QApplication app(argc, argv);
    TestEngineWarmUp test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_engine_warm_up.moc"
