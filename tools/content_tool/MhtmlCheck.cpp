#include "MhtmlCheck.h"

#include "practice/MhtmlArchive.h"

#include <QRegularExpression>

namespace {

// A part as written: its header lines and its body, still encoded.
struct RawPart {
    QList<QByteArray> headers;
    QByteArray body; // lines joined by CR LF
    bool headerEnded = false;
};

// The value of a header among lines (continuation lines joined), trimmed.
QByteArray headerValue(const QList<QByteArray>& lines, const QByteArray& name) {
    QByteArray value;
    bool inside = false;
    for (const QByteArray& line : lines) {
        if (inside && (line.startsWith(' ') || line.startsWith('\t'))) {
            value += ' ' + line.trimmed();
            continue;
        }
        inside = false;
        const qsizetype colon = line.indexOf(':');
        if (value.isEmpty() && colon > 0 && line.left(colon).trimmed().toLower() == name) {
            value = line.mid(colon + 1).trimmed();
            inside = true;
        }
    }
    return value;
}

// A Content-Type parameter ("boundary"), without its quotes.
QByteArray parameter(const QByteArray& contentType, const char* name) {
    const QRegularExpression re(QStringLiteral("(?:^|;)\\s*%1\\s*=\\s*(?:\"([^\"]*)\"|([^;\\s]*))")
                                    .arg(QLatin1String(name)),
                                QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(QString::fromLatin1(contentType));
    return (m.captured(1) + m.captured(2)).toLatin1();
}

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// True when every "=" is a soft line break or an escape of two hex digits.
bool soundQuotedPrintable(const QByteArray& body) {
    for (qsizetype i = body.indexOf('='); i >= 0; i = body.indexOf('=', i + 1)) {
        const QByteArray next = body.mid(i + 1, 2);
        const bool escape = next.size() == 2 && isHex(next.at(0)) && isHex(next.at(1));
        if (!escape && next != "\r\n" && i + 1 != body.size())
            return false;
    }
    return true;
}

QStringList encodingProblems(const RawPart& part, const QString& who) {
    const QByteArray encoding = headerValue(part.headers, "content-transfer-encoding").toLower();
    if (encoding == "base64") {
        QByteArray compact;
        for (char c : part.body)
            if (c != '\r' && c != '\n' && c != ' ' && c != '\t')
                compact.append(c);
        static const QRegularExpression alphabet(QStringLiteral("^[A-Za-z0-9+/]*={0,2}$"));
        if (compact.size() % 4 != 0 || !alphabet.match(QString::fromLatin1(compact)).hasMatch() ||
            !QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors))
            return {QStringLiteral("%1: its base64 body is damaged").arg(who)};
    } else if (encoding == "quoted-printable") {
        QStringList problems;
        if (!soundQuotedPrintable(part.body))
            problems << QStringLiteral("%1: broken quoted-printable \"=\" escape").arg(who);
        for (const QByteArray& line : part.body.split('\n'))
            if (line.size() - (line.endsWith('\r') ? 1 : 0) > 76)
                return problems << QStringLiteral(
                                       "%1: quoted-printable line longer than 76 characters")
                                       .arg(who);
        return problems;
    } else if (!encoding.isEmpty() && encoding != "7bit" && encoding != "8bit" &&
               encoding != "binary") {
        return {QStringLiteral("%1: unknown transfer encoding \"%2\"")
                    .arg(who, QString::fromLatin1(encoding))};
    }
    return {};
}

// The pictures an HTML part of the archive shows that the program cannot find.
QStringList pictureProblems(const MhtmlArchive& archive, int index, const QString& prefix) {
    const MhtmlPart& page = archive.parts().at(index);
    QStringList problems;
    for (const QString& src :
         MhtmlCheck::imageSources(MhtmlArchive::decodeText(page.body, page.charset))) {
        const int target = archive.findPart(src, index);
        if (target < 0) {
            problems << prefix + QStringLiteral("<img src=\"%1\"> matches no part of the archive")
                                     .arg(src);
            continue;
        }
        const MhtmlPart& part = archive.parts().at(target);
        if (!part.mimeType.startsWith("image/"))
            problems << prefix +
                            QStringLiteral("<img src=\"%1\"> points to a part of type %2, not an "
                                           "image")
                                .arg(src, QString::fromLatin1(part.mimeType.isEmpty()
                                                                  ? QByteArray("none")
                                                                  : part.mimeType));
        else if (part.body.isEmpty())
            problems << prefix +
                            QStringLiteral("<img src=\"%1\"> points to an empty part").arg(src);
    }
    return problems;
}

} // namespace

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
    if (bytes.isEmpty())
        return {QStringLiteral("the document is empty")};
    QStringList problems;

    // Line ends: every LF must follow a CR, and no CR may stand alone.
    int bad = 0, firstBad = 0, lineNo = 1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        const bool bareLf = c == '\n' && (i == 0 || bytes.at(i - 1) != '\r');
        const bool bareCr = c == '\r' && (i + 1 == bytes.size() || bytes.at(i + 1) != '\n');
        if (bareLf || bareCr) {
            ++bad;
            firstBad = firstBad ? firstBad : lineNo;
        }
        lineNo += c == '\n' ? 1 : 0;
    }
    if (bad > 0)
        problems << QStringLiteral("%1 line end(s) are not CR LF (first at line %2); the HTML "
                                   "view refuses such an archive")
                        .arg(bad)
                        .arg(firstBad);

    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    const qsizetype headerEnd = lines.indexOf(QByteArray());
    const QByteArray contentType = headerValue(lines.mid(0, headerEnd), "content-type");
    const QByteArray type = contentType.split(';').first().trimmed().toLower();
    if (type != "multipart/related")
        return problems << QStringLiteral("not a multipart/related archive (Content-Type: %1)")
                               .arg(QString::fromLatin1(type.isEmpty() ? "none" : type));
    const QByteArray boundary = parameter(contentType, "boundary");
    if (boundary.isEmpty())
        return problems << QStringLiteral("the Content-Type names no boundary");

    // The parts as written, between the delimiter lines.
    const QByteArray delimiter = "--" + boundary;
    const QByteArray closing = delimiter + "--";
    QList<RawPart> parts;
    bool closed = false;
    QList<QByteArray> body;
    const auto finishPart = [&]() {
        if (!parts.isEmpty())
            parts.last().body = body.join("\r\n");
        body.clear();
    };
    for (qsizetype i = headerEnd < 0 ? lines.size() : headerEnd; i < lines.size() && !closed; ++i) {
        const QByteArray bare = lines.at(i).trimmed();
        if (bare == delimiter || bare == closing) {
            finishPart();
            closed = bare == closing;
            if (!closed)
                parts.append(RawPart());
        } else if (!parts.isEmpty() && !parts.last().headerEnded) {
            if (lines.at(i).isEmpty())
                parts.last().headerEnded = true;
            else
                parts.last().headers.append(lines.at(i));
        } else if (!parts.isEmpty()) {
            body.append(lines.at(i));
        }
    }
    if (parts.isEmpty())
        return problems << QStringLiteral("the boundary \"%1\" never occurs")
                               .arg(QString::fromLatin1(boundary));
    if (!closed) {
        finishPart(); // the last part runs to the end of the file
        problems << QStringLiteral("the closing boundary \"%1\" is missing")
                        .arg(QString::fromLatin1(closing));
    }
    for (int n = 0; n < parts.size(); ++n) {
        const QString who = QStringLiteral("part %1").arg(n + 1);
        if (!parts.at(n).headerEnded)
            problems << QStringLiteral("%1 has no empty line after its headers").arg(who);
        problems << encodingProblems(parts.at(n), who);
    }

    // What the program shows.
    MhtmlArchive archive;
    if (!archive.parse(bytes)) {
        if (problems.isEmpty())
            problems << QStringLiteral("the program cannot show it: %1").arg(archive.errorString());
        return problems;
    }
    const QByteArray rootType = archive.root()->mimeType;
    if (rootType != "text/html")
        return problems << QStringLiteral("the root part is %1, not text/html")
                               .arg(QString::fromLatin1(rootType.isEmpty() ? "untyped" : rootType));
    problems << pictureProblems(archive, archive.rootIndex(), QString());
    if (archive.hasWorking())
        problems << pictureProblems(archive, archive.workingIndex(), QStringLiteral("working: "));
    return problems;
}
