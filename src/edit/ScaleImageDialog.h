#pragma once
#include <optional>
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
// image's ratio; then the fields are the size made and do not follow each other.
//
// Beside them: a percentage of the image's size (typing one sets both sides, a size typed shows
// the percentage both sides share, or none), the anchor fit and cover place the picture by (the
// middle at first) and the colour fit pads with (the background colour at first, or the
// foreground colour, or one chosen); only the fields that apply are enabled. After every change
// the dialog shows why the size cannot be made, or else the size the image becomes and a picture
// of it. OK with a problem keeps the dialog open; otherwise it ends with DialogAnswer::Ok and
// Params() holds what was asked. Cancel ends it with 0. The next dialog starts from the choices
// last accepted while the program runs (the size too, when it was a frame to fit or cover). The
// dialog only collects: RunScaleImage does the work.
class ScaleImageDialog : public DialogModel {
public:
    static constexpr int kWidthEdit = 132, kHeightEdit = 133;
    static constexpr int kKeepAspectBox = 134, kFilterList = 135;
    static constexpr int kSmoothFilter = 0, kNearestFilter = 1;  // positions in the filter list
    static constexpr int kFitList = 136;
    static constexpr int kSizeAsTyped = 0, kFitInside = 1, kCoverSize = 2;  // positions in the fit list
    static constexpr int kPercentEdit = 137, kAnchorList = 138, kPadList = 139, kPadChooseButton = 140;
    static constexpr int kProblemText = 141, kResultText = 142, kPreview = 143;
    static constexpr int kPadBackground = 0, kPadForeground = 1, kPadChosen = 2;  // positions in the pad list
    // The anchor list holds the anchors in the order of ScaleAnchor.

    ScaleImageDialog(Editor& ed, int imageWidth, int imageHeight);

    const DialogTemplate& Template() const override;
    std::string Text(int id) const override;
    void TextChanged(int id, std::string_view text) override;
    bool Checked(int id) const override;
    std::vector<std::string> Items(int id) const override;
    int Selection(int id) const override;
    void Select(int id, int index) override;
    bool Enabled(int id) const override;
    std::optional<Bitmap> Preview(int id) const override;
    void Command(int id) override;

    const ScaleImageParams& Params() const { return params_; }

private:
    // The other field's text for this side's typed value, keeping the image's ratio.
    void FollowRatio(int changedId);
    // The whole percentage of the image's size both typed sides are, or nullopt.
    std::optional<std::uint32_t> SharedPercent() const;
    void SetPercentFromSizes();
    // Reads the fields into params_ and works out the problem, the result line and the picture.
    void Refresh();
    void ChoosePadColor();
    void Restore();
    void Remember() const;

    Editor& ed_;
    int imageWidth_, imageHeight_;
    std::string widthText_, heightText_, percentText_ = "100";
    bool keepAspect_ = true;
    int filter_ = kSmoothFilter;
    int fit_ = kSizeAsTyped;
    int anchor_ = 0;
    int pad_ = kPadBackground;
    std::optional<Color> chosenPad_;
    ScaleImageParams params_;
    std::string problem_, result_;
    std::optional<Bitmap> small_;  // the image, small, for the picture
    std::optional<Bitmap> picture_;
};

}  // namespace rastrix
