#include "batch/BatchOptionTable.h"

#include <algorithm>
#include <vector>

#include "editor/CommandIds.h"
#include "batch/BatchColorNames.h"
#include "batch/BatchStream.h"
#include "batch/BatchValues.h"
#include "codec/PaletteFile.h"
#include "device/PaletteProblemText.h"
#include "draw/StyleSettings.h"
#include "store/FileSystem.h"

namespace rastrix::batch {

namespace {

using Values = std::span<const std::string>;

std::string AddStep(BatchOptions& o, Step s) {
    o.steps.push_back(s);
    return {};
}

std::string AddCommand(BatchOptions& o, CommandId id) { return AddStep(o, {StepKind::Command, id}); }

// A keyword that stands for one of the given command ids, word i for ids[i]: as many of one as
// of the other.
template <std::size_t N>
std::string AddWordCommand(BatchOptions& o, const std::string& v, const std::string_view (&words)[N], const CommandId (&ids)[N]) {
    const auto i = IndexOfWord(v, words);
    if (!i) return NotOneOf(words, v);
    return AddCommand(o, ids[std::size_t(*i)]);
}

// The words of the options that take one of a fixed list, each in the order its refusal names them.
constexpr std::string_view kShapeWords[] = {"rectangle", "rounded", "ellipse", "line", "line-up"};
constexpr std::string_view kRotateWords[] = {"90", "180", "270"};
constexpr std::string_view kFlipWords[] = {"h", "v"};
constexpr std::string_view kShiftWords[] = {"left", "right", "up", "down"};
constexpr std::string_view kFillWords[] = {"line", "solid", "two-colour", "interior", "exterior"};
// The commands those words run, word by word, and the commands of the options without a value.
constexpr CommandId kRotateCommands[] = {CommandId::RotateClockwise, CommandId::Rotate180, CommandId::RotateCounterClockwise};
constexpr CommandId kFlipCommands[] = {CommandId::FlipHorizontal, CommandId::FlipVertical};
constexpr CommandId kShiftCommands[] = {CommandId::ShiftLeft, CommandId::ShiftRight, CommandId::ShiftUp, CommandId::ShiftDown};
constexpr CommandId kFillCommands[] = {CommandId::FillLine, CommandId::FillSolid, CommandId::FillTwoColor,
                                       CommandId::FillInterior, CommandId::FillExterior};
constexpr CommandId kMarkBorderCommand[] = {CommandId::MarkBorder};
constexpr CommandId kCropCommand[] = {CommandId::Crop};
constexpr CommandId kSizeCommand[] = {CommandId::ChangeImageSize};
constexpr std::string_view kLineStyleWords[] = {"solid", "dot", "dash", "dash-dot", "dash-dot-dot"};
constexpr std::string_view kFillStyleWords[] = {"solid", "horizontal", "vertical", "backward-diagonal", "forward-diagonal",
                                                "cross", "diagonal-cross"};
// Word i is style i of the style dialogs, so there is one word for each of their styles.
static_assert(std::size(kLineStyleWords) == kLineStyleCount);
static_assert(std::size(kFillStyleWords) == kFillStyleCount);
constexpr std::string_view kDepthWords[] = {"1", "4", "8", "16", "16:555", "24", "32", "keep"};
constexpr int kDepthOfWord[] = {1, 4, 8, 16, kDepth555, 24, 32, kKeepDepth};
constexpr std::string_view kFilterWords[] = {"lanczos", "nearest"};

std::string Select(BatchOptions& o, Values v) {
    const auto n = ParseNumbers(v[0], 4);
    if (!n) return NotA("X,Y,W,H", v[0]);
    return AddStep(o, {StepKind::Select, (*n)[0], (*n)[1], (*n)[2], (*n)[3]});
}

std::string Shape(BatchOptions& o, Values v) {
    const auto i = IndexOfWord(v[0], kShapeWords);
    if (!i) return NotOneOf(kShapeWords, v[0]);
    // The shape of each word of kShapeWords; "line-up" is a line from bottom-left to top-right.
    constexpr CommandId kShapes[] = {CommandId::RectangleSelection, CommandId::RoundedRectangleSelection,
                                     CommandId::EllipseSelection, CommandId::LineSelection, CommandId::LineSelection};
    static_assert(std::size(kShapes) == std::size(kShapeWords));
    return AddStep(o, {StepKind::Shape, kShapes[*i], *i == 4 ? 1 : 0});
}

std::string Rotate(BatchOptions& o, Values v) {
    return AddWordCommand(o, v[0], kRotateWords, kRotateCommands);
}

std::string Flip(BatchOptions& o, Values v) {
    return AddWordCommand(o, v[0], kFlipWords, kFlipCommands);
}

std::string Shift(BatchOptions& o, Values v) {
    return AddWordCommand(o, v[0], kShiftWords, kShiftCommands);
}

std::string Fill(BatchOptions& o, Values v) {
    return AddWordCommand(o, v[0], kFillWords, kFillCommands);
}

// A size in any of its forms as a step: a side given as 0 (or 0%) makes an empty image.
std::string SizeStep(BatchOptions& o, const std::string& v, Step step) {
    const auto s = ParseSizeValue(v);
    if (!s) return NotA("WxH", v);
    if ((s->width == 0 && !(s->form & kWidthFromAspect)) || (s->height == 0 && !(s->form & kHeightFromAspect)))
        return "'" + v + "' makes an empty image; give a width and height of at least 1";
    step.a = s->width;
    step.b = s->height;
    step.sizeForm = s->form;
    return AddStep(o, step);
}

std::string Size(BatchOptions& o, Values v) { return SizeStep(o, v[0], {StepKind::Size}); }

std::string Bucket(BatchOptions& o, Values v) {
    const auto p = ParseNumbers(v[0], 2);
    if (!p) return NotA("X,Y", v[0]);
    return AddStep(o, {StepKind::Bucket, (*p)[0], (*p)[1]});
}

std::string ColorOption(BatchOptions& o, const std::string& v, StepKind kind) {
    const auto c = ParseColor(v);
    if (!c) return ColorValueError(v);
    Step s{kind};
    s.color = *c;
    return AddStep(o, s);
}

std::string LineWidth(BatchOptions& o, Values v) {
    const auto n = ParseNumbers(v[0], 1);
    if (!n || !kLineWidthLimits.Hold((*n)[0])) return NotA("a width " + FromTo(kLineWidthLimits), v[0]);
    return AddStep(o, {StepKind::LineWidth, (*n)[0]});
}

std::string LineStyle(BatchOptions& o, Values v) {
    const auto i = IndexOfWord(v[0], kLineStyleWords);
    if (!i) return NotOneOf(kLineStyleWords, v[0]);
    return AddStep(o, {StepKind::LineStyle, *i});
}

std::string FillStyle(BatchOptions& o, Values v) {
    const auto i = IndexOfWord(v[0], kFillStyleWords);
    if (!i) return NotOneOf(kFillStyleWords, v[0]);
    return AddStep(o, {StepKind::FillStyle, *i});
}

std::string Depth(BatchOptions& o, Values v) {
    // 15 is taken for 16:555 too, without being offered.
    const auto i = v[0] == "15" ? IndexOfWord("16:555", kDepthWords) : IndexOfWord(v[0], kDepthWords);
    if (!i) return NotOneOf(kDepthWords, v[0]);
    o.depth = kDepthOfWord[*i];
    return {};
}

// A palette file that is a pipe (<(...), /dev/stdin from a pipe): read as inputs are read,
// up to the palette file's limit; a longer one is taken as a file of that size.
PaletteFileResult ReadPalettePipe(const std::string& name) {
    std::vector<std::uint8_t> bytes;
    const std::string tooLong = "longer than the limit";  // not a reason the reading gives
    const std::string reason = ReadNamedStream(name, kMaxPaletteFileBytes, bytes, {}, tooLong);
    if (!reason.empty() && reason != tooLong) return {{}, {.kind = PaletteFileProblem::Kind::ReaderFailed, .text = reason}};
    return PaletteFromFileStart(bytes, reason == tooLong ? kMaxPaletteFileBytes + 1 : bytes.size());
}

// A palette's name, or else a palette file, read once here for every input.
std::vector<std::string> PaletteWords() {
    const auto words = PaletteNameWords();
    return {words.begin(), words.end()};
}

std::string Palette(BatchOptions& o, Values v) {
    PaletteOrFile named = PaletteByNameOrFile(v[0], [](const std::string& name) {
        return IsStream(name) ? ReadPalettePipe(name) : ReadPaletteFile(PosixFileSystem(), name);
    });
    if (!named.Ok()) return PaletteProblemText(named);
    PaletteChoice& choice = named.choice;
    // A file's colours (and bwr, bwy, which the editor's list does not name) go as a file's.
    ReduceColorsParams& r = o.reduce;
    r.palette = choice.source;
    if (choice.optimisedColors > 0) r.optimisedColors = choice.optimisedColors;
    if (r.palette == PaletteSource::File) {
        r.paletteFile = v[0];
        r.fileColors = std::move(choice.colors);
    }
    o.paletteName = v[0];
    return {};
}

std::string DitherKind(BatchOptions& o, Values v) {
    o.dither = DitherByName(v[0]);
    if (o.dither) o.reduce.dither = *o.dither;
    return o.dither ? "" : NotOneOf(kDitherNames, v[0]);
}

std::string Threshold(BatchOptions& o, Values v) {
    const std::string digits = v[0].ends_with('%') ? v[0].substr(0, v[0].size() - 1) : v[0];
    const auto n = ParseNumbers(digits, 1);
    if (!n || !kThresholdLimits.Hold((*n)[0])) return NotA("a share of white " + FromTo(kThresholdLimits, "%"), v[0]);
    o.thresholdPercent = (*n)[0];
    o.reduce.thresholdPercent = o.thresholdPercent;
    return {};
}

// --fit, --cover, --scale: a scale command with the filter chosen so far.
std::string Scale(BatchOptions& o, const std::string& v, int fit) {
    return SizeStep(o, v, {StepKind::Scale, 0, 0, fit, o.scaleFilter});
}

std::string Filter(BatchOptions& o, Values v) {
    const auto i = IndexOfWord(v[0], kFilterWords);
    if (!i) return NotOneOf(kFilterWords, v[0]);
    o.scaleFilter = int(*i);
    return {};
}

std::string Jobs(BatchOptions& o, Values v) {
    const auto n = ParseNumbers(v[0], 1);
    if (!n || (*n)[0] < 1 || (*n)[0] > 256) return NotA("a number of jobs from 1 to 256", v[0]);
    o.jobs = (*n)[0];
    return {};
}

std::string Join(BatchOptions& o, Values v) {
    std::array<std::string, 4> places;
    for (int i = 0; i < 4; ++i) places[std::size_t(i)] = v[std::size_t(i)] == "none" ? "" : v[std::size_t(i)];
    o.join = places;
    return {};
}

std::string NamePattern(BatchOptions& o, Values v) {
    if (v[0].empty()) return "the name pattern is empty; give one such as '{stem}-small'";
    o.namePattern = v[0];
    return {};
}

constexpr std::string_view kCommands = "Commands, applied in the order given";
constexpr std::string_view kStyle = "Colours and styles for the commands after them";
constexpr std::string_view kOutput = "Output";
constexpr std::string_view kRun = "Inputs and running";

const OptionSpec kOptions[] = {
    {"select", 's', "X,Y,W,H", 1, "select a rectangle, as a drag or the Adjust Selection dialog does", "--select 10,10,200,120", kCommands, Select},
    {"shape", 0, "SHAPE", 1, "mark the selection as rectangle, rounded, ellipse, line or line-up (a line from bottom-left to top-right)", "--shape ellipse", kCommands, Shape, WordsOf<kShapeWords>, true},
    {"mark-border", 'm', "", 0, "select the picture inside a plain border (Mark Border)", "-m", kCommands,
     [](BatchOptions& o, Values) { return AddStep(o, {StepKind::MarkBorder}); }, nullptr, false, kMarkBorderCommand},
    {"unselect", 'u', "", 0, "end the selection, so the next command works on the whole image", "-u", kCommands,
     [](BatchOptions& o, Values) { return AddStep(o, {StepKind::Unselect}); }},
    {"crop", 'c', "", 0, "crop to the selection", "--select 0,0,640,480 --crop", kCommands,
     [](BatchOptions& o, Values) { return AddCommand(o, CommandId::Crop); }, nullptr, false, kCropCommand},
    {"rotate", 'r', "DEGREES", 1, "rotate clockwise by 90, 180 or 270 degrees: the whole image, or a square selection", "-r 90", kCommands, Rotate, WordsOf<kRotateWords>, true, kRotateCommands},
    {"flip", 0, "h|v", 1, "flip horizontally or vertically: the whole image, or a square selection", "--flip h", kCommands, Flip, WordsOf<kFlipWords>, true, kFlipCommands},
    {"shift", 0, "DIRECTION", 1, "shift the rectangle selection one pixel left, right, up or down", "--shift left", kCommands, Shift, WordsOf<kShiftWords>, true, kShiftCommands},
    {"size", 0, "WxH", 1, "Change Image Size: keep the top-left part, new area in the background colour. Every size (here and for --fit, --cover, --scale) is WxH, or Wx or xH (the other side from the picture's aspect ratio, rounded), or N% or N%xM% of the picture's sides; a '>' after it only ever shrinks: a picture already inside the box is left as it is (and --size then keeps no side larger than the picture's)", "--size '800x600>'", kCommands, Size, nullptr, false, kSizeCommand},
    {"bucket", 0, "X,Y", 1, "replace the colour at X,Y with the foreground colour, as the bucket does (inside or outside the selection)", "--bucket 0,0", kCommands, Bucket},
    {"fit", 0, "WxH", 1, "scale to fit inside WxH, keeping the aspect ratio; the rest is filled with the background colour (white unless given), the picture centred; with '>' only a picture larger than the box is scaled", "--fit '800x480>'", kCommands,
     [](BatchOptions& o, Values v) { return Scale(o, v[0], 0); }},
    {"cover", 0, "WxH", 1, "scale to cover WxH, keeping the aspect ratio; what sticks out is cut off equally on both sides", "--cover 800x480", kCommands,
     [](BatchOptions& o, Values v) { return Scale(o, v[0], 1); }},
    {"scale", 0, "WxH", 1, "scale to exactly WxH (the aspect ratio may change); 800x or x480 keeps it, 50% halves both sides", "--scale 50%", kCommands,
     [](BatchOptions& o, Values v) { return Scale(o, v[0], 2); }},
    {"fill", 0, "KIND", 1, "fill the selection's shape: line, solid, two-colour, interior or exterior", "--fill exterior", kCommands, Fill, WordsOf<kFillWords>, true, kFillCommands},
    {"foreground", 'F', "COLOUR", 1, "foreground colour: a name (black, tomato, DarkSlateGrey: the web's 148 colour names, any case), #RRGGBB or R,G,B (black unless given)", "-F tomato", kStyle,
     [](BatchOptions& o, Values v) { return ColorOption(o, v[0], StepKind::Foreground); }},
    {"background", 'B', "COLOUR", 1, "background colour, in the forms --foreground takes (white unless given); the first one given is also what transparent pixels of a PNG are laid on", "-B black", kStyle,
     [](BatchOptions& o, Values v) {
         std::string error = ColorOption(o, v[0], StepKind::Background);
         if (error.empty() && !o.pictureBackground) o.pictureBackground = o.steps.back().color;
         return error;
     }},
    {"filter", 0, "FILTER", 1, "how --fit, --cover and --scale after it make pixels: lanczos (the default, for photos and drawings) or nearest (for pixel art)", "--filter nearest", kStyle, Filter, WordsOf<kFilterWords>, true},
    {"line-width", 0, "N", 1, "line width of the line fills, 1 to 9 pixels", "--line-width 3", kStyle, LineWidth},
    {"line-style", 0, "STYLE", 1, "solid, dot, dash, dash-dot or dash-dot-dot (styles need width 1)", "--line-style dash", kStyle, LineStyle, WordsOf<kLineStyleWords>, true},
    {"fill-style", 0, "STYLE", 1, "solid, horizontal, vertical, backward-diagonal, forward-diagonal, cross or diagonal-cross", "--fill-style cross", kStyle, FillStyle, WordsOf<kFillStyleWords>, true},
    {"depth", 'b', "BITS", 1, "bits per pixel of the written file: 1, 4, 8, 24, 16 (5-6-5 with bit-field masks, for small TFT screens), 16:555 (or 15: 5-5-5), 32 (keeps a PNG's transparency when the only commands are --fit, --cover and --scale), or keep (the default: the image's own depth, as Save keeps it)", "-b 16", kOutput, Depth, WordsOf<kDepthWords>, true},
    {"allow-colour-loss", 0, "", 0, "write even when the depth holds fewer colours than the image (nearest colours)", "--allow-colour-loss", kOutput,
     [](BatchOptions& o, Values) { o.allowColorLoss = true; return std::string(); }},
    {"allow-color-loss", 0, "", 0, "", "", kOutput,
     [](BatchOptions& o, Values) { o.allowColorLoss = true; return std::string(); }},
    {"palette", 0, "NAME|FILE", 1, "map every colour to a palette and write its colours as the colour table, in its order (no colour-loss question): bw, grey4, grey16, basic16, epaper7, optimised:N (N colours chosen for each image), or a palette file (a BMP's colour table, #RRGGBB or RRGGBB lines, JASC-PAL .pal, GIMP .gpl or Photoshop .act); the depth is the smallest that holds it unless --depth is given", "--palette epaper7", kOutput, Palette, PaletteWords},
    {"dither", 0, "KIND", 1, "with --palette: fs (Floyd-Steinberg), atkinson, ordered (an 8x8 Bayer pattern) or none (each pixel its nearest colour, the default)", "--palette bw --dither fs", kOutput, DitherKind, WordsOf<kDitherNames>, true},
    {"threshold", 0, "N%", 1, "with a two-colour --palette and no dithering: a pixel at least N% as light as white takes the lighter colour, any other the darker", "--palette bw --threshold 50%", kOutput, Threshold},
    {"output", 'o', "FILE", 1, "write the one input's result to FILE, a BMP file ('-' for standard output)", "-o out.bmp", kOutput,
     [](BatchOptions& o, Values v) { o.output = v[0]; return std::string(); }},
    {"out-dir", 'd', "DIR", 1, "write each result into DIR under the input's name, ending in .bmp", "-d converted/", kOutput,
     [](BatchOptions& o, Values v) { o.outDir = v[0]; return std::string(); }},
    {"in-place", 'i', "", 0, "replace each input file with its result", "-i", kOutput,
     [](BatchOptions& o, Values) { o.inPlace = true; return std::string(); }},
    {"overwrite", 0, "", 0, "replace output files that exist already (never done without it)", "--overwrite", kOutput,
     [](BatchOptions& o, Values) { o.overwrite = true; return std::string(); }},
    {"keep-folders", 0, "", 0, "with --out-dir: write each result under the input's own folders inside DIR, so equal names in different folders do not collide: relative to the current folder, or, when an input lies outside it, to the folder all the inputs share", "--keep-folders -d out/ scans/*/*.bmp", kOutput,
     [](BatchOptions& o, Values) { o.keepFolders = true; return std::string(); }},
    {"name", 0, "PATTERN", 1, "with --out-dir: name each result by PATTERN, where {stem} is the input's name without its extension, {name} the whole name, {ext} its extension, {n} its place among the inputs (from 1), {w} and {h} the size written; the output's extension (.bmp, or the device form's) is added unless the name ends in it. A '/' in it needs --keep-folders; a pattern giving two inputs one name is refused before anything is written", "--name '{stem}-epd' -d out/", kOutput, NamePattern},
    {"skip-existing", 0, "", 0, "leave an output that exists already as it is and go on; it is counted as skipped, not failed", "--skip-existing -d out/ photos/*.jpg", kOutput,
     [](BatchOptions& o, Values) { o.skipExisting = true; return std::string(); }},
    {"dry-run", 0, "", 0, "read and work on each input but write nothing; say 'INPUT -> OUTPUT' for each on standard output, and exit as the run would", "--dry-run --name '{stem}-{w}x{h}' -d out/ *.png", kOutput,
     [](BatchOptions& o, Values) { o.dryRun = true; return std::string(); }},
    {"recursive", 'R', "", 0, "a folder among the inputs stands for the BMP, PNG and JPEG files under it, in name order (links to folders are not followed); with --keep-folders its folders are mirrored in the --out-dir folder", "-R --keep-folders -d out/ scans/", kOutput,
     [](BatchOptions& o, Values) { o.recursive = true; return std::string(); }},
    {"no-auto-orient", 0, "", 0, "keep a JPEG photo as it is stored; without it a photo is turned upright as its EXIF orientation says before the commands, as the editor opens it (--auto-orient, the default, is accepted too)", "--no-auto-orient", kRun,
     [](BatchOptions& o, Values) { o.autoOrient = false; return std::string(); }},
    {"auto-orient", 0, "", 0, "", "", kRun,
     [](BatchOptions& o, Values) { o.autoOrient = true; return std::string(); }},
    {"join", 0, "A B C D", 4, "make the image by joining four files two by two (none for an empty place); no other inputs", "--join a.bmp b.bmp none d.bmp -o joined.bmp", kRun, Join},
    {"files-from", 0, "LIST", 1, "read input names from LIST, one a line ('-' for standard input)", "find scans -name '*.bmp' | rastrix-batch --files-from - ...", kRun,
     [](BatchOptions& o, Values v) { o.filesFrom = v[0]; return std::string(); }},
    {"null", '0', "", 0, "the --files-from list holds names each ended by a NUL byte, as find -print0 writes them", "find . -name '*.png' -print0 | rastrix-batch -0 --files-from - ...", kRun,
     [](BatchOptions& o, Values) { o.nullSeparated = true; return std::string(); }},
    {"jobs", 'j', "N", 1, "work on N files at once (default: one per processor core)", "-j 4", kRun, Jobs},
    {"quiet", 'q', "", 0, "show no progress line and no summary (failures are still reported)", "-q", kRun,
     [](BatchOptions& o, Values) { o.quiet = true; return std::string(); }},
    {"help", 'h', "", 0, "show this help", "--help", kRun, [](BatchOptions& o, Values) { o.help = true; return std::string(); }},
    {"version", 'V', "", 0, "show the version", "--version", kRun, [](BatchOptions& o, Values) { o.version = true; return std::string(); }},
};

}  // namespace

std::span<const OptionSpec> OptionTable() {
    // The device options, kept together in their own table, come after the output options.
    static const std::vector<OptionSpec> all = [] {
        std::vector<OptionSpec> rows(std::begin(kOptions), std::end(kOptions));
        const auto run = std::find_if(rows.begin(), rows.end(), [](const OptionSpec& o) { return o.group == kRun; });
        const std::span<const OptionSpec> device = DeviceOptionRows();
        rows.insert(run, device.begin(), device.end());
        return rows;
    }();
    return all;
}

const OptionSpec* OptionRunning(CommandId id) {
    for (const OptionSpec& o : OptionTable())
        if (std::find(o.runs.begin(), o.runs.end(), id) != o.runs.end()) return &o;
    return nullptr;
}

}  // namespace rastrix::batch
