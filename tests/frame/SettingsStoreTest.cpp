#include <gtest/gtest.h>

#include <cerrno>

#include "frame/SettingsCodec.h"
#include "store/StoreTestSupport.h"
#include "support/FaultInjectingFileSystem.h"

namespace rastrix {
namespace {

using namespace rastrix::testing;
using Op = FaultInjectingFileSystem::Op;

Bytes Encoded(const SettingsRecord& s) {
    const SettingsBytes b = EncodeSettings(s);
    return Bytes(b.begin(), b.end());
}

struct Loaded {
    SettingsRecord settings;
    RecentFiles recent;
    explicit Loaded(const Store& store) { ReadSettings(settings, recent, store); }
};

void ExpectDefaults(const Loaded& loaded) {
    EXPECT_EQ(Encoded(loaded.settings), Encoded(SettingsRecord{}));
    EXPECT_EQ(loaded.settings.customColors, SettingsRecord{}.customColors);
    EXPECT_EQ(loaded.recent.entries, RecentFiles{}.entries);
}

class SettingsStore : public ::testing::Test {
protected:
    TempFolder temp;
    std::filesystem::path folder = temp.Path() / "Orlane" / "Rastrix";
    Store store{folder};
};

TEST_F(SettingsStore, FirstRunKeepsTheDefaultsAndTheFirstWriteCreatesTheFolder) {
    ScopedEnv xdg("XDG_CONFIG_HOME", (temp.Path() / "config").c_str());
    Store fresh(Store::DefaultFolder());
    const Loaded loaded(fresh);
    ExpectDefaults(loaded);
    EXPECT_EQ(loaded.settings.windowRect, (WindowRect{0, 0, 640, 450}));
    EXPECT_EQ(loaded.settings.maximized, 1);
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "config"));

    ASSERT_TRUE(WriteSettings(loaded.settings, loaded.recent, fresh));
    EXPECT_EQ(FileNames(temp.Path() / "config" / "Orlane" / "Rastrix"),
              (std::vector<std::string>{"Colors", "Recent", "Settings"}));
}

TEST_F(SettingsStore, AllThreeValuesRoundTrip) {
    SettingsRecord written;
    written.windowRect = {-4, 10, 800, 600};
    written.showDrawingTools = 8;
    written.customColors[15] = Color{0x123456};
    RecentFiles recent;
    recent.entries[0] = "/home/me/new.bmp";
    recent.entries[2] = "/home/me/old picture.bmp";
    ASSERT_TRUE(WriteSettings(written, recent, store));
    EXPECT_EQ(ReadBytes(folder / "Settings"), Encoded(written));
    EXPECT_EQ(ReadBytes(folder / "Recent"), JoinRecent(recent));
    EXPECT_EQ(ReadBytes(folder / "Colors").size(), 64u);
    EXPECT_EQ(ReadBytes(folder / "Colors")[60], 0x56);  // little-endian 0x123456

    const Loaded loaded(store);
    EXPECT_EQ(Encoded(loaded.settings), Encoded(written));
    EXPECT_EQ(loaded.settings.customColors, written.customColors);
    EXPECT_EQ(loaded.recent.entries, recent.entries);
}

class SettingsOfWrongSize : public SettingsStore, public ::testing::WithParamInterface<int> {};
TEST_P(SettingsOfWrongSize, IsIgnoredWhole) {
    WriteBytes(folder / "Settings", Bytes(std::size_t(GetParam()), 0x42));
    ExpectDefaults(Loaded(store));
}
INSTANTIATE_TEST_SUITE_P(Sizes, SettingsOfWrongSize, ::testing::Values(0, 50, 52, 70000));

TEST_F(SettingsStore, EveryListTheProgramWritesIsReadBackAndLongerOnesAreIgnored) {
    RecentFiles full;
    for (int k = 0; k < kRecentCount; ++k) full.entries[k] = std::string(255, char('a' + k));
    ASSERT_TRUE(WriteSettings(SettingsRecord{}, full, store));
    ASSERT_EQ(ReadBytes(folder / "Recent").size(), 4096u);
    EXPECT_EQ(Loaded(store).recent.entries, full.entries);

    WriteBytes(folder / "Recent", Bytes(4097, 'z'));
    EXPECT_EQ(Loaded(store).recent.entries, RecentFiles{}.entries);
}

TEST_F(SettingsStore, ShortColorsReplaceOnlyTheirBytesLongOnesNothing) {
    WriteBytes(folder / "Colors", Bytes{0x01, 0x02, 0x03, 0x7F, 0x09});
    const auto colors = Loaded(store).settings.customColors;
    EXPECT_EQ(colors[0], Color{0x00030201u});  // a top byte names no colour and is cleared
    EXPECT_EQ(colors[1], Color{0x00C0FF09u});  // default 0xC0FFFF with its low byte replaced
    EXPECT_EQ(colors[2], Color{0x00FFFFFFu});

    WriteBytes(folder / "Colors", Bytes(65, 0));
    EXPECT_EQ(Loaded(store).settings.customColors, SettingsRecord{}.customColors);
}

TEST_F(SettingsStore, CorruptOrUnreadableValuesLeaveTheDefaults) {
    for (const char* name : {"Settings", "Recent", "Colors"}) std::filesystem::create_directories(folder / name);
    ExpectDefaults(Loaded(store));
    std::filesystem::remove_all(folder);

    SettingsRecord changed;
    changed.zoomPercent = 800;
    changed.customColors[0] = Color{0};
    RecentFiles recent;
    recent.entries[0] = "/x.bmp";
    ASSERT_TRUE(WriteSettings(changed, recent, store));
    for (Op op : {Op::OpenRead, Op::Read}) {
        FaultInjectingFileSystem files;
        files.FailEvery(op);
        ExpectDefaults(Loaded(Store(folder, files)));
    }
}

class InterruptedSettingsWrite : public SettingsStore, public ::testing::WithParamInterface<Op> {};

TEST_P(InterruptedSettingsWrite, KeepsEveryPreviousValueAndReportsTheFirstFailure) {
    RecentFiles recent;
    recent.entries[0] = "/old.bmp";
    ASSERT_TRUE(WriteSettings(SettingsRecord{}, recent, store));
    const std::vector<Bytes> before{ReadBytes(folder / "Colors"), ReadBytes(folder / "Recent"),
                                    ReadBytes(folder / "Settings")};

    FaultInjectingFileSystem files;
    files.FailEvery(GetParam(), ENOSPC);
    Store failing(folder, files);
    SettingsRecord changed;
    changed.foreColor = Color{0xFF};
    changed.customColors[3] = Color{0};
    recent.entries[0] = "/new.bmp";
    const SettingsWriteResult result = WriteSettings(changed, recent, failing);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.valueName, "Settings");
    EXPECT_EQ(result.failure.errorNumber, ENOSPC);
    const std::vector<Bytes> after{ReadBytes(folder / "Colors"), ReadBytes(folder / "Recent"),
                                   ReadBytes(folder / "Settings")};
    EXPECT_EQ(after, before);
    EXPECT_EQ(FileNames(folder), (std::vector<std::string>{"Colors", "Recent", "Settings"}));
}

INSTANTIATE_TEST_SUITE_P(Steps, InterruptedSettingsWrite, ::testing::Values(Op::Write, Op::Flush, Op::Rename));

}  // namespace
}  // namespace rastrix
