#include "codec/PaletteFile.h"

#include "codec/BmpHeader.h"

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

bool IsComment(std::string_view line) {
    return line.empty() || line[0] == ';' || (line[0] == '#' && (line.size() == 1 || IsBlank(line[1])));
}

// "#RRGGBB" alone, or followed by a blank and anything: the colour, or -1.
std::int64_t ParseColourLine(std::string_view line) {
    if (line.size() < 7 || line[0] != '#') return -1;
    if (line.size() > 7 && !IsBlank(line[7])) return -1;
    std::uint32_t v = 0;
    for (int i = 1; i <= 6; ++i) {
        const int d = HexDigit(line[std::size_t(i)]);
        if (d < 0) return -1;
        v = v << 4 | std::uint32_t(d);
    }
    return v;
}

PaletteFileResult Error(std::string message) { return {{}, std::move(message)}; }

}  // namespace

PaletteFileResult ParsePaletteText(std::string_view text) {
    PaletteFileResult r;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (IsComment(line)) continue;
        const std::int64_t colour = ParseColourLine(line);
        if (colour < 0)
            return Error("line " + std::to_string(lineNumber) + " is not a colour of the form #RRGGBB: '" +
                         std::string(line.substr(0, 40)) + "'");
        if (r.colours.size() == std::size_t(kMaxPaletteColours))
            return Error("line " + std::to_string(lineNumber) + " is colour 257; a palette holds at most 256");
        r.colours.push_back(Pixel{std::uint32_t(colour)});
    }
    if (r.colours.empty()) return Error("the palette file holds no colour lines (#RRGGBB)");
    return r;
}

PaletteFileResult PaletteFromBmp(std::span<const std::uint8_t> bytes) {
    const BmpLayoutResult parsed = ParseBmpLayout(bytes);
    if (!parsed.layout) return Error(std::string(BmpErrorMessage(parsed.error)));
    const BmpLayout& l = *parsed.layout;
    if (l.bitCount == 0 || l.bitCount > 8 || l.colourCount == 0)
        return Error("the BMP file has no colour table (only files of 1, 2, 4 or 8 bits have one)");
    const std::size_t end = l.colourTableOffset + l.colourCount * l.colourEntrySize;
    if (end > bytes.size()) return Error(std::string(BmpErrorMessage(BmpError::TruncatedColourTable)));
    PaletteFileResult r;
    for (std::size_t i = 0; i < l.colourCount; ++i) {
        const std::uint8_t* e = bytes.data() + l.colourTableOffset + i * l.colourEntrySize;
        r.colours.push_back(PixelFromRgb(e[2], e[1], e[0]));
    }
    return r;
}

PaletteFileResult ReadPaletteFile(FileSystem& files, const std::string& path) {
    const FileBytesResult read = ReadFileBytes(files, path, kMaxPaletteFileBytes, LongerFile::ReadStart);
    if (!read) return Error(Describe(read.failure));
    return PaletteFromFileStart(read.View(), read.storedSize);
}

PaletteFileResult PaletteFromFileStart(std::span<const std::uint8_t> bytes, std::uint64_t fileSize) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return PaletteFromBmp(bytes);
    if (fileSize > kMaxPaletteFileBytes)
        return Error("the palette file is larger than " + std::to_string(kMaxPaletteFileBytes / 1024) +
                     " KiB; a text palette is one #RRGGBB line a colour");
    for (const std::uint8_t b : bytes)
        if (b == 0) return Error("the palette file is neither a BMP file nor text");
    return ParsePaletteText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace rastrix
