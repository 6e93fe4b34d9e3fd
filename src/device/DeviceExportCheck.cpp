// The one check of a device export's parameters, for both front ends.
#include "codec/PaletteFile.h"
#include "device/DeviceExport.h"

namespace rastrix {

namespace {

using Kind = ExportProblem::Kind;

std::string S(std::string_view v) { return std::string(v); }

// "--layout rgb565" / "--format c": a field and its value, as the message names them.
std::string Field(std::string_view field, std::string_view value) { return S(field) + " " + S(value); }

std::size_t PaletteSize(const DeviceExport& e) {
    return e.optimisedColors > 0 ? std::size_t(e.optimisedColors) : e.palette.size();
}

bool HasPalette(const DeviceExport& e) { return !e.palette.empty() || e.optimisedColors > 0; }

// The colours each pixel may take when there are exactly two: a threshold can choose between them.
bool TwoColorMapping(const DeviceExport& e) {
    if (e.container == DeviceContainer::Bmp) return PaletteSize(e) == 2;
    const LayoutKind kind = InfoOf(e.layout).kind;
    return kind == LayoutKind::Mono || (kind == LayoutKind::Index && PaletteSize(e) == 2);
}

// The rule broken, with every fact the words may name.
ExportProblem Broken(const DeviceExport& e, Kind kind, int limit = 0) {
    return {.kind = kind,
            .adjustment = CheckAdjustments(e.adjust),
            .container = e.container,
            .layout = e.layout,
            .depth = e.bmpDepth,
            .name = e.name,
            .paletteName = e.paletteName,
            .paletteSize = PaletteSize(e),
            .limit = limit};
}

ExportProblem CheckBmp(const DeviceExport& e) {
    if (e.invert) return Broken(e, Kind::BmpInvert);
    if (e.progmem) return Broken(e, Kind::BmpProgmem);
    const int d = e.bmpDepth;
    if (d != 0 && d != 1 && d != 4 && d != 8 && d != 16 && d != 24 && d != 32) return Broken(e, Kind::BmpDepth);
    if ((d == 1 || d == 4 || d == 8) && !HasPalette(e)) return Broken(e, Kind::BmpDepthNeedsPalette);
    if (HasPalette(e) && (d == 1 || d == 4 || d == 8) && PaletteSize(e) > (std::size_t(1) << d))
        return Broken(e, Kind::BmpPaletteTooLarge, 1 << d);
    if (!HasPalette(e) && e.dither != Dither::None && d != 16) return Broken(e, Kind::BmpDitherNeedsPalette);
    return {};
}

ExportProblem CheckPaletteFor(const DeviceExport& e) {
    switch (InfoOf(e.layout).kind) {
        case LayoutKind::Index:
            if (!HasPalette(e)) return Broken(e, Kind::IndexNeedsPalette);
            if (PaletteSize(e) > std::size_t(IndexCapacity(e.layout)))
                return Broken(e, Kind::IndexPaletteTooLarge, IndexCapacity(e.layout));
            return {};
        case LayoutKind::Planes:
            if (HasPalette(e) && PaletteSize(e) != 3) return Broken(e, Kind::PlanesNeedThreeInks);
            return {};
        case LayoutKind::Mono:
        case LayoutKind::Grey:
        case LayoutKind::Color:
            if (HasPalette(e)) return Broken(e, Kind::LayoutHasOwnColours);
            return {};
    }
    return {};
}

std::string AdjustmentText(AdjustmentProblem problem) {
    switch (problem) {
        case AdjustmentProblem::None: break;
        case AdjustmentProblem::Brightness: return "brightness is a share of white " + FromTo(kToneLimits);
        case AdjustmentProblem::Contrast: return "contrast is " + FromTo(kToneLimits);
        case AdjustmentProblem::Gamma: return "gamma is " + FromTo(kGammaLimits);
    }
    return {};
}

}  // namespace

ExportProblem CheckDeviceExport(const DeviceExport& e) {
    if (CheckAdjustments(e.adjust) != AdjustmentProblem::None) return Broken(e, Kind::Adjustment);
    const bool keepsSize = e.width == 0 && e.height == 0;
    if (!keepsSize && !(kDeviceSideLimits.Hold(e.width) && kDeviceSideLimits.Hold(e.height))) return Broken(e, Kind::Size);
    if (!e.name.empty() && !IsCIdentifier(e.name)) return Broken(e, Kind::NotCName);
    if (e.thresholdPercent > kThresholdLimits.high) return Broken(e, Kind::ThresholdRange);
    if (e.thresholdPercent >= 0 && e.dither != Dither::None) return Broken(e, Kind::ThresholdWithDither);
    if (e.optimisedColors != 0 && !kOptimisedColorLimits.Hold(e.optimisedColors))
        return Broken(e, Kind::OptimisedRange);
    if (e.container == DeviceContainer::Bmp) {
        if (ExportProblem why = CheckBmp(e); !why.Ok()) return why;
    } else {
        const LayoutInfo& info = InfoOf(e.layout);
        if (e.bmpDepth != 0) return Broken(e, Kind::DepthNotForFormat);
        if (!ContainerTakes(e.container, e.layout)) return Broken(e, Kind::LayoutNotForFormat);
        if (e.invert && info.kind != LayoutKind::Mono && info.kind != LayoutKind::Grey && info.kind != LayoutKind::Planes)
            return Broken(e, Kind::InvertKeepsColours);
        if (e.progmem && e.container != DeviceContainer::CSource) return Broken(e, Kind::ProgmemNotForFormat);
        if (ExportProblem why = CheckPaletteFor(e); !why.Ok()) return why;
        if (e.dither != Dither::None && info.kind == LayoutKind::Color && info.bits > 16) return Broken(e, Kind::NothingToSpread);
    }
    if (e.thresholdPercent >= 0 && !TwoColorMapping(e)) return Broken(e, Kind::ThresholdNeedsTwoColours);
    return {};
}

std::string ExportProblemText(const ExportProblem& p, const ExportFieldNames& n) {
    const std::string format = Field(n.format, InfoOf(p.container).name);
    const std::string layout = Field(n.layout, InfoOf(p.layout).name);
    const std::string depth = Field(n.depth, std::to_string(p.depth));
    const std::string size = std::to_string(p.paletteSize);
    const std::string palette = Field(n.palette, p.paletteName.empty() ? "(" + size + " colours)" : p.paletteName);
    switch (p.kind) {
        case Kind::None: return {};
        case Kind::Adjustment: return AdjustmentText(p.adjustment);
        case Kind::Size: return S(n.size) + " needs a width and height " + FromTo(kDeviceSideLimits);
        case Kind::NotCName:
            return Field(n.name, p.name) + " is not a C name: letters, digits and underscores, not starting with a digit, "
                                           "no keyword, at most 63 characters";
        case Kind::ThresholdRange: return S(n.threshold) + " is a share of white " + FromTo(kThresholdLimits, "%");
        case Kind::ThresholdWithDither:
            return S(n.threshold) + " and " + S(n.dither) + " cannot be used together: a threshold maps each pixel on its own";
        case Kind::OptimisedRange: return "an optimised palette has " + FromTo(kOptimisedColorLimits) + " colours";
        case Kind::BmpInvert: return S(n.invert) + " flips the bits of a device layout; " + Field(n.format, "bmp") + " keeps the picture's colours";
        case Kind::BmpProgmem: return S(n.progmem) + " is for C arrays; " + Field(n.format, "bmp") + " writes a file";
        case Kind::BmpDepth: return S(n.depth) + " of a BMP file is 1, 4, 8, 16, 24 or 32";
        case Kind::BmpDepthNeedsPalette: return depth + " needs " + S(n.palette) + ": its colour table is the palette";
        case Kind::BmpPaletteTooLarge:
            return palette + " has " + size + " colours; " + depth + " holds at most " + std::to_string(p.limit);
        case Kind::BmpDitherNeedsPalette:
            return S(n.dither) + " spreads what a palette cannot show; give " + S(n.palette) + " (or " + Field(n.depth, "16") + ")";
        case Kind::DepthNotForFormat: return S(n.depth) + " is a BMP file's; " + format + " takes " + S(n.layout);
        case Kind::LayoutNotForFormat: return layout + " is not one " + format + " takes; it takes " + LayoutsOf(p.container);
        case Kind::InvertKeepsColours: return S(n.invert) + " flips black and white; " + layout + " keeps the colours themselves";
        case Kind::ProgmemNotForFormat: return S(n.progmem) + " marks the arrays of a C header; " + format + " has none to mark";
        case Kind::IndexNeedsPalette: return layout + " needs " + S(n.palette) + ": its values are indexes into it";
        case Kind::IndexPaletteTooLarge:
            return palette + " has " + size + " colours; " + layout + " holds at most " + std::to_string(p.limit);
        case Kind::PlanesNeedThreeInks:
            return layout + " takes a palette of three colours (black, white, the third ink), as bwr and bwy are; " + palette +
                   " has " + size;
        case Kind::LayoutHasOwnColours:
            return layout + " has colours of its own; " + S(n.palette) + " is for the index layouts, planes and BMP files";
        case Kind::NothingToSpread: return layout + " keeps every colour, so " + S(n.dither) + " has nothing to spread";
        case Kind::ThresholdNeedsTwoColours:
            return S(n.threshold) + " chooses between two colours; use it with a black-and-white layout or a two-colour palette";
    }
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
