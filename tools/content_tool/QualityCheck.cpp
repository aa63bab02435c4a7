#include "QualityCheck.h"

#include "Vocabulary.h"
#include "core/AnswerChecking.h"
#include "core/Numbering.h"
#include "practice/MhtmlArchive.h"

#include <QHash>
#include <QLocale>
#include <QRectF>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

namespace {

const QString ChoiceNote = QStringLiteral("Write the number of your answer (1, 2, 3 or 4).");
constexpr int MostOfAKind = 4;
constexpr int LongestRun = 2;
constexpr int FewestForRamp = 4;

QString Attribute(const QString& tag, const QString& name) {
    const QRegularExpression re(
        QStringLiteral("\\s%1\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')").arg(name),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(tag);
    if (!m.hasMatch())
        return QString();
    return m.captured(1) + m.captured(2);
}

bool hasAttribute(const QString& tag, const QString& name) {
    const QRegularExpression re(QStringLiteral("\\s%1\\s*=").arg(name),
                                QRegularExpression::CaseInsensitiveOption);
    return re.match(tag).hasMatch();
}

// The page as a pupil reads it, each picture standing as its text alternative.
QString readText(const QString& html) {
    static const QRegularExpression img(QStringLiteral("<img\\b[^>]*>"),
                                        QRegularExpression::CaseInsensitiveOption);
    QString text;
    qsizetype last = 0;
    auto it = img.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        text += html.mid(last, m.capturedStart() - last);
        text += QStringLiteral(" [") + Attribute(m.captured(0), QStringLiteral("alt")) +
                QStringLiteral("] ");
        last = m.capturedEnd();
    }
    text += html.mid(last);
    return bank::vocab::visibleText(text);
}

QString fileNameOf(const QString& location) {
    return QUrl(location).fileName();
}

// A 2-D transform of translations and scalings only.
struct Transform {
    double sx = 1, sy = 1, tx = 0, ty = 0;
    bool usable = true;
    QPointF map(double x, double y) const { return {sx * x + tx, sy * y + ty}; }
    Transform then(const Transform& inner) const { // this applied after inner
        Transform t;
        t.sx = sx * inner.sx;
        t.sy = sy * inner.sy;
        t.tx = sx * inner.tx + tx;
        t.ty = sy * inner.ty + ty;
        t.usable = usable && inner.usable;
        return t;
    }
};

Transform parseTransform(const QString& text) {
    Transform total;
    static const QRegularExpression op(QStringLiteral("(\\w+)\\s*\\(([^)]*)\\)"));
    auto it = op.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        QList<double> v;
        for (const QString& n :
             m.captured(2).split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts))
            v << n.toDouble();
        Transform t;
        if (m.captured(1) == QLatin1String("translate") && !v.isEmpty()) {
            t.tx = v.at(0);
            t.ty = v.value(1);
        } else if (m.captured(1) == QLatin1String("scale") && !v.isEmpty()) {
            t.sx = v.at(0);
            t.sy = v.size() > 1 ? v.at(1) : v.at(0);
        } else {
            t.usable = false;
        }
        total = total.then(t);
    }
    return total;
}

double firstNumber(const QString& text, double fallback) {
    static const QRegularExpression number(QStringLiteral("-?[0-9]*\\.?[0-9]+"));
    const auto m = number.match(text);
    return m.hasMatch() ? m.captured(0).toDouble() : fallback;
}

} // namespace

QString QualityCheck::Figures::line() const {
    return QStringLiteral("paper %1: %2 questions, %3 kinds, at most %4 of a kind, at most %5 in "
                          "a row, difficulty %6")
        .arg(paper)
        .arg(questions)
        .arg(kinds)
        .arg(mostOfAKind)
        .arg(longestRun)
        .arg(difficulty, 0, 'f', 2);
}

int QualityCheck::minimumKinds(int questions) {
    if (questions >= 30)
        return 12;
    if (questions >= 20)
        return 9;
    if (questions >= 10)
        return 5;
    return std::min(3, questions);
}

double QualityCheck::questionDifficulty(const QString& text, const QList<Blank>& blanks) {
    static const QRegularExpression number(QStringLiteral("\\d+(?:\\.\\d+)?"));
    double largest = 0;
    auto it = number.globalMatch(text);
    while (it.hasNext())
        largest = std::max(largest, it.next().captured(0).toDouble());
    for (const Blank& b : blanks) {
        auto k = number.globalMatch(b.key);
        while (k.hasNext())
            largest = std::max(largest, k.next().captured(0).toDouble());
    }
    return std::log10(1 + largest);
}

QStringList QualityCheck::checkAlts(const QString& html) {
    static const QRegularExpression img(QStringLiteral("<img\\b[^>]*>"),
                                        QRegularExpression::CaseInsensitiveOption);
    QStringList problems;
    auto it = img.globalMatch(html);
    while (it.hasNext()) {
        const QString tag = it.next().captured(0);
        const QString src = Attribute(tag, QStringLiteral("src"));
        if (!hasAttribute(tag, QStringLiteral("alt")) ||
            Attribute(tag, QStringLiteral("alt")).trimmed().isEmpty())
            problems << QStringLiteral("picture \"%1\" has no text alternative (alt)").arg(src);
    }
    return problems;
}

QStringList QualityCheck::checkLabels(const QByteArray& svg) {
    struct Label {
        QString text;
        QRectF box;
    };
    struct Frame {
        Transform transform;
        double fontSize;
        QString anchor;
        QString baseline;
        bool bold;
    };
    QList<Label> labels;
    QRectF picture;
    QList<Frame> stack{{Transform(), 16, QStringLiteral("start"), QString(), false}};
    QXmlStreamReader xml(svg);
    int depthInText = 0;
    QString text;
    Frame textFrame;
    double tx = 0, ty = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const auto a = xml.attributes();
            Frame f = stack.last();
            if (a.hasAttribute(QLatin1String("transform")))
                f.transform = f.transform.then(
                    parseTransform(a.value(QLatin1String("transform")).toString()));
            if (a.hasAttribute(QLatin1String("font-size")))
                f.fontSize =
                    firstNumber(a.value(QLatin1String("font-size")).toString(), f.fontSize);
            if (a.hasAttribute(QLatin1String("text-anchor")))
                f.anchor = a.value(QLatin1String("text-anchor")).toString();
            if (a.hasAttribute(QLatin1String("dominant-baseline")))
                f.baseline = a.value(QLatin1String("dominant-baseline")).toString();
            if (a.hasAttribute(QLatin1String("font-weight")))
                f.bold = a.value(QLatin1String("font-weight")) == QLatin1String("bold");
            if (xml.name() == QLatin1String("svg") && picture.isNull()) {
                const QStringList box =
                    a.value(QLatin1String("viewBox"))
                        .toString()
                        .split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
                if (box.size() == 4)
                    picture = QRectF(box[0].toDouble(), box[1].toDouble(), box[2].toDouble(),
                                     box[3].toDouble());
                else
                    picture =
                        QRectF(0, 0, firstNumber(a.value(QLatin1String("width")).toString(), 0),
                               firstNumber(a.value(QLatin1String("height")).toString(), 0));
            }
            if (xml.name() == QLatin1String("text") && depthInText == 0) {
                text.clear();
                textFrame = f;
                tx = firstNumber(a.value(QLatin1String("x")).toString(), 0);
                ty = firstNumber(a.value(QLatin1String("y")).toString(), 0);
            }
            if (xml.name() == QLatin1String("text") || depthInText > 0)
                ++depthInText;
            stack << f;
        } else if (token == QXmlStreamReader::Characters && depthInText > 0) {
            text += xml.text();
        } else if (token == QXmlStreamReader::EndElement) {
            stack.removeLast();
            if (depthInText > 0 && --depthInText == 0) {
                const QString label = text.trimmed();
                if (label.isEmpty() || !textFrame.transform.usable)
                    continue;
                const double size = textFrame.fontSize;
                const double width = size * (textFrame.bold ? 0.62 : 0.58) * label.size();
                double left = tx;
                if (textFrame.anchor == QLatin1String("middle"))
                    left -= width / 2;
                else if (textFrame.anchor == QLatin1String("end"))
                    left -= width;
                const bool centred = textFrame.baseline == QLatin1String("middle") ||
                                     textFrame.baseline == QLatin1String("central");
                const double top = centred ? ty - 0.5 * size : ty - 0.72 * size;
                const double bottom = centred ? ty + 0.5 * size : ty + 0.2 * size;
                const QPointF p1 = textFrame.transform.map(left, top);
                const QPointF p2 = textFrame.transform.map(left + width, bottom);
                labels << Label{label, QRectF(p1, p2).normalized()};
            }
        }
    }
    QStringList problems;
    if (xml.hasError())
        return {QStringLiteral("the picture is not well-formed: %1").arg(xml.errorString())};
    const double slack = 1.0;
    for (int i = 0; i < labels.size(); ++i) {
        const QRectF& b = labels.at(i).box;
        if (!picture.isEmpty() &&
            (b.left() < picture.left() - slack || b.right() > picture.right() + slack ||
             b.top() < picture.top() - slack || b.bottom() > picture.bottom() + slack))
            problems << QStringLiteral("label \"%1\" leaves the picture").arg(labels.at(i).text);
        for (int j = i + 1; j < labels.size(); ++j) {
            const QRectF overlap = b.intersected(labels.at(j).box);
            if (overlap.width() > slack && overlap.height() > slack)
                problems << QStringLiteral("labels \"%1\" and \"%2\" overlap")
                                .arg(labels.at(i).text, labels.at(j).text);
        }
    }
    return problems;
}

QStringList QualityCheck::checkWorking(const QString& html, const QList<Blank>& blanks) {
    QStringList problems;
    static const QRegularExpression section(
        QStringLiteral("<section class=\"working\">(.*)</section>"),
        QRegularExpression::DotMatchesEverythingOption);
    const auto s = section.match(html);
    if (!s.hasMatch())
        return {QStringLiteral("the working has no <section class=\"working\">")};
    const QString body = s.captured(1);
    static const QRegularExpression step(QStringLiteral("<p class=\"step\">"));
    if (!step.match(body).hasMatch())
        problems << QStringLiteral("the working has no steps");
    static const QRegularExpression answer(
        QStringLiteral("<p class=\"answer\" data-blank=\"(\\d+)\">(.*?)</p>"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression key(QStringLiteral("<b class=\"key\">(.*?)</b>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    QStringList answers(blanks.size());
    QList<bool> found(blanks.size(), false);
    int order = 0;
    auto it = answer.globalMatch(body);
    while (it.hasNext()) {
        const auto m = it.next();
        const int n = m.captured(1).toInt();
        ++order;
        if (n != order || n < 1 || n > blanks.size()) {
            problems << QStringLiteral("answer paragraph %1 is out of blank order").arg(n);
            continue;
        }
        const auto k = key.match(m.captured(2));
        if (!k.hasMatch()) {
            problems << QStringLiteral("the answer of blank %1 has no <b class=\"key\">").arg(n);
            continue;
        }
        answers[n - 1] = bank::vocab::visibleText(k.captured(1));
        found[n - 1] = true;
    }
    QStringList keys;
    QList<AnswerKind> kinds;
    for (const Blank& b : blanks) {
        keys << b.key;
        kinds << parseAnswerKind(b.kind);
    }
    for (int i = 0; i < blanks.size(); ++i) {
        if (!found.at(i)) {
            problems << QStringLiteral("the working gives no answer for blank %1").arg(i + 1);
            continue;
        }
        if (markBlank(answers, keys, kinds, i, QLocale::c()) != ResultMark::Correct)
            problems << QStringLiteral("the working's answer \"%1\" for blank %2 is not right "
                                       "for its key \"%3\"")
                            .arg(answers.at(i))
                            .arg(i + 1)
                            .arg(keys.at(i));
        else if (kinds.at(i) == AnswerKind::M &&
                 answers.at(i) != keyAlternatives(keys.at(i)).value(0))
            problems << QStringLiteral("the working's answer \"%1\" for blank %2 is not the key's "
                                       "first spelling")
                            .arg(answers.at(i))
                            .arg(i + 1);
    }
    return problems;
}

QualityCheck::Result QualityCheck::run(const QList<QPair<int, QList<Item>>>& papers) {
    Result result;
    const auto problem = [&](const QString& who, const QString& text) {
        result.problems.append({who, text});
    };
    QHash<QString, QString> texts; // whole-bank text -> first question id
    QHash<int, double> difficulties;
    for (const auto& [paper, items] : papers) {
        Figures figures;
        figures.paper = paper;
        figures.questions = int(items.size());
        QHash<QString, int> kindCount;
        QString lastKind;
        int run = 0;
        double difficulty = 0;
        int blanks = 0, marks = 0;
        for (const Item& item : items) {
            MhtmlArchive archive;
            if (!archive.parse(item.archive))
                continue; // the archive check reports it
            const QString page = archive.rootHtml();
            const QString text = readText(page);
            for (const QString& p : checkAlts(page))
                problem(item.id, p);
            for (const MhtmlPart& part : archive.parts()) {
                if (part.mimeType != "image/svg+xml")
                    continue;
                for (const QString& p : checkLabels(part.body))
                    problem(item.id, QStringLiteral("%1: %2").arg(fileNameOf(part.location), p));
            }
            if (!archive.hasWorking()) {
                problem(item.id, QStringLiteral("no working"));
            } else {
                const QString html = archive.workingHtml();
                for (const QString& p : checkAlts(html))
                    problem(item.id, QStringLiteral("working: ") + p);
                for (const QString& p : checkWorking(html, item.blanks))
                    problem(item.id, p);
            }
            bool choice = false;
            for (const Blank& b : item.blanks) {
                choice = choice || parseAnswerKind(b.kind) == AnswerKind::Q;
                marks += b.mark;
            }
            blanks += int(item.blanks.size());
            if (choice && text.count(ChoiceNote) != 1)
                problem(item.id, QStringLiteral("a multiple-choice question must say \"%1\" once")
                                     .arg(ChoiceNote));
            if (texts.contains(text))
                problem(item.id,
                        QStringLiteral("the same text as question %1").arg(texts.value(text)));
            else
                texts.insert(text, item.id);

            const QString kind = bank::vocab::kindOf(text);
            const int count = ++kindCount[kind];
            figures.mostOfAKind = std::max(figures.mostOfAKind, count);
            run = kind == lastKind ? run + 1 : 1;
            lastKind = kind;
            figures.longestRun = std::max(figures.longestRun, run);
            if (count == MostOfAKind + 1)
                problem(QStringLiteral("paper %1").arg(paper),
                        QStringLiteral("more than %1 questions of the kind \"%2\" (e.g. %3)")
                            .arg(MostOfAKind)
                            .arg(kind.left(90), item.id));
            if (run == LongestRun + 1)
                problem(QStringLiteral("paper %1").arg(paper),
                        QStringLiteral("more than %1 questions in a row of the kind \"%2\" (up to "
                                       "%3)")
                            .arg(LongestRun)
                            .arg(kind.left(90), item.id));
            difficulty += questionDifficulty(bank::vocab::visibleText(page), item.blanks);
        }
        figures.kinds = int(kindCount.size());
        if (!items.isEmpty() && blanks > 0)
            figures.difficulty = difficulty / items.size() + double(marks) / blanks;
        if (figures.kinds < minimumKinds(figures.questions))
            problem(QStringLiteral("paper %1").arg(paper),
                    QStringLiteral("%1 kinds of question in %2; at least %3")
                        .arg(figures.kinds)
                        .arg(figures.questions)
                        .arg(minimumKinds(figures.questions)));
        // Compared as printed: a paper must not read easier than the one before it.
        double rounded = std::round(figures.difficulty * 100) / 100;
        // A paper of a few questions makes no figure to compare.
        if (figures.questions < FewestForRamp)
            rounded = -1;
        if (rounded >= 0 && Numbering::paperInTopic(paper) != 1 &&
            difficulties.value(paper - 1, -1) >= 0 && rounded < difficulties.value(paper - 1))
            problem(QStringLiteral("paper %1").arg(paper),
                    QStringLiteral("difficulty %1 is below paper %2's %3")
                        .arg(rounded, 0, 'f', 2)
                        .arg(paper - 1)
                        .arg(difficulties.value(paper - 1), 0, 'f', 2));
        difficulties.insert(paper, rounded);
        result.figures << figures;
    }
    return result;
}
