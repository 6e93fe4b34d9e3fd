#include "raster/Limits.h"

#include <charconv>

namespace rastrix {
namespace {

std::string Shortest(double v) {
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, v);
    return ec == std::errc() ? std::string(text, end) : std::string();
}

std::string FromToText(const std::string& low, const std::string& high, std::string_view unit) {
    return "from " + low + std::string(unit) + " to " + high + std::string(unit);
}

}  // namespace

std::string FromTo(Limits limits, std::string_view unit) {
    return FromToText(std::to_string(limits.low), std::to_string(limits.high), unit);
}

std::string FromTo(RealLimits limits, std::string_view unit) {
    return FromToText(Shortest(limits.low), Shortest(limits.high), unit);
}

}  // namespace rastrix
