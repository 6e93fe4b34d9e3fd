#include "edit/ScaleImageDialog.h"

#include <cstdint>

#include "document/NewImageDialog.h"
#include "editor/Host.h"

namespace rastrix {

namespace {

DialogTemplate MakeTemplate() {
    using K = ControlKind;
    return {"SCALEIMAGE",
            "Scale Image",
            {0, 0, 212, 116},
            {
                {101, K::Text, {14, 9, 50, 8}, "&Width:", false},
                {ScaleImageDialog::kWidthEdit, K::Edit, {72, 7, 40, 13}, "", true},
                {102, K::Text, {14, 29, 50, 8}, "&Height:", false},
                {ScaleImageDialog::kHeightEdit, K::Edit, {72, 27, 40, 13}, "", true},
                {ScaleImageDialog::kKeepAspectBox, K::CheckBox, {14, 47, 110, 12}, "&Keep aspect ratio", true},
                {103, K::Text, {14, 69, 50, 8}, "&Filter:", false},
                {ScaleImageDialog::kFilterList, K::DropList, {56, 67, 140, 40}, "", true},
                {104, K::Text, {14, 91, 50, 8}, "F&it:", false},  // as wide as the filter's label, so each list keeps its own
                {ScaleImageDialog::kFitList, K::DropList, {56, 89, 140, 50}, "", true},
                {DialogAnswer::Ok, K::DefPushButton, {144, 7, 50, 14}, "OK", true},
                {DialogAnswer::Cancel, K::PushButton, {144, 27, 50, 14}, "Cancel", true},
            }};
}

}  // namespace

ScaleImageDialog::ScaleImageDialog(Editor& ed, int imageWidth, int imageHeight)
    : ed_(ed),
      imageWidth_(imageWidth),
      imageHeight_(imageHeight),
      widthText_(std::to_string(imageWidth)),
      heightText_(std::to_string(imageHeight)) {}

const DialogTemplate& ScaleImageDialog::Template() const {
    static const DialogTemplate t = MakeTemplate();
    return t;
}

std::string ScaleImageDialog::Text(int id) const {
    if (id == kWidthEdit) return widthText_;
    if (id == kHeightEdit) return heightText_;
    return DialogModel::Text(id);
}

void ScaleImageDialog::FollowRatio(int changedId) {
    // Fit and cover take the two sides as the frame to fill, whatever the image's ratio.
    if (!keepAspect_ || fit_ != kSizeAsTyped || imageWidth_ < 1 || imageHeight_ < 1) return;
    const bool widthChanged = changedId == kWidthEdit;
    const std::uint32_t typed = ReadSizeField(widthChanged ? widthText_ : heightText_);
    if (typed == 0) return;
    if (widthChanged)
        heightText_ = std::to_string(ProportionalSide(typed, imageHeight_, imageWidth_));
    else
        widthText_ = std::to_string(ProportionalSide(typed, imageWidth_, imageHeight_));
}

void ScaleImageDialog::TextChanged(int id, std::string_view text) {
    if (id == kWidthEdit) widthText_ = text;
    else if (id == kHeightEdit) heightText_ = text;
    else return;
    FollowRatio(id);
}

bool ScaleImageDialog::Checked(int id) const { return id == kKeepAspectBox && keepAspect_; }

std::vector<std::string> ScaleImageDialog::Items(int id) const {
    if (id == kFitList)
        return {"The size above", "Fit inside, pad with the background colour", "Cover, cut off what sticks out"};
    if (id != kFilterList) return {};
    return {"Smooth (for photos)", "Nearest pixel (for pixel art)"};
}

int ScaleImageDialog::Selection(int id) const { return id == kFilterList ? filter_ : id == kFitList ? fit_ : -1; }

void ScaleImageDialog::Select(int id, int index) {
    if (id == kFilterList && (index == kSmoothFilter || index == kNearestFilter)) filter_ = index;
    if (id == kFitList && index >= kSizeAsTyped && index <= kCoverSize) fit_ = index;
}

void ScaleImageDialog::Command(int id) {
    if (id == kKeepAspectBox) {
        keepAspect_ = !keepAspect_;
        FollowRatio(kWidthEdit);
    } else if (id == DialogAnswer::Ok) {
        std::uint32_t width = 0, height = 0;
        if (!AcceptSizeFields(ed_, widthText_, heightText_, width, height)) return;
        params_ = {int(width), int(height), keepAspect_,
                   filter_ == kNearestFilter ? ScaleFilter::Nearest : ScaleFilter::Lanczos,
                   fit_ == kFitInside ? ScaleFit::Fit : fit_ == kCoverSize ? ScaleFit::Cover : ScaleFit::Exact};
        End(DialogAnswer::Ok);
    } else if (id == DialogAnswer::Cancel) {
        End(0);
    }
}

}  // namespace rastrix
