#include "edit/ReduceColorsDialog.h"

#include <array>

#include "edit/ReduceColorsPreview.h"
#include "document/PaletteBrowse.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ImageStack.h"
#include "editor/Text.h"
#include "view/EditorView.h"

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
            {0, 0, 252, 244},
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
                {106, K::Text, {106, 91, 140, 8}, "(two colours only; empty: none)", false},
                {D::kProblemText, K::Text, {10, 106, 232, 16}, "", false},
                {107, K::Text, {10, 124, 232, 8}, "Preview (the middle of the image at 1:1):", false},
                {D::kPreview, K::Preview, {10, 134, 232, 82}, "", false},
                {DialogAnswer::Ok, K::DefPushButton, {134, 224, 50, 14}, "OK", true},
                {DialogAnswer::Cancel, K::PushButton, {192, 224, 50, 14}, "Cancel", true},
            }};
}

// A whole number of at most three digits, nothing else; -1 for anything else.
int ReadShortNumber(std::string_view text) {
    if (text.empty() || text.size() > 3) return -1;
    for (char c : text)
        if (c < '0' || c > '9') return -1;
    return int(ParseDecimal(text));
}

constexpr std::string_view kMemoryName = "Reduce Colours";

}  // namespace

ReduceColorsDialog::ReduceColorsDialog(Editor& ed) : ed_(ed) {
    // The fields as they were last accepted: positions first, then the three texts.
    if (const auto kept = ed_.dialogMemory.find(kMemoryName); kept != ed_.dialogMemory.end() && kept->second.size() == 5) {
        const std::vector<std::string>& v = kept->second;
        Select(kPaletteList, int(ParseDecimal(v[0])));
        Select(kDitherList, int(ParseDecimal(v[1])));
        colorsText_ = v[2], fileText_ = v[3], thresholdText_ = v[4];
    }
    Refresh();
}

const DialogTemplate& ReduceColorsDialog::Template() const {
    static const DialogTemplate t = MakeTemplate();
    return t;
}

std::string ReduceColorsDialog::Text(int id) const {
    if (id == kProblemText) return problem_;
    if (id == kColorsEdit) return colorsText_;
    if (id == kFileEdit) return fileText_;
    if (id == kThresholdEdit) return thresholdText_;
    return DialogModel::Text(id);
}

void ReduceColorsDialog::TextChanged(int id, std::string_view text) {
    if (id == kColorsEdit) colorsText_ = text;
    if (id == kFileEdit) fileText_ = text;
    if (id == kThresholdEdit) thresholdText_ = text;
    Refresh();
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
    Refresh();
}

bool ReduceColorsDialog::Enabled(int id) const {
    const auto palette = PaletteSource(palette_);
    if (id == kColorsEdit) return palette == PaletteSource::Optimised;
    if (id == kFileEdit || id == kBrowseButton) return palette == PaletteSource::File;
    // A threshold splits the image between two colours, with no dithering; a file's colours
    // are counted when it is read.
    if (id == kThresholdEdit)
        return Dither(dither_) == Dither::None &&
               (palette == PaletteSource::BlackWhite || palette == PaletteSource::File ||
                (palette == PaletteSource::Optimised && ReadShortNumber(colorsText_) == 2));
    return true;
}

std::optional<Bitmap> ReduceColorsDialog::Preview(int id) const {
    if (id != kPreview) return std::nullopt;
    return sample_;
}

const ReducePalette& ReduceColorsDialog::PaletteFor(const ReduceColorsParams& p) {
    const std::string key = std::to_string(int(p.palette)) + '\n' +
                            (p.palette == PaletteSource::Optimised ? std::to_string(p.optimisedColors) : "") + '\n' +
                            (p.palette == PaletteSource::File ? p.paletteFile : "");
    // A file is read again each time, as the user may mend it while the dialog is open; an
    // optimised palette, the slow one, is made again only for another count.
    if (key != paletteKey_ || p.palette == PaletteSource::File) {
        madePalette_ = ReducedPalette(ed_, p);
        paletteKey_ = key;
    }
    return madePalette_;
}

void ReduceColorsDialog::Refresh() {
    sample_.reset();
    problem_ = Collect();
    if (!problem_.empty() || !HasImage(ed_)) return;
    const ReducePalette& palette = PaletteFor(params_);
    if (!palette.error.empty()) {
        problem_ = palette.error;
        return;
    }
    // Now that a file's colours are counted, its rules too.
    if (const ReduceProblem problem = CheckReduceColors(params_, palette.colors.size()); problem != ReduceProblem::None) {
        problem_ = ReduceProblemText(problem);
        return;
    }
    sample_ = ReducedSample(CurrentImage(ed_), palette.colors, {params_.dither, params_.thresholdPercent});
}

void ReduceColorsDialog::Browse() {
    const std::optional<std::string> chosen = BrowseForPalette(ed_);
    if (!chosen) return;
    fileText_ = *chosen;
    palette_ = int(PaletteSource::File);  // a chosen file is the palette wanted
    Refresh();
}

std::string ReduceColorsDialog::Collect() {
    ReduceColorsParams p;
    p.palette = PaletteSource(palette_);
    p.dither = Dither(dither_);
    if (p.palette == PaletteSource::Optimised) p.optimisedColors = ReadShortNumber(colorsText_);
    if (p.palette == PaletteSource::File) {
        if (fileText_.empty()) return "Type the name of a palette file, or choose one with Browse.";
        p.paletteFile = fileText_;
    }
    // A greyed field's text is kept for later but not used.
    if (!thresholdText_.empty() && Enabled(kThresholdEdit)) {
        p.thresholdPercent = ReadShortNumber(thresholdText_);
        if (!kThresholdLimits.Hold(p.thresholdPercent))
            return "The threshold is a whole number " + FromTo(kThresholdLimits) + ", or empty for none.";
    }
    // A file's colours are counted when it is read, by Reduce Colours itself.
    if (const ReduceProblem problem = CheckReduceColors(p, AskedPaletteSize(p)); problem != ReduceProblem::None)
        return ReduceProblemText(problem);
    params_ = std::move(p);
    return {};
}

void ReduceColorsDialog::Command(int id) {
    if (id == kBrowseButton) {
        Browse();
    } else if (id == DialogAnswer::Ok) {
        // A problem stays in view beside the fields, and so does the dialog.
        Refresh();
        if (!problem_.empty()) return;
        ed_.dialogMemory[std::string(kMemoryName)] = {std::to_string(palette_), std::to_string(dither_), colorsText_,
                                                      fileText_, thresholdText_};
        End(DialogAnswer::Ok);
    } else if (id == DialogAnswer::Cancel) {
        End(0);
    }
}

}  // namespace rastrix
