// The command line of rastrix-batch: steps in order, values in every spelling, and a clear
// one-line reason for every usage error.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <cctype>
#include <cstdio>
#include <set>

#include "editor/CommandIds.h"
#include "batch/BatchOptions.h"
#include "batch/BatchOptionTable.h"
#include "batch/BatchColorNames.h"
#include "batch/BatchValues.h"
#include "color/FixedPalettes.h"
#include "device/DeviceAdjust.h"
#include "draw/StyleSettings.h"

namespace rastrix::batch {
namespace {

ParsedArguments Parse(std::vector<std::string> args) { return ParseBatchArguments(args); }

Step ColorStep(StepKind kind, Color c) {
    Step s{kind};
    s.color = c;
    return s;
}

TEST(BatchOptions, CommandsKeepTheirOrderAndValues) {
    const ParsedArguments p = Parse({"-s", "1,2,3,4", "--crop", "-r", "90", "--flip=v", "-mc", "in.bmp", "--shift", "left",
                                     "--size", "8x6", "--bucket=3,4", "-F", "#ff8000", "-B1,2,3", "--line-width", "3",
                                     "--line-style", "dash", "--fill-style", "cross", "--shape", "line-up", "--fill",
                                     "exterior", "-r270", "-u", "--rotate", "180", "-o", "out.bmp"});
    ASSERT_TRUE(p.options) << p.error;
    const std::vector<Step> expected = {
        {StepKind::Select, 1, 2, 3, 4},
        {StepKind::Command, CommandId::Crop},
        {StepKind::Command, CommandId::RotateClockwise},
        {StepKind::Command, CommandId::FlipVertical},
        {StepKind::MarkBorder},
        {StepKind::Command, CommandId::Crop},
        {StepKind::Command, CommandId::ShiftLeft},
        {StepKind::Size, 8, 6},
        {StepKind::Bucket, 3, 4},
        ColorStep(StepKind::Foreground, ColorFromRgb(0xFF, 0x80, 0x00)),
        ColorStep(StepKind::Background, ColorFromRgb(1, 2, 3)),
        {StepKind::LineWidth, 3},
        {StepKind::LineStyle, 2},
        {StepKind::FillStyle, 5},
        {StepKind::Shape, CommandId::LineSelection, 1},
        {StepKind::Command, CommandId::FillExterior},
        {StepKind::Command, CommandId::RotateCounterClockwise},
        {StepKind::Unselect},
        {StepKind::Command, CommandId::Rotate180},
    };
    EXPECT_EQ(p.options->steps, expected);
    EXPECT_EQ(p.options->inputs, std::vector<std::string>{"in.bmp"});
    EXPECT_EQ(p.options->output, "out.bmp");
}

// The number options take both of the bounds the editor declares for them (the dialogs read the
// same ones) and refuse what lies just beyond, naming the bounds; the help line (and so the
// manual) says them too.
TEST(BatchOptions, NumbersTakeTheirDeclaredBoundsAndNoMore) {
    const auto help = [](std::string_view option) {
        for (const OptionSpec& o : OptionTable())
            if ("--" + std::string(o.longName) == option) return std::string(o.help);
        return std::string();
    };
    // Each option with what makes the rest of the line whole, and the unit its refusal names.
    struct Whole {
        const char* option;
        Limits limits;
        std::vector<std::string> rest;
        const char* unit = "";
    };
    for (const Whole& w : {Whole{"--brightness", kToneLimits, {"--format", "bmp"}}, Whole{"--contrast", kToneLimits, {"--format", "bmp"}},
                           Whole{"--line-width", kLineWidthLimits, {"--fill", "solid"}},
                           Whole{"--threshold", kThresholdLimits, {"--palette", "bw"}, "%"}}) {
        const auto parse = [&](int v) {
            std::vector<std::string> args{"a.png", "-d", "o", w.option, std::to_string(v)};
            args.insert(args.end(), w.rest.begin(), w.rest.end());
            return Parse(args);
        };
        for (const int v : {w.limits.low, w.limits.high}) EXPECT_TRUE(parse(v).options) << w.option << ' ' << v << ": " << parse(v).error;
        for (const int v : {w.limits.low - 1, w.limits.high + 1}) {
            EXPECT_FALSE(parse(v).options) << w.option << ' ' << v;
            EXPECT_NE(parse(v).error.find(FromTo(w.limits, w.unit)), std::string::npos) << parse(v).error;
        }
        if (std::string_view(w.option) != "--threshold") {  // its help says what the share does instead
            EXPECT_NE(help(w.option).find(std::to_string(w.limits.low) + ' '), std::string::npos) << help(w.option);
            EXPECT_NE(help(w.option).find(' ' + std::to_string(w.limits.high)), std::string::npos) << help(w.option);
        }
    }
    for (const auto& [text, g] : {std::pair{"0.1", kGammaLimits.low}, std::pair{"10", kGammaLimits.high}}) {
        const ParsedArguments p = Parse({"a.png", "-d", "o", "--gamma", text, "--format", "bmp"});
        ASSERT_TRUE(p.options) << p.error;
        EXPECT_EQ(p.options->device.gamma, g);
    }
    EXPECT_FALSE(Parse({"a.png", "-d", "o", "--gamma", "0.09", "--format", "bmp"}).options);
    EXPECT_NE(help("--gamma").find("0.1 to 10"), std::string::npos) << help("--gamma");
}

TEST(BatchOptions, OutputAndRunningOptions) {
    const ParsedArguments p = Parse({"-j4", "-b", "1", "--allow-color-loss", "--out-dir=out", "--overwrite", "a.bmp",
                                     "--", "-b.bmp", "--files-from", "list.txt"});
    ASSERT_TRUE(p.options) << p.error;
    EXPECT_EQ(p.options->jobs, 4);
    EXPECT_EQ(p.options->depth, 1);
    EXPECT_TRUE(p.options->allowColorLoss);
    EXPECT_TRUE(p.options->overwrite);
    EXPECT_EQ(p.options->outDir, "out");
    EXPECT_EQ(p.options->inputs, (std::vector<std::string>{"a.bmp", "-b.bmp", "--files-from", "list.txt"}));
    EXPECT_TRUE(p.options->steps.empty());

    const ParsedArguments keep = Parse({"--jobs", "2", "--depth=keep", "-i", "x.png", "y.jpg"});
    ASSERT_TRUE(keep.options) << keep.error;
    EXPECT_EQ(keep.options->depth, kKeepDepth);
    EXPECT_EQ(keep.options->jobs, 2);
    EXPECT_TRUE(keep.options->inPlace);

    const ParsedArguments join = Parse({"--join", "a.bmp", "none", "", "d.bmp", "-o", "-"});
    ASSERT_TRUE(join.options) << join.error;
    EXPECT_EQ(*join.options->join, (std::array<std::string, 4>{"a.bmp", "", "", "d.bmp"}));
    EXPECT_EQ(join.options->output, "-");

    const ParsedArguments quiet = Parse({"-q0", "--files-from", "list", "--keep-folders", "-d", "out", "-F", "#000000", "-c"});
    ASSERT_TRUE(quiet.options) << quiet.error;
    EXPECT_TRUE(quiet.options->quiet);
    EXPECT_TRUE(quiet.options->nullSeparated);
    EXPECT_TRUE(quiet.options->keepFolders);
    EXPECT_TRUE(Parse({"a.bmp", "-o", "a.png.bmp"}).options);  // only the name's ending counts

    const ParsedArguments inks = Parse({"a.png", "-d", "o", "--palette", "epaper7", "--dither=atkinson", "-b", "8"});
    ASSERT_TRUE(inks.options) << inks.error;
    EXPECT_EQ(inks.options->reduce.palette, PaletteSource::Epaper7);
    EXPECT_EQ(inks.options->reduce.dither, Dither::Atkinson);
    EXPECT_EQ(inks.options->dither, Dither::Atkinson);
    EXPECT_EQ(inks.options->thresholdPercent, -1);
    const ParsedArguments bw = Parse({"a.png", "-d", "o", "--palette", "bw", "--threshold", "40%", "--dither", "none"});
    ASSERT_TRUE(bw.options) << bw.error;
    EXPECT_EQ(bw.options->thresholdPercent, 40);
    EXPECT_EQ(bw.options->reduce.thresholdPercent, 40);
    EXPECT_EQ(bw.options->reduce.palette, PaletteSource::BlackWhite);
    EXPECT_EQ(Parse({"a.png", "-d", "o", "--palette", "bw", "--threshold", "0"}).options->thresholdPercent, 0);
    const ParsedArguments chosen = Parse({"a.png", "-d", "o", "--palette=optimised:256"});
    ASSERT_TRUE(chosen.options) << chosen.error;
    EXPECT_EQ(chosen.options->reduce.palette, PaletteSource::Optimised);
    EXPECT_EQ(chosen.options->reduce.optimisedColors, 256);
    EXPECT_EQ(chosen.options->paletteName, "optimised:256");
    EXPECT_TRUE(Parse({"a.png", "-d", "o"}).options->paletteName.empty());  // the editor's own table

    const ParsedArguments comforts = Parse({"-R", "--dry-run", "--skip-existing", "--keep-folders", "--name", "{stem}/{n}", "-d", "o", "in"});
    ASSERT_TRUE(comforts.options) << comforts.error;
    EXPECT_TRUE(comforts.options->recursive && comforts.options->dryRun && comforts.options->skipExisting);
    EXPECT_EQ(comforts.options->namePattern, "{stem}/{n}");

    const ParsedArguments help = Parse({"--help"});
    ASSERT_TRUE(help.options);
    EXPECT_TRUE(help.options->help);  // no inputs needed to ask for help
}

TEST(BatchOptions, UsageErrorsSayWhatIsWrong) {
    // Palette files that cannot be read, named with the line and the number they get wrong.
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "rastrix-batch-options-palettes";
    std::filesystem::create_directories(folder);
    const std::string shortJasc = (folder / "short.pal").string(), wordList = (folder / "words.txt").string();
    std::ofstream(shortJasc, std::ios::binary) << "JASC-PAL\n0100\n3\n1 2 3\n";
    std::ofstream(wordList, std::ios::binary) << "#000000\n\n  white  \n";
    const std::string neither = "' is neither a palette (bw, grey4, grey16, basic16, epaper7, bwr, bwy, optimised:N (N from 2 to 256)) "
                                "nor a palette file: ";
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{"-o", "x.bmp"}, "no input files (see --help)"},
        {{"a.bmp"}, "say where to write: -o FILE, --out-dir DIR or --in-place"},
        {{"a.bmp", "-o", "x.bmp", "-i"}, "give only one of -o, --out-dir and --in-place"},
        {{"a.bmp", "b.bmp", "-o", "x.bmp"}, "-o takes one input; use --out-dir DIR for several"},
        {{"--files-from", "-", "-o", "x.bmp"}, "-o takes one input; use --out-dir DIR for several"},
        {{"-", "-i"}, "--in-place needs input files to replace"},
        {{"-", "--files-from", "-", "-d", "o"}, "standard input can be read only once"},
        {{"a.bmp", "-", "-d", "o"}, "the picture from standard input has no name; give -o FILE (or -o - )"},
        {{"--join", "a", "b", "c", "d", "e.bmp", "-o", "x"}, "--join makes the image from its four files; give no other inputs"},
        {{"--join", "none", "none", "none", "none", "-o", "x"}, "--join needs at least one file"},
        {{"--join", "a", "b"}, "--join needs A B C D"},
        {{"a.bmp", "-o"}, "--output needs FILE"},
        {{"a.bmp", "--colour", "red"}, "unknown option --colour"},
        {{"a.bmp", "-x"}, "unknown option -x"},
        {{"a.bmp", "--crop=1"}, "--crop takes no value"},
        {{"a.bmp", "-r", "45"}, "--rotate: '45' is not 90, 180 or 270"},
        {{"a.bmp", "--select", "1,2,3"}, "--select: '1,2,3' is not X,Y,W,H"},
        {{"a.bmp", "--select", "1,2,3,-4"}, "--select: '1,2,3,-4' is not X,Y,W,H"},
        {{"a.bmp", "--size", "640*480"}, "--size: '640*480' is not WxH"},
        {{"a.bmp", "--size", "70000x1"}, "--size: '70000x1' is not WxH"},
        {{"a.bmp", "-F", "#FF80"}, "--foreground: '#FF80' is not a colour (#RRGGBB or R,G,B)"},
        {{"a.bmp", "-B", "256,0,0"}, "--background: '256,0,0' is not a colour (#RRGGBB or R,G,B)"},
        {{"a.bmp", "-F", "tomatoe"}, "--foreground: 'tomatoe' is not a colour name; nearest: tomato, orange, thistle (or give #RRGGBB or R,G,B)"},
        {{"a.bmp", "-B", "GRAYE"}, "--background: 'GRAYE' is not a colour name; nearest: gray, grey, green (or give #RRGGBB or R,G,B)"},
        {{"a.bmp", "-B", "dark-red"}, "--background: 'dark-red' is not a colour (#RRGGBB or R,G,B)"},
        {{"a.bmp", "-b", "12"}, "--depth: '12' is not 1, 4, 8, 16, 16:555, 24, 32 or keep"},  // 16 is a depth now
        {{"a.bmp", "-j", "0"}, "--jobs: '0' is not a number of jobs from 1 to 256"},
        {{"a.bmp", "--line-width", "10"}, "--line-width: '10' is not a width from 1 to 9"},
        {{"a.bmp", "--line-width", "0"}, "--line-width: '0' is not a width from 1 to 9"},
        {{"a.bmp", "--fill", "dots"}, "--fill: 'dots' is not line, solid, two-colour, interior or exterior"},
        {{"a.bmp", "--size", "0x0", "-d", "o"}, "--size: '0x0' makes an empty image; give a width and height of at least 1"},
        {{"a.bmp", "--size", "0x5", "-d", "o"}, "--size: '0x5' makes an empty image; give a width and height of at least 1"},
        {{"a.bmp", "--scale", "0%", "-d", "o"}, "--scale: '0%' makes an empty image; give a width and height of at least 1"},
        {{"a.bmp", "--fit", "x0>", "-d", "o"}, "--fit: 'x0>' makes an empty image; give a width and height of at least 1"},
        {{"a.bmp", "--cover", "50%x", "-d", "o"}, "--cover: '50%x' is not WxH"},
        {{"a.bmp", "-d", "o", "--crop", "-F", "#000000", "--line-width", "2"},
         "--foreground comes after the last command, so nothing uses it; give it before the command it is for"},
        {{"a.bmp", "-B", "1,2,3", "-B", "4,5,6", "-o", "x.bmp"},
         "--background comes after the last command, so nothing uses it; give it before the command it is for"},
        {{"a.bmp", "-B", "1,2,3", "-d", "o", "-F", "#000000"},
         "--foreground comes after the last command, so nothing uses it; give it before the command it is for"},
        {{"a.bmp", "-o", "out.png"},
         "-o out.png names a PNG file, but rastrix-batch writes BMP files and device files only; give a name ending in .bmp (or the device file's)"},
        {{"a.bmp", "-o", "dir.x/OUT.JPG"},
         "-o dir.x/OUT.JPG names a JPEG file, but rastrix-batch writes BMP files and device files only; give a name ending in .bmp (or the device file's)"},
        {{"a.bmp", "--keep-folders", "-o", "x.bmp"}, "--keep-folders needs --out-dir DIR"},
        {{"a.bmp", "--name", "{stem}-small", "-o", "x.bmp"}, "--name needs --out-dir DIR"},
        {{"a.bmp", "--name", "{stem}/small", "-d", "o"}, "--name: '{stem}/small' has a '/'; names go straight into --out-dir unless --keep-folders is given"},
        {{"a.bmp", "--name", "{size}", "-d", "o"}, "--name: '{size}' is not one of {stem}, {name}, {ext}, {n}, {w}, {h}"},
        {{"a.bmp", "--name", "{stem", "-d", "o"}, "--name: '{stem' has a '{' that is not closed"},
        {{"a.bmp", "--name", "stem}", "-d", "o"}, "--name: 'stem}' has a '}' that closes nothing"},
        {{"a.bmp", "--name=", "-d", "o"}, "--name: the name pattern is empty; give one such as '{stem}-small'"},
        {{"a.bmp", "--skip-existing", "--overwrite", "-d", "o"}, "give only one of --skip-existing and --overwrite"},
        {{"a.bmp", "-0", "-d", "o"}, "-0 reads the --files-from list; give --files-from LIST"},
        {{"a.bmp", "-d", "o", "--dither", "fs"}, "--dither maps to a palette; give --palette too"},
        {{"a.bmp", "-d", "o", "--threshold", "50%"}, "--threshold maps to a palette of two colours; give --palette bw (or another)"},
        {{"a.bmp", "-d", "o", "--palette", "grey4", "--threshold", "50%"}, "--threshold needs a palette of two colours; --palette grey4 has 4"},
        {{"a.bmp", "-d", "o", "--palette", "optimised:2", "--threshold", "50%", "--dither", "atkinson"},
         "--threshold and --dither cannot be used together: a threshold maps each pixel on its own"},
        {{"a.bmp", "-d", "o", "--palette", "optimised:3", "--threshold", "9"}, "--threshold needs a palette of two colours; --palette optimised:3 has 3"},
        {{"a.bmp", "-d", "o", "--palette", "bw", "--threshold", "50%", "--dither", "fs"},
         "--threshold and --dither cannot be used together: a threshold maps each pixel on its own"},
        {{"a.bmp", "-d", "o", "--palette", "epaper7", "-b", "1"}, "--palette epaper7 has 7 colours; --depth 1 holds at most 2"},
        {{"a.bmp", "-d", "o", "-b", "4", "--palette", "optimized:17"}, "--palette optimized:17 has 17 colours; --depth 4 holds at most 16"},
        {{"a.bmp", "--dither", "floyd"}, "--dither: 'floyd' is not fs, atkinson, ordered or none"},
        {{"a.bmp", "--threshold", "101%"}, "--threshold: '101%' is not a share of white from 0% to 100%"},
        {{"a.bmp", "--threshold", "50%%"}, "--threshold: '50%%' is not a share of white from 0% to 100%"},
        {{"a.bmp", "--palette", "optimised:1"}, "--palette: an optimised palette needs a number of colours from 2 to 256, as in optimised:16"},
        // Device files: the options that make one, and those that do not go with it.
        {{"a.png", "-d", "o", "--layout", "mono"}, "--layout is for a device file; give --for PROFILE or --format FORMAT (--format bmp for a BMP file)"},
        {{"a.png", "-d", "o", "--gamma", "1.5"}, "--gamma is for a device file; give --for PROFILE or --format FORMAT (--format bmp for a BMP file)"},
        {{"a.png", "-d", "o", "--format", "c"}, "--format c needs --layout LAYOUT"},
        {{"a.png", "-d", "o", "--format", "bmp", "--layout", "mono"},
         "--layout packs pixels for --format c, bin, xbm, lvgl-bin or lvgl-c; a BMP file's form is given by --depth"},
        {{"a.png", "-d", "o", "--format", "xbm", "--layout", "mono"}, "--layout mono is not one --format xbm takes; it takes mono-lsb"},
        {{"a.png", "-d", "o", "--for", "ssd1306", "--depth", "8"}, "--depth is a BMP file's; --format c takes --layout"},
        {{"a.png", "-d", "o", "--for", "ssd1306", "--depth", "16:555"}, "--depth 16:555 is no device form; device files of 16 bits are 5-6-5 (--depth 16)"},
        {{"a.bmp", "-i", "--for", "ssd1306"}, "--in-place replaces BMP files as the editor saves them; write device files with -o or --out-dir"},
        {{"a.png", "b.png", "-d", "o", "--for", "ssd1306", "--symbol", "logo"},
         "--symbol names one picture's arrays; with several inputs each takes its file's name"},
        {{"a.png", "-o", "x.h", "--for", "gxepd2-7c", "--layout", "index2"}, "--palette epaper7 has 7 colours; --layout index2 holds at most 4"},
        {{"a.png", "-d", "o", "--for", "tft-espi-565", "--invert"}, "--invert flips black and white; --layout rgb565 keeps the colours themselves"},
        {{"a.png", "-d", "o", "--format", "bin", "--layout", "rgb888", "--dither", "fs"},
         "--layout rgb888 keeps every colour, so --dither has nothing to spread"},
        {{"a.png", "-d", "o", "--format", "lvgl-bin", "--layout", "index4"}, "--layout index4 needs --palette: its values are indexes into it"},
        {{"a.png", "-d", "o", "--format", "bin", "--layout", "mono", "--progmem"},
         "--progmem marks the arrays of a C header; --format bin has none to mark"},
        {{"a.png", "--format", "tiff"}, "--format: 'tiff' is not bmp, c, bin, xbm, lvgl-bin or lvgl-c"},
        {{"a.png", "--gamma", "0"}, "--gamma: '0' is not a gamma from 0.1 to 10"},
        {{"a.png", "--brightness", "-101"}, "--brightness: '-101' is not a number from -100 to 100"},
        {{"a.png", "--contrast", "101"}, "--contrast: '101' is not a number from -100 to 100"},
        {{"a.png", "--gamma", "10.01"}, "--gamma: '10.01' is not a gamma from 0.1 to 10"},
        {{"a.png", "--symbol", "my logo"}, "--symbol: 'my logo' is not a C name (letters, digits and underscores, not starting with a digit, no keyword)"},
        {{"a.bmp", "--palette", "/no/such/inks.txt"},
         "--palette: '/no/such/inks.txt' is neither a palette (bw, grey4, grey16, basic16, epaper7, bwr, bwy, optimised:N (N from 2 to "
         "256)) nor a palette file: open: No such file or directory"},
        {{"a.bmp", "--palette", "optimized:0"}, "--palette: an optimised palette needs a number of colours from 2 to 256, as in optimised:16"},
        {{"a.bmp", "--palette", shortJasc}, "--palette: '" + shortJasc + neither + "the JASC-PAL file holds 1 colour, but line 3 says 3"},
        {{"a.bmp", "--palette", wordList},
         "--palette: '" + wordList + neither + "line 3 is not a colour of the form #RRGGBB (or RRGGBB): 'white'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const ParsedArguments p = Parse(c.args);
        EXPECT_FALSE(p.options);
        EXPECT_EQ(p.error, c.error);
    }
}

TEST(BatchOptions, ScalingDepthsAndHowPicturesAreRead) {
    const ParsedArguments p = Parse({"--filter", "nearest", "--fit", "8x6", "--cover=4x4", "--filter=lanczos", "--scale",
                                     "3x2", "--fit", "x5>", "--size", "50%", "-B", "1,2,3", "-B", "4,5,6", "--crop", "--depth", "16:555", "--auto-orient",
                                     "a.png", "-o", "x.bmp"});
    ASSERT_TRUE(p.options) << p.error;
    const std::vector<Step> expected = {
        {StepKind::Scale, 8, 6, 0, 1},
        {StepKind::Scale, 4, 4, 1, 1},
        {StepKind::Scale, 3, 2, 2, 0},
        {StepKind::Scale, 0, 5, 0, 0, Color{0}, kWidthFromAspect | kShrinkOnly},
        {StepKind::Size, 50, 50, 0, 0, Color{0}, kSizePercent},
        ColorStep(StepKind::Background, ColorFromRgb(1, 2, 3)),
        ColorStep(StepKind::Background, ColorFromRgb(4, 5, 6)),
        {StepKind::Command, CommandId::Crop},
    };
    EXPECT_EQ(p.options->steps, expected);
    EXPECT_EQ(p.options->depth, kDepth555);
    EXPECT_EQ(p.options->pictureBackground, ColorFromRgb(1, 2, 3));  // the first one given
    EXPECT_TRUE(p.options->autoOrient);
    EXPECT_FALSE(Parse({"a.png", "-o", "x.bmp"}).options->pictureBackground.has_value());  // white, as always
    for (auto [word, depth] : {std::pair{"16", 16}, {"15", kDepth555}, {"32", 32}, {"24", 24}}) {
        const ParsedArguments d = Parse({"--depth", word, "a.png", "-o", "x.bmp"});
        ASSERT_TRUE(d.options) << d.error;
        EXPECT_EQ(d.options->depth, depth) << word;
    }
    for (std::vector<std::string> bad : {std::vector<std::string>{"--fit", "0x5"}, {"--cover", "wide"},
                                         {"--filter", "bicubic", "--fit", "2x2"}, {"--depth", "12"}}) {
        bad.insert(bad.end(), {"a.png", "-o", "x.bmp"});
        const ParsedArguments e = Parse(bad);
        EXPECT_FALSE(e.options) << bad[0];
        EXPECT_NE(e.error.find(bad[1]), std::string::npos) << e.error;
    }
}

// What the reading of a picture takes from the options: the first --background, given alone, is
// what transparent pixels are laid on (so it is used); a photo stands upright unless told not to.
TEST(BatchOptions, ReadingOptionsGivenAloneAreUsed) {
    struct Case {
        std::vector<std::string> args;
        std::optional<Color> background;
        bool upright;
    };
    const Case cases[] = {
        {{"-B", "0,0,0"}, ColorFromRgb(0, 0, 0), true},
        {{"--background=#102030", "--no-auto-orient"}, ColorFromRgb(16, 32, 48), false},
        {{"-r", "90", "-B", "9,9,9"}, ColorFromRgb(9, 9, 9), true},
        {{"--auto-orient"}, std::nullopt, true},
        {{"--no-auto-orient", "--auto-orient"}, std::nullopt, true},
        {{}, std::nullopt, true},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"alpha.png", "-o", "o.bmp"});
        SCOPED_TRACE(testing::PrintToString(args));
        const ParsedArguments p = Parse(args);
        ASSERT_TRUE(p.options) << p.error;
        EXPECT_EQ(p.options->pictureBackground, c.background);
        EXPECT_EQ(p.options->autoOrient, c.upright);
    }
}

TEST(BatchOptions, ColorsSizesAndNumbers) {
    EXPECT_EQ(ParseColor("#0A0b0C"), ColorFromRgb(10, 11, 12));
    EXPECT_EQ(ParseColor("0,128,255"), ColorFromRgb(0, 128, 255));
    EXPECT_EQ(ParseColor("tomato"), ColorFromRgb(0xFF, 0x63, 0x47));
    EXPECT_EQ(ParseColor("DarkSlateGrey"), ColorFromRgb(0x2F, 0x4F, 0x4F));
    EXPECT_EQ(ParseColor("BLACK"), ColorFromRgb(0, 0, 0));
    for (const char* bad : {"", "#GG0000", "#12345", "1,2", "1,2,3,4", "1,,3", " 1,2,3", "0x10,0,0", "tomatoes", "dark red", "rebecca"})
        EXPECT_FALSE(ParseColor(bad)) << bad;
    EXPECT_EQ(ParseSize("640X480"), (std::vector<int>{640, 480}));
    EXPECT_EQ(ParseSize("0x0"), (std::vector<int>{0, 0}));  // the command itself refuses an empty image
    EXPECT_FALSE(ParseSize("x480"));
    const struct {
        const char* text;
        int width, height, form;
    } forms[] = {
        {"800x480", 800, 480, kSizeExact},           {"800X", 800, 0, kHeightFromAspect},
        {"x480", 0, 480, kWidthFromAspect},          {"50%", 50, 50, kSizePercent},
        {"50%x25%", 50, 25, kSizePercent},           {"800x480>", 800, 480, kShrinkOnly},
        {"x480>", 0, 480, kWidthFromAspect | kShrinkOnly}, {"150%>", 150, 150, kSizePercent | kShrinkOnly},
    };
    for (const auto& f : forms) {
        const auto v = ParseSizeValue(f.text);
        ASSERT_TRUE(v) << f.text;
        EXPECT_EQ(v->width, f.width) << f.text;
        EXPECT_EQ(v->height, f.height) << f.text;
        EXPECT_EQ(v->form, f.form) << f.text;
    }
    for (const char* bad : {"x", "%", "50%x", "50%x25", "50x25%", "800x480>>", ">", "x480x", "-5%", "70000%", "800x480<", "%50"})
        EXPECT_FALSE(ParseSizeValue(bad)) << bad;
    EXPECT_FALSE(ParseNumbers("1,2,3,4,5", 4));
    EXPECT_EQ(ParseNumbers("65535,0", 2), (std::vector<int>{65535, 0}));
}

// The named colours against the values the web's colour list publishes; where X11 gives a name
// another value (gray, green, maroon, purple) the web's value is the one taken.
TEST(BatchOptions, ColorNamesHaveTheirPublishedValues) {
    const std::pair<const char*, std::uint32_t> published[] = {
        {"aliceblue", 0xF0F8FF}, {"black", 0x000000},      {"crimson", 0xDC143C}, {"darkgoldenrod", 0xB8860B},
        {"gray", 0x808080},      {"green", 0x008000},      {"lime", 0x00FF00},    {"maroon", 0x800000},
        {"purple", 0x800080},    {"rebeccapurple", 0x663399}, {"lightgoldenrodyellow", 0xFAFAD2},
        {"navajowhite", 0xFFDEAD}, {"papayawhip", 0xFFEFD5}, {"yellowgreen", 0x9ACD32}, {"white", 0xFFFFFF}};
    for (const auto& [name, rgb] : published)
        EXPECT_EQ(ParseColor(name), ColorFromRgb(std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb))) << name;
    const auto names = NamedColors();
    EXPECT_EQ(names.size(), 148u);
    std::set<std::string> seen;
    for (const NamedColor& n : names) {
        std::string lower(n.name);
        for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(lower, n.name);
        EXPECT_TRUE(seen.insert(lower).second) << n.name << " twice";
        EXPECT_EQ(ParseColor(lower), ParseColor("#" + [&] {
                      char hex[7];
                      std::snprintf(hex, sizeof hex, "%06X", unsigned(n.rgb));
                      return std::string(hex);
                  }())) << n.name;  // every name is found by the look-up
    }
    EXPECT_EQ(NearestColorNames("Gren", 2), (std::vector<std::string_view>{"green", "grey"}));
}

// Two rows of one name would leave the second unreachable, as the parser takes the first: a
// command's new option named like a device option (--invert) would silently take its place.
TEST(BatchOptions, EveryNameAndLetterBelongsToOneOptionOnly) {
    std::set<std::string_view> names;
    std::set<char> letters;
    for (const OptionSpec& o : OptionTable()) {
        EXPECT_TRUE(names.insert(o.longName).second) << "--" << o.longName << " twice";
        if (o.shortName != 0) EXPECT_TRUE(letters.insert(o.shortName).second) << "-" << o.shortName << " twice";
    }
    EXPECT_GT(names.size(), 40u);
}

TEST(BatchOptions, HelpShowsEveryOptionWithAnExample) {
    const std::string help = BatchHelpText();
    for (const char* name : {"--select", "--shape", "--mark-border", "--unselect", "--crop", "--rotate", "--flip", "--shift",
                             "--size", "--bucket", "--fill", "--foreground", "--background", "--line-width",
                             "--line-style", "--fill-style", "--depth", "--allow-colour-loss", "--output", "--out-dir",
                             "--in-place", "--overwrite", "--keep-folders", "--name", "--skip-existing", "--dry-run", "--recursive", "--palette", "--dither", "--threshold", "--join", "--files-from", "--null", "--jobs",
                             "--quiet", "--help", "--version"}) {
        // Each entry is three lines: the names, what the option does, an example.
        std::size_t entry = help.find(std::string(name) + "\n");
        if (entry == std::string::npos) entry = help.find(std::string(name) + " ");
        ASSERT_NE(entry, std::string::npos) << name;
        const std::size_t example = help.find('\n', help.find('\n', entry) + 1) + 1;
        EXPECT_EQ(help.substr(example, 13), "        e.g. ") << name;
    }
    EXPECT_EQ(help.find("--allow-color-loss"), std::string::npos);  // a second spelling, not listed twice
    EXPECT_NE(help.find("keep (the default"), std::string::npos);
    EXPECT_NE(help.find("128 + the signal's number"), std::string::npos);
}

}  // namespace
}  // namespace rastrix::batch
