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
