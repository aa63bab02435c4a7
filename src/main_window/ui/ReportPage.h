#pragma once
// The Report page (`Body_Report`): three panels stacked like an accordion under
// the bars `RCBar1`..`RCBar3` — overall results, topical bars and the trend plot.
// Every figure comes from ReportFigures; the page only shows them.

#include "core/ProgramDefinition.h"
#include "main_window/ReportFigures.h"
#include "results/ResultsFiles.h"
#include <QWidget>
#include <array>

class QFrame;
class QLabel;
class TrendPlot;

class ReportPage : public QWidget {
    Q_OBJECT
public:
    explicit ReportPage(QWidget* parent = nullptr);

    // Recomputes and fills all three panels from the module's marks and its
    // trend log (trendPath; a missing file plots only the grid).
    void BuildReport(const ModuleDefinition& module, const MarksRecords& marks,
                     const QString& trendPath);
    // Where pupils are named, the first bar says whose report it is.
    void setPupilName(const QString& name);
    // Lays out the bars and the open panel; txtReportPos 1, 2 or any other (3).
    void ArrangeReportPanels(int txtReportPos);

Q_SIGNALS:
    // A bar (or its caption) was clicked: 1, 2 or 3.
    void reportPanelChosen(int pos);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TopicRow {
        QLabel* name = nullptr;
        std::array<QFrame*, 2> back{}; // TBack kA / kB: the bar's track
        std::array<QLabel*, 2> bar{};  // TBar kA / kB: its length is the average
        std::array<QLabel*, 2> mark{}; // TMark kA / kB: the average as text
    };

    QFrame* createBar(int n, const QString& caption, const QString& toolTip);
    QFrame* createSummaryPanel();
    QFrame* createTopicalPanel();
    QFrame* createTrendPanel();
    void ShowTopicResult(TopicRow& row, const TopicFigures& topic);
    void layOutPanels();
    void layOutTopical();
    void layOutTrend();

    std::array<QFrame*, 3> m_bars{};
    std::array<QFrame*, 3> m_panels{};
    QLabel* m_OScore1 = nullptr;
    QLabel* m_OScore2 = nullptr;
    QLabel* m_PCNum = nullptr;
    QLabel* m_ST = nullptr;
    QLabel* m_WT = nullptr;
    std::array<QLabel*, 2> m_legends{};
    std::array<TopicRow, ReportFigures::Rows> m_rows;
    QWidget* m_axis = nullptr;
    std::array<QLabel*, 11> m_axisLabels{};
    QLabel* m_axisCaption = nullptr;
    TrendPlot* m_plot = nullptr;
    ReportFigures m_figures;
    int m_reportPos = 1;
};
