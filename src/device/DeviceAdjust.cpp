#include "device/DeviceAdjust.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace rastrix {

AdjustmentProblem CheckAdjustments(const Adjustments& adjust) {
    if (!kToneLimits.Hold(adjust.brightness)) return AdjustmentProblem::Brightness;
    if (!kToneLimits.Hold(adjust.contrast)) return AdjustmentProblem::Contrast;
    if (!kGammaLimits.Hold(adjust.gamma)) return AdjustmentProblem::Gamma;
    return AdjustmentProblem::None;
}

ToneTable MakeToneTable(const Adjustments& adjust) {
    ToneTable t{};
    // At +100 the slope would be infinite: a step at mid-grey, which a very steep slope gives.
    const double angle = std::min((adjust.contrast + 100) / 200.0, 0.9999) * std::numbers::pi / 2;
    const double slope = std::tan(angle);
    for (int i = 0; i < 256; ++i) {
        double v = (i / 255.0 - 0.5) * slope + 0.5 + adjust.brightness / 100.0;
        v = std::clamp(v, 0.0, 1.0);
        if (adjust.gamma != 1.0) v = std::pow(v, 1.0 / adjust.gamma);
        t.level[i] = static_cast<unsigned char>(std::lround(v * 255.0));
    }
    return t;
}

void AdjustTones(Bitmap& image, const Adjustments& adjust) {
    if (!adjust.Any()) return;
    const ToneTable t = MakeToneTable(adjust);
    for (int y = 0; y < image.Height(); ++y) {
        Pixel* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            const Pixel p = row[x];
            row[x] = PixelFromRgb(t.level[RedOf(p)], t.level[GreenOf(p)], t.level[BlueOf(p)]);
        }
    }
}

}  // namespace rastrix
