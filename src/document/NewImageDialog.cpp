#include "document/NewImageDialog.h"

#include <string>

#include "codec/BmpHeader.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ReportError.h"
#include "editor/Text.h"

namespace rastrix {

namespace {

constexpr std::size_t kSizeFieldChars = 6;

DialogTemplate MakeTemplate() {
    using K = ControlKind;
    return {"FILENEW",
            "Create New File",
            {0, 0, 212, 152},
            {
                {101, K::Text, {14, 6, 50, 8}, "Image Width:", false},
                {NewImageDialog::kWidthEdit, K::Edit, {72, 4, 28, 13}, "", true},
                {102, K::Text, {14, 26, 50, 8}, "Image Height:", false},
                {NewImageDialog::kHeightEdit, K::Edit, {72, 24, 28, 13}, "", true},
                {500, K::GroupBox, {8, 44, 110, 95}, "Bits per Pixel", false},
                {NewImageDialog::kDepth1, K::RadioButton, {20, 60, 80, 12}, "1 (Monochrome)", true},
                {NewImageDialog::kDepth4, K::RadioButton, {20, 80, 60, 12}, "4 (16 colors)", true},
                {NewImageDialog::kDepth8, K::RadioButton, {20, 100, 60, 12}, "8 (256 colors)", true},
                {NewImageDialog::kDepth24, K::RadioButton, {20, 120, 80, 12}, "24 (2^24 colors)", true},
                {DialogAnswer::Ok, K::PushButton, {144, 12, 50, 14}, "OK", true},
                {DialogAnswer::Cancel, K::PushButton, {144, 36, 50, 14}, "Cancel", true},
            }};
}

int DepthOfRadio(int id) {
    switch (id) {
        case NewImageDialog::kDepth1: return 1;
        case NewImageDialog::kDepth4: return 4;
        case NewImageDialog::kDepth8: return 8;
        case NewImageDialog::kDepth24: return 24;
        default: return 0;
    }
}

}  // namespace

std::optional<std::string_view> RefuseImageSize(std::uint32_t width, std::uint32_t height) {
    if (width == 0 || height == 0) return kZeroSizeText;
    if (width > std::uint32_t(kBmpMaxSide) || height > std::uint32_t(kBmpMaxSide)) return kSideTooLargeText;
    if (std::int64_t(width) * std::int64_t(height) > kBmpMaxPixels) return kTooManyPixelsText;
    return std::nullopt;
}

bool AcceptImageSize(Editor& ed, int width, int height) {
    const auto why = width < 0 || height < 0 ? kZeroSizeText : RefuseImageSize(std::uint32_t(width), std::uint32_t(height));
    if (why) ReportProblem(ed, std::string(*why));
    return !why;
}

std::uint32_t ReadSizeField(std::string_view text) { return ParseDecimal(text.substr(0, kSizeFieldChars)); }

bool AcceptSizeFields(Editor& ed, std::string_view widthText, std::string_view heightText,
                      std::uint32_t& width, std::uint32_t& height) {
    const std::uint32_t w = ReadSizeField(widthText);
    const std::uint32_t h = ReadSizeField(heightText);
    if (const auto why = RefuseImageSize(w, h)) {
        ReportProblem(ed, std::string(*why));
        return false;
    }
    width = w;
    height = h;
    return true;
}

NewImageDialog::NewImageDialog(Editor& ed) : ed_(ed) {}

const DialogTemplate& NewImageDialog::Template() const {
    static const DialogTemplate t = MakeTemplate();
    return t;
}

std::string NewImageDialog::Text(int id) const {
    if (id == kWidthEdit) return widthText_;
    if (id == kHeightEdit) return heightText_;
    return DialogModel::Text(id);
}

void NewImageDialog::TextChanged(int id, std::string_view text) {
    if (id == kWidthEdit) widthText_ = text;
    if (id == kHeightEdit) heightText_ = text;
}

bool NewImageDialog::Checked(int id) const { return DepthOfRadio(id) != 0 && DepthOfRadio(id) == bitDepth_; }

void NewImageDialog::Command(int id) {
    if (const int depth = DepthOfRadio(id)) {
        bitDepth_ = depth;
    } else if (id == DialogAnswer::Ok) {
        if (AcceptSizeFields(ed_, widthText_, heightText_, width_, height_)) End(DialogAnswer::Ok);
    } else if (id == DialogAnswer::Cancel) {
        End(0);
    }
}

}  // namespace rastrix
