#include "ModulePack.h"

#include "MhtmlWriter.h"
#include "Render.h"
#include "Source.h"
#include "Validator.h"

#include "core/ModuleCheck.h"
#include "practice/MhtmlArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <yaml-cpp/yaml.h>

namespace bank::source {

namespace {

QString scalarText(const YAML::Node& node) {
    return node && node.IsScalar() ? QString::fromStdString(node.Scalar()).trimmed() : QString();
}

int lineOf(const YAML::Node& node) {
    return node ? node.Mark().line + 1 : 0;
}

// A value a check can hold in place of the reading that gave it.
bool literalOf(const Value& value, QString* out) {
    if (value.type == Value::Type::Number) {
        // Tenths and hundredths as decimals (a ruler's 7.5 stays 7.5), other
        // parts as the fraction they are (a shaded quarter is 1/4).
        long long den = value.number.den;
        while (den % 10 == 0)
            den /= 10;
        QString text;
        if (den != 1 || !value.number.decimal(&text))
            text = value.number.fraction();
        const bool bare = !text.contains(QLatin1Char('/')) && !text.startsWith(QLatin1Char('-'));
        *out = bare ? text : QLatin1Char('(') + text + QLatin1Char(')');
        return true;
    }
    if (value.type == Value::Type::Text) {
        const QChar quote =
            value.text.contains(QLatin1Char('\'')) ? QLatin1Char('"') : QLatin1Char('\'');
        if (value.text.contains(quote))
            return false;
        *out = quote + value.text + quote;
        return true;
    }
    return false;
}

// What module.yaml says, with the lines to point at.
struct ModuleHead {
    QString file;
    QStringList topics;
    QList<int> topicLines;
    int topicsLine = 0;
};

class Packer {
public:
    explicit Packer(const QString& folder) : m_dir(folder) {}

    PackResult run() {
        readHead();
        readPapers();
        if (m_result.problems.isEmpty())
            numberQuestions();
        if (m_result.problems.isEmpty())
            build();
        if (m_result.problems.isEmpty())
            finalCheck();
        if (!m_result.problems.isEmpty())
            m_result.bytes.clear();
        return m_result;
    }

private:
    void problem(const QString& file, int line, const QString& text) {
        m_result.problems << locationPrefix(file, line) + text;
    }

    QString headText(const YAML::Node& root, const char* name, int maxLength, bool required) {
        const YAML::Node node = root[name];
        const QString text = scalarText(node);
        const QString field = QLatin1String(name);
        if (node && !node.IsNull() && !node.IsScalar())
            problem(m_head.file, lineOf(node), field + QStringLiteral(": write one line of text"));
        else if (text.isEmpty() && required)
            problem(m_head.file, lineOf(root),
                    field + QStringLiteral(": missing (%1)").arg(requiredWhy(field)));
        else if (text.size() > maxLength)
            problem(m_head.file, lineOf(node),
                    field + QStringLiteral(": \"%1\" is %2 characters long; at most %3 fit")
                                .arg(text)
                                .arg(text.size())
                                .arg(maxLength));
        else
            recordSafe(text, lineOf(node), field);
        return text;
    }

    static QString requiredWhy(const QString& field) {
        if (field == QLatin1String("id"))
            return QStringLiteral("a short name that stays the same in every version, "
                                  "e.g. year3-autumn");
        if (field == QLatin1String("heading"))
            return QStringLiteral("the caption of the module's tab");
        return QStringLiteral("a whole number, 1 for the first version");
    }

    // The tables cannot carry ">" or "#", nor line breaks.
    void recordSafe(const QString& text, int line, const QString& field) {
        static const QRegularExpression unsafe(QStringLiteral("[>#\\x00-\\x1f]"));
        if (unsafe.match(text).hasMatch())
            problem(m_head.file, line,
                    field + QStringLiteral(": \"%1\" may not hold \">\" or \"#\"").arg(text));
    }

    void readHead() {
        m_head.file = m_dir.filePath(QStringLiteral("module.yaml"));
        QFile file(m_head.file);
        if (!file.open(QIODevice::ReadOnly)) {
            problem(m_head.file, 0,
                    QStringLiteral("there is no module.yaml in this folder: it gives the "
                                   "module's id, version, heading and topics"));
            return;
        }
        YAML::Node root;
        try {
            root = YAML::Load(file.readAll().toStdString());
        } catch (const YAML::Exception& e) {
            problem(m_head.file, e.mark.line + 1,
                    QStringLiteral("not valid YAML: %1").arg(QString::fromStdString(e.msg)));
            return;
        }
        if (!root.IsMap()) {
            problem(m_head.file, 0,
                    QStringLiteral("write the fields id, version, heading, topics (and "
                                   "author) one a line"));
            return;
        }
        static const QStringList known = {QStringLiteral("id"), QStringLiteral("version"),
                                          QStringLiteral("heading"), QStringLiteral("author"),
                                          QStringLiteral("topics")};
        for (auto it = root.begin(); it != root.end(); ++it) {
            if (!known.contains(scalarText(it->first)))
                problem(m_head.file, lineOf(it->first),
                        QStringLiteral("%1: unknown field (known: %2)")
                            .arg(scalarText(it->first), known.join(QStringLiteral(", "))));
        }
        ModuleSource& m = m_result.module;
        m.mid = headText(root, "id", 40, true);
        static const QRegularExpression mid(QStringLiteral("^[A-Za-z0-9-]*$"));
        if (!mid.match(m.mid).hasMatch())
            problem(
                m_head.file, lineOf(root["id"]),
                QStringLiteral("id: \"%1\" may hold only letters, digits and \"-\"").arg(m.mid));
        const QString version = headText(root, "version", 5, true);
        bool ok = false;
        m.version = version.toInt(&ok);
        if (!version.isEmpty() && (!ok || m.version < 1 || m.version > 99999))
            problem(m_head.file, lineOf(root["version"]),
                    QStringLiteral("version: \"%1\" is not a whole number from 1 to 99999")
                        .arg(version));
        m.heading = headText(root, "heading", 24, true);
        m.author = headText(root, "author", 60, false);

        const YAML::Node topics = root["topics"];
        m_head.topicsLine = lineOf(topics ? topics : root);
        if (!topics || !topics.IsSequence() || topics.size() == 0) {
            problem(m_head.file, m_head.topicsLine,
                    QStringLiteral("topics: list the names of the module's topics, one a line "
                                   "(\"- Fractions of amounts\")"));
            return;
        }
        if (topics.size() > 10)
            problem(
                m_head.file, m_head.topicsLine,
                QStringLiteral("topics: %1 topics; a module has at most 10").arg(topics.size()));
        for (std::size_t i = 0; i < topics.size(); ++i) {
            const QString name = scalarText(topics[i]);
            const int line = lineOf(topics[i]);
            if (name.isEmpty() || name.size() > 60)
                problem(m_head.file, line,
                        QStringLiteral("topic %1: a topic's name is 1 to 60 characters long")
                            .arg(i + 1));
            recordSafe(name, line, QStringLiteral("topic %1").arg(i + 1));
            m_head.topics << name;
            m_head.topicLines << line;
        }
        m.topicNames = m_head.topics;
    }

    QString topicName(int topic) const {
        return QStringLiteral("topic %1 \"%2\"").arg(topic).arg(m_head.topics.value(topic - 1));
    }

    void readPapers() {
        QStringList names = m_dir.entryList({QStringLiteral("*.yaml"), QStringLiteral("*.yml")},
                                            QDir::Files, QDir::Name);
        names.removeAll(QStringLiteral("module.yaml"));
        QMap<int, QString> fileOf; // paper id -> file
        for (const QString& name : std::as_const(names)) {
            const QString path = m_dir.filePath(name);
            const PaperRead read = readPaper(path, SourceKind::Module);
            m_result.problems << read.errors;
            // A paper with problems of its own is there all the same.
            if (read.paper.paper != 0)
                m_written.insert(read.paper.paper);
            if (!read.errors.isEmpty())
                continue;
            const SourcePaper& paper = read.paper;
            if (paper.topic > m_head.topics.size() && !m_head.topics.isEmpty()) {
                problem(path, 1,
                        QStringLiteral("topic %1, but module.yaml names %2 topics")
                            .arg(paper.topic)
                            .arg(m_head.topics.size()));
                continue;
            }
            if (fileOf.contains(paper.paper)) {
                problem(path, 1,
                        QStringLiteral("%1, paper %2 is also written in %3")
                            .arg(topicName(paper.topic))
                            .arg(paper.place)
                            .arg(QFileInfo(fileOf.value(paper.paper)).fileName()));
                continue;
            }
            fileOf.insert(paper.paper, path);
            m_result.problems << validatePaper(paper, Curriculum());
            m_papers.insert(paper.paper, paper);
        }
        for (int t = 1; t <= m_head.topics.size(); ++t) {
            QStringList missing;
            for (int place = 1; place <= 5; ++place) {
                if (!m_written.contains(100 + 5 * (t - 1) + place))
                    missing << QString::number(place);
            }
            if (!missing.isEmpty())
                problem(m_head.file, m_head.topicLines.value(t - 1),
                        QStringLiteral("%1 needs five papers; there is no file for paper %2 "
                                       "(\"topic: %3\" with \"paper: %4\")")
                            .arg(topicName(t), missing.join(QStringLiteral(", ")))
                            .arg(t)
                            .arg(missing.first()));
        }
    }

    // Ids the teacher gave are kept; the others are numbered within their
    // paper, 1, 2, ... for the first, 101, 102, ... for the second, passing
    // over those taken, so that a question added to one paper leaves the ids
    // (and so the stamps, and the pupils' results) of the others alone.
    void numberQuestions() {
        QMap<int, QString> given; // id -> where
        for (const SourcePaper& paper : std::as_const(m_papers)) {
            for (const SourceQuestion& q : paper.questions) {
                if (q.id == 0)
                    continue;
                const QString where = locationPrefix(paper.file, q.line, q.number);
                if (given.contains(q.id))
                    m_result.problems << where + QStringLiteral("the id %1 is used again: %2")
                                                     .arg(q.id)
                                                     .arg(given.value(q.id).chopped(2));
                given.insert(q.id, where);
            }
        }
        for (SourcePaper& paper : m_papers) {
            const int first = 100 * (paper.paper - 101) + 1;
            int next = first;
            for (SourceQuestion& q : paper.questions) {
                if (q.id != 0)
                    continue;
                while (given.contains(next))
                    ++next;
                if (next > ModuleMaxQuestionId || next >= first + 99) {
                    problem(paper.file, q.line,
                            QStringLiteral("more questions than a module "
                                           "can number"));
                    return;
                }
                q.id = next++;
            }
        }
    }

    QByteArray document(const SourcePaper& paper, const SourceQuestion& q) {
        const QString where =
            locationPrefix(paper.file, q.line, q.number, QStringLiteral("document"));
        const QString path = QFileInfo(paper.file).dir().filePath(q.document);
        QFile file(path);
        if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
            m_result.problems << where + QStringLiteral("there is no file \"%1\" beside this "
                                                        "paper's file")
                                             .arg(q.document);
            return {};
        }
        const qint64 limit = ModuleLimits().entryBytes;
        if (file.size() > limit) {
            m_result.problems << where + QStringLiteral("\"%1\" is larger than %2 MB: save it "
                                                        "with smaller pictures")
                                             .arg(q.document)
                                             .arg(limit / (1024 * 1024));
            return {};
        }
        const QByteArray bytes = file.readAll();
        MhtmlArchive archive;
        if (!archive.parse(bytes) || !archive.root()) {
            m_result.problems << where + QStringLiteral("\"%1\" cannot be read as a single-file "
                                                        "web page (%2): save it again as "
                                                        "\"Single File Web Page (*.mht)\"")
                                             .arg(q.document, archive.errorString().isEmpty()
                                                                  ? QStringLiteral("no page in it")
                                                                  : archive.errorString());
            return {};
        }
        for (const QString& why : documentProblems(bytes))
            m_result.problems << where + QStringLiteral("\"%1\": %2").arg(q.document, why);
        return bytes;
    }

    void build() {
        ModuleSource& m = m_result.module;
        for (const SourcePaper& paper : std::as_const(m_papers)) {
            ModulePaper out;
            for (const SourceQuestion& q : paper.questions) {
                ModuleQuestion question;
                question.id = q.id;
                const PictureLookup lookup = [&q](const QString& name) {
                    return findPicture(q, name);
                };
                for (int b = 0; b < q.blanks.size(); ++b) {
                    const SourceBlank& blank = q.blanks.at(b);
                    QString check;
                    if (!blank.check.trimmed().isEmpty()) {
                        QString why;
                        check = resolveReadings(blank.check, lookup, &why);
                        // The file keeps no options: a choice's check is the
                        // number of the option that shows its value.
                        const QList<int> shown = blank.kind == QLatin1String("Q") && why.isEmpty()
                                                     ? optionsShowing(q, evaluate(check).value)
                                                     : QList<int>();
                        if (shown.size() == 1)
                            check = QString::number(shown.first());
                        if (!why.isEmpty())
                            m_result.problems
                                << locationPrefix(paper.file, blank.line, q.number,
                                                  QStringLiteral("blanks[%1].check").arg(b + 1)) +
                                       why;
                        else if (check.contains(QLatin1Char('>')))
                            m_result.problems
                                << locationPrefix(paper.file, blank.line, q.number,
                                                  QStringLiteral("blanks[%1].check").arg(b + 1)) +
                                       QStringLiteral("write the comparison the other way round "
                                                      "with \"<\": a module cannot keep \">\"");
                    }
                    question.blanks << ModuleBlank{blank.key, blank.kind, blank.mark, check};
                }
                if (!q.document.isEmpty()) {
                    question.document = document(paper, q);
                } else {
                    QStringList errors;
                    const bank::Question rendered = renderQuestion(q, paper.file, &errors);
                    m_result.problems << errors;
                    question.document = MhtmlWriter(q.id).archive(rendered);
                }
                out.questions << question;
            }
            m.papers << out;
        }
    }

    // The packed file must pass the program's own check before it is written.
    void finalCheck() {
        QString error;
        m_result.bytes = writeModuleBytes(m_result.module, &error);
        if (m_result.bytes.isEmpty()) {
            problem(m_dir.path(), 0,
                    QStringLiteral("the module file cannot be made: %1").arg(error));
            return;
        }
        const ModuleCheckResult check = checkModule(ModuleFile::fromBytes(m_result.bytes));
        for (const QString& p : check.problems)
            problem(m_dir.path(), 0, p);
    }

    QDir m_dir;
    ModuleHead m_head;
    QMap<int, SourcePaper> m_papers; // by paper id, so in paper order
    QSet<int> m_written;             // paper ids some file declares
    PackResult m_result;
};

} // namespace

QString resolveReadings(const QString& check, const PictureLookup& pictures, QString* error) {
    QString out;
    int i = 0;
    const int size = int(check.size());
    while (i < size) {
        const QChar c = check.at(i);
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = int(check.indexOf(c, i + 1));
            const int stop = end < 0 ? size : end + 1;
            out += check.mid(i, stop - i);
            i = stop;
            continue;
        }
        if (!c.isLetter() && c != QLatin1Char('_')) {
            out += c;
            ++i;
            continue;
        }
        int j = i;
        while (j < size && (check.at(j).isLetter() || check.at(j) == QLatin1Char('_')))
            ++j;
        const QString word = check.mid(i, j - i);
        int open = j;
        while (open < size && check.at(open).isSpace())
            ++open;
        // yes(...) is no reading: what it holds is resolved in turn.
        if (word == QLatin1String("yes") || open >= size || check.at(open) != QLatin1Char('(')) {
            out += word;
            i = j;
            continue;
        }
        int close = open + 1;
        QChar quote;
        while (close < size && (check.at(close) != QLatin1Char(')') || !quote.isNull())) {
            const QChar k = check.at(close);
            if (k == QLatin1Char('"') || k == QLatin1Char('\''))
                quote = quote.isNull() ? k : (quote == k ? QChar() : quote);
            ++close;
        }
        const QString call = check.mid(i, std::min(close + 1, size) - i);
        const Evaluation e = evaluate(call, pictures);
        QString literal;
        if (!e.error.isEmpty() || !literalOf(e.value, &literal)) {
            *error = QStringLiteral("cannot read %1: %2")
                         .arg(call, e.error.isEmpty() ? e.value.describe() : e.error);
            return {};
        }
        out += literal;
        i = close + 1;
    }
    return out;
}

PackResult packModule(const QString& folder) {
    return Packer(folder).run();
}

} // namespace bank::source
