#pragma once
// Reading one picture description strictly: each field is asked for with its
// kind and range, the first wrong one is reported by its path ("rows[2].value")
// and why, and Finish reports fields nobody asked for.

#include <QList>
#include <QStringList>
#include <QVariantMap>
#include <deque>
#include <memory>

namespace bank::pictures {

// "7", "-3", "7.5", "−2" (a minus sign) as a number.
bool parseNumber(const QString& text, double* value);
// "1 cell", "3 cells".
QString count(int n, const QString& thing);
// Whether two field names differ by a slip of at most two letters.
bool looksLike(const QString& a, const QString& b);
// Whether value is a whole multiple of step (to a millionth of the step).
bool isMultiple(double value, double step);

class Fields {
public:
    Fields(const QVariantMap& map, const QString& path, std::shared_ptr<QString> error);

    bool has(const QString& key) const { return map_.contains(key); }
    // The path of a field for a message: "rows[2].value".
    QString pathOf(const QString& key) const;

    QString textOf(const QString& key);                          // required
    QString textOf(const QString& key, const QString& fallback); // optional
    double numberOf(const QString& key);
    double numberOf(const QString& key, double fallback);
    int integer(const QString& key, int min, int max);
    int integer(const QString& key, int min, int max, int fallback);
    bool flag(const QString& key, bool fallback);
    // One of choices; with an empty fallback the field is required.
    QString choice(const QString& key, const QStringList& choices,
                   const QString& fallback = QString());
    // The list under key (required unless optional; then empty when absent).
    QVariantList listOf(const QString& key, bool optional = false);
    // The maps of a list, each read as Fields of its own ("rows[2]").
    QList<Fields*> maps(const QString& key, bool optional = false);
    // A list of numbers (a point [3, 4], a row of heights).
    QList<double> numbers(const QVariant& value, const QString& name);

    // Records why key is wrong; the first fault of a description is kept.
    void fail(const QString& key, const QString& why);
    void failAt(const QString& name, const QString& why); // name already a path
    bool ok() const { return error_->isEmpty(); }
    // Reports the first field that was never read, here and in every child.
    void finish();
    // The fields of this map nobody asked for.
    QStringList unreadKeys() const;

private:
    QVariant take(const QString& key);

    QVariantMap map_;
    QString path_;
    std::shared_ptr<QString> error_;
    QStringList read_;
    std::deque<Fields> children_;
};

// A scalar of a description as text (lists and maps give a null string).
QString scalar(const QVariant& value);
bool isList(const QVariant& value);
QVariantList toList(const QVariant& value);

} // namespace bank::pictures
