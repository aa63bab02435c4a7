#pragma once
// The people and things the bank's questions talk about. Two questions that
// differ only in their numbers, names and objects are the same kind of
// question: the store validator measures a paper's variety with kindOf.

#include <QString>
#include <QStringList>

namespace bank::vocab {

// First names of the people in the questions.
const QStringList& personNames();
// Object words, singular; a plural made with "s" or "es" matches as well.
const QStringList& objectWords();

// What a pupil reads of an HTML text: tags dropped, entities decoded, runs of
// white space made one space, trimmed.
QString visibleText(const QString& html);
// The kind of a question: its visible text with every number as "#" and every
// name and object word as "@".
QString kindOf(const QString& visibleText);

} // namespace bank::vocab
