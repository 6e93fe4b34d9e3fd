#include "raster/Color.h"

#include <cstdio>
#include <ostream>

namespace rastrix {

namespace {

std::ostream& PrintWord(std::ostream& out, const char* kind, std::uint32_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%s 0x%08X", kind, static_cast<unsigned>(value));
    return out << text;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, Color c) { return PrintWord(out, "Color", ValueOf(c)); }
std::ostream& operator<<(std::ostream& out, Pixel p) { return PrintWord(out, "Pixel", ValueOf(p)); }

}  // namespace rastrix
