#pragma once
// The pictures of the tool bar's Working button. The window graphics have no
// picture for it, so they are made when the window opens: the face of the
// tool bar's own buttons in each state (taken from their pictures, so the
// button follows whatever look the graphics have) with a worked sum and a
// pencil drawn on it.

#include <QPixmap>

class PictureCache;

struct WorkingButtonPictures {
    QPixmap off;
    QPixmap on;
    QPixmap pressed;
    QPixmap disabled;
};

WorkingButtonPictures MakeWorkingButtonPictures(PictureCache& pictures);
