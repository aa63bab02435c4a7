#pragma once
// Drawing helpers beyond the basic set of Bank.h, used by the topic
// generators: primitives, the richer pictures (dials with chosen divisions,
// cube blocks, calendars, picture graphs, price tags) and the colours they
// share, so that every picture of the bank has the same friendly look.

#include "Bank.h"

namespace bank::svg {

// Colours: dark slate ink, soft fills, a few clear accents.
inline constexpr const char* kInk = "#334155";
inline constexpr const char* kFaint = "#94a3b8";
inline constexpr const char* kPaper = "#ffffff";
inline constexpr const char* kFont = "'DejaVu Sans', Arial, Helvetica, sans-serif";

// A soft fill and a matching darker accent, by index (cycles).
QString SoftColour(int index);
QString AccentColour(int index);

// A coordinate or length as short, stable text ("12", "12.5", "-3.25").
QString Num(double value);

QString Line(double x1, double y1, double x2, double y2, const QString& stroke, double width,
             const QString& extra = QString());
QString Rect(double x, double y, double w, double h, const QString& fill, const QString& stroke,
             double strokeWidth, double radius = 0);
QString Circle(double cx, double cy, double r, const QString& fill, const QString& stroke,
               double strokeWidth);
QString Polygon(const QList<QPair<double, double>>& points, const QString& fill,
                const QString& stroke, double strokeWidth);
QString Translate(double x, double y, const QString& body);
// A point at `length` from (cx, cy) in the direction `degrees` clockwise from up.
QPair<double, double> Polar(double cx, double cy, double length, double degrees);
// The lines of a grid of cols x rows cells from (0, 0), and the outline of a
// shape made of some of its cells (column, row): every cell side with no
// cell of the shape across it.
QString GridLines(int cols, int rows, double cell);
QString CellOutline(const QList<QPair<int, int>>& cells, double cell);
// Where the label of the side from a to b of a shape whose points run
// clockwise goes: the side's middle moved offset outwards, the outward
// direction's y part, and the text anchor that keeps the label off the side.
struct SideSpot {
    double x, y, outY;
    QString anchor;
};
SideSpot SideLabelSpot(QPair<double, double> a, QPair<double, double> b, double offset);
// The element with a class attribute added, so that a reader of the picture
// (a test, a style sheet) can find the parts that carry meaning: "money",
// "ruler-number", "cell", "outline", "cube", "end-mark", "symbol", ...
QString Tagged(const QString& element, const QString& cls);

// Text in bold.
QString BoldText(double x, double y, const QString& text, int size = 16,
                 const QString& anchor = QStringLiteral("middle"), const QString& fill = kInk);

// Direction of a clock hand in degrees clockwise from twelve o'clock.
double HourHandAngle(int hour, int minute);
double MinuteHandAngle(int minute);

// A weighing scale whose dial runs clockwise over 300 degrees from 0 (lower
// left) to maxValue (lower right); numbers every labelStep, ticks every
// minorStep, the pointer at value. The tray on top is for the caller's object:
// ScaleTrayTop gives the y of its upper surface.
QString ScaleDial(double cx, double cy, double r, double maxValue, double labelStep,
                  double minorStep, double value, const QString& unit);
double ScaleTrayTop(double cy, double r);
// Angle of the pointer, degrees clockwise from straight up.
double ScalePointerAngle(double maxValue, double value);

// Something to weigh or measure, drawn in a box of the given size.
enum class Thing { Parcel, Bag, Melon, Apples, Pencil, Crayon, Ribbon, Straw, Stick };
QString ThingPicture(Thing thing, double x, double y, double w, double h, int colour);

// A pan balance: a labelled box on each pan; tilt -1 when the left side is
// heavier (it hangs lower), 1 when the right side is, 0 when level. The
// picture is 360 x 220, its top left at (x, y).
QString Balance(double x, double y, const QString& left, const QString& right, int tilt);

// Unit cubes: heights[row][column], row 0 at the back; (x, y) is the front
// bottom-left corner of the front row; size is a cube's edge in pixels.
QString CubeBlock(const QList<QList<int>>& heights, double x, double y, double size);
// Width and height that CubeBlock needs (for sizing the document).
QPair<double, double> CubeBlockExtent(int rows, int columns, int maxHeight, double size);

// A month page: weekday heads from Sunday, days 1..dayCount, the first day in
// column firstWeekday (0 = Sunday). Returns the body; CalendarHeight gives its
// height for a cell size.
QString Calendar(const QString& title, int firstWeekday, int dayCount, double x, double y,
                 double cell);
double CalendarHeight(int firstWeekday, int dayCount, double cell);

// A rectangle with its side lengths written along the top and the right.
QString LabelledRect(double x, double y, double w, double h, const QString& topLabel,
                     const QString& sideLabel, int colour);

// A polygon (points in pixels, clockwise on screen) with a label beside each
// edge; an empty label leaves its edge unlabelled.
QString LabelledPolygon(const QList<QPair<double, double>>& points, const QStringList& labels,
                        int colour);

// A price tag hanging from a labelled item box.
QString PriceTag(double x, double y, double w, const QString& item, const QString& price,
                 int colour);

// A picture-graph symbol centred at (cx, cy); half draws only its left half.
enum class Symbol { Star, Smiley, Heart, Apple, Book, Flower, Fish, Ball };
QString SymbolPicture(Symbol symbol, double cx, double cy, double size, bool half,
                      const QString& clipId);

struct PictureGraphData {
    QString title;
    QStringList labels; // one row (or column) per label
    QList<int> values;  // what each label stands for, in units
    int perSymbol = 1;  // units per symbol; values must be multiples of perSymbol/2
    Symbol symbol = Symbol::Star;
    QString unitWord; // "books" in "Each ★ stands for 2 books"
    bool vertical = false;
};
// The whole document of a picture graph with its key.
QByteArray PictureGraph(const PictureGraphData& data);
// The key sentence under a picture graph, e.g. "stands for 2 books".
QString KeyCaption(const PictureGraphData& data);

} // namespace bank::svg
