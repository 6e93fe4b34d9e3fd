#include "batch/BatchDeviceOptions.h"

#include <charconv>

#include "batch/BatchOptionTable.h"
#include "batch/BatchValues.h"
#include "device/DeviceProfiles.h"
#include "device/PaletteProblemText.h"
#include "editor/ImageStack.h"
#include "store/Store.h"

namespace rastrix::batch {

namespace {

using Values = std::span<const std::string>;

std::string Format(BatchOptions& o, Values v) {
    o.device.format = ContainerByName(v[0]);
    return o.device.format ? "" : NotA(OrList(ContainerNames()), v[0]);
}

std::string Layout(BatchOptions& o, Values v) {
    o.device.layout = LayoutByName(v[0]);
    return o.device.layout ? "" : NotA(OrList(LayoutNames()), v[0]);
}

std::string Share(std::optional<int>& field, const std::string& value) {
    const auto n = ParseNumbers(value[0] == '-' ? value.substr(1) : value, 1);
    const int v = n ? (value[0] == '-' ? -(*n)[0] : (*n)[0]) : 0;
    if (!n || !kToneLimits.Hold(v)) return NotA("a number " + FromTo(kToneLimits), value);
    field = v;
    return {};
}

std::string Gamma(BatchOptions& o, Values v) {
    double g = 0;
    const auto [end, ec] = std::from_chars(v[0].data(), v[0].data() + v[0].size(), g);
    if (ec != std::errc() || end != v[0].data() + v[0].size() || !kGammaLimits.Hold(g))
        return NotA("a gamma " + FromTo(kGammaLimits), v[0]);
    o.device.gamma = g;
    return {};
}

std::string Name(BatchOptions& o, Values v) {
    if (!IsCIdentifier(v[0]))
        return NotA("a C name (letters, digits and underscores, not starting with a digit, no keyword)", v[0]);
    o.device.name = v[0];
    return {};
}

std::vector<std::string> FormatWords() { return SplitList(ContainerNames()); }
std::vector<std::string> LayoutWords() { return SplitList(LayoutNames()); }

// The built-in profiles' names (a user's own are read when the run starts).
std::vector<std::string> ProfileWords() {
    std::vector<std::string> words;
    for (const DeviceProfile& p : BuiltInProfiles()) words.emplace_back(p.name);
    return words;
}

constexpr std::string_view kDevice = "Device files: C arrays, raw buffers, XBM and LVGL images";

const OptionSpec kRows[] = {
    {"format", 0, "FORMAT", 1, "the kind of file written: bmp (the default), c (a C header of const arrays with NAME_WIDTH and NAME_HEIGHT), bin (the packed bytes alone), xbm, lvgl-bin or lvgl-c (LVGL v9 images); the output's name ends in .bmp, .h, .bin, .xbm, .bin or .c", "--format c --layout mono", kDevice, Format, FormatWords, true},
    {"layout", 0, "LAYOUT", 1, "how the pixels are packed: mono (1 bit, the leftmost pixel in the top bit), mono-lsb (XBM order), mono-pages (SSD1306: bytes of 8 rows), grey2, grey4, grey8, index1, index2, index4, index8 (with --palette), planes (black and red planes of 3-colour e-paper), rgb565, rgb565-swapped (high byte first), rgb332, rgb888, xrgb8888, argb8888, rgb565a8; rows top first, padded to a byte", "--format bin --layout mono-pages", kDevice, Layout, LayoutWords, true},
    {"for", 0, "PROFILE", 1, "write what a display library's call takes: the profile sets the format, layout, palette and bit order (see --list-profiles); options after it change them", "--for gxepd2-3c", kDevice,
     [](BatchOptions& o, Values v) { o.device.profile = v[0]; return std::string(); }, ProfileWords},
    {"list-profiles", 0, "", 0, "show the profiles, built-in and your own, with the call each is for, and exit", "--list-profiles", kDevice,
     [](BatchOptions& o, Values) { o.device.listProfiles = true; return std::string(); }},
    {"invert", 0, "", 0, "1 = black (the ink) in mono layouts and planes, 0 = white in grey layouts; without it 1 = white, 0 = black", "--for ssd1306 --invert", kDevice,
     [](BatchOptions& o, Values) { o.device.invert = true; return std::string(); }},
    {"progmem", 0, "", 0, "PROGMEM on the C header's arrays, so AVR boards keep them in flash (the Arduino profiles have it)", "--format c --layout mono --progmem", kDevice,
     [](BatchOptions& o, Values) { o.device.progmem = true; return std::string(); }},
    {"no-progmem", 0, "", 0, "no PROGMEM on the arrays", "--for gxepd2-bw --no-progmem", kDevice,
     [](BatchOptions& o, Values) { o.device.progmem = false; return std::string(); }},
    {"symbol", 0, "NAME", 1, "the C name of the arrays (one input only; otherwise each output's file name made a C name)", "--for ssd1306 --symbol logo -o logo.h", kDevice, Name},
    {"brightness", 0, "N", 1, "before the colours are mapped: add N% of white, -100 to 100", "--brightness 10", kDevice,
     [](BatchOptions& o, Values v) { return Share(o.device.brightness, v[0]); }},
    {"contrast", 0, "N", 1, "before the colours are mapped: -100 (flat grey) to 100 (black or white), 0 unchanged", "--contrast 25", kDevice,
     [](BatchOptions& o, Values v) { return Share(o.device.contrast, v[0]); }},
    {"gamma", 0, "X", 1, "before the colours are mapped: each tone raised to 1/X, 0.1 to 10; above 1 lightens the middle tones", "--for gxepd2-7c --gamma 1.6", kDevice, Gamma},
};

// The first device option given, for a message: which option asks for a device file.
std::string FirstAsked(const DeviceOptions& d) {
    if (d.layout) return "--layout";
    if (d.invert) return "--invert";
    if (d.progmem) return *d.progmem ? "--progmem" : "--no-progmem";
    if (!d.name.empty()) return "--symbol";
    if (d.brightness) return "--brightness";
    if (d.contrast) return "--contrast";
    return "--gamma";
}

// The user's profile file from the settings folder; an empty list when there is none.
UserProfiles SettingsFolderProfiles() { return ReadUserProfiles(Store(Store::DefaultFolder())); }

// "FILE: line 3: ...": why the user's profiles were not read.
std::string WhyNotRead(const UserProfiles& user) {
    return (Store::DefaultFolder() / kUserProfilesValueName).string() + ": " + ProfileFileProblemText(user.problem);
}

std::string FromProfile(const std::string& name, DeviceExport& e) {
    UserProfiles user;
    const DeviceProfile* p = FindProfile(name, user);
    if (!p) p = FindProfile(name, user = SettingsFolderProfiles());
    if (!p) {
        std::string why = "--for " + name + ": no such profile; known: " + ProfileNames(user);
        if (!user.problem.Ok()) why += " (your profiles were not read: " + WhyNotRead(user) + ")";
        return why;
    }
    ProfileExport made = ExportFromProfile(*p, PosixFileSystem());
    if (!made.Ok()) return "--for " + name + ": " + PaletteProblemText(made.palette);
    e = std::move(made.e);
    return {};
}

}  // namespace

bool DeviceOptions::Asked() const {
    return (format && *format != DeviceContainer::Bmp) || !profile.empty() || layout || invert || progmem || !name.empty() ||
           brightness || contrast || gamma;
}

std::span<const OptionSpec> DeviceOptionRows() { return kRows; }

std::string ResolveDeviceOptions(BatchOptions& o) {
    DeviceOptions& d = o.device;
    if (!d.Asked()) return {};
    if (!d.format && d.profile.empty())
        return FirstAsked(d) + " is for a device file; give --for PROFILE or --format FORMAT (--format bmp for a BMP file)";
    DeviceExport e;
    e.container = DeviceContainer::Bmp;
    if (!d.profile.empty())
        if (std::string why = FromProfile(d.profile, e); !why.empty()) return why;
    if (d.format) {
        e.container = *d.format;
        // A profile's PROGMEM marks its header's arrays; another format has none (--progmem
        // given as well is still refused below).
        if (e.container != DeviceContainer::CSource) e.progmem = false;
    }
    if (d.layout) {
        if (e.container == DeviceContainer::Bmp)
            return "--layout packs pixels for --format c, bin, xbm, lvgl-bin or lvgl-c; a BMP file's form is given by --depth";
        e.layout = *d.layout;
    } else if (d.profile.empty()) {
        if (e.container == DeviceContainer::Xbm) e.layout = DeviceLayout::MonoLsb;
        else if (e.container != DeviceContainer::Bmp) return "--format " + std::string(InfoOf(e.container).name) + " needs --layout LAYOUT";
    }
    if (d.invert) e.invert = true;
    if (d.progmem) e.progmem = *d.progmem;
    if (!d.name.empty()) {
        if (o.inputs.size() > 1 || !o.filesFrom.empty()) return "--symbol names one picture's arrays; with several inputs each takes its file's name";
        e.name = d.name;
    }
    if (d.brightness) e.adjust.brightness = *d.brightness;
    if (d.contrast) e.adjust.contrast = *d.contrast;
    if (d.gamma) e.adjust.gamma = *d.gamma;
    if (!o.paletteName.empty()) {
        const ReduceColorsParams& r = o.reduce;
        if (r.palette == PaletteSource::Optimised) e.optimisedColors = r.optimisedColors;
        else e.palette = r.palette == PaletteSource::File ? r.fileColors : FixedPaletteColors(r.palette);
        e.paletteName = o.paletteName;
    }
    if (o.dither) e.dither = *o.dither;
    if (o.thresholdPercent >= 0) e.thresholdPercent = o.thresholdPercent;
    if (o.depth == kDepth555) return "--depth 16:555 is no device form; device files of 16 bits are 5-6-5 (--depth 16)";
    if (o.depth != kKeepDepth) e.bmpDepth = o.depth;
    if (o.pictureBackground) e.background = ColorToPixel(*o.pictureBackground);
    if (o.inPlace)
        return "--in-place replaces BMP files as the editor saves them; write device files with -o or --out-dir";
    if (const ExportProblem why = CheckDeviceExport(e); !why.Ok()) return ExportProblemText(why, kBatchFieldNames);
    d.resolved = std::move(e);
    return {};
}

std::string_view OutputExtension(const BatchOptions& o) {
    return o.device.resolved ? ExportExtension(*o.device.resolved) : std::string_view(".bmp");
}

std::string ListProfilesText() {
    const UserProfiles user = SettingsFolderProfiles();
    std::string text = ProfileListText(user);
    if (!user.problem.Ok()) text += "\nYour profiles were not read: " + WhyNotRead(user) + "\n";
    return text;
}

DeviceFile DeviceFileFor(Editor& ed, const BatchOptions& o, const std::string& input, const std::string& output,
                         const std::optional<Bitmap>& alpha) {
    DeviceExport e = *o.device.resolved;
    if (e.name.empty()) e.name = IdentifierFromFileName(output == "-" ? input : output);
    const Bitmap& image = CurrentImage(ed);
    const bool fits = alpha && alpha->Width() == image.Width() && alpha->Height() == image.Height();
    return ExportForDevice(image, e, {fits ? &*alpha : nullptr, e.background});
}

}  // namespace rastrix::batch
