#pragma once
// The checking commands: one answer against one key, or a whole list of blanks
// read as one paper's blank list, so that the answers of a "G" group are
// judged together, exactly as marking does it.

#include "core/AnswerChecking.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class BlankMarker {
public:
    // "correct", "wrong" or "none" for a result mark.
    static QString word(ResultMark resultMark);
    static QString checkOne(const QString& kind, const QString& key, const QString& answer);

    // Lines "KIND<TAB>KEY<TAB>ANSWER" (UTF-8, LF or CR LF ends; fields are
    // taken as they stand, the answer being everything after the second
    // tab). Returns one word per blank; false with *errors (one per bad line)
    // when any line is malformed.
    static bool markLines(const QByteArray& input, QStringList* results, QStringList* errors);
};
