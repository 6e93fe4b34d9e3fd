#include "document/Palette.h"

#include <algorithm>
#include <cstdlib>

namespace rastrix {

void PaletteIndexMap::InsertIfAbsent(std::uint32_t quad, int index) {
    for (std::uint32_t s = Slot(quad);; s = (s + 1) & kMask) {
        if (keys_[s] == quad) return;
        if (keys_[s] == kEmpty) {
            keys_[s] = quad;
            values_[s] = std::uint8_t(index);
            return;
        }
    }
}

void Palette::FreeDeleter::operator()(std::uint16_t* p) const { std::free(p); }

Palette::Palette(int paletteCapacity) : paletteCapacity_(std::clamp(paletteCapacity, 0, 256)) {
    entries_.fill(kUntakenEntry);
}

void Palette::PresortStripPalette(const Bitmap& image) {
    // Collect raw colours (no substitution yet) in scan order.
    std::array<Color, 256> found{};
    int n = 0;
    map_.Clear();
    bool full = false;
    for (int y = image.Height() - 1; y >= 0 && !full; --y) {
        const Pixel* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            const std::uint32_t q = row[x] & 0x00FFFFFFu;
            if (map_.Find(q) >= 0) continue;
            if (n == paletteCapacity_) {
                full = true;
                break;
            }
            map_.InsertIfAbsent(q, n);
            found[n++] = PixelToColor(q);
        }
    }
    // Selection sort by COLORREF value (blue weighs most); each placed value is substituted
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
    // Lookups go by the substituted colours now; two raw colours may have become one entry,
    // in which case the first index answers.
    map_.Clear();
    for (int i = 0; i < n; ++i) map_.InsertIfAbsent(entries_[i], i);
    stripMode_ = true;
}

int Palette::IndexOfNewColor(std::uint32_t q, const ColourLossQuestion& ask) {
    if (paletteCount_ < paletteCapacity_) {
        const int index = paletteCount_++;
        entries_[index] = q;
        map_.InsertIfAbsent(q, index);
        return index;
    }
    if (colorLossAnswer_ == ColorLossAnswer::NotAsked) {
        const bool yes = ask && ask(paletteCapacity_);
        colorLossAnswer_ = yes ? ColorLossAnswer::Yes : ColorLossAnswer::No;
        if (yes) StartNearestMapping();
    }
    if (colorLossAnswer_ != ColorLossAnswer::Yes) return kPaletteDeclined;
    const int index = nearest_.Find(q);
    if (nearestCache_) nearestCache_[q] = std::uint16_t(index + 1);
    return index;
}

void Palette::StartNearestMapping() {
    nearest_ = NearestColor(entries_.data(), paletteCapacity_);
    // calloc leaves the pages untouched until a colour lands on them.
    nearestCache_.reset(static_cast<std::uint16_t*>(std::calloc(std::size_t(1) << 24, sizeof(std::uint16_t))));
    if (!nearestCache_) return;
    // Colours already in the table keep their own (first) index, not their nearest one.
    for (int i = paletteCount_ - 1; i >= 0; --i) nearestCache_[entries_[i]] = std::uint16_t(i + 1);
}

}  // namespace rastrix
