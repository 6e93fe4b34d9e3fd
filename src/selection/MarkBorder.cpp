#include "selection/MarkBorder.h"

#include <algorithm>

#include "app/Editor.h"
#include "document/ImageStack.h"
#include "selection/AdjustDialog.h"
#include "selection/Selection.h"
#include "view/EditorView.h"
#include "view/PaintPlan.h"

namespace rastrix {
namespace {

struct Reference {
    int r, g, b;
};

Reference ReferenceOf(Color c) { return {int(GetRValue(c)), int(GetGValue(c)), int(GetBValue(c))}; }

// 0 or 1. Written without branches so the row loop below vectorises.
inline std::uint32_t Differs(Pixel p, const Reference& ref) {
    const int dr = int((p >> 16) & 0xFFu) - ref.r;
    const int dg = int((p >> 8) & 0xFFu) - ref.g;
    const int db = int(p & 0xFFu) - ref.b;
    return std::uint32_t(dr * dr + dg * dg + db * db > kBorderDistanceThreshold);
}

}  // namespace

bool PixelDiffersFromBorder(Pixel pixel, Color borderReference) {
    return Differs(pixel, ReferenceOf(borderReference)) != 0;
}

BorderCounts CountDifferingPixels(const Bitmap& image, Color borderReference) {
    const int w = image.Width();
    const int h = image.Height();
    BorderCounts counts;
    counts.columns.assign(std::size_t(std::max(w, 0)), 0);
    counts.rows.assign(std::size_t(std::max(h, 0)), 0);
    const Reference ref = ReferenceOf(borderReference);
    std::uint32_t* columns = counts.columns.data();
    // Rows are walked once; every column keeps its own running count, so no column is ever
    // read top to bottom across the whole image.
    for (int y = 0; y < h; ++y) {
        const Pixel* row = image.Row(y);
        std::uint32_t inRow = 0;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t d = Differs(row[x], ref);
            columns[x] += d;
            inRow += d;
        }
        counts.rows[std::size_t(y)] = inRow;
    }
    return counts;
}

bool IsBorderColumn(const BorderCounts& counts, int x) {
    const auto height = std::uint32_t(counts.rows.size());
    return counts.columns[std::size_t(x)] <= height / 4;
}

bool IsBorderRow(const BorderCounts& counts, int y) {
    const auto width = std::uint32_t(counts.columns.size());
    return counts.rows[std::size_t(y)] <= width / 4;
}

Rect FindPictureInsideBorder(const Bitmap& image) {
    const int w = image.Width();
    const int h = image.Height();
    Rect r{0, 0, w, h};
    if (image.IsEmpty()) return r;
    const BorderCounts counts = CountDifferingPixels(image, image.GetPixel(0, 0));

    // No scan passes the opposite side. When every column is border (a blank image, or one
    // whose only marks are too thin to count) there is no picture to find across, and the
    // whole width stays selected: cropping to it changes nothing, which is safer than an
    // empty selection that could not be cropped or copied. The same holds for the rows.
    int left = 0;
    while (left < w && IsBorderColumn(counts, left)) ++left;
    if (left < w) {
        int right = w;
        while (right > left && IsBorderColumn(counts, right - 1)) --right;
        r.left = left, r.right = right;
    }
    int top = 0;
    while (top < h && IsBorderRow(counts, top)) ++top;
    if (top < h) {
        int bottom = h;
        while (bottom > top && IsBorderRow(counts, bottom - 1)) --bottom;
        r.top = top, r.bottom = bottom;
    }
    return r;
}

void MarkBorder(Editor& ed) {
    if (!HasImage(ed)) return;
    // A rectangle, whatever tool is checked; new drags make rectangles until a tool is chosen.
    ed.settings.selectionShape = kShapeRectangle;
    ed.selection.rect = FindPictureInsideBorder(CurrentImage(ed));
    BeginSelection(ed);
    // Closed and opened again so the dialog shows the new values where the user left it.
    CloseAdjustDialog(ed);
    OpenAdjustDialog(ed);
    InvalidateImageWindow(ed);
}

}  // namespace rastrix
