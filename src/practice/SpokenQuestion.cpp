#include "practice/SpokenQuestion.h"

#include "core/NumberWords.h"
#include "practice/HtmlText.h"
#include "practice/MhtmlArchive.h"

#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <optional>

namespace {

constexpr auto Caseless = QRegularExpression::CaseInsensitiveOption;
constexpr auto AcrossLines = QRegularExpression::DotMatchesEverythingOption;

// --- Numbers in words, for fractions ------------------------------------

// "third", "quarter", "twenty-fifth", "hundredth" (d >= 3).
QString ordinal(int d) {
    if (d == 4)
        return QStringLiteral("quarter");
    QString words = numberWords(d);
    if (words.endsWith(QLatin1String(" hundred")))
        return words + QStringLiteral("th");
    static const QList<QPair<QString, QString>> endings{
        {QStringLiteral("one"), QStringLiteral("first")},
        {QStringLiteral("two"), QStringLiteral("second")},
        {QStringLiteral("three"), QStringLiteral("third")},
        {QStringLiteral("five"), QStringLiteral("fifth")},
        {QStringLiteral("eight"), QStringLiteral("eighth")},
        {QStringLiteral("nine"), QStringLiteral("ninth")},
        {QStringLiteral("twelve"), QStringLiteral("twelfth")},
    };
    for (const auto& [cardinalEnd, ordinalEnd] : endings) {
        if (words.endsWith(cardinalEnd))
            return words.left(words.size() - cardinalEnd.size()) + ordinalEnd;
    }
    if (words.endsWith(QLatin1Char('y')))
        return words.left(words.size() - 1) + QStringLiteral("ieth");
    return words + QStringLiteral("th");
}

// "a half", "three quarters", "two fifths"; "25 over 1200" past what a
// pupil meets.
QString fractionWords(const QString& numText, const QString& denText) {
    bool okN = false;
    bool okD = false;
    const int n = numText.toInt(&okN);
    const int d = denText.toInt(&okD);
    if (!okN || !okD || n < 0 || n > 999 || d < 2 || d > 100)
        return numText + QStringLiteral(" over ") + denText;
    if (d == 2)
        return n == 1 ? QStringLiteral("a half") : numberWords(n) + QStringLiteral(" halves");
    if (n == 1)
        return d == 4 ? QStringLiteral("a quarter") : QStringLiteral("one ") + ordinal(d);
    return numberWords(n) + QLatin1Char(' ') + ordinal(d) + QLatin1Char('s');
}

// --- Maths in a line of text as said ------------------------------------

using Replacer = QString (*)(const QRegularExpressionMatch&);

QString replaceAll(const QString& text, const QRegularExpression& pattern, Replacer replace) {
    QString out;
    qsizetype last = 0;
    for (auto it = pattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).mid(last, m.capturedStart() - last);
        out += replace(m);
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

// Leading zeros are not said: "05" is 5.
QString number(const QString& digits) {
    bool ok = false;
    const int n = digits.toInt(&ok);
    return ok ? QString::number(n) : digits;
}

QString pounds(const QString& whole) {
    return number(whole) + (number(whole) == QLatin1String("1") ? QStringLiteral(" pound")
                                                                : QStringLiteral(" pounds"));
}

QString money(const QRegularExpressionMatch& m) {
    const QString whole = m.captured(1);
    const QString pence = m.captured(2);
    if (pence.isEmpty() || pence == QLatin1String("00"))
        return pounds(whole);
    if (number(whole) == QLatin1String("0"))
        return number(pence) + QStringLiteral(" p");
    return pounds(whole) +
           (pence.startsWith(QLatin1Char('0')) ? QStringLiteral(" oh ") : QStringLiteral(" ")) +
           number(pence);
}

// The minutes of a clock time: "30", "oh 5"; nothing for "00" (the hour
// alone, or "o'clock").
QString minutes(const QString& mm) {
    if (mm == QLatin1String("00"))
        return {};
    if (mm.startsWith(QLatin1Char('0')))
        return QStringLiteral(" oh ") + mm.mid(1);
    return QLatin1Char(' ') + mm;
}

QString meridiem(const QString& written) {
    return written.startsWith(QLatin1Char('a'), Qt::CaseInsensitive) ? QStringLiteral("a m")
                                                                     : QStringLiteral("p m");
}

QString twelveHourTime(const QRegularExpressionMatch& m) {
    return number(m.captured(1)) + minutes(m.captured(2)) + QLatin1Char(' ') +
           meridiem(m.captured(3));
}

// "19:15" is "19 15", "07:15" "oh 7 15", "17:00" "17 hundred".
QString clockTime(const QRegularExpressionMatch& m) {
    const QString hh = m.captured(1);
    const QString mm = m.captured(2);
    QString hour = hh.size() == 2 && hh.startsWith(QLatin1Char('0'))
                       ? (hh == QLatin1String("00") ? QStringLiteral("zero zero")
                                                    : QStringLiteral("oh ") + hh.mid(1))
                       : hh;
    if (mm == QLatin1String("00"))
        return hour + (hh.size() == 2 ? QStringLiteral(" hundred") : QStringLiteral(" o'clock"));
    return hour + minutes(mm);
}

// A time written with a dot after a word that leads into one ("at 3.30",
// "from 10.05", "like 4.15").
QString dottedTime(const QRegularExpressionMatch& m) {
    const QString mm = m.captured(3);
    return m.captured(1) + number(m.captured(2)) +
           (mm == QLatin1String("00") ? QStringLiteral(" o'clock") : minutes(mm));
}

QString decimal(const QRegularExpressionMatch& m) {
    QStringList digits;
    for (QChar c : m.captured(2))
        digits << QString(c);
    return m.captured(1) + QStringLiteral(" point ") + digits.join(QLatin1Char(' '));
}

QString mixedNumber(const QRegularExpressionMatch& m) {
    return m.captured(1) + QStringLiteral(" and ") + fractionWords(m.captured(2), m.captured(3));
}

QString fraction(const QRegularExpressionMatch& m) {
    return fractionWords(m.captured(1), m.captured(2));
}

QString unit(const QRegularExpressionMatch& m) {
    static const QHash<QString, QString> names{
        {QStringLiteral("mm"), QStringLiteral("millimetre")},
        {QStringLiteral("cm"), QStringLiteral("centimetre")},
        {QStringLiteral("m"), QStringLiteral("metre")},
        {QStringLiteral("km"), QStringLiteral("kilometre")},
        {QStringLiteral("g"), QStringLiteral("gram")},
        {QStringLiteral("kg"), QStringLiteral("kilogram")},
        {QStringLiteral("ml"), QStringLiteral("millilitre")},
        {QStringLiteral("l"), QStringLiteral("litre")},
    };
    const QString n = m.captured(1);
    const QString name = names.value(m.captured(2));
    return n + QLatin1Char(' ') + name +
           (n == QLatin1String("1") ? QString() : QStringLiteral("s"));
}

QString partLetter(const QRegularExpressionMatch& m) {
    return QStringLiteral("part ") + m.captured(1);
}

constexpr char16_t Minus = u'\u2212';

// A line of text with its money, times, fractions, units and signs in words.
// In a number sentence (one with "=") a minus sign is "minus", elsewhere
// "take away".
QString sayMaths(QString text) {
    static const QRegularExpression blank(QStringLiteral("_{3,}"));
    text.replace(blank, QStringLiteral(" box "));

    // Money first: its dot is no decimal point and no time.
    static const QRegularExpression poundsBox(QStringLiteral("\u00a3\\s*box\\b"));
    text.replace(poundsBox, QStringLiteral("box pounds"));
    static const QRegularExpression poundsAmount(
        QStringLiteral("\u00a3\\s?(\\d+)(?:\\.(\\d\\d))?(?![\\d.]*\\d)"));
    text = replaceAll(text, poundsAmount, money);
    static const QRegularExpression euroAmount(QStringLiteral("\u20ac\\s?(\\d+)\\b"));
    text.replace(euroAmount, QStringLiteral("\\1 euros"));
    text.replace(QChar(u'\u00a3'), QStringLiteral(" pounds "));
    text.replace(QChar(u'\u20ac'), QStringLiteral(" euro "));
    // "a 2 pound coin", "a 50 pound note"
    static const QRegularExpression coin(QStringLiteral("\\bpounds (coins?|notes?)\\b"));
    text.replace(coin, QStringLiteral("pound \\1"));
    static const QRegularExpression pence(QStringLiteral("\\b(\\d+)p\\b"));
    text.replace(pence, QStringLiteral("\\1 p"));

    // Times: with am or pm, on a 24-hour clock, after a word that leads
    // into one, and noon and midnight.
    static const QRegularExpression noon(
        QStringLiteral("\\b(1[0-2]|0?[1-9])[.:]00\\s+(noon|midnight)\\b"), Caseless);
    text.replace(noon, QStringLiteral("\\1 \\2"));
    static const QRegularExpression withMeridiem(
        QStringLiteral("\\b(1[0-2]|0?[1-9])[.:]([0-5]\\d)\\s*(am|pm|a\\.m\\.|p\\.m\\.)(?![a-z])"),
        Caseless);
    text = replaceAll(text, withMeridiem, twelveHourTime);
    static const QRegularExpression hourMeridiem(
        QStringLiteral("\\b(1[0-2]|0?[1-9])\\s*(am|pm)\\b"), Caseless);
    text.replace(hourMeridiem, QStringLiteral("\\1 \\2"));
    static const QRegularExpression bareMeridiem(QStringLiteral("\\b(a|p)m\\b"), Caseless);
    text.replace(bareMeridiem, QStringLiteral("\\1 m"));
    static const QRegularExpression twentyFour(
        QStringLiteral("(?<![\\d.:])([01]?\\d|2[0-3]):([0-5]\\d)(?![\\d:])"));
    text = replaceAll(text, twentyFour, clockTime);
    static const QRegularExpression afterTimeWord(
        QStringLiteral("\\b((?:at|from|to|until|till|like|or|and|between|by|after|before)\\s+)"
                       "(1[0-2]|0?\\d|1[3-9]|2[0-3])\\.([0-5]\\d)(?!\\d|\\.\\d)"
                       "(?!\\s*(?:mm|cm|m|km|g|kg|ml|l)\\b)"),
        Caseless);
    text = replaceAll(text, afterTimeWord, dottedTime);

    static const QRegularExpression decimalNumber(QStringLiteral("(?<![\\d.])(\\d+)\\.(\\d+)\\b"));
    text = replaceAll(text, decimalNumber, decimal);

    text.replace(QChar(u'\u00bd'), QStringLiteral(" 1/2 "));
    text.replace(QChar(u'\u00bc'), QStringLiteral(" 1/4 "));
    text.replace(QChar(u'\u00be'), QStringLiteral(" 3/4 "));
    // Fractions set side by side are a list.
    static const QRegularExpression fractionList(QStringLiteral("(\\d+/\\d+)\\s+(?=\\d+/\\d+)"));
    text.replace(fractionList, QStringLiteral("\\1, "));
    static const QRegularExpression mixed(
        QStringLiteral("(?<![\\d/])(\\d+)\\s+(\\d+)\\s*/\\s*(\\d+)(?![\\d/])"));
    text = replaceAll(text, mixed, mixedNumber);
    static const QRegularExpression simpleFraction(
        QStringLiteral("(?<![\\d/])(\\d+)\\s*/\\s*(\\d+)(?![\\d/])"));
    text = replaceAll(text, simpleFraction, fraction);

    static const QRegularExpression degrees(QStringLiteral("\\s*\u00b0\\s*[CF]?\\b|\\s*\u00b0"));
    text.replace(degrees, QStringLiteral(" degrees"));
    static const QRegularExpression units(
        QStringLiteral("\\b(\\d+|box)\\s*(mm|cm|km|kg|ml|m|g|l)\\b"));
    text = replaceAll(text, units, unit);

    // Signs. A minus sign straight before a number that follows no number
    // is a negative number.
    const bool numberSentence = text.contains(QLatin1Char('='));
    static const QRegularExpression negative(QStringLiteral("(^|[\\s(])\u2212(?=\\d)"));
    text.replace(negative, QStringLiteral("\\1minus "));
    text.replace(QChar(Minus),
                 numberSentence ? QStringLiteral(" minus ") : QStringLiteral(" take away "));
    static const QRegularExpression hyphenMinus(QStringLiteral("(?<=[\\dx])\\s+-\\s+(?=[\\db])"));
    text.replace(hyphenMinus,
                 numberSentence ? QStringLiteral(" minus ") : QStringLiteral(" take away "));
    text.replace(QChar(u'\u00d7'), QStringLiteral(" times "));
    text.replace(QChar(u'\u00f7'), QStringLiteral(" divided by "));
    text.replace(QLatin1Char('='), QStringLiteral(" equals "));
    text.replace(QLatin1Char('+'), QStringLiteral(" plus "));
    text.replace(QLatin1Char('<'), QStringLiteral(" is less than "));
    text.replace(QLatin1Char('>'), QStringLiteral(" is more than "));
    text.replace(QLatin1Char('%'), QStringLiteral(" per cent"));

    static const QRegularExpression leadingLetter(QStringLiteral("^\\s*\\(([a-t])\\)\\s*"));
    text.replace(leadingLetter, QStringLiteral("Part \\1. "));
    static const QRegularExpression letter(QStringLiteral("\\(([a-t])\\)"));
    text = replaceAll(text, letter, partLetter);

    text = text.simplified();
    static const QRegularExpression spaceBeforeStop(QStringLiteral("\\s+([.,:;?!])"));
    text.replace(spaceBeforeStop, QStringLiteral("\\1"));
    return text;
}

// --- The page, element by element ---------------------------------------

enum class TableKind { Plain, Parts, Options, Column, Grid };

constexpr qsizetype MaxDepth = 64;

struct Element {
    QString tag;
    QStringList classes;
    TableKind table = TableKind::Plain; // for a table
    qsizetype cellStart = -1;           // for a cell: where its text starts in the line
    bool labelCell = false;             // the "(a)" of a part
    bool numberCell = false;            // the "1" of an option
};

bool isBlock(const QString& tag) {
    static const QSet<QString> blocks{
        QStringLiteral("p"),       QStringLiteral("div"),        QStringLiteral("section"),
        QStringLiteral("article"), QStringLiteral("h1"),         QStringLiteral("h2"),
        QStringLiteral("h3"),      QStringLiteral("h4"),         QStringLiteral("h5"),
        QStringLiteral("h6"),      QStringLiteral("li"),         QStringLiteral("ul"),
        QStringLiteral("ol"),      QStringLiteral("blockquote"), QStringLiteral("table"),
        QStringLiteral("caption"), QStringLiteral("dt"),         QStringLiteral("dd"),
        QStringLiteral("figure"),  QStringLiteral("figcaption"), QStringLiteral("pre"),
        QStringLiteral("header"),  QStringLiteral("footer"),     QStringLiteral("main")};
    return blocks.contains(tag);
}

bool isVoid(const QString& tag) {
    static const QSet<QString> voids{QStringLiteral("img"),  QStringLiteral("br"),
                                     QStringLiteral("hr"),   QStringLiteral("meta"),
                                     QStringLiteral("link"), QStringLiteral("input"),
                                     QStringLiteral("wbr"),  QStringLiteral("col"),
                                     QStringLiteral("area"), QStringLiteral("source")};
    return voids.contains(tag);
}

// The value of the attribute class or alt; none when the tag has no such
// attribute.
enum class Attribute { Class, Alt };
std::optional<QString> attribute(const QString& attributes, Attribute which) {
    static const QString Value =
        QStringLiteral("(?:\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s\"'>]+)))?(?=\\s|/|$)");
    static const QRegularExpression classPattern(QStringLiteral("(?:^|\\s)class") + Value,
                                                 Caseless);
    static const QRegularExpression altPattern(QStringLiteral("(?:^|\\s)alt") + Value, Caseless);
    const QRegularExpressionMatch m =
        (which == Attribute::Class ? classPattern : altPattern).match(attributes);
    if (!m.hasMatch())
        return std::nullopt;
    QString value;
    for (int g = 1; g <= 3; ++g)
        value += m.captured(g);
    return HtmlText::decodeEntities(value);
}

class PageReader {
public:
    QStringList read(const QString& html);

private:
    void openTag(const QString& tag, const QString& attributes);
    void closeTag(const QString& tag);
    void closeElement(const Element& element);
    void text(const QString& words);
    void flush();
    void say(const QString& block);
    TableKind table() const;
    bool inFraction() const { return m_fractionDepth >= 0; }

    QStringList m_blocks;
    QString m_line;
    QList<Element> m_open;
    int m_fractionDepth = -1;
    int m_fractionPart = 0; // 1 numerator, 2 denominator
    QString m_numerator;
    QString m_denominator;
};

TableKind PageReader::table() const {
    for (auto it = m_open.crbegin(); it != m_open.crend(); ++it) {
        if (it->tag == QLatin1String("table"))
            return it->table;
    }
    return TableKind::Plain;
}

void PageReader::say(const QString& block) {
    QString spoken = sayMaths(block);
    if (spoken.isEmpty())
        return;
    if (!QStringLiteral(".?!:;").contains(spoken.back()))
        spoken += QLatin1Char('.');
    spoken[0] = spoken[0].toUpper();
    m_blocks << spoken;
}

void PageReader::flush() {
    const QString block = m_line.simplified();
    m_line.clear();
    for (Element& e : m_open)
        e.cellStart = e.cellStart >= 0 ? 0 : -1;
    say(block);
}

void PageReader::text(const QString& words) {
    const QString decoded = HtmlText::decodeEntities(words);
    if (inFraction()) {
        if (m_fractionPart == 1)
            m_numerator += decoded;
        else if (m_fractionPart == 2)
            m_denominator += decoded;
        return;
    }
    m_line += decoded;
}

void PageReader::openTag(const QString& tag, const QString& attributes) {
    Element e;
    e.tag = tag;
    e.classes = attribute(attributes, Attribute::Class)
                    .value_or(QString())
                    .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const auto has = [&e](const char* name) { return e.classes.contains(QLatin1String(name)); };

    if (tag == QLatin1String("img")) {
        if (inFraction())
            return;
        const std::optional<QString> alt = attribute(attributes, Attribute::Alt);
        flush();
        // No text alternative at all: the pupil is at least told that a
        // picture is there; an empty one marks a picture that says nothing.
        say(alt ? alt->simplified() : QStringLiteral("Picture"));
        return;
    }
    if (tag == QLatin1String("br")) {
        if (!inFraction())
            flush();
        return;
    }
    if (isVoid(tag))
        return;

    if (has("box")) {
        if (!inFraction())
            m_line += QStringLiteral(" box ");
        else if (m_fractionPart == 1)
            m_numerator += QStringLiteral(" box ");
        else if (m_fractionPart == 2)
            m_denominator += QStringLiteral(" box ");
    }
    // Pages nest a few levels; a deeper element is read as its text, so that
    // no page, however it is made, costs more than a walk through it.
    if (m_open.size() >= MaxDepth)
        return;
    if (inFraction()) {
        if (has("num"))
            m_fractionPart = 1;
        else if (has("den"))
            m_fractionPart = 2;
    } else if (has("frac")) {
        m_fractionDepth = int(m_open.size());
        m_fractionPart = 0;
        m_numerator.clear();
        m_denominator.clear();
    }

    const TableKind kind = table();
    if (tag == QLatin1String("table")) {
        e.table = has("parts")     ? TableKind::Parts
                  : has("options") ? TableKind::Options
                  : has("column")  ? TableKind::Column
                  : has("grid")    ? TableKind::Grid
                                   : TableKind::Plain;
        flush();
    } else if (tag == QLatin1String("tr")) {
        // A sum set in columns is said as one line, its answer row after
        // "equals".
        if (kind != TableKind::Column)
            flush();
        else if (has("total"))
            m_line += QStringLiteral(" equals ");
    } else if (tag == QLatin1String("td") || tag == QLatin1String("th")) {
        const bool firstCell = m_line.trimmed().isEmpty();
        if (!firstCell && (kind == TableKind::Grid || kind == TableKind::Plain))
            m_line += QStringLiteral(", ");
        m_line += QLatin1Char(' ');
        e.cellStart = m_line.size();
        e.labelCell = kind == TableKind::Parts && (has("label") || firstCell);
        e.numberCell = kind == TableKind::Options && (has("number") || firstCell);
    } else if (isBlock(tag)) {
        flush();
    }
    m_open << e;
}

void PageReader::closeElement(const Element& e) {
    if (m_fractionDepth == int(m_open.size())) {
        // Set as "3/4" in the line, said with the rest of it; after a whole
        // number ("1 3/4") it is a mixed number.
        m_fractionDepth = -1;
        const QString num = m_numerator.simplified();
        const QString den = m_denominator.simplified();
        static const QRegularExpression digits(QStringLiteral("^\\d+$"));
        const bool numbers = digits.match(num).hasMatch() && digits.match(den).hasMatch();
        m_line += QLatin1Char(' ') + num +
                  (numbers ? QStringLiteral("/") : QStringLiteral(" over ")) + den +
                  QLatin1Char(' ');
        return;
    }
    if (inFraction()) {
        m_fractionPart = 0;
        return;
    }
    if ((e.labelCell || e.numberCell) && e.cellStart >= 0) {
        QString mark = m_line.mid(e.cellStart).simplified();
        m_line.truncate(e.cellStart);
        static const QRegularExpression brackets(QStringLiteral("^\\((.*)\\)$"));
        mark.replace(brackets, QStringLiteral("\\1"));
        if (e.labelCell)
            m_line += QStringLiteral("Part ") + mark + QStringLiteral(". ");
        else
            m_line += QStringLiteral("Option ") + mark + QStringLiteral(": ");
        return;
    }
    if (e.tag == QLatin1String("tr")) {
        if (table() != TableKind::Column)
            flush();
    } else if (isBlock(e.tag)) {
        flush();
    }
}

void PageReader::closeTag(const QString& tag) {
    qsizetype at = m_open.size() - 1;
    while (at >= 0 && m_open[at].tag != tag)
        --at;
    if (at < 0) {
        if (isBlock(tag) && !inFraction())
            flush();
        return;
    }
    // Elements left open inside it end with it.
    while (m_open.size() > at) {
        const Element e = m_open.takeLast();
        closeElement(e);
    }
}

QStringList PageReader::read(const QString& html) {
    qsizetype from = 0;
    qsizetype to = 0;
    HtmlText::bodyRange(html, &from, &to);
    QString body = html.mid(from, to - from);
    static const QRegularExpression hidden(
        QStringLiteral("<!--.*?-->|<(style|script|title|template)\\b[^>]*>.*?</\\1\\s*>"),
        Caseless | AcrossLines);
    body.remove(hidden);

    static const QRegularExpression token(QStringLiteral(
        "<(?:!|\\?)[^>]*>|<(/?)([a-zA-Z][a-zA-Z0-9]*)((?:[^>\"']|\"[^\"]*\"|'[^']*')*)>"));
    qsizetype last = 0;
    for (auto it = token.globalMatch(body); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        text(body.mid(last, m.capturedStart() - last));
        last = m.capturedEnd();
        const QString tag = m.captured(2).toLower();
        if (tag.isEmpty())
            continue; // a declaration or a word processor's conditional
        if (m.captured(1).isEmpty()) {
            QString attributes = m.captured(3);
            const bool selfClosed = attributes.trimmed().endsWith(QLatin1Char('/'));
            if (selfClosed)
                attributes.chop(1);
            openTag(tag, attributes);
            if (selfClosed && !isVoid(tag))
                closeTag(tag);
        } else {
            closeTag(tag);
        }
    }
    text(body.mid(last));
    while (!m_open.isEmpty())
        closeElement(m_open.takeLast());
    flush();
    return m_blocks;
}

} // namespace

namespace SpokenQuestion {

QString fromHtml(const QString& html) {
    return PageReader().read(html).join(QLatin1Char('\n'));
}

QString spokenTextOf(const MhtmlArchive& document, bool withWorking) {
    QStringList lines{fromHtml(document.rootHtml())};
    if (withWorking && document.hasWorking())
        lines << fromHtml(document.workingHtml());
    lines.removeAll(QString());
    return lines.join(QLatin1Char('\n'));
}

} // namespace SpokenQuestion
