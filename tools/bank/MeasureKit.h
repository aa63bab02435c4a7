#pragma once
// What the measuring topics (money, weight, length, time) share: answer lines
// with the unit beside the box, worked solutions filled from the keys, parts
// that keep their working, and a paper builder that spreads the kinds of
// question through the paper and never repeats a question's text.

#include "Bank.h"
#include "TopicKit.h"

#include <functional>

namespace bank::mk {

// The line under every multiple-choice question.
QString ChooseNote();

// An answer line: lead text, then the box with its unit beside it
// ("£ [ ]", "[ ] cm"). Either unit may be empty.
QString Line(const QString& lead, const QString& before, const QString& after,
             const QString& tail = QString());

// The answer as the pupil types it: a kind-M key's first spelling, else the key.
QString Typed(const Blank& blank);

// Sets the working: the steps, and one answer per blank taken from the keys.
Question Worked(Question q, const QStringList& steps);

// Parts (a), (b), ... after an intro; each part's working goes under its label.
Question Combine(const QString& intro, const QList<Question>& parts,
                 const QList<Picture>& shared = {});

// Combine of the first `count` questions of the pool, starting again at its
// first when the pool runs out.
Question CombineFrom(const QString& intro, const QList<Question>& pool, int count,
                     const QList<Picture>& shared);

// A pupil's name and the pronouns that go with it.
struct Child {
    QString name;
    bool girl;
    QString he() const { return girl ? QStringLiteral("she") : QStringLiteral("he"); }
    QString him() const { return girl ? QStringLiteral("her") : QStringLiteral("him"); }
    QString his() const { return girl ? QStringLiteral("her") : QStringLiteral("his"); }
};
const QList<Child>& Children();
Child AnyChild(Rng& rng);
// Two different children.
QPair<Child, Child> TwoChildren(Rng& rng);

// A maker of one-blank questions for paper levels minLevel..maxLevel.
struct Maker {
    int minLevel;
    int maxLevel;
    std::function<Question(int level, Rng& rng)> make;
};
using MultiMaker = std::function<Question(int level, int blanks, Rng& rng)>;
using FixedMaker = std::function<Question(const FixedQuestion& fixed, int level, Rng& rng)>;

// Builds a paper: every kind of question (its text with numbers and the
// listed words set aside) at most 4 times and never twice in a row, no text
// that another paper of the topic already holds, then the marks fitted into
// the budget. `words` are the names and objects that do not make a new kind.
QList<Question> BuildPaper(const PaperSpec& paperSpec, Rng& rng, const QList<Maker>& singles,
                           const MultiMaker& multi, const FixedMaker& fixed,
                           const QStringList& words);

// A fixed maker for a topic without sample questions.
FixedMaker NoFixed();

// The topic's words with the children's names and the pronouns added,
// longest first, so that "bag of flour" goes before "flour".
QStringList WithPeople(QStringList words);

// The kind of a question's text as the paper builder judges it.
QString KindOf(const QString& visibleText, const QStringList& words);

// A mark that grows with the paper's level: base at level 1, one more from
// level 2 and from level 4, never above 3.
int Mark(int level, int base = 1);

// A value of the object's range that is a multiple of step (the range's
// own ends need not be), recorded as a use; stops when there is none.
int Draw(const QString& object, int measure, int step, Rng& rng);
// Whether the object's range holds a multiple of step within lo..hi.
bool Fits(const QString& object, int measure, int step, int lo, int hi);
// Such a value within lo..hi as well.
int DrawWithin(const QString& object, int measure, int step, int lo, int hi, Rng& rng);

// "3 × 45p" style number lists: "a, b and c".
QString ListAnd(const QStringList& items);

// A unit and the next larger one of a measure: "g" and "kg", "cm" and "m".
struct Units {
    QString small, large;         // "g", "kg"
    QString smallWord, largeWord; // "grams", "kilograms"
    int factor;                   // small units in one large one
};

// A whole number of large units written in small units, asked one of two
// ways ("3 kg = [ ] g", "How many grams are there in 3 kg?"), or from
// level 2 now and then the other way round ("Write 3000 g in kilograms.").
Question WholeConversion(const Units& units, int amount, int level, Rng& rng);

// An amount in small units split into whole large units and the rest:
// "2050 g = 2 kg [ ] g".
Question SmallToMixed(const Units& units, int amount, int level);
// An amount written with both units ("2 kg 50 g") into small units.
Question MixedToSmall(const Units& units, int amount, const QString& mixed, int level);

// The working step that writes two amounts in the small unit: "Write both in
// grams: 1 kg 50 g = 1050 g and 900 g = 900 g."
QString BothInSmall(const Units& units, const QString& writtenA, int a, const QString& writtenB,
                    int b);

// Which of four different amounts (in small units) is the most or the least,
// each written in small units or by `mixed` ("2 kg 50 g"). words: the most
// and the least ("heaviest", "lightest"); asks: two wordings with %1 for the
// word.
Question WhichIsMost(const QList<int>& amounts, const Units& units,
                     const std::function<QString(int)>& mixed, const QStringList& words,
                     const QStringList& asks, int level, Rng& rng);

} // namespace bank::mk
