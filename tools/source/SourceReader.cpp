#include "Source.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <yaml-cpp/yaml.h>

namespace bank::source {

namespace {

QString scalarText(const YAML::Node& node) {
    if (!node || node.IsNull())
        return {};
    return QString::fromStdString(node.Scalar());
}

int lineOf(const YAML::Node& node) {
    return node ? node.Mark().line + 1 : 0;
}

// Reads one file's nodes, collecting every problem rather than stopping at
// the first: an author fixes a whole file in one go.
class Reader {
public:
    Reader(QString file, SourceKind kind) : m_file(std::move(file)), m_kind(kind) {}

    bool module() const { return m_kind == SourceKind::Module; }

    QStringList errors;

    void error(int line, int id, const QString& field, const QString& text) {
        errors << locationPrefix(m_file, line, id, field) + text;
    }

    // Fields of a map that are not in `known`.
    // Fields of a map that are not in `known`, or given twice (YAML would
    // keep one of them without a word).
    void unknownFields(const YAML::Node& map, const QStringList& known, int id,
                       const QString& prefix) {
        QSet<QString> seen;
        for (auto it = map.begin(); it != map.end(); ++it) {
            const QString name = scalarText(it->first);
            if (seen.contains(name))
                error(lineOf(it->first), id, prefix + name, QStringLiteral("given twice"));
            seen.insert(name);
            if (!known.contains(name))
                error(lineOf(it->first), id, prefix + name,
                      QStringLiteral("unknown field (known: %1)")
                          .arg(known.join(QStringLiteral(", "))));
        }
    }

    QString scalar(const YAML::Node& map, const char* name, int id, const QString& prefix,
                   bool required) {
        const YAML::Node node = map[name];
        if (!node || node.IsNull()) {
            if (required)
                error(lineOf(map), id, prefix + QLatin1String(name), QStringLiteral("missing"));
            return {};
        }
        if (!node.IsScalar()) {
            error(lineOf(node), id, prefix + QLatin1String(name),
                  QStringLiteral("must be a single value, not a list or map"));
            return {};
        }
        return scalarText(node);
    }

    int number(const YAML::Node& map, const char* name, int id, const QString& prefix, int lo,
               int hi) {
        const QString text = scalar(map, name, id, prefix, true);
        if (text.isEmpty())
            return 0;
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || value < lo || value > hi) {
            error(lineOf(map[name]), id, prefix + QLatin1String(name),
                  QStringLiteral("\"%1\" is not a whole number from %2 to %3")
                      .arg(text)
                      .arg(lo)
                      .arg(hi));
            return 0;
        }
        return value;
    }

    QStringList texts(const YAML::Node& map, const char* name, int id, const QString& prefix) {
        const YAML::Node node = map[name];
        QStringList out;
        if (!node || node.IsNull())
            return out;
        if (!node.IsSequence()) {
            error(lineOf(node), id, prefix + QLatin1String(name), QStringLiteral("must be a list"));
            return out;
        }
        for (std::size_t i = 0; i < node.size(); ++i) {
            if (!node[i].IsScalar()) {
                error(lineOf(node[i]), id,
                      prefix + QStringLiteral("%1[%2]").arg(QLatin1String(name)).arg(i + 1),
                      QStringLiteral("must be a text"));
                continue;
            }
            out << scalarText(node[i]);
        }
        return out;
    }

    QVariant value(const YAML::Node& node) {
        if (node.IsSequence()) {
            QVariantList list;
            for (std::size_t i = 0; i < node.size(); ++i)
                list << value(node[i]);
            return list;
        }
        if (node.IsMap()) {
            QVariantMap map;
            for (auto it = node.begin(); it != node.end(); ++it)
                map.insert(scalarText(it->first), value(it->second));
            return map;
        }
        return scalarText(node);
    }

    QVariantMap picture(const YAML::Node& node, int id, const QString& field) {
        if (!node.IsMap()) {
            error(lineOf(node), id, field, QStringLiteral("a picture is a map of its fields"));
            return {};
        }
        QVariantMap map = value(node).toMap();
        static const QRegularExpression safeName(QStringLiteral("^[A-Za-z0-9_-]+$"));
        const QString name = map.value(QStringLiteral("name")).toString();
        if (name.isEmpty())
            error(lineOf(node), id, field + QStringLiteral(".name"), QStringLiteral("missing"));
        else if (!safeName.match(name).hasMatch())
            error(lineOf(node), id, field + QStringLiteral(".name"),
                  QStringLiteral("\"%1\" must be letters, digits, - or _ only").arg(name));
        const QString type = map.value(QStringLiteral("type")).toString();
        if (type.isEmpty()) {
            error(lineOf(node), id, field + QStringLiteral(".type"), QStringLiteral("missing"));
        } else if (!pictureTypes().contains(type)) {
            error(lineOf(node["type"]), id, field + QStringLiteral(".type"),
                  QStringLiteral("unknown picture type \"%1\"").arg(type));
        } else {
            QStringList known = pictureTypes().value(type);
            known << QStringLiteral("name") << QStringLiteral("type") << QStringLiteral("alt");
            unknownFields(node, known, id, field + QLatin1Char('.'));
        }
        return map;
    }

    SourceBlank blank(const YAML::Node& node, int id, const QString& field) {
        SourceBlank b;
        b.line = lineOf(node);
        if (!node.IsMap()) {
            error(b.line, id, field, QStringLiteral("a blank is a map: key, kind, mark, check"));
            return b;
        }
        unknownFields(node,
                      {QStringLiteral("key"), QStringLiteral("kind"), QStringLiteral("mark"),
                       QStringLiteral("check"), QStringLiteral("why")},
                      id, field + QLatin1Char('.'));
        const QString prefix = field + QLatin1Char('.');
        // A group follower's key is one space, which YAML keeps only when quoted.
        const YAML::Node key = node["key"];
        if (!key || key.IsNull() || !key.IsScalar())
            error(b.line, id, prefix + QStringLiteral("key"), QStringLiteral("missing"));
        else
            b.key = scalarText(key);
        b.kind = scalar(node, "kind", id, prefix, true);
        static const QStringList kinds = {
            QStringLiteral("N"), QStringLiteral("T"), QStringLiteral("Q"), QStringLiteral("F"),
            QStringLiteral("X"), QStringLiteral("M"), QStringLiteral("G")};
        if (!b.kind.isEmpty() && !kinds.contains(b.kind))
            error(lineOf(node["kind"]), id, prefix + QStringLiteral("kind"),
                  QStringLiteral("unknown kind \"%1\" (N, T, Q, F, X, M or G)").arg(b.kind));
        b.mark = number(node, "mark", id, prefix, 1, 3);
        // A teacher may leave a check out; the bank always gives one.
        b.check = scalar(node, "check", id, prefix, !module());
        b.why = scalar(node, "why", id, prefix, false);
        return b;
    }

    SourceQuestion question(const YAML::Node& node, int index) {
        SourceQuestion q;
        q.line = lineOf(node);
        const QString at = QStringLiteral("questions[%1]").arg(index + 1);
        if (!node.IsMap()) {
            error(q.line, 0, at, QStringLiteral("a question is a map of its fields"));
            return q;
        }
        q.number = index + 1;
        // A module's messages name a question by its place in the paper.
        if (!module())
            q.id = number(node, "id", 0, at + QLatin1Char('.'), 10000, 32767);
        else if (node["id"])
            q.id = number(node, "id", q.number, {}, 1, 4999);
        const int id = module() ? q.number : q.id;
        QStringList known = {
            QStringLiteral("id"),      QStringLiteral("form"),     QStringLiteral("statements"),
            QStringLiteral("text"),    QStringLiteral("note"),     QStringLiteral("parts"),
            QStringLiteral("options"), QStringLiteral("pictures"), QStringLiteral("blanks"),
            QStringLiteral("working"), QStringLiteral("units")};
        if (module())
            known << QStringLiteral("document");
        unknownFields(node, known, id, QString());
        if (module() && node["document"]) {
            documentQuestion(node, id, &q);
            return q;
        }
        q.form = scalar(node, "form", id, {}, !module());
        static const QStringList forms = {QStringLiteral("bare"),   QStringLiteral("missing"),
                                          QStringLiteral("story"),  QStringLiteral("picture"),
                                          QStringLiteral("choice"), QStringLiteral("puzzle"),
                                          QStringLiteral("reason")};
        if (!q.form.isEmpty() && !forms.contains(q.form))
            error(lineOf(node["form"]), id, QStringLiteral("form"),
                  QStringLiteral("unknown form \"%1\" (%2)")
                      .arg(q.form, forms.join(QStringLiteral(", "))));
        q.statements = texts(node, "statements", id, {});
        if (q.statements.isEmpty() && !module())
            error(q.line, id, QStringLiteral("statements"),
                  QStringLiteral("missing: list the curriculum statements it practises"));
        q.text = scalar(node, "text", id, {}, true).trimmed();
        q.note = scalar(node, "note", id, {}, false).trimmed();
        q.parts = texts(node, "parts", id, {});
        q.options = texts(node, "options", id, {});
        if (q.form.isEmpty())
            q.form = q.options.isEmpty() ? QStringLiteral("bare") : QStringLiteral("choice");
        if (node["options"] && q.options.size() != 4)
            error(lineOf(node["options"]), id, QStringLiteral("options"),
                  QStringLiteral("%1 options; a multiple-choice question has exactly 4")
                      .arg(q.options.size()));
        q.units = texts(node, "units", id, {});

        const YAML::Node pictures = node["pictures"];
        if (pictures && !pictures.IsNull()) {
            if (!pictures.IsSequence())
                error(lineOf(pictures), id, QStringLiteral("pictures"),
                      QStringLiteral("must be a list"));
            else
                for (std::size_t i = 0; i < pictures.size(); ++i)
                    q.pictures << picture(pictures[i], id,
                                          QStringLiteral("pictures[%1]").arg(i + 1));
        }

        blanksOf(node, id, &q);
        if (!q.units.isEmpty() && q.units.size() != q.blanks.size())
            error(lineOf(node["units"]), id, QStringLiteral("units"),
                  QStringLiteral("%1 units for %2 blanks: give one per blank (\"\" for none)")
                      .arg(q.units.size())
                      .arg(q.blanks.size()));

        const YAML::Node working = node["working"];
        if (!working || !working.IsSequence() || working.size() == 0) {
            error(q.line, id, QStringLiteral("working"),
                  QStringLiteral("missing: a list of short steps"));
        } else {
            for (std::size_t i = 0; i < working.size(); ++i) {
                const YAML::Node step = working[i];
                const QString field = QStringLiteral("working[%1]").arg(i + 1);
                SourceStep s;
                s.line = lineOf(step);
                if (step.IsScalar()) {
                    s.text = scalarText(step).trimmed();
                    if (s.text.isEmpty())
                        error(s.line, id, field, QStringLiteral("an empty step"));
                } else if (step.IsMap() && step.size() == 1 && step["picture"]) {
                    s.picture = picture(step["picture"], id, field + QStringLiteral(".picture"));
                } else {
                    error(s.line, id, field,
                          QStringLiteral("a step is a text or \"picture: {...}\""));
                    continue;
                }
                q.working << s;
            }
        }
        return q;
    }

    void blanksOf(const YAML::Node& node, int id, SourceQuestion* q) {
        const YAML::Node blanks = node["blanks"];
        if (!blanks || !blanks.IsSequence() || blanks.size() == 0)
            error(q->line, id, QStringLiteral("blanks"),
                  QStringLiteral("missing: a list of at least one blank"));
        else
            for (std::size_t i = 0; i < blanks.size(); ++i)
                q->blanks << blank(blanks[i], id, QStringLiteral("blanks[%1]").arg(i + 1));
    }

    // A page the teacher saved from a word processor: only its file and blanks.
    void documentQuestion(const YAML::Node& node, int id, SourceQuestion* q) {
        q->document = scalar(node, "document", id, {}, true);
        static const QRegularExpression plain(
            QStringLiteral("^[A-Za-z0-9_][A-Za-z0-9_ .-]*\\.(mht|mhtml)$"),
            QRegularExpression::CaseInsensitiveOption);
        if (!q->document.isEmpty() && !plain.match(q->document).hasMatch())
            error(lineOf(node["document"]), id, QStringLiteral("document"),
                  QStringLiteral("\"%1\" must be the name of a .mht file in the same folder as "
                                 "this file")
                      .arg(q->document));
        for (auto it = node.begin(); it != node.end(); ++it) {
            const QString name = scalarText(it->first);
            if (name != QLatin1String("id") && name != QLatin1String("document") &&
                name != QLatin1String("blanks"))
                error(lineOf(it->first), id, name,
                      QStringLiteral("a question that is a document has only its document and "
                                     "blanks (and an id): the page says the rest"));
        }
        blanksOf(node, id, q);
    }

private:
    QString m_file;
    SourceKind m_kind;
};

} // namespace

QString locationPrefix(const QString& file, int line, int questionId, const QString& field) {
    QString out = file;
    if (line > 0)
        out += QStringLiteral(":%1").arg(line);
    out += QStringLiteral(": ");
    if (questionId > 0)
        out += QStringLiteral("question %1: ").arg(questionId);
    if (!field.isEmpty())
        out += field + QStringLiteral(": ");
    return out;
}

QString paperFile(const QString& folder, int paper) {
    return QDir(folder).filePath(QStringLiteral("paper%1.yaml").arg(paper));
}

PaperRead readPaperText(const QByteArray& yaml, const QString& file, SourceKind kind) {
    PaperRead result;
    result.paper.file = file;
    result.paper.kind = kind;
    Reader reader(file, kind);
    YAML::Node loaded;
    try {
        loaded = YAML::Load(yaml.toStdString());
    } catch (const YAML::Exception& e) {
        result.errors
            << locationPrefix(file, e.mark.line + 1) +
                   QStringLiteral("not valid YAML: %1").arg(QString::fromStdString(e.msg));
        return result;
    }
    const YAML::Node& root = loaded;
    if (!root.IsMap()) {
        result.errors << locationPrefix(file, 0) +
                             QStringLiteral("a paper's source is a map: paper, topic, year, plan, "
                                            "questions");
        return result;
    }
    try {
        SourcePaper& paper = result.paper;
        if (reader.module()) {
            reader.unknownFields(root,
                                 {QStringLiteral("topic"), QStringLiteral("paper"),
                                  QStringLiteral("plan"), QStringLiteral("questions")},
                                 0, {});
            paper.topic = reader.number(root, "topic", 0, {}, 1, 10);
            paper.place = reader.number(root, "paper", 0, {}, 1, 5);
            // A teacher's plan is a note for the teacher, never checked.
            paper.plan = reader.scalar(root, "plan", 0, {}, false).trimmed();
            if (paper.topic > 0 && paper.place > 0)
                paper.paper = 100 + 5 * (paper.topic - 1) + paper.place;
        } else {
            reader.unknownFields(root,
                                 {QStringLiteral("paper"), QStringLiteral("topic"),
                                  QStringLiteral("year"), QStringLiteral("plan"),
                                  QStringLiteral("questions")},
                                 0, {});
            paper.paper = reader.number(root, "paper", 0, {}, 101, 150);
            paper.topic = reader.number(root, "topic", 0, {}, 1, 10);
            paper.year = reader.scalar(root, "year", 0, {}, true);
            paper.plan = reader.scalar(root, "plan", 0, {}, true).trimmed();
        }
        const YAML::Node questions = root["questions"];
        if (!questions || !questions.IsSequence() || questions.size() == 0)
            reader.error(lineOf(root), 0, QStringLiteral("questions"),
                         QStringLiteral("missing: a list of questions"));
        else
            for (std::size_t i = 0; i < questions.size(); ++i)
                paper.questions << reader.question(questions[i], int(i));
    } catch (const YAML::Exception& e) {
        reader.error(e.mark.line + 1, 0, {}, QString::fromStdString(e.msg));
    }
    result.errors = reader.errors;
    return result;
}

PaperRead readPaper(const QString& path, SourceKind kind) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        PaperRead result;
        result.paper.file = path;
        result.errors << locationPrefix(path, 0) +
                             QStringLiteral("cannot read: %1").arg(file.errorString());
        result.paper.kind = kind;
        return result;
    }
    return readPaperText(file.readAll(), path, kind);
}

QStringList Curriculum::statementsOfTopic(int topic) const {
    QStringList out;
    const QStringList topicAreas = areas.value(topic);
    for (const QString& id : ids) {
        const QString area = id.section(QLatin1Char('-'), 1, 1);
        if (topicAreas.contains(area))
            out << id;
    }
    return out;
}

Curriculum readCurriculum(const QString& path, QStringList* errors) {
    Curriculum curriculum;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *errors << locationPrefix(path, 0) +
                       QStringLiteral("cannot read: %1").arg(file.errorString());
        return curriculum;
    }
    try {
        const YAML::Node root = YAML::Load(file.readAll().toStdString());
        const YAML::Node topics = root["topics"];
        const YAML::Node statements = root["statements"];
        if (!topics || !topics.IsMap() || !statements || !statements.IsMap()) {
            *errors << locationPrefix(path, 0) +
                           QStringLiteral("needs the maps \"topics\" and \"statements\"");
            return curriculum;
        }
        for (auto it = topics.begin(); it != topics.end(); ++it) {
            QStringList areas;
            for (std::size_t i = 0; i < it->second.size(); ++i)
                areas << scalarText(it->second[i]);
            curriculum.areas.insert(scalarText(it->first).toInt(), areas);
        }
        for (auto it = statements.begin(); it != statements.end(); ++it) {
            const QString id = scalarText(it->first);
            curriculum.ids << id;
            curriculum.statements.insert(id, scalarText(it->second));
        }
    } catch (const YAML::Exception& e) {
        *errors << locationPrefix(path, e.mark.line + 1) +
                       QStringLiteral("not valid YAML: %1").arg(QString::fromStdString(e.msg));
    }
    return curriculum;
}

const QMap<QString, QStringList>& pictureTypes() {
    static const QMap<QString, QStringList> types = [] {
        const auto f = [](const char* fields) {
            return QString::fromLatin1(fields).split(QLatin1Char(' '));
        };
        QMap<QString, QStringList> t;
        t.insert(QStringLiteral("clock"), f("hour minute numerals"));
        t.insert(QStringLiteral("digital"), f("time"));
        t.insert(QStringLiteral("scale"), f("max label_step minor value unit"));
        t.insert(QStringLiteral("balance"), f("left right tilt"));
        t.insert(QStringLiteral("ruler"), f("length start end object mm"));
        t.insert(QStringLiteral("thermometer"), f("min max label_step minor value"));
        t.insert(QStringLiteral("jug"), f("max label_step minor value unit"));
        t.insert(QStringLiteral("money"), f("pieces"));
        t.insert(QStringLiteral("pricetags"), f("tags"));
        t.insert(QStringLiteral("pictogram"), f("title symbol key rows"));
        t.insert(QStringLiteral("tally"), f("title rows"));
        t.insert(QStringLiteral("barchart"), f("title axis step max bars"));
        t.insert(QStringLiteral("table"), f("header rows"));
        t.insert(QStringLiteral("timetable"), f("header rows"));
        t.insert(QStringLiteral("numberline"), f("from to step labels marks jumps"));
        t.insert(QStringLiteral("barmodel"), f("whole parts bars"));
        t.insert(QStringLiteral("placevalue"), f("columns digits counters"));
        t.insert(QStringLiteral("array"), f("rows columns object"));
        t.insert(QStringLiteral("objects"), f("groups ringed"));
        t.insert(QStringLiteral("calendar"), f("month year first_weekday days"));
        t.insert(QStringLiteral("grid"), f("columns rows shapes half_squares"));
        t.insert(QStringLiteral("shape"), f("points sides"));
        t.insert(QStringLiteral("fraction"), f("shape parts shaded rows columns"));
        t.insert(QStringLiteral("cubes"), f("heights"));
        t.insert(QStringLiteral("shapes2d"), f("shapes"));
        return t;
    }();
    return types;
}

} // namespace bank::source
