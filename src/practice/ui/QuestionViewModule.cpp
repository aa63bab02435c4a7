#include "practice/ui/QuestionViewModule.h"

#include "practice/ui/QuestionDisplay.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QOpenGLContext>
#include <QPointer>
#include <QStringList>

#include <dlfcn.h>

// QtGui's setter of the context that every GL user of the process shares; the
// web engine looks for it when it starts. It is QtGui's own export, not public
// API. The public way, Qt::AA_ShareOpenGLContexts, makes the context while the
// application object is built, before the main window can show: under Xvfb
// with Mesa that took the bare window from 0.1-0.4 s to 0.9-1.7 s, for a
// context only the first paper needs. The declaration is checked against the
// Qt versions below; a newer Qt stops the build here until it is checked
// against that Qt's qopenglcontext.cpp, rather than failing at run time.
static_assert(QT_VERSION >= QT_VERSION_CHECK(6, 4, 0) && QT_VERSION < QT_VERSION_CHECK(6, 5, 0),
              "qt_gl_set_global_share_context is QtGui's private export: check that this Qt "
              "still exports it with this signature, then widen the range");
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

#ifndef QUILLORA_WEB_MODULE_RELDIR
#define QUILLORA_WEB_MODULE_RELDIR "../lib/quillora"
#endif

namespace {

using Entry = QuestionDisplay* (*)(QWidget*);
using WarmUpEntry = QObject* (*)();

// The warm-up's page while it loads; it deletes itself once loaded.
QPointer<QObject> g_warmUp;
// Set by the first view or warm-up: the engine starts once a run.
bool g_engineStarted = false;

// The engine draws through a GL context shared with the windows and expects
// one to be set before it starts; it is made here, with the first paper,
// rather than when the application starts, where it would load the GL
// drivers into every run. A context that cannot be created is set all the
// same: the engine then draws in software (without one it crashes).
void ensureShareContext() {
    if (QOpenGLContext::globalShareContext())
        return;
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    context->create();
    qt_gl_set_global_share_context(context);
}

// Beside the program (a build, a copied folder), where it is installed, then
// by name alone: the library search path, which holds the build folder for
// programs of the build that link against the module.
QStringList modulePaths() {
    const QString dir = QCoreApplication::applicationDirPath();
    const QString file = QString::fromLatin1(QuestionViewModuleFile);
    return {dir + QLatin1Char('/') + file,
            QDir::cleanPath(dir + QStringLiteral("/" QUILLORA_WEB_MODULE_RELDIR "/") + file), file};
}

// The module's handle, loading it on the first call; null (and error set)
// when it cannot be loaded.
void* moduleHandle(QString* error) {
    // A program linked with the module (the tests) has it already.
    void* handle = dlopen(QuestionViewModuleFile, RTLD_NOW | RTLD_NOLOAD);
    QStringList problems;
    if (!handle) {
        ensureShareContext();
        for (const QString& path : modulePaths()) {
            handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
            if (handle)
                break;
            problems << QString::fromLocal8Bit(dlerror());
        }
    }
    // The module stays loaded for the rest of the run: its views and the
    // engine's threads live on after this call.
    if (!handle && error)
        *error = problems.join(QStringLiteral("; "));
    return handle;
}

template <typename T> T entryPoint(void* handle, const char* name, QString* error) {
    auto entry = handle ? reinterpret_cast<T>(dlsym(handle, name)) : nullptr;
    if (handle && !entry && error)
        *error = QString::fromLocal8Bit(dlerror());
    return entry;
}

} // namespace

QuestionDisplay* createQuestionView(QWidget* parent, QString* error) {
    // A warm-up still loading has done its part (the module and the engine
    // are up): the pupil's page does not share the machine with it.
    delete g_warmUp;
    g_engineStarted = true;
    auto entry = entryPoint<Entry>(moduleHandle(error), QuestionViewEntryPoint, error);
    return entry ? entry(parent) : nullptr;
}

bool warmUpQuestionView(QString* error) {
    if (g_engineStarted)
        return true;
    g_engineStarted = true;
    auto entry = entryPoint<WarmUpEntry>(moduleHandle(error), QuestionViewWarmUpEntryPoint, error);
    if (!entry)
        return false;
    g_warmUp = entry();
    return true;
}

bool questionViewWarmingUp() {
    return !g_warmUp.isNull();
}

bool questionViewEngineStarted() {
    return g_engineStarted;
}
