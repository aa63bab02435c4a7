// The question bank generator: its random source, the paper plan, the web
// archive writer, the bank checks, and the content of topics 1, 2, 3 and 9
// re-checked from what each page shows (sums, pictures, options).
#include "Bank.h"
#include "MhtmlWriter.h"
#include "NumberTopicKit.h"
#include "Quantities.h"
#include "StoreWriter.h"
#include "TopicKit.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <numeric>

using bank::Blank;
using bank::Question;

namespace {

// --- an archive reader of the test's own -------------------------------------

QByteArray DecodeQuotedPrintable(const QByteArray& text) {
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c != '=') {
            out += c;
            continue;
        }
        if (text.mid(i + 1, 2) == "\r\n") {
            i += 2; // soft line break
            continue;
        }
        out += char(text.mid(i + 1, 2).toInt(nullptr, 16));
        i += 2;
    }
    return out;
}

struct Part {
    QMap<QByteArray, QByteArray> headers; // names lower-cased, folded lines joined
    QByteArray body;                      // still encoded
    QByteArray decoded() const {
        const QByteArray encoding = headers.value("content-transfer-encoding").toLower();
        if (encoding == "quoted-printable")
            return DecodeQuotedPrintable(body);
        if (encoding == "base64")
            return QByteArray::fromBase64(body);
        return body;
    }
};

Part SplitPart(const QByteArray& text) {
    Part part;
    const qsizetype end = text.indexOf("\r\n\r\n");
    const QByteArray head = text.left(end);
    part.body = text.mid(end + 4);
    QByteArray name;
    for (const QByteArray& line : head.split('\n')) {
        const QByteArray l = line.endsWith('\r') ? line.chopped(1) : line;
        if ((l.startsWith(' ') || l.startsWith('\t')) && !name.isEmpty()) {
            part.headers[name] += ' ' + l.trimmed();
            continue;
        }
        const qsizetype colon = l.indexOf(':');
        name = l.left(colon).trimmed().toLower();
        part.headers[name] = l.mid(colon + 1).trimmed();
    }
    return part;
}

QList<Part> ParseArchive(const QByteArray& archive, QByteArray* boundaryOut = nullptr) {
    const Part top = SplitPart(archive);
    const QRegularExpression boundaryRe(QStringLiteral("boundary=\"([^\"]+)\""));
    const QByteArray boundary =
        boundaryRe.match(QString::fromLatin1(top.headers.value("content-type")))
            .captured(1)
            .toLatin1();
    if (boundaryOut)
        *boundaryOut = boundary;
    QList<Part> parts;
    const QByteArray delimiter = "\r\n--" + boundary;
    const QByteArray body = "\r\n" + top.body;
    qsizetype pos = body.indexOf(delimiter);
    while (pos >= 0) {
        const qsizetype start = pos + delimiter.size();
        if (body.mid(start, 2) == "--")
            break;
        const qsizetype next = body.indexOf(delimiter, start);
        parts << SplitPart(body.mid(start + 2, next - start - 2));
        pos = next;
    }
    return parts;
}

// --- reading the pages back --------------------------------------------------

const QString kBox = QStringLiteral("<span class=\"box\"></span>");

QString Plain(QString html) {
    html.replace(QStringLiteral("&minus;"), QStringLiteral("-"));
    html.replace(QStringLiteral("&times;"), QStringLiteral("x"));
    html.replace(QStringLiteral("&divide;"), QStringLiteral("/"));
    html.replace(kBox, QStringLiteral("?"));
    return html;
}

// Solves "a op b = c" with one "?" among a, b and c.
bool Solve(const QString& a, const QString& op, const QString& b, const QString& c, qint64* out) {
    const qint64 x = a.toLongLong(), y = b.toLongLong(), z = c.toLongLong();
    const QChar o = op.at(0);
    if (c == QLatin1String("?")) {
        *out = o == u'+' ? x + y : o == u'-' ? x - y : o == u'x' ? x * y : (y ? x / y : -1);
    } else if (a == QLatin1String("?")) {
        *out = o == u'+' ? z - y : o == u'-' ? z + y : o == u'x' ? (y ? z / y : -1) : z * y;
    } else if (b == QLatin1String("?")) {
        *out = o == u'+'   ? z - x
               : o == u'-' ? x - z
               : o == u'x' ? (x ? z / x : -1)
                           : (z ? x / z : -1);
    } else {
        return false;
    }
    return true;
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
    auto it = sum.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        qint64 value = 0;
        if (Solve(m.captured(1), m.captured(2), m.captured(3), m.captured(4), &value))
            solved << value;
    }
    auto col = column.globalMatch(text);
    while (col.hasNext()) {
        const auto m = col.next();
        qint64 value = 0;
        Solve(m.captured(1), m.captured(2), m.captured(3), QStringLiteral("?"), &value);
        solved << value;
    }
    return solved;
}

// A sum to work out, "a + b = box" or "a - b = box", as written on one line
// or in columns.
struct WrittenSum {
    qint64 a;
    QChar op;
    qint64 b;
};

QList<WrittenSum> WorkOutSums(const Question& q) {
    static const QRegularExpression line(
        QStringLiteral("<p class=\"sum\">(\\d+) ([-+x/]) (\\d+) = \\?</p>"));
    static const QRegularExpression column(
        QStringLiteral("<tr><td></td><td>(\\d+)</td></tr>\\s*<tr><td>([-+])</td><td>(\\d+)</td>"));
    QList<WrittenSum> sums;
    const QString text = Plain(q.html);
    for (const QRegularExpression* re : {&line, &column}) {
        auto it = re->globalMatch(text);
        while (it.hasNext()) {
            const auto m = it.next();
            sums << WrittenSum{m.captured(1).toLongLong(), m.captured(2).at(0),
                               m.captured(3).toLongLong()};
        }
    }
    return sums;
}

// How many columns carry (addition) or borrow (subtraction).
int Regroupings(qint64 a, qint64 b, QChar op) {
    int count = 0;
    int carry = 0;
    while (a > 0 || b > 0) {
        const int digit = op == u'+' ? int(a % 10 + b % 10 + carry) : int(a % 10 - b % 10 - carry);
        carry = op == u'+' ? (digit >= 10 ? 1 : 0) : (digit < 0 ? 1 : 0);
        count += carry;
        a /= 10;
        b /= 10;
    }
    return count;
}

// The numerator and denominator of each stacked fraction on the page.
QList<QPair<int, int>> Fractions(const QString& html) {
    static const QRegularExpression frac(
        QStringLiteral("<span class=\"num\">(\\d+)</span><span class=\"den\">(\\d+)</span>"));
    QList<QPair<int, int>> out;
    auto it = frac.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        out << qMakePair(m.captured(1).toInt(), m.captured(2).toInt());
    }
    return out;
}

// Shaded and plain parts of a fraction picture.
QPair<int, int> ShadedParts(const QByteArray& svg) {
    return {int(svg.count("fill=\"#93c5fd\"")), int(svg.count("fill=\"#ffffff\""))};
}

QString Reduced(int n, int d) {
    const int g = std::gcd(n, d);
    return QStringLiteral("%1/%2").arg(n / g).arg(d / g);
}

QStringList OptionTexts(const QString& html) {
    static const QRegularExpression option(
        QStringLiteral("<span class=\"badge\">\\d</span></td><td>(.*?)</td>"));
    QStringList out;
    auto it = option.globalMatch(html);
    while (it.hasNext())
        out << it.next().captured(1);
    return out;
}

// The value of an option such as "23 + 12", "6 x 4" or "46".
qint64 Evaluate(const QString& text) {
    static const QRegularExpression expr(QStringLiteral("^(\\d+) ([-+x]) (\\d+)$"));
    const auto m = expr.match(text.trimmed());
    if (!m.hasMatch())
        return text.trimmed().toLongLong();
    const qint64 a = m.captured(1).toLongLong(), b = m.captured(3).toLongLong();
    return m.captured(2) == QLatin1String("+")   ? a + b
           : m.captured(2) == QLatin1String("-") ? a - b
                                                 : a * b;
}

bool IsMyTopic(int topic) {
    return topic == 1 || topic == 2 || topic == 3 || topic == 9;
}

// The bank is generated once for all the tests that only read it.
const QList<StoreWriter::Paper>& Bank() {
    static const QList<StoreWriter::Paper> papers = StoreWriter::Generate();
    return papers;
}

QStringList NewProblems(const QList<StoreWriter::Paper>& papers) {
    static const QStringList baseline = StoreWriter::Check(Bank());
    QStringList problems = StoreWriter::Check(papers);
    for (const QString& known : baseline)
        problems.removeAll(known);
    return problems;
}

} // namespace

class TestBankGenerator : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void randomSourceIsSplitmix64();
    void rangeStaysInsideItsBounds();
    void planHasTheDesignedShape();
    void fixedQuestionsFitThePlan();
    void quotedPrintable_data();
    void quotedPrintable();
    void archiveResolvesPicturesAtHttpLocations();
    void checkFindsBrokenQuestions_data();
    void checkFindsBrokenQuestions();
    void idsAreUniqueAndKeepTheDesignedOnes();
    void wholeBankPassesItsChecks();
    void generationIsDeterministic();
    void keysMatchTheSumsOnThePage();
    void papersGrowHarder_data();
    void papersGrowHarder();
    void fractionKeysMatchTheirPictures();
    void equalPartsKeysMatchTheBars();
    void countingPicturesMatchTheirKeys();
    void choicesHaveExactlyOneRightOption();
    void groupsHaveExactlyOneAnswerSet();
    void wordAnswersAgreeWithTheirStatements();
    void tablesAndTemplatesAgree();
    void writeAllWritesEveryItemAndRemovesStaleOnes();
    void quantitiesFitTheirObjects();
    void workingTravelsAsItsOwnPart();
    void columnMethodSaysEachDigit_data();
    void columnMethodSaysEachDigit();
};

void TestBankGenerator::randomSourceIsSplitmix64() {
    // The published splitmix64 sequence for the seed 1234567.
    bank::Rng rng(1234567);
    const QList<quint64> expected = {6457827717110365317ULL, 3203168211198807973ULL,
                                     9817491932198370423ULL, 4593380528125082431ULL,
                                     16408922859458223821ULL};
    for (quint64 value : expected)
        QCOMPARE(quint64(rng.next()), value);
}

void TestBankGenerator::rangeStaysInsideItsBounds() {
    bank::Rng rng(42);
    QSet<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int v = rng.range(-3, 6);
        QVERIFY2(v >= -3 && v <= 6, qPrintable(QString::number(v)));
        seen.insert(v);
    }
    QCOMPARE(seen.size(), 10);
    QCOMPARE(rng.range(5, 5), 5);
    QCOMPARE(rng.range(7, 2), 7);
    int hits = 0;
    for (int i = 0; i < 4000; ++i)
        hits += rng.chance(1, 4) ? 1 : 0;
    QVERIFY2(hits > 800 && hits < 1200, qPrintable(QString::number(hits)));
    QVERIFY(!rng.chance(1, 0));
}

void TestBankGenerator::planHasTheDesignedShape() {
    const QList<bank::PaperSpec> plan = bank::BankPlan();
    QCOMPARE(plan.size(), 50);
    const QList<int> sizes8 = {5, 4, 4, 9, 8};
    const QList<int> sizes10 = {30, 30, 21, 30, 30};
    int questions = 0, single = 0, blanks = 0;
    for (int p = 0; p < plan.size(); ++p) {
        const bank::PaperSpec& paperSpec = plan.at(p);
        QCOMPARE(paperSpec.paperNum, 101 + p);
        QCOMPARE(paperSpec.topic, p / 5 + 1);
        QCOMPARE(paperSpec.paperInTopic, p % 5 + 1);
        int expected = paperSpec.topic <= 3    ? 30
                       : paperSpec.topic == 8  ? sizes8.at(p % 5)
                       : paperSpec.topic == 10 ? sizes10.at(p % 5)
                                               : 20;
        QCOMPARE(paperSpec.blankPlan.size(), expected);
        int paperBlanks = 0;
        for (int b : paperSpec.blankPlan) {
            QVERIFY(b >= 1 && b <= 10);
            paperBlanks += b;
            single += b == 1 ? 1 : 0;
        }
        QVERIFY2(paperBlanks >= 20 && paperBlanks <= 60,
                 qPrintable(QString::number(paperSpec.paperNum)));
        questions += int(paperSpec.blankPlan.size());
        blanks += paperBlanks;
    }
    QCOMPARE(questions, 1121);
    QCOMPARE(single, 1005);
    QVERIFY2(blanks >= 1390 && blanks <= 1430, qPrintable(QString::number(blanks)));
    QCOMPARE(plan.at(35).blankPlan, (QList<int>{8, 8, 4, 10, 10}));
    QCOMPARE(std::accumulate(plan.at(40).blankPlan.begin(), plan.at(40).blankPlan.end(), 0), 60);
    QCOMPARE(plan.at(45).topic, 10); // paper 146: topic 10, paper 1
    QCOMPARE(plan.at(45).paperInTopic, 1);
    QCOMPARE(plan.at(4).paperInTopic, 5); // paper 105
}

void TestBankGenerator::fixedQuestionsFitThePlan() {
    const QList<bank::PaperSpec> plan = bank::BankPlan();
    QSet<int> ids;
    for (const bank::FixedQuestion& f : bank::FixedQuestions()) {
        const bank::PaperSpec& paperSpec = plan.at(f.paperNum - 101);
        QVERIFY(f.questionNo >= 1 && f.questionNo <= paperSpec.blankPlan.size());
        QCOMPARE(paperSpec.blankPlan.at(f.questionNo - 1), int(f.keys.size()));
        QCOMPARE(f.kinds.size(), f.keys.size());
        QCOMPARE(f.marks.size(), f.keys.size());
        QCOMPARE(bank::FixedQuestionAt(f.paperNum, f.questionNo), &f);
        ids.insert(f.id);
    }
    QCOMPARE(ids, (QSet<int>{25016, 25310, 25049, 24410, 23554, 25414, 23313}));
    const bank::FixedQuestion* money = nullptr;
    for (const bank::FixedQuestion& f : bank::FixedQuestions())
        money = f.id == 25414 ? &f : money;
    QVERIFY(money && (money->paperNum - 101) / 5 + 1 == 4);
    QVERIFY(!bank::FixedQuestionAt(101, 2));
}

void TestBankGenerator::quotedPrintable_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("plain") << QByteArray("<p>7 + 5</p>\n");
    QTest::newRow("equals escaped") << QByteArray("<p class=\"sum\">a = b</p>\n");
    QTest::newRow("long line wraps") << QByteArray(200, 'x') + "\n";
    QTest::newRow("escapes at the wrap") << QByteArray(73, 'x') + "=== = ==\n";
    QTest::newRow("space ending a line") << QByteArray("tail   \nnext\t\n");
    QTest::newRow("space at 75 then wrap") << QByteArray(74, 'y') + " \n";
    QTest::newRow("utf-8 pound and minus") << QStringLiteral("\u00a3 3 \u2212 1\n").toUtf8();
    QTest::newRow("crlf input") << QByteArray("one\r\ntwo\r\n");
    QTest::newRow("no final newline") << QByteArray("last line");
    QTest::newRow("empty lines kept") << QByteArray("a\n\n\nb\n");
}

void TestBankGenerator::quotedPrintable() {
    QFETCH(QByteArray, text);
    const QByteArray encoded = MhtmlWriter::QuotedPrintable(text);
    QByteArray expected = text;
    expected.replace("\r\n", "\n");
    expected.replace("\n", "\r\n");
    if (!expected.endsWith("\r\n"))
        expected += "\r\n";
    QCOMPARE(DecodeQuotedPrintable(encoded), expected);
    QVERIFY(encoded.endsWith("\r\n"));
    for (const QByteArray& line : encoded.split('\n')) {
        if (line.isEmpty())
            continue;
        QVERIFY2(line.endsWith('\r'), "bare LF");
        const QByteArray content = line.chopped(1);
        QVERIFY2(content.size() <= 76, content.constData());
        QVERIFY2(!content.endsWith(' ') && !content.endsWith('\t'), content.constData());
        for (char c : content)
            QVERIFY(uchar(c) >= 32 && uchar(c) < 127);
    }
}

void TestBankGenerator::archiveResolvesPicturesAtHttpLocations() {
    Question q;
    q.html = QStringLiteral("<p>Look at the clock and the coin = 1.</p>\n") +
             bank::html::Img(QStringLiteral("clock.svg"), QStringLiteral("a clock")) +
             bank::html::Img(QStringLiteral("coin.png"), QStringLiteral("a coin"));
    const QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">"
                           "<text>=</text></svg>\n";
    QByteArray png(300, '\0');
    for (int i = 0; i < png.size(); ++i)
        png[i] = char(i * 7);
    q.pictures << bank::Picture{QStringLiteral("clock.svg"), QStringLiteral("image/svg+xml"), svg}
               << bank::Picture{QStringLiteral("coin.png"), QStringLiteral("image/png"), png};
    const QByteArray archive = MhtmlWriter(24001).archive(q);

    QCOMPARE(archive.count('\n'), archive.count("\r\n"));
    QByteArray boundary;
    const QList<Part> parts = ParseArchive(archive, &boundary);
    QVERIFY(!boundary.isEmpty());
    QCOMPARE(parts.size(), 3);
    QVERIFY(archive.contains("multipart/related"));
    for (const Part& part : parts)
        QVERIFY(!part.body.contains(boundary));

    const QByteArray page = parts.at(0).decoded().replace("\r\n", "\n");
    QVERIFY(parts.at(0).headers.value("content-type").startsWith("text/html"));
    QVERIFY(page.contains(q.html.toUtf8()));
    QVERIFY(!page.contains("Question 1"));
    const QUrl pageUrl(QString::fromLatin1(parts.at(0).headers.value("content-location")));
    QCOMPARE(pageUrl.scheme(), QStringLiteral("http"));

    // Every picture the page shows resolves, against the page, to a part.
    QMap<QString, QByteArray> located;
    for (int i = 1; i < parts.size(); ++i)
        located[QString::fromLatin1(parts.at(i).headers.value("content-location"))] =
            parts.at(i).decoded();
    // Text parts travel with CR LF line ends; binary parts byte for byte.
    QCOMPARE(located.value(pageUrl.resolved(QUrl(QStringLiteral("clock.svg"))).toString()),
             QByteArray(svg).replace("\n", "\r\n"));
    QCOMPARE(located.value(pageUrl.resolved(QUrl(QStringLiteral("coin.png"))).toString()), png);

    // Another question's parts live elsewhere, so a view never mixes them up.
    QVERIFY(MhtmlWriter(24001).baseUrl() != MhtmlWriter(24002).baseUrl());
}

void TestBankGenerator::checkFindsBrokenQuestions_data() {
    QTest::addColumn<int>("paper");    // index into the bank
    QTest::addColumn<int>("question"); // index within the paper
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("expected"); // part of the problem reported

    QTest::newRow("number key in words") << 0 << 1 << "key:nine"
                                         << "not a number";
    QTest::newRow("number key with a unit") << 0 << 1 << "key:9 cm"
                                            << "not a number";
    QTest::newRow("fraction not in lowest terms") << 40 << 0 << "fraction:2/4"
                                                  << "lowest terms";
    QTest::newRow("fraction of zero") << 40 << 0 << "fraction:0/4"
                                      << "lowest terms";
    QTest::newRow("mixed number without space") << 44 << 11 << "key:12/3"
                                                << "malformed";
    QTest::newRow("mixed number improper part") << 44 << 11 << "key:1 4/3"
                                                << "malformed";
    QTest::newRow("field separator in key") << 0 << 1 << "key:9>1"
                                            << "cannot carry";
    QTest::newRow("tag mark in key") << 0 << 1 << "key:#9"
                                     << "cannot carry";
    QTest::newRow("outer spaces") << 0 << 1 << "key: 9"
                                  << "outer spaces";
    QTest::newRow("unknown kind") << 0 << 1 << "kind:Z"
                                  << "unknown kind";
    QTest::newRow("mark of four") << 0 << 1 << "mark:4"
                                  << "not 1, 2 or 3";
    QTest::newRow("mark of zero") << 0 << 1 << "mark:0"
                                  << "not 1, 2 or 3";
    QTest::newRow("word key that is a number") << 0 << 1 << "word:16"
                                               << "is a number";
    QTest::newRow("choice out of range") << 11 << 17 << "key:5"
                                         << "not 1 to 4";
    QTest::newRow("choice without options") << 0 << 1 << "choice"
                                            << "options shown";
    QTest::newRow("group key without separator") << 0 << 1 << "group:2;3"
                                                 << "not \";a;b";
    QTest::newRow("group with empty answer") << 0 << 1 << "group:;2;;3"
                                             << "not \";a;b";
    QTest::newRow("follower without head") << 0 << 1 << "follower"
                                           << "without a head";
    QTest::newRow("group larger than its answers") << 0 << 14 << "biggroup"
                                                   << "only 1 answers";
    QTest::newRow("page numbers itself") << 0 << 1 << "html:<p>Question 2</p>"
                                         << "numbers itself";
    QTest::newRow("empty page") << 0 << 1 << "html:"
                                << "empty page";
    QTest::newRow("parts not labelled") << 0 << 14 << "html:<p>Two sums.</p>"
                                        << "not labelled";
    QTest::newRow("picture missing") << 0 << 1 << "img"
                                     << "no such picture";
    QTest::newRow("picture never shown") << 0 << 1 << "extra"
                                         << "never shown";
    QTest::newRow("picture with a path") << 0 << 1 << "badname"
                                         << "plain file name";
    QTest::newRow("one blank too many") << 0 << 1 << "addblank"
                                        << "planned 1";
    QTest::newRow("sample record changed") << 0 << 0 << "key:8"
                                           << "sample record 25016";
    QTest::newRow("marks over budget") << 0 << 2 << "marks:3"
                                       << "marks, allowed";
}

void TestBankGenerator::checkFindsBrokenQuestions() {
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
    } else if (what == QLatin1String("fraction")) {
        q.blanks[0] = Blank{value, QStringLiteral("F"), 1};
    } else if (what == QLatin1String("kind")) {
        q.blanks[0].kind = value;
    } else if (what == QLatin1String("mark")) {
        q.blanks[0].mark = value.toInt();
    } else if (what == QLatin1String("word")) {
        q.blanks[0] = Blank{value, QStringLiteral("T"), 1};
    } else if (what == QLatin1String("choice")) {
        q.blanks[0] = Blank{QStringLiteral("2"), QStringLiteral("Q"), 1};
    } else if (what == QLatin1String("group")) {
        q.blanks[0] = Blank{value, QStringLiteral("M"), 1};
    } else if (what == QLatin1String("follower")) {
        q.blanks[0] = Blank{QStringLiteral(" "), QStringLiteral("G"), 1};
    } else if (what == QLatin1String("biggroup")) {
        q.blanks[0] = Blank{QStringLiteral(";5"), QStringLiteral("G"), 1};
        q.blanks[1] = Blank{QStringLiteral(" "), QStringLiteral("G"), 1};
    } else if (what == QLatin1String("html")) {
        q.html = value;
    } else if (what == QLatin1String("img")) {
        q.html += bank::html::Img(QStringLiteral("gone.svg"), QStringLiteral("x"));
    } else if (what == QLatin1String("extra") || what == QLatin1String("badname")) {
        const QString name = what == QLatin1String("extra") ? QStringLiteral("spare.svg")
                                                            : QStringLiteral("../up.svg");
        q.pictures << bank::Picture{name, QStringLiteral("image/svg+xml"), "<svg/>"};
        if (what == QLatin1String("badname"))
            q.html += bank::html::Img(name, QStringLiteral("x"));
    } else if (what == QLatin1String("addblank")) {
        q.blanks << Blank{QStringLiteral("1"), QStringLiteral("N"), 1};
    } else if (what == QLatin1String("marks")) {
        for (Question& other : papers[paper].questions) {
            for (Blank& blank : other.blanks)
                blank.mark = value.toInt();
        }
    }
    const QStringList problems = NewProblems(papers);
    QVERIFY2(!problems.isEmpty(), "no problem reported");
    QVERIFY2(problems.join(QLatin1Char('\n')).contains(expected),
             qPrintable(problems.join(QLatin1Char('\n'))));
}

void TestBankGenerator::idsAreUniqueAndKeepTheDesignedOnes() {
    const QList<QList<int>> ids = StoreWriter::AssignIds(bank::BankPlan());
    QSet<int> all;
    int count = 0;
    for (const QList<int>& paper : ids) {
        for (int id : paper) {
            QVERIFY(id >= 23031 && id <= 25488);
            all.insert(id);
            ++count;
        }
    }
    QCOMPARE(count, 1121);
    QCOMPARE(all.size(), 1121);
    QCOMPARE(ids.at(0), StoreWriter::Paper101Ids());
    QCOMPARE(ids.at(35), (QList<int>{25310, 25311, 25312, 25313, 25314}));
    for (const bank::FixedQuestion& f : bank::FixedQuestions())
        QCOMPARE(ids.at(f.paperNum - 101).at(f.questionNo - 1), f.id);
}

void TestBankGenerator::wholeBankPassesItsChecks() {
    const QStringList problems = StoreWriter::Check(Bank());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.mid(0, 20).join(QLatin1Char('\n'))));
}

void TestBankGenerator::generationIsDeterministic() {
    const QList<StoreWriter::Paper> again = StoreWriter::Generate();
    QCOMPARE(again.size(), Bank().size());
    for (int p = 0; p < again.size(); ++p) {
        QCOMPARE(again.at(p).ids, Bank().at(p).ids);
        for (int q = 0; q < again.at(p).questions.size(); ++q) {
            const int id = again.at(p).ids.at(q);
            QCOMPARE(MhtmlWriter(id).archive(again.at(p).questions.at(q)),
                     MhtmlWriter(id).archive(Bank().at(p).questions.at(q)));
        }
    }
    QCOMPARE(StoreWriter::QuestionTable(again, 30023), StoreWriter::QuestionTable(Bank(), 30023));
}

void TestBankGenerator::keysMatchTheSumsOnThePage() {
    int checked = 0;
    for (const StoreWriter::Paper& paper : Bank()) {
        if (!IsMyTopic(paper.paperSpec.topic))
            continue;
        for (const Question& q : paper.questions) {
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
                         qPrintable(QStringLiteral("%1: %2 but the page gives %3\n%4")
                                        .arg(paper.paperSpec.paperNum)
                                        .arg(numbers.at(i))
                                        .arg(solved.at(i))
                                        .arg(q.html)));
                ++checked;
            }
        }
    }
    QVERIFY2(checked > 150, qPrintable(QString::number(checked)));

    // "Find 3/4 of 20": the key is the fraction of the amount.
    static const QRegularExpression of(QStringLiteral("</span></span> of (\\d+)"));
    int amounts = 0;
    for (int p = 40; p < 45; ++p) {
        for (const Question& q : Bank().at(p).questions) {
            const QList<QPair<int, int>> fractions = Fractions(q.html);
            auto it = of.globalMatch(q.html);
            QList<int> wholes;
            while (it.hasNext())
                wholes << it.next().captured(1).toInt();
            if (wholes.isEmpty() || wholes.size() != q.blanks.size() ||
                fractions.size() != wholes.size() || !q.html.contains(QLatin1String("Find")))
                continue;
            for (int i = 0; i < wholes.size(); ++i) {
                const auto [n, d] = fractions.at(i);
                QCOMPARE(wholes.at(i) % d, 0);
                QCOMPARE(q.blanks.at(i).key, QString::number(wholes.at(i) / d * n));
                ++amounts;
            }
        }
    }
    QVERIFY2(amounts > 10, qPrintable(QString::number(amounts)));
}

void TestBankGenerator::papersGrowHarder_data() {
    QTest::addColumn<int>("paper");
    QTest::addColumn<qint64>("largest"); // no number of a worked sum above this
    QTest::addColumn<int>("minRegroup"); // columns that carry or borrow, per + or - sum
    QTest::addColumn<int>("maxRegroup");
    QTest::addColumn<QList<int>>("tables"); // one factor of every product from these

    const QList<int> any;
    QTest::newRow("101 within twenty") << 101 << qint64(20) << 0 << 1 << any;
    QTest::newRow("102 within fifty, no regrouping") << 102 << qint64(50) << 0 << 0 << any;
    QTest::newRow("103 within 100, no regrouping") << 103 << qint64(99) << 0 << 0 << any;
    QTest::newRow("104 regrouping once") << 104 << qint64(99) << 1 << 1 << any;
    QTest::newRow("105 regrouping within 100") << 105 << qint64(100) << 1 << 2 << any;
    QTest::newRow("106 three digits, no regrouping") << 106 << qint64(999) << 0 << 0 << any;
    QTest::newRow("107 three digits, no regrouping") << 107 << qint64(999) << 0 << 0 << any;
    QTest::newRow("108 regrouping once") << 108 << qint64(999) << 1 << 1 << any;
    QTest::newRow("109 four digits") << 109 << qint64(9999) << 0 << 1 << any;
    QTest::newRow("110 four digits, regrouping twice or more")
        << 110 << qint64(9999) << 2 << 4 << any;
    QTest::newRow("111 tables of 2, 5 and 10")
        << 111 << qint64(100) << 0 << 9 << QList<int>{2, 5, 10};
    QTest::newRow("112 tables up to 5 and 10")
        << 112 << qint64(120) << 0 << 9 << QList<int>{2, 3, 4, 5, 10};
    QTest::newRow("113 tables of 3, 4 and 8")
        << 113 << qint64(1000) << 0 << 9 << QList<int>{2, 3, 4, 5, 8, 10};
}

void TestBankGenerator::papersGrowHarder() {
    QFETCH(int, paper);
    QFETCH(qint64, largest);
    QFETCH(int, minRegroup);
    QFETCH(int, maxRegroup);
    QFETCH(QList<int>, tables);
    int sums = 0;
    for (const Question& q : Bank().at(paper - 101).questions) {
        for (const WrittenSum& s : WorkOutSums(q)) {
            const QString where = QStringLiteral("%1 %2 %3").arg(s.a).arg(s.op).arg(s.b);
            const qint64 result = s.op == u'+'   ? s.a + s.b
                                  : s.op == u'-' ? s.a - s.b
                                  : s.op == u'x' ? s.a * s.b
                                                 : s.a / s.b;
            QVERIFY2(std::max({s.a, s.b, result}) <= largest, qPrintable(where));
            QVERIFY2(result >= 0, qPrintable(where));
            if (s.op == u'+' || s.op == u'-') {
                const int regroup = Regroupings(s.a, s.b, s.op);
                QVERIFY2(regroup >= minRegroup && regroup <= maxRegroup, qPrintable(where));
            } else if (!tables.isEmpty()) {
                // A division c / t shows the table t as its divisor.
                const bool fits = s.op == u'x'
                                      ? tables.contains(int(s.a)) || tables.contains(int(s.b))
                                      : tables.contains(int(s.b));
                QVERIFY2(fits, qPrintable(where));
            }
            ++sums;
        }
    }
    QVERIFY2(sums >= 5, qPrintable(QString::number(sums)));
}

void TestBankGenerator::fractionKeysMatchTheirPictures() {
    int checked = 0;
    for (int p = 40; p < 45; ++p) {
        for (const Question& q : Bank().at(p).questions) {
            const bool shaded =
                q.html.contains(QLatin1String("is shaded?")) ||
                q.html.contains(QLatin1String("that is shaded.")) ||
                q.html.contains(QLatin1String("is <b>not</b> shaded?")) ||
                q.html.contains(QLatin1String("is shaded? Write it in its simplest"));
            if (!shaded)
                continue;
            const bool inverse = q.html.contains(QLatin1String("<b>not</b>"));
            const bool simplest = q.html.contains(QLatin1String("simplest form"));
            QCOMPARE(q.pictures.size(), q.blanks.size());
            for (int i = 0; i < q.blanks.size(); ++i) {
                const auto [on, off] = ShadedParts(q.pictures.at(i).data);
                QVERIFY(on > 0 && off > 0);
                const int n = inverse ? off : on;
                const int d = on + off;
                const QString exact = QStringLiteral("%1/%2").arg(n).arg(d);
                QCOMPARE(q.blanks.at(i).key, Reduced(n, d));
                // Without "simplest form" the picture itself shows lowest terms.
                if (!simplest)
                    QCOMPARE(q.blanks.at(i).key, exact);
                ++checked;
            }
        }
    }
    QVERIFY2(checked > 30, qPrintable(QString::number(checked)));
}

// "Is each shape cut into equal parts?": a bar answered "no" has parts of
// different widths, one answered "yes" has all its parts alike.
void TestBankGenerator::equalPartsKeysMatchTheBars() {
    static const QRegularExpression rect(QStringLiteral("<rect\\b[^>]*?\\swidth=\"([0-9.]+)\""));
    int checked = 0;
    for (int p = 40; p < 45; ++p) {
        for (const Question& q : Bank().at(p).questions) {
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
    }
    QVERIFY2(checked >= 2, qPrintable(QString::number(checked)));
}

void TestBankGenerator::countingPicturesMatchTheirKeys() {
    int checked = 0;
    for (const StoreWriter::Paper& paper : Bank()) {
        if (!IsMyTopic(paper.paperSpec.topic))
            continue;
        for (const Question& q : paper.questions) {
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
    }
    QVERIFY2(checked >= 10, qPrintable(QString::number(checked)));
}

void TestBankGenerator::choicesHaveExactlyOneRightOption() {
    static const QRegularExpression answer(QStringLiteral("has the answer (\\d+)"));
    static const QRegularExpression same(QStringLiteral("the same as (\\d+) x (\\d+)"));
    static const QRegularExpression table(QStringLiteral("in the (\\d+) times table"));
    static const QRegularExpression placeValue(QStringLiteral(
        "(?:(\\d+) thousands, )?(?:(\\d+) hundreds(?:,| and) )?(?:(\\d+) tens and )?(\\d+) ones"));
    int checked = 0;
    for (const StoreWriter::Paper& paper : Bank()) {
        if (!IsMyTopic(paper.paperSpec.topic))
            continue;
        for (const Question& q : paper.questions) {
            if (q.blanks.size() != 1 || q.blanks.at(0).kind != QLatin1String("Q"))
                continue;
            const QString text = Plain(q.html);
            const QStringList options = OptionTexts(text);
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
    }
    QVERIFY2(checked >= 15, qPrintable(QString::number(checked)));
}

void TestBankGenerator::groupsHaveExactlyOneAnswerSet() {
    static const QRegularExpression target(QStringLiteral("add up to (\\d+)|make <b>(\\d+)</b>|"
                                                          "in the (\\d+) times table"));
    static const QRegularExpression shown(QStringLiteral("<p class=\"sum\">([0-9, ]+)</p>"));
    int checked = 0;
    for (const StoreWriter::Paper& paper : Bank()) {
        if (!IsMyTopic(paper.paperSpec.topic))
            continue;
        for (const Question& q : paper.questions) {
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
    }
    QVERIFY2(checked >= 5, qPrintable(QString::number(checked)));
}

void TestBankGenerator::wordAnswersAgreeWithTheirStatements() {
    static const QRegularExpression oddEven(QStringLiteral("Is (\\d+) an odd or an even"));
    static const QRegularExpression claim(
        QStringLiteral("<p class=\"sum\">(\\d+) ([-+x/]) (\\d+) = (\\d+)</p>"));
    static const QRegularExpression swapped(
        QStringLiteral("<p class=\"sum\">(\\d+) x (\\d+) = (\\d+) x (\\d+)</p>"));
    int checked = 0;
    for (const StoreWriter::Paper& paper : Bank()) {
        if (!IsMyTopic(paper.paperSpec.topic))
            continue;
        for (const Question& q : paper.questions) {
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
                    qint64 value = 0;
                    Solve(m.captured(1), m.captured(2), m.captured(3), QStringLiteral("?"), &value);
                    QCOMPARE(b.key, value == m.captured(4).toLongLong() ? QStringLiteral("true")
                                                                        : QStringLiteral("false"));
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
    }
    QVERIFY2(checked >= 20, qPrintable(QString::number(checked)));
}

void TestBankGenerator::tablesAndTemplatesAgree() {
    const QList<StoreWriter::Paper>& papers = Bank();
    const QList<QByteArray> keys = StoreWriter::QuestionTable(papers, 30023).split('\n');
    const QList<QByteArray> kinds = StoreWriter::QuestionTable(papers, 30024).split('\n');
    const QList<QByteArray> marks = StoreWriter::QuestionTable(papers, 30025).split('\n');
    QCOMPARE(keys.first(), QByteArray("...\r"));
    QCOMPARE(keys.size(), 1121 + 3); // "...", 1121 records, "...", nothing after the last CR LF
    QVERIFY(keys.contains("#25016#>9\r"));
    QVERIFY(keys.contains("#25310#>12>10>15>Ivan>6>Kevin>14>Kevin\r"));
    QVERIFY(kinds.contains("#25310#>N>N>N>T>N>T>N>T\r"));
    QVERIFY(marks.contains("#25310#>1>1>1>1>1>1>1>1\r"));
    QVERIFY(keys.contains("#24410#>3/10>3/5>2/5\r"));
    QVERIFY(kinds.contains("#23554#>X\r"));
    QVERIFY(keys.contains("#23554#>1 2/3\r"));
    QVERIFY(keys.contains("#25049#>Sixteen\r"));
    QVERIFY(kinds.contains("#25049#>T\r"));
    QVERIFY(keys.contains("#25414#>24.80\r") && marks.contains("#25414#>2\r"));
    QVERIFY(keys.contains("#23313#>2\r") && kinds.contains("#23313#>Q\r"));

    // Same records, same field counts, in paper order.
    const QList<QByteArray> paperLines = StoreWriter::PaperTable(papers).split('\n');
    QCOMPARE(paperLines.at(1), QByteArray("#101#>25016>25019>25036>25038>25039>25054>25056>25058>"
                                          "25059>25073>25075>25076>25077>25078>25079>25095>25098>"
                                          "25100>25116>25117>25119>25120>25136>25137>25138>25139>"
                                          "25140>25155>25156>25157\r"));
    QCOMPARE(paperLines.at(36), QByteArray("#136#>25310>25311>25312>25313>25314\r"));
    const QList<QByteArray> templ = StoreWriter::PaperTemplate(papers).split('\n');
    QCOMPARE(templ.size(), 50 + 3);
    int row = 1;
    for (int p = 0; p < papers.size(); ++p) {
        int blanks = 0;
        for (const QByteArray& id : paperLines.at(p + 1).chopped(1).split('>').mid(1)) {
            const QByteArray k = keys.at(row), t = kinds.at(row), m = marks.at(row);
            const QByteArray tag = QByteArray("#") + id + "#>";
            QVERIFY(k.startsWith(tag) && t.startsWith(tag) && m.startsWith(tag));
            QCOMPARE(k.count('>'), t.count('>'));
            QCOMPARE(k.count('>'), m.count('>'));
            blanks += int(k.count('>'));
            ++row;
        }
        QCOMPARE(templ.at(p + 1),
                 "#" + QByteArray::number(101 + p) + "#" + QByteArray(blanks, '>') + "\r");
    }

    const QList<QByteArray> marksTemplate = StoreWriter::MarksTemplate(50).split('\n');
    QCOMPARE(marksTemplate.size(), 6 + 3);
    QCOMPARE(marksTemplate.at(1), "#FSE#" + QByteArray(50, '>') + "\r");
    QCOMPARE(marksTemplate.at(5), "#FST#>" + QByteArray("0>").repeated(49) + "0\r");
    QCOMPARE(marksTemplate.at(6).left(6), QByteArray("#SST#>"));
    QCOMPARE(StoreWriter::TrendTemplate(), QByteArray("#TRD#"));

    const QByteArray definition = StoreWriter::Definition();
    QVERIFY(definition.contains("\r\n#NME#>Quillora Maths Practice\r\n"));
    QVERIFY(definition.contains("\r\n#LBH#>Practice\r\n"));
    QVERIFY(definition.contains("\r\n#TT2#>10\r\n#TP2#>50\r\n"));
    QVERIFY(definition.contains(QByteArray("\r\n" + QByteArray(31, '-') + "\r\n")));
    QVERIFY(definition.contains(">Fraction>Area, Perimeter and Volume\r\n"));
    QCOMPARE(definition.count("#TN2#>"), 1);
    const qsizetype names = definition.indexOf("#TN2#");
    QCOMPARE(definition.mid(names, definition.indexOf('\r', names) - names).count('>'), 10);
}

void TestBankGenerator::writeAllWritesEveryItemAndRemovesStaleOnes() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString store = dir.path() + QStringLiteral("/store");
    QVERIFY(QDir().mkpath(store));
    auto touch = [&](const QString& name) {
        QFile f(store + QLatin1Char('/') + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old");
    };
    touch(QStringLiteral("23030.mht"));  // a question no longer in the bank
    touch(QStringLiteral("30011.txt"));  // an item of a module not shipped
    touch(QStringLiteral("README.txt")); // not the bank's: left alone
    touch(QStringLiteral("25016.mht"));  // overwritten

    const QStringList problems = StoreWriter(store).writeAll();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.mid(0, 10).join(QLatin1Char('\n'))));
    const QStringList files = QDir(store).entryList(QDir::Files);
    QCOMPARE(files.size(), 1121 + 11 + 1);
    QVERIFY(files.contains(QStringLiteral("README.txt")));
    QVERIFY(!files.contains(QStringLiteral("23030.mht")));
    QVERIFY(!files.contains(QStringLiteral("30011.txt")));
    for (const QString& item :
         {QStringLiteral("30000.txt"), QStringLiteral("30022.txt"), QStringLiteral("30025.txt"),
          QStringLiteral("30121.txt"), QStringLiteral("30126.txt"), QStringLiteral("25157.mht"),
          QStringLiteral("25314.mht"), QStringLiteral("23313.mht")})
        QVERIFY2(files.contains(item), qPrintable(item));
    QFile trend(store + QStringLiteral("/30126.txt"));
    QVERIFY(trend.open(QIODevice::ReadOnly));
    QCOMPARE(trend.readAll(), QByteArray("#TRD#"));
    QFile first(store + QStringLiteral("/25016.mht"));
    QVERIFY(first.open(QIODevice::ReadOnly));
    const QByteArray archive = first.readAll();
    QCOMPARE(archive, MhtmlWriter(25016).archive(Bank().at(0).questions.at(0)));
    // The page and its working.
    QCOMPARE(ParseArchive(archive).size(), 2);
    for (const QString& name : {QStringLiteral("30122.txt"), QStringLiteral("30125.txt")}) {
        QFile f(store + QLatin1Char('/') + name);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), StoreWriter::PaperTemplate(Bank()));
    }
}

void TestBankGenerator::quantitiesFitTheirObjects() {
    // No object twice for one measure, and no empty or upside-down range.
    const QList<bank::qty::Range>& table = bank::qty::Table();
    QSet<QString> seen;
    for (const bank::qty::Range& r : table) {
        const QString id = QStringLiteral("%1/%2").arg(QLatin1String(r.object)).arg(int(r.measure));
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
    for (const StoreWriter::Paper& paper : Bank()) {
        for (int q = 0; q < paper.questions.size(); ++q) {
            for (const bank::QuantityUse& use : paper.questions.at(q).quantities)
                QVERIFY2(inRange(use), qPrintable(QStringLiteral("%1: %2 of %3")
                                                      .arg(paper.ids.at(q))
                                                      .arg(use.value)
                                                      .arg(use.object)));
        }
    }
}

void TestBankGenerator::workingTravelsAsItsOwnPart() {
    // Two parts, each with its working; one answers in any order (G), one has
    // several fair spellings (M) and a unit.
    Question first = bank::numkit::AnyOrder(QStringLiteral("<p>Two numbers that make 10.</p>"),
                                            {QStringLiteral("3"), QStringLiteral("7")});
    first = bank::kit::Explain(first, {QStringLiteral("3 + 7 = 10.")});
    Question second = bank::kit::Make(
        QStringLiteral("<p>Write 47 in words.</p>"),
        {bank::kit::AnyOf({QStringLiteral("Forty-seven"), QStringLiteral("Forty seven")})});
    second = bank::kit::Explain(second, {QStringLiteral("4 tens are forty &amp; 7 is seven.")},
                                {QStringLiteral("cm")});
    const Question q = bank::kit::Combine(QStringLiteral("<p>Both.</p>"), {first, second});
    QCOMPARE(q.working.answers, (QStringList{QStringLiteral("3"), QStringLiteral("7"),
                                             QStringLiteral("Forty-seven")}));
    QCOMPARE(q.working.steps.size(), 2);
    QVERIFY(q.working.steps.at(0).startsWith(QLatin1String("<b>(a)</b> 3 + 7")));
    QVERIFY(q.working.steps.at(1).startsWith(QLatin1String("<b>(b)</b> 4 tens")));

    const QList<Part> parts = ParseArchive(MhtmlWriter(24001).archive(q));
    QCOMPARE(parts.size(), 2);
    QCOMPARE(parts.at(1).headers.value("content-location"),
             QByteArray("http://quillora.invalid/q24001/working.html"));
    QVERIFY(parts.at(1).headers.value("content-type").startsWith("text/html"));
    const QString page = QString::fromUtf8(parts.at(1).decoded())
                             .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    static const QRegularExpression section(QStringLiteral(
        "<body>\n<section class=\"working\">\n<h2>How to work it out</h2>\n"
        "(<p class=\"step\">[^\n]*</p>\n){2}"
        "<p class=\"answer\" data-blank=\"1\">\\(a\\) [^\n]*<b class=\"key\">3</b>\\.</p>\n"
        "<p class=\"answer\" data-blank=\"2\">\\(b\\) [^\n]*<b class=\"key\">7</b>\\.</p>\n"
        "<p class=\"answer\" data-blank=\"3\">\\(c\\) [^\n]*<b "
        "class=\"key\">Forty-seven</b>&nbsp;cm\\.</p>\n"
        "</section>\n</body>"));
    QVERIFY2(section.match(page).hasMatch(), qPrintable(page.right(600)));
    // A question without working keeps its archive as before: one page.
    Question plain = q;
    plain.working = bank::Working();
    QCOMPARE(ParseArchive(MhtmlWriter(24001).archive(plain)).size(), 1);
}

void TestBankGenerator::columnMethodSaysEachDigit_data() {
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

void TestBankGenerator::columnMethodSaysEachDigit() {
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(bool, add);
    const QStringList steps =
        add ? bank::kit::ColumnAddition(a, b) : bank::kit::ColumnSubtraction(a, b);
    const int result = add ? a + b : a - b;
    QVERIFY2(steps.last() == QStringLiteral("So %1 %2 %3 = %4.")
                                 .arg(a)
                                 .arg(add ? QStringLiteral("+") : QStringLiteral("&minus;"))
                                 .arg(b)
                                 .arg(result),
             qPrintable(steps.last()));
    // Each column's sentence ends in the digit written under it: read from the
    // ones upwards they give the answer.
    static const QRegularExpression equals(QStringLiteral("= (\\d+)\\."));
    static const QRegularExpression number(QStringLiteral("\\d+"));
    qint64 rebuilt = 0, place = 1;
    for (int c = 1; c + 1 < steps.size(); ++c) {
        const QString& step = steps.at(c);
        int value = 0;
        for (const QRegularExpression* re : {&number, &equals}) {
            auto it = re->globalMatch(step);
            while (it.hasNext())
                value = it.next().captured(re == &equals ? 1 : 0).toInt();
        }
        if (step.endsWith(QLatin1String("none are left.")))
            value = 0;
        const bool lastColumn = c + 2 == steps.size();
        QVERIFY2(lastColumn || value < 10 || add, qPrintable(step));
        rebuilt += (lastColumn ? value : value % 10) * place;
        place *= 10;
    }
    QCOMPARE(rebuilt, qint64(result));
}

QTEST_GUILESS_MAIN(TestBankGenerator)
#include "test_bank_generator.moc"
