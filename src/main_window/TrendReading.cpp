#include "TrendReading.h"
#include "results/TrendLog.h"

QList<double> TrendReading::FromFile(const QString& trendPath) {
    const Read<QString> line = ReadTrendLine(trendPath);
    if (!line.ok() || line.value.isEmpty())
        return {};
    return TrendValues(line.value, MaxPoints);
}
