#pragma once
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/DeviceExport.h"
#include "store/FileOps.h"

namespace rastrix {

class Store;

// A named target: the file a popular display library's call takes, so a user need not know its
// layout, bit order or palette. Built-in profiles are one table (DeviceProfiles.cpp); a user's
// own come from a text file in the settings folder.
struct DeviceProfile {
    std::string_view name;
    DeviceContainer container = DeviceContainer::CSource;
    DeviceLayout layout = DeviceLayout::Mono;
    std::string_view palette;  // a palette's name (or, in a user's profile, a file); empty: the layout's own
    Dither dither = Dither::None;
    bool invert = false;
    bool progmem = false;
    int bmpDepth = 0;          // Bmp only
    int brightness = 0, contrast = 0;
    double gamma = 1.0;
    std::string_view function;  // the library call the file is for, NAME standing for the name
    int widthMultiple = 0;      // Bmp: a reader that skips no row padding takes only widths of multiples of this
};

std::span<const DeviceProfile> BuiltInProfiles();

// Why a user's profile file is not used: what is wrong, the line it is on (0: the file as a
// whole) and the facts its words need. The whole file is then left unused.
struct ProfileFileProblem {
    enum class Kind : std::uint8_t {
        None,
        NotRead,           // the settings folder could not give it: `failure`
        TooLarge,          // longer than kMaxUserProfilesBytes
        LineTooLong,       // a line longer than 1000 characters
        ZeroByte,          // the line holds a zero byte: the file is not text
        BadName,           // `word` is not a profile name
        NameTaken,         // a profile named `word` exists already
        TooManyProfiles,   // more than kMaxUserProfiles
        NotKeyValue,       // `word` has no key=value shape
        UnknownKey,        // `word` is no key a profile takes
        // The key `word` was given `value`, which it does not take:
        NoEarlierProfile,  // like=: no profile of that name before this line
        NotAFormat,        // format=
        NotALayout,        // layout=
        NotADither,        // dither=
        NotYesOrNo,        // invert=, progmem=
        NotADepth,         // depth=
        NotALevel,         // brightness=, contrast=
        NotAGamma,         // gamma=
        CannotMake,        // the settings make no file: `exportProblem` says why
    };
    Kind kind = Kind::None;
    int line = 0;
    std::string word;
    std::string value;
    ExportProblem exportProblem;
    FileFailure failure;

    bool Ok() const { return kind == Kind::None; }
    friend bool operator==(const ProfileFileProblem&, const ProfileFileProblem&) = default;
};

// "line 3: unknown key 'colour' (like, format, ...)": the words for a problem, as both front
// ends put them after their own saying of where the file is.
std::string ProfileFileProblemText(const ProfileFileProblem& problem);

// A user's profiles, read from their file: the rows, and the text their names point into.
struct UserProfiles {
    UserProfiles() = default;
    UserProfiles(UserProfiles&&) = default;  // a deque keeps its strings in place when moved
    UserProfiles& operator=(UserProfiles&&) = default;
    UserProfiles(const UserProfiles&) = delete;  // a copy's names would point into the original

    std::vector<DeviceProfile> profiles;
    std::deque<std::string> text;
    ProfileFileProblem problem;  // when not Ok, the file is not used: no profiles
};

// The user's file, a value of the settings folder (Store) of this name.
inline constexpr std::string_view kUserProfilesValueName = "DeviceProfiles";
inline constexpr std::size_t kMaxUserProfilesBytes = 64 * 1024;
inline constexpr std::size_t kMaxUserProfiles = 200;

// One profile a line: its name, then key=value words, in any order:
//   like=PROFILE  start from a built-in profile (or one on an earlier line)
//   format=c|bin|xbm|lvgl-bin|lvgl-c|bmp  layout=LAYOUT  palette=NAME|FILE  dither=fs|atkinson|ordered|none
//   invert=yes|no  progmem=yes|no  depth=1|4|8|16|24|32 (bmp)  brightness=N  contrast=N  gamma=X
//   function=TEXT  the library call, the rest of the line
// Blank lines and lines starting with '#' are comments. A name is 1 to 40 lower-case letters,
// digits, '-', '_' or '.', and names no built-in profile or earlier line. A line that breaks a
// rule is named with why; the whole file is then refused.
UserProfiles ParseUserProfiles(std::string_view text);

// The user's file from the settings folder: no profiles and no problem when there is none.
UserProfiles ReadUserProfiles(const Store& store);

// The profile of that name among the built-in ones, then the user's; nullptr when none.
const DeviceProfile* FindProfile(std::string_view name, const UserProfiles& user);
// "adafruit-gfx-mono, ...": the names known, for a message.
std::string ProfileNames(const UserProfiles& user);

// A device file's settings as plain values: a profile's, or the user's own in the Export for
// Device dialog (which also remembers them).
struct ExportChoice {
    std::string profile;  // the profile the settings came from; empty: the user's own
    DeviceContainer container = DeviceContainer::CSource;
    DeviceLayout layout = DeviceLayout::Mono;
    int bmpDepth = 0;
    std::string palette;  // a palette name (bw, ..., optimised:N) or a file; empty: the layout's own
    Dither dither = Dither::None;
    int thresholdPercent = -1;
    bool invert = false;
    bool progmem = false;
    Adjustments adjust;
    int width = 0, height = 0;  // 0: the image's size
    ScaleFit fit = ScaleFit::Fit;
    ScaleFilter filter = ScaleFilter::Lanczos;
    int widthMultiple = 0;  // the profile's: see DeviceExport

    friend bool operator==(const ExportChoice&, const ExportChoice&) = default;
};

// The settings of a profile.
ExportChoice ChoiceFromProfile(const DeviceProfile& profile);

// The export the choice stands for, without its palette.
DeviceExport ExportWithoutPalette(const ExportChoice& choice);

// The export the choice (or a profile) stands for. Its palette, given by name, is looked up (or
// read, a file) through `files`; when it cannot be, `palette` holds the name's and the file's
// problems (PaletteProblemText words them). The picture's name is left to the caller; a
// profile's export names its call.
struct ProfileExport {
    DeviceExport e;
    PaletteOrFile palette;

    bool Ok() const { return palette.Ok(); }
};
ProfileExport ExportFromChoice(const ExportChoice& choice, FileSystem& files);
ProfileExport ExportFromProfile(const DeviceProfile& profile, FileSystem& files);

// A profile's call for a picture's name: NAME_WIDTH and NAME_HEIGHT become the header's macros
// (the name in capitals), any other NAME the name.
std::string CallFor(std::string_view function, std::string_view name);

// The table --list-profiles prints: one profile a line, its name, format and layout (or BMP
// depth), palette, and the call it serves.
std::string ProfileListText(const UserProfiles& user);

}  // namespace rastrix
