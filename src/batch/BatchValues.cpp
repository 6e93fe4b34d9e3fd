#include "batch/BatchValues.h"

#include <algorithm>
#include <charconv>

#include "batch/BatchColorNames.h"
#include "batch/BatchOptions.h"

namespace rastrix::batch {

namespace {

std::optional<int> ParseNumber(std::string_view text, int largest) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0 || value > largest)
        return std::nullopt;
    return value;
}

std::optional<std::vector<int>> SplitNumbers(std::string_view text, char separator, int count, int largest) {
    std::vector<int> values;
    for (;;) {
        const std::size_t cut = text.find(separator);
        const std::optional<int> v = ParseNumber(text.substr(0, cut), largest);
        if (!v) return std::nullopt;
        values.push_back(*v);
        if (cut == std::string_view::npos) break;
        text.remove_prefix(cut + 1);
    }
    if (int(values.size()) != count) return std::nullopt;
    return values;
}

std::optional<int> HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

}  // namespace

std::optional<Color> ParseColor(std::string_view text) {
    if (text.size() == 7 && text[0] == '#') {
        int channel[3];
        for (int i = 0; i < 3; ++i) {
            const auto hi = HexDigit(text[1 + 2 * i]), lo = HexDigit(text[2 + 2 * i]);
            if (!hi || !lo) return std::nullopt;
            channel[i] = *hi * 16 + *lo;
        }
        return ColorFromRgb(std::uint8_t(channel[0]), std::uint8_t(channel[1]), std::uint8_t(channel[2]));
    }
    const auto rgb = SplitNumbers(text, ',', 3, 255);
    if (!rgb) return ColorByName(text);
    return ColorFromRgb(std::uint8_t((*rgb)[0]), std::uint8_t((*rgb)[1]), std::uint8_t((*rgb)[2]));
}

std::optional<std::vector<int>> ParseNumbers(std::string_view text, int count) {
    return SplitNumbers(text, ',', count, 65535);
}

std::optional<std::vector<int>> ParseSize(std::string_view text) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return std::nullopt;
    const auto w = ParseNumber(text.substr(0, x), 65535), h = ParseNumber(text.substr(x + 1), 65535);
    if (!w || !h) return std::nullopt;
    return std::vector<int>{*w, *h};
}

std::optional<SizeValue> ParseSizeValue(std::string_view text) {
    SizeValue v;
    if (text.ends_with('>')) {
        v.form |= kShrinkOnly;
        text.remove_suffix(1);
    }
    // "50%" alone is both sides.
    if (text.size() > 1 && text.back() == '%' && text.find_first_of("xX") == std::string_view::npos) {
        const auto n = ParseNumber(text.substr(0, text.size() - 1), 65535);
        if (!n) return std::nullopt;
        v.width = v.height = *n;
        v.form |= kSizePercent;
        return v;
    }
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return std::nullopt;
    std::string_view w = text.substr(0, x), h = text.substr(x + 1);
    if (w.ends_with('%') && h.ends_with('%')) {
        w.remove_suffix(1);
        h.remove_suffix(1);
        v.form |= kSizePercent;
    } else if (w.empty() && !h.empty()) {
        v.form |= kWidthFromAspect;
    } else if (h.empty() && !w.empty()) {
        v.form |= kHeightFromAspect;
    }
    const auto width = (v.form & kWidthFromAspect) ? std::optional<int>(1) : ParseNumber(w, 65535);
    const auto height = (v.form & kHeightFromAspect) ? std::optional<int>(1) : ParseNumber(h, 65535);
    if (!width || !height) return std::nullopt;
    v.width = (v.form & kWidthFromAspect) ? 0 : *width;
    v.height = (v.form & kHeightFromAspect) ? 0 : *height;
    return v;
}

std::optional<int> IndexOfWord(std::string_view text, WordList words) {
    for (std::size_t i = 0; i < words.size(); ++i)
        if (words[i] == text) return int(i);
    return std::nullopt;
}

std::string OrList(WordList words) {
    std::string list;
    for (std::size_t i = 0; i < words.size(); ++i)
        list += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + std::string(words[i]);
    return list;
}

std::string OrList(std::string list) {
    if (const std::size_t last = list.rfind(", "); last != std::string::npos) list.replace(last, 2, " or ");
    return list;
}

std::vector<std::string> SplitList(std::string_view list) {
    std::vector<std::string> words;
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t comma = std::min(list.find(", ", start), list.size());
        words.emplace_back(list.substr(start, comma - start));
        start = comma + 2;
    }
    return words;
}

std::string NotA(std::string_view what, std::string_view value) {
    return "'" + std::string(value) + "' is not " + std::string(what);
}

std::string NotOneOf(WordList words, std::string_view value) { return NotA(OrList(words), value); }

}  // namespace rastrix::batch
