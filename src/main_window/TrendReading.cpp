#include "TrendReading.h"
#include "results/TrendLog.h"

QList<double> TrendReading::fromFile(const QString& trendPath) {
    const Read<QString> line = readTrendLine(trendPath);
    if (!line.ok() || line.value.isEmpty())
        return {};
    return trendValues(line.value, MaxPoints);
}
