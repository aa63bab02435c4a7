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
void SetRows(Picture& picture, const QStringList& labels, const QList<double>& values,
             const QString& what);

// A measuring scale's divisions: labels every labelStep from min to max,
// `minor` divisions between two labels. Reads the fields and checks that
// they make a scale a pupil can read.
struct Graduation {
    double min = 0, max = 0, labelStep = 1;
    int minor = 1;
    double Division() const { return labelStep / minor; }
    int Divisions() const;
    double At(int division) const { return min + division * Division(); }
    bool Labelled(int division) const { return division % minor == 0; }
    // The halfway mark between two labels is drawn longer when it exists.
    bool Halfway(int division) const;
};
Graduation ReadGraduation(Fields& f, bool hasMin);
// The value field, checked to lie on the scale.
double ReadValueOn(Fields& f, const Graduation& g);

void MakeClock(Fields& f, Picture& p);
void MakeDigital(Fields& f, Picture& p);
void MakeScale(Fields& f, Picture& p);
void MakeBalance(Fields& f, Picture& p);
void MakeRuler(Fields& f, Picture& p);
void MakeThermometer(Fields& f, Picture& p);
void MakeJug(Fields& f, Picture& p);
void MakeMoney(Fields& f, Picture& p);
void MakePriceTags(Fields& f, Picture& p);
void MakePictogram(Fields& f, Picture& p);
void MakeTally(Fields& f, Picture& p);
void MakeBarChart(Fields& f, Picture& p);
void MakeTable(Fields& f, Picture& p);
void MakeTimetable(Fields& f, Picture& p);
void MakeNumberLine(Fields& f, Picture& p);
void MakeBarModel(Fields& f, Picture& p);
void MakePlaceValue(Fields& f, Picture& p);
void MakeArray(Fields& f, Picture& p);
void MakeObjects(Fields& f, Picture& p);
void MakeCalendar(Fields& f, Picture& p);
void MakeGrid(Fields& f, Picture& p);
void MakeShape(Fields& f, Picture& p);
void MakeFraction(Fields& f, Picture& p);
void MakeCubes(Fields& f, Picture& p);
void MakeShapes2d(Fields& f, Picture& p);

} // namespace bank::pictures
