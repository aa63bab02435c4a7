#pragma once
// The strip `RemQnsBG` under the question view. On the left the panel
// `TxtRem` with the caption `TxtRemlbl` ("Qns left:") and the drop-down
// `RemQns` of questions that still have an empty blank; on the right the
// clock `lblClock` and the date `lblDate` of the first attempt (replaced by
// the stored time taken `LTime` and marking date `ETime` once marked), and
// the score of a marked paper. The second attempt keeps no time: it shows the
// static captions `PastSc` and `TScore` instead.

#include <QList>
#include <QWidget>

class PictureCache;
class QComboBox;
class QLabel;

class PracticeStatusBar : public QWidget {
    Q_OBJECT
public:
    PracticeStatusBar(PictureCache& pictures, bool secondAttempt, QWidget* parent);

    QComboBox* RemQns() const { return m_remQns; }
    QWidget* TxtRem() const { return m_txtRem; }
    QLabel* lblClock() const { return m_clock; } // null in the second attempt
    QLabel* lblDate() const { return m_date; }   // null in the second attempt
    QLabel* LTime() const { return m_lTime; }    // null in the second attempt
    QLabel* ETime() const { return m_eTime; }    // null in the second attempt
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
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* makeBackground(const char* name, const QPixmap& picture);
    QLabel* makeText(const char* name, const QString& text, QWidget* parent);

    bool m_second;
    QLabel* m_bot1 = nullptr;
    QLabel* m_bot2 = nullptr;
    QLabel* m_bot3 = nullptr;
    QWidget* m_txtRem = nullptr;
    QComboBox* m_remQns = nullptr;
    QWidget* m_timePanel = nullptr;
    QLabel* m_clock = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_lTime = nullptr;
    QLabel* m_eTime = nullptr;
    QWidget* m_scorePanel = nullptr;
    QLabel* m_score = nullptr;
};
