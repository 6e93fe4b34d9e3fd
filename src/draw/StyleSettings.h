#pragma once
#include "editor/SettingsRecord.h"

namespace rastrix {

// The style settings as the fills and the style dialogs use them. The stored bytes come from
// a file that may hold anything, so values out of range read as the defaults (solid, width 1)
// instead of indexing past the style tables.
inline constexpr int kLineStyleCount = 5;   // solid, dot, dash, dash-dot, dash-dot-dot
inline constexpr int kFillStyleCount = 7;   // solid and six hatches
inline constexpr int kMaxLineWidth = 9;

inline int LineStyleIndexOf(const SettingsRecord& s) { return s.lineStyleIndex < kLineStyleCount ? s.lineStyleIndex : 0; }
inline int HatchStyleIndexOf(const SettingsRecord& s) { return s.hatchStyleIndex < kFillStyleCount ? s.hatchStyleIndex : 0; }
inline int LineWidthOf(const SettingsRecord& s) {
    return s.lineWidth >= 1 && s.lineWidth <= kMaxLineWidth ? s.lineWidth : 1;
}

}  // namespace rastrix
