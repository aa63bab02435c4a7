#pragma once
// Small pieces of reading a question document's HTML as text, shared by the
// worked solution and the spoken question.

#include <QString>

namespace HtmlText {

// Start and end of what lies inside the document's <body> element; the
// whole text after any head when it has no body tag.
void bodyRange(const QString& html, qsizetype* from, qsizetype* to);

// Character references (&pound;, &#163;, &#xA3;) as the characters they
// stand for; unknown ones are kept as written.
QString decodeEntities(const QString& text);

} // namespace HtmlText
