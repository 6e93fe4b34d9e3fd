#include "color/PaletteNearest.h"

#include <algorithm>
#include <climits>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define RASTRIX_X86 1
#endif

namespace rastrix {

namespace {

// The whole rule in index order, for small tables and machines without wide vectors.
int FindInOrder(const std::int32_t* b, const std::int32_t* g, const std::int32_t* r, int count, std::int32_t qb,
                std::int32_t qg, std::int32_t qr) {
    int best = 0;
    std::int32_t bestDistance = kNearestStartDistance;
    for (int j = 0; j < count; ++j) {
        const std::int32_t db = b[j] - qb, dg = g[j] - qg, dr = r[j] - qr;
        const std::int32_t d = db * db + dg * dg + dr * dr;
        if (d <= kNearestExactEnough) return j;
        if (d < bestDistance) {
            bestDistance = d;
            best = j;
        }
    }
    return best;
}

#ifdef RASTRIX_X86
bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

// Eight entries at a time. The distance goes in the high bits of a key and the index in
// the low 8, so the smallest key is the nearest entry and, among equals, the earliest.
// Returns that key; count must be a multiple of 8.
__attribute__((target("avx2"))) std::int32_t SmallestKeyAvx2(const std::int32_t* b, const std::int32_t* g,
                                                             const std::int32_t* r, int count, std::int32_t qb,
                                                             std::int32_t qg, std::int32_t qr) {
    const __m256i vb = _mm256_set1_epi32(qb), vg = _mm256_set1_epi32(qg), vr = _mm256_set1_epi32(qr);
    const __m256i step = _mm256_set1_epi32(8);
    __m256i index = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    __m256i best = _mm256_set1_epi32(INT_MAX);
    for (int j = 0; j < count; j += 8) {
        const __m256i db = _mm256_sub_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + j)), vb);
        const __m256i dg = _mm256_sub_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(g + j)), vg);
        const __m256i dr = _mm256_sub_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(r + j)), vr);
        const __m256i d = _mm256_add_epi32(_mm256_add_epi32(_mm256_mullo_epi32(db, db), _mm256_mullo_epi32(dg, dg)),
                                           _mm256_mullo_epi32(dr, dr));
        best = _mm256_min_epi32(best, _mm256_or_si256(_mm256_slli_epi32(d, 8), index));
        index = _mm256_add_epi32(index, step);
    }
    __m128i m = _mm_min_epi32(_mm256_castsi256_si128(best), _mm256_extracti128_si256(best, 1));
    m = _mm_min_epi32(m, _mm_shuffle_epi32(m, 0x4E));
    m = _mm_min_epi32(m, _mm_shuffle_epi32(m, 0xB1));
    return _mm_cvtsi128_si32(m);
}
#endif

}  // namespace

NearestColor::NearestColor(const std::uint32_t* entries, int count) : count_(std::clamp(count, 0, 256)) {
    for (int j = 0; j < count_; ++j) {
        blue_[j] = std::int32_t(entries[j] & 0xFF);
        green_[j] = std::int32_t((entries[j] >> 8) & 0xFF);
        red_[j] = std::int32_t((entries[j] >> 16) & 0xFF);
    }
}

int NearestColor::Find(std::uint32_t quad) const {
    const std::int32_t qb = std::int32_t(quad & 0xFF);
    const std::int32_t qg = std::int32_t((quad >> 8) & 0xFF);
    const std::int32_t qr = std::int32_t((quad >> 16) & 0xFF);
#ifdef RASTRIX_X86
    if (count_ % 8 == 0 && count_ > 0 && HasAvx2()) {
        const std::int32_t key = SmallestKeyAvx2(blue_, green_, red_, count_, qb, qg, qr);
        // Some entry is within the exact-enough distance: the first such one wins, which
        // need not be the nearest. Rare, so the plain scan settles it.
        if ((key >> 8) <= kNearestExactEnough) return FindInOrder(blue_, green_, red_, count_, qb, qg, qr);
        return (key >> 8) < kNearestStartDistance ? (key & 0xFF) : 0;
    }
#endif
    return FindInOrder(blue_, green_, red_, count_, qb, qg, qr);
}

}  // namespace rastrix
