#include "ReportFigures.h"
#include "core/Numbering.h"
#include "core/Scoring.h"

namespace {

// Adds one attempt's scores of one topic. A paper without a score (not
// marked, or a damaged file) is left out rather than counted as a score it
// never was.
void addTopicEntries(const MarksRecords& marks, bool second, int topic, int* count,
                     qint64* sumTenths) {
    const int first = Numbering::topicFirstIndex(topic);
    for (int j = 0; j < Numbering::PapersPerTopic; ++j) {
        const PaperMarks paper = marks.paper(first + j);
        const std::optional<qint64> tenths = second ? paper.secondTenths : paper.firstTenths;
        if (!tenths)
            continue;
        ++*count;
        *sumTenths += *tenths;
    }
}

qint64 allTenths(const TopicFigures& t) {
    return t.firstSumTenths + t.secondSumTenths;
}
qint64 allCount(const TopicFigures& t) {
    return t.firstCount + t.secondCount;
}

// Exact comparison of two topic scores (the mean over every marked attempt,
// first and second alike): -1, 0 or 1.
int compareScores(const TopicFigures& a, const TopicFigures& b) {
    const qint64 left = allTenths(a) * allCount(b);
    const qint64 right = allTenths(b) * allCount(a);
    return left < right ? -1 : (left > right ? 1 : 0);
}

} // namespace

QString ReportFigures::averageText(qint64 tenthsSum, int count) {
    return tenthsText(roundHalfEvenRatio(tenthsSum, count)) + QLatin1Char('%');
}

ReportFigures ReportFigures::compute(const ModuleDefinition& module, const MarksRecords& marks) {
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
        addTopicEntries(marks, false, k, &t.firstCount, &t.firstSumTenths);
        addTopicEntries(marks, true, k, &t.secondCount, &t.secondSumTenths);
        if (t.firstCount > 0) {
            t.firstMark = averageText(t.firstSumTenths, t.firstCount);
            t.firstFraction = double(t.firstSumTenths) / t.firstCount / 1000.0;
        }
        if (t.secondCount > 0) {
            t.secondMark = averageText(t.secondSumTenths, t.secondCount);
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
        figures.OScore1 = averageText(firstTotalTenths, firstTotalCount);
    if (secondTotalCount > 0)
        figures.OScore2 = averageText(secondTotalTenths, secondTotalCount);
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
            compareScores(t, figures.topics[figures.weakestTopic - 1]) <= 0)
            figures.weakestTopic = k;
        if (figures.strongestTopic == 0 ||
            compareScores(t, figures.topics[figures.strongestTopic - 1]) >= 0)
            figures.strongestTopic = k;
    }
    // Two topics attempted but neither a candidate keeps "-".
    if (figures.weakestTopic > 0)
        figures.WT = figures.topics[figures.weakestTopic - 1].name + QLatin1Char(' ');
    if (figures.strongestTopic > 0)
        figures.ST = figures.topics[figures.strongestTopic - 1].name + QLatin1Char(' ');
    return figures;
}
