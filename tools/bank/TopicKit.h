#pragma once
// What the generators of topics 4 to 8 and 10 share: blanks and their keys,
// amounts of money and times written the way a pupil writes them, multiple
// choice, questions in parts, and the assembly of a paper from question
// makers (variety, no repeats, fixed sample questions, the marks budget).

#include "Bank.h"

#include <functional>

namespace bank::kit {

// Stops the generator with the message: a bank that breaks its own rules is
// not written.
[[noreturn]] void Fail(const QString& message);

// Blanks, one per kind used by these topics.
Blank Number(int value, int mark = 1);
Blank NumberText(const QString& value, int mark = 1);    // "24.80", "2.5"
Blank Word(const QString& text, int mark = 1);           // only one way to write it
Blank Choice(int option, int mark = 1);                  // option number 1..4
Blank AnyOf(const QStringList& spellings, int mark = 1); // kind M, ";a;b;c"

// Money, from a whole number of pence.
QString Pounds(int pence);   // "£24.80", "£0.45"
QString PoundKey(int pence); // "24.80": the key of an answer in pounds
QString Money(int pence);    // "85p" under a pound, else "£2.05"
// Blanks for an amount of money: in pence the key is a whole number ("85"),
// in pounds it has two decimals ("3.45"). Show "p" or "£" beside the gap.
Blank PenceBlank(int pence, int mark = 1);
Blank PoundsBlank(int pence, int mark = 1);

// A time of day as pupils write it: "7.30" (hour 1..12).
QString TimeText(int hour, int minute);
// Every fair way of writing it: ";7.30;7:30", and for whole hours also
// "7 o'clock" and "7". With suffix ("am"/"pm") each form is given with and
// without a space before it and also with "a.m."/"p.m."; "7 o'clock" is left out.
QStringList TimeSpellings(int hour, int minute, const QString& suffix = QString());
// Hour 1..12 of a 24-hour clock hour.
int Hour12(int hour24);

// Draws a pair again and again until `draw`, which sets a and b, accepts it.
QPair<int, int> DrawPair(const std::function<bool(int& a, int& b)>& draw);

// The text with its first letter in capitals.
QString Cap(const QString& text);

// An answer space in the text, for the blank the pupil types into the sheet.
QString Gap();
// The answer space with its unit beside it ("[ ] cm", "[ ] p"), so the pupil
// types only the number; a unit of "£" stands before the space ("£ [ ]").
QString UnitGap(const QString& unit);
// A paragraph.
QString P(const QString& html);

// A hint in smaller print, and the one under every multiple-choice question:
// "Write the number of your answer (1, 2, 3 or 4)."
QString Note(const QString& html);
QString ChooseNote();

Picture SvgPicture(const QString& name, const QByteArray& svg);

// Options numbered 1 to 4: the correct one among three distinct distractors,
// placed at `forced` (1..4) or at random when forced is 0. Sets *key.
QString Options(const QString& correct, QStringList distractors, Rng& rng, int* key,
                int forced = 0);

Question Make(const QString& html, const QList<Blank>& blanks, const QList<Picture>& pictures = {});

// The question in a paragraph, then the answer line "<lead>[ ]<tail>".
Question GapQuestion(const QString& question, const QString& lead, const QString& tail,
                     const Blank& blank);
// The same with the unit beside the answer space: "<lead>[ ] cm".
Question UnitGapQuestion(const QString& question, const QString& lead, const QString& unit,
                         const Blank& blank);

// --- worked solutions -----------------------------------------------------------
// The answers of the blanks as a pupil types them: the key; for kind M its
// first spelling; for a G group one valid set (the head's alternatives, in order).
QStringList AnswersOf(const QList<Blank>& blanks);
// The question with its working: the steps (HTML, text escaped) and, from its
// keys, the answers; units (optional, per blank) follow each answer.
Question Explain(Question question, const QStringList& steps, const QStringList& units = {});
// The column method in short sentences, ones first, each exchange said; the
// last sentence gives the whole sum. unit ("p", " cm") follows the numbers
// of that sentence.
QStringList ColumnAddition(int a, int b, const QString& unit = QString());
QStringList ColumnSubtraction(int a, int b, const QString& unit = QString());

// A unit and the one `factor` times smaller, and an amount in the smaller
// unit written with both ("2 kg 50 g").
struct UnitPair {
    QString large;
    QString small;
    int factor;
    QString (*mixed)(int amount);
};
// Whole large units into small ones ("3 kg = [ ] g"); from level 2 on also
// the other way round, each way half the time.
Question WholeUnits(const UnitPair& units, int level, Rng& rng);
// "2 kg 50 g = [ ] g"
Question MixedToSmall(const UnitPair& units, int amount, int mark);
// "2050 g = 2 kg [ ] g"
Question SmallToMixed(const UnitPair& units, int amount, int mark);

// One question made of several: the intro and shared pictures first, then the
// parts (a), (b), ... each bringing its own blanks; part pictures are renamed
// so that no two pictures of the question share a name. The parts' working
// is merged: each part's steps under its label, the answers in blank order.
Question Combine(const QString& intro, const QList<Question>& parts,
                 const QList<Picture>& shared = {});

// A maker of single-blank questions for the paper levels minLevel..maxLevel;
// weight is its share of the paper's single-blank questions against the
// other makers of that level.
struct Maker {
    int minLevel;
    int maxLevel;
    std::function<Question(int level, Rng& rng)> make;
    int weight = 2;
};
// Makes a question of `blanks` blanks (2 and more, or 1 for a topic that has
// only such makers).
using MultiMaker = std::function<Question(int level, int blanks, Rng& rng)>;
// Makes the question that must carry exactly the given keys, kinds and marks.
using FixedMaker = std::function<Question(const FixedQuestion& fixed, int level, Rng& rng)>;

// A fixed multiple-choice question: `make` drawn again (up to 200 times) until
// its right option stands where the fixed key says. Any other fixed question
// comes back empty, which the paper refuses.
FixedMaker FixedChoice(const std::function<Question(int level, Rng& rng)>& make);

// The paper: single-blank positions take the makers of the paper's level in
// their listed order (easy kinds first), each for a share by its weight; positions of
// several blanks take `multi`; fixed positions take `fixed`. Repeated texts are
// drawn again. The marks are then brought into the paper's budget.
QList<Question> BuildPaper(const PaperSpec& paperSpec, Rng& rng, const QList<Maker>& singles,
                           const MultiMaker& multi, const FixedMaker& fixed);

// Raises or lowers marks of blanks that are not fixed, one at a time, until
// the paper's total lies within paperSpec.minMarks..paperSpec.maxMarks; later questions
// gain first and lose last.
void FitMarks(QList<Question>& questions, const PaperSpec& paperSpec);

} // namespace bank::kit
