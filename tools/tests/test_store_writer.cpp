// The store writer: its archives read back by the program's reader and its own
// checks of the rendered bank. (The store written from the sources is tested
// with the source checks.)
#include "Bank.h"
#include "MhtmlWriter.h"
#include "StoreWriter.h"
#include "practice/MhtmlArchive.h"

#include <QRegularExpression>
#include <QTest>
#include <QUrl>
#include <algorithm>

using bank::Blank;
using bank::Question;

namespace {

// The bank rendered from the shipped sources, once for all the tests.
const QList<StoreWriter::Paper>& renderedBank() {
    static const QList<StoreWriter::Paper> papers = [] {
        QStringList problems;
        QList<StoreWriter::Paper> rendered =
            StoreWriter::render(QStringLiteral(QUILLORA_CONTENT_SOURCE), &problems);
        if (!problems.isEmpty())
            qFatal("the shipped sources do not render: %s", qPrintable(problems.first()));
        return rendered;
    }();
    return papers;
}

} // namespace

class TestStoreWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The shipped bank passes the writer's checks, so each problem found below
    // comes from the change that test makes.
    void initTestCase() {
        const QStringList problems = StoreWriter::check(renderedBank());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    void quotedPrintable_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("long line wraps") << QByteArray(200, 'x') + "\n";
        QTest::newRow("escapes at the wrap") << QByteArray(73, 'x') + "=== = ==\n";
        QTest::newRow("space ending a line") << QByteArray("tail   \nnext\t\n");
        QTest::newRow("space at 75 then wrap") << QByteArray(74, 'y') + " \n";
        QTest::newRow("utf-8 pound and minus") << QStringLiteral("\u00a3 3 \u2212 1\n").toUtf8();
        QTest::newRow("crlf input") << QByteArray("one\r\ntwo\r\n");
        QTest::newRow("no final newline") << QByteArray("last line");
        QTest::newRow("empty lines kept") << QByteArray("a\n\n\nb\n");
    }

    void quotedPrintable() {
        QFETCH(QByteArray, text);
        const QByteArray encoded = MhtmlWriter::encodeQuotedPrintable(text);
        QByteArray expected = text;
        expected.replace("\r\n", "\n");
        expected.replace("\n", "\r\n");
        if (!expected.endsWith("\r\n"))
            expected += "\r\n";
        // Read back as the program reads it (which drops a line's trailing spaces).
        QCOMPARE(MhtmlArchive::decodeQuotedPrintable(encoded), expected);
        // Lines of at most 76 printable ASCII characters, each ending in CR LF.
        for (const QByteArray& line : encoded.chopped(1).split('\n')) {
            QVERIFY2(line.endsWith('\r') && line.size() <= 77, line.constData());
            for (char c : line.chopped(1))
                QVERIFY(uchar(c) >= 32 && uchar(c) < 127);
        }
    }

    void checkFindsBrokenQuestions_data() {
        QTest::addColumn<int>("paper");    // index into the bank
        QTest::addColumn<int>("question"); // index within the paper; -1 its first of parts
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("expected"); // part of the problem reported
        // Only faults that the content tool's validation of the store lets through.
        // "K:key" makes the first blank one of kind K; "key:" changes its key alone.
        const auto row = [](const char* name, int paper, int question, const char* change,
                            const char* expected) {
            QTest::newRow(name) << paper << question << QString::fromUtf8(change)
                                << QString::fromUtf8(expected);
        };
        row("fraction not in lowest terms", 40, 0, "F:2/4", "lowest terms");
        row("fraction of zero", 40, 0, "F:0/4", "lowest terms");
        row("mixed number improper part", 44, 11, "key:1 4/3", "malformed");
        row("outer spaces", 0, 1, "key: 9", "outer spaces");
        row("word key that is a number", 0, 1, "T:16", "is a number");
        row("choice out of range", 11, 17, "key:5", "not 1 to 4");
        row("choice without options", 0, 1, "Q:2", "options shown");
        row("group with empty answer", 0, 1, "M:;2;;3", "not \";a;b");
        row("page numbers itself", 0, 1, "html:<p>Question 2</p>", "numbers itself");
        row("empty page", 0, 1, "html:", "empty page");
        row("parts not labelled", 0, -1, "html:<p>Two sums.</p>", "not labelled");
        row("picture never shown", 0, 1, "extra", "never shown");
        row("picture with a path", 0, 1, "badname", "plain file name");
        row("one blank too many", 0, 1, "addblank", "planned 1");
        row("sample record changed", 0, 0, "key:8", "sample record 25016");
        row("marks over budget", 0, 2, "marks:3", "marks, allowed");
    }

    void checkFindsBrokenQuestions() {
        QFETCH(int, paper);
        QFETCH(int, question);
        QFETCH(QString, change);
        QFETCH(QString, expected);
        QList<StoreWriter::Paper> papers = renderedBank();
        QList<Question>& questions = papers[paper].questions;
        if (question < 0)
            question = int(std::find_if(questions.begin(), questions.end(),
                                        [](const Question& q) { return q.blanks.size() > 1; }) -
                           questions.begin());
        QVERIFY(question < questions.size());
        Question& q = questions[question];
        const QString what = change.section(':', 0, 0);
        const QString value = change.section(':', 1);
        if (what == QLatin1String("key")) {
            q.blanks[0].key = value;
        } else if (what.size() == 1) {
            q.blanks[0] = Blank{value, what, 1};
        } else if (what == QLatin1String("html")) {
            q.html = value;
        } else if (what == QLatin1String("addblank")) {
            q.blanks << Blank{"1", "N", 1};
        } else if (what == QLatin1String("marks")) {
            for (Question& other : papers[paper].questions) {
                for (Blank& blank : other.blanks)
                    blank.mark = value.toInt();
            }
        } else { // a picture the page never shows, or one named by a path
            const QString name = what == QLatin1String("extra") ? "spare.svg" : "../up.svg";
            q.pictures << bank::Picture{name, "image/svg+xml", "<svg/>"};
            if (what == QLatin1String("badname"))
                q.html += bank::html::Img(name, "x");
        }
        const QString problems = StoreWriter::check(papers).join('\n');
        QVERIFY2(problems.contains(expected), qPrintable(problems));
    }

    void archiveHoldsPageWorkingAndPictures() {
        // Three parts: two answer in any order (G), one has several fair
        // spellings (M) and a unit; two SVG pictures and a PNG.
        const QByteArray svgA = "<svg xmlns=\"http://www.w3.org/2000/svg\"><text>=</text></svg>\n";
        const QByteArray svgB = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"2\"/>\n";
        QByteArray png;
        for (int i = 0; i < 300; ++i)
            png += char(i * 7);
        Question q;
        q.html =
            QStringLiteral("<p>Two numbers that make 10: <b>(a)</b>&nbsp;%1 and "
                           "<b>(b)</b>&nbsp;%1.</p>\n%2\n<p><b>(c)</b> Write 47 in "
                           "words.</p>\n%3%4")
                .arg(bank::html::Box(), bank::html::Img("dots.svg", "ten dots"),
                     bank::html::Img("bag.svg", "a bag"), bank::html::Img("coin.png", "a coin"));
        q.pictures = {{"dots.svg", "image/svg+xml", svgA},
                      {"bag.svg", "image/svg+xml", svgB},
                      {"coin.png", "image/png", png}};
        q.blanks = {{";3;7", "G", 1}, {" ", "G", 1}, {";Forty-seven;Forty seven", "M", 2}};
        q.working.steps = {"3 + 7 = 10.", "4 tens are forty &amp; 7 is seven."};
        q.working.answers = bank::answersOf(q.blanks);
        q.working.units = {"", "", "cm"};
        QCOMPARE(q.working.answers, QStringList({"3", "7", "Forty-seven"}));
        QStringList problems;
        StoreWriter::checkStoredQuestion("q", q, problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));

        // Read back by the program's reader, each picture is its own part.
        const QByteArray bytes = MhtmlWriter(24001).archive(q);
        MhtmlArchive archive;
        QVERIFY2(archive.parse(bytes), qPrintable(archive.errorString()));
        QCOMPARE(archive.parts().size(), 5); // page, three pictures, working
        QCOMPARE(archive.root()->resolvedLocation.scheme(), "http");
        const QString page = archive.rootHtml().replace("\r\n", "\n");
        QVERIFY(page.contains(q.html));
        QVERIFY(!page.contains(QLatin1String("Question 1")));
        // Text travels with CR LF line ends, other pictures byte for byte.
        QList<QByteArray> expected{QByteArray(svgA).replace("\n", "\r\n"),
                                   QByteArray(svgB).replace("\n", "\r\n"), png};
        static const QRegularExpression src("src=\"([^\"]+)\"");
        for (auto it = src.globalMatch(page); it.hasNext();) {
            const QString shown = it.next().captured(1);
            const int part = archive.findPart(shown);
            QVERIFY2(part > 0 && !expected.isEmpty(), qPrintable(shown));
            QCOMPARE(archive.parts().at(part).body, expected.takeFirst());
        }
        QVERIFY(expected.isEmpty());

        const QString working = archive.workingHtml().replace("\r\n", "\n");
        static const QRegularExpression section(
            "<body>\n<section class=\"working\">\n<h2>How to work it out</h2>\n"
            "(<p class=\"step\">[^\n]*</p>\n){2}"
            "<p class=\"answer\" data-blank=\"1\">\\(a\\) [^\n]*<b class=\"key\">3</b>\\.</p>\n"
            "<p class=\"answer\" data-blank=\"2\">\\(b\\) [^\n]*<b class=\"key\">7</b>\\.</p>\n"
            "<p class=\"answer\" data-blank=\"3\">\\(c\\) [^\n]*<b "
            "class=\"key\">Forty-seven</b>&nbsp;cm\\.</p>\n"
            "</section>\n</body>");
        QVERIFY2(section.match(working).hasMatch(), qPrintable(working.right(600)));

        // Without working the archive holds the page and its pictures alone.
        Question plain = q;
        plain.working = bank::Working();
        QVERIFY(archive.parse(MhtmlWriter(24001).archive(plain)));
        QCOMPARE(archive.parts().size(), 4);
        QVERIFY(!archive.hasWorking());
        // Another question's parts live elsewhere, so a view never mixes them up.
        QVERIFY(MhtmlWriter(24001).baseUrl() != MhtmlWriter(24002).baseUrl());
    }
};

QTEST_GUILESS_MAIN(TestStoreWriter)
#include "test_store_writer.moc"
