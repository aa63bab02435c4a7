#include "practice/ui/PracticeWindow.h"

#include "chrome/AppServices.h"
#include "core/AppState.h"

PracticeWindow::PracticeWindow(AppState& state, const AppServices& services, QWidget* parent)
    : QWidget(parent), m_state(state), m_services(services) {
    setObjectName(m_state.TakeNum == 2 ? QStringLiteral("Test2") : QStringLiteral("Test1"));
}

PracticeWindow::~PracticeWindow() = default;

bool PracticeWindow::LoadPaper() {
    return false;
}
