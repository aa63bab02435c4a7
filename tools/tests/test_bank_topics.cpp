// The bank's pictures and topics 4 to 8 and 10: the SVG and topic helpers, and
// every key a picture decides re-derived from the picture's geometry.
#include "Bank.h"
#include "NumberTopicKit.h"
#include "SvgExtra.h"
#include "TopicKit.h"
#include "bank_questions.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>
#include <cmath>

using bank::Blank;
using bank::Question;

namespace {

struct Element {
    QString name;
    QMap<QString, QString> attributes;
    QString text;
    double number(const char* attribute) const {
        return attributes.value(QString::fromLatin1(attribute)).toDouble();
    }
    QString cls() const { return attributes.value(QStringLiteral("class")); }
};

// Every element of the document in order (well-formedness is the content
// tool's check over the whole store).
QList<Element> ParseSvg(const QByteArray& svg) {
    QList<Element> out;
    QXmlStreamReader xml(svg);
    QList<int> open; // indexes of the open elements
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            Element e;
            e.name = xml.name().toString();
            for (const QXmlStreamAttribute& a : xml.attributes())
                e.attributes.insert(a.name().toString(), a.value().toString());
            open << int(out.size());
            out << e;
        } else if (xml.isCharacters() && !open.isEmpty()) {
            out[open.last()].text += xml.text().toString();
        } else if (xml.isEndElement()) {
            open.removeLast();
        }
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

// The time shown by a clock of the picture, read off its hands: minutes past 12.
int TimeOnClock(const QList<Element>& svg, int index = 0) {
    const Element hourHand = WithClass(svg, QStringLiteral("hour-hand")).at(index);
    const Element minuteHand = WithClass(svg, QStringLiteral("minute-hand")).at(index);
    const int minute = int(std::lround(Direction(minuteHand) / 6.0)) % 60;
    return int(std::lround((Direction(hourHand) - minute * 0.5) / 30.0)) % 12 * 60 + minute;
}

QString TimeText(int minutesPast12) {
    const int t = (minutesPast12 + 720) % 720;
    return bank::kit::TimeText(t < 60 ? 12 : t / 60, t % 60);
}

const QByteArray* PictureNamed(const Question& q, const QString& name) {
    for (const bank::Picture& p : q.pictures) {
        if (p.name == name)
            return &p.data;
    }
    return nullptr;
}

// The questions of a topic that show the named picture, each with it read back.
QList<QPair<Question, QList<Element>>> WithPicture(int topic, const QString& name) {
    QList<QPair<Question, QList<Element>>> out;
    for (const Question& q : QuestionsOf({topic})) {
        if (const QByteArray* data = PictureNamed(q, name))
            out.append({q, ParseSvg(*data)});
    }
    return out;
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

// Each part's text with its blank.
QList<QPair<QString, Blank>> Parts(const Question& q) {
    QList<QPair<QString, Blank>> out;
    for (const QString& text : PartTexts(q))
        out.append({text, q.blanks.at(out.size())});
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
    void fractionCircleGoesOnceRound_data() {
        QTest::addColumn<int>("parts");
        QTest::addColumn<int>("shaded");
        QTest::newRow("one quarter") << 4 << 1;
        QTest::newRow("two halves, none shaded") << 2 << 0;
        QTest::newRow("seven tenths") << 10 << 7;
    }
    void fractionCircleGoesOnceRound() {
        QFETCH(int, parts);
        QFETCH(int, shaded);
        // The slices start at twelve o'clock, each where the last one ended,
        // and the last ends at twelve again: once round, no gaps.
        const QList<Element> svg = ParseSvg(
            bank::svg::Document(200, 200, bank::svg::FractionCircle(parts, shaded, 100, 100, 80)));
        QCOMPARE(int(WithClass(svg, QStringLiteral("shaded")).size()), shaded);
        QString from = QStringLiteral("100 20");
        int slices = 0;
        for (const Element& e : svg) {
            if (e.name != QLatin1String("path"))
                continue;
            const QStringList d = e.attributes.value(QStringLiteral("d")).split(QLatin1Char(' '));
            QCOMPARE(d.mid(0, 3).join(QLatin1Char(' ')), QStringLiteral("M 100 100"));
            QCOMPARE(d.mid(4, 2).join(QLatin1Char(' ')), from);
            from = d.mid(12, 2).join(QLatin1Char(' '));
            ++slices;
        }
        QCOMPARE(slices, parts);
        QCOMPARE(from, QStringLiteral("100 20"));
    }

    void numbersAreWrittenOut_data() {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("expected");
        QTest::newRow("pence alone") << bank::kit::Money(5) << QStringLiteral("5p");
        QTest::newRow("whole pound") << bank::kit::Money(100) << QStringLiteral("\u00a31.00");
        QTest::newRow("pence under ten") << bank::kit::Money(305) << QStringLiteral("\u00a33.05");
        QTest::newRow("key in pounds") << bank::kit::PoundKey(5) << QStringLiteral("0.05");
        QTest::newRow("zero in words") << bank::numkit::Words(0) << QStringLiteral("zero");
        QTest::newRow("teens") << bank::numkit::Words(19) << QStringLiteral("nineteen");
        QTest::newRow("a whole ten has no hyphen")
            << bank::numkit::Words(20) << QStringLiteral("twenty");
        QTest::newRow("tens and ones") << bank::numkit::Words(47) << QStringLiteral("forty-seven");
    }
    void numbersAreWrittenOut() {
        QFETCH(QString, written);
        QFETCH(QString, expected);
        QCOMPARE(written, expected);
    }

    void timesTakeEveryFairSpelling_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QStringList>("accepted");
        QTest::addColumn<QStringList>("refused");
        QTest::newRow("half past seven")
            << 7 << 30 << QString() << QStringList{"7.30", "7:30"} << QStringList{"7.3", "730"};
        QTest::newRow("five past twelve, leading zero")
            << 12 << 5 << QString() << QStringList{"12.05", "12:05"} << QStringList{"12.5"};
        QTest::newRow("whole hour")
            << 7 << 0 << QString() << QStringList{"7.00", "7:00", "7 o'clock", "7"}
            << QStringList{};
        QTest::newRow("afternoon needs pm")
            << 3 << 40 << QStringLiteral("pm")
            << QStringList{"3.40pm", "3.40 pm", "3:40 p.m.", "3:40pm"}
            << QStringList{"3.40", "3.40 am"};
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

    void optionsPutTheAnswerWhereTheKeySays() {
        static const QRegularExpression row(QStringLiteral("<tr>.*?</td><td>(.*?)</td></tr>"));
        for (int forced = 0; forced <= 4; ++forced) { // 0: anywhere
            bank::Rng rng(7);
            int key = 0;
            // A repeated distractor and one equal to the answer are dropped.
            const QString html =
                bank::kit::Options("right", {"x", "x", "right", "y", "z"}, rng, &key, forced);
            QVERIFY(forced == 0 ? key >= 1 && key <= 4 : key == forced);
            QStringList shown;
            for (auto it = row.globalMatch(html); it.hasNext();)
                shown << it.next().captured(1);
            QCOMPARE(int(shown.size()), 4);
            QCOMPARE(shown.at(key - 1), QStringLiteral("right"));
            QCOMPARE(int(QSet<QString>(shown.begin(), shown.end()).size()), 4);
        }
    }

    void fixedMoneyQuestionAddsUpToItsKey() {
        // Paper 119, question 16: the sample record 25414 with the key 24.80.
        const Question q = QuestionsOf({4}).at(3 * 20 + 15);
        QCOMPARE(q.blanks.at(0).key, QStringLiteral("24.80"));
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
        static const QRegularExpression shift(
            QStringLiteral("(?:(\\d+) hours? ?)?(?:(\\d+) minutes)? (later|earlier)"));
        int checked = 0;
        for (const Question& q : QuestionsOf({7})) {
            const QByteArray* one = PictureNamed(q, QStringLiteral("clock.svg"));
            const QByteArray* two = PictureNamed(q, QStringLiteral("clocks.svg"));
            if (!one && !two)
                continue;
            const QList<Element> svg = ParseSvg(one ? *one : *two);
            // A pupil tells the hands apart by their length and reads them
            // against the 12 straight above the centre.
            const QList<Element> hourHands = WithClass(svg, QStringLiteral("hour-hand"));
            const QList<Element> minuteHands = WithClass(svg, QStringLiteral("minute-hand"));
            QList<Element> twelves;
            for (const Element& e : svg) {
                if (e.name == QLatin1String("text") &&
                    (e.text == QLatin1String("12") || e.text == QLatin1String("XII")))
                    twelves << e;
            }
            QCOMPARE(twelves.size(), hourHands.size());
            for (int c = 0; c < hourHands.size(); ++c) {
                const Element& hand = hourHands.at(c);
                QVERIFY(Length(hand) < Length(minuteHands.at(c)) * 0.75);
                QVERIFY(std::fabs(twelves.at(c).number("x") - hand.number("x1")) < 0.5);
                QVERIFY(twelves.at(c).number("y") < hand.number("y1"));
            }
            if (one && q.blanks.at(0).kind == QLatin1String("M")) {
                const auto m = shift.match(PlainText(q.html));
                const int step = (m.captured(1).toInt() * 60 + m.captured(2).toInt()) *
                                 (m.captured(3) == QLatin1String("later") ? 1 : -1);
                const QString time = TimeText(TimeOnClock(svg) + step);
                QVERIFY2(Alternatives(q.blanks.at(0)).contains(time),
                         qPrintable(q.blanks.at(0).key + " vs " + time));
                ++checked;
            }
            if (!two)
                continue;
            const int start = TimeOnClock(svg, 0), end = TimeOnClock(svg, 1);
            for (const auto& [part, b] : Parts(q)) {
                if (part.contains(QLatin1String("How many minutes")) ||
                    part.contains(QLatin1String("How long is the lesson")))
                    QCOMPARE(KeyValue(b), double((end - start + 720) % 720));
                else if (part.contains(QLatin1String("start?")))
                    QVERIFY(Alternatives(b).contains(TimeText(start)));
                else if (part.contains(QLatin1String("finish?")))
                    QVERIFY(Alternatives(b).contains(TimeText(end)));
                else
                    continue;
                ++checked;
            }
        }
        QVERIFY(checked >= 30);
    }

    void scaleKeysMatchThePointer() {
        int checked = 0;
        for (const auto& [q, svg] : WithPicture(5, QStringLiteral("scale.svg"))) {
            // Seen from the centre of the dial's face (its largest circle), the
            // pointer's tip lies between the numbers of its value (the middle of a
            // number's text sits about a third of its size above its baseline).
            QList<QPair<double, double>> at; // each number's middle
            QList<double> values;
            for (const Element& n : WithClass(svg, QStringLiteral("dial-label"))) {
                at << qMakePair(n.number("x"), n.number("y") - n.number("font-size") * 0.36);
                values << n.text.toDouble();
            }
            double cx = 0, cy = 0, r = 0;
            for (const Element& e : svg) {
                if (e.name == QLatin1String("circle") && e.number("r") > r)
                    std::tie(cx, cy, r) = std::tuple(e.number("cx"), e.number("cy"), e.number("r"));
            }
            // Degrees clockwise from straight up: the dial runs from the lower
            // left through the top to the lower right.
            const auto direction = [&](double x, double y) {
                return std::atan2(x - cx, cy - y) * 180.0 / M_PI;
            };
            const Element pointer = WithClass(svg, QStringLiteral("pointer")).at(0);
            const double p = direction(pointer.number("x2"), pointer.number("y2"));
            double value = -1;
            for (int i = 0; i + 1 < at.size() && value < 0; ++i) {
                const double from = direction(at.at(i).first, at.at(i).second);
                const double to = direction(at.at(i + 1).first, at.at(i + 1).second);
                if (p >= from - 1 && p <= to + 1)
                    value =
                        values.at(i) + (p - from) / (to - from) * (values.at(i + 1) - values.at(i));
            }
            const double max = values.last();
            const bool kg = std::any_of(svg.begin(), svg.end(), [](const Element& e) {
                return e.name == QLatin1String("text") && e.text == QLatin1String("kg");
            });
            if (kg && (PlainText(q.html).contains(QLatin1String("in grams")) ||
                       PartTexts(q).at(0).contains(QLatin1String(" g"))))
                value *= 1000;
            QVERIFY2(
                std::fabs(KeyValue(q.blanks.at(0)) - value) < max / 300.0 * (kg ? 1000 : 1),
                qPrintable(
                    QStringLiteral("key %1, pointer at %2").arg(q.blanks.at(0).key).arg(value)));
            ++checked;
        }
        QVERIFY(checked >= 15);
    }

    void rulerKeysMatchTheObjects() {
        int checked = 0;
        for (const auto& [q, svg] : WithPicture(6, QStringLiteral("ruler.svg"))) {
            const QList<Element> numbers = WithClass(svg, QStringLiteral("ruler-number"));
            const double zero = numbers.at(0).number("x");
            const double perCm = numbers.at(1).number("x") - zero;
            const QList<Element> ends = WithClass(svg, QStringLiteral("end-mark"));
            // Lengths in millimetres: objects end on whole or half centimetres,
            // or on millimetres where the ruler shows them.
            QList<int> lengths;
            for (int i = 0; i + 1 < ends.size(); i += 2) {
                const double mm =
                    (ends.at(i + 1).number("x1") - ends.at(i).number("x1")) / perCm * 10;
                QVERIFY(std::fabs(mm - std::round(mm)) < 0.01);
                lengths << int(std::lround(mm));
            }
            for (const auto& [part, b] : Parts(q)) {
                // The key in the unit written beside the box.
                const bool mm =
                    part.endsWith(QLatin1String("mm")) || part.contains(QLatin1String(" mm "));
                const double key = KeyValue(b) * (mm ? 1 : 10);
                if (part.contains(QLatin1String("longer")) ||
                    part.contains(QLatin1String("shorter")))
                    QCOMPARE(key, double(std::abs(lengths.at(0) - lengths.at(1))));
                else if (part.contains(QLatin1String("together")))
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
        for (const auto& [q, svg] : WithPicture(4, QStringLiteral("money.svg"))) {
            int cents = 0;
            for (const Element& e : WithClass(svg, QStringLiteral("money"))) {
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
        for (const auto& [q, svg] : WithPicture(10, QStringLiteral("grid.svg"))) {
            for (const auto& [part, b] : Parts(q)) {
                // An answer in square cm is the shape's area; one in cm its
                // perimeter, unless the part is about another rectangle.
                const QString counted = part.contains(QLatin1String("square cm")) ? "cell"
                                        : part.contains(QLatin1String(" cm")) &&
                                                !part.contains(QLatin1String("rectangle"))
                                            ? "outline"
                                            : "";
                if (counted.isEmpty())
                    continue;
                QCOMPARE(KeyValue(b), double(WithClass(svg, counted).size()));
                ++checked;
            }
        }
        for (const auto& [q, svg] : WithPicture(10, QStringLiteral("cubes.svg"))) {
            for (const auto& [part, b] : Parts(q)) {
                if (part.contains(QLatin1String("volume"))) {
                    QCOMPARE(KeyValue(b), double(WithClass(svg, "cube").size()));
                    ++checked;
                }
            }
        }
        QVERIFY(checked >= 40);
    }

    void pictureGraphKeysMatchTheGraph() {
        int checked = 0;
        for (const auto& [q, svg] : WithPicture(8, QStringLiteral("graph.svg"))) {
            QStringList labels;
            for (const Element& e : WithClass(svg, QStringLiteral("row-label")))
                labels << e.text;
            const QString key = WithClass(svg, QStringLiteral("key")).at(0).text;
            const int per = key.section(QLatin1Char(' '), 2, 2).toInt();
            QList<double> values(labels.size(), 0.0);
            QSet<QString> clips; // each half symbol is cut by a clip of its own
            for (const Element& e : svg) {
                if (e.name == QLatin1String("clipPath")) {
                    const QString id = e.attributes.value(QStringLiteral("id"));
                    QVERIFY2(!clips.contains(id), qPrintable(id));
                    clips.insert(id);
                }
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
            // A count of one row, not of pictures, a sum or a difference.
            static const QRegularExpression count(
                QStringLiteral("^How many(?!.*(more|altogether| or |pictures|symbols| in the ))"));
            for (const auto& [part, b] : Parts(q)) {
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
                } else if (count.match(part).hasMatch()) {
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
