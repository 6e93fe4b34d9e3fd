#include "draw/StyleDialogs.h"
#include "draw/StyleSettings.h"
#include "editor/Host.h"
#include "raster/Canvas.h"

namespace rastrix {

namespace {

DialogTemplate MakeLineStyleTemplate() {
    DialogTemplate t;
    t.name = "PEN";
    t.caption = "Set Line Style";
    t.rect = {0, 0, 212, 175};
    t.controls = {
        {DialogAnswer::Ok, ControlKind::PushButton, {154, 12, 50, 14}, "OK", true},
        {DialogAnswer::Cancel, ControlKind::PushButton, {154, 36, 50, 14}, "Cancel", true},
        {300, ControlKind::Text, {14, 6, 40, 8}, "Line Width", false},
        {ControlId::LineWidth, ControlKind::DropList, {74, 5, 28, 99}, "", true},
        {301, ControlKind::GroupBox, {8, 24, 136, 120}, "Line Style", false},
        {ControlId::StyleRadio + 0, ControlKind::RadioButton, {80, 40, 60, 12}, "Solid", true},
        {ControlId::StyleRadio + 1, ControlKind::RadioButton, {80, 60, 60, 12}, "Dot", false},
        {ControlId::StyleRadio + 2, ControlKind::RadioButton, {80, 80, 60, 12}, "Dash", false},
        {ControlId::StyleRadio + 3, ControlKind::RadioButton, {80, 100, 60, 12}, "Dash-Dot", false},
        {ControlId::StyleRadio + 4, ControlKind::RadioButton, {80, 120, 60, 12}, "Dash-Dot-Dot", false},
        {700, ControlKind::Text, {16, 150, 112, 20}, "Note: Line Style is only available when Line Width is 1.", false},
        // The five sample lines run from x 16 to 72 at rows 44, 64, ... 124, each beside its style.
        {ControlId::StyleSamples, ControlKind::Preview, {12, 38, 64, 94}, "", false},
    };
    return t;
}

constexpr DialogUnitRect kFirstLine{16, 44, 56, 0};
constexpr int kLineStep = 20;

}  // namespace

LineStyleDialog::LineStyleDialog(SettingsRecord& settings)
    : settings_(settings),
      pendingStyle_(LineStyleIndexOf(settings)),
      pendingWidth_(LineWidthOf(settings)),
      widthSelection_(pendingWidth_ - kLineWidthLimits.low) {}

const DialogTemplate& LineStyleDialog::Template() const {
    static const DialogTemplate t = MakeLineStyleTemplate();
    return t;
}

bool LineStyleDialog::Checked(int id) const { return id == ControlId::StyleRadio + pendingStyle_; }

std::vector<std::string> LineStyleDialog::Items(int id) const {
    if (id != ControlId::LineWidth) return {};
    std::vector<std::string> items;
    for (int w = kLineWidthLimits.low; w <= kLineWidthLimits.high; ++w) items.push_back(std::to_string(w));
    return items;
}

int LineStyleDialog::Selection(int id) const { return id == ControlId::LineWidth ? widthSelection_ : -1; }

void LineStyleDialog::Select(int id, int index) {
    if (id != ControlId::LineWidth || index < 0 || !kLineWidthLimits.Hold(index + kLineWidthLimits.low)) return;
    widthSelection_ = index;
    // Only a new width changes the samples; choosing the same one again draws nothing.
    if (index + kLineWidthLimits.low != pendingWidth_) {
        pendingWidth_ = index + kLineWidthLimits.low;
        SamplesChanged();
    }
}

void LineStyleDialog::Command(int id) {
    if (id >= ControlId::StyleRadio && id < ControlId::StyleRadio + kLineStyleCount) {
        pendingStyle_ = id - ControlId::StyleRadio;
    } else if (id == DialogAnswer::Ok) {
        settings_.lineWidth = std::uint8_t(widthSelection_ + 1);
        settings_.lineStyleIndex = std::uint8_t(pendingStyle_);
        End(DialogAnswer::Ok);
    } else if (id == DialogAnswer::Cancel) {
        End(DialogAnswer::Cancel);
    }
}

void LineStyleDialog::DrawPreview(int id, Bitmap& picture, Point origin) const {
    if (id != ControlId::StyleSamples) return;
    Canvas canvas(picture);
    DialogUnitRect line = kFirstLine;
    for (int style = 0; style < kLineStyleCount; ++style, line.y += kLineStep) {
        canvas.SelectPen(Pen(kPenStyles[std::size_t(style)], pendingWidth_, ColorFromRgb(0, 0, 0)));
        const Rect px = DialogUnitsToPixels(line, Units());
        canvas.MoveTo(px.left - origin.x, px.top - origin.y);
        canvas.LineTo(px.right - origin.x, px.top - origin.y);
    }
}

}  // namespace rastrix
