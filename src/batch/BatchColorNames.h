#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "raster/Color.h"

namespace rastrix::batch {

// The colour names of the web's style sheets (the X11 names they took, with the web's own
// values for gray, green, maroon and purple), in alphabetical order.
struct NamedColor {
    std::string_view name;  // lowercase
    std::uint32_t rgb;      // 0xRRGGBB
};

std::span<const NamedColor> NamedColors();

// The colour a name stands for, in any mix of upper and lower case.
std::optional<Color> ColorByName(std::string_view name);

// Up to `count` names nearest to `text` (fewest letters added, removed or changed, ignoring
// case), the nearest first and, among equals, in the table's order.
std::vector<std::string_view> NearestColorNames(std::string_view text, std::size_t count);

// What is wrong with a colour value that is none of the accepted forms: a word gets the
// nearest names.
std::string ColorValueError(const std::string& text);

}  // namespace rastrix::batch
