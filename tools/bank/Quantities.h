#pragma once
// Every real-world quantity the bank puts in a question (a melon's weight, a
// swimming lesson's length, a pencil's price) comes from one table of ranges
// that fit the object. Generators draw through Draw() or declare a value they
// computed with Use(), and the framework keeps the uses of each question so
// that a test can check every value against its object's range.

#include "Bank.h"

#include <QList>
#include <QString>

namespace bank::qty {

enum class Measure {
    Grams,
    Kilograms,
    Millilitres,
    Litres,
    Millimetres,
    Centimetres,
    Metres,
    Kilometres,
    Pence,
    Minutes,
    Hours,
    Count,
};

struct Range {
    const char* object; // as the question names it, without article: "melon"
    Measure measure;
    int lo; // inclusive, in the measure's unit
    int hi;
};

// The whole table. Objects are unique per measure.
const QList<Range>& Table();
// The range of this object in this measure; stops the generator when the
// table has none, so no quantity escapes the table.
const Range& Of(const QString& object, Measure measure);

// A value of the object's range (a multiple of step from lo), recorded as a use.
int Draw(const QString& object, Measure measure, Rng& rng, int step = 1);
// Records a value the generator computed itself (a total, a difference);
// stops the generator when it lies outside the object's range.
int Use(const QString& object, Measure measure, int value);

struct Use_ {
    QString object;
    Measure measure;
    int value;
};
// The uses recorded since the last call, which clears them. The framework
// calls it after each question it makes.
QList<Use_> TakeUses();
// The framework's side: hands the uses recorded since the last call to the
// question just made (Collect) or drops those of a draw it threw away (Discard).
void Collect(Question& question);
void Discard();

} // namespace bank::qty
