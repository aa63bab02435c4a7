#pragma once
// Checking an answer against its key by its answer kind. Results are the
// one-character marks "\u00FC" (correct, byte FC) and "\u00FB" (wrong, byte FB),
// or the empty text (no result). Blank lists are 0-based; index is 0-based.

#include <QLocale>
#include <QString>
#include <QStringList>

namespace ResultMark {
inline QString Correct() {
    return QString(QChar(0xFC));
}
inline QString Wrong() {
    return QString(QChar(0xFB));
}
} // namespace ResultMark

// The number a kind-"N" text stands for, by the locale's rules (spaces around,
// sign, decimal separator, digit grouping); false when it is not a number.
bool ParseAnswerNumber(const QString& text, const QLocale& locale, double* value);

QString CheckAnswer(const QString& answer, const QString& key, const QString& kind,
                    const QLocale& locale = QLocale());
QString CheckGroupAnswer(const QStringList& answers, const QStringList& keys,
                         const QStringList& kinds, int index);
QString GroupModelAnswer(const QStringList& answers, const QStringList& keys,
                         const QStringList& kinds, int index);
// The alternatives of a key ";a;b;c" (empty list when it holds no ";").
QStringList KeyAlternatives(const QString& key);
// Marking's dispatch: kinds "G" and "M" go to CheckGroupAnswer, others to CheckAnswer.
QString MarkBlank(const QStringList& answers, const QStringList& keys, const QStringList& kinds,
                  int index, const QLocale& locale = QLocale());
// The answer revealed beside a wrong blank in the second attempt.
QString ModelAnswer(const QStringList& answers, const QStringList& keys, const QStringList& kinds,
                    int index);
