#pragma once
// Small file helpers shared by the core tests and the practice window tests.

#include "FileBytes.h"

#include "core/AnswerChecking.h"
#include "core/Clock.h"
#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"
#include "practice/PaperSession.h"
#include "results/ResultsFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace TestFiles {

inline const QString FixtureRoot = QStringLiteral(QUILLORA_TEST_DATA_DIR "/fixture_store");

inline const QList<ResultsFile> AllResultsFiles = {ResultsFile::Marks,    ResultsFile::First,
                                                   ResultsFile::Second,   ResultsFile::FResults,
                                                   ResultsFile::SResults, ResultsFile::Trend};

// Reproducible binary noise, without "#" so that it holds no record tag.
inline QByteArray noiseBytes(int size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes) {
        c = char(random.bounded(256));
        if (c == '#')
            c = '%';
    }
    return bytes;
}

// A copy of the fixture store (its store and graphics folders) in root.
inline bool copyFixtureStore(const QString& root) {
    for (const QString sub : {"store", "graphics"}) {
        const QDir from(FixtureRoot + QLatin1Char('/') + sub);
        const QString to = root + QLatin1Char('/') + sub;
        if (!QDir().mkpath(to))
            return false;
        for (const QString& name : from.entryList(QDir::Files)) {
            if (!QFile::copy(from.filePath(name), to + QLatin1Char('/') + name))
                return false;
        }
    }
    return true;
}

// A copy of the fixture store in which item id holds lines instead (none:
// the item is absent).
inline bool copyStoreWith(const QString& root, int id, const QStringList& lines = {}) {
    if (!copyFixtureStore(root))
        return false;
    const QString item = root + "/store/" + QString::number(id) + ".txt";
    QFile::remove(item);
    return lines.isEmpty() || writeBytes(item, lines.join("\r\n").toLatin1());
}

// The bytes of every results file, to see which ones a step has changed.
inline QMap<ResultsFile, QByteArray>
resultsSnapshot(const std::function<QString(ResultsFile)>& pathOf) {
    QMap<ResultsFile, QByteArray> files;
    for (ResultsFile f : AllResultsFiles)
        files.insert(f, bytesOf(pathOf(f)));
    return files;
}

// A temporary program folder for module 2 over a store: its definition, a
// clock standing still and the pupil's locale.
struct ModuleFolder {
    QTemporaryDir dir;
    std::unique_ptr<ResourceStore> store;
    ProgramDefinition definition;
    ManualClock clock{QDateTime(QDate(2024, 3, 9), QTime(10, 0, 0))};
    QLocale locale{QLocale::English, QLocale::UnitedKingdom};

    explicit ModuleFolder(const QString& storeRoot = FixtureRoot)
        : store(std::make_unique<ResourceStore>(storeRoot)) {}

    // Reads the store's definition and makes the missing results files, as a
    // start does; false when either fails.
    bool start() {
        const DefinitionRead read = readProgramDefinition(*store, path());
        definition = read.definition;
        return read.error == DefinitionError::None &&
               ensureResultsFiles(*store, path(), definition).isEmpty();
    }
    QString at; // the folder, when not the temporary one
    QString path() const { return at.isEmpty() ? dir.path() : at; }
    // Where the results are: the folder itself, until a start of the
    // program has made them the first pupil's.
    QString results() const {
        return QFileInfo::exists(path() + "/pupils.json") ? path() + "/pupil1" : path();
    }
    QString file(ResultsFile which) const {
        return resultsFilePath(results(), which, 2, definition.programCode);
    }
    PaperSessionSetup setup(int paperNum, int attempt = 1) const {
        const int papers = definition.module(2).paperCount;
        return {path(), 2, definition.programCode, papers, paperNum, attempt, results()};
    }
    std::unique_ptr<PaperSession> session(int paperNum, int attempt = 1) const {
        return std::make_unique<PaperSession>(setup(paperNum, attempt), *store, clock, locale);
    }
    // The paper loaded; one that does not load ends the run.
    std::unique_ptr<PaperSession> open(int paperNum, int attempt = 1) const {
        auto opened = session(paperNum, attempt);
        const LoadOutcome outcome = opened->load();
        if (!outcome.ok())
            qFatal("paper %d does not load: %s", paperNum, qPrintable(outcome.details.join(' ')));
        return opened;
    }
    QMap<ResultsFile, QByteArray> snapshot() const {
        return resultsSnapshot([this](ResultsFile f) { return file(f); });
    }
};

// Every blank of a paper answered right: group heads and their followers
// (key " ") take the head key's alternatives in turn.
inline QStringList correctAnswers(const QStringList& keys) {
    QStringList answers;
    QStringList alternatives;
    int taken = 0;
    for (const QString& key : keys) {
        if (key == QLatin1String(" ")) {
            answers << alternatives.value(++taken);
        } else if (key.startsWith(QLatin1Char(';'))) {
            alternatives = keyAlternatives(key);
            taken = 0;
            answers << alternatives.value(0);
        } else {
            answers << key;
        }
    }
    return answers;
}

} // namespace TestFiles
