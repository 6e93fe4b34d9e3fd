// A user's profiles: one a line, "NAME key=value ...", read with limits and every bad line named.

#include "device/DeviceProfiles.h"
#include "store/NumberText.h"
#include "store/Store.h"

namespace rastrix {

namespace {

using Problem = ProfileFileProblem;
using Kind = ProfileFileProblem::Kind;

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
bool ParseNumber(std::string_view text, LimitsOf<T> limits, T& out) {
    const auto v = NumberIn(text, limits);
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

    // Fills `p` from the words after its name; what is wrong with the first word that is.
    Problem Fill(DeviceProfile& p, std::string_view rest) {
        for (std::string_view word = NextWord(rest); !word.empty(); word = NextWord(rest)) {
            const std::size_t eq = word.find('=');
            if (eq == std::string_view::npos || eq == 0) return {.kind = Kind::NotKeyValue, .word = std::string(word)};
            const std::string_view key = word.substr(0, eq);
            std::string_view value = word.substr(eq + 1);
            if (key == "function") {
                // The rest of the line, blanks and all.
                value = Trim(std::string_view(value.data(), std::size_t(rest.data() + rest.size() - value.data())));
                p.function = Keep(value);
                return {};
            }
            if (Problem why = Set(p, key, value); !why.Ok()) return why;
        }
        return {};
    }

private:
    std::string_view Keep(std::string_view text) { return user_.text.emplace_back(text); }

    Problem Set(DeviceProfile& p, std::string_view key, std::string_view value) {
        const auto bad = [&](Kind kind) { return Problem{.kind = kind, .word = std::string(key), .value = std::string(value)}; };
        if (key == "like") {
            const DeviceProfile* base = FindProfile(value, user_);
            if (!base) return bad(Kind::NoEarlierProfile);
            const std::string_view name = p.name;
            p = *base;
            p.name = name;
        } else if (key == "format") {
            const auto c = ContainerByName(value);
            if (!c) return bad(Kind::NotAFormat);
            p.container = *c;
        } else if (key == "layout") {
            const auto l = LayoutByName(value);
            if (!l) return bad(Kind::NotALayout);
            p.layout = *l;
        } else if (key == "palette") {
            p.palette = Keep(value);
        } else if (key == "dither") {
            const auto d = DitherByName(value);
            if (!d) return bad(Kind::NotADither);
            p.dither = *d;
        } else if (key == "invert" || key == "progmem") {
            if (!ParseYesNo(value, key == "invert" ? p.invert : p.progmem)) return bad(Kind::NotYesOrNo);
        } else if (key == "depth") {
            if (!ParseNumber(value, Limits{1, 32}, p.bmpDepth)) return bad(Kind::NotADepth);
        } else if (key == "brightness" || key == "contrast") {
            if (!ParseNumber(value, kToneLimits, key == "brightness" ? p.brightness : p.contrast)) return bad(Kind::NotALevel);
        } else if (key == "gamma") {
            if (!ParseNumber(value, kGammaLimits, p.gamma)) return bad(Kind::NotAGamma);
        } else {
            return {.kind = Kind::UnknownKey, .word = std::string(key)};
        }
        return {};
    }

    UserProfiles& user_;
};

// A profile's keys, as the export check's words name them.
constexpr ExportFieldNames kProfileKeys{"format", "layout", "invert", "progmem", "name", "palette", "dither", "threshold", "depth", "size"};

// Whether the profile can make a file, checked as an export without its palette (a palette file
// is read only when the profile is used).
ExportProblem CheckProfile(const DeviceProfile& p) {
    DeviceExport e = ExportWithoutPalette(ChoiceFromProfile(p));
    if (!p.palette.empty()) {
        const PaletteChoice named = PaletteByName(p.palette);
        // A named palette is checked with its colours; a file as if it fitted.
        if (named.Ok()) e.palette = named.colors, e.optimisedColors = named.optimisedColors;
        else e.palette = InfoOf(p.layout).kind == LayoutKind::Planes ? ThreeInkPalette(Pixel{0xFF0000u}) : BlackWhitePalette();
        e.paletteName = p.palette;
    }
    return CheckDeviceExport(e);
}

}  // namespace

UserProfiles ParseUserProfiles(std::string_view text) {
    UserProfiles user;
    const auto fail = [&user](int line, Problem why) {
        user.profiles.clear();
        user.text.clear();
        user.problem = std::move(why);
        user.problem.line = line;
        return std::move(user);
    };
    if (text.size() > kMaxUserProfilesBytes) return fail(1, {.kind = Kind::TooLarge});
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (raw.size() > kMaxLineLength) return fail(lineNumber, {.kind = Kind::LineTooLong});
        if (raw.find('\0') != std::string_view::npos) return fail(lineNumber, {.kind = Kind::ZeroByte});
        std::string_view rest = Trim(raw);
        if (rest.empty() || rest.front() == '#') continue;
        const std::string_view name = NextWord(rest);
        if (name.size() > kMaxNameLength || name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-_.") != std::string_view::npos ||
            name.find('=') != std::string_view::npos)
            return fail(lineNumber, {.kind = Kind::BadName, .word = std::string(name.substr(0, 50))});
        if (FindProfile(name, user)) return fail(lineNumber, {.kind = Kind::NameTaken, .word = std::string(name)});
        if (user.profiles.size() == kMaxUserProfiles) return fail(lineNumber, {.kind = Kind::TooManyProfiles});
        DeviceProfile p;
        p.name = user.text.emplace_back(name);
        if (Problem why = LineReader(user).Fill(p, rest); !why.Ok()) return fail(lineNumber, std::move(why));
        if (ExportProblem why = CheckProfile(p); !why.Ok()) return fail(lineNumber, {.kind = Kind::CannotMake, .exportProblem = std::move(why)});
        user.profiles.push_back(p);
    }
    return user;
}

UserProfiles ReadUserProfiles(const Store& store) {
    const ReadResult read = store.Read(kUserProfilesValueName, kMaxUserProfilesBytes);
    UserProfiles user;
    switch (read.status) {
        case ReadStatus::Missing: break;
        case ReadStatus::TooLarge: user.problem = {.kind = Kind::TooLarge}; break;
        case ReadStatus::Failed: user.problem = {.kind = Kind::NotRead, .failure = read.failure}; break;
        case ReadStatus::Found:
            user = ParseUserProfiles(std::string_view(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()));
            break;
    }
    return user;
}

std::string ProfileFileProblemText(const ProfileFileProblem& problem) {
    const std::string setting = problem.word + "=" + problem.value + ": ";
    std::string why;
    switch (problem.kind) {
        case Kind::None: return {};
        case Kind::NotRead: why = Describe(problem.failure); break;
        case Kind::TooLarge: why = "the file is longer than " + std::to_string(kMaxUserProfilesBytes / 1024) + " KiB"; break;
        case Kind::LineTooLong: why = "longer than " + std::to_string(kMaxLineLength) + " characters"; break;
        case Kind::ZeroByte: why = "holds a zero byte; the file is not text"; break;
        case Kind::BadName:
            why = "'" + problem.word + "' is not a profile name (1 to " + std::to_string(kMaxNameLength) +
                  " lower-case letters, digits, '-', '_' or '.')";
            break;
        case Kind::NameTaken: why = "a profile named '" + problem.word + "' exists already; give this one another name"; break;
        case Kind::TooManyProfiles: why = "more than " + std::to_string(kMaxUserProfiles) + " profiles"; break;
        case Kind::NotKeyValue: why = "'" + problem.word + "' is not key=value"; break;
        case Kind::UnknownKey:
            why = "unknown key '" + problem.word +
                  "' (like, format, layout, palette, dither, invert, progmem, depth, brightness, contrast, gamma, function)";
            break;
        case Kind::NoEarlierProfile: why = setting + "no profile of that name comes before this line"; break;
        case Kind::NotAFormat: why = setting + "the format is one of " + ContainerNames(); break;
        case Kind::NotALayout: why = setting + "the layout is one of " + LayoutNames(); break;
        case Kind::NotADither: why = setting + "dithering is fs, atkinson, ordered or none"; break;
        case Kind::NotYesOrNo: why = setting + "yes or no"; break;
        case Kind::NotADepth: why = setting + "a BMP depth: 1, 4, 8, 16, 24 or 32"; break;
        case Kind::NotALevel: why = setting + FromTo(kToneLimits); break;
        case Kind::NotAGamma: why = setting + FromTo(kGammaLimits); break;
        case Kind::CannotMake: why = ExportProblemText(problem.exportProblem, kProfileKeys); break;
    }
    return problem.line > 0 ? "line " + std::to_string(problem.line) + ": " + why : why;
}

}  // namespace rastrix
