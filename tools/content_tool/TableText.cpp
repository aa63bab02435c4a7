#include "TableText.h"

#include <QRegularExpression>
#include <QSet>

namespace {
constexpr int MaxReportsPerKind = 5;

// Collects repeated problems of one kind into a few lines and a count.
class ProblemTally {
public:
    explicit ProblemTally(QStringList* out) : m_out(out) {}
    void add(const QString& kind, const QString& problem) {
        int& n = m_counts[kind];
        if (++n <= MaxReportsPerKind)
            m_out->append(problem);
    }
    void finish() {
        for (auto it = m_counts.cbegin(); it != m_counts.cend(); ++it)
            if (it.value() > MaxReportsPerKind)
                m_out->append(QStringLiteral("%1 more lines with the same problem (%2)")
                                  .arg(it.value() - MaxReportsPerKind)
                                  .arg(it.key()));
    }

private:
    QStringList* m_out;
    QMap<QString, int> m_counts;
};
} // namespace

TableText TableText::parse(const QByteArray& bytes, int tagLength) {
    TableText t;
    ProblemTally tally(&t.m_problems);

    // Split at LF; a CR must stand right before every LF and nowhere else.
    QList<QByteArray> lines;
    int bareLf = 0, bareCr = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || bytes.at(i) == '\n') {
            QByteArray line = bytes.mid(start, i - start);
            if (i < bytes.size()) {
                if (line.endsWith('\r'))
                    line.chop(1);
                else
                    ++bareLf;
            }
            bareCr += int(line.count('\r'));
            if (i < bytes.size() || !line.isEmpty())
                lines.append(line);
            start = i + 1;
        }
    }
    if (bareLf > 0)
        t.m_problems.append(
            QStringLiteral("%1 line(s) end in LF alone; lines must end in CR LF").arg(bareLf));
    if (bareCr > 0)
        t.m_problems.append(
            QStringLiteral("%1 CR character(s) stand outside a CR LF line end").arg(bareCr));

    const QString tagPattern = tagLength > 0 ? QStringLiteral("[0-9A-Za-z]{%1}").arg(tagLength)
                                             : QStringLiteral("[0-9A-Za-z]+");
    const QRegularExpression record(QStringLiteral("^#(%1)#(>.*)?$").arg(tagPattern));
    QSet<QString> seen;
    for (int n = 0; n < lines.size(); ++n) {
        const QByteArray& raw = lines[n];
        const int lineNo = n + 1;
        for (char c : raw) {
            const auto u = static_cast<unsigned char>(c);
            if (u >= 0x80 || (u < 0x20 && c != '\t' && c != '\r')) {
                tally.add(QStringLiteral("bytes outside plain ASCII"),
                          QStringLiteral("line %1: byte 0x%2 is not plain ASCII text")
                              .arg(lineNo)
                              .arg(u, 2, 16, QLatin1Char('0')));
                break;
            }
        }
        const QString line = QString::fromLatin1(raw);
        if (!line.contains(QLatin1Char('#')))
            continue; // separator and frame lines carry no record
        const QRegularExpressionMatch m = record.match(line);
        if (!m.hasMatch()) {
            tally.add(QStringLiteral("not a record"),
                      QStringLiteral("line %1: \"%2\" is not a record \"#TAG#>field>...\"")
                          .arg(lineNo)
                          .arg(line.left(60)));
            continue;
        }
        TableRecord r;
        r.tag = m.captured(1);
        r.line = lineNo;
        const QString rest = m.captured(2);
        if (!rest.isEmpty())
            r.fields = rest.mid(1).split(QLatin1Char('>'));
        for (int f = 0; f < r.fields.size(); ++f) {
            if (r.fields[f].contains(QLatin1Char('#')))
                tally.add(QStringLiteral("\"#\" in a field"),
                          QStringLiteral("line %1: field %2 of record %3 holds \"#\"")
                              .arg(lineNo)
                              .arg(f + 1)
                              .arg(r.tag));
        }
        const QString folded = r.tag.toUpper();
        if (seen.contains(folded)) {
            tally.add(QStringLiteral("repeated tag"),
                      QStringLiteral("line %1: a second record %2; only the first is ever read")
                          .arg(lineNo)
                          .arg(r.tag));
            continue;
        }
        seen.insert(folded);
        t.m_records.append(r);
    }
    tally.finish();
    return t;
}

const TableRecord* TableText::find(const QString& tag) const {
    for (const TableRecord& r : m_records)
        if (r.tag.compare(tag, Qt::CaseInsensitive) == 0)
            return &r;
    return nullptr;
}
