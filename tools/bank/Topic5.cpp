// Topic 5, Weight: reading dial scales, grams and kilograms, heavier and
// lighter, totals and differences. Keys are whole numbers of the unit the
// question asks for; "heavier" and "lighter" are word answers.

#include "Bank.h"
#include "SvgExtra.h"
#include "TopicKit.h"

#include <cmath>

namespace bank {

namespace {

using namespace kit;

struct Goods {
    const char* name; // "a bag of rice"
    const char* tag;  // "rice"
    svg::Thing thing;
};

const QList<Goods> kGoods = {
    {"a parcel", "parcel", svg::Thing::Parcel},
    {"a bag of rice", "rice", svg::Thing::Bag},
    {"a melon", "melon", svg::Thing::Melon},
    {"a heap of apples", "apples", svg::Thing::Apples},
    {"a box of books", "books", svg::Thing::Parcel},
    {"a bag of flour", "flour", svg::Thing::Bag},
};

const QStringList kSmall = {QStringLiteral("an apple"),  QStringLiteral("a pear"),
                            QStringLiteral("an orange"), QStringLiteral("a lemon"),
                            QStringLiteral("a potato"),  QStringLiteral("a mango"),
                            QStringLiteral("a tomato"),  QStringLiteral("an onion")};

// A dial: its range, numbering, ticks and the step of the weights it shows.
struct Dial {
    double max;
    double labelStep;
    double minorStep;
    QString unit;
    double valueStep; // in the dial's unit
};

Dial DialFor(int level, Rng& rng) {
    switch (level) {
    case 1:
        return {10, 1, 1, QStringLiteral("kg"), 1};
    case 2:
        return rng.chance(1, 2) ? Dial{10, 2, 1, QStringLiteral("kg"), 1}
                                : Dial{20, 5, 1, QStringLiteral("kg"), 1};
    case 3:
        return {1000, 100, 50, QStringLiteral("g"), 50};
    case 4:
        return rng.chance(1, 2) ? Dial{1000, 200, 50, QStringLiteral("g"), 50}
                                : Dial{2000, 500, 100, QStringLiteral("g"), 100};
    default:
        return rng.chance(1, 2) ? Dial{5, 1, 0.2, QStringLiteral("kg"), 0.2}
                                : Dial{3, 1, 0.1, QStringLiteral("kg"), 0.1};
    }
}

// A reading strictly between 0 and the top, in steps; returned in steps.
int Reading(const Dial& d, Rng& rng) {
    const int steps = int(std::lround(d.max / d.valueStep));
    return rng.range(1, steps - 1);
}

// A scale with something on it, in a document of its own, or its body at x.
QString ScaleBody(double x, double r, const Dial& d, double value, const Goods& g, int colour) {
    const double cx = x + r * 1.25;
    const double objectH = 74;
    const double trayTopAtZero = svg::ScaleTrayTop(0, r); // relative to cy
    const double cy = 10 + objectH - trayTopAtZero;
    QString out = svg::ScaleDial(cx, cy, r, d.max, d.labelStep, d.minorStep, value, d.unit);
    const double w = g.thing == svg::Thing::Melon ? 120 : 100;
    out += svg::ThingPicture(g.thing, cx - w / 2, 12, w, objectH - 2, colour);
    return out;
}

double ScaleHeight(double r) {
    return 10 + 74 - svg::ScaleTrayTop(0, r) + r * 1.15 + 12;
}

// Grams in a dial reading of `steps` steps.
int Grams(const Dial& d, int steps) {
    const double v = steps * d.valueStep;
    return int(std::lround(d.unit == QLatin1String("kg") ? v * 1000 : v));
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

Question ReadScale(int level, Rng& rng) {
    const Dial d = DialFor(level, rng);
    const int steps = Reading(d, rng);
    const Goods& g = rng.pick(kGoods);
    const double r = 130;
    const Picture pic =
        SvgPicture(QStringLiteral("scale.svg"),
                   svg::Document(int(r * 2.5), int(ScaleHeight(r)),
                                 ScaleBody(0, r, d, steps * d.valueStep, g, rng.range(0, 6))));
    const QString what = QString::fromLatin1(g.name);
    QString html = P(QStringLiteral("How heavy is %1?").arg(what)) +
                   P(html::Img(pic.name, QStringLiteral("a weighing scale")));
    if (d.valueStep < 1) { // a kilogram dial read in grams
        html += P(QStringLiteral("Give the answer in grams: ") + Gap() + QStringLiteral(" g"));
        return Make(html, {Number(Grams(d, steps), 2)}, {pic});
    }
    html += P(QStringLiteral("It weighs ") + Gap() + QLatin1Char(' ') + d.unit + QLatin1Char('.'));
    return Make(html, {Number(int(std::lround(steps * d.valueStep)), 1)}, {pic});
}

Question Convert(int level, Rng& rng) {
    static const UnitPair kg{QStringLiteral("kg"), QStringLiteral("g"), 1000, KgG};
    switch (level) {
    case 1:
    case 2:
        return WholeUnits(kg, level, rng);
    case 3: {
        const int grams = 1000 * rng.range(1, 5) + 50 * rng.range(1, 19);
        return MixedToSmall(kg, grams, 1);
    }
    default: {
        const int grams = 1000 * rng.range(1, 9) + 5 * rng.range(1, 199);
        if (rng.chance(1, 2))
            return SmallToMixed(kg, grams, 1);
        return MixedToSmall(kg, grams, 2);
    }
    }
}

// Two weights that differ, written in units that suit the level.
QPair<int, int> TwoWeights(int level, Rng& rng) {
    return DrawPair([&](int& a, int& b) {
        if (level <= 1) {
            a = 1000 * rng.range(1, 9);
            b = 1000 * rng.range(1, 9);
        } else if (level == 2) {
            a = 100 * rng.range(1, 9);
            b = 100 * rng.range(1, 9);
        } else {
            a = 50 * rng.range(10, 59);
            b = a + 50 * rng.range(-6, 6);
        }
        return a != b && b > 0;
    });
}

// How a weight is written at each level: whole kg, grams, or mixed.
QString Written(int grams, int level, Rng& rng) {
    if (grams % 1000 == 0 && level <= 2)
        return QStringLiteral("%1 kg").arg(grams / 1000);
    if (level <= 2 || rng.chance(1, 2))
        return QStringLiteral("%1 g").arg(grams);
    return KgG(grams);
}

Question HeavierOrLighter(int level, Rng& rng) {
    const auto [a, b] = TwoWeights(level, rng);
    QList<Goods> goods = kGoods;
    rng.shuffle(goods);
    const QString first = QString::fromLatin1(goods.at(0).name);
    const QString second = QString::fromLatin1(goods.at(1).name);
    const QString answer = b > a ? QStringLiteral("heavier") : QStringLiteral("lighter");
    const QString html =
        P(QStringLiteral("%1 weighs %2. %3 weighs %4.")
              .arg(first.left(1).toUpper() + first.mid(1), Written(a, level, rng),
                   second.left(1).toUpper() + second.mid(1), Written(b, level, rng))) +
        P(QStringLiteral("Is %1 heavier or lighter than %2? Write <b>heavier</b> or "
                         "<b>lighter</b>.")
              .arg(second, first));
    return Make(html, {Word(answer, level >= 3 ? 2 : 1)});
}

Question BalanceQuestion(int, Rng& rng) {
    QStringList things = kSmall;
    rng.shuffle(things);
    const QString left = things.at(0).section(QLatin1Char(' '), 1);
    const QString right = things.at(1).section(QLatin1Char(' '), 1);
    const int tilt = rng.chance(1, 2) ? -1 : 1;
    const Picture pic = SvgPicture(QStringLiteral("balance.svg"),
                                   svg::Document(518, 315,
                                                 QStringLiteral("<g transform=\"scale(1.4)\">\n") +
                                                     svg::Balance(5, 5, left, right, tilt) +
                                                     QStringLiteral("</g>\n")));
    const bool askLeft = rng.chance(1, 2);
    const QString subject = askLeft ? left : right;
    const QString other = askLeft ? right : left;
    // The lower pan holds the heavier thing.
    const bool heavier = askLeft ? tilt < 0 : tilt > 0;
    const QString html = P(QStringLiteral("Look at the balance.")) +
                         P(html::Img(pic.name, QStringLiteral("a pan balance"))) +
                         P(QStringLiteral("Is the %1 heavier or lighter than the %2? Write "
                                          "<b>heavier</b> or <b>lighter</b>.")
                               .arg(subject, other));
    return Make(html, {Word(heavier ? QStringLiteral("heavier") : QStringLiteral("lighter"))},
                {pic});
}

Question Estimate(int, Rng& rng) {
    struct Guess {
        const char* what;
        int grams;
    };
    static const QList<Guess> guesses = {
        {"an apple", 150},      {"a pencil", 5},          {"a bag of potatoes", 2000},
        {"a cat", 4000},        {"a school bag", 3000},   {"a banana", 120},
        {"a dog", 20000},       {"a loaf of bread", 700}, {"an egg", 60},
        {"a watermelon", 5000}, {"a letter", 20}};
    const Guess& g = rng.pick(guesses);
    const auto write = [](int grams) {
        return grams >= 1000 && grams % 1000 == 0 ? QStringLiteral("%1 kg").arg(grams / 1000)
                                                  : QStringLiteral("%1 g").arg(grams);
    };
    // Wrong by a factor of a thousand, either way, or by ten.
    QStringList wrong;
    if (g.grams % 1000 == 0) {
        wrong << QStringLiteral("%1 g").arg(g.grams / 1000) << write(g.grams * 10)
              << write(g.grams * 100);
    } else {
        wrong << QStringLiteral("%1 kg").arg(g.grams) << write(g.grams * 10)
              << QStringLiteral("%1 kg").arg(g.grams * 10);
    }
    int key = 0;
    const QString options = Options(write(g.grams), wrong, rng, &key);
    return Make(P(QStringLiteral("About how heavy is %1?").arg(QString::fromLatin1(g.what))) +
                    options + ChooseNote(),
                {Choice(key)});
}

Question Heaviest(int level, Rng& rng) {
    // Four weights near each other, written in mixed ways.
    const int base = 1000 * rng.range(1, 4);
    QList<int> grams;
    while (grams.size() < 4) {
        const int g = base + (level >= 4 ? 5 * rng.range(1, 199) : 50 * rng.range(1, 19));
        if (!grams.contains(g))
            grams << g;
    }
    const bool most = rng.chance(1, 2);
    int best = grams.at(0);
    for (int g : grams)
        best = most ? std::max(best, g) : std::min(best, g);
    QStringList others;
    const auto write = [&](int g) {
        return rng.chance(1, 2) ? QStringLiteral("%1 g").arg(g) : KgG(g);
    };
    for (int g : grams) {
        if (g != best)
            others << write(g);
    }
    int key = 0;
    const QString options = Options(write(best), others, rng, &key);
    return Make(P(QStringLiteral("Which is the %1?")
                      .arg(most ? QStringLiteral("heaviest") : QStringLiteral("lightest"))) +
                    options + ChooseNote(),
                {Choice(key, 2)});
}

Question Total(int level, Rng& rng) {
    const auto [a, b] = TwoWeights(level, rng);
    QList<Goods> goods = kGoods;
    rng.shuffle(goods);
    const QString question =
        QStringLiteral("%1 weighs %2. %3 weighs %4. What is their total weight?")
            .arg(Cap(goods.at(0).name), Written(a, level, rng), Cap(goods.at(1).name),
                 Written(b, level, rng));
    if (level <= 1)
        return GapQuestion(question, QStringLiteral("Together they weigh "), QStringLiteral(" kg."),
                           Number((a + b) / 1000, 1));
    return GapQuestion(question, QStringLiteral("Together they weigh "), QStringLiteral(" g."),
                       Number(a + b, 2));
}

Question Difference(int level, Rng& rng) {
    const auto [a, b] = TwoWeights(level, rng);
    QList<Goods> goods = kGoods;
    rng.shuffle(goods);
    const bool firstHeavier = a > b;
    const QString question =
        QStringLiteral("%1 weighs %2. %3 weighs %4. How much heavier is %5 than %6?")
            .arg(Cap(goods.at(0).name), Written(a, level, rng), Cap(goods.at(1).name),
                 Written(b, level, rng), QString::fromLatin1(goods.at(firstHeavier ? 0 : 1).name),
                 QString::fromLatin1(goods.at(firstHeavier ? 1 : 0).name));
    const int diff = std::abs(a - b);
    if (level <= 1)
        return GapQuestion(question, QString(), QStringLiteral(" kg heavier"),
                           Number(diff / 1000, 1));
    return GapQuestion(question, QString(), QStringLiteral(" g heavier"), Number(diff, 2));
}

Question Groups(int level, Rng& rng) {
    const QString name = rng.pick(QStringList{QStringLiteral("Mum"), QStringLiteral("Dad"),
                                              QStringLiteral("Grandma"), QStringLiteral("Mr Lee")});
    if (level == 3 || rng.chance(1, 2)) {
        const int each = rng.pick(QList<int>{100, 200, 250, 500, 150, 300});
        const int n = rng.range(2, level == 3 ? 4 : 6);
        return GapQuestion(QStringLiteral("A packet of butter weighs %1 g. %2 buys %3 packets. "
                                          "How heavy are they altogether?")
                               .arg(each)
                               .arg(name)
                               .arg(n),
                           QStringLiteral("They weigh "), QStringLiteral(" g."),
                           Number(each * n, 2));
    }
    const int parts = rng.pick(QList<int>{2, 4, 5, 10});
    const int kg = rng.range(1, 3);
    return GapQuestion(QStringLiteral("%1 shares %2 kg of rice equally into %3 bags. How much "
                                      "rice is in each bag?")
                           .arg(name)
                           .arg(kg)
                           .arg(parts),
                       QStringLiteral("Each bag holds "), QStringLiteral(" g."),
                       Number(kg * 1000 / parts, 3));
}

Question TwoScales(int level, Rng& rng) {
    const Dial d = DialFor(level, rng);
    int s1 = Reading(d, rng), s2 = Reading(d, rng);
    while (s2 == s1)
        s2 = Reading(d, rng);
    QList<Goods> goods = kGoods;
    rng.shuffle(goods);
    const double r = 100;
    const double w = r * 2.5;
    const QString body = ScaleBody(0, r, d, s1 * d.valueStep, goods.at(0), 1) +
                         ScaleBody(w + 30, r, d, s2 * d.valueStep, goods.at(1), 3) +
                         svg::BoldText(w / 2, ScaleHeight(r) + 8, QStringLiteral("A"), 18) +
                         svg::BoldText(w * 1.5 + 30, ScaleHeight(r) + 8, QStringLiteral("B"), 18);
    const Picture pic = SvgPicture(QStringLiteral("scales.svg"),
                                   svg::Document(int(2 * w + 30), int(ScaleHeight(r) + 16), body));
    const bool aHeavier = s1 > s2;
    const int diffSteps = std::abs(s1 - s2);
    const QString html =
        P(QStringLiteral("Scale A shows %1 and scale B shows %2.")
              .arg(QString::fromLatin1(goods.at(0).name), QString::fromLatin1(goods.at(1).name))) +
        P(html::Img(pic.name, QStringLiteral("two weighing scales"))) +
        P(QStringLiteral("How much heavier is %1 than %2?")
              .arg(QString::fromLatin1(goods.at(aHeavier ? 0 : 1).name),
                   QString::fromLatin1(goods.at(aHeavier ? 1 : 0).name)));
    if (d.valueStep < 1 || d.unit == QLatin1String("g"))
        return Make(html + P(Gap() + QStringLiteral(" g heavier")),
                    {Number(Grams(d, diffSteps), 3)}, {pic});
    return Make(html + P(Gap() + QStringLiteral(" kg heavier")),
                {Number(int(std::lround(diffSteps * d.valueStep)), 2)}, {pic});
}

Question Remaining(int level, Rng& rng) {
    const int kg = rng.range(2, 5);
    const int used =
        level == 4 ? 100 * rng.range(1, 9) : 1000 * rng.range(0, kg - 1) + 50 * rng.range(1, 19);
    return GapQuestion(QStringLiteral("A bag holds %1 kg of sugar. The baker uses %2. How much "
                                      "sugar is left?")
                           .arg(kg)
                           .arg(KgG(used)),
                       QString(), QStringLiteral(" g is left."), Number(kg * 1000 - used, 3));
}

// A scale with follow-up questions about what it shows.
Question ScaleStory(int level, int blanks, Rng& rng) {
    const Dial d = DialFor(std::max(level, 3), rng);
    int steps = Reading(d, rng);
    while (Grams(d, steps) < 400) // leaves room for a lighter thing to compare with
        steps = Reading(d, rng);
    const int grams = Grams(d, steps);
    const Goods& g = rng.pick(kGoods);
    const double r = 130;
    const Picture pic = SvgPicture(QStringLiteral("scale.svg"),
                                   svg::Document(int(r * 2.5), int(ScaleHeight(r)),
                                                 ScaleBody(0, r, d, steps * d.valueStep, g, 2)));
    const QString what = QString::fromLatin1(g.name);
    const QString intro = P(QStringLiteral("The scale shows the weight of %1.").arg(what)) +
                          P(html::Img(pic.name, QStringLiteral("a weighing scale")));
    QList<Question> parts;
    parts << Make(QStringLiteral("How heavy is it? ") + Gap() + QStringLiteral(" g"),
                  {Number(grams, 1)});
    const int other = grams - 50 * rng.range(2, 7);
    const int n = rng.range(2, 4);
    const int target = (grams / 1000 + 1) * 1000;
    const QList<Question> pool = {
        Make(QStringLiteral("A bag of nuts weighs %1 g. How much heavier is %2? ")
                     .arg(other)
                     .arg(what) +
                 Gap() + QStringLiteral(" g"),
             {Number(grams - other, 2)}),
        Make(QStringLiteral("How much would %1 of them weigh together? ").arg(n) + Gap() +
                 QStringLiteral(" g"),
             {Number(grams * n, 2)}),
        Make(QStringLiteral("How many more grams are needed to make %1 kg? ").arg(target / 1000) +
                 Gap() + QStringLiteral(" g"),
             {Number(target - grams, 2)}),
    };
    for (int k = 1; k < blanks; ++k)
        parts << pool.at((k - 1) % pool.size());
    return Combine(intro, parts, {pic});
}

} // namespace

QList<Question> GenerateTopic5(const PaperSpec& paperSpec, Rng& rng) {
    const QList<kit::Maker> makers = {
        {1, 5, ReadScale, 4}, {1, 3, BalanceQuestion, 2},  {1, 5, Convert, 2},
        {1, 2, Estimate, 1},  {1, 5, HeavierOrLighter, 2}, {3, 5, Heaviest, 1},
        {1, 5, Total, 2},     {2, 5, Difference, 2},       {3, 5, TwoScales, 2},
        {3, 5, Groups, 2},    {4, 5, Remaining, 2},
    };
    return kit::BuildPaper(paperSpec, rng, makers, ScaleStory, kit::FixedChoice(Heaviest));
}

} // namespace bank
