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

// --- worked solutions -----------------------------------------------------------
// The question with its working: the steps (HTML, text escaped) and, from its
// keys, the answers; units (optional, per blank) follow each answer.
Question Explain(Question question, const QStringList& steps, const QStringList& units = {});
// The column method in short sentences, ones first, each exchange said; the
// last sentence gives the whole sum. unit ("p", " cm") follows the numbers
// of that sentence.
QStringList ColumnAddition(int a, int b, const QString& unit = QString());
QStringList ColumnSubtraction(int a, int b, const QString& unit = QString());

// One question made of several: the intro and shared pictures first, then the
// parts (a), (b), ... each bringing its own blanks; part pictures are renamed
// so that no two pictures of the question share a name. The parts' working
// is merged: each part's steps under its label, the answers in blank order.
Question Combine(const QString& intro, const QList<Question>& parts,
                 const QList<Picture>& shared = {});

// Stop the generator when a sample question lost its fixed keys, kinds or
// marks, or when question `index` of a paper has not the planned blanks.
void RequireFixedKeys(const Question& question, const FixedQuestion& fixed);
void RequireBlanks(const Question& question, const PaperSpec& paperSpec, int index, int blanks);

// Raises or lowers marks of blanks that are not fixed, one at a time, until
// the paper's total lies within paperSpec.minMarks..paperSpec.maxMarks; later questions
// gain first and lose last.
void FitMarks(QList<Question>& questions, const PaperSpec& paperSpec);

} // namespace bank::kit
