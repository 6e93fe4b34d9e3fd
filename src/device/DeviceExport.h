#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codec/BmpWriter.h"
#include "codec/PaletteFile.h"
#include "color/FixedPalettes.h"
#include "color/OptimisedPalette.h"
#include "color/PaletteMapping.h"
#include "device/DeviceAdjust.h"
#include "device/DeviceContainer.h"
#include "device/DeviceLayout.h"
#include "raster/Scale.h"
#include "store/FileSystem.h"

namespace rastrix {

// What a device file is to be: both front ends fill one in (from a profile, then the user's
// changes), check it with CheckDeviceExport and call ExportForDevice.
struct DeviceExport {
    DeviceContainer container = DeviceContainer::CSource;
    DeviceLayout layout = DeviceLayout::Mono;  // not used by Bmp
    bool invert = false;                       // Mono and Planes: 1 = black (the ink); Grey: 0 = white
    bool progmem = false;                      // CSource: PROGMEM after each array
    std::string name;                          // the C identifier; empty: "image"
    // The palette of Index and Planes layouts and of Bmp files: colours in order, or a number of
    // colours to choose for the picture (optimisedColors). None: the layout's own colours
    // (black and white, the greys, black, white and red); Index layouts and Bmp files of 1, 4 or
    // 8 bits need one. paletteName is what the user called it, for messages and the file.
    PaletteColors palette;
    int optimisedColors = 0;
    std::string paletteName;
    Dither dither = Dither::None;
    int thresholdPercent = -1;  // 0..100 with a two-colour mapping and no dithering; -1 none
    Adjustments adjust;
    int bmpDepth = 0;  // Bmp: 1, 4, 8, 16 (5-6-5), 24, 32; 0: the smallest that holds the palette, else 24
    // The device's size, each side within kDeviceSideLimits; 0 x 0 keeps the picture's. A
    // picture of another size is scaled to it.
    int width = 0, height = 0;
    ScaleFit fit = ScaleFit::Fit;
    ScaleFilter filter = ScaleFilter::Lanczos;
    Pixel background{0x00FFFFFFu};  // around a fitted picture; under transparent pixels
    std::string profile;            // the profile it came from, for the file's comment
    std::string function;           // the library call that takes the file, for its comment
    // Bmp: the reader reads rows of 3 * width bytes, skipping no padding, so a file whose width
    // is not a multiple of this would be drawn sheared: such a picture is refused. 0: any width.
    int widthMultiple = 0;
};

// A device's width or height, where one is given.
inline constexpr Limits kDeviceSideLimits{1, 65535};

// How a front end names the parameters in its messages: rastrix-batch by its options, the
// editor by its dialog's fields.
struct ExportFieldNames {
    std::string_view format, layout, invert, progmem, name, palette, dither, threshold, depth, size;
};
inline constexpr ExportFieldNames kBatchFieldNames{"--format", "--layout", "--invert", "--progmem", "--symbol",
                                                   "--palette", "--dither",  "--threshold", "--depth", "--fit"};

inline constexpr ExportFieldNames kPlainFieldNames{"format", "layout", "invert", "PROGMEM", "name",
                                                   "palette", "dithering", "threshold", "depth", "size"};

// Why an export's parameters cannot make a file: the rule they break, and the facts its words
// name (the export's format, layout, depth, palette and name, and the limit broken).
struct ExportProblem {
    enum class Kind : std::uint8_t {
        None,
        Adjustment,             // `adjustment` is out of its range
        Size,                   // a width without a height, or a side beyond kDeviceSideLimits
        NotCName,               // `name` is no C identifier
        ThresholdRange,         // a threshold above 100%
        ThresholdWithDither,    // both given
        OptimisedRange,         // an optimised palette of fewer than 2 or more than 256 colours
        BmpInvert,              // a BMP file keeps the picture's colours
        BmpProgmem,             // a BMP file is no C array
        BmpDepth,               // `depth` is no BMP depth
        BmpDepthNeedsPalette,   // `depth` 1, 4 or 8 without a palette
        BmpPaletteTooLarge,     // the palette has more colours than `depth` holds (`limit`)
        BmpDitherNeedsPalette,  // dithering with nothing to spread to
        DepthNotForFormat,      // a depth given for a device layout
        LayoutNotForFormat,     // `container` does not take `layout`
        InvertKeepsColours,     // invert for a layout of colours
        ProgmemNotForFormat,    // PROGMEM for a format with no C arrays
        IndexNeedsPalette,      // an index layout without a palette
        IndexPaletteTooLarge,   // the palette has more colours than the layout holds (`limit`)
        PlanesNeedThreeInks,    // the planes take three colours, the palette has `paletteSize`
        LayoutHasOwnColours,    // a palette for a layout of its own colours
        NothingToSpread,        // dithering for a layout that keeps every colour
        ThresholdNeedsTwoColours,
    };
    Kind kind = Kind::None;
    AdjustmentProblem adjustment = AdjustmentProblem::None;
    DeviceContainer container = DeviceContainer::CSource;
    DeviceLayout layout = DeviceLayout::Mono;
    int depth = 0;
    std::string name;
    std::string paletteName;  // empty: a palette given by its colours
    std::size_t paletteSize = 0;
    int limit = 0;

    bool Ok() const { return kind == Kind::None; }
    friend bool operator==(const ExportProblem&, const ExportProblem&) = default;
};

// Whether the parameters can make a file; the first rule they break when they cannot.
ExportProblem CheckDeviceExport(const DeviceExport& e);

// The problem in a front end's words, naming its fields ("--layout mono-pages is not one
// --format lvgl-c takes; it takes ..."); empty for none.
std::string ExportProblemText(const ExportProblem& problem, const ExportFieldNames& names);

// The palette a name stands for (bw, grey4, ..., bwr, bwy, optimised:N), or else the palette file
// of that name, read through `files`, into e.palette / e.optimisedColors. Returns the name's and
// the file's problems when neither gives one (PaletteProblemText words them); Ok when set.
PaletteOrFile SetExportPalette(DeviceExport& e, std::string_view nameOrFile, FileSystem& files);

// A transparent picture's alpha (the low byte of each word, 255 opaque), the picture's size, and
// the colour its pixels were laid on; the layouts with alpha take the colours back off it.
struct PictureAlpha {
    const Bitmap* alpha = nullptr;
    Pixel background{0x00FFFFFFu};
};

// Why a device file was not made after its parameters passed the check: the kind, and the
// problem or the facts its words name.
struct DeviceFileProblem {
    enum class Kind : std::uint8_t {
        None,
        Parameters,         // the parameters break a rule: `parameters`
        NoPicture,          // the picture is empty
        TransparentScaled,  // a transparent picture given a size
        NoMemory,
        Optimise,           // the optimised palette could not be chosen: `optimise`
        Map,                // the colours could not be mapped: `map`
        Encode,             // the BMP writer refused: `encode`
        WidthNotMultiple,   // `width` is no multiple of `multiple`, all `profile`'s reader takes
        UnknownFormat,
    };
    Kind kind = Kind::None;
    ExportProblem parameters;
    OptimisedPaletteProblem optimise;
    MapProblem map;
    EncodeStatus encode = EncodeStatus::Ok;
    int width = 0, multiple = 0;
    std::string profile;  // empty: no profile named the reader

    bool Ok() const { return kind == Kind::None; }
};

// The words for it, as a clause both front ends put after their own ("The file cannot be made: ...").
std::string DeviceFileProblemText(const DeviceFileProblem& problem);

struct DeviceFile {
    std::vector<std::uint8_t> bytes;
    DeviceFileProblem problem;  // Ok when bytes hold the file
};

// The file's bytes for the picture: scaled to the device's size, the tones adjusted, the colours
// mapped (and dithered) to what the layout holds, packed and put in the container. The picture
// is not changed. Never throws.
DeviceFile ExportForDevice(const Bitmap& image, const DeviceExport& e, const PictureAlpha& alpha = {});

// What the device shows for the file ExportForDevice writes: the picture at the device's size
// in the colours the layout keeps (palette entries, or each channel's kept bits widened again).
struct DeviceView {
    std::optional<Bitmap> image;
    DeviceFileProblem problem;
};
DeviceView RenderDeviceView(const Bitmap& image, const DeviceExport& e);

// The name of the file written: the output's extension is the container's (".h", ".bin", ...).
std::string_view ExportExtension(const DeviceExport& e);

}  // namespace rastrix
