#include "practice/ui/PracticeToolBar.h"

#include "chrome/Backgrounds.h"
#include "chrome/HoverGroup.h"
#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "chrome/ReaderTree.h"
#include "chrome/Twips.h"
#include "practice/ui/WorkingButtonArt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

struct ButtonDesign {
    const char* stem;
    const char* caption;
    const char* tip;
    bool canDisable;
};

const ButtonDesign Designs[PracticeToolBar::Next] = {
    {"save", "Save", "Save paper", true},        {"mark", "Mark", "Mark paper", true},
    {"print", "Print", "Print question", false}, {"close", "Close", "Close paper", false},
    {"back", "Back", "Previous question", true}, {"forward", "Next", "Next question", true},
};
// Working is offered only where a worked solution may be shown; its pictures
// are made when the bar is built.
const ButtonDesign WorkingDesign = {"working", "Working", "Show working", true};
// F6: no answer box edits with it, and no Ctrl is needed.
const ButtonDesign ReadDesign = {"read", "Read", "Read to me (F6)", true};

const ButtonDesign& designOf(int n) {
    if (n == PracticeToolBar::Working)
        return WorkingDesign;
    return n == PracticeToolBar::Read ? ReadDesign : Designs[n - 1];
}

constexpr int ButtonGap = 120; // twips between the buttons and from the ends
const QSize FallbackButton(76, 40);

} // namespace

PracticeToolBar::PracticeToolBar(PictureCache& pictures, QWidget* parent)
    : QWidget(parent), m_pictures(pictures) {
    setObjectName(QStringLiteral("ScnTabBG"));
    Backgrounds::fill(this, Backgrounds::panel());

    m_hover = new HoverGroup(this);
    m_hover->setTracksPress(true);

    const auto keep = [](const MadeButtonPictures& made, QPixmap* into) {
        into[0] = made.off;
        into[1] = made.on;
        into[2] = made.pressed;
        into[3] = made.disabled;
    };
    keep(makeWorkingButtonPictures(m_pictures), m_working);
    keep(makeReadButtonPictures(m_pictures), m_read);

    int tallest = 0;
    for (int n = 1; n <= ButtonCount; ++n) {
        const ButtonDesign& design = designOf(n);
        auto* button =
            new PictureButton(QStringLiteral("ToolBar%1").arg(n, 2, 10, QLatin1Char('0')), this);
        button->resize(FallbackButton);
        m_buttons.append(button);
        m_enabled.append(true);
        m_hover->add(button);
        setButtonEnabled(n, true);
        QLabel* caption =
            button->addCaption(QStringLiteral("lblTB%1").arg(n, 2, 10, QLatin1Char('0')),
                               QString::fromLatin1(design.caption));
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        caption->setContentsMargins(0, 0, 0, 2);
        // The tool tip ("Mark paper") is also the name a screen reader says.
        button->setToolTips(QString::fromLatin1(design.tip));
        connect(button, &PictureButton::clicked, this, [this, n] { trigger(n); });
        tallest = qMax(tallest, button->height());
    }

    setReadButton(true, false, QString());

    // The paper summary: answered blanks out of all, written on the lines
    // of the pen-and-paper picture.
    m_paperSum = new QLabel(this);
    m_paperSum->setObjectName(QStringLiteral("PaperSum"));
    const QPixmap& pen = m_pictures.get(QStringLiteral("pen.bmp"));
    m_paperSum->setPixmap(pen);
    m_paperSum->resize(pen.isNull() ? QSize(96, 46) : pen.deviceIndependentSize().toSize());
    m_paperSum->setToolTip(QStringLiteral("Number of questions answered"));

    m_count = new QWidget(m_paperSum);
    auto* lines = new QVBoxLayout(m_count);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(0);
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    m_answered = new QLabel(QStringLiteral("0"), m_count);
    m_answered->setObjectName(QStringLiteral("lblAnsweredQ"));
    m_answered->setToolTip(QStringLiteral("Number of questions answered"));
    auto* of = new QLabel(QStringLiteral("/"), m_count);
    of->setObjectName(QStringLiteral("Label3"));
    of->setAccessibleName(QStringLiteral("of"));
    m_total = new QLabel(QStringLiteral("0"), m_count);
    m_total->setObjectName(QStringLiteral("lblTotalQ"));
    m_total->setToolTip(QStringLiteral("Total number of questions"));
    QFont bold = m_answered->font();
    bold.setBold(true);
    m_answered->setFont(bold);
    m_total->setFont(bold);
    row->addStretch(1);
    for (QLabel* label : {m_answered, of, m_total})
        row->addWidget(label);
    row->addStretch(1);
    auto* caption = new QLabel(QStringLiteral("answered"), m_count);
    caption->setObjectName(QStringLiteral("TQn"));
    caption->setAlignment(Qt::AlignHCenter);
    QFont small = caption->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    caption->setFont(small);
    lines->addLayout(row);
    lines->addWidget(caption);
    // The lines of the picture start a third of the way in.
    const int linesLeft = m_paperSum->width() * 37 / 96;
    m_count->setGeometry(linesLeft, 4, m_paperSum->width() - linesLeft - 2,
                         m_paperSum->height() - 8);
    // Heard as one text, "0 of 31 answered", not as four labels.
    ReaderTree::setReadAs(m_paperSum, ReaderTree::ReadAs::Text);

    setFixedHeight(qMax(tallest, m_paperSum->height()) + 12);

    // Save, Mark, Print, Close, Read and Working from the left, 120 twips
    // apart; Back and Next as far in from the right end; the summary between
    // them, at its inset from the right end where there is room. Working
    // comes last, so that the others keep their places while it is hidden.
    // In a strip too narrow for them all the gaps narrow first, so that no
    // button lies over another.
    const int gap = Twips::toPx(ButtonGap);
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(0);
    const auto addGap = [this, gap] {
        auto* space = new QSpacerItem(gap, 0, QSizePolicy::Preferred, QSizePolicy::Minimum);
        m_row->addItem(space);
        return space;
    };
    const int leftGroup[] = {Save, Mark, Print, Close, Read, Working};
    for (int n : leftGroup) {
        if (n == Working)
            m_workingGap = addGap();
        else
            addGap();
        m_row->addWidget(m_buttons.at(n - 1), 0, Qt::AlignVCenter);
    }
    m_row->addStretch(1);
    addGap();
    m_row->addWidget(m_paperSum, 0, Qt::AlignVCenter);
    addGap();
    m_summaryRoom = new QSpacerItem(0, 0, QSizePolicy::Preferred, QSizePolicy::Minimum);
    m_row->addItem(m_summaryRoom);
    m_row->addWidget(m_buttons.at(Back - 1), 0, Qt::AlignVCenter);
    addGap();
    m_row->addWidget(m_buttons.at(Next - 1), 0, Qt::AlignVCenter);
    addGap();
    // The pictures give the sizes; the layout only places.
    for (QWidget* fixed : std::as_const(m_buttons))
        fixed->setFixedSize(fixed->size());
    m_paperSum->setFixedSize(m_paperSum->size());
    setWorkingButton(false, false, false);
}

void PracticeToolBar::setButtonEnabled(int n, bool enabled) {
    const ButtonDesign& design = designOf(n);
    if (!design.canDisable)
        enabled = true;
    PictureButton* button = m_buttons.at(n - 1);
    const QString stem = QString::fromLatin1(design.stem);
    m_enabled[n - 1] = enabled;
    if (n == Working || n == Read) {
        const QPixmap* made = n == Working ? m_working : m_read;
        if (enabled)
            button->setPictures(made[0], made[1], made[2]);
        else
            button->setPictures(made[3]);
    } else if (enabled) {
        button->setPictures(m_pictures.get(stem + QStringLiteral("_off.bmp")),
                            m_pictures.get(stem + QStringLiteral("_on.bmp")),
                            m_pictures.get(stem + QStringLiteral("_pressed.bmp")));
    } else {
        button->setPictures(m_pictures.get(stem + QStringLiteral("_disabled.bmp")));
    }
    button->setEnabled(enabled);
    if (button->caption())
        button->caption()->setEnabled(enabled);
}

void PracticeToolBar::setWorkingButton(bool offered, bool enabled, bool workingShown) {
    PictureButton* button = m_buttons.at(Working - 1);
    setButtonEnabled(Working, offered && enabled);
    button->setVisible(offered);
    if (m_workingGap && (m_workingGap->sizeHint().width() > 0) != offered) {
        m_workingGap->changeSize(offered ? Twips::toPx(ButtonGap) : 0, 0, QSizePolicy::Preferred,
                                 QSizePolicy::Minimum);
        m_row->invalidate();
    }
    button->setToolTips(workingShown && offered && enabled ? QStringLiteral("Hide working")
                                                           : QStringLiteral("Show working"));
}

void PracticeToolBar::setReadButton(bool available, bool reading, const QString& reason) {
    PictureButton* button = m_buttons.at(Read - 1);
    setButtonEnabled(Read, available);
    button->setToolTips(!available ? reason
                        : reading  ? QStringLiteral("Stop reading (F6)")
                                   : QString::fromLatin1(ReadDesign.tip));
    // The tool tip names the other buttons; this one keeps its name while
    // the tip changes, and gives the reason as its description.
    button->setAccessibleName(QString::fromLatin1(ReadName));
    button->setAccessibleDescription(available ? QString() : reason);
}

void PracticeToolBar::trigger(int n) {
    if (n >= 1 && n <= ButtonCount && m_enabled.at(n - 1))
        Q_EMIT buttonClicked(n);
}

void PracticeToolBar::setSummaryInset(int inset) {
    PictureButton* back = m_buttons.at(Back - 1);
    PictureButton* next = m_buttons.at(Next - 1);
    const int gap = Twips::toPx(ButtonGap);
    const int rest = inset - m_paperSum->width() - gap - back->width() - gap - next->width() - gap;
    m_summaryRoom->changeSize(qMax(0, rest), 0, QSizePolicy::Preferred, QSizePolicy::Minimum);
    m_row->invalidate();
}

int PracticeToolBar::leastWidth() const {
    int least = 0;
    for (const PictureButton* b : m_buttons)
        least += b->width();
    return least;
}

void PracticeToolBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Where the buttons leave no room for the summary between them (a narrow
    // window), it gives way rather than lie over Back.
    int needed = 0;
    for (int i = 0; i < m_row->count(); ++i) {
        const QLayoutItem* item = m_row->itemAt(i);
        const QWidget* shown = item->widget();
        if (!shown)
            needed += item == m_summaryRoom ? 0 : item->sizeHint().width();
        else if (shown == m_paperSum || !shown->isHidden())
            needed += shown->width();
    }
    m_paperSum->setVisible(width() >= needed);
}
