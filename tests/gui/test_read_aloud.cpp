// "Read to me" with the real speech engine: the button and its key read the
// question shown, a second press, a move, marking and closing stop it, and
// with no engine the button is disabled and says why.
//
// The engine plays into a sound server this test starts itself with a
// silent output, so that it speaks on a machine without a sound card (CI).
// Without the server or the engine the test fails: it never skips.

#include "test_practice_window_harness.h"

#include "practice/ui/ReadAloud.h"
#include "practice/ui/WorkingButtonArt.h"

#include <QAccessible>
#include <QTextToSpeech>

#include <csignal>
#include <sys/prctl.h>

namespace {

constexpr int Paper = 101;
constexpr int EngineWaitMs = 30000;

QString spokenName(QWidget* w) {
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(w);
    return reader ? reader->text(QAccessible::Name) : QString();
}

// Paper 101 in a window that reads with engine alone.
PracticeWindow* openWith(PracticeHarness& h, const char* engine) {
    h.services.speechEngines = {QString::fromLatin1(engine)};
    return h.open(Paper);
}

// The engine behind the window's reader, once the first reading made it.
QTextToSpeech* engineOf(PracticeWindow* w) {
    return w->reader()->findChild<QTextToSpeech*>();
}

} // namespace

class TestReadAloud : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A PulseAudio server of this test's own, in a private runtime folder,
    // whose only output is a null sink: the engine's sound goes nowhere.
    void initTestCase() {
        QVERIFY(m_runtime.isValid());
        QVERIFY(QFile::setPermissions(m_runtime.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QString server = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        QVERIFY2(!server.isEmpty(), "pulseaudio is not installed (scripts/install-deps.sh)");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        const QString socket = m_runtime.path() + QStringLiteral("/pulse/native");
        qputenv("PULSE_SERVER", QFile::encodeName(QStringLiteral("unix:") + socket));
        m_sound.setProgram(server);
        m_sound.setArguments({"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                              "--disable-shm=yes", "--load=module-null-sink sink_name=silent",
                              "--load=module-native-protocol-unix"});
        m_sound.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // The server ends with the test, however the test ends (the process
        // object kills it on a normal end).
        m_sound.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_sound.start();
        QVERIFY2(m_sound.waitForStarted(10000), qPrintable(m_sound.errorString()));
        QVERIFY2(QTest::qWaitFor([&] { return QFile::exists(socket); }, 15000),
                 "the sound server did not open its socket");
        QVERIFY2(QTextToSpeech::availableEngines().contains(QStringLiteral("flite")),
                 "the flite speech engine is not installed (scripts/install-deps.sh)");
    }

    // The real button asks the real engine, the button offering to stop
    // until the reading ends; nothing of the engine exists before the first
    // press (the engine's speaking is seen at each start below). F6 reads and F6 again stops;
    // moving to another question, marking and closing stop a reading too.
    // After the last try the working shown is read after the question.
    void readsTheQuestionThroughTheButton() {
        PracticeHarness h;
        PracticeWindow* w = openWith(h, "flite");
        QVERIFY(w);
        PictureButton* read = h.button(w, "ToolBar08");
        QVERIFY(read->isVisible());
        QVERIFY(read->isEnabled());
        QCOMPARE(read->caption()->text(), QStringLiteral("Read"));
        QCOMPARE(read->toolTip(), QStringLiteral("Read to me (F6)"));
        QVERIFY(!engineOf(w));

        QTest::mouseClick(read, Qt::LeftButton);
        QTextToSpeech* engine = engineOf(w);
        QVERIFY(engine);
        QCOMPARE(engine->engine(), QStringLiteral("flite"));
        QCOMPARE(w->reader()->voiceName(), QStringLiteral("awb")); // its British English voice
        QVERIFY(w->reader()->reading());
        QCOMPARE(read->toolTip(), QStringLiteral("Stop reading (F6)"));
        QCOMPARE(spokenName(read), QStringLiteral("Read to me"));
        const QString question = QStringLiteral("Question 1.\n");
        QVERIFY2(w->reader()->text().startsWith(question), qPrintable(w->reader()->text()));
        QVERIFY(w->reader()->text().size() > question.size());

        QVERIFY2(QTest::qWaitFor([&] { return !w->reader()->reading(); }, EngineWaitMs),
                 qPrintable(w->reader()->reason()));
        QVERIFY2(w->reader()->available(), qPrintable(w->reader()->reason()));
        QCOMPARE(read->toolTip(), QStringLiteral("Read to me (F6)"));
        QVERIFY(read->isEnabled());

        const auto startReading = [&] {
            QTest::keyClick(w, Qt::Key_F6);
            return w->reader()->reading() &&
                   QTest::qWaitFor([&] { return engineOf(w)->state() == QTextToSpeech::Speaking; },
                                   EngineWaitMs);
        };
        // At once the reading is over for the button, which offers to read
        // again; the engine ends with the sentence under way.
        const auto stopped = [&] {
            return !w->reader()->reading() &&
                   read->toolTip() == QStringLiteral("Read to me (F6)") &&
                   QTest::qWaitFor([&] { return !w->reader()->engineBusy(); }, EngineWaitMs) &&
                   engineOf(w)->state() == QTextToSpeech::Ready;
        };

        QVERIFY(startReading());
        QTest::keyClick(w, Qt::Key_F6);
        QVERIFY(stopped());
        QVERIFY(w->reader()->available());

        QVERIFY(startReading());
        w->nextQuestion();
        QCOMPARE(w->session()->paper().QSCount, 2);
        QVERIFY(stopped());
        QVERIFY(startReading());
        QVERIFY(w->reader()->text().startsWith(QStringLiteral("Question 2.\n")));

        h.answers = {false}; // the marking is not confirmed
        w->MarkPaper();
        QVERIFY(stopped());
        QVERIFY(!w->session()->isMarked());

        QVERIFY(h.markWith(w, PracticeHarness::correctAnswers(w)));
        QVERIFY(w->session()->workingMayBeShown());
        QVERIFY(h.waitForDocument(w));
        // How the working follows the question is the spoken text's own test.
        w->Working_Click();
        QVERIFY(w->workingWanted());
        QVERIFY(startReading());
        QVERIFY2(w->reader()->text().contains(QStringLiteral("How to work it out")),
                 qPrintable(w->reader()->text()));

        // Closed while it reads: the engine goes once its line is out.
        QSignalSpy engineGone(engineOf(w), &QObject::destroyed);
        h.closeWindow();
        QVERIFY(!engineGone.isEmpty() || engineGone.wait(EngineWaitMs));
    }

    // With the engine taken away the button is disabled, says why in its
    // tool tip, keeps its name, and its key does nothing; the rest of the
    // window works as before.
    void withoutAnEngine() {
        PracticeHarness h;
        PracticeWindow* w = openWith(h, "no-such-engine");
        QVERIFY(w && !w->reader()->available());
        PictureButton* read = h.button(w, "ToolBar08");
        QVERIFY(read->isVisible() && !read->isEnabled());
        QCOMPARE(read->toolTip(), w->reader()->reason());
        QVERIFY2(read->toolTip().startsWith(QStringLiteral("Reading aloud is not available: no "
                                                           "speech engine is installed")),
                 qPrintable(read->toolTip()));
        QCOMPARE(spokenName(read), QStringLiteral("Read to me"));
        QCOMPARE(read->accessibleDescription(), w->reader()->reason());
        QCOMPARE(read->shownPicture().toImage(),
                 makeReadButtonPictures(h.pictures).disabled.toImage());

        QTest::keyClick(w, Qt::Key_F6);
        QTest::mouseClick(read, Qt::LeftButton);
        QVERIFY(!w->reader()->reading());
        QVERIFY(!engineOf(w));
        QTest::keyClick(w, Qt::Key_PageDown);
        QCOMPARE(w->session()->paper().QSCount, 2);
    }

private:
    QTemporaryDir m_runtime;
    QProcess m_sound;
};

QTEST_MAIN(TestReadAloud)
#include "test_read_aloud.moc"
