#include "main_window/ui/ReportPage.h"

#include "chrome/Labels.h"
#include "main_window/TrendReading.h"
#include "main_window/ui/TrendPlot.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int BarHeight = 28;
constexpr int Margin = 8;
constexpr int LegendHeight = 30;
constexpr int TrackHeight = 18;

const char* const PageStyle = R"(
#Body_Report { background: #f3f7fc; }
QFrame[reportBar="true"] {
    border: 1px solid #2f6db0; border-radius: 5px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6aa8e6, stop:1 #3b7fc8);
}
QFrame[reportBar="true"][open="true"] {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f6b04d, stop:1 #e58a1f);
    border-color: #c06f12;
}
QFrame[reportBar="true"]:focus { border: 2px solid #e86000; }
QFrame[reportBar="true"][open="true"]:focus { border: 2px solid #1d4f91; }
QFrame[reportBar="true"] QLabel { color: white; font-weight: bold; background: transparent; }
QFrame[reportPanel="true"] { background: #f3f7fc; border: none; }
QFrame[summaryTile="true"] {
    background: white; border: 1px solid #d6e2f0; border-left: 5px solid #5b9bd5;
    border-radius: 6px;
}
QFrame[summaryTile="true"] QLabel { background: transparent; border: none; }
QLabel[role="caption"] { color: #4a5a6a; }
QLabel[role="value"] { color: #1d4f91; font-weight: bold; }
QLabel[role="legend"] { color: #4a5a6a; font-weight: bold; }
QLabel[role="topic"] { color: #22313f; }
QFrame[track="true"] { background: #e3eaf3; border: 1px solid #cfd9e6; border-radius: 4px; }
QLabel[bar="A"] { background: #8cc3f5; border-radius: 3px; }
QLabel[bar="B"] { background: #9fdd9a; border-radius: 3px; }
QLabel[role="mark"] { color: #22313f; font-weight: bold; background: transparent; }
QLabel[role="axis"] { color: #4a5a6a; }
)";

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const char* role,
                  qreal pointScale = 1.0) {
    QLabel* label = Labels::text(name, text, parent);
    label->setProperty("role", role);
    if (pointScale != 1.0) {
        QFont f = label->font();
        f.setPointSizeF(f.pointSizeF() * pointScale);
        label->setFont(f);
    }
    return label;
}

void repolish(QWidget* w) {
    w->style()->unpolish(w);
    w->style()->polish(w);
}

} // namespace

ReportPage::ReportPage(QWidget* parent) : QWidget(parent) {
    setObjectName("Body_Report");
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QString::fromLatin1(PageStyle));

    m_panels[0] = createSummaryPanel();
    m_panels[1] = createTopicalPanel();
    m_panels[2] = createTrendPanel();
    m_bars[0] = createBar(1, "Overall Results", "Click to show overall results");
    m_bars[1] = createBar(2, "Topical Results", "Click to show topical results");
    m_bars[2] = createBar(3, "Trend Analysis", "Click to show past trends");

    // An empty report until the first BuildReport.
    m_figures = ReportFigures::compute(ModuleDefinition{}, MarksRecords{});
    resize(390, 400);
    ArrangeReportPanels(1);
}

QFrame* ReportPage::createBar(int n, const QString& caption, const QString& toolTip) {
    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("RCBar%1").arg(n));
    bar->setProperty("reportBar", true);
    bar->setProperty("open", false);
    bar->setToolTip(toolTip);
    bar->setCursor(Qt::PointingHandCursor);
    bar->setFixedHeight(BarHeight);
    // Tab reaches the bar and Enter or Space opens its panel.
    bar->setFocusPolicy(Qt::TabFocus);
    bar->setAccessibleName(caption);
    auto* label = makeLabel(bar, QStringLiteral("lblRCBar%1").arg(n), caption, "barCaption", 1.1);
    label->setToolTip(toolTip);
    label->setCursor(Qt::PointingHandCursor);
    auto* layout = new QVBoxLayout(bar);
    layout->setContentsMargins(12, 0, 12, 0);
    layout->addWidget(label);
    bar->installEventFilter(this);
    label->installEventFilter(this);
    bar->setProperty("reportPos", n);
    label->setProperty("reportPos", n);
    return bar;
}

QFrame* ReportPage::createSummaryPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName("RC1Summary");
    panel->setProperty("reportPanel", true);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(Margin + 2, Margin + 2, Margin + 2, Margin + 2);
    layout->setSpacing(7);

    auto addTile = [&](const QString& name, const QString& caption) {
        auto* tile = new QFrame(panel);
        tile->setObjectName(name + "Tile");
        tile->setProperty("summaryTile", true);
        auto* tileLayout = new QVBoxLayout(tile);
        tileLayout->setContentsMargins(10, 4, 8, 4);
        tileLayout->setSpacing(0);
        tileLayout->addWidget(makeLabel(tile, name + "Caption", caption, "caption", 0.95));
        QLabel* value = makeLabel(tile, name, "-", "value", 1.35);
        value->setWordWrap(true);
        tileLayout->addWidget(value);
        layout->addWidget(tile, 1);
        return value;
    };
    m_OScore1 = addTile("OScore1", "First Attempt Average Score:");
    m_OScore2 = addTile("OScore2", "Second Attempt Average Score:");
    m_PCNum = addTile("PCNum", "Number of Papers Completed:");
    m_ST = addTile("ST", "Strongest Topic:");
    m_WT = addTile("WT", "Weakest Topic:");
    return panel;
}

QFrame* ReportPage::createTopicalPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName("RC2Topical");
    panel->setProperty("reportPanel", true);
    m_legends[0] = makeLabel(panel, "lblFirstLegend", "First Attempt results", "legend", 0.9);
    m_legends[1] = makeLabel(panel, "lblSecondLegend", "Second Attempt Score", "legend", 0.9);
    for (QLabel* legend : m_legends) {
        legend->setWordWrap(true);
        legend->setAlignment(Qt::AlignCenter);
    }
    const char* const suffix[2] = {"A", "B"};
    for (int k = 1; k <= ReportFigures::Rows; ++k) {
        TopicRow& row = m_rows[k - 1];
        row.name = makeLabel(panel, QStringLiteral("TopLab%1").arg(k), QString(), "topic", 0.85);
        row.name->setWordWrap(true);
        for (int a = 0; a < 2; ++a) {
            const QString id = QString::number(k) + QLatin1String(suffix[a]);
            row.back[a] = new QFrame(panel);
            row.back[a]->setObjectName("TBack" + id);
            row.back[a]->setProperty("track", true);
            row.bar[a] = new QLabel(row.back[a]);
            row.bar[a]->setObjectName("TBar" + id);
            row.bar[a]->setProperty("bar", suffix[a]);
            row.mark[a] = makeLabel(row.back[a], "TMark" + id, QString(), "mark", 0.9);
            row.mark[a]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    return panel;
}

QFrame* ReportPage::createTrendPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName("RC3Trend");
    panel->setProperty("reportPanel", true);
    m_plot = new TrendPlot(panel);
    m_axis = new QWidget(panel);
    m_axis->setObjectName("lblTrendAxis");
    for (int i = 0; i < int(m_axisLabels.size()); ++i) {
        const int percent = 100 - 10 * i;
        m_axisLabels[i] = makeLabel(m_axis, QStringLiteral("lblTrendAxis%1").arg(percent),
                                    QStringLiteral("%1%").arg(percent), "axis", 0.8);
        m_axisLabels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    m_axisCaption = makeLabel(panel, "lblTrendCaption", "Recent Papers Attempted", "legend", 0.95);
    m_axisCaption->setAlignment(Qt::AlignCenter);
    return panel;
}

void ReportPage::setPupilName(const QString& name) {
    const QString caption = name.isEmpty() ? QStringLiteral("Overall Results")
                                           : QStringLiteral("Overall Results \u2013 ") + name;
    auto* label = m_bars[0]->findChild<QLabel*>(QStringLiteral("lblRCBar1"));
    // Cut at the bar's edge; the whole caption is read out.
    label->setText(QFontMetrics(label->font())
                       .elidedText(caption, Qt::ElideRight, qMax(80, m_bars[0]->width() - 24)));
    m_bars[0]->setAccessibleName(caption);
}

void ReportPage::BuildReport(const ModuleDefinition& module, const MarksRecords& marks,
                             const QString& trendPath) {
    m_figures = ReportFigures::compute(module, marks);
    for (int k = 0; k < ReportFigures::Rows; ++k)
        ShowTopicResult(m_rows[k], m_figures.topics[k]);
    m_OScore1->setText(m_figures.OScore1);
    m_OScore2->setText(m_figures.OScore2);
    m_PCNum->setText(m_figures.PCNum);
    m_ST->setText(m_figures.ST);
    m_WT->setText(m_figures.WT);
    // Hiding a track hides the bar and the mark inside it.
    for (int k = ReportFigures::Rows; k >= 1; --k) {
        TopicRow& row = m_rows[k - 1];
        const bool shown = m_figures.topics[k - 1].shown;
        row.name->setVisible(shown);
        row.back[0]->setVisible(shown);
        row.back[1]->setVisible(shown);
    }
    layOutTopical();
    m_plot->setValues(TrendReading::fromFile(trendPath));
}

void ReportPage::ShowTopicResult(TopicRow& row, const TopicFigures& topic) {
    row.name->setText(topic.name);
    row.name->setToolTip(topic.name);
    row.mark[0]->setText(topic.firstMark);
    row.mark[1]->setText(topic.secondMark);
    row.bar[0]->show();
    row.bar[1]->show();
}

void ReportPage::ArrangeReportPanels(int txtReportPos) {
    m_reportPos = txtReportPos;
    const int s = height();
    const int h1 = m_bars[0]->height();
    const int h2 = m_bars[1]->height();
    const int h3 = m_bars[2]->height();
    const int panelHeight = qMax(0, s - h1 - h2 - h3);

    int tops[3] = {0, h1, h1 + h2};
    int open = 2;
    int openTop = h1 + h2 + h3;
    if (txtReportPos == 1) {
        tops[1] = s - h3 - h2;
        tops[2] = s - h3;
        open = 0;
        openTop = h1;
    } else if (txtReportPos == 2) {
        tops[2] = s - h3;
        open = 1;
        openTop = h1 + h2;
    }
    for (int i = 0; i < 3; ++i) {
        m_bars[i]->setGeometry(0, tops[i], width(), m_bars[i]->height());
        m_bars[i]->setProperty("open", i == open);
        repolish(m_bars[i]);
    }
    m_panels[open]->setGeometry(0, openTop, width(), panelHeight);
    layOutPanels();

    // The closed panels stay where they were, behind the open one.
    m_panels[open]->raise();
    m_bars[0]->raise();
    m_bars[1]->raise();
    m_bars[2]->raise();
}

void ReportPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int panelHeight = qMax(0, height() - 3 * BarHeight);
    for (QFrame* panel : m_panels)
        panel->resize(width(), panelHeight);
    ArrangeReportPanels(m_reportPos);
}

bool ReportPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QVariant pos = watched->property("reportPos");
        const bool opens = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                           key->key() == Qt::Key_Space;
        if (opens && pos.isValid()) {
            if (!key->isAutoRepeat())
                Q_EMIT reportPanelChosen(pos.toInt());
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QVariant pos = watched->property("reportPos");
        if (mouse->button() == Qt::LeftButton && pos.isValid()) {
            auto* widget = qobject_cast<QWidget*>(watched);
            // A release outside the bar is a cancelled click.
            if (widget && widget->rect().contains(mouse->position().toPoint()))
                Q_EMIT reportPanelChosen(pos.toInt());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ReportPage::layOutPanels() {
    layOutTopical();
    layOutTrend();
}

void ReportPage::layOutTopical() {
    const QFrame* panel = m_panels[1];
    const int w = panel->width();
    const int nameWidth = (w - 2 * Margin) * 41 / 100;
    const int trackWidth = (w - 2 * Margin - nameWidth - 2 * 8) / 2;
    const int x0 = Margin;
    const int xA = x0 + nameWidth + 8;
    const int xB = xA + trackWidth + 8;

    m_legends[0]->setGeometry(xA, 4, trackWidth, LegendHeight);
    m_legends[1]->setGeometry(xB, 4, trackWidth, LegendHeight);

    const int top = 4 + LegendHeight;
    const int rowHeight = qMax(TrackHeight + 2, (panel->height() - top - 4) / ReportFigures::Rows);
    // The track of row 1A scales every bar: all tracks have the same width.
    const int inner = qMax(0, trackWidth - 2);
    for (int k = 0; k < ReportFigures::Rows; ++k) {
        TopicRow& row = m_rows[k];
        const int y = top + k * rowHeight;
        row.name->setGeometry(x0, y, nameWidth, rowHeight);
        const TopicFigures& t = m_figures.topics[k];
        const double fraction[2] = {t.firstFraction, t.secondFraction};
        const int x[2] = {xA, xB};
        for (int a = 0; a < 2; ++a) {
            row.back[a]->setGeometry(x[a], y + (rowHeight - TrackHeight) / 2, trackWidth,
                                     TrackHeight);
            const int length = qRound(inner * qBound(0.0, fraction[a], 1.0));
            row.bar[a]->setGeometry(1, 1, length, TrackHeight - 2);
            row.mark[a]->setGeometry(1, 0, inner - 4, TrackHeight);
        }
    }
}

void ReportPage::layOutTrend() {
    const QFrame* panel = m_panels[2];
    const int axisWidth = 38;
    const int captionHeight = 20;
    const int top = 12;
    const int plotLeft = Margin + axisWidth + 4;
    const int plotWidth = qMax(0, panel->width() - plotLeft - Margin - 4);
    const int plotHeight = qMax(0, panel->height() - top - captionHeight - 14);
    m_plot->setGeometry(plotLeft, top, plotWidth, plotHeight);

    // Each axis value sits level with its grid line.
    m_axis->setGeometry(Margin, 0, axisWidth, panel->height());
    const int labelHeight = 16;
    for (int i = 0; i < int(m_axisLabels.size()); ++i) {
        const int y = top + qRound(i * plotHeight / 10.0);
        m_axisLabels[i]->setGeometry(0, y - labelHeight / 2, axisWidth, labelHeight);
    }
    m_axisCaption->setGeometry(plotLeft, top + plotHeight + 6, plotWidth, captionHeight);
}
