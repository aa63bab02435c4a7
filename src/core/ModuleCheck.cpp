#include "core/ModuleCheck.h"

#include "core/AnswerChecking.h"
#include "core/Expression.h"
#include "core/ModuleFile.h"
#include "core/RecordFile.h"
#include "practice/MhtmlArchive.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>

namespace {

constexpr int MaxQuestionBlanks = 20;
constexpr int MaxPaperBlanks = 60;

struct Record {
    QString tag;
    QStringList fields;
};

// The records of a table in file order; lines without a tag are skipped.
QList<Record> Records(const QByteArray& bytes) {
    QList<Record> records;
    for (const QString& line : splitRecordText(QString::fromLatin1(bytes))) {
        if (!line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype close = line.indexOf(QStringLiteral("#>"), 1);
        if (close < 0)
            continue;
        records.append({line.mid(1, close - 1), line.mid(close + 2).split(QLatin1Char('>'))});
    }
    return records;
}

class Checker {
public:
    Checker(const ModuleFile& file, int cap) : m_file(file), m_cap(cap) {}

    ModuleCheckResult run() {
        if (!m_file.ok()) {
            add(m_file.message());
            return m_result;
        }
        const ModuleInfo& info = m_file.info();
        if (!readTables())
            return m_result;
        checkPapers(info);
        checkTables();
        checkDocuments();
        return m_result;
    }

private:
    struct Question {
        int paper = 0;  // 0-based paper index
        int number = 0; // 1-based within the paper
        QString id;
    };

    void add(const QString& problem) {
        if (m_result.problems.size() < m_cap)
            m_result.problems << problem;
        else
            ++m_result.notShown;
    }

    QString paperWhere(int paper) const {
        const int topic = paper / 5 + 1;
        return QStringLiteral("Topic %1 \"%2\", paper %3")
            .arg(topic)
            .arg(m_file.info().topicNames.value(topic - 1))
            .arg(paper % 5 + 1);
    }
    QString where(const Question& q) const {
        return paperWhere(q.paper) + QStringLiteral(", question %1").arg(q.number);
    }
    QString blankWhere(const Question& q, int blank, int blanks) const {
        return blanks > 1 ? where(q) + QStringLiteral(", answer %1").arg(blank + 1) : where(q);
    }

    bool readTables() {
        const char* const names[] = {ModuleEntry::Papers, ModuleEntry::Keys, ModuleEntry::Kinds,
                                     ModuleEntry::Marks, ModuleEntry::Checks};
        for (int t = 0; t < 5; ++t) {
            bool ok = false;
            QString why;
            const QByteArray bytes = m_file.entry(QLatin1String(names[t]), &ok, &why);
            if (!ok) {
                add(QStringLiteral("This module file is damaged: %1.").arg(why));
                return false;
            }
            m_tables[t] = Records(bytes);
        }
        return true;
    }

    void checkPapers(const ModuleInfo& info) {
        QMap<int, QStringList> papers;
        static const QRegularExpression localId(QStringLiteral("^[1-9][0-9]{0,3}$"));
        for (const Record& record : std::as_const(m_tables[0])) {
            const int paper = record.tag.toInt() - 101;
            if (paper < 0 || paper >= info.paperCount || record.tag.size() != 3) {
                add(QStringLiteral("The list of papers has a paper \"%1\" that the module does "
                                   "not have (papers 101 to %2).")
                        .arg(record.tag)
                        .arg(100 + info.paperCount));
                continue;
            }
            if (!papers.contains(paper))
                papers.insert(paper, record.fields);
        }
        QSet<QString> seen;
        for (int p = 0; p < info.paperCount; ++p) {
            const QStringList ids = papers.value(p);
            if (ids.isEmpty() || (ids.size() == 1 && ids.first().isEmpty())) {
                add(paperWhere(p) + QStringLiteral(": the paper has no questions."));
                continue;
            }
            for (int n = 0; n < ids.size(); ++n) {
                const Question q{p, n + 1, ids.at(n)};
                if (!localId.match(q.id).hasMatch() || q.id.toInt() > ModuleMaxQuestionId) {
                    add(where(q) + QStringLiteral(": the question id \"%1\" is not a number from "
                                                  "1 to %2.")
                                       .arg(q.id)
                                       .arg(ModuleMaxQuestionId));
                    continue;
                }
                if (seen.contains(q.id)) {
                    add(where(q) + QStringLiteral(": the question id %1 is used twice.").arg(q.id));
                    continue;
                }
                seen.insert(q.id);
                m_questions << q;
            }
        }
    }

    void checkTables() {
        static const char* const tableNames[] = {"", "keys.txt", "kinds.txt", "marks.txt",
                                                 "checks.txt"};
        std::array<QMap<QString, QStringList>, 5> byId;
        QSet<QString> listed;
        QStringList order;
        for (const Question& q : std::as_const(m_questions)) {
            listed.insert(q.id);
            order << q.id;
        }
        for (int t = 1; t < 5; ++t) {
            QStringList tableOrder;
            for (const Record& record : std::as_const(m_tables[t])) {
                if (!listed.contains(record.tag)) {
                    add(QStringLiteral("%1 has a record for question id %2, which no paper lists.")
                            .arg(QLatin1String(tableNames[t]), record.tag));
                    continue;
                }
                if (byId[t].contains(record.tag)) {
                    add(QStringLiteral("%1 has two records for question id %2.")
                            .arg(QLatin1String(tableNames[t]), record.tag));
                    continue;
                }
                byId[t].insert(record.tag, record.fields);
                tableOrder << record.tag;
            }
            QStringList expected;
            for (const QString& id : std::as_const(order)) {
                if (byId[t].contains(id))
                    expected << id;
            }
            if (tableOrder != expected)
                add(QStringLiteral("%1 does not list the questions in the order of the papers.")
                        .arg(QLatin1String(tableNames[t])));
        }

        QMap<int, int> paperBlanks;
        for (const Question& q : std::as_const(m_questions)) {
            bool complete = true;
            for (int t = 1; t < 5; ++t) {
                if (!byId[t].contains(q.id)) {
                    add(where(q) + QStringLiteral(": %1 has no record for it (question id %2).")
                                       .arg(QLatin1String(tableNames[t]), q.id));
                    complete = false;
                }
            }
            if (!complete)
                continue;
            const QStringList& keys = byId[1].value(q.id);
            const QStringList& kinds = byId[2].value(q.id);
            const QStringList& marks = byId[3].value(q.id);
            const QStringList& checkTexts = byId[4].value(q.id);
            if (kinds.size() != keys.size() || marks.size() != keys.size() ||
                checkTexts.size() != keys.size()) {
                add(where(q) + QStringLiteral(": it has %1 keys, %2 kinds, %3 marks and %4 "
                                              "checks; each answer needs one of each.")
                                   .arg(keys.size())
                                   .arg(kinds.size())
                                   .arg(marks.size())
                                   .arg(checkTexts.size()));
                continue;
            }
            if (keys.size() > MaxQuestionBlanks)
                add(where(q) + QStringLiteral(": it has %1 answers; a question has at most %2.")
                                   .arg(keys.size())
                                   .arg(MaxQuestionBlanks));
            paperBlanks[q.paper] += int(keys.size());
            checkQuestion(q, keys, kinds, marks, checkTexts);
        }
        for (auto it = paperBlanks.constBegin(); it != paperBlanks.constEnd(); ++it) {
            if (it.value() > MaxPaperBlanks)
                add(paperWhere(it.key()) +
                    QStringLiteral(": the paper has %1 answers; a paper has at most %2.")
                        .arg(it.value())
                        .arg(MaxPaperBlanks));
        }
    }

    // Why a key cannot be an answer of its kind, or empty.
    static QString keyProblem(const QStringList& keys, const QStringList& letters,
                              const QList<AnswerKind>& kinds, int b) {
        const QString& key = keys.at(b);
        const AnswerKind kind = kinds.at(b);
        static const QRegularExpression fraction(
            QStringLiteral("^[0-9]+/[1-9][0-9]*$|^[1-9][0-9]* [0-9]+/[1-9][0-9]*$"));
        if (kind == AnswerKind::Unknown)
            return QStringLiteral("the kind \"%1\" is not one the program knows")
                .arg(letters.at(b));
        const bool follower = kind == AnswerKind::G && key == QLatin1String(" ");
        if (!follower && key.trimmed().isEmpty())
            return QStringLiteral("the answer is empty");
        double number = 0;
        if (kind == AnswerKind::N && !parseAnswerNumber(key, QLocale::c(), &number))
            return QStringLiteral("the answer \"%1\" is not a number").arg(key);
        if ((kind == AnswerKind::F || kind == AnswerKind::X || kind == AnswerKind::R) &&
            !fraction.match(key.trimmed()).hasMatch())
            return QStringLiteral("the answer \"%1\" is not a fraction").arg(key);
        if (kind == AnswerKind::Q && (key.size() != 1 || key.at(0) < u'1' || key.at(0) > u'9'))
            return QStringLiteral("the answer \"%1\" is not the number of an option").arg(key);
        if ((kind == AnswerKind::M || (kind == AnswerKind::G && !follower)) &&
            keyAlternatives(key).isEmpty())
            return QStringLiteral("the answer \"%1\" does not list its alternatives as \";a;b\"")
                .arg(key);
        if (follower && (b == 0 || kinds.at(b - 1) != AnswerKind::G))
            return QStringLiteral("the answer belongs to a group that has no first answer");
        return QString();
    }

    void checkQuestion(const Question& q, const QStringList& keys, const QStringList& letters,
                       const QStringList& marks, const QStringList& checkTexts) {
        const int blanks = int(keys.size());
        const QList<AnswerKind> kinds = parseAnswerKinds(letters);
        bool keysSound = true;
        for (int b = 0; b < blanks; ++b) {
            const QString at = blankWhere(q, b, blanks);
            int mark = 0;
            bool markOk = false;
            mark = marks.at(b).toInt(&markOk);
            if (!markOk || mark < 1 || mark > 9 || marks.at(b).size() != 1)
                add(at + QStringLiteral(": the mark \"%1\" is not a whole number from 1 to 9.")
                             .arg(marks.at(b)));
            const QString problem = keyProblem(keys, letters, kinds, b);
            if (!problem.isEmpty()) {
                add(at + QStringLiteral(": ") + problem + QLatin1Char('.'));
                keysSound = false;
            }
        }
        if (!keysSound)
            return;
        // What a pupil types: the key's own answer, or what its check computes.
        QStringList answers;
        for (int b = 0; b < blanks; ++b)
            answers << modelAnswer(QStringList(blanks, QString()), keys, kinds, b);
        QList<QStringList> candidates;
        for (int b = 0; b < blanks; ++b) {
            if (checkTexts.at(b).trimmed().isEmpty()) {
                candidates << QStringList();
                continue;
            }
            const checks::Evaluation e = checks::evaluate(checkTexts.at(b));
            if (!e.error.isEmpty()) {
                add(blankWhere(q, b, blanks) +
                    QStringLiteral(": the check %1 cannot be worked out: %2.")
                        .arg(checkTexts.at(b), e.error));
                candidates << QStringList();
                continue;
            }
            candidates << e.value.answers(kinds.at(b));
            answers[b] = candidates.last().value(0);
        }
        for (int b = 0; b < blanks; ++b) {
            if (candidates.at(b).isEmpty())
                continue;
            if (!checkGivesKey(answers, candidates.at(b), keys, kinds, b))
                add(blankWhere(q, b, blanks) +
                    QStringLiteral(": the answer \"%1\" does not match its check %2 (%3).")
                        .arg(keys.at(b), checkTexts.at(b), candidates.at(b).value(0)));
        }
    }

    void checkDocuments() {
        QSet<int> listed;
        for (const Question& q : std::as_const(m_questions)) {
            listed.insert(q.id.toInt());
            bool ok = false;
            QString why;
            const QByteArray bytes = m_file.document(q.id.toInt(), &ok, &why);
            if (!ok) {
                add(where(q) + QStringLiteral(": its document cannot be read: %1.").arg(why));
                continue;
            }
            for (const QString& problem : documentProblems(bytes))
                add(where(q) + QStringLiteral(": its document ") + problem + QLatin1Char('.'));
        }
        for (int id : m_file.documentIds()) {
            if (!listed.contains(id))
                add(QStringLiteral("The document %1 belongs to no question of the papers.")
                        .arg(ModuleEntry::Document(id)));
        }
    }

    const ModuleFile& m_file;
    int m_cap;
    ModuleCheckResult m_result;
    std::array<QList<Record>, 5> m_tables; // papers, keys, kinds, marks, checks
    QList<Question> m_questions;
};

// Entities in an attribute value, so that "&#106;avascript:" reads as it runs.
QString decodeEntities(const QString& text) {
    static const QRegularExpression entity(
        QStringLiteral("&#(x?)([0-9a-fA-F]{1,6});?|&amp;|&colon;"),
        QRegularExpression::CaseInsensitiveOption);
    QString out;
    for (qsizetype i = 0; i < text.size();) {
        const QRegularExpressionMatch m =
            text.at(i) == u'&' ? entity.match(text, i, QRegularExpression::NormalMatch,
                                              QRegularExpression::AnchorAtOffsetMatchOption)
                               : QRegularExpressionMatch();
        if (!m.hasMatch()) {
            out += text.at(i++);
            continue;
        }
        i = m.capturedEnd();
        if (m.capturedLength(2) == 0) {
            out += m.captured(0).at(1).toLower() == u'a' ? u'&' : u':';
            continue;
        }
        bool ok = false;
        const uint code = m.captured(2).toUInt(&ok, m.captured(1).isEmpty() ? 10 : 16);
        if (ok && code > 0 && code < 0x110000)
            out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
    }
    return out;
}

// Why a reference written in part `from` is not safe to follow, or empty.
QString referenceProblem(const MhtmlArchive& archive, int from, const QString& raw) {
    QString reference;
    for (const QChar c : decodeEntities(raw)) {
        if (c.unicode() > 32)
            reference += c;
    }
    const QString lower = reference.toLower();
    if (lower.isEmpty() || lower.startsWith(QLatin1Char('#')))
        return QString();
    if (lower.startsWith(QLatin1String("javascript:")) ||
        lower.startsWith(QLatin1String("vbscript:")))
        return QStringLiteral("runs a script from a link");
    if (lower.startsWith(QLatin1String("data:")))
        return QStringLiteral("holds a data: link");
    // A part of the archive may be named by any of its locations.
    if (archive.findPart(reference, from) >= 0)
        return QString();
    static const QRegularExpression scheme(QStringLiteral("^[a-z][a-z0-9+.-]*:"));
    if (scheme.match(lower).hasMatch() || lower.startsWith(QLatin1Char('/')) ||
        lower.startsWith(QLatin1Char('\\')))
        return QStringLiteral("refers to \"%1\", outside the document").arg(reference.left(80));
    return QString();
}

} // namespace

QString ModuleCheckResult::text() const {
    QString out = problems.join(QLatin1Char('\n'));
    if (notShown > 0)
        out += QStringLiteral("\n... and %1 more problems.").arg(notShown);
    return out;
}

bool checkGivesKey(const QStringList& answers, const QStringList& candidates,
                   const QStringList& keys, const QList<AnswerKind>& kinds, int blank) {
    for (const QString& candidate : candidates) {
        QStringList tried = answers;
        tried[blank] = candidate;
        if (markBlank(tried, keys, kinds, blank, QLocale::c()) == ResultMark::Correct)
            return true;
    }
    return false;
}

ModuleCheckResult checkModule(const ModuleFile& file, int cap) {
    return Checker(file, cap).run();
}

QStringList documentProblems(const QByteArray& mhtml) {
    MhtmlArchive archive;
    if (!archive.parse(mhtml))
        return {QStringLiteral("cannot be read (%1)").arg(archive.errorString())};
    QStringList problems;
    auto add = [&](const QString& problem) {
        if (!problems.contains(problem))
            problems << problem;
    };
    static const QRegularExpression forbidden(
        QStringLiteral("<\\s*(script|iframe|frame|frameset|object|embed|applet|form|base|"
                       "portal)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression refresh(
        QStringLiteral("<\\s*meta\\b[^>]*http-equiv\\s*=\\s*[\"']?\\s*refresh"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tag(QStringLiteral("<[a-zA-Z][^>]*>"));
    static const QRegularExpression handler(QStringLiteral("[\\s\"'/]on[a-z]+\\s*="),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression link(
        QStringLiteral(
            "[\\s\"'](?:[a-z]+:)?(href|src|lowsrc|dynsrc|background|action|"
            "formaction|data|poster|srcset|longdesc)\\s*=\\s*(\"[^\"]*\"|'[^']*'|[^\\s>]+)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression cssUrl(
        QStringLiteral("url\\s*\\(\\s*([\"']?)([^\"')]*)\\1\\s*\\)|@import\\s+([\"'])([^\"']*)\\3"),
        QRegularExpression::CaseInsensitiveOption);
    // A behaviour named by a fragment is one of the view's own (a word
    // processor's pages name "#default#VML"); any other runs code.
    static const QRegularExpression cssScript(
        QStringLiteral("expression\\s*\\(|-moz-binding|behavior\\s*:\\s*(?!url\\s*\\(\\s*[\"']?#)"),
        QRegularExpression::CaseInsensitiveOption);
    for (int i = 0; i < archive.parts().size(); ++i) {
        const MhtmlPart& part = archive.parts().at(i);
        const bool markup = part.mimeType == "text/html" || part.mimeType == "image/svg+xml" ||
                            part.mimeType == "application/xhtml+xml";
        const bool css = part.mimeType == "text/css";
        if (!markup && !css)
            continue;
        const QString text = MhtmlArchive::decodeText(part.body, part.charset);
        if (markup) {
            if (const QRegularExpressionMatch m = forbidden.match(text); m.hasMatch())
                add(QStringLiteral("holds a <%1> element").arg(m.captured(1).toLower()));
            if (refresh.match(text).hasMatch())
                add(QStringLiteral("moves on to another page by itself (meta refresh)"));
            auto tags = tag.globalMatch(text);
            while (tags.hasNext()) {
                const QString element = tags.next().captured(0);
                if (handler.match(element).hasMatch())
                    add(QStringLiteral("runs a script when something happens (an on... "
                                       "attribute)"));
                auto links = link.globalMatch(element);
                while (links.hasNext()) {
                    QString value = links.next().captured(2);
                    if (value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\'')))
                        value = value.mid(1, value.size() - 2);
                    const QStringList references = value.contains(QLatin1Char(','))
                                                       ? value.split(QLatin1Char(','))
                                                       : QStringList{value};
                    for (const QString& reference : references) {
                        const QString problem =
                            referenceProblem(archive, i, reference.trimmed().section(u' ', 0, 0));
                        if (!problem.isEmpty())
                            add(problem);
                    }
                }
            }
        }
        if (cssScript.match(text).hasMatch())
            add(QStringLiteral("runs a script from its style"));
        auto urls = cssUrl.globalMatch(text);
        while (urls.hasNext()) {
            const QRegularExpressionMatch m = urls.next();
            const QString problem = referenceProblem(
                archive, i, m.captured(2).isEmpty() ? m.captured(4) : m.captured(2));
            if (!problem.isEmpty())
                add(problem);
        }
    }
    return problems;
}
