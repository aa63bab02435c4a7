#include "MhtmlWriter.h"

#include "core/AnswerChecking.h"

namespace {

const char Host[] = "http://quillora.invalid/";

const char PageStyle[] = R"(body {
  margin: 24px 32px;
  background: #fffdf5;
  color: #1f2a44;
  font-family: "Andika", "Comic Neue", Verdana, "DejaVu Sans", Arial, sans-serif;
  font-size: 26px;
  line-height: 1.5;
}
p { margin: 0 0 18px 0; }
b, strong { color: #174ea6; }
img { display: block; margin: 12px 0 18px 0; max-width: 100%; }
table { border-collapse: collapse; font-size: 26px; }
table.parts td, table.options td { padding: 6px 12px 6px 0; vertical-align: middle; }
td.label { font-weight: bold; color: #2a6fdb; white-space: nowrap; }
td.number { width: 52px; padding: 6px 10px 6px 0; }
.badge {
  display: inline-block; width: 40px; height: 40px; border-radius: 20px;
  background: #2a6fdb; color: #ffffff; font-weight: bold;
  text-align: center; line-height: 40px;
}
table.grid td, table.grid th {
  border: 2px solid #9db7e0; padding: 6px 16px; text-align: center;
}
table.grid th { background: #e3edfb; }
table.column {
  font-family: "DejaVu Sans Mono", Consolas, "Courier New", monospace;
  font-size: 34px; margin: 8px 0 20px 40px;
}
table.column td { text-align: right; padding: 2px 8px; }
table.column tr.total td { border-top: 3px solid #1f2a44; padding-top: 8px; }
.sum { font-size: 34px; letter-spacing: 2px; margin: 10px 0 20px 0; }
.box {
  display: inline-block; width: 64px; height: 40px; vertical-align: middle;
  border: 3px solid #2a6fdb; border-radius: 8px; background: #ffffff;
}
.frac {
  display: inline-flex; flex-direction: column; align-items: center;
  vertical-align: middle; margin: 0 4px; font-size: 0.9em; line-height: 1.15;
}
.frac .num { border-bottom: 2px solid #1f2a44; padding: 0 4px; }
.frac .den { padding: 0 4px; }
.mixed { white-space: nowrap; }
.note { color: #5b6b8c; font-size: 22px; }
)";

const char WorkingStyle[] =
    R"(section.working { border-top: 3px dashed #9db7e0; margin-top: 12px; padding-top: 4px; }
section.working h2 { font-size: 26px; color: #2a6fdb; margin: 8px 0 12px 0; }
section.working p { margin: 0 0 10px 0; }
)";

void appendPicture(QByteArray& out, const QByteArray& boundary, const QString& url,
                   const bank::Picture& picture) {
    out += "\r\n--" + boundary + "\r\n";
    out += "Content-Type: " + picture.mimeType.toLatin1() + "\r\n";
    if (picture.mimeType.startsWith(QStringLiteral("image/svg"))) {
        // Text pictures stay readable (and diffable) in the archive.
        out += "Content-Transfer-Encoding: quoted-printable\r\n";
        out += "Content-Location: " + url.toLatin1() + "\r\n";
        out += "\r\n";
        out += MhtmlWriter::encodeQuotedPrintable(picture.data);
    } else {
        out += "Content-Transfer-Encoding: base64\r\n";
        out += "Content-Location: " + url.toLatin1() + "\r\n";
        out += "\r\n";
        const QByteArray encoded = picture.data.toBase64();
        for (qsizetype i = 0; i < encoded.size(); i += 76)
            out += encoded.mid(i, 76) + "\r\n";
    }
}

} // namespace

MhtmlWriter::MhtmlWriter(int questionId) : m_questionId(questionId) {}

QString MhtmlWriter::baseUrl() const {
    return QString::fromLatin1(Host) + QStringLiteral("q%1/").arg(m_questionId);
}

QString MhtmlWriter::pageUrl() const {
    return baseUrl() + QStringLiteral("question.html");
}

QString MhtmlWriter::workingUrl() const {
    return baseUrl() + QStringLiteral("working.html");
}

QByteArray MhtmlWriter::boundary() const {
    // "=_" never occurs in quoted-printable or base64 text, so no part can
    // contain the boundary.
    return "----=_QuilloraPart_" + QByteArray::number(m_questionId);
}

QByteArray MhtmlWriter::Page(const bank::Question& question) {
    QByteArray page;
    page += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    page += "<title>Quillora Maths Practice</title>\n<style>\n";
    page += PageStyle;
    page += "</style>\n</head>\n<body>\n";
    page += question.html.toUtf8();
    if (!page.endsWith('\n'))
        page += '\n';
    page += "</body>\n</html>\n";
    return page;
}

QByteArray MhtmlWriter::workingPage(const bank::Question& question) {
    const bank::Working& w = question.working;
    if (w.steps.isEmpty() && w.answers.isEmpty())
        return {};
    QByteArray page;
    page += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    page += "<title>How to work it out</title>\n<style>\n";
    page += PageStyle;
    page += WorkingStyle;
    page += "</style>\n</head>\n<body>\n<section class=\"working\">\n";
    page += "<h2>How to work it out</h2>\n";
    for (const QString& step : w.steps)
        page += "<p class=\"step\">" + step.toUtf8() + "</p>\n";
    const bool parts = w.answers.size() > 1;
    for (int i = 0; i < w.answers.size(); ++i) {
        const QString unit = w.units.value(i);
        QString text = parts ? QStringLiteral("%1 The answer is ").arg(bank::html::partLabel(i))
                             : QStringLiteral("So the answer is ");
        // A choice's key is the number of its option, not the value it shows.
        if (parseAnswerKind(question.blanks.value(i).kind) == AnswerKind::Q)
            text += QStringLiteral("option ");
        if (unit == QStringLiteral("\u00a3"))
            text +=
                unit +
                QStringLiteral("<b class=\"key\">%1</b>").arg(bank::html::escape(w.answers.at(i)));
        else
            text +=
                QStringLiteral("<b class=\"key\">%1</b>").arg(bank::html::escape(w.answers.at(i))) +
                (unit.isEmpty() || unit == QLatin1String("p") ? QString()
                                                              : QStringLiteral("&nbsp;")) +
                bank::html::escape(unit);
        page += QStringLiteral("<p class=\"answer\" data-blank=\"%1\">%2.</p>\n")
                    .arg(i + 1)
                    .arg(text)
                    .toUtf8();
    }
    page += "</section>\n</body>\n</html>\n";
    return page;
}

QByteArray MhtmlWriter::encodeQuotedPrintable(const QByteArray& data) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(data.size() + data.size() / 8);
    QByteArray line; // encoded text of the current output line

    auto flushHard = [&]() {
        // Whitespace ending a line must be escaped, or transports may strip it.
        if (!line.isEmpty() && (line.endsWith(' ') || line.endsWith('\t'))) {
            const char last = line.back();
            line.chop(1);
            const QByteArray escaped =
                QByteArray("=") + hex[(uchar(last) >> 4) & 0xF] + hex[uchar(last) & 0xF];
            if (line.size() + escaped.size() > 76) {
                out += line + "=\r\n";
                line.clear();
            }
            line += escaped;
        }
        out += line + "\r\n";
        line.clear();
    };

    for (qsizetype i = 0; i < data.size(); ++i) {
        const uchar c = uchar(data.at(i));
        if (c == '\r' && i + 1 < data.size() && data.at(i + 1) == '\n')
            continue; // the "\n" that follows ends the line
        if (c == '\n') {
            flushHard();
            continue;
        }
        QByteArray token;
        if ((c >= 33 && c <= 126 && c != '=') || c == ' ' || c == '\t') {
            token = QByteArray(1, char(c));
        } else {
            token = QByteArray("=") + hex[c >> 4] + hex[c & 0xF];
        }
        // Soft break: "=" at the end counts towards the 76 characters.
        if (line.size() + token.size() > 75) {
            out += line + "=\r\n";
            line.clear();
        }
        line += token;
    }
    if (!line.isEmpty())
        flushHard();
    return out;
}

QByteArray MhtmlWriter::archive(const bank::Question& question) const {
    const QByteArray b = boundary();
    QByteArray out;
    out += "From: <Saved by Quillora Maths Practice>\r\n";
    out += "Subject: Quillora Maths Practice\r\n";
    out += "MIME-Version: 1.0\r\n";
    out += "Content-Type: multipart/related;\r\n";
    out += "\ttype=\"text/html\";\r\n";
    out += "\tboundary=\"" + b + "\"\r\n";
    out += "\r\n";
    out += "This is a multi-part message in MIME format.\r\n";
    out += "\r\n";

    out += "--" + b + "\r\n";
    out += "Content-Type: text/html; charset=\"utf-8\"\r\n";
    out += "Content-Transfer-Encoding: quoted-printable\r\n";
    out += "Content-Location: " + pageUrl().toLatin1() + "\r\n";
    out += "\r\n";
    out += encodeQuotedPrintable(Page(question));

    for (const bank::Picture& picture : question.pictures)
        appendPicture(out, b, baseUrl() + picture.name, picture);

    const QByteArray working = workingPage(question);
    if (!working.isEmpty()) {
        out += "\r\n--" + b + "\r\n";
        out += "Content-Type: text/html; charset=\"utf-8\"\r\n";
        out += "Content-Transfer-Encoding: quoted-printable\r\n";
        out += "Content-Location: " + workingUrl().toLatin1() + "\r\n";
        out += "\r\n";
        out += encodeQuotedPrintable(working);
        for (const bank::Picture& picture : question.working.pictures)
            appendPicture(out, b, baseUrl() + picture.name, picture);
    }
    out += "\r\n--" + b + "--\r\n";
    return out;
}
