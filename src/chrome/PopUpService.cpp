#include "chrome/PopUpService.h"

#include "chrome/frmPopUp.h"
#include "core/AppState.h"

#include <QPointer>

PopUpService::PopUpService(AppState& state, PictureCache& pictures)
    : m_state(state), m_pictures(pictures) {}

bool PopUpService::Ask(const QString& title, const QString& message, int buttons, QWidget* owner) {
    m_lastTitle = title;
    m_lastMessage = message;
    ++m_askCount;
    if (m_ended) {
        m_state.PopUpResponse = false;
        return false;
    }
    if (m_answerer) {
        m_state.PopUpResponse = m_answerer(title, message, buttons);
        return m_state.PopUpResponse;
    }
    // A set-1 notice can only be answered with OK.
    m_state.PopUpResponse = buttons != 2;
    QPointer<frmPopUp> dialog =
        new frmPopUp(m_state, m_pictures, owner ? owner->window() : nullptr);
    dialog->CallPop(title, message, buttons, owner);
    const QPointer<frmPopUp> outer = m_open;
    m_open = dialog;
    dialog->exec();
    m_open = outer;
    delete dialog.data();
    return m_state.PopUpResponse;
}

void PopUpService::EndAll() {
    m_ended = true;
    if (m_open)
        m_open->Dismiss();
}
