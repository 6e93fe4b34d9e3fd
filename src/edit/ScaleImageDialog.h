#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "edit/ScaleImage.h"
#include "editor/DialogModel.h"

namespace rastrix {

struct Editor;

// The "Scale Image" dialog: the size fields start with the image's size, Keep aspect ratio
// ticked, the smooth filter and "the size above" chosen. While the box is ticked and the size
// above is wanted, typing a width sets the height of the same ratio and typing a height sets the
// width (a field that reads 0 leaves the other as it is); ticking it sets the height from the
// width. The last choice also offers fit (the whole image inside the size, the rest in the
// background colour) and cover (the size covered, what sticks out cut off), both keeping the
// image's ratio; then the fields are the size made and do not follow each other. OK with a size that cannot be made tells
// the user why and keeps the dialog open; otherwise it ends with DialogAnswer::Ok and Params()
// holds what was asked. Cancel ends it with 0. The dialog only collects: RunScaleImage does the
// work.
class ScaleImageDialog : public DialogModel {
public:
    static constexpr int kWidthEdit = 132, kHeightEdit = 133;
    static constexpr int kKeepAspectBox = 134, kFilterList = 135;
    static constexpr int kSmoothFilter = 0, kNearestFilter = 1;  // positions in the filter list
    static constexpr int kFitList = 136;
    static constexpr int kSizeAsTyped = 0, kFitInside = 1, kCoverSize = 2;  // positions in the fit list

    ScaleImageDialog(Editor& ed, int imageWidth, int imageHeight);

    const DialogTemplate& Template() const override;
    std::string Text(int id) const override;
    void TextChanged(int id, std::string_view text) override;
    bool Checked(int id) const override;
    std::vector<std::string> Items(int id) const override;
    int Selection(int id) const override;
    void Select(int id, int index) override;
    void Command(int id) override;

    const ScaleImageParams& Params() const { return params_; }

private:
    // The other field's text for this side's typed value, keeping the image's ratio.
    void FollowRatio(int changedId);

    Editor& ed_;
    int imageWidth_, imageHeight_;
    std::string widthText_, heightText_;
    bool keepAspect_ = true;
    int filter_ = kSmoothFilter;
    int fit_ = kSizeAsTyped;
    ScaleImageParams params_;
};

}  // namespace rastrix
