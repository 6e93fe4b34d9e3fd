#pragma once
#include <string>
#include <string_view>

namespace rastrix {

// The bounds of a number a command, a dialog field, a file or an option takes, both included.
// Each is declared once, beside what takes it; the checks of both front ends and every message
// that names the bounds read it ("from 2 to 256").
template <typename T>
struct LimitsOf {
    T low{}, high{};
    constexpr bool Hold(T v) const { return v >= low && v <= high; }  // never for a NaN
    friend constexpr bool operator==(LimitsOf, LimitsOf) = default;
};
using Limits = LimitsOf<int>;
using RealLimits = LimitsOf<double>;

// "from 2 to 256", with `unit` after each number ("%"); a real number in its shortest form
// ("from 0.1 to 10").
std::string FromTo(Limits limits, std::string_view unit = {});
std::string FromTo(RealLimits limits, std::string_view unit = {});

}  // namespace rastrix
