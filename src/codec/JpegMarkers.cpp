#include "codec/JpegMarkers.h"

#include <algorithm>
#include <cstring>

namespace rastrix {

namespace {

constexpr int kSos = 0xDA, kEoi = 0xD9;
// The decoder reads at most this many components and refuses a frame with more.
constexpr std::size_t kMaxComponents = 10;
// Bytes the decoder keeps for one 8 x 8 block of coefficients.
constexpr std::uint64_t kBlockBytes = 64 * 2;

unsigned Be16(std::span<const std::uint8_t> b, std::size_t at) { return unsigned(b[at]) << 8 | b[at + 1]; }

bool IsFrameMarker(int m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }
bool IsStandalone(int m) { return (m >= 0xD0 && m <= 0xD7) || m == 0x01 || m == 0xD8; }
// Huffman-coded frames of 8 x 8 blocks: baseline, extended and progressive.
bool IsHuffmanBlockFrame(int m) { return m == 0xC0 || m == 0xC1 || m == 0xC2; }
// Progressive frames, Huffman or arithmetic coded, alone or in a hierarchy.
bool IsProgressiveFrame(int m) { return m == 0xC2 || m == 0xC6 || m == 0xCA || m == 0xCE; }

struct Component {
    int id = 0, h = 1, v = 1;
};

std::uint64_t Ceil(std::uint64_t a, std::uint64_t b) { return (a + b - 1) / b; }
std::uint64_t RoundUp(std::uint64_t a, std::uint64_t b) { return Ceil(a, b) * b; }

// Skips the entropy-coded data of a scan: returns where its ending marker's 0xFF stands.
// Coded data holds a 0xFF about once in 256 bytes, so they are looked for with memchr.
std::size_t SkipCodedData(std::span<const std::uint8_t> b, std::size_t at) {
    for (; at + 1 < b.size(); ++at) {
        const void* ff = std::memchr(b.data() + at, 0xFF, b.size() - 1 - at);
        if (!ff) break;
        at = std::size_t(static_cast<const std::uint8_t*>(ff) - b.data());
        const int next = b[at + 1];
        if (next == 0x00 || (next >= 0xD0 && next <= 0xD7) || next == 0xFF) continue;
        return at;
    }
    return b.size();
}

class Reader {
public:
    Reader(std::span<const std::uint8_t> b, bool frameOnly) : b_(b), frameOnly_(frameOnly) {}

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
            if (marker == kEoi) {
                out_.endFound = true;
                break;
            }
            if (IsStandalone(marker)) continue;
            if (at + 2 > b_.size()) break;
            const std::size_t length = Be16(b_, at);
            if (length < 2 || at + length > b_.size()) break;
            const std::span<const std::uint8_t> segment = b_.subspan(at + 2, length - 2);
            at += length;
            if (IsFrameMarker(marker) && !out_.frameFound) {
                Frame(marker, segment);
                if (frameOnly_ && out_.frameFound) return out_;
            }
            if (marker == kSos) {
                ++out_.scans;
                const std::size_t end = SkipCodedData(b_, at);
                Scan(segment, end - at);
                at = end;
            }
        }
        if (out_.frameFound && (IsProgressiveFrame(out_.frameMarker) || firstScanComponents_ < componentCount_))
            out_.coefficientBytes = coefficientBytes_;
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
        componentCount_ = std::min(count, kMaxComponents);
        for (std::size_t i = 0; i < componentCount_; ++i) {
            const std::uint8_t* c = s.data() + 6 + 3 * i;
            components_[i] = {c[0], std::max(1, c[1] >> 4), std::max(1, c[1] & 15)};
            hmax_ = std::max(hmax_, components_[i].h);
            vmax_ = std::max(vmax_, components_[i].v);
        }
        for (std::size_t i = 0; i < componentCount_; ++i) {
            const Component& c = components_[i];
            const std::uint64_t across = BlocksAcross(c), down = BlocksDown(c);
            out_.frameBlocks += across * down;
            // The decoder pads each component's blocks to whole sampling units.
            coefficientBytes_ += RoundUp(across, std::uint64_t(c.h)) * RoundUp(down, std::uint64_t(c.v)) * kBlockBytes;
        }
        out_.frameFound = true;
    }

    // A component's blocks across and down the picture, as a scan of it alone codes them.
    std::uint64_t BlocksAcross(const Component& c) const {
        return Ceil(std::uint64_t(out_.width) * std::uint64_t(c.h), 8 * std::uint64_t(hmax_));
    }
    std::uint64_t BlocksDown(const Component& c) const {
        return Ceil(std::uint64_t(out_.height) * std::uint64_t(c.v), 8 * std::uint64_t(vmax_));
    }

    const Component* Find(int id) const {
        for (std::size_t i = 0; i < componentCount_; ++i)
            if (components_[i].id == id) return &components_[i];
        return nullptr;
    }

    // The blocks a scan codes: a scan of one component its own blocks, a scan of several whole
    // units of each; 0 when a component is unknown (the decoder refuses the scan).
    std::uint64_t ScanBlocks(std::span<const std::uint8_t> s, std::size_t count) const {
        if (count == 1) {
            const Component* c = Find(s[1]);
            return c ? BlocksAcross(*c) * BlocksDown(*c) : 0;
        }
        std::uint64_t perUnit = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const Component* c = Find(s[1 + 2 * i]);
            if (!c) return 0;
            perUnit += std::uint64_t(c->h * c->v);
        }
        return Ceil(std::uint64_t(out_.width), 8 * std::uint64_t(hmax_)) *
               Ceil(std::uint64_t(out_.height), 8 * std::uint64_t(vmax_)) * perUnit;
    }

    void Scan(std::span<const std::uint8_t> s, std::size_t codedBytes) {
        if (!out_.frameFound || out_.width == 0 || out_.height == 0 || s.empty()) return;
        const std::size_t count = s[0];
        if (count == 0 || s.size() < 1 + 2 * count + 3) return;
        const std::uint64_t blocks = ScanBlocks(s, count);
        out_.scanBlocks += blocks;
        if (out_.scans != 1) return;
        firstScanComponents_ = count;
        // A scan that starts past the DC value needs no bit for a block.
        if (blocks == 0 || s[1 + 2 * count] != 0) return;
        out_.firstScanMeasured = true;
        out_.firstScanBlocks = blocks;
        out_.firstScanBytes = codedBytes;
    }

    std::span<const std::uint8_t> b_;
    bool frameOnly_;
    JpegOutline out_;
    Component components_[kMaxComponents];
    std::size_t componentCount_ = 0;
    std::size_t firstScanComponents_ = kMaxComponents;
    int hmax_ = 1, vmax_ = 1;
    std::uint64_t coefficientBytes_ = 0;
};

}  // namespace

JpegOutline ReadJpegOutline(std::span<const std::uint8_t> bytes, bool frameOnly) {
    if (bytes.size() < 2) return {};
    return Reader(bytes, frameOnly).Run();
}

bool JpegFirstScanTooShort(const JpegOutline& o) {
    return o.firstScanMeasured && IsHuffmanBlockFrame(o.frameMarker) && o.firstScanBytes * 8 < o.firstScanBlocks;
}

bool JpegScansTooMuchWork(const JpegOutline& o) {
    return o.scanBlocks > std::max(kJpegMaxScanPasses * o.frameBlocks, kJpegFreeScanBlocks);
}

}  // namespace rastrix
