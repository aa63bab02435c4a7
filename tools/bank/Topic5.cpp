// Topic 5, Weight: reading dial scales, grams and kilograms, heavier and
// lighter, totals, differences, sharing and what is left. Keys are whole
// numbers of the unit written beside the box; "heavier" and "lighter" are
// word answers.

#include "Bank.h"
#include "MeasureKit.h"
#include "Quantities.h"
#include "SvgExtra.h"
#include "TopicKit.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace bank {

namespace {

using kit::Choice;
using kit::Make;
using kit::Number;
using kit::P;
using kit::SvgPicture;
using kit::Word;
using mk::Child;
using mk::Worked;
using qty::Measure;

constexpr int kGrams = int(Measure::Grams);
const mk::Units kKilograms{QStringLiteral("g"), QStringLiteral("kg"), QStringLiteral("grams"),
                           QStringLiteral("kilograms"), 1000};

struct Goods {
    const char* name; // as the table names it: "bag of flour"
    svg::Thing thing;
};

// Things that sit on a kitchen or bathroom scale.
const QList<Goods> kOnScale = {
    {"parcel", svg::Thing::Parcel},        {"bag of flour", svg::Thing::Bag},
    {"bag of sugar", svg::Thing::Bag},     {"bag of rice", svg::Thing::Bag},
    {"bag of potatoes", svg::Thing::Bag},  {"bag of apples", svg::Thing::Apples},
    {"bag of carrots", svg::Thing::Bag},   {"melon", svg::Thing::Melon},
    {"pumpkin", svg::Thing::Melon},        {"cabbage", svg::Thing::Melon},
    {"pineapple", svg::Thing::Melon},      {"box of books", svg::Thing::Parcel},
    {"watermelon", svg::Thing::Melon},     {"box of cereal", svg::Thing::Parcel},
    {"bag of pasta", svg::Thing::Bag},     {"bag of nuts", svg::Thing::Bag},
    {"loaf of bread", svg::Thing::Parcel}, {"jar of jam", svg::Thing::Parcel},
    {"chicken", svg::Thing::Parcel},       {"school bag", svg::Thing::Bag},
    {"suitcase", svg::Thing::Parcel},      {"bag of sand", svg::Thing::Bag},
};

// Small things for balances and estimates.
const QStringList kSmall = {QStringLiteral("apple"),  QStringLiteral("pear"),
                            QStringLiteral("orange"), QStringLiteral("lemon"),
                            QStringLiteral("potato"), QStringLiteral("onion"),
                            QStringLiteral("tomato"), QStringLiteral("banana")};

QString The(const QString& object) {
    return QStringLiteral("the ") + object;
}
QString A(const QString& object) {
    static const QString vowels = QStringLiteral("aeiou");
    return (vowels.contains(object.at(0)) ? QStringLiteral("an ") : QStringLiteral("a ")) + object;
}

// "2 kg 450 g", "450 g", "3 kg".
QString KgG(int grams) {
    const int kg = grams / 1000, g = grams % 1000;
    if (kg == 0)
        return QStringLiteral("%1 g").arg(g);
    if (g == 0)
        return QStringLiteral("%1 kg").arg(kg);
    return QStringLiteral("%1 kg %2 g").arg(kg).arg(g);
}

// How a weight is written at each level: whole kg, grams, or mixed.
QString Written(int grams, int level, Rng& rng) {
    if (grams % 1000 == 0 && (level <= 2 || rng.chance(1, 2)))
        return QStringLiteral("%1 kg").arg(grams / 1000);
    if (grams < 1000 || level <= 2 || rng.chance(1, 2))
        return QStringLiteral("%1 g").arg(grams);
    return KgG(grams);
}

// A dial: its top, its numbering and marks (in its unit), and the step of
// the weights it shows in grams.
struct Dial {
    double max;
    double labelStep;
    double minorStep;
    QString unit;
    int gramsPerMark;
};

Dial DialFor(int level, Rng& rng) {
    switch (level) {
    case 1:
        return {10, 1, 1, QStringLiteral("kg"), 1000};
    case 2:
        return rng.chance(1, 2) ? Dial{10, 2, 1, QStringLiteral("kg"), 1000}
                                : Dial{20, 5, 1, QStringLiteral("kg"), 1000};
    case 3:
        return {1000, 100, 50, QStringLiteral("g"), 50};
    case 4:
        return rng.chance(1, 2) ? Dial{1000, 200, 50, QStringLiteral("g"), 50}
                                : Dial{2000, 500, 100, QStringLiteral("g"), 100};
    default:
        return rng.chance(1, 2) ? Dial{5, 1, 0.2, QStringLiteral("kg"), 200}
                                : Dial{3, 1, 0.1, QStringLiteral("kg"), 100};
    }
}

int DialGrams(const Dial& d) {
    return int(std::lround(d.unit == QLatin1String("kg") ? d.max * 1000 : d.max));
}
int LabelGrams(const Dial& d) {
    return int(std::lround(d.unit == QLatin1String("kg") ? d.labelStep * 1000 : d.labelStep));
}

// Something of kOnScale whose weight the dial can show, with that weight.
QPair<Goods, int> OnDial(const Dial& d, Rng& rng, const QString& avoid = QString()) {
    QList<Goods> fit;
    for (const Goods& g : kOnScale) {
        if (QLatin1String(g.name) != avoid &&
            mk::Fits(QString::fromLatin1(g.name), kGrams, d.gramsPerMark, d.gramsPerMark,
                     DialGrams(d) - d.gramsPerMark))
            fit << g;
    }
    const Goods g = rng.pick(fit);
    return {g, mk::DrawWithin(QString::fromLatin1(g.name), kGrams, d.gramsPerMark, d.gramsPerMark,
                              DialGrams(d) - d.gramsPerMark, rng)};
}

QString ScaleBody(double x, double r, const Dial& d, int grams, const Goods& g, int colour) {
    const double cx = x + r * 1.25;
    const double objectH = 74;
    const double cy = 10 + objectH - svg::ScaleTrayTop(0, r);
    const double value = d.unit == QLatin1String("kg") ? grams / 1000.0 : grams;
    QString out = svg::ScaleDial(cx, cy, r, d.max, d.labelStep, d.minorStep, value, d.unit);
    const double w = g.thing == svg::Thing::Melon ? 120 : 100;
    out += svg::ThingPicture(g.thing, cx - w / 2, 12, w, objectH - 2, colour);
    return out;
}

double ScaleHeight(double r) {
    return 10 + 74 - svg::ScaleTrayTop(0, r) + r * 1.15 + 12;
}

QString DialNumber(const Dial& d, int grams) {
    if (d.unit == QLatin1String("kg"))
        return QStringLiteral("%1 kg").arg(grams / 1000);
    return QStringLiteral("%1 g").arg(grams);
}

// What the dial looks like, and where the pointer is, without its reading.
QString DialAlt(const Dial& d, int grams, const QString& object) {
    const int label = LabelGrams(d);
    const int marks = label / d.gramsPerMark;
    QString text = QStringLiteral("A scale with %1 on it. The dial goes from 0 to %2 %3, with a "
                                  "number every %4 %3")
                       .arg(object, QString::number(d.max), d.unit, QString::number(d.labelStep));
    text += marks > 1 ? QStringLiteral(" and %1 small spaces between numbers. ").arg(marks)
                      : QStringLiteral(". ");
    if (grams % label == 0)
        return text + QStringLiteral("The pointer points straight at a number.");
    const int below = grams / label * label;
    return text + QStringLiteral("The pointer lies between the numbers %1 and %2.")
                      .arg(DialNumber(d, below), DialNumber(d, below + label));
}

// How to read the dial, ending in its reading in grams.
QStringList ReadSteps(const Dial& d, int grams) {
    const int label = LabelGrams(d);
    const int marks = label / d.gramsPerMark;
    QStringList steps;
    if (marks > 1) {
        steps << QStringLiteral("The numbers go up in %1 %2. Between two numbers there are %3 "
                                "spaces, so each mark is %4 g.")
                     .arg(QString::number(d.labelStep), d.unit)
                     .arg(marks)
                     .arg(d.gramsPerMark);
    } else {
        steps << QStringLiteral("Each mark is %1 %2.").arg(QString::number(d.labelStep), d.unit);
    }
    const int below = grams / label * label;
    const int past = (grams - below) / d.gramsPerMark;
    if (past == 0)
        steps << QStringLiteral("The pointer is at %1.").arg(DialNumber(d, below));
    else
        steps << QStringLiteral("The pointer is %1 mark%2 past %3: %3 + %1 × %4 g = %5.")
                     .arg(past)
                     .arg(past > 1 ? QStringLiteral("s") : QString())
                     .arg(DialNumber(d, below))
                     .arg(d.gramsPerMark)
                     .arg(KgG(grams));
    return steps;
}

Question ReadScale(int level, Rng& rng) {
    const Dial d = DialFor(level, rng);
    const auto [g, grams] = OnDial(d, rng);
    const double r = 130;
    const QString what = QString::fromLatin1(g.name);
    const Picture pic = SvgPicture(QStringLiteral("scale.svg"),
                                   svg::Document(int(r * 2.5), int(ScaleHeight(r)),
                                                 ScaleBody(0, r, d, grams, g, rng.range(0, 6))));
    QString ask;
    switch (rng.range(0, 2)) {
    case 0:
        ask = QStringLiteral("How heavy is %1?").arg(The(what));
        break;
    case 1:
        ask = QStringLiteral("%1 puts %2 on the scale. What does it weigh?")
                  .arg(mk::AnyChild(rng).name, A(what));
        break;
    default:
        ask = QStringLiteral("Read the scale to find the weight of %1.").arg(The(what));
        break;
    }
    QString html = P(ask) + P(html::Img(pic.name, DialAlt(d, grams, A(what))));
    QStringList steps = ReadSteps(d, grams);
    if (d.unit == QLatin1String("kg") && d.gramsPerMark < 1000) {
        steps << QStringLiteral("In grams: %1 = %2 g.").arg(KgG(grams)).arg(grams);
        html +=
            mk::Line(QStringLiteral("Give your answer in grams: "), QString(), QStringLiteral("g"));
        return Worked(Make(html, {Number(grams, mk::Mark(level))}, {pic}), steps);
    }
    if (d.unit == QLatin1String("kg")) {
        html += mk::Line(QStringLiteral("It weighs "), QString(), QStringLiteral("kg"),
                         QStringLiteral("."));
        return Worked(Make(html, {Number(grams / 1000, mk::Mark(level))}, {pic}), steps);
    }
    html +=
        mk::Line(QStringLiteral("It weighs "), QString(), QStringLiteral("g"), QStringLiteral("."));
    return Worked(Make(html, {Number(grams, mk::Mark(level))}, {pic}), steps);
}

Question Convert(int level, Rng& rng) {
    if (level <= 2)
        return mk::WholeConversion(kKilograms, rng.range(1, level <= 1 ? 3 : 9), level, rng);
    const int grams = level == 3
                          ? 1000 * rng.range(1, 5) + 50 * rng.range(1, 19)
                          : 1000 * rng.range(1, 9) +
                                (rng.chance(1, 3) ? 5 * rng.range(1, 19) : 5 * rng.range(20, 199));
    if (level >= 4 && rng.chance(1, 2))
        return mk::SmallToMixed(kKilograms, grams, level);
    if (level >= 5 && rng.chance(1, 2)) {
        // Half and quarter kilograms.
        const int quarters = rng.range(1, 15);
        if (quarters % 4 == 0)
            return Convert(level, rng);
        const int g = quarters * 250;
        const QString written =
            quarters % 2 == 0 ? QStringLiteral("%1 and a half kg").arg(quarters / 4) : QString();
        if (!written.isEmpty() && quarters / 4 > 0)
            return Worked(
                Make(mk::Line(QStringLiteral("%1 = ").arg(written), QString(), QStringLiteral("g")),
                     {Number(g, mk::Mark(level))}),
                {QStringLiteral("Half a kilogram is 500 g."),
                 QStringLiteral("%1 kg = %2 g, and %2 g + 500 g = %3 g.")
                     .arg(quarters / 4)
                     .arg(quarters / 4 * 1000)
                     .arg(g)});
        return Worked(Make(mk::Line(QStringLiteral("%1.%2 kg = ")
                                        .arg(g / 1000)
                                        .arg(g % 1000 / 10, 2, 10, QLatin1Char('0')),
                                    QString(), QStringLiteral("g")),
                           {Number(g, mk::Mark(level))}),
                      {QStringLiteral("1 kg = 1000 g, and 0.25 kg is a quarter of 1000 g, 250 g."),
                       QStringLiteral("%1.%2 kg = %3 g.")
                           .arg(g / 1000)
                           .arg(g % 1000 / 10, 2, 10, QLatin1Char('0'))
                           .arg(g)});
    }
    return mk::MixedToSmall(kKilograms, grams, KgG(grams), level);
}

// Two different things with different weights, from the table.
struct Pair {
    QString a, b;
    int ga, gb;
};

Pair TwoThings(int level, Rng& rng) {
    for (;;) {
        QList<Goods> goods = kOnScale;
        rng.shuffle(goods);
        const QString a = QString::fromLatin1(goods.at(0).name),
                      b = QString::fromLatin1(goods.at(1).name);
        const int step = level <= 1 ? 1000 : level == 2 ? 100 : level == 3 ? 50 : 5;
        if (!mk::Fits(a, kGrams, step, 0, 1 << 30) || !mk::Fits(b, kGrams, step, 0, 1 << 30))
            continue;
        const int ga = mk::Draw(a, kGrams, step, rng), gb = mk::Draw(b, kGrams, step, rng);
        if (ga == gb || (level <= 2 && (ga > 10000 || gb > 10000))) {
            qty::TakeUses();
            continue;
        }
        return {a, b, ga, gb};
    }
}

Question HeavierOrLighter(int level, Rng& rng) {
    const Pair p = TwoThings(level, rng);
    const QString wa = Written(p.ga, level, rng), wb = Written(p.gb, level, rng);
    const QString answer = p.gb > p.ga ? QStringLiteral("heavier") : QStringLiteral("lighter");
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("%1 weighs %2. %3 weighs %4. Is %5 heavier or lighter than %6?")
                  .arg(kit::Cap(The(p.a)), wa, kit::Cap(The(p.b)), wb, The(p.b), The(p.a))
            : QStringLiteral(
                  "On the shelf are %1 of %2 and %3 of %4. Is %5 heavier or lighter than %6?")
                  .arg(A(p.a), wa, A(p.b), wb, The(p.b), The(p.a));
    QStringList steps;
    if (wa.contains(QStringLiteral("kg")) != wb.contains(QStringLiteral("kg")) ||
        wa.contains(QStringLiteral("kg g")))
        steps << mk::BothInSmall(kKilograms, wa, p.ga, wb, p.gb);
    steps << QStringLiteral("%1 is %2 than %3, so %4 is %5.")
                 .arg(KgG(p.gb), p.gb > p.ga ? QStringLiteral("more") : QStringLiteral("less"),
                      KgG(p.ga), The(p.b), answer);
    return Worked(Make(P(ask) + P(QStringLiteral("Write <b>heavier</b> or <b>lighter</b>.")),
                       {Word(answer, mk::Mark(level))}),
                  steps);
}

Question BalanceQuestion(int level, Rng& rng) {
    QStringList things = kSmall;
    rng.shuffle(things);
    const QString left = things.at(0), right = things.at(1);
    const int tilt = rng.chance(1, 2) ? -1 : 1;
    const Picture pic = SvgPicture(QStringLiteral("balance.svg"),
                                   svg::Document(518, 315,
                                                 QStringLiteral("<g transform=\"scale(1.4)\">\n") +
                                                     svg::Balance(5, 5, left, right, tilt) +
                                                     QStringLiteral("</g>\n")));
    const bool askLeft = rng.chance(1, 2);
    const QString subject = askLeft ? left : right;
    const QString other = askLeft ? right : left;
    const bool heavier = askLeft ? tilt < 0 : tilt > 0;
    const QString alt =
        QStringLiteral("A pan balance with %1 on the left pan and %2 on the right "
                       "pan. The %3 pan hangs lower.")
            .arg(A(left), A(right), tilt < 0 ? QStringLiteral("left") : QStringLiteral("right"));
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("Look at the balance. Is the %1 heavier or lighter than the %2?")
                  .arg(subject, other)
            : QStringLiteral("%1 puts fruit and vegetables on a balance. Is the %2 heavier or "
                             "lighter than the %3?")
                  .arg(mk::AnyChild(rng).name, subject, other);
    return Worked(
        Make(P(ask) + P(html::Img(pic.name, alt)) +
                 P(QStringLiteral("Write <b>heavier</b> or <b>lighter</b>.")),
             {Word(heavier ? QStringLiteral("heavier") : QStringLiteral("lighter"),
                   mk::Mark(level))},
             {pic}),
        {QStringLiteral("The heavier side of a balance goes down."),
         QStringLiteral("The %1 pan is lower, so the %2 is heavier.")
             .arg(tilt < 0 ? QStringLiteral("left") : QStringLiteral("right"),
                  tilt < 0 ? left : right),
         QStringLiteral("So the %1 is %2 than the %3.")
             .arg(subject, heavier ? QStringLiteral("heavier") : QStringLiteral("lighter"),
                  other)});
}

Question Estimate(int level, Rng& rng) {
    static const QStringList objects = {QStringLiteral("apple"),
                                        QStringLiteral("egg"),
                                        QStringLiteral("cat"),
                                        QStringLiteral("dog"),
                                        QStringLiteral("bag of potatoes"),
                                        QStringLiteral("loaf of bread"),
                                        QStringLiteral("pencil"),
                                        QStringLiteral("letter"),
                                        QStringLiteral("banana"),
                                        QStringLiteral("watermelon"),
                                        QStringLiteral("suitcase"),
                                        QStringLiteral("orange")};
    const QString object = rng.pick(objects);
    const qty::Range& r = qty::Of(object, Measure::Grams);
    // A round weight in the middle of the object's range.
    int grams = (r.lo + r.hi) / 2;
    const int round = grams >= 5000   ? 1000
                      : grams >= 1000 ? 500
                      : grams >= 100  ? 50
                      : grams >= 20   ? 10
                                      : 1;
    grams = grams / round * round;
    qty::Use(object, Measure::Grams, grams);
    const auto write = [](int g) {
        return g >= 1000 && g % 1000 == 0 ? QStringLiteral("%1 kg").arg(g / 1000)
                                          : QStringLiteral("%1 g").arg(g);
    };
    QStringList wrong;
    if (grams >= 1000 && grams % 1000 == 0)
        wrong << QStringLiteral("%1 g").arg(grams / 1000) << write(grams * 10)
              << QStringLiteral("%1 g").arg(grams / 100);
    else
        wrong << QStringLiteral("%1 kg").arg(grams) << write(grams * 100)
              << QStringLiteral("%1 kg").arg(grams * 10);
    int key = 0;
    const QString options = kit::Options(write(grams), wrong, rng, &key);
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("About how heavy is %1?").arg(A(object))
            : QStringLiteral("Which is the best guess for the weight of %1?").arg(A(object));
    return Worked(
        Make(P(ask) + options + mk::ChooseNote(), {Choice(key, mk::Mark(level))}),
        {QStringLiteral(
             "1 kg is about as heavy as a bag of sugar; 1 g is about as heavy as a paper clip."),
         QStringLiteral("%1 weighs about %2, option %3.")
             .arg(kit::Cap(A(object)), write(grams))
             .arg(key)});
}

Question UnitChoice(int level, Rng& rng) {
    static const QList<QPair<const char*, bool>> things = {{"a strawberry", false},
                                                           {"a bag of potatoes", true},
                                                           {"a pencil", false},
                                                           {"a dog", true},
                                                           {"a letter", false},
                                                           {"a suitcase", true},
                                                           {"a teaspoon of sugar", false},
                                                           {"a sack of sand", true},
                                                           {"a grape", false},
                                                           {"a box of books", true}};
    const auto& t = rng.pick(things);
    const QStringList spellings =
        t.second
            ? QStringList{QStringLiteral("kg"), QStringLiteral("kilograms"),
                          QStringLiteral("kilogram")}
            : QStringList{QStringLiteral("g"), QStringLiteral("grams"), QStringLiteral("gram")};
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("Would you weigh %1 in <b>g</b> or in <b>kg</b>?")
                  .arg(QString::fromLatin1(t.first))
            : QStringLiteral("Which unit is better for the weight of %1: <b>g</b> or <b>kg</b>?")
                  .arg(QString::fromLatin1(t.first));
    return Worked(
        Make(P(ask), {kit::AnyOf(spellings, mk::Mark(level))}),
        {QStringLiteral("Grams are for light things; kilograms are for heavy things."),
         QStringLiteral("%1 is %2, so use %3.")
             .arg(kit::Cap(QString::fromLatin1(t.first)),
                  t.second ? QStringLiteral("heavy") : QStringLiteral("light"),
                  t.second ? QStringLiteral("kilograms (kg)") : QStringLiteral("grams (g)"))});
}

Question Total(int level, Rng& rng) {
    const Pair p = TwoThings(level, rng);
    const QString wa = Written(p.ga, level, rng), wb = Written(p.gb, level, rng);
    const Child c = mk::AnyChild(rng);
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("%1 weighs %2. %3 weighs %4. What is their total weight?")
                  .arg(kit::Cap(The(p.a)), wa, kit::Cap(The(p.b)), wb)
            : QStringLiteral("%1 carries %2 of %3 and %4 of %5. How much does %6 carry altogether?")
                  .arg(c.name, A(p.a), wa, A(p.b), wb, c.he());
    QStringList steps;
    if (level <= 1) {
        steps << QStringLiteral("%1 kg + %2 kg = %3 kg.")
                     .arg(p.ga / 1000)
                     .arg(p.gb / 1000)
                     .arg((p.ga + p.gb) / 1000);
        return Worked(
            Make(P(ask) + mk::Line(QStringLiteral("Together: "), QString(), QStringLiteral("kg")),
                 {Number((p.ga + p.gb) / 1000, 1)}),
            steps);
    }
    if (wa != QStringLiteral("%1 g").arg(p.ga) || wb != QStringLiteral("%1 g").arg(p.gb))
        steps << mk::BothInSmall(kKilograms, wa, p.ga, wb, p.gb);
    steps << QStringLiteral("%1 g + %2 g = %3 g.").arg(p.ga).arg(p.gb).arg(p.ga + p.gb);
    return Worked(
        Make(P(ask) + mk::Line(QStringLiteral("Together: "), QString(), QStringLiteral("g")),
             {Number(p.ga + p.gb, mk::Mark(level))}),
        steps);
}

Question Difference(int level, Rng& rng) {
    const Pair p = TwoThings(level, rng);
    const QString wa = Written(p.ga, level, rng), wb = Written(p.gb, level, rng);
    const bool aHeavy = p.ga > p.gb;
    const QString heavy = aHeavy ? p.a : p.b, light = aHeavy ? p.b : p.a;
    const bool lighter = rng.chance(1, 2);
    const QString ask =
        lighter ? QStringLiteral("%1 weighs %2 and %3 weighs %4. How much lighter is %5 than %6?")
                      .arg(kit::Cap(The(p.a)), wa, The(p.b), wb, The(light), The(heavy))
                : QStringLiteral("%1 weighs %2. %3 weighs %4. How much heavier is %5 than %6?")
                      .arg(kit::Cap(The(p.a)), wa, kit::Cap(The(p.b)), wb, The(heavy), The(light));
    const int diff = std::abs(p.ga - p.gb);
    QStringList steps;
    if (wa.contains(QStringLiteral("kg")) || wb.contains(QStringLiteral("kg")))
        steps << mk::BothInSmall(kKilograms, wa, p.ga, wb, p.gb);
    steps << QStringLiteral("Take the lighter from the heavier: %1 g − %2 g = %3 g.")
                 .arg(std::max(p.ga, p.gb))
                 .arg(std::min(p.ga, p.gb))
                 .arg(diff);
    return Worked(
        Make(P(ask) + mk::Line(QString(), QString(),
                               lighter ? QStringLiteral("g lighter") : QStringLiteral("g heavier")),
             {Number(diff, mk::Mark(level))}),
        steps);
}

Question Heaviest(int level, Rng& rng) {
    const int base = 1000 * rng.range(1, 4);
    QList<int> grams;
    while (grams.size() < 4) {
        const int g = base + (level >= 4 ? 5 * rng.range(1, 199) : 50 * rng.range(1, 19));
        if (!grams.contains(g))
            grams << g;
    }
    return mk::WhichIsMost(
        grams, kKilograms, KgG, {QStringLiteral("heaviest"), QStringLiteral("lightest")},
        {QStringLiteral("Which weight is the %1?"),
         QStringLiteral("Four parcels are weighed at the post office. Which weight is the %1?")},
        level, rng);
}

Question Multiply(int level, Rng& rng) {
    static const QList<QPair<const char*, const char*>> packs = {
        {"tin of beans", "tins of beans"},
        {"packet of butter", "packets of butter"},
        {"jar of jam", "jars of jam"},
        {"bag of sugar", "bags of sugar"},
        {"box of cereal", "boxes of cereal"},
        {"egg", "eggs"},
        {"apple", "apples"}};
    const auto& pk = rng.pick(packs);
    const QString one = QString::fromLatin1(pk.first);
    const int each = mk::Draw(one, kGrams, level <= 3 ? 50 : 5, rng);
    const int n = rng.range(2, level <= 3 ? 4 : 6);
    const Child c = mk::AnyChild(rng);
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("%1 weighs %2 g. %3 buys %4 %5. How heavy are they altogether?")
                  .arg(kit::Cap(A(one)))
                  .arg(each)
                  .arg(c.name)
                  .arg(n)
                  .arg(QString::fromLatin1(pk.second))
            : QStringLiteral("How much do %1 %2 weigh if each one weighs %3 g?")
                  .arg(n)
                  .arg(QString::fromLatin1(pk.second))
                  .arg(each);
    return Worked(
        Make(P(ask) + mk::Line(QStringLiteral("Altogether: "), QString(), QStringLiteral("g")),
             {Number(each * n, mk::Mark(level))}),
        {QStringLiteral("%1 lots of %2 g: %1 × %2 = %3.").arg(n).arg(each).arg(each * n),
         QStringLiteral("They weigh %1 g.").arg(each * n)});
}

Question Share(int level, Rng& rng) {
    static const QList<QPair<const char*, const char*>> bulk = {{"bag of flour", "flour"},
                                                                {"bag of rice", "rice"},
                                                                {"bag of potatoes", "potatoes"},
                                                                {"bag of sugar", "sugar"},
                                                                {"bag of pasta", "pasta"}};
    for (;;) {
        const auto& b = rng.pick(bulk);
        const int parts = rng.pick(level >= 5 ? QList<int>{3, 4, 6, 8} : QList<int>{2, 4, 5, 10});
        const QString object = QString::fromLatin1(b.first);
        if (!mk::Fits(object, kGrams, parts * (level >= 5 ? 25 : 50), 0, 1 << 30))
            continue;
        const int total = mk::Draw(object, kGrams, parts * (level >= 5 ? 25 : 50), rng);
        const int each = total / parts;
        const Child c = mk::AnyChild(rng);
        return Worked(
            Make(P(QStringLiteral(
                       "%1 shares %2 of %3 equally into %4 tubs. How much %3 is in each tub?")
                       .arg(c.name, QStringLiteral("a ") + KgG(total) + QStringLiteral(" bag"),
                            QString::fromLatin1(b.second))
                       .arg(parts)) +
                     mk::Line(QStringLiteral("Each tub: "), QString(), QStringLiteral("g")),
                 {Number(each, mk::Mark(level))}),
            {QStringLiteral("%1 = %2 g.").arg(KgG(total)).arg(total),
             QStringLiteral("%1 g ÷ %2 = %3 g, because %2 × %3 = %1.")
                 .arg(total)
                 .arg(parts)
                 .arg(each)});
    }
}

Question Remaining(int level, Rng& rng) {
    static const QList<QPair<const char*, const char*>> bulk = {{"bag of flour", "flour"},
                                                                {"bag of sugar", "sugar"},
                                                                {"bag of rice", "rice"},
                                                                {"bag of pasta", "pasta"}};
    const auto& b = rng.pick(bulk);
    const QString object = QString::fromLatin1(b.first);
    const int whole = mk::Draw(object, kGrams, 500, rng);
    const int used = (level >= 5 ? 5 : 50) * rng.range(3, whole / (level >= 5 ? 5 : 50) - 3);
    const Child c = mk::AnyChild(rng);
    const QString what = QString::fromLatin1(b.second);
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral(
                  "A %1 bag of %2 is full. %3 uses %4 of it to cook. How much %2 is left?")
                  .arg(KgG(whole), what, c.name, KgG(used))
            : QStringLiteral(
                  "There is %1 of %2 in the cupboard. The baker takes %3. How much is left?")
                  .arg(KgG(whole), what, KgG(used));
    return Worked(Make(P(ask) + mk::Line(QStringLiteral("Left: "), QString(), QStringLiteral("g")),
                       {Number(whole - used, mk::Mark(level))}),
                  {QStringLiteral("%1 = %2 g.").arg(KgG(whole)).arg(whole),
                   QStringLiteral("%1 g − %2 g = %3 g.").arg(whole).arg(used).arg(whole - used)});
}

Question TwoScales(int level, Rng& rng) {
    const Dial d = DialFor(level, rng);
    const auto [g1, w1] = OnDial(d, rng);
    auto [g2, w2] = OnDial(d, rng, QString::fromLatin1(g1.name));
    while (w2 == w1) {
        qty::TakeUses();
        return TwoScales(level, rng);
    }
    const double r = 100;
    const double w = r * 2.5;
    const QString body = ScaleBody(0, r, d, w1, g1, 1) + ScaleBody(w + 30, r, d, w2, g2, 3) +
                         svg::BoldText(w / 2, ScaleHeight(r) + 8, QStringLiteral("A"), 18) +
                         svg::BoldText(w * 1.5 + 30, ScaleHeight(r) + 8, QStringLiteral("B"), 18);
    const Picture pic = SvgPicture(QStringLiteral("scales.svg"),
                                   svg::Document(int(2 * w + 30), int(ScaleHeight(r) + 16), body));
    const QString n1 = QString::fromLatin1(g1.name), n2 = QString::fromLatin1(g2.name);
    const bool aHeavier = w1 > w2;
    const QString alt =
        QStringLiteral("Scale A: %1 Scale B: %2").arg(DialAlt(d, w1, A(n1)), DialAlt(d, w2, A(n2)));
    QStringList steps{QStringLiteral("Scale A:")};
    steps += ReadSteps(d, w1);
    steps << QStringLiteral("Scale B:");
    steps += ReadSteps(d, w2);
    const int diff = std::abs(w1 - w2);
    const bool inKg = d.gramsPerMark >= 1000;
    steps << QStringLiteral("The difference: %1 − %2 = %3.")
                 .arg(KgG(std::max(w1, w2)), KgG(std::min(w1, w2)), KgG(diff));
    if (!inKg && diff >= 1000)
        steps << QStringLiteral("%1 = %2 g.").arg(KgG(diff)).arg(diff);
    const QString html =
        P(QStringLiteral("Scale A shows %1 and scale B shows %2. How much heavier is %3 than %4?")
              .arg(A(n1), A(n2), The(aHeavier ? n1 : n2), The(aHeavier ? n2 : n1))) +
        P(html::Img(pic.name, alt));
    if (inKg)
        return Worked(Make(html + mk::Line(QString(), QString(), QStringLiteral("kg heavier")),
                           {Number(diff / 1000, mk::Mark(level))}, {pic}),
                      steps);
    return Worked(Make(html + mk::Line(QString(), QString(), QStringLiteral("g heavier")),
                       {Number(diff, mk::Mark(level))}, {pic}),
                  steps);
}

Question ToMakeKg(int level, Rng& rng) {
    static const QStringList objects = {
        QStringLiteral("parcel"), QStringLiteral("bag of nuts"), QStringLiteral("box of cereal"),
        QStringLiteral("loaf of bread"), QStringLiteral("jar of jam")};
    const QString object = rng.pick(objects);
    const int grams = mk::DrawWithin(object, kGrams,
                                     level >= 5   ? 5
                                     : level >= 4 ? 10
                                                  : 50,
                                     1, 999, rng);
    const int target = level >= 5 ? 2000 : 1000;
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("%1 weighs %2 g. How many more grams would make %3 kg?")
                  .arg(kit::Cap(The(object)))
                  .arg(grams)
                  .arg(target / 1000)
            : QStringLiteral(
                  "%1 has %2 weighing %3 g. How much more must be added to make it up to %4 kg?")
                  .arg(mk::AnyChild(rng).name, A(object))
                  .arg(grams)
                  .arg(target / 1000);
    return Worked(Make(P(ask) + mk::Line(QString(), QString(), QStringLiteral("g more")),
                       {Number(target - grams, mk::Mark(level))}),
                  {QStringLiteral("%1 kg = %2 g.").arg(target / 1000).arg(target),
                   QStringLiteral("Count on from %1 g to %2 g: %2 − %1 = %3.")
                       .arg(grams)
                       .arg(target)
                       .arg(target - grams)});
}

Question BalanceWeights(int level, Rng& rng) {
    static const QStringList objects = {
        QStringLiteral("melon"),     QStringLiteral("pumpkin"),        QStringLiteral("cabbage"),
        QStringLiteral("pineapple"), QStringLiteral("bag of carrots"), QStringLiteral("chicken")};
    const QString object = rng.pick(objects);
    const int grams = mk::Draw(object, kGrams, level <= 2 ? 100 : level <= 3 ? 50 : 10, rng);
    // Weights from the usual set, 5 kg down to 10 g.
    QList<int> weights;
    int left = grams;
    for (int w : {5000, 2000, 1000, 500, 200, 100, 50, 20, 10}) {
        while (left >= w) {
            weights << w;
            left -= w;
        }
    }
    QStringList labels, numbers;
    for (int w : weights) {
        labels << KgG(w);
        numbers << QString::number(w);
    }
    const QString ask =
        rng.chance(1, 2) ? QStringLiteral("A %1 balances these weights: %2. How heavy is the %1?")
                               .arg(object, mk::ListAnd(labels))
                         : QStringLiteral("On one pan of a balance is a %1. On the other pan are "
                                          "%2. The pans are level. What does the %1 weigh?")
                               .arg(object, mk::ListAnd(labels));
    return Worked(
        Make(P(ask) + mk::Line(QString(), QString(), QStringLiteral("g")),
             {Number(grams, mk::Mark(level))}),
        {QStringLiteral("The pans are level, so the %1 weighs the same as the weights together.")
             .arg(object),
         QStringLiteral("In grams: %1 = %2 g.")
             .arg(numbers.join(QStringLiteral(" + ")))
             .arg(grams)});
}

// A scale with follow-up questions about what it shows.
Question ScaleStory(int level, int blanks, Rng& rng) {
    const Dial d = DialFor(std::max(level, 3), rng);
    auto [g, grams] = OnDial(d, rng);
    while (grams < 400) {
        qty::TakeUses();
        std::tie(g, grams) = OnDial(d, rng);
    }
    const double r = 130;
    const QString what = QString::fromLatin1(g.name);
    const Picture pic =
        SvgPicture(QStringLiteral("scale.svg"), svg::Document(int(r * 2.5), int(ScaleHeight(r)),
                                                              ScaleBody(0, r, d, grams, g, 2)));
    const QString intro = P(QStringLiteral("The scale shows the weight of %1.").arg(A(what))) +
                          P(html::Img(pic.name, DialAlt(d, grams, A(what))));
    QList<Question> parts;
    parts << Worked(Make(QStringLiteral("How heavy is it?") +
                             mk::Line(QString(), QString(), QStringLiteral("g")),
                         {Number(grams, 1)}),
                    ReadSteps(d, grams));
    const int other =
        mk::DrawWithin(QStringLiteral("bag of nuts"), kGrams, 50, 100, grams - 50, rng);
    const int n = rng.range(2, 4);
    const int target = (grams / 1000 + 1) * 1000;
    const QList<Question> pool = {
        Worked(Make(QStringLiteral("A bag of nuts weighs %1 g. How much heavier is %2?")
                            .arg(other)
                            .arg(The(what)) +
                        mk::Line(QString(), QString(), QStringLiteral("g")),
                    {Number(grams - other, 2)}),
               {QStringLiteral("%1 g − %2 g = %3 g.").arg(grams).arg(other).arg(grams - other)}),
        Worked(Make(QStringLiteral("How much would %1 of them weigh together?").arg(n) +
                        mk::Line(QString(), QString(), QStringLiteral("g")),
                    {Number(grams * n, 2)}),
               {QStringLiteral("%1 × %2 g = %3 g.").arg(n).arg(grams).arg(grams * n)}),
        Worked(
            Make(
                QStringLiteral("How many more grams are needed to make %1 kg?").arg(target / 1000) +
                    mk::Line(QString(), QString(), QStringLiteral("g")),
                {Number(target - grams, 2)}),
            {QStringLiteral("%1 kg = %2 g, and %2 − %3 = %4.")
                 .arg(target / 1000)
                 .arg(target)
                 .arg(grams)
                 .arg(target - grams)}),
    };
    for (int k = 1; k < blanks; ++k)
        parts << pool.at((k - 1 + level) % pool.size());
    return mk::Combine(intro, parts, {pic});
}

QStringList Words() {
    QStringList words;
    for (const Goods& g : kOnScale)
        words << QString::fromLatin1(g.name);
    words += kSmall;
    words << QStringLiteral("flour") << QStringLiteral("sugar") << QStringLiteral("rice")
          << QStringLiteral("potatoes") << QStringLiteral("pasta")
          << QStringLiteral("tins of beans") << QStringLiteral("tin of beans")
          << QStringLiteral("packets of butter") << QStringLiteral("packet of butter")
          << QStringLiteral("jars of jam") << QStringLiteral("bags of sugar")
          << QStringLiteral("boxes of cereal") << QStringLiteral("eggs") << QStringLiteral("egg")
          << QStringLiteral("apples") << QStringLiteral("cat") << QStringLiteral("dog")
          << QStringLiteral("letter") << QStringLiteral("strawberry")
          << QStringLiteral("teaspoon of sugar") << QStringLiteral("sack of sand")
          << QStringLiteral("grape");
    return mk::WithPeople(words);
}

} // namespace

QList<Question> GenerateTopic5(const PaperSpec& paperSpec, Rng& rng) {
    const QList<mk::Maker> makers = {
        {1, 5, ReadScale},       {1, 5, ReadScale}, {1, 5, Convert},    {1, 3, HeavierOrLighter},
        {1, 3, BalanceQuestion}, {1, 3, Estimate},  {1, 2, UnitChoice}, {1, 5, Total},
        {2, 5, Difference},      {3, 5, Heaviest},  {3, 5, Multiply},   {4, 5, Share},
        {4, 5, Remaining},       {3, 5, TwoScales}, {3, 5, ToMakeKg},   {2, 5, BalanceWeights},
    };
    return mk::BuildPaper(paperSpec, rng, makers, ScaleStory, mk::NoFixed(), Words());
}

} // namespace bank
