#pragma once
// What every window needs besides the application state: the store, the clock,
// the program's own dialog and the pictures of the Graphics folder. The main
// window owns them and hands this bundle to the windows it opens.

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
    // Waits the given milliseconds while an animation step shows (events keep
    // being processed). Tests replace it so that they do not sleep.
    std::function<void(int milliseconds)> animationDelay;
};
