// quillora-content: checks and looks up the content store, the one compiled
// into the program or a folder of items laid out the same way (--store).
// Exit status: 0 success, 1 problems found or a failed command, 2 bad usage.

#include "BlankMarker.h"
#include "PaperLister.h"
#include "StoreValidator.h"

#include "ModulePack.h"
#include "Validator.h"

#include "core/ModuleCheck.h"
#include "core/ModuleFile.h"
#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"
#include "practice/MhtmlArchive.h"
#include "practice/SpokenQuestion.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const char* const Usage =
    "usage: quillora-content [--store DIR] [--module M] COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  validate                 check every item of the store; one line per problem,\n"
    "                           then a summary; exit 0 only when there is none\n"
    "  validate --source DIR [--paper ID]\n"
    "                           check the bank's sources DIR/paperNNN.yaml (or only\n"
    "                           paper ID): keys against their checks, repeats, working,\n"
    "                           text alternatives, grammar, each paper's shape; then\n"
    "                           the curriculum statements practised per topic\n"
    "  validate FILE.qmodule    check a teacher's module file with the program's own\n"
    "                           rules; one line per problem; exit 0 only when there is none\n"
    "  pack SOURCE OUT          make the module file OUT (.qmodule) from the module's\n"
    "                           source folder SOURCE (module.yaml and one YAML file per\n"
    "                           paper); nothing is written while there is a problem\n"
    "  paper ID                 list paper ID (101..150): each question and, per blank,\n"
    "                           its kind, key and mark; totals\n"
    "                           (with --working: each question's worked solution too)\n"
    "  check KIND KEY ANSWER    judge one answer: prints correct, wrong or none\n"
    "  mark                     judge blanks read from standard input, one per line as\n"
    "                           KIND<TAB>KEY<TAB>ANSWER, as one paper's blank list (so\n"
    "                           \"G\" groups span lines); fields are taken as they stand\n"
    "  extract ID PATH          copy store item ID to the file PATH\n"
    "  speech ID                print what \"Read to me\" says for question ID\n"
    "                           (with --working: its worked solution too)\n"
    "\n"
    "Options:\n"
    "  --store DIR              use the items in DIR (DIR/store, DIR/graphics) instead\n"
    "                           of the store built into this program\n"
    "  --module M               module for 'paper' (default: the first defined one)\n"
    "  --working                for 'paper': print each question's worked solution as\n"
    "                           plain text under its blanks; for 'speech': say it too\n"
    "  --help                   show this text\n";

void out(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

void err(const QString& line) {
    std::fputs(("quillora-content: " + line).toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

int usageError(const QString& why) {
    err(why);
    std::fputs(Usage, stderr);
    return 2;
}

bool parseNumber(const QString& text, int lo, int hi, int* value) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < lo || v > hi)
        return false;
    *value = v;
    return true;
}

QByteArray readStandardInput() {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

// Prints the report's lines, then its summary; exit status 0 only without problems.
int printReport(const QStringList& first, const QStringList& second, const QString& summary,
                bool ok) {
    for (const QString& line : first)
        out(line);
    for (const QString& line : second)
        out(line);
    out(summary);
    return ok ? 0 : 1;
}

int validate(const ResourceStore& store, const QString& scratch) {
    const ValidationReport report = StoreValidator(store, scratch).run();
    return printReport(report.figures, report.problems, report.summary(),
                       report.problems.isEmpty());
}

int validateSources(const QString& folder, int paperNum) {
    const bank::source::SourceReport report = bank::source::validateSources(folder, paperNum);
    return printReport(report.problems, report.coverage, report.summary(),
                       report.problems.isEmpty());
}

// --- a teacher's module ----------------------------------------------------
QString problemCountText(int count) {
    return count == 1 ? QStringLiteral("1 problem") : QStringLiteral("%1 problems").arg(count);
}

int validateModule(const QString& path) {
    const ModuleFile file = ModuleFile::open(path);
    if (!file.ok()) {
        out(path + QStringLiteral(": ") + file.message());
        return 1;
    }
    const ModuleCheckResult result = checkModule(file);
    for (const QString& line : result.problems)
        out(path + QStringLiteral(": ") + line);
    if (result.notShown > 0)
        out(QStringLiteral("... and %1 more problems.").arg(result.notShown));
    out(result.ok() ? QStringLiteral("%1: a sound module, \"%2\" version %3")
                          .arg(path, file.info().heading)
                          .arg(file.info().version)
                    : path + QStringLiteral(": ") +
                          problemCountText(int(result.problems.size()) + result.notShown));
    return result.ok() ? 0 : 1;
}

int pack(const QString& source, const QString& target) {
    if (!QFileInfo(source).isDir())
        return usageError(QStringLiteral("pack: %1 is not a folder").arg(source));
    if (!target.endsWith(QLatin1String(".qmodule")))
        return usageError(QStringLiteral("pack: the module file's name ends in .qmodule"));
    const bank::source::PackResult result = bank::source::packModule(source);
    for (const QString& line : result.problems)
        out(line);
    if (!result.problems.isEmpty()) {
        out(problemCountText(int(result.problems.size())) + QStringLiteral(": nothing written"));
        return 1;
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(result.bytes) != result.bytes.size() ||
        !file.commit()) {
        err(QStringLiteral("cannot write %1: %2").arg(target, file.errorString()));
        return 1;
    }
    int questions = 0;
    for (const ModulePaper& p : result.module.papers)
        questions += int(p.questions.size());
    out(QStringLiteral("%1: \"%2\" version %3, %4 topics, %5 papers, %6 questions")
            .arg(target, result.module.heading)
            .arg(result.module.version)
            .arg(result.module.topicNames.size())
            .arg(result.module.papers.size())
            .arg(questions));
    return 0;
}

int paper(const ResourceStore& store, const QString& scratch, int module, const QString& idText,
          bool withWorking) {
    int paperNum = 0;
    if (!parseNumber(idText, 101, 150, &paperNum))
        return usageError(
            QStringLiteral("paper: ID must be a paper id from 101 to 150, not \"%1\"").arg(idText));
    const DefinitionRead def = readProgramDefinition(store, scratch);
    if (def.error != DefinitionError::None && def.error != DefinitionError::BadModule) {
        err(def.detail);
        return 1;
    }
    if (module == 0)
        module = def.definition.firstModule();
    if (!def.definition.moduleExists(module) || def.definition.module(module).paperCount == 0) {
        err(module == 0 ? def.detail
                        : QStringLiteral("module %1 is not defined (or not usable) in this store")
                              .arg(module));
        return 1;
    }
    QStringList lines, errors;
    if (!PaperLister::list(store, def.definition, module, paperNum, scratch, &lines, &errors,
                           withWorking)) {
        for (const QString& e : errors)
            err(e);
        return 1;
    }
    for (const QString& l : lines)
        out(l);
    return 0;
}

int mark() {
    QStringList results, errors;
    if (!BlankMarker::markLines(readStandardInput(), &results, &errors)) {
        for (const QString& e : errors)
            err(e);
        return 2;
    }
    for (const QString& r : results)
        out(r);
    return 0;
}

int extract(const ResourceStore& store, const QString& idText, const QString& path) {
    int id = 0;
    if (!parseNumber(idText, 0, 65535, &id))
        return usageError(
            QStringLiteral("extract: ID must be a whole number from 0 to 65535, not \"%1\"")
                .arg(idText));
    const auto result = store.ExtractResource(id, QStringLiteral("Custom"), path);
    if (result != ResourceStore::ExtractResult::Done) {
        err(QStringLiteral("item %1 could not be written to %2 (error %3)")
                .arg(id)
                .arg(path)
                .arg(int(result)));
        return int(result);
    }
    return 0;
}

// --- speech: the spoken text of one question ---------------------------------
int speech(const ResourceStore& store, const QString& idText, bool withWorking) {
    int id = 0;
    bool found = false;
    const QByteArray bytes = parseNumber(idText, 0, 65535, &id) ? store.itemBytes(id, &found) : "";
    MhtmlArchive document;
    if (!found || !document.parse(bytes)) {
        err(found ? QStringLiteral("item %1 is no question document: %2")
                        .arg(idText, document.errorString())
                  : QStringLiteral("speech: there is no store item \"%1\"").arg(idText));
        return 1;
    }
    out(SpokenQuestion::spokenTextOf(document, withWorking));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);

    QString storeDir;
    QString sourceDir;
    int onlyPaper = 0;
    int module = 0;
    bool withWorking = false;
    QStringList words;
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (optionsEnded || !a.startsWith(QLatin1String("--")) || a == QLatin1String("-")) {
            words.append(a);
        } else if (a == QLatin1String("--")) {
            optionsEnded = true;
        } else if (a == QLatin1String("--help")) {
            std::fputs(Usage, stdout);
            return 0;
        } else if (a == QLatin1String("--store") || a.startsWith(QLatin1String("--store="))) {
            if (a.contains(QLatin1Char('=')))
                storeDir = a.section(QLatin1Char('='), 1);
            else if (i + 1 < args.size())
                storeDir = args[++i];
            if (storeDir.isEmpty())
                return usageError(QStringLiteral("--store needs a folder"));
        } else if (a == QLatin1String("--source")) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty())
                return usageError(QStringLiteral("--source needs the sources' folder"));
            sourceDir = args[++i];
        } else if (a == QLatin1String("--paper")) {
            if (i + 1 >= args.size() || !parseNumber(args[++i], 101, 150, &onlyPaper))
                return usageError(QStringLiteral("--paper needs a paper id from 101 to 150"));
        } else if (a == QLatin1String("--working")) {
            withWorking = true;
        } else if (a == QLatin1String("--module")) {
            if (i + 1 >= args.size() || !parseNumber(args[++i], 1, 3, &module))
                return usageError(QStringLiteral("--module needs a module number 1, 2 or 3"));
        } else {
            return usageError(QStringLiteral("unknown option %1").arg(a));
        }
    }
    if (words.isEmpty())
        return usageError(QStringLiteral("no command given"));

    if (!storeDir.isEmpty() && !QFileInfo(storeDir).isDir())
        return usageError(QStringLiteral("--store: %1 is not a folder").arg(storeDir));
    const ResourceStore store = storeDir.isEmpty() ? ResourceStore() : ResourceStore(storeDir);

    const QString command = words.takeFirst();
    if (withWorking && command != QLatin1String("paper") && command != QLatin1String("speech"))
        return usageError(QStringLiteral("--working goes with the paper and speech commands only"));
    const auto expect = [&](int count) { return words.size() == count; };
    if ((!sourceDir.isEmpty() || onlyPaper != 0) && command != QLatin1String("validate"))
        return usageError(QStringLiteral("--source and --paper go with validate only"));
    if (onlyPaper != 0 && sourceDir.isEmpty())
        return usageError(QStringLiteral("--paper goes with --source"));
    if (!sourceDir.isEmpty()) {
        if (!expect(0))
            return usageError(QStringLiteral("validate takes no arguments"));
        if (!QFileInfo(sourceDir).isDir())
            return usageError(QStringLiteral("--source: %1 is not a folder").arg(sourceDir));
        return validateSources(sourceDir, onlyPaper);
    }

    if (command == QLatin1String("pack")) {
        if (!expect(2))
            return usageError(QStringLiteral("pack takes SOURCE OUT"));
        return pack(words[0], words[1]);
    }
    if (command == QLatin1String("validate") && expect(1)) {
        if (!words[0].endsWith(QLatin1String(".qmodule")))
            return usageError(QStringLiteral("validate takes no arguments, or a module file "
                                             "whose name ends in .qmodule"));
        return validateModule(words[0]);
    }

    if (command == QLatin1String("check")) {
        if (!expect(3))
            return usageError(QStringLiteral("check takes KIND KEY ANSWER"));
        out(BlankMarker::checkOne(words[0], words[1], words[2]));
        return 0;
    }
    if (command == QLatin1String("mark")) {
        if (!expect(0))
            return usageError(QStringLiteral("mark reads its blanks from standard input"));
        return mark();
    }
    if (command == QLatin1String("speech")) {
        if (!expect(1))
            return usageError(QStringLiteral("speech takes one question ID"));
        return speech(store, words[0], withWorking);
    }
    if (command == QLatin1String("extract")) {
        if (!expect(2))
            return usageError(QStringLiteral("extract takes ID PATH"));
        return extract(store, words[0], words[1]);
    }

    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        err(QStringLiteral("cannot create a temporary folder"));
        return 1;
    }
    if (command == QLatin1String("validate")) {
        if (!expect(0))
            return usageError(QStringLiteral("validate takes no arguments"));
        return validate(store, scratch.path());
    }
    if (command == QLatin1String("paper")) {
        if (!expect(1))
            return usageError(QStringLiteral("paper takes one paper ID"));
        return paper(store, scratch.path(), module, words[0], withWorking);
    }
    return usageError(QStringLiteral("unknown command \"%1\"").arg(command));
}
