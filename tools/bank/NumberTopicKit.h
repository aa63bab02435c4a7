#pragma once
// What the generators of topics 1, 2, 3 and 9 share: sums set on a line of
// their own, questions of one blank, multiple choice with the right option at
// a chosen place, numbers in words, answers written in any order, and the
// paper built question by question from a recipe of question kinds.

#include "TopicKit.h"

#include <functional>

namespace bank::numkit {

using kit::DrawPair;
using kit::P;

// A sum or a row of numbers on a line of its own, in larger print.
QString Sum(const QString& text);
QString Num(int n);
// The numbers as a row: "12, 45, 7".
QString NumberList(const QList<int>& numbers);
// A hint in smaller print inside a paragraph.
QString InlineNote(const QString& text);

// A question of one blank.
Question One(const QString& html, const QString& key, const QString& kind = QStringLiteral("N"),
             int mark = 1);
// Options numbered 1 to 4: the first three of `wrong` with `right` placed at
// `position` (1..4), which is the key.
Question Choice(const QString& stem, const QString& right, const QStringList& wrong, int position);
// "True or false?" about the claim shown as a sum.
Question TrueOrFalse(const QString& claim, bool right);
// "I think of a number. I <step> and the answer is <answer>. ..." (2 marks).
Question ThinkOfNumber(const QString& step, int answer, int number);
// a - b = c with a or b hidden, the choice drawn from r, with its working.
Question MissingInSubtraction(Rng& r, int a, int b);
// The intro, then parts "left = [ ]" with the answers as number keys.
Question Equations(const QString& intro, const QStringList& lefts, const QList<int>& answers);
// The stem, then one box per key: the pupil may write the keys in any order.
Question AnyOrder(const QString& stem, const QStringList& keys);

// 0..99 in words, with a hyphen between tens and ones ("forty-seven").
QString Words(int n);

// A picture with the lettering of the topics' pictures.
QByteArray Svg(int width, int height, const QString& body);

// Two different names from the list, the second drawn again until it differs.
QPair<QString, QString> TwoNames(Rng& r, const QStringList& names);

using SingleMaker = Question (*)(Rng& r, int level);
// The same makers dealt out in turn (one of each, then again), so that no
// maker follows itself while another is left.
QList<SingleMaker> Interleave(const QList<QPair<SingleMaker, int>>& counts);

// --- worked solutions ---------------------------------------------------------
// The question with its working; the answers come from its keys.
Question With(Question q, const QStringList& steps);
// a + b and a - b: a number fact or counting on for small numbers, the
// column method with its exchanges for larger ones.
QStringList AddSteps(int a, int b);
QStringList SubtractSteps(int a, int b);

// What tells two questions of a paper apart.
QString TextOf(const Question& q);

// The paper: fixed positions take `fixed` (their text counts as seen), the
// others take the next single-blank question (`single` with the index of the
// single-blank questions so far) or the next question of several blanks
// (`multi` with the blank count and the index of such questions so far). A
// question whose signature was seen before is drawn again, up to 40 times.
QList<Question> BuildRecipePaper(const PaperSpec& paperSpec,
                                 const std::function<Question(int index)>& single,
                                 const std::function<Question(int blanks, int index)>& multi,
                                 const std::function<Question(const FixedQuestion&)>& fixed = {},
                                 QString (*signature)(const Question&) = TextOf);

} // namespace bank::numkit
