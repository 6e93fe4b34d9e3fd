#include "gui/DialogGeometry.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace rastrix::gui {
namespace {

int Overlap(int a0, int a1, int b0, int b1) { return std::min(a1, b1) - std::max(a0, b0); }

bool SameRow(const DialogUnitRect& a, const DialogUnitRect& b) {
    return Overlap(a.y, a.y + a.height, b.y, b.y + b.height) > 0;
}

}  // namespace

int LabelOf(const DialogTemplate& t, std::size_t field) {
    const DialogUnitRect& f = t.controls[field].rect;
    int best = -1, bestDistance = INT_MAX;
    // On the same row, left of the field.
    for (std::size_t i = 0; i < t.controls.size(); ++i) {
        const DialogControl& c = t.controls[i];
        if (c.kind != ControlKind::Text || c.text.empty() || !SameRow(c.rect, f) || c.rect.x >= f.x) continue;
        // A label with another field between it and this one names that field (a tall preview
        // beside a column of fields is not named by theirs).
        const auto between = [&](const DialogControl& k) {
            return &k != &c && SameRow(k.rect, c.rect) && k.rect.x >= c.rect.x + c.rect.width && k.rect.x + k.rect.width <= f.x;
        };
        if (std::any_of(t.controls.begin(), t.controls.end(), between)) continue;
        const int distance = std::abs(f.x - (c.rect.x + c.rect.width));
        if (distance < bestDistance) best = int(i), bestDistance = distance;
    }
    if (best >= 0) return best;
    // Just above the field (at most a line of text between), overlapping it horizontally.
    constexpr int kMaxGap = 8;
    for (std::size_t i = 0; i < t.controls.size(); ++i) {
        const DialogControl& c = t.controls[i];
        if (c.kind != ControlKind::Text || c.text.empty()) continue;
        const int distance = f.y - (c.rect.y + c.rect.height);
        if (distance < -1 || distance > kMaxGap) continue;
        if (Overlap(c.rect.x, c.rect.x + c.rect.width, f.x, f.x + f.width) <= 0) continue;
        if (distance < bestDistance) best = int(i), bestDistance = distance;
    }
    return best;
}

int FieldBeside(const DialogTemplate& t, std::size_t arrows) {
    const DialogUnitRect& a = t.controls[arrows].rect;
    int best = -1, bestDistance = INT_MAX;
    for (std::size_t i = 0; i < t.controls.size(); ++i) {
        const DialogControl& c = t.controls[i];
        if (c.kind != ControlKind::Edit || !SameRow(c.rect, a)) continue;
        const int distance = std::min(std::abs(a.x - (c.rect.x + c.rect.width)), std::abs(c.rect.x - (a.x + a.width)));
        if (distance < bestDistance) best = int(i), bestDistance = distance;
    }
    return best;
}

}  // namespace rastrix::gui
