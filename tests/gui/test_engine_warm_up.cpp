// The question view's engine started while the Home page is shown. The engine
// starts once a run, so each case runs in a process of its own.

#include "main_window_harness.h"

#include "main_window/ui/EngineWarmUp.h"
#include "practice/ui/PracticeWindow.h"
#include "practice/ui/QuestionViewModule.h"
#include "practice/view/QuestionScheme.h"

#include <QApplication>

namespace {

// The open paper's first question loads, and loads well.
bool questionLoads(Contents* contents) {
    QSignalSpy loaded(child<QObject>(contents->practiceWindow(), "brwWebBrowser"),
                      SIGNAL(documentLoaded(bool)));
    return QTest::qWaitFor([&] { return !loaded.isEmpty(); }, 60000) &&
           loaded.first().first().toBool();
}

} // namespace

class TestEngineWarmUp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { REQUIRE_CONTENT(); }
    void warmUpThenFirstPaper();
    void paperOpenedWhileWarmingUp();

private:
    MainWindow m_main;
};

// It starts after the window has been drawn, its hidden page goes once
// loaded, and the first paper then opens on it.
void TestEngineWarmUp::warmUpThenFirstPaper() {
    EngineWarmUp::setDelay(0);
    Contents* contents = m_main.start();
    QVERIFY(contents);
    QVERIFY(!questionViewEngineStarted());
    QTRY_VERIFY_WITH_TIMEOUT(questionViewEngineStarted(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!questionViewWarmingUp(), 60000);
    QVERIFY(click(child(contents, "P1a")) && contents->practiceWindow());
    QVERIFY(questionLoads(contents));
    // The warm-up does not run again behind the paper.
    QVERIFY(!warmUpQuestionView() || !questionViewWarmingUp());
    contents->QuitProgram();
}

// A paper opened while the hidden page still loads ends the warm-up at once.
// The warm-up is started by hand so that the click comes before the event
// loop has run again and the hidden page cannot have loaded.
void TestEngineWarmUp::paperOpenedWhileWarmingUp() {
    EngineWarmUp::setDelay(-1);
    Contents* contents = m_main.start();
    QVERIFY(contents);
    QVERIFY(warmUpQuestionView());
    QVERIFY(questionViewWarmingUp());
    QVERIFY(click(child(contents, "P1a")) && contents->practiceWindow());
    QVERIFY(!questionViewWarmingUp());
    QVERIFY(questionLoads(contents));
    contents->QuitProgram();
}

int main(int argc, char** argv) {
    // Without arguments, every case runs in a child process of this program.
    if (argc == 1) {
        QCoreApplication app(argc, argv);
        int failed = 0;
        for (const char* name : {"warmUpThenFirstPaper", "paperOpenedWhileWarmingUp"}) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(name)});
            if (!child.waitForFinished(300000) || child.exitStatus() != QProcess::NormalExit ||
                child.exitCode() != 0)
                ++failed;
        }
        return failed;
    }
    registerQuestionScheme();
    QApplication app(argc, argv);
    TestEngineWarmUp test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_engine_warm_up.moc"
