#pragma once
// The checks of the bank's sources: the program's check evaluator with the
// readings of the question's pictures plugged in as its named functions.
//   7.80 + 17.00     3/4 - 1/4     4 x 6 = 6 x 4     yes(36 > 29)
//   count(p, "Ivan") - count(p, "Kevin")     'Kevin'

#include "core/Expression.h"

#include <QVariantMap>
#include <functional>

namespace bank::source {

using checks::Evaluation;
using checks::normalisedExpression;
using checks::Rational;
using checks::taskSignature;
using checks::Value;
using checks::valueOfText;

// The picture a check names, or nullptr when the question has none by that name.
using PictureLookup = std::function<const QVariantMap*(const QString& name)>;

// The readings of the pictures as the evaluator's named functions.
checks::NamedFunctions pictureFunctions(const PictureLookup& pictures);
Evaluation evaluate(const QString& expression, const PictureLookup& pictures = {});

} // namespace bank::source
