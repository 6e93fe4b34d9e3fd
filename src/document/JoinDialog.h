#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/Join.h"
#include "editor/DialogModel.h"

namespace rastrix {

struct Editor;

inline constexpr const char* kJoinBrowseTitle = "Select a File";
inline constexpr const char* kJoinNothingBrowsedText =
    "No file has been chosen with Browse, so the size of the joined image is not known. "
    "Choose at least one file with Browse.";
inline constexpr const char* kJoinNoCanvasText = "The files chosen give the joined image no pixels.";

// The "Join Files" dialog. Position p (0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right)
// has the edit 151 + p, the Browse button 155 + p and the size label 161 + p. Browse puts the
// chosen name in the edit and reads the file's header at once: its size (kept as 16-bit signed
// values) shows in the label and counts in the canvas, and its depth raises the depth of the
// result. A name typed by hand is drawn but its size does not count. Join checks the canvas
// and ends with DialogAnswer::Ok; when no file was browsed, a browsed size does not fit 16 bits
// signed, or the canvas would be too large, it tells the user why and stays open. Cancel ends with
// 0. The dialog only collects the places (PlaceJoinFile): RunJoin does the join.
class JoinDialog : public DialogModel {
public:
    static constexpr int kFirstEdit = 151, kFirstBrowse = 155, kFirstLabel = 161;

    explicit JoinDialog(Editor& ed);

    const DialogTemplate& Template() const override;
    std::string Text(int id) const override;
    void TextChanged(int id, std::string_view text) override;
    void Command(int id) override;

    std::int16_t JoinWidth(int position) const { return params_.widths[position]; }
    std::int16_t JoinHeight(int position) const { return params_.heights[position]; }
    std::uint32_t LargestDepth() const { return params_.bitDepth; }
    // The places as chosen; what Join accepted once the dialog ended with DialogAnswer::Ok.
    const JoinParams& Params() const { return params_; }

private:
    void Browse(int position);
    void Join();

    Editor& ed_;
    JoinParams params_;
};

}  // namespace rastrix
