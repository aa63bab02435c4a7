#pragma once
// The trend log: one record "#TRD#>v1>v2..." of first-attempt percentages,
// oldest first.

#include "core/RecordFile.h"
#include <QList>
#include <QString>

// The tag of the trend record, "TRD".
QString trendTag();
// The whole "#TRD#" line, or the empty text when no line holds it.
Read<QString> readTrendLine(const QString& path);
// Appends ">" + value to the trend line and rewrites the file with that single
// line. A file without a "#TRD#" line gets a fresh one holding the value.
RecordWrite appendTrendValue(const QString& path, const QString& value,
                             FileWriteBatch* batch = nullptr);
// The last (at most) maxCount values of a trend line, oldest first. The entries
// are counted by the ">" of every character but the last, so a trailing empty
// field is not taken.
QList<double> trendValues(const QString& trendLine, int maxCount);
