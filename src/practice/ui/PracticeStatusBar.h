#pragma once
// The strip `RemQnsBG` under the question view, a row of fields: `TxtRem`
// with the caption `TxtRemlbl` ("Qns left:") and the drop-down `RemQns` of
// questions that still have an empty blank; `Bot1` with the clock `lblClock`
// (the stored time taken `LTime` once marked); `Bot2` with the date `lblDate`
// (the marking date `ETime` once marked); `Bot3` with the score of a marked
// paper. The second attempt keeps no time: it has no `Bot2`, and `Bot1`
// holds its static caption `PastSc`.
//
// The fields stand in a row from the left end. Where the strip is too narrow
// for them all (a small window, or a large scale on a small screen), the
// list's field narrows first; then the others give way, least needed first,
// so that the clock's field `Bot1` always shows whole.

#include <QLabel>
#include <QList>
#include <QPixmap>
#include <QWidget>

class ClockFace;
class QHBoxLayout;
class PictureCache;
class QComboBox;

class PracticeStatusBar : public QWidget {
    Q_OBJECT
public:
    PracticeStatusBar(PictureCache& pictures, bool secondAttempt, QWidget* parent);

    QComboBox* RemQns() const { return m_remQns; }
    QWidget* TxtRem() const { return m_txtRem; }
    ClockFace* lblClock() const { return m_clock; } // null in the second attempt
    QLabel* lblDate() const { return m_date; }      // null in the second attempt
    QLabel* LTime() const { return m_lTime; }       // null in the second attempt
    QLabel* ETime() const { return m_eTime; }       // null in the second attempt
    QLabel* PScoring() const { return m_score; }

    // Rebuilds the drop-down with the question numbers, none picked.
    void setRemaining(const QList<int>& questions);
    void setClockText(const QString& text);
    void setDateText(const QString& text);
    // The marked view: no remaining list, the stored time and date in place
    // of the clock and today's date, and the score.
    void showMarked(const QString& timeTaken, const QString& markedOn, const QString& percent);

Q_SIGNALS:
    // RemQns_Click: the pupil picked question q.
    void questionPicked(int q);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* makeField(const char* name, const QPixmap& picture, const QSize& fallback);
    QLabel* makeText(const char* name, const QString& text, QWidget* parent);
    // Shows what the state shows, less what the strip's width has no room for.
    void fitToWidth();

    bool m_second;
    bool m_marked = false;
    QPixmap m_background;
    QHBoxLayout* m_row = nullptr;
    QList<QLabel*> m_fields; // TxtRem, Bot1, Bot2 (first attempt), Bot3
    QLabel* m_txtRem = nullptr;
    QLabel* m_remCaption = nullptr;
    QComboBox* m_remQns = nullptr;
    ClockFace* m_clock = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_lTime = nullptr;
    QLabel* m_eTime = nullptr;
    QLabel* m_scoreCaption = nullptr;
    QLabel* m_score = nullptr;
};
