// "Read to me" on a computer with no sound output at all (no sound server, as
// on CI): the press comes back with the button disabled and the reason, and
// no speech program is left holding the next window.
//
// A program of its own: the sound library remembers the server it found, so
// this cannot share a process with the tests that start one. Without the
// engines it fails: it never skips.

#include "test_practice_window_harness.h"

#include "practice/ui/ReadAloud.h"

#include <QTextToSpeech>

namespace {

constexpr int Paper = 101;

QTextToSpeech* engineOf(PracticeWindow* w) {
    return w->reader()->findChild<QTextToSpeech*>();
}

} // namespace

class TestReadAloudSilent : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Sound and speech servers are looked for in a private runtime folder
    // where none runs, and none is started on demand.
    void initTestCase() {
        QVERIFY(m_runtime.isValid());
        const QString config = m_runtime.filePath(QStringLiteral("client.conf"));
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("autospawn = no\n") > 0);
        file.close();
        qputenv("PULSE_CLIENTCONFIG", QFile::encodeName(config));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        qputenv("PULSE_SERVER", QFile::encodeName(QStringLiteral("unix:") +
                                                  m_runtime.filePath(QStringLiteral("no-server"))));
        const QStringList engines = QTextToSpeech::availableEngines();
        QVERIFY2(engines.contains(QStringLiteral("flite")) &&
                     engines.contains(QStringLiteral("speechd")),
                 "the flite and speechd speech engines are not installed "
                 "(scripts/install-deps.sh)");
    }

    // flite finds no sound output; the engines after it would play through
    // the same, so none is tried: the press returns with reading unavailable
    // and the reason on the button, and nothing of an engine kept.
    void noEngineIsTriedAfterOneFindsNoSound() {
        PracticeHarness h;
        PracticeWindow* w = h.open(Paper);
        QVERIFY(w);
        PictureButton* read = h.button(w, "ToolBar08");
        QVERIFY(read->isEnabled());
        QTest::mouseClick(read, Qt::LeftButton);
        QVERIFY(!w->reader()->reading());
        const QString reason = w->reader()->reason();
        QVERIFY2(reason.startsWith(QStringLiteral("Reading aloud is not available: the computer "
                                                  "could not play the sound (")),
                 qPrintable(reason));
        QVERIFY(!engineOf(w));
        QVERIFY(!read->isEnabled());
        QCOMPARE(read->toolTip(), reason);

        // The next window asks again and is told the same.
        PracticeWindow* again = h.open(Paper);
        QVERIFY(again);
        QTest::keyClick(again, Qt::Key_F6);
        QCOMPARE(again->reader()->reason(), reason);
        QVERIFY(!engineOf(again));
    }

private:
    QTemporaryDir m_runtime;
};

QTEST_MAIN(TestReadAloudSilent)
#include "test_read_aloud_silent.moc"
