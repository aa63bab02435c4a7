// Topic 8, Picture Graphs: a picture graph with a key, then parts asking how
// many, which is most or least, differences and totals. Each symbol stands for
// more as the papers go on (2, then halves of 2, then 4 or 5, then 10 or 20
// with halves), and the later papers ask more steps. Names of children are
// word answers; other categories take every fair spelling.

#include "Bank.h"
#include "Quantities.h"
#include "SvgExtra.h"
#include "TopicKit.h"
#include "VariedPaper.h"

#include <algorithm>

namespace bank {

namespace {

using kit::Gap;
using kit::Make;
using kit::Number;
using kit::P;
using kit::SvgPicture;
using varied::Work;

enum class Kind { People, Votes, Days };

struct Theme {
    Kind kind;
    const char* title;
    const char* intro;    // "the books some children read last term"
    const char* quantity; // the row of the table of quantities for one category
    const char* unit;     // plural noun: "books"
    const char* single;   // "book"
    const char* verb;     // "read" in "How many books did Amy read?"
    const char* verbPast; // "read" in "Who read the most books?"
    svg::Symbol symbol;
    int maxTotal;              // a class has at most 32 children
    QList<QStringList> labels; // per category: its label, then other fair spellings
};

QList<QStringList> Singles(const QStringList& names) {
    QList<QStringList> out;
    for (const QString& n : names)
        out << QStringList{n};
    return out;
}

// Monday to Friday, each with its short spellings.
QList<QStringList> Weekdays() {
    return {{QStringLiteral("Monday"), QStringLiteral("Mon")},
            {QStringLiteral("Tuesday"), QStringLiteral("Tue"), QStringLiteral("Tues")},
            {QStringLiteral("Wednesday"), QStringLiteral("Wed")},
            {QStringLiteral("Thursday"), QStringLiteral("Thu"), QStringLiteral("Thur"),
             QStringLiteral("Thurs")},
            {QStringLiteral("Friday"), QStringLiteral("Fri")}};
}

QList<QStringList> Fruits() {
    return {{QStringLiteral("Apple"), QStringLiteral("Apples")},
            {QStringLiteral("Banana"), QStringLiteral("Bananas")},
            {QStringLiteral("Mango"), QStringLiteral("Mangoes"), QStringLiteral("Mangos")},
            {QStringLiteral("Grape"), QStringLiteral("Grapes")},
            {QStringLiteral("Pear"), QStringLiteral("Pears")},
            {QStringLiteral("Orange"), QStringLiteral("Oranges")}};
}

QList<QStringList> Colours() {
    return Singles({QStringLiteral("Red"), QStringLiteral("Blue"), QStringLiteral("Green"),
                    QStringLiteral("Yellow"), QStringLiteral("Pink"), QStringLiteral("Purple")});
}

const QList<Theme>& Themes() {
    static const QList<Theme> themes = {
        {Kind::People, "Books read last term", "the books some children read last term",
         "books read in a term", "books", "book", "read", "read", svg::Symbol::Book, 0,
         Singles({QStringLiteral("Amy"), QStringLiteral("Ben"), QStringLiteral("Ivan"),
                  QStringLiteral("Sara"), QStringLiteral("Kevin"), QStringLiteral("Priya")})},
        {Kind::People, "Stars won this week", "the stars some children won for good work this week",
         "stars won in a week", "stars", "star", "win", "won", svg::Symbol::Star, 0,
         Singles({QStringLiteral("Lena"), QStringLiteral("Omar"), QStringLiteral("Grace"),
                  QStringLiteral("Hugo"), QStringLiteral("Mei"), QStringLiteral("Tariq")})},
        {Kind::People, "Fish caught on a fishing trip", "the fish some friends caught on a trip",
         "fish caught on a trip", "fish", "fish", "catch", "caught", svg::Symbol::Fish, 0,
         Singles({QStringLiteral("Noah"), QStringLiteral("Ruby"), QStringLiteral("Felix"),
                  QStringLiteral("Ada"), QStringLiteral("Jonah"), QStringLiteral("Kim")})},
        {Kind::People, "Goals scored this season", "the goals some players scored this season",
         "goals scored in a season", "goals", "goal", "score", "scored", svg::Symbol::Ball, 0,
         Singles({QStringLiteral("Leo"), QStringLiteral("Maya"), QStringLiteral("Dev"),
                  QStringLiteral("Rosa"), QStringLiteral("Finn"), QStringLiteral("Aisha")})},
        {Kind::Votes, "Favourite fruits of Class 3",
         "the favourite fruits of the children in Class 3", "votes in a class", "children", "child",
         "choose", "chose", svg::Symbol::Smiley, 32, Fruits()},
        {Kind::Votes, "Favourite colours of Year 4",
         "the favourite colours of the children in Year 4", "votes in a year group", "children",
         "child", "choose", "chose", svg::Symbol::Heart, 90, Colours()},
        {Kind::Votes, "Favourite fruits of the whole school",
         "the favourite fruits of all the children in a school", "votes in a school", "children",
         "child", "choose", "chose", svg::Symbol::Smiley, 420, Fruits()},
        {Kind::Days, "Apples sold at a market stall", "the apples sold at a market stall each day",
         "apples sold in a day", "apples", "apple", "sell", "sold", svg::Symbol::Apple, 0,
         Weekdays()},
        {Kind::Days, "Books borrowed from the library",
         "the books borrowed from a library each day", "library books borrowed in a day", "books",
         "book", "borrow", "borrowed", svg::Symbol::Book, 0, Weekdays()},
        {Kind::Days, "Children at the after-school club",
         "how many children came to an after-school club each day", "children at a club",
         "children", "child", "come", "at the club", svg::Symbol::Smiley, 0, Weekdays()},
        {Kind::Days, "Flowers picked in the school garden",
         "the flowers picked in the school garden each day", "flowers picked in a day", "flowers",
         "flower", "pick", "picked", svg::Symbol::Flower, 0, Weekdays()},
    };
    return themes;
}

// One graph: the theme, its categories (in order) and their values.
struct Graph {
    const Theme* theme;
    QList<QStringList> labels;
    QList<int> values;
    int perSymbol;
    bool vertical;
};

QString Label(const Graph& g, int i) {
    return g.labels.at(i).first();
}

Blank NameBlank(const Graph& g, int i, int mark) {
    if (g.labels.at(i).size() == 1)
        return kit::Word(Label(g, i), mark);
    return kit::AnyOf(g.labels.at(i), mark);
}

QString Unit(const Graph& g) {
    return QString::fromLatin1(g.theme->unit);
}

QString UnitOf(const Graph& g, int n) {
    return n == 1 ? QString::fromLatin1(g.theme->single) : Unit(g);
}

QString SymbolName(svg::Symbol s) {
    switch (s) {
    case svg::Symbol::Star:
        return QStringLiteral("star");
    case svg::Symbol::Smiley:
        return QStringLiteral("smiley face");
    case svg::Symbol::Heart:
        return QStringLiteral("heart");
    case svg::Symbol::Apple:
        return QStringLiteral("apple");
    case svg::Symbol::Book:
        return QStringLiteral("book");
    case svg::Symbol::Flower:
        return QStringLiteral("flower");
    case svg::Symbol::Fish:
        return QStringLiteral("fish");
    case svg::Symbol::Ball:
        return QStringLiteral("ball");
    }
    return {};
}

// "4 and a half symbols"
QString SymbolCount(const Graph& g, int value) {
    const int halves = 2 * value / g.perSymbol;
    const int whole = halves / 2;
    const bool half = halves % 2 == 1;
    if (whole == 0)
        return QStringLiteral("half a symbol");
    return QStringLiteral("%1%2 symbol%3")
        .arg(whole)
        .arg(half ? QStringLiteral(" and a half") : QString())
        .arg(whole == 1 && !half ? QString() : QStringLiteral("s"));
}

QString KeyText(const Graph& g) {
    return QStringLiteral("Each %1 picture stands for %2 %3.")
        .arg(SymbolName(g.theme->symbol))
        .arg(g.perSymbol)
        .arg(UnitOf(g, g.perSymbol));
}

QString Alt(const Graph& g) {
    QStringList rows;
    for (int i = 0; i < g.values.size(); ++i)
        rows << QStringLiteral("%1: %2").arg(Label(g, i), SymbolCount(g, g.values.at(i)));
    return QStringLiteral("A picture graph titled \"%1\". %2 %3: %4.")
        .arg(QString::fromLatin1(g.theme->title), KeyText(g),
             g.vertical ? QStringLiteral("Columns") : QStringLiteral("Rows"),
             rows.join(QStringLiteral("; ")));
}

// How one category is read off the graph.
QString ReadStep(const Graph& g, int i) {
    const int v = g.values.at(i);
    const int halves = 2 * v / g.perSymbol;
    const int whole = halves / 2;
    if (halves % 2 == 0) {
        if (g.perSymbol == 1)
            return QStringLiteral("%1 has %2, so %3 %4.")
                .arg(Label(g, i), SymbolCount(g, v))
                .arg(v)
                .arg(UnitOf(g, v));
        return QStringLiteral("%1 has %2: %3 × %4 = %5 %6.")
            .arg(Label(g, i), SymbolCount(g, v))
            .arg(whole)
            .arg(g.perSymbol)
            .arg(v)
            .arg(UnitOf(g, v));
    }
    return QStringLiteral("%1 has %2: %3 × %4 = %5, and half a symbol is %6, so %7 %8.")
        .arg(Label(g, i), SymbolCount(g, v))
        .arg(whole)
        .arg(g.perSymbol)
        .arg(whole * g.perSymbol)
        .arg(g.perSymbol / 2)
        .arg(v)
        .arg(UnitOf(g, v));
}

// The sentences of each kind of graph.
QString HowMany(const Graph& g, int i) {
    switch (g.theme->kind) {
    case Kind::People:
        return QStringLiteral("How many %1 did %2 %3?")
            .arg(Unit(g), Label(g, i), QString::fromLatin1(g.theme->verb));
    case Kind::Votes:
        return QStringLiteral("How many children chose %1?").arg(Label(g, i));
    case Kind::Days:
        return QStringLiteral("How many %1 were %2 on %3?")
            .arg(Unit(g), QString::fromLatin1(g.theme->verbPast), Label(g, i));
    }
    return {};
}

QString Which(const Graph& g, bool most) {
    const QString amount = most ? QStringLiteral("most") : QStringLiteral("fewest");
    switch (g.theme->kind) {
    case Kind::People:
        return QStringLiteral("Who %1 the %2 %3?")
            .arg(QString::fromLatin1(g.theme->verbPast), amount, Unit(g));
    case Kind::Votes:
        return QStringLiteral("Which was chosen by the %1 children?").arg(amount);
    case Kind::Days:
        return QStringLiteral("On which day were the %1 %2 %3?")
            .arg(amount, Unit(g), QString::fromLatin1(g.theme->verbPast));
    }
    return {};
}

QString MoreThan(const Graph& g, int i, int j) {
    switch (g.theme->kind) {
    case Kind::People:
        return QStringLiteral("How many more %1 did %2 %3 than %4?")
            .arg(Unit(g), Label(g, i), QString::fromLatin1(g.theme->verb), Label(g, j));
    case Kind::Votes:
        return QStringLiteral("How many more children chose %1 than %2?")
            .arg(Label(g, i), Label(g, j));
    case Kind::Days:
        return QStringLiteral("How many more %1 were %2 on %3 than on %4?")
            .arg(Unit(g), QString::fromLatin1(g.theme->verbPast), Label(g, i), Label(g, j));
    }
    return {};
}

QString Together(const Graph& g, int i, int j) {
    switch (g.theme->kind) {
    case Kind::People:
        return QStringLiteral("How many %1 did %2 and %3 %4 altogether?")
            .arg(Unit(g), Label(g, i), Label(g, j), QString::fromLatin1(g.theme->verb));
    case Kind::Votes:
        return QStringLiteral("How many children chose %1 or %2?").arg(Label(g, i), Label(g, j));
    case Kind::Days:
        return QStringLiteral("How many %1 were %2 on %3 and %4 altogether?")
            .arg(Unit(g), QString::fromLatin1(g.theme->verbPast), Label(g, i), Label(g, j));
    }
    return {};
}

QString Total(const Graph& g) {
    switch (g.theme->kind) {
    case Kind::People:
        return QStringLiteral("How many %1 did they %2 altogether?")
            .arg(Unit(g), QString::fromLatin1(g.theme->verb));
    case Kind::Votes:
        return QStringLiteral("How many children chose a favourite altogether?");
    case Kind::Days:
        return QStringLiteral("How many %1 were %2 in the five days?")
            .arg(Unit(g), QString::fromLatin1(g.theme->verbPast));
    }
    return {};
}

QString FewerThan(const Graph& g, int diff, int j) {
    switch (g.theme->kind) {
    case Kind::People:
        return QStringLiteral("Who %1 %2 fewer %3 than %4?")
            .arg(QString::fromLatin1(g.theme->verbPast), QString::number(diff), Unit(g),
                 Label(g, j));
    case Kind::Votes:
        return QStringLiteral("Which was chosen by %1 fewer children than %2?")
            .arg(diff)
            .arg(Label(g, j));
    case Kind::Days:
        return QStringLiteral("On which day were %1 fewer %2 %3 than on %4?")
            .arg(QString::number(diff), Unit(g), QString::fromLatin1(g.theme->verbPast),
                 Label(g, j));
    }
    return {};
}

QByteArray Draw(const Graph& g) {
    svg::PictureGraphData data;
    data.title = QString::fromLatin1(g.theme->title);
    for (const QStringList& l : g.labels)
        data.labels << l.first();
    data.values = g.values;
    data.perSymbol = g.perSymbol;
    data.symbol = g.theme->symbol;
    data.unitWord = UnitOf(g, g.perSymbol);
    data.vertical = g.vertical;
    return svg::PictureGraph(data);
}

int MaxIndex(const QList<int>& v) {
    return int(std::max_element(v.begin(), v.end()) - v.begin());
}

int MinIndex(const QList<int>& v) {
    return int(std::min_element(v.begin(), v.end()) - v.begin());
}

bool UniqueExtremes(const QList<int>& v) {
    return v.count(v.at(MaxIndex(v))) == 1 && v.count(v.at(MinIndex(v))) == 1;
}

int SumOf(const QList<int>& v) {
    int t = 0;
    for (int x : v)
        t += x;
    return t;
}

// Units per symbol, and whether half symbols are drawn, for a paper level.
QPair<int, bool> KeyFor(int level, Rng& rng) {
    switch (level) {
    case 1:
        return {2, false};
    case 2:
        return {2, true};
    case 3:
        return rng.chance(1, 2) ? QPair<int, bool>{5, false} : QPair<int, bool>{4, true};
    case 4:
        return rng.chance(1, 2) ? QPair<int, bool>{10, false} : QPair<int, bool>{6, true};
    default:
        return rng.chance(1, 2) ? QPair<int, bool>{10, true} : QPair<int, bool>{20, true};
    }
}

// A graph for the level whose every value fits its theme's range.
Graph RandomGraph(int level, Rng& rng) {
    for (;;) {
        Graph g;
        g.theme = &Themes().at(rng.range(0, int(Themes().size()) - 1));
        const auto [per, halves] = KeyFor(level, rng);
        g.perSymbol = per;
        g.vertical = level >= 2 && rng.chance(1, 3);
        const qty::Range& range =
            qty::Of(QString::fromLatin1(g.theme->quantity), qty::Measure::Count);
        const int unit = halves ? per / 2 : per;
        const int maxSymbols = g.vertical ? 8 : 10;
        const int lo = std::max(1, (range.lo + unit - 1) / unit);
        const int hi = std::min(range.hi / unit, maxSymbols * per / unit);
        if (hi - lo < 5 || hi * unit < 4 * per)
            continue; // the key does not suit this theme
        QList<QStringList> labels = g.theme->labels;
        if (g.theme->kind != Kind::Days)
            rng.shuffle(labels);
        const int n = g.theme->kind == Kind::Days ? 5 : rng.range(4, level <= 1 ? 4 : 5);
        g.labels = labels.mid(0, n);
        for (int tries = 0; tries < 50; ++tries) {
            g.values.clear();
            for (int i = 0; i < n; ++i)
                g.values << unit * rng.range(lo, hi);
            if (UniqueExtremes(g.values) &&
                (g.theme->maxTotal == 0 || SumOf(g.values) <= g.theme->maxTotal))
                break;
        }
        if (!UniqueExtremes(g.values) ||
            (g.theme->maxTotal > 0 && SumOf(g.values) > g.theme->maxTotal))
            continue;
        for (int v : g.values)
            qty::Use(QString::fromLatin1(g.theme->quantity), qty::Measure::Count, v);
        return g;
    }
}

struct Part {
    QString text;
    QString unit; // beside the answer box; empty for a name
    Blank blank;
    QStringList steps;
};

Part CountPart(const Graph& g, int i) {
    // A row ending in half a symbol takes one more step to read.
    const bool half = (2 * g.values.at(i) / g.perSymbol) % 2 == 1;
    return {HowMany(g, i), Unit(g), Number(g.values.at(i), half ? 2 : 1), {ReadStep(g, i)}};
}

Part WhichPart(const Graph& g, bool most) {
    const int i = most ? MaxIndex(g.values) : MinIndex(g.values);
    Part p{Which(g, most), {}, NameBlank(g, i, 1), {}};
    const QString line =
        g.vertical
            ? (most ? QStringLiteral("The tallest column") : QStringLiteral("The shortest column"))
            : (most ? QStringLiteral("The longest row") : QStringLiteral("The shortest row"));
    p.steps = {QStringLiteral("%1 has the %2 symbols: %3, so the answer is %4.")
                   .arg(line)
                   .arg(most ? QStringLiteral("most") : QStringLiteral("fewest"))
                   .arg(SymbolCount(g, g.values.at(i)))
                   .arg(Label(g, i))};
    return p;
}

Part MorePart(const Graph& g, int hi, int lo) {
    const int d = g.values.at(hi) - g.values.at(lo);
    return {MoreThan(g, hi, lo),
            Unit(g),
            Number(d, 2),
            {ReadStep(g, hi), ReadStep(g, lo),
             QStringLiteral("%1 - %2 = %3.").arg(g.values.at(hi)).arg(g.values.at(lo)).arg(d)}};
}

Part TogetherPart(const Graph& g, int a, int b) {
    const int s = g.values.at(a) + g.values.at(b);
    return {Together(g, a, b),
            Unit(g),
            Number(s, 2),
            {ReadStep(g, a), ReadStep(g, b),
             QStringLiteral("%1 + %2 = %3.").arg(g.values.at(a)).arg(g.values.at(b)).arg(s)}};
}

Part TotalPart(const Graph& g) {
    QStringList values;
    for (int v : g.values)
        values << QString::number(v);
    return {
        Total(g),
        Unit(g),
        Number(SumOf(g.values), 2),
        {QStringLiteral("Read every %1 with the key: %2.")
             .arg(g.vertical ? QStringLiteral("column") : QStringLiteral("row"))
             .arg(values.join(QStringLiteral(", "))),
         QStringLiteral("%1 = %2.").arg(values.join(QStringLiteral(" + "))).arg(SumOf(g.values))}};
}

Part FewerPart(const Graph& g, int i, int top) {
    const int d = g.values.at(top) - g.values.at(i);
    return {FewerThan(g, d, top),
            {},
            NameBlank(g, i, 2),
            {ReadStep(g, top),
             QStringLiteral("%1 - %2 = %3, and %3 is %4's number, so the answer is %4.")
                 .arg(g.values.at(top))
                 .arg(d)
                 .arg(g.values.at(i))
                 .arg(Label(g, i))}};
}

Part SymbolsPart(const Graph& g, int amount) {
    const QString text =
        QStringLiteral("How many whole symbols would be drawn for %1 %2?").arg(amount).arg(Unit(g));
    return {text,
            QStringLiteral("symbols"),
            Number(amount / g.perSymbol, 2),
            {KeyText(g), QStringLiteral("%1 ÷ %2 = %3, so %3 symbols.")
                             .arg(amount)
                             .arg(g.perSymbol)
                             .arg(amount / g.perSymbol)}};
}

// Parts about a graph: first counts, then most and least, then comparisons;
// the later papers lead with the harder steps.
QList<Part> PartsFor(const Graph& g, int level, int count, Rng& rng) {
    const int n = int(g.values.size());
    const int top = MaxIndex(g.values);
    QList<Part> counts, sums;
    QList<int> order;
    for (int i = 0; i < n; ++i)
        order << i;
    rng.shuffle(order);
    for (int i : order)
        counts << CountPart(g, i);
    QList<QPair<int, int>> pairs;
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j)
            pairs << qMakePair(i, j);
    }
    rng.shuffle(pairs);
    for (const auto& [a, b] : pairs.mid(0, 3)) {
        const int hi = g.values.at(a) > g.values.at(b) ? a : b;
        const int lo = hi == a ? b : a;
        if (g.values.at(hi) == g.values.at(lo))
            continue;
        sums << MorePart(g, hi, lo) << TogetherPart(g, a, b);
    }
    sums << TotalPart(g);
    for (int i : order) {
        const int d = g.values.at(top) - g.values.at(i);
        if (i != top && g.values.count(g.values.at(i)) == 1 && d > 0) {
            sums << FewerPart(g, i, top);
            break;
        }
    }
    if (level >= 4) {
        const int amount = g.perSymbol * rng.range(3, 12);
        sums.insert(1, SymbolsPart(g, amount));
    }
    // Harder papers ask fewer plain counts and more steps.
    const int plain = level <= 2 ? count - 2 - count / 3 : level == 3 ? count / 3 : 1;
    const int wantCounts = std::max(1, std::min(int(counts.size()), plain));
    QList<Part> parts = counts.mid(0, wantCounts);
    parts << WhichPart(g, true);
    if (!sums.isEmpty())
        parts << sums.takeFirst();
    parts << WhichPart(g, false) << sums << counts.mid(wantCounts);
    return parts.mid(0, count);
}

Question PartQuestion(const Part& p) {
    Question q = Make(p.text + QLatin1Char(' ') + Gap() +
                          (p.unit.isEmpty() ? QString() : QLatin1Char(' ') + p.unit),
                      {p.blank});
    return Work(q, p.steps, {p.unit});
}

Question Assemble(const Graph& g, const QList<Part>& parts, const QString& lead) {
    const Picture pic = SvgPicture(QStringLiteral("graph.svg"), Draw(g));
    const QString intro = P(lead) + P(html::Img(pic.name, Alt(g)));
    QList<Question> qs;
    for (const Part& p : parts)
        qs << PartQuestion(p);
    return varied::Combine(intro, qs, {pic},
                           {QStringLiteral("Look at the key first. %1").arg(KeyText(g))});
}

Question GraphQuestion(int level, int blanks, int, Rng& rng) {
    for (;;) {
        const Graph g = RandomGraph(level, rng);
        QList<Part> parts = PartsFor(g, level, blanks, rng);
        if (parts.size() < blanks)
            continue; // too few questions fit this graph; draw another
        // Later papers give more marks for the same kind of step.
        for (Part& p : parts) {
            int& mark = p.blank.mark;
            if (level >= 3 && p.blank.kind != QLatin1String("N"))
                mark = std::max(mark, 2);
            if (level >= 4)
                mark = std::min(3, mark + 1);
        }
        static const char* const leads[] = {"The picture graph shows %1.",
                                            "Look at the picture graph. It shows %1.",
                                            "This picture graph shows %1. Read its key carefully."};
        return Assemble(
            g, parts,
            QString::fromLatin1(leads[rng.range(0, 2)]).arg(QString::fromLatin1(g.theme->intro)));
    }
}

// The sample question whose keys are 12, 10, 15, Ivan, 6, Kevin, 14, Kevin.
Question SampleGraph(const FixedQuestion& f) {
    Graph g;
    g.theme = &Themes().at(0); // books read
    g.labels = Singles({QStringLiteral("Amy"), QStringLiteral("Ben"), QStringLiteral("Ivan"),
                        QStringLiteral("Sara"), QStringLiteral("Kevin")});
    g.values = {12, 10, 15, 9, 4};
    for (int v : g.values)
        qty::Use(QString::fromLatin1(g.theme->quantity), qty::Measure::Count, v);
    g.perSymbol = 1;
    g.vertical = false;
    QList<Part> parts = {CountPart(g, 0),       CountPart(g, 1),   CountPart(g, 2),
                         WhichPart(g, true),    MorePart(g, 2, 3), WhichPart(g, false),
                         TogetherPart(g, 4, 1), FewerPart(g, 4, 2)};
    for (int i = 0; i < parts.size(); ++i)
        parts[i].blank.mark = f.marks.value(i, 1);
    Question q = Assemble(
        g, parts,
        QStringLiteral("The picture graph shows the books read by five children last term."));
    for (int i = 0; i < q.blanks.size(); ++i)
        q.blanks[i].kind = f.kinds.value(i);
    return q;
}

} // namespace

QList<Question> GenerateTopic8(const PaperSpec& paperSpec, Rng& rng) {
    return varied::Build(paperSpec, rng, {}, GraphQuestion,
                         [](const FixedQuestion& f, int, Rng&) { return SampleGraph(f); });
}

} // namespace bank
