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
#include "practice/PaperSession.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>

namespace {
// Geometry in pixels.
constexpr int Margin = 5;
constexpr int ColumnGap = 8;
constexpr int AttemptIndent = 10;
constexpr int HeadingTextLeft = 14; // right of the column head's orange mark
const int TopicHeight = Twips::toPx(450);
const int TopicPitch = Twips::toPx(465);
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
    ReaderTree::setReadAs(head, ReaderTree::ReadAs::Heading);
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
    // and as high as the page. Each entry keeps its slot's height, and grows
    // to the lines a long name needs, pushing the ones below down.
    m_topicList = new QWidget(this);
    m_topicList->setObjectName(QStringLiteral("TopicList"));
    m_topicList->setAccessibleName(tr("Topics"));
    m_topicList->setGeometry(0, 0, head->x() + head->width(), height());
    ReaderTree::setReadAs(m_topicList, ReaderTree::ReadAs::List);
    auto* list = new QVBoxLayout(m_topicList);
    list->setContentsMargins(0, head->y() + head->height() + Margin, 0, 0);
    list->setSpacing(TopicPitch - TopicHeight);

    const QPixmap& bullet = pictures.get(QStringLiteral("bullet.bmp"));
    for (int i = 0; i < TopicSlots; ++i) {
        const int k = i + 1;
        auto* entry = new QHBoxLayout;
        entry->setContentsMargins(Margin + 4, 0, 0, 0);
        entry->setSpacing(5);
        list->addLayout(entry);

        QLabel* mark =
            Labels::picture(QStringLiteral("Bullet%1").arg(k), bullet, FallbackBullet, m_topicList);
        mark->setFixedSize(mark->size());
        entry->addWidget(mark, 0, Qt::AlignVCenter);
        m_bullets[i] = mark;

        auto* topic = new ClickLabel(QStringLiteral("Topic%1").arg(k), m_topicList);
        ReaderTree::setReadAs(topic, ReaderTree::ReadAs::ListItem);
        topic->setWordWrap(true);
        topic->setToolTip(tr("Click to select topic"));
        topic->setAutoFillBackground(true);
        topic->setIndent(3);
        topic->setMinimumHeight(TopicHeight);
        entry->addWidget(topic, 1);
        connect(topic, &ClickLabel::clicked, this, [this, k] { Topic_Click(k); });
        m_topics[i] = topic;
    }
    // The list's spare height lies below the entries.
    list->addStretch(1);
}

void HomePage::buildRows(PictureCache& pictures) {
    // The paper column, right of the topics: its heading, the chosen topic's
    // name (two lines, more for a long name) and the five rows sharing what
    // height is left.
    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(m_topicList->width() + ColumnGap, Margin, Margin, Margin);
    auto* column = new QVBoxLayout;
    column->setSpacing(0);
    page->addLayout(column);

    QLabel* head =
        Labels::picture(QStringLiteral("ColHead2"), pictures.get(QStringLiteral("columnhead2.bmp")),
                        FallbackColumnHead, this);
    head->setFixedSize(head->size());
    addHeading(head, QStringLiteral("lblColHead2"), tr("Select a Paper"));
    column->addWidget(head, 0, Qt::AlignLeft);
    column->addSpacing(2);

    m_subHeading = Labels::text(QStringLiteral("SubH1"), QString(), this);
    QFont bold = m_subHeading->font();
    bold.setBold(true);
    m_subHeading->setFont(bold);
    m_subHeading->setWordWrap(true);
    m_subHeading->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Room for a topic name of two lines at least.
    m_subHeading->setMinimumHeight(2 * QFontMetrics(bold).lineSpacing() + 2);
    column->addWidget(m_subHeading);
    column->addSpacing(2);

    auto* hover = new HoverGroup(this);
    const QPixmap& loadOff = pictures.get(QStringLiteral("loadbutton_off.bmp"));
    const QPixmap& loadOn = pictures.get(QStringLiteral("loadbutton_on.bmp"));
    auto makeButton = [&](const QString& name, const QString& tip, int offset, int attempt,
                          QWidget* row) {
        auto* button = new PictureButton(name, row);
        button->resize(FallbackLoadButton);
        button->setPictures(loadOff, loadOn);
        button->setFixedSize(button->size());
        button->setToolTip(tip);
        hover->add(button);
        connect(button, &PictureButton::clicked, this,
                [this, offset, attempt] { Q_EMIT paperChosen(offset, attempt); });
        return button;
    };

    // Each row: "Paper i" over its two attempt lines; on each line the
    // caption, the mark right-aligned 20 twips left of its "%" sign, and the
    // button at the right edge. A row is a group of its own: a screen reader
    // hears its name (spokenRow) and its two buttons.
    const QSize buttonSize =
        loadOff.isNull() ? FallbackLoadButton : loadOff.deviceIndependentSize().toSize();
    const int captionHeight = QFontMetrics(bold).height();
    const int lineHeight = qMax(buttonSize.height(), fontMetrics().height()) + 1;
    const int percentWidth = fontMetrics().horizontalAdvance(QLatin1Char('%')) + 2;
    enum { Indent, Caption, Space, Mark, MarkGap, Percent, ButtonGap, Button, Columns };

    for (int i = 0; i < Rows; ++i) {
        const int row = i + 1;
        auto* box = new QWidget(this);
        box->setObjectName(QStringLiteral("PaperRow%1").arg(row));
        ReaderTree::setReadAs(box, ReaderTree::ReadAs::Group);
        m_rowBoxes[i] = box;
        column->addWidget(box, 1);
        auto* grid = new QGridLayout(box);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setSpacing(0);
        grid->setRowMinimumHeight(0, captionHeight);
        grid->setRowMinimumHeight(1, lineHeight);
        grid->setRowMinimumHeight(2, lineHeight);
        // The rows share the column's height; below the lines, the rest.
        grid->setRowMinimumHeight(3, 2);
        grid->setRowStretch(3, 1);
        grid->setColumnMinimumWidth(Indent, AttemptIndent);
        grid->setColumnStretch(Space, 1);
        grid->setColumnMinimumWidth(MarkGap, Twips::toPx(20));
        grid->setColumnMinimumWidth(Percent, percentWidth);
        grid->setColumnMinimumWidth(ButtonGap, 4);

        QLabel* paper =
            Labels::text(QStringLiteral("lblPaper%1").arg(row), tr("Paper %1").arg(row), box);
        paper->setFont(bold);
        paper->setFixedHeight(captionHeight);
        grid->addWidget(paper, 0, Indent, 1, Columns);

        m_firstMarks[i] = Labels::text(QStringLiteral("MSA%1").arg(row), QString(), box);
        m_secondMarks[i] = Labels::text(QStringLiteral("MSB%1").arg(row), QString(), box);
        m_firstButtons[i] =
            makeButton(QStringLiteral("P%1a").arg(row), tr("Load paper %1").arg(row), i, 1, box);
        m_secondButtons[i] = makeButton(QStringLiteral("P%1b").arg(row),
                                        tr("Try paper %1 again").arg(row), i, 2, box);
        m_secondButtons[i]->hide();
        const struct {
            const char* attempt;
            QString caption;
            QLabel* mark;
            PictureButton* button;
        } lines[] = {{"a", tr("1st Attempt:"), m_firstMarks[i], m_firstButtons[i]},
                     {"b", tr("2nd Attempt:"), m_secondMarks[i], m_secondButtons[i]}};
        int line = 1;
        for (const auto& l : lines) {
            const QString suffix = QString::number(row) + QLatin1String(l.attempt);
            QLabel* caption = Labels::text(QStringLiteral("lblAttempt") + suffix, l.caption, box);
            QLabel* percent =
                Labels::text(QStringLiteral("Percent") + suffix, QStringLiteral("%"), box);
            grid->addWidget(caption, line, Caption, Qt::AlignLeft | Qt::AlignVCenter);
            grid->addWidget(l.mark, line, Mark, Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(percent, line, Percent, Qt::AlignLeft | Qt::AlignVCenter);
            grid->addWidget(l.button, line, Button, Qt::AlignVCenter);
            // The row's name says all these.
            for (QLabel* said : {caption, l.mark, percent})
                ReaderTree::setReadAs(said, ReaderTree::ReadAs::Silent);
            ++line;
        }
        ReaderTree::setReadAs(paper, ReaderTree::ReadAs::Silent);
    }
    // The topics stay on top in their column.
    m_topicList->raise();
}

void HomePage::LoadModuleResults(TopicChoice choice) {
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
            resultsFilePath(m_state.resultsFolder, ResultsFile::Marks, module, m_state.lblCOD);
        // An unreadable file shows as nothing attempted yet; a damaged record
        // shows empty, the others as they stand.
        m_marks = readMarksFile(path, m_paperCount).value;
    }

    for (int i = 0; i < TopicSlots; ++i) {
        m_topics[i]->setText(m_topicNames.value(i));
        ShowTopicEntry(i + 1, i < m_topicCount);
    }
    if (choice == TopicChoice::FirstTopic)
        Topic_Click(1);
}

void HomePage::ShowTopicEntry(int index, bool shown) {
    m_topics[index - 1]->setVisible(shown);
    m_bullets[index - 1]->setVisible(shown);
}

void HomePage::Topic_Click(int k) {
    m_state.TopicCount = Numbering::topicFirstIndex(k);
    TopicChoosing(m_state.TopicCount);
    Topicbuttoncolour(k);
}

void HomePage::TopicChoosing(int topicNum) {
    for (int i = 0; i < Rows; ++i) {
        // Entry topicNum + i of the 1-based arrays; a paper beyond the file's
        // records shows as not attempted.
        const PaperMarks paper = m_marks.paper(topicNum + i);
        m_firstMarks[i]->setText(scoreText(paper.firstTenths));
        m_secondMarks[i]->setText(scoreText(paper.secondTenths));
    }
    if (topicNum >= 1 && topicNum <= Numbering::topicFirstIndex(TopicSlots) &&
        (topicNum - 1) % Numbering::PapersPerTopic == 0) {
        m_state.SubH1 = m_topicNames.value((topicNum - 1) / Numbering::PapersPerTopic);
        m_subHeading->setText(m_state.SubH1);
    }
    ArrangePaperRows();
}

void HomePage::Topicbuttoncolour(int k) {
    const QColor highlightText = palette().color(QPalette::HighlightedText);
    for (int i = 0; i < TopicSlots; ++i) {
        const bool chosen = i + 1 == k;
        ReaderTree::setSelected(m_topics[i], chosen);
        QPalette colours = m_topics[i]->palette();
        colours.setColor(QPalette::Window, chosen ? QColor(0x80, 0x80, 0x80) : highlightText);
        colours.setColor(QPalette::WindowText, chosen ? highlightText : QColor(Qt::black));
        m_topics[i]->setPalette(colours);
    }
}

void HomePage::ArrangePaperRows() {
    for (int i = 0; i < Rows; ++i) {
        const QString first = m_firstMarks[i]->text();
        m_secondButtons[i]->setVisible(!first.isEmpty() &&
                                       PaperSession::leavesSecondAttempt(first));
    }
    for (int i = 0; i < Rows; ++i) {
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
