#include "main_window/ui/PupilsPage.h"

#include "chrome/Backgrounds.h"
#include "chrome/HoverGroup.h"
#include "chrome/Labels.h"
#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "main_window/ui/PupilList.h"
#include "results/PupilRoster.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {
const QSize FallbackButton(80, 26);
constexpr int Margin = 24;
constexpr int Gap = 8;
} // namespace

PupilsPage::PupilsPage(PictureCache& pictures, const PupilRoster& roster, Actions actions,
                       const QSize& size, QWidget* parent)
    : QWidget(parent), m_roster(roster), m_actions(std::move(actions)) {
    setObjectName(QStringLiteral("Body_Pupils"));
    resize(size);
    Backgrounds::fill(this, Qt::white);
    const int textWidth = width() - 2 * Margin;

    QLabel* heading = Labels::text(QStringLiteral("lblPupilsHead"), tr("Pupils"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    heading->setFont(bold);
    heading->setGeometry(Margin, Margin, textWidth, QFontMetrics(bold).height() + 4);

    QLabel* intro = Labels::text(
        QStringLiteral("lblPupilsIntro"),
        tr("Each child who practises here keeps results of their own. With more than one "
           "pupil, the program asks who is practising when it starts."),
        this);
    intro->setWordWrap(true);
    intro->setGeometry(Margin, heading->y() + heading->height() + Gap, textWidth,
                       intro->heightForWidth(textWidth));

    m_list = PupilList::make(QStringLiteral("lstPupils"), this);
    m_list->setAccessibleName(tr("Pupils"));
    const int listTop = intro->y() + intro->height() + Gap;
    m_list->setGeometry(Margin, listTop, textWidth, 5 * PupilList::rowHeight(m_list) + 4);
    connect(m_list, &QListWidget::currentItemChanged, this, &PupilsPage::selectionChanged);

    m_practisingNote = Labels::text(QStringLiteral("lblPupilPractising"), QString(), this);
    m_practisingNote->setGeometry(Margin, m_list->y() + m_list->height() + 2, textWidth,
                                  QFontMetrics(font()).height() + 4);

    QLabel* nameCaption = Labels::text(QStringLiteral("lblPupilName"), tr("Name:"), this);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtPupilName"));
    m_name->setAccessibleName(tr("Name"));
    m_name->setMaxLength(PupilRoster::MaxNameLength);
    nameCaption->setBuddy(m_name);
    const int nameTop = m_practisingNote->y() + m_practisingNote->height() + Gap;
    nameCaption->adjustSize();
    nameCaption->move(Margin, nameTop + (m_name->sizeHint().height() - nameCaption->height()) / 2);
    const int nameLeft = nameCaption->x() + nameCaption->width() + Gap;
    m_name->setGeometry(nameLeft, nameTop, width() - Margin - nameLeft,
                        m_name->sizeHint().height());

    auto* hover = new HoverGroup(this);
    auto makeButton = [&](const char* name, const QString& caption, const QString& tip) {
        auto* button = new PictureButton(QString::fromLatin1(name), this);
        button->resize(FallbackButton);
        button->setPictures(pictures.get(QStringLiteral("button_off.bmp")),
                            pictures.get(QStringLiteral("button_on.bmp")));
        button->addCaption(QString::fromLatin1(name) + QStringLiteral("lbl"), caption);
        button->setToolTips(tip);
        hover->add(button);
        return button;
    };
    m_add = makeButton("ButPupilAdd", tr("Add"), tr("Add a pupil with this name"));
    m_rename = makeButton("ButPupilRename", tr("Rename"), tr("Give the chosen pupil this name"));
    m_remove = makeButton("ButPupilRemove", tr("Remove"), tr("Remove the chosen pupil"));
    m_choose = makeButton("ButPupilChoose", tr("Practise"), tr("Let the chosen pupil practise"));
    int x = Margin;
    const int buttonTop = nameTop + m_name->height() + Gap + 4;
    for (PictureButton* button : {m_add, m_rename, m_remove, m_choose}) {
        button->move(x, buttonTop);
        x += button->width() + Gap;
    }

    connect(m_add, &PictureButton::clicked, this, &PupilsPage::ButPupilAdd_Click);
    connect(m_rename, &PictureButton::clicked, this, &PupilsPage::ButPupilRename_Click);
    connect(m_remove, &PictureButton::clicked, this, &PupilsPage::ButPupilRemove_Click);
    connect(m_choose, &PictureButton::clicked, this, &PupilsPage::ButPupilChoose_Click);
    // The keyboard goes list, name, then the buttons, as they stand.
    setTabOrder(m_list, m_name);
    setTabOrder(m_name, m_add);
    setTabOrder(m_add, m_rename);
    setTabOrder(m_rename, m_remove);
    setTabOrder(m_remove, m_choose);
}

void PupilsPage::refresh(int practising) {
    m_practising = practising;
    const int keep = PupilList::currentId(m_list);
    PupilList::fill(m_list, m_roster.pupils(), keep ? keep : practising);
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        QFont font = m_list->font();
        font.setBold(item->data(PupilList::IdRole).toInt() == practising);
        item->setFont(font);
    }
    const Pupil* pupil = m_roster.find(practising);
    m_practisingNote->setText(pupil ? QFontMetrics(m_practisingNote->font())
                                          .elidedText(tr("Practising now: %1").arg(pupil->name),
                                                      Qt::ElideRight, m_practisingNote->width())
                                    : QString());
    selectionChanged();
}

void PupilsPage::selectionChanged() {
    const int id = PupilList::currentId(m_list);
    m_choose->setEnabled(id && id != m_practising);
    m_remove->setEnabled(id && m_roster.pupils().size() > 1);
    m_rename->setEnabled(id != 0);
}

void PupilsPage::afterChange(bool done, int select) {
    if (!done)
        return;
    if (select)
        PupilList::fill(m_list, m_roster.pupils(), select);
    refresh(m_practising);
}

void PupilsPage::ButPupilAdd_Click() {
    const int before = m_roster.pupils().isEmpty() ? 0 : m_roster.pupils().last().id;
    const bool done = m_actions.add && m_actions.add(m_name->text());
    if (done)
        m_name->clear();
    const int added = m_roster.pupils().isEmpty() ? 0 : m_roster.pupils().last().id;
    afterChange(done, added != before ? added : 0);
}

void PupilsPage::ButPupilRename_Click() {
    const int id = PupilList::currentId(m_list);
    afterChange(id && m_actions.rename && m_actions.rename(id, m_name->text()), id);
}

void PupilsPage::ButPupilRemove_Click() {
    const int id = PupilList::currentId(m_list);
    const bool done = id && m_actions.remove && m_actions.remove(id);
    if (done)
        m_name->clear();
    afterChange(done, m_practising);
}

void PupilsPage::ButPupilChoose_Click() {
    const int id = PupilList::currentId(m_list);
    afterChange(id && m_actions.choose && m_actions.choose(id), id);
}
