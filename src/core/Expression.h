#pragma once
// The checks of a question's blanks: arithmetic over exact fractions, with
// comparisons, yes(...) and named functions the caller supplies (the content
// tool reads the question's pictures through them).
//   7.80 + 17.00     3/4 - 1/4     4 x 6 = 6 x 4     yes(36 > 29)
//   count(p, "Ivan") - count(p, "Kevin")     'Kevin'

#include "core/AnswerChecking.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace checks {

// A fraction in lowest terms with a positive denominator.
struct Rational {
    long long num = 0;
    long long den = 1;
    bool isWhole() const { return den == 1; }
    bool operator==(const Rational& o) const { return num == o.num && den == o.den; }
    // "12", "7.5", "24.8"; false when the value has no finite decimal.
    bool decimal(QString* text) const;
    QString fraction() const; // "3/4", "7"
    QString mixed() const;    // "1 2/3", "3/4", "2"
};

struct Value {
    enum class Type { None, Number, Truth, Text };
    Type type = Type::None;
    Rational number;
    bool truth = false;
    QString text;
    // The value as a pupil would write it for an answer of this kind; a whole
    // number as a word too when `words` is given (kind T: "Sixteen").
    QStringList answers(AnswerKind kind) const;
    QString describe() const;
};

// Functions NAME(subject[, "argument"]) beside yes(...): their names, and the
// text of a call (a number or a word, read as valueOfText does); *error, the
// whole message, when the call cannot be answered.
struct NamedFunctions {
    QStringList names;
    std::function<QString(const QString& name, const QString& subject, const QString& argument,
                          QString* error)>
        call;
};

struct Evaluation {
    Value value;
    QString error; // non-empty: the check cannot be computed, and why
};
Evaluation evaluate(const QString& expression, const NamedFunctions& functions = {});

// Text as the value of a reading or an option: "7.5", "3/4", "1 2/3" are numbers.
Value valueOfText(const QString& text);

// The check written one way: operators as + - * / and no spaces, so that
// "9 - 2", "9−2" and "9 x 2" / "9*2" read alike.
QString normalisedExpression(const QString& expression);
// What a check computes with: its numbers and operations, sorted, and the
// pictures' readings it asks for; empty for a check without any operation.
QString taskSignature(const QString& expression);

} // namespace checks
