// LVGL v9 images. The binary file is a 12-byte header (0x19, the colour format, 16-bit flags,
// width, height and stride, 2 reserved bytes, each little-endian), then for indexed formats a
// palette of 2^bits entries (blue, green, red, alpha bytes), then the rows, `stride` bytes each,
// then for RGB565A8 the alpha rows. The C form holds the same bytes after the palette one row
// to a line, with the descriptor LVGL's lv_image_dsc_t takes; its text is laid out as LVGL's
// converter lays it out, so a file made by either is the same file.

#include "device/DeviceContainer.h"

namespace rastrix {

namespace {

using L = DeviceLayout;

std::string_view FormatName(std::uint8_t format) {
    switch (format) {
        case 0x06: return "L8";
        case 0x07: return "I1";
        case 0x08: return "I2";
        case 0x09: return "I4";
        case 0x0A: return "I8";
        case 0x0F: return "RGB888";
        case 0x10: return "ARGB8888";
        case 0x11: return "XRGB8888";
        case 0x12: return "RGB565";
        case 0x14: return "RGB565A8";
        case 0x1B: return "RGB565_SWAPPED";
    }
    return "UNKNOWN";
}

void Put16(std::vector<std::uint8_t>& out, int v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

std::vector<std::uint8_t> PaletteBytes(std::span<const Pixel> palette) {
    std::vector<std::uint8_t> out;
    for (const Pixel p : palette) {
        // Entries past the colours in use are transparent white; the others opaque.
        const bool pad = (ValueOf(p) >> 24) == 0xFF;
        out.insert(out.end(), {BlueOf(p), GreenOf(p), RedOf(p), std::uint8_t(pad ? 0 : 0xFF)});
    }
    return out;
}

// "\n    0x00,0x01,...," lines of `perLine` values, as LVGL's converter writes them.
void Lines(std::string& out, std::span<const std::uint8_t> bytes, std::size_t perLine) {
    static constexpr char kHex[] = "0123456789abcdef";
    out.reserve(out.size() + 5 * bytes.size() + 5 * (bytes.size() / perLine + 1) + 1);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % perLine == 0) out += "\n    ";
        const char text[5] = {'0', 'x', kHex[bytes[i] >> 4], kHex[bytes[i] & 15], ','};
        out.append(text, sizeof text);
    }
    out += '\n';
}

}  // namespace

std::optional<std::uint8_t> LvglColorFormat(DeviceLayout layout) {
    switch (layout) {
        case L::Mono:
        case L::Index1: return 0x07;
        case L::Grey2:
        case L::Index2: return 0x08;
        case L::Grey4:
        case L::Index4: return 0x09;
        case L::Index8: return 0x0A;
        case L::Grey8: return 0x06;
        case L::Rgb565: return 0x12;
        case L::Rgb565Swapped: return 0x1B;
        case L::Rgb888: return 0x0F;
        case L::Xrgb8888: return 0x11;
        case L::Argb8888: return 0x10;
        case L::Rgb565A8: return 0x14;
        case L::MonoLsb:
        case L::MonoPages:
        case L::Planes:
        case L::Rgb332: break;
    }
    return std::nullopt;
}

PaletteColors LvglPalette(DeviceLayout layout, std::span<const Pixel> palette, bool invert) {
    const LayoutInfo& info = InfoOf(layout);
    if (layout == L::Grey8 || info.kind == LayoutKind::Color || info.kind == LayoutKind::Planes) return {};
    const int entries = 1 << info.bits;
    PaletteColors out;
    if (info.kind == LayoutKind::Index) {
        out.assign(palette.begin(), palette.end());
        // The top byte marks the padding for PaletteBytes: transparent white.
        out.resize(std::size_t(entries), Pixel{0xFFFFFFFFu});
        return out;
    }
    const PaletteColors own = LayoutPalette(layout);
    for (int v = 0; v < entries; ++v) out.push_back(own[std::size_t(invert ? entries - 1 - v : v)]);
    return out;
}

std::vector<std::uint8_t> LvglBinary(const PackedImage& packed, DeviceLayout layout, std::span<const Pixel> palette) {
    std::vector<std::uint8_t> out{0x19, LvglColorFormat(layout).value_or(0)};
    Put16(out, 0);  // flags
    Put16(out, packed.width);
    Put16(out, packed.height);
    Put16(out, packed.planes.empty() ? 0 : packed.planes.front().stride);
    Put16(out, 0);
    const std::vector<std::uint8_t> table = PaletteBytes(palette);
    out.insert(out.end(), table.begin(), table.end());
    out.insert(out.end(), packed.bytes.begin(), packed.bytes.end());
    return out;
}

std::string LvglCText(const PackedImage& packed, DeviceLayout layout, std::span<const Pixel> palette,
                      std::string_view name) {
    const std::string n(name);
    std::string macro = "LV_ATTRIBUTE_";
    for (const char c : name) macro += c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
    const int stride = packed.planes.empty() ? 0 : packed.planes.front().stride;
    std::string out =
        "\n#if defined(LV_LVGL_H_INCLUDE_SIMPLE)\n#include \"lvgl.h\"\n#elif defined(LV_LVGL_H_INCLUDE_SYSTEM)\n"
        "#include <lvgl.h>\n#elif defined(LV_BUILD_TEST)\n#include \"../lvgl.h\"\n#else\n#include \"lvgl/lvgl.h\"\n#endif\n\n"
        "#ifndef LV_ATTRIBUTE_MEM_ALIGN\n#define LV_ATTRIBUTE_MEM_ALIGN\n#endif\n\n#ifndef " +
        macro + "\n#define " + macro + "\n#endif\n\nstatic const\nLV_ATTRIBUTE_MEM_ALIGN LV_ATTRIBUTE_LARGE_CONST " + macro +
        "\nuint8_t " + n + "_map[] = {\n";
    if (!palette.empty()) Lines(out, PaletteBytes(palette), 16);
    Lines(out, packed.bytes, std::size_t(stride > 0 ? stride : 16));
    out += "\n};\n\nconst lv_image_dsc_t " + n + " = {\n  .header = {\n    .magic = LV_IMAGE_HEADER_MAGIC,\n    .cf = LV_COLOR_FORMAT_" +
           std::string(FormatName(LvglColorFormat(layout).value_or(0))) + ",\n    .flags = 0,\n    .w = " +
           std::to_string(packed.width) + ",\n    .h = " + std::to_string(packed.height) + ",\n    .stride = " +
           std::to_string(stride) + ",\n    .reserved_2 = 0,\n  },\n  .data_size = sizeof(" + n + "_map),\n  .data = " + n +
           "_map,\n  .reserved = NULL,\n};\n\n";
    return out;
}

}  // namespace rastrix
