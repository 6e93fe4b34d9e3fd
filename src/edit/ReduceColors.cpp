#include "edit/ReduceColors.h"

#include <string>
#include <string_view>
#include <utility>

#include "color/OptimisedPalette.h"
#include "edit/ReduceColorsDialog.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ImageStack.h"
#include "editor/ReportError.h"
#include "view/EditorView.h"

namespace rastrix {

namespace {

// The codec's name of each fixed palette; empty for the sources that are no fixed palette.
std::string_view FixedPaletteName(PaletteSource source) {
    switch (source) {
        case PaletteSource::BlackWhite: return "bw";
        case PaletteSource::Grey4: return "grey4";
        case PaletteSource::Grey16: return "grey16";
        case PaletteSource::Basic16: return "basic16";
        case PaletteSource::Epaper7: return "epaper7";
        case PaletteSource::Optimised:
        case PaletteSource::File: break;
    }
    return {};
}

// A codec message ("a threshold needs ...") as a sentence of its own.
std::string Sentence(std::string_view reason) {
    std::string s(reason);
    if (!s.empty() && s.front() >= 'a' && s.front() <= 'z') s.front() = char(s.front() - 'a' + 'A');
    if (!s.empty() && s.back() != '.') s += '.';
    return s;
}

}  // namespace

PaletteFileResult ReducedPalette(Editor& ed, const ReduceColorsParams& params) {
    if (params.palette == PaletteSource::File) {
        if (params.paletteFile.empty()) return {{}, "No palette file was chosen."};
        PaletteFileResult read = ReadPaletteFile(*ed.files, params.paletteFile);
        if (!read.error.empty())
            read.error = "Cannot read the palette \"" + params.paletteFile + "\".\n" + Sentence(read.error);
        return read;
    }
    if (params.palette == PaletteSource::Optimised) {
        if (params.optimisedColors < 2 || params.optimisedColors > kMaxPaletteColors)
            return {{}, "An optimised palette has from 2 to 256 colours."};
        OptimisedPaletteResult made = MakeOptimisedPalette(CurrentImage(ed), params.optimisedColors);
        return {std::move(made.colors), made.error.empty() ? std::string() : Sentence(made.error)};
    }
    PaletteChoice fixed = PaletteByName(FixedPaletteName(params.palette));
    return {std::move(fixed.colors), Sentence(fixed.error)};
}

bool RunReduceColors(Editor& ed, const ReduceColorsParams& params) {
    if (!HasImage(ed)) {
        ReportProblem(ed, "There is no image to reduce.");
        return false;
    }
    if (params.thresholdPercent < -1 || params.thresholdPercent > 100) {
        ReportProblem(ed, "The threshold is a share of white from 0% to 100%.");
        return false;
    }
    ShowWaitCursor(ed);
    InvalidateImageWindow(ed);  // the next paint puts the cursor back
    const PaletteFileResult palette = ReducedPalette(ed, params);
    if (!palette.error.empty()) {
        ReportProblem(ed, palette.error);
        return false;
    }
    const MapResult mapped = MapToPalette(CurrentImage(ed), palette.colors, {params.dither, params.thresholdPercent});
    if (!mapped.image) {
        ReportProblem(ed, "The colours cannot be reduced: " + mapped.error + ".");
        return false;
    }
    std::optional<Bitmap> reduced = PaletteBitmap(*mapped.image, palette.colors);
    if (!reduced) {
        ReportProblem(ed, kOutOfMemoryText);
        return false;
    }
    PushLevel(ed, std::move(*reduced));
    InvalidateImageWindow(ed);
    return true;
}

void ReduceColorsCommand(Editor& ed) {
    if (!HasImage(ed)) return;  // reachable while greyed
    ReduceColorsDialog dialog(ed);
    if (ed.host.RunModal(dialog) != DialogAnswer::Ok) return;
    RunReduceColors(ed, dialog.Params());
}

}  // namespace rastrix
