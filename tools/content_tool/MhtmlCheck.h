#pragma once
// Checks that a question document is a well-formed web archive (RFC 2557):
// CR LF line ends only; a multipart/related body whose boundary is found and
// closed; parts with headers, a known transfer encoding and a body that
// decodes; an HTML root part (the "start" part or the first); and every
// <img src> of the root resolving to an image part, by Content-ID ("cid:") or
// by Content-Location, relative to the root part's own location.

#include <QByteArray>
#include <QStringList>

class MhtmlCheck {
public:
    // One part of an archive, decoded.
    struct DecodedPart {
        QByteArray type;  // lower case, without parameters: "text/html"
        QString location; // Content-Location as written
        QByteArray data;
    };
    // The parts in archive order (the root is the first text/html part);
    // empty when the archive cannot be split.
    static QList<DecodedPart> parts(const QByteArray& bytes);
    // Problems as plain sentences; empty when the archive is sound.
    static QStringList check(const QByteArray& bytes);
    // The <img src> references of an HTML text, in order (entities decoded).
    static QStringList imageSources(const QString& html);
    // Quoted-printable decoding; *ok false on a broken "=" escape.
    static QByteArray decodeQuotedPrintable(const QByteArray& body, bool* ok);
};
