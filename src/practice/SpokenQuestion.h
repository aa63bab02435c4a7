#pragma once
// A question document as a teacher reads it aloud to a pupil, in British
// English: the text in order, each picture's text alternative where it
// stands, the parts as "Part a", the options as "Option 1: ...", an answer
// box as "box", and the maths in words ("£3.45" is "3 pounds 45", "3/4" is
// "three quarters", "7.30 pm" is "7 30 p m", "×" is "times"). Numbers stay
// digits: every speech engine says those well.
//
// Widget-free, so that the practice window and the content tool share it.

#include <QString>

class MhtmlArchive;

namespace SpokenQuestion {

// What is said for the document's question (its root page) and, when asked
// and the document has one, its worked solution after it: one line per
// block of the page (a paragraph, a part, an option, a picture), each
// ending in a stop so that the engine pauses between them.
QString spokenTextOf(const MhtmlArchive& document, bool withWorking = false);

// The same for one HTML page.
QString fromHtml(const QString& html);

} // namespace SpokenQuestion
