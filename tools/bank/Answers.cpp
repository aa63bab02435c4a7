#include "Bank.h"

#include "core/AnswerChecking.h"

namespace bank {

QStringList answersOf(const QList<Blank>& blanks) {
    QStringList answers;
    QStringList group; // alternatives of the open G group, handed out in order
    for (const Blank& b : blanks) {
        const AnswerKind kind = parseAnswerKind(b.kind);
        if (kind == AnswerKind::G && b.key == QLatin1String(" ")) {
            answers << (group.isEmpty() ? QString() : group.takeFirst());
            continue;
        }
        if (isGroupKind(kind)) {
            group = b.key.mid(1).split(QLatin1Char(';'));
            answers << group.takeFirst();
            if (kind == AnswerKind::M)
                group.clear();
            continue;
        }
        answers << b.key;
    }
    return answers;
}

} // namespace bank
