// The bank generator: its archives read back by the program's reader, its own
// checks, and the keys of topics 1, 2, 3 and 9 re-derived from each page.
#include "Bank.h"
#include "MhtmlWriter.h"
#include "NumberTopicKit.h"
#include "Quantities.h"
#include "TopicKit.h"
#include "bank_questions.h"
#include "practice/MhtmlArchive.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <numeric>
#include <optional>

using bank::Blank;
using bank::Question;

namespace {

QString Plain(QString html) {
    html.replace(QStringLiteral("&minus;"), QStringLiteral("-"));
    html.replace(QStringLiteral("&times;"), QStringLiteral("x"));
    html.replace(QStringLiteral("&divide;"), QStringLiteral("/"));
    return html.replace(QStringLiteral("<span class=\"box\"></span>"), QStringLiteral("?"));
}

QList<QRegularExpressionMatch> Matches(const QRegularExpression& re, const QString& text) {
    QList<QRegularExpressionMatch> out;
    for (auto it = re.globalMatch(text); it.hasNext();)
        out << it.next();
    return out;
}

// Solves "a op b = c" for the one "?" among a, b and c.
std::optional<qint64> Solve(const QString& a, const QString& op, const QString& b,
                            const QString& c) {
    const qint64 x = a.toLongLong(), y = b.toLongLong(), z = c.toLongLong();
    const QChar o = op.at(0);
    if (c == QLatin1String("?"))
        return o == u'+' ? x + y : o == u'-' ? x - y : o == u'x' ? x * y : (y ? x / y : -1);
    if (a == QLatin1String("?"))
        return o == u'+' ? z - y : o == u'-' ? z + y : o == u'x' ? (y ? z / y : -1) : z * y;
    if (b == QLatin1String("?"))
        return o == u'+'   ? z - x
               : o == u'-' ? x - z
               : o == u'x' ? (x ? z / x : -1)
                           : (z ? x / z : -1);
    return std::nullopt;
}

// Every one-line sum with one box, in page order, solved.
QList<qint64> SolvedSums(const Question& q) {
    static const QRegularExpression sum(
        QStringLiteral("(?<![-+x/] )(?<!\\d)(\\d+|\\?) ([-+x/]) (\\d+|\\?) = (\\d+|\\?)"));
    static const QRegularExpression column(
        QStringLiteral("<table class=\"column\">\\s*<tr><td></td><td>(\\d+)</td></tr>\\s*"
                       "<tr><td>([-+])</td><td>(\\d+)</td></tr>"));
    QList<qint64> solved;
    const QString text = Plain(q.html);
    for (const auto& m : Matches(sum, text)) {
        if (const auto value = Solve(m.captured(1), m.captured(2), m.captured(3), m.captured(4)))
            solved << *value;
    }
    for (const auto& m : Matches(column, text))
        solved << *Solve(m.captured(1), m.captured(2), m.captured(3), QStringLiteral("?"));
    return solved;
}

// The numerator and denominator of each stacked fraction on the page.
QList<QPair<int, int>> Fractions(const QString& html) {
    static const QRegularExpression frac(
        QStringLiteral("<span class=\"num\">(\\d+)</span><span class=\"den\">(\\d+)</span>"));
    QList<QPair<int, int>> out;
    for (const auto& m : Matches(frac, html))
        out << qMakePair(m.captured(1).toInt(), m.captured(2).toInt());
    return out;
}

// Shaded and plain parts of a fraction picture.
QPair<int, int> ShadedParts(const QByteArray& svg) {
    return {int(svg.count("fill=\"#93c5fd\"")), int(svg.count("fill=\"#ffffff\""))};
}

// The value of an option such as "23 + 12", "6 x 4" or "46".
qint64 Evaluate(const QString& text) {
    static const QRegularExpression expr(QStringLiteral("^(\\d+) ([-+x]) (\\d+)$"));
    const auto m = expr.match(text.trimmed());
    return m.hasMatch() ? *Solve(m.captured(1), m.captured(2), m.captured(3), QStringLiteral("?"))
                        : text.trimmed().toLongLong();
}

} // namespace

class TestBankGenerator : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
        const QByteArray encoded = MhtmlWriter::QuotedPrintable(text);
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
        QTest::addColumn<int>("question"); // index within the paper
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
        row("parts not labelled", 0, 14, "html:<p>Two sums.</p>", "not labelled");
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
        QList<StoreWriter::Paper> papers = Bank();
        Question& q = papers[paper].questions[question];
        const QString what = change.section(QLatin1Char(':'), 0, 0);
        const QString value = change.section(QLatin1Char(':'), 1);
        if (what == QLatin1String("key")) {
            q.blanks[0].key = value;
        } else if (what.size() == 1) {
            q.blanks[0] = Blank{value, what, 1};
        } else if (what == QLatin1String("html")) {
            q.html = value;
        } else if (what == QLatin1String("addblank")) {
            q.blanks << Blank{QStringLiteral("1"), QStringLiteral("N"), 1};
        } else if (what == QLatin1String("marks")) {
            for (Question& other : papers[paper].questions) {
                for (Blank& blank : other.blanks)
                    blank.mark = value.toInt();
            }
        } else { // a picture the page never shows, or one named by a path
            const QString name = what == QLatin1String("extra") ? QStringLiteral("spare.svg")
                                                                : QStringLiteral("../up.svg");
            q.pictures << bank::Picture{name, QStringLiteral("image/svg+xml"), "<svg/>"};
            if (what == QLatin1String("badname"))
                q.html += bank::html::Img(name, QStringLiteral("x"));
        }
        // The unchanged bank has no problems (writeAllRemovesStaleItems).
        const QString problems = StoreWriter::Check(papers).join(QLatin1Char('\n'));
        QVERIFY2(problems.contains(expected), qPrintable(problems));
    }

    void keysMatchTheSumsOnThePage() {
        int checked = 0;
        for (const Question& q : QuestionsOf({1, 2, 3, 9})) {
            const QList<qint64> solved = SolvedSums(q);
            QStringList numbers;
            for (const Blank& b : q.blanks) {
                if (b.kind == QLatin1String("N"))
                    numbers << b.key;
            }
            if (solved.isEmpty() || solved.size() != numbers.size())
                continue;
            for (int i = 0; i < solved.size(); ++i) {
                QVERIFY2(numbers.at(i) == QString::number(solved.at(i)),
                         qPrintable(QStringLiteral("%1 but the page gives %2\n%3")
                                        .arg(numbers.at(i))
                                        .arg(solved.at(i))
                                        .arg(q.html)));
                ++checked;
            }
        }
        QVERIFY2(checked > 150, qPrintable(QString::number(checked)));

        // "Find 3/4 of 20": the key is the fraction of the amount.
        static const QRegularExpression of(QStringLiteral("</span></span> of (\\d+)"));
        int amounts = 0;
        for (const Question& q : QuestionsOf({9})) {
            const QList<QPair<int, int>> fractions = Fractions(q.html);
            const QList<QRegularExpressionMatch> wholes = Matches(of, q.html);
            if (wholes.isEmpty() || wholes.size() != q.blanks.size() ||
                fractions.size() != wholes.size() || !q.html.contains(QLatin1String("Find")))
                continue;
            for (int i = 0; i < wholes.size(); ++i) {
                const auto [n, d] = fractions.at(i);
                const int whole = wholes.at(i).captured(1).toInt();
                QCOMPARE(whole % d, 0);
                QCOMPARE(q.blanks.at(i).key, QString::number(whole / d * n));
                ++amounts;
            }
        }
        QVERIFY2(amounts > 10, qPrintable(QString::number(amounts)));
    }

    void fractionKeysMatchTheirPictures() {
        int checked = 0;
        for (const Question& q : QuestionsOf({9})) {
            static const QRegularExpression asked(
                QStringLiteral("is (<b>not</b> )?shaded\\?|that is shaded\\."));
            if (!asked.match(q.html).hasMatch())
                continue;
            const bool inverse = q.html.contains(QLatin1String("<b>not</b>"));
            const bool simplest = q.html.contains(QLatin1String("simplest form"));
            QCOMPARE(q.pictures.size(), q.blanks.size());
            for (int i = 0; i < q.blanks.size(); ++i) {
                const auto [on, off] = ShadedParts(q.pictures.at(i).data);
                QVERIFY(on > 0 && off > 0);
                const int n = inverse ? off : on;
                const int d = on + off;
                // Unless asked for the simplest form, the key is the picture's
                // fraction as it stands (the bank's checks keep keys in lowest terms).
                const int g = simplest ? std::gcd(n, d) : 1;
                QCOMPARE(q.blanks.at(i).key, QStringLiteral("%1/%2").arg(n / g).arg(d / g));
                ++checked;
            }
        }
        QVERIFY2(checked > 30, qPrintable(QString::number(checked)));
    }

    // "Is each shape cut into equal parts?": a bar answered "no" has parts of
    // different widths, one answered "yes" has all its parts alike.
    void equalPartsKeysMatchTheBars() {
        static const QRegularExpression rect(
            QStringLiteral("<rect\\b[^>]*?\\swidth=\"([0-9.]+)\""));
        int checked = 0;
        for (const Question& q : QuestionsOf({9})) {
            if (!q.html.contains(QLatin1String("cut into <b>equal</b> parts")))
                continue;
            QCOMPARE(q.pictures.size(), q.blanks.size());
            for (int i = 0; i < q.blanks.size(); ++i) {
                QList<double> widths;
                for (auto it = rect.globalMatch(QString::fromUtf8(q.pictures.at(i).data));
                     it.hasNext();)
                    widths << it.next().captured(1).toDouble();
                if (widths.size() < 2)
                    continue; // a circle
                const auto [narrow, wide] = std::minmax_element(widths.begin(), widths.end());
                QCOMPARE(q.blanks.at(i).key,
                         *wide - *narrow < 0.5 ? QStringLiteral("yes") : QStringLiteral("no"));
                ++checked;
            }
        }
        QVERIFY2(checked >= 2, qPrintable(QString::number(checked)));
    }

    void countingPicturesMatchTheirKeys() {
        int checked = 0;
        for (const Question& q : QuestionsOf({1, 2, 3, 9})) {
            for (const bank::Picture& picture : q.pictures) {
                if (picture.name == QLatin1String("array.svg")) {
                    const int dots = int(picture.data.count("<circle"));
                    for (const Blank& b : q.blanks)
                        QCOMPARE(b.key, QString::number(dots));
                    ++checked;
                } else if (picture.name == QLatin1String("tenframe.svg")) {
                    QCOMPARE(q.blanks.at(0).key,
                             QString::number(10 - int(picture.data.count("<circle"))));
                    ++checked;
                } else if (picture.name == QLatin1String("plates.svg")) {
                    const int plates = int(picture.data.count("fill=\"#fff4d6\""));
                    const int cakes = int(picture.data.count("fill=\"#e8553e\""));
                    QCOMPARE(q.blanks.at(0).key, QString::number(cakes));
                    QVERIFY(plates > 1 && cakes % plates == 0);
                    ++checked;
                }
            }
        }
        QVERIFY2(checked >= 10, qPrintable(QString::number(checked)));
    }

    void choicesHaveExactlyOneRightOption() {
        static const QRegularExpression answer(QStringLiteral("has the answer (\\d+)"));
        static const QRegularExpression same(QStringLiteral("the same as (\\d+) x (\\d+)"));
        static const QRegularExpression table(QStringLiteral("in the (\\d+) times table"));
        static const QRegularExpression placeValue(
            QStringLiteral("(?:(\\d+) thousands, )?(?:(\\d+) hundreds(?:,| and) )?(?:(\\d+) tens "
                           "and )?(\\d+) ones"));
        int checked = 0;
        for (const Question& q : QuestionsOf({1, 2, 3, 9})) {
            if (q.blanks.size() != 1 || q.blanks.at(0).kind != QLatin1String("Q"))
                continue;
            const QString text = Plain(q.html);
            static const QRegularExpression option(
                QStringLiteral("<span class=\"badge\">\\d</span></td><td>(.*?)</td>"));
            QStringList options;
            for (const auto& m : Matches(option, text))
                options << m.captured(1);
            QCOMPARE(options.size(), 4);
            const int key = q.blanks.at(0).key.toInt();
            QList<bool> right;
            if (const auto m = answer.match(text); m.hasMatch()) {
                for (const QString& o : options)
                    right << (Evaluate(o) == m.captured(1).toLongLong());
            } else if (const auto m = same.match(text); m.hasMatch()) {
                const qint64 target = m.captured(1).toLongLong() * m.captured(2).toLongLong();
                for (const QString& o : options)
                    right << (Evaluate(o) == target);
            } else if (const auto m = table.match(text); m.hasMatch()) {
                for (const QString& o : options)
                    right << (o.toInt() % m.captured(1).toInt() == 0);
            } else if (text.contains(QLatin1String("Which number is")) ||
                       text.contains(QLatin1String("Which number has"))) {
                const auto m = placeValue.match(text);
                QVERIFY(m.hasMatch());
                const qint64 target = 1000 * m.captured(1).toLongLong() +
                                      100 * m.captured(2).toLongLong() +
                                      10 * m.captured(3).toLongLong() + m.captured(4).toLongLong();
                for (const QString& o : options)
                    right << (o.toLongLong() == target);
            } else if (text.contains(QLatin1String("fraction is equal to"))) {
                const QList<QPair<int, int>> f = Fractions(q.html);
                QCOMPARE(f.size(), 5);
                for (int i = 1; i < 5; ++i)
                    right << (f.at(i).first * f.at(0).second == f.at(0).first * f.at(i).second);
            } else if (text.contains(QLatin1String("Which shape has"))) {
                static const QMap<QString, QPair<int, int>> names = {
                    {QStringLiteral("one quarter"), {1, 4}},
                    {QStringLiteral("one third"), {1, 3}},
                    {QStringLiteral("three quarters"), {3, 4}},
                    {QStringLiteral("two thirds"), {2, 3}},
                    {QStringLiteral("one fifth"), {1, 5}}};
                QPair<int, int> wanted{0, 0};
                for (auto it = names.begin(); it != names.end(); ++it)
                    wanted = text.contains(it.key()) ? it.value() : wanted;
                QVERIFY(wanted.second > 0);
                for (const bank::Picture& picture : q.pictures) {
                    const auto [on, off] = ShadedParts(picture.data);
                    right << (on * wanted.second == wanted.first * (on + off));
                }
            } else if (text.contains(QLatin1String("best estimate"))) {
                continue; // judged by rounding, not by value
            } else {
                QFAIL(qPrintable(QStringLiteral("unchecked choice: ") + text));
            }
            QCOMPARE(int(right.count(true)), 1);
            QVERIFY2(right.at(key - 1), qPrintable(text));
            ++checked;
        }
        QVERIFY2(checked >= 15, qPrintable(QString::number(checked)));
    }

    void groupsHaveExactlyOneAnswerSet() {
        static const QRegularExpression target(QStringLiteral("add up to (\\d+)|make <b>(\\d+)</b>|"
                                                              "in the (\\d+) times table"));
        static const QRegularExpression shown(QStringLiteral("<p class=\"sum\">([0-9, ]+)</p>"));
        int checked = 0;
        for (const Question& q : QuestionsOf({1, 2, 3, 9})) {
            if (q.blanks.at(0).kind != QLatin1String("G"))
                continue;
            const QStringList answers = q.blanks.at(0).key.mid(1).split(QLatin1Char(';'));
            QCOMPARE(answers.size(), q.blanks.size());
            const auto t = target.match(q.html);
            QVERIFY2(t.hasMatch(), qPrintable(q.html));
            if (!t.captured(2).isEmpty()) { // a product of two numbers above 1
                const int n = t.captured(2).toInt();
                QCOMPARE(answers.at(0).toInt() * answers.at(1).toInt(), n);
                int pairs = 0;
                for (int a = 2; a * a <= n; ++a)
                    pairs += n % a == 0 ? 1 : 0;
                QCOMPARE(pairs, 1);
                ++checked;
                continue;
            }
            QList<int> numbers;
            for (const QString& s : shown.match(q.html).captured(1).split(QStringLiteral(", ")))
                numbers << s.toInt();
            // Count the sets of the group's size that fit the question.
            int fits = 0;
            QStringList fitting;
            for (int mask = 0; mask < (1 << numbers.size()); ++mask) {
                QList<int> set;
                for (int i = 0; i < numbers.size(); ++i) {
                    if (mask & (1 << i))
                        set << numbers.at(i);
                }
                if (set.size() != answers.size())
                    continue;
                bool ok = true;
                if (!t.captured(1).isEmpty())
                    ok = std::accumulate(set.begin(), set.end(), 0) == t.captured(1).toInt();
                else
                    ok = std::all_of(set.begin(), set.end(),
                                     [&](int v) { return v % t.captured(3).toInt() == 0; });
                if (ok) {
                    ++fits;
                    std::sort(set.begin(), set.end());
                    for (int v : set)
                        fitting << QString::number(v);
                }
            }
            QCOMPARE(fits, 1);
            QCOMPARE(fitting, answers);
            ++checked;
        }
        QVERIFY2(checked >= 5, qPrintable(QString::number(checked)));
    }

    void wordAnswersAgreeWithTheirStatements() {
        static const QRegularExpression oddEven(QStringLiteral("Is (\\d+) an odd or an even"));
        static const QRegularExpression claim(
            QStringLiteral("<p class=\"sum\">(\\d+) ([-+x/]) (\\d+) = (\\d+)</p>"));
        static const QRegularExpression swapped(
            QStringLiteral("<p class=\"sum\">(\\d+) x (\\d+) = (\\d+) x (\\d+)</p>"));
        int checked = 0;
        for (const Question& q : QuestionsOf({1, 2, 3, 9})) {
            for (const Blank& b : q.blanks) {
                if (b.kind != QLatin1String("T"))
                    continue;
                const QString text = Plain(q.html);
                if (const auto m = oddEven.match(text); m.hasMatch()) {
                    QCOMPARE(b.key, m.captured(1).toInt() % 2 ? QStringLiteral("odd")
                                                              : QStringLiteral("even"));
                    ++checked;
                } else if (const auto m = claim.match(text);
                           m.hasMatch() && text.contains(QLatin1String("True or false"))) {
                    const bool holds = Solve(m.captured(1), m.captured(2), m.captured(3),
                                             QStringLiteral("?")) == m.captured(4).toLongLong();
                    QCOMPARE(b.key, holds ? QStringLiteral("true") : QStringLiteral("false"));
                    ++checked;
                } else if (const auto m = swapped.match(text); m.hasMatch()) {
                    QCOMPARE(b.key, m.captured(1) == m.captured(4) && m.captured(2) == m.captured(3)
                                        ? QStringLiteral("true")
                                        : QStringLiteral("false"));
                    ++checked;
                } else if (text.contains(QLatin1String("more or less than"))) {
                    const QList<QPair<int, int>> f = Fractions(q.html);
                    QCOMPARE(b.key, 2 * f.at(0).first > f.at(0).second ? QStringLiteral("more")
                                                                       : QStringLiteral("less"));
                    ++checked;
                }
            }
        }
        QVERIFY2(checked >= 20, qPrintable(QString::number(checked)));
    }

    void archiveHoldsPageWorkingAndPictures() {
        // Two parts with a picture of the same name each; one answers in any order
        // (G), one has several fair spellings (M), a unit and a second picture.
        const QByteArray svgA = "<svg xmlns=\"http://www.w3.org/2000/svg\"><text>=</text></svg>\n";
        const QByteArray svgB = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"2\"/>\n";
        QByteArray png(300, '\0');
        for (int i = 0; i < png.size(); ++i)
            png[i] = char(i * 7);
        Question first = bank::numkit::AnyOrder("<p>Two numbers that make 10.</p>" +
                                                    bank::html::Img("pic.svg", "ten dots"),
                                                {"3", "7"});
        first.pictures << bank::kit::SvgPicture("pic.svg", svgA);
        first = bank::kit::Explain(first, {"3 + 7 = 10."});
        Question second = bank::kit::Make(
            "<p>Write 47 in words.</p>" + bank::html::Img("pic.svg", "a bag") +
                bank::html::Img("coin.png", "a coin"),
            {bank::kit::AnyOf({"Forty-seven", "Forty seven"})},
            {bank::kit::SvgPicture("pic.svg", svgB), bank::Picture{"coin.png", "image/png", png}});
        second = bank::kit::Explain(second, {"4 tens are forty &amp; 7 is seven."}, {"cm"});
        const Question q = bank::kit::Combine("<p>Both.</p>", {first, second});
        // The keys and their units are read back from the working below.
        QVERIFY(q.working.steps.at(0).startsWith(QLatin1String("<b>(a)</b> 3 + 7")));
        QVERIFY(q.working.steps.at(1).startsWith(QLatin1String("<b>(b)</b> 4 tens")));

        // Read back by the program's reader, each part shows its own picture.
        const QByteArray bytes = MhtmlWriter(24001).archive(q);
        MhtmlArchive archive;
        QVERIFY2(archive.parse(bytes), qPrintable(archive.errorString()));
        QCOMPARE(archive.parts().size(), 5); // page, three pictures, working
        QCOMPARE(archive.root()->resolvedLocation.scheme(), QStringLiteral("http"));
        const QString page =
            archive.rootHtml().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QVERIFY(page.contains(q.html));
        QVERIFY(!page.contains(QLatin1String("Question 1")));
        static const QRegularExpression src(QStringLiteral("src=\"([^\"]+)\""));
        const QList<QRegularExpressionMatch> shown = Matches(src, page);
        // Text travels with CR LF line ends, other pictures byte for byte.
        const QList<QByteArray> expected{QByteArray(svgA).replace("\n", "\r\n"),
                                         QByteArray(svgB).replace("\n", "\r\n"), png};
        QCOMPARE(shown.size(), expected.size());
        for (int i = 0; i < shown.size(); ++i) {
            const int part = archive.findPart(shown.at(i).captured(1));
            QVERIFY2(part > 0, qPrintable(shown.at(i).captured(1)));
            QCOMPARE(archive.parts().at(part).body, expected.at(i));
        }

        const QString working =
            archive.workingHtml().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        static const QRegularExpression section(QStringLiteral(
            "<body>\n<section class=\"working\">\n<h2>How to work it out</h2>\n"
            "(<p class=\"step\">[^\n]*</p>\n){2}"
            "<p class=\"answer\" data-blank=\"1\">\\(a\\) [^\n]*<b class=\"key\">3</b>\\.</p>\n"
            "<p class=\"answer\" data-blank=\"2\">\\(b\\) [^\n]*<b class=\"key\">7</b>\\.</p>\n"
            "<p class=\"answer\" data-blank=\"3\">\\(c\\) [^\n]*<b "
            "class=\"key\">Forty-seven</b>&nbsp;cm\\.</p>\n"
            "</section>\n</body>"));
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

    void writeAllRemovesStaleItems() {
        QTemporaryDir dir;
        const QString store = dir.path();
        // A question no longer in the bank, an item of a module not shipped, a
        // file that is not the bank's, and an item to overwrite.
        for (const char* name : {"23030.mht", "30011.txt", "README.txt", "25016.mht"}) {
            QFile f(store + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        const QStringList problems = StoreWriter(store).writeAll();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.mid(0, 10).join(QLatin1Char('\n'))));
        const QStringList files = QDir(store).entryList(QDir::Files);
        QVERIFY(files.contains(QStringLiteral("README.txt")));
        QVERIFY(!files.contains(QStringLiteral("23030.mht")));
        QVERIFY(!files.contains(QStringLiteral("30011.txt")));
        QFile first(store + QStringLiteral("/25016.mht"));
        QVERIFY(first.open(QIODevice::ReadOnly));
        QCOMPARE(first.readAll(), MhtmlWriter(25016).archive(Bank().at(0).questions.at(0)));
    }

    void quantitiesFitTheirObjects() {
        // No object twice for one measure, and no empty or upside-down range.
        const QList<bank::qty::Range>& table = bank::qty::Table();
        QSet<QString> seen;
        for (const bank::qty::Range& r : table) {
            const QString id =
                QStringLiteral("%1/%2").arg(QLatin1String(r.object)).arg(int(r.measure));
            QVERIFY2(!seen.contains(id), qPrintable(id));
            seen.insert(id);
            QVERIFY2(r.lo <= r.hi && r.lo >= 0, qPrintable(id));
        }
        const auto inRange = [&](const bank::QuantityUse& use) {
            for (const bank::qty::Range& r : table) {
                if (int(r.measure) == use.measure && use.object == QLatin1String(r.object))
                    return use.value >= r.lo && use.value <= r.hi;
            }
            return false;
        };
        // The framework hands a question exactly the uses made for it.
        bank::Rng rng(7);
        bank::qty::Discard();
        bank::qty::Draw(QStringLiteral("melon"), bank::qty::Measure::Grams, rng, 100);
        Question made;
        bank::qty::Collect(made);
        QCOMPARE(made.quantities.size(), 1);
        QVERIFY(inRange(made.quantities.at(0)));
        QCOMPARE(made.quantities.at(0).value % 100, 0);
        bank::qty::Draw(QStringLiteral("melon"), bank::qty::Measure::Grams, rng);
        bank::qty::Discard();
        Question next;
        bank::qty::Collect(next);
        QVERIFY(next.quantities.isEmpty());

        // Every quantity of the whole bank, regenerated, lies in its object's range.
        for (const Question& q : QuestionsOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})) {
            for (const bank::QuantityUse& use : q.quantities)
                QVERIFY2(inRange(use), qPrintable(use.object + ": " + QString::number(use.value)));
        }
    }

    void columnMethodSaysEachDigit_data() {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("add");
        QTest::newRow("no exchange") << 43 << 25 << true;
        QTest::newRow("carry into a new column") << 87 << 65 << true;
        QTest::newRow("carry twice") << 3578 << 2646 << true;
        QTest::newRow("borrow once") << 62 << 27 << false;
        QTest::newRow("borrow across zeros") << 1000 << 357 << false;
        QTest::newRow("borrow across one zero") << 4305 << 1278 << false;
        QTest::newRow("top column emptied") << 1204 << 385 << false;
        QTest::newRow("nothing below the top columns") << 4786 << 52 << false;
        QTest::newRow("nothing to add in the top columns") << 4786 << 52 << true;
    }

    void columnMethodSaysEachDigit() {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(bool, add);
        const QStringList steps =
            add ? bank::kit::ColumnAddition(a, b) : bank::kit::ColumnSubtraction(a, b);
        const int result = add ? a + b : a - b;
        QCOMPARE(steps.last(), QStringLiteral("So %1 %2 %3 = %4.")
                                   .arg(QString::number(a), add ? "+" : "&minus;",
                                        QString::number(b), QString::number(result)));
        // Each column's sentence ends in the digit written under it: read from the
        // ones upwards they give the answer.
        static const QRegularExpression equals(QStringLiteral("= (\\d+)\\."));
        static const QRegularExpression number(QStringLiteral("\\d+"));
        qint64 rebuilt = 0, place = 1;
        for (int c = 1; c + 1 < steps.size(); ++c) {
            const QString& step = steps.at(c);
            // The number after the last "=", else the last number ("none are left": 0).
            const auto sums = Matches(equals, step), numbers = Matches(number, step);
            int value = sums.isEmpty() ? numbers.value(numbers.size() - 1).captured(0).toInt()
                                       : sums.last().captured(1).toInt();
            if (step.endsWith(QLatin1String("none are left.")))
                value = 0;
            const bool lastColumn = c + 2 == steps.size();
            QVERIFY2(lastColumn || value < 10 || add, qPrintable(step));
            rebuilt += (lastColumn ? value : value % 10) * place;
            place *= 10;
        }
        QCOMPARE(rebuilt, qint64(result));
    }
};

QTEST_GUILESS_MAIN(TestBankGenerator)
#include "test_bank_generator.moc"
