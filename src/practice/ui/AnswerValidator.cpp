#include "practice/ui/AnswerValidator.h"

#include "core/RecordFile.h"

AnswerValidator::AnswerValidator(QObject* parent) : QValidator(parent) {}

bool AnswerValidator::IsAcceptable(const QString& text) {
    if (!IsStorableText(text))
        return false;
    // Control characters (a pasted tab) can be stored but not seen in the box.
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
            return false;
    }
    return true;
}

QValidator::State AnswerValidator::validate(QString& input, int& pos) const {
    Q_UNUSED(pos);
    return IsAcceptable(input) ? Acceptable : Invalid;
}
