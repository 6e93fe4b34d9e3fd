#include "codec/JpegDecoder.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <optional>

#include "codec/JpegMarkers.h"
#include "codec/PictureConversion.h"
#include "raster/Bands.h"
#include "raster/RowQueue.h"
#include "raster/Turn.h"

namespace rastrix {

namespace {

BmpReadResult Fail(BmpError e) { return {std::nullopt, e}; }

// The library reports an error by calling error_exit, which must not return: it jumps back to
// the step that was running (Decompressor::Run). A warning means the picture came out damaged,
// so it is taken as an error too, and nothing is printed.
struct Errors {
    jpeg_error_mgr pub;  // first, so the library's pointer to it is a pointer to this
    std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr info) { std::longjmp(reinterpret_cast<Errors*>(info->err)->jump, 1); }

void EmitMessage(j_common_ptr info, int level) {
    if (level < 0) ErrorExit(info);
}

void OutputMessage(j_common_ptr) {}

// A progressive picture is refused once it passes the scans real encoders write (the marker
// pass refuses it first; this holds should the two ever count differently).
void LimitScans(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kJpegMaxScans) ErrorExit(info);
}

// One picture's decompression. Each call into the library runs inside Run, where an error
// returns false; nothing with a destructor lives in the frames the error jumps over.
class Decompressor {
public:
    Decompressor() {
        info.err = jpeg_std_error(&errors_.pub);
        errors_.pub.error_exit = ErrorExit;
        errors_.pub.emit_message = EmitMessage;
        errors_.pub.output_message = OutputMessage;
        progress_.progress_monitor = LimitScans;
        created_ = Run([this] { jpeg_create_decompress(&info); });
        if (created_) info.progress = &progress_;
    }
    ~Decompressor() {
        if (created_) jpeg_destroy_decompress(&info);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    bool Created() const { return created_; }

    template <class Step>
    bool Run(const Step& step) {
        if (setjmp(errors_.jump) != 0) return false;
        step();
        return true;
    }

    // Bytes of the file the library has taken in so far.
    std::size_t Consumed(std::span<const std::uint8_t> bytes) const {
        return std::size_t(info.src->next_input_byte - bytes.data());
    }

    jpeg_decompress_struct info{};

private:
    Errors errors_{};
    jpeg_progress_mgr progress_{};
    bool created_ = false;
};

// CMYK inks to RGB by the plain formula red = (1 - cyan)(1 - black) and so on, with no colour
// profile (a printer's profile is not at hand, and a viewer without one does the same).
// The values are taken as stored inverted (255 = no ink), as Photoshop writes them: the
// readers people use (Pillow, ImageMagick, djpeg) take every CMYK JPEG so, with Adobe's marker
// or without it, and a picture read otherwise comes out nearly black.
// Reads in place: each 4-byte CMYK pixel becomes a 0x00RRGGBB word.
void CmykToPixels(Pixel* pixels, std::size_t count) {
    auto* bytes = reinterpret_cast<const std::uint8_t*>(pixels);
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned c = bytes[4 * i], m = bytes[4 * i + 1], y = bytes[4 * i + 2], k = bytes[4 * i + 3];
        pixels[i] = Pixel{(((c * k + 127) / 255) << 16) | (((m * k + 127) / 255) << 8) | ((y * k + 127) / 255)};
    }
}

// Decoded pixels as pixel words: the library fills the spare byte, which pixels keep zero.
void ToPixels(Pixel* pixels, std::size_t count, bool cmyk) {
    if (cmyk) CmykToPixels(pixels, count);
    else
        for (Pixel* end = pixels + count; pixels != end; ++pixels) *pixels = ClearTopByte(*pixels);
}

// The largest reduction by 2, 4 or 8 that leaves at least minWidth x minHeight; 1 for none.
int ReductionFor(int width, int height, const PictureOptions& options) {
    if (options.minWidth <= 0 && options.minHeight <= 0) return 1;
    for (int d : {8, 4, 2})
        if ((width + d - 1) / d >= options.minWidth && (height + d - 1) / d >= options.minHeight) return d;
    return 1;
}

// What the markers claim, checked before the library sees the file: it would take the
// picture's memory first, and pass over every scan before counting them.
BmpError CheckOutline(std::span<const std::uint8_t> bytes) {
    if (!IsJpeg(bytes)) return BmpError::NotPicture;
    const JpegOutline outline = ReadJpegOutline(bytes);
    if (!outline.frameFound) return BmpError::DamagedJpeg;
    if (outline.width > kBmpMaxSide || outline.height > kBmpMaxSide ||
        std::int64_t(outline.width) * outline.height > kBmpMaxPixels)
        return BmpError::TooLarge;
    if (outline.precision != 8) return BmpError::UnsupportedJpegPrecision;
    if (outline.scans > kJpegMaxScans) return BmpError::JpegTooManyScans;
    if (JpegFirstScanTooShort(outline)) return BmpError::PictureDataTooShort;
    if (JpegScansTooMuchWork(outline)) return BmpError::JpegTooMuchScanWork;
    if (outline.coefficientBytes > kJpegMaxCoefficientBytes) return BmpError::JpegCoefficientsTooLarge;
    // Without its end the data cannot be whole, and the library would say so only after
    // decoding every scan.
    if (!outline.endFound) return BmpError::DamagedJpeg;
    return BmpError::None;
}

// The outline checked on another core while the decoder reads the header and the rows of a
// picture in one scan, which takes no memory for the whole picture: the decoding stops as soon
// as the outline refuses the file, and the outline's refusal is the answer.
class OutlineBeside {
public:
    void Check(std::span<const std::uint8_t> bytes) {
        error_ = CheckOutline(bytes);
        known_.store(true, std::memory_order_release);
        known_.notify_all();
    }
    // Waits for the outline; its refusal, or None.
    BmpError Wait() const {
        known_.wait(false, std::memory_order_acquire);
        return error_;
    }
    bool Refused() const { return known_.load(std::memory_order_acquire) && error_ != BmpError::None; }

private:
    BmpError error_ = BmpError::None;
    std::atomic<bool> known_{false};
};

// Reads the header and starts the decompression: the picture's rows then come out at
// info.output_width x info.output_height, as blue, green, red and a spare byte (the memory order
// of a 0x00RRGGBB pixel word), or as CMYK inks (`cmyk`) to be turned into pixels. The outline is
// checked first, or, when it is being checked beside, before a picture in several scans takes
// the memory for all of them.
BmpError Start(Decompressor& d, std::span<const std::uint8_t> bytes, const PictureOptions& options, bool& cmyk,
               bool& grey, const OutlineBeside* beside = nullptr) {
    if (!beside)
        if (const BmpError e = CheckOutline(bytes); e != BmpError::None) return e;
    if (!d.Created()) return BmpError::OutOfMemory;
    jpeg_decompress_struct& info = d.info;
    if (!d.Run([&] {
            jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
            jpeg_read_header(&info, TRUE);
        }))
        return BmpError::DamagedJpeg;
    const int width = int(std::min<JDIMENSION>(info.image_width, kBmpMaxSide + 1));
    const int height = int(std::min<JDIMENSION>(info.image_height, kBmpMaxSide + 1));
    if (width <= 0 || height <= 0) return BmpError::DamagedJpeg;
    if (width > kBmpMaxSide || height > kBmpMaxSide || std::int64_t(width) * height > kBmpMaxPixels)
        return BmpError::TooLarge;
    cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    grey = info.jpeg_color_space == JCS_GRAYSCALE;
    if (cmyk && !options.convertCmyk) return BmpError::UnsupportedJpeg;
    static_assert(sizeof(Pixel) == 4 && std::endian::native == std::endian::little);
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    // The accurate integer transform and smooth chroma upsampling, the library's defaults.
    info.dct_method = JDCT_ISLOW;
    // The decoder scales by n/8 and rounds its sizes up. A reduction by r is made at the largest
    // n/8 that gives the same size as 1/r (for a small picture that may be more than 1/r, with
    // pixels a little sharper).
    const int r = ReductionFor(width, height, options);
    const int reducedWidth = (width + r - 1) / r, reducedHeight = (height + r - 1) / r;
    int n = 8;
    while (n > 1 && ((width * n + 7) / 8 > reducedWidth || (height * n + 7) / 8 > reducedHeight)) --n;
    info.scale_num = unsigned(n);
    info.scale_denom = 8;
    bool severalScans = false;
    if (beside && !d.Run([&] { severalScans = jpeg_has_multiple_scans(&info); })) return BmpError::DamagedJpeg;
    if (severalScans)
        if (const BmpError e = beside->Wait(); e != BmpError::None) return e;
    if (!d.Run([&] { jpeg_start_decompress(&info); })) return BmpError::DamagedJpeg;
    if (int(info.output_width) != reducedWidth || int(info.output_height) != reducedHeight || info.output_components != 4)
        return BmpError::DamagedJpeg;
    return BmpError::None;
}

// Rows decoded for a sink on one core while another takes them in wait in a queue of this many.
constexpr int kQueuedRows = 16;

// The picture decoded a band of rows at a time, each band turned (or, without a turn, copied)
// into place in the whole picture; with a core spare, on a second core while the first decodes
// the next band, so that the whole picture's memory is first touched there too.
BmpReadResult DecodeInBands(std::span<const std::uint8_t> bytes, std::optional<Turn> turn, const PictureOptions& options) {
    Decompressor d;
    bool cmyk = false, grey = false;
    if (const BmpError e = Start(d, bytes, options, cmyk, grey); e != BmpError::None) return Fail(e);
    jpeg_decompress_struct& info = d.info;
    const int width = int(info.output_width), height = int(info.output_height);
    const bool overlap = options.overlapRows && BandThreads() >= 2;
    const Rect turned = turn ? TurnedArea({0, 0, width, height}, {}, *turn) : Rect{0, 0, width, height};
    std::optional<Bitmap> out = Bitmap::TryCreate(turned.Width(), turned.Height(),
                                                  overlap ? Bitmap::NewPixels::UnsetMappedAsWritten : Bitmap::NewPixels::Unset);
    if (!out) return Fail(BmpError::OutOfMemory);
    // Bands of this many rows: each as many rows as the turn's tiles are high, and a few of them
    // (3 MB each for a 6000-pixel-wide photo) in flight between the two threads.
    constexpr int kBandRows = 128;
    constexpr int kBands = 3;
    const std::size_t bandBytes = std::size_t(width) * kBandRows * sizeof(Pixel);
    // Each band, in order, into pixels and turned (or copied) into place: in the turned picture,
    // the rows of a band land side by side as a strip kBandRows wide.
    int placed = 0;  // rows placed
    const auto place = [&](std::uint8_t* band) {
        const int v0 = placed, n = std::min(kBandRows, height - v0);
        placed += n;
        auto* pixels = reinterpret_cast<Pixel*>(band);
        ToPixels(pixels, std::size_t(width) * std::size_t(n), cmyk);
        if (!turn) {
            std::memcpy(out->Row(v0), pixels, std::size_t(width) * std::size_t(n) * sizeof(Pixel));
            return;
        }
        const bool fromRight = *turn == Turn::Clockwise || *turn == Turn::Transverse || *turn == Turn::HalfTurn ||
                               *turn == Turn::MirrorRows;
        const Rect to = TurnedArea({0, 0, width, n}, {}, *turn);
        Pixel* at = SwapsSides(*turn) ? out->Data() + (fromRight ? height - v0 - n : v0)
                                      : out->Row(fromRight ? height - v0 - to.Height() : v0);
        TurnPixels(pixels, width, width, n, at, out->Width(), *turn);
    };
    // Decodes the bands in turn, each into the buffer `into` gives, then hands it to `done`.
    const auto decode = [&](const auto& into, const auto& done) {
        JSAMPROW rows[kBandRows];
        for (int v0 = 0; v0 < height; v0 += kBandRows) {
            std::uint8_t* band = into();
            const int n = std::min(kBandRows, height - v0);
            for (int i = 0; i < n; ++i) rows[i] = band + std::size_t(i) * std::size_t(width) * sizeof(Pixel);
            for (int got = 0; got < n;) {
                JDIMENSION read = 0;
                if (!d.Run([&] { read = jpeg_read_scanlines(&info, rows + got, JDIMENSION(n - got)); })) return false;
                if (read == 0) return false;
                got += int(read);
            }
            done(band);
        }
        return d.Run([&] { jpeg_finish_decompress(&info); });
    };
    // With a core spare, this thread decodes the next band while the helper places the last one.
    const std::optional<bool> decoded = PipeThrough(bandBytes, kBands, overlap, decode, place);
    if (!decoded) return Fail(BmpError::OutOfMemory);
    if (!*decoded) return Fail(BmpError::DamagedJpeg);
    BmpImage image;
    image.bitDepth = PictureBitDepth(grey ? 8 : 24, false);
    image.bitmap = std::move(*out);
    return {std::move(image), BmpError::None};
}

}  // namespace

bool IsJpeg(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

std::optional<PictureSize> JpegHeaderSize(std::span<const std::uint8_t> bytes) {
    if (!IsJpeg(bytes)) return std::nullopt;
    const JpegOutline outline = ReadJpegOutline(bytes, true);
    if (!outline.frameFound) return std::nullopt;
    return PictureSize{outline.width, outline.height};
}

BmpReadResult DecodeJpegTurned(std::span<const std::uint8_t> bytes, Turn turn, const PictureOptions& options) {
    return DecodeInBands(bytes, turn, options);
}

BmpReadResult DecodeJpeg(std::span<const std::uint8_t> bytes, const PictureOptions& options) {
    // With a core spare, the decoder works in bands of rows that the other core puts in place.
    if (options.overlapRows && BandThreads() >= 2) return DecodeInBands(bytes, std::nullopt, options);
    Decompressor d;
    bool cmyk = false, grey = false;
    if (const BmpError e = Start(d, bytes, options, cmyk, grey); e != BmpError::None) return Fail(e);
    const int width = int(d.info.output_width), height = int(d.info.output_height);
    std::optional<Bitmap> bmp = Bitmap::TryCreate(width, height, Bitmap::NewPixels::UnsetMappedAsWritten);
    if (!bmp) return Fail(BmpError::OutOfMemory);
    // Straight into the bitmap's rows, a few at a time.
    constexpr int kRowsACall = 16;
    JSAMPROW rows[kRowsACall];
    jpeg_decompress_struct& info = d.info;
    while (info.output_scanline < info.output_height) {
        const int first = int(info.output_scanline), n = std::min(kRowsACall, height - first);
        for (int i = 0; i < n; ++i) rows[i] = reinterpret_cast<JSAMPROW>(bmp->Row(first + i));
        if (!d.Run([&] { jpeg_read_scanlines(&info, rows, JDIMENSION(n)); })) return Fail(BmpError::DamagedJpeg);
    }
    if (!d.Run([&] { jpeg_finish_decompress(&info); })) return Fail(BmpError::DamagedJpeg);
    Pixel* p = bmp->Data();
    // In bands across the cores.
    ForEachBand(height, 1, BandItems(width), [p, width, cmyk](int first, int last) {
        ToPixels(p + std::size_t(first) * std::size_t(width), std::size_t(last - first) * std::size_t(width), cmyk);
    });

    BmpImage image;
    image.bitDepth = PictureBitDepth(grey ? 8 : 24, false);
    image.bitmap = std::move(*bmp);
    return {std::move(image), BmpError::None};
}

namespace {

BmpReadResult DecodeRows(std::span<const std::uint8_t> bytes, const PictureOptions& options, PictureRowSink& sink,
                         const ReadFinished& finished, const OutlineBeside* beside) {
    Decompressor d;
    bool cmyk = false, grey = false;
    if (const BmpError e = Start(d, bytes, options, cmyk, grey, beside); e != BmpError::None) return Fail(e);
    jpeg_decompress_struct& info = d.info;
    const int width = int(info.output_width);
    const std::size_t rowBytes = std::size_t(width) * sizeof(Pixel);
    if (!sink.Begin(width, int(info.output_height), false)) return Fail(BmpError::OutOfMemory);
    // Each decoded row becomes pixels where it lies (the taker owns its buffer until it is done).
    const auto hand = [&](std::uint8_t* decoded) {
        auto* pixels = reinterpret_cast<Pixel*>(decoded);
        ToPixels(pixels, std::size_t(width), cmyk);
        sink.Row(pixels, nullptr);
    };
    // Decodes the rows in turn, each into the buffer `into` gives, then hands it to `done`; false
    // when the library stopped on an error or the outline beside refused the file.
    const auto decode = [&](const auto& into, const auto& done) {
        while (info.output_scanline < info.output_height) {
            if (beside && beside->Refused()) return false;
            JSAMPROW slot = into();
            if (!d.Run([&] { jpeg_read_scanlines(&info, &slot, 1); })) return false;
            done(slot);
            if (finished) finished(d.Consumed(bytes));
        }
        return d.Run([&] { jpeg_finish_decompress(&info); });
    };
    // With a core spare, this thread decodes while the helper turns the rows already decoded into
    // pixels and hands them to the sink, in the same order.
    const std::optional<bool> decoded = PipeThrough(rowBytes, kQueuedRows, options.overlapRows, decode, hand);
    if (!decoded) return Fail(BmpError::OutOfMemory);
    if (!*decoded) return Fail(BmpError::DamagedJpeg);
    BmpImage image;
    image.bitDepth = PictureBitDepth(grey ? 8 : 24, false);
    return {std::move(image), BmpError::None};
}

}  // namespace

BmpReadResult DecodeJpegRows(std::span<const std::uint8_t> bytes, const PictureOptions& options, PictureRowSink& sink,
                             const ReadFinished& finished) {
    if (options.overlapRows && BandThreads() >= 2) {
        OutlineBeside outline;
        BmpReadResult r;
        if (RunBeside([&] { outline.Check(bytes); }, [&] { r = DecodeRows(bytes, options, sink, finished, &outline); })) {
            if (const BmpError e = outline.Wait(); e != BmpError::None) return Fail(e);
            return r;
        }
    }
    return DecodeRows(bytes, options, sink, finished, nullptr);
}

}  // namespace rastrix
