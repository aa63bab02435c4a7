#pragma once
// What one answer row shows for one blank: the texts of its boxes and labels
// and which of them are visible, editable or locked. Worked out from the
// paper state alone, so that the rules of both attempts are testable without
// a window.

#include "core/AnswerChecking.h"

#include <QString>

struct AnswerRowContent {
    QString answer;                           // `FA`k
    QString model;                            // `M`k
    ResultMark firstMark = ResultMark::None;  // `FR`k: the result of the first attempt
    ResultMark secondMark = ResultMark::None; // `SR`k: the result of the second attempt
    bool singleCharacter = false;             // the Q-setting: a multiple-choice option number
    bool readOnly = false;
    bool locked = false; // carried over from the first attempt: light blue
    bool showFirstMark = false;
    bool firstMarkBesideBox = false; // 105 twips right of the box instead of its design place
    bool showSecondMark = false;
    bool showModel = false;
};
