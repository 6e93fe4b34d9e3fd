#include "session/SessionChecks.h"

#include <algorithm>
#include <sstream>

#include "codec/BmpReader.h"
#include "editor/CommandIds.h"
#include "editor/ImageStack.h"
#include "selection/AdjustDialog.h"
#include "store/StoreTestSupport.h"
#include "view/EditorView.h"
#include "frame/CommandDispatch.h"

namespace rastrix::session {

namespace {

std::string SizeText(const Bitmap& b) { return std::to_string(b.Width()) + "x" + std::to_string(b.Height()); }

bool MenuOn(const Editor& ed, CommandId id) {
    const auto item = ShownCommandStates(ed).MenuItem(id);
    return item && item->enabled;
}
bool MenuChecked(const Editor& ed, CommandId id) {
    const auto item = ShownCommandStates(ed).MenuItem(id);
    return item && item->checked;
}
// nullopt when no existing bar carries the button.
std::optional<bool> ButtonOn(const Editor& ed, CommandId id) {
    const auto button = ShownCommandStates(ed).Button(id);
    if (!button) return std::nullopt;
    return button->Clickable();
}

// Collects the commands whose state disagrees with what the document says it should be.
class StateAudit {
public:
    explicit StateAudit(const Editor& ed) : ed_(ed) {}
    void Menu(CommandId id, bool expected, const char* why) {
        if (MenuOn(ed_, id) != expected) Note(id, "menu", expected, why);
    }
    void Button(CommandId id, bool expected, const char* why) {
        const auto on = ButtonOn(ed_, id);
        if (on && *on != expected) Note(id, "button", expected, why);
    }
    void Both(CommandId id, bool expected, const char* why) {
        Menu(id, expected, why);
        Button(id, expected, why);
    }
    std::string Result() const { return out_.str(); }

private:
    void Note(CommandId id, const char* part, bool expected, const char* why) {
        out_ << "command " << id << " " << part << " should be " << (expected ? "enabled" : "disabled") << " (" << why
             << "); ";
    }
    const Editor& ed_;
    std::ostringstream out_;
};

}  // namespace

Before TakeBefore(const Editor& ed) {
    Before b;
    b.depth = ed.doc.undoDepth;
    b.hadImage = HasImage(ed);
    if (b.hadImage) {
        b.image = CurrentImage(ed);
        b.top = CurrentImage(ed).Data();
    }
    b.bitDepth = ed.doc.imageBitDepth;
    return b;
}

std::string UndoModel::Advance(const Editor& ed, const Before& before, const StepKind& step, Coverage& seen) {
    const int depth = ed.doc.undoDepth;
    const bool hasImage = HasImage(ed);
    const Bitmap* image = hasImage ? &CurrentImage(ed) : nullptr;
    const void* top = hasImage ? image->Data() : nullptr;
    const bool sameImage = hasImage == before.hadImage && (!hasImage || *image == before.image);
    std::ostringstream fault;

    if (step.undo) {
        strokeLive_ = false;
        if (before.depth == 0) {
            if (depth != 0 || !sameImage) fault << "Undo at depth 0 changed the document";
        } else if (depth != before.depth - 1) {
            fault << "Undo went from depth " << before.depth << " to " << depth;
        } else if (below_.empty()) {
            fault << "the model has no level to undo to";
        } else {
            if (!hasImage || *image != below_.back())
                fault << "Undo shows " << (hasImage ? SizeText(*image) : "no image")
                      << " that differs from the image before the last change (" << SizeText(below_.back()) << ")";
            else if (ed.doc.imageWidth != image->Width() || ed.doc.imageHeight != image->Height())
                fault << "Undo left the image size at " << ed.doc.imageWidth << "x" << ed.doc.imageHeight;
            else if (ed.doc.imageBitDepth != before.bitDepth)
                fault << "Undo changed the bit depth";
            below_.pop_back();
            ++seen.undos;
        }
        return fault.str();
    }

    const bool replaced = step.mayReplace && hasImage && depth == 0 &&
                          (!before.hadImage || before.depth != 0 || top != before.top || !sameImage);
    if (replaced) {
        below_.clear();
        strokeLive_ = false;
        ++seen.newImages;
        return {};
    }

    const bool pushed = (depth == before.depth + 1) || (before.depth == 3 && depth == 3 && top != before.top);
    if (pushed) {
        if (!before.hadImage) return "an undo level was added with no image before it";
        below_.push_back(before.image);
        if (below_.size() > 3) below_.pop_front();
        if (before.depth == 3) ++seen.pushesWhenFull;
        if (ed.doc.imageBitDepth != before.bitDepth) fault << "an edit changed the bit depth";
        // A pen press, or the first move of a stroke begun off the image, makes the stroke's level.
        strokeLive_ = step.penPress || step.penMove;
    } else if (depth != before.depth) {
        fault << "depth went from " << before.depth << " to " << depth << " without an undo or a new image";
    } else if (top != before.top) {
        fault << "the current level was replaced without an undo level";
    } else if (!sameImage && !(step.penMove && strokeLive_)) {
        fault << "pixels changed without an undo level";
    } else if (!sameImage) {
        ++seen.inPlaceStrokes;
    } else if (ed.doc.imageBitDepth != before.bitDepth && !step.mayReplace) {
        fault << "the bit depth changed without a new image";
    }
    if (step.penPress && !pushed) strokeLive_ = false;
    if (step.buttonUp) strokeLive_ = false;
    if (!pushed && !step.penMove && !step.penPress && top != before.top) strokeLive_ = false;
    return fault.str();
}

std::string CheckDocumentAndStates(Editor& ed, const std::string& folder) {
    std::ostringstream fault;
    const int depth = ed.doc.undoDepth;
    if (depth > 3) fault << "undo depth " << depth << " exceeds 3; ";
    const bool hasImage = HasImage(ed);
    if (hasImage) {
        const Bitmap& image = CurrentImage(ed);
        if (image.Width() != ed.doc.imageWidth || image.Height() != ed.doc.imageHeight)
            fault << "image is " << SizeText(image) << " but the document says " << ed.doc.imageWidth << "x"
                  << ed.doc.imageHeight << "; ";
    }

    if (hasImage && !ed.doc.needsSaveAs && ed.doc.currentPath.rfind(folder, 0) != 0)
        fault << "a plain Save would write " << ed.doc.currentPath << ", a file the user never chose; ";

    const bool selected = ed.selection.active != 0;
    if (selected) {
        const Rect r = ed.selection.rect;
        if (!hasImage || r.left < 0 || r.top < 0 || r.left > r.right || r.top > r.bottom || r.right > ed.doc.imageWidth ||
            r.bottom > ed.doc.imageHeight)
            fault << "selection {" << r.left << "," << r.top << "," << r.right << "," << r.bottom
                  << "} is not inside the " << ed.doc.imageWidth << "x" << ed.doc.imageHeight << " image; ";
    }

    StateAudit audit(ed);
    audit.Both(CommandId::Undo, depth > 0, "undo depth");
    audit.Both(CommandId::Save, ed.doc.modified != 0, "modified");
    for (CommandId id : {CommandId::Cut, CommandId::Crop, CommandId::Unselect}) audit.Both(id, selected, "selection");
    audit.Menu(CommandId::AdjustSelection, selected, "selection");
    if (selected) audit.Menu(CommandId::RestoreSelection, false, "selection active");
    if (hasImage) {
        audit.Button(CommandId::AdjustSelection, selected, "selection");
        for (CommandId id : {CommandId::SaveAs, CommandId::Copy, CommandId::ChangeImageSize, CommandId::ScaleImage, CommandId::ReduceColors, CommandId::MarkBorder})
            audit.Both(id, true, "image present");
        const bool rectangle = ed.selection.shape == CommandId::RectangleSelection;
        for (CommandId id : {CommandId::RotateClockwise, CommandId::RotateCounterClockwise, CommandId::Rotate180,
                             CommandId::FlipHorizontal, CommandId::FlipVertical})
            audit.Both(id, !selected || rectangle, "selection shape");
        for (CommandId id : {CommandId::ShiftLeft, CommandId::ShiftRight, CommandId::ShiftUp, CommandId::ShiftDown})
            audit.Both(id, selected && rectangle, "selection shape");
    }
    // Painted after every step that asked for it, so the fills follow the selection.
    const bool area = selected && ed.selection.shape != CommandId::LineSelection;
    audit.Both(CommandId::FillLine, selected, "selection");
    for (CommandId id : {CommandId::FillSolid, CommandId::FillTwoColor, CommandId::FillInterior, CommandId::FillExterior})
        audit.Both(id, area, "selection shape");
    fault << audit.Result();

    for (ViewMode mode : kViewModes) {
        const CommandId id = ViewCommand(mode);
        if (MenuChecked(ed, id) != (StoredViewMode(mode) == ed.settings.viewMode))
            fault << "view mode check on " << id << " is wrong; ";
    }
    for (CommandId id : {CommandId::Pen, CommandId::Bucket, CommandId::PickColor, CommandId::RectangleSelection,
                         CommandId::RoundedRectangleSelection, CommandId::EllipseSelection, CommandId::LineSelection})
        if (MenuChecked(ed, id) != (id == ed.draw.currentTool)) fault << "tool check on " << id << " is wrong; ";
    return fault.str();
}

std::string CheckReducedLevel(const Editor& ed) {
    const std::vector<Pixel>& palette = CurrentPalette(ed);
    if (palette.empty() || palette.size() > 256)
        return "Reduce Colours left a level with a palette of " + std::to_string(palette.size()) + " colours";
    const Bitmap& image = CurrentImage(ed);
    for (int y = 0; y < image.Height(); ++y) {
        const Pixel* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x)
            if (std::find(palette.begin(), palette.end(), row[x]) == palette.end())
                return "after Reduce Colours the pixel at " + std::to_string(x) + "," + std::to_string(y) +
                       " is not one of the " + std::to_string(palette.size()) + " palette colours";
    }
    return {};
}

std::string DescribeState(const Editor& ed) {
    const Rect r = ed.selection.rect;
    std::ostringstream out;
    out << "image " << ed.doc.imageWidth << "x" << ed.doc.imageHeight << " at " << ed.doc.imageBitDepth
        << " bits, depth " << int(ed.doc.undoDepth) << ", modified " << int(ed.doc.modified)
        << ", selection " << (ed.selection.active ? "on" : "off") << " {" << r.left << "," << r.top << ","
        << r.right << "," << r.bottom << "} shape " << ed.selection.shape << ", tool "
        << ed.draw.currentTool << ", zoom " << ed.settings.zoomPercent << ", adjust dialog "
        << (AdjustDialogOpen(ed) ? "open" : "closed");
    return out.str();
}

std::string CheckSavedFile(const Editor& ed, const std::string& path, int depth, const Bitmap& image, bool reloaded) {
    const BmpReadResult read = DecodeBmp(testing::ReadBytes(path));
    std::ostringstream fault;
    if (!read.image) {
        fault << "the saved file " << path << " does not read back: " << read.Message();
        return fault.str();
    }
    const Bitmap& file = read.image->bitmap;
    if (read.image->bitDepth != depth) fault << "saved at " << read.image->bitDepth << " bits instead of " << depth << "; ";
    if (file.Width() != image.Width() || file.Height() != image.Height())
        fault << "saved " << SizeText(file) << " from a " << SizeText(image) << " image; ";
    else if (depth == 24 && file != image)
        fault << "the 24-bit file does not hold the image's pixels; ";
    if (reloaded) {
        if (!HasImage(ed) || CurrentImage(ed) != file) fault << "the editor does not show the file it saved as; ";
        if (ed.doc.imageBitDepth != std::uint32_t(depth)) fault << "after Save As the depth is " << ed.doc.imageBitDepth << "; ";
        if (ed.doc.undoDepth != 0 || ed.doc.modified) fault << "after Save As the undo levels or modified remain; ";
    } else if (ed.doc.modified) {
        fault << "a successful save left the image modified; ";
    }
    return fault.str();
}

}  // namespace rastrix::session
