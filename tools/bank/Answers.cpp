#include "Bank.h"

namespace bank {

QStringList AnswersOf(const QList<Blank>& blanks) {
    QStringList answers;
    QStringList group; // alternatives of the open G group, handed out in order
    for (const Blank& b : blanks) {
        if (b.kind == QLatin1String("G") && b.key == QLatin1String(" ")) {
            answers << (group.isEmpty() ? QString() : group.takeFirst());
            continue;
        }
        if (b.kind == QLatin1String("M") || b.kind == QLatin1String("G")) {
            group = b.key.mid(1).split(QLatin1Char(';'));
            answers << group.takeFirst();
            if (b.kind == QLatin1String("M"))
                group.clear();
            continue;
        }
        answers << b.key;
    }
    return answers;
}

} // namespace bank
