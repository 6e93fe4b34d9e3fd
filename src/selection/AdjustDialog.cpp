#include "selection/AdjustDialog.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "editor/Editor.h"
#include "editor/Text.h"
#include "view/EditorView.h"

namespace rastrix {
namespace {

DialogTemplate MakeAdjustTemplate() {
    using K = ControlKind;
    DialogTemplate t;
    t.name = "ADJUST";
    t.caption = "Adjust Selection";
    t.rect = {0, 0, 100, 100};
    t.controls = {
        {702, K::Text, {10, 12, 20, 8}, "In:", false},
        {703, K::Text, {10, 32, 20, 8}, "Down:", false},
        {704, K::Text, {10, 52, 20, 8}, "Width:", false},
        {705, K::Text, {10, 72, 30, 8}, "Height:", false},
        {ControlId::AdjustLeft, K::Edit, {44, 10, 24, 12}, "", true},
        {ControlId::AdjustTop, K::Edit, {44, 30, 24, 12}, "", true},
        {ControlId::AdjustWidth, K::Edit, {44, 50, 24, 12}, "", true},
        {ControlId::AdjustHeight, K::Edit, {44, 70, 24, 12}, "", true},
        // Across for In and Width, upright for Down and Height.
        {ControlId::AdjustLeft + ControlId::AdjustArrowsOffset, K::UpDown, {67, 10, 18, 12}, "UpDownI", false},
        {ControlId::AdjustTop + ControlId::AdjustArrowsOffset, K::UpDown, {70, 28, 12, 16}, "UpDownD", false},
        {ControlId::AdjustWidth + ControlId::AdjustArrowsOffset, K::UpDown, {67, 50, 18, 12}, "UpDownW", false},
        {ControlId::AdjustHeight + ControlId::AdjustArrowsOffset, K::UpDown, {70, 68, 12, 16}, "UpDownH", false},
    };
    return t;
}

std::string Unsigned(std::int64_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%u", unsigned(std::uint32_t(v)));
    return text;
}

int ClampInt(std::int64_t v) {
    return int(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

AdjustSelectionDialog* Model(const Editor& ed) { return static_cast<AdjustSelectionDialog*>(ed.adjustDialog.get()); }

}  // namespace

const DialogTemplate& AdjustSelectionDialog::Template() const {
    static const DialogTemplate t = MakeAdjustTemplate();
    return t;
}

std::string AdjustSelectionDialog::Text(int id) const {
    if (IsField(id)) return texts_[std::size_t(id - ControlId::AdjustLeft)];
    return DialogModel::Text(id);
}

void AdjustSelectionDialog::TextChanged(int id, std::string_view text) {
    if (IsField(id)) FieldText(id) = std::string(text);
}

void AdjustSelectionDialog::EditCommitted(int id) {
    if (!IsField(id)) return;
    const std::int64_t v = ParseAdjustField(FieldText(id));
    Rect& r = ed_.selection.rect;
    switch (id) {
        case ControlId::AdjustLeft:  // moves the selection, its width stays
            r.right = ClampInt(std::int64_t(r.right) + v - r.left);
            r.left = int(v);
            break;
        case ControlId::AdjustTop:
            r.bottom = ClampInt(std::int64_t(r.bottom) + v - r.top);
            r.top = int(v);
            break;
        case ControlId::AdjustWidth: r.right = ClampInt(std::int64_t(r.left) + v); break;
        case ControlId::AdjustHeight: r.bottom = ClampInt(std::int64_t(r.top) + v); break;
    }
    Changed();
}

void AdjustSelectionDialog::Spin(int id, int delta) {
    const int field = id - ControlId::AdjustArrowsOffset;
    if (!IsField(field)) return;
    // The arrow moves the focus to its field, and leaving a field applies what was typed there.
    if (focused_ != field) {
        EditCommitted(focused_);
        focused_ = field;
    }
    const int d = delta < 0 ? -1 : 1;  // +1: the right arrow, or the up arrow
    Rect& r = ed_.selection.rect;
    switch (field) {
        case ControlId::AdjustLeft: r.left += d, r.right += d; break;
        case ControlId::AdjustTop: r.top -= d, r.bottom -= d; break;  // up moves the selection up
        case ControlId::AdjustWidth: r.right += d; break;
        case ControlId::AdjustHeight: r.bottom += d; break;         // up makes it taller
    }
    Changed();
}

void AdjustSelectionDialog::Command(int id) {
    if (id == DialogAnswer::Ok) {
        // Enter applies the focused field and keeps the focus there.
        EditCommitted(focused_);
        selected_ = {0, std::min<int>(4, int(FieldText(focused_).size()))};
    } else if (id == DialogAnswer::Cancel) {
        CloseAdjustDialog(ed_);
    }
}

void AdjustSelectionDialog::FieldFocused(int id) {
    if (IsField(id)) focused_ = id;
}

void AdjustSelectionDialog::Opened() {
    open_ = true;
    focused_ = ControlId::AdjustLeft;
    Refresh();
    // The first field takes the focus with its whole text selected.
    selected_ = {0, int(FieldText(focused_).size())};
}

void AdjustSelectionDialog::Refresh() {
    const Rect& r = ed_.selection.rect;
    FieldText(ControlId::AdjustLeft) = Unsigned(r.left);
    FieldText(ControlId::AdjustTop) = Unsigned(r.top);
    FieldText(ControlId::AdjustWidth) = Unsigned(std::int64_t(r.right) - r.left);
    FieldText(ControlId::AdjustHeight) = Unsigned(std::int64_t(r.bottom) - r.top);
    selected_ = {0, std::min<int>(4, int(FieldText(focused_).size()))};
}

void AdjustSelectionDialog::Changed() {
    ClampSelectionCornerOntoImage(ed_);
    InvalidateImageWindow(ed_);
    Refresh();
    if (open_) ed_.host.RefreshModeless(*this);
}

void OpenAdjustDialog(Editor& ed) {
    if (AdjustDialogOpen(ed)) return;
    if (!ed.adjustDialog) ed.adjustDialog = std::make_unique<AdjustSelectionDialog>(ed);
    AdjustSelectionDialog& dialog = *Model(ed);
    dialog.Opened();
    ed.host.ShowModeless(dialog, ed.settings.adjustOffsetX, ed.settings.adjustOffsetY);
}

void CloseAdjustDialog(Editor& ed) {
    if (!AdjustDialogOpen(ed)) return;
    AdjustSelectionDialog& dialog = *Model(ed);
    dialog.Closed();
    ed.host.CloseModeless(dialog);
}

bool AdjustDialogOpen(const Editor& ed) { return ed.adjustDialog && Model(ed)->IsOpen(); }

AdjustSelectionDialog* OpenAdjustDialogModel(Editor& ed) { return AdjustDialogOpen(ed) ? Model(ed) : nullptr; }

void AdjustDialogMoved(Editor& ed, int offsetX, int offsetY) {
    // Kept at once rather than at the close, so the place also survives quitting with the
    // dialog open.
    ed.settings.adjustOffsetX = static_cast<std::int16_t>(offsetX);
    ed.settings.adjustOffsetY = static_cast<std::int16_t>(offsetY);
}

void ClampSelectionCornerOntoImage(Editor& ed) {
    Rect& r = ed.selection.rect;
    const int w = ed.doc.imageWidth;
    const int h = ed.doc.imageHeight;
    // Without an image the last column and row do not exist; 0 keeps every side non-negative.
    const int lastColumn = std::max(w - 1, 0);
    const int lastRow = std::max(h - 1, 0);
    if (r.left < 0) r.left = 0;
    if (r.left >= w) r.left = lastColumn;
    if (r.top < 0) r.top = 0;
    if (r.top >= h) r.top = lastRow;
    if (r.right < r.left) r.right = r.left;
    if (r.right > w) r.right = std::max(w, r.left);
    if (r.bottom < r.top) r.bottom = r.top;
    if (r.bottom > h) r.bottom = std::max(h, r.top);
}

int ParseAdjustField(std::string_view text) {
    const std::uint32_t value = ParseDecimal(text.substr(0, std::min(text.size(), kAdjustFieldReadLength)));
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

}  // namespace rastrix
