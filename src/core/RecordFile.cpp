#include "core/RecordFile.h"

#include "core/AtomicWrite.h"
#include "core/Numbering.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace {

struct FoundLine {
    QString line;
    bool found = false;
    RecordError error = RecordError::None;
    int systemError = 0;
};

FoundLine findRecord(const QString& path, const QString& tag) {
    FoundLine result;
    QStringList lines;
    result.error = readRecordFileLines(path, &lines, nullptr, -1, &result.systemError);
    if (result.error != RecordError::None)
        return result;
    const qsizetype at = findTagLine(lines, tag);
    if (at >= 0) {
        result.line = lines.at(at);
        result.found = true;
    }
    return result;
}

// The line of a record that must be there: KeyMissing when it is not.
RecordError requireRecord(const QString& path, const QString& tag, QString* line,
                          int* systemError) {
    const FoundLine found = findRecord(path, tag);
    *systemError = found.systemError;
    if (found.error != RecordError::None)
        return found.error;
    if (!found.found)
        return RecordError::KeyMissing;
    *line = found.line;
    return RecordError::None;
}

Read<QStringList> readFields(const QString& path, const QString& tag, int count, int capacity) {
    QString line;
    int systemError = 0;
    const RecordError error = requireRecord(path, tag, &line, &systemError);
    if (error != RecordError::None)
        return {{}, error, systemError};
    return splitRecordFields(line, count, capacity);
}

// Finds the keys' records in order, each after the one before, and hands each
// line to take. KeyMissing when a key is not found; take may stop the pass
// with an error of its own.
RecordError
forEachKeyLine(const QString& path, const QStringList& keys,
               const std::function<RecordError(const QString& key, const QString& line)>& take,
               int* systemError) {
    QStringList lines;
    const RecordError error = readRecordFileLines(path, &lines, nullptr, -1, systemError);
    if (error != RecordError::None)
        return error;
    qsizetype from = 0;
    for (const QString& key : keys) {
        const qsizetype at = findTagLine(lines, key, from);
        if (at < 0)
            return RecordError::KeyMissing;
        const RecordError taken = take(key, lines.at(at));
        if (taken != RecordError::None)
            return taken;
        from = at + 1;
    }
    return RecordError::None;
}

int countSeparators(const QString& line) {
    return int(line.count(QLatin1Char('>')));
}

bool recordIsStorable(const QString& tag, const QStringList& fields) {
    for (const QString& field : fields) {
        if (!isStorableText(field))
            return false;
    }
    return isStorableText(tag);
}

bool encodeLatin1(const QStringList& lines, QByteArray* out) {
    out->clear();
    qsizetype total = 0;
    for (const QString& line : lines)
        total += line.size() + 2;
    out->reserve(total);
    for (const QString& line : lines) {
        for (const QChar c : line) {
            if (c.unicode() > 0xFF || c == u'\r' || c == u'\n')
                return false;
            out->append(char(c.unicode()));
        }
        out->append("\r\n", 2);
    }
    return true;
}

} // namespace

QByteArray recordLinesText(const QStringList& lines) {
    QByteArray out;
    return encodeLatin1(lines, &out) ? out : QByteArray();
}

QString recordErrorText(RecordError error) {
    switch (error) {
    case RecordError::None:
        return QStringLiteral("no error");
    case RecordError::FileMissing:
        return QStringLiteral("the file does not exist");
    case RecordError::FileUnreadable:
        return QStringLiteral("the file cannot be read");
    case RecordError::TooFewFields:
        return QStringLiteral("the record holds fewer fields than asked for");
    case RecordError::CapacityExceeded:
        return QStringLiteral("more entries were asked for than the routine can hold");
    case RecordError::KeyMissing:
        return QStringLiteral("a record that is needed is not in the file");
    case RecordError::WriteFailed:
        return QStringLiteral("the file could not be written");
    case RecordError::Unencodable:
        return QStringLiteral("the text holds characters that the file cannot store");
    }
    return QStringLiteral("unknown error");
}

QString readFailureReason(int systemError) {
    if (systemError == 0)
        return QString();
    if (readWasRefused(systemError))
        return QStringLiteral("the program is not allowed to read it");
    // Otherwise the words a failed write has for the same refusal ("the
    // disk reported an error").
    return FileWriteOutcome::fromErrno(systemError).reason();
}

bool readWasRefused(int systemError) {
    return systemError == EACCES || systemError == EPERM;
}

QString recordErrorText(RecordError error, int systemError) {
    const QString reason = readFailureReason(systemError);
    return reason.isEmpty()
               ? recordErrorText(error)
               : recordErrorText(error) + QStringLiteral(" (") + reason + QLatin1Char(')');
}

QString RecordWrite::reason() const {
    if (error == RecordError::WriteFailed && !file.ok())
        return file.reason();
    return recordErrorText(error, error == RecordError::FileUnreadable ? readSystemError : 0);
}

qsizetype findTagLine(const QStringList& lines, const QString& tag, qsizetype from) {
    const QString needle = QLatin1Char('#') + tag + QLatin1Char('#');
    for (qsizetype i = qMax<qsizetype>(0, from); i < lines.size(); ++i) {
        if (lines.at(i).contains(needle, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

TagIndex::TagIndex(const QStringList& lines) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        qsizetype open = line.indexOf(QLatin1Char('#'));
        while (open >= 0) {
            const qsizetype close = line.indexOf(QLatin1Char('#'), open + 1);
            if (close < 0)
                break;
            QList<qsizetype>& at = m_lines[line.mid(open + 1, close - open - 1).toCaseFolded()];
            if (at.isEmpty() || at.last() != i)
                at.append(i);
            open = close;
        }
    }
}

qsizetype TagIndex::find(const QString& tag, qsizetype from) const {
    const auto it = m_lines.constFind(tag.toCaseFolded());
    if (it == m_lines.cend())
        return -1;
    for (const qsizetype at : it.value()) {
        if (at >= from)
            return at;
    }
    return -1;
}

QStringList recordFieldsAfterTag(const QString& line, const QString& tag) {
    const QString mark = QLatin1Char('#') + tag + QLatin1Char('#');
    const qsizetype at = line.indexOf(mark, 0, Qt::CaseInsensitive);
    if (at < 0)
        return QStringList();
    QString rest = line.mid(at + mark.size());
    if (rest.isEmpty())
        return QStringList();
    if (rest.startsWith(QLatin1Char('>')))
        rest.remove(0, 1);
    return rest.split(QLatin1Char('>'));
}

bool isStorableText(const QString& text) {
    for (const QChar c : text) {
        if (c == u'>' || c == u'#' || c == u'\r' || c == u'\n' || c.unicode() > 0xFF)
            return false;
    }
    return true;
}

QStringList splitRecordText(const QString& text, bool* looseEnds) {
    QStringList lines;
    bool loose = false;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
            ++i;
        else
            loose = true;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    if (looseEnds)
        *looseEnds = loose;
    return lines;
}

RecordError readRecordFileLines(const QString& path, QStringList* lines, bool* looseEnds,
                                qint64 maxBytes, int* systemError) {
    lines->clear();
    if (looseEnds)
        *looseEnds = false;
    // A link is not followed: a results file that points elsewhere is not
    // the program's to read or write.
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile())
        return RecordError::FileMissing;
    // Opened here rather than by QFile, so that the system's reason for a
    // refusal is the one kept; O_NOFOLLOW holds the link rule even if a link
    // takes the file's place after the check above.
    const auto unreadable = [systemError](int error) {
        if (systemError)
            *systemError = error != 0 ? error : EIO;
        return RecordError::FileUnreadable;
    };
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return unreadable(errno);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return unreadable(EIO);
    }
    errno = 0;
    const QByteArray bytes = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    if (file.error() != QFileDevice::NoError)
        return unreadable(errno);
    *lines = splitRecordText(QString::fromLatin1(bytes), looseEnds);
    return RecordError::None;
}

Read<QStringList> splitRecordFields(const QString& line, int count, int capacity, int tagLength) {
    Read<QStringList> result;
    if (count < 0 || count > capacity) {
        result.error = RecordError::CapacityExceeded;
        return result;
    }
    if (count == 0)
        return result;
    // A record holds as many fields as ">" characters; asking for more is an error.
    if (countSeparators(line) < count) {
        result.error = RecordError::TooFewFields;
        return result;
    }
    // The first ">" is taken to stand right after the tag, without looking.
    qsizetype separator = 2 + tagLength;
    QStringList fields;
    fields.reserve(count);
    for (int i = 1; i < count; ++i) {
        const qsizetype next = line.indexOf(QLatin1Char('>'), separator + 1);
        if (next < 0) {
            result.error = RecordError::TooFewFields;
            return result;
        }
        fields.append(line.mid(separator + 1, next - separator - 1));
        separator = next;
    }
    fields.append(line.mid(separator + 1));
    result.value = fields;
    return result;
}

Read<QString> ReadRecordValue(const QString& path, const QString& tag) {
    Read<QString> result;
    const FoundLine found = findRecord(path, tag);
    result.error = found.error;
    result.systemError = found.systemError;
    if (found.found)
        result.value = found.line.mid(6);
    return result;
}

Read<QString> ReadRecordLine(const QString& path, const QString& tag) {
    Read<QString> result;
    const FoundLine found = findRecord(path, tag);
    result.error = found.error;
    result.systemError = found.systemError;
    result.value = found.line;
    return result;
}

Read<QStringList> ReadRecordFields10(const QString& path, const QString& tag, int count) {
    return readFields(path, tag, count, RecordCapacity::TopicNames);
}

Read<QStringList> ReadRecordAllFields(const QString& path, const QString& tag) {
    QString line;
    int systemError = 0;
    const RecordError error = requireRecord(path, tag, &line, &systemError);
    if (error != RecordError::None)
        return {{}, error, systemError};
    const int count = countSeparators(line);
    return splitRecordFields(line, count, count);
}

Read<QStringList> ReadPaperRecordLines(const QString& path, int count) {
    Read<QStringList> result;
    if (count < 0 || count > RecordCapacity::Papers) {
        result.error = RecordError::CapacityExceeded;
        return result;
    }
    QStringList lines;
    result.error = readRecordFileLines(path, &lines, nullptr, -1, &result.systemError);
    if (result.error != RecordError::None)
        return result;
    QStringList entries;
    entries.reserve(count);
    qsizetype from = 0;
    for (int i = 1; i <= count; ++i) {
        const qsizetype at = findTagLine(lines, Numbering::paperKey(i), from);
        if (at < 0) {
            // Only this record is missing: the pass goes on from where it
            // stood, so that the records after it are still found.
            entries.append(QString());
            continue;
        }
        entries.append(lines.at(at));
        from = at + 1;
    }
    result.value = entries;
    return result;
}

Read<QList<int>> CountFieldsPerKey(const QString& path, const QStringList& keys) {
    Read<QList<int>> result;
    result.error = forEachKeyLine(
        path, keys,
        [&](const QString&, const QString& line) {
            result.value.append(countSeparators(line));
            return RecordError::None;
        },
        &result.systemError);
    return result;
}

Read<QStringList> ReadFieldsForKeys(const QString& path, const QStringList& keys) {
    Read<QStringList> result;
    result.error = forEachKeyLine(
        path, keys,
        [&](const QString& key, const QString& line) {
            const int count = countSeparators(line);
            const Read<QStringList> fields = splitRecordFields(line, count, count, int(key.size()));
            if (fields.ok())
                result.value.append(fields.value);
            return fields.error;
        },
        &result.systemError);
    return result;
}

QString buildRecordLine(const QString& tag, const QStringList& fields) {
    // A record without fields has no ">" at all, so its field count (the
    // number of ">") stays right.
    if (fields.isEmpty())
        return QLatin1Char('#') + tag + QLatin1Char('#');
    return QLatin1Char('#') + tag + QStringLiteral("#>") + fields.join(QLatin1Char('>'));
}

RecordWrite RewriteRecord(QStringList& lines, const QStringList& fields, int lineIndex,
                          const QString& tag, int lineCount, int fieldCount, const QString& path,
                          FileWriteBatch* batch) {
    if (lineCount < 0 || lineCount > RecordCapacity::Papers || lineIndex < 1 ||
        lineIndex > lineCount || fieldCount < 0 || fieldCount > RecordCapacity::Blanks)
        return RecordError::CapacityExceeded;
    if (fields.size() < fieldCount)
        return RecordError::TooFewFields;
    const QStringList used = fields.mid(0, fieldCount);
    if (!recordIsStorable(tag, used))
        return RecordError::Unencodable;

    QStringList updated = lines;
    while (updated.size() < lineCount)
        updated.append(QString());
    updated[lineIndex - 1] = buildRecordLine(tag, used);
    const RecordWrite written = writeRecordLines(path, updated.mid(0, lineCount), batch);
    // The list follows the file: a record that could not be written is not
    // carried along by later rewrites as if it had been.
    if (written.ok())
        lines = updated;
    return written;
}

RecordWrite WriteSixRecords(const std::array<QStringList, 6>& fields, const QStringList& tags,
                            int count, const QString& path, FileWriteBatch* batch) {
    if (count < 0 || count > RecordCapacity::Papers)
        return RecordError::CapacityExceeded;
    if (tags.size() < 6)
        return RecordError::TooFewFields;
    QStringList lines;
    for (int k = 0; k < 6; ++k) {
        if (fields[k].size() < count)
            return RecordError::TooFewFields;
        const QStringList used = fields[k].mid(0, count);
        if (!recordIsStorable(tags.at(k), used))
            return RecordError::Unencodable;
        lines.append(buildRecordLine(tags.at(k), used));
    }
    return writeRecordLines(path, lines, batch);
}

RecordWrite writeRecordLines(const QString& path, const QStringList& lines, FileWriteBatch* batch) {
    QByteArray bytes;
    if (!encodeLatin1(lines, &bytes))
        return RecordError::Unencodable;
    return RecordWrite(batch ? batch->add(path, bytes) : writeFileAtomically(path, bytes));
}
