// TEMPORARY: see Pictures.h.
#include "Pictures.h"

#include <QVariantList>

namespace bank::pictures {

namespace {

QString Field(const QVariantMap& p, const char* name) {
    return p.value(QLatin1String(name)).toString();
}

QVariantList Rows(const QVariantMap& p) {
    const QString type = Field(p, "type");
    return p
        .value(type == QLatin1String("barchart") ? QStringLiteral("bars") : QStringLiteral("rows"))
        .toList();
}

QString Number(double v) {
    return QString::number(v, 'g', 12);
}

} // namespace

Drawn Draw(const QVariantMap& picture) {
    const QString type = Field(picture, "type");
    if (type.isEmpty())
        return {{}, QStringLiteral("picture \"%1\": no type").arg(Field(picture, "name"))};
    const QString body =
        QStringLiteral(
            "<rect x=\"1\" y=\"1\" width=\"318\" height=\"78\" fill=\"#ffffff\" "
            "stroke=\"#9db7e0\" stroke-width=\"2\"/>\n"
            "<text x=\"160\" y=\"46\" font-size=\"16\" text-anchor=\"middle\">%1</text>\n")
            .arg(type.toHtmlEscaped());
    return {QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"320\" height=\"80\" "
                           "viewBox=\"0 0 320 80\">\n%1</svg>\n")
                .arg(body)
                .toUtf8(),
            {}};
}

QString Read(const QVariantMap& picture, const QString& function, const QString& argument,
             QString* error) {
    const QString type = Field(picture, "type");
    const auto fail = [&](const QString& why) {
        *error = why;
        return QString();
    };
    if (function == QLatin1String("reading")) {
        if (type == QLatin1String("clock"))
            return QStringLiteral("%1:%2")
                .arg(Field(picture, "hour"))
                .arg(Field(picture, "minute").toInt(), 2, 10, QLatin1Char('0'));
        if (type == QLatin1String("digital"))
            return Field(picture, "time");
        if (type == QLatin1String("ruler"))
            return Number(Field(picture, "end").toDouble() - Field(picture, "start").toDouble());
        if (type == QLatin1String("money")) {
            int total = 0;
            for (const QVariant& v : picture.value(QStringLiteral("pieces")).toList())
                total += v.toString().toInt();
            return QString::number(total);
        }
        if (picture.contains(QStringLiteral("value")))
            return Field(picture, "value");
        return fail(QStringLiteral("a %1 has no reading").arg(type));
    }
    if (function == QLatin1String("shaded")) {
        if (type != QLatin1String("fraction"))
            return fail(QStringLiteral("only a fraction shape has a shaded part"));
        return Field(picture, "shaded") + QLatin1Char('/') + Field(picture, "parts");
    }
    if (function == QLatin1String("cubes")) {
        int total = 0;
        for (const QVariant& row : picture.value(QStringLiteral("heights")).toList())
            for (const QVariant& h : row.toList())
                total += h.toString().toInt();
        return QString::number(total);
    }
    if (function == QLatin1String("squares")) {
        int total = 0;
        for (const QVariant& s : picture.value(QStringLiteral("shapes")).toList()) {
            const QVariantMap shape = s.toMap();
            if (argument.isEmpty() || shape.value(QStringLiteral("letter")).toString() == argument)
                total += int(shape.value(QStringLiteral("cells")).toList().size());
        }
        return QString::number(total);
    }
    const QVariantList rows = Rows(picture);
    if (rows.isEmpty())
        return fail(QStringLiteral("a %1 has no rows to %2").arg(type, function));
    double total = 0;
    QString most, fewest;
    double mostValue = -1, fewestValue = 1e18;
    for (const QVariant& r : rows) {
        const QVariantMap row = r.toMap();
        const QString label = row.value(QStringLiteral("label")).toString();
        const double value = row.value(QStringLiteral("value")).toString().toDouble();
        if (function == QLatin1String("count") && label == argument)
            return Number(value);
        total += value;
        if (value > mostValue)
            mostValue = value, most = label;
        if (value < fewestValue)
            fewestValue = value, fewest = label;
    }
    if (function == QLatin1String("total"))
        return Number(total);
    if (function == QLatin1String("most"))
        return most;
    if (function == QLatin1String("fewest"))
        return fewest;
    return fail(QStringLiteral("no row \"%1\" to count").arg(argument));
}

} // namespace bank::pictures
