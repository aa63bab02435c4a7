#pragma once
// The Report page (`Body_Report`): three panels stacked like an accordion under
// the bars `RCBar1`..`RCBar3` — overall results, topical bars and the trend plot.
// Every figure comes from ReportFigures; the page only shows them.

#include "core/ProgramDefinition.h"
#include "results/ResultsFiles.h"
#include <QWidget>

class ReportPage : public QWidget {
    Q_OBJECT
public:
    explicit ReportPage(QWidget* parent = nullptr);

    // Recomputes and fills all three panels from the module's marks and its
    // trend log (trendPath; a missing file plots only the grid).
    void BuildReport(const ModuleDefinition& module, const MarksRecords& marks,
                     const QString& trendPath);
    // Lays out the bars and the open panel; txtReportPos 1, 2 or any other (3).
    void ArrangeReportPanels(int txtReportPos);

Q_SIGNALS:
    // A bar (or its caption) was clicked: 1, 2 or 3.
    void reportPanelChosen(int pos);
};
