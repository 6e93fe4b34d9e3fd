#include "edit/ScaleImage.h"

#include <string>
#include <utility>

#include "document/NewImageDialog.h"
#include "edit/ScaleImageDialog.h"
#include "editor/Command.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ImageStack.h"
#include "editor/ReportError.h"
#include "selection/Selection.h"
#include "view/EditorView.h"

namespace rastrix {

std::uint32_t ProportionalSide(std::uint32_t side, int to, int from) {
    const std::uint64_t twice = 2 * std::uint64_t(from);
    const std::uint64_t other = (std::uint64_t(side) * std::uint64_t(to) * 2 + std::uint64_t(from)) / twice;
    return other < 1 ? 1 : other > 0xFFFFFFFFu ? 0xFFFFFFFFu : std::uint32_t(other);
}

ScaledSize ScaledImageSize(int srcWidth, int srcHeight, const ScaleImageParams& params) {
    if (!params.keepAspect || params.fit != ScaleFit::Exact || srcWidth < 1 || srcHeight < 1 || params.width < 1 || params.height < 1)
        return {params.width, params.height};
    const std::uint32_t height = ProportionalSide(std::uint32_t(params.width), srcHeight, srcWidth);
    if (height <= std::uint32_t(params.height)) return {params.width, int(height)};
    return {int(ProportionalSide(std::uint32_t(params.height), srcWidth, srcHeight)), params.height};
}

bool RunScaleImage(Editor& ed, const ScaleImageParams& params) {
    if (!HasImage(ed)) {
        ReportProblem(ed, "There is no image to scale.");
        return false;
    }
    if (!AcceptImageSize(ed, params.width, params.height)) return false;
    const ScaledSize size = ScaledImageSize(ed.doc.imageWidth, ed.doc.imageHeight, params);
    ShowWaitCursor(ed);
    InvalidateImageWindow(ed);  // the next paint puts the cursor back
    std::optional<Bitmap> scaled = ScaleBitmap(CurrentImage(ed), size.width, size.height, params.fit, params.filter,
                                               ColorToPixel(params.padColor.value_or(ed.settings.backColor)), params.anchor);
    if (!scaled) {
        ReportProblem(ed, kOutOfMemoryText);
        return false;
    }
    PushLevel(ed, std::move(*scaled));
    ClampActiveSelectionSidesToImage(ed);
    LayoutImageWindow(ed);
    InvalidateImageWindow(ed);
    return true;
}

namespace {

void AskAndScale(Editor& ed) {
    ScaleImageDialog dialog(ed, ed.doc.imageWidth, ed.doc.imageHeight);
    if (ed.host.RunModal(dialog) == DialogAnswer::Ok) RunScaleImage(ed, dialog.Params());
}

}  // namespace

// Edit > Scale Image...: asks for the parameters (ScaleImageDialog) and runs them; it needs an image.
Command ScaleImageRecord() { return {.run = AskAndScale, .canRun = ImageRule}; }

}  // namespace rastrix
