// Topic 2: addition and subtraction within 10000. Paper 1 works with
// three-digit numbers and place value, paper 2 adds three-digit numbers
// without regrouping, paper 3 regroups once, papers 4 and 5 move to
// four-digit numbers, several regroupings and two-step problems.
#include "NumberTopicKit.h"

#include <QSet>

namespace bank {

namespace {

using namespace numkit;

const QStringList& Names() {
    static const QStringList names = {
        QStringLiteral("Alfie"),  QStringLiteral("Bella"), QStringLiteral("Caleb"),
        QStringLiteral("Daisy"),  QStringLiteral("Eli"),   QStringLiteral("Freya"),
        QStringLiteral("George"), QStringLiteral("Hana"),  QStringLiteral("Ivy"),
        QStringLiteral("Jamal"),  QStringLiteral("Kai"),   QStringLiteral("Leah"),
        QStringLiteral("Maya"),   QStringLiteral("Noah"),  QStringLiteral("Olivia"),
        QStringLiteral("Pablo"),  QStringLiteral("Rosa"),  QStringLiteral("Sam"),
        QStringLiteral("Tariq"),  QStringLiteral("Yusuf")};
    return names;
}

// Fills the {a}-style fields of a story.
QString Fill(QString text, const QList<QPair<QString, QString>>& fields) {
    for (const auto& [field, value] : fields)
        text.replace(field, value);
    return text;
}

int Digit(int n, int place) {
    for (int i = 0; i < place; ++i)
        n /= 10;
    return n % 10;
}

int Carries(int a, int b) {
    int count = 0;
    int carry = 0;
    while (a > 0 || b > 0) {
        carry = (a % 10 + b % 10 + carry) >= 10 ? 1 : 0;
        count += carry;
        a /= 10;
        b /= 10;
    }
    return count;
}

int Borrows(int a, int b) {
    int count = 0;
    int borrow = 0;
    while (a > 0 || b > 0) {
        borrow = (a % 10 - borrow - b % 10) < 0 ? 1 : 0;
        count += borrow;
        a /= 10;
        b /= 10;
    }
    return count;
}

// A number of ones, tens or hundreds only: 2..8, 10..80 or 100..800.
int OnePlace(Rng& r) {
    switch (r.range(0, 2)) {
    case 0:
        return r.range(2, 8);
    case 1:
        return 10 * r.range(1, 8);
    default:
        return 100 * r.range(1, 8);
    }
}

// Numbers to add: no regrouping in papers 1 and 2, one in paper 3 and at
// most one in paper 4, two or more in paper 5.
QPair<int, int> AddNumbers(Rng& r, int level) {
    return DrawPair([&](int& a, int& b) {
        switch (level) {
        case 1:
            a = r.range(102, 876);
            b = OnePlace(r);
            return Carries(a, b) == 0 && a + b <= 999;
        case 2:
            a = r.range(111, 788);
            b = r.range(101, 688);
            return Carries(a, b) == 0;
        case 3:
            a = r.range(115, 789);
            b = r.chance(1, 3) ? r.range(15, 98) : r.range(105, 599);
            return Carries(a, b) == 1 && a + b <= 999;
        case 4:
            a = r.range(1105, 7890);
            b = r.chance(1, 2) ? r.range(105, 899) : r.range(1011, 4999);
            return Carries(a, b) <= 1 && a + b <= 9999;
        default:
            a = r.range(1158, 6897);
            b = r.chance(1, 3) ? r.range(158, 989) : r.range(1096, 4989);
            return Carries(a, b) >= 2 && a + b <= 9999;
        }
    });
}

// a - b with the same regrouping rules as AddNumbers.
QPair<int, int> SubNumbers(Rng& r, int level) {
    return DrawPair([&](int& a, int& b) {
        switch (level) {
        case 1:
            a = r.range(120, 999);
            b = OnePlace(r);
            return Borrows(a, b) == 0 && b < a;
        case 2:
            a = r.range(350, 999);
            b = r.range(101, a - 100);
            return Borrows(a, b) == 0;
        case 3:
            a = r.range(300, 999);
            b = r.chance(1, 3) ? r.range(15, 98) : r.range(105, a - 50);
            return Borrows(a, b) == 1;
        case 4:
            a = r.range(2000, 9899);
            b = r.chance(1, 2) ? r.range(105, 899) : r.range(1011, a - 500);
            return Borrows(a, b) <= 1;
        default:
            if (r.chance(1, 5)) {
                a = 1000 * r.range(2, 9);
                b = r.range(1111, a - 200);
            } else {
                a = r.range(2100, 9899);
                b = r.chance(1, 3) ? r.range(158, 989) : r.range(1096, a - 300);
            }
            return Borrows(a, b) >= 2;
        }
    });
}

// A written column sum from paper 3 on; a one-line sum before that.
QString Written(int a, int b, const QString& sign, int level) {
    if (level < 3)
        return Sum(QStringLiteral("%1 %2 %3 = %4").arg(a).arg(sign).arg(b).arg(html::Box()));
    return QStringLiteral("<table class=\"column\">\n<tr><td></td><td>%1</td></tr>\n"
                          "<tr><td>%2</td><td>%3</td></tr>\n"
                          "<tr class=\"total\"><td></td><td>%4</td></tr>\n</table>\n")
        .arg(a)
        .arg(sign)
        .arg(b)
        .arg(html::Box());
}

// Up to 9999 in words: "three thousand, two hundred and forty-one".
QString NumberWords(int n) {
    QStringList parts;
    if (n >= 1000)
        parts << Words(n / 1000) + QStringLiteral(" thousand");
    if (n % 1000 >= 100)
        parts << Words((n % 1000) / 100) + QStringLiteral(" hundred");
    QString text = parts.join(QStringLiteral(", "));
    const int rest = n % 100;
    if (rest > 0)
        text += text.isEmpty() ? Words(rest) : QStringLiteral(" and ") + Words(rest);
    return text;
}

// --- single-blank questions ------------------------------------------------

// The same sum asked in several ways.
Question AddFact(Rng& r, int level) {
    const auto [a, b] = AddNumbers(r, level);
    static const QStringList stems = {QStringLiteral("Work out:"), QStringLiteral("Add."),
                                      QStringLiteral("Find the total."),
                                      QStringLiteral("Use the column method to add.")};
    return With(One(P(r.pick(stems)) + Written(a, b, QStringLiteral("+"), level), Num(a + b)),
                AddSteps(a, b));
}

Question SubtractFact(Rng& r, int level) {
    const auto [a, b] = SubNumbers(r, level);
    static const QStringList stems = {QStringLiteral("Work out:"), QStringLiteral("Subtract."),
                                      QStringLiteral("Find the difference."),
                                      QStringLiteral("Use the column method to subtract.")};
    return With(One(P(r.pick(stems)) + Written(a, b, QStringLiteral("&minus;"), level), Num(a - b)),
                SubtractSteps(a, b));
}

Question MissingAddend(Rng& r, int level) {
    const auto [a, b] = AddNumbers(r, level);
    QStringList steps{QStringLiteral("%1 and the missing number make %2, so take %1 away from %2.")
                          .arg(a)
                          .arg(a + b)};
    steps += SubtractSteps(a + b, a);
    return With(One(P(QStringLiteral("What is the missing number?")) +
                        Sum(QStringLiteral("%1 + %2 = %3").arg(a).arg(html::Box()).arg(a + b)),
                    Num(b)),
                steps);
}

Question MissingSubtrahend(Rng& r, int level) {
    const auto [a, b] = SubNumbers(r, level);
    return MissingInSubtraction(r, a, b);
}

// The value of a digit that occurs once in the number.
Question PlaceValue(Rng& r, int level) {
    const int places = level <= 2 ? 3 : 4;
    for (;;) {
        const int n = places == 3 ? r.range(102, 987) : r.range(1023, 9876);
        const int place = r.range(0, places - 1);
        const int digit = Digit(n, place);
        if (digit == 0)
            continue;
        int count = 0;
        for (int i = 0; i < places; ++i)
            count += Digit(n, i) == digit ? 1 : 0;
        if (count != 1)
            continue;
        int value = digit;
        for (int i = 0; i < place; ++i)
            value *= 10;
        static const char* const placeNames[] = {"ones", "tens", "hundreds", "thousands"};
        const QString stem = r.chance(1, 2)
                                 ? QStringLiteral("What is the value of the digit %1 in %2?")
                                 : QStringLiteral("In the number %2, what is the digit %1 worth?");
        return With(One(P(stem.arg(digit).arg(n)), Num(value)),
                    {QStringLiteral("In %1 the digit %2 is in the %3 place.")
                         .arg(n)
                         .arg(digit)
                         .arg(QLatin1String(placeNames[place])),
                     QStringLiteral("So it is worth %1 %2, which is %3.")
                         .arg(digit)
                         .arg(QLatin1String(placeNames[place]))
                         .arg(value)});
    }
}

Question MoreLess(Rng& r, int level) {
    const QList<int> steps = level <= 3 ? QList<int>{10, 100} : QList<int>{10, 100, 1000};
    const int step = r.pick(steps);
    const bool more = r.chance(1, 2);
    const int n = level <= 3 ? r.range(120, 879) : r.range(1200, 8799);
    const QString place = step == 10    ? QStringLiteral("tens")
                          : step == 100 ? QStringLiteral("hundreds")
                                        : QStringLiteral("thousands");
    return With(One(P(QStringLiteral("What is %1 %2 than %3?")
                          .arg(step)
                          .arg(more ? QStringLiteral("more") : QStringLiteral("less"))
                          .arg(n)),
                    Num(more ? n + step : n - step)),
                {QStringLiteral("%1 %2 than a number changes its %3 digit by one.")
                     .arg(step)
                     .arg(more ? QStringLiteral("more") : QStringLiteral("less"))
                     .arg(place),
                 QStringLiteral("%1 %2 %3 = %4.")
                     .arg(n)
                     .arg(more ? QStringLiteral("+") : QStringLiteral("&minus;"))
                     .arg(step)
                     .arg(more ? n + step : n - step)});
}

Question InFigures(Rng& r, int level) {
    int n = level <= 2 ? r.range(101, 999) : r.range(1001, 9999);
    if (level > 2 && r.chance(1, 2))
        n = 1000 * r.range(1, 9) + r.range(1, 99); // a zero in the hundreds
    QStringList parts;
    if (n >= 1000)
        parts << QStringLiteral("%1 thousands").arg(n / 1000);
    parts << QStringLiteral("%1 hundreds").arg(n / 100 % 10)
          << QStringLiteral("%1 tens").arg(n / 10 % 10) << QStringLiteral("%1 ones").arg(n % 10);
    return With(
        One(P(QStringLiteral("Write <b>%1</b> in figures.").arg(NumberWords(n))), Num(n)),
        {QStringLiteral("The number has %1.").arg(parts.join(QStringLiteral(", "))),
         n >= 1000 && n / 100 % 10 == 0
             ? QStringLiteral("There are no hundreds, so write 0 in the hundreds place: %1.").arg(n)
             : QStringLiteral("Write the digits in order: %1.").arg(n)});
}

Question OddEven(Rng& r, int level) {
    const int n = level <= 2 ? r.range(101, 999) : r.range(1001, 9999);
    return With(One(P(QStringLiteral("Is %1 an odd or an even number? Write <b>odd</b> or "
                                     "<b>even</b>.")
                          .arg(n)),
                    n % 2 ? QStringLiteral("odd") : QStringLiteral("even"), QStringLiteral("T")),
                {QStringLiteral("Only the ones digit matters. The ones digit of %1 is %2.")
                     .arg(n)
                     .arg(n % 10),
                 n % 2 ? QStringLiteral("1, 3, 5, 7 and 9 are odd, so %1 is odd.").arg(n)
                       : QStringLiteral("0, 2, 4, 6 and 8 are even, so %1 is even.").arg(n)});
}

Question Complement(Rng& r, int level) {
    int whole = 100;
    int part = r.range(13, 87);
    if (level == 3 || level == 4) {
        whole = 1000;
        part = 10 * r.range(11, 89);
    } else if (level >= 5) {
        whole = 1000;
        part = r.range(111, 889);
    }
    QStringList steps{QStringLiteral("The missing number is what is left when %1 is taken from %2.")
                          .arg(part)
                          .arg(whole)};
    steps += SubtractSteps(whole, part);
    return With(One(P(QStringLiteral("Make %1. Fill in the missing number.").arg(whole)) +
                        Sum(QStringLiteral("%1 + %2 = %3").arg(part).arg(html::Box()).arg(whole)),
                    Num(whole - part)),
                steps);
}

Question RoundNumber(Rng& r, int level) {
    const int to = level == 3 ? r.pick(QList<int>{10, 100}) : level == 4 ? 100 : 1000;
    for (;;) {
        const int n = level == 3 ? r.range(112, 988) : r.range(1012, 9488);
        const int rest = n % to;
        // Nothing exactly half way, and nothing already rounded.
        if (rest == 0 || rest * 2 == to)
            continue;
        const int rounded = rest * 2 < to ? n - rest : n - rest + to;
        const QString unit = to == 10    ? QStringLiteral("ten")
                             : to == 100 ? QStringLiteral("hundred")
                                         : QStringLiteral("thousand");
        const int digit = rest / (to / 10);
        return With(
            One(P(QStringLiteral("Round %1 to the nearest %2.").arg(n).arg(unit)), Num(rounded)),
            {QStringLiteral("%1 lies between %2 and %3.").arg(n).arg(n - rest).arg(n - rest + to),
             QStringLiteral("Look at the digit after the %1s place: it is %2, %3.")
                 .arg(unit)
                 .arg(digit)
                 .arg(rest * 2 < to ? QStringLiteral("less than 5, so round down")
                                    : QStringLiteral("5 or more, so round up"))});
    }
}

Question Order(Rng& r, int level) {
    const int places = level <= 2 ? 3 : 4;
    for (;;) {
        QList<int> digits;
        while (digits.size() < places) {
            const int d = r.range(0, 9);
            if (!digits.contains(d))
                digits << d;
        }
        QSet<int> numbers;
        while (numbers.size() < 4) {
            r.shuffle(digits);
            if (digits.first() == 0)
                continue;
            int n = 0;
            for (int d : digits)
                n = n * 10 + d;
            numbers.insert(n);
        }
        QList<int> list(numbers.begin(), numbers.end());
        std::sort(list.begin(), list.end());
        const bool largest = r.chance(1, 2);
        const int answer = largest ? list.last() : list.first();
        QStringList ordered;
        for (int v : list)
            ordered << Num(v);
        r.shuffle(list);
        return With(
            One(P(QStringLiteral("Write the %1 of these numbers.")
                      .arg(largest ? QStringLiteral("largest") : QStringLiteral("smallest"))) +
                    Sum(NumberList(list)),
                Num(answer)),
            {QStringLiteral("Compare the digits from the left: the highest place first."),
             QStringLiteral("In order from smallest to largest: %1.")
                 .arg(ordered.join(QStringLiteral(", "))),
             QStringLiteral("The %1 is %2.")
                 .arg(largest ? QStringLiteral("largest") : QStringLiteral("smallest"))
                 .arg(answer)});
    }
}

Question ChoiceQuestion(Rng& r, int level) {
    const int position = r.range(1, 4);
    if (level >= 4 && r.chance(1, 2)) {
        // Best estimate: round both numbers to the nearest hundred.
        for (;;) {
            const int a = r.range(210, 890);
            const int b = r.range(210, 890);
            const int total = a + b;
            if (std::abs(total % 100 - 50) < 25 || a % 100 == 50 || b % 100 == 50)
                continue;
            const int nearest = (total + 50) / 100 * 100;
            return With(
                Choice(P(QStringLiteral("Which is the best estimate of %1 + %2?").arg(a).arg(b)),
                       Num(nearest), {Num(nearest - 200), Num(nearest + 100), Num(nearest - 100)},
                       position),
                {QStringLiteral("%1 + %2 = %3.").arg(a).arg(b).arg(total),
                 QStringLiteral("The nearest hundred to %1 is %2, answer %3.")
                     .arg(total)
                     .arg(nearest)
                     .arg(position)});
        }
    }
    if (level >= 4) {
        int th = 0, h = 0, o = 0;
        do {
            th = r.range(2, 9);
            h = r.range(1, 9);
            o = r.range(1, 9);
        } while (th == h || h == o || th == o);
        return With(
            Choice(P(QStringLiteral("Which number is %1 thousands, %2 hundreds and %3 ones?")
                         .arg(th)
                         .arg(h)
                         .arg(o)),
                   Num(1000 * th + 100 * h + o),
                   {Num(100 * th + 10 * h + o), Num(1000 * th + 100 * h + 10 * o),
                    Num(1000 * th + 10 * h + o)},
                   position),
            {QStringLiteral("There are no tens, so the tens digit is 0."),
             QStringLiteral("%1000 + %2 + %3 = %4, answer %5.")
                 .arg(th)
                 .arg(100 * h)
                 .arg(o)
                 .arg(1000 * th + 100 * h + o)
                 .arg(position)});
    }
    int h = 0, t = 0, o = 0;
    do {
        h = r.range(2, 9);
        t = r.range(1, 9);
        o = r.range(1, 9);
    } while (h == t || t == o || h == o);
    return With(
        Choice(P(QStringLiteral("Which number is %1 hundreds, %2 tens and %3 ones?")
                     .arg(h)
                     .arg(t)
                     .arg(o)),
               Num(100 * h + 10 * t + o),
               {Num(100 * h + 10 * o + t), Num(1000 * h + 10 * t + o), Num(100 * t + 10 * h + o)},
               position),
        {QStringLiteral("%1 hundreds are %2 and %3 tens are %4.")
             .arg(h)
             .arg(100 * h)
             .arg(t)
             .arg(10 * t),
         QStringLiteral("%1 + %2 + %3 = %4, answer %5.")
             .arg(100 * h)
             .arg(10 * t)
             .arg(o)
             .arg(100 * h + 10 * t + o)
             .arg(position)});
}

Question WordAdd(Rng& r, int level) {
    const auto [a, b] = AddNumbers(r, level);
    const QString name = r.pick(Names());
    // Stories whose second amount may be small come first; the others need
    // two amounts of a similar size to sound real.
    QStringList stories = {
        QStringLiteral("A library has {a} books. It buys {b} new books. How many books does the "
                       "library have now?"),
        QStringLiteral("A farm has {a} chickens. {b} chicks hatch in the spring. How many birds "
                       "does the farm have now?")};
    if (b >= 100)
        stories << QStringLiteral("On Saturday {a} people visit the zoo. On Sunday {b} people "
                                  "visit. How many people visit the zoo over the weekend?")
                << QStringLiteral("{name} walks {a} steps in the morning and {b} steps in the "
                                  "afternoon. How many steps does {name} walk altogether?");
    const QString text = r.pick(stories);
    QStringList steps{QStringLiteral("Put the two amounts together: %1 + %2.").arg(a).arg(b)};
    steps += AddSteps(a, b);
    return With(One(P(Fill(text, {{QStringLiteral("{a}"), Num(a)},
                                  {QStringLiteral("{b}"), Num(b)},
                                  {QStringLiteral("{name}"), name}})),
                    Num(a + b), QStringLiteral("N"), 2),
                steps);
}

Question WordSubtract(Rng& r, int level) {
    const auto [a, b] = SubNumbers(r, level);
    QString text;
    switch (r.range(0, 3)) {
    case 0:
        text = QStringLiteral("A shop has {a} balloons. It sells {b} of them. "
                              "How many balloons are left?");
        break;
    case 1:
        text = QStringLiteral("A car park has {a} spaces. {b} cars are parked in it. "
                              "How many spaces are empty?");
        break;
    case 2:
        text = QStringLiteral("A sports hall has {a} seats. {b} seats are empty. "
                              "How many seats are taken?");
        break;
    default:
        text = QStringLiteral("A book has {a} pages. {name} has read {b} pages. "
                              "How many pages are left to read?");
        break;
    }
    QStringList steps{
        QStringLiteral("Take the part away from the whole: %1 &minus; %2.").arg(a).arg(b)};
    steps += SubtractSteps(a, b);
    return With(One(P(Fill(text, {{QStringLiteral("{a}"), Num(a)},
                                  {QStringLiteral("{b}"), Num(b)},
                                  {QStringLiteral("{name}"), r.pick(Names())}})),
                    Num(a - b), QStringLiteral("N"), 2),
                steps);
}

Question WordCompare(Rng& r, int level) {
    auto [a, b] = SubNumbers(r, level);
    const int smaller = a - b;
    QString text;
    switch (r.range(0, 2)) {
    case 0:
        text = QStringLiteral("The town library has {a} books. The school library has {b} books. "
                              "How many more books does the town library have?");
        break;
    case 1:
        text = QStringLiteral("{name} scores {a} points in a game. {other} scores {b} points. "
                              "How many more points does {name} score than {other}?");
        break;
    default:
        text = QStringLiteral("A red train carries {a} people and a blue train carries {b} people. "
                              "How many fewer people does the blue train carry?");
        break;
    }
    QString other = r.pick(Names());
    const QString name = r.pick(Names());
    while (other == name)
        other = r.pick(Names());
    QStringList steps{QStringLiteral("To find the difference, take the smaller number from the "
                                     "larger: %1 &minus; %2.")
                          .arg(a)
                          .arg(smaller)};
    steps += SubtractSteps(a, smaller);
    return With(One(P(Fill(text, {{QStringLiteral("{a}"), Num(a)},
                                  {QStringLiteral("{b}"), Num(smaller)},
                                  {QStringLiteral("{name}"), name},
                                  {QStringLiteral("{other}"), other}})),
                    Num(b), QStringLiteral("N"), 2),
                steps);
}

Question TwoStep(Rng& r, int level) {
    const int top = level <= 3 ? 999 : 9999;
    for (;;) {
        const int a = level <= 3 ? r.range(120, 600) : r.range(1200, 5000);
        const int b = level <= 3 ? r.range(105, 400) : r.range(1050, 3000);
        const int c = level <= 3 ? r.range(101, 300) : r.range(1010, 2500);
        if (a + b > top || c >= a + b - 50)
            continue;
        QStringList steps{QStringLiteral("First add: %1 + %2 = %3.").arg(a).arg(b).arg(a + b),
                          QStringLiteral("Then take away: %1 &minus; %2.").arg(a + b).arg(c)};
        steps += SubtractSteps(a + b, c);
        if (r.chance(1, 2)) {
            return With(
                One(P(QStringLiteral("A toy factory makes %1 toys on Monday and %2 toys on "
                                     "Tuesday. It sends %3 toys to the shops. How many toys "
                                     "are left at the factory?")
                          .arg(a)
                          .arg(b)
                          .arg(c)),
                    Num(a + b - c), QStringLiteral("N"), 3),
                steps);
        }
        const QString name = r.pick(Names());
        return With(
            One(P(QStringLiteral("%1 has %2 points in a computer game. %1 wins %3 more points "
                                 "and then loses %4 points. How many points does %1 have "
                                 "now?")
                      .arg(name)
                      .arg(a)
                      .arg(b)
                      .arg(c)),
                Num(a + b - c), QStringLiteral("N"), 3),
            steps);
    }
}

Question Inverse(Rng& r, int level) {
    const auto [a, b] = AddNumbers(r, level);
    if (r.chance(1, 2))
        return With(
            ThinkOfNumber(QStringLiteral("add %1 to it").arg(b), a + b, a),
            QStringList{
                QStringLiteral("Work backwards: undo adding %1 by taking it away.").arg(b)} +
                SubtractSteps(a + b, b));
    return With(
        ThinkOfNumber(QStringLiteral("take away %1 from it").arg(b), a, a + b),
        QStringList{QStringLiteral("Work backwards: undo taking away %1 by adding it.").arg(b)} +
            AddSteps(a, b));
}

// --- questions with several blanks --------------------------------------------

Question MoreLessPair(Rng& r, int level) {
    const int n = r.range(121, 879);
    const int step = level == 1 ? 10 : 100;
    Question q;
    q.html = P(QStringLiteral("Look at the number <b>%1</b>.").arg(n)) +
             html::Parts({QStringLiteral("What is %1 more than %2?").arg(step).arg(n),
                          QStringLiteral("What is %1 less than %2?").arg(step).arg(n)});
    q.blanks << Blank{Num(n + step), QStringLiteral("N"), 1}
             << Blank{Num(n - step), QStringLiteral("N"), 1};
    return With(q,
                {QStringLiteral("<b>(a)</b> %1 + %2 = %3.").arg(n).arg(step).arg(n + step),
                 QStringLiteral("<b>(b)</b> %1 &minus; %2 = %3.").arg(n).arg(step).arg(n - step)});
}

Question PairToTotal(Rng& r, int level) {
    const int target = level <= 2 ? 500 : 1000;
    for (;;) {
        const int x = 10 * r.range(11, target / 10 - 11);
        QList<int> shown = {x, target - x};
        while (shown.size() < 5)
            shown << 10 * r.range(11, target / 10 - 11);
        if (QSet<int>(shown.begin(), shown.end()).size() != shown.size())
            continue;
        int ways = 0;
        for (int i = 0; i < shown.size(); ++i) {
            for (int j = i + 1; j < shown.size(); ++j)
                ways += shown.at(i) + shown.at(j) == target ? 1 : 0;
        }
        if (ways != 1)
            continue;
        const int low = std::min(x, target - x);
        r.shuffle(shown);
        return With(
            AnyOrder(P(QStringLiteral("Which two of these numbers add up to %1?").arg(target)) +
                         Sum(NumberList(shown)),
                     {Num(low), Num(target - low)}),
            {QStringLiteral("Look at the tens digits first: they must make a whole hundred."),
             QStringLiteral("%1 + %2 = %3, and no other pair makes %3.")
                 .arg(low)
                 .arg(target - low)
                 .arg(target)});
    }
}

Question DataTable(Rng& r, int level) {
    for (;;) {
        const int lo = level <= 3 ? 105 : 1050;
        const int hi = level <= 3 ? 450 : 3900;
        const int mon = r.range(lo, hi);
        const int tue = r.range(lo, hi);
        const int wed = r.range(lo, hi);
        if (wed <= mon + 20 || mon + tue + wed > 9999 || mon == tue)
            continue;
        Question q;
        q.html = P(QStringLiteral("The table shows how many people visited a museum.")) +
                 QStringLiteral("<table class=\"grid\">\n<tr><th>Monday</th><th>Tuesday</th>"
                                "<th>Wednesday</th></tr>\n<tr><td>%1</td><td>%2</td><td>%3</td>"
                                "</tr>\n</table>\n")
                     .arg(mon)
                     .arg(tue)
                     .arg(wed) +
                 html::Parts({QStringLiteral("How many people visited on Monday and Tuesday "
                                             "altogether?"),
                              QStringLiteral("How many more people visited on Wednesday than on "
                                             "Monday?"),
                              QStringLiteral("How many people visited on all three days?")});
        q.blanks << Blank{Num(mon + tue), QStringLiteral("N"), 1}
                 << Blank{Num(wed - mon), QStringLiteral("N"), 1}
                 << Blank{Num(mon + tue + wed), QStringLiteral("N"), 2};
        QStringList steps{
            QStringLiteral("<b>(a)</b> %1 + %2 = %3.").arg(mon).arg(tue).arg(mon + tue),
            QStringLiteral("<b>(b)</b> %1 &minus; %2 = %3.").arg(wed).arg(mon).arg(wed - mon),
            QStringLiteral("<b>(c)</b> Add Wednesday to the answer of (a): %1 + %2 = %3.")
                .arg(mon + tue)
                .arg(wed)
                .arg(mon + tue + wed)};
        return With(q, steps);
    }
}

Question Chain(Rng& r, int level, int steps) {
    for (;;) {
        int value = level <= 3 ? r.range(210, 690) : r.range(1500, 6500);
        const int start = value;
        QStringList parts;
        QList<Blank> blanks;
        bool ok = true;
        for (int i = 0; i < steps; ++i) {
            const bool add = (i % 2 == 0) != r.chance(1, 4);
            const int amount = level <= 3 ? r.pick(QList<int>{10, 20, 100, 200, 30, 45})
                                          : r.pick(QList<int>{300, 1000, 45, 200, 2000, 150});
            value += add ? amount : -amount;
            if (value < 0 || value > 9999)
                ok = false;
            parts << QStringLiteral("%1 %2")
                         .arg(add ? QStringLiteral("Add") : QStringLiteral("Take away"))
                         .arg(amount);
            blanks << Blank{Num(value), QStringLiteral("N"), 1};
        }
        if (!ok)
            continue;
        Question q;
        q.html = P(QStringLiteral("Start at <b>%1</b>. Follow the steps in order and write the "
                                  "number you have after each step.")
                       .arg(start)) +
                 html::Parts(parts);
        q.blanks = blanks;
        QStringList working;
        int now = start;
        for (int i = 0; i < blanks.size(); ++i) {
            const int next = blanks.at(i).key.toInt();
            working << QStringLiteral("<b>%1</b> %2 %3 %4 = %5.")
                           .arg(html::PartLabel(i))
                           .arg(now)
                           .arg(next > now ? QStringLiteral("+") : QStringLiteral("&minus;"))
                           .arg(std::abs(next - now))
                           .arg(next);
            now = next;
        }
        return With(q, working);
    }
}

Question MultiBlank(Rng& r, int level, int blanks, int index) {
    if (blanks == 2)
        return level >= 2 && index == 1 ? PairToTotal(r, level) : MoreLessPair(r, level);
    if (blanks == 3)
        return index == 0 ? DataTable(r, level) : Chain(r, level, 3);
    return Chain(r, level, blanks);
}

// The single-blank questions of each paper, easiest first.
QList<SingleMaker> Recipe(int level) {
    QList<QPair<SingleMaker, int>> counts;
    switch (level) {
    case 1:
        counts = {{PlaceValue, 3}, {AddFact, 4},        {SubtractFact, 4},  {MoreLess, 3},
                  {InFigures, 2},  {OddEven, 2},        {MissingAddend, 2}, {MissingSubtrahend, 1},
                  {Complement, 2}, {ChoiceQuestion, 1}, {WordAdd, 2},       {WordSubtract, 2},
                  {WordCompare, 1}};
        break;
    case 2:
        counts = {{PlaceValue, 2}, {AddFact, 4},      {SubtractFact, 4},   {MoreLess, 2},
                  {InFigures, 1},  {OddEven, 1},      {MissingAddend, 2},  {MissingSubtrahend, 2},
                  {Complement, 2}, {Order, 1},        {ChoiceQuestion, 1}, {OddEven, 1},
                  {WordAdd, 2},    {WordSubtract, 2}, {WordCompare, 1}};
        break;
    case 3:
        counts = {{PlaceValue, 1},    {AddFact, 4},           {SubtractFact, 4},
                  {MissingAddend, 2}, {MissingSubtrahend, 2}, {RoundNumber, 2},
                  {Complement, 2},    {OddEven, 1},           {Order, 1},
                  {InFigures, 1},     {ChoiceQuestion, 1},    {OddEven, 1},
                  {WordAdd, 2},       {WordSubtract, 2},      {WordCompare, 2},
                  {TwoStep, 1}};
        break;
    case 4:
        counts = {{PlaceValue, 2},    {AddFact, 4},           {SubtractFact, 4}, {MoreLess, 1},
                  {MissingAddend, 2}, {MissingSubtrahend, 2}, {RoundNumber, 2},  {Complement, 1},
                  {Order, 1},         {ChoiceQuestion, 1},    {OddEven, 1},      {WordAdd, 2},
                  {WordSubtract, 2},  {WordCompare, 1},       {TwoStep, 2}};
        break;
    default:
        counts = {{AddFact, 4},      {SubtractFact, 4}, {MissingAddend, 2}, {MissingSubtrahend, 2},
                  {RoundNumber, 2},  {Complement, 1},   {Order, 1},         {ChoiceQuestion, 1},
                  {OddEven, 1},      {OddEven, 1},      {Inverse, 2},       {WordAdd, 2},
                  {WordSubtract, 2}, {WordCompare, 1},  {TwoStep, 2}};
        break;
    }
    return Interleave(counts);
}

} // namespace

QList<Question> GenerateTopic2(const PaperSpec& paperSpec, Rng& rng) {
    const int level = paperSpec.paperInTopic;
    const QList<SingleMaker> recipe = Recipe(level);
    return BuildRecipePaper(
        paperSpec, [&](int index) { return recipe.value(index, AddFact)(rng, level); },
        [&](int blanks, int index) { return MultiBlank(rng, level, blanks, index); });
}

} // namespace bank
