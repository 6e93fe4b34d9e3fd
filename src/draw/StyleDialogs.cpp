#include "draw/StyleDialogs.h"

#include <cstdint>

#include "editor/Editor.h"

namespace rastrix {

namespace {

// a * b / c rounded half away from zero, as the platform's MulDiv.
int MulDiv(int a, int b, int c) {
    const std::int64_t p = std::int64_t(a) * b;
    const std::int64_t q = (p >= 0 ? p + c / 2 : p - c / 2) / c;
    return int(q);
}

}  // namespace

Rect DialogUnitsToPixels(const DialogUnitRect& r, DialogBaseUnits u) {
    return {MulDiv(r.x, u.x, 4), MulDiv(r.y, u.y, 8), MulDiv(r.x + r.width, u.x, 4), MulDiv(r.y + r.height, u.y, 8)};
}

std::optional<Bitmap> StyleDialog::Preview(int id) const {
    const DialogControl* control = FindControl(id);
    if (!control || control->kind != ControlKind::Preview) return std::nullopt;
    for (const Cached& c : cache_)
        if (c.id == id && c.revision == revision_) return c.picture;
    const Rect px = DialogUnitsToPixels(control->rect, units_);
    Bitmap picture(px.Width(), px.Height(), face_);
    DrawPreview(id, picture, {px.left, px.top});
    std::erase_if(cache_, [id](const Cached& c) { return c.id == id; });
    cache_.push_back({id, revision_, picture});
    return picture;
}

void StyleDialog::SetDialogBaseUnits(DialogBaseUnits units) {
    if (units.x <= 0 || units.y <= 0) return;
    units_ = units;
    SamplesChanged();
}

void StyleDialog::SetFaceColor(Color face) {
    face_ = ClearTopByte(face);
    SamplesChanged();
}

void StyleDialog::SamplesChanged() { ++revision_; }

void SetLineStyle(Editor& ed) {
    LineStyleDialog dialog(ed.settings);
    ed.host.RunModal(dialog);
}

void SetFillStyle(Editor& ed) {
    FillStyleDialog dialog(ed.settings);
    ed.host.RunModal(dialog);
}

}  // namespace rastrix
