#pragma once
#include <optional>
#include <span>
#include <string>
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

// The words an option's value may be, declared once: the option's parser looks the value up in
// them, its refusal names them (in this order) and the shells' completion offers them.
using WordList = std::span<const std::string_view>;

// The position of `text` among `words`, or nullopt.
std::optional<int> IndexOfWord(std::string_view text, WordList words);

// "a, b or c" (one word alone as it is).
std::string OrList(WordList words);
// The same for a list already joined with ", ".
std::string OrList(std::string list);
// A list joined with ", " split into its words.
std::vector<std::string> SplitList(std::string_view list);

// The refusal of a value: "'value' is not what".
std::string NotA(std::string_view what, std::string_view value);
// The refusal of a value that is none of the words: "'value' is not a, b or c".
std::string NotOneOf(WordList words, std::string_view value);

// A word list as the completion takes it (an option's `words`).
template <auto& Words>
std::vector<std::string> WordsOf() {
    return {std::begin(Words), std::end(Words)};
}

}  // namespace rastrix::batch
