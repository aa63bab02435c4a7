#pragma once
// Small file helpers shared by the core tests and the practice window tests.

#include "core/AnswerChecking.h"
#include "results/ResultsFiles.h"

#include <QFile>
#include <QMap>
#include <QString>
#include <functional>

namespace TestFiles {

inline const QString FixtureRoot = QStringLiteral(QUILLORA_TEST_DATA_DIR "/fixture_store");

inline QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The bytes of every results file, to see which ones a step has changed.
inline QMap<ResultsFile, QByteArray>
resultsSnapshot(const std::function<QString(ResultsFile)>& pathOf) {
    QMap<ResultsFile, QByteArray> files;
    for (ResultsFile f : {ResultsFile::Marks, ResultsFile::First, ResultsFile::Second,
                          ResultsFile::FResults, ResultsFile::SResults, ResultsFile::Trend})
        files.insert(f, bytesOf(pathOf(f)));
    return files;
}

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
            alternatives = KeyAlternatives(key);
            taken = 0;
            answers << alternatives.value(0);
        } else {
            answers << key;
        }
    }
    return answers;
}

} // namespace TestFiles
