// Topic 1: addition and subtraction within 100. Paper 1 stays within 20,
// paper 2 adds ones to two-digit numbers without crossing a ten, paper 3 adds
// two-digit numbers without regrouping, papers 4 and 5 regroup and bring
// two-step problems.
#include "NumberTopicKit.h"

#include <QSet>

namespace bank {

namespace {

using namespace numkit;

const QStringList& Names() {
    static const QStringList names = {
        QStringLiteral("Amy"),   QStringLiteral("Ben"),  QStringLiteral("Chloe"),
        QStringLiteral("Dev"),   QStringLiteral("Ella"), QStringLiteral("Finn"),
        QStringLiteral("Grace"), QStringLiteral("Hari"), QStringLiteral("Isla"),
        QStringLiteral("Jack"),  QStringLiteral("Kofi"), QStringLiteral("Lily"),
        QStringLiteral("Mo"),    QStringLiteral("Nia"),  QStringLiteral("Omar"),
        QStringLiteral("Priya"), QStringLiteral("Ravi"), QStringLiteral("Sara"),
        QStringLiteral("Tom"),   QStringLiteral("Zoe")};
    return names;
}

const QStringList& Things() {
    static const QStringList things = {QStringLiteral("stickers"), QStringLiteral("marbles"),
                                       QStringLiteral("shells"),   QStringLiteral("stamps"),
                                       QStringLiteral("beads"),    QStringLiteral("cards"),
                                       QStringLiteral("conkers"),  QStringLiteral("pencils"),
                                       QStringLiteral("sweets"),   QStringLiteral("buttons")};
    return things;
}

int Ones(int n) {
    return n % 10;
}

// Numbers to add at each level; the sum stays within 20, 50 or 100.
QPair<int, int> AddNumbers(Rng& r, int level) {
    return DrawPair([&](int& a, int& b) {
        switch (level) {
        case 1:
            a = r.range(3, 12);
            b = r.range(2, 20 - a);
            return true;
        case 2:
            if (r.chance(1, 3)) {
                a = 10 * r.range(1, 3);
                b = 10 * r.range(1, 2);
            } else {
                a = r.range(11, 45);
                b = r.range(2, 8);
            }
            return Ones(a) + Ones(b) < 10 && a + b <= 50;
        case 3:
            a = r.range(12, 67);
            b = r.range(11, 32);
            return Ones(a) + Ones(b) < 10 && a + b <= 99;
        case 4:
            a = r.range(15, 78);
            b = r.chance(1, 2) ? r.range(4, 9) : r.range(12, 29);
            return Ones(a) + Ones(b) >= 10 && a + b <= 99;
        default:
            a = r.range(18, 67);
            b = r.range(15, 49);
            return Ones(a) + Ones(b) >= 10 && a + b <= 100;
        }
    });
}

// a - b at each level: no crossing a ten before paper 4.
QPair<int, int> SubNumbers(Rng& r, int level) {
    return DrawPair([&](int& a, int& b) {
        switch (level) {
        case 1:
            a = r.range(6, 20);
            b = r.range(2, std::min(a - 1, 10));
            return true;
        case 2:
            if (r.chance(1, 3)) {
                a = 10 * r.range(3, 5);
                b = 10 * r.range(1, a / 10 - 1);
                return true;
            }
            a = r.range(15, 49);
            b = r.range(2, 8);
            return Ones(b) <= Ones(a);
        case 3:
            a = r.range(35, 99);
            b = r.range(11, a - 10);
            return Ones(b) <= Ones(a);
        case 4:
            a = r.range(30, 95);
            b = r.chance(1, 2) ? r.range(3, 9) : r.range(12, a - 8);
            return Ones(b) > Ones(a);
        default:
            if (r.chance(1, 4)) {
                a = 100;
                b = r.range(11, 89);
                return Ones(b) != 0;
            }
            a = r.range(41, 97);
            b = r.range(14, a - 6);
            return Ones(b) > Ones(a);
        }
    });
}

// --- single-blank questions ------------------------------------------------

// The same sum asked in several ways, so that a paper reads like a book of
// practice papers rather than a drill: one of the ways, as a paragraph.
QString OneWayOf(Rng& r, const QStringList& asks) {
    return P(asks.at(r.range(0, int(asks.size()) - 1)));
}

Question AddFact(Rng& r, int level) {
    const auto [a, b] = AddNumbers(r, level);
    const QString sum = Sum(QStringLiteral("%1 + %2 = %3").arg(a).arg(b).arg(html::Box()));
    const QString html =
        OneWayOf(r, {QStringLiteral("Work out:"), QStringLiteral("Add these two numbers."),
                     QStringLiteral("Find the total."),
                     QStringLiteral("What do the two numbers make together?")}) +
        sum;
    return With(One(html, Num(a + b)), AddSteps(a, b));
}

Question SubtractFact(Rng& r, int level) {
    const auto [a, b] = SubNumbers(r, level);
    const QString sum = Sum(QStringLiteral("%1 &minus; %2 = %3").arg(a).arg(b).arg(html::Box()));
    const QString html =
        OneWayOf(r, {QStringLiteral("Work out:"), QStringLiteral("Take away."),
                     QStringLiteral("Find the difference."),
                     QStringLiteral("Subtract the second number from the first.")}) +
        sum;
    return With(One(html, Num(a - b)), SubtractSteps(a, b));
}

Question MissingAddend(Rng& r, int level) {
    const auto [a, b] = AddNumbers(r, level);
    const bool first = r.chance(1, 2);
    const QString sum = first ? QStringLiteral("%1 + %2 = %3").arg(a).arg(html::Box()).arg(a + b)
                              : QStringLiteral("%1 + %2 = %3").arg(html::Box()).arg(a).arg(a + b);
    QStringList steps{QStringLiteral("The missing number and %1 make %2, so take %1 away from %2.")
                          .arg(a)
                          .arg(a + b)};
    steps += SubtractSteps(a + b, a);
    steps << QStringLiteral("Check: %1 + %2 = %3.").arg(a).arg(b).arg(a + b);
    return With(One(P(first ? QStringLiteral("What is the missing number?")
                            : QStringLiteral("Which number goes in the box?")) +
                        Sum(sum),
                    Num(b)),
                steps);
}

Question MissingSubtrahend(Rng& r, int level) {
    const auto [a, b] = SubNumbers(r, level);
    return MissingInSubtraction(r, a, b);
}

Question Bond(Rng& r, int level) {
    int whole = 10;
    int part = r.range(1, 9);
    if (level == 2) {
        whole = 20;
        part = r.range(3, 17);
    } else if (level == 3) {
        whole = 100;
        part = 10 * r.range(1, 9);
    } else if (level >= 4) {
        whole = 100;
        do {
            part = r.range(12, 88);
        } while (Ones(part) == 0);
    }
    QStringList steps;
    if (whole == 100 && Ones(part) != 0) {
        const int up = 10 - Ones(part);
        steps
            << QStringLiteral("Count on from %1 to the next ten: %1 + %2 = %3.")
                   .arg(part)
                   .arg(up)
                   .arg(part + up)
            << QStringLiteral("Then on to 100: %1 + %2 = 100.").arg(part + up).arg(100 - part - up)
            << QStringLiteral("%1 + %2 = %3.").arg(up).arg(100 - part - up).arg(whole - part);
    } else {
        steps << QStringLiteral("%1 and %2 make %3, so %1 + %2 = %3.")
                     .arg(part)
                     .arg(whole - part)
                     .arg(whole);
    }
    if (level >= 4 && r.chance(1, 2)) {
        return With(
            One(P(QStringLiteral("What must be added to %1 to make %2?").arg(part).arg(whole)),
                Num(whole - part)),
            steps);
    }
    return With(One(P(QStringLiteral("Fill in the missing number to make %1.").arg(whole)) +
                        Sum(QStringLiteral("%1 + %2 = %3").arg(part).arg(html::Box()).arg(whole)),
                    Num(whole - part)),
                steps);
}

Question TensAndOnes(Rng& r, int level) {
    int n = r.range(21, 98);
    while (Ones(n) == 0)
        n = r.range(21, 98);
    const QString split = QStringLiteral("%1 is %2 %3 and %4 %5: %6 + %4.")
                              .arg(n)
                              .arg(n / 10)
                              .arg(n / 10 == 1 ? QStringLiteral("ten") : QStringLiteral("tens"))
                              .arg(Ones(n))
                              .arg(Ones(n) == 1 ? QStringLiteral("one") : QStringLiteral("ones"))
                              .arg(10 * (n / 10));
    switch (level <= 2 ? r.range(0, 2) : r.range(2, 3)) {
    case 0:
        return With(One(P(QStringLiteral("How many tens are there in %1?").arg(n)), Num(n / 10)),
                    {split});
    case 1:
        return With(
            One(P(QStringLiteral("Fill in the missing number.")) +
                    Sum(QStringLiteral("%1 %2 and %3 %4 = %5")
                            .arg(n / 10)
                            .arg(n / 10 == 1 ? QStringLiteral("ten") : QStringLiteral("tens"))
                            .arg(Ones(n))
                            .arg(Ones(n) == 1 ? QStringLiteral("one") : QStringLiteral("ones"))
                            .arg(html::Box())),
                Num(n)),
            {QStringLiteral("%1 tens make %2, and %2 + %3 = %4.")
                 .arg(n / 10)
                 .arg(10 * (n / 10))
                 .arg(Ones(n))
                 .arg(n)});
    case 2:
        return With(
            One(P(QStringLiteral("Fill in the missing number.")) +
                    Sum(QStringLiteral("%1 = %2 + %3").arg(n).arg(10 * (n / 10)).arg(html::Box())),
                Num(Ones(n))),
            {split});
    default:
        return With(
            One(P(QStringLiteral("What is the value of the digit %1 in %2?").arg(n / 10).arg(n)),
                Num(10 * (n / 10))),
            {QStringLiteral("The %1 is in the tens place, so it stands for %1 tens.").arg(n / 10),
             QStringLiteral("%1 tens are %2.").arg(n / 10).arg(10 * (n / 10))});
    }
}

// Numbers with one spelling only (teens and tens) are answered as words
// (kind T); compound numbers accept both "forty-seven" and "forty seven".
Question CompoundInWords(Rng& r, int) {
    int n = r.range(21, 99);
    while (Ones(n) == 0)
        n = r.range(21, 99);
    const QString hyphen = Words(n);
    QString spaced = hyphen;
    spaced.replace(QLatin1Char('-'), QLatin1Char(' '));
    return With(One(P(QStringLiteral("Write %1 in words.").arg(n)),
                    QStringLiteral(";") + kit::Cap(hyphen) + QStringLiteral(";") + kit::Cap(spaced),
                    QStringLiteral("M")),
                {QStringLiteral("%1 is %2 tens and %3 ones: %4 and %5.")
                     .arg(n)
                     .arg(n / 10)
                     .arg(Ones(n))
                     .arg(Words(10 * (n / 10)), Words(Ones(n))),
                 QStringLiteral("Put a hyphen between the two words.")});
}

Question NumberInWords(Rng& r, int) {
    const int n = r.chance(2, 3) ? r.range(11, 20) : 10 * r.range(3, 9);
    return With(One(P(QStringLiteral("How do you write %1 in words?").arg(n)), kit::Cap(Words(n)),
                    QStringLiteral("T")),
                {QStringLiteral("%1 is said \"%2\".").arg(n).arg(Words(n))});
}

Question NumberInFigures(Rng& r, int level) {
    const int n = level == 1 ? r.range(11, 20) : r.range(21, 99);
    QStringList steps;
    if (n >= 21 && Ones(n) != 0)
        steps << QStringLiteral("%1 is %2 tens and %3 is %4 ones.")
                     .arg(kit::Cap(Words(10 * (n / 10))))
                     .arg(n / 10)
                     .arg(Words(Ones(n)))
                     .arg(Ones(n));
    steps << QStringLiteral("%1 is written %2.").arg(kit::Cap(Words(n))).arg(n);
    return With(One(P(QStringLiteral("Write <b>%1</b> in figures.").arg(Words(n))), Num(n)), steps);
}

Question Sequence(Rng& r, int level) {
    static const QList<int> steps1 = {2, 5, 10};
    static const QList<int> steps2 = {2, 5, 10, 3};
    static const QList<int> steps3 = {3, 4, 5, 10, -2, -10};
    static const QList<int> steps4 = {4, 6, 11, -3, -5, -10};
    const QList<int>& steps = level == 1   ? steps1
                              : level == 2 ? steps2
                              : level == 3 ? steps3
                                           : steps4;
    const int step = r.pick(steps);
    const int length = 5;
    const int span = std::abs(step) * (length - 1);
    const int top = level == 1 ? 60 : level == 2 ? 60 : 100;
    int start = r.range(0, top - span);
    if (level == 1 && step != 2)
        start = step * r.range(0, (top - span) / step);
    if (step < 0)
        start += span;
    QList<int> terms;
    for (int i = 0; i < length; ++i)
        terms << start + i * step;
    // From paper 3 on, the gap may be inside the sequence.
    const int gap = level >= 3 ? r.range(1, length - 1) : length - 1;
    QStringList shown;
    for (int i = 0; i < length; ++i)
        shown << (i == gap ? html::Box() : Num(terms.at(i)));
    const QString rule = step > 0
                             ? QStringLiteral("The numbers go up by %1 each time.").arg(step)
                             : QStringLiteral("The numbers go down by %1 each time.").arg(-step);
    const QString find = QStringLiteral("%1 %2 %3 = %4.")
                             .arg(terms.at(gap - 1))
                             .arg(step > 0 ? QStringLiteral("+") : QStringLiteral("&minus;"))
                             .arg(std::abs(step))
                             .arg(terms.at(gap));
    return With(One(P(gap == length - 1 ? QStringLiteral("What number comes next?")
                                        : QStringLiteral("What is the missing number?")) +
                        Sum(shown.join(QStringLiteral(", "))),
                    Num(terms.at(gap))),
                {rule, find});
}

Question ThreeNumbers(Rng& r, int level) {
    int a = 0;
    int b = 0;
    int c = 0;
    if (level == 1) {
        // One pair makes ten, so the sum is quick to find.
        a = r.range(1, 9);
        c = 10 - a;
        b = r.range(2, 9);
    } else {
        const int top = level == 2 ? 50 : 100;
        do {
            a = r.range(5, level == 2 ? 20 : 40);
            b = r.range(5, level == 2 ? 15 : 30);
            c = r.range(3, level == 2 ? 15 : 30);
        } while (a + b + c > top);
    }
    QStringList steps;
    if (a + c == 10)
        steps << QStringLiteral("Find the pair that makes ten first: %1 + %2 = 10.").arg(a).arg(c)
              << QStringLiteral("Then 10 + %1 = %2.").arg(b).arg(a + b + c);
    else
        steps
            << QStringLiteral("Add the first two: %1 + %2 = %3.").arg(a).arg(b).arg(a + b)
            << QStringLiteral("Then add the third: %1 + %2 = %3.").arg(a + b).arg(c).arg(a + b + c);
    return With(
        One(P(QStringLiteral("Add these numbers:")) +
                Sum(QStringLiteral("%1 + %2 + %3 = %4").arg(a).arg(b).arg(c).arg(html::Box())),
            Num(a + b + c)),
        steps);
}

Question DoubleHalf(Rng& r, int level) {
    const int top = level <= 3 ? 25 : 50;
    if (r.chance(1, 2)) {
        const int n = r.range(6, top);
        return With(One(P(QStringLiteral("What is double %1?").arg(n)), Num(2 * n)),
                    {QStringLiteral("Double means add the number to itself."),
                     QStringLiteral("%1 + %1 = %2.").arg(n).arg(2 * n)});
    }
    const int n = 2 * r.range(6, top);
    return With(One(P(QStringLiteral("What is half of %1?").arg(n)), Num(n / 2)),
                {QStringLiteral("Half means two equal parts."),
                 QStringLiteral("%1 + %1 = %2, so half of %2 is %1.").arg(n / 2).arg(n)});
}

Question Round(Rng& r, int) {
    int n = r.range(12, 98);
    while (Ones(n) == 0 || Ones(n) == 5)
        n = r.range(12, 98);
    const int rounded = Ones(n) < 5 ? n - Ones(n) : n - Ones(n) + 10;
    return With(
        One(P(QStringLiteral("Round %1 to the nearest ten.").arg(n)), Num(rounded)),
        {QStringLiteral("%1 lies between %2 and %3.").arg(n).arg(n - Ones(n)).arg(n - Ones(n) + 10),
         Ones(n) < 5
             ? QStringLiteral("Its ones digit, %1, is less than 5, so round down.").arg(Ones(n))
             : QStringLiteral("Its ones digit, %1, is 5 or more, so round up.").arg(Ones(n))});
}

Question Inverse(Rng& r, int level) {
    if (r.chance(1, 2)) {
        const auto [a, b] = AddNumbers(r, level);
        QStringList steps{
            QStringLiteral("Work backwards: undo adding %1 by taking %1 away.").arg(b)};
        steps += SubtractSteps(a + b, b);
        return With(ThinkOfNumber(QStringLiteral("add %1 to it").arg(b), a + b, a), steps);
    }
    const auto [a, b] = SubNumbers(r, level);
    QStringList steps{QStringLiteral("Work backwards: undo taking away %1 by adding %1.").arg(b)};
    steps += AddSteps(a - b, b);
    return With(ThinkOfNumber(QStringLiteral("take away %1").arg(b), a - b, a), steps);
}

Question ChoiceQuestion(Rng& r, int level) {
    const int position = r.range(1, 4);
    if (level <= 2 && r.chance(1, 2)) {
        int n = r.range(21, 89);
        while (Ones(n) == 0 || Ones(n) == n / 10)
            n = r.range(21, 89);
        const int reversed = 10 * Ones(n) + n / 10;
        return With(
            Choice(
                P(QStringLiteral("Which number has %1 tens and %2 ones?").arg(n / 10).arg(Ones(n))),
                Num(n), {Num(reversed), Num(n / 10 + Ones(n)), Num(100 * (n / 10) + Ones(n))},
                position),
            {QStringLiteral("%1 tens are %2, and %2 + %3 = %4.")
                 .arg(n / 10)
                 .arg(10 * (n / 10))
                 .arg(Ones(n))
                 .arg(n),
             QStringLiteral("%1 is answer %2.").arg(n).arg(position)});
    }
    const auto [a, b] = AddNumbers(r, level);
    const int target = a + b;
    // Three other sums whose answers differ from the target by one or ten.
    QList<int> others;
    for (int delta : {1, -1, 10, -10}) {
        if (target + delta >= 4 && target + delta <= 100 && others.size() < 3)
            others << target + delta;
    }
    QStringList wrong;
    for (int w : others) {
        const int x = r.range(2, w - 2);
        wrong << QStringLiteral("%1 + %2").arg(x).arg(w - x);
    }
    r.shuffle(wrong);
    QStringList steps = AddSteps(a, b);
    steps << QStringLiteral("%1 + %2 is answer %3; the others do not make %4.")
                 .arg(a)
                 .arg(b)
                 .arg(position)
                 .arg(target);
    return With(Choice(P(QStringLiteral("Which of these has the answer %1?").arg(target)),
                       QStringLiteral("%1 + %2").arg(a).arg(b), wrong, position),
                steps);
}

// A sum or difference with a claimed answer; a wrong claim is off by ten,
// the slip of a forgotten regrouping.
Question TrueFalse(Rng& r, int level) {
    const bool add = r.chance(1, 2);
    const auto [a, b] = add ? AddNumbers(r, level) : SubNumbers(r, level);
    const int answer = add ? a + b : a - b;
    const bool right = r.chance(1, 2);
    const int shown = right ? answer : answer >= 10 && r.chance(1, 2) ? answer - 10 : answer + 10;
    QStringList steps = add ? AddSteps(a, b) : SubtractSteps(a, b);
    steps << (right ? QStringLiteral("The answer shown is %1, so it is true.").arg(shown)
                    : QStringLiteral("The answer shown is %1, not %2, so it is false.")
                          .arg(shown)
                          .arg(answer));
    return With(TrueOrFalse(QStringLiteral("%1 %2 %3 = %4")
                                .arg(a)
                                .arg(add ? QStringLiteral("+") : QStringLiteral("&minus;"))
                                .arg(b)
                                .arg(shown),
                            right),
                steps);
}

Question WordAdd(Rng& r, int level) {
    const auto [a, b] = AddNumbers(r, level);
    const auto [name, other] = TwoNames(r, Names());
    const QString thing = r.pick(Things());
    QString text;
    switch (r.range(0, 3)) {
    case 0:
        text = QStringLiteral("%1 has %2 %4. %5 gives %1 %3 more. How many %4 does %1 have now?")
                   .arg(name)
                   .arg(a)
                   .arg(b)
                   .arg(thing, other);
        break;
    case 1:
        text = QStringLiteral("There are %1 %3 in a box and %2 %3 on the table. "
                              "How many %3 are there altogether?")
                   .arg(a)
                   .arg(b)
                   .arg(thing);
        break;
    case 2:
        text = QStringLiteral("%1 reads %2 pages of a book on Monday and %3 pages on Tuesday. "
                              "How many pages does %1 read in total?")
                   .arg(name)
                   .arg(a)
                   .arg(b);
        break;
    default:
        text = QStringLiteral("There are %1 children on a bus. At the next stop %2 more children "
                              "get on. How many children are on the bus now?")
                   .arg(a)
                   .arg(b);
        break;
    }
    QStringList steps{QStringLiteral("Put the two amounts together: %1 + %2.").arg(a).arg(b)};
    steps += AddSteps(a, b);
    return With(One(P(text), Num(a + b), QStringLiteral("N"), 2), steps);
}

QString TakeAwayStory(Rng& r, int a, int b) {
    const QString name = r.pick(Names());
    const QString thing = r.pick(Things());
    switch (r.range(0, 3)) {
    case 0:
        return QStringLiteral("%1 has %2 %4. %1 gives %3 of them to a friend. "
                              "How many %4 does %1 have left?")
            .arg(name)
            .arg(a)
            .arg(b)
            .arg(thing);
    case 1:
        return QStringLiteral("There are %1 %3 in a jar. %4 takes out %2 of them. "
                              "How many %3 are left in the jar?")
            .arg(a)
            .arg(b)
            .arg(thing, name);
    case 2:
        return QStringLiteral("There are %1 birds in a tree. %2 birds fly away. "
                              "How many birds are left in the tree?")
            .arg(a)
            .arg(b);
    default:
        return QStringLiteral("A baker makes %1 buns. %2 buns are sold. "
                              "How many buns are left?")
            .arg(a)
            .arg(b);
    }
}

Question WordSubtract(Rng& r, int level) {
    const auto [a, b] = SubNumbers(r, level);
    QStringList steps{
        QStringLiteral("Some are taken away, so subtract: %1 &minus; %2.").arg(a).arg(b)};
    steps += SubtractSteps(a, b);
    return With(One(P(TakeAwayStory(r, a, b)), Num(a - b), QStringLiteral("N"), 2), steps);
}

Question WordCompare(Rng& r, int level) {
    auto [a, b] = SubNumbers(r, std::max(level, 2));
    b = a - b; // the smaller amount; the difference is the subtraction's b
    const auto [name, other] = TwoNames(r, Names());
    const QString thing = r.pick(Things());
    QString text;
    if (r.chance(1, 2)) {
        text = QStringLiteral("%1 has %2 %4. %5 has %3 %4. How many more %4 does %1 have than %5?")
                   .arg(name)
                   .arg(a)
                   .arg(b)
                   .arg(thing, other);
    } else {
        text = QStringLiteral("A red box holds %1 %3 and a blue box holds %2 %3. "
                              "How many fewer %3 are in the blue box?")
                   .arg(a)
                   .arg(b)
                   .arg(thing);
    }
    QStringList steps{
        QStringLiteral("To find the difference, take the smaller number from the larger: "
                       "%1 &minus; %2.")
            .arg(a)
            .arg(b)};
    steps += SubtractSteps(a, b);
    return With(One(P(text), Num(a - b), QStringLiteral("N"), 2), steps);
}

Question TwoStep(Rng& r, int) {
    for (;;) {
        switch (r.range(0, 2)) {
        case 0: {
            const int start = r.range(30, 70);
            const int off = r.range(8, start - 10);
            const int on = r.range(7, 35);
            if (start - off + on > 100)
                continue;
            QStringList steps{
                QStringLiteral("First the people who get off: take away %1.").arg(off)};
            steps += SubtractSteps(start, off);
            steps << QStringLiteral("Then the people who get on: add %1.").arg(on);
            steps += AddSteps(start - off, on);
            return With(One(P(QStringLiteral("There are %1 people on a bus. At the first stop %2 "
                                             "people get off and %3 people get on. How many people "
                                             "are on the bus now?")
                                  .arg(start)
                                  .arg(off)
                                  .arg(on)),
                            Num(start - off + on), QStringLiteral("N"), 3),
                        steps);
        }
        case 1: {
            const int start = r.range(50, 99);
            const int morning = r.range(12, 35);
            const int afternoon = r.range(11, 30);
            if (morning + afternoon >= start - 5)
                continue;
            QStringList steps{QStringLiteral("Apples sold in the whole day: %1 + %2.")
                                  .arg(morning)
                                  .arg(afternoon)};
            steps += AddSteps(morning, afternoon);
            steps << QStringLiteral("Take them from the %1 apples.").arg(start);
            steps += SubtractSteps(start, morning + afternoon);
            return With(One(P(QStringLiteral("A shop has %1 apples. It sells %2 apples in the "
                                             "morning and %3 apples in the afternoon. How many "
                                             "apples are left?")
                                  .arg(start)
                                  .arg(morning)
                                  .arg(afternoon)),
                            Num(start - morning - afternoon), QStringLiteral("N"), 3),
                        steps);
        }
        default: {
            const auto [name, other] = TwoNames(r, Names());
            const int first = r.range(15, 40);
            const int more = r.range(6, 19);
            if (2 * first + more > 100)
                continue;
            QStringList steps{
                QStringLiteral("%1 has %2 + %3 stickers.").arg(other).arg(first).arg(more)};
            steps += AddSteps(first, more);
            steps << QStringLiteral("Together they have %1 + %2.").arg(first).arg(first + more);
            steps += AddSteps(first, first + more);
            return With(One(P(QStringLiteral("%1 has %2 stickers. %3 has %4 more stickers than "
                                             "%1. How many stickers do they have altogether?")
                                  .arg(name)
                                  .arg(first)
                                  .arg(other)
                                  .arg(more)),
                            Num(2 * first + more), QStringLiteral("N"), 3),
                        steps);
        }
        }
    }
}

// A ten frame with some counters: how many more make ten?
Question TenFrame(Rng& r, int) {
    const int counters = r.range(3, 8);
    const double cell = 56;
    QString body;
    for (int i = 0; i < 10; ++i) {
        const double x = 10 + (i % 5) * cell;
        const double y = 10 + (i / 5) * cell;
        body +=
            QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%3\" fill=\"#ffffff\" "
                           "stroke=\"#1f2a44\" stroke-width=\"3\"/>")
                .arg(x)
                .arg(y)
                .arg(cell);
        if (i < counters) {
            body += QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"19\" fill=\"#e8553e\"/>")
                        .arg(x + cell / 2)
                        .arg(y + cell / 2);
        }
    }
    Question q = One(P(QStringLiteral("Look at the ten frame.")) +
                         html::Img(QStringLiteral("tenframe.svg"),
                                   QStringLiteral("A ten frame: two rows of five squares. %1 of "
                                                  "the squares hold a red counter, filled from "
                                                  "the top left.")
                                       .arg(counters)) +
                         P(QStringLiteral("How many more counters are needed to fill it?")),
                     Num(10 - counters));
    q.pictures << kit::SvgPicture(QStringLiteral("tenframe.svg"),
                                  Svg(int(20 + 5 * cell), int(20 + 2 * cell), body));
    return With(
        q,
        {QStringLiteral("A ten frame has 10 squares. %1 of them hold a counter.").arg(counters),
         QStringLiteral("10 &minus; %1 = %2 squares are empty.").arg(counters).arg(10 - counters)});
}

// A number line with an arrow: read the number.
Question NumberLine(Rng& r, int level) {
    const int top = level <= 2 ? 20 : 100;
    const int step = level <= 2 ? 1 : 10;
    const int labelEvery = level <= 2 ? 5 : 50;
    int target = 0;
    do {
        target = step * r.range(1, top / step - 1);
    } while (target % labelEvery == 0);
    const double left = 30;
    const double width = 560;
    const double y = 70;
    QString body =
        QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%2\" stroke=\"#1f2a44\" "
                       "stroke-width=\"3\"/>")
            .arg(left - 10)
            .arg(y)
            .arg(left + width + 10);
    for (int v = 0; v <= top; v += step) {
        const double x = left + width * v / top;
        const bool labelled = v % labelEvery == 0;
        body += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%1\" y2=\"%3\" stroke=\"#1f2a44\" "
                               "stroke-width=\"2\"/>")
                    .arg(x)
                    .arg(y - (labelled ? 14 : 8))
                    .arg(y + (labelled ? 14 : 8));
        if (labelled)
            body += svg::Text(x, y + 40, Num(v), 20);
    }
    const double ax = left + width * target / top;
    body += QStringLiteral("<path d=\"M %1 %2 L %3 %4 L %5 %4 Z\" fill=\"#e8553e\"/>"
                           "<line x1=\"%1\" y1=\"10\" x2=\"%1\" y2=\"%4\" stroke=\"#e8553e\" "
                           "stroke-width=\"4\"/>")
                .arg(ax)
                .arg(y - 16)
                .arg(ax - 9)
                .arg(y - 34)
                .arg(ax + 9);
    Question q =
        One(html::Img(QStringLiteral("numberline.svg"),
                      QStringLiteral("A number line from 0 to %1 with a mark at every %2, "
                                     "labelled at every %3. An arrow points at the mark %4 "
                                     "marks after %5.")
                          .arg(top)
                          .arg(step)
                          .arg(labelEvery)
                          .arg((target % labelEvery) / step)
                          .arg(target - target % labelEvery)) +
                P(QStringLiteral("What number is the arrow pointing to?")),
            Num(target));
    q.pictures << kit::SvgPicture(QStringLiteral("numberline.svg"), Svg(620, 130, body));
    const int label = target - target % labelEvery;
    const int marks = (target % labelEvery) / step;
    return With(q, {QStringLiteral("Each mark is %1 more than the one before.").arg(step),
                    QStringLiteral("The arrow is %1 marks after %2: %2 + %3 = %4.")
                        .arg(marks)
                        .arg(label)
                        .arg(marks * step)
                        .arg(target)});
}

// --- questions with several blanks --------------------------------------------

Question FactPair(Rng& r, int level) {
    const auto [a, b] = AddNumbers(r, level);
    QStringList steps = AddSteps(a, b);
    steps[0] = QStringLiteral("<b>(a)</b> ") + steps[0];
    steps << QStringLiteral("<b>(b)</b> Taking %1 away again undoes adding it: %2 &minus; %1 = %3.")
                 .arg(b)
                 .arg(a + b)
                 .arg(a);
    return With(Equations(P(QStringLiteral("Fill in the missing numbers.")),
                          {QStringLiteral("%1 + %2").arg(a).arg(b),
                           QStringLiteral("%1 &minus; %2").arg(a + b).arg(b)},
                          {a + b, a}),
                steps);
}

Question FactFamily(Rng& r, int level) {
    auto [a, b] = AddNumbers(r, level);
    while (a == b)
        std::tie(a, b) = AddNumbers(r, level);
    const int c = a + b;
    return With(
        Equations(P(QStringLiteral("Use the numbers %1, %2 and %3 to fill in the boxes.")
                        .arg(a)
                        .arg(b)
                        .arg(c)),
                  {QStringLiteral("%1 + %2").arg(a).arg(b),
                   QStringLiteral("%1 &minus; %2").arg(c).arg(b),
                   QStringLiteral("%1 &minus; %2").arg(c).arg(a)},
                  {c, a, b}),
        {QStringLiteral("The two smaller numbers make the largest: %1 + %2 = %3.")
             .arg(a)
             .arg(b)
             .arg(c),
         QStringLiteral("<b>(a)</b> %1 + %2 = %3.").arg(a).arg(b).arg(c),
         QStringLiteral("<b>(b)</b> Take %1 from %2 and %3 is left.").arg(b).arg(c).arg(a),
         QStringLiteral("<b>(c)</b> Take %1 from %2 and %3 is left.").arg(a).arg(c).arg(b)});
}

// Pick `count` numbers from four to six shown that add up to a target; the
// other numbers are chosen so that no other choice works.
Question PickToTotal(Rng& r, int count) {
    for (;;) {
        const int target = count == 2 ? 10 * r.range(3, 9) : 100;
        QList<int> chosen;
        int rest = target;
        for (int i = 0; i < count - 1; ++i) {
            const int part = r.range(11, rest - 11 * (count - 1 - i) - 11);
            chosen << part;
            rest -= part;
        }
        chosen << rest;
        QList<int> shown = chosen;
        while (shown.size() < count + 3)
            shown << r.range(11, target - 11);
        // Every number different, and exactly one way to make the target.
        if (QSet<int>(shown.begin(), shown.end()).size() != shown.size())
            continue;
        int ways = 0;
        const int n = int(shown.size());
        for (int mask = 0; mask < (1 << n); ++mask) {
            int bits = 0;
            int total = 0;
            for (int i = 0; i < n; ++i) {
                if (mask & (1 << i)) {
                    ++bits;
                    total += shown.at(i);
                }
            }
            if (bits == count && total == target)
                ++ways;
        }
        if (ways != 1)
            continue;
        std::sort(chosen.begin(), chosen.end());
        r.shuffle(shown);
        QStringList keys;
        for (int v : chosen)
            keys << Num(v);
        const QString countWord = count == 2 ? QStringLiteral("two") : QStringLiteral("three");
        QStringList plus;
        for (int v : chosen)
            plus << Num(v);
        return With(AnyOrder(P(QStringLiteral("Which %1 of these numbers add up to %2?")
                                   .arg(countWord)
                                   .arg(target)) +
                                 Sum(NumberList(shown)),
                             keys),
                    {QStringLiteral("Try pairs and look at the ones digits first: they must add "
                                    "up to a whole ten."),
                     QStringLiteral("%1 = %2, and no other choice makes %2.")
                         .arg(plus.join(QStringLiteral(" + ")))
                         .arg(target)});
    }
}

Question SequenceFill(Rng& r, int) {
    const int step = r.pick(QList<int>{5, 10, 11, -5, -10});
    const int length = 8;
    const int span = std::abs(step) * (length - 1);
    int start = r.range(1, 99 - span);
    if (step < 0)
        start += span;
    const QList<int> hidden = {2, 4, 5, 7};
    QStringList shown;
    Question q;
    int label = 0;
    for (int i = 0; i < length; ++i) {
        const int value = start + i * step;
        if (hidden.contains(i)) {
            shown << QStringLiteral("<b>%1</b>").arg(html::PartLabel(label++));
            q.blanks << Blank{Num(value), QStringLiteral("N"), 1};
        } else {
            shown << Num(value);
        }
    }
    q.html = P(QStringLiteral("The numbers go up or down by the same amount each time. "
                              "Write the missing numbers (a), (b), (c) and (d).")) +
             Sum(shown.join(QStringLiteral(", ")));
    return With(q, {step > 0
                        ? QStringLiteral("Each number is %1 more than the one before.").arg(step)
                        : QStringLiteral("Each number is %1 less than the one before.").arg(-step),
                    QStringLiteral("Keep %1 %2 each time from %3.")
                        .arg(step > 0 ? QStringLiteral("adding") : QStringLiteral("taking away"))
                        .arg(std::abs(step))
                        .arg(start)});
}

Question BusStory(Rng& r, int) {
    for (;;) {
        const int start = r.range(25, 60);
        const int off = r.range(11, start - 8);
        const int on = r.range(off + 3, 45);
        if (start - off + on > 100)
            continue;
        Question q;
        q.html = P(QStringLiteral("A bus leaves the station with %1 people on it.").arg(start)) +
                 html::Parts(
                     {QStringLiteral("At the first stop %1 people get off. How many people are on "
                                     "the bus now?")
                          .arg(off),
                      QStringLiteral("At the second stop %1 people get on. How many people are on "
                                     "the bus now?")
                          .arg(on),
                      QStringLiteral("How many more people are on the bus now than when it left "
                                     "the station?")});
        q.blanks << Blank{Num(start - off), QStringLiteral("N"), 1}
                 << Blank{Num(start - off + on), QStringLiteral("N"), 1}
                 << Blank{Num(on - off), QStringLiteral("N"), 2};
        return With(
            q,
            {QStringLiteral("<b>(a)</b> %1 &minus; %2 = %3.").arg(start).arg(off).arg(start - off),
             QStringLiteral("<b>(b)</b> %1 + %2 = %3.")
                 .arg(start - off)
                 .arg(on)
                 .arg(start - off + on),
             QStringLiteral("<b>(c)</b> %1 &minus; %2 = %3 more than at the start.")
                 .arg(start - off + on)
                 .arg(start)
                 .arg(on - off)});
    }
}

Question MultiBlank(Rng& r, int level, int blanks, int index) {
    if (blanks == 2)
        return level >= 3 && index == 0 ? PickToTotal(r, 2) : FactPair(r, level);
    if (blanks == 3) {
        if (level == 5)
            return index == 0 ? BusStory(r, level) : PickToTotal(r, 3);
        return FactFamily(r, level);
    }
    return SequenceFill(r, level);
}

// The sample records: a take-away story with the answer 9, and sixteen in words.
Question Fixed(const FixedQuestion& fixed) {
    if (fixed.id == 25016) {
        return With(One(P(QStringLiteral("There are 13 birds on a fence. 4 birds fly away. "
                                         "How many birds are left on the fence?")),
                        fixed.keys.at(0), fixed.kinds.at(0), fixed.marks.at(0)),
                    {QStringLiteral("Some birds fly away, so subtract: 13 &minus; 4."),
                     QStringLiteral("Count back 3 from 13 to 10, then 1 more to 9."),
                     QStringLiteral("13 &minus; 4 = 9.")});
    }
    return With(One(P(QStringLiteral("Write the number 16 in words.")), fixed.keys.at(0),
                    fixed.kinds.at(0), fixed.marks.at(0)),
                {QStringLiteral("16 is ten and six: we say \"sixteen\".")});
}

// The single-blank questions of each paper, easiest first; the counts keep
// every paper's marks well inside its budget.
QList<SingleMaker> Recipe(int level) {
    QList<QPair<SingleMaker, int>> counts;
    switch (level) {
    case 1:
        counts = {{AddFact, 4},       {SubtractFact, 4}, {TenFrame, 2},         {Bond, 2},
                  {MissingAddend, 2}, {TensAndOnes, 1},  {NumberInFigures, 1},  {NumberInWords, 1},
                  {Sequence, 2},      {ThreeNumbers, 1}, {ChoiceQuestion, 1},   {WordAdd, 3},
                  {WordSubtract, 2},  {NumberLine, 1},   {MissingSubtrahend, 1}};
        break;
    case 2:
        counts = {{AddFact, 2},    {SubtractFact, 4}, {MissingAddend, 2},   {MissingSubtrahend, 1},
                  {Bond, 2},       {TensAndOnes, 2},  {NumberInFigures, 1}, {NumberInWords, 1},
                  {NumberLine, 2}, {Sequence, 2},     {ThreeNumbers, 1},    {ChoiceQuestion, 1},
                  {WordAdd, 2},    {WordSubtract, 2}, {WordCompare, 2}};
        break;
    case 3:
        counts = {{AddFact, 3},       {SubtractFact, 3}, {MissingAddend, 2}, {MissingSubtrahend, 2},
                  {Bond, 2},          {DoubleHalf, 2},   {NumberInWords, 1}, {CompoundInWords, 1},
                  {NumberLine, 1},    {Sequence, 2},     {ThreeNumbers, 1},  {ChoiceQuestion, 1},
                  {NumberInWords, 1}, {WordAdd, 2},      {WordSubtract, 2},  {WordCompare, 2}};
        break;
    case 4:
        counts = {{AddFact, 3},  {SubtractFact, 3}, {MissingAddend, 2},  {MissingSubtrahend, 2},
                  {Bond, 2},     {DoubleHalf, 2},   {Round, 1},          {CompoundInWords, 1},
                  {Sequence, 2}, {ThreeNumbers, 1}, {ChoiceQuestion, 1}, {TrueFalse, 1},
                  {WordAdd, 2},  {WordSubtract, 2}, {WordCompare, 2},    {TwoStep, 2}};
        break;
    default:
        counts = {{AddFact, 3},
                  {SubtractFact, 3},
                  {MissingAddend, 2},
                  {MissingSubtrahend, 2},
                  {Bond, 1},
                  {DoubleHalf, 1},
                  {Round, 1},
                  {ThreeNumbers, 2},
                  {CompoundInWords, 1},
                  {ChoiceQuestion, 1},
                  {TrueFalse, 1},
                  {Inverse, 2},
                  {WordAdd, 2},
                  {WordSubtract, 2},
                  {WordCompare, 2},
                  {TwoStep, 2}};
        break;
    }
    return Interleave(counts);
}

} // namespace

QList<Question> GenerateTopic1(const PaperSpec& paperSpec, Rng& rng) {
    const int level = paperSpec.paperInTopic;
    const QList<SingleMaker> recipe = Recipe(level);
    return BuildRecipePaper(
        paperSpec, [&](int index) { return recipe.value(index, AddFact)(rng, level); },
        [&](int blanks, int index) { return MultiBlank(rng, level, blanks, index); }, Fixed);
}

} // namespace bank
