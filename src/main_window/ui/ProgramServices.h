#pragma once
// What the main window and the windows it opens work with: the store, the
// clock, the application state, the pictures, the program's own dialog and
// the list of pupils. main() makes it before the first widget and it goes
// after the last, so that the window tree is taken down the ordinary Qt way
// (a window that closes hides, loses the focus and repaints) while everything
// it draws from and reads is still there.

#include "chrome/AppServices.h"
#include "chrome/PictureCache.h"
#include "chrome/PopUpService.h"
#include "core/AppState.h"
#include "core/Clock.h"
#include "core/ResourceStore.h"
#include "results/PupilRoster.h"

#include <QString>

struct ProgramServices {
    // programFolder: where results, the Graphics folder and temporary files
    // live (it must exist). store: the content; the built-in one by default.
    explicit ProgramServices(const QString& programFolder, ResourceStore content = ResourceStore())
        : store(std::move(content)), pictures(store.root() + QStringLiteral("/graphics")),
          popUp(pictures) {
        state.programFolder = programFolder;
        services.store = &store;
        services.clock = &clock;
        services.popUp = &popUp;
        services.pictures = &pictures;
    }
    ProgramServices(const ProgramServices&) = delete;
    ProgramServices& operator=(const ProgramServices&) = delete;

    ResourceStore store;
    Clock clock;
    AppState state;
    PictureCache pictures;
    PopUpService popUp;
    AppServices services; // the bundle handed to each window; points at the members above
    PupilRoster roster;
};
