#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "document/ChangeSize.h"
#include "editor/DialogModel.h"

namespace rastrix {

struct Editor;

// The "Change File Size" dialog: the two size fields start with the current size. OK with a
// size that cannot be made (0, more than 65535 a side, too many pixels) tells the user why and
// keeps the dialog open; otherwise it ends with DialogAnswer::Ok and Params() holds the size.
// Cancel ends it with 0. The dialog only collects: RunChangeImageSize does the work.
class ChangeSizeDialog : public DialogModel {
public:
    static constexpr int kWidthEdit = 132, kHeightEdit = 133;

    ChangeSizeDialog(Editor& ed, std::int32_t width, std::int32_t height);

    const DialogTemplate& Template() const override;
    std::string Text(int id) const override;
    void TextChanged(int id, std::string_view text) override;
    void Command(int id) override;

    // What OK accepted.
    const ChangeSizeParams& Params() const { return params_; }

private:
    Editor& ed_;
    std::string widthText_, heightText_;
    ChangeSizeParams params_;
};

}  // namespace rastrix
