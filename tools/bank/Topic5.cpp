#include "Bank.h"

namespace bank {

QList<Question> GenerateTopic5(const PaperSpec& spec, Rng& rng) {
    QList<Question> questions;
    for (int q = 0; q < spec.blankPlan.size(); ++q) {
        Question question;
        const FixedQuestion* fixed = FixedQuestionAt(spec.paperNum, q + 1);
        QStringList parts;
        for (int b = 0; b < spec.blankPlan.at(q); ++b) {
            Blank blank;
            if (fixed) {
                blank = Blank{fixed->keys.value(b), fixed->kinds.value(b), fixed->marks.value(b)};
            } else {
                const int x = rng.range(1, 9);
                const int y = rng.range(1, 9);
                blank = Blank{QString::number(x + y), QStringLiteral("N"), 1};
                parts << QStringLiteral("%1 + %2 = ?").arg(x).arg(y);
            }
            question.blanks << blank;
        }
        question.html = QStringLiteral("<p>Work out:</p>") + html::Parts(parts);
        questions << question;
    }
    return questions;
}

} // namespace bank
