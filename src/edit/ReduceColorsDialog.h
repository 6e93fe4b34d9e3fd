#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "document/PaletteBrowse.h"
#include "edit/ReduceColors.h"
#include "editor/DialogModel.h"

namespace rastrix {

struct Editor;


// The "Reduce Colours" dialog: a palette (black and white at first, the fixed palettes, an
// optimised one of the typed number of colours, 16 at first, or a file, typed or browsed for),
// dithering (none at first) and an optional threshold. OK with a colour count outside 2..256
// for an optimised palette, no file for a file, or a threshold that is not a whole number from
// 0 to 100, or that comes with dithering or another palette than black and white, tells the
// user why and keeps the dialog open; otherwise it ends with DialogAnswer::Ok and Params() holds
// what was asked. Cancel ends it with 0. The dialog only collects: RunReduceColours does the work.
class ReduceColorsDialog : public DialogModel {
public:
    static constexpr int kPaletteList = 140, kColorsEdit = 141, kFileEdit = 142, kBrowseButton = 143;
    static constexpr int kDitherList = 144, kThresholdEdit = 145;

    explicit ReduceColorsDialog(Editor& ed);

    const DialogTemplate& Template() const override;
    std::string Text(int id) const override;
    void TextChanged(int id, std::string_view text) override;
    std::vector<std::string> Items(int id) const override;
    int Selection(int id) const override;
    void Select(int id, int index) override;
    void Command(int id) override;

    const ReduceColorsParams& Params() const { return params_; }

private:
    void Browse();
    // Why the fields cannot be used, or empty when params_ now holds them.
    std::string Collect();

    Editor& ed_;
    int palette_ = 0, dither_ = 0;  // positions in the lists
    std::string colorsText_ = "16", fileText_, thresholdText_;
    ReduceColorsParams params_;
};

}  // namespace rastrix
