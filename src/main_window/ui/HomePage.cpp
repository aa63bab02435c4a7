#include "main_window/ui/HomePage.h"

#include "chrome/Backgrounds.h"
#include "chrome/ClickLabel.h"
#include "chrome/HoverGroup.h"
#include "chrome/Labels.h"
#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "chrome/ReaderTree.h"
#include "chrome/Twips.h"
#include "core/AppState.h"
#include "core/Numbering.h"
#include "main_window/ui/PercentColumn.h"
#include "practice/PaperSession.h"

#include <QKeyEvent>
#include <QLabel>

namespace {
// Geometry in pixels.
constexpr int Margin = 5;
constexpr int ColumnGap = 8;
constexpr int AttemptIndent = 10;
constexpr int HeadingTextLeft = 14; // right of the column head's orange mark
constexpr int TopicHeight = 30;
constexpr int TopicPitch = 31;
constexpr int SubHeadingHeight = 34;
constexpr int RowGap = 8;
const QSize FallbackColumnHead(180, 22);
const QSize FallbackBullet(12, 12);
const QSize FallbackLoadButton(28, 22);

// The caption that lies on a column-head picture.
void addHeading(QLabel* head, const QString& name, const QString& text) {
    QLabel* heading = Labels::text(name, text, head);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    heading->setGeometry(head->rect().adjusted(HeadingTextLeft, 0, 0, 0));
    // Read as the heading it shows; the picture itself is decoration.
    ReaderTree::SetReadAs(head, ReaderTree::ReadAs::Heading);
}

// What a screen reader hears of a paper row.
QString spokenRow(int row, const QString& first, const QString& second) {
    auto attempt = [](const QString& mark) {
        return mark.isEmpty() ? HomePage::tr("not taken") : mark + QStringLiteral(" %");
    };
    return HomePage::tr("Paper %1, first attempt %2, second attempt %3")
        .arg(row)
        .arg(attempt(first), attempt(second));
}
} // namespace

HomePage::HomePage(AppState& state, PictureCache& pictures, const QSize& size, QWidget* parent)
    : QWidget(parent), m_state(state) {
    setObjectName(QStringLiteral("Body_Home"));
    resize(size);
    Backgrounds::fill(this, Qt::white);
    buildTopics(pictures);
    buildRows(pictures);
    buildPupilLine(pictures);
}

void HomePage::buildPupilLine(PictureCache& pictures) {
    // Under the topics, at the foot of their column: whose results these
    // are, and the button that changes pupil.
    const int right = m_topicList->width();
    m_changePupil = new PictureButton(QStringLiteral("ButChangePupil"), this);
    m_changePupil->resize(QSize(80, 26));
    m_changePupil->setPictures(pictures.get(QStringLiteral("button_off.bmp")),
                               pictures.get(QStringLiteral("button_on.bmp")));
    m_changePupil->addCaption(QStringLiteral("ButChangePupillbl"), tr("Change pupil"));
    m_changePupil->setToolTips(tr("Choose who is practising"));
    (new HoverGroup(this))->add(m_changePupil);
    m_changePupil->move(right - m_changePupil->width(),
                        height() - Margin - m_changePupil->height());
    connect(m_changePupil, &PictureButton::clicked, this, &HomePage::changePupilClicked);

    m_pupil = Labels::text(QStringLiteral("lblPupil"), QString(), this);
    QFont bold = m_pupil->font();
    bold.setBold(true);
    m_pupil->setFont(bold);
    m_pupil->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pupil->setGeometry(Margin + 4, m_changePupil->y(), m_changePupil->x() - Margin - 4 - 4,
                         m_changePupil->height());
    setPupil(QString(), false);
}

void HomePage::setPupil(const QString& name, bool canChange) {
    const QString text = tr("Results of %1").arg(name);
    const int right = canChange ? m_changePupil->x() - 4 : m_topicList->width() - Margin;
    m_pupil->resize(right - m_pupil->x(), m_pupil->height());
    // A long name is cut at the column's edge; the whole name is read out.
    m_pupil->setText(
        QFontMetrics(m_pupil->font()).elidedText(text, Qt::ElideRight, m_pupil->width()));
    m_pupil->setAccessibleName(text);
    m_pupil->setToolTip(name.isEmpty() ? QString() : text);
    m_pupil->setVisible(!name.isEmpty());
    m_changePupil->setVisible(!name.isEmpty() && canChange);
}

void HomePage::buildTopics(PictureCache& pictures) {
    QLabel* head =
        Labels::picture(QStringLiteral("ColHead1"), pictures.get(QStringLiteral("columnhead1.bmp")),
                        FallbackColumnHead, this);
    head->move(Margin, Margin);
    addHeading(head, QStringLiteral("lblColHead1"), tr("Select a Topic"));

    // The topics, with their bullets, lie in a list of their own (for screen
    // readers: a list whose chosen item is selected), as wide as the column
    // and as high as the page, so the page's coordinates hold inside it.
    m_topicList = new QWidget(this);
    m_topicList->setObjectName(QStringLiteral("TopicList"));
    m_topicList->setAccessibleName(tr("Topics"));
    m_topicList->setGeometry(0, 0, head->x() + head->width(), height());
    ReaderTree::SetReadAs(m_topicList, ReaderTree::ReadAs::List);

    const QPixmap& bullet = pictures.get(QStringLiteral("bullet.bmp"));
    int y = head->y() + head->height() + Margin;
    for (int i = 0; i < TopicSlots; ++i, y += TopicPitch) {
        const int k = i + 1;
        QLabel* mark =
            Labels::picture(QStringLiteral("Bullet%1").arg(k), bullet, FallbackBullet, m_topicList);
        mark->move(Margin + 4, y + (TopicHeight - mark->height()) / 2);
        m_bullets[i] = mark;

        auto* topic = new ClickLabel(QStringLiteral("Topic%1").arg(k), m_topicList);
        ReaderTree::SetReadAs(topic, ReaderTree::ReadAs::ListItem);
        topic->setWordWrap(true);
        topic->setToolTip(tr("Click to select topic"));
        topic->setAutoFillBackground(true);
        topic->setIndent(3);
        const int left = mark->x() + mark->width() + 5;
        topic->setGeometry(left, y, head->x() + head->width() - left, TopicHeight);
        connect(topic, &ClickLabel::clicked, this, [this, k] { Topic_Click(k); });
        m_topics[i] = topic;
    }
}

void HomePage::buildRows(PictureCache& pictures) {
    const int left = m_topics[0]->x() + m_topics[0]->width() + ColumnGap;

    QLabel* head =
        Labels::picture(QStringLiteral("ColHead2"), pictures.get(QStringLiteral("columnhead2.bmp")),
                        FallbackColumnHead, this);
    head->move(left, Margin);
    addHeading(head, QStringLiteral("lblColHead2"), tr("Select a Paper"));
    const int right = width() - Margin;

    m_subHeading = Labels::text(QStringLiteral("SubH1"), QString(), this);
    QFont bold = m_subHeading->font();
    bold.setBold(true);
    m_subHeading->setFont(bold);
    m_subHeading->setWordWrap(true);
    m_subHeading->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Room for a topic name of two lines.
    m_subHeading->setGeometry(left, head->y() + head->height() + 2, right - left,
                              2 * QFontMetrics(bold).lineSpacing() + 2);

    auto* hover = new HoverGroup(this);
    const QPixmap& loadOff = pictures.get(QStringLiteral("loadbutton_off.bmp"));
    const QPixmap& loadOn = pictures.get(QStringLiteral("loadbutton_on.bmp"));
    auto makeButton = [&](const QString& name, const QString& tip, int offset, int attempt,
                          QWidget* row) {
        auto* button = new PictureButton(name, row);
        button->resize(FallbackLoadButton);
        button->setPictures(loadOff, loadOn);
        button->setToolTip(tip);
        hover->add(button);
        connect(button, &PictureButton::clicked, this,
                [this, offset, attempt] { Q_EMIT paperChosen(offset, attempt); });
        return button;
    };

    // Each row: "Paper i" over its two attempt lines, the marks right-aligned
    // against the "%" column, the buttons at the right edge. A row is a group
    // of its own, as wide as the page so the page's x holds inside it; a
    // screen reader hears its name (spokenRow) and its two buttons.
    m_percent = new PercentColumn(this);
    ReaderTree::SetReadAs(m_percent, ReaderTree::ReadAs::Silent);
    const QSize buttonSize =
        loadOff.isNull() ? FallbackLoadButton : loadOff.deviceIndependentSize().toSize();
    const int captionHeight = QFontMetrics(bold).height();
    const int lineHeight = qMax(buttonSize.height(), fontMetrics().height()) + 1;
    const int top = m_subHeading->y() + m_subHeading->height() + 2;
    const int rowPitch = qMax(captionHeight + 2 * lineHeight + 2, (height() - top - Margin) / Rows);
    const int buttonLeft = right - buttonSize.width();
    const int percentWidth = m_percent->sizeHint().width();
    const int percentLeft = buttonLeft - 4 - percentWidth;
    const int attemptLeft = left + AttemptIndent;

    QList<int> centres;
    int y = top;
    for (int i = 0; i < Rows; ++i, y += rowPitch) {
        const int row = i + 1;
        auto* box = new QWidget(this);
        box->setObjectName(QStringLiteral("PaperRow%1").arg(row));
        box->setGeometry(0, y, width(), rowPitch);
        ReaderTree::SetReadAs(box, ReaderTree::ReadAs::Group);
        m_rowBoxes[i] = box;
        // Line centres inside the row.
        const int first = captionHeight + lineHeight / 2;
        const int second = first + lineHeight;
        m_firstLineCentre[i] = first;
        m_secondLineCentre[i] = second;
        centres << y + first - top << y + second - top;

        QLabel* paper =
            Labels::text(QStringLiteral("lblPaper%1").arg(row), tr("Paper %1").arg(row), box);
        paper->setFont(bold);
        paper->setGeometry(left, 0, right - left, captionHeight);

        QLabel* firstCaption =
            Labels::text(QStringLiteral("lblAttempt%1a").arg(row), tr("1st Attempt:"), box);
        firstCaption->adjustSize();
        firstCaption->move(attemptLeft, first - firstCaption->height() / 2);
        QLabel* secondCaption =
            Labels::text(QStringLiteral("lblAttempt%1b").arg(row), tr("2nd Attempt:"), box);
        secondCaption->adjustSize();
        secondCaption->move(attemptLeft, second - secondCaption->height() / 2);

        m_firstMarks[i] = Labels::text(QStringLiteral("MSA%1").arg(row), QString(), box);
        m_secondMarks[i] = Labels::text(QStringLiteral("MSB%1").arg(row), QString(), box);
        // The row's name says all these.
        for (QLabel* said : {paper, firstCaption, secondCaption, m_firstMarks[i], m_secondMarks[i]})
            ReaderTree::SetReadAs(said, ReaderTree::ReadAs::Silent);

        m_firstButtons[i] =
            makeButton(QStringLiteral("P%1a").arg(row), tr("Load paper %1").arg(row), i, 1, box);
        m_firstButtons[i]->move(buttonLeft, first - m_firstButtons[i]->height() / 2);
        m_secondButtons[i] = makeButton(QStringLiteral("P%1b").arg(row),
                                        tr("Try paper %1 again").arg(row), i, 2, box);
        m_secondButtons[i]->move(buttonLeft, second - m_secondButtons[i]->height() / 2);
        m_secondButtons[i]->hide();
    }
    m_percent->setLineCentres(centres);
    m_percent->setGeometry(percentLeft, top, percentWidth, y - top);
    // The rows span the page; the topics stay on top in their column.
    m_topicList->raise();
}

void HomePage::LoadModuleResults() {
    const int module = m_state.LChose;
    const bool known = module >= 1 && module <= 3;
    if (known) {
        const ModuleDefinition& chosen = m_state.definition.module(module);
        m_topicCount = chosen.topicCount;
        m_paperCount = chosen.paperCount;
        m_topicNames = chosen.topicNames;
    }
    m_state.TtPapersCon = m_paperCount;

    m_marks = MarksRecords();
    if (known) {
        const QString path =
            ResultsFilePath(m_state.resultsFolder, ResultsFile::Marks, module, m_state.lblCOD);
        // An unreadable file shows as nothing attempted yet; a damaged record
        // shows empty, the others as they stand.
        m_marks = ReadMarksFile(path, m_paperCount).value;
    }

    for (int i = 0; i < TopicSlots; ++i) {
        m_topics[i]->setText(m_topicNames.value(i));
        ShowTopicEntry(i + 1, i < m_topicCount);
    }
    if (!m_state.RefreshLog)
        Topic_Click(1);
}

void HomePage::ShowTopicEntry(int index, bool shown) {
    m_topics[index - 1]->setVisible(shown);
    m_bullets[index - 1]->setVisible(shown);
}

void HomePage::Topic_Click(int k) {
    m_state.TopicCount = Numbering::TopicFirstIndex(k);
    TopicChoosing(m_state.TopicCount);
    Topicbuttoncolour(k);
}

void HomePage::TopicChoosing(int topicNum) {
    for (int i = 0; i < Rows; ++i) {
        // Entry topicNum + i of the 1-based arrays; a paper beyond the file's
        // records shows as not attempted.
        m_firstMarks[i]->setText(m_marks.FSE.value(topicNum + i - 1));
        m_secondMarks[i]->setText(m_marks.SSE.value(topicNum + i - 1));
    }
    if (topicNum >= 1 && topicNum <= 46 && (topicNum - 1) % Numbering::PapersPerTopic == 0) {
        m_state.SubH1 = m_topicNames.value((topicNum - 1) / Numbering::PapersPerTopic);
        m_subHeading->setText(m_state.SubH1);
    }
    ArrangePaperRows();
}

void HomePage::Topicbuttoncolour(int k) {
    const QColor highlightText = palette().color(QPalette::HighlightedText);
    for (int i = 0; i < TopicSlots; ++i) {
        const bool chosen = i + 1 == k;
        ReaderTree::SetSelected(m_topics[i], chosen);
        QPalette colours = m_topics[i]->palette();
        colours.setColor(QPalette::Window, chosen ? QColor(0x80, 0x80, 0x80) : highlightText);
        colours.setColor(QPalette::WindowText, chosen ? highlightText : QColor(Qt::black));
        m_topics[i]->setPalette(colours);
    }
}

void HomePage::placeMark(QLabel* mark, int lineCentre) {
    mark->adjustSize();
    const int left =
        mark->text().isEmpty() ? m_percent->x() : m_percent->x() - mark->width() - Twips::ToPx(20);
    mark->move(left, lineCentre - mark->height() / 2);
}

void HomePage::ArrangePaperRows() {
    for (int i = 0; i < Rows; ++i) {
        const QString first = m_firstMarks[i]->text();
        placeMark(m_firstMarks[i], m_firstLineCentre[i]);
        m_secondButtons[i]->setVisible(!first.isEmpty() &&
                                       PaperSession::LeavesSecondAttempt(first));
    }
    for (int i = 0; i < Rows; ++i) {
        placeMark(m_secondMarks[i], m_secondLineCentre[i]);
        m_rowBoxes[i]->setAccessibleName(
            spokenRow(i + 1, m_firstMarks[i]->text(), m_secondMarks[i]->text()));
    }
}

void HomePage::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_Up ? -1 : (event->key() == Qt::Key_Down ? 1 : 0);
    if (step != 0 && (moveTopicFocus(step) || movePaperFocus(step))) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool HomePage::moveTopicFocus(int step) {
    int from = 0;
    for (int i = 0; i < TopicSlots; ++i) {
        if (m_topics[i]->hasFocus())
            from = i + 1;
    }
    if (from == 0)
        return false;
    for (int k = from + step; k >= 1 && k <= TopicSlots; k += step) {
        if (m_topics[k - 1]->isVisible()) {
            Topic_Click(k);
            m_topics[k - 1]->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    // At either end of the list the focus stays where it is.
    return true;
}

bool HomePage::movePaperFocus(int step) {
    // The buttons as they stand on the page: P1a, P1b, P2a, ...
    QList<PictureButton*> buttons;
    for (int i = 0; i < Rows; ++i)
        buttons << m_firstButtons[i] << m_secondButtons[i];
    int from = -1;
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->hasFocus())
            from = i;
    }
    if (from < 0)
        return false;
    for (int i = from + step; i >= 0 && i < buttons.size(); i += step) {
        if (buttons[i]->isVisible()) {
            buttons[i]->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    return true;
}
