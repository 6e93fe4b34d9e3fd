#include "selection/MarkBorder.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "selection/AdjustDialog.h"
#include "selection/Selection.h"
#include "view/EditorView.h"
#include "view/PaintPlan.h"

namespace rastrix {
namespace {

struct Reference {
    int r, g, b;
};

Reference ReferenceOf(Color c) { return {int(RedOf(c)), int(GreenOf(c)), int(BlueOf(c))}; }

// 0 or 1; the pixels past the last group of four.
inline std::uint32_t Differs(Pixel p, const Reference& ref) {
    const int dr = int(RedOf(p)) - ref.r;
    const int dg = int(GreenOf(p)) - ref.g;
    const int db = int(BlueOf(p)) - ref.b;
    return std::uint32_t(dr * dr + dg * dg + db * db > kBorderDistanceThreshold);
}

}  // namespace

bool PixelDiffersFromBorder(Pixel pixel, Color borderReference) {
    return Differs(pixel, ReferenceOf(borderReference)) != 0;
}

namespace {

#ifdef __SSE2__
// Four pixels at a time. Differences are taken per byte and capped at 18: one channel that
// far off already makes 324 > 300, and the cap keeps every square within 16 bits, so the
// squares and their sums come from one multiply-add. Returns how many pixels were done.
int CountRowFourAtATime(const Pixel* row, int width, Pixel reference, std::uint32_t* columns,
                        std::uint32_t& inRow) {
    const __m128i ref = _mm_set1_epi32(int(ValueOf(reference) & 0x00FFFFFFu));
    const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
    const __m128i cap = _mm_set1_epi8(18);
    const __m128i zero = _mm_setzero_si128();
    const __m128i threshold = _mm_set1_epi32(kBorderDistanceThreshold);
    __m128i count = zero;
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        const __m128i p = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)), rgb);
        __m128i diff = _mm_or_si128(_mm_subs_epu8(p, ref), _mm_subs_epu8(ref, p));
        diff = _mm_min_epu8(diff, cap);
        const __m128i lo = _mm_unpacklo_epi8(diff, zero);
        const __m128i hi = _mm_unpackhi_epi8(diff, zero);
        // Per pixel: blue^2 + green^2 and red^2 + 0, side by side.
        const __m128 sqLo = _mm_castsi128_ps(_mm_madd_epi16(lo, lo));
        const __m128 sqHi = _mm_castsi128_ps(_mm_madd_epi16(hi, hi));
        const __m128i bg = _mm_castps_si128(_mm_shuffle_ps(sqLo, sqHi, _MM_SHUFFLE(2, 0, 2, 0)));
        const __m128i r = _mm_castps_si128(_mm_shuffle_ps(sqLo, sqHi, _MM_SHUFFLE(3, 1, 3, 1)));
        const __m128i differs = _mm_cmpgt_epi32(_mm_add_epi32(bg, r), threshold);  // -1 or 0
        __m128i* column = reinterpret_cast<__m128i*>(columns + x);
        _mm_storeu_si128(column, _mm_sub_epi32(_mm_loadu_si128(column), differs));
        count = _mm_sub_epi32(count, differs);
    }
    alignas(16) std::uint32_t lanes[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), count);
    inRow += lanes[0] + lanes[1] + lanes[2] + lanes[3];
    return x;
}
#else
int CountRowFourAtATime(const Pixel*, int, Pixel, std::uint32_t*, std::uint32_t&) { return 0; }
#endif

}  // namespace

BorderCounts CountDifferingPixels(const Bitmap& image, Color borderReference) {
    const int w = image.Width();
    const int h = image.Height();
    BorderCounts counts;
    counts.columns.assign(std::size_t(std::max(w, 0)), 0);
    counts.rows.assign(std::size_t(std::max(h, 0)), 0);
    const Reference ref = ReferenceOf(borderReference);
    const Pixel refPixel = ColorToPixel(borderReference);
    std::uint32_t* columns = counts.columns.data();
    // Rows are walked once; every column keeps its own running count, so no column is ever
    // read top to bottom across the whole image.
    for (int y = 0; y < h; ++y) {
        const Pixel* row = image.Row(y);
        std::uint32_t inRow = 0;
        int x = CountRowFourAtATime(row, w, refPixel, columns, inRow);
        for (; x < w; ++x) {
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
    // A rectangle, whatever tool is checked; new drags make rectangles until a tool is chosen.
    ed.selection.shape = CommandId::RectangleSelection;
    ed.selection.rect = FindPictureInsideBorder(CurrentImage(ed));
    BeginSelection(ed);
    // Closed and opened again so the dialog shows the new values where the user left it.
    CloseAdjustDialog(ed);
    OpenAdjustDialog(ed);
    InvalidateImageWindow(ed);
}

}  // namespace rastrix
