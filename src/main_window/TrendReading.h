#pragma once
// The values the trend plot shows: the last (at most) 20 first-attempt scores
// of the module's trend log, oldest first.

#include <QList>
#include <QString>

class TrendReading {
public:
    static constexpr int MaxPoints = 20;
    // A missing file or a file without a "#TRD#" line gives no values.
    static QList<double> fromFile(const QString& trendPath);
};
