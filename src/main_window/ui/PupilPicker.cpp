#include "main_window/ui/PupilPicker.h"

#include "chrome/Backgrounds.h"
#include "chrome/HoverGroup.h"
#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "chrome/ReaderTree.h"
#include "chrome/SkinnedFrame.h"
#include "chrome/Twips.h"
#include "chrome/frmPopUp.h"
#include "main_window/ui/PupilList.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>

namespace {
const QSize FallbackButton(75, 23);
} // namespace

PupilPicker::PupilPicker(PictureCache& pictures, const QList<Pupil>& order, bool cancellable,
                         QWidget* owner)
    : QDialog(owner), m_cancellable(cancellable) {
    setObjectName(QStringLiteral("frmPupilPicker"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
    setWindowTitle(Title());
    setAccessibleName(Title());
    Backgrounds::fill(this, Qt::white);
    // Announced as a dialog; its frame's pictures are not read out.
    ReaderTree::setReadAs(this, ReaderTree::ReadAs::Dialog);

    m_frame = new SkinnedFrame(this, pictures, FrameOptions::dialog());
    m_list = PupilList::make(QStringLiteral("lstPupilPicker"), this);
    m_list->setAccessibleName(Title());
    PupilList::fill(m_list, order, order.isEmpty() ? 0 : order.first().id);
    connect(m_list, &QListWidget::itemActivated, this, [this] { But1_Click(); });

    m_start = new PictureButton(QStringLiteral("But1"), this);
    m_start->resize(FallbackButton);
    m_start->setPictures(pictures.get(QStringLiteral("button_off.bmp")),
                         pictures.get(QStringLiteral("button_on.bmp")));
    m_start->addCaption(QStringLiteral("But1_lbl"), tr("Start"));
    m_start->setToolTips(tr("Start practising"));
    (new HoverGroup(this))->add(m_start);
    connect(m_start, &PictureButton::clicked, this, &PupilPicker::But1_Click);

    // Laid out like the message dialog: the title bar, then a margin of 240
    // twips around the list and under the button.
    const int margin = Twips::toPx(240);
    const int rows = qBound(2, int(order.size()), VisibleRows);
    const int listHeight = rows * PupilList::rowHeight(m_list) + 2 * m_list->frameWidth();
    resize(DesignWidth, 0);
    m_frame->layout();
    const int top = m_frame->BTopRight()->y() + m_frame->BTopRight()->height() + margin / 2;
    m_list->setGeometry(margin, top, DesignWidth - 2 * margin, listHeight);
    resize(DesignWidth, m_list->y() + listHeight + margin + m_start->height() + margin);
    m_frame->layout();
    m_frame->raise();
    m_frame->Title()->setText(Title());
    m_frame->Title()->move(margin,
                           (m_frame->BTopRight()->height() - m_frame->Title()->height()) / 2);
    m_start->move((width() - m_start->width()) / 2, height() - m_start->height() - margin);
    m_frame->pRoundCorners();
    m_list->setFocus(Qt::OtherFocusReason);

    frmPopUp::centreOver(this, owner);
}

void PupilPicker::But1_Click() {
    QListWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    m_chosen = item->data(PupilList::IdRole).toInt();
    m_answered = true;
    done(QDialog::Accepted);
}

void PupilPicker::dismiss() {
    m_chosen = 0;
    m_answered = true;
    done(QDialog::Rejected);
}

void PupilPicker::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            But1_Click();
        return;
    case Qt::Key_Escape:
        if (m_cancellable && !event->isAutoRepeat())
            dismiss();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void PupilPicker::closeEvent(QCloseEvent* event) {
    // Closed from outside (the program ends): no pupil.
    if (!m_answered)
        dismiss();
    event->accept();
}
