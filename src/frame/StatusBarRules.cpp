#include "frame/StatusBarRules.h"

#include <algorithm>

#include "editor/CommandIds.h"

namespace rastrix {
namespace {

constexpr std::int32_t kSwatchWidth = 25;
constexpr std::int32_t kNarrowestLayout = 480;

bool Between(std::int32_t low, std::int32_t x, std::int32_t high) { return low < x && x < high; }

}  // namespace

StatusPartEdges ComputeStatusPartEdges(std::int32_t clientWidth) {
    const std::int32_t t = (std::max(clientWidth, kNarrowestLayout) - 2 * kSwatchWidth) / 3;
    return {t, 2 * t, 2 * t + kSwatchWidth, 2 * t + 2 * kSwatchWidth, clientWidth};
}

StatusHover StatusHoverAt(const StatusPartEdges& edges, std::uint16_t x, std::uint16_t y,
                            std::int32_t threshold) {
    if (y > threshold) {
        if (Between(edges[1], x, edges[2])) return StatusHover::ShowForeColor;
        if (Between(edges[2], x, edges[3])) return StatusHover::ShowBackColor;
    }
    return StatusHover::Blank;
}

StatusClick StatusClickAt(const StatusPartEdges& edges, std::uint16_t x,
                                 std::uint16_t y, std::int32_t threshold) {
    if (!(y > threshold)) return {false, std::nullopt};
    if (Between(edges[1], x, edges[2])) return {true, CommandId::SetForegroundColor};
    if (Between(edges[2], x, edges[3])) return {true, CommandId::SetBackgroundColor};
    if (Between(edges[3], x, edges[4])) return {true, CommandId::AdjustSelection};
    return {true, std::nullopt};
}

}  // namespace rastrix
