#include "Examples.h"
#include "Pictures.h"
#include "Svg.h"

#include <QTest>
#include <QXmlStreamReader>
#include <cmath>

using bank::pictures::drawPicture;
using bank::pictures::Read;
using bank::pictures::examples::describe;
using bank::pictures::examples::goodExamples;

namespace {

QVariantMap example(const QString& name) {
    for (const QVariantMap& m : goodExamples()) {
        if (m.value("name").toString() == name)
            return m;
    }
    qFatal("no example %s", qPrintable(name));
}

struct Element {
    QString name;
    QXmlStreamAttributes attributes;
    QString text; // of a <text>
};

// Every element of a document, in order; fails the test on a malformed one.
QList<Element> elementsOf(const QByteArray& svg) {
    QList<Element> out;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        out << Element{xml.name().toString(), xml.attributes(), QString()};
        if (out.last().name == QLatin1String("text"))
            out.last().text = xml.readElementText();
    }
    if (xml.hasError())
        qWarning("%s at line %lld", qPrintable(xml.errorString()), xml.lineNumber());
    return xml.hasError() ? QList<Element>() : out;
}

double attr(const Element& e, const char* name) {
    return e.attributes.value(QLatin1String(name)).toDouble();
}

bool near(double a, double b, double within = 0.01) {
    return std::fabs(a - b) < within;
}

// The first element of the class, or of the lettering, in a drawing.
Element find(const QList<Element>& elements, const QString& cls) {
    for (const Element& e : elements) {
        if (e.attributes.value(QLatin1String("class")) == cls)
            return e;
    }
    return {};
}
Element lettering(const QList<Element>& elements, const QString& text) {
    for (const Element& e : elements) {
        if (e.name == QLatin1String("text") && e.text == text)
            return e;
    }
    return {};
}

QList<Element> drawn(const QVariantMap& picture) {
    return elementsOf(drawPicture(picture).svg);
}

int countClass(const QVariantMap& picture, const char* cls) {
    int n = 0;
    for (const Element& e : drawn(picture))
        n += e.attributes.value(QLatin1String("class")) == QLatin1String(cls);
    return n;
}

// What the picture reads, or why it refuses to.
QString reading(const QVariantMap& picture, const QString& function,
                const QString& argument = QString()) {
    QString error;
    const QString value = Read(picture, function, argument, &error);
    return value.isEmpty() ? "refused: " + error : value;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyTypeDrawsAReadableDocument() {
        for (const QVariantMap& picture : goodExamples()) {
            const QString name = picture.value("name").toString();
            const auto result = drawPicture(picture);
            QVERIFY2(result.error.isEmpty(), qPrintable(name + ": " + result.error));
            // The same bytes each time, whatever the alt; a number in a
            // locale's decimal comma would show.
            QVariantMap other = picture;
            other.insert("alt", "something else");
            QVERIFY2(drawPicture(other).svg == result.svg, qPrintable(name));
            QVERIFY2(!result.svg.contains("e+") && !result.svg.contains(",5 "), qPrintable(name));
            const QList<Element> elements = elementsOf(result.svg);
            QVERIFY2(!elements.isEmpty(), qPrintable(name));
            QCOMPARE(elements.first().name, "svg");
            const double width = attr(elements.first(), "width");
            const double height = attr(elements.first(), "height");
            QVERIFY2(width > 50 && width <= 800 && height > 50 && height <= 900, qPrintable(name));
            for (const Element& e : elements) {
                if (e.name != QLatin1String("text"))
                    continue;
                // Large enough for a young reader, and inside the picture
                // (the bar chart's turned axis label is placed by its transform).
                QVERIFY2(attr(e, "font-size") >= 16, qPrintable(name));
                if (e.attributes.hasAttribute(QLatin1String("transform")))
                    continue;
                const double x = attr(e, "x"), y = attr(e, "y");
                QVERIFY2(x >= 0 && x <= width && y > 10 && y <= height,
                         qPrintable(QStringLiteral("%1: text at %2, %3").arg(name).arg(x).arg(y)));
                // The whole label, as wide as the layout reckons it.
                const QStringView anchor = e.attributes.value(QLatin1String("text-anchor"));
                const double w = bank::pictures::textWidth(
                    e.text, attr(e, "font-size"),
                    e.attributes.value(QLatin1String("font-weight")) == QLatin1String("bold"));
                const double left = anchor == QLatin1String("middle") ? x - w / 2
                                    : anchor == QLatin1String("end")  ? x - w
                                                                      : x;
                QVERIFY2(left >= 0 && left + w <= width,
                         qPrintable(QStringLiteral("%1: \"%2\" runs from %3 to %4 of %5")
                                        .arg(name, e.text)
                                        .arg(left)
                                        .arg(left + w)
                                        .arg(width)));
            }
        }
    }

    void spoiledFieldsAreRefusedOrDrawnNeverBroken() {
        // Each field of each example left out (the invalid QVariant) or
        // replaced by something wrong.
        const QVariantList spoils = {
            QVariant(),       "x", "-1", "0", "0.5", "99999", QVariantList(), QVariantMap(),
            QVariantList{"1"}};
        int refused = 0;
        for (const QVariantMap& good : goodExamples()) {
            for (const QString& key : good.keys()) {
                if (key == QLatin1String("name") || key == QLatin1String("type"))
                    continue;
                for (const QVariant& spoil : spoils) {
                    QVariantMap picture = good;
                    if (spoil.isValid())
                        picture.insert(key, spoil);
                    else
                        picture.remove(key);
                    const auto result = drawPicture(picture);
                    if (!result.error.isEmpty()) {
                        ++refused;
                        QVERIFY(result.svg.isEmpty());
                        QVERIFY2(result.error.contains("field \"") ||
                                     result.error.contains("pixels"),
                                 qPrintable(result.error));
                        continue;
                    }
                    const QList<Element> elements = elementsOf(result.svg);
                    QVERIFY2(!elements.isEmpty(), qPrintable(key));
                    QVERIFY(attr(elements.first(), "width") <= 800);
                    QVERIFY(attr(elements.first(), "height") <= 900);
                }
            }
        }
        QVERIFY(refused > 500);
    }

    void badDescriptionsAreRefusedByField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("json");
        QTest::addColumn<QString>("why"); // a part of what the error says besides
        int n = 0;
        const auto row = [&](const char* field, const char* json, const char* why = "") {
            const QString type = describe(json).value("type").toString();
            QTest::addRow("%d %s %s", ++n, qPrintable(type), field) << field << json << why;
        };
        row("type", R"({"name": "p", "type": "abacus"})");
        row("type", R"({"name": "p", "hour": 3})");
        row("minute", R"({"type": "clock", "hour": 3, "minutes": 5})",
            R"("minutes" is not a field)");
        row("rows[1].colour",
            R"({"type": "tally", "rows": [{"label": "a", "value": 3, "colour": "red"}]})");
        row("minute", R"({"type": "clock", "hour": 3, "minute": 60})");
        row("numerals", R"({"type": "clock", "hour": 3, "minute": 6, "numerals": "greek"})");
        row("time", R"({"type": "digital", "time": "25:10"})");
        row("value",
            R"({"type": "scale", "max": 500, "label_step": 100, "minor": 2, "value": 600, )"
            R"("unit": "g"})");
        row("value",
            R"({"type": "scale", "max": 500, "label_step": 100, "minor": 2, "value": 260, )"
            R"("unit": "g"})");
        row("max",
            R"({"type": "scale", "max": 550, "label_step": 100, "value": 200, "unit": "g"})");
        row("unit",
            R"({"type": "scale", "max": 500, "label_step": 100, "value": 200, "unit": "lb"})");
        row("object", R"({"type": "ruler", "length": 10, "end": 5, "object": " "})");
        row("end", R"({"type": "ruler", "length": 10, "end": 12, "object": "pen"})");
        row("end", R"({"type": "ruler", "length": 10, "start": 4, "end": 3, "object": "pen"})");
        row("end", R"({"type": "ruler", "length": 10, "end": 7.3, "object": "pen"})");
        row("min", R"({"type": "thermometer", "min": -7, "max": 20, "label_step": 5, "value": 0})");
        row("unit", R"({"type": "jug", "max": 500, "label_step": 100, "value": 200})");
        row("pieces[2]", R"({"type": "money", "pieces": [50, 3]})");
        row("tags[1].price",
            R"({"type": "pricetags", "tags": [{"item": "pen", "price": "1.20"}]})");
        row("rows[2].value",
            R"({"type": "pictogram", "symbol": "star", "key": 8, "rows": [ {"label": "a", )"
            R"("value": 8}, {"label": "b", "value": 7}]})");
        row("symbol",
            R"({"type": "pictogram", "symbol": "pumpkin", "key": 2, "rows": [ {"label": "a", )"
            R"("value": 8}]})");
        row("rows[2].label",
            R"({"type": "pictogram", "symbol": "star", "key": 2, "rows": [ {"label": "a", )"
            R"("value": 8}, {"label": "a", "value": 2}]})");
        row("bars[1].value",
            R"({"type": "barchart", "step": 2, "max": 10, "bars": [{"label": "a", "value": 12}]})");
        row("rows[2]", R"({"type": "table", "header": ["a", "b"], "rows": [["x", 1], ["y"]]})");
        row("rows[1]",
            R"({"type": "timetable", "header": ["Stop", "Bus"], "rows": [["Park", "9.15"]]})");
        row("marks[1].at",
            R"({"type": "numberline", "from": 0, "to": 20, "step": 2, "marks": [{"at": 25, )"
            R"("label": "A"}]})");
        row("marks[2]", R"({"type": "numberline", "from": 0, "to": 40, "step": 1, "labels": 10, )"
                        R"("marks": [{"at": 10, "label": "A"}, {"at": 11, "label": "B"}]})");
        row("jumps[1].to",
            R"({"type": "numberline", "from": 0, "to": 10, "step": 1, "jumps": [{"from": 4, )"
            R"("to": 4}]})");
        row("to", R"({"type": "numberline", "from": 0, "to": 25, "step": 10})");
        row("parts[1].size", R"({"type": "barmodel", "parts": [{"label": "a", "size": 0}]})");
        row("digits", R"({"type": "placevalue", "columns": ["T", "O"], "digits": "345"})");
        row("ringed",
            R"({"type": "objects", "groups": [{"count": 3, "label": "egg"}], "ringed": 4})");
        row("first_weekday",
            R"({"type": "calendar", "month": "March", "year": 2026, "first_weekday": 1, )"
            R"("days": 31})");
        row("days", R"({"type": "calendar", "month": "April", "year": 2026, "first_weekday": 3, )"
                    R"("days": 31})");
        row("shapes[1].cells",
            R"({"type": "grid", "columns": 4, "rows": 4, "shapes": [{"cells": [[1,1],[4,1]]}]})");
        row("shapes[2].cells",
            R"({"type": "grid", "columns": 4, "rows": 4, "shapes": [{"cells": [[1,1]]}, )"
            R"({"cells": [[1,1]]}]})");
        row("shapes[1].half_squares",
            R"({"type": "grid", "columns": 4, "rows": 4, "shapes": [{"cells": [[1,1]], )"
            R"("half_squares": [[2,1,"up"]]}]})");
        row("sides[2]",
            R"({"type": "shape", "points": [[0,0],[5,0],[5,3],[0,3]], "sides": ["5 cm", "4 cm", )"
            R"("", ""]})");
        row("sides",
            R"({"type": "shape", "points": [[0,0],[5,0],[5,3],[0,3]], "sides": ["5 cm"]})");
        row("shaded", R"({"type": "fraction", "shape": "bar", "parts": 4, "shaded": 5})");
        row("parts",
            R"({"type": "fraction", "shape": "rectangle", "rows": 2, "columns": 3, "parts": 8, )"
            R"("shaded": 1})");
        row("heights[2]", R"({"type": "cubes", "heights": [[1, 2], [1, -1]]})");
        row("heights[1]", R"({"type": "cubes", "heights": [[1, 3], [3, 3]]})");
        row("heights[1]", R"({"type": "cubes", "heights": [[1, 1], [2, 2]]})");
        row("",
            R"({"type": "table", "header": ["the first long heading", "the second long heading", )"
            R"("the third long heading"], "rows": [["a", "b", "c"]]})",
            "pixels");
        row("shapes[1].name", R"({"type": "shapes2d", "shapes": [{"name": "blob"}]})");
    }

    void badDescriptionsAreRefusedByField() {
        QFETCH(QString, field);
        QFETCH(QString, json);
        QFETCH(QString, why);
        const auto result = drawPicture(describe(json.toUtf8().constData()));
        QVERIFY(result.svg.isEmpty());
        QVERIFY2(field.isEmpty() ||
                     result.error.contains(QStringLiteral("field \"%1\": ").arg(field)),
                 qPrintable(result.error));
        QVERIFY2(result.error.contains(why), qPrintable(result.error));
        // Reading a picture that cannot be drawn fails with the same message.
        QString error;
        QVERIFY(Read(describe(json.toUtf8().constData()), "reading", QString(), &error).isEmpty());
        QCOMPARE(error, result.error);
    }

    // (Readings of the kinds the bank's questions check are also met by the
    // validation of its sources, each against the key written by hand.)
    void measuresReadWhatTheyShow() {
        QCOMPARE(reading(example("clock-bare"), "reading"), "6:00");
        QCOMPARE(reading(example("digital-pm"), "reading"), "7:05 pm");
        QCOMPARE(reading(example("thermo-cold"), "reading"), "-3");
        QCOMPARE(reading(example("jug-l"), "reading"), "2.25");
        QCOMPARE(reading(example("money-notes"), "total"), "8750");
        QCOMPARE(reading(example("line-tenths"), "reading"), "0.3");
        QVERIFY(reading(example("line-jumps"), "reading").contains("no marks"));
        QCOMPARE(reading(example("tags-two"), "count", "notebook"), "120");
        QVERIFY(reading(example("balance-left"), "reading").contains("no reading"));
    }

    void theClockAndScaleShowTheirValues() {
        // The minute hand of 3:25 points at 25 minutes, 150 degrees round.
        const Element hand = find(drawn(example("clock-325")), "minute-hand");
        QVERIFY(near(
            std::atan2(attr(hand, "x2") - attr(hand, "x1"), attr(hand, "y1") - attr(hand, "y2")) *
                180 / M_PI,
            150, 0.5));
        // 250 g on a dial to 500 stands straight up, halfway round 300 degrees.
        QCOMPARE(countClass(example("scale-between"), "pointer"), 1);
        const Element pointer = find(drawn(example("scale-between")), "pointer");
        QVERIFY(near(attr(pointer, "x2"), attr(pointer, "x1")));
        QVERIFY(attr(pointer, "y2") < attr(pointer, "y1"));
    }

    void drawingsStandAtTheirNumbers() {
        // The crayon lies from 2 cm to 9.3 cm: its ends over those places of the ruler.
        QList<Element> ruler = drawn(example("ruler-mm"));
        const double zero = attr(lettering(ruler, "0"), "x");
        const double cm = (attr(lettering(ruler, "10"), "x") - zero) / 10;
        const Element crayon = find(ruler, "object");
        QVERIFY(cm > 20);
        QVERIFY(near(attr(crayon, "x"), zero + 2 * cm));
        QVERIFY(near(attr(crayon, "width"), 7.3 * cm));
        // -3 degrees: the liquid's top three fifths of the way from -5 to 0.
        QList<Element> thermo = drawn(example("thermo-cold"));
        const double minus5 = attr(lettering(thermo, "\u22125"), "y");
        const double nought = attr(lettering(thermo, "0"), "y");
        QVERIFY(near(attr(find(thermo, "liquid"), "y"), minus5 + (nought - minus5) * 2 / 5 - 6.5));
        // Bars in proportion to their values, and standing on the same line.
        QList<double> heights, bottoms;
        for (const Element& e : drawn(example("bars-sport"))) {
            if (e.attributes.value(QLatin1String("class")) == QLatin1String("bar")) {
                heights << attr(e, "height");
                bottoms << attr(e, "y") + attr(e, "height");
            }
        }
        QCOMPARE(heights.size(), 4);
        QVERIFY(near(heights.at(1) / heights.at(0), 11.0 / 8, 1e-3));
        QVERIFY(near(heights.at(2) / heights.at(0), 4.0 / 8, 1e-3));
        QVERIFY(near(bottoms.at(3), bottoms.at(0), 1e-3));
        // The arrow of mark A stands where 70 would be written.
        QList<Element> line = drawn(example("line-marks"));
        const double x0 = attr(lettering(line, "0"), "x"), x100 = attr(lettering(line, "100"), "x");
        QVERIFY(near(attr(find(line, "mark"), "x1"), x0 + 0.7 * (x100 - x0)));
        QVERIFY(lettering(line, "70").name.isEmpty()); // the mark hides the number it asks for
        // Three of four parts shaded; a tenth of the jug is 100 ml.
        QCOMPARE(countClass(example("fraction-bar"), "shaded"), 3);
        QCOMPARE(countClass(example("fraction-bar"), "part"), 1);
        QList<Element> jug = drawn(example("jug-ml"));
        const double y200 = attr(lettering(jug, "200 ml"), "y"),
                     y800 = attr(lettering(jug, "800 ml"), "y");
        QVERIFY(near(attr(find(jug, "liquid"), "y"), y200 + (y800 - y200) * 5 / 6 - 6.5));
    }

    void chartsCountTheirRows() {
        const QVariantMap picto = example("picto-halves");
        QVERIFY(reading(picto, "count", "Zoe").contains("Kevin, Ivan, Mia"));
        // Kevin's 7 at 2 a symbol: three whole symbols and a half one; 10 whole in all.
        int whole = 0, cut = 0;
        for (const Element& e : drawn(picto)) {
            const auto cls = e.attributes.value(QLatin1String("class"));
            whole += cls == QLatin1String("symbol");
            if (cls == QLatin1String("part-symbol")) {
                ++cut;
                QCOMPARE(e.attributes.value(QLatin1String("data-quarters")).toString(), "2");
            }
        }
        QCOMPARE(whole, 10);
        QCOMPARE(cut, 1);
        // A tie has no single answer.
        const QVariantMap tie = describe(R"({"type": "tally", "name": "t", "rows": [
            {"label": "red", "value": 6}, {"label": "blue", "value": 6},
            {"label": "green", "value": 2}]})");
        QVERIFY(reading(tie, "most").contains("red and blue"));
        QCOMPARE(reading(tie, "fewest"), "green");
        // A table's row reading is its last cell; an answer box leaves no total.
        QCOMPARE(reading(example("table-box"), "count", "Ben"), "7");
        QVERIFY(reading(example("table-box"), "total").contains("Cara"));
        QVERIFY(reading(example("table-box"), "count", "Dev").contains("\"Dev\" is not a number"));
        QCOMPARE(reading(example("table-plain"), "most"), "plums");
        QCOMPARE(reading(example("table-plain"), "total"), "72");
        QCOMPARE(countClass(example("table-box"), "answer-box"), 1);
        // A ? left unquoted in a YAML flow list arrives as a map of one empty key.
        const QVariantMap unquoted = describe(R"({"type": "table", "header": ["Name", "Team",
            "Goals"], "rows": [["Asha", "Red", 4], ["Ben", "Blue", 7], ["Cara", "Red", []],
            ["Dev", "Blue", {"": ""}]]})");
        QCOMPARE(drawPicture(unquoted).svg, drawPicture(example("table-box")).svg);
        // A column sum's sign and a frost are shown with a minus sign, and
        // still read as written.
        const QVariantMap signs = describe(R"({"type": "table", "name": "s", "header": ["", "T",
            "O"], "rows": [["", 5, 3], ["-", 2, 8], ["Leeds", "", "-3"]]})");
        const QList<Element> shown = drawn(signs);
        QCOMPARE(lettering(shown, "\u2212").name, "text");
        QCOMPARE(lettering(shown, "\u22123").name, "text");
        QVERIFY(lettering(shown, "-").name.isEmpty());
        QCOMPARE(reading(signs, "count", "Leeds"), "-3");
    }

    void shapesMeasureThemselves() {
        const QVariantMap halves = example("grid-halves");
        QVERIFY(reading(halves, "squares").contains("2 shapes"));
        QCOMPARE(countClass(halves, "half-square"), 2);
        QCOMPARE(countClass(halves, "square"), 9);
        QVERIFY(reading(halves, "perimeter", "A").contains("half squares"));
        const QVariantMap half = describe(R"({"type": "grid", "columns": 3, "rows": 3,
            "shapes": [{"cells": [[0,0]], "half_squares": [[1,0,"nw"]]}]})");
        QCOMPARE(reading(half, "squares"), "1.5");
        QCOMPARE(reading(example("shape-l"), "squares"), "14");
        QCOMPARE(reading(example("shape-triangle"), "perimeter"), "16");
        QCOMPARE(reading(example("fraction-rect"), "shaded"), "4/10");
        QCOMPARE(countClass(example("cubes-steps"), "cube"), 10);
    }

    void groupsAndNumbersRead() {
        QCOMPARE(reading(example("objects-ringed"), "count", "ringed"), "3");
        QCOMPARE(reading(example("objects-ringed"), "total"), "12");
        QCOMPARE(reading(example("objects-groups"), "count", "eggs"), "15");
        QCOMPARE(reading(example("array-stars"), "total"), "24");
        QCOMPARE(reading(example("pv-digits"), "reading"), "3405");
        QCOMPARE(reading(example("pv-counters"), "reading"), "337");
        QVERIFY(reading(example("pv-missing"), "reading").contains("missing"));
        QCOMPARE(countClass(example("pv-counters"), "counter"), 22);
        // A long heading stays inside its own column.
        const QList<Element> decimals = drawn(example("pv-decimals"));
        const Element hundredths = lettering(decimals, "Hundredths");
        const double half = bank::pictures::textWidth(hundredths.text, 22) / 2;
        int holding = 0;
        for (const Element& e : decimals) {
            holding += e.name == QLatin1String("rect") && attr(e, "height") == 50 &&
                       attr(e, "x") <= attr(hundredths, "x") - half &&
                       attr(hundredths, "x") + half <= attr(e, "x") + attr(e, "width");
        }
        QCOMPARE(holding, 1);
        QCOMPARE(reading(example("calendar-march"), "count", "Monday"), "5");
        QCOMPARE(reading(example("calendar-march"), "count", "Sunday"), "5");
        QCOMPARE(reading(example("calendar-march"), "count", "Friday"), "4");
        QCOMPARE(reading(example("shapes-mixed"), "count", "hexagon"), "1");
        QCOMPARE(countClass(example("objects-ringed"), "ring"), 3);
    }
};

QTEST_APPLESS_MAIN(TestPictures)
#include "test_pictures.moc"
