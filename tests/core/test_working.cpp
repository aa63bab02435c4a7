// A question's worked solution: finding its part in the archive, putting it
// under the question's page, reading it as plain text, and when it may be
// shown at all.

#include <QFile>
#include <QtTest>

#include "practice/MhtmlArchive.h"
#include "practice/PaperSession.h"
#include "practice/QuestionWorking.h"

namespace {

QByteArray crlf(QByteArray text) {
    return text.replace("\n", "\r\n");
}

QByteArray part(const QByteArray& type, const QByteArray& location, const QByteArray& body) {
    return "--b\nContent-Type: " + type + "\nContent-Location: " + location + "\n\n" + body + "\n";
}

QByteArray archiveOf(const QByteArray& rootLocation, const QByteArray& extraParts) {
    return crlf("MIME-Version: 1.0\nContent-Type: multipart/related; boundary=\"b\"\n\n" +
                part("text/html; charset=utf-8", rootLocation, "<html><body>Q</body></html>") +
                extraParts + "--b--\n");
}

const QByteArray WorkingBody = "<html><body><section class=\"working\">W</section></body></html>";

} // namespace

class TestWorking : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findsTheWorkingPart_data() {
        QTest::addColumn<QByteArray>("rootLocation");
        QTest::addColumn<QByteArray>("extraParts");
        QTest::addColumn<int>("expected"); // part index, -1 for none

        const QByteArray root = "http://quillora.invalid/q1/question.html";
        const QByteArray picture = part("image/png", "http://quillora.invalid/q1/a.png", "png");
        QTest::newRow("after the page and its picture")
            << root
            << picture + part("text/html; charset=\"utf-8\"",
                              "http://quillora.invalid/q1/working.html", WorkingBody)
            << 2;
        QTest::newRow("relative location")
            << root << part("text/html", "working.html", WorkingBody) << 1;
        QTest::newRow("none: a page and a picture") << root << picture << -1;
        QTest::newRow("none: another page")
            << root << part("text/html", "http://quillora.invalid/q1/notes.html", WorkingBody)
            << -1;
        QTest::newRow("none: a name that only ends alike")
            << root << part("text/html", "http://quillora.invalid/q1/oldworking.html", WorkingBody)
            << -1;
        QTest::newRow("none: a picture called working.html")
            << root << part("image/png", "http://quillora.invalid/q1/working.html", "png") << -1;
        QTest::newRow("none: the page itself is called working.html")
            << QByteArray("http://quillora.invalid/q1/working.html") << picture << -1;
    }

    void findsTheWorkingPart() {
        QFETCH(QByteArray, rootLocation);
        QFETCH(QByteArray, extraParts);
        QFETCH(int, expected);
        MhtmlArchive archive;
        QVERIFY2(archive.parse(archiveOf(rootLocation, extraParts)),
                 qPrintable(archive.errorString()));
        QCOMPARE(archive.workingIndex(), expected);
        QCOMPARE(archive.workingHtml().contains(QLatin1String("class=\"working\"")), expected >= 0);
        // The page the pupil sees stays the root whatever else the archive holds.
        QCOMPARE(archive.rootHtml(), QStringLiteral("<html><body>Q</body></html>"));
    }

    void pageWithWorking() {
        const QString working = QStringLiteral(
            "<!DOCTYPE html><html><head><title>T</title><style>.step{color:red}</style></head>"
            "<body class=\"w\">\n<section class=\"working\"><p class=\"step\">S</p></section>\n"
            "</body></html>");
        // A page, and the page with "@" for the working's block.
        const QList<std::tuple<const char*, QString, QString>> rows{
            {"before the end of the body", "<html><body><p>Q</p></body></html>",
             "<html><body><p>Q</p>@</body></html>"},
            {"end tags in capitals", "<HTML><BODY>Q</BODY></HTML>", "<HTML><BODY>Q@</BODY></HTML>"},
            {"no body end tag", "<html><body>Q</html>", "<html><body>Q@</html>"},
            {"a fragment", "<p>Q</p>", "<p>Q</p>@"},
            {"the last body end tag, not one quoted earlier",
             "<body><p>&lt;/body&gt; is a tag</p><!-- </body> --></body>",
             "<body><p>&lt;/body&gt; is a tag</p><!-- </body> -->@</body>"}};
        for (const auto& [name, page, expected] : rows) {
            const QString result = QuestionWorking::pageWithWorkingShown(page, working);
            const qsizetype at = expected.indexOf(QLatin1Char('@'));
            QVERIFY2(result.startsWith(expected.left(at)) && result.endsWith(expected.mid(at + 1)),
                     name);
            const QString block = result.mid(at, result.size() - (expected.size() - 1));
            // One block with the anchor, the working's style and section, and
            // nothing of its head or body tags.
            QVERIFY2(block.contains(QStringLiteral("id=\"%1\"").arg(QuestionWorking::Anchor)),
                     qPrintable(block));
            QVERIFY2(block.contains(QLatin1String("<style>.step{color:red}</style>")), name);
            QVERIFY2(block.contains(QLatin1String(
                         "<section class=\"working\"><p class=\"step\">S</p></section>")),
                     name);
            for (const char* absent : {"<title>", "<body", "</body>", "<html", "DOCTYPE"})
                QVERIFY2(!block.contains(QLatin1String(absent), Qt::CaseInsensitive), name);
        }
    }

    void plainText() {
        // Entities decoded once.
        QCOMPARE(QuestionWorking::plainTextLines(
                     "<body><p>&#163;3 &#xA3;4 &amp;lt; &unknown; 2&nbsp;kg&#0;</p></body>"),
                 QStringList{QStringLiteral("\u00a33 \u00a34 &lt; &unknown; 2 kg&#0;")});
        // Breaks, hidden text, a picture without words.
        QCOMPARE(
            QuestionWorking::plainTextLines(
                "<head><style>p{}</style></head><body><p>One<br>Two</p><!-- no "
                "--><script>x()</script><img src='a.png'><p class=\"answer\" "
                "data-blank=\"2\">(b) The answer is <b class=\"key\">3/4</b>\n  of the "
                "cake.</p></body>"),
            (QStringList{QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("[picture]"),
                         QStringLiteral("(b) The answer is 3/4 of the cake.")}));
    }

    void shownOnlyWhenNoTryIsOpen() {
        // Attempt, marked, score; the working shown, and a second attempt
        // left open after a first attempt with that score.
        const QList<std::tuple<const char*, int, bool, QString, bool, bool>> rows{
            {"first, not marked", 1, false, "", false, true},
            {"first, not marked, an old score", 1, false, "100", false, false},
            {"first, marked 99 %", 1, true, "99", false, true},
            {"first, marked 99.1 %", 1, true, "99.1", true, false},
            {"first, marked 100 %", 1, true, "100", true, false},
            {"first, marked, score unreadable", 1, true, "x", false, true},
            {"second, not marked", 2, false, "", false, true},
            {"second, marked 40 %", 2, true, "40", true, true},
        };
        for (const auto& [name, attempt, marked, score, shown, secondAttemptOpen] : rows) {
            QVERIFY2(PaperSession::workingMayBeShown(attempt, marked, score) == shown, name);
            QVERIFY2(PaperSession::leavesSecondAttempt(score) == secondAttemptOpen, name);
        }
    }
};

QTEST_GUILESS_MAIN(TestWorking)
#include "test_working.moc"
