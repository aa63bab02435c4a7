#include "Bank.h"

namespace bank {

const QList<FixedQuestion>& fixedQuestions() {
    // The records every copy of the bank carries unchanged, each at a position
    // whose planned blank count matches its keys.
    static const QList<FixedQuestion> fixed = {
        {25016, 101, 1, {QStringLiteral("9")}, {QStringLiteral("N")}, {2}},
        {25049, 102, 6, {QStringLiteral("Sixteen")}, {QStringLiteral("T")}, {1}},
        {23313, 112, 18, {QStringLiteral("2")}, {QStringLiteral("Q")}, {1}},
        {25414, 119, 16, {QStringLiteral("24.80")}, {QStringLiteral("N")}, {2}},
        {25310,
         136,
         1,
         QStringLiteral("12>10>15>Ivan>6>Kevin>14>Kevin").split(QLatin1Char('>')),
         QStringLiteral("N>N>N>T>N>T>N>T").split(QLatin1Char('>')),
         {1, 1, 1, 1, 1, 1, 1, 1}},
        {24410,
         141,
         2,
         QStringLiteral("3/10>3/5>2/5").split(QLatin1Char('>')),
         QStringLiteral("F>F>F").split(QLatin1Char('>')),
         {1, 1, 1}},
        {23554, 145, 12, {QStringLiteral("1 2/3")}, {QStringLiteral("X")}, {2}},
    };
    return fixed;
}

const FixedQuestion* fixedQuestionAt(int paperNum, int questionNo) {
    for (const FixedQuestion& f : fixedQuestions()) {
        if (f.paperNum == paperNum && f.questionNo == questionNo)
            return &f;
    }
    return nullptr;
}

} // namespace bank
