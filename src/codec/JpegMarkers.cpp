#include "codec/JpegMarkers.h"

#include <algorithm>

namespace rastrix {

namespace {

constexpr int kSos = 0xDA, kEoi = 0xD9;

unsigned Be16(std::span<const std::uint8_t> b, std::size_t at) { return unsigned(b[at]) << 8 | b[at + 1]; }

bool IsFrameMarker(int m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }
bool IsStandalone(int m) { return (m >= 0xD0 && m <= 0xD7) || m == 0x01 || m == 0xD8; }
// Huffman-coded frames of 8 x 8 blocks: baseline, extended and progressive.
bool IsHuffmanBlockFrame(int m) { return m == 0xC0 || m == 0xC1 || m == 0xC2; }

struct Component {
    int id = 0, h = 1, v = 1;
};

std::uint64_t Ceil(std::uint64_t a, std::uint64_t b) { return (a + b - 1) / b; }

// Skips the entropy-coded data of a scan: returns where its ending marker's 0xFF stands.
std::size_t SkipCodedData(std::span<const std::uint8_t> b, std::size_t at) {
    for (; at + 1 < b.size(); ++at) {
        if (b[at] != 0xFF) continue;
        const int next = b[at + 1];
        if (next == 0x00 || (next >= 0xD0 && next <= 0xD7) || next == 0xFF) continue;
        return at;
    }
    return b.size();
}

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> b) : b_(b) {}

    JpegOutline Run() {
        std::size_t at = 2;  // after the start-of-image marker
        while (at < b_.size()) {
            if (b_[at] != 0xFF) {  // stray bytes between segments: the decoder judges them
                ++at;
                continue;
            }
            while (at < b_.size() && b_[at] == 0xFF) ++at;
            if (at >= b_.size()) break;
            const int marker = b_[at++];
            if (marker == kEoi) break;
            if (IsStandalone(marker)) continue;
            if (at + 2 > b_.size()) break;
            const std::size_t length = Be16(b_, at);
            if (length < 2 || at + length > b_.size()) break;
            const std::span<const std::uint8_t> segment = b_.subspan(at + 2, length - 2);
            at += length;
            if (IsFrameMarker(marker) && !out_.frameFound) Frame(marker, segment);
            if (marker == kSos) {
                ++out_.scans;
                const std::size_t end = SkipCodedData(b_, at);
                if (out_.scans == 1) FirstScan(segment, end - at);
                at = end;
            }
        }
        return out_;
    }

private:
    void Frame(int marker, std::span<const std::uint8_t> s) {
        if (s.size() < 6) return;
        const std::size_t count = s[5];
        if (count == 0 || s.size() < 6 + 3 * count) return;
        out_.frameMarker = marker;
        out_.precision = s[0];
        out_.height = int(Be16(s, 1));
        out_.width = int(Be16(s, 3));
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* c = s.data() + 6 + 3 * i;
            components_[i < 4 ? i : 3] = {c[0], std::max(1, c[1] >> 4), std::max(1, c[1] & 15)};
        }
        componentCount_ = std::min<std::size_t>(count, 4);
        out_.frameFound = true;
    }

    const Component* Find(int id) const {
        for (std::size_t i = 0; i < componentCount_; ++i)
            if (components_[i].id == id) return &components_[i];
        return nullptr;
    }

    void FirstScan(std::span<const std::uint8_t> s, std::size_t codedBytes) {
        if (!out_.frameFound || out_.width == 0 || out_.height == 0 || s.empty()) return;
        const std::size_t count = s[0];
        if (count == 0 || s.size() < 1 + 2 * count + 3) return;
        if (s[1 + 2 * count] != 0) return;  // starts past the DC value: no block needs a bit
        int hmax = 1, vmax = 1;
        for (std::size_t i = 0; i < componentCount_; ++i)
            hmax = std::max(hmax, components_[i].h), vmax = std::max(vmax, components_[i].v);
        const std::uint64_t w = std::uint64_t(out_.width), h = std::uint64_t(out_.height);
        std::uint64_t blocks = 0;
        if (count == 1) {
            const Component* c = Find(s[1]);
            if (!c) return;
            blocks = Ceil(Ceil(w * std::uint64_t(c->h), std::uint64_t(hmax)), 8) *
                     Ceil(Ceil(h * std::uint64_t(c->v), std::uint64_t(vmax)), 8);
        } else {
            std::uint64_t perUnit = 0;
            for (std::size_t i = 0; i < count; ++i) {
                const Component* c = Find(s[1 + 2 * i]);
                if (!c) return;
                perUnit += std::uint64_t(c->h * c->v);
            }
            blocks = Ceil(w, 8 * std::uint64_t(hmax)) * Ceil(h, 8 * std::uint64_t(vmax)) * perUnit;
        }
        out_.firstScanMeasured = true;
        out_.firstScanBlocks = blocks;
        out_.firstScanBytes = codedBytes;
    }

    std::span<const std::uint8_t> b_;
    JpegOutline out_;
    Component components_[4];
    std::size_t componentCount_ = 0;
};

}  // namespace

JpegOutline ReadJpegOutline(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 2) return {};
    return Reader(bytes).Run();
}

bool JpegFirstScanTooShort(const JpegOutline& o) {
    return o.firstScanMeasured && IsHuffmanBlockFrame(o.frameMarker) && o.firstScanBytes * 8 < o.firstScanBlocks;
}

}  // namespace rastrix
