#pragma once
// One answer row `Frame`k of the answer sheet: the part label `QL`k, the
// answer box `FA`k, the result marks `FR`k (first attempt) and `SR`k (second
// attempt), the model-answer box `M`k and the fixed text `T`k. The row draws
// the light-blue border around its answer box itself, and the focus frame
// over it while the box has the keyboard focus. Screen readers hear the box
// with its question and part ("Question 3, answer (b)"; "Question 3, answer"
// when the question has one blank and shows no part), the marks as "correct"
// or "wrong".

#include "practice/AnswerRowContent.h"

#include <QWidget>

class QLabel;
class QLineEdit;

class AnswerRow : public QWidget {
    Q_OBJECT
public:
    // Size of an ordinary row, in twips.
    static constexpr int DesignWidth = 3900;
    static constexpr int DesignHeight = 375;
    static constexpr int LongHeight = 2100; // row 1 holding a kind "L" blank

    AnswerRow(int k, bool secondAttempt, QWidget* parent);

    int number() const { return m_k; }
    QLineEdit* FA() const { return m_answer; }
    QLineEdit* M() const { return m_model; }
    QLabel* FR() const { return m_firstMark; }
    QLabel* SR() const { return m_secondMark; } // null in the first attempt
    QLabel* QL() const { return m_part; }
    QLabel* T() const { return m_text; }

    // FillAnswerRow: texts, Q-setting, locks and which marks show.
    void fill(const AnswerRowContent& content);
    // The names of the boxes for question q (1-based), with the row's part
    // letter when the question shows part labels.
    void setQuestion(int q, bool lettered);
    // Row 1 only: the ordinary size, or the enlarged one of a long answer.
    void sizeForKind(bool longAnswer);

    // The text shown for a result mark: a tick or a cross in any font.
    static QString markGlyph(ResultMark mark);
    // Shown under the box when a key or a paste is refused, naming the sign
    // that was refused where it can be seen.
    static QString refusedInputHint(QChar sign = QChar());

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeMarks();

    int m_k;
    bool m_long = false;
    bool m_firstMarkBesideBox = false;
    QLabel* m_part;
    QLineEdit* m_answer;
    QLabel* m_firstMark;
    QLabel* m_secondMark = nullptr;
    QLineEdit* m_model;
    QLabel* m_text;
};
