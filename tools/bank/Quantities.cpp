#include "Quantities.h"

#include "TopicKit.h"

namespace bank::qty {

namespace {
QList<Use_>& Uses() {
    static QList<Use_> uses;
    return uses;
}
} // namespace

const QList<Range>& Table() {
    // One row per object and measure. Keep each topic's rows together.
    static const QList<Range> table = {
        // Weight
        {"melon", Measure::Grams, 1000, 3000},
        // Topic 4, Money: prices in pence
        {"pencil", Measure::Pence, 20, 100},
        {"rubber", Measure::Pence, 20, 80},
        {"sticker", Measure::Pence, 10, 60},
        {"apple", Measure::Pence, 20, 60},
        {"banana", Measure::Pence, 15, 40},
        {"lollipop", Measure::Pence, 20, 60},
        {"balloon", Measure::Pence, 20, 80},
        {"ruler", Measure::Pence, 50, 150},
        {"carton of juice", Measure::Pence, 50, 120},
        {"notebook", Measure::Pence, 80, 300},
        {"sandwich", Measure::Pence, 150, 400},
        {"comic", Measure::Pence, 150, 450},
        {"toy car", Measure::Pence, 200, 800},
        {"pencil case", Measure::Pence, 150, 600},
        {"bottle of water", Measure::Pence, 50, 150},
        {"cap", Measure::Pence, 500, 1500},
        {"book", Measure::Pence, 400, 1500},
        {"school bag", Measure::Pence, 800, 3000},
        {"T-shirt", Measure::Pence, 500, 2000},
        {"football", Measure::Pence, 500, 2500},
        {"kite", Measure::Pence, 500, 1500},
        {"board game", Measure::Pence, 800, 2500},
        {"pocket money", Measure::Pence, 50, 500},
        // Topic 5, Weight: in grams
        {"bag of flour", Measure::Grams, 500, 1500},
        {"bag of sugar", Measure::Grams, 500, 1000},
        {"bag of rice", Measure::Grams, 500, 2000},
        {"bag of potatoes", Measure::Grams, 1000, 5000},
        {"bag of apples", Measure::Grams, 500, 2000},
        {"bag of carrots", Measure::Grams, 500, 1500},
        {"parcel", Measure::Grams, 200, 5000},
        {"box of books", Measure::Grams, 2000, 10000},
        {"pumpkin", Measure::Grams, 1000, 6000},
        {"pineapple", Measure::Grams, 800, 2000},
        {"cabbage", Measure::Grams, 500, 1500},
        {"chicken", Measure::Grams, 1000, 2500},
        {"school bag", Measure::Grams, 1000, 5000},
        {"watermelon", Measure::Grams, 3000, 8000},
        {"suitcase", Measure::Grams, 5000, 23000},
        {"bag of sand", Measure::Grams, 5000, 25000},
        {"cat", Measure::Grams, 2500, 6000},
        {"dog", Measure::Grams, 5000, 30000},
        {"apple", Measure::Grams, 100, 250},
        {"orange", Measure::Grams, 150, 300},
        {"pear", Measure::Grams, 120, 250},
        {"banana", Measure::Grams, 100, 200},
        {"lemon", Measure::Grams, 80, 150},
        {"potato", Measure::Grams, 100, 350},
        {"onion", Measure::Grams, 100, 250},
        {"tomato", Measure::Grams, 60, 150},
        {"egg", Measure::Grams, 50, 70},
        {"pencil", Measure::Grams, 5, 10},
        {"tin of beans", Measure::Grams, 400, 450},
        {"packet of butter", Measure::Grams, 250, 500},
        {"loaf of bread", Measure::Grams, 400, 800},
        {"jar of jam", Measure::Grams, 300, 500},
        {"bag of pasta", Measure::Grams, 500, 1000},
        {"box of cereal", Measure::Grams, 300, 750},
        {"bag of nuts", Measure::Grams, 100, 500},
        {"letter", Measure::Grams, 10, 50},
        // Topic 6, Length
        {"pencil", Measure::Centimetres, 6, 19},
        {"crayon", Measure::Centimetres, 5, 10},
        {"rubber", Measure::Centimetres, 3, 7},
        {"paper clip", Measure::Centimetres, 3, 5},
        {"piece of ribbon", Measure::Centimetres, 3, 200},
        {"lolly stick", Measure::Centimetres, 10, 15},
        {"twig", Measure::Centimetres, 5, 40},
        {"straw", Measure::Centimetres, 15, 25},
        {"scarf", Measure::Centimetres, 80, 180},
        {"skipping rope", Measure::Centimetres, 150, 300},
        {"piece of string", Measure::Centimetres, 20, 300},
        {"long jump", Measure::Centimetres, 100, 300},
        {"child", Measure::Centimetres, 110, 145},
        {"plank of wood", Measure::Centimetres, 50, 300},
        {"piece of cloth", Measure::Centimetres, 100, 500},
        {"rope", Measure::Centimetres, 100, 2000},
        {"fence", Measure::Centimetres, 200, 3000},
        {"hose", Measure::Centimetres, 500, 3000},
        {"table", Measure::Centimetres, 60, 200},
        {"sunflower", Measure::Centimetres, 50, 300},
        {"pencil", Measure::Millimetres, 60, 140},
        {"crayon", Measure::Millimetres, 50, 100},
        {"rubber", Measure::Millimetres, 30, 70},
        {"paper clip", Measure::Millimetres, 30, 50},
        {"lolly stick", Measure::Millimetres, 100, 140},
        {"twig", Measure::Millimetres, 50, 140},
        {"path", Measure::Metres, 10, 500},
        {"garden", Measure::Metres, 4, 40},
        {"swimming pool", Measure::Metres, 10, 50},
        {"walk to school", Measure::Metres, 200, 2000},
        {"hill", Measure::Metres, 30, 400},
        {"tree", Measure::Metres, 2, 25},
        {"playground", Measure::Metres, 12, 80},
        // Topic 7, Time: in minutes
        {"swimming lesson", Measure::Minutes, 30, 60},
        {"film", Measure::Minutes, 80, 150},
        {"football match", Measure::Minutes, 40, 90},
        {"school concert", Measure::Minutes, 45, 90},
        {"train journey", Measure::Minutes, 15, 180},
        {"art class", Measure::Minutes, 45, 90},
        {"piano lesson", Measure::Minutes, 20, 60},
        {"bus journey", Measure::Minutes, 10, 90},
        {"walk to school", Measure::Minutes, 5, 30},
        {"reading time", Measure::Minutes, 10, 60},
        {"lunch break", Measure::Minutes, 30, 60},
        {"cake in the oven", Measure::Minutes, 20, 60},
        {"car journey", Measure::Minutes, 20, 240},
        {"boat trip", Measure::Minutes, 30, 120},
        {"birthday party", Measure::Minutes, 90, 180},
        {"dance class", Measure::Minutes, 30, 90},
        {"bike ride", Measure::Minutes, 15, 120},
        {"homework", Measure::Minutes, 10, 45},
        // Picture Graphs: one row (or column) of a graph
        {"books read in a term", Measure::Count, 1, 30},
        {"stars won in a week", Measure::Count, 1, 20},
        {"fish caught on a trip", Measure::Count, 1, 20},
        {"goals scored in a season", Measure::Count, 1, 30},
        {"votes in a class", Measure::Count, 1, 12},
        {"votes in a year group", Measure::Count, 2, 40},
        {"votes in a school", Measure::Count, 10, 150},
        {"apples sold in a day", Measure::Count, 10, 200},
        {"library books borrowed in a day", Measure::Count, 5, 80},
        {"children at a club", Measure::Count, 4, 40},
        {"flowers picked in a day", Measure::Count, 2, 40},
        // Fraction
        {"pizza", Measure::Count, 3, 12},
        {"cake", Measure::Count, 4, 12},
        {"chocolate bar", Measure::Count, 4, 24},
        {"class", Measure::Count, 20, 32},
        {"ribbon", Measure::Centimetres, 20, 200},
        {"stickers", Measure::Count, 6, 120},
        {"sheep", Measure::Count, 12, 200},
        {"sweets", Measure::Count, 6, 90},
        // Area, Perimeter and Volume
        {"square sticker", Measure::Centimetres, 2, 8},
        {"square card", Measure::Centimetres, 5, 15},
        {"square photo", Measure::Centimetres, 6, 15},
        {"square tile", Measure::Centimetres, 10, 30},
        {"square napkin", Measure::Centimetres, 20, 40},
        {"square cushion", Measure::Centimetres, 30, 50},
        {"flower bed", Measure::Metres, 1, 6},
        {"sandpit", Measure::Metres, 1, 4},
        {"field", Measure::Metres, 20, 90},
    };
    return table;
}

const Range& Of(const QString& object, Measure measure) {
    for (const Range& r : Table()) {
        if (r.measure == measure && object == QLatin1String(r.object))
            return r;
    }
    kit::Fail(QStringLiteral("no quantity range for \"%1\"").arg(object));
}

int Draw(const QString& object, Measure measure, Rng& rng, int step) {
    const Range& r = Of(object, measure);
    const int value = r.lo + step * rng.range(0, (r.hi - r.lo) / step);
    return Use(object, measure, value);
}

int Use(const QString& object, Measure measure, int value) {
    const Range& r = Of(object, measure);
    if (value < r.lo || value > r.hi)
        kit::Fail(QStringLiteral("%1 of %2 lies outside %3..%4")
                      .arg(value)
                      .arg(object)
                      .arg(r.lo)
                      .arg(r.hi));
    Uses().append({object, measure, value});
    return value;
}

QList<Use_> TakeUses() {
    QList<Use_> out;
    out.swap(Uses());
    return out;
}

void Collect(Question& question) {
    for (const Use_& use : TakeUses())
        question.quantities.append({use.object, int(use.measure), use.value});
}

void Discard() {
    Uses().clear();
}

} // namespace bank::qty
