#pragma once
// The windows' pictures, each read once from a folder (the program's store,
// built into it) and then shared.

#include <QHash>
#include <QPixmap>
#include <QString>
#include <QStringList>

class PictureCache {
public:
    explicit PictureCache(QString graphicsFolder);

    // The picture of that file name; a null pixmap when it cannot be loaded
    // (the name is then listed by missing()).
    // By value: a later get() may move the cache's own copies, so a reference
    // into it would not last; the copy shares the picture's data.
    QPixmap get(const QString& fileName);
    QStringList missing() const { return m_missing; }
    const QString& folder() const { return m_folder; }

private:
    QString m_folder;
    QHash<QString, QPixmap> m_pixmaps;
    QStringList m_missing;
};
