// What "Read to me" says: the maths of a line in a teacher's words, the
// pieces of a question page (parts, options, boxes, pictures, fractions),
// every question document of the bank, and word processors' archives.

#include <QRegularExpression>
#include <QtTest>

#include "core/ResourceStore.h"
#include "practice/MhtmlArchive.h"
#include "practice/SpokenQuestion.h"

namespace {

QString said(const QString& body) {
    return SpokenQuestion::fromHtml(QStringLiteral("<html><head><title>T</title></head><body>") +
                                    body + QStringLiteral("</body></html>"));
}

// A fraction and an answer box as the pages set them.
QString frac(const QString& num, const QString& den) {
    return QStringLiteral("<span class=\"frac\"><span class=\"num\">%1</span><span "
                          "class=\"den\">%2</span></span>")
        .arg(num, den);
}
const QString Box = QStringLiteral("<span class=\"box\"></span>");

int count(const QString& text, const QString& pattern) {
    return int(text.count(QRegularExpression(pattern)));
}

} // namespace

class TestSpokenQuestion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The maths of a line in words, then the pieces of a page.
    void spokenText_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("spoken");
        const auto row = [](const char* name, const QString& html, const char* spoken) {
            QTest::newRow(name) << html << QString::fromUtf8(spoken);
        };
        row("pence under ten", "<p>&pound;12.05 or &pound;1.40</p>",
            "12 pounds oh 5 or 1 pound 40.");
        row("whole pounds", "<p>&pound;2 and &pound;17.00 and &pound;1</p>",
            "2 pounds and 17 pounds and 1 pound.");
        row("coins and notes", "<p>a &pound;2 coin, two &pound;5 notes, a &euro; coin</p>",
            "A 2 pound coin, two 5 pound notes, a euro coin.");
        row("fractions", "<p>3/4, 1/2, 2/5, 1/4, 1/3, 5/12, 3/20, 7/21</p>",
            "Three quarters, a half, two fifths, a quarter, one third, five twelfths, three "
            "twentieths, seven twenty-firsts.");
        row("mixed numbers", "<p>1 2/3 and 2 1/2 and 1&frac12;</p>",
            "1 and two thirds and 2 and a half and 1 and a half.");
        row("no fraction in a date", "<p>On 12/05/2024</p>", "On 12/05/2024.");
        row("a negative number", "<p>It is &minus;3 degrees.</p>", "It is minus 3 degrees.");
        row("hyphens are words", "<p>ninety-seven on a 24-hour clock</p>",
            "Ninety-seven on a 24-hour clock.");
        row("twelve-hour times", "<p>From 7.30 pm to 10.05 am, then 2.00 pm</p>",
            "From 7 30 p m to 10 oh 5 a m, then 2 p m.");
        row("24-hour times", "<p>19:15, 07:15 and 17:00</p>", "19 15, oh 7 15 and 17 hundred.");
        row("times after a word that leads into one",
            "<p>It starts at 3.00 and ends at 3.30. School is from 8.45 to 3.05.</p>",
            "It starts at 3 o'clock and ends at 3 30. School is from 8 45 to 3 oh 5.");
        row("noon", "<p>Lunch is at 12 noon or 12.00 noon.</p>", "Lunch is at 12 noon or 12 noon.");
        row("decimals", "<p>The rope is 2.5 m long; 0.75 of it is red.</p>",
            "The rope is 2 point 5 metres long; 0 point 7 5 of it is red.");
        row("units", "<p>4 cm, 1 kg, 500 g, 3 m, 6 mm, 2 km, 250 ml, 1 m</p>",
            "4 centimetres, 1 kilogram, 500 grams, 3 metres, 6 millimetres, 2 kilometres, 250 "
            "millilitres, 1 metre.");
        row("a unit after a box", "<p>Length: " + Box + " cm</p>", "Length: box centimetres.");
        row("letters are no units", "<p>I'm going, 2 go</p>", "I'm going, 2 go.");
        row("degrees", "<p>It is 21&deg;C, then 5 &deg;C.</p>",
            "It is 21 degrees, then 5 degrees.");
        row("part letters in a line", "<p>Write the numbers (a) to (c).</p>",
            "Write the numbers part a to part c.");
        row("a blank of underscores", "<p>Answer: &pound;___</p>", "Answer: box pounds.");
        // The pieces of a page.
        row("a number sentence with a box",
            "<p>Work out:</p><p class=\"sum\">12 + 9 = " + Box + "</p>",
            "Work out:\n12 plus 9 equals box.");
        row("a set fraction", "<p>Find " + frac("3", "8") + " of 16.</p>",
            "Find three eighths of 16.");
        row("a set mixed number",
            "<p>Write <span class=\"mixed\">2" + frac("1", "4") + "</span> as a fraction.</p>",
            "Write 2 and a quarter as a fraction.");
        row("a box in a fraction", "<p>" + frac("1", "3") + " = " + frac(Box, "6") + "</p>",
            "One third equals box over 6.");
        row("parts",
            "<p>Fill in the boxes.</p><table class=\"parts\"><tr><td class=\"label\">(a)</td>"
            "<td>7 &minus; 2 = " +
                Box + "</td></tr><tr><td class=\"label\">(b)</td><td>How much?<p>&pound; " + Box +
                "</p></td></tr></table>",
            "Fill in the boxes.\nPart a. 7 minus 2 equals box.\nPart b. How much?\nBox pounds.");
        const QString badge =
            QStringLiteral("<td class=\"number\"><span class=\"badge\">%1</span></td>");
        row("options",
            "<p>Which is most?</p><table class=\"options\"><tr>" + badge.arg(1) +
                "<td>20p</td></tr><tr>" + badge.arg(2) + "<td>&pound;1.50</td></tr><tr>" +
                badge.arg(3) + "<td>" + frac("1", "2") + " of &pound;4</td></tr></table>",
            "Which is most?\nOption 1: 20 p.\nOption 2: 1 pound 50.\nOption 3: a half of 4 "
            "pounds.");
        row("a picture where it stands",
            "<p>Look.</p><img src=\"a.svg\" alt=\"Price tags: Pen 35p, Cap &pound;7\"><p>How "
            "much?</p>",
            "Look.\nPrice tags: Pen 35 p, Cap 7 pounds.\nHow much?");
        row("a picture in the middle of a line",
            "<p>This <img src=\"x.png\" alt=\"A red bus\"> is full.</p>",
            "This.\nA red bus.\nIs full.");
        row("a picture without a text alternative, and a decorative one",
            "<p><img src=\"a.png\"><img src=\"b.png\" alt=\"\"></p>", "Picture.");
        row("a table of numbers",
            "<table class=\"grid\"><tr><th>Mon</th><th>Tue</th></tr><tr><td>297</td><td>245</td>"
            "</tr></table>",
            "Mon, Tue.\n297, 245.");
        row("a sum in columns",
            "<table class=\"column\"><tr><td></td><td>591</td></tr><tr><td>&minus;</td><td>208</td>"
            "</tr><tr class=\"total\"><td></td><td><span class=\"box\"></span></td></tr></table>",
            "591 take away 208 equals box.");
        row("what is not shown is not said",
            "<!-- a note --><style>p { color: red }</style><script>var a = 1;</script><p>Hi</p>",
            "Hi.");
        row("tags left open", "<p>One<p>Two<br>Three", "One.\nTwo.\nThree.");
        row("entities and spaces", "<p>&quot;Fish&quot;&nbsp;&amp;&nbsp;chips &#163;2</p>",
            "\"Fish\" & chips 2 pounds.");
        row("nothing to say", "<p> </p><div></div>", "");
        // Elements nested deeper than any page goes are read as their text.
        const QString deep = QStringLiteral("<div><span class=\"note\">").repeated(500) +
                             "7 &times; 2 = " + Box + QStringLiteral("</span></div>").repeated(500);
        row("nested deeper than any page", deep + "<p>Next</p>", "7 times 2 equals box.\nNext.");
    }
    void spokenText() {
        QFETCH(QString, html);
        QFETCH(QString, spoken);
        QCOMPARE(said(html), spoken);
    }

    // Every question of the bank, whatever its wording: nothing of the markup
    // or of the signs is left to the engine, and each part, option, box and
    // picture of the page is said.
    void everyQuestionOfTheBank() {
        const ResourceStore store;
        QList<int> ids = store.ids(); // the question documents
        ids.removeIf([](int id) { return id < 10000 || id >= 30000; });
        QVERIFY2(ids.size() > 100, qPrintable(QString::number(ids.size())));
        static const QRegularExpression leftOver(
            QStringLiteral("[<>&£€×÷−=+%°_]|\\d+p\\b|\\d+/\\d+|\\d[.:]\\d"));
        int withWorking = 0;
        for (int id : ids) {
            MhtmlArchive document;
            QVERIFY2(document.parse(store.itemBytes(id)), qPrintable(QString::number(id)));
            const QString html = document.rootHtml();
            const QString spoken = SpokenQuestion::spokenTextOf(document);
            const QString where = QStringLiteral("%1: %2").arg(id).arg(spoken);
            QVERIFY2(!spoken.isEmpty(), qPrintable(where));
            const QRegularExpressionMatch left = leftOver.match(spoken);
            QVERIFY2(!left.hasMatch(),
                     qPrintable(left.captured(0) + QStringLiteral(" in ") + where));

            // Every labelled part of a parts table starts a line; a text may
            // also label its boxes inline, "(a) [ ], (b) [ ]".
            QVERIFY2(count(spoken, QStringLiteral("(?m)^Part [a-t]\\.( |$)")) >=
                         count(html, QStringLiteral("<td class=\"label\">")),
                     qPrintable(where));
            QCOMPARE(count(spoken, QStringLiteral("(?m)^Option \\d:( |$)")),
                     count(html, QStringLiteral("<td class=\"number\">")));
            // Each answer box, and the boxes of the text ("a money box").
            const QString body = html.mid(html.indexOf(QLatin1String("<body")));
            QCOMPARE(count(spoken, QStringLiteral("\\b[Bb]ox\\b")),
                     count(body, QStringLiteral("\\b[Bb]ox\\b")));
            // A picture's words are a line of their own.
            static const QRegularExpression alt(QStringLiteral("<img [^>]*alt=\"([^\"]+)\""));
            for (auto it = alt.globalMatch(html); it.hasNext();) {
                const QString first = it.next().captured(1).section(QLatin1Char(' '), 0, 0);
                QVERIFY2(spoken.contains(QRegularExpression(QStringLiteral("(?m)^") +
                                                            QRegularExpression::escape(first))),
                         qPrintable(first + QStringLiteral(" in ") + where));
            }

            if (document.hasWorking()) {
                ++withWorking;
                const QString both = SpokenQuestion::spokenTextOf(document, true);
                QVERIFY2(both != spoken && !leftOver.match(both).hasMatch(), qPrintable(both));
            }
        }
        QVERIFY(withWorking > 0);
    }

    // Archives as word processors and browsers write them: another charset,
    // office tags, conditional comments, pictures without text alternatives.
    void documentsFromElsewhere_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("withWorking");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("word processor, times, fractions and a table")
            << "word_processor_party.mht" << false
            << QString::fromUtf8(
                   "Nia\u2019s party starts at 4 30 p m and the oven is at 180 degrees.\n"
                   "The cake weighs 2 kilograms. She cuts a half of it, then 1 and three quarters "
                   "more cakes arrive.\nA jug holding 750 millilitres of juice.\nCake.\n"
                   "4 pounds oh 5.\nJuice.\n85 p.\n20 divided by 4 equals box and 7 times 3 "
                   "equals box.\nHow much change from 10 pounds?");
        QTest::newRow("a working after its question")
            << "with_working.mht" << true
            << QStringLiteral(
                   "Ben has 4 pounds 80 and spends 1 pound 95. How much is left?\nA purse with "
                   "coins.\nAnswer: box pounds.\nHow to work it out.\nTake away in columns: 480 "
                   "take away 195.\nYou cannot take 5 from 0, so exchange 1 ten for 10 ones.\nThe "
                   "tens column with one ten crossed out & 10 ones added.\nSo the answer is 2 "
                   "point 8 5.");
    }
    void documentsFromElsewhere() {
        QFETCH(QString, file);
        QFETCH(bool, withWorking);
        QFETCH(QString, spoken);
        MhtmlArchive document;
        QVERIFY2(document.load(QStringLiteral(QUILLORA_TEST_DATA_DIR "/mhtml/") + file),
                 qPrintable(document.errorString()));
        QCOMPARE(SpokenQuestion::spokenTextOf(document, withWorking), spoken);
        if (!withWorking)
            QCOMPARE(SpokenQuestion::spokenTextOf(document, true), spoken);
    }
};

QTEST_APPLESS_MAIN(TestSpokenQuestion)
#include "test_spoken_question.moc"
