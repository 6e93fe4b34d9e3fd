#include "edit/ScaleImageDialog.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "document/NewImageDialog.h"
#include "edit/ScaleImagePreview.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ImageStack.h"
#include "editor/Text.h"
#include "view/EditorView.h"

namespace rastrix {

namespace {

// The anchor list, in the order of ScaleAnchor.
constexpr std::array<const char*, 9> kAnchorItems{"Centre",      "Top left", "Top",    "Top right",   "Left",
                                                  "Right",       "Bottom left", "Bottom", "Bottom right"};

DialogTemplate MakeTemplate() {
    using K = ControlKind;
    using D = ScaleImageDialog;
    return {"SCALEIMAGE",
            "Scale Image",
            {0, 0, 212, 310},
            {
                {101, K::Text, {14, 9, 50, 8}, "&Width:", false},
                {D::kWidthEdit, K::Edit, {72, 7, 40, 13}, "", true},
                {102, K::Text, {14, 29, 50, 8}, "&Height:", false},
                {D::kHeightEdit, K::Edit, {72, 27, 40, 13}, "", true},
                {D::kKeepAspectBox, K::CheckBox, {14, 47, 110, 12}, "&Keep aspect ratio", true},
                {103, K::Text, {14, 69, 50, 8}, "&Filter:", false},
                {D::kFilterList, K::DropList, {56, 67, 140, 40}, "", true},
                {104, K::Text, {14, 91, 50, 8}, "F&it:", false},  // as wide as the filter's label, so each list keeps its own
                {D::kFitList, K::DropList, {56, 89, 140, 50}, "", true},
                {105, K::Text, {14, 111, 50, 8}, "&Percent:", false},
                {D::kPercentEdit, K::Edit, {72, 109, 40, 13}, "", true},
                {106, K::Text, {116, 111, 30, 8}, "%", false},
                {107, K::Text, {14, 131, 50, 8}, "&Anchor:", false},
                {D::kAnchorList, K::DropList, {56, 129, 140, 120}, "", true},
                {108, K::Text, {14, 151, 50, 8}, "Pa&d with:", false},
                {D::kPadList, K::DropList, {56, 149, 140, 50}, "", true},
                {D::kPadChooseButton, K::PushButton, {56, 167, 80, 14}, "Other &colour...", true},
                {D::kProblemText, K::Text, {14, 185, 184, 16}, "", false},
                {D::kResultText, K::Text, {14, 203, 184, 16}, "Result:", false},
                {D::kPreview, K::Preview, {14, 221, 184, 82}, "", false},
                {DialogAnswer::Ok, K::DefPushButton, {144, 7, 50, 14}, "OK", true},
                {DialogAnswer::Cancel, K::PushButton, {144, 27, 50, 14}, "Cancel", true},
            }};
}

std::string HexOf(Color c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
    return text;
}

std::string SizeText(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

constexpr std::string_view kMemoryName = "Scale Image";

}  // namespace

ScaleImageDialog::ScaleImageDialog(Editor& ed, int imageWidth, int imageHeight)
    : ed_(ed),
      imageWidth_(imageWidth),
      imageHeight_(imageHeight),
      widthText_(std::to_string(imageWidth)),
      heightText_(std::to_string(imageHeight)) {
    if (HasImage(ed_)) small_ = ScalePreviewSource(CurrentImage(ed_));
    Restore();
    Refresh();
}

const DialogTemplate& ScaleImageDialog::Template() const {
    static const DialogTemplate t = MakeTemplate();
    return t;
}

std::string ScaleImageDialog::Text(int id) const {
    if (id == kWidthEdit) return widthText_;
    if (id == kHeightEdit) return heightText_;
    if (id == kPercentEdit) return percentText_;
    if (id == kProblemText) return problem_;
    if (id == kResultText) return result_;
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

std::optional<std::uint32_t> ScaleImageDialog::SharedPercent() const {
    const std::uint32_t w = ReadSizeField(widthText_), h = ReadSizeField(heightText_);
    if (w == 0 || h == 0 || imageWidth_ < 1 || imageHeight_ < 1) return std::nullopt;
    // Each side's nearest percentage; the one that gives both sides back is theirs.
    for (const std::uint32_t p : {ProportionalSide(w, 100, imageWidth_), ProportionalSide(h, 100, imageHeight_)})
        if (p <= 999999 && ProportionalSide(std::uint32_t(imageWidth_), int(p), 100) == w &&
            ProportionalSide(std::uint32_t(imageHeight_), int(p), 100) == h)
            return p;
    return std::nullopt;
}

void ScaleImageDialog::SetPercentFromSizes() {
    const std::optional<std::uint32_t> p = SharedPercent();
    percentText_ = p ? std::to_string(*p) : std::string();
}

void ScaleImageDialog::TextChanged(int id, std::string_view text) {
    if (id == kPercentEdit) {
        percentText_ = text;
        // Empty or not a number: the sizes stay as they are.
        const std::uint32_t p = ReadSizeField(percentText_);
        if (p > 0 && imageWidth_ > 0 && imageHeight_ > 0) {
            widthText_ = std::to_string(ProportionalSide(std::uint32_t(imageWidth_), int(p), 100));
            heightText_ = std::to_string(ProportionalSide(std::uint32_t(imageHeight_), int(p), 100));
        }
    } else if (id == kWidthEdit || id == kHeightEdit) {
        (id == kWidthEdit ? widthText_ : heightText_) = text;
        FollowRatio(id);
        SetPercentFromSizes();
    } else {
        return;
    }
    Refresh();
}

bool ScaleImageDialog::Checked(int id) const { return id == kKeepAspectBox && keepAspect_; }

std::vector<std::string> ScaleImageDialog::Items(int id) const {
    if (id == kFitList)
        return {"The size above", "Fit inside, pad with the background colour", "Cover, cut off what sticks out"};
    if (id == kFilterList) return {"Smooth (for photos)", "Nearest pixel (for pixel art)"};
    if (id == kAnchorList) return {kAnchorItems.begin(), kAnchorItems.end()};
    if (id == kPadList)
        return {"The background colour (" + HexOf(ed_.settings.backColor) + ")",
                "The foreground colour (" + HexOf(ed_.settings.foreColor) + ")",
                chosenPad_ ? "Another colour (" + HexOf(*chosenPad_) + ")" : std::string("Another colour...")};
    return {};
}

int ScaleImageDialog::Selection(int id) const {
    if (id == kFilterList) return filter_;
    if (id == kFitList) return fit_;
    if (id == kAnchorList) return anchor_;
    if (id == kPadList) return pad_;
    return -1;
}

void ScaleImageDialog::Select(int id, int index) {
    if (id == kFilterList && (index == kSmoothFilter || index == kNearestFilter)) filter_ = index;
    if (id == kFitList && index >= kSizeAsTyped && index <= kCoverSize) fit_ = index;
    if (id == kAnchorList && index >= 0 && index < int(kAnchorItems.size())) anchor_ = index;
    if (id == kPadList && index >= kPadBackground && index <= kPadChosen) {
        // Another colour is asked for the first time it is wanted.
        if (index == kPadChosen && !chosenPad_) return ChoosePadColor();
        pad_ = index;
    }
    Refresh();
}

bool ScaleImageDialog::Enabled(int id) const {
    // The ratio box only shapes the size above; fit and cover keep the ratio anyway.
    if (id == kKeepAspectBox) return fit_ == kSizeAsTyped;
    if (id == kAnchorList) return fit_ != kSizeAsTyped;
    if (id == kPadList || id == kPadChooseButton) return fit_ == kFitInside;
    return true;
}

std::optional<Bitmap> ScaleImageDialog::Preview(int id) const {
    if (id != kPreview) return std::nullopt;
    return picture_;
}

void ScaleImageDialog::ChoosePadColor() {
    const Color initial = chosenPad_.value_or(params_.padColor.value_or(ed_.settings.backColor));
    if (const std::optional<Color> chosen = ed_.host.ChooseColor(initial, ed_.settings.customColors)) {
        chosenPad_ = Color{ValueOf(*chosen) & 0x00FFFFFFu};
        pad_ = kPadChosen;
    }
    Refresh();
}

void ScaleImageDialog::Refresh() {
    picture_.reset();
    result_.clear();
    const std::uint32_t width = ReadSizeField(widthText_), height = ReadSizeField(heightText_);
    if (const auto why = RefuseImageSize(width, height)) {
        problem_ = std::string(*why);
        return;
    }
    problem_.clear();
    params_ = {int(width), int(height), keepAspect_, filter_ == kNearestFilter ? ScaleFilter::Nearest : ScaleFilter::Lanczos,
               fit_ == kFitInside ? ScaleFit::Fit : fit_ == kCoverSize ? ScaleFit::Cover : ScaleFit::Exact,
               ScaleAnchor(anchor_), std::nullopt};
    if (pad_ == kPadForeground) params_.padColor = ed_.settings.foreColor;
    if (pad_ == kPadChosen) params_.padColor = chosenPad_;
    if (imageWidth_ < 1 || imageHeight_ < 1) return;
    const ScaledSize size = ScaledImageSize(imageWidth_, imageHeight_, params_);
    result_ = "Result: " + SizeText(size.width, size.height) + " pixels";
    const ScaleLayout l = LayOutScale(imageWidth_, imageHeight_, size.width, size.height, params_.fit, params_.anchor);
    if (params_.fit == ScaleFit::Fit) result_ += ", the picture " + SizeText(l.scaled.right, l.scaled.bottom) + " inside";
    if (params_.fit == ScaleFit::Cover) result_ += ", cut from " + SizeText(l.scaled.right, l.scaled.bottom);
    if (small_)
        picture_ = ScalePreview(*small_, imageWidth_, imageHeight_, size.width, size.height, params_.fit, params_.anchor,
                                ColorToPixel(params_.padColor.value_or(ed_.settings.backColor)));
}

void ScaleImageDialog::Restore() {
    const auto kept = ed_.dialogMemory.find(kMemoryName);
    if (kept == ed_.dialogMemory.end() || kept->second.size() != 8) return;
    const std::vector<std::string>& v = kept->second;
    keepAspect_ = v[0] == "1";
    filter_ = int(ParseDecimal(v[1])) == kNearestFilter ? kNearestFilter : kSmoothFilter;
    if (const int fit = int(ParseDecimal(v[2])); fit <= kCoverSize) fit_ = fit;
    if (const int anchor = int(ParseDecimal(v[3])); anchor < int(kAnchorItems.size())) anchor_ = anchor;
    if (!v[5].empty()) chosenPad_ = Color{ParseDecimal(v[5]) & 0x00FFFFFFu};
    if (const int pad = int(ParseDecimal(v[4])); pad <= kPadChosen && (pad != kPadChosen || chosenPad_)) pad_ = pad;
    // A frame to fit or cover is wanted again whatever the image; the size above was this image's.
    if (fit_ != kSizeAsTyped) {
        widthText_ = v[6], heightText_ = v[7];
        SetPercentFromSizes();
    }
}

void ScaleImageDialog::Remember() const {
    ed_.dialogMemory[std::string(kMemoryName)] = {keepAspect_ ? "1" : "0",
                                                  std::to_string(filter_),
                                                  std::to_string(fit_),
                                                  std::to_string(anchor_),
                                                  std::to_string(pad_),
                                                  chosenPad_ ? std::to_string(ValueOf(*chosenPad_)) : std::string(),
                                                  widthText_,
                                                  heightText_};
}

void ScaleImageDialog::Command(int id) {
    if (id == kKeepAspectBox) {
        keepAspect_ = !keepAspect_;
        FollowRatio(kWidthEdit);
        SetPercentFromSizes();
        Refresh();
    } else if (id == kPadChooseButton) {
        ChoosePadColor();
    } else if (id == DialogAnswer::Ok) {
        // A problem stays in view below the fields, and so does the dialog.
        Refresh();
        if (!problem_.empty()) return;
        Remember();
        End(DialogAnswer::Ok);
    } else if (id == DialogAnswer::Cancel) {
        End(0);
    }
}

}  // namespace rastrix
