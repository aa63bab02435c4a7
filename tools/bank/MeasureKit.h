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

// The visible text of a question: tags dropped, spaces collapsed.
QString VisibleText(const QString& html);

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

} // namespace bank::mk
