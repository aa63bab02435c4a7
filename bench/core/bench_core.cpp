// Timings of the record routines and answer checking at the sizes of the
// shipped content: the largest table has 1,121 records, a paper has up to 60
// blanks, a per-paper results file 50 lines, and the bank 1,410 blanks.

#include "core/AnswerChecking.h"
#include "core/RecordFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int TableRecords = 1121;
constexpr int PaperQuestions = 30;
constexpr int BlanksPerQuestion = 2;

// A keys table of 1,121 question records. The paper read is the last one, so
// the forward pass crosses the whole file.
QString writeKeysTable(const QTemporaryDir& dir, QStringList* paperQuestions) {
    QStringList lines{"..."};
    for (int i = 0; i < TableRecords; ++i) {
        const QString id = QString::number(23031 + 2 * i);
        const bool inPaper = i >= TableRecords - PaperQuestions;
        const int blanks = inPaper ? BlanksPerQuestion : 1 + i % 3;
        QStringList keys;
        for (int b = 0; b < blanks; ++b)
            keys.append(QString::number(10 + (i * 7 + b) % 990));
        lines.append(buildRecordLine(id, keys));
        if (inPaper)
            paperQuestions->append(id);
    }
    lines.append("...");
    const QString path = dir.filePath("keys.txt");
    writeRecordLines(path, lines);
    return path;
}

void readPaperFromTable(benchmark::State& state) {
    QTemporaryDir dir;
    QStringList questions;
    const QString path = writeKeysTable(dir, &questions);
    for (auto _ : state) {
        const Read<QStringList> keys = ReadFieldsForKeys(path, questions);
        const Read<QList<int>> counts = CountFieldsPerKey(path, questions);
        if (keys.value.size() != PaperQuestions * BlanksPerQuestion || !counts.ok())
            state.SkipWithError("paper not read");
        benchmark::DoNotOptimize(keys.value.constData());
    }
}
BENCHMARK(readPaperFromTable)->Unit(benchmark::kMicrosecond);

void rewriteRecordOf50Lines(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("first2QMP.txt");
    QStringList lines;
    for (int p = 1; p <= 50; ++p)
        lines.append(buildRecordLine(QString::number(100 + p), QStringList(40, "12.5")));
    writeRecordLines(path, lines);
    const QStringList answers(60, QStringLiteral("24.80"));
    for (auto _ : state) {
        if (RewriteRecord(lines, answers, 41, "141", 50, 60, path) != RecordError::None)
            state.SkipWithError("write failed");
    }
}
BENCHMARK(rewriteRecordOf50Lines)->Unit(benchmark::kMicrosecond);

void checkBankBlanks(benchmark::State& state) {
    // Kinds in about the bank's proportions, with a few groups.
    QStringList answers, keys, kinds;
    for (int i = 0; keys.size() < 1410; ++i) {
        switch (i % 12) {
        case 0:
            keys << ";2;3;5"
                 << " "
                 << " ";
            kinds << "G"
                  << "G"
                  << "G";
            answers << "5"
                    << "2"
                    << "2";
            break;
        case 1:
            keys << "1 2/3";
            kinds << "X";
            answers << " 1  2 / 3 ";
            break;
        case 2:
        case 3:
            keys << "3/10";
            kinds << "F";
            answers << "3 / 10";
            break;
        case 4:
            keys << "Sixteen";
            kinds << "T";
            answers << " SIXTEEN";
            break;
        default:
            keys << QString::number(i) + ".80";
            kinds << "N";
            answers << QString::number(i) + ".8";
            break;
        }
    }
    answers = answers.mid(0, 1410);
    keys = keys.mid(0, 1410);
    kinds = kinds.mid(0, 1410);
    const QLocale locale(QLocale::English, QLocale::UnitedKingdom);
    const QList<AnswerKind> parsed = parseAnswerKinds(kinds);
    for (auto _ : state) {
        int correct = 0;
        for (int i = 0; i < int(keys.size()); ++i)
            correct += markBlank(answers, keys, parsed, i, locale) == ResultMark::Correct;
        benchmark::DoNotOptimize(correct);
    }
    state.counters["blanks"] = double(keys.size());
}
BENCHMARK(checkBankBlanks)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
