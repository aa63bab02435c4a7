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
class QTimer;

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

    // Shows the panel and reveals one bar every stepMilliseconds; after the
    // last bar the panel hides and finished() follows.
    void start(int stepMilliseconds = StepMilliseconds);
    // Hides the panel at once, without finished().
    void stop();
    // The whole animation before returning, delay waiting each step; for
    // callers that have no event loop to spare (finished() still follows).
    void run(const std::function<void(int milliseconds)>& delay);

Q_SIGNALS:
    // After bar n has been revealed (tests watch the animation through this).
    void barShown(int n);
    void finished();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void begin();
    // Reveals the next bar; true after the last.
    bool step();
    void setShownBars(int n);

    QTimer* m_timer = nullptr;

    QPixmap m_background;
    QList<QLabel*> m_bars;
    int m_shownBars = 0;
};
