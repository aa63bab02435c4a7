#pragma once
// Tagged record files: every data file of the program is a text file of lines
// "#TAG#>field1>field2...". Files are single-byte (Latin-1), lines end in CR LF.
// Arrays are 0-based here: entry i holds field i + 1 of the record.
//
// Every routine opens, works on and closes its file within the call. Readers
// return a Read<T> carrying a typed error instead of throwing; writers replace
// the whole file atomically (a crash leaves the previous file whole).

#include "core/AtomicWrite.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

enum class RecordError {
    None,
    FileMissing,      // the file does not exist (or is not a regular file)
    FileUnreadable,   // it exists but cannot be opened or read
    TooFewFields,     // more fields were asked for than the record holds
    CapacityExceeded, // a count above the routine's capacity (10, 50 or 80)
    KeyMissing,       // a batch reader did not find a key it needs
    WriteFailed,      // the file could not be written; the old file is untouched
    Unencodable,      // text the file cannot hold: outside Latin-1 (one byte each), or a
                      // field holding ">", "#" or a line break; nothing is written
};

QString recordErrorText(RecordError error);
// The system's reason a file could not be read, in plain words ("the
// program is not allowed to read it"); empty for 0.
QString readFailureReason(int systemError);
// Whether the system refused the program the file (no permission): a
// grown-up can put that right.
bool readWasRefused(int systemError);
// recordErrorText with the system's reason after it, where there is one:
// "the file cannot be read (the disk reported an error)".
QString recordErrorText(RecordError error, int systemError);

// What a writer did; for WriteFailed also the system's reason, so that a
// message can say why ("the disk is full").
struct RecordWrite {
    RecordError error = RecordError::None;
    FileWriteOutcome file;
    // FileUnreadable (a file read before it is rewritten): the system's errno.
    int readSystemError = 0;

    RecordWrite(RecordError e = RecordError::None) : error(e) {}
    explicit RecordWrite(const FileWriteOutcome& outcome)
        : error(outcome.ok() ? RecordError::None : RecordError::WriteFailed), file(outcome) {}
    bool ok() const { return error == RecordError::None; }
    operator RecordError() const { return error; }
    // The reason in plain words: the system's for a failed write or read.
    QString reason() const;
};

template <typename T> struct Read {
    T value{};
    RecordError error = RecordError::None;
    // FileUnreadable: the system's errno (EACCES, EIO...); 0 when it gave none.
    int systemError = 0;
    bool ok() const { return error == RecordError::None; }
    // The system's reason in plain words; empty when it gave none.
    QString reason() const { return readFailureReason(systemError); }
};

namespace RecordCapacity {
constexpr int TopicNames = 10;
constexpr int Papers = 50;
constexpr int Blanks = 80;
} // namespace RecordCapacity

// Lookup rule shared by all readers: the first line holding "#" tag "#",
// compared without regard to case, wins. The index of the first of lines at
// or after from that holds tag, or -1.
qsizetype findTagLine(const QStringList& lines, const QString& tag, qsizetype from = 0);

// findTagLine for many lookups in the same lines: every tag a line holds
// (the text between two neighbouring "#") is indexed once, so that each
// lookup gives findTagLine's answer without a scan.
class TagIndex {
public:
    explicit TagIndex(const QStringList& lines);
    qsizetype find(const QString& tag, qsizetype from = 0) const;

private:
    QHash<QString, QList<qsizetype>> m_lines; // case-folded tag -> its lines, in order
};

// Whether text can stand in a field of a record file: one byte per character
// (Latin-1), and no ">", "#" or line break, which would split the record or
// its line. The rule for every text written to the results files.
bool isStorableText(const QString& text);

// The lines of Latin-1 text. A line ends at CR LF, a lone CR or a lone LF; a
// last line without a line end is read all the same. *looseEnds (when given)
// tells whether some line ended in a lone CR or LF.
QStringList splitRecordText(const QString& text, bool* looseEnds = nullptr);
// Every line of a record file, read as splitRecordText reads text; at most
// maxBytes of the file when maxBytes >= 0. FileMissing for a folder too.
// For FileUnreadable *systemError (when given) gets the system's errno.
RecordError readRecordFileLines(const QString& path, QStringList* lines, bool* looseEnds = nullptr,
                                qint64 maxBytes = -1, int* systemError = nullptr);

// Splits fields 1..n of a record line whose first ">" stands right after the
// tag's closing "#" (prefix length 2 + tag length). The last field holds the
// rest of the line, inner ">" included.
Read<QStringList> splitRecordFields(const QString& line, int count, int capacity,
                                    int tagLength = 3);
// Every field of tag's record in line, for reading a damaged file back: the
// text after "#" tag "#" (and its ">") split at ">". A record without fields
// ("#TRD#") has none; text stuck to the tag without a ">" becomes the first
// field rather than being lost. No count, no capacity, never an error.
QStringList recordFieldsAfterTag(const QString& line, const QString& tag);

Read<QString> ReadRecordValue(const QString& path, const QString& tag);
Read<QString> ReadRecordLine(const QString& path, const QString& tag);
Read<QStringList> ReadRecordFields10(const QString& path, const QString& tag, int count);
Read<QStringList> ReadRecordAllFields(const QString& path, const QString& tag);
// One forward pass: entry i is the line of paper 101 + i; a key that is not
// found after the previous key's line leaves only its own entry empty
// (error stays None).
Read<QStringList> ReadPaperRecordLines(const QString& path, int count);
// One forward pass over the keys in order; every key must be present.
Read<QList<int>> CountFieldsPerKey(const QString& path, const QStringList& keys);
Read<QStringList> ReadFieldsForKeys(const QString& path, const QStringList& keys);

// Builds "#" tag "#>" fields joined by ">" (no trailing ">").
QString buildRecordLine(const QString& tag, const QStringList& fields);

// Replaces lines[lineIndex - 1] (lineIndex is 1-based) by the record of tag and
// fields 1..fieldCount, then rewrites the file with lines 1..lineCount.
// Every writer takes an optional batch: the file is then written beside its
// place and put there only when the batch is committed (the lines a writer
// updates are updated as if it had been).
RecordWrite RewriteRecord(QStringList& lines, const QStringList& fields, int lineIndex,
                          const QString& tag, int lineCount, int fieldCount, const QString& path,
                          FileWriteBatch* batch = nullptr);
RecordWrite WriteSixRecords(const std::array<QStringList, 6>& fields, const QStringList& tags,
                            int count, const QString& path, FileWriteBatch* batch = nullptr);

// The bytes of lines, each ended by CR LF (Latin-1); empty when a line holds
// a character outside Latin-1 or a line break.
QByteArray recordLinesText(const QStringList& lines);

// Atomic whole-file write of lines, each ended by CR LF (Latin-1).
RecordWrite writeRecordLines(const QString& path, const QStringList& lines,
                             FileWriteBatch* batch = nullptr);
