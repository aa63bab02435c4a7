#pragma once
// The worked solution of a question (the archive's "working.html" part, see
// MhtmlArchive::workingIndex): put under the question on its page, or read
// as plain text. Widget-free, so that the program and the content tool share it.

#include <QString>
#include <QStringList>

namespace QuestionWorking {

// The id of the block that holds the working on the question's page; a
// link to "#" + it scrolls the page down to the working.
inline constexpr char Anchor[] = "quillora-working";

// What of a working document goes under the question: the contents of its
// body, after its own style elements so that it keeps its look.
QString section(const QString& workingHtml);

// The question's page with the working at the end of its body, in a block of
// its own set off from the question by a rule.
QString pageWithWorkingShown(const QString& pageHtml, const QString& workingHtml);

// The working as lines of plain text: one per heading or paragraph, in
// order, pictures as their text alternatives in square brackets.
QStringList plainTextLines(const QString& workingHtml);

} // namespace QuestionWorking
