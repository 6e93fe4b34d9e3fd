#pragma once
#include <array>
#include <string>
#include <string_view>

#include "editor/DialogModel.h"

namespace rastrix {

struct Editor;

// Control identifiers of the Adjust Selection dialog. Each field's arrows have the field's
// identifier plus 4.
namespace ControlId {
inline constexpr int AdjustLeft = 130;    // left
inline constexpr int AdjustTop = 131;     // top
inline constexpr int AdjustWidth = 132;   // right - left
inline constexpr int AdjustHeight = 133;  // bottom - top
inline constexpr int AdjustArrowsOffset = 4;
}  // namespace ControlId

// Characters of a field that are read when it is applied; the rest is ignored.
inline constexpr std::size_t kAdjustFieldReadLength = 6;

// A range of characters selected in an edit field, [start, end).
struct TextRange {
    int start = 0;
    int end = 0;
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

// The modeless dialog that shows the selection as four numbers and edits it in place: typing
// (applied when the field loses the focus or on Enter) and arrows of one pixel. Every change is
// clamped to the image, repaints the image window and refreshes the four fields. It keeps no
// copy of the selection and cannot undo.
//
// The front end shows it with Host::ShowModeless, and reports: every text change
// (TextChanged), a field losing the focus (EditCommitted), a field gaining it (FieldFocused),
// arrow clicks (Spin: +1 for the right or up arrow, -1 for left or down), Enter (Command
// DialogAnswer::Ok), Esc and the close box (Command DialogAnswer::Cancel), and moves
// (AdjustDialogMoved). The arrows of In and Width lie across (their rectangle is wider than high);
// those of Down and Height stand up. After each call it selects SelectedRange() in FocusedField().
class AdjustSelectionDialog : public DialogModel {
public:
    explicit AdjustSelectionDialog(Editor& ed) : ed_(ed) {}

    const DialogTemplate& Template() const override;
    std::string Text(int id) const override;
    void TextChanged(int id, std::string_view text) override;
    void EditCommitted(int id) override;
    void Spin(int id, int delta) override;
    void Command(int id) override;

    // The focus arrived in a field (130..133); other identifiers are ignored.
    void FieldFocused(int id);
    int FocusedField() const { return focused_; }
    // The characters to show selected in the focused field.
    TextRange SelectedRange() const { return selected_; }

    bool IsOpen() const { return open_; }

    // Used by the open and close operations below.
    void Opened();
    void Closed() { open_ = false; }
    // Sets the four fields from the selection and selects the first four characters of the
    // focused one.
    void Refresh();

private:
    static bool IsField(int id) { return id >= ControlId::AdjustLeft && id <= ControlId::AdjustHeight; }
    std::string& FieldText(int id) { return texts_[std::size_t(id - ControlId::AdjustLeft)]; }
    // Clamp, repaint the image window, refresh the fields.
    void Changed();

    Editor& ed_;
    std::array<std::string, 4> texts_;
    int focused_ = ControlId::AdjustLeft;
    TextRange selected_;
    bool open_ = false;
};

// Opens the dialog at the stored offset from the frame's top-left corner; when it is open
// already, nothing happens (it is neither refreshed nor brought forward).
void OpenAdjustDialog(Editor& ed);
// Closes the dialog when it is open; its place relative to the frame is kept for the next open.
void CloseAdjustDialog(Editor& ed);
bool AdjustDialogOpen(const Editor& ed);
// The dialog's model while it is open, else null.
AdjustSelectionDialog* OpenAdjustDialogModel(Editor& ed);

// The user moved the dialog: offsetX and offsetY are its top-left corner minus the frame's,
// kept (as 16-bit values, like the stored settings) so it opens there again, also in later runs.
void AdjustDialogMoved(Editor& ed, int offsetX, int offsetY);

// The Adjust Selection dialog's rule: the top-left corner onto an image pixel first, then the
// far sides between it and the image's edges, always in this order: left into [0, imageWidth - 1],
// top into [0, imageHeight - 1], right into [left, imageWidth], bottom into [top, imageHeight].
// (A drag's rule, ClampSelectionSidesToImage, lets the left side lie on the right edge.)
void ClampSelectionCornerOntoImage(Editor& ed);

// The value a field's text stands for: the leading decimal digits of its first six characters
// (none gives 0), of which the low 16 bits count as a signed number, so 40000 reads as -25536.
int ParseAdjustField(std::string_view text);

}  // namespace rastrix
