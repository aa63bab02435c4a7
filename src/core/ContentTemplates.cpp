#include "core/ContentTemplates.h"

#include <QString>
#include <QStringList>

namespace {

// Between "..." lines, as the shipped templates stand.
QByteArray framed(const QStringList& records) {
    QByteArray out = "...\r\n";
    for (const QString& line : records)
        out += line.toLatin1() + "\r\n";
    return out + "...\r\n";
}

} // namespace

QByteArray marksTemplateText(int paperCount) {
    const QString empty = QString(paperCount, QLatin1Char('>'));
    const QString zeroFields =
        QStringLiteral(">") + QStringList(paperCount, QStringLiteral("0")).join(QLatin1Char('>'));
    return framed({QStringLiteral("#FSE#") + empty, QStringLiteral("#SSE#") + empty,
                   QStringLiteral("#LTM#") + empty, QStringLiteral("#CDD#") + empty,
                   QStringLiteral("#FST#") + zeroFields, QStringLiteral("#SST#") + zeroFields});
}

QByteArray paperTemplateText(const QList<int>& blanksPerPaper) {
    QStringList records;
    for (int p = 0; p < blanksPerPaper.size(); ++p)
        records << QStringLiteral("#%1#").arg(101 + p) +
                       QString(blanksPerPaper.at(p), QLatin1Char('>'));
    return framed(records);
}

QByteArray trendTemplateText() {
    return QByteArrayLiteral("#TRD#");
}
