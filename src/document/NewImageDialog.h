#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editor/DialogModel.h"

namespace rastrix {

struct Editor;

// Why a typed image size cannot be made, or nullopt when it can. Sizes follow the limits of the
// BMP reader, so every image made here can be saved and opened again: 1 to 65535 pixels a
// side and at most 2^28 pixels in all.
std::optional<std::string_view> RefuseImageSize(std::uint32_t width, std::uint32_t height);

inline constexpr const char* kZeroSizeText = "The width and the height must each be at least 1 pixel.";
inline constexpr const char* kSideTooLargeText =
    "The width and the height can each be at most 65535 pixels.";
inline constexpr const char* kTooManyPixelsText =
    "The image would be too large: an image can have at most 268,435,456 pixels, for example "
    "16384 x 16384.";

// A size field is read as at most its first 6 characters, as a decimal number that ends at the
// first non-digit; an empty field reads as 0.
std::uint32_t ReadSizeField(std::string_view text);

// Whether an image of width x height can be made; otherwise tells the user why (a side below
// 0 as one of 0) and returns false.
bool AcceptImageSize(Editor& ed, int width, int height);

// Reads both size fields. When the size can be made, stores it and returns true; otherwise
// tells the user why and returns false with width and height untouched.
bool AcceptSizeFields(Editor& ed, std::string_view widthText, std::string_view heightText,
                      std::uint32_t& width, std::uint32_t& height);

// The "Create New File" dialog: two empty size fields and the depth as four radio buttons,
// 4 bits at first. OK with a size that cannot be made tells the user why and keeps the dialog
// open; otherwise it ends with DialogAnswer::Ok. Cancel ends it with 0.
class NewImageDialog : public DialogModel {
public:
    static constexpr int kWidthEdit = 132, kHeightEdit = 133;
    static constexpr int kDepth1 = 113, kDepth4 = 114, kDepth8 = 115, kDepth24 = 116;

    explicit NewImageDialog(Editor& ed);

    const DialogTemplate& Template() const override;
    std::string Text(int id) const override;
    void TextChanged(int id, std::string_view text) override;
    bool Checked(int id) const override;
    void Command(int id) override;

    // What OK accepted.
    std::uint32_t Width() const { return width_; }
    std::uint32_t Height() const { return height_; }
    int BitDepth() const { return bitDepth_; }

private:
    Editor& ed_;
    std::string widthText_, heightText_;
    std::uint32_t width_ = 0, height_ = 0;
    int bitDepth_ = 4;
};

}  // namespace rastrix
