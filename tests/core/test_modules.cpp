// Teachers' modules in the data folder: a file is added only when sound and
// into the first free slot; a replacement must be a newer version of the same
// module and keeps the answers of unchanged papers for every pupil; removal
// sets every pupil's files aside; a broken file is left out at start-up, and
// a module new to a pupil's folder is not taken for lost results.

#include "main_window/Modules.h"

#include "core/ModuleFile.h"
#include "core/ResourceStore.h"
#include "main_window/Startup.h"
#include "module_sample.h"
#include "results/ResultsFiles.h"
#include "test_support.h"

#include <QDate>
#include <QtTest>

namespace {

using TestFiles::bytesOf;

// A module of one topic, five papers; changed: paper 102 asks otherwise.
ModuleSource moduleSource(const QString& mid, int version, bool changed = false) {
    const ModuleSource source = ModuleSample::smallModule(mid, version);
    return changed ? ModuleSample::withPaper2Changed(source) : source;
}

} // namespace

class TestModules : public QObject {
    Q_OBJECT

    QString write(const QString& name, const ModuleSource& source) {
        const QString path = m_files.filePath(name);
        QString error;
        if (!writeModuleFile(path, source, &error))
            qWarning("module not written: %s", qPrintable(error));
        return path;
    }
    QString pupil(int id) const { return m_data.filePath(QStringLiteral("pupil%1").arg(id)); }
    QString results(int id, ResultsFile file, int slot) const {
        return resultsFilePath(pupil(id), file, slot, m_code);
    }
    // How many of both pupils' results files of the slot there are.
    int resultsFiles(int slot) const {
        int n = 0;
        for (int id : {1, 2}) {
            for (ResultsFile file : TestFiles::AllResultsFiles)
                n += QFileInfo::exists(results(id, file, slot));
        }
        return n;
    }

    std::unique_ptr<QTemporaryDir> m_dataDir;
    QDir m_data;
    QTemporaryDir m_filesDir;
    QDir m_files;
    ResourceStore m_store;
    QString m_code;

private Q_SLOTS:
    // Both pupils' folders made ready for the built-in content alone.
    void init() {
        m_dataDir = std::make_unique<QTemporaryDir>();
        m_data = QDir(m_dataDir->path());
        m_files = QDir(m_filesDir.path());
        m_store = ResourceStore();
        QVERIFY2(m_store.contains(30000), "the built-in content is missing from the build");
        const DefinitionRead read = readProgramDefinition(m_store, m_data.path());
        QVERIFY(read.error == DefinitionError::None);
        m_code = read.definition.programCode;
        for (int id : {1, 2})
            QVERIFY(Startup::preparePupil(m_store, pupil(id), read.definition).ok());
    }

    void addRefusesThenFillsSlotsAndRemoveSetsAside() {
        Modules modules(m_data.path(), {pupil(1), pupil(2)});
        const auto bank = [this] {
            return TestFiles::resultsSnapshot([this](ResultsFile f) { return results(1, f, 2); });
        };
        const auto before = bank();

        // Refused: not a module at all, and one that breaks a rule. Nothing is
        // written into the data folder.
        QVERIFY(TestFiles::writeBytes(m_files.filePath("junk.qmodule"), "not a zip archive"));
        ModuleSource wrongKey = moduleSource(QStringLiteral("class-a"), 1);
        wrongKey.papers[2].questions[0].blanks[0].key = QStringLiteral("99");
        for (const QString& bad :
             {m_files.filePath("junk.qmodule"), write("wrong.qmodule", wrongKey),
              m_files.filePath("absent.qmodule")}) {
            const Modules::Outcome refused = modules.add(bad, m_store);
            QCOMPARE(refused.problem, Modules::Problem::Invalid);
            QVERIFY2(!refused.messages.join(QString()).isEmpty(), qPrintable(bad));
            QVERIFY(Modules::problemText(refused).contains(QFileInfo(bad).fileName()));
            QVERIFY(!QFileInfo::exists(m_data.filePath("module3.qmodule")));
            QVERIFY(modules.loaded().isEmpty());
        }
        // The check's words say where the key is wrong.
        QVERIFY(modules.add(m_files.filePath("wrong.qmodule"), m_store)
                    .messages.join(QString())
                    .contains(QStringLiteral("Fractions")));

        // Slot 3 first, then 1, then no room.
        const Modules::Outcome added =
            modules.add(write("a.qmodule", moduleSource("class-a", 1)), m_store);
        QVERIFY2(added.ok(), qPrintable(Modules::problemText(added)));
        QCOMPARE(added.slot, 3);
        QCOMPARE(added.definition.module(3).heading, QStringLiteral("Oak Class"));
        QCOMPARE(bytesOf(m_data.filePath("module3.qmodule")),
                 bytesOf(m_files.filePath("a.qmodule")));
        QCOMPARE(resultsFiles(3), 2 * 6);
        QCOMPARE(modules.find(3)->author, QStringLiteral("Mrs Patel"));
        QCOMPARE(modules.add(write("a2.qmodule", moduleSource("class-a", 2)), m_store).problem,
                 Modules::Problem::AlreadyLoaded);
        QCOMPARE(modules.add(write("b.qmodule", moduleSource("class-b", 1)), m_store).slot, 1);
        const Modules::Outcome full = modules.add(m_files.filePath("b.qmodule"), m_store);
        QCOMPARE(full.problem, Modules::Problem::NoFreeSlot);
        QCOMPARE(bank(), before);

        // Removal: every pupil's files and the module into one dated folder.
        QVERIFY(TestFiles::writeBytes(results(2, ResultsFile::Trend, 3), "#TRD#>50>75"));
        const QString aside = modules.removedFolderFor(3);
        QVERIFY(aside.contains(QDate::currentDate().toString(Qt::ISODate)));
        const Modules::Outcome removed = modules.remove(3, m_store);
        QVERIFY2(removed.ok(), qPrintable(Modules::problemText(removed)));
        QCOMPARE(removed.removedFolder, aside);
        QVERIFY(!removed.definition.moduleExists(3));
        QVERIFY(removed.definition.moduleExists(1));
        QVERIFY(!QFileInfo::exists(m_data.filePath("module3.qmodule")));
        QVERIFY(QFileInfo::exists(aside + "/module3.qmodule"));
        QCOMPARE(
            bytesOf(aside + "/pupil2/" + QFileInfo(results(2, ResultsFile::Trend, 3)).fileName()),
            QByteArray("#TRD#>50>75"));
        QCOMPARE(resultsFiles(3), 0);
        QCOMPARE(bank(), before);
        // A second removal the same day keeps the first one's folder.
        QVERIFY(modules.removedFolderFor(3) != aside);
        QCOMPARE(modules.remove(3, m_store).problem, Modules::Problem::NotLoaded);
    }

    void replaceKeepsUnchangedPapersForEveryPupil() {
        Modules modules(m_data.path(), {pupil(1), pupil(2)});
        QVERIFY(modules.add(write("v1.qmodule", moduleSource("class-a", 1)), m_store).ok());
        // Both pupils answered papers 101 and 102 (of 1 and 3 blanks).
        for (int id : {1, 2}) {
            Read<PaperLines> lines = readPaperLines(results(id, ResultsFile::First, 3), 5);
            QVERIFY(lines.ok());
            QVERIFY(writePaperRecord(lines.value, 1, {"2"}).ok());
            QVERIFY(writePaperRecord(lines.value, 2, {"2", "2", "2"}).ok());
        }
        const QByteArray marks = bytesOf(results(1, ResultsFile::Marks, 3));

        const QString same = write("same.qmodule", moduleSource("class-a", 1, true));
        QCOMPARE(modules.replace(3, same, m_store).problem, Modules::Problem::NotNewer);
        const Modules::Outcome other =
            modules.replace(3, write("other.qmodule", moduleSource("class-b", 2)), m_store);
        QCOMPARE(other.problem, Modules::Problem::OtherModule);
        QVERIFY(Modules::problemText(other).contains(QStringLiteral("Oak Class")));
        QCOMPARE(modules.find(3)->version, 1);
        QCOMPARE(bytesOf(m_data.filePath("module3.qmodule")),
                 bytesOf(m_files.filePath("v1.qmodule")));

        const Modules::Outcome replaced =
            modules.replace(3, write("v2.qmodule", moduleSource("class-a", 2, true)), m_store);
        QVERIFY2(replaced.ok(), qPrintable(Modules::problemText(replaced)));
        QCOMPARE(replaced.clearedPapers, QList<int>{102});
        QCOMPARE(modules.find(3)->version, 2);
        QVERIFY(!QFileInfo::exists(m_data.filePath("module3.qmodule.previous")));
        // Which files lose a changed paper's answers is the edition upgrade's
        // (test_edition_upgrade); every pupil's folder is upgraded.
        for (int id : {1, 2}) {
            const Read<PaperLines> lines = readPaperLines(results(id, ResultsFile::First, 3), 5);
            QCOMPARE(paperFields(lines.value, 1, 1).value, QStringList{"2"});
            QCOMPARE(paperFields(lines.value, 2, 3).value, QStringList(3, QString()));
        }
        // The scores stay, as with a new edition of the built-in papers.
        QCOMPARE(bytesOf(results(1, ResultsFile::Marks, 3)), marks);
    }

    void brokenFileIsLeftOutAtStart() {
        QVERIFY(writeModuleFile(m_data.filePath("module3.qmodule"), moduleSource("class-a", 1)));
        QByteArray cut = bytesOf(m_data.filePath("module3.qmodule"));
        cut.chop(cut.size() / 2);
        QVERIFY(TestFiles::writeBytes(m_data.filePath("module1.qmodule"), cut));

        Modules modules(m_data.path());
        const QStringList leftOut = modules.attachAll(m_store);
        QCOMPARE(leftOut.size(), 1);
        QVERIFY(
            leftOut.first().contains(QDir::toNativeSeparators(m_data.filePath("module1.qmodule"))));
        QCOMPARE(modules.loaded().size(), 1);
        QCOMPARE(modules.loaded().first().slot, 3);
        const DefinitionRead read = readProgramDefinition(m_store, m_data.path());
        QVERIFY(read.definition.moduleExists(3));
        QVERIFY(!read.definition.moduleExists(1));

        // A module new to a pupil's folder makes all its files and loses
        // nothing; once it was prepared there, the same files gone are lost.
        const Startup::PupilOutcome first =
            Startup::preparePupil(m_store, pupil(1), read.definition);
        QVERIFY(first.ok());
        QCOMPARE(first.createdResults.size(), ResultsFileCount);
        QVERIFY(!first.resultsLost());
        for (ResultsFile file : TestFiles::AllResultsFiles)
            QVERIFY(QFile::remove(results(1, file, 3)));
        QCOMPARE(Startup::preparePupil(m_store, pupil(1), read.definition).lostModules,
                 QList<int>{3});
    }
};

QTEST_GUILESS_MAIN(TestModules)
#include "test_modules.moc"
