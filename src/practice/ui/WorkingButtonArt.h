#pragma once
// The pictures of the tool bar's Working and Read buttons. The window
// graphics have none for them, so they are made when the window opens: the
// face of the tool bar's own buttons in each state (taken from their
// pictures, so the buttons follow whatever look the graphics have) with an
// icon drawn on it: a worked sum and a pencil, a speaker and its sound.

#include <QPixmap>

class PictureCache;

struct MadeButtonPictures {
    QPixmap off;
    QPixmap on;
    QPixmap pressed;
    QPixmap disabled;
};

MadeButtonPictures makeWorkingButtonPictures(PictureCache& pictures);
MadeButtonPictures makeReadButtonPictures(PictureCache& pictures);
