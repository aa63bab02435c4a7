#include "chrome/ReaderTree.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QVariant>
#include <QWidget>

namespace {

constexpr char ReadAsProperty[] = "quilloraReadAs";
constexpr char SelectedProperty[] = "quilloraSelected";

bool isPlainLabel(const QWidget* w) {
    return w->metaObject() == &QLabel::staticMetaObject;
}

bool hasChildWidgets(const QWidget* w) {
    for (const QObject* child : w->children()) {
        if (child->isWidgetType() && !static_cast<const QWidget*>(child)->isWindow())
            return true;
    }
    return false;
}

// The children a screen reader is shown, in the order Qt gives them.
QList<QWidget*> shownChildren(const QWidget* w) {
    QList<QWidget*> shown;
    for (QObject* child : w->children()) {
        if (!child->isWidgetType())
            continue;
        auto* widget = static_cast<QWidget*>(child);
        // A hidden control is out of the tree until it shows (a model
        // answer before marking must not be read out).
        if (!widget->isWindow() && !widget->isHidden() && ReaderTree::isShown(widget))
            shown.append(widget);
    }
    return shown;
}

// What a widget says when it is read as one text.
QString spokenText(const QWidget* w) {
    if (!w->accessibleName().isEmpty())
        return w->accessibleName();
    if (auto* label = qobject_cast<const QLabel*>(w); label && !label->text().isEmpty())
        return label->text();
    // A clickable text (a topic) says its text.
    if (auto* button = qobject_cast<const QAbstractButton*>(w); button && !button->text().isEmpty())
        return button->text();
    QStringList parts;
    for (const QWidget* child : shownChildren(w)) {
        const QString part = spokenText(child);
        if (!part.isEmpty())
            parts << part;
    }
    return parts.join(QLatin1Char(' '));
}

class ReaderWidget : public QAccessibleWidget {
public:
    ReaderWidget(QWidget* w, ReaderTree::ReadAs as)
        : QAccessibleWidget(w, roleFor(w, as)), m_as(as) {}

    static QAccessible::Role roleFor(const QWidget* w, ReaderTree::ReadAs as) {
        switch (as) {
        case ReaderTree::ReadAs::Heading:
            return QAccessible::Heading;
        case ReaderTree::ReadAs::Text:
            return QAccessible::StaticText;
        case ReaderTree::ReadAs::Group:
            return QAccessible::Grouping;
        case ReaderTree::ReadAs::List:
            return QAccessible::List;
        case ReaderTree::ReadAs::ListItem:
            return QAccessible::ListItem;
        case ReaderTree::ReadAs::Dialog:
            return QAccessible::Dialog;
        case ReaderTree::ReadAs::Silent:
        case ReaderTree::ReadAs::Default:
            break;
        }
        return w->isWindow() ? QAccessible::Window : QAccessible::Client;
    }

    bool isLeaf() const {
        return m_as == ReaderTree::ReadAs::Heading || m_as == ReaderTree::ReadAs::Text ||
               m_as == ReaderTree::ReadAs::ListItem;
    }

    int childCount() const override { return isLeaf() ? 0 : int(shownChildren(widget()).size()); }
    QAccessibleInterface* child(int index) const override {
        if (isLeaf())
            return nullptr;
        const QList<QWidget*> children = shownChildren(widget());
        if (index < 0 || index >= children.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(children.at(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (isLeaf() || !child)
            return -1;
        return int(shownChildren(widget()).indexOf(qobject_cast<QWidget*>(child->object())));
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            switch (m_as) {
            case ReaderTree::ReadAs::Heading:
            case ReaderTree::ReadAs::Text:
            case ReaderTree::ReadAs::ListItem:
                return spokenText(widget());
            default:
                break;
            }
        }
        return QAccessibleWidget::text(t);
    }

    // A list item that can be clicked (it has a click() slot) is chosen by
    // the reader's default action.
    bool clickable() const {
        return m_as == ReaderTree::ReadAs::ListItem &&
               widget()->metaObject()->indexOfMethod("click()") >= 0;
    }
    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (clickable() && widget()->isEnabled())
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && clickable())
            QMetaObject::invokeMethod(widget(), "click");
        else
            QAccessibleWidget::doAction(actionName);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (m_as == ReaderTree::ReadAs::ListItem) {
            s.selectable = true;
            s.selected = ReaderTree::isSelected(widget());
        }
        return s;
    }

private:
    ReaderTree::ReadAs m_as;
};

// Every object with an accessibility query comes here, the web engine's own
// items too; their library is built without type information, so the
// undefined-behaviour sanitizer cannot check their dynamic type.
#if defined(__GNUC__) || defined(__clang__)
__attribute__((no_sanitize("vptr")))
#endif
QAccessibleInterface*
create(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* w = static_cast<QWidget*>(object);
    const ReaderTree::ReadAs as = ReaderTree::readAsOf(w);
    // A silent widget keeps its own interface: its container leaves it out.
    if (as != ReaderTree::ReadAs::Default && as != ReaderTree::ReadAs::Silent)
        return new ReaderWidget(w, as);
    // Plain containers, and pictures that carry controls, are trimmed.
    if (className == QLatin1String("QWidget") ||
        (className == QLatin1String("QLabel") && isPlainLabel(w) && hasChildWidgets(w)))
        return new ReaderWidget(w, as);
    return nullptr;
}

// An interface made before the widget's reading was set (an accessibility
// event of the widget makes one, whether or not a screen reader listens) is
// dropped, so the next query builds it anew.
void forgetInterface(QWidget* w) {
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

} // namespace

namespace ReaderTree {

void install() {
    static const bool installed = [] {
        QAccessible::installFactory(&create);
        return true;
    }();
    Q_UNUSED(installed);
}

void setReadAs(QWidget* widget, ReadAs as) {
    install();
    if (readAsOf(widget) == as)
        return;
    widget->setProperty(ReadAsProperty, int(as));
    forgetInterface(widget);
}

ReadAs readAsOf(const QWidget* widget) {
    return ReadAs(widget->property(ReadAsProperty).toInt());
}

bool isShown(const QWidget* widget) {
    const ReadAs as = readAsOf(widget);
    if (as == ReadAs::Silent)
        return false;
    if (as != ReadAs::Default || !isPlainLabel(widget) || !widget->accessibleName().isEmpty() ||
        hasChildWidgets(widget))
        return true;
    // A bare picture, or an empty label.
    return !static_cast<const QLabel*>(widget)->text().isEmpty();
}

void setSelected(QWidget* item, bool selected) {
    if (isSelected(item) == selected)
        return;
    item->setProperty(SelectedProperty, selected);
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(item, changed);
    QAccessible::updateAccessibility(&event);
}

bool isSelected(const QWidget* item) {
    return item->property(SelectedProperty).toBool();
}

} // namespace ReaderTree
