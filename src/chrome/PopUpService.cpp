#include "chrome/PopUpService.h"

#include "chrome/frmPopUp.h"

#include <QPointer>

PopUpService::PopUpService(PictureCache& pictures) : m_pictures(pictures) {}

bool PopUpService::ask(const QString& title, const QString& message, PopUpButtons buttons,
                       QWidget* owner) {
    ++m_askCount;
    if (m_ended)
        return false;
    if (m_answerer)
        return m_answerer(title, message, buttons);
    QPointer<frmPopUp> dialog = new frmPopUp(m_pictures, owner ? owner->window() : nullptr);
    dialog->CallPop(title, message, buttons, owner);
    const QPointer<frmPopUp> outer = m_open;
    m_open = dialog;
    dialog->exec();
    m_open = outer;
    // A dialog taken down with its owner leaves a notice answered OK and a
    // question answered No.
    const bool answer = dialog ? dialog->PopUpResponse() : buttons == PopUpButtons::Ok;
    delete dialog.data();
    return answer;
}

void PopUpService::endAll() {
    m_ended = true;
    if (m_open)
        m_open->dismiss();
}
