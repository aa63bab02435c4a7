#include "ResultsFolderCheck.h"

#include "core/AnswerChecking.h"
#include "core/Scoring.h"
#include "results/TrendLog.h"

#include <QFile>
#include <QRegularExpression>

namespace {

bool isPercentage(const QString& text) {
    qint64 tenths = 0;
    return parsePercentTenths(text, &tenths) && tenths >= 0 && tenths <= 1000;
}

} // namespace

ResultsFolderCheck::ResultsFolderCheck(QString folder, int module, QString programCode,
                                       QList<PaperContent> papers,
                                       QMap<ResultsFile, QByteArray> templates)
    : m_folder(std::move(folder)), m_module(module), m_code(std::move(programCode)),
      m_papers(std::move(papers)), m_templates(std::move(templates)) {}

QStringList ResultsFolderCheck::Run() {
    m_faults.clear();
    checkMarksFile();
    checkAnswersFile(ResultsFile::First, 1);
    checkAnswersFile(ResultsFile::Second, 2);
    checkResultsFile(ResultsFile::FResults);
    checkResultsFile(ResultsFile::SResults);
    checkTrendFile();
    return m_faults;
}

void ResultsFolderCheck::fault(ResultsFile file, const QString& what) {
    m_faults.append(resultsFileStem(file) + QStringLiteral(": ") + what);
}

bool ResultsFolderCheck::readLines(ResultsFile file, QList<QByteArray>* lines, bool* isTemplate) {
    QFile in(resultsFilePath(m_folder, file, m_module, m_code));
    if (!in.open(QIODevice::ReadOnly)) {
        fault(file, QStringLiteral("cannot be opened"));
        return false;
    }
    const QByteArray bytes = in.readAll();
    *isTemplate = bytes == m_templates.value(file);
    if (*isTemplate)
        return true;
    if (!bytes.endsWith("\r\n") || bytes.count('\n') != bytes.count("\r\n") ||
        bytes.count('\r') != bytes.count("\r\n")) {
        fault(file, QStringLiteral("not whole CR LF lines (%1 bytes)").arg(bytes.size()));
        return false;
    }
    *lines = bytes.left(bytes.size() - 1).split('\n');
    for (QByteArray& line : *lines)
        line.chop(1); // its CR
    return true;
}

bool ResultsFolderCheck::paperRecords(ResultsFile file, QList<QStringList>* records,
                                      bool* isTemplate) {
    QList<QByteArray> lines;
    if (!readLines(file, &lines, isTemplate))
        return false;
    const int count = int(m_papers.size());
    const QString path = resultsFilePath(m_folder, file, m_module, m_code);
    if (!readPaperLines(path, count).ok()) {
        fault(file, QStringLiteral("does not read"));
        return false;
    }
    if (*isTemplate)
        return true;
    if (lines.size() != count) {
        fault(file, QStringLiteral("%1 lines instead of %2").arg(lines.size()).arg(count));
        return false;
    }
    for (int k = 1; k <= count; ++k) {
        const QString line = QString::fromLatin1(lines.at(k - 1));
        const QString prefix = QStringLiteral("#%1#").arg(100 + k);
        const int blanks = m_papers.at(k - 1).TotalBlanks;
        if (!line.startsWith(prefix) || line.count(QLatin1Char('>')) != blanks ||
            (blanks > 0 && line.at(prefix.size()) != u'>')) {
            fault(file, QStringLiteral("line %1 is not the record of paper %2 with %3 fields: %4")
                            .arg(k)
                            .arg(100 + k)
                            .arg(blanks)
                            .arg(line.left(80)));
            return false;
        }
        records->append(blanks > 0 ? line.mid(prefix.size() + 1).split(QLatin1Char('>'))
                                   : QStringList());
    }
    return true;
}

void ResultsFolderCheck::checkAnswersFile(ResultsFile file, int attempt) {
    QList<QStringList> records;
    bool isTemplate = false;
    if (!paperRecords(file, &records, &isTemplate) || isTemplate)
        return;
    static const QRegularExpression stamped(QStringLiteral("^s(\\d+)p(\\d+)a(\\d)b(\\d+)$"));
    for (int k = 1; k <= records.size(); ++k) {
        const PaperContent& paper = m_papers.at(k - 1);
        const QStringList& fields = records.at(k - 1);
        // A question is typed whole, and the questions are typed in order, so
        // along the record the stamps of the questions never go up, and an
        // empty question (-1) is followed by empty ones only.
        qint64 previous = std::numeric_limits<qint64>::max();
        int blank = 0;
        for (int q = 0; q < paper.BlanksPerQuestion.size(); ++q) {
            qint64 questionStamp = -2;
            for (int b = 0; b < paper.BlanksPerQuestion.at(q); ++b, ++blank) {
                const QString& field = fields.at(blank);
                qint64 stamp = -1;
                if (!field.isEmpty()) {
                    const QRegularExpressionMatch match = stamped.match(field);
                    if (!match.hasMatch() || match.captured(2).toInt() != k ||
                        match.captured(3).toInt() != attempt ||
                        match.captured(4).toInt() != blank + 1) {
                        fault(file, QStringLiteral("paper %1 blank %2 holds \"%3\"")
                                        .arg(100 + k)
                                        .arg(blank + 1)
                                        .arg(field.left(40)));
                        return;
                    }
                    stamp = match.captured(1).toLongLong();
                }
                if (questionStamp != -2 && stamp != questionStamp) {
                    fault(file, QStringLiteral("paper %1 question %2 mixes two writes")
                                    .arg(100 + k)
                                    .arg(q + 1));
                    return;
                }
                questionStamp = stamp;
            }
            if (questionStamp > previous) {
                fault(file, QStringLiteral("paper %1 question %2 is newer than the one before")
                                .arg(100 + k)
                                .arg(q + 1));
                return;
            }
            if (questionStamp != -2)
                previous = questionStamp;
        }
    }
}

void ResultsFolderCheck::checkResultsFile(ResultsFile file) {
    QList<QStringList> records;
    bool isTemplate = false;
    if (!paperRecords(file, &records, &isTemplate) || isTemplate)
        return;
    for (int k = 1; k <= records.size(); ++k) {
        for (const QString& field : records.at(k - 1)) {
            if (!field.isEmpty() && resultMarkFromText(field) == ResultMark::None) {
                fault(file, QStringLiteral("paper %1 holds the result \"%2\"")
                                .arg(100 + k)
                                .arg(field.left(20)));
                return;
            }
        }
    }
}

void ResultsFolderCheck::checkMarksFile() {
    const ResultsFile file = ResultsFile::Marks;
    QList<QByteArray> lines;
    bool isTemplate = false;
    if (!readLines(file, &lines, &isTemplate))
        return;
    const int count = int(m_papers.size());
    const Read<MarksRecords> read =
        readMarksFile(resultsFilePath(m_folder, file, m_module, m_code), count);
    if (!read.ok()) {
        fault(file, QStringLiteral("does not read: ") + recordErrorText(read.error));
        return;
    }
    const QStringList tags = marksTags();
    for (int r = 0; r < tags.size() && !isTemplate; ++r) {
        const QByteArray line = lines.value(r);
        if (lines.size() != tags.size() ||
            !line.startsWith(QByteArray("#" + tags.at(r).toLatin1() + "#>")) ||
            line.count('>') != count) {
            fault(file, QStringLiteral("not six whole records: line %1 is not %2")
                            .arg(r + 1)
                            .arg(tags.at(r)));
            return;
        }
    }
    // Marking writes score, state, time and date in one write; so does erasing.
    static const QRegularExpression elapsed(QStringLiteral("^\\d+:\\d+:\\d+$"));
    const MarksRecords& marks = read.value;
    for (int k = 0; k < count; ++k) {
        const QString paper = QString::number(101 + k);
        for (const auto& [state, score, name] :
             {std::tuple{marks.FST.at(k), marks.FSE.at(k), "first"},
              std::tuple{marks.SST.at(k), marks.SSE.at(k), "second"}}) {
            const bool marked = state == QLatin1String("1");
            if (!marked && state != QLatin1String("0"))
                fault(file, QStringLiteral("paper %1 %2 state \"%3\"").arg(paper, name, state));
            else if (marked != !score.isEmpty() || (marked && !isPercentage(score)))
                fault(file, QStringLiteral("paper %1 %2 attempt: state %3 with score \"%4\"")
                                .arg(paper, name, state, score));
        }
        const bool firstMarked = marks.FST.at(k) == QLatin1String("1");
        if (firstMarked != elapsed.match(marks.LTM.at(k)).hasMatch() ||
            firstMarked == marks.CDD.at(k).isEmpty())
            fault(file, QStringLiteral("paper %1: state %2 with time \"%3\" and date \"%4\"")
                            .arg(paper, marks.FST.at(k), marks.LTM.at(k), marks.CDD.at(k)));
    }
}

void ResultsFolderCheck::checkTrendFile() {
    const ResultsFile file = ResultsFile::Trend;
    QList<QByteArray> lines;
    bool isTemplate = false;
    if (!readLines(file, &lines, &isTemplate) || isTemplate)
        return;
    if (lines.size() != 1 || !lines.first().startsWith("#TRD#")) {
        fault(file, QStringLiteral("not the one trend record"));
        return;
    }
    const QString line = QString::fromLatin1(lines.first());
    if (readTrendLine(resultsFilePath(m_folder, file, m_module, m_code)).value != line) {
        fault(file, QStringLiteral("does not read"));
        return;
    }
    const QStringList values = line.mid(5).split(QLatin1Char('>')).mid(1);
    for (const QString& value : values) {
        if (!isPercentage(value)) {
            fault(file, QStringLiteral("holds the value \"%1\"").arg(value.left(20)));
            return;
        }
    }
}
