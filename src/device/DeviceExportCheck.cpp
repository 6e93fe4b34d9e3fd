// The one check of a device export's parameters, for both front ends.
#include "codec/PaletteFile.h"
#include "device/DeviceExport.h"
#include "device/PaletteProblemText.h"

namespace rastrix {

namespace {

std::string S(std::string_view v) { return std::string(v); }

// "--layout rgb565" / "--format c": a field and its value, as the message names them.
std::string Field(std::string_view field, std::string_view value) { return S(field) + " " + S(value); }

std::size_t PaletteSize(const DeviceExport& e) {
    return e.optimisedColors > 0 ? std::size_t(e.optimisedColors) : e.palette.size();
}

bool HasPalette(const DeviceExport& e) { return !e.palette.empty() || e.optimisedColors > 0; }

std::string PaletteText(const DeviceExport& e, const ExportFieldNames& n) {
    return Field(n.palette, e.paletteName.empty() ? "(" + std::to_string(PaletteSize(e)) + " colours)" : e.paletteName);
}

// The colours each pixel may take when there are exactly two: a threshold can choose between them.
bool TwoColorMapping(const DeviceExport& e) {
    if (e.container == DeviceContainer::Bmp) return PaletteSize(e) == 2;
    const LayoutKind kind = InfoOf(e.layout).kind;
    return kind == LayoutKind::Mono || (kind == LayoutKind::Index && PaletteSize(e) == 2);
}

std::string CheckBmp(const DeviceExport& e, const ExportFieldNames& n) {
    const std::string bmp = Field(n.format, "bmp");
    if (e.invert) return S(n.invert) + " flips the bits of a device layout; " + bmp + " keeps the picture's colours";
    if (e.progmem) return S(n.progmem) + " is for C arrays; " + bmp + " writes a file";
    const int d = e.bmpDepth;
    if (d != 0 && d != 1 && d != 4 && d != 8 && d != 16 && d != 24 && d != 32)
        return S(n.depth) + " of a BMP file is 1, 4, 8, 16, 24 or 32";
    if ((d == 1 || d == 4 || d == 8) && !HasPalette(e))
        return Field(n.depth, std::to_string(d)) + " needs " + S(n.palette) + ": its colour table is the palette";
    if (HasPalette(e) && (d == 1 || d == 4 || d == 8) && PaletteSize(e) > (std::size_t(1) << d))
        return PaletteText(e, n) + " has " + std::to_string(PaletteSize(e)) + " colours; " + Field(n.depth, std::to_string(d)) +
               " holds at most " + std::to_string(1 << d);
    if (!HasPalette(e) && e.dither != Dither::None && d != 16)
        return S(n.dither) + " spreads what a palette cannot show; give " + S(n.palette) + " (or " + Field(n.depth, "16") + ")";
    return {};
}

std::string CheckPaletteFor(const DeviceExport& e, const ExportFieldNames& n) {
    const LayoutInfo& info = InfoOf(e.layout);
    const std::string layout = Field(n.layout, info.name);
    switch (info.kind) {
        case LayoutKind::Index:
            if (!HasPalette(e)) return layout + " needs " + S(n.palette) + ": its values are indexes into it";
            if (PaletteSize(e) > std::size_t(IndexCapacity(e.layout)))
                return PaletteText(e, n) + " has " + std::to_string(PaletteSize(e)) + " colours; " + layout + " holds at most " +
                       std::to_string(IndexCapacity(e.layout));
            return {};
        case LayoutKind::Planes:
            if (HasPalette(e) && PaletteSize(e) != 3)
                return layout + " takes a palette of three colours (black, white, the third ink), as bwr and bwy are; " +
                       PaletteText(e, n) + " has " + std::to_string(PaletteSize(e));
            return {};
        case LayoutKind::Mono:
        case LayoutKind::Grey:
        case LayoutKind::Color:
            if (HasPalette(e))
                return layout + " has colours of its own; " + S(n.palette) + " is for the index layouts, planes and BMP files";
            return {};
    }
    return {};
}

}  // namespace

std::string CheckDeviceExport(const DeviceExport& e, const ExportFieldNames& n) {
    if (std::string why = CheckAdjustments(e.adjust); !why.empty()) return why;
    if ((e.width == 0) != (e.height == 0) || e.width < 0 || e.height < 0 || e.width > 65535 || e.height > 65535)
        return S(n.size) + " needs a width and height from 1 to 65535";
    if (!e.name.empty() && !IsCIdentifier(e.name))
        return Field(n.name, e.name) + " is not a C name: letters, digits and underscores, not starting with a digit, "
                                        "no keyword, at most 63 characters";
    if (e.thresholdPercent > 100) return S(n.threshold) + " is a share of white from 0% to 100%";
    if (e.thresholdPercent >= 0 && e.dither != Dither::None)
        return S(n.threshold) + " and " + S(n.dither) + " cannot be used together: a threshold maps each pixel on its own";
    if (e.optimisedColors != 0 && (e.optimisedColors < 2 || e.optimisedColors > kMaxPaletteColors))
        return "an optimised palette has from 2 to 256 colours";
    if (e.container == DeviceContainer::Bmp) {
        if (std::string why = CheckBmp(e, n); !why.empty()) return why;
    } else {
        const std::string format = Field(n.format, InfoOf(e.container).name);
        const LayoutInfo& info = InfoOf(e.layout);
        const std::string layout = Field(n.layout, info.name);
        if (e.bmpDepth != 0) return S(n.depth) + " is a BMP file's; " + format + " takes " + S(n.layout);
        if (!ContainerTakes(e.container, e.layout))
            return layout + " is not one " + format + " takes; it takes " + LayoutsOf(e.container);
        if (e.invert && info.kind != LayoutKind::Mono && info.kind != LayoutKind::Grey && info.kind != LayoutKind::Planes)
            return S(n.invert) + " flips black and white; " + layout + " keeps the colours themselves";
        if (e.progmem && e.container != DeviceContainer::CSource)
            return S(n.progmem) + " marks the arrays of a C header; " + format + " has none to mark";
        if (std::string why = CheckPaletteFor(e, n); !why.empty()) return why;
        if (e.dither != Dither::None && info.kind == LayoutKind::Color && info.bits > 16)
            return layout + " keeps every colour, so " + S(n.dither) + " has nothing to spread";
    }
    if (e.thresholdPercent >= 0 && !TwoColorMapping(e))
        return S(n.threshold) + " chooses between two colours; use it with a black-and-white layout or a two-colour palette";
    return {};
}

PaletteOrFile SetExportPalette(DeviceExport& e, std::string_view nameOrFile, FileSystem& files) {
    PaletteOrFile named = PaletteByNameOrFile(nameOrFile, files);
    if (!named.Ok()) return named;
    e.palette = std::move(named.choice.colors);
    e.optimisedColors = named.choice.optimisedColors;
    e.paletteName = nameOrFile;
    return {};
}

std::string_view ExportExtension(const DeviceExport& e) { return InfoOf(e.container).extension; }

}  // namespace rastrix
