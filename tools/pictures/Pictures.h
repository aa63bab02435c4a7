#pragma once
// The pictures of the bank's sources. A picture is its description as the
// source file holds it (every scalar a QString, lists QVariantList, maps
// QVariantMap); Draw turns it into SVG and Read answers what a check asks of
// it, from the same numbers the drawing shows.

#include <QByteArray>
#include <QString>
#include <QVariantMap>

namespace bank::pictures {

struct Drawn {
    QByteArray svg;
    QString error; // non-empty: the description is wrong, naming the field and why
};

// The SVG document, the same bytes on every machine.
Drawn drawPicture(const QVariantMap& picture);

// A reading of the picture: function is "reading", "count", "total", "most",
// "fewest", "squares", "perimeter", "cubes" or "shaded"; argument is the row
// label for "count" (a shape's letter for "squares" of a grid, "ringed" for
// objects), else empty. The value as text ("7", "7.5", "3:25", "3/4",
// "Kevin"); empty with *error set when the picture cannot give it.
QString Read(const QVariantMap& picture, const QString& function, const QString& argument,
             QString* error);

} // namespace bank::pictures
