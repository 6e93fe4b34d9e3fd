#include "codec/PaletteFile.h"

#include "codec/BmpHeader.h"

namespace rastrix {

namespace {

using Kind = PaletteFileProblem::Kind;

PaletteFileResult Error(PaletteFileProblem problem) { return {{}, std::move(problem)}; }

constexpr std::size_t kActBytes = 768, kActCountedBytes = 772;

bool HasNul(std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t b : bytes)
        if (b == 0) return true;
    return false;
}

}  // namespace

PaletteFileResult PaletteFromAct(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kActBytes && bytes.size() != kActCountedBytes)
        return Error({.kind = Kind::ActLength});
    std::size_t count = 256;
    if (bytes.size() == kActCountedBytes) {
        count = std::size_t(bytes[768]) << 8 | bytes[769];
        if (count < 1 || count > 256)
            return Error({.kind = Kind::ActCount, .count = count, .limit = kMaxPaletteColors});
    }
    PaletteFileResult r;
    for (std::size_t i = 0; i < count; ++i) r.colors.push_back(PixelFromRgb(bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]));
    return r;
}

PaletteFileResult PaletteFromBmp(std::span<const std::uint8_t> bytes) {
    const BmpLayoutResult parsed = ParseBmpLayout(bytes);
    if (!parsed.layout) return Error({.kind = Kind::Bmp, .bmpError = parsed.error});
    const BmpLayout& l = *parsed.layout;
    if (l.bitCount == 0 || l.bitCount > 8 || l.colorCount == 0)
        return Error({.kind = Kind::NoColorTable});
    const std::size_t end = l.colorTableOffset + l.colorCount * l.colorEntrySize;
    if (end > bytes.size()) return Error({.kind = Kind::Bmp, .bmpError = BmpError::TruncatedColorTable});
    PaletteFileResult r;
    for (std::size_t i = 0; i < l.colorCount; ++i) {
        const std::uint8_t* e = bytes.data() + l.colorTableOffset + i * l.colorEntrySize;
        r.colors.push_back(PixelFromRgb(e[2], e[1], e[0]));
    }
    return r;
}

PaletteFileResult ParsePaletteBytes(std::span<const std::uint8_t> bytes) {
    const bool actSized = bytes.size() == kActBytes || bytes.size() == kActCountedBytes;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        PaletteFileResult bmp = PaletteFromBmp(bytes);
        // An Adobe table whose first colour is red 66, green 77 starts with "BM" too.
        if (!bmp.Ok() && actSized) return PaletteFromAct(bytes);
        return bmp;
    }
    if (HasNul(bytes)) {
        if (actSized) return PaletteFromAct(bytes);
        return Error({.kind = Kind::NoFormat});
    }
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a UTF-8 mark some editors put first
    const std::string_view first = text.substr(0, text.find_first_of("\r\n"));
    if (first == "JASC-PAL") return ParseJascPalette(text);
    if (first.starts_with("GIMP Palette")) return ParseGimpPalette(text);
    PaletteFileResult list = ParsePaletteText(text);
    // An Adobe table whose bytes all happen to be text is still no colour list.
    if (!list.Ok() && actSized) return PaletteFromAct(bytes);
    return list;
}

PaletteFileResult ReadPaletteFile(FileSystem& files, const std::string& path) {
    const FileBytesResult read = ReadFileBytes(files, path, kMaxPaletteFileBytes, LongerFile::ReadStart);
    if (!read) return Error({.kind = Kind::Unread, .failure = read.failure});
    return PaletteFromFileStart(read.View(), read.storedSize);
}

PaletteFileResult PaletteFromFileStart(std::span<const std::uint8_t> bytes, std::uint64_t fileSize) {
    if (fileSize > kMaxPaletteFileBytes) {
        // A large BMP's colour table is at its start.
        if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return PaletteFromBmp(bytes);
        return Error({.kind = Kind::TooLarge, .limit = kMaxPaletteFileBytes});
    }
    return ParsePaletteBytes(bytes);
}

PaletteOrFile PaletteByNameOrFile(std::string_view nameOrFile, FileSystem& files) {
    return PaletteByNameOrFile(nameOrFile, [&files](const std::string& path) { return ReadPaletteFile(files, path); });
}

PaletteOrFile PaletteByNameOrFile(std::string_view nameOrFile,
                                  const std::function<PaletteFileResult(const std::string&)>& readFile) {
    PaletteOrFile named{PaletteByName(nameOrFile), {}};
    if (named.choice.problem.kind != PaletteNameProblem::Kind::Unknown) return named;
    PaletteFileResult file = readFile(std::string(nameOrFile));
    if (!file.Ok()) {
        named.file = std::move(file.problem);
        return named;
    }
    named.choice = {std::move(file.colors), 0, {}};
    return named;
}

}  // namespace rastrix
