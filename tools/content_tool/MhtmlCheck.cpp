#include "MhtmlCheck.h"

#include <QMap>
#include <QRegularExpression>
#include <QUrl>

namespace {

struct Part {
    QMap<QByteArray, QByteArray> headers; // lower-case names, unfolded values
    QByteArray body;                      // as encoded, lines joined by CR LF
    bool headerEnded = false;
};

QByteArray header(const QMap<QByteArray, QByteArray>& h, const char* name) {
    return h.value(QByteArray(name)).trimmed();
}

// Reads "Name: value" lines from lines[i] on, up to and past the empty line.
// A boundary line (starting with stop, when given) ends them too, unread.
QMap<QByteArray, QByteArray> readHeaders(const QList<QByteArray>& lines, qsizetype& i, bool* ended,
                                         const QByteArray& stop = QByteArray()) {
    QMap<QByteArray, QByteArray> h;
    QByteArray last;
    *ended = false;
    for (; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        if (!stop.isEmpty() && line.trimmed().startsWith(stop))
            break;
        if (line.isEmpty()) {
            ++i;
            *ended = true;
            break;
        }
        if ((line.startsWith(' ') || line.startsWith('\t')) && !last.isEmpty()) {
            h[last] += ' ' + line.trimmed();
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        last = line.left(colon).trimmed().toLower();
        h[last] = line.mid(colon + 1).trimmed();
    }
    return h;
}

// "type/sub; a=b; c="d"" -> type in *type, parameters by lower-case name.
QMap<QByteArray, QByteArray> parameters(const QByteArray& value, QByteArray* type) {
    QMap<QByteArray, QByteArray> params;
    QList<QByteArray> pieces;
    QByteArray current;
    bool quoted = false;
    for (char c : value) {
        if (c == '"')
            quoted = !quoted;
        if (c == ';' && !quoted) {
            pieces.append(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    pieces.append(current);
    *type = pieces.value(0).trimmed().toLower();
    for (int i = 1; i < pieces.size(); ++i) {
        const qsizetype eq = pieces[i].indexOf('=');
        if (eq <= 0)
            continue;
        QByteArray v = pieces[i].mid(eq + 1).trimmed();
        if (v.size() >= 2 && v.startsWith('"') && v.endsWith('"'))
            v = v.mid(1, v.size() - 2);
        params.insert(pieces[i].left(eq).trimmed().toLower(), v);
    }
    return params;
}

QString withoutAngles(QString id) {
    id = id.trimmed();
    if (id.startsWith(QLatin1Char('<')) && id.endsWith(QLatin1Char('>')))
        id = id.mid(1, id.size() - 2);
    return id;
}

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace

QByteArray MhtmlCheck::decodeQuotedPrintable(const QByteArray& body, bool* ok) {
    *ok = true;
    QByteArray out;
    out.reserve(body.size());
    for (qsizetype i = 0; i < body.size(); ++i) {
        const char c = body.at(i);
        if (c != '=') {
            out.append(c);
            continue;
        }
        if (i + 2 < body.size() + 1 && body.mid(i + 1, 2) == "\r\n") {
            i += 2; // soft line break
        } else if (i + 2 < body.size() && isHex(body.at(i + 1)) && isHex(body.at(i + 2))) {
            out.append(char(body.mid(i + 1, 2).toInt(nullptr, 16)));
            i += 2;
        } else if (i + 1 == body.size()) {
            // "=" at the very end: a soft break before the delimiter.
        } else {
            *ok = false;
            out.append(c);
        }
    }
    return out;
}

QList<MhtmlCheck::DecodedPart> MhtmlCheck::parts(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    qsizetype i = 0;
    bool ended = false;
    const QMap<QByteArray, QByteArray> top = readHeaders(lines, i, &ended);
    QByteArray type;
    const QByteArray boundary = parameters(header(top, "content-type"), &type).value("boundary");
    if (type != "multipart/related" || boundary.isEmpty())
        return {};
    const QByteArray delimiter = "--" + boundary;
    QList<DecodedPart> out;
    QMap<QByteArray, QByteArray> headers;
    QList<QByteArray> body;
    bool inPart = false;
    const auto finish = [&]() {
        DecodedPart part;
        parameters(header(headers, "content-type"), &part.type);
        part.location = QString::fromLatin1(header(headers, "content-location"));
        const QByteArray encoding = header(headers, "content-transfer-encoding").toLower();
        const QByteArray joined = body.join("\r\n");
        bool ok = true;
        if (encoding == "base64")
            part.data = QByteArray::fromBase64(joined);
        else if (encoding == "quoted-printable")
            part.data = decodeQuotedPrintable(joined, &ok);
        else
            part.data = joined;
        out.append(part);
        body.clear();
    };
    for (; i < lines.size(); ++i) {
        const QByteArray bare = lines[i].trimmed();
        if (bare == delimiter + "--") {
            if (inPart)
                finish();
            inPart = false;
            break;
        }
        if (bare == delimiter) {
            if (inPart)
                finish();
            inPart = true;
            ++i;
            bool headerEnded = false;
            headers = readHeaders(lines, i, &headerEnded, delimiter);
            --i;
            continue;
        }
        if (inPart)
            body.append(lines[i]);
    }
    if (inPart)
        finish();
    return out;
}

QStringList MhtmlCheck::imageSources(const QString& html) {
    static const QRegularExpression img(QStringLiteral("<img\\b[^>]*>"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression src(
        QStringLiteral("\\ssrc\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    auto tags = img.globalMatch(html);
    while (tags.hasNext()) {
        const QRegularExpressionMatch s = src.match(tags.next().captured(0));
        if (!s.hasMatch())
            continue;
        QString v = s.captured(1) + s.captured(2) + s.captured(3);
        v.replace(QLatin1String("&amp;"), QLatin1String("&"));
        out.append(v.trimmed());
    }
    return out;
}

QStringList MhtmlCheck::check(const QByteArray& bytes) {
    QStringList problems;
    if (bytes.isEmpty())
        return {QStringLiteral("the document is empty")};

    // Line ends: every LF must follow a CR, and no CR may stand alone.
    int bareLf = 0, bareCr = 0, firstBad = 0, lineNo = 1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == '\n') {
            if (i == 0 || bytes.at(i - 1) != '\r') {
                ++bareLf;
                firstBad = firstBad ? firstBad : lineNo;
            }
            ++lineNo;
        } else if (bytes.at(i) == '\r' && (i + 1 == bytes.size() || bytes.at(i + 1) != '\n')) {
            ++bareCr;
            firstBad = firstBad ? firstBad : lineNo;
        }
    }
    if (bareLf + bareCr > 0)
        problems << QStringLiteral("%1 line end(s) are not CR LF (first at line %2); the HTML "
                                   "view refuses such an archive")
                        .arg(bareLf + bareCr)
                        .arg(firstBad);

    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& l : lines)
        if (l.endsWith('\r'))
            l.chop(1);

    qsizetype i = 0;
    bool ended = false;
    const QMap<QByteArray, QByteArray> top = readHeaders(lines, i, &ended);
    QByteArray type;
    const QMap<QByteArray, QByteArray> topParams = parameters(header(top, "content-type"), &type);
    if (type != "multipart/related")
        return problems << QStringLiteral("not a multipart/related archive (Content-Type: %1)")
                               .arg(QString::fromLatin1(type.isEmpty() ? "none" : type));
    const QByteArray boundary = topParams.value("boundary");
    if (boundary.isEmpty())
        return problems << QStringLiteral("the Content-Type names no boundary");

    const QByteArray delimiter = "--" + boundary;
    const QByteArray closing = delimiter + "--";
    QList<Part> parts;
    bool inPart = false, closed = false;
    Part current;
    QList<QByteArray> body;
    const auto finishPart = [&]() {
        current.body = body.join("\r\n");
        parts.append(current);
        current = Part();
        body.clear();
    };
    for (; i < lines.size(); ++i) {
        const QByteArray line = lines[i];
        const QByteArray bare = line.trimmed();
        if (bare == closing) {
            if (inPart)
                finishPart();
            closed = true;
            break;
        }
        if (bare == delimiter) {
            if (inPart)
                finishPart();
            inPart = true;
            ++i;
            current.headers = readHeaders(lines, i, &current.headerEnded, delimiter);
            --i;
            continue;
        }
        if (inPart)
            body.append(line);
    }
    if (inPart && !closed)
        finishPart(); // the last part runs to the end of the file
    if (parts.isEmpty())
        return problems << QStringLiteral("the boundary \"%1\" never occurs")
                               .arg(QString::fromLatin1(boundary));
    if (!closed)
        problems << QStringLiteral("the closing boundary \"%1\" is missing")
                        .arg(QString::fromLatin1(closing));

    // Decode each part and note where it is located.
    QList<QByteArray> decoded;
    for (int n = 0; n < parts.size(); ++n) {
        const Part& p = parts[n];
        const QString who = QStringLiteral("part %1").arg(n + 1);
        if (!p.headerEnded)
            problems << QStringLiteral("%1 has no empty line after its headers").arg(who);
        const QByteArray encoding = header(p.headers, "content-transfer-encoding").toLower();
        QByteArray data = p.body;
        if (encoding == "base64") {
            QByteArray compact;
            for (char c : p.body)
                if (c != '\r' && c != '\n' && c != ' ' && c != '\t')
                    compact.append(c);
            static const QRegularExpression alphabet(QStringLiteral("^[A-Za-z0-9+/]*={0,2}$"));
            const auto result =
                QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
            if (compact.size() % 4 != 0 ||
                !alphabet.match(QString::fromLatin1(compact)).hasMatch() || !result)
                problems << QStringLiteral("%1: its base64 body is damaged").arg(who);
            data = result ? *result : QByteArray();
        } else if (encoding == "quoted-printable") {
            bool ok = true;
            data = decodeQuotedPrintable(p.body, &ok);
            if (!ok)
                problems << QStringLiteral("%1: broken quoted-printable \"=\" escape").arg(who);
            for (const QByteArray& l : p.body.split('\n'))
                if (l.size() - (l.endsWith('\r') ? 1 : 0) > 76) {
                    problems << QStringLiteral(
                                    "%1: quoted-printable line longer than 76 characters")
                                    .arg(who);
                    break;
                }
        } else if (!encoding.isEmpty() && encoding != "7bit" && encoding != "8bit" &&
                   encoding != "binary") {
            problems << QStringLiteral("%1: unknown transfer encoding \"%2\"")
                            .arg(who, QString::fromLatin1(encoding));
        }
        decoded.append(data);
    }

    // The root: the "start" part, or else the first.
    int root = 0;
    const QString start = withoutAngles(QString::fromLatin1(topParams.value("start")));
    if (!start.isEmpty()) {
        root = -1;
        for (int n = 0; n < parts.size(); ++n)
            if (withoutAngles(QString::fromLatin1(header(parts[n].headers, "content-id"))) == start)
                root = n;
        if (root < 0)
            return problems
                   << QStringLiteral("the start part <%1> is not in the archive").arg(start);
    }
    QByteArray rootType;
    const auto rootParams = parameters(header(parts[root].headers, "content-type"), &rootType);
    if (rootType != "text/html")
        return problems << QStringLiteral("the root part is %1, not text/html")
                               .arg(QString::fromLatin1(rootType.isEmpty() ? "untyped" : rootType));
    const QString html = rootParams.value("charset").toLower() == "utf-8"
                             ? QString::fromUtf8(decoded[root])
                             : QString::fromLatin1(decoded[root]);

    const QUrl base(QString::fromLatin1(header(parts[root].headers, "content-location")));
    const auto absolute = [&base](const QString& ref) {
        const QUrl url(ref);
        return (base.isValid() && !base.isEmpty() ? base.resolved(url) : url).toString();
    };
    for (const QString& src : imageSources(html)) {
        int target = -1;
        if (src.startsWith(QLatin1String("cid:"), Qt::CaseInsensitive)) {
            const QString id = QUrl::fromPercentEncoding(src.mid(4).toLatin1());
            for (int n = 0; n < parts.size() && target < 0; ++n)
                if (withoutAngles(QString::fromLatin1(header(parts[n].headers, "content-id"))) ==
                    id)
                    target = n;
        } else {
            for (int n = 0; n < parts.size() && target < 0; ++n) {
                const QString loc =
                    QString::fromLatin1(header(parts[n].headers, "content-location"));
                if (!loc.isEmpty() && (loc == src || absolute(loc) == absolute(src)))
                    target = n;
            }
        }
        if (target < 0) {
            problems << QStringLiteral("<img src=\"%1\"> matches no part of the archive").arg(src);
            continue;
        }
        QByteArray partType;
        parameters(header(parts[target].headers, "content-type"), &partType);
        if (!partType.startsWith("image/"))
            problems << QStringLiteral("<img src=\"%1\"> points to a part of type %2, not an image")
                            .arg(src, QString::fromLatin1(partType.isEmpty() ? "none" : partType));
        else if (decoded[target].isEmpty())
            problems << QStringLiteral("<img src=\"%1\"> points to an empty part").arg(src);
    }
    return problems;
}
