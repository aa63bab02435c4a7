#pragma once
// What every window needs besides the application state: the store, the clock,
// the program's own dialog and the pictures of the Graphics folder. The main
// window owns them and hands this bundle to the windows it opens.

#include <QStringList>
#include <functional>

class ResourceStore;
class Clock;
class PopUpService;
class PictureCache;

struct AppServices {
    const ResourceStore* store = nullptr;
    const Clock* clock = nullptr;
    PopUpService* popUp = nullptr;
    PictureCache* pictures = nullptr;
    // The marking animation's time between two bars; its timer runs in the
    // event loop like any other.
    int animationStep = 200;
    // Test seam: when set, the animation runs to its end at once, calling
    // this for each step instead of waiting on the timer.
    std::function<void(int milliseconds)> animationDelay;
    // The speech engines "Read to me" may read with, in the order tried;
    // empty: the usual ones (ReadAloud::defaultEngines).
    QStringList speechEngines;
};
