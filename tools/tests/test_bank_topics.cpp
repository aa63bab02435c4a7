// The pictures of the question bank and topics 4, 5, 6, 7, 8 and 10: the SVG
// helpers read back as geometry, the shared helpers of the topic generators,
// the shape of every paper, and every key that a picture decides re-derived
// from the picture itself (clock hands, scale pointers, rulers, coins, grid
// shapes, cubes, picture graphs).
#include "Bank.h"
#include "NumberTopicKit.h"
#include "SvgExtra.h"
#include "TopicKit.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>
#include <cmath>

using bank::Blank;
using bank::PaperSpec;
using bank::Question;

using Cells = QList<QPair<int, int>>;
using Heights = QList<QList<int>>;

namespace {

// --- reading SVG back ----------------------------------------------------------

struct Element {
    QString name;
    QMap<QString, QString> attributes;
    QString text;
    QString groupClass; // class of the nearest enclosing <g> that has one
    QString groupRow;   // its data-row
    double number(const char* attribute) const {
        return attributes.value(QString::fromLatin1(attribute)).toDouble();
    }
    QString cls() const { return attributes.value(QStringLiteral("class")); }
};

// Every element of the document in order; empty with *error set when the XML
// is not well formed.
QList<Element> ParseSvg(const QByteArray& svg, QString* error = nullptr) {
    QList<Element> out;
    QXmlStreamReader xml(svg);
    QList<QPair<QString, QString>> groups; // class, row of each open <g>
    QList<int> open;                       // indexes of the open elements
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            Element e;
            e.name = xml.name().toString();
            for (const QXmlStreamAttribute& a : xml.attributes())
                e.attributes.insert(a.name().toString(), a.value().toString());
            for (int i = int(groups.size()) - 1; i >= 0; --i) {
                if (!groups.at(i).first.isEmpty()) {
                    e.groupClass = groups.at(i).first;
                    e.groupRow = groups.at(i).second;
                    break;
                }
            }
            if (e.name == QLatin1String("g"))
                groups << qMakePair(e.cls(), e.attributes.value(QStringLiteral("data-row")));
            open << int(out.size());
            out << e;
        } else if (xml.isCharacters() && !open.isEmpty()) {
            out[open.last()].text += xml.text().toString();
        } else if (xml.isEndElement()) {
            open.removeLast();
            if (xml.name() == QLatin1String("g"))
                groups.removeLast();
        }
    }
    if (xml.hasError()) {
        if (error)
            *error = xml.errorString();
        return {};
    }
    return out;
}

QList<Element> WithClass(const QList<Element>& all, const QString& cls) {
    QList<Element> out;
    for (const Element& e : all) {
        if (e.cls() == cls)
            out << e;
    }
    return out;
}

// Direction of a line from (x1, y1) to (x2, y2), degrees clockwise from up, 0..360.
double Direction(const Element& line) {
    const double dx = line.number("x2") - line.number("x1");
    const double dy = line.number("y2") - line.number("y1");
    double a = std::atan2(dx, -dy) * 180.0 / M_PI;
    return a < 0 ? a + 360.0 : a;
}

double Length(const Element& line) {
    return std::hypot(line.number("x2") - line.number("x1"), line.number("y2") - line.number("y1"));
}

double AngleGap(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

// The time shown by the first clock of a picture, read off its hands.
QPair<int, int> TimeOnClock(const QList<Element>& svg, int index = 0) {
    const Element hourHand = WithClass(svg, QStringLiteral("hour-hand")).at(index);
    const Element minuteHand = WithClass(svg, QStringLiteral("minute-hand")).at(index);
    const int minute = int(std::lround(Direction(minuteHand) / 6.0)) % 60;
    int hour = int(std::lround((Direction(hourHand) - minute * 0.5) / 30.0)) % 12;
    return {hour == 0 ? 12 : hour, minute};
}

// --- reading questions ---------------------------------------------------------

QList<Question> Generate(const PaperSpec& paperSpec) {
    bank::Rng rng(0x5eed0000ULL + std::uint64_t(paperSpec.paperNum));
    switch (paperSpec.topic) {
    case 4:
        return bank::GenerateTopic4(paperSpec, rng);
    case 5:
        return bank::GenerateTopic5(paperSpec, rng);
    case 6:
        return bank::GenerateTopic6(paperSpec, rng);
    case 7:
        return bank::GenerateTopic7(paperSpec, rng);
    case 8:
        return bank::GenerateTopic8(paperSpec, rng);
    case 10:
        return bank::GenerateTopic10(paperSpec, rng);
    default:
        return {};
    }
}

QList<PaperSpec> MyPapers() {
    QList<PaperSpec> out;
    for (const PaperSpec& paperSpec : bank::BankPlan()) {
        if (QList<int>{4, 5, 6, 7, 8, 10}.contains(paperSpec.topic))
            out << paperSpec;
    }
    return out;
}

// Every question of topics 4-8 and 10, generated once for the whole run.
const QList<QPair<PaperSpec, QList<Question>>>& AllPapers() {
    static const QList<QPair<PaperSpec, QList<Question>>> all = [] {
        QList<QPair<PaperSpec, QList<Question>>> papers;
        for (const PaperSpec& paperSpec : MyPapers())
            papers << qMakePair(paperSpec, Generate(paperSpec));
        return papers;
    }();
    return all;
}

QList<Question> QuestionsOfTopic(int topic) {
    QList<Question> out;
    for (const auto& [paperSpec, questions] : AllPapers()) {
        if (paperSpec.topic == topic)
            out += questions;
    }
    return out;
}

const QByteArray* PictureNamed(const Question& q, const QString& name) {
    for (const bank::Picture& p : q.pictures) {
        if (p.name == name)
            return &p.data;
    }
    return nullptr;
}

QString PlainText(QString html) {
    return html.remove(QRegularExpression(QStringLiteral("<[^>]*>"))).simplified();
}

// The text of each part (a), (b), ...; the whole question when it has none.
QStringList PartTexts(const Question& q) {
    static const QRegularExpression part(
        QStringLiteral("<td class=\"label\">\\([a-z]\\)</td><td>(.*?)</td></tr>"));
    QStringList out;
    for (auto it = part.globalMatch(q.html); it.hasNext();)
        out << PlainText(it.next().captured(1));
    if (out.isEmpty())
        out << PlainText(q.html);
    return out;
}

QStringList Alternatives(const Blank& b) {
    return b.key.split(QLatin1Char(';')).mid(1);
}

double KeyValue(const Blank& b) {
    bool ok = false;
    const double v = QLocale::c().toDouble(b.key, &ok);
    return ok ? v : std::nan("");
}

} // namespace

class TestBankTopics : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // --- the SVG helpers --------------------------------------------------------

    void clockHandsPointAtTheTime_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::newRow("three o'clock") << 3 << 0;
        QTest::newRow("half past six: hour hand halfway to seven") << 6 << 30;
        QTest::newRow("quarter to twelve") << 11 << 45;
        QTest::newRow("twelve twenty") << 12 << 20;
        QTest::newRow("seven oh five") << 7 << 5;
        QTest::newRow("nine fifty-nine") << 9 << 59;
    }
    void clockHandsPointAtTheTime() {
        QFETCH(int, hour);
        QFETCH(int, minute);
        const QList<Element> svg =
            ParseSvg(bank::svg::Document(300, 300, bank::svg::Clock(150, 150, 120, hour, minute)));
        const Element hourHand = WithClass(svg, QStringLiteral("hour-hand")).value(0);
        const Element minuteHand = WithClass(svg, QStringLiteral("minute-hand")).value(0);
        QCOMPARE(hourHand.number("x1"), 150.0);
        QCOMPARE(minuteHand.number("y1"), 150.0);
        QVERIFY(AngleGap(Direction(minuteHand), minute * 6.0) < 0.5);
        QVERIFY(AngleGap(Direction(hourHand), (hour % 12) * 30.0 + minute * 0.5) < 0.5);
        QVERIFY2(Length(hourHand) < Length(minuteHand) * 0.75, "the hour hand is the short one");
        QCOMPARE(TimeOnClock(svg), qMakePair(hour, minute));
        // Twelve numbers, 12 straight up.
        int twelveCount = 0;
        for (const Element& e : svg) {
            if (e.name == QLatin1String("text") && e.text == QLatin1String("12")) {
                ++twelveCount;
                QCOMPARE(e.number("x"), 150.0);
                QVERIFY(e.number("y") < 100);
            }
        }
        QCOMPARE(twelveCount, 1);
    }

    void scalePointerPointsAtItsNumber_data() {
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("labelStep");
        QTest::addColumn<double>("minorStep");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("labels");
        QTest::newRow("3 on a 0-5 kg dial") << 5.0 << 1.0 << 0.5 << 3.0 << 6;
        QTest::newRow("500 on a 0-1000 g dial") << 1000.0 << 100.0 << 50.0 << 500.0 << 11;
        QTest::newRow("1500 on a 0-2000 g dial") << 2000.0 << 500.0 << 100.0 << 1500.0 << 5;
        QTest::newRow("zero, the first number") << 10.0 << 1.0 << 1.0 << 0.0 << 11;
        QTest::newRow("the top of the dial") << 20.0 << 5.0 << 1.0 << 20.0 << 5;
    }
    void scalePointerPointsAtItsNumber() {
        QFETCH(double, max);
        QFETCH(double, labelStep);
        QFETCH(double, minorStep);
        QFETCH(double, value);
        QFETCH(int, labels);
        const double cx = 200, cy = 220, r = 120;
        const QList<Element> svg =
            ParseSvg(bank::svg::Document(400, 400,
                                         bank::svg::ScaleDial(cx, cy, r, max, labelStep, minorStep,
                                                              value, QStringLiteral("g"))));
        const QList<Element> numbers = WithClass(svg, QStringLiteral("dial-label"));
        QCOMPARE(int(numbers.size()), labels);
        const Element pointer = WithClass(svg, QStringLiteral("pointer")).value(0);
        const QString wanted = bank::svg::Num(value);
        bool found = false;
        for (const Element& n : numbers) {
            if (n.text != wanted)
                continue;
            found = true;
            // The number's direction from the centre (its baseline sits a
            // little low; the centre of the text is about a third of its size up).
            const double nx = n.number("x") - cx;
            const double ny = n.number("y") - n.number("font-size") * 0.36 - cy;
            double a = std::atan2(nx, -ny) * 180.0 / M_PI;
            a = a < 0 ? a + 360 : a;
            QVERIFY2(
                AngleGap(a, Direction(pointer)) < 1.0,
                qPrintable(
                    QStringLiteral("number at %1, pointer at %2").arg(a).arg(Direction(pointer))));
        }
        QVERIFY2(found, "the value is one of the dial's numbers");
        // The dial runs clockwise: 0 lower left, the top value lower right.
        QVERIFY(numbers.first().number("x") < cx && numbers.first().number("y") > cy);
        QVERIFY(numbers.last().number("x") > cx && numbers.last().number("y") > cy);
    }

    void rulerNumbersSitOnTheirMarks() {
        const QList<Element> svg =
            ParseSvg(bank::svg::Document(640, 120, bank::svg::Ruler(30, 20, 15, 36)));
        const QList<Element> numbers = WithClass(svg, QStringLiteral("ruler-number"));
        QCOMPARE(int(numbers.size()), 16);
        for (int k = 0; k <= 15; ++k) {
            QCOMPARE(numbers.at(k).text, QString::number(k));
            QCOMPARE(numbers.at(k).number("x"), 30.0 + 36.0 * k);
        }
    }

    void gridShapeOutlineIsThePerimeter_data() {
        QTest::addColumn<Cells>("cells");
        QTest::addColumn<int>("perimeter");
        QTest::newRow("one square") << Cells{{2, 2}} << 4;
        QTest::newRow("domino") << Cells{{0, 0}, {1, 0}} << 6;
        QTest::newRow("L of three") << Cells{{0, 0}, {0, 1}, {1, 1}} << 8;
        QTest::newRow("2 by 2") << Cells{{0, 0}, {1, 0}, {0, 1}, {1, 1}} << 8;
        QTest::newRow("plus of five") << Cells{{1, 0}, {0, 1}, {1, 1}, {2, 1}, {1, 2}} << 12;
        QTest::newRow("U of five: the notch counts")
            << Cells{{0, 0}, {0, 1}, {1, 1}, {2, 1}, {2, 0}} << 12;
    }
    void gridShapeOutlineIsThePerimeter() {
        QFETCH(Cells, cells);
        QFETCH(int, perimeter);
        const QList<Element> svg =
            ParseSvg(bank::svg::Document(300, 300, bank::svg::GridShape(cells, 5, 5, 40)));
        QCOMPARE(int(WithClass(svg, QStringLiteral("cell")).size()), int(cells.size()));
        const QList<Element> outline = WithClass(svg, QStringLiteral("outline"));
        QCOMPARE(int(outline.size()), perimeter);
        for (const Element& side : outline)
            QCOMPARE(Length(side), 40.0);
    }

    void fractionPicturesShadeTheirParts_data() {
        QTest::addColumn<int>("parts");
        QTest::addColumn<int>("shaded");
        QTest::newRow("one quarter") << 4 << 1;
        QTest::newRow("two halves, none shaded") << 2 << 0;
        QTest::newRow("seven tenths") << 10 << 7;
        QTest::newRow("all of five") << 5 << 5;
    }
    void fractionPicturesShadeTheirParts() {
        QFETCH(int, parts);
        QFETCH(int, shaded);
        for (const QString& body : {bank::svg::FractionBar(parts, shaded, 10, 10, 300, 50),
                                    bank::svg::FractionCircle(parts, shaded, 100, 100, 80)}) {
            const QList<Element> svg = ParseSvg(bank::svg::Document(400, 200, body));
            const QList<Element> filled = WithClass(svg, QStringLiteral("shaded"));
            const QList<Element> empty = WithClass(svg, QStringLiteral("slice"));
            QCOMPARE(int(filled.size()), shaded);
            QCOMPARE(int(empty.size()), parts - shaded);
            for (const Element& e : filled + empty) {
                QCOMPARE(e.attributes.value(QStringLiteral("stroke")),
                         QString::fromLatin1(bank::svg::kInk));
                QCOMPARE(e.attributes.value(QStringLiteral("fill")) == QLatin1String("#ffffff"),
                         e.cls() == QLatin1String("slice"));
            }
        }
        // The circle's slices start at twelve o'clock, each where the last one
        // ended, and the last ends at twelve again: once round, no gaps.
        const QList<Element> svg = ParseSvg(
            bank::svg::Document(200, 200, bank::svg::FractionCircle(parts, shaded, 100, 100, 80)));
        QString from = QStringLiteral("100 20");
        for (const Element& e : svg) {
            if (e.name != QLatin1String("path"))
                continue;
            const QStringList d = e.attributes.value(QStringLiteral("d")).split(QLatin1Char(' '));
            QCOMPARE(d.mid(0, 3).join(QLatin1Char(' ')), QStringLiteral("M 100 100"));
            QCOMPARE(d.mid(4, 2).join(QLatin1Char(' ')), from);
            from = d.mid(12, 2).join(QLatin1Char(' '));
        }
        QCOMPARE(from, QStringLiteral("100 20"));
    }

    void cubeBlockDrawsEveryCube_data() {
        QTest::addColumn<Heights>("heights");
        QTest::addColumn<int>("cubes");
        QTest::newRow("one row of stacks") << Heights{{1, 3, 2}} << 6;
        QTest::newRow("two rows, back higher") << Heights{{3, 3}, {1, 2}} << 9;
        QTest::newRow("a 2 by 3 by 2 box") << Heights(2, QList<int>(3, 2)) << 12;
    }
    void cubeBlockDrawsEveryCube() {
        QFETCH(Heights, heights);
        QFETCH(int, cubes);
        const QList<Element> svg =
            ParseSvg(bank::svg::Document(400, 400, bank::svg::CubeBlock(heights, 20, 380, 40)));
        QCOMPARE(int(WithClass(svg, QStringLiteral("cube")).size()), cubes);
    }

    void pictureGraphDrawsHalfSymbols_data() {
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<int>("perSymbol");
        QTest::addColumn<bool>("vertical");
        QTest::newRow("one each") << QList<int>{3, 7, 1} << 1 << false;
        QTest::newRow("two each, halves") << QList<int>{4, 7, 1, 10} << 2 << false;
        QTest::newRow("ten each, standing") << QList<int>{45, 100, 5} << 10 << true;
    }
    void pictureGraphDrawsHalfSymbols() {
        QFETCH(QList<int>, values);
        QFETCH(int, perSymbol);
        QFETCH(bool, vertical);
        bank::svg::PictureGraphData data;
        data.title = QStringLiteral("Test");
        for (int i = 0; i < values.size(); ++i)
            data.labels << QStringLiteral("Row%1").arg(i);
        data.values = values;
        data.perSymbol = perSymbol;
        data.unitWord = QStringLiteral("things");
        data.vertical = vertical;
        QString error;
        const QList<Element> svg = ParseSvg(bank::svg::PictureGraph(data), &error);
        QVERIFY2(!svg.isEmpty(), qPrintable(error));
        QList<double> shown(values.size(), 0.0);
        QSet<QString> clipIds;
        for (const Element& e : svg) {
            if (e.name == QLatin1String("g") && e.cls() == QLatin1String("symbol"))
                shown[e.attributes.value(QStringLiteral("data-row")).toInt()] += 1;
            if (e.name == QLatin1String("g") && e.cls() == QLatin1String("half-symbol"))
                shown[e.attributes.value(QStringLiteral("data-row")).toInt()] += 0.5;
            if (e.name == QLatin1String("clipPath")) {
                const QString id = e.attributes.value(QStringLiteral("id"));
                QVERIFY2(!clipIds.contains(id), "every half symbol has its own clip");
                clipIds.insert(id);
            }
        }
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(shown.at(i) * perSymbol, double(values.at(i)));
        QCOMPARE(WithClass(svg, QStringLiteral("key")).value(0).text,
                 QStringLiteral("stands for %1 things").arg(perSymbol));
        QCOMPARE(int(WithClass(svg, QStringLiteral("row-label")).size()), int(values.size()));
    }

    // --- the shared helpers ------------------------------------------------------

    void moneyIsWrittenWithTwoDecimals_data() {
        QTest::addColumn<int>("pence");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("amount");
        QTest::newRow("five pence") << 5 << QStringLiteral("0.05") << QStringLiteral("5p");
        QTest::newRow("whole pound")
            << 100 << QStringLiteral("1.00") << QStringLiteral("\u00a31.00");
        QTest::newRow("the sample 24.80")
            << 2480 << QStringLiteral("24.80") << QStringLiteral("\u00a324.80");
        QTest::newRow("pence under ten")
            << 305 << QStringLiteral("3.05") << QStringLiteral("\u00a33.05");
    }
    void moneyIsWrittenWithTwoDecimals() {
        QFETCH(int, pence);
        QFETCH(QString, key);
        QFETCH(QString, amount);
        QCOMPARE(bank::kit::PoundKey(pence), key);
        QCOMPARE(bank::kit::PoundsBlank(pence).key, key);
        QCOMPARE(bank::kit::Money(pence), amount);
    }

    void timesTakeEveryFairSpelling_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QStringList>("accepted");
        QTest::addColumn<QStringList>("refused");
        QTest::newRow("half past seven")
            << 7 << 30 << QString() << QStringList{QStringLiteral("7.30"), QStringLiteral("7:30")}
            << QStringList{QStringLiteral("7.3"), QStringLiteral("730")};
        QTest::newRow("five past twelve, leading zero")
            << 12 << 5 << QString() << QStringList{QStringLiteral("12.05"), QStringLiteral("12:05")}
            << QStringList{QStringLiteral("12.5")};
        QTest::newRow("whole hour") << 7 << 0 << QString()
                                    << QStringList{QStringLiteral("7.00"), QStringLiteral("7:00"),
                                                   QStringLiteral("7 o'clock"), QStringLiteral("7")}
                                    << QStringList{};
        QTest::newRow("afternoon needs pm")
            << 3 << 40 << QStringLiteral("pm")
            << QStringList{QStringLiteral("3.40pm"), QStringLiteral("3.40 pm"),
                           QStringLiteral("3:40 p.m."), QStringLiteral("3:40pm")}
            << QStringList{QStringLiteral("3.40"), QStringLiteral("3.40 am")};
    }
    void timesTakeEveryFairSpelling() {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QString, suffix);
        QFETCH(QStringList, accepted);
        QFETCH(QStringList, refused);
        const QStringList forms = bank::kit::TimeSpellings(hour, minute, suffix);
        for (const QString& a : accepted)
            QVERIFY2(forms.contains(a), qPrintable(a));
        for (const QString& r : refused)
            QVERIFY2(!forms.contains(r), qPrintable(r));
        for (const QString& f : forms)
            QVERIFY(!f.contains(QLatin1Char(';')) && f == f.trimmed());
    }

    void fitMarksKeepsTheBudgetAndTheFixedQuestion_data() {
        QTest::addColumn<int>("mark");
        QTest::addColumn<int>("minMarks");
        QTest::addColumn<int>("maxMarks");
        QTest::newRow("too many: all 3s brought down") << 3 << 20 << 45;
        QTest::newRow("too few: all 1s raised") << 1 << 35 << 65;
        QTest::newRow("already inside") << 2 << 20 << 65;
    }
    void fitMarksKeepsTheBudgetAndTheFixedQuestion() {
        QFETCH(int, mark);
        QFETCH(int, minMarks);
        QFETCH(int, maxMarks);
        // Paper 119 carries the fixed money question at position 16 (mark 2).
        PaperSpec paperSpec;
        paperSpec.paperNum = 119;
        paperSpec.minMarks = minMarks;
        paperSpec.maxMarks = maxMarks;
        QList<Question> questions(20);
        for (int q = 0; q < 20; ++q)
            questions[q].blanks = {Blank{QStringLiteral("1"), QStringLiteral("N"), mark}};
        questions[15].blanks[0].mark = 2;
        bank::kit::FitMarks(questions, paperSpec);
        int total = 0;
        for (const Question& q : questions) {
            QVERIFY(q.blanks.at(0).mark >= 1 && q.blanks.at(0).mark <= 3);
            total += q.blanks.at(0).mark;
        }
        QVERIFY2(total >= minMarks && total <= maxMarks, qPrintable(QString::number(total)));
        QCOMPARE(questions.at(15).blanks.at(0).mark, 2);
        if (mark == 2)
            QCOMPARE(total, 40); // nothing to change
    }

    void numberWordsUseHyphens_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("words");
        QTest::newRow("zero") << 0 << QStringLiteral("zero");
        QTest::newRow("last of the teens") << 19 << QStringLiteral("nineteen");
        QTest::newRow("a whole ten has no hyphen") << 20 << QStringLiteral("twenty");
        QTest::newRow("tens and ones") << 47 << QStringLiteral("forty-seven");
        QTest::newRow("largest") << 99 << QStringLiteral("ninety-nine");
    }
    void numberWordsUseHyphens() {
        QFETCH(int, number);
        QFETCH(QString, words);
        QCOMPARE(bank::numkit::Words(number), words);
    }

    void recipePaperCountsEachKindAndDrawsRepeatsAgain_data() {
        QTest::addColumn<bool>("keysCount");
        QTest::addColumn<int>("singleCalls");
        // The third single-blank question repeats the text of the first.
        QTest::newRow("by text: the repeat is drawn again 40 times") << false << 2 + 40;
        QTest::newRow("by text and keys: its other key makes it new") << true << 3;
    }
    void recipePaperCountsEachKindAndDrawsRepeatsAgain() {
        QFETCH(bool, keysCount);
        QFETCH(int, singleCalls);
        using bank::numkit::One;
        PaperSpec paperSpec;
        paperSpec.paperNum = 101; // its first question is a fixed one
        paperSpec.blankPlan = {1, 1, 2, 1, 3, 1};
        QList<int> singles;
        QList<QPair<int, int>> multis;
        int fixedCalls = 0;
        const QList<Question> questions = bank::numkit::BuildRecipePaper(
            paperSpec,
            [&](int index) {
                singles << index;
                return One(QStringLiteral("single %1").arg(index == 2 ? 0 : index),
                           QString::number(index));
            },
            [&](int blanks, int index) {
                multis << qMakePair(blanks, index);
                Question q = One(QStringLiteral("multi %1").arg(index), QStringLiteral("1"));
                while (q.blanks.size() < blanks)
                    q.blanks << q.blanks.first();
                return q;
            },
            [&](const bank::FixedQuestion& f) {
                ++fixedCalls;
                return One(QStringLiteral("fixed"), f.keys.at(0), f.kinds.at(0), f.marks.at(0));
            },
            keysCount ? bank::numkit::TextAndKeys : bank::numkit::TextOf);
        QCOMPARE(int(questions.size()), int(paperSpec.blankPlan.size()));
        QCOMPARE(fixedCalls, 1);
        QCOMPARE(questions.first().html, QStringLiteral("fixed"));
        // The fixed question takes no index: the counters start at the next one.
        QCOMPARE(singles.mid(0, 2), (QList<int>{0, 1}));
        QCOMPARE(int(singles.size()), singleCalls);
        QCOMPARE(singles.count(2), singleCalls - 2);
        QCOMPARE(multis, (QList<QPair<int, int>>{{2, 0}, {3, 1}}));
        for (int q = 0; q < questions.size(); ++q)
            QCOMPARE(int(questions.at(q).blanks.size()), paperSpec.blankPlan.at(q));
    }

    void unitConversionsKeepTheirKeys_data() {
        QTest::addColumn<bool>("toMixed");
        QTest::addColumn<int>("amount");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::newRow("mixed into grams")
            << false << 2050 << QStringLiteral("2 kg 50 g = [ ] g") << QStringLiteral("2050");
        QTest::newRow("grams into mixed: the remainder")
            << true << 2050 << QStringLiteral("2050 g = 2 kg [ ] g") << QStringLiteral("50");
        QTest::newRow("whole kilograms leave no grams")
            << true << 3000 << QStringLiteral("3000 g = 3 kg [ ] g") << QStringLiteral("0");
    }
    void unitConversionsKeepTheirKeys() {
        QFETCH(bool, toMixed);
        QFETCH(int, amount);
        QFETCH(QString, text);
        QFETCH(QString, key);
        const bank::kit::UnitPair kg{
            QStringLiteral("kg"), QStringLiteral("g"), 1000,
            [](int g) { return QStringLiteral("%1 kg %2 g").arg(g / 1000).arg(g % 1000); }};
        const Question q = toMixed ? bank::kit::SmallToMixed(kg, amount, 2)
                                   : bank::kit::MixedToSmall(kg, amount, 2);
        QCOMPARE(PlainText(QString(q.html).replace(bank::kit::Gap(), QStringLiteral("[ ]"))), text);
        QCOMPARE(q.blanks.size(), 1);
        QCOMPARE(q.blanks.at(0).key, key);
        QCOMPARE(q.blanks.at(0).mark, 2);
    }

    void wholeUnitConversionsGoBothWaysFromLevelTwo() {
        const bank::kit::UnitPair m{QStringLiteral("m"), QStringLiteral("cm"), 100, nullptr};
        static const QRegularExpression form(QStringLiteral("^(\\d+) (m|cm) = \\[ \\] (m|cm)$"));
        for (int level = 1; level <= 2; ++level) {
            QSet<QString> directions;
            bank::Rng rng(level);
            for (int i = 0; i < 40; ++i) {
                const Question q = bank::kit::WholeUnits(m, level, rng);
                const QString text =
                    PlainText(QString(q.html).replace(bank::kit::Gap(), QStringLiteral("[ ]")));
                const QRegularExpressionMatch match = form.match(text);
                QVERIFY2(match.hasMatch(), qPrintable(text));
                const int given = match.captured(1).toInt();
                const int answer = q.blanks.at(0).key.toInt();
                QVERIFY(match.captured(2) != match.captured(3));
                if (match.captured(2) == QLatin1String("m"))
                    QCOMPARE(answer, given * 100);
                else
                    QCOMPARE(answer * 100, given);
                directions.insert(match.captured(2));
            }
            QCOMPARE(directions.size(), level == 1 ? 1 : 2);
            QVERIFY(directions.contains(QStringLiteral("m")));
        }
    }

    void fixedChoiceRedrawsUntilTheKeyFits() {
        int calls = 0;
        const bank::kit::FixedMaker fixed = bank::kit::FixedChoice([&calls](int, bank::Rng&) {
            ++calls;
            return bank::kit::Make(QStringLiteral("which?"), {bank::kit::Choice(calls % 4 + 1)});
        });
        bank::Rng rng(1);
        bank::FixedQuestion f{1, 101, 1, {QStringLiteral("3")}, {QStringLiteral("Q")}, {2}};
        const Question q = fixed(f, 1, rng);
        QCOMPARE(calls, 2);
        QCOMPARE(q.blanks.at(0).key, QStringLiteral("3"));
        QCOMPARE(q.blanks.at(0).mark, 2);
        // A fixed question that is not a choice is not made here at all.
        f.kinds = {QStringLiteral("N")};
        QVERIFY(fixed(f, 1, rng).blanks.isEmpty());
        QCOMPARE(calls, 2);
    }

    void optionsPutTheAnswerWhereTheKeySays_data() {
        QTest::addColumn<int>("forced");
        QTest::newRow("first") << 1;
        QTest::newRow("second") << 2;
        QTest::newRow("third") << 3;
        QTest::newRow("fourth") << 4;
        QTest::newRow("anywhere") << 0;
    }
    void optionsPutTheAnswerWhereTheKeySays() {
        QFETCH(int, forced);
        bank::Rng rng(7);
        int key = 0;
        // A repeated distractor and one equal to the answer are dropped.
        const QString html =
            bank::kit::Options(QStringLiteral("right"),
                               {QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("right"),
                                QStringLiteral("y"), QStringLiteral("z")},
                               rng, &key, forced);
        if (forced)
            QCOMPARE(key, forced);
        QVERIFY(key >= 1 && key <= 4);
        static const QRegularExpression row(QStringLiteral("<tr>.*?</td><td>(.*?)</td></tr>"));
        QStringList shown;
        for (auto it = row.globalMatch(html); it.hasNext();)
            shown << it.next().captured(1);
        QCOMPARE(int(shown.size()), 4);
        QCOMPARE(shown.at(key - 1), QStringLiteral("right"));
        QCOMPARE(int(QSet<QString>(shown.begin(), shown.end()).size()), 4);
    }

    void combinedPartsKeepTheirOwnPictures() {
        const QByteArray a = "<svg xmlns=\"http://www.w3.org/2000/svg\"/>";
        const QByteArray b = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"2\"/>";
        const Question first =
            bank::kit::Make(QStringLiteral("<img src=\"pic.svg\"> one"), {bank::kit::Number(1)},
                            {bank::kit::SvgPicture(QStringLiteral("pic.svg"), a)});
        const Question second = bank::kit::Make(
            QStringLiteral("<img src=\"pic.svg\"> two"), {bank::kit::Word(QStringLiteral("two"))},
            {bank::kit::SvgPicture(QStringLiteral("pic.svg"), b)});
        const Question both = bank::kit::Combine(QStringLiteral("<p>Intro</p>"), {first, second});
        QCOMPARE(int(both.blanks.size()), 2);
        QCOMPARE(both.blanks.at(1).key, QStringLiteral("two"));
        QCOMPARE(int(both.pictures.size()), 2);
        QVERIFY(both.pictures.at(0).name != both.pictures.at(1).name);
        for (const bank::Picture& p : both.pictures) {
            QVERIFY2(both.html.contains(QStringLiteral("src=\"%1\"").arg(p.name)),
                     qPrintable(p.name));
        }
        // Each part still shows its own picture.
        QCOMPARE(*PictureNamed(both, both.html.section(QStringLiteral("src=\""), 1, 1)
                                         .section(QLatin1Char('"'), 0, 0)),
                 a);
        QCOMPARE(PartTexts(both), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    }

    // --- every paper of these topics --------------------------------------------

    void papersKeepTheirPlanAndBudget() {
        QCOMPARE(int(AllPapers().size()), 30);
        for (const auto& [paperSpec, questions] : AllPapers()) {
            const QString where = QStringLiteral("paper %1").arg(paperSpec.paperNum);
            QCOMPARE(int(questions.size()), int(paperSpec.blankPlan.size()));
            int marks = 0;
            QSet<QString> texts;
            for (int q = 0; q < questions.size(); ++q) {
                const Question& question = questions.at(q);
                const QString at = where + QStringLiteral(" question %1").arg(q + 1);
                QString signature = question.html;
                for (const bank::Picture& p : question.pictures)
                    signature += QString::fromUtf8(p.data);
                QVERIFY2(!texts.contains(signature), qPrintable(at + " repeats a question"));
                texts.insert(signature);
                QCOMPARE(int(question.blanks.size()), paperSpec.blankPlan.at(q));
                if (question.blanks.size() > 1)
                    QCOMPARE(int(PartTexts(question).size()), int(question.blanks.size()));
                for (const Blank& b : question.blanks) {
                    QVERIFY2(b.mark >= 1 && b.mark <= 3, qPrintable(at));
                    marks += b.mark;
                }
            }
            QVERIFY2(marks >= paperSpec.minMarks && marks <= paperSpec.maxMarks,
                     qPrintable(where + QStringLiteral(": %1 marks").arg(marks)));
        }
    }

    void keysCanBeTypedAndMatchTheirKind() {
        for (const auto& [paperSpec, questions] : AllPapers()) {
            for (int q = 0; q < questions.size(); ++q) {
                const Question& question = questions.at(q);
                const QString at = QStringLiteral("%1.%2").arg(paperSpec.paperNum).arg(q + 1);
                for (const Blank& b : question.blanks) {
                    QVERIFY2(!b.key.contains(QLatin1Char('>')) && !b.key.contains(QLatin1Char('#')),
                             qPrintable(at));
                    QVERIFY2(!b.key.isEmpty() && b.key == b.key.trimmed(), qPrintable(at));
                    if (b.kind == QLatin1String("N")) {
                        QVERIFY2(!std::isnan(KeyValue(b)), qPrintable(at + " " + b.key));
                        QVERIFY2(KeyValue(b) >= 0, qPrintable(at + " " + b.key));
                    } else if (b.kind == QLatin1String("M")) {
                        const QStringList alternatives = Alternatives(b);
                        QVERIFY2(b.key.startsWith(QLatin1Char(';')) && !alternatives.isEmpty(),
                                 qPrintable(at));
                        for (const QString& a : alternatives)
                            QVERIFY2(!a.isEmpty() && a == a.trimmed(),
                                     qPrintable(at + " " + b.key));
                    } else if (b.kind == QLatin1String("Q")) {
                        QVERIFY2(QStringList({"1", "2", "3", "4"}).contains(b.key), qPrintable(at));
                        QCOMPARE(question.html.count(QStringLiteral("<tr>")), 4);
                        QVERIFY2(question.html.contains(QStringLiteral("class=\"options\"")),
                                 qPrintable(at));
                    } else if (b.kind == QLatin1String("T")) {
                        QVERIFY2(!b.key.contains(QLatin1Char(';')), qPrintable(at));
                    } else {
                        QFAIL(qPrintable(at + " has kind " + b.kind));
                    }
                }
            }
        }
    }

    void picturesAreReferencedAndWellFormed() {
        static const QRegularExpression img(QStringLiteral("<img src=\"([^\"]+)\""));
        for (const auto& [paperSpec, questions] : AllPapers()) {
            for (int q = 0; q < questions.size(); ++q) {
                const Question& question = questions.at(q);
                const QString at = QStringLiteral("%1.%2").arg(paperSpec.paperNum).arg(q + 1);
                QSet<QString> referenced;
                for (auto it = img.globalMatch(question.html); it.hasNext();)
                    referenced.insert(it.next().captured(1));
                QSet<QString> names;
                for (const bank::Picture& p : question.pictures) {
                    QVERIFY2(!names.contains(p.name), qPrintable(at + " " + p.name));
                    names.insert(p.name);
                    QCOMPARE(p.mimeType, QStringLiteral("image/svg+xml"));
                    QString error;
                    const QList<Element> svg = ParseSvg(p.data, &error);
                    QVERIFY2(!svg.isEmpty(), qPrintable(at + " " + p.name + ": " + error));
                    QVERIFY(svg.first().number("width") > 0 && svg.first().number("width") <= 620);
                }
                QCOMPARE(referenced, names);
            }
        }
    }

    void generationIsRepeatable() {
        for (const auto& [paperSpec, questions] : AllPapers()) {
            const QList<Question> again = Generate(paperSpec);
            QCOMPARE(int(again.size()), int(questions.size()));
            for (int q = 0; q < questions.size(); ++q) {
                QCOMPARE(again.at(q).html, questions.at(q).html);
                QCOMPARE(int(again.at(q).pictures.size()), int(questions.at(q).pictures.size()));
                for (int p = 0; p < questions.at(q).pictures.size(); ++p)
                    QCOMPARE(again.at(q).pictures.at(p).data, questions.at(q).pictures.at(p).data);
                for (int b = 0; b < questions.at(q).blanks.size(); ++b)
                    QCOMPARE(again.at(q).blanks.at(b).key, questions.at(q).blanks.at(b).key);
            }
        }
    }

    void papersGetHarderWithinATopic() {
        // The largest number a pupil must find grows from paper 1 to paper 5
        // (amounts of money counted in pence).
        for (int topic : {4, 5, 6, 10}) {
            QList<double> biggest;
            for (const auto& [paperSpec, questions] : AllPapers()) {
                if (paperSpec.topic != topic)
                    continue;
                QList<double> values;
                for (const Question& q : questions) {
                    for (const Blank& b : q.blanks) {
                        if (b.kind == QLatin1String("N"))
                            values << KeyValue(b) * (topic == 4 && b.key.contains('.') ? 100 : 1);
                    }
                }
                std::sort(values.begin(), values.end());
                biggest << values.at(values.size() * 3 / 4); // the upper quartile
            }
            QVERIFY2(biggest.first() < biggest.last(),
                     qPrintable(QStringLiteral("topic %1: %2 then %3")
                                    .arg(topic)
                                    .arg(biggest.first())
                                    .arg(biggest.last())));
        }
    }

    // --- keys read back from the pictures ---------------------------------------

    void fixedMoneyQuestionAddsUpToItsKey() {
        const QList<Question> paper = AllPapers().at(3).second; // paper 119
        QCOMPARE(AllPapers().at(3).first.paperNum, 119);
        const Question& q = paper.at(15);
        QCOMPARE(q.blanks.at(0).key, QStringLiteral("24.80"));
        QCOMPARE(q.blanks.at(0).kind, QStringLiteral("N"));
        QCOMPARE(q.blanks.at(0).mark, 2);
        static const QRegularExpression price(QStringLiteral("£(\\d+)\\.(\\d\\d)"));
        int cents = 0, prices = 0;
        for (auto it = price.globalMatch(PlainText(q.html)); it.hasNext(); ++prices) {
            const auto m = it.next();
            cents += m.captured(1).toInt() * 100 + m.captured(2).toInt();
        }
        QCOMPARE(prices, 2);
        QCOMPARE(cents, 2480);
    }

    void clockKeysMatchTheHands() {
        int checked = 0;
        for (const Question& q : QuestionsOfTopic(7)) {
            const QByteArray* pic = PictureNamed(q, QStringLiteral("clock.svg"));
            if (!pic || q.blanks.at(0).kind != QLatin1String("M"))
                continue;
            const QList<Element> svg = ParseSvg(*pic);
            auto [hour, minute] = TimeOnClock(svg);
            const QString text = PlainText(q.html);
            static const QRegularExpression shift(QStringLiteral(
                "(?:(\\d+) hours? ?)?(?:(\\d+) minutes)? (later|earlier)"));
            const auto m = shift.match(text);
            if (m.hasMatch()) {
                const int step = (m.captured(1).toInt() * 60 + m.captured(2).toInt()) *
                                 (m.captured(3) == "later" ? 1 : -1);
                const int t = ((hour % 12) * 60 + minute + step + 720) % 720;
                hour = t / 60 == 0 ? 12 : t / 60;
                minute = t % 60;
            }
            QVERIFY2(Alternatives(q.blanks.at(0)).contains(bank::kit::TimeText(hour, minute)),
                     qPrintable(q.blanks.at(0).key + " vs " + bank::kit::TimeText(hour, minute)));
            ++checked;
        }
        QVERIFY(checked >= 20);
    }

    void twoClockKeysMatchTheHands() {
        int checked = 0;
        for (const Question& q : QuestionsOfTopic(7)) {
            const QByteArray* pic = PictureNamed(q, QStringLiteral("clocks.svg"));
            if (!pic)
                continue;
            const QList<Element> svg = ParseSvg(*pic);
            const auto start = TimeOnClock(svg, 0);
            const auto end = TimeOnClock(svg, 1);
            const int minutes = ((end.first % 12) * 60 + end.second - (start.first % 12) * 60 -
                                 start.second + 720) %
                                720;
            const QStringList parts = PartTexts(q);
            for (int i = 0; i < parts.size(); ++i) {
                const Blank& b = q.blanks.at(i);
                if (parts.at(i).contains(QLatin1String("How many minutes")) ||
                    parts.at(i).contains(QLatin1String("How long is the lesson")))
                    QCOMPARE(KeyValue(b), double(minutes));
                else if (parts.at(i).contains(QLatin1String("start?")))
                    QVERIFY(
                        Alternatives(b).contains(bank::kit::TimeText(start.first, start.second)));
                else if (parts.at(i).contains(QLatin1String("finish?")))
                    QVERIFY(Alternatives(b).contains(bank::kit::TimeText(end.first, end.second)));
                else
                    continue;
                ++checked;
            }
        }
        QVERIFY(checked >= 10);
    }

    void scaleKeysMatchThePointer() {
        int checked = 0;
        for (const Question& q : QuestionsOfTopic(5)) {
            const QByteArray* pic = PictureNamed(q, QStringLiteral("scale.svg"));
            if (!pic)
                continue;
            const QList<Element> svg = ParseSvg(*pic);
            double max = 0;
            for (const Element& n : WithClass(svg, QStringLiteral("dial-label")))
                max = std::max(max, n.text.toDouble());
            const double angle = Direction(WithClass(svg, QStringLiteral("pointer")).at(0));
            const double signedAngle = angle > 180 ? angle - 360 : angle;
            double value = (signedAngle + 150.0) / 300.0 * max;
            bool kg = false;
            for (const Element& e : svg)
                kg = kg || (e.name == QLatin1String("text") && e.text == QLatin1String("kg"));
            const QString first = PartTexts(q).at(0);
            if (kg && (PlainText(q.html).contains(QLatin1String("in grams")) ||
                       first.contains(QLatin1String(" g"))))
                value *= 1000;
            QVERIFY2(
                std::fabs(KeyValue(q.blanks.at(0)) - value) < max / 600.0 * (kg ? 1000 : 1),
                qPrintable(
                    QStringLiteral("key %1, pointer at %2").arg(q.blanks.at(0).key).arg(value)));
            ++checked;
        }
        QVERIFY(checked >= 15);
    }

    void rulerKeysMatchTheObjects() {
        int checked = 0;
        for (const Question& q : QuestionsOfTopic(6)) {
            const QByteArray* pic = PictureNamed(q, QStringLiteral("ruler.svg"));
            if (!pic)
                continue;
            const QList<Element> svg = ParseSvg(*pic);
            const QList<Element> numbers = WithClass(svg, QStringLiteral("ruler-number"));
            const double zero = numbers.at(0).number("x");
            const double perCm = numbers.at(1).number("x") - zero;
            const QList<Element> ends = WithClass(svg, QStringLiteral("end-mark"));
            // Lengths in millimetres: objects end on whole or half centimetres,
            // or on millimetres where the ruler shows them.
            QList<int> lengths;
            for (int i = 0; i + 1 < ends.size(); i += 2) {
                const double mm = (ends.at(i + 1).number("x1") - ends.at(i).number("x1")) / perCm * 10;
                QVERIFY(std::fabs(mm - std::round(mm)) < 0.01);
                lengths << int(std::lround(mm));
            }
            const QStringList parts = PartTexts(q);
            for (int i = 0; i < parts.size(); ++i) {
                // The key in the unit written beside the box.
                const double key = KeyValue(q.blanks.at(i)) * (parts.at(i).endsWith(QLatin1String("mm")) ||
                                                                       parts.at(i).contains(QLatin1String(" mm "))
                                                                   ? 1
                                                                   : 10);
                if (parts.at(i).contains(QLatin1String("longer")) ||
                    parts.at(i).contains(QLatin1String("shorter")))
                    QCOMPARE(key, double(std::abs(lengths.at(0) - lengths.at(1))));
                else if (parts.at(i).contains(QLatin1String("together")))
                    QCOMPARE(key, double(lengths.at(0) + lengths.at(1)));
                else if (lengths.size() == 1)
                    QCOMPARE(key, double(lengths.at(0)));
                else
                    QVERIFY(key == lengths.at(0) || key == lengths.at(1));
                ++checked;
            }
        }
        QVERIFY(checked >= 20);
    }

    void moneyKeysMatchTheCoins() {
        int checked = 0;
        for (const Question& q : QuestionsOfTopic(4)) {
            const QByteArray* pic = PictureNamed(q, QStringLiteral("money.svg"));
            if (!pic)
                continue;
            int cents = 0;
            for (const Element& e : WithClass(ParseSvg(*pic), QStringLiteral("money"))) {
                if (e.text.startsWith(QStringLiteral("£")))
                    cents += e.text.mid(1).toInt() * 100;
                else
                    cents += e.text.chopped(1).toInt();
            }
            const bool inPounds = q.html.contains(QStringLiteral("£ <span"));
            QCOMPARE(std::lround(KeyValue(q.blanks.at(0)) * (inPounds ? 100 : 1)), long(cents));
            ++checked;
        }
        QVERIFY(checked >= 10);
    }

    void gridAndCubeKeysMatchThePicture() {
        int checked = 0;
        for (const Question& q : QuestionsOfTopic(10)) {
            const QStringList parts = PartTexts(q);
            if (const QByteArray* grid = PictureNamed(q, QStringLiteral("grid.svg"))) {
                const QList<Element> svg = ParseSvg(*grid);
                const int cells = int(WithClass(svg, QStringLiteral("cell")).size());
                const int outline = int(WithClass(svg, QStringLiteral("outline")).size());
                for (int i = 0; i < parts.size(); ++i) {
                    // An answer in square cm is the shape's area; one in cm
                    // its perimeter, unless the part is about another rectangle.
                    const QString& part = parts.at(i);
                    if (part.contains(QLatin1String("square cm")))
                        QCOMPARE(KeyValue(q.blanks.at(i)), double(cells));
                    else if (part.contains(QLatin1String(" cm")) &&
                             !part.contains(QLatin1String("rectangle")))
                        QCOMPARE(KeyValue(q.blanks.at(i)), double(outline));
                    else
                        continue;
                    ++checked;
                }
            }
            if (const QByteArray* cubes = PictureNamed(q, QStringLiteral("cubes.svg"))) {
                const int count = int(WithClass(ParseSvg(*cubes), QStringLiteral("cube")).size());
                for (int i = 0; i < parts.size(); ++i) {
                    if (parts.at(i).contains(QLatin1String("volume"))) {
                        QCOMPARE(KeyValue(q.blanks.at(i)), double(count));
                        ++checked;
                    }
                }
            }
        }
        QVERIFY(checked >= 40);
    }

    void pictureGraphKeysMatchTheGraph() {
        int checked = 0;
        for (const Question& q : QuestionsOfTopic(8)) {
            const QList<Element> svg = ParseSvg(*PictureNamed(q, QStringLiteral("graph.svg")));
            QStringList labels;
            for (const Element& e : WithClass(svg, QStringLiteral("row-label")))
                labels << e.text;
            const int per = WithClass(svg, QStringLiteral("key"))
                                .at(0)
                                .text.section(QLatin1Char(' '), 2, 2)
                                .toInt();
            QList<double> values(labels.size(), 0.0);
            for (const Element& e : svg) {
                if (e.name != QLatin1String("g"))
                    continue;
                const int row = e.attributes.value(QStringLiteral("data-row")).toInt();
                if (e.cls() == QLatin1String("symbol"))
                    values[row] += per;
                else if (e.cls() == QLatin1String("half-symbol"))
                    values[row] += per / 2.0;
            }
            const int top = int(std::max_element(values.begin(), values.end()) - values.begin());
            const int bottom = int(std::min_element(values.begin(), values.end()) - values.begin());
            // The row a part names, or -1.
            const auto rowIn = [&](const QString& part) {
                for (int r = 0; r < labels.size(); ++r) {
                    if (part.contains(QLatin1Char(' ') + labels.at(r) + QLatin1Char(' ')) ||
                        part.contains(QLatin1Char(' ') + labels.at(r) + QLatin1Char('?')))
                        return r;
                }
                return -1;
            };
            static const QRegularExpression fewer(QStringLiteral("(\\d+) fewer "));
            const QStringList parts = PartTexts(q);
            for (int i = 0; i < parts.size(); ++i) {
                const QString& part = parts.at(i);
                const Blank& b = q.blanks.at(i);
                const QStringList answers =
                    b.kind == QLatin1String("M") ? Alternatives(b) : QStringList{b.key};
                const auto named = [&](int row) { return answers.contains(labels.at(row)); };
                const auto f = fewer.match(part);
                if (part.contains(QLatin1String(" the most ")) && !f.hasMatch()) {
                    QVERIFY2(named(top), qPrintable(part));
                } else if (part.contains(QLatin1String(" the fewest "))) {
                    QVERIFY2(named(bottom), qPrintable(part));
                } else if (f.hasMatch()) {
                    const int than = rowIn(part);
                    const double wanted = values.at(than) - f.captured(1).toInt();
                    QVERIFY2(values.count(wanted) == 1, qPrintable(part));
                    QVERIFY2(named(int(values.indexOf(wanted))), qPrintable(part + " " + b.key));
                } else if (part.startsWith(QLatin1String("How many")) &&
                           !part.contains(QLatin1String("more")) &&
                           !part.contains(QLatin1String("altogether")) &&
                           !part.contains(QLatin1String(" or ")) &&
                           !part.contains(QLatin1String("pictures")) &&
                           !part.contains(QLatin1String("symbols")) &&
                           !part.contains(QLatin1String(" in the "))) {
                    const int row = rowIn(part);
                    QVERIFY2(row >= 0, qPrintable(part));
                    QCOMPARE(KeyValue(b), values.at(row));
                } else {
                    continue;
                }
                ++checked;
            }
        }
        QVERIFY(checked >= 60);
    }
};

QTEST_APPLESS_MAIN(TestBankTopics)
#include "test_bank_topics.moc"
