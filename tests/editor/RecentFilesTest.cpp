#include "editor/RecentFiles.h"
#include "editor/CommandTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rastrix {
namespace {

using Names = std::vector<std::string>;

// The entries with the empty tail left off.
Names Filled(const RecentFiles& recent) {
    Names out(recent.entries.begin(), recent.entries.end());
    while (!out.empty() && out.back().empty()) out.pop_back();
    return out;
}

RecentFiles ListOf(const Names& names) {
    RecentFiles recent;
    std::copy(names.begin(), names.end(), recent.entries.begin());
    return recent;
}

// A successful load that did not come from the list (Open, open-named, Save As).
void Open(RecentFiles& recent, std::string_view path) {
    recent.recentIndex = kRecentCount - 1;
    MoveToFront(recent, path);
}

// The recent-file command for position k followed by a successful load.
void Reopen(RecentFiles& recent, int k) { MoveToFront(recent, BeginReopen(recent, k)); }

TEST(RecentFiles, OpeningAndReopeningFromTheMenu) {
    RecentFiles recent;
    Open(recent, "a.bmp");
    EXPECT_EQ(Filled(recent), Names{"a.bmp"});
    Open(recent, "b.bmp");
    EXPECT_EQ(Filled(recent), (Names{"b.bmp", "a.bmp"}));
    Reopen(recent, 1);
    EXPECT_EQ(recent.recentIndex, 1);
    EXPECT_EQ(Filled(recent), (Names{"a.bmp", "b.bmp"}));
    Reopen(recent, 0);  // F5
    EXPECT_EQ(Filled(recent), (Names{"a.bmp", "b.bmp"}));
}

TEST(RecentFiles, NameDifferingOnlyInCaseMovesUpWithTheNewCase) {
    RecentFiles recent = ListOf({"/p/one.bmp", "/p/Photo.BMP", "/p/two.bmp"});
    Open(recent, "/P/PHOTO.bmp");
    EXPECT_EQ(Filled(recent), (Names{"/P/PHOTO.bmp", "/p/one.bmp", "/p/two.bmp"}));
}

TEST(RecentFiles, SeventeenthDistinctFileDropsTheOldest) {
    RecentFiles recent;
    for (int i = 0; i <= 16; ++i) Open(recent, "f" + std::to_string(i));
    EXPECT_EQ(recent.entries[0], "f16");
    EXPECT_EQ(recent.entries[15], "f1");
}

TEST(RecentFiles, ReopenMovesTheChosenPositionASearchTheFirstEqual) {
    RecentFiles reopened = ListOf({"x", "dup", "y", "dup"});
    Reopen(reopened, 3);
    EXPECT_EQ(Filled(reopened), (Names{"dup", "x", "dup", "y"}));
    RecentFiles opened = ListOf({"x", "dup", "y", "dup"});
    Open(opened, "dup");
    EXPECT_EQ(Filled(opened), (Names{"dup", "x", "y", "dup"}));
}

TEST(RecentFiles, LastPositionSearchesAndMovesTheFirstEqualEntry) {
    Names names;
    for (int i = 0; i < kRecentCount; ++i) names.push_back("p" + std::to_string(i));
    names[3] = names[15] = "dup";
    RecentFiles recent = ListOf(names);
    Reopen(recent, 15);
    EXPECT_EQ(Filled(recent), (Names{"dup", "p0", "p1", "p2", "p4", "p5", "p6", "p7", "p8", "p9",
                                     "p10", "p11", "p12", "p13", "p14", "dup"}));
}

TEST(RecentFiles, EmptyFirstEntryIsFilledWithoutMovingTheOthers) {
    RecentFiles recent = ListOf({"", "a", "b"});
    Open(recent, "a");
    EXPECT_EQ(Filled(recent), (Names{"a", "a", "b"}));
}

TEST(RecentFiles, IndexOutsideTheListActsLikeALoadFromElsewhere) {
    RecentFiles recent = ListOf({"a", "b", "c"});
    recent.recentIndex = 99;
    MoveToFront(recent, "c");
    EXPECT_EQ(Filled(recent), (Names{"c", "a", "b"}));
    recent.recentIndex = -1;
    MoveToFront(recent, "b");
    EXPECT_EQ(Filled(recent), (Names{"b", "c", "a"}));
}

TEST(RecentFiles, MenuTextsAndCommandsMapToEntries) {
    RecentFiles recent = ListOf({"/home/me/a&b.bmp", "", "c"});
    EXPECT_EQ(RecentMenuText(recent, 0), "/home/me/a&b.bmp");
    EXPECT_EQ(RecentMenuText(recent, 1), "");
    EXPECT_EQ(RecentMenuText(recent, 16), "");
    EXPECT_EQ(BeginReopen(recent, 1), "");  // an empty entry loads an empty name
    EXPECT_EQ(RecentPositionOf(*CommandFromNumber(355)), -1);  // About, just below the list
    EXPECT_EQ(RecentPositionOf(*CommandFromNumber(368)), 0);
    EXPECT_EQ(RecentPositionOf(*CommandFromNumber(383)), 15);
    EXPECT_FALSE(CommandFromNumber(367));
    EXPECT_FALSE(CommandFromNumber(384));
}

}  // namespace
}  // namespace rastrix
