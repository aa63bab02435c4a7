#include "practice/MhtmlArchive.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

constexpr int MaxNesting = 4;

struct Header {
    QByteArray name; // lower case
    QByteArray value;
};

struct ContentType {
    QByteArray mimeType;                         // lower case
    QList<QPair<QByteArray, QByteArray>> params; // names lower case

    QByteArray param(const char* name) const {
        for (const auto& p : params) {
            if (p.first == name) {
                return p.second;
            }
        }
        return {};
    }
};

// Reads the header block starting at pos up to the first empty line,
// unfolding continuation lines. pos ends at the first byte of the body.
// Returns false when the block has no end before `end` or is too large.
bool readHeaders(const QByteArray& data, qsizetype& pos, qsizetype end, QList<Header>& headers) {
    const qsizetype start = pos;
    while (pos < end) {
        qsizetype eol = data.indexOf('\n', pos);
        if (eol < 0 || eol >= end) {
            eol = end;
        }
        QByteArray line = data.mid(pos, eol - pos);
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        pos = eol < end ? eol + 1 : end;
        if (pos - start > MhtmlArchive::MaxHeaderBytes) {
            return false;
        }
        if (line.isEmpty()) {
            return true;
        }
        if ((line.at(0) == ' ' || line.at(0) == '\t') && !headers.isEmpty()) {
            headers.last().value += ' ' + line.trimmed();
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) {
            continue; // not a header line; ignored as mail readers do
        }
        headers.append({line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed()});
    }
    return false;
}

QByteArray headerValue(const QList<Header>& headers, const char* name) {
    for (const auto& h : headers) {
        if (h.name == name) {
            return h.value;
        }
    }
    return {};
}

// type/subtype; name=value; name="quoted \" value"
ContentType parseContentType(const QByteArray& value) {
    ContentType ct;
    qsizetype i = value.indexOf(';');
    ct.mimeType = (i < 0 ? value : value.left(i)).trimmed().toLower();
    while (i >= 0 && i < value.size()) {
        ++i; // past ';'
        while (i < value.size() && (value.at(i) == ' ' || value.at(i) == '\t')) {
            ++i;
        }
        const qsizetype eq = value.indexOf('=', i);
        if (eq < 0) {
            break;
        }
        const QByteArray name = value.mid(i, eq - i).trimmed().toLower();
        i = eq + 1;
        while (i < value.size() && (value.at(i) == ' ' || value.at(i) == '\t')) {
            ++i;
        }
        QByteArray val;
        if (i < value.size() && value.at(i) == '"') {
            ++i;
            while (i < value.size() && value.at(i) != '"') {
                if (value.at(i) == '\\' && i + 1 < value.size()) {
                    ++i;
                }
                val += value.at(i);
                ++i;
            }
            i = value.indexOf(';', i);
        } else {
            const qsizetype semi = value.indexOf(';', i);
            val = value.mid(i, semi < 0 ? -1 : semi - i).trimmed();
            i = semi;
        }
        ct.params.append({name, val});
    }
    return ct;
}

QString stripAngles(QByteArray id) {
    id = id.trimmed();
    if (id.startsWith('<') && id.endsWith('>')) {
        id = id.mid(1, id.size() - 2);
    }
    return QString::fromLatin1(id).trimmed();
}

// Location texts from Windows programs may use backslashes.
QUrl toUrl(const QString& text) {
    QString t = text.trimmed();
    t.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QUrl(t, QUrl::TolerantMode);
}

// Comparable form of an absolute URL: file: paths (written on Windows) are
// compared without regard to case, percent-encoding differences vanish.
QString urlKey(const QUrl& url) {
    if (!url.isValid() || url.isRelative()) {
        return {};
    }
    const QUrl u = url.adjusted(QUrl::RemoveFragment | QUrl::NormalizePathSegments);
    QString key = u.scheme().toLower() + QLatin1String("://") + u.host().toLower();
    if (u.port() >= 0) {
        key += QLatin1Char(':') + QString::number(u.port());
    }
    key += u.path(QUrl::FullyDecoded);
    if (u.hasQuery()) {
        key += QLatin1Char('?') + u.query(QUrl::FullyDecoded);
    }
    if (u.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) == 0) {
        key = key.toLower();
    }
    return key;
}

QString fileNameOf(const QString& reference) {
    QString path = toUrl(reference).path(QUrl::FullyDecoded);
    if (path.isEmpty()) {
        path = reference;
    }
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

bool isBase64Char(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/' || c == '=';
}

bool decodeBase64(const QByteArray& encoded, QByteArray& out) {
    QByteArray clean;
    clean.reserve(encoded.size());
    for (char c : encoded) {
        if (isBase64Char(c)) {
            clean += c;
        } else if (c != '\r' && c != '\n' && c != ' ' && c != '\t') {
            return false;
        }
    }
    auto result = QByteArray::fromBase64Encoding(
        clean, QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!result) {
        return false;
    }
    out = std::move(*result);
    return true;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Bytes 80..9F of windows-1252; the other bytes are the same as Latin-1.
// Five bytes are unassigned and kept as their Latin-1 control characters.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        out[i] = (b >= 0x80 && b < 0xA0) ? QChar(Windows1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

bool isValidUtf8(const QByteArray& bytes, QString* text) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString decoded = decoder.decode(bytes);
    if (decoder.hasError()) {
        return false;
    }
    if (text) {
        *text = std::move(decoded);
    }
    return true;
}

} // namespace

bool MhtmlArchive::fail(const QString& message) {
    m_parts.clear();
    m_root = -1;
    m_error = message;
    return false;
}

bool MhtmlArchive::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
    }
    if (file.size() > MaxArchiveBytes) {
        return fail(QStringLiteral("%1 is too large").arg(path));
    }
    const QByteArray bytes = file.read(MaxArchiveBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        return fail(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    }
    return parse(bytes);
}

namespace {

struct Parser {
    const QByteArray& data;
    QList<MhtmlPart>& parts;
    QString error;

    bool setError(const QString& message) {
        error = message;
        return false;
    }

    // One entity (headers and body) between begin and end; a multipart entity
    // adds its parts, anything else adds itself.
    bool parseEntity(qsizetype begin, qsizetype end, int depth, QByteArray* startId,
                     QByteArray* baseLocation) {
        QList<Header> headers;
        qsizetype bodyStart = begin;
        if (!readHeaders(data, bodyStart, end, headers)) {
            if (depth == 0 || bodyStart - begin > MhtmlArchive::MaxHeaderBytes) {
                return setError(QStringLiteral("The archive's headers are missing or damaged"));
            }
            bodyStart = end; // headers only: an empty part
        }
        const ContentType ct = parseContentType(headerValue(headers, "content-type"));
        if (ct.mimeType.startsWith("multipart/")) {
            if (depth >= MaxNesting) {
                return setError(QStringLiteral("The archive nests too deeply"));
            }
            if (depth == 0) {
                if (startId) {
                    *startId = ct.param("start");
                }
                if (baseLocation) {
                    *baseLocation = headerValue(headers, "content-location");
                    if (baseLocation->isEmpty()) {
                        *baseLocation = headerValue(headers, "content-base");
                    }
                }
            }
            const QByteArray boundary = ct.param("boundary");
            if (boundary.isEmpty() || boundary.size() > 200) {
                return setError(QStringLiteral("The archive has no usable boundary"));
            }
            return parseMultipart(bodyStart, end, boundary, depth + 1);
        }
        if (depth == 0 && headers.isEmpty()) {
            return setError(QStringLiteral("This is not a web archive"));
        }
        if (parts.size() >= MhtmlArchive::MaxParts) {
            return setError(QStringLiteral("The archive has too many parts"));
        }
        MhtmlPart part;
        part.mimeType = ct.mimeType;
        part.charset = ct.param("charset").toLower();
        part.location = QString::fromLatin1(headerValue(headers, "content-location"));
        part.contentId = stripAngles(headerValue(headers, "content-id"));
        const QByteArray raw = data.mid(bodyStart, end - bodyStart);
        const QByteArray encoding = headerValue(headers, "content-transfer-encoding").toLower();
        if (encoding == "quoted-printable") {
            part.body = MhtmlArchive::decodeQuotedPrintable(raw);
        } else if (encoding == "base64") {
            if (!decodeBase64(raw, part.body)) {
                return setError(
                    QStringLiteral("Part %1 has damaged base64 data").arg(parts.size() + 1));
            }
        } else {
            // 7bit, 8bit, binary, and unknown encodings kept as they are
            part.body = raw;
        }
        parts.append(std::move(part));
        return true;
    }

    // Position of the next delimiter line at or after pos, or -1. isClose
    // tells whether it is the closing one; after is the start of the next line.
    qsizetype findDelimiter(qsizetype pos, qsizetype end, const QByteArray& delimiter,
                            bool& isClose, qsizetype& after) const {
        while (pos < end) {
            const qsizetype at = data.indexOf(delimiter, pos);
            if (at < 0 || at + delimiter.size() > end) {
                return -1;
            }
            pos = at + 1;
            if (at > 0 && data.at(at - 1) != '\n') {
                continue;
            }
            qsizetype i = at + delimiter.size();
            isClose = false;
            if (i + 1 < end && data.at(i) == '-' && data.at(i + 1) == '-') {
                isClose = true;
                i += 2;
            }
            while (i < end && (data.at(i) == ' ' || data.at(i) == '\t')) {
                ++i;
            }
            if (i < end && data.at(i) == '\r') {
                ++i;
            }
            if (i < end && data.at(i) != '\n') {
                continue; // the boundary text merely begins this line
            }
            after = i < end ? i + 1 : end;
            return at;
        }
        return -1;
    }

    bool parseMultipart(qsizetype begin, qsizetype end, const QByteArray& boundary, int depth) {
        const QByteArray delimiter = "--" + boundary;
        bool isClose = false;
        qsizetype partStart = 0;
        const qsizetype first = findDelimiter(begin, end, delimiter, isClose, partStart);
        if (first < 0) {
            return setError(QStringLiteral("The archive has no parts"));
        }
        while (!isClose) {
            qsizetype next = 0;
            const qsizetype at = findDelimiter(partStart, end, delimiter, isClose, next);
            if (at < 0) {
                return setError(QStringLiteral("The archive is cut short"));
            }
            // The line break before a delimiter belongs to the delimiter.
            qsizetype bodyEnd = at;
            if (bodyEnd > partStart && data.at(bodyEnd - 1) == '\n') {
                --bodyEnd;
                if (bodyEnd > partStart && data.at(bodyEnd - 1) == '\r') {
                    --bodyEnd;
                }
            }
            if (!parseEntity(partStart, bodyEnd, depth, nullptr, nullptr)) {
                return false;
            }
            partStart = next;
        }
        return true;
    }
};

} // namespace

bool MhtmlArchive::parse(const QByteArray& bytes) {
    m_parts.clear();
    m_root = -1;
    m_error.clear();
    if (bytes.size() > MaxArchiveBytes) {
        return fail(QStringLiteral("The archive is too large"));
    }
    QByteArray startId;
    QByteArray baseLocation;
    Parser parser{bytes, m_parts, {}};
    if (!parser.parseEntity(0, bytes.size(), 0, &startId, &baseLocation)) {
        return fail(parser.error);
    }
    const QString start = stripAngles(startId);
    if (!start.isEmpty()) {
        for (int i = 0; i < m_parts.size() && m_root < 0; ++i) {
            if (m_parts[i].contentId == start) {
                m_root = i;
            }
        }
    }
    for (int i = 0; i < m_parts.size() && m_root < 0; ++i) {
        if (m_parts[i].mimeType == "text/html") {
            m_root = i;
        }
    }
    if (m_root < 0) {
        return fail(QStringLiteral("The archive holds no HTML page"));
    }
    resolveLocations(toUrl(QString::fromLatin1(baseLocation)));
    return true;
}

void MhtmlArchive::resolveLocations(const QUrl& archiveBase) {
    QUrl base = toUrl(m_parts[m_root].location);
    if (base.isRelative() && archiveBase.isValid() && !archiveBase.isRelative()) {
        base = archiveBase.resolved(base);
    }
    if (base.isRelative()) {
        base = archiveBase;
    }
    for (auto& part : m_parts) {
        if (part.location.trimmed().isEmpty()) {
            continue;
        }
        QUrl url = toUrl(part.location);
        if (url.isRelative() && base.isValid() && !base.isRelative()) {
            url = base.resolved(url);
        }
        part.resolvedLocation = url;
    }
}

const MhtmlPart* MhtmlArchive::root() const {
    return m_root >= 0 ? &m_parts[m_root] : nullptr;
}

QString MhtmlArchive::rootHtml() const {
    const MhtmlPart* part = root();
    return part ? decodeText(part->body, part->charset) : QString();
}

int MhtmlArchive::workingIndex() const {
    for (int i = 0; i < m_parts.size(); ++i) {
        const MhtmlPart& part = m_parts[i];
        if (i == m_root || part.mimeType != "text/html") {
            continue;
        }
        QString path = part.resolvedLocation.isValid()
                           ? part.resolvedLocation.path(QUrl::FullyDecoded)
                           : QString();
        if (path.isEmpty()) {
            path = part.location.trimmed();
            path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        }
        const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        if (name.compare(QLatin1String("working.html"), Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QString MhtmlArchive::workingHtml() const {
    const int index = workingIndex();
    return index < 0 ? QString() : decodeText(m_parts[index].body, m_parts[index].charset);
}

int MhtmlArchive::findPart(const QString& reference, int from) const {
    QString ref = reference.trimmed();
    const qsizetype hash = ref.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        ref.truncate(hash);
    }
    if (ref.isEmpty() || m_parts.isEmpty()) {
        return -1;
    }
    if (ref.startsWith(QLatin1String("cid:"), Qt::CaseInsensitive)) {
        const QString id = QUrl::fromPercentEncoding(ref.mid(4).toUtf8());
        for (int i = 0; i < m_parts.size(); ++i) {
            if (!m_parts[i].contentId.isEmpty() &&
                m_parts[i].contentId.compare(id, Qt::CaseInsensitive) == 0) {
                return i;
            }
        }
        return -1;
    }
    if (from < 0 || from >= m_parts.size()) {
        from = m_root;
    }
    QUrl base = from >= 0 ? m_parts[from].resolvedLocation : QUrl();
    if (base.isRelative() && m_root >= 0) {
        base = m_parts[m_root].resolvedLocation;
    }
    QUrl url = toUrl(ref);
    if (url.isRelative() && base.isValid() && !base.isRelative()) {
        url = base.resolved(url);
    }
    const QString key = urlKey(url);
    if (!key.isEmpty()) {
        for (int i = 0; i < m_parts.size(); ++i) {
            if (urlKey(m_parts[i].resolvedLocation) == key) {
                return i;
            }
        }
    }
    for (int i = 0; i < m_parts.size(); ++i) {
        if (!m_parts[i].location.isEmpty() && m_parts[i].location.trimmed() == ref) {
            return i;
        }
    }
    // Word processors write parts at file:///C:/doc_files/x.png and refer to
    // them relatively from a page whose location may not match.
    const QString name = fileNameOf(ref);
    if (name.isEmpty()) {
        return -1;
    }
    for (int i = 0; i < m_parts.size(); ++i) {
        if (!m_parts[i].location.isEmpty() &&
            fileNameOf(m_parts[i].location).compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QByteArray MhtmlArchive::decodeQuotedPrintable(const QByteArray& encoded) {
    QByteArray out;
    out.reserve(encoded.size());
    qsizetype pos = 0;
    while (pos < encoded.size()) {
        qsizetype eol = encoded.indexOf('\n', pos);
        const bool hasBreak = eol >= 0;
        if (!hasBreak) {
            eol = encoded.size();
        }
        qsizetype lineEnd = eol;
        if (hasBreak && lineEnd > pos && encoded.at(lineEnd - 1) == '\r') {
            --lineEnd;
        }
        // Trailing white space was added in transport and is not part of the text.
        while (lineEnd > pos &&
               (encoded.at(lineEnd - 1) == ' ' || encoded.at(lineEnd - 1) == '\t')) {
            --lineEnd;
        }
        bool softBreak = false;
        if (lineEnd > pos && encoded.at(lineEnd - 1) == '=') {
            softBreak = true;
            --lineEnd;
        }
        for (qsizetype i = pos; i < lineEnd; ++i) {
            const char c = encoded.at(i);
            if (c == '=' && i + 2 < lineEnd) {
                const int hi = hexValue(encoded.at(i + 1));
                const int lo = hexValue(encoded.at(i + 2));
                if (hi >= 0 && lo >= 0) {
                    out += static_cast<char>(hi * 16 + lo);
                    i += 2;
                    continue;
                }
            }
            out += c; // a stray "=" is kept as written
        }
        if (hasBreak && !softBreak) {
            out += "\r\n";
        }
        pos = hasBreak ? eol + 1 : encoded.size();
    }
    return out;
}

QString MhtmlArchive::decodeText(const QByteArray& bytes, const QByteArray& charset) {
    QByteArray name = charset.trimmed().toLower();
    if (name.startsWith('"') && name.endsWith('"') && name.size() >= 2) {
        name = name.mid(1, name.size() - 2);
    }
    // As browsers do: pages labelled Latin-1 or ASCII are windows-1252.
    if (name == "windows-1252" || name == "cp1252" || name == "x-cp1252" || name == "iso-8859-1" ||
        name == "iso8859-1" || name == "latin1" || name == "l1" || name == "us-ascii" ||
        name == "ascii") {
        return decodeWindows1252(bytes);
    }
    if (name == "utf-8" || name == "utf8") {
        return QString::fromUtf8(bytes);
    }
    if (!name.isEmpty()) {
        QStringDecoder decoder(name.constData());
        if (decoder.isValid()) {
            return decoder.decode(bytes);
        }
    }
    QString text;
    if (isValidUtf8(bytes, &text)) {
        return text;
    }
    return QString::fromLatin1(bytes);
}

QString MhtmlArchive::linkedText(int index, const std::function<QString(int)>& urlOf) const {
    if (index < 0 || index >= m_parts.size()) {
        return {};
    }
    const MhtmlPart& part = m_parts[index];
    const QString text = decodeText(part.body, part.charset);
    const bool isHtml = part.mimeType == "text/html" || part.mimeType == "application/xhtml+xml";
    // Attribute values (HTML only) and url(...) (style sheets, style elements
    // and style attributes). Group 1 is kept, one of groups 2-4 is the value.
    static const QRegularExpression attribute(
        QStringLiteral(R"re((\b(?:src|href|background|poster|lowsrc|data)\s*=\s*))re"
                       R"re((?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression cssUrl(
        QStringLiteral(R"re((url\(\s*)(?:"([^"]*)"|'([^']*)'|([^)\s"']*))(?=\s*\)))re"),
        QRegularExpression::CaseInsensitiveOption);

    auto replaceAll = [&](const QString& input, const QRegularExpression& re, bool entities) {
        QString out;
        out.reserve(input.size());
        qsizetype last = 0;
        auto it = re.globalMatch(input);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            int group = 2;
            while (group < 4 && !m.hasCaptured(group)) {
                ++group;
            }
            QString value = m.captured(group);
            if (entities) {
                value.replace(QLatin1String("&amp;"), QLatin1String("&"));
            }
            const int target = findPart(value, index);
            if (target < 0) {
                continue;
            }
            out += QStringView(input).mid(last, m.capturedStart() - last);
            out += m.captured(1) + QLatin1Char('"') + urlOf(target) + QLatin1Char('"');
            last = m.capturedEnd();
        }
        out += QStringView(input).mid(last);
        return out;
    };
    QString result = text;
    if (isHtml) {
        result = replaceAll(result, attribute, true);
    }
    if (isHtml || part.mimeType == "text/css") {
        result = replaceAll(result, cssUrl, isHtml);
    }
    return result;
}
