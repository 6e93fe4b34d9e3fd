// The palette files that are text: colour lists, JASC-PAL and GIMP palettes.
#include <charconv>

#include "codec/PaletteFile.h"

namespace rastrix {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The text's lines one by one, trimmed, with their numbers from 1.
class Lines {
public:
    explicit Lines(std::string_view text) : rest_(text) {}
    bool Next(std::string_view& line) {
        if (rest_.empty()) return false;
        ++number_;
        const std::size_t end = rest_.find('\n');
        line = Trim(rest_.substr(0, end));
        rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
        return true;
    }
    int Number() const { return number_; }

private:
    std::string_view rest_;
    int number_ = 0;
};

using Kind = PaletteFileProblem::Kind;

PaletteFileResult Error(PaletteFileProblem problem) { return {{}, std::move(problem)}; }

// A line that is not what it should be, named by its number and kept as written.
PaletteFileResult BadLine(Kind kind, const Lines& lines, std::string_view line) {
    return Error({.kind = kind, .line = lines.Number(), .text = std::string(line)});
}

bool IsComment(std::string_view line) {
    return line.empty() || line[0] == ';' || (line[0] == '#' && (line.size() == 1 || IsBlank(line[1])));
}

// "#RRGGBB", "RRGGBB" or "AARRGGBB" alone, or followed by a blank and anything: the colour.
bool ParseHexColor(std::string_view line, Pixel& color) {
    const bool hash = !line.empty() && line[0] == '#';
    if (hash) line.remove_prefix(1);
    std::size_t digits = 0;
    while (digits < line.size() && HexDigit(line[digits]) >= 0) ++digits;
    if (digits < line.size() && !IsBlank(line[digits])) return false;
    if (digits != 6 && (hash || digits != 8)) return false;
    std::uint32_t v = 0;
    for (std::size_t i = digits - 6; i < digits; ++i) v = v << 4 | std::uint32_t(HexDigit(line[i]));
    color = Pixel{v};
    return true;
}

// Reads a decimal channel 0..255 and the blanks after it from the front of `s`.
bool TakeChannel(std::string_view& s, int& value) {
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end == s.data() || value < 0 || value > 255) return false;
    s.remove_prefix(std::size_t(end - s.data()));
    if (!s.empty() && !IsBlank(s.front())) return false;
    s = Trim(s);
    return true;
}

// "R G B" at the start of a line; `rest` is what follows the three numbers.
bool ParseDecimalColor(std::string_view line, Pixel& color, std::string_view& rest) {
    int r = 0, g = 0, b = 0;
    if (!TakeChannel(line, r) || !TakeChannel(line, g) || !TakeChannel(line, b)) return false;
    color = PixelFromRgb(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b));
    rest = line;
    return true;
}

PaletteFileResult TooMany(const Lines& lines) {
    return Error({.kind = Kind::TooManyColors, .line = lines.Number(), .limit = kMaxPaletteColors});
}

}  // namespace

PaletteFileResult ParsePaletteText(std::string_view text) {
    PaletteFileResult r;
    Lines lines(text);
    for (std::string_view line; lines.Next(line);) {
        if (IsComment(line)) continue;
        Pixel color{};
        if (!ParseHexColor(line, color))
            return BadLine(Kind::NotHexColor, lines, line);
        if (r.colors.size() == std::size_t(kMaxPaletteColors)) return TooMany(lines);
        r.colors.push_back(color);
    }
    if (r.colors.empty()) return Error({.kind = Kind::NoHexColors});
    return r;
}

PaletteFileResult ParseJascPalette(std::string_view text) {
    Lines lines(text);
    std::string_view line;
    if (!lines.Next(line) || line != "JASC-PAL") return Error({.kind = Kind::JascHeader, .line = 1});
    if (!lines.Next(line) || line != "0100") return Error({.kind = Kind::JascHeader, .line = 2});
    int count = 0;
    if (!lines.Next(line)) line = {};  // no line 3: the problem quotes nothing, not line 2
    const bool counted = std::from_chars(line.data(), line.data() + line.size(), count).ptr == line.data() + line.size();
    if (!counted || line.empty() || count < 1 || count > kMaxPaletteColors)
        return Error({.kind = Kind::JascCount, .line = 3, .text = std::string(line), .limit = kMaxPaletteColors});
    PaletteFileResult r;
    while (lines.Next(line)) {
        if (line.empty()) continue;
        Pixel color{};
        std::string_view rest;
        if (!ParseDecimalColor(line, color, rest) || !rest.empty())
            return BadLine(Kind::NotJascColor, lines, line);
        if (int(r.colors.size()) == count)
            return Error({.kind = Kind::JascMoreColors, .line = lines.Number(), .count = std::size_t(count)});
        r.colors.push_back(color);
    }
    if (int(r.colors.size()) != count)
        return Error({.kind = Kind::JascFewerColors, .count = std::size_t(count), .held = r.colors.size()});
    return r;
}

PaletteFileResult ParseGimpPalette(std::string_view text) {
    Lines lines(text);
    std::string_view line;
    if (!lines.Next(line) || line != "GIMP Palette") return Error({.kind = Kind::GimpHeader, .line = 1});
    PaletteFileResult r;
    while (lines.Next(line)) {
        if (line.empty() || line[0] == '#' || line.starts_with("Name:") || line.starts_with("Columns:")) continue;
        Pixel color{};
        std::string_view name;
        if (!ParseDecimalColor(line, color, name))
            return BadLine(Kind::NotGimpColor, lines, line);
        if (r.colors.size() == std::size_t(kMaxPaletteColors)) return TooMany(lines);
        r.colors.push_back(color);
    }
    if (r.colors.empty()) return Error({.kind = Kind::NoGimpColors});
    return r;
}

}  // namespace rastrix
