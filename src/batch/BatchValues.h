#pragma once
#include <optional>
#include <string_view>
#include <vector>

#include "raster/Color.h"

namespace rastrix::batch {

// Option values as the command line spells them; nullopt when the text is not one.

// "#RRGGBB" or "R,G,B" with each part 0..255.
std::optional<Color> ParseColor(std::string_view text);

// Exactly `count` whole numbers 0..65535 separated by commas ("10,20" or "0,0,64,48").
std::optional<std::vector<int>> ParseNumbers(std::string_view text, int count);

// "WxH" (or "WXH") with each side 0..65535.
std::optional<std::vector<int>> ParseSize(std::string_view text);

// The position of `text` among `words`, or nullopt.
std::optional<int> IndexOfWord(std::string_view text, std::initializer_list<std::string_view> words);

}  // namespace rastrix::batch
