#include "main_window/ui/EngineWarmUp.h"

#include "core/Log.h"
#include "practice/ui/QuestionViewModule.h"

#include <QString>
#include <QTimer>

namespace {
int g_delayMs = EngineWarmUp::DefaultDelayMs;
} // namespace

void EngineWarmUp::setDelay(int ms) {
    g_delayMs = ms;
}

int EngineWarmUp::delay() {
    return g_delayMs;
}

void EngineWarmUp::schedule(QObject* context) {
    if (g_delayMs < 0)
        return;
    QTimer::singleShot(g_delayMs, context, [] {
        QString problem;
        // The first paper will say what is wrong, to the pupil; here the
        // log is enough.
        if (!warmUpQuestionView(&problem))
            qCWarning(lcQuillora) << "the question view cannot be loaded:" << problem;
    });
}
