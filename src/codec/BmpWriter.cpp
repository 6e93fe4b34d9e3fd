#include "codec/BmpWriter.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define RASTRIX_X86 1
#endif

#include "color/PaletteIndex.h"
#include "store/FileOps.h"

namespace rastrix {

std::string_view EncodeStatusMessage(EncodeStatus status) {
    switch (status) {
        case EncodeStatus::OutOfMemory:
            return "There is not enough memory to build the file.";
        case EncodeStatus::TooLarge:
            return "The image is too large to be saved as a BMP file at this depth.";
        case EncodeStatus::TooManyColors:
            return "The palette has more colours than a BMP file of this depth holds "
                   "(2 at 1 bit, 16 at 4 bits, 256 at 8 bits).";
        case EncodeStatus::Ok:
        case EncodeStatus::Declined:
        case EncodeStatus::NotInPalette:
            break;
    }
    return {};
}

namespace {

#ifdef RASTRIX_X86
bool HasSsse3() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

// Four pixels per shuffle; each 16-byte store carries 12 good bytes and runs 4 bytes ahead,
// so it stops where that would pass the end of the row's pixel bytes.
__attribute__((target("ssse3"))) int EncodeRow24Ssse3(const Pixel* src, int width, std::uint8_t* dst) {
    const __m128i dropTop = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int x = 0;
    for (; x + 6 <= width; x += 4, dst += 12) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_shuffle_epi8(p, dropTop));
    }
    return x;
}
#endif

// Blue, green, red per pixel: a pixel word's low three bytes in memory order.
void EncodeRow24(const Pixel* src, int width, std::uint8_t* dst) {
    int x = 0;
#ifdef RASTRIX_X86
    if (HasSsse3()) x = EncodeRow24Ssse3(src, width, dst);
#endif
    for (dst += 3 * std::size_t(x); x < width; ++x, dst += 3) {
        const Pixel p = src[x];
        dst[0] = BlueOf(p);
        dst[1] = GreenOf(p);
        dst[2] = RedOf(p);
    }
}

// Packs a row of indexes: two per byte with the left one high, or eight per byte with the
// leftmost in bit 7; a partly filled last byte has its low bits zero. Returns the bytes used.
std::size_t PackRow4(const std::uint8_t* idx, int width, std::uint8_t* dst) {
    std::size_t n = 0;
    int x = 0;
    for (; x + 2 <= width; x += 2) dst[n++] = std::uint8_t((idx[x] << 4) | (idx[x + 1] & 15));
    if (x < width) dst[n++] = std::uint8_t(idx[x] << 4);
    return n;
}

std::size_t PackRow1(const std::uint8_t* idx, int width, std::uint8_t* dst) {
    std::size_t n = 0;
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        unsigned byte = 0;
        for (int b = 0; b < 8; ++b) byte = (byte << 1) | (idx[x + b] & 1u);
        dst[n++] = std::uint8_t(byte);
    }
    if (x < width) {
        unsigned byte = 0;
        for (int b = 0; b < 8; ++b) byte = (byte << 1) | (x + b < width ? idx[x + b] & 1u : 0u);
        dst[n++] = std::uint8_t(byte);
    }
    return n;
}

// A table entry as a quad: a save's own entries are quads already, a given palette's are pixels
// (the same word).
constexpr std::uint32_t QuadOf(std::uint32_t quad) { return quad; }
constexpr std::uint32_t QuadOf(Pixel p) { return ValueOf(p); }

// Quads as blue, green, red, 0 each, then white entries up to the table's capacity.
template <class Entry>
void WriteColorTable(std::span<const Entry> colors, int capacity, std::uint8_t* table) {
    for (int j = 0; j < capacity; ++j, table += 4) {
        const std::uint32_t q = std::size_t(j) < colors.size() ? QuadOf(colors[std::size_t(j)]) : kUntakenEntry;
        table[0] = std::uint8_t(q);
        table[1] = std::uint8_t(q >> 8);
        table[2] = std::uint8_t(q >> 16);
        table[3] = 0;
    }
}

// Rows of indexes, bottom row first, each packed at the layout's depth; then the table.
// indexesOf(y, scratch) gives row y's indexes (in scratch, or elsewhere), or nullptr to stop:
// false then, and the file is left unfinished.
template <class RowIndexes>
bool EncodeIndexedPixels(int width, int height, std::span<const Pixel> palette, const FileLayout& l,
                         std::uint8_t* file, RowIndexes indexesOf) {
    std::vector<std::uint8_t> scratch(std::size_t(std::max(width, 0)));
    std::uint8_t* rows = file + l.pixelOffset;
    for (int y = height - 1; y >= 0; --y, rows += l.stride) {
        const std::uint8_t* idx = indexesOf(y, scratch.data());
        if (!idx) return false;
        std::size_t n = std::size_t(width);
        if (l.saveDepth == 8)
            std::memcpy(rows, idx, n);
        else
            n = l.saveDepth == 4 ? PackRow4(idx, width, rows) : PackRow1(idx, width, rows);
        std::memset(rows + n, 0, l.stride - n);
    }
    WriteColorTable(palette, l.paletteCapacity, file + kWrittenHeaderBytes);
    return true;
}

// The layout of a file whose table is a palette given in advance, its header written into
// `buffer`: the depth given or the smallest that holds it, the table's entries counted in the
// header. TooManyColors when the palette is empty or longer than the depth holds.
EncodeStatus StartIndexedFile(int width, int height, std::span<const Pixel> palette, int& depth, FileLayout& l,
                              std::vector<std::uint8_t>& buffer) {
    if (depth != 1 && depth != 4 && depth != 8) depth = SmallestIndexedDepth(palette.size());
    l = ComputeFileLayout(width, height, depth);
    l.colorsUsed = std::uint32_t(l.paletteCapacity);
    if (palette.empty() || depth == 0 || palette.size() > std::size_t(l.paletteCapacity)) return EncodeStatus::TooManyColors;
    const EncodeStatus sized = l.FitsHeader() ? SizeFileBuffer(buffer, l.fileSize) : EncodeStatus::TooLarge;
    if (sized == EncodeStatus::Ok) WriteBmpHeader(buffer.data(), l, width, height);
    return sized;
}

// Image row y as a 24-bit stored row, its padding zero.
void EncodeStoredRow24(const Bitmap& image, int y, const FileLayout& l, std::uint8_t* row) {
    const int w = image.Width();
    EncodeRow24(image.Row(y), w, row);
    std::memset(row + 3 * std::size_t(w), 0, l.stride - 3 * std::size_t(w));
}

EncodeStatus EncodePixels(const Bitmap& image, const FileLayout& l, const ColorLossQuestion& ask,
                          std::uint8_t* file) {
    const int w = image.Width();
    const int h = image.Height();
    std::uint8_t* rows = file + l.pixelOffset;
    if (l.saveDepth == 24) {
        // Nothing depends on the order here, so the image is read top row first, the way
        // memory runs, and each row lands in its bottom-up place.
        for (int y = 0; y < h; ++y) EncodeStoredRow24(image, y, l, rows + std::size_t(h - 1 - y) * l.stride);
        return EncodeStatus::Ok;
    }
    Palette pal(l.paletteCapacity);
    if (!pal.IsUsable()) return EncodeStatus::OutOfMemory;
    if (IsStripShaped(w, h)) pal.PresortStripPalette(image);
    // At 1 and 4 bits a row's indexes are gathered first, then packed.
    std::vector<std::uint8_t> scratch;
    if (l.saveDepth != 8) {
        try {
            scratch.resize(std::size_t(w));
        } catch (const std::bad_alloc&) {
            return EncodeStatus::OutOfMemory;
        }
    }
    for (int y = h - 1; y >= 0; --y, rows += l.stride) {
        std::uint8_t* idx = l.saveDepth == 8 ? rows : scratch.data();
        if (!pal.IndexRow(image.Row(y), w, idx, ask, y > 0 ? image.Row(y - 1) : nullptr))
            return EncodeStatus::Declined;
        const std::size_t n = l.saveDepth == 8 ? std::size_t(w)
                              : l.saveDepth == 4 ? PackRow4(idx, w, rows)
                                                 : PackRow1(idx, w, rows);
        std::memset(rows + n, 0, l.stride - n);
    }
    // The table is final only after the last row; entries no colour took stay white.
    WriteColorTable(std::span(pal.Entries(), std::size_t(pal.Capacity())), pal.Capacity(), file + kWrittenHeaderBytes);
    return EncodeStatus::Ok;
}

// A 24-bit file made as it is written: the header with the first rows, then about 8 MB of rows
// per piece, bottom row first. (Smaller writes leave the file's cached pages in smaller
// pieces, which makes reading it back, as Save As does, slower.)
class Rows24Source {
public:
    // Throws std::bad_alloc when the piece's memory cannot be had.
    Rows24Source(const Bitmap& image, const FileLayout& l)
        : image_(image),
          layout_(l),
          next_(image.Height() - 1),
          rowsPerPiece_(std::clamp<std::size_t>((std::size_t(8) << 20) / std::size_t(l.stride), 1,
                                                std::size_t(std::max(image.Height(), 1)))),
          first_(true) {
        piece_.resize(kWrittenHeaderBytes + rowsPerPiece_ * std::size_t(l.stride));
        WriteBmpHeader(piece_.data(), layout_, image_.Width(), image_.Height());
    }

    std::span<const std::uint8_t> operator()() {
        if (first_) {
            first_ = false;
            return Fill(piece_.data() + kWrittenHeaderBytes, rowsPerPiece_, kWrittenHeaderBytes);
        }
        return Fill(piece_.data(), rowsPerPiece_, 0);
    }

private:
    std::span<const std::uint8_t> Fill(std::uint8_t* row, std::size_t rows, std::size_t before) {
        std::size_t done = 0;
        for (; done < rows && next_ >= 0; ++done, --next_, row += layout_.stride)
            EncodeStoredRow24(image_, next_, layout_, row);
        return {piece_.data(), before + done * std::size_t(layout_.stride)};
    }

    const Bitmap& image_;
    FileLayout layout_;
    int next_;  // the image row stored next
    std::size_t rowsPerPiece_;
    bool first_;
    std::vector<std::uint8_t> piece_;
};

// The whole file into `buffer`, resized to exactly the file's size.
EncodeStatus EncodeWhole(const Bitmap& image, int depth, const ColorLossQuestion& ask,
                         std::vector<std::uint8_t>& buffer) {
    const FileLayout l = ComputeFileLayout(image.Width(), image.Height(), depth);
    if (!l.FitsHeader()) return EncodeStatus::TooLarge;
    if (const EncodeStatus sized = SizeFileBuffer(buffer, l.fileSize); sized != EncodeStatus::Ok) return sized;
    WriteBmpHeader(buffer.data(), l, image.Width(), image.Height());
    return EncodePixels(image, l, ask, buffer.data());
}

}  // namespace

BmpFileBytes EncodeBmpPieces(const Bitmap& image, int depth, const ColorLossQuestion& ask,
                             std::vector<std::uint8_t>& buffer) {
    BmpFileBytes file;
    const FileLayout l = ComputeFileLayout(image.Width(), image.Height(), depth);
    file.saveDepth = l.saveDepth;
    file.size = l.fileSize;
    if (!l.FitsHeader()) {
        file.status = EncodeStatus::TooLarge;
    } else if (l.saveDepth == 24) {
        try {
            file.pieces = [source = std::make_shared<Rows24Source>(image, l)] { return (*source)(); };
        } catch (const std::bad_alloc&) {
            file.status = EncodeStatus::OutOfMemory;
        }
    } else {
        file.status = EncodeWhole(image, depth, ask, buffer);
        if (file.status == EncodeStatus::Ok) file.pieces = WholeBytes(buffer);
    }
    return file;
}

EncodeStatus SizeFileBuffer(std::vector<std::uint8_t>& buffer, std::uint64_t bytes) {
    if (bytes > buffer.max_size()) return EncodeStatus::TooLarge;
    try {
        ReserveLargeBuffer(buffer, std::size_t(bytes));
        buffer.resize(std::size_t(bytes));
    } catch (const std::bad_alloc&) {
        return EncodeStatus::OutOfMemory;
    } catch (const std::length_error&) {
        return EncodeStatus::OutOfMemory;
    }
    return EncodeStatus::Ok;
}

int SmallestIndexedDepth(std::size_t colors) {
    return colors <= 2 ? 1 : colors <= 16 ? 4 : colors <= 256 ? 8 : 0;
}

BmpFileBytes EncodeIndexedBmpPieces(const IndexImage& image, std::span<const Pixel> palette, int depth,
                                    std::vector<std::uint8_t>& buffer) {
    BmpFileBytes file;
    FileLayout l;
    file.status = StartIndexedFile(image.width, image.height, palette, depth, l, buffer);
    file.saveDepth = l.saveDepth;
    file.size = l.fileSize;
    if (file.status != EncodeStatus::Ok) return file;
    try {
        EncodeIndexedPixels(image.width, image.height, palette, l, buffer.data(),
                            [&image](int y, std::uint8_t*) { return image.Row(y); });
    } catch (const std::bad_alloc&) {
        file.status = EncodeStatus::OutOfMemory;
        return file;
    }
    file.pieces = WholeBytes(buffer);
    return file;
}

BmpFileBytes EncodePaletteBmpPieces(const Bitmap& image, std::span<const Pixel> palette, int depth,
                                    std::vector<std::uint8_t>& buffer) {
    BmpFileBytes file;
    FileLayout l;
    file.status = StartIndexedFile(image.Width(), image.Height(), palette, depth, l, buffer);
    file.saveDepth = l.saveDepth;
    file.size = l.fileSize;
    if (file.status != EncodeStatus::Ok) return file;
    const PaletteIndex index(palette);
    const int w = image.Width();
    const auto rowIndexes = [&](int y, std::uint8_t* out) -> const std::uint8_t* {
        const Pixel* src = image.Row(y);
        // Runs of one colour are the usual case in a reduced image: the last answer is kept.
        std::uint32_t last = 0xFFFFFFFFu;
        int lastIndex = -1;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t rgb = ValueOf(src[x]) & 0x00FFFFFFu;
            if (rgb != last) {
                lastIndex = index.Find(src[x]);
                if (lastIndex < 0) return nullptr;
                last = rgb;
            }
            out[x] = std::uint8_t(lastIndex);
        }
        return out;
    };
    try {
        if (!EncodeIndexedPixels(w, image.Height(), palette, l, buffer.data(), rowIndexes))
            file.status = EncodeStatus::NotInPalette;
    } catch (const std::bad_alloc&) {
        file.status = EncodeStatus::OutOfMemory;
    }
    if (file.status == EncodeStatus::Ok) file.pieces = WholeBytes(buffer);
    return file;
}

EncodedBmp EncodeIndexedBmp(const IndexImage& image, std::span<const Pixel> palette, int depth) {
    EncodedBmp out;
    const BmpFileBytes file = EncodeIndexedBmpPieces(image, palette, depth, out.bytes);
    out.status = file.status;
    out.saveDepth = file.saveDepth;
    if (out.status != EncodeStatus::Ok) out.bytes = {};
    return out;
}

}  // namespace rastrix
