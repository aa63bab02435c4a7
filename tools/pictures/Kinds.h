#pragma once
// The picture types: each reads its fields, draws its body and records the
// readings a check may ask of it.

#include "Fields.h"
#include "Svg.h"

#include <QHash>

namespace bank::pictures {

struct Picture {
    // Starts the ids the body defines, so that two pictures inlined in one
    // page do not share one.
    QString idPrefix;
    QString body;
    double width = 0, height = 0;
    // "function" or "function:argument" -> the value as text.
    QHash<QString, QString> readings;
    // Same keys -> why that reading cannot be given (a tie for "most").
    QHash<QString, QString> refusals;
    // Why a "count" of a label not in the picture fails ("the rows are ...").
    QString unknownLabel;
};

using Maker = void (*)(Fields&, Picture&);

// Records count(label), total, most and fewest of labelled rows.
void setRows(Picture& picture, const QStringList& labels, const QList<double>& values,
             const QString& what);

// A measuring scale's divisions: labels every labelStep from min to max,
// `minor` divisions between two labels. Reads the fields and checks that
// they make a scale a pupil can read.
struct Graduation {
    double min = 0, max = 0, labelStep = 1;
    int minor = 1;
    double minorStep() const { return labelStep / minor; }
    int divisions() const;
    double at(int division) const { return min + division * minorStep(); }
    bool labelled(int division) const { return division % minor == 0; }
    // The halfway mark between two labels is drawn longer when it exists.
    bool halfway(int division) const;
};
Graduation readGraduation(Fields& f, bool hasMin);
// The value field, checked to lie on the scale.
double readValueOn(Fields& f, const Graduation& g);

void makeClock(Fields& f, Picture& p);
void makeDigital(Fields& f, Picture& p);
void makeScale(Fields& f, Picture& p);
void makeBalance(Fields& f, Picture& p);
void makeRuler(Fields& f, Picture& p);
void makeThermometer(Fields& f, Picture& p);
void makeJug(Fields& f, Picture& p);
void makeMoney(Fields& f, Picture& p);
void makePriceTags(Fields& f, Picture& p);
void makePictogram(Fields& f, Picture& p);
void makeTally(Fields& f, Picture& p);
void makeBarChart(Fields& f, Picture& p);
void makeTable(Fields& f, Picture& p);
void makeTimetable(Fields& f, Picture& p);
void makeNumberLine(Fields& f, Picture& p);
void makeBarModel(Fields& f, Picture& p);
void makePlaceValue(Fields& f, Picture& p);
void makeArray(Fields& f, Picture& p);
void makeObjects(Fields& f, Picture& p);
void makeCalendar(Fields& f, Picture& p);
void makeGrid(Fields& f, Picture& p);
void makeShape(Fields& f, Picture& p);
void makeFraction(Fields& f, Picture& p);
void makeCubes(Fields& f, Picture& p);
void makeShapes2d(Fields& f, Picture& p);

} // namespace bank::pictures
