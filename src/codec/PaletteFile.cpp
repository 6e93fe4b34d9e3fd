#include "codec/PaletteFile.h"

#include "codec/BmpHeader.h"

namespace rastrix {

namespace {

PaletteFileResult Error(std::string message) { return {{}, std::move(message)}; }

constexpr std::size_t kActBytes = 768, kActCountedBytes = 772;

bool HasNul(std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t b : bytes)
        if (b == 0) return true;
    return false;
}

}  // namespace

PaletteFileResult PaletteFromAct(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kActBytes && bytes.size() != kActCountedBytes)
        return Error("an Adobe colour table is 768 or 772 bytes long");
    std::size_t count = 256;
    if (bytes.size() == kActCountedBytes) {
        count = std::size_t(bytes[768]) << 8 | bytes[769];
        if (count < 1 || count > 256)
            return Error("the Adobe colour table says it holds " + std::to_string(count) + " colours; 1 to 256 can be used");
    }
    PaletteFileResult r;
    for (std::size_t i = 0; i < count; ++i) r.colors.push_back(PixelFromRgb(bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]));
    return r;
}

PaletteFileResult PaletteFromBmp(std::span<const std::uint8_t> bytes) {
    const BmpLayoutResult parsed = ParseBmpLayout(bytes);
    if (!parsed.layout) return Error(std::string(BmpErrorMessage(parsed.error)));
    const BmpLayout& l = *parsed.layout;
    if (l.bitCount == 0 || l.bitCount > 8 || l.colorCount == 0)
        return Error("the BMP file has no colour table (only files of 1, 2, 4 or 8 bits have one)");
    const std::size_t end = l.colorTableOffset + l.colorCount * l.colorEntrySize;
    if (end > bytes.size()) return Error(std::string(BmpErrorMessage(BmpError::TruncatedColorTable)));
    PaletteFileResult r;
    for (std::size_t i = 0; i < l.colorCount; ++i) {
        const std::uint8_t* e = bytes.data() + l.colorTableOffset + i * l.colorEntrySize;
        r.colors.push_back(PixelFromRgb(e[2], e[1], e[0]));
    }
    return r;
}

PaletteFileResult ParsePaletteBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return PaletteFromBmp(bytes);
    const bool actSized = bytes.size() == kActBytes || bytes.size() == kActCountedBytes;
    if (HasNul(bytes)) {
        if (actSized) return PaletteFromAct(bytes);
        return Error("the palette file is neither a BMP file, an Adobe colour table nor text");
    }
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a UTF-8 mark some editors put first
    const std::string_view first = text.substr(0, text.find_first_of("\r\n"));
    if (first == "JASC-PAL") return ParseJascPalette(text);
    if (first.starts_with("GIMP Palette")) return ParseGimpPalette(text);
    PaletteFileResult list = ParsePaletteText(text);
    // An Adobe table whose bytes all happen to be text is still no colour list.
    if (!list.error.empty() && actSized) return PaletteFromAct(bytes);
    return list;
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
                     " KiB; a text palette is one colour a line");
    return ParsePaletteBytes(bytes);
}

PaletteChoice PaletteByNameOrFile(std::string_view nameOrFile, FileSystem& files) {
    return PaletteByNameOrFile(nameOrFile, [&files](const std::string& path) { return ReadPaletteFile(files, path); });
}

PaletteChoice PaletteByNameOrFile(std::string_view nameOrFile,
                                  const std::function<PaletteFileResult(const std::string&)>& readFile) {
    PaletteChoice choice = PaletteByName(nameOrFile);
    if (choice.error.empty() || nameOrFile.starts_with("optimised:") || nameOrFile.starts_with("optimized:")) return choice;
    PaletteFileResult file = readFile(std::string(nameOrFile));
    if (!file.error.empty())
        return {{}, 0, "'" + std::string(nameOrFile) + "' is neither a palette (" + std::string(PaletteNames()) +
                           ") nor a palette file: " + file.error};
    return {std::move(file.colors), 0, {}};
}

}  // namespace rastrix
