#include "core/ProgramFolder.h"
#include "main_window/ui/Contents.h"
#include "main_window/ui/StartupEnvironment.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QString noDisplay;
    if (!StartupEnvironment::DisplayAvailable(&noDisplay)) {
        std::fprintf(stderr, "%s\n", qPrintable(noDisplay));
        return 1;
    }
    StartupEnvironment::PrepareWebEngine();
    // The web engine, its URL scheme and its GL context come with the first
    // paper (practice/ui/QuestionViewModule.h), not here.
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillora"));

    const ProgramFolderChoice folder = ChooseProgramFolder(QCoreApplication::applicationDirPath());
    Contents contents(folder.folder);
    contents.setStrandedResults(folder.strandedFolder, folder.strandedReason);
    return contents.Run();
}
