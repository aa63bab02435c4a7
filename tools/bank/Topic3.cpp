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
        return {2, 3, 4, 5, 10, 3, 4};
    case 3:
        return {3, 4, 8, 3, 4, 8, 2, 5};
    case 4:
        return {6, 7, 9, 11, 12, 3, 4, 8};
    default:
        // The hardest paper leaves the first tables to the first papers.
        return {6, 7, 8, 9, 11, 12};
    }
}

int MaxFactor(int level) {
    return level == 1 ? 10 : 12;
}

// A times-table fact t x n with t from the level's tables.
QPair<int, int> Fact(Rng& r, int level) {
    // From paper 4 on, no doubling: "x 2" facts belong to the first papers.
    // Past paper 1 the other factor is at least 3, so each paper asks more of the tables.
    return {r.pick(Tables(level)), r.range(level >= 2 ? 4 : 2, MaxFactor(level))};
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

// --- worked solutions ----------------------------------------------------------

// a x b: counting in the table's steps, the tens and ones partitioned, or
// the digits moving for 10 and 100.
QStringList TimesSteps(int a, int b) {
    const int product = a * b;
    if (b == 10 || b == 100 || a == 10 || a == 100) {
        const int n = b == 10 || b == 100 ? a : b;
        const int by = b == 10 || b == 100 ? b : a;
        return {QStringLiteral("Multiplying by %1 moves every digit %2 to the left and puts %3 "
                               "in the empty %4.")
                    .arg(by)
                    .arg(by == 10 ? QStringLiteral("one place") : QStringLiteral("two places"))
                    .arg(by == 10 ? QStringLiteral("a 0") : QStringLiteral("0s"))
                    .arg(by == 10 ? QStringLiteral("place") : QStringLiteral("places")),
                QStringLiteral("%1 &times; %2 = %3.").arg(n).arg(by).arg(n * by)};
    }
    const int big = std::max(a, b), small = std::min(a, b);
    if (big > 12 && big % 10 == 0) {
        return {
            QStringLiteral("%1 &times; %2 = %3.").arg(big / 10).arg(small).arg(big / 10 * small),
            QStringLiteral("%1 is ten times %2, so the answer is ten times %3: %4.")
                .arg(big)
                .arg(big / 10)
                .arg(big / 10 * small)
                .arg(product)};
    }
    if (big > 12) {
        const int tens = big - big % 10, ones = big % 10;
        return {QStringLiteral("Split %1 into %2 and %3.").arg(big).arg(tens).arg(ones),
                QStringLiteral("%1 &times; %2 = %3.").arg(tens).arg(small).arg(tens * small),
                QStringLiteral("%1 &times; %2 = %3.").arg(ones).arg(small).arg(ones * small),
                QStringLiteral("Add the two parts: %1 + %2 = %3.")
                    .arg(tens * small)
                    .arg(ones * small)
                    .arg(product)};
    }
    // Count in steps of the table, as many times as the other number says.
    QStringList counted;
    for (int i = 1; i <= small; ++i)
        counted << QString::number(big * i);
    return {QStringLiteral("Count in %1s, %2 times: %3.")
                .arg(big)
                .arg(small)
                .arg(counted.join(QStringLiteral(", "))),
            QStringLiteral("So %1 &times; %2 = %3.").arg(a).arg(b).arg(product)};
}

// a / d, exact: the times-table fact that undoes it, or a split into parts
// the divisor goes into.
QStringList DivideSteps(int a, int d) {
    const int q = a / d;
    if (d == 10)
        return {QStringLiteral("Dividing by 10 moves every digit one place to the right."),
                QStringLiteral("%1 &divide; 10 = %2.").arg(a).arg(q)};
    if (q > 12) {
        const int first = d * (q - q % 10);
        return {QStringLiteral("Split %1 into %2 and %3, two numbers that %4 goes into.")
                    .arg(a)
                    .arg(first)
                    .arg(a - first)
                    .arg(d),
                QStringLiteral("%1 &divide; %2 = %3.").arg(first).arg(d).arg(first / d),
                QStringLiteral("%1 &divide; %2 = %3.").arg(a - first).arg(d).arg((a - first) / d),
                QStringLiteral("Add the two parts: %1 + %2 = %3.")
                    .arg(first / d)
                    .arg((a - first) / d)
                    .arg(q)};
    }
    return {QStringLiteral("Which number times %1 makes %2? Use the %1 times table.").arg(d).arg(a),
            QStringLiteral("%1 &times; %2 = %3, so %3 &divide; %1 = %2.").arg(d).arg(q).arg(a)};
}

// --- single-blank questions ------------------------------------------------

// A sum to work out, asked in one of several ways.
Question WorkOut(Rng& r, const QString& left, int answer, const QStringList& steps,
                 const QStringList& stems) {
    return With(
        One(P(r.pick(stems)) + Sum(left + QStringLiteral(" = ") + html::Box()), Num(answer)),
        steps);
}

const QStringList& TimesStems() {
    static const QStringList stems = {QStringLiteral("Work out:"), QStringLiteral("Multiply."),
                                      QStringLiteral("Find the product."),
                                      QStringLiteral("Use your times tables.")};
    return stems;
}

const QStringList& DivideStems() {
    static const QStringList stems = {QStringLiteral("Work out:"), QStringLiteral("Divide."),
                                      QStringLiteral("Share out equally."),
                                      QStringLiteral("How many times does it go?")};
    return stems;
}

Question TimesFact(Rng& r, int level) {
    auto [t, n] = Fact(r, level);
    if (r.chance(1, 2))
        std::swap(t, n);
    return WorkOut(r, Times(t, n), t * n, TimesSteps(t, n), TimesStems());
}

Question DivideFact(Rng& r, int level) {
    const auto [t, n] = Fact(r, level);
    return WorkOut(r, Divide(t * n, t), n, DivideSteps(t * n, t), DivideStems());
}

Question MissingFactor(Rng& r, int level) {
    const auto [t, n] = Fact(r, level);
    const bool second = r.chance(1, 2);
    const QString sum =
        second ? QStringLiteral("%1 &times; %2 = %3").arg(t).arg(html::Box()).arg(t * n)
               : QStringLiteral("%1 &times; %2 = %3").arg(html::Box()).arg(t).arg(t * n);
    return With(
        One(P(second ? QStringLiteral("What is the missing number?")
                     : QStringLiteral("Which number goes in the box?")) +
                Sum(sum),
            Num(n)),
        {QStringLiteral("Which number times %1 makes %2? Divide to find it.").arg(t).arg(t * n),
         QStringLiteral("%1 &divide; %2 = %3, and %2 &times; %3 = %1.").arg(t * n).arg(t).arg(n)});
}

Question CountInSteps(Rng& r, int level) {
    const int t = r.pick(Tables(level));
    const int start = level == 1 ? r.range(1, 6) : r.range(3, 8);
    QStringList shown;
    for (int i = 0; i < 4; ++i)
        shown << Num(t * (start + i));
    shown << html::Box();
    return With(One(P(QStringLiteral("Count in %1s. What number comes next?").arg(t)) +
                        Sum(shown.join(QStringLiteral(", "))),
                    Num(t * (start + 4))),
                {QStringLiteral("Each number is %1 more than the one before.").arg(t),
                 QStringLiteral("%1 + %2 = %3.").arg(t * (start + 3)).arg(t).arg(t * (start + 4))});
}

Question DoubleHalf(Rng& r, int) {
    if (r.chance(1, 2)) {
        const int n = r.range(6, 20);
        return With(One(P(QStringLiteral("Double %1. What do you get?").arg(n)), Num(2 * n)),
                    {QStringLiteral("Doubling is multiplying by 2: %1 &times; 2 = %1 + %1 = %2.")
                         .arg(n)
                         .arg(2 * n)});
    }
    const int n = 2 * r.range(6, 20);
    return With(
        One(P(QStringLiteral("Halve %1. What do you get?").arg(n)), Num(n / 2)),
        {QStringLiteral("Halving is dividing by 2: %1 &divide; 2 = %2, because %2 + %2 = %1.")
             .arg(n)
             .arg(n / 2)});
}

Question ArrayCount(Rng& r, int level) {
    // At least eight dots, so that counting in steps pays off.
    const int cols = level == 1 ? r.pick(QList<int>{2, 5, 10}) : r.range(3, 8);
    const int rows = r.range(cols == 2 ? 4 : std::max(2, level), 5 + level / 2);
    Question q = One(ArrayShown(rows, cols) +
                         P(QStringLiteral("There are %1 rows with %2 dots in each row. How many "
                                          "dots are there altogether?")
                               .arg(rows)
                               .arg(cols)),
                     Num(rows * cols));
    q.pictures << ArrayPicture(rows, cols);
    QStringList steps{QStringLiteral("%1 rows of %2 dots is %1 &times; %2.").arg(rows).arg(cols)};
    steps += TimesSteps(cols, rows);
    return With(q, steps);
}

Question EqualGroups(Rng& r, int level) {
    const int groups = r.range(level == 1 ? 2 : 3, 5);
    const int each = level == 1 ? r.pick(QList<int>{2, 5, 10}) : r.range(4, 8);
    Question q = One(
        html::Img(
            QStringLiteral("plates.svg"),
            QStringLiteral("%1 plates in a row, each with %2 cakes on it.").arg(groups).arg(each)) +
            P(QStringLiteral("There are %1 plates. Each plate has %2 cakes on it. "
                             "How many cakes are there altogether?")
                  .arg(groups)
                  .arg(each)),
        Num(groups * each));
    q.pictures << kit::SvgPicture(QStringLiteral("plates.svg"), GroupsPicture(groups, each));
    QStringList steps{
        QStringLiteral("%1 plates of %2 cakes is %1 &times; %2.").arg(groups).arg(each)};
    steps += TimesSteps(each, groups);
    return With(q, steps);
}

Question TimesTen(Rng& r, int level) {
    static const QStringList stems = {QStringLiteral("Multiply by ten or a hundred."),
                                      QStringLiteral("Think about place value, then work out:")};
    static const QStringList tensStems = {QStringLiteral("Use a times-table fact to work out:"),
                                          QStringLiteral("Multiply the tens.")};
    switch (r.range(0, level >= 4 ? 3 : 1)) {
    case 0: {
        const int n = r.range(12, 95);
        return WorkOut(r, Times(n, 10), n * 10, TimesSteps(n, 10), stems);
    }
    case 1: {
        const int n = r.range(12, 95);
        return WorkOut(r, Divide(n * 10, 10), n, DivideSteps(n * 10, 10),
                       {QStringLiteral("Divide by ten.")});
    }
    case 2: {
        const int n = r.range(3, 48);
        return WorkOut(r, Times(n, 100), n * 100, TimesSteps(n, 100), stems);
    }
    default: {
        const int n = r.range(3, 9);
        const int t = r.range(2, 9);
        return WorkOut(r, Times(t * 10, n), t * 10 * n, TimesSteps(t * 10, n), tensStems);
    }
    }
}

// Two-digit times one-digit: no regrouping in paper 4, regrouping in paper 5.
Question TwoDigitTimes(Rng& r, int level) {
    for (;;) {
        const int a = r.range(13, 49);
        const int m = r.range(2, level >= 5 ? 9 : 4);
        const bool regroups = (a % 10) * m >= 10;
        if (regroups != (level >= 5) || a * m > 999)
            continue;
        return WorkOut(r, Times(a, m), a * m, TimesSteps(a, m),
                       {QStringLiteral("Split the larger number into tens and ones to work out:"),
                        QStringLiteral("Multiply a two-digit number:")});
    }
}

Question DivideBig(Rng& r, int) {
    for (;;) {
        const int d = r.range(2, 8);
        const int q = r.range(12, 99);
        if (d * q > 400 || q % 10 == 0)
            continue;
        return WorkOut(r, Divide(d * q, d), q, DivideSteps(d * q, d),
                       {QStringLiteral("Divide a larger number:"),
                        QStringLiteral("Split the number into parts to work out:")});
    }
}

Question Remainder(Rng& r, int level) {
    const int size = r.range(3, level >= 5 ? 9 : 6);
    const int teams = r.range(3, 9);
    const int left = r.range(1, size - 1);
    const int children = size * teams + left;
    const QStringList steps{
        QStringLiteral("Count in %1s up to %2 without going past it: %1 &times; %3 = %4.")
            .arg(size)
            .arg(children)
            .arg(teams)
            .arg(size * teams),
        QStringLiteral("%1 &minus; %2 = %3 left over, fewer than %4.")
            .arg(children)
            .arg(size * teams)
            .arg(left)
            .arg(size)};
    if (r.chance(1, 2)) {
        return With(One(P(QStringLiteral("%1 children get into teams of %2. How many children are "
                                         "left over?")
                              .arg(children)
                              .arg(size)),
                        Num(left), QStringLiteral("N"), 2),
                    steps + QStringList{QStringLiteral("%1 children are left over.").arg(left)});
    }
    return With(One(P(QStringLiteral("%1 eggs are packed into boxes of %2. How many boxes can be "
                                     "filled?")
                          .arg(children)
                          .arg(size)),
                    Num(teams), QStringLiteral("N"), 2),
                steps + QStringList{QStringLiteral("So %1 boxes are full; the %2 eggs left over do "
                                                   "not fill another box.")
                                        .arg(teams)
                                        .arg(left)});
}

Question ChoiceQuestion(Rng& r, int level) {
    const int position = r.range(1, 4);
    if (r.chance(1, 2)) {
        auto [t, n] = Fact(r, level);
        while (t == n)
            n = r.range(2, MaxFactor(level));
        return With(Choice(P(QStringLiteral("Which of these is the same as %1?").arg(Times(t, n))),
                           Times(n, t),
                           {QStringLiteral("%1 + %2").arg(t).arg(n),
                            QStringLiteral("%1%2").arg(t).arg(n), Times(t, n + 1)},
                           position),
                    {QStringLiteral("Multiplying in either order gives the same answer: %1 and %2 "
                                    "are both %3.")
                         .arg(Times(t, n), Times(n, t))
                         .arg(t * n),
                     QStringLiteral("%1 is answer %2.").arg(Times(n, t)).arg(position)});
    }
    const int t = r.pick(Tables(level));
    const int multiple = t * r.range(2, MaxFactor(level));
    QStringList wrong;
    while (wrong.size() < 3) {
        const int candidate = multiple + r.range(-5, 5);
        if (candidate > 1 && candidate % t != 0 && !wrong.contains(Num(candidate)))
            wrong << Num(candidate);
    }
    return With(Choice(P(QStringLiteral("Which of these numbers is in the %1 times table?").arg(t)),
                       Num(multiple), wrong, position),
                {QStringLiteral("%1 &times; %2 = %3, so %3 is in the %1 times table; the others "
                                "are not.")
                     .arg(t)
                     .arg(multiple / t)
                     .arg(multiple),
                 QStringLiteral("%1 is answer %2.").arg(multiple).arg(position)});
}

Question TrueFalse(Rng& r, int level) {
    const auto [t, n] = Fact(r, level);
    const int product = t * n;
    switch (r.range(0, 2)) {
    case 0:
        return With(TrueOrFalse(Times(t, n) + QStringLiteral(" = ") + Times(n, t), true),
                    {QStringLiteral("Both are %1: multiplying in either order gives the same "
                                    "answer, so it is true.")
                         .arg(product)});
    case 1: {
        const bool right = r.chance(1, 2);
        QStringList steps = TimesSteps(t, n);
        steps << (right ? QStringLiteral("The answer shown is %1, so it is true.").arg(product)
                        : QStringLiteral("The answer shown is %1, not %2, so it is false.")
                              .arg(product + t)
                              .arg(product));
        return With(
            TrueOrFalse(Times(t, n) + QStringLiteral(" = %1").arg(right ? product : product + t),
                        right),
            steps);
    }
    default: {
        const bool right = r.chance(1, 2);
        QStringList steps = DivideSteps(product, t);
        steps << (right ? QStringLiteral("The answer shown is %1, so it is true.").arg(n)
                        : QStringLiteral("The answer shown is %1, not %2, so it is false.")
                              .arg(n + 1)
                              .arg(n));
        return With(
            TrueOrFalse(Divide(product, t) + QStringLiteral(" = %1").arg(right ? n : n + 1), right),
            steps);
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
    QStringList facts;
    for (const QString& a : answers)
        facts << QStringLiteral("%1 &times; %2 = %3").arg(t).arg(a.toInt() / t).arg(a);
    return With(One(P(QStringLiteral("Write a number between %1 and %2 that is in the %3 times "
                                     "table.")
                          .arg(lo)
                          .arg(hi)
                          .arg(t)),
                    QStringLiteral(";") + answers.join(QLatin1Char(';')), QStringLiteral("M")),
                {QStringLiteral("Count in %1s until you pass %2.").arg(t).arg(lo),
                 QStringLiteral("%1: %2 between %3 and %4.")
                     .arg(facts.join(QStringLiteral("; ")))
                     .arg(answers.size() == 1 ? QStringLiteral("this is the one")
                                              : QStringLiteral("any of these is right"))
                     .arg(lo)
                     .arg(hi)});
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
        QStringList steps{QStringLiteral("%1 lots of %2 is %1 &times; %2.").arg(n).arg(t.count)};
        steps += TimesSteps(t.count, n);
        return With(One(P(QString::fromLatin1(t.each) + QLatin1Char(' ') +
                          QString::fromLatin1(t.total).arg(n)),
                        Num(t.count * n), QStringLiteral("N"), 2),
                    steps);
    }
    const int t = r.pick(Tables(level));
    QStringList steps{QStringLiteral("%1 lots of %2 is %1 &times; %2.").arg(n).arg(t)};
    steps += TimesSteps(t, n);
    const QString name = r.pick(Names());
    if (r.chance(1, 2)) {
        return With(One(P(QStringLiteral("Pencils come in packs of %1. %2 buys %3 packs. How many "
                                         "pencils does %2 buy?")
                              .arg(t)
                              .arg(name)
                              .arg(n)),
                        Num(t * n), QStringLiteral("N"), 2),
                    steps);
    }
    return With(One(P(QStringLiteral("In a hall there are %1 rows of chairs with %2 chairs in each "
                                     "row. How many chairs are there?")
                          .arg(n)
                          .arg(t)),
                    Num(t * n), QStringLiteral("N"), 2),
                steps);
}

Question WordShare(Rng& r, int level) {
    const auto [t, n] = Fact(r, level);
    QStringList steps{
        QStringLiteral("Sharing into equal groups is dividing: %1 &divide; %2.").arg(t * n).arg(t)};
    steps += DivideSteps(t * n, t);
    if (r.chance(1, 2)) {
        return With(One(P(QStringLiteral("%1 sweets are shared equally between %2 children. How "
                                         "many sweets does each child get?")
                              .arg(t * n)
                              .arg(t)),
                        Num(n), QStringLiteral("N"), 2),
                    steps);
    }
    return With(One(P(QStringLiteral("%1 apples are put into bags of %2. How many bags are "
                                     "needed?")
                          .arg(t * n)
                          .arg(t)),
                    Num(n), QStringLiteral("N"), 2),
                steps);
}

Question Scaling(Rng& r, int) {
    const auto [a, b] = TwoNames(r, Names());
    const int have = r.range(3, 12);
    const int times = r.range(2, 5);
    QStringList steps{
        QStringLiteral("%1 times as many as %2 is %2 &times; %1.").arg(times).arg(have)};
    steps += TimesSteps(have, times);
    return With(One(P(QStringLiteral("%1 has %2 marbles. %3 has %4 times as many marbles as %1. "
                                     "How many marbles does %3 have?")
                          .arg(a)
                          .arg(have)
                          .arg(b)
                          .arg(times)),
                    Num(have * times), QStringLiteral("N"), 2),
                steps);
}

Question TwoStep(Rng& r, int level) {
    const auto [t, n] = Fact(r, level);
    const int used = r.range(2, t * n - 2);
    const QString name = r.pick(Names());
    QStringList steps{QStringLiteral("First find how many there are: %1 &times; %2 = %3.")
                          .arg(n)
                          .arg(t)
                          .arg(t * n)};
    switch (r.range(0, 2)) {
    case 0:
        steps << QStringLiteral("Then take away the %1 given away.").arg(used);
        steps += numkit::SubtractSteps(t * n, used);
        return With(
            One(P(QStringLiteral("%1 buys %2 packs of stickers. There are %3 stickers in each "
                                 "pack. %1 gives %4 stickers away. How many stickers does %1 "
                                 "have left?")
                      .arg(name)
                      .arg(n)
                      .arg(t)
                      .arg(used)),
                Num(t * n - used), QStringLiteral("N"), 3),
            steps);
    case 1:
        steps << QStringLiteral("Then take away the %1 chairs that are taken.").arg(used);
        steps += numkit::SubtractSteps(t * n, used);
        return With(One(P(QStringLiteral("There are %1 rows of %2 chairs in a hall. %3 chairs are "
                                         "taken. How many chairs are empty?")
                              .arg(n)
                              .arg(t)
                              .arg(used)),
                        Num(t * n - used), QStringLiteral("N"), 3),
                    steps);
    default: {
        const int total = t * n + r.range(3, 20);
        steps = {QStringLiteral("First find how many she gives away: %1 &times; %2 = %3.")
                     .arg(n)
                     .arg(t)
                     .arg(t * n),
                 QStringLiteral("Then take them from the %1 pencils.").arg(total)};
        steps += numkit::SubtractSteps(total, t * n);
        return With(
            One(P(QStringLiteral("A teacher has %1 pencils. She gives %2 pencils to each of "
                                 "%3 groups. How many pencils does she have left?")
                      .arg(total)
                      .arg(t)
                      .arg(n)),
                Num(total - t * n), QStringLiteral("N"), 3),
            steps);
    }
    }
}

Question Inverse(Rng& r, int level) {
    const auto [t, n] = Fact(r, level);
    if (r.chance(1, 2))
        return With(ThinkOfNumber(QStringLiteral("multiply it by %1").arg(t), t * n, n),
                    QStringList{QStringLiteral("Work backwards: undo multiplying by %1 by dividing "
                                               "by %1.")
                                    .arg(t)} +
                        DivideSteps(t * n, t));
    return With(ThinkOfNumber(QStringLiteral("divide it by %1").arg(t), n, t * n),
                QStringList{QStringLiteral("Work backwards: undo dividing by %1 by multiplying by "
                                           "%1.")
                                .arg(t)} +
                    TimesSteps(n, t));
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
    return With(q, {QStringLiteral("The array has %1 rows of %2 dots, or %2 columns of %1 dots.")
                        .arg(rows)
                        .arg(cols),
                    QStringLiteral("<b>(a)</b> %1 = %2.").arg(Times(rows, cols)).arg(rows * cols),
                    QStringLiteral("<b>(b)</b> %1 = %2 too: the same dots counted the other way.")
                        .arg(Times(cols, rows))
                        .arg(rows * cols)});
}

// Two numbers above 1 multiply to make n in one way only (n = p x q, primes).
Question FactorPair(Rng& r, int) {
    static const QList<QPair<int, int>> pairs = {{2, 3}, {2, 5}, {2, 7},  {3, 5},
                                                 {3, 7}, {5, 7}, {2, 11}, {3, 11}};
    const auto [p, q] = r.pick(pairs);
    return With(AnyOrder(P(QStringLiteral("Find two numbers, both bigger than 1, that multiply "
                                          "to make <b>%1</b>.")
                               .arg(p * q)),
                         {Num(p), Num(q)}),
                {QStringLiteral("Try dividing %1 by 2, 3, 5 and 7.").arg(p * q),
                 QStringLiteral("%1 &times; %2 = %3, and no other pair bigger than 1 works.")
                     .arg(p)
                     .arg(q)
                     .arg(p * q)});
}

Question FactFamily(Rng& r, int level) {
    auto [t, n] = Fact(r, level);
    while (t == n)
        n = r.range(2, MaxFactor(level));
    const int c = t * n;
    return With(Equations(P(QStringLiteral("Use the numbers %1, %2 and %3 to fill in the boxes.")
                                .arg(t)
                                .arg(n)
                                .arg(c)),
                          {Times(t, n), Divide(c, t), Divide(c, n)}, {c, n, t}),
                {QStringLiteral("<b>(a)</b> %1 = %2.").arg(Times(t, n)).arg(c),
                 QStringLiteral("<b>(b)</b> Dividing undoes multiplying: %1 = %2.")
                     .arg(Divide(c, t))
                     .arg(n),
                 QStringLiteral("<b>(c)</b> %1 = %2.").arg(Divide(c, n)).arg(t)});
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
    return With(q, {QStringLiteral("<b>(a)</b> %1 = %2.").arg(Times(a, t)).arg(a * t),
                    QStringLiteral("<b>(b)</b> %1 = %2.").arg(Times(b, t)).arg(b * t),
                    QStringLiteral("<b>(c)</b> How many %1s make %2? %3 = %4.")
                        .arg(t)
                        .arg(c * t)
                        .arg(Divide(c * t, t))
                        .arg(c)});
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
        QStringList facts;
        for (int m : multiples)
            facts << QStringLiteral("%1 = %2").arg(Times(t, m / t)).arg(m);
        return With(AnyOrder(P(QStringLiteral("Three of these numbers are in the %1 times table. "
                                              "Which three?")
                                   .arg(t)) +
                                 Sum(NumberList(shown)),
                             keys),
                    {QStringLiteral("Say the %1 times table and look for each number.").arg(t),
                     facts.join(QStringLiteral(", ")) + QStringLiteral("; the other numbers are "
                                                                       "not in the table.")});
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
    return With(q, {QStringLiteral("Each number is %1 more than the one before.").arg(t),
                    QStringLiteral("%1 + %2 = %3, and keep adding %2.")
                        .arg(t * (start + 1))
                        .arg(t)
                        .arg(t * (start + 2))});
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
    return With(q, {QStringLiteral("Multiplying in either order gives the same answer: 4 &times; "
                                   "6 and 6 &times; 4 are both 24."),
                    QStringLiteral("6 &times; 4 is answer 2.")});
}

// The single-blank questions of each paper, easiest first.
QList<SingleMaker> Recipe(int level) {
    QList<QPair<SingleMaker, int>> counts;
    switch (level) {
    case 1:
        counts = {{TimesFact, 4},  {DivideFact, 3},   {CountInSteps, 2},  {DoubleHalf, 2},
                  {ArrayCount, 3}, {EqualGroups, 3},  {MissingFactor, 3}, {ChoiceQuestion, 1},
                  {TrueFalse, 1},  {WordMultiply, 3}, {WordShare, 3}};
        break;
    case 2:
        counts = {{TimesFact, 4},   {DivideFact, 4},   {MissingFactor, 3}, {ArrayCount, 2},
                  {EqualGroups, 2}, {CountInSteps, 2}, {DoubleHalf, 1},    {ChoiceQuestion, 1},
                  {TrueFalse, 2},   {WordMultiply, 3}, {WordShare, 3}};
        break;
    case 3:
        counts = {{TimesFact, 4},       {DivideFact, 4},   {MissingFactor, 3},  {TimesTen, 3},
                  {MultipleBetween, 1}, {CountInSteps, 2}, {ChoiceQuestion, 1}, {TrueFalse, 2},
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
    return Interleave(counts);
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
