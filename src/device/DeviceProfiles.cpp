#include "device/DeviceProfiles.h"

#include <cstdio>

namespace rastrix {

namespace {

using C = DeviceContainer;
using L = DeviceLayout;
using D = Dither;

// One row a profile: the file a library call takes. NAME in a call stands for the picture's name.
// Checked against each library's own drawing code: Adafruit_GFX's drawBitmap, drawXBitmap,
// drawGrayscaleBitmap and drawRGBBitmap loops; Adafruit_SSD1306's frame buffer (drawPixel);
// u8g2's u8g2_DrawXBM; GxEPD2's buffers (drawPixel of GxEPD2_BW, _3C, _7C: 1 = white, a 0 bit
// in a plane is its ink, 7-colour codes 0..6 in the epaper7 order); TFT_eSPI's pushPixels (bytes
// sent as stored unless setSwapBytes(true)); LVGL's image header and converter.
constexpr DeviceProfile kProfiles[] = {
    // name                   format        layout            palette    dither      invert progmem depth
    {"adafruit-gfx-mono",     C::CSource,   L::Mono,          "",        D::None,    false, true,  0, 0, 0, 1.0,
     "Adafruit_GFX display.drawBitmap(x, y, NAME, NAME_WIDTH, NAME_HEIGHT, WHITE): the set bits are the white pixels"},
    {"adafruit-gfx-xbm",      C::CSource,   L::MonoLsb,       "",        D::None,    false, true,  0, 0, 0, 1.0,
     "Adafruit_GFX display.drawXBitmap(x, y, NAME, NAME_WIDTH, NAME_HEIGHT, WHITE)"},
    {"adafruit-gfx-grey",     C::CSource,   L::Grey8,         "",        D::None,    false, true,  0, 0, 0, 1.0,
     "Adafruit_GFX display.drawGrayscaleBitmap(x, y, NAME, NAME_WIDTH, NAME_HEIGHT)"},
    {"adafruit-gfx-565",      C::CSource,   L::Rgb565,        "",        D::None,    false, true,  0, 0, 0, 1.0,
     "Adafruit_GFX display.drawRGBBitmap(x, y, NAME, NAME_WIDTH, NAME_HEIGHT)"},
    {"ssd1306",               C::CSource,   L::MonoPages,     "",        D::None,    false, true,  0, 0, 0, 1.0,
     "Adafruit_SSD1306 memcpy_P(display.getBuffer(), NAME, sizeof NAME); display.display(); a whole screen (128 x 64 or 128 x 32)"},
    {"u8g2-xbm",              C::Xbm,       L::MonoLsb,       "",        D::None,    false, false, 0, 0, 0, 1.0,
     "u8g2 u8g2.drawXBM(x, y, NAME_width, NAME_height, NAME_bits): the set bits are drawn in the draw colour"},
    {"gxepd2-bw",             C::CSource,   L::Mono,          "",        D::None,    false, true,  0, 0, 0, 1.0,
     "GxEPD2 display.drawImage(NAME, x, y, NAME_WIDTH, NAME_HEIGHT, false, false, true), or display.drawInvertedBitmap(x, y, NAME, NAME_WIDTH, NAME_HEIGHT, GxEPD_BLACK)"},
    {"gxepd2-3c",             C::CSource,   L::Planes,        "bwr",     D::None,    false, true,  0, 0, 0, 1.0,
     "GxEPD2_3C display.drawImage(NAME_black, NAME_color, x, y, NAME_WIDTH, NAME_HEIGHT, false, false, true); black, white and red panels"},
    {"gxepd2-3c-yellow",      C::CSource,   L::Planes,        "bwy",     D::None,    false, true,  0, 0, 0, 1.0,
     "GxEPD2_3C display.drawImage(NAME_black, NAME_color, x, y, NAME_WIDTH, NAME_HEIGHT, false, false, true); black, white and yellow panels"},
    {"gxepd2-7c",             C::CSource,   L::Index4,        "epaper7", D::FloydSteinberg, false, true, 0, 0, 0, 1.0,
     "GxEPD2_7C display.drawNative(NAME, 0, x, y, NAME_WIDTH, NAME_HEIGHT, false, false, true); the seven inks' codes 0..6"},
    {"tft-espi-565",          C::CSource,   L::Rgb565,        "",        D::None,    false, true,  0, 0, 0, 1.0,
     "TFT_eSPI tft.setSwapBytes(true); tft.pushImage(x, y, NAME_WIDTH, NAME_HEIGHT, NAME)"},
    {"tft-espi-565-swapped",  C::CSource,   L::Rgb565Swapped, "",        D::None,    false, true,  0, 0, 0, 1.0,
     "TFT_eSPI tft.pushImage(x, y, NAME_WIDTH, NAME_HEIGHT, NAME) with setSwapBytes(false), the default: no swap while drawing"},
    {"lvgl-rgb565",           C::LvglC,     L::Rgb565,        "",        D::None,    false, false, 0, 0, 0, 1.0,
     "LVGL v9 LV_IMAGE_DECLARE(NAME); lv_image_set_src(image, &NAME)"},
    {"lvgl-rgb565-swapped",   C::LvglC,     L::Rgb565Swapped, "",        D::None,    false, false, 0, 0, 0, 1.0,
     "LVGL v9 LV_IMAGE_DECLARE(NAME); lv_image_set_src(image, &NAME), for displays that take the high byte first"},
    {"lvgl-rgb565a8",         C::LvglC,     L::Rgb565A8,      "",        D::None,    false, false, 0, 0, 0, 1.0,
     "LVGL v9 LV_IMAGE_DECLARE(NAME); lv_image_set_src(image, &NAME), with the picture's transparency"},
    {"lvgl-argb8888",         C::LvglC,     L::Argb8888,      "",        D::None,    false, false, 0, 0, 0, 1.0,
     "LVGL v9 LV_IMAGE_DECLARE(NAME); lv_image_set_src(image, &NAME), 32-bit with transparency"},
    {"lvgl-l8",               C::LvglC,     L::Grey8,         "",        D::None,    false, false, 0, 0, 0, 1.0,
     "LVGL v9 LV_IMAGE_DECLARE(NAME); lv_image_set_src(image, &NAME), 256 greys"},
    {"lvgl-i1",               C::LvglC,     L::Mono,          "",        D::None,    false, false, 0, 0, 0, 1.0,
     "LVGL v9 LV_IMAGE_DECLARE(NAME); lv_image_set_src(image, &NAME), 1-bit indexed, black and white"},
    {"lvgl-bin-rgb565",       C::LvglBinary, L::Rgb565,       "",        D::None,    false, false, 0, 0, 0, 1.0,
     "LVGL v9 lv_image_set_src(image, \"S:NAME.bin\") from a file system"},
    {"bmp-24",                C::Bmp,       L::Mono,          "",        D::None,    false, false, 24, 0, 0, 1.0,
     "Adafruit_ImageReader reader.drawBMP(\"/NAME.bmp\", tft, x, y), TFT_eSPI's drawBmp example: 24-bit files only"},
    {"bmp-565",               C::Bmp,       L::Mono,          "",        D::None,    false, false, 16, 0, 0, 1.0,
     "readers of 16-bit 5-6-5 files with bit-field masks, such as LVGL's BMP decoder at 16-bit colour depth"},
    {"gxepd2-bmp",            C::Bmp,       L::Mono,          "bw",      D::None,    false, false, 1, 0, 0, 1.0,
     "GxEPD2_SD_Example drawBitmapFromSD(\"NAME.bmp\", x, y): a 1-bit file, black at index 0"},
    {"waveshare-7c-bmp",      C::Bmp,       L::Mono,          "epaper7", D::FloydSteinberg, false, false, 24, 0, 0, 1.0,
     "Waveshare e-Paper GUI_ReadBmp_RGB_7Color(\"NAME.bmp\", x, y): 24-bit, every pixel one of the seven inks, the width a multiple of 4", 4},
};

std::string Cell(std::string_view text, std::size_t width) {
    std::string s(text);
    if (s.size() < width) s.append(width - s.size(), ' ');
    return s + ' ';
}

}  // namespace

std::span<const DeviceProfile> BuiltInProfiles() { return kProfiles; }

const DeviceProfile* FindProfile(std::string_view name, const UserProfiles& user) {
    for (const DeviceProfile& p : kProfiles)
        if (p.name == name) return &p;
    for (const DeviceProfile& p : user.profiles)
        if (p.name == name) return &p;
    return nullptr;
}

std::string ProfileNames(const UserProfiles& user) {
    std::string names;
    for (const DeviceProfile& p : kProfiles) names += (names.empty() ? "" : ", ") + std::string(p.name);
    for (const DeviceProfile& p : user.profiles) names += ", " + std::string(p.name);
    return names;
}

ExportChoice ChoiceFromProfile(const DeviceProfile& p) {
    ExportChoice c;
    c.profile = p.name;
    c.container = p.container;
    c.layout = p.layout;
    c.bmpDepth = p.bmpDepth;
    c.palette = p.palette;
    c.dither = p.dither;
    c.invert = p.invert;
    c.progmem = p.progmem;
    c.adjust = {p.brightness, p.contrast, p.gamma};
    c.widthMultiple = p.widthMultiple;
    return c;
}

DeviceExport ExportWithoutPalette(const ExportChoice& c) {
    DeviceExport e;
    e.container = c.container;
    e.layout = c.layout;
    e.bmpDepth = c.container == DeviceContainer::Bmp ? c.bmpDepth : 0;
    e.dither = c.dither;
    e.thresholdPercent = c.thresholdPercent;
    e.invert = c.invert;
    e.progmem = c.progmem;
    e.adjust = c.adjust;
    e.width = c.width, e.height = c.height;
    e.fit = c.fit;
    e.filter = c.filter;
    e.profile = c.profile;
    // A remembered choice keeps its profile's name but not this: the built-in profile of that
    // name, still in its form, gives it.
    const DeviceProfile* p = c.widthMultiple == 0 ? FindProfile(c.profile, UserProfiles{}) : nullptr;
    e.widthMultiple = p && p->container == c.container && p->bmpDepth == c.bmpDepth ? p->widthMultiple : c.widthMultiple;
    return e;
}

ProfileExport ExportFromChoice(const ExportChoice& c, FileSystem& files) {
    ProfileExport r{ExportWithoutPalette(c), {}};
    if (!c.palette.empty()) r.palette = SetExportPalette(r.e, c.palette, files);
    return r;
}

ProfileExport ExportFromProfile(const DeviceProfile& p, FileSystem& files) {
    ProfileExport r = ExportFromChoice(ChoiceFromProfile(p), files);
    r.e.function = p.function;
    return r;
}

std::string CallFor(std::string_view function, std::string_view name) {
    std::string upper(name);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    std::string out;
    for (std::size_t at = 0; at < function.size();) {
        const std::size_t hit = function.find("NAME", at);
        out += function.substr(at, hit - at);
        if (hit == std::string_view::npos) break;
        const std::string_view rest = function.substr(hit + 4);
        out += rest.starts_with("_WIDTH") || rest.starts_with("_HEIGHT") ? upper : std::string(name);
        at = hit + 4;
    }
    return out;
}

std::string ProfileListText(const UserProfiles& user) {
    std::string out = Cell("PROFILE", 22) + Cell("FORMAT", 9) + Cell("LAYOUT", 15) + Cell("PALETTE", 8) + "FOR\n";
    const auto row = [&out](const DeviceProfile& p) {
        const std::string layout = p.container == DeviceContainer::Bmp
                                       ? (p.bmpDepth ? std::to_string(p.bmpDepth) + "-bit" : std::string("smallest"))
                                       : std::string(InfoOf(p.layout).name);
        out += Cell(p.name, 22) + Cell(InfoOf(p.container).name, 9) + Cell(layout, 15) +
               Cell(p.palette.empty() ? "-" : p.palette, 8) + std::string(p.function) + "\n";
    };
    for (const DeviceProfile& p : kProfiles) row(p);
    for (const DeviceProfile& p : user.profiles) row(p);
    return out;
}

}  // namespace rastrix
