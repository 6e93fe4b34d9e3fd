#include "draw/StyleDialogs.h"
#include "draw/StyleSettings.h"
#include "editor/Host.h"
#include "raster/Canvas.h"

namespace rastrix {

namespace {

DialogTemplate MakeFillStyleTemplate() {
    DialogTemplate t;
    t.name = "BRUSH";
    t.caption = "Set Fill Style";
    t.rect = {0, 0, 212, 175};
    t.controls = {
        {DialogAnswer::Ok, ControlKind::PushButton, {144, 12, 50, 14}, "OK", true},
        {DialogAnswer::Cancel, ControlKind::PushButton, {144, 36, 50, 14}, "Cancel", true},
        {300, ControlKind::GroupBox, {8, 4, 120, 160}, "Style", false},
        {ControlId::StyleRadio + 0, ControlKind::RadioButton, {50, 20, 70, 12}, "Solid", true},
        {ControlId::StyleRadio + 1, ControlKind::RadioButton, {50, 40, 70, 12}, "Horizontal hatch", false},
        {ControlId::StyleRadio + 2, ControlKind::RadioButton, {50, 60, 70, 12}, "Vertical hatch", false},
        {ControlId::StyleRadio + 3, ControlKind::RadioButton, {50, 80, 70, 12}, "// diagonal hatch", false},
        {ControlId::StyleRadio + 4, ControlKind::RadioButton, {50, 100, 70, 12}, "\\\\ diagonal hatch", false},
        {ControlId::StyleRadio + 5, ControlKind::RadioButton, {50, 120, 70, 12}, "+ hatch", false},
        {ControlId::StyleRadio + 6, ControlKind::RadioButton, {50, 140, 70, 12}, "X hatch", false},
        {ControlId::SolidSample, ControlKind::Preview, {18, 18, 24, 16}, "", false},
        // The six hatch samples, 20 units apart below the solid one, each beside its style.
        {ControlId::StyleSamples, ControlKind::Preview, {18, 38, 24, 116}, "", false},
    };
    return t;
}

constexpr DialogUnitRect kSolidSample{18, 18, 24, 16};
constexpr int kSampleStep = 20;

}  // namespace

FillStyleDialog::FillStyleDialog(SettingsRecord& settings)
    : settings_(settings), pendingStyle_(HatchStyleIndexOf(settings)) {}

const DialogTemplate& FillStyleDialog::Template() const {
    static const DialogTemplate t = MakeFillStyleTemplate();
    return t;
}

bool FillStyleDialog::Checked(int id) const { return id == ControlId::StyleRadio + pendingStyle_; }

void FillStyleDialog::Command(int id) {
    if (id >= ControlId::StyleRadio && id < ControlId::StyleRadio + kFillStyleCount) {
        pendingStyle_ = id - ControlId::StyleRadio;
    } else if (id == DialogAnswer::Ok) {
        settings_.hatchStyleIndex = std::uint8_t(pendingStyle_);
        End(DialogAnswer::Ok);
    } else if (id == DialogAnswer::Cancel) {
        End(DialogAnswer::Cancel);
    }
}

void FillStyleDialog::DrawPreview(int id, Bitmap& picture, Point origin) const {
    Canvas canvas(picture);
    if (id == ControlId::SolidSample) {
        canvas.FillRect(picture.Bounds(), Brush::Solid(ColorFromRgb(0, 0, 0)));
        return;
    }
    if (id != ControlId::StyleSamples) return;
    canvas.SelectPen(Pen(PS_SOLID, 1, ColorFromRgb(0, 0, 0)));
    // Hatches line up with the dialog's own origin, not the picture's.
    canvas.SetBrushOrg({-origin.x, -origin.y});
    DialogUnitRect sample = kSolidSample;
    for (int style = 1; style < kFillStyleCount; ++style) {
        sample.y += kSampleStep;
        canvas.SelectBrush(Brush::Hatched(kHatchStyles[std::size_t(style)], ColorFromRgb(0, 0, 0)));
        const Rect px = DialogUnitsToPixels(sample, Units());
        canvas.Rectangle(px.left - origin.x, px.top - origin.y, px.right - origin.x, px.bottom - origin.y);
    }
}

}  // namespace rastrix
