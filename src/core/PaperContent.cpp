#include "core/PaperContent.h"

#include "core/ProgramFolder.h"
#include "core/RecordFile.h"
#include "core/ResourceStore.h"

#include <QFile>

namespace {

// Extracts one table to the scratch file, reads it with read, and deletes the
// scratch file again. Returns the problem in plain words, or the empty text.
template <typename ReadTable>
QString withTable(const ResourceStore& store, const QString& scratch, int id,
                  const QString& tableName, QString* notWritten, ReadTable read) {
    FileWriteOutcome written;
    const ResourceStore::ExtractResult extracted = store.ExtractResource(
        id, QStringLiteral("Custom"), scratch, ResourceStore::Durability::Scratch, &written);
    if (extracted != ResourceStore::ExtractResult::Done) {
        if (extracted != ResourceStore::ExtractResult::WriteFailed)
            return QStringLiteral("The %1 table (item %2) could not be read from the program.")
                .arg(tableName)
                .arg(id);
        if (notWritten->isEmpty())
            *notWritten = written.reason();
        return QStringLiteral("The %1 table (item %2) could not be written to %3: %4.")
            .arg(tableName)
            .arg(id)
            .arg(scratch, written.reason());
    }
    const QString problem = read();
    QFile::remove(scratch);
    return problem;
}

template <typename T> QString readProblem(const QString& tableName, int id, const Read<T>& read) {
    return QStringLiteral("The %1 table (item %2) could not be read: %3.")
        .arg(tableName)
        .arg(id)
        .arg(recordErrorText(read.error, read.systemError));
}

} // namespace

PaperContentRead loadPaperContent(const ResourceStore& store, const QString& programFolder,
                                  int module, int paperNum) {
    PaperContentRead result;
    PaperContent& paper = result.content;
    const QString scratch = programFolder + QLatin1Char('/') + tablesScratchName();
    const QString paperKey = QString::number(paperNum);

    auto note = [&result](const QString& problem) {
        if (!problem.isEmpty())
            result.problems.append(problem);
    };

    const QString papersName = QStringLiteral("paper");
    const int papersId = papersTableId(module);
    note(withTable(store, scratch, papersId, papersName, &result.notWritten, [&]() -> QString {
        const Read<QStringList> ids = ReadRecordAllFields(scratch, paperKey);
        if (ids.error == RecordError::KeyMissing)
            return QStringLiteral("Paper %1 is not in the paper table (item %2).")
                .arg(paperKey)
                .arg(papersId);
        if (!ids.ok())
            return readProblem(papersName, papersId, ids);
        if (ids.value.isEmpty())
            return QStringLiteral("Paper %1 lists no questions.").arg(paperKey);
        paper.QuestionIds = ids.value;
        paper.QuestionCount = int(ids.value.size());
        return QString();
    }));

    const QStringList& questions = paper.QuestionIds;
    if (questions.isEmpty())
        return result;

    const QString keysName = QStringLiteral("answer key");
    const int keysId = keysTableId(module);
    note(withTable(store, scratch, keysId, keysName, &result.notWritten, [&]() -> QString {
        const Read<QStringList> keys = ReadFieldsForKeys(scratch, questions);
        if (!keys.ok())
            return readProblem(keysName, keysId, keys);
        const Read<QList<int>> counts = CountFieldsPerKey(scratch, questions);
        if (!counts.ok())
            return readProblem(keysName, keysId, counts);
        paper.AnswerKeys = keys.value;
        paper.BlanksPerQuestion = counts.value;
        return QString();
    }));

    const QString kindsName = QStringLiteral("answer kind");
    const int kindsId = kindsTableId(module);
    note(withTable(store, scratch, kindsId, kindsName, &result.notWritten, [&]() -> QString {
        const Read<QStringList> kinds = ReadFieldsForKeys(scratch, questions);
        if (!kinds.ok())
            return readProblem(kindsName, kindsId, kinds);
        paper.AnswerKinds = parseAnswerKinds(kinds.value);
        return QString();
    }));

    const QString marksName = QStringLiteral("mark");
    const int marksId = marksTableId(module);
    note(withTable(store, scratch, marksId, marksName, &result.notWritten, [&]() -> QString {
        const Read<QStringList> marks = ReadFieldsForKeys(scratch, questions);
        if (!marks.ok())
            return readProblem(marksName, marksId, marks);
        for (const QString& mark : marks.value) {
            bool ok = false;
            const int value = mark.trimmed().toInt(&ok);
            if (!ok || value < 0)
                note(QStringLiteral("Paper %1 has a mark that is not a whole number: \"%2\".")
                         .arg(paperKey, mark));
            paper.AnswerMarks.append(ok && value > 0 ? value : 0);
            paper.TotalMarks += paper.AnswerMarks.last();
        }
        return QString();
    }));

    paper.TotalBlanks = int(paper.AnswerKeys.size());

    // The per-blank lists must line up, and a paper holds at most 80 blanks.
    if (paper.TotalBlanks > RecordCapacity::Blanks)
        note(QStringLiteral("Paper %1 has %2 answer blanks; at most %3 are possible.")
                 .arg(paperKey)
                 .arg(paper.TotalBlanks)
                 .arg(RecordCapacity::Blanks));
    // A table that failed has been reported already and is not compared.
    const bool keysLoaded = !paper.AnswerKeys.isEmpty();
    const bool kindsLoaded = !paper.AnswerKinds.isEmpty();
    const bool marksLoaded = !paper.AnswerMarks.isEmpty();
    const bool kindsMismatch = kindsLoaded && paper.AnswerKinds.size() != paper.TotalBlanks;
    const bool marksMismatch = marksLoaded && paper.AnswerMarks.size() != paper.TotalBlanks;
    if (keysLoaded && (kindsMismatch || marksMismatch))
        note(QStringLiteral("Paper %1 has %2 answer keys but %3 kinds and %4 marks.")
                 .arg(paperKey)
                 .arg(paper.TotalBlanks)
                 .arg(paper.AnswerKinds.size())
                 .arg(paper.AnswerMarks.size()));
    return result;
}
