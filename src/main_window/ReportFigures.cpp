#include "ReportFigures.h"
#include "core/Numbering.h"
#include "core/Scoring.h"

namespace {

// Adds the marked entries of one topic. An entry that is not a percentage
// (a damaged file) is left out rather than counted as a score it never was.
void AddTopicEntries(const QStringList& entries, int topic, int* count, qint64* sumTenths) {
    const int first = Numbering::TopicFirstIndex(topic) - 1;
    for (int j = 0; j < Numbering::PapersPerTopic; ++j) {
        const QString entry = entries.value(first + j);
        qint64 tenths = 0;
        if (entry.isEmpty() || !ParsePercentTenths(entry, &tenths))
            continue;
        ++*count;
        *sumTenths += tenths;
    }
}

qint64 AllTenths(const TopicFigures& t) {
    return t.firstSumTenths + t.secondSumTenths;
}
qint64 AllCount(const TopicFigures& t) {
    return t.firstCount + t.secondCount;
}

// Exact comparison of two topic scores (the mean over every marked attempt,
// first and second alike): -1, 0 or 1.
int CompareScores(const TopicFigures& a, const TopicFigures& b) {
    const qint64 left = AllTenths(a) * AllCount(b);
    const qint64 right = AllTenths(b) * AllCount(a);
    return left < right ? -1 : (left > right ? 1 : 0);
}

} // namespace

QString ReportFigures::AverageText(qint64 tenthsSum, int count) {
    return TenthsText(RoundHalfEvenRatio(tenthsSum, count)) + QLatin1Char('%');
}

ReportFigures ReportFigures::Compute(const ModuleDefinition& module, const MarksRecords& marks) {
    ReportFigures figures;
    const int topicCount = qBound(0, module.topicCount, Rows);

    int firstTotalCount = 0;
    int secondTotalCount = 0;
    qint64 firstTotalTenths = 0;
    qint64 secondTotalTenths = 0;

    for (int k = 1; k <= Rows; ++k) {
        TopicFigures& t = figures.topics[k - 1];
        t.name = module.topicNames.value(k - 1);
        t.shown = k <= topicCount;
        if (!t.shown)
            continue;
        AddTopicEntries(marks.FSE, k, &t.firstCount, &t.firstSumTenths);
        AddTopicEntries(marks.SSE, k, &t.secondCount, &t.secondSumTenths);
        if (t.firstCount > 0) {
            t.firstMark = AverageText(t.firstSumTenths, t.firstCount);
            t.firstFraction = double(t.firstSumTenths) / t.firstCount / 1000.0;
        }
        if (t.secondCount > 0) {
            t.secondMark = AverageText(t.secondSumTenths, t.secondCount);
            t.secondFraction = double(t.secondSumTenths) / t.secondCount / 1000.0;
        }
        firstTotalCount += t.firstCount;
        firstTotalTenths += t.firstSumTenths;
        secondTotalCount += t.secondCount;
        secondTotalTenths += t.secondSumTenths;
        if (t.attempted())
            ++figures.attemptedTopics;
    }

    if (firstTotalCount > 0)
        figures.OScore1 = AverageText(firstTotalTenths, firstTotalCount);
    if (secondTotalCount > 0)
        figures.OScore2 = AverageText(secondTotalTenths, secondTotalCount);
    figures.PCNum = QString::number(firstTotalCount) + QStringLiteral(" / ") +
                    QString::number(module.paperCount);

    if (figures.attemptedTopics < 2)
        return figures;
    // Scanning upward and accepting equal scores hands ties to the
    // higher-numbered topic.
    for (int k = 1; k <= topicCount; ++k) {
        const TopicFigures& t = figures.topics[k - 1];
        if (!t.attempted() || t.name == mockExaminationName())
            continue;
        if (figures.weakestTopic == 0 ||
            CompareScores(t, figures.topics[figures.weakestTopic - 1]) <= 0)
            figures.weakestTopic = k;
        if (figures.strongestTopic == 0 ||
            CompareScores(t, figures.topics[figures.strongestTopic - 1]) >= 0)
            figures.strongestTopic = k;
    }
    // Two topics attempted but neither a candidate keeps "-".
    if (figures.weakestTopic > 0)
        figures.WT = figures.topics[figures.weakestTopic - 1].name + QLatin1Char(' ');
    if (figures.strongestTopic > 0)
        figures.ST = figures.topics[figures.strongestTopic - 1].name + QLatin1Char(' ');
    return figures;
}
