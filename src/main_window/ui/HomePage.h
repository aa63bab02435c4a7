#pragma once
// The Home page `Body_Home`: the topics of the chosen module on the left
// (`Topic1`..`Topic10` with `Bullet1`..`Bullet10`) and, for the chosen topic,
// its five papers on the right: per row the first- and second-attempt marks
// (`MSA1`..`MSA5`, `MSB1`..`MSB5`) beside the "%" column `Percent1a`, and the
// buttons that open the paper for a first (`P1a`..`P5a`) or second attempt
// (`P1b`..`P5b`). The second-attempt button shows only when the first
// attempt scored 99% or less.
//
// For screen readers the topics are a list whose chosen topic is selected,
// and each paper row a group named with its scores ("Paper 1, first attempt
// 87.5 %, second attempt not taken") that holds its two buttons.
//
// Keys: Up and Down move through the topics, choosing each one as they go;
// on the paper buttons they move from button to button. Enter or Space opens
// the focused paper button.

#include "results/ResultsFiles.h"

#include <QStringList>
#include <QWidget>
#include <array>

struct AppState;
class PictureCache;
class PictureButton;
class ClickLabel;
class PercentColumn;
class QLabel;

class HomePage : public QWidget {
    Q_OBJECT
public:
    static constexpr int TopicSlots = 10;
    static constexpr int Rows = 5;

    // size: the page's size in pixels; the paper column is laid out
    // against its right edge.
    HomePage(AppState& state, PictureCache& pictures, const QSize& size, QWidget* parent);

    // Reloads the chosen module (`LChose`) and its marks file (`lblCOD`),
    // fills the topic list and, unless a refresh is running, chooses topic 1.
    void LoadModuleResults();
    // Topic k (1..10) was clicked.
    void Topic_Click(int k);
    // Fills the paper rows for the topic whose first paper index is topicNum
    // (1, 6, ..., 46).
    void TopicChoosing(int topicNum);
    // Highlights topic k (1..10) and un-highlights the others.
    void Topicbuttoncolour(int k);
    void ArrangePaperRows();

    const MarksRecords& marks() const { return m_marks; }
    // Whose results the page shows (`lblPupil`), and whether the pupil can
    // be changed here (`ButChangePupil`); an empty name shows neither.
    void setPupil(const QString& name, bool canChange);

Q_SIGNALS:
    void changePupilClicked();
    // A paper button was clicked: offset 0..4 (row - 1), attempt 1 or 2.
    void paperChosen(int offset, int attempt);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildTopics(PictureCache& pictures);
    bool moveTopicFocus(int step);
    bool movePaperFocus(int step);
    void buildRows(PictureCache& pictures);
    void buildPupilLine(PictureCache& pictures);
    void ShowTopicEntry(int index, bool shown);
    void placeMark(QLabel* mark, int lineCentre);

    AppState& m_state;
    int m_topicCount = 0;
    int m_paperCount = 0;
    QStringList m_topicNames;
    MarksRecords m_marks;

    QWidget* m_topicList = nullptr;
    std::array<ClickLabel*, TopicSlots> m_topics{};
    std::array<QLabel*, TopicSlots> m_bullets{};
    QLabel* m_subHeading = nullptr;
    QLabel* m_pupil = nullptr;
    PictureButton* m_changePupil = nullptr;
    PercentColumn* m_percent = nullptr;
    std::array<QLabel*, Rows> m_firstMarks{};
    std::array<QLabel*, Rows> m_secondMarks{};
    std::array<PictureButton*, Rows> m_firstButtons{};
    std::array<PictureButton*, Rows> m_secondButtons{};
    std::array<QWidget*, Rows> m_rowBoxes{};
    // Vertical centres of the two attempt lines, inside the row.
    std::array<int, Rows> m_firstLineCentre{};
    std::array<int, Rows> m_secondLineCentre{};
};
