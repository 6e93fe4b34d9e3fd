#include "codec/Palette.h"

#include <algorithm>
#include <cstring>
#include <sys/mman.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif


namespace rastrix {

namespace {

constexpr std::size_t kLookupSlots = std::size_t(1) << 24;
// A few spare slots, so a 4-byte read at the last colour stays inside the block.
constexpr std::size_t kLookupSpare = 16;
constexpr std::size_t kLookupBytes = (kLookupSlots + kLookupSpare) * sizeof(std::uint16_t);

// True when all eight pixels have the given 24-bit colour.
inline bool RepeatsColor(const Pixel* p, std::uint32_t color) {
#ifdef __SSE2__
    const __m128i mask = _mm_set1_epi32(0x00FFFFFF);
    const __m128i want = _mm_set1_epi32(int(color));
    const __m128i a = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), mask);
    const __m128i b = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4)), mask);
    const __m128i same = _mm_and_si128(_mm_cmpeq_epi32(a, want), _mm_cmpeq_epi32(b, want));
    return _mm_movemask_epi8(same) == 0xFFFF;
#else
    std::uint32_t differ = 0;
    for (int k = 0; k < 8; ++k) differ |= (p[k] & 0x00FFFFFFu) ^ color;
    return differ == 0;
#endif
}
}  // namespace

void Palette::LookupDeleter::operator()(std::uint16_t* p) const { ::munmap(p, kLookupBytes); }

Palette::Palette(int paletteCapacity) : paletteCapacity_(std::clamp(paletteCapacity, 0, 256)) {
    entries_.fill(kUntakenEntry);
    // Fresh zero pages, touched only where a colour lands. Large pages spare the address
    // translation misses that scattered colours would otherwise cost on every pixel.
    void* p = ::mmap(nullptr, kLookupBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return;
#ifdef MADV_HUGEPAGE
    (void)::madvise(p, kLookupBytes, MADV_HUGEPAGE);
#endif
    lookup_.reset(static_cast<std::uint16_t*>(p));
}

void Palette::PresortStripPalette(const Bitmap& image) {
    if (!IsUsable()) return;
    // Collect raw colours (no substitution yet) in scan order, marking them in the lookup.
    std::array<Color, 256> found{};
    int n = 0;
    bool full = false;
    for (int y = image.Height() - 1; y >= 0 && !full; --y) {
        const Pixel* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            const std::uint32_t q = ValueOf(row[x]) & 0x00FFFFFFu;
            if (lookup_[q] != 0) continue;
            if (n == paletteCapacity_) {
                full = true;
                break;
            }
            lookup_[q] = 1;
            found[n++] = PixelToColor(Pixel{q});
        }
    }
    for (int i = 0; i < n; ++i) lookup_[ColorRefToQuad(found[i])] = 0;
    // Selection sort by colour value (blue weighs most); each placed value is substituted
    // and stored as a quad.
    for (int i = 0; i < n; ++i) {
        int smallest = i;
        for (int j = i + 1; j < n; ++j)
            if (found[j] < found[smallest]) smallest = j;
        const Color value = found[smallest];
        found[smallest] = found[i];
        entries_[i] = ColorRefToQuad(SubstituteStripColorRef(value));
    }
    paletteCount_ = n;
    // Two raw colours may have become one entry; the first index answers for it.
    for (int i = n - 1; i >= 0; --i) lookup_[entries_[i]] = std::uint16_t(i + 1);
    stripMode_ = true;
}

int Palette::PaletteIndexOf(Color c, const ColorLossQuestion& ask) {
    if (!IsUsable()) return kPaletteDeclined;
    return IndexOfQuad(ColorRefToQuad(c) & 0x00FFFFFFu, ask);
}

int Palette::IndexOfQuad(std::uint32_t q, const ColorLossQuestion& ask) {
    if (stripMode_) q = SubstituteStripQuad(q);
    const std::uint16_t v = lookup_[q];
    return v != 0 ? v - 1 : IndexOfNewColor(q, ask);
}

int Palette::IndexOfNewColor(std::uint32_t q, const ColorLossQuestion& ask) {
    if (paletteCount_ < paletteCapacity_) {
        const int index = paletteCount_++;
        entries_[index] = q;
        lookup_[q] = std::uint16_t(index + 1);
        return index;
    }
    if (colorLossAnswer_ == ColorLossAnswer::NotAsked) {
        const bool yes = ask && ask(paletteCapacity_);
        colorLossAnswer_ = yes ? ColorLossAnswer::Yes : ColorLossAnswer::No;
        if (yes) nearest_ = NearestColor(entries_.data(), paletteCapacity_);
    }
    if (colorLossAnswer_ != ColorLossAnswer::Yes) return kPaletteDeclined;
    // Worked out once per distinct colour; the table holds no more new entries from here on.
    const int index = nearest_.Find(q);
    lookup_[q] = std::uint16_t(index + 1);
    return index;
}

bool Palette::IndexRowScalar(const Pixel* src, int width, std::uint8_t* indexes, const ColorLossQuestion& ask) {
    // Locals, so the byte stores below do not force the members to be read again.
    const std::uint16_t* lookup = lookup_.get();
    const bool strip = stripMode_;
    for (int x = 0; x < width; ++x) {
        std::uint32_t q = ValueOf(src[x]) & 0x00FFFFFFu;
        if (strip) q = SubstituteStripQuad(q);
        const std::uint16_t v = lookup[q];
        const int i = v != 0 ? v - 1 : IndexOfNewColor(q, ask);
        if (i < 0) return false;
        indexes[x] = std::uint8_t(i);
    }
    return true;
}

bool Palette::IndexRow(const Pixel* src, int width, std::uint8_t* indexes, const ColorLossQuestion& ask,
                       const Pixel* nextRow) {
    if (!IsUsable()) return false;
    if (stripMode_) return IndexRowScalar(src, width, indexes, ask);
    // Eight pixels per step. A step of one colour repeating the last one known (the usual
    // case in drawings) is filled at once; otherwise one test finds an unknown colour among
    // the eight (its 0 wraps round above any index), and such a step goes pixel by pixel so
    // new colours still take indexes from the left.
    const std::uint16_t* lookup = lookup_.get();
    std::uint32_t lastColor = 0x01000000u;  // matches no pixel until a step sets it
    std::uint8_t lastIndex = 0;
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        if (nextRow) __builtin_prefetch(nextRow + x);
        if (RepeatsColor(src + x, lastColor)) {
            std::memset(indexes + x, lastIndex, 8);
            continue;
        }
        std::uint32_t v[8];
        std::uint32_t any = 0;
        for (int k = 0; k < 8; ++k) {
            v[k] = std::uint32_t(lookup[ValueOf(src[x + k]) & 0x00FFFFFFu]) - 1u;
            any |= v[k];
        }
        if (any > 255u) {
            if (!IndexRowScalar(src + x, 8, indexes + x, ask)) return false;
        } else {
            for (int k = 0; k < 8; ++k) indexes[x + k] = std::uint8_t(v[k]);
        }
        lastColor = ValueOf(src[x + 7]) & 0x00FFFFFFu;
        lastIndex = indexes[x + 7];
    }
    return IndexRowScalar(src + x, width - x, indexes + x, ask);
}

}  // namespace rastrix
