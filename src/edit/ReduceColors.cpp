#include "edit/ReduceColors.h"

#include <algorithm>
#include <string>
#include <utility>

#include "color/OptimisedPalette.h"
#include "device/PaletteProblemText.h"
#include "edit/ReduceColorsDialog.h"
#include "editor/Command.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ImageStack.h"
#include "editor/ReportError.h"
#include "view/EditorView.h"

namespace rastrix {

std::size_t AskedPaletteSize(const ReduceColorsParams& params) {
    switch (params.palette) {
        case PaletteSource::Optimised: return std::size_t(std::max(params.optimisedColors, 0));
        case PaletteSource::File: return params.fileColors.size();
        default: return FixedPaletteColors(params.palette).size();
    }
}

ReduceProblem CheckReduceColors(const ReduceColorsParams& params, std::size_t paletteSize, int depth) {
    if (params.palette == PaletteSource::Optimised && !kOptimisedColorLimits.Hold(params.optimisedColors))
        return ReduceProblem::ColorCount;
    if (params.thresholdPercent >= 0 || params.thresholdPercent < -1) {
        if (!kThresholdLimits.Hold(params.thresholdPercent)) return ReduceProblem::ThresholdRange;
        if (paletteSize != 0 && paletteSize != 2) return ReduceProblem::ThresholdColors;
        if (params.dither != Dither::None) return ReduceProblem::ThresholdDither;
    }
    if ((depth == 1 || depth == 4 || depth == 8) && paletteSize > (std::size_t(1) << depth))
        return ReduceProblem::LongerThanDepth;
    return ReduceProblem::None;
}

std::string ReduceProblemText(ReduceProblem problem) {
    switch (problem) {
        case ReduceProblem::None: break;
        case ReduceProblem::ColorCount: return "An optimised palette has " + FromTo(kOptimisedColorLimits) + " colours.";
        case ReduceProblem::ThresholdRange: return "The threshold is a share of white " + FromTo(kThresholdLimits, "%") + ".";
        case ReduceProblem::ThresholdColors: return "A threshold is used with a palette of two colours only.";
        case ReduceProblem::ThresholdDither: return "A threshold is used without dithering only.";
        case ReduceProblem::LongerThanDepth:
            return "The palette has more colours than a BMP file of this depth holds "
                   "(2 at 1 bit, 16 at 4 bits, 256 at 8 bits).";
    }
    return {};
}

ReducePalette ReducedPalette(Editor& ed, const ReduceColorsParams& params) {
    if (params.palette == PaletteSource::File) {
        if (!params.fileColors.empty()) return {params.fileColors, {}};
        if (params.paletteFile.empty()) return {{}, "No palette file was chosen."};
        PaletteFileResult read = ReadPaletteFile(*ed.files, params.paletteFile);
        if (!read.Ok())
            return {{}, "Cannot read the palette \"" + params.paletteFile + "\".\n" + PaletteProblemText(read.problem, Wording::Sentence)};
        return {std::move(read.colors), {}};
    }
    if (params.palette == PaletteSource::Optimised) {
        if (!kOptimisedColorLimits.Hold(params.optimisedColors))
            return {{}, ReduceProblemText(ReduceProblem::ColorCount)};
        OptimisedPaletteResult made = MakeOptimisedPalette(CurrentImage(ed), params.optimisedColors);
        return {std::move(made.colors), PaletteProblemText(made.problem, Wording::Sentence)};
    }
    return {FixedPaletteColors(params.palette), {}};
}

bool RunReduceColors(Editor& ed, const ReduceColorsParams& params) {
    if (!HasImage(ed)) {
        ReportProblem(ed, "There is no image to reduce.");
        return false;
    }
    if (const ReduceProblem p = CheckReduceColors(params, AskedPaletteSize(params)); p != ReduceProblem::None) {
        ReportProblem(ed, ReduceProblemText(p));
        return false;
    }
    ShowWaitCursor(ed);
    InvalidateImageWindow(ed);  // the next paint puts the cursor back
    ReducePalette palette = ReducedPalette(ed, params);
    if (!palette.error.empty()) {
        ReportProblem(ed, palette.error);
        return false;
    }
    // A file's colours are known only now; an optimised palette may have fewer than asked for,
    // which a threshold takes as they are.
    const std::size_t asked = params.palette == PaletteSource::Optimised ? AskedPaletteSize(params) : palette.colors.size();
    if (const ReduceProblem p = CheckReduceColors(params, asked); p != ReduceProblem::None) {
        ReportProblem(ed, ReduceProblemText(p));
        return false;
    }
    const MapResult mapped = MapToPalette(CurrentImage(ed), palette.colors, {params.dither, params.thresholdPercent});
    if (!mapped.image) {
        ReportProblem(ed, "The colours cannot be reduced: " + PaletteProblemText(mapped.problem) + ".");
        return false;
    }
    std::optional<Bitmap> reduced = PaletteBitmap(*mapped.image, palette.colors);
    if (!reduced) {
        ReportProblem(ed, kOutOfMemoryText);
        return false;
    }
    PushLevel(ed, std::move(*reduced), std::move(palette.colors));
    InvalidateImageWindow(ed);
    return true;
}

namespace {

void AskAndReduce(Editor& ed) {
    ReduceColorsDialog dialog(ed);
    if (ed.host.RunModal(dialog) == DialogAnswer::Ok) RunReduceColors(ed, dialog.Params());
}

}  // namespace

// Edit > Reduce Colours...: asks for the parameters (ReduceColorsDialog) and runs them; it needs an image.
Command ReduceColorsRecord() { return {.run = AskAndReduce, .canRun = ImageRule}; }

}  // namespace rastrix
