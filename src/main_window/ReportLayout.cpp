#include "ReportLayout.h"
#include "core/Numbering.h"
#include <QtMath>

QList<QStringList> ReportLayout::reportLines(const QString& caption, const ModuleDefinition& module,
                                             const MarksRecords& marks) {
    const QString space = QStringLiteral(" ");
    const QString rule(RuleLength, QLatin1Char('-'));
    const QStringList empty;

    QList<QStringList> lines;
    lines << empty << empty << QStringList{space, caption} << empty << empty;

    for (int topic = 1; topic <= module.topicCount; ++topic) {
        lines << empty << empty;
        lines << QStringList{space, module.topicNames.value(topic - 1)};
        lines << QStringList{space, rule};
        lines << QStringList{space,
                             QStringLiteral("Papers"),
                             space,
                             QStringLiteral("First take"),
                             QStringLiteral("Time taken"),
                             QStringLiteral("Date"),
                             space,
                             QStringLiteral("Second take")};
        lines << QStringList{space, space, space, QStringLiteral("score"),
                             space, space, space, QStringLiteral("score")};
        lines << QStringList{space, rule};
        const int first = Numbering::topicFirstIndex(topic);
        for (int j = 1; j <= Numbering::PapersPerTopic; ++j) {
            const PaperMarks paper = marks.paper(first + j - 1);
            lines << QStringList{space,           QStringLiteral("Paper ") + QString::number(j),
                                 space,           scoreText(paper.firstTenths) + QLatin1Char('%'),
                                 paper.timeTaken, paper.markedOn,
                                 space,           scoreText(paper.secondTenths) + QLatin1Char('%')};
        }
    }
    return lines;
}

QList<qreal> ReportLayout::zoneStartsFor(const QList<qreal>& itemWidths, qreal zoneWidth) {
    QList<qreal> starts;
    if (zoneWidth <= 0)
        return starts;
    // Counted in whole zones so that rounding never lands an item on the zone
    // of the one before.
    int zone = 0;
    for (int i = 0; i < itemWidths.size(); ++i) {
        if (i > 0)
            zone += qFloor(qMax<qreal>(0, itemWidths.at(i - 1)) / zoneWidth) + 1;
        starts << zone * zoneWidth;
    }
    return starts;
}
