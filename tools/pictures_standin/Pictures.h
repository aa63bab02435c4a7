#pragma once
// TEMPORARY stand-in for the bank's picture library (tools/pictures), which is
// being written on its own branch: the same interface, a placeholder drawing
// and the simplest readings, so that the sources' reader, renderer and
// validator can be built and tested before it lands. Removed with this
// folder when tools/pictures is merged.

#include <QByteArray>
#include <QString>
#include <QVariantMap>

namespace bank::pictures {

struct Drawn {
    QByteArray svg;
    QString error; // non-empty: the description is wrong
};

Drawn Draw(const QVariantMap& picture);

QString Read(const QVariantMap& picture, const QString& function, const QString& argument,
             QString* error);

} // namespace bank::pictures
