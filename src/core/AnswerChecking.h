#pragma once
// Checking an answer against its key by its answer kind. Blank lists are
// 0-based; index is 0-based.

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// How a blank's answer is compared with its key, from the one-letter code of
// the kinds table. Unknown stands for any other text, the empty one included:
// such a blank is never checked.
enum class AnswerKind { Unknown, N, T, Q, L, F, X, R, G, M };

// The kind of a kinds-table letter, compared exactly (case-sensitive).
AnswerKind parseAnswerKind(const QString& letter);
QList<AnswerKind> parseAnswerKinds(const QStringList& letters);
// The letter of a kind; the empty text for Unknown.
QString answerKindLetter(AnswerKind kind);
// Kinds G and M are checked against a list of alternatives by CheckGroupAnswer.
inline bool isGroupKind(AnswerKind kind) {
    return kind == AnswerKind::G || kind == AnswerKind::M;
}

// A blank's result: None for a blank not checked (or an unknown answer kind).
enum class ResultMark { None, Correct, Wrong };

// In the results files a mark is one character: "\u00FC" (byte FC) for
// Correct, "\u00FB" (byte FB) for Wrong, the empty text for None. Any other
// stored text reads as None.
QString resultMarkText(ResultMark mark);
ResultMark resultMarkFromText(const QString& text);
QStringList resultMarkTexts(const QList<ResultMark>& marks);
QList<ResultMark> resultMarksFromTexts(const QStringList& texts);

// The number a kind-"N" text stands for, by the locale's rules (spaces around,
// sign, decimal separator, digit grouping); false when it is not a number.
bool parseAnswerNumber(const QString& text, const QLocale& locale, double* value);
// The number a pupil's kind-"N" answer stands for: read by the pupil's locale
// and, where that reads no number, by the papers' own (British) notation, a
// dot for the decimal point and commas between thousands. A text both can
// read, differently ("1.250" in German), is read the pupil's way.
bool parsePupilNumber(const QString& text, const QLocale& locale, double* value);

ResultMark CheckAnswer(const QString& answer, const QString& key, AnswerKind kind,
                       const QLocale& locale = QLocale());
// Group checks go by the keys alone: a key of one space follows its group's head.
ResultMark CheckGroupAnswer(const QStringList& answers, const QStringList& keys, int index);
QString GroupModelAnswer(const QStringList& answers, const QStringList& keys, int index);
// The alternatives of a key ";a;b;c" (empty list when it holds no ";").
QStringList keyAlternatives(const QString& key);
// Marking's dispatch: kinds "G" and "M" go to CheckGroupAnswer, others to CheckAnswer.
ResultMark markBlank(const QStringList& answers, const QStringList& keys,
                     const QList<AnswerKind>& kinds, int index, const QLocale& locale = QLocale());
// The answer revealed beside a wrong blank in the second attempt.
QString modelAnswer(const QStringList& answers, const QStringList& keys,
                    const QList<AnswerKind>& kinds, int index);
