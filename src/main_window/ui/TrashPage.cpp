#include "main_window/ui/TrashPage.h"

#include "chrome/Backgrounds.h"
#include "chrome/HoverGroup.h"
#include "chrome/Labels.h"
#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"

#include <QLabel>

namespace {
const QSize FallbackButton(80, 26);
constexpr int Margin = 24;
constexpr int ButtonGap = 10;

QLabel* makeText(const char* name, const QString& text, QWidget* parent) {
    QLabel* label = Labels::text(QString::fromLatin1(name), text, parent);
    label->setWordWrap(true);
    return label;
}
} // namespace

TrashPage::TrashPage(PictureCache& pictures, std::function<bool()> erase, const QSize& size,
                     QWidget* parent)
    : QWidget(parent), m_erase(std::move(erase)) {
    setObjectName(QStringLiteral("Body_Trash"));
    resize(size);
    Backgrounds::fill(this, Qt::white);

    auto* hover = new HoverGroup(this);
    auto makeButton = [&](const char* name, const char* captionName, const QString& caption) {
        auto* button = new PictureButton(QString::fromLatin1(name), this);
        button->resize(FallbackButton);
        button->setPictures(pictures.get(QStringLiteral("button_off.bmp")),
                            pictures.get(QStringLiteral("button_on.bmp")));
        button->addCaption(QString::fromLatin1(captionName), caption);
        hover->add(button);
        return button;
    };

    const int textWidth = width() - 2 * Margin;
    m_intro = makeText("Trashlbl1", QString(), this);
    // Room for the longest text, a long pupil's name and all.
    m_intro->setText(tr("Click on the button below if you wish to erase all the past results "
                        "of %1. The other pupils' results are kept.")
                         .arg(QString(40, QLatin1Char('W'))));
    m_intro->setGeometry(Margin, Margin + 16, textWidth, m_intro->heightForWidth(textWidth));
    const int buttonTop = m_intro->y() + m_intro->height() + 16;

    m_trash = makeButton("ButTrash", "ButTrashlbl", tr("Trash"));
    m_trash->move(Margin, buttonTop);

    m_question = makeText("Trashlbl2", tr("Are you sure?"), this);
    m_question->setGeometry(m_intro->geometry());
    QFont bold = m_question->font();
    bold.setBold(true);
    m_question->setFont(bold);

    m_yes = makeButton("ButTrash_Yes", "ButTrash_Yeslbl", tr("Yes"));
    m_yes->move(Margin, buttonTop);
    m_no = makeButton("ButTrash_No", "ButTrash_Nolbl", tr("No"));
    m_no->move(m_yes->x() + m_yes->width() + ButtonGap, buttonTop);

    m_paperNote =
        makeText("TrashPaperNote", tr("The paper you have open will be closed first."), this);
    m_paperNote->setGeometry(Margin, buttonTop + m_yes->height() + 16, textWidth,
                             m_paperNote->heightForWidth(textWidth));

    m_done = makeText("Trashlbl3", QString(), this);
    m_done->setGeometry(m_intro->geometry());
    setPupilName(QString());

    connect(m_trash, &PictureButton::clicked, this, &TrashPage::ButTrash_Click);
    connect(m_yes, &PictureButton::clicked, this, &TrashPage::ButTrash_Yes_Click);
    connect(m_no, &PictureButton::clicked, this, &TrashPage::ButTrash_No_Click);
    resetPage();
}

void TrashPage::setPupilName(const QString& name) {
    // A name of any length stays within the page.
    const QString shown =
        QFontMetrics(m_intro->font()).elidedText(name, Qt::ElideRight, m_intro->width() / 2);
    if (name.isEmpty()) {
        m_intro->setText(tr("Click on the button below if you wish to erase all your past "
                            "results and reset the program."));
        m_done->setText(tr("All your past results have been erased."));
    } else {
        m_intro->setText(tr("Click on the button below if you wish to erase all the past results "
                            "of %1. The other pupils' results are kept.")
                             .arg(shown));
        m_done->setText(tr("All the past results of %1 have been erased.").arg(shown));
    }
}

void TrashPage::resetPage() {
    m_trash->show();
    m_intro->show();
    m_yes->hide();
    m_no->hide();
    m_question->hide();
    m_paperNote->hide();
    m_done->hide();
}

void TrashPage::ButTrash_Click() {
    const bool keyboard = m_trash->hasFocus();
    m_trash->hide();
    m_intro->hide();
    m_yes->show();
    m_no->show();
    m_question->show();
    m_paperNote->setVisible(m_paperOpen && m_paperOpen());
    // From the keyboard the focus goes on to the harmless answer.
    if (keyboard)
        m_no->setFocus(Qt::TabFocusReason);
}

void TrashPage::ButTrash_No_Click() {
    const bool keyboard = m_no->hasFocus() || m_yes->hasFocus();
    resetPage();
    if (keyboard)
        m_trash->setFocus(Qt::TabFocusReason);
}

void TrashPage::ButTrash_Yes_Click() {
    if (m_erase && !m_erase()) {
        // Nothing may claim an erase that did not happen: back to the start.
        ButTrash_No_Click();
        return;
    }
    m_yes->hide();
    m_no->hide();
    m_question->hide();
    m_paperNote->hide();
    m_done->show();
}
