// The settings at start and exit against damaged values, failing file steps and a
// configuration folder that cannot be made: the program always starts, each value falls back
// on its own, and a failure is told once.
#include <gtest/gtest.h>

#include <cstring>

#include "document/NewImageTestSupport.h"
#include "editor/CommandIds.h"
#include "frame/EditorEvents.h"
#include "frame/SettingsCodec.h"
#include "store/StoreTestSupport.h"
#include "support/FaultInjectingFileSystem.h"

namespace rastrix {
namespace {

using namespace rastrix::testing;
using Op = FaultInjectingFileSystem::Op;

// What each value holds after a read, side by side with what was written.
struct Values {
    Bytes settings;
    std::array<std::string, kRecentCount> recent;
    std::array<Color, 16> colors;
    friend bool operator==(const Values&, const Values&) = default;
};

Values Of(const SettingsRecord& s, const RecentFiles& r) {
    const SettingsBytes b = EncodeSettings(s);
    return {Bytes(b.begin(), b.end()), r.entries, s.customColors};
}

class SettingsFaults : public ::testing::Test {
protected:
    SettingsFaults() {
        written.viewMode = StoredViewMode(ViewMode::Zoom8);
        written.zoomPercent = 800;
        written.lineWidth = 4;
        written.showDrawingTools = 8;
        written.windowRect = {5, 6, 700, 500};
        written.customColors[7] = ColorFromRgb(1, 2, 3);
        written.customColors[12] = ColorFromRgb(4, 5, 6);
        recent.entries[0] = "/pictures/a.bmp";
        recent.entries[1] = "b.bmp";
    }
    // The three values as a run with these settings left them.
    void WriteAll() { ASSERT_TRUE(WriteSettings(written, recent, store)); }
    std::map<std::string, Bytes> Folder() const {
        std::map<std::string, Bytes> files;
        for (const std::string& name : FileNames(folder)) files[name] = ReadBytes(folder / name);
        return files;
    }

    TempFolder temp;
    std::filesystem::path folder = temp.Path() / "Orlane" / "Rastrix";
    Store store{folder};
    SettingsRecord written;
    RecentFiles recent;
    test::FakeHost host;
    Editor ed{host};
};

// A damaged value and what the next start makes of it: `expect` turns what was written into
// what must be read (the other two values are always read as written).
struct Damage {
    const char* name;
    std::string_view value;
    Bytes (*make)(const Bytes& good);
    void (*expect)(Values& read, const Values& defaults);
};

Bytes WithByte(Bytes b, std::size_t at, std::uint8_t v) { return b[at] = v, b; }
Bytes WithU32(Bytes b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
    return b;
}
// The window rectangle's sides: left at byte 8, top 12, right 16, bottom 20.
Bytes WithWindow(const Bytes& g, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    return WithU32(WithU32(WithU32(WithU32(g, 8, std::uint32_t(l)), 12, std::uint32_t(t)), 16, std::uint32_t(r)), 20,
                   std::uint32_t(b));
}
Bytes Cut(const Bytes& b) { return Bytes(b.begin(), b.begin() + std::ptrdiff_t(b.size() / 2)); }
Bytes Longer(Bytes b) { return b.push_back(0), b; }
// Bytes of some other program: not text, with zeros and top bytes set.
Bytes Foreign(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = std::uint8_t(i * 37 + 0x91);
    return b;
}

void AllDefaults(Values& read, const Values& defaults) { read.settings = defaults.settings; }
void AsWritten(Values&, const Values&) {}
void NoList(Values& read, const Values& defaults) { read.recent = defaults.recent; }
void NoColors(Values& read, const Values& defaults) { read.colors = defaults.colors; }

const Damage kDamages[] = {
    {"SettingsWithAViewModeItNeverWrites", kSettingsValueName, [](const Bytes& g) { return WithByte(g, 36, 0x7F); }, AllDefaults},
    {"SettingsWithALineStylePastTheTable", kSettingsValueName, [](const Bytes& g) { return WithByte(g, 46, 5); }, AllDefaults},
    {"SettingsCutShort", kSettingsValueName, Cut, AllDefaults},
    // A window of no size, or wider or taller than any screen, is out of range; extreme corners
    // must not overflow on the way.
    {"SettingsWithAWindowOfExtremeCorners", kSettingsValueName,
     [](const Bytes& g) { return WithWindow(g, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX); }, AllDefaults},
    {"SettingsWithAWindowOfNoWidth", kSettingsValueName, [](const Bytes& g) { return WithWindow(g, 50, 0, 50, 400); },
     AllDefaults},
    {"SettingsWithAWindowTurnedOver", kSettingsValueName, [](const Bytes& g) { return WithWindow(g, 0, 400, 600, 0); },
     AllDefaults},
    {"SettingsWithAWindowTallerThan65535", kSettingsValueName,
     [](const Bytes& g) { return WithWindow(g, 0, -10, 600, 65526); }, AllDefaults},
    {"SettingsWithAWindowOffScreenButOfSaneSize", kSettingsValueName,
     [](const Bytes& g) { return WithWindow(g, -70000, 2000000, -69000, 2000700); },
     [](Values& read, const Values&) { read.settings = WithWindow(read.settings, -70000, 2000000, -69000, 2000700); }},
    {"SettingsOneByteLong", kSettingsValueName, [](const Bytes& g) { return Longer(g); }, AllDefaults},
    {"SettingsForeign", kSettingsValueName, [](const Bytes&) { return Foreign(kSettingsValueSize); }, AllDefaults},
    // Fields past the sixteenth are dropped.
    {"RecentWithSeventeenFields", kRecentValueName,
     [](const Bytes& g) { Bytes b(g.begin(), g.end() - 1); for (char c : std::string("\tq.bmp")) b.push_back(std::uint8_t(c)); return b.push_back(0), b; },
     AsWritten},
    // A field is cut at 255 characters.
    {"RecentWithAFieldTooLong", kRecentValueName,
     [](const Bytes& g) { Bytes b(256, 'x'); b.insert(b.end(), g.begin(), g.end()); return b; },
     [](Values& read, const Values&) { read.recent[0] = std::string(255, 'x'); }},
    // The list reads as far as the value goes.
    {"RecentCutShort", kRecentValueName, Cut, [](Values& read, const Values&) { read.recent[1] = "b."; }},
    {"RecentOverLong", kRecentValueName, [](const Bytes&) { return Bytes(kRecentValueMaxSize + 1, 'z'); }, NoList},
    // Colours lose a top byte; a short value replaces as many bytes as it holds.
    {"ColorsWithATopByte", kColorsValueName, [](const Bytes& g) { return WithByte(g, 31, 0xFF); }, AsWritten},
    {"ColorsCutShort", kColorsValueName, Cut,
     [](Values& read, const Values& defaults) { read.colors[12] = defaults.colors[12]; }},
    {"ColorsOneByteLong", kColorsValueName, [](const Bytes& g) { return Longer(g); }, NoColors},
    {"ColorsForeign", kColorsValueName, [](const Bytes&) { return Foreign(kColorsValueSize); },
     [](Values& read, const Values&) {
         const Bytes b = Foreign(kColorsValueSize);
         for (std::size_t k = 0; k < 16; ++k) read.colors[k] = Color{std::uint32_t(b[4 * k] | b[4 * k + 1] << 8 | b[4 * k + 2] << 16)};
     }},
};

class DamagedValue : public SettingsFaults, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedValue, IsReadAsFarAsItMakesSenseAndTheOthersAreKept) {
    WriteAll();
    const std::filesystem::path file = folder / std::string(GetParam().value);
    WriteBytes(file, GetParam().make(ReadBytes(file)));

    StartUp(ed, store, {});
    Values expected = Of(written, recent);
    GetParam().expect(expected, Of(SettingsRecord{}, RecentFiles{}));
    EXPECT_EQ(Of(ed.settings, ed.recent), expected);
    EXPECT_TRUE(host.messages.empty());

    // The program runs on with what it has, and at exit writes values the next run reads whole.
    host.modalScripts.push_back(TypeSize("8", "8"));
    RunCommand(ed, CommandId::New);
    EXPECT_EQ(ed.doc.imageWidth, 8);
    EXPECT_FALSE(Shutdown(ed, store).has_value());
    test::FakeHost nextHost;
    Editor next(nextHost);
    StartUp(next, store, {});
    EXPECT_EQ(Of(next.settings, next.recent), Of(ed.settings, ed.recent));
}

INSTANTIATE_TEST_SUITE_P(EachValue, DamagedValue, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

class UnreadableAtStart : public SettingsFaults, public ::testing::WithParamInterface<Op> {};

TEST_P(UnreadableAtStart, GivesTheDefaultsSilentlyAndLeavesTheStoredValuesAtExit) {
    WriteAll();
    const auto stored = Folder();
    FaultInjectingFileSystem files;
    files.FailEvery(GetParam(), EIO);
    StartUp(ed, Store(folder, files), {});
    EXPECT_EQ(Of(ed.settings, ed.recent), Of(SettingsRecord{}, RecentFiles{}));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(files.OpenHandles(), 0u);

    // The defaults this run had in their place must not overwrite them; the user is told once.
    ed.settings.foreColor = ColorFromRgb(9, 9, 9);
    const std::optional<std::string> told = Shutdown(ed, store);
    ASSERT_TRUE(told.has_value());
    EXPECT_NE(told->find("could not be read at start (Settings: "), std::string::npos) << *told;
    EXPECT_EQ(Folder(), stored);
}

TEST_F(SettingsFaults, OnlyTheValueThatCouldNotBeReadIsKeptAtExit) {
    WriteAll();
    const auto stored = Folder();
    FaultInjectingFileSystem files;
    files.FailAt(Op::OpenRead, EIO, 1);  // the second value opened: "Recent"
    StartUp(ed, Store(folder, files), {});
    EXPECT_EQ(ed.recent.entries, RecentFiles{}.entries);
    EXPECT_EQ(ed.settings.customColors, written.customColors);
    ed.settings.customColors[0] = ColorFromRgb(7, 7, 7);
    ASSERT_TRUE(Shutdown(ed, store).has_value());
    const auto now = Folder();
    EXPECT_EQ(now.at("Recent"), stored.at("Recent"));
    EXPECT_NE(now.at("Colors"), stored.at("Colors"));
}

INSTANTIATE_TEST_SUITE_P(EachStep, UnreadableAtStart, ::testing::Values(Op::OpenRead, Op::Size, Op::Read));

struct ExitFault {
    const char* name;
    Op op;
    int error;
    const char* told;
};

class UnwritableAtExit : public SettingsFaults, public ::testing::WithParamInterface<ExitFault> {};

TEST_P(UnwritableAtExit, IsToldOnceAndKeepsEveryStoredValueWhole) {
    WriteAll();
    const auto before = Folder();
    FaultInjectingFileSystem files;
    Store failing(folder, files);
    StartUp(ed, failing, {});
    ed.settings.foreColor = ColorFromRgb(200, 0, 0);
    files.FailEvery(GetParam().op, GetParam().error);
    const std::optional<std::string> told = Shutdown(ed, failing);
    ASSERT_TRUE(told.has_value());
    EXPECT_EQ(*told, std::string("The settings could not be saved (Settings: ") + GetParam().told + ").");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(Folder(), before);
    EXPECT_EQ(files.OpenHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(EachStep, UnwritableAtExit,
                         ::testing::Values(ExitFault{"CreateFolder", Op::CreateFolder, EACCES, "create folder: Permission denied"},
                                           ExitFault{"Create", Op::CreateTemp, ENOSPC, "open: No space left on device"},
                                           ExitFault{"Write", Op::Write, ENOSPC, "write: No space left on device"},
                                           ExitFault{"Flush", Op::Flush, EIO, "flush: Input/output error"},
                                           ExitFault{"Close", Op::Close, EDQUOT, "close: Disk quota exceeded"},
                                           ExitFault{"Rename", Op::Rename, EXDEV, "rename: Invalid cross-device link"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFaults, AConfigurationFolderThatCannotBeMadeIsToldOnceAtExit) {
    WriteBytes(temp.Path() / "plain-file", Bytes{1});
    ScopedEnv xdg("XDG_CONFIG_HOME", (temp.Path() / "plain-file").c_str());
    Store nowhere(Store::DefaultFolder());
    StartUp(ed, nowhere, {});
    EXPECT_EQ(Of(ed.settings, ed.recent), Of(SettingsRecord{}, RecentFiles{}));
    EXPECT_TRUE(host.messages.empty());  // a first run looks the same; nothing to say yet

    host.modalScripts.push_back(TypeSize("8", "8"));
    RunCommand(ed, CommandId::New);
    EXPECT_EQ(ed.doc.imageWidth, 8);
    EXPECT_EQ(Shutdown(ed, nowhere), "The settings could not be saved (Settings: create folder: Not a directory).");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(FileNames(temp.Path()), std::vector<std::string>{"plain-file"});
}

}  // namespace
}  // namespace rastrix
