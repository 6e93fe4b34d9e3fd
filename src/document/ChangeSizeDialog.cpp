#include "document/ChangeSizeDialog.h"

#include "document/NewImageDialog.h"
#include "editor/Host.h"

namespace rastrix {

namespace {

DialogTemplate MakeTemplate() {
    using K = ControlKind;
    return {"CHGSIZE",
            "Change File Size",
            {0, 0, 212, 52},
            {
                {101, K::Text, {14, 9, 50, 8}, "Image Width:", false},
                {ChangeSizeDialog::kWidthEdit, K::Edit, {72, 7, 28, 13}, "", true},
                {102, K::Text, {14, 29, 50, 8}, "Image Height:", false},
                {ChangeSizeDialog::kHeightEdit, K::Edit, {72, 27, 28, 13}, "", true},
                {DialogAnswer::Ok, K::PushButton, {144, 7, 50, 14}, "OK", true},
                {DialogAnswer::Cancel, K::PushButton, {144, 30, 50, 14}, "Cancel", true},
            }};
}

}  // namespace

ChangeSizeDialog::ChangeSizeDialog(Editor& ed, std::int32_t width, std::int32_t height)
    : ed_(ed), widthText_(std::to_string(std::uint32_t(width))), heightText_(std::to_string(std::uint32_t(height))) {}

const DialogTemplate& ChangeSizeDialog::Template() const {
    static const DialogTemplate t = MakeTemplate();
    return t;
}

std::string ChangeSizeDialog::Text(int id) const {
    if (id == kWidthEdit) return widthText_;
    if (id == kHeightEdit) return heightText_;
    return DialogModel::Text(id);
}

void ChangeSizeDialog::TextChanged(int id, std::string_view text) {
    if (id == kWidthEdit) widthText_ = text;
    if (id == kHeightEdit) heightText_ = text;
}

void ChangeSizeDialog::Command(int id) {
    if (id == DialogAnswer::Ok) {
        // No size at all (both fields empty or 0) is taken as Cancel.
        if (ReadSizeField(widthText_) == 0 && ReadSizeField(heightText_) == 0)
            End(0);
        else if (std::uint32_t width = 0, height = 0; AcceptSizeFields(ed_, widthText_, heightText_, width, height)) {
            params_ = {int(width), int(height)};
            End(DialogAnswer::Ok);
        }
    } else if (id == DialogAnswer::Cancel) {
        End(0);
    }
}

}  // namespace rastrix
