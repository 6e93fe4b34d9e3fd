#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "editor/DialogModel.h"

namespace rastrix {

struct Editor;

// The "Change File Size" dialog: the two size fields start with the current size. OK with a
// size that cannot be made (0, more than 65535 a side, too many pixels) tells the user why and
// keeps the dialog open; otherwise it ends with DialogAnswer::Ok. Cancel ends it with 0.
class ChangeSizeDialog : public DialogModel {
public:
    static constexpr int kWidthEdit = 132, kHeightEdit = 133;

    ChangeSizeDialog(Editor& ed, std::int32_t width, std::int32_t height);

    const DialogTemplate& Template() const override;
    std::string Text(int id) const override;
    void TextChanged(int id, std::string_view text) override;
    void Command(int id) override;

    // What OK accepted.
    std::uint32_t Width() const { return width_; }
    std::uint32_t Height() const { return height_; }

private:
    Editor& ed_;
    std::string widthText_, heightText_;
    std::uint32_t width_ = 0, height_ = 0;
};

}  // namespace rastrix
