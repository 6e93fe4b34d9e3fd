#pragma once
#include <optional>
#include <string_view>
#include <vector>

#include "raster/Color.h"

namespace rastrix::batch {

// Option values as the command line spells them; nullopt when the text is not one.

// "#RRGGBB", "R,G,B" with each part 0..255, or a colour name ("tomato", "DarkSlateGrey").
std::optional<Color> ParseColor(std::string_view text);

// Exactly `count` whole numbers 0..65535 separated by commas ("10,20" or "0,0,64,48").
std::optional<std::vector<int>> ParseNumbers(std::string_view text, int count);

// "WxH" (or "WXH") with each side 0..65535.
std::optional<std::vector<int>> ParseSize(std::string_view text);

// ParseSize's WxH, or "Wx", "xH", "N%", "N%xM%", each with an optional ">" at the end: the
// two sides and the SizeForm bits. A percentage is 0..65535; a side of 0 is returned as
// given (the command refuses it).
struct SizeValue {
    int width = 0, height = 0;
    int form = 0;
};
std::optional<SizeValue> ParseSizeValue(std::string_view text);

// The position of `text` among `words`, or nullopt.
std::optional<int> IndexOfWord(std::string_view text, std::initializer_list<std::string_view> words);

}  // namespace rastrix::batch
