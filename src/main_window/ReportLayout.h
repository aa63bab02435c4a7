#pragma once
// The printed results report as lines of items laid out in print zones: every
// item starts at the next zone, a zone being 14 average character widths, and
// every non-empty line begins with a single-space item so text starts in zone 2.

#include "core/ProgramDefinition.h"
#include "results/ResultsFiles.h"
#include <QList>
#include <QString>
#include <QStringList>

class ReportLayout {
public:
    static constexpr int ZoneColumns = 14;
    static constexpr int RuleLength = 128;
    static constexpr int TitleLines = 5; // two empty, the title, two empty
    static constexpr int LinesPerTopic = 12;

    // All lines of the report; an empty list is an empty line.
    static QList<QStringList> reportLines(const QString& caption, const ModuleDefinition& module,
                                          const MarksRecords& marks);

    // Where each item of a line starts, given the items' widths and the width
    // of a zone (any unit). An item starts at the first zone boundary beyond
    // the end of the one before, so a long item pushes the rest on by whole
    // zones and an empty item still takes its zone.
    static QList<qreal> zoneStartsFor(const QList<qreal>& itemWidths, qreal zoneWidth);
};
