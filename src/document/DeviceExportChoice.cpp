#include "document/DeviceExportChoice.h"

#include <charconv>

#include "store/NumberText.h"

namespace rastrix {

namespace {

constexpr std::string_view kFitNames[] = {"fit", "cover", "exact"};
constexpr std::string_view kFilterNames[] = {"lanczos", "nearest"};

// A stored number outside its limits is left at what the choice starts with.
template <class T>
void ReadNumber(std::string_view text, LimitsOf<T> limits, T& out) {
    if (const auto v = NumberIn(text, limits)) out = *v;
}

template <class E, std::size_t N>
void ReadWord(std::string_view text, const std::string_view (&names)[N], E& out) {
    for (std::size_t i = 0; i < N; ++i)
        if (names[i] == text) out = E(i);
}

void Apply(ExportChoice& c, std::string_view key, std::string_view value) {
    if (key == "profile") c.profile = value;
    else if (key == "format") {
        if (const auto f = ContainerByName(value)) c.container = *f;
    } else if (key == "layout") {
        if (const auto l = LayoutByName(value)) c.layout = *l;
    } else if (key == "depth") ReadNumber(value, Limits{0, 32}, c.bmpDepth);
    else if (key == "palette") c.palette = value;
    else if (key == "dither") c.dither = DitherByName(value).value_or(c.dither);
    else if (key == "threshold") ReadNumber(value, Limits{-1, kThresholdLimits.high}, c.thresholdPercent);
    else if (key == "invert") c.invert = value == "yes";
    else if (key == "progmem") c.progmem = value == "yes";
    else if (key == "brightness") ReadNumber(value, kToneLimits, c.adjust.brightness);
    else if (key == "contrast") ReadNumber(value, kToneLimits, c.adjust.contrast);
    else if (key == "gamma") ReadNumber(value, kGammaLimits, c.adjust.gamma);
    else if (key == "width") ReadNumber(value, Limits{0, kDeviceSideLimits.high}, c.width);
    else if (key == "height") ReadNumber(value, Limits{0, kDeviceSideLimits.high}, c.height);
    else if (key == "fit") ReadWord(value, kFitNames, c.fit);
    else if (key == "filter") ReadWord(value, kFilterNames, c.filter);
}

std::string Number(double v) {
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, v);
    return ec == std::errc() ? std::string(text, end) : "1";
}

}  // namespace

std::string EncodeChoice(const ExportChoice& c) {
    std::string t;
    const auto put = [&t](std::string_view key, const std::string& value) { t += std::string(key) + "=" + value + "\n"; };
    put("profile", c.profile);
    put("format", std::string(InfoOf(c.container).name));
    put("layout", std::string(InfoOf(c.layout).name));
    put("depth", std::to_string(c.bmpDepth));
    put("palette", c.palette);
    put("dither", std::string(DitherName(c.dither)));
    put("threshold", std::to_string(c.thresholdPercent));
    put("invert", c.invert ? "yes" : "no");
    put("progmem", c.progmem ? "yes" : "no");
    put("brightness", std::to_string(c.adjust.brightness));
    put("contrast", std::to_string(c.adjust.contrast));
    put("gamma", Number(c.adjust.gamma));
    put("width", std::to_string(c.width));
    put("height", std::to_string(c.height));
    put("fit", std::string(kFitNames[std::size_t(c.fit)]));
    put("filter", std::string(kFilterNames[std::size_t(c.filter)]));
    return t;
}

ExportChoice DecodeChoice(std::string_view text) {
    ExportChoice c;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        // Carriage returns at a line's end are its ending (a file edited elsewhere), never part of
        // the value: the value written back is read back the same.
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos) Apply(c, line.substr(0, eq), line.substr(eq + 1));
    }
    return c;
}

}  // namespace rastrix
