#include "Fields.h"

#include <algorithm>
#include <cmath>

namespace bank::pictures {

bool ParseNumber(const QString& text, double* value) {
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

QString Count(int n, const QString& thing) {
    return QStringLiteral("%1 %2%3").arg(n).arg(thing, n == 1 ? QString() : QStringLiteral("s"));
}

bool LooksLike(const QString& a, const QString& b) {
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

bool IsMultiple(double value, double step) {
    if (step <= 0)
        return false;
    const double n = value / step;
    return std::fabs(n - std::round(n)) < 1e-6;
}

QString Scalar(const QVariant& value) {
    if (IsList(value) || value.typeId() == QMetaType::QVariantMap || !value.isValid())
        return QString();
    return value.toString();
}

bool IsList(const QVariant& value) {
    return value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList;
}

QVariantList ToList(const QVariant& value) {
    return value.toList();
}

Fields::Fields(const QVariantMap& map, const QString& path, std::shared_ptr<QString> error)
    : map_(map), path_(path), error_(std::move(error)) {}

QString Fields::Name(const QString& key) const {
    return path_.isEmpty() ? key : path_ + QLatin1Char('.') + key;
}

void Fields::Fail(const QString& key, const QString& why) {
    FailAt(Name(key), why);
}

void Fields::FailAt(const QString& name, const QString& why) {
    if (error_->isEmpty())
        *error_ = QStringLiteral("field \"%1\": %2").arg(name, why);
}

QVariant Fields::Take(const QString& key) {
    if (!read_.contains(key))
        read_ << key;
    return map_.value(key);
}

QString Fields::Text(const QString& key) {
    if (!Has(key)) {
        Fail(key, QStringLiteral("is missing"));
        return QString();
    }
    const QVariant v = Take(key);
    if (IsList(v) || v.typeId() == QMetaType::QVariantMap) {
        Fail(key, QStringLiteral("should be a single value, not a list or map"));
        return QString();
    }
    const QString text = Scalar(v).trimmed();
    if (text.isEmpty())
        Fail(key, QStringLiteral("is empty"));
    return text;
}

QString Fields::Text(const QString& key, const QString& fallback) {
    const QVariant v = Take(key);
    if (Has(key) && Scalar(v).trimmed().isEmpty() && !IsList(v) &&
        v.typeId() != QMetaType::QVariantMap)
        return QString(); // an optional text may be left empty
    return Has(key) ? Text(key) : fallback;
}

double Fields::Number(const QString& key) {
    const QString text = Text(key);
    double v = 0;
    if (Ok() && !ParseNumber(text, &v))
        Fail(key, QStringLiteral("\"%1\" is not a number").arg(text));
    return v;
}

double Fields::Number(const QString& key, double fallback) {
    Take(key);
    return Has(key) ? Number(key) : fallback;
}

int Fields::Integer(const QString& key, int min, int max) {
    const QString text = Text(key);
    if (!Ok())
        return min;
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok) {
        Fail(key, QStringLiteral("\"%1\" is not a whole number").arg(text));
        return min;
    }
    if (v < min || v > max) {
        Fail(key, QStringLiteral("%1 is outside %2 to %3").arg(v).arg(min).arg(max));
        return min;
    }
    return v;
}

int Fields::Integer(const QString& key, int min, int max, int fallback) {
    Take(key);
    return Has(key) ? Integer(key, min, max) : fallback;
}

bool Fields::Flag(const QString& key, bool fallback) {
    Take(key);
    if (!Has(key))
        return fallback;
    const QString text = Text(key).toLower();
    if (text == QLatin1String("true") || text == QLatin1String("yes"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("no"))
        return false;
    Fail(key, QStringLiteral("\"%1\" should be true or false").arg(text));
    return fallback;
}

QString Fields::Choice(const QString& key, const QStringList& choices, const QString& fallback) {
    Take(key);
    if (!Has(key) && !fallback.isEmpty())
        return fallback;
    const QString text = Text(key);
    if (Ok() && !choices.contains(text)) {
        Fail(key, QStringLiteral("\"%1\" is not one of %2")
                      .arg(text, choices.join(QStringLiteral(", "))));
        return choices.value(0);
    }
    return text;
}

QVariantList Fields::List(const QString& key, bool optional) {
    Take(key);
    if (!Has(key)) {
        if (!optional)
            Fail(key, QStringLiteral("is missing"));
        return {};
    }
    const QVariant v = Take(key);
    if (!IsList(v)) {
        Fail(key, QStringLiteral("should be a list"));
        return {};
    }
    return ToList(v);
}

QList<Fields*> Fields::Maps(const QString& key, bool optional) {
    QList<Fields*> out;
    const QVariantList items = List(key, optional);
    for (int i = 0; i < items.size(); ++i) {
        const QString name = QStringLiteral("%1[%2]").arg(Name(key)).arg(i + 1);
        if (items.at(i).typeId() != QMetaType::QVariantMap) {
            FailAt(name, QStringLiteral("should be a map such as {label: ..., value: ...}"));
            return {};
        }
        children_.emplace_back(items.at(i).toMap(), name, error_);
        out << &children_.back();
    }
    return out;
}

QList<double> Fields::Numbers(const QVariant& value, const QString& name) {
    QList<double> out;
    if (!IsList(value)) {
        FailAt(name, QStringLiteral("should be a list of numbers"));
        return out;
    }
    for (const QVariant& item : ToList(value)) {
        double v = 0;
        if (!ParseNumber(Scalar(item), &v)) {
            FailAt(name, QStringLiteral("\"%1\" is not a number").arg(Scalar(item)));
            return {};
        }
        out << v;
    }
    return out;
}

QStringList Fields::Unread() const {
    QStringList out;
    for (auto it = map_.cbegin(); it != map_.cend(); ++it) {
        if (!read_.contains(it.key()))
            out << it.key();
    }
    return out;
}

void Fields::Finish() {
    for (auto it = map_.cbegin(); it != map_.cend(); ++it) {
        if (!read_.contains(it.key())) {
            QStringList known = read_;
            known.sort();
            Fail(it.key(), QStringLiteral("is not a field here (known: %1)")
                               .arg(known.join(QStringLiteral(", "))));
        }
    }
    for (Fields& child : children_)
        child.Finish();
}

} // namespace bank::pictures
