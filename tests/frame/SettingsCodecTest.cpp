#include "frame/SettingsCodec.h"

#include <gtest/gtest.h>

#include <string>

namespace rastrix {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes AsBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }
Bytes Encoded(const SettingsRecord& s) {
    const SettingsBytes b = EncodeSettings(s);
    return Bytes(b.begin(), b.end());
}

TEST(SettingsEncoding, NonDefaultRecordIsLittleEndianAtFixedOffsets) {
    SettingsRecord s;
    s.foreColor = Color{0x00112233};
    s.backColor = Color{0x00A0B0C0};
    s.windowRect = {-8, -1, 1928, 0x12345678};
    s.zoomPercent = 400;
    s.reservedA = 0xDEADBEEF;
    s.reservedB = 7;
    s.viewMode = 278;
    s.adjustOffsetX = -300;
    s.adjustOffsetY = 0x7FFF;
    s.maximized = 0;
    s.reservedFlag = s.showDrawingTools = 8;
    s.hatchStyleIndex = 6;
    s.lineStyleIndex = 4;
    s.lineWidth = 9;
    s.reservedTail = {1, 2, 3};
    const Bytes expected{0x33, 0x22, 0x11, 0x00, 0xC0, 0xB0, 0xA0, 0x00,  // foreColor, backColor
                         0xF8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // left -8, top -1
                         0x88, 0x07, 0x00, 0x00, 0x78, 0x56, 0x34, 0x12,  // right 1928, bottom
                         0x90, 0x01, 0x00, 0x00, 0xEF, 0xBE, 0xAD, 0xDE,  // zoom 400, reservedA
                         0x07, 0x00, 0x00, 0x00, 0x16, 0x01, 0xD4, 0xFE,  // reservedB, 278, -300
                         0xFF, 0x7F, 0x00, 0x08, 0x08, 0x06, 0x04, 0x09,  // 32767, flags, styles
                         0x01, 0x02, 0x03};
    EXPECT_EQ(Encoded(s), expected);

    SettingsRecord decoded;
    DecodeSettings(EncodeSettings(s), decoded);
    EXPECT_EQ(Encoded(decoded), expected);
}

TEST(SettingsEncoding, DefaultsEncodeToTheirKnownBytes) {
    const Bytes expected{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                         0x80, 0x02, 0, 0, 0xC2, 0x01, 0, 0,              // 640 x 450
                         0x64, 0, 0, 0, 0xB4, 0, 0, 0, 0, 0, 0, 0,         // 100 %, 180, 0
                         0x13, 0x01, 0, 0, 0x4D, 0x01,                     // 275, 0, 333
                         1, 0, 0, 0, 0, 1, 0x69, 0x69, 0x69};
    EXPECT_EQ(Encoded(SettingsRecord{}), expected);
}

// The settings file keeps the view as the number of the command that chooses it. Files written
// by every earlier version hold these numbers, so each view must read back as itself.
struct StoredView {
    ViewMode mode;
    std::int16_t stored;
    CommandId command;
};

class StoredViewTest : public ::testing::TestWithParam<StoredView> {};

TEST_P(StoredViewTest, EachViewIsStoredAsItsFixedNumberAndReadsBack) {
    const StoredView& v = GetParam();
    EXPECT_EQ(StoredViewMode(v.mode), v.stored);
    EXPECT_EQ(ViewModeFromStored(v.stored), v.mode);
    EXPECT_EQ(ViewCommand(v.mode), v.command);
    EXPECT_EQ(NumberOf(v.command), v.stored);
    EXPECT_EQ(ViewModeOf(v.command), v.mode);
    SettingsRecord s;
    s.viewMode = StoredViewMode(v.mode);
    SettingsRecord decoded;
    DecodeSettings(EncodeSettings(s), decoded);
    EXPECT_EQ(ViewModeFromStored(decoded.viewMode), v.mode);
    EXPECT_TRUE(IsPlausibleSettings(decoded));
}

INSTANTIATE_TEST_SUITE_P(Views, StoredViewTest,
                         ::testing::Values(StoredView{ViewMode::Fit, 274, CommandId::FitToWindow},
                                           StoredView{ViewMode::Actual, 275, CommandId::ActualSize},
                                           StoredView{ViewMode::Zoom2, 276, CommandId::Magnify2},
                                           StoredView{ViewMode::Zoom4, 277, CommandId::Magnify4},
                                           StoredView{ViewMode::Zoom8, 278, CommandId::Magnify8}));

TEST(StoredView, NumbersBesideTheViewsAreNoViewAndTheRecordIsRefused) {
    for (const std::int16_t n : {0, 273, 279, -275, 275 + 256}) {
        EXPECT_FALSE(ViewModeFromStored(n)) << n;
        SettingsRecord s;
        s.viewMode = n;
        EXPECT_FALSE(IsPlausibleSettings(s)) << n;
    }
    EXPECT_FALSE(ViewModeOf(CommandId::ShowDrawingTools));
    EXPECT_FALSE(ViewModeOf(CommandId::Undo));
}

TEST(RecentJoin, AlwaysFifteenTabsAndATerminator) {
    RecentFiles recent;
    EXPECT_EQ(JoinRecent(recent), AsBytes(std::string(15, '\t') + '\0'));
    recent.entries[0] = "/b.bmp";
    recent.entries[1] = "/a.bmp";
    EXPECT_EQ(JoinRecent(recent), AsBytes("/b.bmp\t/a.bmp" + std::string(14, '\t') + '\0'));
}

TEST(RecentJoin, EntriesThatCannotBeReadBackAreWrittenEmptyInPlace) {
    RecentFiles recent;
    recent.entries[0] = "/ok.bmp";
    recent.entries[1] = "/has\ttab.bmp";
    recent.entries[2] = "/" + std::string(300, 'p');
    recent.entries[3] = std::string("/ze\0ro.bmp", 10);
    recent.entries[4] = "/last\nline.bmp";  // other control characters read back as they are
    EXPECT_EQ(JoinRecent(recent), AsBytes("/ok.bmp\t\t\t\t/last\nline.bmp" + std::string(11, '\t') + '\0'));
}

// Splits text into a list whose entries all held "stale" before.
RecentFiles SplitIntoStale(std::string_view text) {
    RecentFiles recent;
    recent.entries.fill("stale");
    SplitRecent(AsBytes(text), recent);
    return recent;
}

TEST(RecentSplit, OneNameWithoutTabFillsTheFirstEntryOnly) {
    for (std::string text : {std::string("/only.bmp") + '\0', std::string("/only.bmp")}) {
        RecentFiles recent;
        SplitRecent(AsBytes(text), recent);
        EXPECT_EQ(recent.entries[0], "/only.bmp");
        for (int k = 1; k < kRecentCount; ++k) EXPECT_EQ(recent.entries[k], "") << k;
    }
}

TEST(RecentSplit, FifteenTabsWithEmptyFieldsEmptyTheWholeList) {
    for (const auto& e : SplitIntoStale(std::string(15, '\t') + '\0').entries) EXPECT_EQ(e, "");
}

TEST(RecentSplit, EntriesTheTextDoesNotReachKeepTheirContent) {
    const RecentFiles recent = SplitIntoStale(std::string("a\tb") + '\0' + "\tignored");
    EXPECT_EQ(recent.entries[0], "a");
    EXPECT_EQ(recent.entries[1], "b");
    EXPECT_EQ(recent.entries[2], "stale");
}

TEST(RecentSplit, FieldsPastTheSixteenthAreDroppedAndLongFieldsCut) {
    std::string text = std::string(300, 'L') + '\t';
    for (int k = 1; k < 40; ++k) text += "f" + std::to_string(k) + '\t';
    const RecentFiles recent = SplitIntoStale(text);
    EXPECT_EQ(recent.entries[0], std::string(255, 'L'));
    EXPECT_EQ(recent.entries[1], "f1");
    EXPECT_EQ(recent.entries[15], "f15");
}

}  // namespace
}  // namespace rastrix
