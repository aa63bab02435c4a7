#pragma once
// A tagged record item read straight from its bytes, with everything an author
// can get wrong about its form: line ends other than CR LF, bytes outside
// ASCII, lines that hold "#" but are not a well-formed record, a field that
// holds "#", and a tag that occurs twice (only its first record is ever read).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct TableRecord {
    QString tag;
    QStringList fields; // empty list for a record without ">" (the trend log)
    int line = 0;       // 1-based line number in the item
};

class TableText {
public:
    // tagLength: 3 for definition keys, papers and results records, 5 for
    // question ids; 0 accepts any length (templates mix none, but the trend
    // template is "#TRD#" alone).
    static TableText parse(const QByteArray& bytes, int tagLength);

    const QList<TableRecord>& records() const { return m_records; }
    // The first record of tag, or nullptr.
    const TableRecord* find(const QString& tag) const;
    // Problems with the item's form, each a plain sentence without the item id.
    const QStringList& problems() const { return m_problems; }

private:
    QList<TableRecord> m_records;
    QStringList m_problems;
};
