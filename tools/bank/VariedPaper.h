#pragma once
// What the picture-graph, fraction and area topics share: the worked
// solution written next to each question, questions in parts whose working
// follows their labels, and a paper assembled so that no kind of question
// crowds it (never twice in a row, a few times at most) and no text of these
// topics is used twice in the bank.

#include "Bank.h"

#include <functional>

namespace bank::varied {

// The note under every multiple-choice question.
QString ChooseNote();

// Sets the question's working: plain-text steps (escaped here), then one
// answer per blank from its key, each followed by its unit when given.
Question& Work(Question& question, const QStringList& steps, const QStringList& units = {});

// kit::Combine, then the parts' working under their labels "(a)", "(b)", ...
// unless the framework's Combine already did so. A single part is not
// labelled: its text follows the intro as it stands.
Question Combine(const QString& intro, const QList<Question>& parts,
                 const QList<Picture>& shared = {}, const QStringList& introSteps = {});

// The words of a question a pupil reads, and its kind (numbers, names and
// objects set aside), as the content tool measures them.
QString VisibleText(const Question& question);
QString KindOf(const Question& question);

// A maker of single-blank questions for paper levels minLevel..maxLevel,
// used at most `most` times in one paper.
struct Single {
    int minLevel;
    int maxLevel;
    std::function<Question(int level, Rng& rng)> make;
    int most = 3;
};
using Multi = std::function<Question(int level, int blanks, int index, Rng& rng)>;
using Fixed = std::function<Question(const FixedQuestion& fixed, int level, Rng& rng)>;

// The paper in the plan's shape: fixed positions from `fixed`, questions of
// several blanks from `multi`, single-blank questions from the makers of the
// paper's level taken in turn. A draw is refused when its text was used
// anywhere in these topics before, when its kind is that of the question
// before it, or when its kind is already used `kindLimit` times in the paper.
// Marks are then brought into the paper's budget.
QList<Question> Build(const PaperSpec& paperSpec, Rng& rng, const QList<Single>& singles,
                      const Multi& multi, const Fixed& fixed = {}, int kindLimit = 3);

} // namespace bank::varied
