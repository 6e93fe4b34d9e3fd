#include "color/FixedPalettes.h"

#include <charconv>

namespace rastrix {

namespace {

constexpr Pixel Rgb(int r, int g, int b) { return PixelFromRgb(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)); }

const std::string kNames = "bw, grey4, grey16, basic16, epaper7, bwr, bwy, optimised:N (N " + FromTo(kOptimisedColorLimits) + ")";

}  // namespace

PaletteColors BlackWhitePalette() { return {Rgb(0, 0, 0), Rgb(255, 255, 255)}; }

PaletteColors GreyPalette(int levels) {
    PaletteColors out;
    if (levels < 2 || levels > kMaxPaletteColors) return out;
    for (int i = 0; i < levels; ++i) {
        const int v = int((i * 255 + (levels - 1) / 2) / (levels - 1));
        out.push_back(Rgb(v, v, v));
    }
    return out;
}

PaletteColors BasicPalette16() {
    return {Rgb(0, 0, 0),       Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0),
            Rgb(0, 0, 128),     Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(128, 128, 128),
            Rgb(192, 192, 192), Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),
            Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255)};
}

PaletteColors EpaperPalette7() {
    return {Rgb(0, 0, 0),     Rgb(255, 255, 255), Rgb(0, 255, 0),  Rgb(0, 0, 255),
            Rgb(255, 0, 0),   Rgb(255, 255, 0),   Rgb(255, 128, 0)};
}

namespace {

PaletteColors Grey4() { return GreyPalette(4); }
PaletteColors Grey16() { return GreyPalette(16); }

}  // namespace

std::span<const FixedPalette> FixedPaletteTable() {
    static const FixedPalette kTable[] = {
        {"bw", PaletteSource::BlackWhite, BlackWhitePalette},  {"grey4", PaletteSource::Grey4, Grey4},
        {"grey16", PaletteSource::Grey16, Grey16},             {"basic16", PaletteSource::Basic16, BasicPalette16},
        {"epaper7", PaletteSource::Epaper7, EpaperPalette7},
    };
    return kTable;
}

PaletteColors FixedPaletteColors(PaletteSource source) {
    for (const FixedPalette& p : FixedPaletteTable())
        if (p.source == source) return p.colors();
    return {};
}

PaletteColors ThreeInkPalette(Pixel ink) { return {Rgb(0, 0, 0), Rgb(255, 255, 255), ink}; }

std::string_view PaletteNames() { return kNames; }

std::span<const std::string_view> PaletteNameWords() {
    static constexpr std::string_view kWords[] = {"bw", "grey4", "grey16", "basic16", "epaper7", "bwr", "bwy", "optimised:"};
    return kWords;
}

PaletteChoice PaletteByName(std::string_view name) {
    PaletteChoice c;
    for (const FixedPalette& p : FixedPaletteTable())
        if (p.name == name) {
            c.colors = p.colors();
            c.source = p.source;
            return c;
        }
    // The 3-colour e-paper inks are no choice of the editor's list: as a file's colours would be.
    if (name == "bwr") {
        c.colors = ThreeInkPalette(Rgb(255, 0, 0));
    } else if (name == "bwy") {
        c.colors = ThreeInkPalette(Rgb(255, 255, 0));
    } else if (name.starts_with("optimised:") || name.starts_with("optimized:")) {
        const std::string_view digits = name.substr(10);
        int n = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
        if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || !kOptimisedColorLimits.Hold(n)) {
            c.problem = {PaletteNameProblem::Kind::OptimisedCount, std::string(name), kOptimisedColorLimits};
        } else {
            c.optimisedColors = n;
            c.source = PaletteSource::Optimised;
        }
    } else {
        c.problem = {PaletteNameProblem::Kind::Unknown, std::string(name), {}};
    }
    return c;
}

}  // namespace rastrix
