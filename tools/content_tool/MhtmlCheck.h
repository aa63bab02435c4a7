#pragma once
// Checks a question document. First the bytes as written: CR LF line ends, a
// multipart/related body whose boundary is found and closed, parts whose
// headers end and whose bodies decode without a fault (the program's reader
// forgives a broken escape or a damaged picture; a shipped document must not
// need that). Then the document as the program reads it (MhtmlArchive): its
// page and its working must each find every picture they show.

#include <QByteArray>
#include <QStringList>

class MhtmlCheck {
public:
    // Problems as plain sentences; empty when the document is sound.
    static QStringList check(const QByteArray& bytes);
    // The <img src> references of an HTML text, in order (entities decoded).
    static QStringList imageSources(const QString& html);
};
