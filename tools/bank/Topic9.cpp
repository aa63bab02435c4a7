// Topic 9: fractions. Paper 1 reads shaded shapes and finds halves and
// quarters, paper 2 non-unit fractions and fractions of amounts, paper 3
// equivalent fractions and adding with the same denominator, paper 4 the
// simplest form and mixed numbers, paper 5 ordering, decimals and two-step
// problems. A fraction answer is always asked for in lowest terms: either the
// picture already shows it so, or the question says "in its simplest form".
#include "NumberTopicKit.h"

#include <QSet>
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
QByteArray ShapeSvg(Rng& r, int parts, int shaded) {
    QList<int> styles = {0, 1};
    if (GridOf(parts).first > 0)
        styles << 2;
    switch (r.pick(styles)) {
    case 0: {
        const double w = parts <= 5 ? 250 : 300;
        return svg::Document(int(w + 20), 70, svg::FractionBar(parts, shaded, 10, 10, w, 50));
    }
    case 1:
        return svg::Document(150, 150, svg::FractionCircle(parts, shaded, 75, 75, 65));
    default: {
        const auto [cols, rows] = GridOf(parts);
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
    // A bar whose parts have clearly different widths.
    QList<int> widths;
    for (int i = 0; i < parts; ++i)
        widths << (i % 2 == 0 ? 3 : 1) + r.range(0, 1) * 2;
    widths[r.range(0, parts - 1)] += 2;
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

// --- single-blank questions ------------------------------------------------

// A shape with the fraction `shown` shaded, the question under it, the answer
// a fraction.
Question ShapeQuestion(Rng& r, Frac shown, const QString& question, Frac answer) {
    Question q =
        One(html::Img(QStringLiteral("shape.svg"), QStringLiteral("A shape cut into equal parts")) +
                P(question),
            Key(answer), QStringLiteral("F"));
    q.pictures << SvgPicture(QStringLiteral("shape.svg"), ShapeSvg(r, shown.d, shown.n));
    return q;
}

Question ShadedSingle(Rng& r, int level) {
    const Frac f = r.pick(PicturePool(level));
    return ShapeQuestion(r, f, QStringLiteral("What fraction of the shape is shaded?"), f);
}

Question UnshadedSingle(Rng& r, int level) {
    const Frac f = r.pick(PicturePool(level));
    return ShapeQuestion(r, f, QStringLiteral("What fraction of the shape is <b>not</b> shaded?"),
                         {f.d - f.n, f.d});
}

// A fraction shaded that is not in lowest terms: the answer is simplified.
Question ShadedSimplest(Rng& r, int) {
    static const QList<Frac> shown = {{2, 4}, {6, 8}, {4, 6},  {2, 6},  {4, 10}, {6, 10},
                                      {3, 9}, {6, 9}, {8, 12}, {9, 12}, {2, 8},  {8, 10}};
    const Frac f = r.pick(shown);
    return ShapeQuestion(r, f,
                         QStringLiteral("What fraction of the shape is shaded? Write it in its "
                                        "simplest form."),
                         Reduced(f));
}

Question UnitOfAmount(Rng& r, int level) {
    const int d = r.pick(level <= 1 ? QList<int>{2, 4} : QList<int>{2, 3, 4, 5, 10});
    const int each = r.range(2, level <= 1 ? 6 : 10);
    if (level <= 1) {
        return One(P(QStringLiteral("What is %1 of %2?")
                         .arg(d == 2 ? QStringLiteral("half") : QStringLiteral("a quarter"))
                         .arg(d * each)),
                   Num(each), QStringLiteral("N"));
    }
    return One(P(QStringLiteral("Find %1 of %2.").arg(Show({1, d})).arg(d * each)), Num(each),
               QStringLiteral("N"));
}

Question NonUnitOfAmount(Rng& r, int level) {
    Frac f = r.pick(QList<Frac>{{2, 3}, {3, 4}, {2, 5}, {3, 5}, {3, 8}, {5, 6}, {7, 10}, {4, 5}});
    const int each = r.range(2, level <= 3 ? 8 : 12);
    return One(P(QStringLiteral("Find %1 of %2.").arg(Show(f)).arg(f.d * each)), Num(f.n * each),
               QStringLiteral("N"));
}

Question HowManyInWhole(Rng& r, int) {
    const int d = r.pick(QList<int>{2, 3, 4, 5, 8, 10});
    return One(P(QStringLiteral("How many %1 make one whole?")
                     .arg(QString::fromLatin1(kDenominatorWords[d]))),
               Num(d), QStringLiteral("N"));
}

Question PizzaWord(Rng& r, int) {
    Frac f{0, 0};
    do {
        f = {r.range(1, 5), r.pick(QList<int>{3, 4, 5, 6, 8})};
    } while (f.n >= f.d || !Lowest(f));
    const QString name = r.pick(Names());
    return One(
        P(QStringLiteral("A pizza is cut into %1 equal slices. %2 eats %3. What "
                         "fraction of the pizza does %2 eat?")
              .arg(f.d)
              .arg(name)
              .arg(f.n == 1 ? QStringLiteral("1 slice") : QStringLiteral("%1 slices").arg(f.n))),
        Key(f), QStringLiteral("F"), 2);
}

Question FractionLeft(Rng& r, int) {
    Frac eaten{0, 0};
    do {
        eaten = {r.range(1, 7), r.pick(QList<int>{5, 6, 8, 10})};
    } while (eaten.n >= eaten.d || !Lowest({eaten.d - eaten.n, eaten.d}));
    return One(P(QStringLiteral("A cake is cut into %1 equal pieces. %2 pieces are eaten. What "
                                "fraction of the cake is left?")
                     .arg(eaten.d)
                     .arg(eaten.n)),
               Key({eaten.d - eaten.n, eaten.d}), QStringLiteral("F"), 2);
}

Question FractionEaten(Rng& r, int) {
    Frac f{0, 0};
    do {
        f = {r.range(2, 7), r.pick(QList<int>{5, 7, 8, 9, 10})};
    } while (f.n >= f.d || !Lowest(f));
    return One(P(QStringLiteral("A bar of chocolate has %1 equal pieces. %2 eats %3 pieces. What "
                                "fraction of the bar does %2 eat?")
                     .arg(f.d)
                     .arg(r.pick(Names()))
                     .arg(f.n)),
               Key(f), QStringLiteral("F"), 2);
}

Question CompareUnit(Rng& r, int) {
    int a = r.range(2, 10);
    int b = r.range(2, 10);
    while (b == a)
        b = r.range(2, 10);
    return One(P(QStringLiteral("Which fraction is bigger?")) +
                   Sum(Show({1, a}) + QStringLiteral(" or ") + Show({1, b})),
               Key({1, std::min(a, b)}), QStringLiteral("F"));
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
    return One(P(QStringLiteral("Which fraction is %1?")
                     .arg(bigger ? QStringLiteral("bigger") : QStringLiteral("smaller"))) +
                   Sum(Show({a, d}) + QStringLiteral(" or ") + Show({b, d})),
               Key({bigger ? std::max(a, b) : std::min(a, b), d}), QStringLiteral("F"));
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
        if (std::lcm(a.d, b.d) > 12)
            continue;
        return {a, b};
    }
}

Question CompareDifferent(Rng& r, int) {
    const auto [a, b] = ComparablePair(r);
    return One(P(QStringLiteral("Which fraction is bigger?")) +
                   Sum(Show(a) + QStringLiteral(" or ") + Show(b)),
               Key(b.less(a) ? a : b), QStringLiteral("F"));
}

Question MoreOrLess(Rng& r, int) {
    Frac f{0, 0};
    do {
        f = {r.range(1, 9), r.pick(QList<int>{3, 4, 5, 8, 10})};
    } while (f.n >= f.d || !Lowest(f) || 2 * f.n == f.d);
    return One(P(QStringLiteral("Is %1 more or less than %2? Write <b>more</b> or <b>less</b>.")
                     .arg(Show(f), Show({1, 2}))),
               2 * f.n > f.d ? QStringLiteral("more") : QStringLiteral("less"),
               QStringLiteral("T"));
}

Question NameFraction(Rng& r, int) {
    static const QList<QPair<const char*, Frac>> names = {
        {"one half", {1, 2}},    {"one third", {1, 3}},      {"two thirds", {2, 3}},
        {"one quarter", {1, 4}}, {"three quarters", {3, 4}}, {"one fifth", {1, 5}},
        {"two fifths", {2, 5}},  {"three fifths", {3, 5}},   {"one sixth", {1, 6}},
        {"one eighth", {1, 8}},  {"one tenth", {1, 10}},     {"three tenths", {3, 10}}};
    const auto& [words, f] = r.pick(names);
    return One(P(QStringLiteral("Write <b>%1</b> as a fraction, using numbers.")
                     .arg(QString::fromLatin1(words))),
               Key(f), QStringLiteral("F"));
}

Question EquivalentMissing(Rng& r, int level) {
    const Frac base =
        r.pick(level <= 3 ? QList<Frac>{{1, 2}, {1, 3}, {1, 4}, {2, 3}, {3, 4}, {1, 5}}
                          : QList<Frac>{{2, 3}, {3, 4}, {2, 5}, {3, 5}, {5, 6}, {3, 8}, {4, 5}});
    const int k = r.range(2, level <= 3 ? 4 : 6);
    if (r.chance(1, 2)) {
        return One(
            P(QStringLiteral("What is the missing number?")) +
                Sum(Show(base) + QStringLiteral(" = ") + ShowParts(html::Box(), Num(base.d * k))),
            Num(base.n * k), QStringLiteral("N"));
    }
    return One(
        P(QStringLiteral("What is the missing number?")) +
            Sum(Show(base) + QStringLiteral(" = ") + ShowParts(Num(base.n * k), html::Box())),
        Num(base.d * k), QStringLiteral("N"));
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
        return One(P(QStringLiteral("Work out:")) +
                       Sum(Show({a, d}) +
                           (subtract ? QStringLiteral(" &minus; ") : QStringLiteral(" + ")) +
                           Show({b, d}) + QStringLiteral(" = ") + html::Box()) +
                       (simplify
                            ? InlineNote(QStringLiteral("Give your answer in its simplest form."))
                            : QString()),
                   Key(Reduced(result)), QStringLiteral("F"));
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
        return One(P(QStringLiteral("Write %1 in its simplest form.").arg(Show({n * k, d * k}))),
                   Key({n, d}), QStringLiteral("F"));
    }
}

Question FractionOnLine(Rng& r, int) {
    Frac f{0, 0};
    do {
        f = {r.range(1, 9), r.pick(QList<int>{4, 5, 8, 10})};
    } while (f.n >= f.d || !Lowest(f));
    Question q = One(html::Img(QStringLiteral("line.svg"),
                               QStringLiteral("A number line from 0 to 1 with an arrow")) +
                         P(QStringLiteral("The number line from 0 to 1 is cut into %1 equal "
                                          "parts. What fraction is the arrow pointing to?")
                               .arg(f.d)),
                     Key(f), QStringLiteral("F"));
    q.pictures << SvgPicture(QStringLiteral("line.svg"), NumberLineSvg(f.d, f.n));
    return q;
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
        options << html::Img(file, QStringLiteral("Option %1").arg(i + 1));
        q.pictures << SvgPicture(file, ShapeSvg(r, shown.at(i).d, shown.at(i).n));
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
    q.html = P(QStringLiteral("Which shape has <b>%1</b> shaded?").arg(name)) + grid;
    q.blanks << Blank{Num(position), QStringLiteral("Q"), 1};
    return q;
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
    return Choice(P(QStringLiteral("Which fraction is equal to %1?").arg(Show(base))), Show(right),
                  wrong, position);
}

Question WordOfAmount(Rng& r, int level) {
    const Frac f = r.pick(level <= 2 ? QList<Frac>{{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 10}}
                                     : QList<Frac>{{3, 4}, {2, 3}, {2, 5}, {3, 5}, {3, 8}, {5, 6}});
    const int each = r.range(2, level <= 2 ? 6 : 10);
    const int whole = f.d * each;
    const QString name = r.pick(Names());
    switch (r.range(0, 2)) {
    case 0:
        return One(P(QStringLiteral("There are %1 children in a class. %2 of them walk to school. "
                                    "How many children walk to school?")
                         .arg(whole)
                         .arg(Show(f))),
                   Num(f.n * each), QStringLiteral("N"), 2);
    case 1:
        return One(P(QStringLiteral("A ribbon is %1 cm long. %2 cuts off %3 of it. How many "
                                    "centimetres long is the piece %2 cuts off?")
                         .arg(whole)
                         .arg(name)
                         .arg(Show(f))),
                   Num(f.n * each), QStringLiteral("N"), 2);
    default:
        return One(P(QStringLiteral("%1 has %2 stickers and gives %3 of them to a friend. How "
                                    "many stickers does %1 give away?")
                         .arg(name)
                         .arg(whole)
                         .arg(Show(f))),
                   Num(f.n * each), QStringLiteral("N"), 2);
    }
}

Question ImproperToMixed(Frac improper, int mark) {
    const int whole = improper.n / improper.d;
    const Frac rest{improper.n % improper.d, improper.d};
    return One(
        P(QStringLiteral("Write %1 as a mixed number.").arg(Show(improper))) +
            InlineNote(QStringLiteral("Leave a space between the whole number and the fraction, "
                                      "like this: 2 1/4")),
        QStringLiteral("%1 %2").arg(whole).arg(Key(rest)), QStringLiteral("X"), mark);
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
        return One(
            P(QStringLiteral("Write %1 as an improper fraction.").arg(html::Fraction(n, d, whole))),
            Key({whole * d + n, d}), QStringLiteral("F"));
    }
}

Question ToDecimal(Rng& r, int level) {
    if (level >= 5 && r.chance(1, 2)) {
        const auto& [f, decimal] = r.pick(QList<QPair<Frac, const char*>>{
            {{1, 2}, "0.5"}, {{1, 4}, "0.25"}, {{3, 4}, "0.75"}, {{1, 5}, "0.2"}});
        return One(P(QStringLiteral("Write %1 as a decimal.").arg(Show(f))),
                   QString::fromLatin1(decimal), QStringLiteral("N"));
    }
    const int n = r.pick(QList<int>{1, 3, 7, 9});
    return One(P(QStringLiteral("Write %1 as a decimal.").arg(Show({n, 10}))),
               QStringLiteral("0.%1").arg(n), QStringLiteral("N"));
}

Question WholeFromPart(Rng& r, int) {
    const int d = r.range(2, 6);
    const int part = r.range(3, 12);
    return One(
        P(QStringLiteral("%1 of a number is %2. What is the number?").arg(Show({1, d})).arg(part)),
        Num(d * part), QStringLiteral("N"), 2);
}

Question TwoStepFraction(Rng& r, int) {
    if (r.chance(1, 2)) {
        const int d = r.pick(QList<int>{3, 4, 5, 8});
        const int whole = d * r.range(4, 10);
        return One(P(QStringLiteral("A farmer has %1 sheep. %2 of them are black and the rest are "
                                    "white. How many white sheep are there?")
                         .arg(whole)
                         .arg(Show({1, d}))),
                   Num(whole - whole / d), QStringLiteral("N"), 3);
    }
    const int whole = 30 * r.range(1, 3);
    const QString name = r.pick(Names());
    return One(P(QStringLiteral("%1 has %2 sweets. %1 gives %3 of them to Ben and %4 of them to "
                                "Sam. How many sweets does %1 have left?")
                     .arg(name)
                     .arg(whole)
                     .arg(Show({1, 3}), Show({1, 5}))),
               Num(whole - whole / 3 - whole / 5), QStringLiteral("N"), 3);
}

// --- questions with several blanks --------------------------------------------

// Distinct fractions for a set of pictures.
QList<Frac> DistinctFractions(Rng& r, const QList<Frac>& pool, int count) {
    QList<Frac> chosen;
    QList<Frac> rest = pool;
    r.shuffle(rest);
    for (int i = 0; i < count; ++i)
        chosen << rest.at(i % rest.size());
    return chosen;
}

// The picture of part i joins the question; returns its reference.
QString ShapePart(Question& q, int i, const QByteArray& svg) {
    const QString file = QStringLiteral("shape_%1.svg").arg(QChar(u'a' + i));
    q.pictures << SvgPicture(file, svg);
    return html::Img(file, QStringLiteral("Shape %1").arg(html::PartLabel(i)));
}

Question ShadedSet(Rng& r, const QList<Frac>& fractions, bool unshaded) {
    Question q;
    QStringList parts;
    for (int i = 0; i < fractions.size(); ++i) {
        const Frac f = fractions.at(i);
        parts << ShapePart(q, i, ShapeSvg(r, f.d, f.n));
        q.blanks << Blank{Key(unshaded ? Frac{f.d - f.n, f.d} : f), QStringLiteral("F"), 1};
    }
    q.html = P(unshaded ? QStringLiteral("What fraction of each shape is <b>not</b> shaded?")
                        : QStringLiteral("What fraction of each shape is shaded?")) +
             html::Parts(parts);
    return q;
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
    for (int w : wholes) {
        lefts << QStringLiteral("%1 of %2").arg(Show({1, d})).arg(w);
        answers << w / d;
    }
    return Equations(P(QStringLiteral("Find %1 of each number.").arg(Show({1, d}))), lefts,
                     answers);
}

Question NameSet(Rng& r, int count) {
    static const QList<QPair<const char*, Frac>> names = {
        {"one half", {1, 2}},    {"one third", {1, 3}},      {"two thirds", {2, 3}},
        {"one quarter", {1, 4}}, {"three quarters", {3, 4}}, {"one fifth", {1, 5}},
        {"two fifths", {2, 5}},  {"one sixth", {1, 6}},      {"one tenth", {1, 10}}};
    QList<QPair<const char*, Frac>> pool = names;
    r.shuffle(pool);
    Question q;
    QStringList parts;
    for (int i = 0; i < count; ++i) {
        parts << QString::fromLatin1(pool.at(i).first);
        q.blanks << Blank{Key(pool.at(i).second), QStringLiteral("F"), 1};
    }
    q.html =
        P(QStringLiteral("Write each of these as a fraction, using numbers.")) + html::Parts(parts);
    return q;
}

Question EqualPartsSet(Rng& r, int count) {
    QList<bool> equal;
    for (int i = 0; i < count; ++i)
        equal << (i % 2 == 0);
    r.shuffle(equal);
    Question q;
    QStringList parts;
    for (int i = 0; i < count; ++i) {
        const int pieces = r.range(2, 4);
        parts << ShapePart(q, i, SplitSvg(r, pieces, equal.at(i)));
        q.blanks << Blank{equal.at(i) ? QStringLiteral("yes") : QStringLiteral("no"),
                          QStringLiteral("T"), 1};
    }
    q.html = P(QStringLiteral("Is each shape cut into <b>equal</b> parts? Write <b>yes</b> or "
                              "<b>no</b>.")) +
             html::Parts(parts);
    return q;
}

Question CompareSet(Rng& r, int count) {
    Question q;
    QStringList parts;
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
        q.blanks << Blank{Key({1, bigger ? std::min(a, b) : std::max(a, b)}), QStringLiteral("F"),
                          1};
    }
    q.html = P(QStringLiteral("Compare the fractions.")) + html::Parts(parts);
    return q;
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
    for (int i = 0; i < count && i < denominators.size(); ++i) {
        const int d = denominators.at(i);
        lefts << QStringLiteral("%1 of %2").arg(Show({1, d})).arg(whole);
        answers << whole / d;
    }
    return Equations(P(QStringLiteral("Find each fraction of %1.").arg(whole)), lefts, answers);
}

Question EquivalentChain(Rng& r, int count) {
    const Frac base = r.pick(QList<Frac>{{1, 2}, {1, 3}, {2, 3}, {1, 4}, {3, 4}});
    QList<int> factors = {2, 3, 4, 5};
    r.shuffle(factors);
    factors = factors.mid(0, count);
    std::sort(factors.begin(), factors.end());
    Question q;
    QString chain = Show(base);
    for (int i = 0; i < count; ++i) {
        const int k = factors.at(i);
        chain += QStringLiteral(" = ") +
                 ShowParts(QStringLiteral("<b>%1</b>").arg(html::PartLabel(i)), Num(base.d * k));
        q.blanks << Blank{Num(base.n * k), QStringLiteral("N"), 1};
    }
    q.html = P(QStringLiteral("These fractions are all equal. Write the missing numerators "
                              "(a) to %1.")
                   .arg(html::PartLabel(count - 1))) +
             Sum(chain);
    return q;
}

Question OrderSet(Rng& r, const QList<Frac>& pool, int count) {
    QList<Frac> chosen = DistinctFractions(r, pool, count);
    QList<Frac> sorted = chosen;
    std::sort(sorted.begin(), sorted.end(), [](const Frac& a, const Frac& b) { return a.less(b); });
    QStringList shown;
    for (const Frac& f : chosen)
        shown << Show(f);
    Question q;
    QStringList parts;
    for (int i = 0; i < count; ++i) {
        parts << html::Box() + (i == 0           ? QStringLiteral(" smallest")
                                : i == count - 1 ? QStringLiteral(" largest")
                                                 : QString());
        q.blanks << Blank{Key(sorted.at(i)), QStringLiteral("F"), 1};
    }
    q.html = P(QStringLiteral("Write these fractions in order, starting with the smallest.")) +
             Sum(shown.join(QStringLiteral(" &nbsp; &nbsp; "))) + html::Parts(parts);
    return q;
}

Question SameDenominatorOrder(Rng& r, int count) {
    const int d = r.pick(QList<int>{7, 9, 11});
    QList<Frac> pool;
    for (int n = 1; n < d; ++n) {
        if (Lowest({n, d}))
            pool << Frac{n, d};
    }
    return OrderSet(r, pool, count);
}

Question DifferentDenominatorOrder(Rng& r, int level, int count) {
    // Fractions of one family (eighths or twelfths) so that they can be compared.
    if (level <= 4 || r.chance(1, 2))
        return OrderSet(r, {{1, 2}, {1, 4}, {3, 4}, {1, 8}, {3, 8}, {5, 8}, {7, 8}}, count);
    return OrderSet(r, {{1, 2}, {1, 3}, {2, 3}, {1, 6}, {5, 6}, {1, 12}, {5, 12}, {7, 12}}, count);
}

Question AddSet(Rng& r, int count) {
    Question q;
    QStringList parts;
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
    }
    q.html = P(QStringLiteral("Work out:")) + html::Parts(parts);
    return q;
}

Question SimplifySet(Rng& r, int count) {
    Question q;
    QStringList parts;
    while (parts.size() < count) {
        const int d = r.range(2, 6);
        const int n = r.range(1, d - 1);
        const int k = r.range(2, 5);
        const QString text = Show({n * k, d * k});
        if (!Lowest({n, d}) || parts.contains(text))
            continue;
        parts << text;
        q.blanks << Blank{Key({n, d}), QStringLiteral("F"), 1};
    }
    q.html = P(QStringLiteral("Write each fraction in its simplest form.")) + html::Parts(parts);
    return q;
}

Question ClassSurvey(Rng& r) {
    static const QList<QPair<int, int>> splits = {{3, 4}, {2, 5}, {3, 6}, {4, 6}, {2, 4}};
    const auto [a, b] = r.pick(splits);
    const int whole = std::lcm(a, b) * r.range(1, 3) * (std::lcm(a, b) < 12 ? 2 : 1);
    const int first = whole / a;
    const int second = whole / b;
    Question q;
    q.html = P(QStringLiteral("There are %1 children in a class. %2 of them like apples best, "
                              "%3 of them like bananas best and the rest like grapes best.")
                   .arg(whole)
                   .arg(Show({1, a}), Show({1, b}))) +
             html::Parts({QStringLiteral("How many children like apples best?"),
                          QStringLiteral("How many children like bananas best?"),
                          QStringLiteral("How many children like grapes best?")});
    q.blanks << Blank{Num(first), QStringLiteral("N"), 1}
             << Blank{Num(second), QStringLiteral("N"), 1}
             << Blank{Num(whole - first - second), QStringLiteral("N"), 2};
    return q;
}

enum Multi {
    MShaded,
    MUnshaded,
    MHalf,
    MQuarter,
    MThird,
    MName,
    MEqualParts,
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
        return ShadedSet(r, DistinctFractions(r, PicturePool(level), blanks), false);
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
        return SimplifySet(r, blanks);
    case MOrderDifferent:
        return DifferentDenominatorOrder(r, level, blanks);
    case MSurvey:
        return blanks == 3 ? ClassSurvey(r) : SimplifySet(r, blanks);
    }
    return SimplifySet(r, blanks);
}

// The questions of several blanks of each paper, in paper order.
QList<Multi> MultiRecipe(int level) {
    switch (level) {
    case 1:
        return {MShaded,   MHalf, MName,   MShaded, MEqualParts, MShaded,  MQuarter,
                MUnshaded, MHalf, MShaded, MShaded, MThird,      MUnshaded};
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

// The single-blank questions of each paper, easiest first.
QList<SingleMaker> SingleRecipe(int level) {
    QList<QPair<SingleMaker, int>> counts;
    switch (level) {
    case 1:
        counts = {{ShadedSingle, 1}, {UnitOfAmount, 1},   {ChooseShape, 1},
                  {ShadedSingle, 1}, {HowManyInWhole, 1}, {PizzaWord, 1}};
        break;
    case 2:
        counts = {{ShadedSingle, 3}, {UnshadedSingle, 1}, {UnitOfAmount, 4}, {NameFraction, 1},
                  {CompareUnit, 2},  {HowManyInWhole, 1}, {ChooseShape, 1},  {MoreOrLess, 1},
                  {WordOfAmount, 2}, {FractionEaten, 1}};
        break;
    case 3:
        counts = {{EquivalentMissing, 3}, {ShadedSingle, 1},     {NonUnitOfAmount, 3},
                  {AddSame, 2},           {SubtractSame, 1},     {CompareSameDenominator, 1},
                  {FractionOnLine, 1},    {ChooseEquivalent, 1}, {MoreOrLess, 1},
                  {WordOfAmount, 2},      {FractionLeft, 1}};
        break;
    case 4:
        counts = {{Simplify, 3},         {ShadedSimplest, 1}, {EquivalentMissing, 2},
                  {NonUnitOfAmount, 2},  {AddSimplify, 2},    {SubtractSame, 1},
                  {CompareDifferent, 1}, {ToDecimal, 1},      {ChooseEquivalent, 1},
                  {WordOfAmount, 2},     {ImproperToMixed, 1}};
        break;
    default:
        counts = {{Simplify, 2},         {EquivalentMissing, 1}, {NonUnitOfAmount, 2},
                  {AddSimplify, 1},      {SubtractSimplify, 1},  {ToDecimal, 1},
                  {CompareDifferent, 1}, {ChooseEquivalent, 1},  {MixedToImproper, 1},
                  {ImproperToMixed, 1},  {WordOfAmount, 2},      {WholeFromPart, 1},
                  {TwoStepFraction, 1}};
        break;
    }
    return Expand(counts);
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

} // namespace

QList<Question> GenerateTopic9(const PaperSpec& paperSpec, Rng& rng) {
    const int level = paperSpec.paperInTopic;
    const QList<SingleMaker> singles = SingleRecipe(level);
    const QList<Multi> multis = MultiRecipe(level);
    return BuildRecipePaper(
        paperSpec, [&](int index) { return singles.value(index, ShadedSingle)(rng, level); },
        [&](int blanks, int index) {
            return MakeMulti(multis.value(index, MSimplify), rng, level, blanks);
        },
        [&](const FixedQuestion& fixed) { return Fixed(fixed, rng); }, TextAndKeys);
}

} // namespace bank
