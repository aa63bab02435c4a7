#pragma once
// The answer sheet `AnsBox`: twenty answer rows stacked from the top and the
// instruction picture `PicInstruction` for fractions at the bottom. It lays
// out and shows the rows of one question; what goes into each row comes from
// the paper session.
//
// Keys: Tab and Shift+Tab go through the answer boxes in row order; Enter in
// a box moves to the next box that takes the focus (a locked box of the
// second attempt does not), and Enter in the last one reports
// enterPastLastBox() so that the window can go on to the next question.
// The boxes' caret stops blinking a few seconds after the last key (CaretRest).

#include "practice/AnswerRowContent.h"

#include <QList>
#include <QStringList>
#include <QWidget>

class AnswerRow;
class PictureCache;
class QLabel;

class AnswerSheet : public QWidget {
    Q_OBJECT
public:
    static constexpr int RowCount = 20;
    static constexpr int DesignWidth = 4140; // twips
    static constexpr int RowLeft = 120;      // twips
    static constexpr int FirstRowTop = 50;   // twips
    static constexpr int Gap = 105;          // twips between rows
    static constexpr int CrowdedGap = -10;   // 16 rows or more overlap a little
    static constexpr int CrowdedRows = 16;

    AnswerSheet(PictureCache& pictures, bool secondAttempt, QWidget* parent);

    AnswerRow* row(int k) const { return m_rows.value(k - 1); } // 1..20
    QLabel* PicInstruction() const { return m_instruction; }

    // layoutAnswerSheet: the instruction picture, row 1's size by its kind,
    // and the filling of the first rows.contents.size() rows (at most 20).
    void layoutAnswerSheet(const QList<AnswerRowContent>& contents, bool firstIsLong,
                           bool showInstruction);
    // The question whose rows are shown next (names the boxes for screen
    // readers); 0, before any, leaves the plain names.
    void setQuestionNumber(int q) { m_question = q; }
    // showAnswerRows: stack the rows, show the first n, show `QL1` only for
    // a question with several blanks.
    void showAnswerRows(int n);
    void stackAnswerRows(int n);
    // The texts of the first n answer boxes, exactly as typed.
    QStringList rowTexts(int n) const;

    // Gives the focus to the first shown box that takes it; false when
    // there is none.
    bool focusFirstBox();
    // Row of the shown box after row k that takes the focus; 0 when none.
    int nextFocusableRow(int k) const;

Q_SIGNALS:
    // Enter was pressed in the last box of the question that takes the focus.
    void enterPastLastBox();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeInstruction();

    QList<AnswerRow*> m_rows;
    QLabel* m_instruction;
    int m_shown = 0;
    int m_question = 0;
};
