#include "practice/ui/AnswerValidator.h"

AnswerValidator::AnswerValidator(QObject* parent) : QValidator(parent) {}

bool AnswerValidator::IsAcceptable(const QString& text) {
    for (const QChar c : text) {
        // Control characters (a pasted tab or line break) would break the line too.
        if (c == QLatin1Char('>') || c == QLatin1Char('#') || c.unicode() > 0xFF ||
            c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
            return false;
    }
    return true;
}

QValidator::State AnswerValidator::validate(QString& input, int& pos) const {
    Q_UNUSED(pos);
    return IsAcceptable(input) ? Acceptable : Invalid;
}
