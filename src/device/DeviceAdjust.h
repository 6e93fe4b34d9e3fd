#pragma once
#include <cstdint>
#include <string>

#include "raster/Bitmap.h"
#include "raster/Limits.h"

namespace rastrix {

// Changes to the picture's tones made before its colours are mapped and dithered; photos for
// e-paper usually want them. Each channel value v (0..1) becomes
//   (v - 1/2) * tan((contrast + 100) / 200 * 90 degrees) + 1/2 + brightness / 100,
// held to 0..1, then raised to 1 / gamma, and is rounded to a level once, at the end.
// So contrast 0 keeps the slope, -100 makes every pixel mid-grey and +100 a hard threshold at
// mid-grey; gamma above 1 lightens the middle tones, below 1 darkens them.
struct Adjustments {
    int brightness = 0;   // kToneLimits: a share of white added
    int contrast = 0;     // kToneLimits
    double gamma = 1.0;   // kGammaLimits

    bool Any() const { return brightness != 0 || contrast != 0 || gamma != 1.0; }
    friend bool operator==(const Adjustments&, const Adjustments&) = default;
};

// The bounds of the adjustments, declared once: the check, the dialog, the profile file, the
// remembered export and rastrix-batch's options read them.
inline constexpr Limits kToneLimits{-100, 100};  // brightness and contrast
inline constexpr RealLimits kGammaLimits{0.1, 10.0};

// Which value is out of its range, the first of them; None when they can be used.
enum class AdjustmentProblem : std::uint8_t { None, Brightness, Contrast, Gamma };
AdjustmentProblem CheckAdjustments(const Adjustments& adjust);

// The 256 levels each channel value becomes.
struct ToneTable {
    unsigned char level[256];
};
ToneTable MakeToneTable(const Adjustments& adjust);

// Every pixel's channels through the table.
void AdjustTones(Bitmap& image, const Adjustments& adjust);

}  // namespace rastrix
