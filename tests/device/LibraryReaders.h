#pragma once
// Small readers of the bytes display libraries take, each written from the library's own drawing
// loop (quoted in the comment), so a test can decode what the device layer wrote and compare
// pixels. They share nothing with the code under test.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace rastrix::device_test {

using Bytes = std::span<const std::uint8_t>;

// A picture as the reader sees it: one value a pixel, rows top row first.
struct Read {
    int width = 0, height = 0;
    std::vector<std::uint32_t> v;
    std::uint32_t At(int x, int y) const { return v[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

inline Read Blank(int w, int h) { return {w, h, std::vector<std::uint32_t>(std::size_t(w) * std::size_t(h), 0)}; }

// Adafruit_GFX::drawBitmap:
//   byteWidth = (w + 7) / 8; for j, for i: if (i & 7) b <<= 1; else b = bitmap[j * byteWidth + i / 8];
//   if (b & 0x80) writePixel(x + i, y, color);
inline Read DrawBitmap(Bytes bitmap, int w, int h) {
    Read r = Blank(w, h);
    const int byteWidth = (w + 7) / 8;
    std::uint8_t b = 0;
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) {
            if (i & 7) b = std::uint8_t(b << 1);
            else b = bitmap[std::size_t(j * byteWidth + i / 8)];
            if (b & 0x80) r.v[std::size_t(j * w + i)] = 1;
        }
    return r;
}

// Adafruit_GFX::drawXBitmap (and u8g2_DrawHXBM's mask walking up from 1): the same with
//   if (i & 7) b >>= 1; ... if (b & 0x01) writePixel(...)
inline Read DrawXBitmap(Bytes bitmap, int w, int h) {
    Read r = Blank(w, h);
    const int byteWidth = (w + 7) / 8;
    std::uint8_t b = 0;
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) {
            if (i & 7) b = std::uint8_t(b >> 1);
            else b = bitmap[std::size_t(j * byteWidth + i / 8)];
            if (b & 0x01) r.v[std::size_t(j * w + i)] = 1;
        }
    return r;
}

// Adafruit_SSD1306::drawPixel, WHITE: buffer[x + (y / 8) * WIDTH] |= (1 << (y & 7));
// read back as the panel shows it.
inline Read Ssd1306Buffer(Bytes buffer, int w, int h) {
    Read r = Blank(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) r.v[std::size_t(y * w + x)] = (buffer[std::size_t(x + (y / 8) * w)] >> (y & 7)) & 1;
    return r;
}

// Adafruit_GFX::drawGrayscaleBitmap: writePixel(x + i, y, bitmap[j * w + i]);
inline Read DrawGrayscaleBitmap(Bytes bitmap, int w, int h) {
    Read r = Blank(w, h);
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) r.v[std::size_t(j * w + i)] = bitmap[std::size_t(j * w + i)];
    return r;
}

// Adafruit_GFX::drawRGBBitmap: writePixel(x + i, y, pgm_read_word(&bitmap[j * w + i])) on a
// little-endian processor: the word's low byte first in memory.
inline Read DrawRGBBitmap(Bytes bytes, int w, int h) {
    Read r = Blank(w, h);
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) {
            const std::size_t k = std::size_t(j * w + i) * 2;
            r.v[std::size_t(j * w + i)] = std::uint32_t(bytes[k] | bytes[k + 1] << 8);
        }
    return r;
}

// TFT_eSPI::pushImage with setSwapBytes(false): pushPixels sends the bytes as stored, and the
// panel takes each 16-bit colour high byte first.
inline Read PushImageUnswapped(Bytes bytes, int w, int h) {
    Read r = Blank(w, h);
    for (std::size_t k = 0; k < std::size_t(w) * std::size_t(h); ++k) r.v[k] = std::uint32_t(bytes[2 * k] << 8 | bytes[2 * k + 1]);
    return r;
}

// GxEPD2_Example's loop for 2-bit bitmaps (drawBitmaps3c200x200):
//   if (i & 3) byte <<= 2; else byte = bitmap[j * byteWidth * 2 + i / 4];  ... the pixel is byte's top two bits
// with byteWidth = (w + 7) / 8 (rows of whole bytes: w / 4 rounded up for the widths it draws).
inline Read TwoBitRows(Bytes bitmap, int w, int h) {
    Read r = Blank(w, h);
    const int rowBytes = (w + 3) / 4;
    std::uint8_t byte = 0;
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) {
            if (i & 3) byte = std::uint8_t(byte << 2);
            else byte = bitmap[std::size_t(j * rowBytes + i / 4)];
            r.v[std::size_t(j * w + i)] = byte >> 6;
        }
    return r;
}

// GxEPD2_7C::drawPixel's buffer: i = x / 2 + y * (w / 2); the even pixel in the high nibble.
// Rows of whole bytes, as the library's widths are even.
inline Read Native4Bit(Bytes buffer, int w, int h) {
    Read r = Blank(w, h);
    const int rowBytes = (w + 1) / 2;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const std::uint8_t b = buffer[std::size_t(x / 2 + y * rowBytes)];
            r.v[std::size_t(y * w + x)] = (x & 1) ? b & 0x0F : b >> 4;
        }
    return r;
}

// GxEPD2_3C: each plane drawn as drawInvertedBitmap draws it: a pixel whose bit is 0
// (if (!(byte & 0x80))) takes the plane's ink, black first, then the colour plane over it.
// 0 white, 1 black, 2 the colour.
inline Read ThreeColorPlanes(Bytes black, Bytes color, int w, int h) {
    const Read b = DrawBitmap(black, w, h), c = DrawBitmap(color, w, h);
    Read r = Blank(w, h);
    for (std::size_t k = 0; k < r.v.size(); ++k) r.v[k] = c.v[k] == 0 ? 2 : b.v[k] == 0 ? 1 : 0;
    return r;
}

// LVGL v9's lv_image_header_t, the first 12 bytes of an image file:
//   uint32_t magic: 8, cf: 8, flags: 16; uint32_t w: 16, h: 16; uint32_t stride: 16, reserved_2: 16
struct LvglHeader {
    int magic = 0, cf = 0, flags = 0, w = 0, h = 0, stride = 0, reserved = 0;
};
inline LvglHeader ReadLvglHeader(Bytes b) {
    const auto u16 = [b](std::size_t at) { return int(b[at] | b[at + 1] << 8); };
    return {b[0], b[1], u16(2), u16(4), u16(6), u16(8), u16(10)};
}

// An LVGL indexed image (I1, I2, I4, I8) after its header: 2^bpp palette entries of blue, green,
// red, alpha, then rows of `stride` bytes, the first pixel in the top bits (lv_draw_sw's
// indexed reader shifts from bit 7 down). Gives each pixel's 0x00RRGGBB from the palette.
inline Read LvglIndexed(Bytes data, int bpp, int w, int h, int stride) {
    Read r = Blank(w, h);
    const std::size_t entries = std::size_t(1) << bpp;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const int bit = x * bpp;
            const std::uint8_t byte = data[entries * 4 + std::size_t(y * stride + bit / 8)];
            const int index = (byte >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1);
            const std::uint8_t* e = data.data() + std::size_t(index) * 4;
            r.v[std::size_t(y * w + x)] = std::uint32_t(e[2]) << 16 | std::uint32_t(e[1]) << 8 | e[0];
        }
    return r;
}

// Waveshare e-Paper's GUI_ReadBmp_RGB_7Color (GUI_BMPfile.c): fseek(fp, bOffset); for y <
// biHeight, for x < biWidth: fread blue, green, red; Image[x + y * biWidth] = the ink they match
// exactly (0 black, 1 white, 2 green (0, 255, 0), 3 blue, 4 red, 5 yellow (0, 255, 255 as blue,
// green, red), 6 orange (0, 128, 255)), else it stays 0xFF. No row padding is skipped. Pixel
// (x, y) is then Image[biHeight * biWidth - 1 - (biWidth - x - 1 + y * biWidth)]: bottom row first.
inline Read WaveshareRgb7Color(Bytes file) {
    const auto u32 = [file](std::size_t at) {
        return std::uint32_t(file[at] | file[at + 1] << 8 | file[at + 2] << 16 | std::uint32_t(file[at + 3]) << 24);
    };
    const int w = int(u32(18)), h = int(u32(22));
    static constexpr std::uint8_t kInks[7][3] = {{0, 0, 0},   {255, 255, 255}, {0, 255, 0},  {255, 0, 0},
                                                 {0, 0, 255}, {0, 255, 255},   {0, 128, 255}};
    std::vector<std::uint32_t> image(std::size_t(w) * std::size_t(h), 0xFF);
    std::size_t at = u32(10);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w && at + 3 <= file.size(); x++, at += 3)
            for (std::uint32_t ink = 0; ink < 7; ink++)
                if (file[at] == kInks[ink][0] && file[at + 1] == kInks[ink][1] && file[at + 2] == kInks[ink][2])
                    image[std::size_t(x + y * w)] = ink;
    Read r = Blank(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) r.v[std::size_t(y * w + x)] = image[std::size_t(h * w - 1 - (w - x - 1 + y * w))];
    return r;
}

}  // namespace rastrix::device_test
