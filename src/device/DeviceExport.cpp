#include "device/DeviceExport.h"

#include <algorithm>
#include <new>

#include "codec/BmpDirectWriter.h"
#include "codec/BmpWriter.h"
#include "color/LevelsMapping.h"
#include "color/OptimisedPalette.h"
#include "device/DeviceProfiles.h"
#include "device/PaletteProblemText.h"

namespace rastrix {

namespace {

using FileKind = DeviceFileProblem::Kind;

constexpr std::string_view kNoMemory = "there is not enough memory to make the file";

DeviceFileProblem NoMemory() { return {.kind = FileKind::NoMemory}; }

bool MapsToIndexes(const DeviceExport& e) {
    if (e.container == DeviceContainer::Bmp) return !e.palette.empty() || e.optimisedColors > 0;
    return InfoOf(e.layout).kind != LayoutKind::Color;
}

// The bits a channel keeps in red, green and blue, or nullopt when every bit is kept.
std::optional<ChannelBits> KeptBits(const DeviceExport& e) {
    if (e.container == DeviceContainer::Bmp) return e.bmpDepth == 16 ? std::optional(ChannelBits{5, 6, 5}) : std::nullopt;
    switch (e.layout) {
        case DeviceLayout::Rgb565:
        case DeviceLayout::Rgb565Swapped:
        case DeviceLayout::Rgb565A8: return ChannelBits{5, 6, 5};
        case DeviceLayout::Rgb332: return ChannelBits{3, 3, 2};
        default: return std::nullopt;
    }
}

// The picture on its way to the file: a copy made only when something changes it.
struct Working {
    const Bitmap* image = nullptr;
    std::optional<Bitmap> own;

    bool Own() {
        if (own) return true;
        own = Bitmap::TryCreate(image->Width(), image->Height(), Bitmap::NewPixels::Unset);
        if (!own) return false;
        for (int y = 0; y < image->Height(); ++y) std::copy_n(image->Row(y), image->Width(), own->Row(y));
        image = &*own;
        return true;
    }
};

struct Prepared {
    MappedImage mapped;
    DeviceFileProblem problem;
};

// Scaled, adjusted and mapped: the values the layout packs.
Prepared Prepare(const Bitmap& source, const DeviceExport& e, const PictureAlpha& alpha) {
    Prepared p;
    // The front ends check with their own words first; this only keeps a wrong call from going on.
    if (const ExportProblem why = CheckDeviceExport(e); !why.Ok()) return {{}, {.kind = FileKind::Parameters, .parameters = why}};
    if (source.IsEmpty()) return {{}, {.kind = FileKind::NoPicture}};
    Working w{&source, std::nullopt};
    const bool resize = e.width > 0 && (e.width != source.Width() || e.height != source.Height());
    if (resize && alpha.alpha) return {{}, {.kind = FileKind::TransparentScaled}};
    if (resize) {
        w.own = ScaleBitmap(source, e.width, e.height, e.fit, e.filter, e.background);
        if (!w.own) return {{}, NoMemory()};
        w.image = &*w.own;
    }
    const bool keepsAlpha = e.container != DeviceContainer::Bmp && InfoOf(e.layout).alpha && alpha.alpha;
    if (keepsAlpha) {
        // The colours as they were before they were laid on the background.
        if (!w.Own()) return {{}, NoMemory()};
        for (int y = 0; y < w.own->Height(); ++y) {
            Pixel* row = w.own->Row(y);
            const Pixel* a = alpha.alpha->Row(y);
            for (int x = 0; x < w.own->Width(); ++x)
                if (const unsigned v = ValueOf(a[x]) & 0xFFu; v < 255u) row[x] = OffBackground(row[x], v, alpha.background);
        }
        p.mapped.alpha = *alpha.alpha;
    }
    if (e.adjust.Any()) {
        if (!w.Own()) return {{}, NoMemory()};
        AdjustTones(*w.own, e.adjust);
    }
    if (MapsToIndexes(e)) {
        PaletteColors palette = e.palette;
        if (e.optimisedColors > 0) {
            OptimisedPaletteResult made = MakeOptimisedPalette(*w.image, e.optimisedColors);
            if (made.problem.kind != OptimisedPaletteProblem::Kind::None) return {{}, {.kind = FileKind::Optimise, .optimise = made.problem}};
            palette = std::move(made.colors);
        } else if (palette.empty()) {
            palette = LayoutPalette(e.layout);
        }
        MapResult mapped = MapToPalette(*w.image, palette, {e.dither, e.thresholdPercent});
        if (!mapped.image) return {{}, {.kind = FileKind::Map, .map = mapped.problem}};
        p.mapped.indexes = std::move(*mapped.image);
        p.mapped.palette = std::move(palette);
        return p;
    }
    const std::optional<ChannelBits> bits = KeptBits(e);
    if (bits && e.dither != Dither::None) {
        p.mapped.pixels = MapToLevels(*w.image, *bits, e.dither);
        if (!p.mapped.pixels) return {{}, NoMemory()};
    } else if (w.own) {
        p.mapped.pixels = std::move(w.own);
    } else {
        p.mapped.pixels = Bitmap::TryCreate(source.Width(), source.Height(), Bitmap::NewPixels::Unset);
        if (!p.mapped.pixels) return {{}, NoMemory()};
        for (int y = 0; y < source.Height(); ++y) std::copy_n(source.Row(y), source.Width(), p.mapped.pixels->Row(y));
    }
    return p;
}

std::vector<std::uint8_t> Collect(const BmpFileBytes& file) {
    std::vector<std::uint8_t> bytes;
    for (auto piece = file.pieces(); !piece.empty(); piece = file.pieces()) bytes.insert(bytes.end(), piece.begin(), piece.end());
    return bytes;
}

DeviceFile BmpFile(Prepared& p, const DeviceExport& e, const PictureAlpha& alpha) {
    std::vector<std::uint8_t> buffer;
    const MappedImage& m = p.mapped;
    const int depth = e.bmpDepth != 0 ? e.bmpDepth : m.pixels ? 24 : SmallestIndexedDepth(m.palette.size());
    if (!m.pixels && depth <= 8) {
        EncodedBmp file = EncodeIndexedBmp(m.indexes, m.palette, depth);
        if (file.status != EncodeStatus::Ok) return {{}, {.kind = FileKind::Encode, .encode = file.status}};
        return {std::move(file.bytes), {}};
    }
    std::optional<Bitmap> colors;
    if (!m.pixels) {
        colors = PaletteBitmap(m.indexes, m.palette);
        if (!colors) return {{}, NoMemory()};
    }
    const Bitmap& image = m.pixels ? *m.pixels : *colors;
    BmpFileBytes file;
    if (depth == 24) file = EncodeBmpPieces(image, 24, {}, buffer);
    else if (depth == 16) file = EncodeBmpDirect(image, DirectDepth::Rgb565, nullptr, e.background, buffer);
    else file = EncodeBmpDirect(image, DirectDepth::Bgra32, alpha.alpha, alpha.background, buffer);
    if (file.status != EncodeStatus::Ok) return {{}, {.kind = FileKind::Encode, .encode = file.status}};
    return {Collect(file), {}};
}

std::string ValuesText(const DeviceExport& e, const MappedImage& m, const std::string& name) {
    const LayoutInfo& info = InfoOf(e.layout);
    switch (info.kind) {
        case LayoutKind::Mono: return e.invert ? "1 = black, 0 = white." : "1 = white, 0 = black.";
        case LayoutKind::Grey:
            return "Grey levels: " + std::string(e.invert ? "0 = white, " : "0 = black, ") + std::to_string((1 << info.bits) - 1) +
                   (e.invert ? " = black." : " = white.");
        case LayoutKind::Planes: return e.invert ? "1 = the plane's ink, 0 = none." : "0 = the plane's ink, 1 = none.";
        case LayoutKind::Index:
            return "Indexes into the palette " + (e.paletteName.empty() ? std::string() : e.paletteName + " ") + "(" +
                   std::to_string(m.palette.size()) + " colours): " + name + "_palette below.";
        case LayoutKind::Color: break;
    }
    return {};
}

}  // namespace

DeviceFile ExportForDevice(const Bitmap& image, const DeviceExport& e, const PictureAlpha& alpha) {
    if (const int w = e.width > 0 ? e.width : image.Width();
        e.container == DeviceContainer::Bmp && e.widthMultiple > 1 && w % e.widthMultiple != 0)
        return {{}, {.kind = FileKind::WidthNotMultiple, .width = w, .multiple = e.widthMultiple, .profile = e.profile}};
    try {
        Prepared p = Prepare(image, e, alpha);
        if (!p.problem.Ok()) return {{}, p.problem};
        if (e.container == DeviceContainer::Bmp) return BmpFile(p, e, alpha);
        std::optional<PackedImage> packed = PackLayout(p.mapped, e.layout, e.invert);
        if (!packed) return {{}, NoMemory()};
        const std::string name = e.name.empty() ? "image" : e.name;
        const bool indexed = InfoOf(e.layout).kind == LayoutKind::Index;
        switch (e.container) {
            case DeviceContainer::Binary: return {std::move(packed->bytes), {}};
            case DeviceContainer::LvglBinary:
                return {LvglBinary(*packed, e.layout, LvglPalette(e.layout, p.mapped.palette, e.invert)), {}};
            case DeviceContainer::LvglC: {
                const std::string text = LvglCText(*packed, e.layout, LvglPalette(e.layout, p.mapped.palette, e.invert), name);
                return {{text.begin(), text.end()}, {}};
            }
            case DeviceContainer::Xbm: {
                const std::string text = XbmText(*packed, name);
                return {{text.begin(), text.end()}, {}};
            }
            case DeviceContainer::CSource: {
                const LayoutInfo& info = InfoOf(e.layout);
                CSourceNotes notes{name, std::string(info.name) + ": " + std::string(info.description), ValuesText(e, p.mapped, name),
                                   CallFor(e.function, name), e.progmem, indexed ? p.mapped.palette : PaletteColors{}};
                const std::string text = CSourceText(*packed, notes);
                return {{text.begin(), text.end()}, {}};
            }
            case DeviceContainer::Bmp: break;
        }
        return {{}, {.kind = FileKind::UnknownFormat}};
    } catch (const std::bad_alloc&) {
        return {{}, NoMemory()};
    }
}

DeviceView RenderDeviceView(const Bitmap& image, const DeviceExport& e) {
    try {
        Prepared p = Prepare(image, e, {});
        if (!p.problem.Ok()) return {std::nullopt, p.problem};
        if (!p.mapped.pixels) {
            std::optional<Bitmap> shown = PaletteBitmap(p.mapped.indexes, p.mapped.palette);
            if (!shown) return {std::nullopt, NoMemory()};
            return {std::move(shown), {}};
        }
        Bitmap& shown = *p.mapped.pixels;
        if (e.container == DeviceContainer::Bmp && e.bmpDepth == 16 && e.dither == Dither::None) {
            // The BMP writer rounds each channel to its nearest level; a reader widens it again.
            const auto level = [](int v, int levels, int bits) { return std::uint8_t(LevelValue((v * levels + 127) / 255, bits)); };
            for (int y = 0; y < shown.Height(); ++y) {
                Pixel* row = shown.Row(y);
                for (int x = 0; x < shown.Width(); ++x)
                    row[x] = PixelFromRgb(level(RedOf(row[x]), 31, 5), level(GreenOf(row[x]), 63, 6), level(BlueOf(row[x]), 31, 5));
            }
        } else if (const std::optional<ChannelBits> bits = KeptBits(e)) {
            for (int y = 0; y < shown.Height(); ++y) {
                Pixel* row = shown.Row(y);
                for (int x = 0; x < shown.Width(); ++x)
                    row[x] = PixelFromRgb(std::uint8_t(LevelValue(RedOf(row[x]) >> (8 - bits->red), bits->red)),
                                          std::uint8_t(LevelValue(GreenOf(row[x]) >> (8 - bits->green), bits->green)),
                                          std::uint8_t(LevelValue(BlueOf(row[x]) >> (8 - bits->blue), bits->blue)));
            }
        }
        return {std::move(p.mapped.pixels), {}};
    } catch (const std::bad_alloc&) {
        return {std::nullopt, NoMemory()};
    }
}

std::string DeviceFileProblemText(const DeviceFileProblem& p) {
    switch (p.kind) {
        case FileKind::None: return {};
        case FileKind::Parameters: return ExportProblemText(p.parameters, kPlainFieldNames);
        case FileKind::NoPicture: return "there is no picture";
        case FileKind::TransparentScaled: return "a transparent picture is not scaled here; scale it before";
        case FileKind::NoMemory: return std::string(kNoMemory);
        case FileKind::Optimise: return PaletteProblemText(p.optimise);
        case FileKind::Map: return PaletteProblemText(p.map);
        case FileKind::Encode: return std::string(EncodeStatusMessage(p.encode));
        case FileKind::WidthNotMultiple:
            return "the picture is " + std::to_string(p.width) + " pixels wide; the reader of " +
                   (p.profile.empty() ? "this file" : p.profile) +
                   " files skips no row padding and takes only widths that are multiples of " + std::to_string(p.multiple) +
                   ": scale it to the panel's size";
        case FileKind::UnknownFormat: return "unknown format";
    }
    return {};
}

}  // namespace rastrix
