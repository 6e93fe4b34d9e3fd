#pragma once
#include <optional>
#include <string>

namespace rastrix {

struct Editor;

inline constexpr const char* kPaletteBrowseTitle = "Choose a Palette";

// The Open dialog for a palette file, as every dialog with a palette asks for one: the path
// chosen, or nullopt when the user cancelled.
std::optional<std::string> BrowseForPalette(Editor& ed);

}  // namespace rastrix
