#include "chrome/frmPopUp.h"

#include "chrome/Backgrounds.h"
#include "chrome/HoverGroup.h"
#include "chrome/Labels.h"
#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "chrome/SkinnedFrame.h"
#include "chrome/Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

namespace {
const QSize FallbackInfo(32, 32);
const QSize FallbackButton(75, 23);
} // namespace

frmPopUp::frmPopUp(PictureCache& pictures, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPopUp"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
    resize(DesignWidth, DesignHeight);
    Backgrounds::fill(this, Qt::white);

    m_frame = new SkinnedFrame(this, pictures, FrameOptions::dialog());

    m_info = Labels::picture(QStringLiteral("ImgInfo"),
                             pictures.get(QStringLiteral("info_mark.gif")), FallbackInfo, this);

    m_message = Labels::text(QStringLiteral("lblMessage"), QString(), this);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* hover = new HoverGroup(this);
    auto makeButton = [&](const char* name, const char* captionName, void (frmPopUp::*click)()) {
        auto* button = new PictureButton(QString::fromLatin1(name), this);
        button->resize(FallbackButton);
        button->setPictures(pictures.get(QStringLiteral("button_off.bmp")),
                            pictures.get(QStringLiteral("button_on.bmp")));
        button->addCaption(QString::fromLatin1(captionName), QString());
        hover->add(button);
        connect(button, &PictureButton::clicked, this, click);
        return button;
    };
    m_but1 = makeButton("But1", "But1_lbl", &frmPopUp::But1_Click);
    m_but2 = makeButton("But2", "But2_lbl", &frmPopUp::But2_Click);

    layoutFromLoad();
}

void frmPopUp::layoutFromLoad() {
    m_frame->layout();
    m_frame->raise();
    const int margin = Twips::toPx(240);
    QLabel* title = m_frame->Title();
    title->move(margin, (m_frame->BTopRight()->height() - title->height()) / 2);
    m_info->move(title->x(), m_frame->BTopRight()->y() + m_frame->BTopRight()->height() + margin);
    const int messageLeft = m_info->x() + m_info->width() + Twips::toPx(150);
    m_message->setGeometry(messageLeft, m_info->y(), qMax(0, width() - messageLeft - margin),
                           m_message->height());
    m_but1->move(m_but1->x(), height() - m_but1->height() - margin);
    m_but2->move(m_but2->x(), m_but1->y());
    m_frame->pRoundCorners();
}

void frmPopUp::CallPop(const QString& title, const QString& message, PopUpButtons buttons,
                       QWidget* owner) {
    m_frame->Title()->setText(title);
    m_message->setText(message);

    m_buttonSet = buttons;
    m_response = buttons == PopUpButtons::Ok;
    if (m_buttonSet == PopUpButtons::Ok) {
        m_but1->setVisible(true);
        m_but2->setVisible(false);
        m_but1->move((width() - m_but1->width()) / 2, m_but1->y());
        m_but1->setCaptionText(tr("OK"));
    } else {
        m_but1->setVisible(true);
        m_but2->setVisible(true);
        m_but1->move(m_message->x(), m_but1->y());
        m_but2->move(m_but1->x() + m_but1->width() + ButtonGap, m_but1->y());
        m_but1->setCaptionText(tr("Yes"));
        m_but2->setCaptionText(tr("No"));
    }
    m_but1->setFocus(Qt::OtherFocusReason);
    // A screen reader announces the dialog by its title and reads the message.
    setAccessibleName(title);
    setAccessibleDescription(message);

    // A one-line message is lowered to the middle of the picture.
    const int messageTop = m_info->y() + (message.size() > ShortMessage ? 0 : ShortMessageDrop);
    const int messageHeight = m_message->heightForWidth(m_message->width());
    const int needed =
        messageTop + messageHeight + Twips::toPx(240) + m_but1->height() + Twips::toPx(240);
    if (needed > height()) {
        resize(width(), needed);
        layoutFromLoad();
    }
    m_message->setGeometry(m_message->x(), messageTop, m_message->width(),
                           qMax(messageHeight, m_info->height()));

    centreOver(this, owner);
}

void frmPopUp::centreOver(QWidget* dialog, QWidget* owner) {
    QRect area;
    if (owner) {
        area = owner->window()->frameGeometry();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    dialog->move((area.width() - dialog->width()) / 2 + area.left(),
                 (area.height() - dialog->height()) / 2 + area.top());
}

void frmPopUp::But1_Click() {
    m_response = true;
    m_answered = true;
    done(QDialog::Accepted);
}

void frmPopUp::But2_Click() {
    m_response = false;
    m_answered = true;
    done(QDialog::Rejected);
}

void frmPopUp::dismiss() {
    m_response = false;
    m_answered = true;
    done(QDialog::Rejected);
}

void frmPopUp::keyPressEvent(QKeyEvent* event) {
    // A key held down since before the dialog opened repeats into it; only a
    // fresh press answers.
    const bool fresh = !event->isAutoRepeat();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (fresh)
            But1_Click();
        return;
    case Qt::Key_Escape:
        if (fresh) {
            if (m_buttonSet == PopUpButtons::YesNo)
                But2_Click();
            else
                But1_Click(); // a notice has nothing to refuse: Esc just closes it
        }
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void frmPopUp::closeEvent(QCloseEvent* event) {
    // Only the buttons leave the dialog.
    if (m_answered)
        event->accept();
    else
        event->ignore();
}
