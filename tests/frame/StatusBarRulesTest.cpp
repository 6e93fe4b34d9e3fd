#include <gtest/gtest.h>

#include "editor/CommandIds.h"
#include "frame/StatusBarRules.h"

namespace rastrix {
namespace {

TEST(StatusPartEdges, SwatchesAreTwentyFiveWideAndNarrowFramesUse480) {
    EXPECT_EQ(ComputeStatusPartEdges(800), (StatusPartEdges{250, 500, 525, 550, 800}));
    EXPECT_EQ(ComputeStatusPartEdges(1001), (StatusPartEdges{317, 634, 659, 684, 1001}));
    EXPECT_EQ(ComputeStatusPartEdges(480), (StatusPartEdges{143, 286, 311, 336, 480}));
    EXPECT_EQ(ComputeStatusPartEdges(300), (StatusPartEdges{143, 286, 311, 336, 300}));
    EXPECT_EQ(ComputeStatusPartEdges(0), (StatusPartEdges{143, 286, 311, 336, 0}));
}

struct PointerCase {
    int x;
    int y;
    StatusHover hover;
    StatusClick click;
};

void PrintTo(const PointerCase& c, std::ostream* os) { *os << "(" << c.x << ", " << c.y << ")"; }

// Frame 800 wide: edges 250, 500, 525, 550, 800; the bar starts below y = 400.
class StatusPointerTest : public ::testing::TestWithParam<PointerCase> {};

TEST_P(StatusPointerTest, HoverAndClick) {
    const PointerCase& c = GetParam();
    const StatusPartEdges edges = ComputeStatusPartEdges(800);
    const auto x = static_cast<std::uint16_t>(c.x);
    const auto y = static_cast<std::uint16_t>(c.y);
    EXPECT_EQ(StatusHoverAt(edges, x, y, 400), c.hover);
    EXPECT_EQ(StatusClickAt(edges, x, y, 400), c.click);
}

constexpr StatusClick kNotOver{false, std::nullopt};
constexpr StatusClick kNothing{true, std::nullopt};
constexpr auto kBlank = StatusHover::Blank;
constexpr auto kFore = StatusHover::ShowForeColor;
constexpr auto kBack = StatusHover::ShowBackColor;

INSTANTIATE_TEST_SUITE_P(
    Frame800, StatusPointerTest,
    ::testing::Values(
        // not over the bar: y must exceed the threshold
        PointerCase{510, 400, kBlank, kNotOver}, PointerCase{510, 10, kBlank, kNotOver},
        // parts 0 and 1
        PointerCase{10, 401, kBlank, kNothing}, PointerCase{300, 420, kBlank, kNothing},
        // the swatches, edges excluded
        PointerCase{501, 401, kFore, StatusClick{true, CommandId::SetForegroundColor}},
        PointerCase{524, 420, kFore, StatusClick{true, CommandId::SetForegroundColor}},
        PointerCase{500, 420, kBlank, kNothing}, PointerCase{525, 420, kBlank, kNothing},
        PointerCase{526, 420, kBack, StatusClick{true, CommandId::SetBackgroundColor}},
        PointerCase{549, 420, kBack, StatusClick{true, CommandId::SetBackgroundColor}},
        PointerCase{550, 420, kBlank, kNothing},
        // part 4 opens Adjust Selection, up to but not on the client width
        PointerCase{551, 420, kBlank, StatusClick{true, CommandId::AdjustSelection}},
        PointerCase{799, 420, kBlank, StatusClick{true, CommandId::AdjustSelection}},
        PointerCase{800, 420, kBlank, kNothing}, PointerCase{65535, 420, kBlank, kNothing}));

TEST(StatusPointer, NegativeThresholdCountsEveryRowAsOverTheBar) {
    const StatusPartEdges edges = ComputeStatusPartEdges(800);
    EXPECT_EQ(StatusClickAt(edges, 510, 0, -5), (StatusClick{true, CommandId::SetForegroundColor}));
    EXPECT_EQ(StatusHoverAt(edges, 530, 0, -5), StatusHover::ShowBackColor);
}

TEST(StatusPointer, NarrowFrameHasNoSelectionPart) {
    const StatusPartEdges edges = ComputeStatusPartEdges(320);  // 143, 286, 311, 336, 320
    EXPECT_EQ(StatusClickAt(edges, 300, 50, 0), (StatusClick{true, CommandId::SetForegroundColor}));
    EXPECT_EQ(StatusClickAt(edges, 319, 50, 0), (StatusClick{true, CommandId::SetBackgroundColor}));
    EXPECT_EQ(StatusClickAt(edges, 337, 50, 0), kNothing);
}

}  // namespace
}  // namespace rastrix
