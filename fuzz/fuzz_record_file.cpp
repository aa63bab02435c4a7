// The record readers and the results-file readers on arbitrary files and
// lines: no crash, no undefined behaviour, and what they return holds
// together (field counts, lines written then read back).

#include "FuzzInput.h"
#include "core/RecordFile.h"
#include "results/ResultsFiles.h"
#include "results/TrendLog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString scratchFolder() {
    // Memory-backed when the machine has one: every input is written out.
    // An object, not a leaked pointer: the fuzzer ends a run with exit(), and
    // the folder goes with the static objects.
    static const QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                       ? QStringLiteral("/dev/shm/quillora-fuzz-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/fuzz-XXXXXX"));
    return dir.path();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    // One group of readers per input keeps the runs quick.
    const int group = input.numberBelow(8);
    const int count = input.numberBelow(90);        // beyond every capacity now and then
    const int tagLength = 1 + input.numberBelow(6); // 3 and 5 are the real ones
    const int paperCount = input.numberBelow(53);
    const QByteArray bytes = input.rest();
    const QString text = QString::fromLatin1(bytes);
    const QString tag = text.left(tagLength);
    const QStringList lines = text.split(QLatin1Char('\n'));

    if (group == 0) {
        for (const QString& line : lines) {
            for (int capacity : {10, 50, 80}) {
                const Read<QStringList> split = splitRecordFields(line, count, capacity, tagLength);
                FUZZ_CHECK(!split.ok() || split.value.size() == count);
            }
            const int fields = int(line.count(QLatin1Char('>')));
            const Read<QStringList> all = splitRecordFields(line, fields, fields);
            FUZZ_CHECK(!all.ok() || all.value.size() == fields);
        }
        trendValues(text, count);
        return 0;
    }

    const QString path = scratchFolder() + QStringLiteral("/records.txt");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size())
            return 0;
    }
    switch (group) {
    case 1: {
        ReadRecordValue(path, tag);
        const Read<QString> line = ReadRecordLine(path, tag);
        FUZZ_CHECK(line.value.isEmpty() || findTagLine({line.value}, tag) == 0);
        const Read<QStringList> all = ReadRecordAllFields(path, tag);
        FUZZ_CHECK(!all.ok() || all.value.size() == line.value.count(QLatin1Char('>')));
        break;
    }
    case 2:
        ReadRecordFields10(path, tag, count);
        break;
    case 3: {
        const Read<QStringList> paperLines = ReadPaperRecordLines(path, count);
        FUZZ_CHECK(!paperLines.ok() || paperLines.value.size() == count);
        break;
    }
    case 4: {
        QStringList keys;
        for (const QString& l : lines.mid(0, 8))
            keys.append(l.mid(1, tagLength));
        const Read<QList<int>> counts = CountFieldsPerKey(path, keys);
        const Read<QStringList> flat = ReadFieldsForKeys(path, keys);
        if (counts.ok() && flat.ok()) {
            qsizetype total = 0;
            for (int c : counts.value)
                total += c;
            FUZZ_CHECK(flat.value.size() == total);
        }
        break;
    }
    case 5: {
        // The marks the Home page shows and the next marking writes back.
        const Read<MarksRecords> marks = readMarksFile(path, paperCount);
        if (marks.ok()) {
            for (const QStringList& record : marks.value.asArray()) {
                FUZZ_CHECK(record.size() == paperCount);
                FUZZ_CHECK(!record.join(QString()).contains(QLatin1Char('>')));
            }
        }
        break;
    }
    case 6: {
        // A record rewritten reads back as written.
        Read<PaperLines> perPaper = readPaperLines(path, paperCount);
        if (!perPaper.ok() || paperCount == 0)
            break;
        const int index = 1 + count % paperCount;
        const Read<QStringList> fields = paperFields(perPaper.value, index, count);
        FUZZ_CHECK(!fields.ok() || fields.value.size() == count);
        if (fields.ok() &&
            writePaperRecord(perPaper.value, index, fields.value) == RecordError::None) {
            const Read<PaperLines> back = readPaperLines(path, paperCount);
            FUZZ_CHECK(back.ok());
            FUZZ_CHECK(paperFields(back.value, index, count).value == fields.value);
        }
        break;
    }
    default:
        trendValues(readTrendLine(path).value, count);
        break;
    }
    return 0;
}
