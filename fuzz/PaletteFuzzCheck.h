#pragma once
// What must hold for any bytes given to the palette-file parser (a BMP's colour table, a colour
// list, JASC-PAL, GIMP or an Adobe colour table, told apart by content); shared by the fuzz
// target and the regression test that replays the inputs it once failed on. Memory faults are
// left to the sanitizers; this checks that the results are well formed and that every palette
// read comes back unchanged when written out again in each of the text forms and as an Adobe
// table.
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "codec/PaletteFile.h"

namespace rastrix::fuzz {

inline std::string PaletteAsList(const PaletteColors& colors) {
    std::string s = "; written back\n";
    char line[32];
    for (const Pixel p : colors) {
        std::snprintf(line, sizeof line, "#%06X\n", unsigned(ValueOf(p) & 0xFFFFFFu));
        s += line;
    }
    return s;
}

inline std::string PaletteAsJasc(const PaletteColors& colors) {
    std::string s = "JASC-PAL\r\n0100\r\n" + std::to_string(colors.size()) + "\r\n";
    for (const Pixel p : colors)
        s += std::to_string(RedOf(p)) + " " + std::to_string(GreenOf(p)) + " " + std::to_string(BlueOf(p)) + "\r\n";
    return s;
}

inline std::string PaletteAsGimp(const PaletteColors& colors) {
    std::string s = "GIMP Palette\nName: fuzz\nColumns: 4\n#\n";
    for (const Pixel p : colors)
        s += std::to_string(RedOf(p)) + "\t" + std::to_string(GreenOf(p)) + "\t" + std::to_string(BlueOf(p)) + "\tink\n";
    return s;
}

// 772 bytes: the colours, black after them, then their number and no transparent index.
inline std::vector<std::uint8_t> PaletteAsAct(const PaletteColors& colors) {
    std::vector<std::uint8_t> b(772, 0);
    for (std::size_t i = 0; i < colors.size(); ++i) {
        b[3 * i] = RedOf(colors[i]), b[3 * i + 1] = GreenOf(colors[i]), b[3 * i + 2] = BlueOf(colors[i]);
    }
    b[768] = std::uint8_t(colors.size() >> 8), b[769] = std::uint8_t(colors.size());
    b[770] = b[771] = 0xFF;
    return b;
}

inline std::span<const std::uint8_t> BytesOf(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// Empty when every rule holds, else what went wrong.
inline std::string CheckPaletteInput(std::span<const std::uint8_t> bytes) {
    const PaletteFileResult r = ParsePaletteBytes(bytes);
    if (r.colors.empty() == r.Ok()) return "neither colours nor a problem, or both";
    if (bytes.size() <= kMaxPaletteFileBytes) {
        const PaletteFileResult again = PaletteFromFileStart(bytes, bytes.size());
        if (again.colors != r.colors || again.problem != r.problem) return "the file's start reads otherwise than its bytes";
    }
    if (r.colors.empty()) return {};
    if (r.colors.size() > std::size_t(kMaxPaletteColors)) return "more than 256 colours";
    for (const Pixel p : r.colors)
        if ((ValueOf(p) & 0xFF000000u) != 0) return "a colour with a top byte";

    if (ParsePaletteBytes(BytesOf(PaletteAsList(r.colors))).colors != r.colors) return "the colours written as a list read otherwise";
    if (ParsePaletteBytes(BytesOf(PaletteAsJasc(r.colors))).colors != r.colors) return "the colours written as JASC-PAL read otherwise";
    if (ParsePaletteBytes(BytesOf(PaletteAsGimp(r.colors))).colors != r.colors) return "the colours written as a GIMP palette read otherwise";
    // An Adobe table's bytes are its colours, nothing else: one whose first colours spell "BM" and
    // a whole BMP header with a colour table is that BMP too, and no reader can tell the two
    // apart. Any other table must read back as it was written.
    const std::vector<std::uint8_t> act = PaletteAsAct(r.colors);
    const bool alsoBmp = act[0] == 'B' && act[1] == 'M' && PaletteFromBmp(act).Ok();
    if (!alsoBmp && ParsePaletteBytes(act).colors != r.colors) return "the colours written as an Adobe table read otherwise";
    return {};
}

}  // namespace rastrix::fuzz
