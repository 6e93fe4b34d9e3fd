#include "document/Join.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "codec/BmpHeader.h"
#include "codec/BmpReader.h"
#include "codec/FileRead.h"
#include "document/FileErrorLines.h"
#include "document/JoinDialog.h"
#include "document/NewImage.h"
#include "document/NewImageDialog.h"
#include "document/SavePrompt.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ImageStack.h"
#include "editor/ReportError.h"
#include "raster/Blit.h"
#include "view/EditorView.h"

namespace rastrix {

namespace {

constexpr std::array<const char*, kJoinPositions> kJoinPositionNames = {"top-left", "top-right", "bottom-left",
                                                                        "bottom-right"};

// Draws the named files in position order; returns the size of the last file read, or 0.
// The first file that cannot be read or decoded is reported and ends the drawing.
std::uint32_t DrawJoinedFiles(Editor& ed, Bitmap& canvas, const JoinPlan& plan) {
    std::uint32_t lastFileSize = 0;
    for (int p = 0; p < kJoinPositions; ++p) {
        const std::string& path = plan.paths[p];
        if (path.empty()) continue;
        FileBytesResult file = MapWholeFile(*ed.files, path);
        if (!file) {
            ReportFileError(ed, JoinErrorLine(file.failure.step), file.failure.errorNumber, path);
            break;
        }
        lastFileSize = std::uint32_t(file.View().size());
        BmpReadResult decoded = DecodeBmp(file.View());
        if (!decoded.image || !file.Intact()) {
            const std::string_view why = file.Intact() ? decoded.Message() : kFileCutShortText;
            ReportProblem(ed, "Cannot join \"" + path + "\".\n" + std::string(why));
            break;
        }
        const Bitmap& picture = decoded.image->bitmap;
        const Point at = plan.canvas.offsets[p];
        CopyPixels(canvas, at.x, at.y, picture.Width(), picture.Height(), picture, 0, 0);
    }
    return lastFileSize;
}

}  // namespace

JoinCanvas ComputeJoinCanvas(const std::array<std::int16_t, kJoinPositions>& widths,
                             const std::array<std::int16_t, kJoinPositions>& heights) {
    const std::int16_t left = std::max(widths[kTopLeft], widths[kBottomLeft]);
    const std::int16_t right = std::max(widths[kTopRight], widths[kBottomRight]);
    const std::int16_t top = std::max(heights[kTopLeft], heights[kTopRight]);
    const std::int16_t bottom = std::max(heights[kBottomLeft], heights[kBottomRight]);
    JoinCanvas c;
    c.width = left + right;
    c.height = top + bottom;
    c.offsets = {Point{0, 0}, Point{left, 0}, Point{0, top}, Point{left, top}};
    return c;
}

void JoinFiles(Editor& ed, const JoinPlan& plan) {
    const int width = plan.canvas.width, height = plan.canvas.height;
    if (width <= 0 || height <= 0) {
        ReportProblem(ed, kJoinNoCanvasText);
        return;
    }
    if (const auto why = RefuseImageSize(std::uint32_t(width), std::uint32_t(height))) {
        ReportProblem(ed, std::string(*why));
        return;
    }
    std::optional<Bitmap> canvas = AllocateLevel(ed, width, height);
    if (!canvas) return;
    ShowWaitCursor(ed);
    canvas->Fill(ed.settings.backColor);
    std::uint32_t fileSize = DrawJoinedFiles(ed, *canvas, plan);
    // With no file read there is no file size to show; the size as a file stands in, as for
    // New, so that the image counts as present.
    if (fileSize == 0) fileSize = UntitledFileSize(width, height, int(plan.bitDepth));
    MakeUntitledImage(ed, std::move(*canvas), plan.bitDepth, fileSize);
    SetModified(ed);
}

bool PlaceJoinFile(Editor& ed, JoinParams& params, int p, const std::string& path) {
    params.paths[p] = path;
    // On any failure the name stays while the size counted for this place keeps what it had.
    const FileBytesResult start = ReadFileStart(*ed.files, path, kBmpHeaderReadBytes);
    if (!start) {
        ReportFileError(ed, BrowseErrorLine(start.failure.step), start.failure.errorNumber, path);
        return false;
    }
    const BmpHeaderResult header = ReadBmpHeader(start.bytes);
    if (!header.info) {
        ReportProblem(ed, "Cannot read the size of \"" + path + "\".\n" + std::string(header.Message()));
        return false;
    }
    // The reader keeps sides within 1..65535; the low 16 bits are kept as a signed value.
    params.widths[p] = std::int16_t(std::uint16_t(header.info->width));
    params.heights[p] = std::int16_t(std::uint16_t(header.info->height));
    params.bitDepth = std::max(params.bitDepth, std::uint32_t(header.info->bitDepth));
    return true;
}

std::optional<std::string> RefuseJoin(const JoinParams& params) {
    const auto unset = [](std::int16_t v) { return v == 0; };
    if (std::all_of(params.widths.begin(), params.widths.end(), unset)) return kJoinNothingBrowsedText;
    for (int p = 0; p < kJoinPositions; ++p) {
        if (params.widths[p] < 0 || params.heights[p] < 0)
            return "The " + std::string(kJoinPositionNames[p]) + " file is " + JoinSizeText(params, p) +
                   " pixels; files more than 32767 pixels wide or high cannot be joined.";
    }
    const JoinCanvas canvas = ComputeJoinCanvas(params.widths, params.heights);
    if (const auto why = RefuseImageSize(std::uint32_t(canvas.width), std::uint32_t(canvas.height)))
        return std::string(*why);
    return std::nullopt;
}

std::string JoinSizeText(const JoinParams& params, int p) {
    if (params.widths[p] == 0 && params.heights[p] == 0) return {};
    return std::to_string(std::uint16_t(params.widths[p])) + " x " + std::to_string(std::uint16_t(params.heights[p]));
}

bool RunJoin(Editor& ed, const JoinParams& params) {
    if (const auto why = RefuseJoin(params)) {
        ReportProblem(ed, *why);
        return false;
    }
    JoinFiles(ed, {ComputeJoinCanvas(params.widths, params.heights), params.paths, params.bitDepth});
    return true;
}

void JoinCommand(Editor& ed) {
    if (ed.doc.modified && AskToSave(ed) == DialogAnswer::Cancel) return;
    JoinDialog dialog(ed);
    if (ed.host.RunModal(dialog) != DialogAnswer::Ok) return;
    RunJoin(ed, dialog.Params());
}

}  // namespace rastrix
