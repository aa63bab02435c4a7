#include "Pictures.h"

#include "Kinds.h"

#include <QMap>
#include <algorithm>
#include <cmath>

namespace bank::pictures {

namespace {

const QMap<QString, Maker>& makers() {
    static const QMap<QString, Maker> makers = {
        {QStringLiteral("clock"), makeClock},
        {QStringLiteral("digital"), makeDigital},
        {QStringLiteral("scale"), makeScale},
        {QStringLiteral("balance"), makeBalance},
        {QStringLiteral("ruler"), makeRuler},
        {QStringLiteral("thermometer"), makeThermometer},
        {QStringLiteral("jug"), makeJug},
        {QStringLiteral("money"), makeMoney},
        {QStringLiteral("pricetags"), makePriceTags},
        {QStringLiteral("pictogram"), makePictogram},
        {QStringLiteral("tally"), makeTally},
        {QStringLiteral("barchart"), makeBarChart},
        {QStringLiteral("table"), makeTable},
        {QStringLiteral("timetable"), makeTimetable},
        {QStringLiteral("numberline"), makeNumberLine},
        {QStringLiteral("barmodel"), makeBarModel},
        {QStringLiteral("placevalue"), makePlaceValue},
        {QStringLiteral("array"), makeArray},
        {QStringLiteral("objects"), makeObjects},
        {QStringLiteral("calendar"), makeCalendar},
        {QStringLiteral("grid"), makeGrid},
        {QStringLiteral("shape"), makeShape},
        {QStringLiteral("fraction"), makeFraction},
        {QStringLiteral("cubes"), makeCubes},
        {QStringLiteral("shapes2d"), makeShapes2d},
    };
    return makers;
}

// Reads and draws the description; the error names the picture and the field.
QString make(const QVariantMap& description, Picture* picture) {
    const auto error = std::make_shared<QString>();
    Fields f(description, QString(), error);
    const QString name = f.textOf(QStringLiteral("name"), QString());
    const QString type = f.textOf(QStringLiteral("type"));
    f.textOf(QStringLiteral("alt"), QString());
    QString who =
        name.isEmpty() ? QStringLiteral("picture") : QStringLiteral("picture \"%1\"").arg(name);
    if (!type.isEmpty())
        who += QStringLiteral(" (%1)").arg(type);
    if (!f.ok())
        return who + QStringLiteral(": ") + *error;
    const auto maker = makers().constFind(type);
    if (maker == makers().cend()) {
        return who + QStringLiteral(": field \"type\": \"%1\" is not a picture type (%2)")
                         .arg(type, makers().keys().join(QStringLiteral(", ")));
    }
    for (const QChar c : name)
        picture->idPrefix += c.isLetterOrNumber() && c.unicode() < 128 ? c : QLatin1Char('-');
    picture->idPrefix = QStringLiteral("q-") + picture->idPrefix + QLatin1Char('-');
    (*maker)(f, *picture);
    // A missing field is often one spelt wrongly: name what stands in its place.
    if (!f.ok() && error->endsWith(QLatin1String("is missing"))) {
        const QString missing =
            error->section(QLatin1Char('"'), 1, 1).section(QLatin1Char('.'), -1);
        for (const QString& unread : f.unreadKeys()) {
            if (looksLike(unread, missing)) {
                *error += QStringLiteral(" (\"%1\" is not a field of a %2)").arg(unread, type);
                break;
            }
        }
    }
    f.finish();
    if (!f.ok())
        return who + QStringLiteral(": ") + *error;
    // Wider or taller than a question page can show without shrinking the lettering.
    if (picture->width > 800 || picture->height > 900) {
        return who + QStringLiteral(": it would be %1 x %2 pixels, more than a page shows; use "
                                    "fewer or shorter labels")
                         .arg(std::lround(picture->width))
                         .arg(std::lround(picture->height));
    }
    return QString();
}

} // namespace

int Graduation::divisions() const {
    return int(std::lround((max - min) / minorStep()));
}

bool Graduation::halfway(int division) const {
    return minor >= 4 && minor % 2 == 0 && division % minor == minor / 2;
}

Graduation readGraduation(Fields& f, bool hasMin) {
    Graduation g;
    g.min = hasMin ? f.numberOf(QStringLiteral("min")) : 0;
    g.max = f.numberOf(QStringLiteral("max"));
    g.labelStep = f.numberOf(QStringLiteral("label_step"));
    g.minor = f.integer(QStringLiteral("minor"), 1, 10, 1);
    if (!f.ok())
        return g;
    if (g.max <= g.min)
        f.fail(QStringLiteral("max"),
               QStringLiteral("%1 is not above the scale's start %2").arg(num(g.max), num(g.min)));
    else if (g.labelStep <= 0)
        f.fail(QStringLiteral("label_step"), QStringLiteral("should be above 0"));
    else if (hasMin && !isMultiple(g.min, g.labelStep))
        f.fail(QStringLiteral("min"), QStringLiteral("%1 is not a multiple of label_step %2")
                                          .arg(num(g.min), num(g.labelStep)));
    else if (!isMultiple(g.max - g.min, g.labelStep))
        f.fail(QStringLiteral("max"), QStringLiteral("the scale from %1 to %2 does not end on a "
                                                     "label every %3")
                                          .arg(num(g.min), num(g.max), num(g.labelStep)));
    else if ((g.max - g.min) / g.labelStep > 20)
        f.fail(QStringLiteral("label_step"),
               QStringLiteral("%1 labels are too many to read; take a larger step")
                   .arg(std::lround((g.max - g.min) / g.labelStep) + 1));
    else if (g.divisions() > 100)
        f.fail(QStringLiteral("minor"),
               QStringLiteral("%1 divisions are too many to read").arg(g.divisions()));
    return g;
}

double readValueOn(Fields& f, const Graduation& g) {
    const double value = f.numberOf(QStringLiteral("value"));
    if (f.ok() && (value < g.min - 1e-9 || value > g.max + 1e-9))
        f.fail(QStringLiteral("value"), QStringLiteral("%1 is off the scale, which runs from %2 "
                                                       "to %3")
                                            .arg(num(value), num(g.min), num(g.max)));
    // A pointer between marks is fine when it stands halfway; anywhere else a
    // pupil cannot read it.
    else if (f.ok() && !isMultiple(value - g.min, g.minorStep() / 2))
        f.fail(QStringLiteral("value"),
               QStringLiteral("%1 is neither on a mark nor halfway between two (marks every %2)")
                   .arg(num(value), num(g.minorStep())));
    return value;
}

void setRows(Picture& picture, const QStringList& labels, const QList<double>& values,
             const QString& what) {
    double total = 0;
    for (int i = 0; i < labels.size(); ++i) {
        picture.readings.insert(QStringLiteral("count:") + labels.at(i), num(values.at(i)));
        total += values.at(i);
    }
    picture.readings.insert(QStringLiteral("total"), num(total));
    picture.unknownLabel =
        QStringLiteral("the %1 are %2").arg(what, labels.join(QStringLiteral(", ")));
    if (labels.isEmpty())
        return;
    const auto pick = [&](const QString& key, bool most) {
        const double best = most ? *std::max_element(values.begin(), values.end())
                                 : *std::min_element(values.begin(), values.end());
        QStringList at;
        for (int i = 0; i < labels.size(); ++i) {
            if (std::fabs(values.at(i) - best) < 1e-9)
                at << labels.at(i);
        }
        if (at.size() == 1)
            picture.readings.insert(key, at.first());
        else
            picture.refusals.insert(key,
                                    QStringLiteral("%1 share the %2 (%3)")
                                        .arg(at.join(QStringLiteral(" and ")), key, num(best)));
    };
    pick(QStringLiteral("most"), true);
    pick(QStringLiteral("fewest"), false);
}

Drawn drawPicture(const QVariantMap& picture) {
    Picture p;
    const QString error = make(picture, &p);
    if (!error.isEmpty())
        return {QByteArray(), error};
    return {Document(p.width, p.height, p.body), QString()};
}

QString Read(const QVariantMap& picture, const QString& function, const QString& argument,
             QString* error) {
    Picture p;
    QString why = make(picture, &p);
    const QString key = argument.isEmpty() ? function : function + QLatin1Char(':') + argument;
    if (why.isEmpty() && p.readings.contains(key))
        return p.readings.value(key);
    if (why.isEmpty()) {
        const QString name = scalar(picture.value(QStringLiteral("name")));
        const QString type = scalar(picture.value(QStringLiteral("type")));
        if (p.refusals.contains(key)) {
            why = p.refusals.value(key);
        } else if (!argument.isEmpty() && !p.unknownLabel.isEmpty()) {
            why = QStringLiteral("no \"%1\" in it; %2").arg(argument, p.unknownLabel);
        } else {
            QStringList offered;
            for (auto it = p.readings.cbegin(); it != p.readings.cend(); ++it)
                offered << it.key().section(QLatin1Char(':'), 0, 0);
            offered.removeDuplicates();
            offered.sort();
            why = QStringLiteral("a %1 has no reading \"%2\"%3 (it gives: %4)")
                      .arg(type, function,
                           argument.isEmpty() ? QString()
                                              : QStringLiteral(" of \"%1\"").arg(argument),
                           offered.isEmpty() ? QStringLiteral("none")
                                             : offered.join(QStringLiteral(", ")));
        }
        why = QStringLiteral("picture \"%1\": ").arg(name) + why;
    }
    if (error)
        *error = why;
    return QString();
}

} // namespace bank::pictures
