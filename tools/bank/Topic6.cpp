// Topic 6, Length: measuring with a ruler (whole centimetres, then half
// centimetres and millimetres), millimetres, centimetres and metres, longer
// and shorter, sums, differences, equal pieces and what is left. Keys are
// numbers of the unit written beside the box ("7.5" for a half centimetre);
// "longer"/"shorter" are word answers and a unit name takes every fair
// spelling.

#include "Bank.h"
#include "MeasureKit.h"
#include "Quantities.h"
#include "SvgExtra.h"
#include "SvgMoney.h"
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
using kit::NumberText;
using kit::P;
using kit::SvgPicture;
using kit::Word;
using mk::Child;
using mk::Worked;
using qty::Measure;

constexpr int kCm = int(Measure::Centimetres);
constexpr int kMm = int(Measure::Millimetres);
constexpr int kM = int(Measure::Metres);
const mk::Units kMetres{QStringLiteral("cm"), QStringLiteral("m"), QStringLiteral("centimetres"),
                        QStringLiteral("metres"), 100};

struct Measured {
    const char* name; // as the table names it
    svg::Thing thing;
    double thickness; // drawn height in pixels
};

const QList<Measured> kOnRuler = {{"pencil", svg::Thing::Pencil, 20},
                                  {"crayon", svg::Thing::Crayon, 22},
                                  {"piece of ribbon", svg::Thing::Ribbon, 18},
                                  {"lolly stick", svg::Thing::Straw, 14},
                                  {"twig", svg::Thing::Stick, 14},
                                  {"rubber", svg::Thing::Parcel, 22},
                                  {"paper clip", svg::Thing::Stick, 10}};

constexpr double kRulerX = 28; // where the 0 mark lies
constexpr int kRulerCm = 15;

// Something on the ruler: start and length in millimetres.
struct OnRuler {
    Measured thing;
    int startMm;
    int lengthMm;
};

QByteArray RulerPicture(const QList<OnRuler>& objects, bool mm) {
    const double pxPerCm = 36;
    const double rowH = 44;
    const double rulerY = 16 + rowH * objects.size();
    QString body = mm ? svg::MmRuler(kRulerX, rulerY, kRulerCm, pxPerCm)
                      : svg::Ruler(kRulerX, rulerY, kRulerCm, pxPerCm);
    for (int i = 0; i < objects.size(); ++i) {
        const OnRuler& o = objects.at(i);
        const double x = kRulerX + o.startMm * pxPerCm / 10.0;
        const double w = o.lengthMm * pxPerCm / 10.0;
        const double y = 16 + rowH * i + (rowH - o.thing.thickness) / 2;
        for (const double ex : {x, x + w}) {
            body += svg::Line(ex, y + o.thing.thickness / 2, ex, rulerY,
                              QString::fromLatin1(svg::kFaint), 1.5,
                              QStringLiteral("class=\"end-mark\" stroke-dasharray=\"4 3\""));
        }
        body += svg::ThingPicture(o.thing.thing, x, y, w, o.thing.thickness, i + 2);
    }
    return svg::Document(int(kRulerX + kRulerCm * pxPerCm + 52), int(rulerY + 62), body);
}

// "7 cm", "7 and a half cm", "73 mm".
QString MmText(int mm, int level) {
    if (level >= 5)
        return QStringLiteral("%1 mm").arg(mm);
    if (mm % 10 == 5)
        return QStringLiteral("%1 and a half cm").arg(mm / 10);
    return QStringLiteral("%1 cm").arg(mm / 10);
}
// "7.5" or "7"
QString CmKey(int mm) {
    return mm % 10 == 0 ? QString::number(mm / 10)
                        : QStringLiteral("%1.%2").arg(mm / 10).arg(mm % 10);
}

// One thing for the ruler at the level: whole centimetres from 0 (levels 1-2)
// or from another mark (3), half centimetres (4), millimetres (5).
OnRuler PlaceOnRuler(int level, Rng& rng, const QString& avoid = QString()) {
    for (;;) {
        const Measured& m = rng.pick(kOnRuler);
        const QString name = QString::fromLatin1(m.name);
        if (name == avoid)
            continue;
        const int startCm = level <= 2 ? 0 : rng.range(0, 4);
        const int room = (kRulerCm - startCm) * 10;
        if (level <= 3) {
            if (!mk::Fits(name, kCm, 1, 2, room / 10))
                continue;
            const int cm = mk::DrawWithin(name, kCm, 1, 2, room / 10, rng);
            return {m, startCm * 10, cm * 10};
        }
        const int step = level == 4 ? 5 : 1;
        static const QStringList inMm = {
            QStringLiteral("pencil"),     QStringLiteral("crayon"),      QStringLiteral("rubber"),
            QStringLiteral("paper clip"), QStringLiteral("lolly stick"), QStringLiteral("twig")};
        if (!inMm.contains(name) || !mk::Fits(name, kMm, step, 20, room))
            continue;
        int mm = mk::DrawWithin(name, kMm, step, 20, room, rng);
        if (mm % 10 == 0) { // keep the half or the millimetres in play
            qty::TakeUses();
            continue;
        }
        return {m, startCm * 10, mm};
    }
}

QString RulerAlt(const QList<OnRuler>& objects, bool mm) {
    QString text =
        mm ? QStringLiteral("A ruler from 0 to 15 cm with a mark for every millimetre and a longer "
                            "one for every half centimetre. ")
           : QStringLiteral("A ruler from 0 to 15 cm with a mark for every half centimetre. ");
    QStringList things;
    for (const OnRuler& o : objects)
        things << QStringLiteral("a %1 whose left end is at %2 cm")
                      .arg(QString::fromLatin1(o.thing.name))
                      .arg(o.startMm / 10);
    return text +
           QStringLiteral("Above it lie %1; dashed lines drop from both ends of each to the ruler.")
               .arg(mk::ListAnd(things));
}

QStringList MeasureSteps(const OnRuler& o, int level) {
    const QString name = QString::fromLatin1(o.thing.name);
    const int end = o.startMm + o.lengthMm;
    QStringList steps;
    if (level >= 5)
        steps << QStringLiteral("Each small mark is 1 mm, and 10 mm make 1 cm.");
    else if (level >= 4)
        steps << QStringLiteral("The middle mark between two numbers is a half centimetre.");
    if (level >= 5) {
        steps << QStringLiteral(
                     "The right end is %1 small marks past %2 cm: %3 mm + %1 mm = %4 mm.")
                     .arg(end % 10)
                     .arg(end / 10)
                     .arg(end / 10 * 10)
                     .arg(end);
    } else {
        steps << QStringLiteral("The right end of the %1 is at %2.").arg(name, MmText(end, level));
    }
    if (o.startMm == 0) {
        steps << QStringLiteral("The %1 starts at 0, so it is %2 long.")
                     .arg(name, MmText(o.lengthMm, level));
    } else if (level >= 5) {
        steps << QStringLiteral("It starts at %1 cm = %2 mm, so its length is %3 − %2 = %4 mm.")
                     .arg(o.startMm / 10)
                     .arg(o.startMm)
                     .arg(end)
                     .arg(o.lengthMm);
    } else {
        steps << QStringLiteral("It starts at %1 cm, so its length is %2 − %1 = %3 cm.")
                     .arg(o.startMm / 10)
                     .arg(CmKey(end))
                     .arg(CmKey(o.lengthMm));
    }
    return steps;
}

Question MeasureOnRuler(int level, Rng& rng) {
    const OnRuler o = PlaceOnRuler(level, rng);
    const bool mm = level >= 4;
    const Picture pic = SvgPicture(QStringLiteral("ruler.svg"), RulerPicture({o}, mm));
    const QString name = QString::fromLatin1(o.thing.name);
    QString ask;
    switch (rng.range(0, 2)) {
    case 0:
        ask = QStringLiteral("How long is the %1?").arg(name);
        break;
    case 1:
        ask = QStringLiteral("%1 measures a %2 with a ruler. How long is it?")
                  .arg(mk::AnyChild(rng).name, name);
        break;
    default:
        ask = QStringLiteral("Use the ruler to find the length of the %1.").arg(name);
        break;
    }
    const QString unit = level >= 5 ? QStringLiteral("mm") : QStringLiteral("cm");
    const Blank blank = level >= 5 ? Number(o.lengthMm, mk::Mark(level))
                                   : NumberText(CmKey(o.lengthMm), mk::Mark(level));
    return Worked(Make(P(ask) + P(html::Img(pic.name, RulerAlt({o}, mm))) +
                           mk::Line(QStringLiteral("Length: "), QString(), unit),
                       {blank}, {pic}),
                  MeasureSteps(o, level));
}

Question CompareOnRuler(int level, Rng& rng) {
    const OnRuler a = PlaceOnRuler(level, rng);
    OnRuler b = PlaceOnRuler(level, rng, QString::fromLatin1(a.thing.name));
    while (b.lengthMm == a.lengthMm)
        b = PlaceOnRuler(level, rng, QString::fromLatin1(a.thing.name));
    const bool mm = level >= 4;
    const Picture pic = SvgPicture(QStringLiteral("ruler.svg"), RulerPicture({a, b}, mm));
    const OnRuler& longer = a.lengthMm > b.lengthMm ? a : b;
    const OnRuler& shorter = a.lengthMm > b.lengthMm ? b : a;
    const QString ln = QString::fromLatin1(longer.thing.name),
                  sn = QString::fromLatin1(shorter.thing.name);
    const bool askShorter = rng.chance(1, 2);
    const QString ask = askShorter
                            ? QStringLiteral("How much shorter is the %1 than the %2?").arg(sn, ln)
                            : QStringLiteral("How much longer is the %1 than the %2?").arg(ln, sn);
    QStringList steps{QStringLiteral("The %1:").arg(QString::fromLatin1(a.thing.name))};
    steps += MeasureSteps(a, level);
    steps << QStringLiteral("The %1:").arg(QString::fromLatin1(b.thing.name));
    steps += MeasureSteps(b, level);
    const int diff = longer.lengthMm - shorter.lengthMm;
    const QString unit = level >= 5 ? QStringLiteral("mm") : QStringLiteral("cm");
    if (level >= 5)
        steps << QStringLiteral("%1 mm − %2 mm = %3 mm.")
                     .arg(longer.lengthMm)
                     .arg(shorter.lengthMm)
                     .arg(diff);
    else
        steps << QStringLiteral("%1 cm − %2 cm = %3 cm.")
                     .arg(CmKey(longer.lengthMm), CmKey(shorter.lengthMm), CmKey(diff));
    const Blank blank =
        level >= 5 ? Number(diff, mk::Mark(level, 2)) : NumberText(CmKey(diff), mk::Mark(level, 1));
    return Worked(Make(P(ask) + P(html::Img(pic.name, RulerAlt({a, b}, mm))) +
                           mk::Line(QString(), QString(),
                                    unit + (askShorter ? QStringLiteral(" shorter")
                                                       : QStringLiteral(" longer"))),
                       {blank}, {pic}),
                  steps);
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
    if (level <= 2)
        return mk::WholeConversion(kMetres, rng.range(1, 9), level, rng);
    if (level >= 4 && rng.chance(1, 2)) {
        // Millimetres and centimetres.
        const int cm = rng.range(2, 30);
        const int mm = rng.range(1, 9);
        if (rng.chance(1, 2))
            return Worked(
                Make(mk::Line(QStringLiteral("%1 cm %2 mm = ").arg(cm).arg(mm), QString(),
                              QStringLiteral("mm")),
                     {Number(cm * 10 + mm, mk::Mark(level))}),
                {QStringLiteral("1 cm = 10 mm, so %1 cm = %2 mm.").arg(cm).arg(cm * 10),
                 QStringLiteral("%1 mm + %2 mm = %3 mm.").arg(cm * 10).arg(mm).arg(cm * 10 + mm)});
        return Worked(Make(P(QStringLiteral("How many millimetres are there in %1 cm?").arg(cm)) +
                               mk::Line(QString(), QString(), QStringLiteral("mm")),
                           {Number(cm * 10, mk::Mark(level))}),
                      {QStringLiteral("1 cm = 10 mm."),
                       QStringLiteral("%1 × 10 = %2, so %1 cm = %2 mm.").arg(cm).arg(cm * 10)});
    }
    // Includes the catch of a single-digit remainder: 3 m 5 cm = 305 cm.
    const int cm = 100 * rng.range(1, 9) +
                   (level >= 4 && rng.chance(1, 3) ? rng.range(1, 9) : rng.range(11, 99));
    if (level >= 4 && rng.chance(1, 2))
        return mk::SmallToMixed(kMetres, cm, level);
    return mk::MixedToSmall(kMetres, cm, MCm(cm), level);
}

// Things measured in centimetres, for sums and comparisons.
const QStringList kLong = {QStringLiteral("scarf"),           QStringLiteral("skipping rope"),
                           QStringLiteral("piece of string"), QStringLiteral("plank of wood"),
                           QStringLiteral("piece of cloth"),  QStringLiteral("rope"),
                           QStringLiteral("table"),           QStringLiteral("sunflower"),
                           QStringLiteral("piece of ribbon"), QStringLiteral("straw")};

QString Written(int cm, int level, Rng& rng) {
    if (level <= 2 || cm < 100 || rng.chance(1, 2))
        return QStringLiteral("%1 cm").arg(cm);
    return MCm(cm);
}

struct Two {
    QString a, b;
    int ca, cb;
};

Two TwoLong(int level, Rng& rng) {
    for (;;) {
        QStringList things = kLong;
        rng.shuffle(things);
        const int step = level <= 1 ? 10 : level == 2 ? 5 : 1;
        const int top = level <= 1 ? 99 : level == 2 ? 300 : 3000;
        if (!mk::Fits(things.at(0), kCm, step, 1, top) ||
            !mk::Fits(things.at(1), kCm, step, 1, top))
            continue;
        const int ca = mk::DrawWithin(things.at(0), kCm, step, 1, top, rng);
        const int cb = mk::DrawWithin(things.at(1), kCm, step, 1, top, rng);
        if (ca == cb) {
            qty::TakeUses();
            continue;
        }
        return {things.at(0), things.at(1), ca, cb};
    }
}

Question LongerOrShorter(int level, Rng& rng) {
    const Two t = TwoLong(level, rng);
    const QString wa = Written(t.ca, level, rng), wb = Written(t.cb, level, rng);
    const QString answer = t.cb > t.ca ? QStringLiteral("longer") : QStringLiteral("shorter");
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral(
                  "The %1 is %2 long. The %3 is %4 long. Is the %3 longer or shorter than the %1?")
                  .arg(t.a, wa, t.b, wb)
            : QStringLiteral(
                  "%1 measures a %2 (%3) and a %4 (%5). Is the %4 longer or shorter than the %2?")
                  .arg(mk::AnyChild(rng).name, t.a, wa, t.b, wb);
    QStringList steps;
    if (wa.contains(QStringLiteral(" m")) || wb.contains(QStringLiteral(" m")))
        steps << mk::BothInSmall(kMetres, wa, t.ca, wb, t.cb);
    steps << QStringLiteral("%1 cm is %2 than %3 cm, so the %4 is %5.")
                 .arg(t.cb)
                 .arg(t.cb > t.ca ? QStringLiteral("more") : QStringLiteral("less"))
                 .arg(t.ca)
                 .arg(t.b, answer);
    return Worked(Make(P(ask) + P(QStringLiteral("Write <b>longer</b> or <b>shorter</b>.")),
                       {Word(answer, mk::Mark(level))}),
                  steps);
}

Question Longest(int level, Rng& rng) {
    const int base = 100 * rng.range(1, 5);
    QList<int> lengths;
    while (lengths.size() < 4) {
        const int cm = base + (level <= 3 ? 10 * rng.range(1, 9) : rng.range(1, 99));
        if (!lengths.contains(cm))
            lengths << cm;
    }
    return mk::WhichIsMost(
        lengths, kMetres, MCm, {QStringLiteral("longest"), QStringLiteral("shortest")},
        {QStringLiteral("Which length is the %1?"),
         QStringLiteral("Four ropes are laid out in the playground. Which rope is the %1?")},
        level, rng);
}

Question Estimate(int level, Rng& rng) {
    struct Guess {
        const char* what;
        const char* measure; // "long", "tall", "wide"
        const char* object;  // the table's row
        bool metres;
    };
    static const QList<Guess> guesses = {{"a new pencil", "long", "pencil", false},
                                         {"a classroom table", "long", "table", false},
                                         {"a paper clip", "long", "paper clip", false},
                                         {"a school swimming pool", "long", "swimming pool", true},
                                         {"a crayon", "long", "crayon", false},
                                         {"a tall tree", "tall", "tree", true},
                                         {"a scarf", "long", "scarf", false},
                                         {"a playground", "long", "playground", true},
                                         {"a garden", "long", "garden", true},
                                         {"a straw", "long", "straw", false}};
    const Guess& g = rng.pick(guesses);
    const QString object = QString::fromLatin1(g.object);
    const qty::Range& r = qty::Of(object, g.metres ? Measure::Metres : Measure::Centimetres);
    int value = (r.lo + r.hi) / 2;
    const int round = value >= 50 ? 10 : value >= 20 ? 5 : 1;
    value = value / round * round;
    qty::Use(object, g.metres ? Measure::Metres : Measure::Centimetres, value);
    const QString unit = g.metres ? QStringLiteral("m") : QStringLiteral("cm");
    const QString right = QStringLiteral("%1 %2").arg(value).arg(unit);
    QStringList wrong;
    if (g.metres)
        wrong << QStringLiteral("%1 cm").arg(value) << QStringLiteral("%1 mm").arg(value)
              << QStringLiteral("%1 km").arg(value);
    else
        wrong << QStringLiteral("%1 m").arg(value) << QStringLiteral("%1 mm").arg(value)
              << QStringLiteral("%1 km").arg(value);
    int key = 0;
    const QString options = kit::Options(right, wrong, rng, &key);
    const QString ask = rng.chance(1, 2)
                            ? QStringLiteral("About how %1 is %2?")
                                  .arg(QString::fromLatin1(g.measure), QString::fromLatin1(g.what))
                            : QStringLiteral("Choose the best estimate: how %1 is %2?")
                                  .arg(QString::fromLatin1(g.measure), QString::fromLatin1(g.what));
    return Worked(
        Make(P(ask) + options + mk::ChooseNote(), {Choice(key, mk::Mark(level))}),
        {QStringLiteral(
             "A centimetre is about the width of your little finger; a metre is a big step."),
         QStringLiteral("%1 is about %2, option %3.")
             .arg(kit::Cap(QString::fromLatin1(g.what)), right)
             .arg(key)});
}

Question UnitFor(int level, Rng& rng) {
    struct Thing {
        const char* what;
        int unit; // 0 mm, 1 cm, 2 m
    };
    static const QList<Thing> things = {
        {"the length of a swimming pool", 2}, {"the length of a rubber", 1},
        {"the height of a tree", 2},          {"the length of your hand", 1},
        {"the length of a playground", 2},    {"the width of a book", 1},
        {"the length of a train", 2},         {"the length of an ant", 0},
        {"the thickness of a coin", 0}};
    const Thing t = rng.pick(level >= 3 ? things : things.mid(0, 8));
    static const QList<QStringList> spellings = {
        {QStringLiteral("mm"), QStringLiteral("millimetres"), QStringLiteral("millimetre")},
        {QStringLiteral("cm"), QStringLiteral("centimetres"), QStringLiteral("centimetre")},
        {QStringLiteral("m"), QStringLiteral("metres"), QStringLiteral("metre")}};
    const QString choices = level >= 3 ? QStringLiteral("<b>mm</b>, <b>cm</b> or <b>m</b>")
                                       : QStringLiteral("<b>cm</b> or <b>m</b>");
    const QString ask = rng.chance(1, 2) ? QStringLiteral("Would you measure %1 in %2?")
                                               .arg(QString::fromLatin1(t.what), choices)
                                         : QStringLiteral("Which unit is best for %1: %2?")
                                               .arg(QString::fromLatin1(t.what), choices);
    static const QStringList why = {QStringLiteral("very small lengths"),
                                    QStringLiteral("small lengths"),
                                    QStringLiteral("long lengths")};
    return Worked(Make(P(ask), {kit::AnyOf(spellings.at(t.unit), mk::Mark(level))}),
                  {QStringLiteral("Millimetres are for tiny lengths, centimetres for small things, "
                                  "metres for big things."),
                   QStringLiteral("%1 is one of the %2, so use %3.")
                       .arg(kit::Cap(QString::fromLatin1(t.what)), why.at(t.unit),
                            spellings.at(t.unit).at(1))});
}

Question Total(int level, Rng& rng) {
    const Two t = TwoLong(level, rng);
    const QString wa = Written(t.ca, level, rng), wb = Written(t.cb, level, rng);
    const Child c = mk::AnyChild(rng);
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("A %1 is %2 long and a %3 is %4 long. They are laid end to end. How "
                             "long are they together?")
                  .arg(t.a, wa, t.b, wb)
            : QStringLiteral("%1 has a %2 of %3 and a %4 of %5. What is their total length?")
                  .arg(c.name, t.a, wa, t.b, wb);
    QStringList steps;
    if (wa.contains(QStringLiteral(" m")) || wb.contains(QStringLiteral(" m")))
        steps << mk::BothInSmall(kMetres, wa, t.ca, wb, t.cb);
    steps << QStringLiteral("%1 cm + %2 cm = %3 cm.").arg(t.ca).arg(t.cb).arg(t.ca + t.cb);
    return Worked(
        Make(P(ask) + mk::Line(QStringLiteral("Together: "), QString(), QStringLiteral("cm")),
             {Number(t.ca + t.cb, mk::Mark(level))}),
        steps);
}

Question Difference(int level, Rng& rng) {
    const auto [x, y] = mk::TwoChildren(rng);
    const bool jump = rng.chance(1, 2);
    const QString object = jump ? QStringLiteral("long jump") : QStringLiteral("child");
    int a = mk::Draw(object, kCm, level <= 2 ? 5 : 1, rng);
    int b = mk::Draw(object, kCm, level <= 2 ? 5 : 1, rng);
    if (a == b) {
        qty::TakeUses();
        return Difference(level, rng);
    }
    const QString wa = Written(a, level, rng), wb = Written(b, level, rng);
    const Child& more = a > b ? x : y;
    const QString ask =
        jump ? QStringLiteral(
                   "In the long jump %1 jumps %2 and %3 jumps %4. How much farther does %5 jump?")
                   .arg(x.name, wa, y.name, wb, more.name)
             : QStringLiteral("%1 is %2 tall and %3 is %4 tall. How much taller is %5?")
                   .arg(x.name, wa, y.name, wb, more.name);
    QStringList steps;
    if (wa.contains(QStringLiteral(" m")) || wb.contains(QStringLiteral(" m")))
        steps << mk::BothInSmall(kMetres, wa, a, wb, b);
    steps << QStringLiteral("%1 cm − %2 cm = %3 cm.")
                 .arg(std::max(a, b))
                 .arg(std::min(a, b))
                 .arg(std::abs(a - b));
    return Worked(
        Make(P(ask) + mk::Line(QString(), QString(),
                               jump ? QStringLiteral("cm farther") : QStringLiteral("cm taller")),
             {Number(std::abs(a - b), mk::Mark(level))}),
        steps);
}

Question EndToEnd(int level, Rng& rng) {
    const QString object =
        rng.chance(1, 2) ? QStringLiteral("lolly stick") : QStringLiteral("straw");
    const int each = mk::Draw(object, kCm, 1, rng);
    const int n = rng.range(3, level <= 3 ? 5 : 9);
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("Each %1 is %2 cm long. %3 of them are put end to end in a line. How "
                             "long is the line?")
                  .arg(object)
                  .arg(each)
                  .arg(n)
            : QStringLiteral(
                  "%1 lays %2 %3s in a row, end to end. Each is %4 cm long. How long is the row?")
                  .arg(mk::AnyChild(rng).name)
                  .arg(n)
                  .arg(object)
                  .arg(each);
    return Worked(
        Make(P(ask) + mk::Line(QStringLiteral("Length: "), QString(), QStringLiteral("cm")),
             {Number(each * n, mk::Mark(level))}),
        {QStringLiteral("%1 lots of %2 cm: %1 × %2 = %3.").arg(n).arg(each).arg(each * n)});
}

Question CutEqual(int level, Rng& rng) {
    const QString object =
        rng.chance(1, 2) ? QStringLiteral("plank of wood") : QStringLiteral("piece of string");
    const int parts = rng.pick(level >= 5 ? QList<int>{3, 4, 6, 8} : QList<int>{2, 4, 5, 10});
    const int total = mk::Draw(object, kCm, parts * (level >= 5 ? 3 : 10), rng);
    const int each = total / parts;
    return Worked(
        Make(P(QStringLiteral("A %1 %2 long is cut into %3 equal pieces. How long is each piece?")
                   .arg(object, MCm(total))
                   .arg(parts)) +
                 mk::Line(QStringLiteral("Each piece: "), QString(), QStringLiteral("cm")),
             {Number(each, mk::Mark(level))}),
        (total >= 100 ? QStringList{QStringLiteral("%1 = %2 cm.").arg(MCm(total)).arg(total)}
                      : QStringList{}) +
            QStringList{QStringLiteral("%1 cm ÷ %2 = %3 cm, because %2 × %3 = %1.")
                            .arg(total)
                            .arg(parts)
                            .arg(each)});
}

Question Remaining(int level, Rng& rng) {
    const QString object =
        rng.chance(1, 2) ? QStringLiteral("piece of cloth") : QStringLiteral("rope");
    const int whole = mk::DrawWithin(object, kCm, 100, 200, 500, rng);
    const int used = level >= 5 ? rng.range(15, whole - 15) : 10 * rng.range(2, whole / 10 - 2);
    const Child c = mk::AnyChild(rng);
    const QString ask =
        object == QLatin1String("rope")
            ? QStringLiteral(
                  "A rope is %1 long. %2 cuts off %3 for a swing. How much rope is left?")
                  .arg(MCm(whole), c.name, MCm(used))
            : QStringLiteral(
                  "%1 has %2 of cloth and uses %3 to make a bag. How much cloth is left?")
                  .arg(c.name, MCm(whole), MCm(used));
    return Worked(
        Make(P(ask) + mk::Line(QStringLiteral("Left: "), QString(), QStringLiteral("cm")),
             {Number(whole - used, mk::Mark(level))}),
        {QStringLiteral("%1 = %2 cm.").arg(MCm(whole)).arg(whole),
         QStringLiteral("%1 cm − %2 cm = %3 cm.").arg(whole).arg(used).arg(whole - used)});
}

Question Walk(int level, Rng& rng) {
    const Child c = mk::AnyChild(rng);
    const int legs = level >= 5 ? 3 : 2;
    QList<int> d;
    for (int i = 0; i < legs; ++i)
        d << mk::DrawWithin(QStringLiteral("path"), kM, level <= 3 ? 10 : 1, 10, 400, rng);
    int total = 0;
    QStringList parts;
    for (int v : d) {
        total += v;
        parts << QString::number(v);
    }
    QString ask;
    if (legs == 2)
        ask = QStringLiteral("%1 walks %2 m along a path to the park gate, then %3 m to the pond. "
                             "How far does %4 walk altogether?")
                  .arg(c.name)
                  .arg(d.at(0))
                  .arg(d.at(1))
                  .arg(c.he());
    else
        ask = QStringLiteral("%1 walks %2 m from A to B, then %3 m from B to C, then %4 m from C "
                             "to D. How far does %5 walk?")
                  .arg(c.name)
                  .arg(d.at(0))
                  .arg(d.at(1))
                  .arg(d.at(2))
                  .arg(c.he());
    return Worked(
        Make(P(ask) + mk::Line(QStringLiteral("Distance: "), QString(), QStringLiteral("m")),
             {Number(total, mk::Mark(level))}),
        {QStringLiteral("Add the parts of the walk: %1 = %2 m.")
             .arg(parts.join(QStringLiteral(" + ")))
             .arg(total)});
}

// A ruler with two things on it, and questions about both.
Question RulerStory(int level, int blanks, Rng& rng) {
    const int l = std::max(level, 3);
    const OnRuler a = PlaceOnRuler(l, rng);
    OnRuler b = PlaceOnRuler(l, rng, QString::fromLatin1(a.thing.name));
    while (b.lengthMm == a.lengthMm)
        b = PlaceOnRuler(l, rng, QString::fromLatin1(a.thing.name));
    const bool mm = l >= 4;
    const Picture pic = SvgPicture(QStringLiteral("ruler.svg"), RulerPicture({a, b}, mm));
    const QString n1 = QString::fromLatin1(a.thing.name), n2 = QString::fromLatin1(b.thing.name);
    const QString unit = l >= 5 ? QStringLiteral("mm") : QStringLiteral("cm");
    const auto value = [&](int mmValue, int mark) {
        return l >= 5 ? Number(mmValue, mark) : NumberText(CmKey(mmValue), mark);
    };
    const auto show = [&](int mmValue) {
        return l >= 5 ? QStringLiteral("%1 mm").arg(mmValue)
                      : QStringLiteral("%1 cm").arg(CmKey(mmValue));
    };
    const QString intro =
        P(QStringLiteral("Look at the %1 and the %2 above the ruler.").arg(n1, n2)) +
        P(html::Img(pic.name, RulerAlt({a, b}, mm)));
    const int longer = std::max(a.lengthMm, b.lengthMm), shorter = std::min(a.lengthMm, b.lengthMm);
    const QList<Question> pool = {
        Worked(Make(QStringLiteral("How long is the %1?").arg(n1) +
                        mk::Line(QString(), QString(), unit),
                    {value(a.lengthMm, 1)}),
               MeasureSteps(a, l)),
        Worked(Make(QStringLiteral("How long is the %1?").arg(n2) +
                        mk::Line(QString(), QString(), unit),
                    {value(b.lengthMm, 1)}),
               MeasureSteps(b, l)),
        Worked(Make(QStringLiteral("How much longer is the %1 than the %2?")
                            .arg(a.lengthMm > b.lengthMm ? n1 : n2,
                                 a.lengthMm > b.lengthMm ? n2 : n1) +
                        mk::Line(QString(), QString(), unit),
                    {value(longer - shorter, 2)}),
               {QStringLiteral("%1 − %2 = %3.")
                    .arg(show(longer), show(shorter), show(longer - shorter))}),
        Worked(Make(QStringLiteral("The two are put end to end. How long are they together?") +
                        mk::Line(QString(), QString(), unit),
                    {value(a.lengthMm + b.lengthMm, 2)}),
               {QStringLiteral("%1 + %2 = %3.")
                    .arg(show(a.lengthMm), show(b.lengthMm), show(a.lengthMm + b.lengthMm))}),
    };
    return mk::CombineFrom(intro, pool, blanks, {pic});
}

QStringList Words() {
    QStringList words;
    for (const Measured& m : kOnRuler)
        words << QString::fromLatin1(m.name);
    words += kLong;
    words << QStringLiteral("lolly sticks") << QStringLiteral("straws")
          << QStringLiteral("plank of wood") << QStringLiteral("piece of string")
          << QStringLiteral("rope") << QStringLiteral("cloth");
    return mk::WithPeople(words);
}

} // namespace

QList<Question> GenerateTopic6(const PaperSpec& paperSpec, Rng& rng) {
    const QList<mk::Maker> makers = {
        {1, 5, MeasureOnRuler}, {1, 5, MeasureOnRuler}, {1, 5, Convert},
        {1, 3, Estimate},       {1, 3, UnitFor},        {1, 3, LongerOrShorter},
        {3, 5, Longest},        {2, 5, CompareOnRuler}, {1, 5, Total},
        {2, 5, Difference},     {3, 5, EndToEnd},       {4, 5, CutEqual},
        {4, 5, Remaining},      {3, 5, Walk},
    };
    return mk::BuildPaper(paperSpec, rng, makers, RulerStory, mk::NoFixed(), Words());
}

} // namespace bank
