#include "support/PictureTestFiles.h"

#include <spng.h>
#include <turbojpeg.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace rastrix::testing {

PictureBytes EncodePng(const PngRecipe& recipe) {
    spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
    spng_set_option(ctx, SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr ihdr{};
    ihdr.width = std::uint32_t(recipe.width);
    ihdr.height = std::uint32_t(recipe.height);
    ihdr.bit_depth = std::uint8_t(recipe.bitDepth);
    ihdr.color_type = std::uint8_t(recipe.colorType);
    ihdr.interlace_method = recipe.interlaced ? 1 : 0;
    int e = spng_set_ihdr(ctx, &ihdr);
    if (!recipe.palette.empty()) {
        spng_plte plte{};
        plte.n_entries = std::uint32_t(recipe.palette.size());
        for (std::size_t i = 0; i < recipe.palette.size(); ++i)
            plte.entries[i] = {recipe.palette[i][0], recipe.palette[i][1], recipe.palette[i][2], 0};
        e = e ? e : spng_set_plte(ctx, &plte);
    }
    if (!recipe.paletteAlpha.empty() || recipe.transparentKey) {
        spng_trns trns{};
        trns.n_type3_entries = std::uint32_t(recipe.paletteAlpha.size());
        for (std::size_t i = 0; i < recipe.paletteAlpha.size(); ++i) trns.type3_alpha[i] = recipe.paletteAlpha[i];
        if (recipe.transparentKey) {
            trns.gray = (*recipe.transparentKey)[0];
            trns.red = (*recipe.transparentKey)[0];
            trns.green = (*recipe.transparentKey)[1];
            trns.blue = (*recipe.transparentKey)[2];
        }
        e = e ? e : spng_set_trns(ctx, &trns);
    }
    e = e ? e : spng_encode_image(ctx, recipe.rows.data(), recipe.rows.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
    std::size_t size = 0;
    void* png = e ? nullptr : spng_get_png_buffer(ctx, &size, &e);
    spng_ctx_free(ctx);
    if (!png) throw std::runtime_error(std::string("PNG encoder: ") + spng_strerror(e));
    PictureBytes out(static_cast<std::uint8_t*>(png), static_cast<std::uint8_t*>(png) + size);
    std::free(png);
    return out;
}

void AppendSample16(std::vector<std::uint8_t>& rows, std::uint16_t v) {
    std::uint8_t b[2];
    std::memcpy(b, &v, 2);
    rows.insert(rows.end(), b, b + 2);
}

PictureBytes EncodeJpeg(const Bitmap& picture, bool grey, bool cmyk) {
    tjhandle tj = tjInitCompress();
    std::vector<std::uint8_t> source;
    int format = TJPF_BGRX;
    const auto* pixels = reinterpret_cast<const unsigned char*>(picture.Data());
    if (cmyk) {
        // Every pixel as cyan, magenta, yellow and black inks.
        format = TJPF_CMYK;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x) {
                const Pixel p = picture.Row(y)[x];
                source.insert(source.end(), {std::uint8_t(255 - RedOf(p)), std::uint8_t(255 - GreenOf(p)),
                                             std::uint8_t(255 - BlueOf(p)), 0});
            }
        pixels = source.data();
    }
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int e = tjCompress2(tj, pixels, picture.Width(), 0, picture.Height(), format, &jpeg, &size,
                              grey ? TJSAMP_GRAY : TJSAMP_444, 100, TJFLAG_ACCURATEDCT);
    tjDestroy(tj);
    if (e != 0) throw std::runtime_error("JPEG encoder failed");
    PictureBytes out(jpeg, jpeg + size);
    tjFree(jpeg);
    return out;
}

PictureBytes EncodeProgressiveJpeg(const Bitmap& picture, int subsampling) {
    tjhandle tj = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int e = tjCompress2(tj, reinterpret_cast<const unsigned char*>(picture.Data()), picture.Width(), 0,
                              picture.Height(), TJPF_BGRX, &jpeg, &size, subsampling, 90, TJFLAG_PROGRESSIVE);
    tjDestroy(tj);
    if (e != 0) throw std::runtime_error("JPEG encoder failed");
    PictureBytes out(jpeg, jpeg + size);
    tjFree(jpeg);
    return out;
}

PictureBytes SketchJpeg(const JpegSketch& sketch) {
    PictureBytes b = {0xFF, 0xD8};
    const auto segment = [&b](std::uint8_t marker, const PictureBytes& body) {
        b.insert(b.end(), {0xFF, marker, std::uint8_t((body.size() + 2) >> 8), std::uint8_t(body.size() + 2)});
        b.insert(b.end(), body.begin(), body.end());
    };
    PictureBytes frame = {8, std::uint8_t(sketch.height >> 8), std::uint8_t(sketch.height),
                          std::uint8_t(sketch.width >> 8), std::uint8_t(sketch.width), std::uint8_t(sketch.sampling.size())};
    for (std::size_t i = 0; i < sketch.sampling.size(); ++i)
        frame.insert(frame.end(), {std::uint8_t(i + 1), std::uint8_t(sketch.sampling[i][0] << 4 | sketch.sampling[i][1]), 0});
    segment(std::uint8_t(sketch.frameMarker), frame);
    for (const JpegScanSketch& scan : sketch.scans) {
        PictureBytes header = {std::uint8_t(scan.components.size())};
        for (int c : scan.components) header.insert(header.end(), {std::uint8_t(c), 0});
        header.insert(header.end(), {std::uint8_t(scan.ss), std::uint8_t(scan.se), std::uint8_t(scan.ah << 4 | scan.al)});
        segment(0xDA, header);
        b.insert(b.end(), scan.dataBytes, 0x5A);
    }
    if (sketch.end) b.insert(b.end(), {0xFF, 0xD9});
    return b;
}

PictureBytes WrapInBmp(const PictureBytes& picture, int width, int height, int compression, int bitCount) {
    PictureBytes b = {'B', 'M'};
    const auto put = [&b](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
    };
    put(std::uint32_t(54 + picture.size()), 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(std::uint32_t(width), 4);
    put(std::uint32_t(height), 4);
    put(1, 2);
    put(std::uint32_t(bitCount), 2);
    put(std::uint32_t(compression), 4);
    put(std::uint32_t(picture.size()), 4);
    for (int i = 0; i < 4; ++i) put(0, 4);
    b.insert(b.end(), picture.begin(), picture.end());
    return b;
}

Bitmap SmoothPicture(int width, int height) {
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, ColorFromRgb(std::uint8_t(40 + x * 160 / width), std::uint8_t(200 - y * 150 / height),
                                 std::uint8_t(90 + (x + y) * 60 / (width + height))));
    return b;
}

}  // namespace rastrix::testing
