#include "Examples.h"

#include <QJsonDocument>
#include <QStringList>

namespace bank::pictures::examples {

namespace {

QVariant asText(const QVariant& v) {
    if (v.typeId() == QMetaType::QVariantMap) {
        QVariantMap out;
        const QVariantMap in = v.toMap();
        for (auto it = in.cbegin(); it != in.cend(); ++it)
            out.insert(it.key(), asText(it.value()));
        return out;
    }
    if (v.typeId() == QMetaType::QVariantList) {
        QVariantList out;
        for (const QVariant& item : v.toList())
            out << asText(item);
        return out;
    }
    if (v.typeId() == QMetaType::Bool)
        return QString(v.toBool() ? "true" : "false");
    if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        return d == double(qint64(d)) ? QString::number(qint64(d)) : QString::number(d);
    }
    return v.toString();
}

const char* const GoodJson[] = {
    R"({"name": "clock-325", "type": "clock", "hour": 3, "minute": 25, "alt": "a clock"})",
    R"({"name": "clock-roman", "type": "clock", "hour": 11, "minute": 50, "numerals": "roman"})",
    R"({"name": "clock-bare", "type": "clock", "hour": 6, "minute": 0, "numerals": "none"})",
    R"({"name": "digital-24", "type": "digital", "time": "19:15"})",
    R"({"name": "digital-pm", "type": "digital", "time": "7:05 pm"})",
    R"({"name": "scale-kg", "type": "scale", "max": 5, "label_step": 1, "minor": 2,
        "value": 3.5, "unit": "kg"})",
    R"({"name": "scale-between", "type": "scale", "max": 500, "label_step": 100, "minor": 1,
        "value": 250, "unit": "g"})",
    R"({"name": "balance-left", "type": "balance", "left": "apple", "right": "5 cubes",
        "tilt": "left"})",
    R"({"name": "balance-level", "type": "balance", "left": "bag of rice", "right": "1 kg",
        "tilt": "level"})",
    R"({"name": "ruler-mm", "type": "ruler", "length": 12, "start": 2, "end": 9.3,
        "object": "crayon", "mm": true})",
    R"({"name": "ruler-long", "type": "ruler", "length": 20, "start": 1, "end": 16,
        "object": "ribbon"})",
    R"({"name": "thermo-cold", "type": "thermometer", "min": -10, "max": 20, "label_step": 5,
        "minor": 5, "value": -3})",
    R"({"name": "jug-ml", "type": "jug", "max": 1000, "label_step": 200, "minor": 2,
        "value": 700, "unit": "ml"})",
    R"({"name": "jug-l", "type": "jug", "max": 5, "label_step": 1, "minor": 4, "value": 2.25,
        "unit": "l"})",
    R"({"name": "money-coins", "type": "money", "pieces": [50, 20, 20, 5, 2, 1, 100, 200, 10]})",
    R"({"name": "money-notes", "type": "money", "pieces": [500, 1000, 2000, 5000, 200, 50]})",
    R"({"name": "tags-two", "type": "pricetags", "tags": [{"item": "rubber", "price": "35p"},
        {"item": "notebook", "price": "£1.20"}]})",
    R"({"name": "picto-halves", "type": "pictogram", "title": "Books read", "symbol": "star",
        "key": 2, "rows": [{"label": "Kevin", "value": 7}, {"label": "Ivan", "value": 10},
        {"label": "Mia", "value": 4}]})",
    R"({"name": "picto-quarters", "type": "pictogram", "title": "Favourite fruit",
        "symbol": "circle", "key": 4, "rows": [{"label": "apple", "value": 9},
        {"label": "banana", "value": 14}, {"label": "grapes", "value": 3},
        {"label": "pear", "value": 8}]})",
    R"({"name": "picto-smiley", "type": "pictogram", "symbol": "smiley", "key": 10,
        "rows": [{"label": "Class 3", "value": 45}, {"label": "Class 4", "value": 30}]})",
    R"({"name": "picto-long", "type": "pictogram", "title": "Books borrowed", "symbol": "heart",
        "key": 2, "rows": [{"label": "Class 4 pupils", "value": 23}, {"label": "Teachers",
        "value": 6}]})",
    R"({"name": "bars-eight", "type": "barchart", "axis": "pupils", "step": 1, "max": 8,
        "bars": [{"label": "Mon", "value": 3}, {"label": "Tue", "value": 5}, {"label": "Wed",
        "value": 8}, {"label": "Thu", "value": 2}, {"label": "Fri", "value": 6},
        {"label": "Sat", "value": 1}, {"label": "Sun", "value": 0.5},
        {"label": "Holiday", "value": 7}]})",
    R"({"name": "tally-pets", "type": "tally", "title": "Our pets", "rows": [
        {"label": "cat", "value": 7}, {"label": "dog", "value": 12},
        {"label": "fish", "value": 4}]})",
    R"({"name": "bars-sport", "type": "barchart", "title": "Favourite sport", "axis": "children",
        "step": 2, "max": 12, "bars": [{"label": "netball", "value": 8},
        {"label": "football", "value": 11}, {"label": "tennis", "value": 4},
        {"label": "swimming", "value": 6}]})",
    R"({"name": "table-box", "type": "table", "header": ["Name", "Team", "Goals"],
        "rows": [["Asha", "Red", 4], ["Ben", "Blue", 7], ["Cara", "Red", []],
        ["Dev", "Blue", "?"]]})",
    R"({"name": "table-plain", "type": "table", "header": ["Fruit", "Number sold"],
        "rows": [["apples", 24], ["pears", 18], ["plums", 30]]})",
    R"({"name": "timetable-bus", "type": "timetable", "header": ["Stop", "Bus A", "Bus B"],
        "rows": [["School", "08:15", "09:40"], ["Park", "08:32", "09:57"],
        ["Library", "08:50", "-"]]})",
    R"({"name": "line-jumps", "type": "numberline", "from": 30, "to": 60, "step": 1,
        "labels": 10, "jumps": [{"from": 37, "to": 40, "label": "+3"},
        {"from": 40, "to": 56, "label": "+16"}]})",
    R"({"name": "line-marks", "type": "numberline", "from": 0, "to": 100, "step": 10,
        "labels": 1, "marks": [{"at": 70, "label": "A"}]})",
    R"({"name": "line-tenths", "type": "numberline", "from": 0, "to": 1, "step": 0.1,
        "labels": 5, "marks": [{"at": 0.3, "label": "?"}]})",
    R"({"name": "line-back", "type": "numberline", "from": 0, "to": 20, "step": 1, "labels": 5,
        "jumps": [{"from": 14, "to": 9, "label": "-5"}], "marks": [{"at": 9, "label": "?"}]})",
    R"({"name": "barmodel-whole", "type": "barmodel", "whole": "45", "parts": [
        {"label": "28", "size": 28}, {"label": "?", "size": 17}]})",
    R"({"name": "barmodel-compare", "type": "barmodel", "bars": [
        {"name": "Sam", "parts": [{"label": "36", "size": 36}]},
        {"name": "Lily", "parts": [{"label": "24", "size": 24}, {"label": "?", "size": 12}]}]})",
    R"({"name": "barmodel-equal", "type": "barmodel", "whole": "?", "parts": [
        {"label": "5", "size": 5}, {"label": "5", "size": 5}, {"label": "5", "size": 5},
        {"label": "5", "size": 5}]})",
    R"({"name": "pv-digits", "type": "placevalue", "columns": ["Th", "H", "T", "O"],
        "digits": "3405"})",
    R"({"name": "pv-counters", "type": "placevalue", "columns": ["H", "T", "O"],
        "counters": [2, 13, 7]})",
    R"({"name": "pv-missing", "type": "placevalue", "columns": ["H", "T", "O"], "digits": "4?7"})",
    R"({"name": "pv-decimals", "type": "placevalue", "columns": ["Ones", "Tenths",
        "Hundredths"], "counters": [0, 2, 3]})",
    R"({"name": "line-negative", "type": "numberline", "from": -10, "to": 10, "step": 2,
        "labels": 1, "marks": [{"at": -4, "label": "B"}]})",
    R"({"name": "bars-many", "type": "barchart", "title": "Birds seen", "axis": "birds",
        "step": 5, "max": 30, "bars": [{"label": "robin", "value": 25}, {"label": "crow",
        "value": 10}, {"label": "owl", "value": 2.5}, {"label": "wren", "value": 15},
        {"label": "duck", "value": 30}, {"label": "jay", "value": 5}]})",
    R"({"name": "array-4x5", "type": "array", "rows": 4, "columns": 5})",
    R"({"name": "array-stars", "type": "array", "rows": 3, "columns": 8, "object": "star"})",
    R"({"name": "objects-groups", "type": "objects", "groups": [{"count": 5, "label": "eggs"},
        {"count": 5, "label": "eggs"}, {"count": 5, "label": "eggs"}]})",
    R"({"name": "objects-ringed", "type": "objects", "groups": [{"count": 12,
        "label": "sweets"}], "ringed": 3})",
    R"({"name": "calendar-march", "type": "calendar", "month": "March", "year": 2026,
        "first_weekday": 7, "days": 31})",
    R"({"name": "calendar-plain", "type": "calendar", "month": "February", "first_weekday": 3,
        "days": 28})",
    R"({"name": "grid-rect", "type": "grid", "columns": 8, "rows": 6, "shapes": [
        {"letter": "A", "cells": [[1,1],[2,1],[3,1],[1,2],[2,2],[3,2]]}]})",
    R"({"name": "grid-halves", "type": "grid", "columns": 10, "rows": 6, "shapes": [
        {"letter": "A", "cells": [[1,1],[2,1],[1,2],[2,2]], "half_squares": [[3,1,"sw"],
        [3,2,"nw"]]}, {"letter": "B", "cells": [[6,1],[6,2],[6,3],[7,3],[8,3]]}]})",
    R"({"name": "shape-l", "type": "shape", "points": [[0,0],[4,0],[4,2],[2,2],[2,5],[0,5]],
        "sides": ["4 cm", "2 cm", "2 cm", "3 cm", "2 cm", "5 cm"]})",
    R"({"name": "shape-rect", "type": "shape", "points": [[0,0],[8,0],[8,3],[0,3]],
        "sides": ["8 m", "?", "", ""]})",
    R"({"name": "shape-triangle", "type": "shape", "points": [[0,4],[3,0],[6,4]],
        "sides": ["5 cm", "5 cm", "6 cm"]})",
    R"({"name": "fraction-bar", "type": "fraction", "shape": "bar", "parts": 4, "shaded": 3})",
    R"({"name": "fraction-circle", "type": "fraction", "shape": "circle", "parts": 8,
        "shaded": 3})",
    R"({"name": "fraction-rect", "type": "fraction", "shape": "rectangle", "rows": 2,
        "columns": 5, "shaded": 4})",
    R"({"name": "cubes-steps", "type": "cubes", "heights": [[3,2,1],[2,1,0],[1,0,0]]})",
    R"({"name": "cubes-corner", "type": "cubes", "heights": [[3,0,2],[0,1,0],[1,1,1]]})",
    R"({"name": "shapes-mixed", "type": "shapes2d", "shapes": [{"name": "hexagon",
        "label": "A"}, {"name": "pentagon", "label": "B"}, {"name": "octagon", "label": "C"},
        {"name": "circle", "label": "D"}, {"name": "triangle", "label": "E"},
        {"name": "rectangle", "label": "F"}]})",
    R"({"name": "shapes-long-labels", "type": "shapes2d", "shapes": [{"name": "octagon",
        "label": "perimeter 1 m 20 cm"}, {"name": "square", "label": "A"}]})",
    R"({"name": "shapes-quads", "type": "shapes2d", "shapes": [{"name": "square"},
        {"name": "rhombus"}, {"name": "kite"}, {"name": "trapezium"},
        {"name": "parallelogram"}, {"name": "semicircle"}]})",
};

} // namespace

QVariantMap describe(const char* json) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray(json), &error);
    if (error.error != QJsonParseError::NoError)
        qFatal("bad example %s: %s", json, qPrintable(error.errorString()));
    return asText(doc.toVariant()).toMap();
}

QList<QVariantMap> goodExamples() {
    QList<QVariantMap> out;
    for (const char* json : GoodJson)
        out << describe(json);
    return out;
}

} // namespace bank::pictures::examples
