#pragma once
#include <array>
#include <string>

#include "app/CommandStates.h"
#include "app/FrameState.h"
#include "app/Host.h"
#include "app/SettingsRecord.h"
#include "document/DocumentState.h"
#include "draw/DrawState.h"
#include "raster/Bitmap.h"
#include "view/ViewState.h"

namespace rastrix {

// The five parts of the status bar: image, pointer, foreground swatch, background swatch, selection.
using StatusTexts = std::array<std::string, 5>;

// The program-wide state. The operations that change it are free functions grouped by
// subsystem, each taking the Editor it works on; a test makes one, drives it and drops it.
struct Editor {
    explicit Editor(Host& h) : host(h) {}
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    Host& host;
    SettingsRecord settings;
    CommandStates commands;
    FrameState frame;
    DocumentState doc;
    ViewState view;
    StatusTexts status;
    DrawState draw;  // pen, press colour and status swatches
    // The image window's client area as last painted; the front end copies it to the screen.
    Bitmap surface;
};

}  // namespace rastrix
