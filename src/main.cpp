#include "core/ProgramFolder.h"
#include "main_window/ui/Contents.h"
#include "main_window/ui/ProgramServices.h"
#include "main_window/ui/StartupEnvironment.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QString noDisplay;
    if (!StartupEnvironment::displayAvailable(&noDisplay)) {
        std::fprintf(stderr, "%s\n", qPrintable(noDisplay));
        return 1;
    }
    StartupEnvironment::prepareWebEngine();
    // The web engine, its URL scheme and its GL context come with the first
    // paper (practice/ui/QuestionViewModule.h), not here.
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillora"));

    const ProgramFolderChoice folder = chooseProgramFolder(QCoreApplication::applicationDirPath());
    // Made before the window and gone after it: the window's children use it
    // until the last of them is destroyed.
    ProgramServices program(folder.folder);
    Contents contents(program);
    contents.setStrandedResults(folder.strandedFolder, folder.strandedReason);
    return contents.Run();
}
