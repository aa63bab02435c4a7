#pragma once
// The marking animation's panel `fmeMark`, a field of the bottom strip:
// fifteen bars `imgBar01` to `imgBar15`, 195 twips apart, revealed one by
// one, 0.2 seconds apart. Screen readers hear it as a progress bar whose
// value follows the bars ("Marking 7 of 15").

#include <QList>
#include <QWidget>
#include <functional>

class PictureCache;
class QLabel;

class MarkingProgress : public QWidget {
    Q_OBJECT
public:
    static constexpr int BarCount = 15;
    static constexpr int StepMilliseconds = 200;
    static constexpr int BarPitch = 195; // twips

    MarkingProgress(PictureCache& pictures, QWidget* parent);

    QLabel* bar(int n) const { return m_bars.value(n - 1); } // 1..15
    int shownBars() const { return m_shownBars; }            // 0..15
    // "Marking 7 of 15" while the bars run; empty before the first.
    QString progressText() const;

    // Shows the panel, reveals the bars one per step (delay waits one step)
    // and hides the panel again.
    void run(const std::function<void(int milliseconds)>& delay);

Q_SIGNALS:
    // After bar n has been revealed (tests watch the animation through this).
    void barShown(int n);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setShownBars(int n);

    QPixmap m_background;
    QList<QLabel*> m_bars;
    int m_shownBars = 0;
};
