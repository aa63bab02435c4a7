// The question view's engine started while the Home page is shown. The engine
// starts once a run, so each case runs in a process of its own.

#include "core/ResourceStore.h"
#include "main_window/Contents.h"
#include "main_window/EngineWarmUp.h"
#include "practice/ui/PracticeWindow.h"
#include "practice/ui/QuestionScheme.h"
#include "practice/ui/QuestionViewModule.h"

#include <QApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool clickFirstPaper(Contents& contents) {
    auto* p1a = contents.findChild<QWidget*>(QStringLiteral("P1a"));
    if (!p1a)
        return false;
    QTest::mouseClick(p1a, Qt::LeftButton, {}, p1a->rect().center());
    return contents.practiceWindow();
}

// The open paper's first question loads, and loads well.
bool questionLoads(Contents& contents) {
    auto* view = contents.practiceWindow()->findChild<QObject*>(QStringLiteral("brwWebBrowser"));
    if (!view)
        return false;
    QSignalSpy loaded(view, SIGNAL(documentLoaded(bool)));
    return QTest::qWaitFor([&] { return !loaded.isEmpty(); }, 60000) &&
           loaded.first().first().toBool();
}

} // namespace

class TestEngineWarmUp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void warmUpThenFirstPaper();
    void paperOpenedWhileWarmingUp();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Contents> m_contents;
};

void TestEngineWarmUp::init() {
    QVERIFY2(ResourceStore().contains(30000), "the built-in content is missing from the build");
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_contents = std::make_unique<Contents>(m_dir->path());
    m_contents->popUp().setAnswerer(
        [](const QString&, const QString&, PopUpButtons) { return true; });
}

// It starts after the window has been drawn, its hidden page goes once
// loaded, and the first paper then opens on it.
void TestEngineWarmUp::warmUpThenFirstPaper() {
    EngineWarmUp::SetDelay(0);
    QVERIFY(m_contents->Start());
    QVERIFY(!QuestionViewEngineStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QuestionViewEngineStarted(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!QuestionViewWarmingUp(), 60000);
    QVERIFY(clickFirstPaper(*m_contents));
    QVERIFY(questionLoads(*m_contents));
    // The warm-up does not run again behind the paper.
    QVERIFY(!WarmUpQuestionView() || !QuestionViewWarmingUp());
    m_contents->QuitProgram();
}

// A paper opened while the hidden page still loads ends the warm-up at once.
// The warm-up is started by hand so that the click comes before the event
// loop has run again and the hidden page cannot have loaded.
void TestEngineWarmUp::paperOpenedWhileWarmingUp() {
    EngineWarmUp::SetDelay(-1);
    QVERIFY(m_contents->Start());
    QVERIFY(WarmUpQuestionView());
    QVERIFY(QuestionViewWarmingUp());
    QVERIFY(clickFirstPaper(*m_contents));
    QVERIFY(!QuestionViewWarmingUp());
    QVERIFY(questionLoads(*m_contents));
    m_contents->QuitProgram();
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
    // The question view's scheme must be known before the application exists.
    RegisterQuestionScheme();
    QApplication app(argc, argv);
    TestEngineWarmUp test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_engine_warm_up.moc"
