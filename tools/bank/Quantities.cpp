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
        {"garden", Measure::Metres, 4, 20},
        {"playground", Measure::Metres, 12, 40},
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
