#pragma once
#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "document/SaveFile.h"
#include "edit/ReduceColors.h"
#include "batch/BatchDeviceOptions.h"
#include "color/FixedPalettes.h"
#include "color/PaletteMapping.h"
#include "editor/CommandIds.h"
#include "raster/Color.h"

namespace rastrix::batch {

// One step of the command sequence, applied to every image in the order given.
enum class StepKind {
    Select,      // x, y, width, height
    Shape,       // command = the shape's command (IsSelectionShape), b = 1 for a line from bottom-left to top-right
    Unselect,
    MarkBorder,
    Command,     // command = the menu command: crop, rotations, flips, shifts, the five fills
    Size,        // a = width, b = height
    Bucket,      // a = x, b = y
    Foreground,  // colour
    Background,  // colour
    LineWidth,   // a = 1..9
    LineStyle,   // a = 0..4, as the Set Line Style dialog numbers them
    FillStyle,   // a = 0..6, as the Set Fill Style dialog numbers them
    Scale,       // a = width, b = height, c = 0 fit, 1 cover, 2 exact; d = 0 Lanczos, 1 nearest
};

// How a --size, --fit, --cover or --scale size is given beside plain WxH: a side worked out
// from the picture's aspect ratio ("800x", "x480"), shares of the picture's sides ("50%",
// "50%x25%", a and b then being percentages), and only ever shrinking ("800x480>").
enum SizeForm : int {
    kSizeExact = 0,
    kWidthFromAspect = 1,
    kHeightFromAspect = 2,
    kSizePercent = 4,
    kShrinkOnly = 8,
};

struct Step {
    StepKind kind = StepKind::Command;
    CommandId command{};  // Shape and Command: the command it runs
    int a = 0, b = 0, c = 0, d = 0;
    Color color{0};
    int sizeForm = kSizeExact;  // Size and Scale: SizeForm bits

    constexpr Step() = default;
    constexpr Step(StepKind k, int a_, int b_ = 0, int c_ = 0, int d_ = 0, Color color_ = Color{0},
                   int sizeForm_ = kSizeExact)
        : kind(k), a(a_), b(b_), c(c_), d(d_), color(color_), sizeForm(sizeForm_) {}
    constexpr Step(StepKind k) : kind(k) {}  // NOLINT: a step of a kind without values
    constexpr Step(StepKind k, CommandId id, int b_ = 0) : kind(k), command(id), b(b_) {}
    friend bool operator==(const Step&, const Step&) = default;
};

inline constexpr int kKeepDepth = 0;
// 16 bits as 5-5-5 (--depth 16:555 or 15), as Save As writes it; 16 is 5-6-5.
inline constexpr int kDepth555 = kSaveDepth555;

struct BatchOptions {
    std::vector<Step> steps;
    std::vector<std::string> inputs;   // "-" is standard input
    std::string filesFrom;             // a file naming one input a line; "-" is standard input
    bool nullSeparated = false;        // -0: names in the list end with a NUL byte, not a line end
    std::string output;                // -o: one input only; "-" is standard output
    std::string outDir;
    bool inPlace = false;
    bool keepFolders = false;          // --out-dir DIR/<the input's folders>/<name>.bmp
    bool overwrite = false;
    bool skipExisting = false;         // an output that exists already is skipped, not a failure
    bool dryRun = false;               // say "in -> out" for each input; write nothing
    bool recursive = false;            // -R: a folder stands for the pictures under it
    std::string namePattern;           // --name: the output's name under --out-dir; empty: <stem>.bmp
    bool allowColorLoss = false;
    int depth = kKeepDepth;            // 1, 4, 8, 24, 16 (5-6-5), kDepth555, 32, or keep the image's own depth
    int scaleFilter = 0;               // the filter of the scale commands after --filter: 0 Lanczos, 1 nearest
    std::optional<Color> pictureBackground;  // the first --background: transparent pixels are laid on it
    bool autoOrient = true;            // a JPEG is turned upright as its EXIF orientation says, as
                                       // the editor opens it (--no-auto-orient keeps it as stored)
    // --palette: after the commands, Reduce Colours with these parameters (the dithering and
    // threshold in them too), then the file written as Save writes it: the palette is the colour
    // table, in its order. Without it the file gets the editor's own table.
    std::string paletteName;           // as given; empty: no --palette
    ReduceColorsParams reduce;
    std::optional<Dither> dither;      // --dither, as given; with --palette only
    int thresholdPercent = -1;         // --threshold N%; -1: none
    int jobs = 0;                      // 0: one per processor core
    bool overlapRows = false;          // set by the run, not an option: a file's rows may be
                                       // decoded on one core while another scales them, where the
                                       // workers leave a core spare (PictureOptions::overlapRows)
    bool quiet = false;                // no progress line and no summary
    std::optional<std::array<std::string, 4>> join;  // top-left, top-right, bottom-left, bottom-right; "" empty
    DeviceOptions device;              // --format, --for, --layout, ...: a device file instead of the editor's BMP
    bool help = false;
    bool version = false;
};

struct ParsedArguments {
    std::optional<BatchOptions> options;
    std::string error;  // a usage error, said in one line
};

// Reads the command line (without the program name). Options and inputs may come in any
// order; the image commands keep theirs. Long options take "--name value" or "--name=value",
// short ones "-x value" or "-xvalue", and flags may be grouped ("-mc"). "--" ends the options.
ParsedArguments ParseBatchArguments(std::span<const std::string> args);

// The --help text: every option with an example.
std::string BatchHelpText();

}  // namespace rastrix::batch
