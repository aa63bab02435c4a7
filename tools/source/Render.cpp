#include "Render.h"

#include "Markup.h"
#include "Pictures.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QIODevice>
#include <QSet>

namespace bank::source {

namespace {

QString fileOf(const QString& name) {
    return name + QStringLiteral(".svg");
}

class QuestionRenderer {
public:
    QuestionRenderer(const SourceQuestion& q, const QString& file, QStringList* errors)
        : m_q(q), m_file(file), m_errors(errors) {}

    bank::Question render() {
        bank::Question out;
        for (const QVariantMap& p : m_q.pictures) {
            if (m_drawn.contains(pictureName(p))) {
                error(QStringLiteral("pictures"),
                      QStringLiteral("two pictures are named \"%1\"").arg(pictureName(p)));
                continue;
            }
            m_drawn.insert(pictureName(p), draw(p, QStringLiteral("pictures")));
        }
        const bool several = m_q.blanks.size() > 1;
        BoxCounter boxes;
        boxes.label = several;
        const auto picture = [&](const QString& name) { return questionImg(name); };
        out.html = blockHtml(m_q.text, &boxes, picture);
        // A picture the text does not place stands after it.
        for (const QVariantMap& p : m_q.pictures) {
            if (!m_shown.contains(pictureName(p)))
                out.html += questionImg(pictureName(p)) + QLatin1Char('\n');
        }
        if (!m_q.parts.isEmpty())
            out.html += partsHtml(&boxes);
        if (!m_q.options.isEmpty()) {
            QStringList options;
            for (const QString& o : m_q.options)
                options << inlineHtml(o, nullptr);
            out.html += html::Options(options);
        }
        if (!m_q.note.isEmpty())
            out.html += QStringLiteral("<p class=\"note\">") + inlineHtml(m_q.note, nullptr) +
                        QStringLiteral("</p>\n");
        if (!m_q.options.isEmpty())
            out.html += QStringLiteral("<p class=\"note\">") + choiceNote().toHtmlEscaped() +
                        QStringLiteral("</p>\n");
        for (const QVariantMap& p : m_q.pictures) {
            const QString name = pictureName(p);
            out.pictures << bank::Picture{fileOf(name), QStringLiteral("image/svg+xml"),
                                          m_drawn.value(name)};
        }

        for (const SourceBlank& b : m_q.blanks)
            out.blanks << bank::Blank{b.key, b.kind, b.mark};
        out.working.steps = workingSteps(&out.working.pictures);
        out.working.answers = bank::answersOf(out.blanks);
        out.working.units = m_q.units;
        return out;
    }

private:
    void error(const QString& field, const QString& text) {
        *m_errors << locationPrefix(m_file, m_q.line, m_q.id, field) + text;
    }

    QByteArray draw(const QVariantMap& picture, const QString& field) {
        const bank::pictures::Drawn drawn = bank::pictures::drawPicture(picture);
        // The library's message names the picture and the field.
        if (!drawn.error.isEmpty())
            error(field, drawn.error);
        else if (drawn.svg.isEmpty())
            error(field, QStringLiteral("picture \"%1\": nothing drawn").arg(pictureName(picture)));
        return drawn.svg;
    }

    const QVariantMap* questionPicture(const QString& name) const {
        for (const QVariantMap& p : m_q.pictures) {
            if (pictureName(p) == name)
                return &p;
        }
        return nullptr;
    }

    QString questionImg(const QString& name) {
        const QVariantMap* p = questionPicture(name);
        if (!p) {
            error(QStringLiteral("text"),
                  QStringLiteral("[pic %1]: no picture of that name").arg(name));
            return {};
        }
        m_shown.insert(name);
        return html::Img(fileOf(name), p->value(QStringLiteral("alt")).toString());
    }

    QString partsHtml(BoxCounter* boxes) {
        QString out = QStringLiteral("<table class=\"parts\">\n");
        for (const QString& part : m_q.parts) {
            if (!pictureRefs(part).isEmpty())
                error(QStringLiteral("parts"),
                      QStringLiteral("a part cannot show a picture: put it in the text"));
            const int inPart = countBoxes(part);
            const QString label = html::partLabel(boxes->next);
            // A part of one blank is labelled by its row; a part of several
            // labels each of its boxes.
            BoxCounter partBoxes = *boxes;
            partBoxes.label = inPart > 1;
            const QString cell = inlineHtml(part, &partBoxes);
            boxes->next = inPart == 0 ? boxes->next + 1 : partBoxes.next;
            out += QStringLiteral("<tr><td class=\"label\">%1</td><td>%2</td></tr>\n")
                       .arg(label, cell);
        }
        return out + QStringLiteral("</table>\n");
    }

    QStringList workingSteps(QList<bank::Picture>* pictures) {
        QStringList steps;
        QHash<QString, QByteArray> working; // name -> drawing
        for (const SourceStep& step : m_q.working) {
            if (!step.isPicture())
                continue;
            const QString name = pictureName(step.picture);
            if (m_drawn.contains(name) || working.contains(name)) {
                error(QStringLiteral("working"),
                      QStringLiteral("picture \"%1\": the name is taken").arg(name));
                continue;
            }
            working.insert(name, draw(step.picture, QStringLiteral("working")));
        }
        QSet<QString> carried;
        const auto carry = [&](const QString& file, const QByteArray& svg) {
            if (carried.contains(file))
                return;
            carried.insert(file);
            *pictures << bank::Picture{file, QStringLiteral("image/svg+xml"), svg};
        };
        for (const SourceStep& step : m_q.working) {
            if (step.isPicture()) {
                const QString name = pictureName(step.picture);
                carry(fileOf(name), working.value(name));
                steps << html::Img(fileOf(name),
                                   step.picture.value(QStringLiteral("alt")).toString());
                continue;
            }
            QString html;
            QString rest = step.text;
            for (const QString& name : pictureRefs(step.text)) {
                const QString token = QStringLiteral("[pic %1]").arg(name);
                const qsizetype at = rest.indexOf(token);
                html += inlineHtml(rest.left(at), nullptr);
                rest = rest.mid(at + token.size());
                if (working.contains(name)) {
                    html +=
                        html::Img(fileOf(name),
                                  findPicture(m_q, name)->value(QStringLiteral("alt")).toString());
                } else if (const QVariantMap* p = questionPicture(name)) {
                    // The working is a page of its own: it carries a copy.
                    const QString copy = name + QStringLiteral("-again");
                    carry(fileOf(copy), m_drawn.value(name));
                    html += html::Img(fileOf(copy), p->value(QStringLiteral("alt")).toString());
                } else {
                    error(QStringLiteral("working"),
                          QStringLiteral("[pic %1]: no picture of that name").arg(name));
                }
            }
            html += inlineHtml(rest, nullptr);
            steps << html;
        }
        return steps;
    }

    const SourceQuestion& m_q;
    const QString& m_file;
    QStringList* m_errors;
    QHash<QString, QByteArray> m_drawn;
    QSet<QString> m_shown;
};

} // namespace

QByteArray paperDigest(const SourcePaper& paper) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    for (const SourceQuestion& q : paper.questions) {
        stream << q.id << q.text << q.note << q.parts << q.options;
        for (QVariantMap picture : q.pictures) {
            picture.remove(QStringLiteral("alt"));
            stream << picture;
        }
        for (const SourceBlank& b : q.blanks)
            stream << b.key << b.kind << b.mark;
    }
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

QString pictureName(const QVariantMap& picture) {
    return picture.value(QStringLiteral("name")).toString();
}

QString choiceNote() {
    return QStringLiteral("Write the number of your answer (1, 2, 3 or 4).");
}

const QVariantMap* findPicture(const SourceQuestion& question, const QString& name) {
    for (const QVariantMap& p : question.pictures) {
        if (pictureName(p) == name)
            return &p;
    }
    for (const SourceStep& s : question.working) {
        if (s.isPicture() && pictureName(s.picture) == name)
            return &s.picture;
    }
    return nullptr;
}

int boxesOf(const SourceQuestion& question) {
    int boxes = countBoxes(question.text);
    for (const QString& part : question.parts)
        boxes += std::max(1, countBoxes(part));
    if (!question.options.isEmpty())
        boxes += 1;
    return boxes == 0 ? -1 : boxes;
}

bank::Question renderQuestion(const SourceQuestion& question, const QString& file,
                              QStringList* errors) {
    return QuestionRenderer(question, file, errors).render();
}

QList<bank::Question> renderPaper(const SourcePaper& paper, QStringList* errors) {
    QList<bank::Question> questions;
    for (const SourceQuestion& q : paper.questions)
        questions << renderQuestion(q, paper.file, errors);
    return questions;
}

} // namespace bank::source
