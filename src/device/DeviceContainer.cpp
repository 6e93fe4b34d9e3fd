#include "device/DeviceContainer.h"

#include <algorithm>
#include <array>

namespace rastrix {

namespace {

using C = DeviceContainer;

constexpr ContainerInfo kContainers[] = {
    {C::Bmp, "bmp", ".bmp", "a BMP file (the default): --depth and --palette give its form"},
    {C::CSource, "c", ".h", "a C header: const arrays with NAME_WIDTH and NAME_HEIGHT, compiled into the firmware"},
    {C::Binary, "bin", ".bin", "the packed bytes alone, as the display takes them"},
    {C::Xbm, "xbm", ".xbm", "an X bitmap (layout mono-lsb), as u8g2's drawXBM and image viewers take it"},
    {C::LvglBinary, "lvgl-bin", ".bin", "an LVGL v9 image file: its 12-byte header, the palette, the pixels"},
    {C::LvglC, "lvgl-c", ".c", "an LVGL v9 image as C source: the bytes and an lv_image_dsc_t"},
};

static_assert([] {
    for (std::size_t i = 0; i < std::size(kContainers); ++i)
        if (std::size_t(kContainers[i].container) != i) return false;
    return true;
}());

constexpr std::array<std::string_view, 44> kKeywords{
    "auto",     "break",    "case",     "char",   "const",    "continue", "default",  "do",      "double",
    "else",     "enum",     "extern",   "float",  "for",      "goto",     "if",       "inline",  "int",
    "long",     "register", "restrict", "return", "short",    "signed",   "sizeof",   "static",  "struct",
    "switch",   "typedef",  "union",    "unsigned", "void",   "volatile", "while",    "bool",    "true",
    "false",    "class",    "new",      "delete", "this",     "template", "namespace", "operator"};

bool IsKeyword(std::string_view name) { return std::find(kKeywords.begin(), kKeywords.end(), name) != kKeywords.end(); }

bool IsIdentifierChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

std::span<const ContainerInfo> DeviceContainers() { return kContainers; }

const ContainerInfo& InfoOf(DeviceContainer container) { return kContainers[std::size_t(container)]; }

std::optional<DeviceContainer> ContainerByName(std::string_view name) {
    for (const ContainerInfo& c : kContainers)
        if (c.name == name) return c.container;
    return std::nullopt;
}

std::string ContainerNames() {
    std::string names;
    for (const ContainerInfo& c : kContainers) names += (names.empty() ? "" : ", ") + std::string(c.name);
    return names;
}

bool ContainerTakes(DeviceContainer container, DeviceLayout layout) {
    switch (container) {
        case C::CSource:
        case C::Binary: return true;
        case C::Xbm: return layout == DeviceLayout::MonoLsb;
        case C::LvglBinary:
        case C::LvglC: return LvglColorFormat(layout).has_value();
        case C::Bmp: return false;  // its form is a depth and a palette
    }
    return false;
}

std::string LayoutsOf(DeviceContainer container) {
    std::string names;
    for (const LayoutInfo& l : DeviceLayouts())
        if (ContainerTakes(container, l.layout)) names += (names.empty() ? "" : ", ") + std::string(l.name);
    return names;
}

std::string IdentifierFromFileName(std::string_view path) {
    if (const std::size_t slash = path.rfind('/'); slash != std::string_view::npos) path.remove_prefix(slash + 1);
    if (const std::size_t dot = path.find('.'); dot != std::string_view::npos && dot > 0) path = path.substr(0, dot);
    std::string id;
    for (const char c : path) id += IsIdentifierChar(c) ? c : '_';
    if (id.empty()) return "image";
    if (id[0] >= '0' && id[0] <= '9') id = "image_" + id;
    if (id.size() > 63) id.resize(63);
    if (IsKeyword(id)) id += '_';
    return id;
}

bool IsCIdentifier(std::string_view name) {
    if (name.empty() || name.size() > 63 || (name[0] >= '0' && name[0] <= '9')) return false;
    return std::all_of(name.begin(), name.end(), IsIdentifierChar) && !IsKeyword(name);
}

}  // namespace rastrix
