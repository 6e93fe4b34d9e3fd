// A user's profiles: one a line, "NAME key=value ...", read with limits and every bad line named.

#include "device/DeviceProfiles.h"
#include "store/NumberText.h"

namespace rastrix {

namespace {

constexpr std::size_t kMaxNameLength = 40;
constexpr std::size_t kMaxLineLength = 1000;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The next blank-separated word of `rest`, taken off it.
std::string_view NextWord(std::string_view& rest) {
    rest = Trim(rest);
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end])) ++end;
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

template <class T>
bool ParseNumber(std::string_view text, T low, T high, T& out) {
    const auto v = NumberIn(text, low, high);
    if (v) out = *v;
    return v.has_value();
}

bool ParseYesNo(std::string_view text, bool& out) {
    if (text != "yes" && text != "no") return false;
    out = text == "yes";
    return true;
}

class LineReader {
public:
    explicit LineReader(UserProfiles& user) : user_(user) {}

    // Fills `p` from the words after its name; an error text when a word is wrong.
    std::string Fill(DeviceProfile& p, std::string_view rest) {
        for (std::string_view word = NextWord(rest); !word.empty(); word = NextWord(rest)) {
            const std::size_t eq = word.find('=');
            if (eq == std::string_view::npos || eq == 0) return "'" + std::string(word) + "' is not key=value";
            const std::string_view key = word.substr(0, eq);
            std::string_view value = word.substr(eq + 1);
            if (key == "function") {
                // The rest of the line, blanks and all.
                value = Trim(std::string_view(value.data(), std::size_t(rest.data() + rest.size() - value.data())));
                p.function = Keep(value);
                return {};
            }
            if (std::string why = Set(p, key, value); !why.empty()) return why;
        }
        return {};
    }

private:
    std::string_view Keep(std::string_view text) { return user_.text.emplace_back(text); }

    std::string Set(DeviceProfile& p, std::string_view key, std::string_view value) {
        const auto bad = [&](std::string_view what) { return std::string(key) + "=" + std::string(value) + ": " + std::string(what); };
        if (key == "like") {
            const DeviceProfile* base = FindProfile(value, user_);
            if (!base) return bad("no profile of that name comes before this line");
            const std::string_view name = p.name;
            p = *base;
            p.name = name;
        } else if (key == "format") {
            const auto c = ContainerByName(value);
            if (!c) return bad("the format is one of " + ContainerNames());
            p.container = *c;
        } else if (key == "layout") {
            const auto l = LayoutByName(value);
            if (!l) return bad("the layout is one of " + LayoutNames());
            p.layout = *l;
        } else if (key == "palette") {
            p.palette = Keep(value);
        } else if (key == "dither") {
            const auto d = DitherByName(value);
            if (!d) return bad("dithering is fs, atkinson, ordered or none");
            p.dither = *d;
        } else if (key == "invert" || key == "progmem") {
            if (!ParseYesNo(value, key == "invert" ? p.invert : p.progmem)) return bad("yes or no");
        } else if (key == "depth") {
            if (!ParseNumber(value, 1, 32, p.bmpDepth)) return bad("a BMP depth: 1, 4, 8, 16, 24 or 32");
        } else if (key == "brightness" || key == "contrast") {
            if (!ParseNumber(value, -100, 100, key == "brightness" ? p.brightness : p.contrast)) return bad("from -100 to 100");
        } else if (key == "gamma") {
            if (!ParseNumber(value, kMinGamma, kMaxGamma, p.gamma)) return bad("from 0.1 to 10");
        } else {
            return "unknown key '" + std::string(key) +
                   "' (like, format, layout, palette, dither, invert, progmem, depth, brightness, contrast, gamma, function)";
        }
        return {};
    }

    UserProfiles& user_;
};

// Whether the profile can make a file, checked as an export without its palette (a palette file
// is read only when the profile is used).
std::string CheckProfile(const DeviceProfile& p) {
    DeviceExport e = ExportWithoutPalette(ChoiceFromProfile(p));
    if (!p.palette.empty()) {
        const PaletteChoice named = PaletteByName(p.palette);
        // A named palette is checked with its colours; a file as if it fitted.
        if (named.Ok()) e.palette = named.colors, e.optimisedColors = named.optimisedColors;
        else e.palette = InfoOf(p.layout).kind == LayoutKind::Planes ? ThreeInkPalette(Pixel{0xFF0000u}) : BlackWhitePalette();
        e.paletteName = p.palette;
    }
    static constexpr ExportFieldNames kKeys{"format", "layout", "invert", "progmem", "name", "palette", "dither", "threshold", "depth", "size"};
    return CheckDeviceExport(e, kKeys);
}

}  // namespace

UserProfiles ParseUserProfiles(std::string_view text) {
    UserProfiles user;
    const auto fail = [&user](int line, const std::string& why) {
        user.profiles.clear();
        user.text.clear();
        user.error = "line " + std::to_string(line) + ": " + why;
        return std::move(user);
    };
    if (text.size() > kMaxUserProfilesBytes) return fail(1, "the file is longer than 64 KiB");
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (raw.size() > kMaxLineLength) return fail(lineNumber, "longer than 1000 characters");
        if (raw.find('\0') != std::string_view::npos) return fail(lineNumber, "holds a zero byte; the file is not text");
        std::string_view rest = Trim(raw);
        if (rest.empty() || rest.front() == '#') continue;
        const std::string_view name = NextWord(rest);
        if (name.size() > kMaxNameLength || name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-_.") != std::string_view::npos ||
            name.find('=') != std::string_view::npos)
            return fail(lineNumber, "'" + std::string(name.substr(0, 50)) +
                                        "' is not a profile name (1 to 40 lower-case letters, digits, '-', '_' or '.')");
        if (FindProfile(name, user))
            return fail(lineNumber, "a profile named '" + std::string(name) + "' exists already; give this one another name");
        if (user.profiles.size() == kMaxUserProfiles) return fail(lineNumber, "more than 200 profiles");
        DeviceProfile p;
        p.name = user.text.emplace_back(name);
        if (std::string why = LineReader(user).Fill(p, rest); !why.empty()) return fail(lineNumber, why);
        if (std::string why = CheckProfile(p); !why.empty()) return fail(lineNumber, why);
        user.profiles.push_back(p);
    }
    return user;
}

}  // namespace rastrix
