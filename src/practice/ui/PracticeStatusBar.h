#pragma once
// The strip `RemQnsBG` under the question view, a row of fields: `TxtRem`
// with the caption `TxtRemlbl` ("Qns left:") and the drop-down `RemQns` of
// questions that still have an empty blank; `Bot1` with the clock `lblClock`
// (the stored time taken `LTime` once marked); `Bot2` with the date `lblDate`
// (the marking date `ETime` once marked); `Bot3` with the score of a marked
// paper. The second attempt keeps no time: it has no `Bot2`, and `Bot1`
// holds its static caption `PastSc`.

#include <QLabel>
#include <QList>
#include <QPixmap>
#include <QWidget>

class ClockFace;
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

    bool m_second;
    QPixmap m_background;
    QList<QLabel*> m_fields;  // TxtRem, Bot1, Bot2 (first attempt), Bot3
    int m_remDesignWidth = 0; // TxtRem's width when the strip has room
    QLabel* m_txtRem = nullptr;
    QComboBox* m_remQns = nullptr;
    ClockFace* m_clock = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_lTime = nullptr;
    QLabel* m_eTime = nullptr;
    QLabel* m_scoreCaption = nullptr;
    QLabel* m_score = nullptr;
};
