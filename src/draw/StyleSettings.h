#pragma once
#include <array>
#include <cstdint>

#include "editor/SettingsRecord.h"
#include "raster/Limits.h"

namespace rastrix {

// The style settings as the fills and the style dialogs use them. The stored bytes come from
// a file that may hold anything, so values out of range read as the defaults (solid, width 1)
// instead of indexing past the style tables.
inline constexpr int kLineStyleCount = 5;   // solid, dot, dash, dash-dot, dash-dot-dot
inline constexpr int kFillStyleCount = 7;   // solid and six hatches
// A line's width in pixels: the Line Style dialog lists them from 1, the settings file keeps one,
// rastrix-batch's --line-width takes one.
inline constexpr Limits kLineWidthLimits{1, 9};

// The pen style of each line style and the hatch style of each fill style, by index.
inline constexpr std::array<std::int32_t, kLineStyleCount> kPenStyles{0, 2, 1, 3, 4};
inline constexpr std::array<std::int32_t, kFillStyleCount> kHatchStyles{0, 0, 1, 3, 2, 4, 5};

inline int LineStyleIndexOf(const SettingsRecord& s) { return s.lineStyleIndex < kLineStyleCount ? s.lineStyleIndex : 0; }
inline int HatchStyleIndexOf(const SettingsRecord& s) { return s.hatchStyleIndex < kFillStyleCount ? s.hatchStyleIndex : 0; }
inline int LineWidthOf(const SettingsRecord& s) {
    return kLineWidthLimits.Hold(s.lineWidth) ? s.lineWidth : kLineWidthLimits.low;
}

}  // namespace rastrix
