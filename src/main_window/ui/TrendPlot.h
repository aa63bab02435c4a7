#pragma once
// The drawing surface `RC3TrendPlot`: the recent first-attempt scores as a line
// chart with a dot and a stem at every point, oldest on the left. Drawn afresh
// in paintEvent from the values, so it stays crisp at any device pixel ratio.

#include <QColor>
#include <QList>
#include <QWidget>

class TrendPlot : public QWidget {
    Q_OBJECT
public:
    static constexpr int Steps = 21;          // x positions 1..20 of 21 steps
    static constexpr int DotRadiusTwips = 30; // 30 concentric circles of 1..30 twips
    static QColor gridColour() { return QColor(0xE0, 0xE0, 0xE0); }
    static QColor stemColour() { return Qt::black; }
    static QColor lineColour() { return QColor(0x00, 0x00, 0xFF); }

    explicit TrendPlot(QWidget* parent = nullptr);

    // Oldest first; only the last 20 are drawn.
    void setValues(const QList<double>& values);
    const QList<double>& values() const { return m_values; }

    // Where point i (1-based) of value v lies, in widget coordinates.
    QPointF pointAt(int i, double value) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<double> m_values;
};
