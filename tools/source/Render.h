#pragma once
// Turns a paper's source into the questions the store writer writes: the
// page's HTML from the text markup, the pictures drawn, the working with its
// pictures, and the blanks.

#include "../bank/Bank.h"
#include "Source.h"

namespace bank::source {

// The question, or problems (file, line, question id, field) that keep it
// from being rendered.
bank::Question renderQuestion(const SourceQuestion& question, const QString& file,
                              QStringList* errors);
QList<bank::Question> renderPaper(const SourcePaper& paper, QStringList* errors);

// What a pupil's saved answers to the paper depend on, as a digest: the
// question ids, texts, notes, parts, options, picture descriptions, keys,
// kinds and marks. The working and the alternatives do not count.
QByteArray paperDigest(const SourcePaper& paper);

// A picture's name in its question ("tag" of "[pic tag]").
QString pictureName(const QVariantMap& picture);
// The note under every multiple-choice question.
QString choiceNote();

// The picture a source question shows under this name (question pictures
// first, then those of its working), or nullptr.
const QVariantMap* findPicture(const SourceQuestion& question, const QString& name);

// The boxes the question's text and parts hold for its blanks: -1 when the
// answers go where the text says in words (no box at all).
int boxesOf(const SourceQuestion& question);

} // namespace bank::source
