#pragma once
// Every figure of the Report page, computed from the module's marks without
// any widget. Scores are stored with at most one decimal, so sums are kept in
// exact tenths and every shown percentage is rounded once, halves to even.

#include "core/ProgramDefinition.h"
#include "results/ResultsFiles.h"
#include <QString>
#include <QtGlobal>
#include <array>

struct TopicFigures {
    QString name;
    bool shown = false; // row k is shown when the topic count is k or more
    int firstCount = 0;
    qint64 firstSumTenths = 0;
    int secondCount = 0;
    qint64 secondSumTenths = 0;
    QString firstMark;  // "85%", or "" when no first attempt is marked
    QString secondMark; // likewise for the second attempt
    // Unrounded average / 100, the share of the bar background the bar fills
    // (0 when nothing is marked).
    double firstFraction = 0.0;
    double secondFraction = 0.0;

    bool attempted() const { return firstCount > 0; }
};

struct ReportFigures {
    static constexpr int Rows = 10;
    // Never offered as strongest or weakest: it is not a topic of its own.
    static QString mockExaminationName() { return QStringLiteral("Mock Examination"); }

    std::array<TopicFigures, Rows> topics; // topics[k - 1] is row k
    QString OScore1 = QStringLiteral("-");
    QString OScore2 = QStringLiteral("-");
    QString PCNum;
    QString ST = QStringLiteral("-");
    QString WT = QStringLiteral("-");
    int attemptedTopics = 0;
    int strongestTopic = 0; // 1-based, 0 when none is shown
    int weakestTopic = 0;

    static ReportFigures compute(const ModuleDefinition& module, const MarksRecords& marks);
    // tenthsSum / count as a percentage text, "72.2%"; count must be > 0.
    static QString averageText(qint64 tenthsSum, int count);
};
