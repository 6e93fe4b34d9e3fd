#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "editor/CommandIds.h"

namespace rastrix {

// The five views of the image: fit to the window, or a fixed zoom of 100, 200, 400 or 800 %.
enum class ViewMode : std::uint8_t { Fit, Actual, Zoom2, Zoom4, Zoom8 };

inline constexpr std::array<ViewMode, 5> kViewModes{ViewMode::Fit, ViewMode::Actual, ViewMode::Zoom2,
                                                    ViewMode::Zoom4, ViewMode::Zoom8};

// The command that chooses a view.
constexpr CommandId ViewCommand(ViewMode mode) {
    switch (mode) {
        case ViewMode::Fit: return CommandId::FitToWindow;
        case ViewMode::Actual: return CommandId::ActualSize;
        case ViewMode::Zoom2: return CommandId::Magnify2;
        case ViewMode::Zoom4: return CommandId::Magnify4;
        case ViewMode::Zoom8: return CommandId::Magnify8;
    }
    return CommandId::ActualSize;
}

// The view a command chooses; nullopt for a command that is no view.
constexpr std::optional<ViewMode> ViewModeOf(CommandId id) {
    for (const ViewMode mode : kViewModes)
        if (ViewCommand(mode) == id) return mode;
    return std::nullopt;
}

// The settings file stores the view as the number of the command that chooses it (274..278).
// Files written by every earlier version hold these numbers, so they never change: this pair
// of functions is the one mapping between a view and what is stored.
constexpr std::int16_t StoredViewMode(ViewMode mode) { return static_cast<std::int16_t>(NumberOf(ViewCommand(mode))); }

// The view a stored number stands for; nullopt for a number that is no view.
constexpr std::optional<ViewMode> ViewModeFromStored(std::int16_t stored) {
    for (const ViewMode mode : kViewModes)
        if (StoredViewMode(mode) == stored) return mode;
    return std::nullopt;
}

}  // namespace rastrix
