#pragma once
#include <charconv>
#include <optional>
#include <string_view>
#include <system_error>

namespace rastrix {

// The whole text as a number from low to high ("-12", "40", "1.5"), or nothing: an empty text,
// a blank, a plus sign or anything after the number makes it no number. Stored values, profile
// files and dialog fields all read their numbers this way.
template <class T>
std::optional<T> NumberIn(std::string_view text, T low, T high) {
    T v{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !(v >= low && v <= high))
        return std::nullopt;
    return v;
}

// The same within declared limits: anything with `low` and `high` (LimitsOf, raster/Limits.h).
template <class L>
auto NumberIn(std::string_view text, const L& limits) -> decltype(NumberIn(text, limits.low, limits.high)) {
    return NumberIn(text, limits.low, limits.high);
}

}  // namespace rastrix
