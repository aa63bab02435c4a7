// Topic 8, Picture Graphs: a picture graph with a key, then parts asking how
// many, which is most or least, differences and totals. Every question reads
// one graph; its parts are drawn from a pool that grows harder with the paper.
// Names of children are word answers; other categories take every fair
// spelling (singular and plural, short day names).

#include "Bank.h"
#include "SvgExtra.h"
#include "TopicKit.h"

#include <algorithm>

namespace bank {

namespace {

using namespace kit;

enum class Kind { People, Votes, Days };

struct Theme {
    Kind kind;
    const char* title;
    const char* unit;     // plural noun: "books"
    const char* verb;     // "read" in "How many books did Ann read?"
    const char* verbPast; // "read" in "Who read the most books?"
    svg::Symbol symbol;
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

const QList<Theme>& Themes() {
    static const QList<Theme> themes = {
        {Kind::People, "Books read by some children", "books", "read", "read", svg::Symbol::Book,
         Singles({QStringLiteral("Amy"), QStringLiteral("Ben"), QStringLiteral("Ivan"),
                  QStringLiteral("Sara"), QStringLiteral("Kevin"), QStringLiteral("Priya")})},
        {Kind::People, "Stars collected by some children", "stars", "collect", "collected",
         svg::Symbol::Star,
         Singles({QStringLiteral("Lena"), QStringLiteral("Omar"), QStringLiteral("Grace"),
                  QStringLiteral("Hugo"), QStringLiteral("Mei"), QStringLiteral("Tariq")})},
        {Kind::People, "Fish caught by some friends", "fish", "catch", "caught", svg::Symbol::Fish,
         Singles({QStringLiteral("Noah"), QStringLiteral("Ruby"), QStringLiteral("Felix"),
                  QStringLiteral("Ada"), QStringLiteral("Jonah"), QStringLiteral("Kim")})},
        {Kind::People, "Goals scored by some players", "goals", "score", "scored",
         svg::Symbol::Ball,
         Singles({QStringLiteral("Leo"), QStringLiteral("Maya"), QStringLiteral("Dev"),
                  QStringLiteral("Rosa"), QStringLiteral("Finn"), QStringLiteral("Aisha")})},
        {Kind::Votes,
         "Favourite fruits of a class",
         "children",
         "choose",
         "chose",
         svg::Symbol::Smiley,
         {{QStringLiteral("Apple"), QStringLiteral("Apples")},
          {QStringLiteral("Banana"), QStringLiteral("Bananas")},
          {QStringLiteral("Mango"), QStringLiteral("Mangoes"), QStringLiteral("Mangos")},
          {QStringLiteral("Grape"), QStringLiteral("Grapes")},
          {QStringLiteral("Pear"), QStringLiteral("Pears")},
          {QStringLiteral("Orange"), QStringLiteral("Oranges")}}},
        {Kind::Votes, "Favourite colours of a class", "children", "choose", "chose",
         svg::Symbol::Heart,
         Singles({QStringLiteral("Red"), QStringLiteral("Blue"), QStringLiteral("Green"),
                  QStringLiteral("Yellow"), QStringLiteral("Pink"), QStringLiteral("Purple")})},
        {Kind::Days, "Apples sold at a fruit stall", "apples", "sell", "sold", svg::Symbol::Apple,
         Weekdays()},
        {Kind::Days, "Flowers picked in a garden", "flowers", "pick", "picked", svg::Symbol::Flower,
         Weekdays()},
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
        return Word(Label(g, i), mark);
    return AnyOf(g.labels.at(i), mark);
}

QString Unit(const Graph& g) {
    return QString::fromLatin1(g.theme->unit);
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
        return QStringLiteral("How many children are there in the class?");
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
    data.unitWord = g.theme->kind == Kind::Votes ? QStringLiteral("children") : Unit(g);
    if (g.perSymbol == 1) // "stands for 1 books" reads wrong
        data.unitWord = g.theme->kind == Kind::Votes       ? QStringLiteral("child")
                        : Unit(g) == QLatin1String("fish") ? Unit(g)
                                                           : Unit(g).chopped(1);
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

// Values for a level: symbols worth 1, 2, 5 or 10, halves from level 3.
Graph RandomGraph(int level, Rng& rng) {
    Graph g;
    g.theme = &Themes().at(rng.range(0, int(Themes().size()) - 1));
    QList<QStringList> labels = g.theme->labels;
    if (g.theme->kind != Kind::Days)
        rng.shuffle(labels);
    const int n = g.theme->kind == Kind::Days ? 5 : rng.range(4, level <= 1 ? 4 : 5);
    g.labels = labels.mid(0, n);
    // Each symbol stands for 1 (paper 1), 2 (papers 2 and 3, with half
    // symbols from paper 3), 4 or 5 (paper 4), or 10 with halves (paper 5).
    static const QList<int> per = {1, 2, 2, 5, 10};
    g.perSymbol = per.at(level - 1);
    if (level == 4 && rng.chance(1, 2))
        g.perSymbol = 4;
    const bool halves = level == 3 || (level >= 4 && g.perSymbol % 2 == 0);
    g.vertical = level >= 2 && rng.chance(1, 3);
    const int unit = halves ? g.perSymbol / 2 : g.perSymbol;
    const int maxSymbols = g.vertical ? 8 : 10;
    do {
        g.values.clear();
        for (int i = 0; i < n; ++i)
            g.values << unit * rng.range(1, maxSymbols * g.perSymbol / unit);
    } while (!UniqueExtremes(g.values));
    return g;
}

struct Part {
    QString text;
    Blank blank;
};

// Parts about a graph: first counts, then most and least, then comparisons.
QList<Part> PartsFor(const Graph& g, int level, int count, Rng& rng) {
    const int n = int(g.values.size());
    const int top = MaxIndex(g.values), bottom = MinIndex(g.values);
    QList<Part> counts, names, sums;
    QList<int> order;
    for (int i = 0; i < n; ++i)
        order << i;
    rng.shuffle(order);
    for (int i : order)
        counts << Part{HowMany(g, i), Number(g.values.at(i))};
    names << Part{Which(g, true), NameBlank(g, top, 1)};
    names << Part{Which(g, false), NameBlank(g, bottom, 1)};
    // Comparisons over pairs in a shuffled order, larger first.
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
        sums << Part{MoreThan(g, hi, lo), Number(g.values.at(hi) - g.values.at(lo), 2)};
        sums << Part{Together(g, a, b), Number(g.values.at(a) + g.values.at(b), 2)};
    }
    int total = 0;
    for (int v : g.values)
        total += v;
    sums << Part{Total(g), Number(total, 2)};
    // "Who had d fewer than the top one?" when exactly one does.
    for (int i : order) {
        const int d = g.values.at(top) - g.values.at(i);
        if (i != top && g.values.count(g.values.at(i)) == 1 && d > 0) {
            sums << Part{FewerThan(g, d, top), NameBlank(g, i, 2)};
            break;
        }
    }
    if (level >= 4) {
        const int extra = g.perSymbol * rng.range(2, 6) + (rng.chance(1, 2) ? g.perSymbol / 2 : 0);
        if (extra % g.perSymbol == 0) {
            sums.insert(1, Part{QStringLiteral("How many pictures would be drawn for %1 %2?")
                                    .arg(extra)
                                    .arg(Unit(g)),
                                Number(extra / g.perSymbol, 2)});
        }
    }
    // A few counts, the most, a comparison, the least, further comparisons,
    // then the counts left over.
    const int wantCounts = std::max(1, std::min(int(counts.size()), count - 2 - count / 3));
    QList<Part> parts = counts.mid(0, wantCounts);
    parts << names.at(0);
    if (!sums.isEmpty())
        parts << sums.takeFirst();
    parts << names.at(1) << sums << counts.mid(wantCounts);
    return parts.mid(0, count);
}

Question GraphQuestion(int level, int blanks, Rng& rng) {
    for (;;) {
        const Graph g = RandomGraph(level, rng);
        const QList<Part> parts = PartsFor(g, level, blanks, rng);
        if (parts.size() < blanks)
            continue; // too few questions fit this graph; draw another
        const Picture pic = SvgPicture(QStringLiteral("graph.svg"), Draw(g));
        QString intro = P(QStringLiteral("The picture graph shows %1.")
                              .arg(QString::fromLatin1(g.theme->title).toLower()));
        intro += P(html::Img(pic.name, QStringLiteral("a picture graph")));
        QList<Question> qs;
        for (const Part& p : parts)
            qs << Make(p.text, {p.blank});
        return Combine(intro, qs, {pic});
    }
}

// The sample question whose keys are 12, 10, 15, Ivan, 6, Kevin, 14, Kevin.
Question SampleGraph(const FixedQuestion& f) {
    Graph g;
    g.theme = &Themes().at(0); // books read
    g.labels = Singles({QStringLiteral("Amy"), QStringLiteral("Ben"), QStringLiteral("Ivan"),
                        QStringLiteral("Sara"), QStringLiteral("Kevin")});
    g.values = {12, 10, 15, 9, 4};
    g.perSymbol = 1;
    g.vertical = false;
    const QList<Part> parts = {
        {HowMany(g, 0), Number(12)},
        {HowMany(g, 1), Number(10)},
        {HowMany(g, 2), Number(15)},
        {Which(g, true), Word(QStringLiteral("Ivan"))},
        {MoreThan(g, 2, 3), Number(15 - 9)},
        {Which(g, false), Word(QStringLiteral("Kevin"))},
        {Together(g, 4, 1), Number(4 + 10)},
        {FewerThan(g, 15 - 4, 2), Word(QStringLiteral("Kevin"))},
    };
    const Picture pic = SvgPicture(QStringLiteral("graph.svg"), Draw(g));
    QList<Question> qs;
    for (int i = 0; i < parts.size(); ++i)
        qs << Make(parts.at(i).text,
                   {Blank{parts.at(i).blank.key, parts.at(i).blank.kind, f.marks.value(i, 1)}});
    return Combine(P(QStringLiteral("The picture graph shows the books read by five children.")) +
                       P(html::Img(pic.name, QStringLiteral("a picture graph"))),
                   qs, {pic});
}

} // namespace

QList<Question> GenerateTopic8(const PaperSpec& paperSpec, Rng& rng) {
    const auto fixed = [](const FixedQuestion& f, int, Rng&) { return SampleGraph(f); };
    return kit::BuildPaper(paperSpec, rng, {}, GraphQuestion, fixed);
}

} // namespace bank
