#include "edit/ReduceColorsDialog.h"

#include <array>

#include "document/PaletteBrowse.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ReportError.h"
#include "editor/Text.h"

namespace rastrix {

namespace {

// The palette list, in the order of PaletteSource.
constexpr std::array<const char*, 7> kPaletteItems{"Black and white",  "4 greys",
                                                   "16 greys",         "16 basic colours",
                                                   "7 e-paper inks",   "Optimised for the image",
                                                   "From a palette file"};
// The dithering list, in the order of Dither.
constexpr std::array<const char*, 4> kDitherItems{"None", "Floyd-Steinberg", "Atkinson", "Ordered (8 x 8 pattern)"};

DialogTemplate MakeTemplate() {
    using K = ControlKind;
    using D = ReduceColorsDialog;
    return {"REDUCECOLOURS",
            "Reduce Colours",
            {0, 0, 252, 132},
            {
                {101, K::Text, {10, 9, 56, 8}, "&Palette:", false},
                {D::kPaletteList, K::DropList, {70, 7, 110, 120}, "", true},
                {102, K::Text, {10, 29, 56, 8}, "&Colours:", false},
                {D::kColorsEdit, K::Edit, {70, 27, 30, 13}, "", true},
                {103, K::Text, {10, 49, 56, 8}, "Palette &file:", false},
                {D::kFileEdit, K::Edit, {70, 47, 110, 13}, "", true},
                {D::kBrowseButton, K::PushButton, {188, 47, 54, 14}, "&Browse...", true},
                {104, K::Text, {10, 71, 56, 8}, "&Dithering:", false},
                {D::kDitherList, K::DropList, {70, 69, 110, 80}, "", true},
                {105, K::Text, {10, 91, 56, 8}, "&Threshold %:", false},
                {D::kThresholdEdit, K::Edit, {70, 89, 30, 13}, "", true},
                {106, K::Text, {106, 91, 140, 8}, "(black and white only; empty for none)", false},
                {DialogAnswer::Ok, K::DefPushButton, {134, 112, 50, 14}, "OK", true},
                {DialogAnswer::Cancel, K::PushButton, {192, 112, 50, 14}, "Cancel", true},
            }};
}

// A whole number of at most three digits, nothing else; -1 for anything else.
int ReadShortNumber(std::string_view text) {
    if (text.empty() || text.size() > 3) return -1;
    for (char c : text)
        if (c < '0' || c > '9') return -1;
    return int(ParseDecimal(text));
}

}  // namespace

ReduceColorsDialog::ReduceColorsDialog(Editor& ed) : ed_(ed) {}

const DialogTemplate& ReduceColorsDialog::Template() const {
    static const DialogTemplate t = MakeTemplate();
    return t;
}

std::string ReduceColorsDialog::Text(int id) const {
    if (id == kColorsEdit) return colorsText_;
    if (id == kFileEdit) return fileText_;
    if (id == kThresholdEdit) return thresholdText_;
    return DialogModel::Text(id);
}

void ReduceColorsDialog::TextChanged(int id, std::string_view text) {
    if (id == kColorsEdit) colorsText_ = text;
    if (id == kFileEdit) fileText_ = text;
    if (id == kThresholdEdit) thresholdText_ = text;
}

std::vector<std::string> ReduceColorsDialog::Items(int id) const {
    if (id == kPaletteList) return {kPaletteItems.begin(), kPaletteItems.end()};
    if (id == kDitherList) return {kDitherItems.begin(), kDitherItems.end()};
    return {};
}

int ReduceColorsDialog::Selection(int id) const {
    if (id == kPaletteList) return palette_;
    if (id == kDitherList) return dither_;
    return -1;
}

void ReduceColorsDialog::Select(int id, int index) {
    if (id == kPaletteList && index >= 0 && index < int(kPaletteItems.size())) palette_ = index;
    if (id == kDitherList && index >= 0 && index < int(kDitherItems.size())) dither_ = index;
}

void ReduceColorsDialog::Browse() {
    const std::optional<std::string> chosen = BrowseForPalette(ed_);
    if (!chosen) return;
    fileText_ = *chosen;
    palette_ = int(PaletteSource::File);  // a chosen file is the palette wanted
}

std::string ReduceColorsDialog::Collect() {
    ReduceColorsParams p;
    p.palette = PaletteSource(palette_);
    p.dither = Dither(dither_);
    if (p.palette == PaletteSource::Optimised) {
        p.optimisedColors = ReadShortNumber(colorsText_);
        if (p.optimisedColors < 2 || p.optimisedColors > kMaxPaletteColors)
            return "An optimised palette has from 2 to 256 colours.";
    }
    if (p.palette == PaletteSource::File) {
        if (fileText_.empty()) return "Type the name of a palette file, or choose one with Browse.";
        p.paletteFile = fileText_;
    }
    if (!thresholdText_.empty()) {
        p.thresholdPercent = ReadShortNumber(thresholdText_);
        if (p.thresholdPercent < 0 || p.thresholdPercent > 100)
            return "The threshold is a whole number from 0 to 100, or empty for none.";
        if (p.palette != PaletteSource::BlackWhite || p.dither != Dither::None)
            return "A threshold is used with the black-and-white palette and no dithering only.";
    }
    params_ = std::move(p);
    return {};
}

void ReduceColorsDialog::Command(int id) {
    if (id == kBrowseButton) {
        Browse();
    } else if (id == DialogAnswer::Ok) {
        const std::string why = Collect();
        if (why.empty()) End(DialogAnswer::Ok);
        else ReportProblem(ed_, why);
    } else if (id == DialogAnswer::Cancel) {
        End(0);
    }
}

}  // namespace rastrix
