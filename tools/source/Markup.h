#pragma once
// The text markup of the bank's sources, turned into the page's HTML: a blank
// line starts a paragraph, "[ ]" is an answer box, "[pic NAME]" a picture on
// its own line, "**bold**", "{3/4}" and "{1 2/3}" fractions, and "-", "x", "/"
// between numbers set as minus, times and divided by.

#include <QString>
#include <QStringList>
#include <functional>

namespace bank::source {

// Answer boxes in blank order. With labels on, each box is preceded by its
// blank's label "(a)", "(b)", ... so that the page matches the answer sheet.
struct BoxCounter {
    bool label = false;
    int next = 0;
};

// One run of text without pictures, as HTML.
QString inlineHtml(const QString& text, BoxCounter* boxes);
// Paragraphs and pictures; picture(NAME) gives the <img> of a picture.
QString blockHtml(const QString& text, BoxCounter* boxes,
                  const std::function<QString(const QString&)>& picture);

int countBoxes(const QString& text);
// The names of the pictures a text shows, in order.
QStringList pictureRefs(const QString& text);
// What a pupil reads: markup gone, boxes as "[ ]", fractions as "3/4",
// operators as the signs the page shows; one space between words.
QString plainTextOf(const QString& text);
// The text with its spaced operators as the page shows them (−, ×, ÷).
QString withSigns(const QString& text);

} // namespace bank::source
