#include "practice/ui/AnswerValidator.h"

#include "core/RecordFile.h"

#include <algorithm>

namespace {

bool isLineBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

// Control characters (a pasted tab) can be stored but not seen in the box.
bool isInvisible(QChar c) {
    return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0);
}

} // namespace

AnswerValidator::AnswerValidator(QObject* parent) : QValidator(parent) {}

QChar AnswerValidator::refusedSign(const QString& text) {
    for (const QChar c : text) {
        if (!isStorableText(QString(c)) || isInvisible(c))
            return c;
    }
    return QChar();
}

bool AnswerValidator::isAcceptable(const QString& text) {
    return refusedSign(text).isNull();
}

QValidator::State AnswerValidator::validate(QString& input, int& pos) const {
    if (!isAcceptable(input)) {
        // What was put in since the last accepted text: the text between
        // what the two have in common at the start and at the end.
        const qsizetype limit = qMin(input.size(), m_accepted.size());
        qsizetype head = 0;
        while (head < limit && input.at(head) == m_accepted.at(head))
            ++head;
        qsizetype tail = 0;
        while (tail < limit - head &&
               input.at(input.size() - 1 - tail) == m_accepted.at(m_accepted.size() - 1 - tail))
            ++tail;
        const QString inserted = input.mid(head, input.size() - head - tail);
        if (std::any_of(inserted.begin(), inserted.end(), isLineBreak)) {
            const QString trimmed = inserted.trimmed();
            const QString fixed = input.left(head) + trimmed + input.right(tail);
            if (isAcceptable(fixed)) {
                input = fixed;
                pos = int(head + trimmed.size());
            }
        }
    }
    m_refused = refusedSign(input);
    if (!m_refused.isNull())
        return Invalid;
    m_accepted = input;
    return Acceptable;
}
