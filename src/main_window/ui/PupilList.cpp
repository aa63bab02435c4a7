#include "main_window/ui/PupilList.h"

#include <QFontMetrics>
#include <QListWidget>

namespace PupilList {

namespace {
constexpr int TopicRowHeight = 30;
} // namespace

QListWidget* make(const QString& objectName, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(objectName);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setTextElideMode(Qt::ElideRight);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    list->setStyleSheet(QStringLiteral(
        "QListWidget { background: white; border: 1px solid #b8bda8; outline: none; }"
        "QListWidget::item { padding-left: 6px; color: black; }"
        "QListWidget::item:selected { background: #808080; color: white; }"
        "QListWidget:focus { border: 2px solid #e86000; }"));
    return list;
}

void fill(QListWidget* list, const QList<Pupil>& pupils, int selectId) {
    list->clear();
    QListWidgetItem* current = nullptr;
    for (const Pupil& pupil : pupils) {
        auto* item = new QListWidgetItem(pupil.name, list);
        item->setData(IdRole, pupil.id);
        item->setToolTip(pupil.name);
        item->setSizeHint(QSize(0, rowHeight(list)));
        if (pupil.id == selectId || !current)
            current = item;
    }
    if (current)
        list->setCurrentItem(current);
}

int rowHeight(const QListWidget* list) {
    return qMax(TopicRowHeight, QFontMetrics(list->font()).height() + 8);
}

int currentId(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item ? item->data(IdRole).toInt() : 0;
}

} // namespace PupilList
