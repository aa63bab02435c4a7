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

Question AddFact(Rng& r, int level) {
    const auto [a, b] = AddNumbers(r, level);
    return One(P(QStringLiteral("Work out:")) +
                   Sum(QStringLiteral("%1 + %2 = %3").arg(a).arg(b).arg(html::Box())),
               Num(a + b));
}

Question SubtractFact(Rng& r, int level) {
    const auto [a, b] = SubNumbers(r, level);
    return One(P(QStringLiteral("Work out:")) +
                   Sum(QStringLiteral("%1 &minus; %2 = %3").arg(a).arg(b).arg(html::Box())),
               Num(a - b));
}

Question MissingAddend(Rng& r, int level) {
    const auto [a, b] = AddNumbers(r, level);
    const QString sum = r.chance(1, 2)
                            ? QStringLiteral("%1 + %2 = %3").arg(a).arg(html::Box()).arg(a + b)
                            : QStringLiteral("%1 + %2 = %3").arg(html::Box()).arg(a).arg(a + b);
    return One(P(QStringLiteral("What is the missing number?")) + Sum(sum), Num(b));
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
    if (level >= 4 && r.chance(1, 2)) {
        return One(P(QStringLiteral("What must be added to %1 to make %2?").arg(part).arg(whole)),
                   Num(whole - part));
    }
    return One(P(QStringLiteral("Fill in the missing number to make %1.").arg(whole)) +
                   Sum(QStringLiteral("%1 + %2 = %3").arg(part).arg(html::Box()).arg(whole)),
               Num(whole - part));
}

Question TensAndOnes(Rng& r, int level) {
    int n = r.range(21, 98);
    while (Ones(n) == 0)
        n = r.range(21, 98);
    switch (level <= 2 ? r.range(0, 2) : r.range(2, 3)) {
    case 0:
        return One(P(QStringLiteral("How many tens are there in %1?").arg(n)), Num(n / 10));
    case 1:
        return One(P(QStringLiteral("Fill in the missing number.")) +
                       Sum(QStringLiteral("%1 tens and %2 ones = %3")
                               .arg(n / 10)
                               .arg(Ones(n))
                               .arg(html::Box())),
                   Num(n));
    case 2:
        return One(
            P(QStringLiteral("Fill in the missing number.")) +
                Sum(QStringLiteral("%1 = %2 + %3").arg(n).arg(10 * (n / 10)).arg(html::Box())),
            Num(Ones(n)));
    default:
        return One(P(QStringLiteral("What is the value of the digit %1 in %2?").arg(n / 10).arg(n)),
                   Num(10 * (n / 10)));
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
    return One(P(QStringLiteral("Write the number %1 in words.").arg(n)),
               QStringLiteral(";") + kit::Cap(hyphen) + QStringLiteral(";") + kit::Cap(spaced),
               QStringLiteral("M"));
}

Question NumberInWords(Rng& r, int) {
    const int n = r.chance(2, 3) ? r.range(11, 20) : 10 * r.range(3, 9);
    return One(P(QStringLiteral("Write the number %1 in words.").arg(n)), kit::Cap(Words(n)),
               QStringLiteral("T"));
}

Question NumberInFigures(Rng& r, int level) {
    const int n = level == 1 ? r.range(11, 20) : r.range(21, 99);
    return One(P(QStringLiteral("Write <b>%1</b> in figures.").arg(Words(n))), Num(n));
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
    return One(P(gap == length - 1 ? QStringLiteral("What number comes next?")
                                   : QStringLiteral("What is the missing number?")) +
                   Sum(shown.join(QStringLiteral(", "))),
               Num(terms.at(gap)));
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
    return One(P(QStringLiteral("Add these numbers:")) +
                   Sum(QStringLiteral("%1 + %2 + %3 = %4").arg(a).arg(b).arg(c).arg(html::Box())),
               Num(a + b + c));
}

Question DoubleHalf(Rng& r, int level) {
    const int top = level <= 3 ? 25 : 50;
    if (r.chance(1, 2)) {
        const int n = r.range(6, top);
        return One(P(QStringLiteral("What is double %1?").arg(n)), Num(2 * n));
    }
    const int n = 2 * r.range(6, top);
    return One(P(QStringLiteral("What is half of %1?").arg(n)), Num(n / 2));
}

Question Round(Rng& r, int) {
    int n = r.range(12, 98);
    while (Ones(n) == 0 || Ones(n) == 5)
        n = r.range(12, 98);
    const int rounded = Ones(n) < 5 ? n - Ones(n) : n - Ones(n) + 10;
    return One(P(QStringLiteral("Round %1 to the nearest ten.").arg(n)), Num(rounded));
}

Question Inverse(Rng& r, int level) {
    if (r.chance(1, 2)) {
        const auto [a, b] = AddNumbers(r, level);
        return ThinkOfNumber(QStringLiteral("add %1 to it").arg(b), a + b, a);
    }
    const auto [a, b] = SubNumbers(r, level);
    return ThinkOfNumber(QStringLiteral("take away %1").arg(b), a - b, a);
}

Question ChoiceQuestion(Rng& r, int level) {
    const int position = r.range(1, 4);
    if (level <= 2 && r.chance(1, 2)) {
        int n = r.range(21, 89);
        while (Ones(n) == 0 || Ones(n) == n / 10)
            n = r.range(21, 89);
        const int reversed = 10 * Ones(n) + n / 10;
        return Choice(
            P(QStringLiteral("Which number has %1 tens and %2 ones?").arg(n / 10).arg(Ones(n))),
            Num(n), {Num(reversed), Num(n / 10 + Ones(n)), Num(100 * (n / 10) + Ones(n))},
            position);
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
    return Choice(P(QStringLiteral("Which of these has the answer %1?").arg(target)),
                  QStringLiteral("%1 + %2").arg(a).arg(b), wrong, position);
}

// A sum or difference with a claimed answer; a wrong claim is off by ten,
// the slip of a forgotten regrouping.
Question TrueFalse(Rng& r, int level) {
    const bool add = r.chance(1, 2);
    const auto [a, b] = add ? AddNumbers(r, level) : SubNumbers(r, level);
    const int answer = add ? a + b : a - b;
    const bool right = r.chance(1, 2);
    const int shown = right ? answer : answer >= 10 && r.chance(1, 2) ? answer - 10 : answer + 10;
    return TrueOrFalse(QStringLiteral("%1 %2 %3 = %4")
                           .arg(a)
                           .arg(add ? QStringLiteral("+") : QStringLiteral("&minus;"))
                           .arg(b)
                           .arg(shown),
                       right);
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
    return One(P(text), Num(a + b), QStringLiteral("N"), 2);
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
    return One(P(TakeAwayStory(r, a, b)), Num(a - b), QStringLiteral("N"), 2);
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
    return One(P(text), Num(a - b), QStringLiteral("N"), 2);
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
            return One(P(QStringLiteral("There are %1 people on a bus. At the first stop %2 people "
                                        "get off and %3 people get on. How many people are on the "
                                        "bus now?")
                             .arg(start)
                             .arg(off)
                             .arg(on)),
                       Num(start - off + on), QStringLiteral("N"), 3);
        }
        case 1: {
            const int start = r.range(50, 99);
            const int morning = r.range(12, 35);
            const int afternoon = r.range(11, 30);
            if (morning + afternoon >= start - 5)
                continue;
            return One(P(QStringLiteral("A shop has %1 apples. It sells %2 apples in the morning "
                                        "and %3 apples in the afternoon. How many apples are "
                                        "left?")
                             .arg(start)
                             .arg(morning)
                             .arg(afternoon)),
                       Num(start - morning - afternoon), QStringLiteral("N"), 3);
        }
        default: {
            const auto [name, other] = TwoNames(r, Names());
            const int first = r.range(15, 40);
            const int more = r.range(6, 19);
            if (2 * first + more > 100)
                continue;
            return One(P(QStringLiteral("%1 has %2 stickers. %3 has %4 more stickers than %1. "
                                        "How many stickers do they have altogether?")
                             .arg(name)
                             .arg(first)
                             .arg(other)
                             .arg(more)),
                       Num(2 * first + more), QStringLiteral("N"), 3);
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
                                   QStringLiteral("A ten frame with %1 counters").arg(counters)) +
                         P(QStringLiteral("How many more counters are needed to fill it?")),
                     Num(10 - counters));
    q.pictures << kit::SvgPicture(QStringLiteral("tenframe.svg"),
                                  Svg(int(20 + 5 * cell), int(20 + 2 * cell), body));
    return q;
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
                      QStringLiteral("A number line from 0 to %1 with an arrow").arg(top)) +
                P(QStringLiteral("What number is the arrow pointing to?")),
            Num(target));
    q.pictures << kit::SvgPicture(QStringLiteral("numberline.svg"), Svg(620, 130, body));
    return q;
}

// --- questions with several blanks --------------------------------------------

Question FactPair(Rng& r, int level) {
    const auto [a, b] = AddNumbers(r, level);
    return Equations(P(QStringLiteral("Fill in the missing numbers.")),
                     {QStringLiteral("%1 + %2").arg(a).arg(b),
                      QStringLiteral("%1 &minus; %2").arg(a + b).arg(b)},
                     {a + b, a});
}

Question FactFamily(Rng& r, int level) {
    auto [a, b] = AddNumbers(r, level);
    while (a == b)
        std::tie(a, b) = AddNumbers(r, level);
    const int c = a + b;
    return Equations(P(QStringLiteral("Use the numbers %1, %2 and %3 to fill in the boxes.")
                           .arg(a)
                           .arg(b)
                           .arg(c)),
                     {QStringLiteral("%1 + %2").arg(a).arg(b),
                      QStringLiteral("%1 &minus; %2").arg(c).arg(b),
                      QStringLiteral("%1 &minus; %2").arg(c).arg(a)},
                     {c, a, b});
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
        return AnyOrder(P(QStringLiteral("Which %1 of these numbers add up to %2?")
                              .arg(countWord)
                              .arg(target)) +
                            Sum(NumberList(shown)),
                        keys);
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
    return q;
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
        return q;
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
        return One(P(QStringLiteral("There are 13 birds on a fence. 4 birds fly away. "
                                    "How many birds are left on the fence?")),
                   fixed.keys.at(0), fixed.kinds.at(0), fixed.marks.at(0));
    }
    return One(P(QStringLiteral("Write the number 16 in words.")), fixed.keys.at(0),
               fixed.kinds.at(0), fixed.marks.at(0));
}

// The single-blank questions of each paper, easiest first; the counts keep
// every paper's marks well inside its budget.
QList<SingleMaker> Recipe(int level) {
    QList<QPair<SingleMaker, int>> counts;
    switch (level) {
    case 1:
        counts = {{AddFact, 5},       {SubtractFact, 5}, {TenFrame, 2},        {Bond, 2},
                  {MissingAddend, 2}, {TensAndOnes, 1},  {NumberInFigures, 1}, {NumberInWords, 1},
                  {Sequence, 2},      {ThreeNumbers, 1}, {ChoiceQuestion, 1},  {WordAdd, 3},
                  {WordSubtract, 2}};
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
    return Expand(counts);
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
