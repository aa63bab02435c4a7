#pragma once
// What the tests of the main window share: the built-in content they need,
// the results files and their templates, finding and clicking controls, and
// a main window on a program folder of its own.

#include "../core/test_support.h"
#include "chrome/FocusFrame.h"
#include "core/GraphicsTable.h"
#include "core/ResourceStore.h"
#include "main_window/ui/Contents.h"
#include "results/PupilRoster.h"
#include "results/ResultsFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// Missing built-in content is a broken resource build: a failure, never a skip.
#define REQUIRE_CONTENT()                                                                          \
    QVERIFY2(ResourceStore().contains(30000) &&                                                    \
                 ResourceStore().contains(resultsTemplateId(ResultsFile::Marks, 2)) &&             \
                 ResourceStore().contains(graphicsId(QStringLiteral("border_top_left.bmp"))),      \
             "the program's built-in content is missing from the build")

// The file's line ends changed as a text editor may change them.
inline bool unixLineEnds(const QString& path) {
    QByteArray bytes = TestFiles::bytesOf(path);
    return bytes.contains("\r\n") && TestFiles::writeBytes(path, bytes.replace("\r\n", "\n"));
}

inline QByteArray templateBytes(ResultsFile file, int module = 2) {
    return ResourceStore().itemBytes(resultsTemplateId(file, module));
}

template <typename T = QWidget> T* child(QWidget* window, const QString& name) {
    T* found = window ? window->findChild<T*>(name) : nullptr;
    if (!found)
        qWarning("no child named %s", qPrintable(name));
    return found;
}

// A left click in the middle of the control; a missing control fails the test.
inline bool click(QWidget* widget) {
    if (!QTest::qVerify(widget != nullptr, "widget", "no control to click", __FILE__, __LINE__))
        return false;
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    return true;
}

// How many of the control's pixels are in the focus frame's colour.
inline int framePixels(QWidget* control) {
    const QImage image = control->grab().toImage();
    int dots = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            dots += QColor(image.pixel(x, y)) == FocusFrame::colour() ? 1 : 0;
    }
    return dots;
}

// The Help tab's Trash page, asking whether to erase.
inline bool askToErase(QWidget* contents) {
    return click(child(contents, "Tab04")) && click(child(contents, "ToolBar02")) &&
           click(child(contents, "ButTrash"));
}

// The main window on a program folder of its own, started again on the same
// folder by each start(). Its dialogs are answered Yes through the seam and
// their messages kept, unless the real dialogs are wanted.
struct MainWindow {
    QTemporaryDir dir;
    std::unique_ptr<ProgramServices> program; // made before contents, gone after it
    std::unique_ptr<Contents> contents;
    QStringList told;
    QString code;

    ~MainWindow() { stop(); }
    // Closed first, as the program closes it.
    void stop() {
        if (contents)
            contents->close();
        contents.reset();
        program.reset();
    }
    // A main window on the folder, as main() makes it; not started.
    Contents* make(const ResourceStore& store = ResourceStore()) {
        stop();
        program = std::make_unique<ProgramServices>(dir.path(), store);
        contents = std::make_unique<Contents>(*program);
        return contents.get();
    }
    Contents* start(const ResourceStore& store = ResourceStore(), bool realDialogs = false) {
        make(store);
        if (!realDialogs) {
            contents->popUp().setAnswerer(
                [this](const QString&, const QString& message, PopUpButtons) {
                    told << message;
                    return true;
                });
        }
        if (!contents->startUp())
            return nullptr;
        code = contents->state().lblCOD;
        return contents.get();
    }
    // For a pupil at the keyboard: the real dialogs, an animation that does
    // not sleep, and the window active.
    bool startForKeys() {
        if (!start(ResourceStore(), true))
            return false;
        contents->services().animationDelay = [](int) {};
        return QTest::qWaitForWindowActive(contents.get());
    }
    // The first pupil's folder, where a family of one keeps its results.
    QString resultsFolder() const { return dir.filePath(PupilRoster::folderName(1)); }
    QString path(ResultsFile file, int module = 2) const {
        return resultsFilePath(resultsFolder(), file, module, code);
    }
    // Module 2's marks file with a paper's first and second score set.
    bool setMarks(int paperIndex, const QString& first, const QString& second = QString()) const {
        const int papers = contents->state().definition.module(2).paperCount;
        Read<MarksRecords> marks = readMarksFile(path(ResultsFile::Marks), papers);
        if (!marks.ok())
            return false;
        marks.value.FSE[paperIndex - 1] = first;
        marks.value.SSE[paperIndex - 1] = second;
        return writeMarksFile(path(ResultsFile::Marks), marks.value, papers) == RecordError::None;
    }
    QMap<ResultsFile, QByteArray> snapshot() const {
        return TestFiles::resultsSnapshot([this](ResultsFile f) { return path(f); });
    }
    template <typename T = QWidget> T* child(const char* name) const {
        return contents->findChild<T*>(QString::fromLatin1(name));
    }
};
