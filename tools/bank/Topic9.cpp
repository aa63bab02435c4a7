// Topic 9: fractions. Paper 1 reads shaded shapes and finds halves and
// quarters, paper 2 non-unit fractions and fractions of amounts, paper 3
// equivalent fractions and adding with the same denominator, paper 4 the
// simplest form and mixed numbers, paper 5 ordering, decimals and two-step
// problems. A fraction answer is always asked for in lowest terms: either the
// picture already shows it so, or the question says "in its simplest form".
#include "NumberTopicKit.h"
#include "Quantities.h"
#include "VariedPaper.h"

#include <QSet>
#include <algorithm>
#include <numeric>

namespace bank {

namespace {

using namespace numkit;
using kit::SvgPicture;

const QString kShade = QStringLiteral("#93c5fd");
const QString kInk = QStringLiteral("#334155");

struct Frac {
    int n;
    int d;
    bool operator==(const Frac& o) const { return n == o.n && d == o.d; }
    // Compares values, not spellings.
    bool less(const Frac& o) const { return n * o.d < o.n * d; }
};

QString Key(Frac f) {
    return QStringLiteral("%1/%2").arg(f.n).arg(f.d);
}

QString Show(Frac f) {
    return html::Fraction(f.n, f.d);
}

// A fraction whose numerator or denominator is a box or a label.
QString ShowParts(const QString& numerator, const QString& denominator) {
    return QStringLiteral("<span class=\"frac\"><span class=\"num\">%1</span>"
                          "<span class=\"den\">%2</span></span>")
        .arg(numerator, denominator);
}

Frac Reduced(Frac f) {
    const int g = std::gcd(f.n, f.d);
    return {f.n / g, f.d / g};
}

bool Lowest(Frac f) {
    return std::gcd(f.n, f.d) == 1;
}

const QStringList& Names() {
    static const QStringList names = {
        QStringLiteral("Anna"), QStringLiteral("Billy"), QStringLiteral("Cara"),
        QStringLiteral("Dan"),  QStringLiteral("Emma"),  QStringLiteral("Felix"),
        QStringLiteral("Gina"), QStringLiteral("Harry"), QStringLiteral("Iris"),
        QStringLiteral("Joe"),  QStringLiteral("Kara"),  QStringLiteral("Leo"),
        QStringLiteral("Mia"),  QStringLiteral("Nico"),  QStringLiteral("Ruby"),
        QStringLiteral("Sami")};
    return names;
}

const char* const kDenominatorWords[] = {"",       "",          "halves",   "thirds",  "quarters",
                                         "fifths", "sixths",    "sevenths", "eighths", "ninths",
                                         "tenths", "elevenths", "twelfths"};

// Fractions a pupil at each level reads off a picture, all in lowest terms.
QList<Frac> PicturePool(int level) {
    if (level == 1) {
        return {{1, 2}, {1, 3}, {2, 3}, {1, 4}, {3, 4}, {1, 5},  {2, 5},  {3, 5},
                {4, 5}, {1, 6}, {5, 6}, {1, 8}, {3, 8}, {1, 10}, {3, 10}, {7, 10}};
    }
    return {{2, 3}, {3, 4},  {2, 5},  {3, 5},  {4, 5}, {5, 6}, {3, 8}, {5, 8},
            {7, 8}, {3, 10}, {7, 10}, {9, 10}, {2, 7}, {3, 7}, {4, 9}, {5, 12}};
}

// --- pictures -----------------------------------------------------------------

// Grid layouts for a number of equal parts (columns, rows).
QPair<int, int> GridOf(int parts) {
    switch (parts) {
    case 4:
        return {2, 2};
    case 6:
        return {3, 2};
    case 8:
        return {4, 2};
    case 9:
        return {3, 3};
    case 10:
        return {5, 2};
    case 12:
        return {4, 3};
    default:
        return {0, 0};
    }
}

QString GridBody(Rng& r, int parts, int shaded, double cell) {
    const auto [cols, rows] = GridOf(parts);
    QList<int> order;
    for (int i = 0; i < parts; ++i)
        order << i;
    r.shuffle(order);
    const QList<int> filled = order.mid(0, shaded);
    QString body;
    for (int i = 0; i < parts; ++i) {
        body += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%3\" fill=\"%4\" "
                               "stroke=\"%5\" stroke-width=\"2\"/>\n")
                    .arg(10 + (i % cols) * cell)
                    .arg(10 + (i / cols) * cell)
                    .arg(cell)
                    .arg(filled.contains(i) ? kShade : QStringLiteral("#ffffff"), kInk);
    }
    return body;
}

// A shape cut into equal parts with some shaded: a bar, a circle or a grid.
// *alt says what it shows: the parts and how many are shaded.
QByteArray ShapeSvg(Rng& r, int parts, int shaded, QString* alt) {
    QList<int> styles = {0, 1};
    if (GridOf(parts).first > 0)
        styles << 2;
    const QString shadedText = shaded == 1 ? QStringLiteral("1 of them is shaded")
                                           : QStringLiteral("%1 of them are shaded").arg(shaded);
    switch (r.pick(styles)) {
    case 0: {
        *alt = QStringLiteral("A bar cut into %1 equal parts; %2.").arg(parts).arg(shadedText);
        const double w = parts <= 5 ? 250 : 300;
        return svg::Document(int(w + 20), 70, svg::FractionBar(parts, shaded, 10, 10, w, 50));
    }
    case 1:
        *alt = QStringLiteral("A circle cut into %1 equal slices; %2.").arg(parts).arg(shadedText);
        return svg::Document(150, 150, svg::FractionCircle(parts, shaded, 75, 75, 65));
    default: {
        const auto [cols, rows] = GridOf(parts);
        *alt = QStringLiteral("A rectangle cut into %1 equal squares, %2 rows of %3; %4.")
                   .arg(parts)
                   .arg(rows)
                   .arg(cols)
                   .arg(shadedText);
        const double cell = 48;
        return svg::Document(int(20 + cols * cell), int(20 + rows * cell),
                             GridBody(r, parts, shaded, cell));
    }
    }
}

// A shape cut into parts that are, or visibly are not, equal.
QByteArray SplitSvg(Rng& r, int parts, bool equal) {
    if (equal) {
        if (r.chance(1, 2))
            return svg::Document(150, 150, svg::FractionCircle(parts, 0, 75, 75, 65));
        return svg::Document(270, 70, svg::FractionBar(parts, 0, 10, 10, 250, 50));
    }
    if (parts == 2 && r.chance(1, 2)) {
        // A circle cut off-centre.
        const double x = 75 + r.pick(QList<int>{-30, 28});
        const double half = std::sqrt(65.0 * 65.0 - (x - 75) * (x - 75));
        return svg::Document(
            150, 150,
            QStringLiteral("<circle cx=\"75\" cy=\"75\" r=\"65\" fill=\"#ffffff\" stroke=\"%1\" "
                           "stroke-width=\"2\"/>\n<line x1=\"%2\" y1=\"%3\" x2=\"%2\" y2=\"%4\" "
                           "stroke=\"%1\" stroke-width=\"2\"/>\n")
                .arg(kInk)
                .arg(x)
                .arg(75 - half)
                .arg(75 + half));
    }
    // A bar whose parts have clearly different widths: drawn again until the
    // widest part is at least half as wide again as the narrowest.
    QList<int> widths;
    do {
        widths.clear();
        for (int i = 0; i < parts; ++i)
            widths << (i % 2 == 0 ? 3 : 1) + r.range(0, 1) * 2;
        widths[r.range(0, parts - 1)] += 2;
    } while (2 * *std::max_element(widths.begin(), widths.end()) <
             3 * *std::min_element(widths.begin(), widths.end()));
    int total = 0;
    for (int w : widths)
        total += w;
    QString body;
    double x = 10;
    for (int w : widths) {
        const double pw = 250.0 * w / total;
        body +=
            QStringLiteral("<rect x=\"%1\" y=\"10\" width=\"%2\" height=\"50\" fill=\"#ffffff\" "
                           "stroke=\"%3\" stroke-width=\"2\"/>\n")
                .arg(x)
                .arg(pw)
                .arg(kInk);
        x += pw;
    }
    return svg::Document(270, 70, body);
}

QByteArray NumberLineSvg(int parts, int at) {
    const double left = 40;
    const double width = 500;
    const double y = 70;
    QString body = QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%2\" stroke=\"%4\" "
                                  "stroke-width=\"3\"/>\n")
                       .arg(left)
                       .arg(y)
                       .arg(left + width)
                       .arg(kInk);
    for (int i = 0; i <= parts; ++i) {
        const double x = left + width * i / parts;
        const bool end = i == 0 || i == parts;
        body += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%1\" y2=\"%3\" stroke=\"%4\" "
                               "stroke-width=\"2\"/>\n")
                    .arg(x)
                    .arg(y - (end ? 16 : 10))
                    .arg(y + (end ? 16 : 10))
                    .arg(kInk);
    }
    body += svg::Text(left, y + 42, QStringLiteral("0"), 22);
    body += svg::Text(left + width, y + 42, QStringLiteral("1"), 22);
    const double ax = left + width * at / parts;
    body += QStringLiteral("<line x1=\"%1\" y1=\"8\" x2=\"%1\" y2=\"%2\" stroke=\"#e8553e\" "
                           "stroke-width=\"4\"/>\n<path d=\"M %1 %3 L %4 %2 L %5 %2 Z\" "
                           "fill=\"#e8553e\"/>\n")
                .arg(ax)
                .arg(y - 30)
                .arg(y - 14)
                .arg(ax - 9)
                .arg(ax + 9);
    return svg::Document(int(2 * left + width), 130, body);
}

// --- worked solutions -----------------------------------------------------------

QString Plain(Frac f) {
    return QStringLiteral("%1/%2").arg(f.n).arg(f.d);
}

Question Worked(Question q, const QStringList& steps) {
    varied::Work(q, steps);
    return q;
}

// How a fraction is brought to its simplest form, one sentence.
QString SimplifyStep(Frac f) {
    const int g = std::gcd(f.n, f.d);
    return QStringLiteral("%1 and %2 can both be divided by %3: %1 ÷ %3 = %4 and %2 ÷ %3 = %5, so "
                          "%6 = %7.")
        .arg(f.n)
        .arg(f.d)
        .arg(g)
        .arg(f.n / g)
        .arg(f.d / g)
        .arg(Plain(f), Plain(Reduced(f)));
}

QString PartsWord(int n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
}

// --- single-blank questions ------------------------------------------------

// A shape with the fraction `shown` shaded, the question under it, the answer
// a fraction.
Question ShapeQuestion(Rng& r, Frac shown, const QString& question, Frac answer,
                       const QStringList& steps) {
    QString alt;
    const QByteArray svg = ShapeSvg(r, shown.d, shown.n, &alt);
    Question q = One(P(question) + html::Img(QStringLiteral("shape.svg"), alt), Key(answer),
                     QStringLiteral("F"));
    q.pictures << SvgPicture(QStringLiteral("shape.svg"), svg);
    return Worked(q, steps);
}

QString PickName(Rng& r) {
    return r.pick(Names());
}

Question ShadedSingle(Rng& r, int level) {
    const Frac f = r.pick(PicturePool(level));
    const QString name = PickName(r);
    return ShapeQuestion(
        r, f,
        QStringLiteral("%1 shades part of a shape. What fraction of the shape is shaded?")
            .arg(name),
        f,
        {QStringLiteral("The shape is cut into %1 equal parts, so each part is 1/%1.").arg(f.d),
         QStringLiteral("%1 shaded: the fraction shaded is %2.")
             .arg(PartsWord(f.n, "part is", "parts are"), Plain(f))});
}

Question UnshadedSingle(Rng& r, int level) {
    const Frac f = r.pick(PicturePool(level));
    const Frac rest{f.d - f.n, f.d};
    const QString name = PickName(r);
    return ShapeQuestion(
        r, f,
        QStringLiteral("%1 colours some parts of a shape. What fraction of the shape is <b>not</b> "
                       "shaded?")
            .arg(name),
        rest,
        {QStringLiteral("The shape is cut into %1 equal parts and %2 shaded.")
             .arg(f.d)
             .arg(PartsWord(f.n, "is", "are")),
         QStringLiteral("%1 - %2 = %3 parts are not shaded, so the answer is %4.")
             .arg(f.d)
             .arg(f.n)
             .arg(rest.n)
             .arg(Plain(rest))});
}

// A fraction shaded that is not in lowest terms: the answer is simplified.
Question ShadedSimplest(Rng& r, int) {
    static const QList<Frac> shown = {{2, 4}, {6, 8}, {4, 6},  {2, 6},  {4, 10}, {6, 10},
                                      {3, 9}, {6, 9}, {8, 12}, {9, 12}, {2, 8},  {8, 10}};
    const Frac f = r.pick(shown);
    const QString name = PickName(r);
    return ShapeQuestion(
        r, f,
        QStringLiteral("What fraction of %1's shape is shaded? Write it in its "
                       "simplest form.")
            .arg(name),
        Reduced(f),
        {QStringLiteral("%1 of the %2 equal parts are shaded: %3.").arg(f.n).arg(f.d).arg(Plain(f)),
         SimplifyStep(f)});
}

Question UnitOfAmount(Rng& r, int level) {
    const int d = r.pick(level <= 1 ? QList<int>{2, 4} : QList<int>{2, 3, 4, 5, 10});
    const int each = r.range(2, level <= 1 ? 6 : 10);
    const QStringList steps = {
        QStringLiteral("To find 1/%1, share into %1 equal groups: %2 ÷ %1 = %3.")
            .arg(d)
            .arg(d * each)
            .arg(each)};
    if (level <= 1) {
        const QString name = PickName(r);
        const bool half = d == 2;
        return Worked(One(P(QStringLiteral("%1 has %2 marbles and gives %3 of them to a friend. "
                                           "How many marbles does %1 give away?")
                                .arg(name)
                                .arg(d * each)
                                .arg(half ? QStringLiteral("half") : QStringLiteral("a quarter"))) +
                              P(QStringLiteral("%1 gives away ").arg(name) + html::Box() +
                                QStringLiteral(" marbles.")),
                          Num(each), QStringLiteral("N")),
                      steps);
    }
    return Worked(
        One(P(QStringLiteral("Find the missing number.")) +
                Sum(Show({1, d}) + QStringLiteral(" of %1 = ").arg(d * each) + html::Box()),
            Num(each), QStringLiteral("N")),
        steps);
}

Question NonUnitOfAmount(Rng& r, int level) {
    Frac f = r.pick(QList<Frac>{{2, 3}, {3, 4}, {2, 5}, {3, 5}, {3, 8}, {5, 6}, {7, 10}, {4, 5}});
    const int each = r.range(2, level <= 3 ? 8 : 12);
    return Worked(
        One(P(QStringLiteral("Find %1 of %2.").arg(Show(f)).arg(f.d * each)), Num(f.n * each),
            QStringLiteral("N"), 2),
        {QStringLiteral("First find 1/%1: %2 ÷ %1 = %3.").arg(f.d).arg(f.d * each).arg(each),
         QStringLiteral("Then %1/%2 is %1 of those: %1 × %3 = %4.")
             .arg(f.n)
             .arg(f.d)
             .arg(each)
             .arg(f.n * each)});
}

Question HowManyInWhole(Rng& r, int) {
    const int d = r.pick(QList<int>{2, 3, 4, 5, 8, 10});
    const QString name = PickName(r);
    const QString word = QString::fromLatin1(kDenominatorWords[d]);
    return Worked(
        One(P(QStringLiteral("%1 cuts a cake into %2. How many %2 make the whole cake?")
                  .arg(name, word)) +
                P(QStringLiteral("There are ") + html::Box() + QStringLiteral(" %1.").arg(word)),
            Num(d), QStringLiteral("N")),
        {QStringLiteral("Cutting into %1 means %2 equal pieces, so %2 %1 make one whole.")
             .arg(word)
             .arg(d)});
}

Question PizzaWord(Rng& r, int level) {
    Frac f{0, 0};
    do {
        f = {r.range(1, level <= 1 ? 3 : 5),
             r.pick(level <= 1 ? QList<int>{3, 4, 6} : QList<int>{5, 6, 8})};
    } while (f.n >= f.d || !Lowest(f));
    qty::Use(QStringLiteral("pizza"), qty::Measure::Count, f.d);
    const QString name = PickName(r);
    return Worked(One(P(QStringLiteral(
                            "A pizza is cut into %1 equal slices. %2 eats %3. What fraction of the "
                            "pizza does %2 eat?")
                            .arg(f.d)
                            .arg(name)
                            .arg(f.n == 1 ? QStringLiteral("1 slice")
                                          : QStringLiteral("%1 slices").arg(f.n))),
                      Key(f), QStringLiteral("F"), 2),
                  {QStringLiteral("Each slice is 1/%1 of the pizza.").arg(f.d),
                   QStringLiteral("%1 eats %2 of the %3 slices, so %1 eats %4.")
                       .arg(name)
                       .arg(f.n)
                       .arg(f.d)
                       .arg(Plain(f))});
}

Question FractionLeft(Rng& r, int) {
    Frac eaten{0, 0};
    do {
        eaten = {r.range(1, 7), r.pick(QList<int>{5, 6, 8, 10})};
    } while (eaten.n >= eaten.d || !Lowest({eaten.d - eaten.n, eaten.d}));
    qty::Use(QStringLiteral("cake"), qty::Measure::Count, eaten.d);
    const Frac left{eaten.d - eaten.n, eaten.d};
    const QString name = PickName(r);
    return Worked(
        One(P(QStringLiteral("%1 cuts a cake into %2 equal pieces. %3 pieces are eaten. What "
                             "fraction of the cake is left?")
                  .arg(name)
                  .arg(eaten.d)
                  .arg(eaten.n)),
            Key(left), QStringLiteral("F"), 2),
        {QStringLiteral("%1 - %2 = %3 pieces are left.").arg(eaten.d).arg(eaten.n).arg(left.n),
         QStringLiteral("%1 of the %2 pieces is %3 of the cake.")
             .arg(left.n)
             .arg(eaten.d)
             .arg(Plain(left))});
}

Question FractionEaten(Rng& r, int) {
    Frac f{0, 0};
    do {
        f = {r.range(2, 7), r.pick(QList<int>{5, 7, 8, 9, 10})};
    } while (f.n >= f.d || !Lowest(f));
    qty::Use(QStringLiteral("chocolate bar"), qty::Measure::Count, f.d);
    const QString name = PickName(r);
    return Worked(
        One(P(QStringLiteral("A bar of chocolate has %1 equal pieces. %2 eats %3 pieces. What "
                             "fraction of the bar does %2 eat?")
                  .arg(f.d)
                  .arg(name)
                  .arg(f.n)),
            Key(f), QStringLiteral("F"), 2),
        {QStringLiteral("Each piece is 1/%1 of the bar.").arg(f.d),
         QStringLiteral("%1 pieces out of %2 is %3.").arg(f.n).arg(f.d).arg(Plain(f))});
}

Question CompareUnit(Rng& r, int) {
    int a = r.range(2, 10);
    int b = r.range(2, 10);
    while (b == a)
        b = r.range(2, 10);
    const bool bigger = r.chance(1, 2);
    const int answer = bigger ? std::min(a, b) : std::max(a, b);
    return Worked(
        One(P(QStringLiteral("Which fraction is %1?")
                  .arg(bigger ? QStringLiteral("bigger") : QStringLiteral("smaller"))) +
                Sum(Show({1, a}) + QStringLiteral(" or ") + Show({1, b})),
            Key({1, answer}), QStringLiteral("F")),
        {QStringLiteral("Both have 1 on top. A whole cut into %1 parts has bigger parts than a "
                        "whole cut into %2 parts, so 1/%1 is bigger than 1/%2.")
             .arg(std::min(a, b))
             .arg(std::max(a, b)),
         QStringLiteral("The %1 one is 1/%2.")
             .arg(bigger ? QStringLiteral("bigger") : QStringLiteral("smaller"))
             .arg(answer)});
}

Question CompareSameDenominator(Rng& r, int) {
    const int d = r.pick(QList<int>{5, 7, 8, 9, 11});
    int a = 0;
    int b = 0;
    do {
        a = r.range(1, d - 1);
        b = r.range(1, d - 1);
    } while (a == b || !Lowest({a, d}) || !Lowest({b, d}));
    const bool bigger = r.chance(1, 2);
    const int answer = bigger ? std::max(a, b) : std::min(a, b);
    return Worked(
        One(P(QStringLiteral("Which fraction is %1?")
                  .arg(bigger ? QStringLiteral("bigger") : QStringLiteral("smaller"))) +
                Sum(Show({a, d}) + QStringLiteral(" or ") + Show({b, d})),
            Key({answer, d}), QStringLiteral("F")),
        {QStringLiteral("The bottom numbers are the same, so the parts are the same size (1/%1).")
             .arg(d),
         QStringLiteral("%1 parts are %2 than %3 parts, so the answer is %4.")
             .arg(answer)
             .arg(bigger ? QStringLiteral("more") : QStringLiteral("fewer"))
             .arg(answer == a ? b : a)
             .arg(Plain({answer, d}))});
}

// Two fractions whose denominators share a small common multiple.
QPair<Frac, Frac> ComparablePair(Rng& r) {
    static const QList<Frac> pool = {{1, 2},  {1, 3},  {2, 3},  {1, 4}, {3, 4}, {1, 6},
                                     {5, 6},  {3, 8},  {5, 8},  {7, 8}, {2, 5}, {3, 5},
                                     {3, 10}, {7, 10}, {5, 12}, {7, 12}};
    for (;;) {
        const Frac a = r.pick(pool);
        const Frac b = r.pick(pool);
        if (a.d == b.d || a.n * b.d == b.n * a.d)
            continue;
        if (std::lcm(a.d, b.d) > 12 || std::lcm(a.d, b.d) != std::max(a.d, b.d))
            continue;
        return {a, b};
    }
}

Question CompareDifferent(Rng& r, int) {
    const auto [a, b] = ComparablePair(r);
    const int d = std::max(a.d, b.d);
    const Frac ea{a.n * d / a.d, d}, eb{b.n * d / b.d, d};
    const Frac answer = b.less(a) ? a : b;
    return Worked(
        One(P(QStringLiteral("Which fraction is bigger?")) +
                Sum(Show(a) + QStringLiteral(" or ") + Show(b)),
            Key(answer), QStringLiteral("F"), 2),
        {QStringLiteral("Make the bottom numbers the same, %1: %2 = %3 and %4 = %5.")
             .arg(d)
             .arg(Plain(a), Plain(ea), Plain(b), Plain(eb)),
         QStringLiteral("%1 is bigger than %2, so %3 is the bigger fraction.")
             .arg(Plain(b.less(a) ? ea : eb), Plain(b.less(a) ? eb : ea), Plain(answer))});
}

Question MoreOrLess(Rng& r, int) {
    Frac f{0, 0};
    do {
        f = {r.range(1, 9), r.pick(QList<int>{3, 4, 5, 8, 10})};
    } while (f.n >= f.d || !Lowest(f) || 2 * f.n == f.d);
    const bool more = 2 * f.n > f.d;
    return Worked(
        One(P(QStringLiteral("Is %1 more or less than %2? Write <b>more</b> or <b>less</b>.")
                  .arg(Show(f), Show({1, 2}))),
            more ? QStringLiteral("more") : QStringLiteral("less"), QStringLiteral("T")),
        {QStringLiteral("Half of %1 parts is %2 parts.")
             .arg(f.d)
             .arg(f.d % 2 == 0 ? QString::number(f.d / 2)
                               : QStringLiteral("%1 and a half").arg(f.d / 2)),
         QStringLiteral("%1 is %2 than that, so %3 is %4 than 1/2.")
             .arg(f.n)
             .arg(more ? QStringLiteral("more") : QStringLiteral("less"))
             .arg(Plain(f))
             .arg(more ? QStringLiteral("more") : QStringLiteral("less"))});
}

struct Named {
    const char* words;
    Frac f;
};

const QList<Named>& NamedFractions() {
    static const QList<Named> names = {
        {"one half", {1, 2}},    {"one third", {1, 3}},      {"two thirds", {2, 3}},
        {"one quarter", {1, 4}}, {"three quarters", {3, 4}}, {"one fifth", {1, 5}},
        {"two fifths", {2, 5}},  {"three fifths", {3, 5}},   {"one sixth", {1, 6}},
        {"one eighth", {1, 8}},  {"one tenth", {1, 10}},     {"three tenths", {3, 10}}};
    return names;
}

QString NameStep(const Named& n) {
    return QStringLiteral("\"%1\": the bottom number says how many equal parts (%2), the top "
                          "number how many of them (%3), so %4.")
        .arg(QString::fromLatin1(n.words))
        .arg(n.f.d)
        .arg(n.f.n)
        .arg(Plain(n.f));
}

Question NameFraction(Rng& r, int) {
    const Named& n = r.pick(NamedFractions());
    const QString name = PickName(r);
    return Worked(One(P(QStringLiteral("%1 reads the words <b>%2</b>. Write them as a fraction, "
                                       "using numbers.")
                            .arg(name, QString::fromLatin1(n.words))),
                      Key(n.f), QStringLiteral("F")),
                  {NameStep(n)});
}

Question EquivalentMissing(Rng& r, int level) {
    const Frac base =
        r.pick(level <= 3 ? QList<Frac>{{1, 2}, {1, 3}, {1, 4}, {2, 3}, {3, 4}, {1, 5}}
                          : QList<Frac>{{2, 3}, {3, 4}, {2, 5}, {3, 5}, {5, 6}, {3, 8}, {4, 5}});
    const int k = r.range(2, level <= 3 ? 4 : 6);
    if (r.chance(1, 2)) {
        return Worked(One(P(QStringLiteral("What is the missing number?")) +
                              Sum(Show(base) + QStringLiteral(" = ") +
                                  ShowParts(html::Box(), Num(base.d * k))),
                          Num(base.n * k), QStringLiteral("N")),
                      {QStringLiteral("The bottom number went from %1 to %2: %1 × %3 = %2.")
                           .arg(base.d)
                           .arg(base.d * k)
                           .arg(k),
                       QStringLiteral("Multiply the top number by %1 too: %2 × %1 = %3.")
                           .arg(k)
                           .arg(base.n)
                           .arg(base.n * k)});
    }
    return Worked(
        One(P(QStringLiteral("Find the missing number.")) +
                Sum(Show(base) + QStringLiteral(" = ") + ShowParts(Num(base.n * k), html::Box())),
            Num(base.d * k), QStringLiteral("N")),
        {QStringLiteral("The top number went from %1 to %2: %1 × %3 = %2.")
             .arg(base.n)
             .arg(base.n * k)
             .arg(k),
         QStringLiteral("Multiply the bottom number by %1 too: %2 × %1 = %3.")
             .arg(k)
             .arg(base.d)
             .arg(base.d * k)});
}

// a/d + b/d or a/d - b/d in lowest terms; with simplify the result needs
// simplifying first.
Question SameDenominator(Rng& r, bool subtract, bool simplify) {
    for (;;) {
        const int d =
            r.pick(simplify ? QList<int>{4, 6, 8, 9, 10, 12} : QList<int>{5, 7, 8, 9, 11});
        const int a = subtract ? r.range(2, d - 1) : r.range(1, d - 2);
        const int b = subtract ? r.range(1, a - 1) : r.range(1, d - 1 - a);
        const Frac result{subtract ? a - b : a + b, d};
        if (Lowest(result) == simplify || !Lowest({a, d}) || !Lowest({b, d}))
            continue;
        QStringList steps = {
            QStringLiteral("The bottom numbers are the same, so %1 the top numbers: %2 %3 %4 = %5.")
                .arg(subtract ? QStringLiteral("take away") : QStringLiteral("add"))
                .arg(a)
                .arg(subtract ? QStringLiteral("-") : QStringLiteral("+"))
                .arg(b)
                .arg(result.n),
            QStringLiteral("The answer is %1.").arg(Plain(result))};
        if (simplify)
            steps << SimplifyStep(result);
        return Worked(One(P(simplify ? QStringLiteral("Work out the answer in its simplest form.")
                                     : QStringLiteral("Work out:")) +
                              Sum(Show({a, d}) +
                                  (subtract ? QStringLiteral(" &minus; ") : QStringLiteral(" + ")) +
                                  Show({b, d}) + QStringLiteral(" = ") + html::Box()),
                          Key(Reduced(result)), QStringLiteral("F"), simplify ? 2 : 1),
                      steps);
    }
}

Question AddSame(Rng& r, int) {
    return SameDenominator(r, false, false);
}

Question SubtractSame(Rng& r, int) {
    return SameDenominator(r, true, false);
}

Question AddSimplify(Rng& r, int) {
    return SameDenominator(r, false, true);
}

Question SubtractSimplify(Rng& r, int) {
    return SameDenominator(r, true, true);
}

Question Simplify(Rng& r, int level) {
    for (;;) {
        const int d = r.range(2, level <= 4 ? 6 : 10);
        const int n = r.range(1, d - 1);
        if (!Lowest({n, d}))
            continue;
        const int k = r.range(2, level <= 4 ? 4 : 5);
        return Worked(
            One(P(QStringLiteral("Write %1 in its simplest form.").arg(Show({n * k, d * k}))),
                Key({n, d}), QStringLiteral("F"), level >= 5 ? 2 : 1),
            {SimplifyStep({n * k, d * k})});
    }
}

Question FractionOnLine(Rng& r, int) {
    Frac f{0, 0};
    do {
        f = {r.range(1, 9), r.pick(QList<int>{4, 5, 8, 10})};
    } while (f.n >= f.d || !Lowest(f));
    Question q = One(P(QStringLiteral("The number line from 0 to 1 is cut into %1 equal parts. "
                                      "What fraction is the arrow pointing to?")
                           .arg(f.d)) +
                         html::Img(QStringLiteral("line.svg"),
                                   QStringLiteral("A number line from 0 to 1 with %1 equal spaces "
                                                  "between its marks. An arrow points at mark "
                                                  "number %2 after 0.")
                                       .arg(f.d)
                                       .arg(f.n)),
                     Key(f), QStringLiteral("F"));
    q.pictures << SvgPicture(QStringLiteral("line.svg"), NumberLineSvg(f.d, f.n));
    return Worked(q, {QStringLiteral("Each space is 1/%1 of the way from 0 to 1.").arg(f.d),
                      QStringLiteral("The arrow is %1 spaces after 0, so it points to %2.")
                          .arg(f.n)
                          .arg(Plain(f))});
}

Question ChooseShape(Rng& r, int level) {
    const int position = r.range(1, 4);
    const Frac right = r.pick(QList<Frac>{{1, 4}, {1, 3}, {3, 4}, {2, 3}, {1, 5}});
    QList<Frac> wrong;
    for (const Frac& f : PicturePool(level)) {
        if (!(f == right) && f.d != right.d && wrong.size() < 3 && r.chance(1, 2))
            wrong << f;
    }
    while (wrong.size() < 3)
        wrong << Frac{1, 6 + int(wrong.size())};
    static const char* const words[] = {"", "one", "two", "three", "four"};
    static const char* const parts[] = {"", "", "half", "third", "quarter", "fifth"};
    QString name = QString::fromLatin1(words[right.n]) + QLatin1Char(' ') +
                   QString::fromLatin1(parts[right.d]) +
                   (right.n > 1 ? QStringLiteral("s") : QString());
    QList<Frac> shown = wrong;
    shown.insert(position - 1, right);
    Question q;
    QStringList options;
    for (int i = 0; i < shown.size(); ++i) {
        const QString file = QStringLiteral("option%1.svg").arg(i + 1);
        QString alt;
        q.pictures << SvgPicture(file, ShapeSvg(r, shown.at(i).d, shown.at(i).n, &alt));
        options << html::Img(file, QStringLiteral("Shape %1: %2").arg(i + 1).arg(alt));
    }
    // Pictures as options sit two by two, so all four fit on the page.
    QString grid = QStringLiteral("<table class=\"options\">\n");
    for (int i = 0; i < options.size(); ++i) {
        if (i % 2 == 0)
            grid += QStringLiteral("<tr>");
        grid += QStringLiteral("<td class=\"number\"><span class=\"badge\">%1</span></td>"
                               "<td>%2</td>")
                    .arg(i + 1)
                    .arg(options.at(i));
        if (i % 2 == 1)
            grid += QStringLiteral("</tr>\n");
    }
    grid += QStringLiteral("</table>\n");
    q.html = P(QStringLiteral("Which shape has <b>%1</b> shaded?").arg(name)) + grid +
             varied::ChooseNote();
    q.blanks << Blank{Num(position), QStringLiteral("Q"), 1};
    return Worked(q, {QStringLiteral("%1 means %2 equal parts with %3 of them shaded.")
                          .arg(kit::Cap(name))
                          .arg(right.d)
                          .arg(right.n),
                      QStringLiteral("Shape %1 is cut into %2 equal parts with %3 shaded, so the "
                                     "answer is %1.")
                          .arg(position)
                          .arg(right.d)
                          .arg(right.n)});
}

Question ChooseEquivalent(Rng& r, int) {
    const int position = r.range(1, 4);
    const Frac base = r.pick(QList<Frac>{{1, 2}, {1, 3}, {2, 3}, {1, 4}, {3, 4}, {2, 5}});
    const int k = r.range(2, 4);
    const Frac right{base.n * k, base.d * k};
    // Near misses: one more or less on top, one more on both, one more below.
    QList<Frac> candidates = {{right.n + 1, right.d},
                              {right.n - 1, right.d},
                              {base.n + 1, base.d + 1},
                              {right.n, right.d + 1}};
    r.shuffle(candidates);
    QStringList wrong;
    for (const Frac& w : candidates) {
        if (w.n > 0 && w.n * base.d != base.n * w.d && !wrong.contains(Show(w)) && wrong.size() < 3)
            wrong << Show(w);
    }
    Question q = Choice(P(QStringLiteral("Which fraction is equal to %1?").arg(Show(base))),
                        Show(right), wrong, position);
    return Worked(q, {QStringLiteral("Multiply the top and the bottom of %1 by %2: %3 × %2 = %4 "
                                     "and %5 × %2 = %6.")
                          .arg(Plain(base))
                          .arg(k)
                          .arg(base.n)
                          .arg(right.n)
                          .arg(base.d)
                          .arg(right.d),
                      QStringLiteral("%1 is answer %2.").arg(Plain(right)).arg(position)});
}

Question WordOfAmount(Rng& r, int level) {
    const Frac f = r.pick(level <= 2 ? QList<Frac>{{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 10}}
                                     : QList<Frac>{{3, 4}, {2, 3}, {2, 5}, {3, 5}, {3, 8}, {5, 6}});
    const QString name = PickName(r);
    const int kind = r.range(0, 2);
    // A whole that fits the thing counted and shares out exactly.
    static const char* const things[] = {"class", "ribbon", "stickers"};
    const qty::Range& range = qty::Of(QString::fromLatin1(things[kind]),
                                      kind == 1 ? qty::Measure::Centimetres : qty::Measure::Count);
    const int top = std::min(range.hi, f.d * (level <= 2 ? 6 : 12));
    if (top < range.lo)
        return {};
    int whole = 0;
    do {
        whole = f.d * r.range(1, top / f.d);
    } while (whole < range.lo);
    qty::Use(QString::fromLatin1(things[kind]),
             kind == 1 ? qty::Measure::Centimetres : qty::Measure::Count, whole);
    const int each = whole / f.d;
    QStringList steps = {
        QStringLiteral("1/%1 of %2 is %2 ÷ %1 = %3.").arg(f.d).arg(whole).arg(each)};
    if (f.n > 1)
        steps
            << QStringLiteral("%1/%2 is %1 × %3 = %4.").arg(f.n).arg(f.d).arg(each).arg(f.n * each);
    switch (kind) {
    case 0:
        return Worked(
            One(P(QStringLiteral("There are %1 children in %2's class. %3 of them walk to school. "
                                 "How many children walk to school?")
                      .arg(whole)
                      .arg(name)
                      .arg(Show(f))) +
                    P(html::Box() + QStringLiteral(" children walk to school.")),
                Num(f.n * each), QStringLiteral("N"), 2),
            steps);
    case 1:
        return Worked(
            One(P(QStringLiteral("A ribbon is %1 cm long. %2 cuts off %3 of it. How long "
                                 "is the piece %2 cuts off?")
                      .arg(whole)
                      .arg(name)
                      .arg(Show(f))) +
                    P(QStringLiteral("The piece is ") + html::Box() + QStringLiteral(" cm long.")),
                Num(f.n * each), QStringLiteral("N"), 2),
            steps);
    default:
        return Worked(One(P(QStringLiteral("%1 has %2 stickers and gives %3 of them to a friend. "
                                           "How many stickers does %1 give away?")
                                .arg(name)
                                .arg(whole)
                                .arg(Show(f))) +
                              P(name + QStringLiteral(" gives away ") + html::Box() +
                                QStringLiteral(" stickers.")),
                          Num(f.n * each), QStringLiteral("N"), 2),
                      steps);
    }
}

Question ImproperToMixed(Frac improper, int mark) {
    const int whole = improper.n / improper.d;
    const Frac rest{improper.n % improper.d, improper.d};
    return Worked(
        One(P(QStringLiteral("Write %1 as a mixed number.").arg(Show(improper))) +
                InlineNote(QStringLiteral("Leave a space between the whole number and the "
                                          "fraction, like this: 2 1/4")),
            QStringLiteral("%1 %2").arg(whole).arg(Key(rest)), QStringLiteral("X"), mark),
        {QStringLiteral("%1 parts of size 1/%1 make one whole. %2 ÷ %1 = %3 with %4 left over.")
             .arg(improper.d)
             .arg(improper.n)
             .arg(whole)
             .arg(rest.n),
         QStringLiteral("So %1 is %2 whole%3 and %4: %2 %4.")
             .arg(Plain(improper))
             .arg(whole)
             .arg(whole == 1 ? QString() : QStringLiteral("s"))
             .arg(Plain(rest))});
}

Question ImproperToMixed(Rng& r, int) {
    for (;;) {
        const int d = r.range(2, 8);
        const int n = r.range(1, d - 1);
        const int whole = r.range(1, 3);
        if (!Lowest({n, d}))
            continue;
        return ImproperToMixed(Frac{whole * d + n, d}, 2);
    }
}

Question MixedToImproper(Rng& r, int) {
    for (;;) {
        const int d = r.range(2, 6);
        const int n = r.range(1, d - 1);
        const int whole = r.range(1, 3);
        if (!Lowest({n, d}))
            continue;
        return Worked(One(P(QStringLiteral("Write %1 as an improper fraction.")
                                .arg(html::Fraction(n, d, whole))),
                          Key({whole * d + n, d}), QStringLiteral("F"), 2),
                      {QStringLiteral(
                           "Each whole is %1/%1, so %2 wholes are %2 × %1 = %3 parts of size 1/%1.")
                           .arg(d)
                           .arg(whole)
                           .arg(whole * d),
                       QStringLiteral("Add the %1 more: %2 + %1 = %3, so the answer is %4.")
                           .arg(n)
                           .arg(whole * d)
                           .arg(whole * d + n)
                           .arg(Plain({whole * d + n, d}))});
    }
}

Question ToDecimal(Rng& r, int level) {
    if (level >= 5 && r.chance(1, 2)) {
        const auto [f, decimal] = r.pick(QList<QPair<Frac, const char*>>{
            {{1, 2}, "0.5"}, {{1, 4}, "0.25"}, {{3, 4}, "0.75"}, {{1, 5}, "0.2"}});
        const Frac hundredths{f.n * 100 / f.d, 100};
        return Worked(One(P(QStringLiteral("Write %1 as a decimal.").arg(Show(f))),
                          QString::fromLatin1(decimal), QStringLiteral("N"), 2),
                      {QStringLiteral("%1 = %2.").arg(Plain(f), Plain(hundredths)),
                       QStringLiteral("%1 hundredths is written %2.")
                           .arg(hundredths.n)
                           .arg(QString::fromLatin1(decimal))});
    }
    const int n = r.pick(QList<int>{1, 3, 7, 9});
    return Worked(
        One(P(QStringLiteral("Write %1 as a decimal.").arg(Show({n, 10}))),
            QStringLiteral("0.%1").arg(n), QStringLiteral("N")),
        {QStringLiteral("%1 tenths: 0 ones and %1 in the tenths place, so 0.%1.").arg(n)});
}

Question WholeFromPart(Rng& r, int) {
    const int d = r.range(2, 6);
    const int part = r.range(3, 12);
    return Worked(One(P(QStringLiteral("%1 of a number is %2. What is the number?")
                            .arg(Show({1, d}))
                            .arg(part)),
                      Num(d * part), QStringLiteral("N"), 2),
                  {QStringLiteral("The number is %1 equal parts of %2.").arg(d).arg(part),
                   QStringLiteral("%1 × %2 = %3.").arg(d).arg(part).arg(d * part)});
}

Question TwoStepFraction(Rng& r, int) {
    const QString name = PickName(r);
    if (r.chance(1, 2)) {
        const int d = r.pick(QList<int>{3, 4, 5, 8});
        const qty::Range& range = qty::Of(QStringLiteral("sheep"), qty::Measure::Count);
        int whole = 0;
        do {
            whole = d * r.range(4, 10);
        } while (whole < range.lo || whole > range.hi);
        qty::Use(QStringLiteral("sheep"), qty::Measure::Count, whole);
        return Worked(
            One(P(QStringLiteral("A farmer has %1 sheep. %2 of them are black and the rest are "
                                 "white. How many white sheep are there?")
                      .arg(whole)
                      .arg(Show({1, d}))) +
                    P(QStringLiteral("There are ") + html::Box() + QStringLiteral(" white sheep.")),
                Num(whole - whole / d), QStringLiteral("N"), 3),
            {QStringLiteral("Black sheep: 1/%1 of %2 is %2 ÷ %1 = %3.")
                 .arg(d)
                 .arg(whole)
                 .arg(whole / d),
             QStringLiteral("White sheep: %1 - %2 = %3.")
                 .arg(whole)
                 .arg(whole / d)
                 .arg(whole - whole / d)});
    }
    const int whole = qty::Use(QStringLiteral("sweets"), qty::Measure::Count, 15 * r.range(2, 4));
    const auto [a, b] = TwoNames(r, Names());
    if (a == name || b == name)
        return {};
    const int left = whole - whole / 3 - whole / 5;
    return Worked(
        One(P(QStringLiteral("%1 has a bag of %2 sweets. %1 gives %3 of them to %4 and %5 of them "
                             "to %6. How many sweets does %1 have left?")
                  .arg(name)
                  .arg(whole)
                  .arg(Show({1, 3}), a, Show({1, 5}), b)) +
                P(name + QStringLiteral(" has ") + html::Box() + QStringLiteral(" sweets left.")),
            Num(left), QStringLiteral("N"), 3),
        {QStringLiteral("1/3 of %1 is %1 ÷ 3 = %2, and 1/5 of %1 is %1 ÷ 5 = %3.")
             .arg(whole)
             .arg(whole / 3)
             .arg(whole / 5),
         QStringLiteral("%1 - %2 - %3 = %4.").arg(whole).arg(whole / 3).arg(whole / 5).arg(left)});
}

// --- questions with several blanks --------------------------------------------

// Distinct fractions for a set of pictures.
QList<Frac> DistinctFractions(Rng& r, const QList<Frac>& pool, int count) {
    QList<Frac> rest = pool;
    r.shuffle(rest);
    return rest.mid(0, count);
}

// The picture of part i joins the question; returns its reference.
QString ShapePart(Question& q, int i, const QByteArray& svg, const QString& alt) {
    const QString file = QStringLiteral("shape_%1.svg").arg(QChar(u'a' + i));
    q.pictures << SvgPicture(file, svg);
    return html::Img(file, QStringLiteral("Shape %1: %2").arg(html::PartLabel(i), alt));
}

// True when two pictures of the question look the same.
bool RepeatsPicture(const Question& q) {
    QSet<QByteArray> seen;
    for (const Picture& p : q.pictures) {
        if (seen.contains(p.data))
            return true;
        seen.insert(p.data);
    }
    return false;
}

// Steps of each part under its label, then the answers.
Question PartsWorked(Question q, const QList<QStringList>& partSteps) {
    QStringList steps;
    for (int i = 0; i < partSteps.size(); ++i) {
        for (int s = 0; s < partSteps.at(i).size(); ++s)
            steps << (s == 0 ? html::PartLabel(i) + QLatin1Char(' ') : QString()) +
                         partSteps.at(i).at(s);
    }
    return Worked(q, steps);
}

Question ShadedSet(Rng& r, const QList<Frac>& fractions, bool unshaded, int wording = 0) {
    for (;;) {
        Question q;
        QStringList parts;
        QList<QStringList> steps;
        for (int i = 0; i < fractions.size(); ++i) {
            const Frac f = fractions.at(i);
            const Frac answer = unshaded ? Frac{f.d - f.n, f.d} : f;
            QString alt;
            const QByteArray svg = ShapeSvg(r, f.d, f.n, &alt);
            parts << ShapePart(q, i, svg, alt);
            q.blanks << Blank{Key(answer), QStringLiteral("F"), 1};
            steps << QStringList{unshaded ? QStringLiteral("%1 equal parts, %2 shaded, so %3 not "
                                                           "shaded: %4.")
                                                .arg(f.d)
                                                .arg(f.n)
                                                .arg(answer.n)
                                                .arg(Plain(answer))
                                          : QStringLiteral("%1 of %2 equal parts are shaded: %3.")
                                                .arg(f.n)
                                                .arg(f.d)
                                                .arg(Plain(answer))};
        }
        if (RepeatsPicture(q))
            continue;
        static const char* const asks[] = {
            "%1 shades parts of some shapes. What fraction of each shape is shaded?",
            "Write the fraction of each of %1's shapes that is shaded."};
        q.html = P((unshaded ? QStringLiteral("%1 colours parts of some shapes. What fraction of "
                                              "each shape is <b>not</b> shaded?")
                             : QString::fromLatin1(asks[wording % 2]))
                       .arg(PickName(r))) +
                 html::Parts(parts);
        return PartsWorked(q, steps);
    }
}

Question PartsCountSet(Rng& r, int count) {
    for (;;) {
        Question q;
        QStringList parts;
        QList<QStringList> steps;
        QList<int> used;
        while (parts.size() < count) {
            const int d = r.pick(QList<int>{2, 3, 4, 5, 6, 8, 10});
            if (used.contains(d))
                continue;
            used << d;
            const int n = r.range(1, d - 1);
            QString alt;
            const QByteArray svg = ShapeSvg(r, d, n, &alt);
            // The description names the parts; say only the shape itself.
            alt = alt.section(QLatin1Char(' '), 0, 1) + QStringLiteral(" cut into equal parts.");
            parts << ShapePart(q, int(parts.size()), svg, alt);
            q.blanks << Blank{Num(d), QStringLiteral("N"), 1};
            steps << QStringList{QStringLiteral("Count every part, shaded or not: %1.").arg(d)};
        }
        if (RepeatsPicture(q))
            continue;
        q.html = P(QStringLiteral("%1 cuts some shapes into equal parts. How many equal parts is "
                                  "each shape cut into?")
                       .arg(PickName(r))) +
                 html::Parts(parts);
        return PartsWorked(q, steps);
    }
}

Question HalfOrNotSet(Rng& r, int count) {
    for (;;) {
        Question q;
        QStringList parts;
        QList<QStringList> steps;
        for (int i = 0; i < count; ++i) {
            const int d = r.pick(QList<int>{2, 4, 6, 8, 10});
            const bool half = r.chance(1, 2);
            int n = d / 2;
            if (!half)
                n = r.chance(1, 2) ? std::max(1, d / 2 - 1) : std::min(d - 1, d / 2 + 1);
            if (!half && 2 * n == d)
                n = d - 1;
            QString alt;
            const QByteArray svg = ShapeSvg(r, d, n, &alt);
            parts << ShapePart(q, i, svg, alt);
            const bool isHalf = 2 * n == d;
            q.blanks << Blank{isHalf ? QStringLiteral("yes") : QStringLiteral("no"),
                              QStringLiteral("T"), 1};
            steps << QStringList{QStringLiteral("Half of %1 parts is %2; %3 shaded, so %4.")
                                     .arg(d)
                                     .arg(d / 2)
                                     .arg(PartsWord(n, "part is", "parts are"))
                                     .arg(isHalf ? QStringLiteral("yes") : QStringLiteral("no"))};
        }
        if (RepeatsPicture(q))
            continue;
        q.html = P(QStringLiteral("%1 shades some shapes. Is exactly half of each shape shaded? "
                                  "Write <b>yes</b> or <b>no</b>.")
                       .arg(PickName(r))) +
                 html::Parts(parts);
        return PartsWorked(q, steps);
    }
}

Question UnitOfSet(Rng& r, int d, int count) {
    QList<int> wholes;
    while (wholes.size() < count) {
        const int w = d * r.range(2, 10);
        if (!wholes.contains(w))
            wholes << w;
    }
    QStringList lefts;
    QList<int> answers;
    QList<QStringList> steps;
    for (int w : wholes) {
        lefts << QStringLiteral("%1 of %2").arg(Show({1, d})).arg(w);
        answers << w / d;
        steps << QStringList{QStringLiteral("%1 ÷ %2 = %3.").arg(w).arg(d).arg(w / d)};
    }
    const QString word = d == 2   ? QStringLiteral("a half")
                         : d == 3 ? QStringLiteral("a third")
                                  : QStringLiteral("a quarter");
    Question q =
        Equations(P(QStringLiteral("Find %1 of each number.").arg(Show({1, d}))), lefts, answers);
    steps.first().prepend(QStringLiteral("To find %1, divide by %2.").arg(word).arg(d));
    return PartsWorked(q, steps);
}

Question NameSet(Rng& r, int count) {
    QList<Named> pool = NamedFractions();
    r.shuffle(pool);
    Question q;
    QStringList parts;
    QList<QStringList> steps;
    for (int i = 0; i < count; ++i) {
        parts << QString::fromLatin1(pool.at(i).words);
        q.blanks << Blank{Key(pool.at(i).f), QStringLiteral("F"), 1};
        steps << QStringList{NameStep(pool.at(i))};
    }
    q.html =
        P(QStringLiteral("Write each of these as a fraction, using numbers.")) + html::Parts(parts);
    return PartsWorked(q, steps);
}

Question EqualPartsSet(Rng& r, int count) {
    for (;;) {
        QList<bool> equal;
        for (int i = 0; i < count; ++i)
            equal << (i % 2 == 0);
        r.shuffle(equal);
        Question q;
        QStringList parts;
        QList<QStringList> steps;
        for (int i = 0; i < count; ++i) {
            const int pieces = r.range(2, 4);
            const QByteArray svg = SplitSvg(r, pieces, equal.at(i));
            const bool circle = svg.contains("circle");
            parts << ShapePart(
                q, i, svg,
                QStringLiteral("%1 cut into %2 parts.")
                    .arg(circle ? QStringLiteral("a circle") : QStringLiteral("a bar"))
                    .arg(pieces));
            q.blanks << Blank{equal.at(i) ? QStringLiteral("yes") : QStringLiteral("no"),
                              QStringLiteral("T"), 1};
            steps << QStringList{
                equal.at(i) ? QStringLiteral("All %1 parts are the same size: yes.").arg(pieces)
                            : QStringLiteral("Some parts are bigger than others: no.")};
        }
        if (RepeatsPicture(q))
            continue;
        q.html = P(QStringLiteral("%1 cuts up some shapes. Is each shape cut into <b>equal</b> "
                                  "parts? Write <b>yes</b> or <b>no</b>.")
                       .arg(PickName(r))) +
                 html::Parts(parts);
        return PartsWorked(q, steps);
    }
}

Question CompareSet(Rng& r, int count) {
    Question q;
    QStringList parts;
    QList<QStringList> steps;
    QSet<QString> used;
    while (parts.size() < count) {
        const int a = r.range(2, 10);
        const int b = r.range(2, 10);
        const bool bigger = parts.size() % 2 == 0;
        const QString text = QStringLiteral("Which is %1: %2 or %3?")
                                 .arg(bigger ? QStringLiteral("bigger") : QStringLiteral("smaller"),
                                      Show({1, a}), Show({1, b}));
        if (a == b || used.contains(text))
            continue;
        used.insert(text);
        parts << text;
        const int answer = bigger ? std::min(a, b) : std::max(a, b);
        q.blanks << Blank{Key({1, answer}), QStringLiteral("F"), 1};
        steps << QStringList{
            QStringLiteral("Fewer parts are bigger parts: 1/%1 is %2.")
                .arg(answer)
                .arg(bigger ? QStringLiteral("bigger") : QStringLiteral("smaller"))};
    }
    q.html = P(QStringLiteral("Compare the fractions.")) + html::Parts(parts);
    return PartsWorked(q, steps);
}

Question AmountSet(Rng& r, int count) {
    const int whole = r.pick(QList<int>{12, 20, 24, 30, 40});
    QList<int> denominators;
    for (int d : {2, 3, 4, 5, 6, 8, 10}) {
        if (whole % d == 0)
            denominators << d;
    }
    r.shuffle(denominators);
    QStringList lefts;
    QList<int> answers;
    QList<QStringList> steps;
    for (int i = 0; i < count && i < denominators.size(); ++i) {
        const int d = denominators.at(i);
        lefts << QStringLiteral("%1 of %2").arg(Show({1, d})).arg(whole);
        answers << whole / d;
        steps << QStringList{QStringLiteral("%1 ÷ %2 = %3.").arg(whole).arg(d).arg(whole / d)};
    }
    return PartsWorked(
        Equations(P(QStringLiteral("Find each fraction of %1.").arg(whole)), lefts, answers),
        steps);
}

Question EquivalentChain(Rng& r, int count) {
    const Frac base = r.pick(QList<Frac>{{1, 2}, {1, 3}, {2, 3}, {1, 4}, {3, 4}});
    QList<int> factors = {2, 3, 4, 5};
    r.shuffle(factors);
    factors = factors.mid(0, count);
    std::sort(factors.begin(), factors.end());
    Question q;
    QList<QStringList> steps;
    QString chain = Show(base);
    for (int i = 0; i < count; ++i) {
        const int k = factors.at(i);
        chain += QStringLiteral(" = ") +
                 ShowParts(QStringLiteral("<b>%1</b>").arg(html::PartLabel(i)), Num(base.d * k));
        q.blanks << Blank{Num(base.n * k), QStringLiteral("N"), 1};
        steps << QStringList{QStringLiteral("%1 × %2 = %3, so %4 × %2 = %5.")
                                 .arg(base.d)
                                 .arg(k)
                                 .arg(base.d * k)
                                 .arg(base.n)
                                 .arg(base.n * k)};
    }
    q.html = P(QStringLiteral("These fractions are all equal. Write the missing numerators "
                              "(a) to %1.")
                   .arg(html::PartLabel(count - 1))) +
             Sum(chain);
    return PartsWorked(q, steps);
}

Question OrderSet(Rng& r, const QList<Frac>& pool, int count, const QString& how) {
    QList<Frac> chosen = DistinctFractions(r, pool, count);
    QList<Frac> sorted = chosen;
    std::sort(sorted.begin(), sorted.end(), [](const Frac& a, const Frac& b) { return a.less(b); });
    QStringList shown;
    for (const Frac& f : chosen)
        shown << Show(f);
    Question q;
    QStringList parts;
    QStringList order;
    for (int i = 0; i < count; ++i) {
        parts << html::Box() + (i == 0           ? QStringLiteral(" smallest")
                                : i == count - 1 ? QStringLiteral(" largest")
                                                 : QString());
        q.blanks << Blank{Key(sorted.at(i)), QStringLiteral("F"), 1};
        order << Plain(sorted.at(i));
    }
    q.html = P(QStringLiteral("Write these fractions in order, starting with the smallest.")) +
             Sum(shown.join(QStringLiteral(" &nbsp; &nbsp; "))) + html::Parts(parts);
    return Worked(
        q, {how, QStringLiteral("Smallest to largest: %1.").arg(order.join(QStringLiteral(", ")))});
}

Question SameDenominatorOrder(Rng& r, int count) {
    const int d = r.pick(QList<int>{7, 9, 11});
    QList<Frac> pool;
    for (int n = 1; n < d; ++n) {
        if (Lowest({n, d}))
            pool << Frac{n, d};
    }
    return OrderSet(r, pool, count,
                    QStringLiteral("All the parts are the same size, so order the top numbers."));
}

Question DifferentDenominatorOrder(Rng& r, int level, int count) {
    // Fractions of one family (eighths or twelfths) so that they can be compared.
    if (level <= 4 || r.chance(1, 2))
        return OrderSet(r, {{1, 2}, {1, 4}, {3, 4}, {1, 8}, {3, 8}, {5, 8}, {7, 8}}, count,
                        QStringLiteral("Write each as eighths: 1/2 = 4/8, 1/4 = 2/8, 3/4 = 6/8. "
                                       "Then order the top numbers."));
    return OrderSet(r, {{1, 2}, {1, 3}, {2, 3}, {1, 6}, {5, 6}, {1, 12}, {5, 12}, {7, 12}}, count,
                    QStringLiteral("Write each as twelfths: 1/2 = 6/12, 1/3 = 4/12, 2/3 = 8/12, "
                                   "1/6 = 2/12, 5/6 = 10/12. Then order the top numbers."));
}

Question AddSet(Rng& r, int count) {
    Question q;
    QStringList parts;
    QList<QStringList> steps;
    while (parts.size() < count) {
        const int d = r.pick(QList<int>{5, 7, 9, 11});
        const int a = r.range(1, d - 2);
        const int b = r.range(1, d - 1 - a);
        const QString text = Show({a, d}) + QStringLiteral(" + ") + Show({b, d}) +
                             QStringLiteral(" = ") + html::Box();
        if (!Lowest({a + b, d}) || parts.contains(text))
            continue;
        parts << text;
        q.blanks << Blank{Key({a + b, d}), QStringLiteral("F"), 1};
        steps << QStringList{
            QStringLiteral("Same bottom number: add the tops, %1 + %2 = %3, so %4.")
                .arg(a)
                .arg(b)
                .arg(a + b)
                .arg(Plain({a + b, d}))};
    }
    q.html = P(QStringLiteral("Work out:")) + html::Parts(parts);
    return PartsWorked(q, steps);
}

Question SimplifySet(Rng& r, int level, int count) {
    Question q;
    QStringList parts;
    QList<QStringList> steps;
    while (parts.size() < count) {
        const int d = r.range(2, level >= 5 ? 8 : 6);
        const int n = r.range(1, d - 1);
        const int k = r.range(2, level >= 5 ? 6 : 5);
        const QString text = Show({n * k, d * k});
        if (!Lowest({n, d}) || parts.contains(text))
            continue;
        parts << text;
        q.blanks << Blank{Key({n, d}), QStringLiteral("F"), 1};
        steps << QStringList{SimplifyStep({n * k, d * k})};
    }
    q.html = P(QStringLiteral("Write each fraction in its simplest form.")) + html::Parts(parts);
    return PartsWorked(q, steps);
}

Question ClassSurvey(Rng& r) {
    static const QList<QPair<int, int>> splits = {{3, 4}, {2, 5}, {3, 6}, {4, 6}, {2, 4}};
    const qty::Range& range = qty::Of(QStringLiteral("class"), qty::Measure::Count);
    int a = 0, b = 0, whole = 0;
    do {
        const auto split = r.pick(splits);
        a = split.first;
        b = split.second;
        whole = std::lcm(a, b) * r.range(1, 8);
    } while (whole < range.lo || whole > range.hi);
    qty::Use(QStringLiteral("class"), qty::Measure::Count, whole);
    const int first = whole / a;
    const int second = whole / b;
    static const QList<QStringList> sets = {
        {QStringLiteral("apples"), QStringLiteral("bananas"), QStringLiteral("grapes")},
        {QStringLiteral("football"), QStringLiteral("swimming"), QStringLiteral("netball")},
        {QStringLiteral("red"), QStringLiteral("blue"), QStringLiteral("green")}};
    const QStringList& like = r.pick(sets);
    Question q;
    q.html =
        P(QStringLiteral("There are %1 children in a class. %2 of them like %3 best, "
                         "%4 of them like %5 best and the rest like %6 best.")
              .arg(whole)
              .arg(Show({1, a}), like.at(0), Show({1, b}), like.at(1), like.at(2))) +
        html::Parts(
            {QStringLiteral("How many children like %1 best? ").arg(like.at(0)) + html::Box(),
             QStringLiteral("How many children like %1 best? ").arg(like.at(1)) + html::Box(),
             QStringLiteral("How many children like %1 best? ").arg(like.at(2)) + html::Box()});
    q.blanks << Blank{Num(first), QStringLiteral("N"), 1}
             << Blank{Num(second), QStringLiteral("N"), 1}
             << Blank{Num(whole - first - second), QStringLiteral("N"), 2};
    return PartsWorked(
        q, {{QStringLiteral("1/%1 of %2 is %2 ÷ %1 = %3.").arg(a).arg(whole).arg(first)},
            {QStringLiteral("1/%1 of %2 is %2 ÷ %1 = %3.").arg(b).arg(whole).arg(second)},
            {QStringLiteral("The rest: %1 - %2 - %3 = %4.")
                 .arg(whole)
                 .arg(first)
                 .arg(second)
                 .arg(whole - first - second)}});
}

enum Multi {
    MShaded,
    MShadedWrite,
    MUnshaded,
    MHalf,
    MQuarter,
    MThird,
    MName,
    MEqualParts,
    MPartsCount,
    MHalfOrNot,
    MCompare,
    MAmounts,
    MChain,
    MOrderSame,
    MAdd,
    MSimplify,
    MOrderDifferent,
    MSurvey
};

Question MakeMulti(Multi kind, Rng& r, int level, int blanks) {
    switch (kind) {
    case MShaded:
        return ShadedSet(r, DistinctFractions(r, PicturePool(level), blanks), false, 0);
    case MShadedWrite:
        return ShadedSet(r, DistinctFractions(r, PicturePool(level), blanks), false, 1);
    case MUnshaded:
        return ShadedSet(r, DistinctFractions(r, PicturePool(level), blanks), true);
    case MHalf:
        return UnitOfSet(r, 2, blanks);
    case MQuarter:
        return UnitOfSet(r, 4, blanks);
    case MThird:
        return UnitOfSet(r, 3, blanks);
    case MName:
        return NameSet(r, blanks);
    case MEqualParts:
        return EqualPartsSet(r, blanks);
    case MPartsCount:
        return PartsCountSet(r, blanks);
    case MHalfOrNot:
        return HalfOrNotSet(r, blanks);
    case MCompare:
        return CompareSet(r, blanks);
    case MAmounts:
        return AmountSet(r, blanks);
    case MChain:
        return EquivalentChain(r, blanks);
    case MOrderSame:
        return SameDenominatorOrder(r, blanks);
    case MAdd:
        return AddSet(r, blanks);
    case MSimplify:
        return SimplifySet(r, level, blanks);
    case MOrderDifferent:
        return DifferentDenominatorOrder(r, level, blanks);
    case MSurvey:
        return blanks == 3 ? ClassSurvey(r) : SimplifySet(r, level, blanks);
    }
    return SimplifySet(r, level, blanks);
}

// The questions of several blanks of each paper, in paper order.
QList<Multi> MultiRecipe(int level) {
    switch (level) {
    case 1:
        return {MUnshaded,   MHalf,     MShadedWrite, MName,        MEqualParts, MShaded, MQuarter,
                MPartsCount, MUnshaded, MThird,       MShadedWrite, MHalfOrNot,  MName};
    case 2:
        return {MCompare, MShaded, MAmounts};
    case 3:
        return {MChain, MOrderSame, MAdd};
    case 4:
        return {MSimplify, MOrderDifferent, MSurvey};
    default:
        return {MOrderDifferent, MSurvey, MSimplify};
    }
}

// The sample records: three shaded shapes (24410) and a mixed number (23554).
Question Fixed(const FixedQuestion& fixed, Rng& r) {
    if (fixed.kinds.value(0) == QLatin1String("X")) {
        const QString key = fixed.keys.at(0);
        const int whole = key.section(QLatin1Char(' '), 0, 0).toInt();
        const QString fraction = key.section(QLatin1Char(' '), 1);
        const int n = fraction.section(QLatin1Char('/'), 0, 0).toInt();
        const int d = fraction.section(QLatin1Char('/'), 1).toInt();
        return ImproperToMixed(Frac{whole * d + n, d}, fixed.marks.at(0));
    }
    QList<Frac> fractions;
    for (const QString& key : fixed.keys)
        fractions << Frac{key.section(QLatin1Char('/'), 0, 0).toInt(),
                          key.section(QLatin1Char('/'), 1).toInt()};
    Question q = ShadedSet(r, fractions, false);
    for (int i = 0; i < q.blanks.size(); ++i)
        q.blanks[i].mark = fixed.marks.at(i);
    return q;
}

// Makers that may draw a case they cannot use come back empty; draw again.
varied::Single Maker(int minLevel, int maxLevel, Question (*make)(Rng&, int), int most = 3) {
    return {minLevel, maxLevel,
            [make](int level, Rng& r) {
                for (;;) {
                    Question q = make(r, level);
                    if (!q.blanks.isEmpty())
                        return q;
                }
            },
            most};
}

} // namespace

QList<Question> GenerateTopic9(const PaperSpec& paperSpec, Rng& rng) {
    const QList<varied::Single> singles = {
        Maker(1, 2, ShadedSingle),     Maker(1, 3, UnitOfAmount),
        Maker(1, 2, ChooseShape),      Maker(1, 2, HowManyInWhole),
        Maker(1, 3, PizzaWord),        Maker(1, 2, UnshadedSingle),
        Maker(1, 2, NameFraction),     Maker(2, 3, CompareUnit),
        Maker(2, 5, MoreOrLess),       Maker(2, 5, WordOfAmount, 4),
        Maker(2, 3, FractionEaten),    Maker(3, 5, EquivalentMissing),
        Maker(3, 5, NonUnitOfAmount),  Maker(3, 3, AddSame),
        Maker(3, 4, SubtractSame),     Maker(3, 4, CompareSameDenominator),
        Maker(3, 4, FractionOnLine),   Maker(3, 5, ChooseEquivalent),
        Maker(3, 4, FractionLeft),     Maker(4, 5, Simplify),
        Maker(4, 4, ShadedSimplest),   Maker(4, 5, AddSimplify),
        Maker(4, 5, CompareDifferent), Maker(4, 5, ToDecimal),
        Maker(4, 5, ImproperToMixed),  Maker(5, 5, SubtractSimplify),
        Maker(5, 5, MixedToImproper),  Maker(5, 5, WholeFromPart),
        Maker(5, 5, TwoStepFraction),
    };
    const QList<Multi> multis = MultiRecipe(paperSpec.paperInTopic);
    return varied::Build(
        paperSpec, rng, singles,
        [&](int level, int blanks, int index, Rng& r) {
            return MakeMulti(multis.value(index, MSimplify), r, level, blanks);
        },
        [](const FixedQuestion& fixed, int, Rng& r) { return Fixed(fixed, r); });
}

} // namespace bank
