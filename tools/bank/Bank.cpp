#include "Bank.h"

namespace bank {

std::uint64_t Rng::next() {
    std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

int Rng::range(int lo, int hi) {
    if (hi <= lo)
        return lo;
    const std::uint64_t span = std::uint64_t(std::int64_t(hi) - lo) + 1;
    // Reject the top sliver of the 64-bit range so every value is equally likely.
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % span;
    std::uint64_t v = next();
    while (v >= limit)
        v = next();
    return int(std::int64_t(lo) + std::int64_t(v % span));
}

bool Rng::chance(int num, int den) {
    if (den <= 0)
        return false;
    return range(1, den) <= num;
}

namespace {
QSet<QString>* g_pages = nullptr;
} // namespace

BankRun::BankRun() {
    delete g_pages;
    g_pages = new QSet<QString>;
}

BankRun::~BankRun() {
    delete g_pages;
    g_pages = nullptr;
}

bool PageSeen(const QString& page) {
    return g_pages && g_pages->contains(page);
}

void NotePage(const QString& page) {
    if (g_pages)
        g_pages->insert(page);
}

const QList<FixedQuestion>& FixedQuestions() {
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

const FixedQuestion* FixedQuestionAt(int paperNum, int questionNo) {
    for (const FixedQuestion& f : FixedQuestions()) {
        if (f.paperNum == paperNum && f.questionNo == questionNo)
            return &f;
    }
    return nullptr;
}

} // namespace bank
