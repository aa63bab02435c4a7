#include "Fields.h"

#include <algorithm>
#include <cmath>

namespace bank::pictures {

bool parseNumber(const QString& text, double* value) {
    QString t = text.trimmed();
    if (t.startsWith(QChar(0x2212)))
        t.replace(0, 1, QLatin1Char('-'));
    if (t.isEmpty() || t.contains(QLatin1Char('e'), Qt::CaseInsensitive) ||
        t.startsWith(QLatin1Char('+')))
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

QString count(int n, const QString& thing) {
    return QStringLiteral("%1 %2%3").arg(n).arg(thing, n == 1 ? QString() : QStringLiteral("s"));
}

bool looksLike(const QString& a, const QString& b) {
    // Edit distance, row by row.
    QList<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] = std::min(
                {row[j] + 1, row[j - 1] + 1, diagonal + (a.at(i - 1) == b.at(j - 1) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()] <= 2;
}

bool isMultiple(double value, double step) {
    if (step <= 0)
        return false;
    const double n = value / step;
    return std::fabs(n - std::round(n)) < 1e-6;
}

QString scalar(const QVariant& value) {
    if (isList(value) || value.typeId() == QMetaType::QVariantMap || !value.isValid())
        return QString();
    return value.toString();
}

bool isList(const QVariant& value) {
    return value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList;
}

QVariantList toList(const QVariant& value) {
    return value.toList();
}

Fields::Fields(const QVariantMap& map, const QString& path, std::shared_ptr<QString> error)
    : map_(map), path_(path), error_(std::move(error)) {}

QString Fields::pathOf(const QString& key) const {
    return path_.isEmpty() ? key : path_ + QLatin1Char('.') + key;
}

void Fields::fail(const QString& key, const QString& why) {
    failAt(pathOf(key), why);
}

void Fields::failAt(const QString& name, const QString& why) {
    if (error_->isEmpty())
        *error_ = QStringLiteral("field \"%1\": %2").arg(name, why);
}

QVariant Fields::take(const QString& key) {
    if (!read_.contains(key))
        read_ << key;
    return map_.value(key);
}

QString Fields::textOf(const QString& key) {
    if (!has(key)) {
        fail(key, QStringLiteral("is missing"));
        return QString();
    }
    const QVariant v = take(key);
    if (isList(v) || v.typeId() == QMetaType::QVariantMap) {
        fail(key, QStringLiteral("should be a single value, not a list or map"));
        return QString();
    }
    const QString text = scalar(v).trimmed();
    if (text.isEmpty())
        fail(key, QStringLiteral("is empty"));
    return text;
}

QString Fields::textOf(const QString& key, const QString& fallback) {
    const QVariant v = take(key);
    if (has(key) && scalar(v).trimmed().isEmpty() && !isList(v) &&
        v.typeId() != QMetaType::QVariantMap)
        return QString(); // an optional text may be left empty
    return has(key) ? textOf(key) : fallback;
}

double Fields::numberOf(const QString& key) {
    const QString text = textOf(key);
    double v = 0;
    if (ok() && !parseNumber(text, &v))
        fail(key, QStringLiteral("\"%1\" is not a number").arg(text));
    return v;
}

double Fields::numberOf(const QString& key, double fallback) {
    take(key);
    return has(key) ? numberOf(key) : fallback;
}

int Fields::integer(const QString& key, int min, int max) {
    const QString text = textOf(key);
    if (!ok())
        return min;
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok) {
        fail(key, QStringLiteral("\"%1\" is not a whole number").arg(text));
        return min;
    }
    if (v < min || v > max) {
        fail(key, QStringLiteral("%1 is outside %2 to %3").arg(v).arg(min).arg(max));
        return min;
    }
    return v;
}

int Fields::integer(const QString& key, int min, int max, int fallback) {
    take(key);
    return has(key) ? integer(key, min, max) : fallback;
}

bool Fields::flag(const QString& key, bool fallback) {
    take(key);
    if (!has(key))
        return fallback;
    const QString text = textOf(key).toLower();
    if (text == QLatin1String("true") || text == QLatin1String("yes"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("no"))
        return false;
    fail(key, QStringLiteral("\"%1\" should be true or false").arg(text));
    return fallback;
}

QString Fields::choice(const QString& key, const QStringList& choices, const QString& fallback) {
    take(key);
    if (!has(key) && !fallback.isEmpty())
        return fallback;
    const QString text = textOf(key);
    if (ok() && !choices.contains(text)) {
        fail(key, QStringLiteral("\"%1\" is not one of %2")
                      .arg(text, choices.join(QStringLiteral(", "))));
        return choices.value(0);
    }
    return text;
}

QVariantList Fields::listOf(const QString& key, bool optional) {
    take(key);
    if (!has(key)) {
        if (!optional)
            fail(key, QStringLiteral("is missing"));
        return {};
    }
    const QVariant v = take(key);
    if (!isList(v)) {
        fail(key, QStringLiteral("should be a list"));
        return {};
    }
    return toList(v);
}

QList<Fields*> Fields::maps(const QString& key, bool optional) {
    QList<Fields*> out;
    const QVariantList items = listOf(key, optional);
    for (int i = 0; i < items.size(); ++i) {
        const QString name = QStringLiteral("%1[%2]").arg(pathOf(key)).arg(i + 1);
        if (items.at(i).typeId() != QMetaType::QVariantMap) {
            failAt(name, QStringLiteral("should be a map such as {label: ..., value: ...}"));
            return {};
        }
        children_.emplace_back(items.at(i).toMap(), name, error_);
        out << &children_.back();
    }
    return out;
}

QList<double> Fields::numbers(const QVariant& value, const QString& name) {
    QList<double> out;
    if (!isList(value)) {
        failAt(name, QStringLiteral("should be a list of numbers"));
        return out;
    }
    for (const QVariant& item : toList(value)) {
        double v = 0;
        if (!parseNumber(scalar(item), &v)) {
            failAt(name, QStringLiteral("\"%1\" is not a number").arg(scalar(item)));
            return {};
        }
        out << v;
    }
    return out;
}

QStringList Fields::unreadKeys() const {
    QStringList out;
    for (auto it = map_.cbegin(); it != map_.cend(); ++it) {
        if (!read_.contains(it.key()))
            out << it.key();
    }
    return out;
}

void Fields::finish() {
    for (auto it = map_.cbegin(); it != map_.cend(); ++it) {
        if (!read_.contains(it.key())) {
            QStringList known = read_;
            known.sort();
            fail(it.key(), QStringLiteral("is not a field here (known: %1)")
                               .arg(known.join(QStringLiteral(", "))));
        }
    }
    for (Fields& child : children_)
        child.finish();
}

} // namespace bank::pictures
