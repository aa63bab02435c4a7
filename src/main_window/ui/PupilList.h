#pragma once
// The list of pupils as the picker and the Pupils page show it: names as
// plain text in the program's font, a row as tall as a topic on the Home page,
// the chosen row grey with white text like the chosen topic. Each item holds
// its pupil's id under IdRole; a name too long for the row is cut with "…"
// and given whole in the item's tool tip.

#include "results/PupilRoster.h"

#include <QList>
#include <Qt>

class QListWidget;
class QWidget;

namespace PupilList {

constexpr int IdRole = Qt::UserRole + 1;

QListWidget* make(const QString& objectName, QWidget* parent);
// Fills the list with pupils and makes selectId's item the current one (the
// first when it is not there).
void fill(QListWidget* list, const QList<Pupil>& pupils, int selectId);
int rowHeight(const QListWidget* list);
// The id of the current item; 0 when none.
int currentId(const QListWidget* list);

} // namespace PupilList
