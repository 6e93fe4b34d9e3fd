#pragma once
#include "app/CommandStates.h"
#include "app/Host.h"
#include "app/SettingsRecord.h"

namespace rastrix {

// The program-wide state. The operations that change it are free functions grouped by
// subsystem, each taking the Editor it works on; a test makes one, drives it and drops it.
struct Editor {
    explicit Editor(Host& h) : host(h) {}
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    Host& host;
    SettingsRecord settings;
    CommandStates commands;
};

}  // namespace rastrix
