#pragma once
// A teacher's module from its source folder: "module.yaml" (id, version,
// heading, author, topics) and one YAML file per paper in the bank's own
// source format, read in its module mode. Papers are checked with the
// source validator's rules, written questions rendered as the bank renders
// them, documents taken as they are, and picture readings in checks replaced
// by the values they read, so that the module file's validator can recompute
// every check without a picture at hand.

#include "Expression.h"
#include "core/ModuleFile.h"

#include <QString>
#include <QStringList>

namespace bank::source {

struct PackResult {
    ModuleSource module;
    QByteArray bytes;     // the module file, when there is no problem
    QStringList problems; // "FILE:LINE: what is wrong", empty when it packs
};

// Reads, validates and renders the folder; nothing in it is changed.
PackResult packModule(const QString& folder);

// The check with every picture reading (reading(clock), count(p, "Ivan"), ...)
// replaced by the value it reads: 'count(p, "Ivan") - 4' becomes '12 - 4'.
// Empty with *error set when a reading cannot be made.
QString resolveReadings(const QString& check, const PictureLookup& pictures, QString* error);

} // namespace bank::source
