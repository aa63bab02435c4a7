#pragma once
// Writes one question as a web archive (RFC 2557 multipart/related): the page
// as a quoted-printable HTML part, each picture as a further part. Every line
// ends in CR LF, since the HTML view rejects the archive otherwise.
//
// Parts are located at http-style URLs under a per-question folder; the view
// refuses pictures located at file: URLs. The page refers to its pictures by
// bare file name, which resolves against the page's own location.

#include "Bank.h"

#include <QByteArray>
#include <QString>

class MhtmlWriter {
public:
    explicit MhtmlWriter(int questionId);

    // The folder URL the parts live under, ending in "/".
    QString baseUrl() const;
    QString pageUrl() const;
    QByteArray archive(const bank::Question& question) const;

    // The full HTML page around a question body: style and markup.
    static QByteArray Page(const bank::Question& question);
    // The page of the question's working: one <section class="working"> with
    // the heading, the steps and one answer paragraph per blank, ending in
    // <b class="key">. Empty when the question has no working.
    static QByteArray workingPage(const bank::Question& question);
    QString workingUrl() const;
    // RFC 2045 quoted-printable with CR LF hard line breaks: lines of at most
    // 76 characters, "=" and bytes outside printable ASCII escaped, spaces
    // escaped where they would end a line. "\n" and "\r\n" in data both
    // become one hard line break.
    static QByteArray encodeQuotedPrintable(const QByteArray& data);

private:
    QByteArray boundary() const;
    int m_questionId;
};
