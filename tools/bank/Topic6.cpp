// Topic 6, Length: measuring with a ruler, centimetres and metres, longer and
// shorter, sums and differences of lengths. Keys are whole numbers of the unit
// the question asks for; "longer"/"shorter" are word answers and a unit name
// takes every fair spelling.

#include "Bank.h"
#include "SvgExtra.h"
#include "TopicKit.h"

#include <cmath>

namespace bank {

namespace {

using namespace kit;

struct Measured {
    const char* name; // "pencil"
    svg::Thing thing;
    double thickness; // drawn height in pixels
};

const QList<Measured> kMeasured = {{"pencil", svg::Thing::Pencil, 20},
                                   {"crayon", svg::Thing::Crayon, 22},
                                   {"ribbon", svg::Thing::Ribbon, 18},
                                   {"straw", svg::Thing::Straw, 14},
                                   {"stick", svg::Thing::Stick, 14}};

const QStringList kNames = {QStringLiteral("Ann"), QStringLiteral("Ben"),  QStringLiteral("Mia"),
                            QStringLiteral("Sam"), QStringLiteral("Lily"), QStringLiteral("Raj"),
                            QStringLiteral("Zoe"), QStringLiteral("Tom")};

constexpr double kPxPerCm = 36;
constexpr double kRulerX = 28; // where the 0 mark lies

// Objects above a 15 cm ruler: each (object, start cm, length cm), drawn one
// above the other, the last one nearest the ruler. Dashed lines drop from
// both ends of each object to the ruler.
QByteArray RulerPicture(const QList<std::tuple<Measured, int, int>>& objects) {
    const double rowH = 44;
    const double rulerY = 16 + rowH * objects.size();
    QString body = svg::Ruler(kRulerX, rulerY, 15, kPxPerCm);
    for (int i = 0; i < objects.size(); ++i) {
        const auto& [m, start, length] = objects.at(i);
        const double x = kRulerX + start * kPxPerCm;
        const double w = length * kPxPerCm;
        const double y = 16 + rowH * i + (rowH - m.thickness) / 2;
        for (const double ex : {x, x + w}) {
            body += svg::Line(ex, y + m.thickness / 2, ex, rulerY, QString::fromLatin1(svg::kFaint),
                              1.5, QStringLiteral("class=\"end-mark\" stroke-dasharray=\"4 3\""));
        }
        body += svg::ThingPicture(m.thing, x, y, w, m.thickness, i + 2);
    }
    return svg::Document(int(kRulerX + 15 * kPxPerCm + 52), int(rulerY + 56), body);
}

Question Measure(int level, Rng& rng) {
    const Measured& m = rng.pick(kMeasured);
    const int start = level <= 2 ? 0 : rng.range(1, 5);
    const int length = rng.range(level <= 1 ? 3 : 4, std::min(14, 15 - start));
    const Picture pic = SvgPicture(QStringLiteral("ruler.svg"), RulerPicture({{m, start, length}}));
    const QString html = P(QStringLiteral("How long is the %1?").arg(QString::fromLatin1(m.name))) +
                         P(html::Img(pic.name, QStringLiteral("a ruler"))) +
                         P(QStringLiteral("The %1 is ").arg(QString::fromLatin1(m.name)) + Gap() +
                           QStringLiteral(" cm long."));
    return Make(html, {Number(length, start == 0 ? 1 : 2)}, {pic});
}

// Two different objects with different lengths for the same ruler.
QList<std::tuple<Measured, int, int>> TwoObjects(int level, Rng& rng) {
    QList<Measured> things = kMeasured;
    rng.shuffle(things);
    const int a = rng.range(4, 14);
    int b = rng.range(3, 13);
    while (b == a)
        b = rng.range(3, 13);
    const int sa = level >= 5 ? rng.range(0, 15 - a) : 0;
    const int sb = level >= 5 ? rng.range(0, 15 - b) : 0;
    return {{things.at(0), sa, a}, {things.at(1), sb, b}};
}

Question CompareOnRuler(int level, Rng& rng) {
    const auto objects = TwoObjects(level, rng);
    const auto& [m1, s1, a] = objects.at(0);
    const auto& [m2, s2, b] = objects.at(1);
    Q_UNUSED(s1);
    Q_UNUSED(s2);
    const Picture pic = SvgPicture(QStringLiteral("ruler.svg"), RulerPicture(objects));
    const QString longName = QString::fromLatin1(a > b ? m1.name : m2.name);
    const QString shortName = QString::fromLatin1(a > b ? m2.name : m1.name);
    const QString html =
        P(QStringLiteral("How much longer is the %1 than the %2?").arg(longName, shortName)) +
        P(html::Img(pic.name, QStringLiteral("a ruler"))) +
        P(QStringLiteral("It is ") + Gap() + QStringLiteral(" cm longer."));
    return Make(html, {Number(std::abs(a - b), 2)}, {pic});
}

// "2 m 35 cm", "35 cm", "2 m".
QString MCm(int cm) {
    if (cm < 100)
        return QStringLiteral("%1 cm").arg(cm);
    if (cm % 100 == 0)
        return QStringLiteral("%1 m").arg(cm / 100);
    return QStringLiteral("%1 m %2 cm").arg(cm / 100).arg(cm % 100);
}

Question Convert(int level, Rng& rng) {
    static const UnitPair m{QStringLiteral("m"), QStringLiteral("cm"), 100, MCm};
    switch (level) {
    case 1:
    case 2:
        return WholeUnits(m, level, rng);
    case 3: {
        const int cm = 100 * rng.range(1, 8) + rng.range(11, 99);
        return MixedToSmall(m, cm, 1);
    }
    default: {
        // Includes the catch of a single-digit remainder: 3 m 5 cm = 305 cm.
        const int cm =
            100 * rng.range(1, 9) + (rng.chance(1, 3) ? rng.range(1, 9) : rng.range(10, 99));
        if (rng.chance(1, 2))
            return SmallToMixed(m, cm, 2);
        return MixedToSmall(m, cm, 2);
    }
    }
}

struct Long {
    const char* name;
    const char* verb; // "is"
};

const QList<Long> kLong = {{"the rope", "is"},  {"the ribbon", "is"}, {"the piece of string", "is"},
                           {"the fence", "is"}, {"the path", "is"},   {"the hose", "is"}};

QPair<int, int> TwoLengths(int level, Rng& rng) {
    return DrawPair([&](int& a, int& b) {
        if (level <= 1) {
            a = rng.range(5, 60);
            b = rng.range(5, 60);
        } else if (level == 2) {
            a = 100 * rng.range(1, 6);
            b = 10 * rng.range(8, 65);
        } else {
            a = rng.range(110, 690);
            b = a + rng.range(-90, 90);
        }
        return a != b && b > 0;
    });
}

QString Written(int cm, int level, Rng& rng) {
    if (level <= 1 || cm < 100 || (level == 2 && cm % 100 != 0) || rng.chance(1, 2))
        return QStringLiteral("%1 cm").arg(cm);
    return MCm(cm);
}

Question LongerOrShorter(int level, Rng& rng) {
    const auto [a, b] = TwoLengths(level, rng);
    QList<Long> things = kLong;
    rng.shuffle(things);
    const QString first = QString::fromLatin1(things.at(0).name);
    const QString second = QString::fromLatin1(things.at(1).name);
    const QString html =
        P(QStringLiteral("%1 is %2 long. %3 is %4 long.")
              .arg(Cap(first), Written(a, level, rng), Cap(second), Written(b, level, rng))) +
        P(QStringLiteral("Is %1 longer or shorter than %2? Write <b>longer</b> or <b>shorter</b>.")
              .arg(second, first));
    return Make(html, {Word(b > a ? QStringLiteral("longer") : QStringLiteral("shorter"),
                            level >= 3 ? 2 : 1)});
}

Question Longest(int level, Rng& rng) {
    const int base = 100 * rng.range(1, 5);
    QList<int> lengths;
    while (lengths.size() < 4) {
        const int cm = base + (level <= 2 ? 10 * rng.range(1, 9) : rng.range(1, 99));
        if (!lengths.contains(cm))
            lengths << cm;
    }
    const bool most = rng.chance(1, 2);
    int best = lengths.at(0);
    for (int cm : lengths)
        best = most ? std::max(best, cm) : std::min(best, cm);
    const auto write = [&](int cm) -> QString {
        return rng.chance(1, 2) ? QStringLiteral("%1 cm").arg(cm) : MCm(cm);
    };
    QStringList others;
    for (int cm : lengths) {
        if (cm != best)
            others << write(cm);
    }
    int key = 0;
    const QString options = Options(write(best), others, rng, &key);
    return Make(P(QStringLiteral("Which length is the %1?")
                      .arg(most ? QStringLiteral("longest") : QStringLiteral("shortest"))) +
                    options + ChooseNote(),
                {Choice(key, level >= 3 ? 2 : 1)});
}

Question Estimate(int, Rng& rng) {
    struct Guess {
        const char* question; // "About how long is a new pencil?"
        int value;
        bool metres;
    };
    static const QList<Guess> guesses = {{"About how long is a new pencil?", 17, false},
                                         {"About how tall is a classroom door?", 2, true},
                                         {"About how long is a paper clip?", 3, false},
                                         {"About how long is a school bus?", 12, true},
                                         {"About how long is a teaspoon?", 14, false},
                                         {"About how long is a football field?", 100, true},
                                         {"About how long is a child's shoe?", 20, false},
                                         {"About how long is a swimming pool?", 25, true},
                                         {"About how wide is your thumb?", 2, false},
                                         {"About how long is a bed?", 2, true}};
    const Guess& g = rng.pick(guesses);
    const QString right = QStringLiteral("%1 %2").arg(g.value).arg(g.metres ? QStringLiteral("m")
                                                                            : QStringLiteral("cm"));
    QStringList wrong;
    if (g.metres) {
        wrong << QStringLiteral("%1 cm").arg(g.value) << QStringLiteral("%1 m").arg(g.value * 10)
              << QStringLiteral("%1 cm").arg(g.value * 10);
    } else {
        wrong << QStringLiteral("%1 m").arg(g.value) << QStringLiteral("%1 cm").arg(g.value * 10)
              << QStringLiteral("%1 m").arg(g.value * 10);
    }
    int key = 0;
    const QString options = Options(right, wrong, rng, &key);
    return Make(P(QString::fromLatin1(g.question)) + options + ChooseNote(), {Choice(key)});
}

Question UnitFor(int, Rng& rng) {
    struct Thing {
        const char* what;
        bool metres;
    };
    static const QList<Thing> things = {
        {"the length of a swimming pool", true}, {"the length of an eraser", false},
        {"the height of a tree", true},          {"the length of your finger", false},
        {"the length of a playground", true},    {"the width of a book", false},
        {"the length of a train", true},         {"the length of a ladybird", false}};
    const Thing& t = rng.pick(things);
    const QStringList spellings =
        t.metres
            ? QStringList{QStringLiteral("m"), QStringLiteral("metres"), QStringLiteral("meters"),
                          QStringLiteral("metre"), QStringLiteral("meter")}
            : QStringList{QStringLiteral("cm"), QStringLiteral("centimetres"),
                          QStringLiteral("centimeters"), QStringLiteral("centimetre"),
                          QStringLiteral("centimeter")};
    return Make(P(QStringLiteral("Would you measure %1 in <b>cm</b> or in <b>m</b>?")
                      .arg(QString::fromLatin1(t.what))),
                {AnyOf(spellings)});
}

Question Total(int level, Rng& rng) {
    const auto [a, b] = TwoLengths(level, rng);
    const QString name = rng.pick(kNames);
    return GapQuestion(
        QStringLiteral("%1 has two ribbons. One is %2 long and the other is %3 long. What is "
                       "their total length?")
            .arg(name, Written(a, level, rng), Written(b, level, rng)),
        QStringLiteral("Together they are "), QStringLiteral(" cm long."),
        Number(a + b, level >= 3 ? 2 : 1));
}

Question Difference(int level, Rng& rng) {
    const auto [a, b] = TwoLengths(level, rng);
    QList<QString> names = kNames;
    rng.shuffle(names);
    return GapQuestion(QStringLiteral("%1 jumps %2. %3 jumps %4. How much farther does %5 jump?")
                           .arg(names.at(0), Written(a, level, rng), names.at(1),
                                Written(b, level, rng), a > b ? names.at(0) : names.at(1)),
                       QString(), QStringLiteral(" cm farther"), Number(std::abs(a - b), 2));
}

Question Pieces(int level, Rng& rng) {
    if (rng.chance(1, 2)) {
        const int each = level == 3 ? rng.range(3, 12) : 5 * rng.range(3, 19);
        const int n = rng.range(3, level == 3 ? 5 : 8);
        return GapQuestion(
            QStringLiteral("Each straw is %1 cm long. %2 straws are put end to end in a line. "
                           "How long is the line?")
                .arg(each)
                .arg(n),
            QStringLiteral("The line is "), QStringLiteral(" cm long."), Number(each * n, 2));
    }
    const int parts = rng.pick(QList<int>{2, 4, 5, 10});
    const int m = rng.range(1, level == 3 ? 1 : 3);
    return GapQuestion(
        QStringLiteral("A piece of wood %1 m long is cut into %2 equal pieces. How long is each "
                       "piece?")
            .arg(m)
            .arg(parts),
        QStringLiteral("Each piece is "), QStringLiteral(" cm long."), Number(m * 100 / parts, 3));
}

Question Remaining(int level, Rng& rng) {
    const int m = rng.range(2, 5);
    // Always less than the whole piece.
    const int used =
        level == 4 ? 10 * rng.range(3, m * 10 - 3) : 100 * rng.range(0, m - 1) + rng.range(5, 95);
    return GapQuestion(QStringLiteral("Mum has %1 m of cloth. She uses %2 to make a bag. How much "
                                      "cloth is left?")
                           .arg(m)
                           .arg(MCm(used)),
                       QString(), QStringLiteral(" cm is left."), Number(m * 100 - used, 3));
}

Question Walk(int level, Rng& rng) {
    const int a = level == 3 ? rng.range(12, 48) : rng.range(120, 480);
    const int b = level == 3 ? rng.range(12, 48) : rng.range(120, 480);
    const int c = level == 3 ? rng.range(12, 48) : rng.range(120, 480);
    const QString unit = level == 3 ? QStringLiteral("cm") : QStringLiteral("m");
    const QString who = level == 3 ? QStringLiteral("An ant") : QStringLiteral("Raj");
    const QString pronoun = level == 3 ? QStringLiteral("it") : QStringLiteral("he");
    return GapQuestion(
        QStringLiteral("%1 walks %2 %5 from A to B, then %3 %5 from B to C, then %4 %5 from C "
                       "to D. How far does %6 walk altogether?")
            .arg(who, QString::number(a), QString::number(b), QString::number(c), unit, pronoun),
        QString(), QLatin1Char(' ') + unit, Number(a + b + c, 2));
}

// A ruler with two things on it, and questions about both.
Question RulerStory(int level, int blanks, Rng& rng) {
    const auto objects = TwoObjects(std::max(level, 3), rng);
    const auto& [m1, s1, a] = objects.at(0);
    const auto& [m2, s2, b] = objects.at(1);
    Q_UNUSED(s1);
    Q_UNUSED(s2);
    const Picture pic = SvgPicture(QStringLiteral("ruler.svg"), RulerPicture(objects));
    const QString n1 = QString::fromLatin1(m1.name), n2 = QString::fromLatin1(m2.name);
    const QString intro = P(QStringLiteral("Look at the %1 and the %2.").arg(n1, n2)) +
                          P(html::Img(pic.name, QStringLiteral("a ruler")));
    const QList<Question> pool = {
        Make(QStringLiteral("How long is the %1? ").arg(n1) + Gap() + QStringLiteral(" cm"),
             {Number(a, 1)}),
        Make(QStringLiteral("How long is the %1? ").arg(n2) + Gap() + QStringLiteral(" cm"),
             {Number(b, 1)}),
        Make(QStringLiteral("How much longer is the %1 than the %2? ")
                     .arg(a > b ? n1 : n2, a > b ? n2 : n1) +
                 Gap() + QStringLiteral(" cm"),
             {Number(std::abs(a - b), 2)}),
        Make(QStringLiteral("The two are put end to end. How long are they together? ") + Gap() +
                 QStringLiteral(" cm"),
             {Number(a + b, 2)}),
    };
    QList<Question> parts;
    for (int k = 0; k < blanks; ++k)
        parts << pool.at(k % pool.size());
    return Combine(intro, parts, {pic});
}

} // namespace

QList<Question> GenerateTopic6(const PaperSpec& paperSpec, Rng& rng) {
    const QList<kit::Maker> makers = {
        {1, 5, Measure, 4},
        {1, 5, Convert, 2},
        {1, 2, Estimate, 1},
        {1, 2, UnitFor, 1},
        {1, 5, LongerOrShorter, 2},
        {3, 5, Longest, 1},
        {2, 5, CompareOnRuler, 2},
        {1, 5, Total, 2},
        {2, 5, Difference, 2},
        {3, 5, Pieces, 2},
        {3, 5, Walk, 1},
        {4, 5, Remaining, 2},
    };
    return kit::BuildPaper(paperSpec, rng, makers, RulerStory, kit::FixedChoice(Longest));
}

} // namespace bank
