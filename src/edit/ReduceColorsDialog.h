#pragma once
#include <optional>
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
// dithering (none at first) and an optional threshold; the values last accepted, when there
// are any, instead. Only the fields the palette and dithering use are enabled. After every
// change the dialog shows why the fields cannot be used (the rules of CheckReduceColors: a
// colour count outside 2..256 for an optimised palette, no file for a file, a threshold that is
// not a whole number from 0 to 100 or that comes with dithering or a palette of other than two
// colours; and a palette file that cannot be read), or else a sample of the result: the middle
// of the image at 1:1. OK with a problem keeps the dialog open; otherwise it ends with
// DialogAnswer::Ok and Params() holds what was asked. Cancel ends it with 0. The dialog only
// collects: RunReduceColours does the work.
class ReduceColorsDialog : public DialogModel {
public:
    static constexpr int kPaletteList = 140, kColorsEdit = 141, kFileEdit = 142, kBrowseButton = 143;
    static constexpr int kDitherList = 144, kThresholdEdit = 145, kProblemText = 146, kPreview = 147;

    explicit ReduceColorsDialog(Editor& ed);

    const DialogTemplate& Template() const override;
    std::string Text(int id) const override;
    void TextChanged(int id, std::string_view text) override;
    std::vector<std::string> Items(int id) const override;
    int Selection(int id) const override;
    void Select(int id, int index) override;
    bool Enabled(int id) const override;
    std::optional<Bitmap> Preview(int id) const override;
    void Command(int id) override;

    const ReduceColorsParams& Params() const { return params_; }

private:
    void Browse();
    // Why the fields cannot be used, or empty when params_ now holds them.
    std::string Collect();
    // Works out the problem and the sample again after a change.
    void Refresh();
    // The palette the parameters stand for; an optimised one is kept while its count stays.
    const ReducePalette& PaletteFor(const ReduceColorsParams& p);

    Editor& ed_;
    int palette_ = 0, dither_ = 0;  // positions in the lists
    std::string colorsText_ = "16", fileText_, thresholdText_;
    ReduceColorsParams params_;
    std::string problem_;
    std::optional<Bitmap> sample_;
    std::string paletteKey_;
    ReducePalette madePalette_;
};

}  // namespace rastrix
