// Topic 3: multiplication and division. Paper 1 uses the 2, 5 and 10 times
// tables with arrays and equal groups, paper 2 adds the 3 and 4 times tables,
// paper 3 the 8 times table and scaling, paper 4 every table to 12, two-digit
// times one-digit and remainders, paper 5 harder written methods and
// two-step problems.
#include "NumberTopicKit.h"

#include <QSet>

namespace bank {

namespace {

using namespace numkit;

const QStringList& Names() {
    static const QStringList names = {
        QStringLiteral("Aisha"), QStringLiteral("Ben"),    QStringLiteral("Carlos"),
        QStringLiteral("Dina"),  QStringLiteral("Evan"),   QStringLiteral("Fatima"),
        QStringLiteral("Gus"),   QStringLiteral("Holly"),  QStringLiteral("Ibrahim"),
        QStringLiteral("Jess"),  QStringLiteral("Kim"),    QStringLiteral("Luca"),
        QStringLiteral("Megan"), QStringLiteral("Nathan"), QStringLiteral("Poppy"),
        QStringLiteral("Rory"),  QStringLiteral("Sofia"),  QStringLiteral("Theo")};
    return names;
}

QString Times(int a, int b) {
    return QStringLiteral("%1 &times; %2").arg(a).arg(b);
}

QString Divide(int a, int b) {
    return QStringLiteral("%1 &divide; %2").arg(a).arg(b);
}

// The times tables practised at each level, and the largest other factor.
QList<int> Tables(int level) {
    switch (level) {
    case 1:
        return {2, 5, 10};
    case 2:
        return {2, 3, 4, 5, 10};
    case 3:
        return {3, 4, 8, 3, 4, 8, 2, 5};
    case 4:
        return {6, 7, 9, 11, 12, 3, 4, 8};
    default:
        return {2, 3, 4, 5, 6, 7, 8, 9, 11, 12};
    }
}

int MaxFactor(int level) {
    return level <= 2 ? 10 : 12;
}

// A times-table fact t x n with t from the level's tables.
QPair<int, int> Fact(Rng& r, int level) {
    // From paper 4 on, no doubling: "x 2" facts belong to the first papers.
    return {r.pick(Tables(level)), r.range(level >= 4 ? 3 : 2, MaxFactor(level))};
}

// --- pictures -----------------------------------------------------------------

Picture ArrayPicture(int rows, int cols) {
    const double gap = 38;
    QString body;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < cols; ++x) {
            body += QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"13\" fill=\"#2a6fdb\"/>")
                        .arg(24 + x * gap)
                        .arg(24 + y * gap);
        }
    }
    return kit::SvgPicture(QStringLiteral("array.svg"),
                           Svg(int(48 + (cols - 1) * gap), int(48 + (rows - 1) * gap), body));
}

// The array of dots and its picture reference.
QString ArrayShown(int rows, int cols) {
    return P(QStringLiteral("Look at the array of dots.")) +
           html::Img(QStringLiteral("array.svg"),
                     QStringLiteral("An array of %1 rows of %2 dots").arg(rows).arg(cols));
}

// Groups of equal size: plates with cakes on them.
QByteArray GroupsPicture(int groups, int each) {
    const int perRow = each <= 4 ? 2 : each <= 9 ? 3 : 4;
    const double plate = 130;
    const int platesPerRow = std::min(groups, 5);
    const int plateRows = (groups + platesPerRow - 1) / platesPerRow;
    QString body;
    for (int g = 0; g < groups; ++g) {
        const double cx = 70 + (g % platesPerRow) * (plate + 12);
        const double cy = 70 + (g / platesPerRow) * (plate + 12);
        body += QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"62\" fill=\"#fff4d6\" "
                               "stroke=\"#c9a24a\" stroke-width=\"4\"/>")
                    .arg(cx)
                    .arg(cy);
        const int rows = (each + perRow - 1) / perRow;
        for (int i = 0; i < each; ++i) {
            const int inRow = std::min(perRow, each - (i / perRow) * perRow);
            const double x = cx + ((i % perRow) - (inRow - 1) / 2.0) * 28;
            const double y = cy + ((i / perRow) - (rows - 1) / 2.0) * 28;
            body += QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"11\" fill=\"#e8553e\" "
                                   "stroke=\"#9c2f1f\" stroke-width=\"2\"/>")
                        .arg(x)
                        .arg(y);
        }
    }
    return Svg(int(8 + platesPerRow * (plate + 12)), int(8 + plateRows * (plate + 12)), body);
}

// --- single-blank questions ------------------------------------------------

Question WorkOut(const QString& left, int answer) {
    return One(P(QStringLiteral("Work out:")) + Sum(left + QStringLiteral(" = ") + html::Box()),
               Num(answer));
}

Question TimesFact(Rng& r, int level) {
    auto [t, n] = Fact(r, level);
    if (r.chance(1, 2))
        std::swap(t, n);
    return WorkOut(Times(t, n), t * n);
}

Question DivideFact(Rng& r, int level) {
    const auto [t, n] = Fact(r, level);
    return WorkOut(Divide(t * n, t), n);
}

Question MissingFactor(Rng& r, int level) {
    const auto [t, n] = Fact(r, level);
    const QString sum =
        r.chance(1, 2) ? QStringLiteral("%1 &times; %2 = %3").arg(t).arg(html::Box()).arg(t * n)
                       : QStringLiteral("%1 &times; %2 = %3").arg(html::Box()).arg(t).arg(t * n);
    return One(P(QStringLiteral("What is the missing number?")) + Sum(sum), Num(n));
}

Question CountInSteps(Rng& r, int level) {
    const int t = r.pick(Tables(level));
    const int start = r.range(1, 6);
    QStringList shown;
    for (int i = 0; i < 4; ++i)
        shown << Num(t * (start + i));
    shown << html::Box();
    return One(P(QStringLiteral("Count in %1s. What number comes next?").arg(t)) +
                   Sum(shown.join(QStringLiteral(", "))),
               Num(t * (start + 4)));
}

Question DoubleHalf(Rng& r, int) {
    if (r.chance(1, 2)) {
        const int n = r.range(6, 20);
        return One(P(QStringLiteral("What is double %1?").arg(n)), Num(2 * n));
    }
    const int n = 2 * r.range(6, 20);
    return One(P(QStringLiteral("What is half of %1?").arg(n)), Num(n / 2));
}

Question ArrayCount(Rng& r, int level) {
    // At least eight dots, so that counting in steps pays off.
    const int cols = level == 1 ? r.pick(QList<int>{2, 5, 10}) : r.range(3, 8);
    const int rows = r.range(cols == 2 ? 4 : 2, 5);
    Question q = One(ArrayShown(rows, cols) +
                         P(QStringLiteral("There are %1 rows with %2 dots in each row. How many "
                                          "dots are there altogether?")
                               .arg(rows)
                               .arg(cols)),
                     Num(rows * cols));
    q.pictures << ArrayPicture(rows, cols);
    return q;
}

Question EqualGroups(Rng& r, int level) {
    const int groups = r.range(2, 5);
    const int each = level == 1 ? r.pick(QList<int>{2, 5, 10}) : r.range(3, 6);
    Question q =
        One(html::Img(QStringLiteral("plates.svg"),
                      QStringLiteral("%1 plates with %2 cakes on each").arg(groups).arg(each)) +
                P(QStringLiteral("There are %1 plates. Each plate has %2 cakes on it. "
                                 "How many cakes are there altogether?")
                      .arg(groups)
                      .arg(each)),
            Num(groups * each));
    q.pictures << kit::SvgPicture(QStringLiteral("plates.svg"), GroupsPicture(groups, each));
    return q;
}

Question TimesTen(Rng& r, int level) {
    switch (r.range(0, level >= 4 ? 3 : 1)) {
    case 0: {
        const int n = r.range(12, 95);
        return WorkOut(Times(n, 10), n * 10);
    }
    case 1: {
        const int n = r.range(12, 95);
        return WorkOut(Divide(n * 10, 10), n);
    }
    case 2: {
        const int n = r.range(3, 48);
        return WorkOut(Times(n, 100), n * 100);
    }
    default: {
        const int n = r.range(3, 9);
        const int t = r.range(2, 9);
        return WorkOut(Times(t * 10, n), t * 10 * n);
    }
    }
}

// Two-digit times one-digit: no regrouping in paper 4, regrouping in paper 5.
Question TwoDigitTimes(Rng& r, int level) {
    for (;;) {
        const int a = r.range(12, 49);
        const int m = r.range(2, level >= 5 ? 9 : 4);
        const bool regroups = (a % 10) * m >= 10;
        if (regroups != (level >= 5) || a * m > 999)
            continue;
        return WorkOut(Times(a, m), a * m);
    }
}

Question DivideBig(Rng& r, int) {
    for (;;) {
        const int d = r.range(2, 8);
        const int q = r.range(12, 99);
        if (d * q > 400 || q % 10 == 0)
            continue;
        return WorkOut(Divide(d * q, d), q);
    }
}

Question Remainder(Rng& r, int level) {
    const int size = r.range(3, level >= 5 ? 9 : 6);
    const int teams = r.range(3, 9);
    const int left = r.range(1, size - 1);
    const int children = size * teams + left;
    if (r.chance(1, 2)) {
        return One(P(QStringLiteral("%1 children get into teams of %2. How many children are "
                                    "left over?")
                         .arg(children)
                         .arg(size)),
                   Num(left), QStringLiteral("N"), 2);
    }
    return One(P(QStringLiteral("%1 eggs are packed into boxes of %2. How many boxes can be "
                                "filled?")
                     .arg(children)
                     .arg(size)),
               Num(teams), QStringLiteral("N"), 2);
}

Question ChoiceQuestion(Rng& r, int level) {
    const int position = r.range(1, 4);
    if (r.chance(1, 2)) {
        auto [t, n] = Fact(r, level);
        while (t == n)
            n = r.range(2, MaxFactor(level));
        return Choice(P(QStringLiteral("Which of these is the same as %1?").arg(Times(t, n))),
                      Times(n, t),
                      {QStringLiteral("%1 + %2").arg(t).arg(n),
                       QStringLiteral("%1%2").arg(t).arg(n), Times(t, n + 1)},
                      position);
    }
    const int t = r.pick(Tables(level));
    const int multiple = t * r.range(2, MaxFactor(level));
    QStringList wrong;
    while (wrong.size() < 3) {
        const int candidate = multiple + r.range(-5, 5);
        if (candidate > 1 && candidate % t != 0 && !wrong.contains(Num(candidate)))
            wrong << Num(candidate);
    }
    return Choice(P(QStringLiteral("Which of these numbers is in the %1 times table?").arg(t)),
                  Num(multiple), wrong, position);
}

Question TrueFalse(Rng& r, int level) {
    const auto [t, n] = Fact(r, level);
    const int product = t * n;
    switch (r.range(0, 2)) {
    case 0:
        return TrueOrFalse(Times(t, n) + QStringLiteral(" = ") + Times(n, t), true);
    case 1: {
        const bool right = r.chance(1, 2);
        return TrueOrFalse(Times(t, n) + QStringLiteral(" = %1").arg(right ? product : product + t),
                           right);
    }
    default: {
        const bool right = r.chance(1, 2);
        return TrueOrFalse(Divide(product, t) + QStringLiteral(" = %1").arg(right ? n : n + 1),
                           right);
    }
    }
}

// Several answers are right: every multiple of t between lo and hi.
Question MultipleBetween(Rng& r, int level) {
    const int t = r.pick(QList<int>{3, 4, 6, 8});
    const int lo = 10 * r.range(2, 5);
    const int hi = lo + 10;
    QStringList answers;
    for (int v = lo + 1; v < hi; ++v) {
        if (v % t == 0)
            answers << Num(v);
    }
    if (answers.isEmpty())
        return TimesFact(r, level);
    return One(P(QStringLiteral("Write a number between %1 and %2 that is in the %3 times table.")
                     .arg(lo)
                     .arg(hi)
                     .arg(t)),
               QStringLiteral(";") + answers.join(QLatin1Char(';')), QStringLiteral("M"));
}

struct Things {
    const char* each;  // "a spider has %1 legs"
    const char* total; // "how many legs do %1 spiders have?"
    int count;
};

Question WordMultiply(Rng& r, int level) {
    static const QList<Things> fixedCounts = {
        {"A spider has 8 legs.", "How many legs do %1 spiders have altogether?", 8},
        {"A dog has 4 legs.", "How many legs do %1 dogs have altogether?", 4},
        {"A starfish has 5 arms.", "How many arms do %1 starfish have altogether?", 5},
        {"A tricycle has 3 wheels.", "How many wheels do %1 tricycles have altogether?", 3},
        {"A bird has 2 wings.", "How many wings do %1 birds have altogether?", 2},
        {"An insect has 6 legs.", "How many legs do %1 insects have altogether?", 6},
    };
    QList<Things> fitting;
    for (const Things& t : fixedCounts) {
        if (Tables(level).contains(t.count))
            fitting << t;
    }
    const int n = r.range(3, MaxFactor(level));
    if (!fitting.isEmpty() && r.chance(1, 2)) {
        const Things& t = r.pick(fitting);
        return One(
            P(QString::fromLatin1(t.each) + QLatin1Char(' ') + QString::fromLatin1(t.total).arg(n)),
            Num(t.count * n), QStringLiteral("N"), 2);
    }
    const int t = r.pick(Tables(level));
    const QString name = r.pick(Names());
    if (r.chance(1, 2)) {
        return One(P(QStringLiteral("Pencils come in packs of %1. %2 buys %3 packs. How many "
                                    "pencils does %2 buy?")
                         .arg(t)
                         .arg(name)
                         .arg(n)),
                   Num(t * n), QStringLiteral("N"), 2);
    }
    return One(P(QStringLiteral("In a hall there are %1 rows of chairs with %2 chairs in each "
                                "row. How many chairs are there?")
                     .arg(n)
                     .arg(t)),
               Num(t * n), QStringLiteral("N"), 2);
}

Question WordShare(Rng& r, int level) {
    const auto [t, n] = Fact(r, level);
    if (r.chance(1, 2)) {
        return One(P(QStringLiteral("%1 sweets are shared equally between %2 children. How many "
                                    "sweets does each child get?")
                         .arg(t * n)
                         .arg(t)),
                   Num(n), QStringLiteral("N"), 2);
    }
    return One(P(QStringLiteral("%1 apples are put into bags of %2. How many bags are "
                                "needed?")
                     .arg(t * n)
                     .arg(t)),
               Num(n), QStringLiteral("N"), 2);
}

Question Scaling(Rng& r, int) {
    const auto [a, b] = TwoNames(r, Names());
    const int have = r.range(3, 12);
    const int times = r.range(2, 5);
    return One(P(QStringLiteral("%1 has %2 marbles. %3 has %4 times as many marbles as %1. "
                                "How many marbles does %3 have?")
                     .arg(a)
                     .arg(have)
                     .arg(b)
                     .arg(times)),
               Num(have * times), QStringLiteral("N"), 2);
}

Question TwoStep(Rng& r, int level) {
    const auto [t, n] = Fact(r, level);
    const int used = r.range(2, t * n - 2);
    const QString name = r.pick(Names());
    switch (r.range(0, 2)) {
    case 0:
        return One(P(QStringLiteral("%1 buys %2 packs of stickers. There are %3 stickers in each "
                                    "pack. %1 gives %4 stickers away. How many stickers does %1 "
                                    "have left?")
                         .arg(name)
                         .arg(n)
                         .arg(t)
                         .arg(used)),
                   Num(t * n - used), QStringLiteral("N"), 3);
    case 1:
        return One(P(QStringLiteral("There are %1 rows of %2 chairs in a hall. %3 chairs are "
                                    "taken. How many chairs are empty?")
                         .arg(n)
                         .arg(t)
                         .arg(used)),
                   Num(t * n - used), QStringLiteral("N"), 3);
    default: {
        const int total = t * n + r.range(3, 20);
        return One(P(QStringLiteral("A teacher has %1 pencils. She gives %2 pencils to each of "
                                    "%3 groups. How many pencils does she have left?")
                         .arg(total)
                         .arg(t)
                         .arg(n)),
                   Num(total - t * n), QStringLiteral("N"), 3);
    }
    }
}

Question Inverse(Rng& r, int level) {
    const auto [t, n] = Fact(r, level);
    if (r.chance(1, 2))
        return ThinkOfNumber(QStringLiteral("multiply it by %1").arg(t), t * n, n);
    return ThinkOfNumber(QStringLiteral("divide it by %1").arg(t), n, t * n);
}

// --- questions with several blanks --------------------------------------------

Question ArrayPair(Rng& r, int level) {
    int rows = r.range(2, 5);
    int cols = r.pick(Tables(level));
    while (cols == rows)
        cols = r.pick(Tables(level));
    Question q = Equations(ArrayShown(rows, cols), {Times(rows, cols), Times(cols, rows)},
                           {rows * cols, rows * cols});
    q.pictures << ArrayPicture(rows, cols);
    return q;
}

// Two numbers above 1 multiply to make n in one way only (n = p x q, primes).
Question FactorPair(Rng& r, int) {
    static const QList<QPair<int, int>> pairs = {{2, 3}, {2, 5}, {2, 7},  {3, 5},
                                                 {3, 7}, {5, 7}, {2, 11}, {3, 11}};
    const auto [p, q] = r.pick(pairs);
    return AnyOrder(P(QStringLiteral("Find two numbers, both bigger than 1, that multiply to make "
                                     "<b>%1</b>.")
                          .arg(p * q)),
                    {Num(p), Num(q)});
}

Question FactFamily(Rng& r, int level) {
    auto [t, n] = Fact(r, level);
    while (t == n)
        n = r.range(2, MaxFactor(level));
    const int c = t * n;
    return Equations(P(QStringLiteral("Use the numbers %1, %2 and %3 to fill in the boxes.")
                           .arg(t)
                           .arg(n)
                           .arg(c)),
                     {Times(t, n), Divide(c, t), Divide(c, n)}, {c, n, t});
}

Question PackWord(Rng& r, int level) {
    const int t = r.pick(QList<int>{4, 6, 8, 12, 5, 3});
    const int a = r.range(3, 6);
    int b = r.range(7, 11);
    int c = r.range(5, 12);
    while (c == a || c == b)
        c = r.range(5, 12);
    Q_UNUSED(level);
    Question q;
    q.html = P(QStringLiteral("Eggs are sold in boxes of %1.").arg(t)) +
             html::Parts({QStringLiteral("How many eggs are in %1 boxes?").arg(a),
                          QStringLiteral("How many eggs are in %1 boxes?").arg(b),
                          QStringLiteral("How many boxes are needed for %1 eggs?").arg(c * t)});
    q.blanks << Blank{Num(a * t), QStringLiteral("N"), 1}
             << Blank{Num(b * t), QStringLiteral("N"), 1} << Blank{Num(c), QStringLiteral("N"), 2};
    return q;
}

// Exactly three of six numbers are multiples of t; any order.
Question ThreeMultiples(Rng& r, int) {
    for (;;) {
        const int t = r.pick(QList<int>{6, 7, 8, 9});
        QList<int> multiples;
        while (multiples.size() < 3) {
            const int m = t * r.range(2, 10);
            if (!multiples.contains(m))
                multiples << m;
        }
        QList<int> shown = multiples;
        while (shown.size() < 6) {
            const int v = r.range(12, t * 10);
            if (v % t != 0 && !shown.contains(v))
                shown << v;
        }
        std::sort(multiples.begin(), multiples.end());
        r.shuffle(shown);
        QStringList keys;
        for (int v : multiples)
            keys << Num(v);
        return AnyOrder(
            P(QStringLiteral("Three of these numbers are in the %1 times table. Which three?")
                  .arg(t)) +
                Sum(NumberList(shown)),
            keys);
    }
}

Question MultiplesRun(Rng& r, int blanks) {
    const int t = r.pick(QList<int>{6, 7, 8, 9, 11, 12});
    const int start = r.range(3, 6);
    QStringList shown;
    Question q;
    for (int i = 0; i < 2 + blanks; ++i) {
        if (i < 2) {
            shown << Num(t * (start + i));
        } else {
            shown << QStringLiteral("<b>%1</b>").arg(html::PartLabel(i - 2));
            q.blanks << Blank{Num(t * (start + i)), QStringLiteral("N"), 1};
        }
    }
    q.html = P(QStringLiteral("Keep counting in %1s. Write the numbers (a) to %2.")
                   .arg(t)
                   .arg(html::PartLabel(blanks - 1))) +
             Sum(shown.join(QStringLiteral(", ")));
    return q;
}

Question MultiBlank(Rng& r, int level, int blanks, int index) {
    if (blanks == 2)
        return level == 1 ? ArrayPair(r, level) : FactorPair(r, level);
    if (blanks == 4)
        return MultiplesRun(r, blanks);
    // Three blanks: a fact family first, then word problems and groups.
    if (level <= 3)
        return index == 0 ? FactFamily(r, level) : PackWord(r, level);
    if (level == 4)
        return index == 0   ? FactFamily(r, level)
               : index == 1 ? PackWord(r, level)
                            : ThreeMultiples(r, level);
    return index == 0 ? PackWord(r, level) : ThreeMultiples(r, level);
}

// The sample record 23313: the right option is the second.
Question Fixed(const FixedQuestion& fixed) {
    Question q =
        Choice(P(QStringLiteral("Which of these is the same as %1?").arg(Times(4, 6))), Times(6, 4),
               {QStringLiteral("4 + 6"), QStringLiteral("46"), QStringLiteral("4 + 4")},
               fixed.keys.at(0).toInt());
    q.blanks[0].mark = fixed.marks.at(0);
    return q;
}

// The single-blank questions of each paper, easiest first.
QList<SingleMaker> Recipe(int level) {
    QList<QPair<SingleMaker, int>> counts;
    switch (level) {
    case 1:
        counts = {{TimesFact, 6},  {DivideFact, 2},   {CountInSteps, 2},  {DoubleHalf, 2},
                  {ArrayCount, 3}, {EqualGroups, 3},  {MissingFactor, 2}, {ChoiceQuestion, 1},
                  {TrueFalse, 1},  {WordMultiply, 3}, {WordShare, 3}};
        break;
    case 2:
        counts = {{TimesFact, 6},   {DivideFact, 5},   {MissingFactor, 2}, {ArrayCount, 2},
                  {EqualGroups, 2}, {CountInSteps, 1}, {DoubleHalf, 1},    {ChoiceQuestion, 1},
                  {TrueFalse, 1},   {WordMultiply, 3}, {WordShare, 3}};
        break;
    case 3:
        counts = {{TimesFact, 5},       {DivideFact, 5},   {MissingFactor, 3},  {TimesTen, 2},
                  {MultipleBetween, 1}, {CountInSteps, 1}, {ChoiceQuestion, 1}, {TrueFalse, 2},
                  {WordMultiply, 3},    {WordShare, 3},    {Scaling, 2}};
        break;
    case 4:
        counts = {{TimesFact, 4},     {DivideFact, 4}, {MissingFactor, 2},  {TimesTen, 2},
                  {TwoDigitTimes, 3}, {Remainder, 2},  {ChoiceQuestion, 1}, {TrueFalse, 2},
                  {WordMultiply, 2},  {WordShare, 2},  {TwoStep, 2},        {Scaling, 1}};
        break;
    default:
        counts = {{TimesFact, 3}, {DivideFact, 3},   {MissingFactor, 2},  {TwoDigitTimes, 3},
                  {DivideBig, 3}, {Remainder, 2},    {ChoiceQuestion, 1}, {TrueFalse, 1},
                  {Inverse, 2},   {WordMultiply, 2}, {WordShare, 2},      {TwoStep, 2},
                  {Scaling, 1}};
        break;
    }
    return Expand(counts);
}

} // namespace

QList<Question> GenerateTopic3(const PaperSpec& paperSpec, Rng& rng) {
    const int level = paperSpec.paperInTopic;
    const QList<SingleMaker> recipe = Recipe(level);
    return BuildRecipePaper(
        paperSpec, [&](int index) { return recipe.value(index, TimesFact)(rng, level); },
        [&](int blanks, int index) { return MultiBlank(rng, level, blanks, index); }, Fixed);
}

} // namespace bank
