#pragma once
// Keeps the pictures of a set of PictureButtons in step with the mouse: the
// button under the cursor shows its "on" picture, the others their "off"
// picture, and while the mouse button is held after a press on any member
// the member under the cursor shows its "pressed" picture.
// Driven by the members' enter, leave, move, press and release events; the
// pictures come from memory, so nothing is read from disk here.

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>

class PictureButton;

class HoverGroup : public QObject {
    Q_OBJECT
public:
    explicit HoverGroup(QObject* parent = nullptr);

    void add(PictureButton* button);

    // Whether a press on a member starts showing pressed pictures (tool bars);
    // other groups only switch between off and on.
    void setTracksPress(bool tracks) { m_tracksPress = tracks; }
    // Gives every member its look for a cursor at globalPos.
    void refresh(const QPoint& globalPos);
    // Every member shows its off picture (the cursor is elsewhere).
    void clear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QPointer<PictureButton>> m_members;
    bool m_tracksPress = false;
    bool m_pressTrack = false; // the mouse button is held after a press on a member
};
