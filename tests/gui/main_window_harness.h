#pragma once
// What the tests of the main window share: the built-in content they need,
// the results files and their templates, finding and clicking controls, and
// a main window on a program folder of its own.

#include "core/GraphicsTable.h"
#include "core/ResourceStore.h"
#include "main_window/Contents.h"
#include "results/ResultsFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

inline bool builtInContentPresent() {
    const ResourceStore store;
    return store.contains(30000) && store.contains(ResultsTemplateId(ResultsFile::Marks, 2)) &&
           store.contains(GraphicsId(QStringLiteral("border_top_left.bmp")));
}

// Missing built-in content is a broken resource build: a failure, never a skip.
#define REQUIRE_CONTENT()                                                                          \
    QVERIFY2(builtInContentPresent(), "the program's built-in content is missing from the build")

inline const QList<ResultsFile> AllFiles = {ResultsFile::Marks,    ResultsFile::First,
                                            ResultsFile::Second,   ResultsFile::FResults,
                                            ResultsFile::SResults, ResultsFile::Trend};

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline QByteArray templateBytes(ResultsFile file, int module = 2) {
    return ResourceStore().itemBytes(ResultsTemplateId(file, module));
}

template <typename T = QWidget> T* child(QWidget* window, const QString& name) {
    T* found = window ? window->findChild<T*>(name) : nullptr;
    if (!found)
        qWarning("no child named %s", qPrintable(name));
    return found;
}
template <typename T = QWidget> T* child(QWidget& window, const QString& name) {
    return child<T>(&window, name);
}

// A left click in the middle of the control; a missing control fails the test.
inline bool click(QWidget* widget) {
    if (!QTest::qVerify(widget != nullptr, "widget", "no control to click", __FILE__, __LINE__))
        return false;
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    return true;
}

// The main window on a program folder of its own, its dialogs real and its
// animation not sleeping.
struct MainWindow {
    QTemporaryDir dir;
    std::unique_ptr<Contents> contents;
    // Closed first, as the program closes it: a window still active when it
    // is destroyed repaints its frame from pictures that are already gone.
    ~MainWindow() {
        if (contents)
            contents->close();
    }
    bool start() {
        contents = std::make_unique<Contents>(dir.path());
        contents->services().animationDelay = [](int) {};
        return contents->Start() && QTest::qWaitForWindowActive(contents.get());
    }
    template <typename T = QWidget> T* child(const char* name) const {
        return contents->findChild<T*>(QString::fromLatin1(name));
    }
};
