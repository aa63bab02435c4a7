// Saves, marks, retakes and erases in a program folder as fast as it can, for
// the crash-safety test to kill at random moments.
//   crash_worker <program folder> <content root> <first stamp> [pupils]
// With "pupils", every round first changes to another pupil of the folder's
// list (as the main window does: the list written, the pupil's folder
// prepared), renames one now and then, and works in that pupil's folder.

#include "WorkerSteps.h"
#include "core/Clock.h"
#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"
#include "practice/PaperSession.h"
#include "results/PupilRoster.h"
#include "results/ResultsFiles.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

int fail(int code, const QString& what) {
    std::fprintf(stderr, "crash_worker: %s\n", qPrintable(what));
    return code;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool pupils = args.size() == 5 && args.at(4) == QLatin1String("pupils");
    if (args.size() != 4 && !pupils)
        return fail(1, "usage: crash_worker FOLDER CONTENT_ROOT FIRST_STAMP [pupils]");
    const QString programFolder = args.at(1);
    const ResourceStore store(args.at(2));
    const qint64 firstStamp = args.at(3).toLongLong();

    const DefinitionRead read = readProgramDefinition(store, programFolder);
    if (read.error != DefinitionError::None)
        return fail(2, read.detail);
    const ProgramDefinition& definition = read.definition;
    PupilRoster roster(programFolder);
    if (pupils && (roster.load().rebuilt || roster.pupils().isEmpty()))
        return fail(7, "the list of pupils was damaged");
    QString folder = programFolder;
    if (!pupils && !ensureResultsFiles(store, folder, definition).isEmpty())
        return fail(3, "results files could not be created");

    const int module = definition.firstModule();
    const int papers = definition.module(module).paperCount;
    const Clock clock;
    std::fputs("ready\n", stdout);
    std::fflush(stdout);

    for (qint64 stamp = firstStamp;; ++stamp) {
        if (pupils) {
            const QList<Pupil>& list = roster.pupils();
            const Pupil pupil = list.at(int(stamp % list.size()));
            if (!roster.choose(pupil.id).ok())
                return fail(7, "the pupil chosen could not be kept");
            if (stamp % 5 == 0 &&
                !roster.rename(pupil.id, QStringLiteral("Zoë %1").arg(stamp)).ok())
                return fail(7, "a pupil could not be renamed");
            folder = roster.folderOf(pupil.id);
            if (!ensureResultsFiles(store, folder, definition).isEmpty())
                return fail(3, "results files could not be created");
        }
        const int paperIndex = 1 + int(stamp % papers);
        for (int attempt = 1; attempt <= 2; ++attempt) {
            const PaperSessionSetup setup{
                folder, module, definition.programCode, papers, 100 + paperIndex, attempt, folder};
            PaperSession session(setup, store, clock, QLocale::c());
            const LoadOutcome loaded = session.load();
            if (!loaded.ok())
                return fail(4, loaded.details.join(QLatin1Char(' ')));
            if (session.isMarked())
                continue;
            if (!WorkerSteps::workPaper(session, stamp, stamp % 3 == 0))
                return fail(5, "a write failed");
            break;
        }
        if (stamp % (2 * papers + 1) == 0 && !ResetAllResults(store, folder, definition).isEmpty())
            return fail(6, "erasing failed");
        // One mark per round, so that the test can kill it at work however
        // fast or slow this build runs.
        std::fputc('.', stdout);
        std::fflush(stdout);
    }
}
