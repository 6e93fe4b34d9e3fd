#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codec/BmpWriter.h"
#include "store/FileOps.h"

namespace rastrix {

struct Editor;

struct SavedFile {
    std::string path;  // ".bmp" added where missing
    int depth = 24;    // 1, 4, 8, 24, 16, kSaveDepth555 or 32
};

// Writes the current image as a BMP file: without the dialog to currentPath at the image's
// depth, with it to the chosen name at the chosen depth. Returns what was written, or nullopt
// when nothing was: dialog cancelled, colour loss declined, or a failure the user has been
// told about. A failed write leaves any old file as it was and the document modified.
std::optional<SavedFile> SaveImageFile(Editor& ed, bool withDialog);

// The question Save asks when the image has more colours than the depth's table holds: the
// host's warning with Yes and No, Yes to write the nearest colours. The writer says only how
// many colours the table holds; the words are the editor's.
ColorLossQuestion AskUserAboutColorLoss(Editor& ed);
inline constexpr std::string_view kColorLossCaption = "Warning";
inline constexpr std::string_view kColorLossTextBefore = "This image contains more than ";
inline constexpr std::string_view kColorLossTextAfter = " colors; some colors will be lost.\nWould you like to continue?";
// The question's text for a table of paletteCapacity entries.
std::string ColorLossText(int paletteCapacity);

// The depths Save As offers besides 1, 4, 8 and 24: 16 bits as 5-6-5 (16) or 5-5-5 (this
// one), and 32 bits (32).
inline constexpr int kSaveDepth555 = 15;

// A picture's alpha, for a 32-bit file that keeps it (rastrix-batch reads one from a PNG): the
// image holds the colours laid on `background`.
struct KeptAlpha {
    const Bitmap* alpha = nullptr;
    Pixel background{0x00FFFFFFu};
};

// The current image as the BMP file Save writes at depth, the colour loss answered by ask;
// rastrix-batch answers with a question of its own. At 1, 4 and 8 bits an image whose level
// carries a palette (Reduce Colours made it) that the depth holds, and whose every pixel is
// one of its colours, is written with that palette as its table, in its order, padded with
// white (EncodePaletteBmpPieces); any other image as EncodeBmpPieces writes it. 16, 15 and 32
// are written by EncodeBmpDirect, with the alpha when one is kept; anything else is 24 bits.
BmpFileBytes EncodeCurrentImage(Editor& ed, int depth, const ColorLossQuestion& ask, std::vector<std::uint8_t>& buffer,
                                const KeptAlpha& kept = {});

// Writes a file's bytes to path as Save does: whole or not at all, by a temporary file renamed
// over it, with the mode of a new image file.
WriteResult WriteImageFile(Editor& ed, const std::string& path, const BmpFileBytes& file);

// The depth a plain Save writes for the image's depth: 1, 4 and 8 as they are, else 24 (also
// for an image read from a 16- or 32-bit file: only Save As writes those).
int PlainSaveDepth(std::uint32_t imageBitDepth);

// Save (260) and Save As (261).
void SaveCommand(Editor& ed);
void SaveAsCommand(Editor& ed);

inline constexpr const char* kSaveAsTitle = "Save As";
// The Save As filters after the four first ones.
inline constexpr const char* kSave565FilterName = "16-bit Bitmap, 5-6-5";
inline constexpr const char* kSave555FilterName = "16-bit Bitmap, 5-5-5";
inline constexpr const char* kSave32FilterName = "32-bit Bitmap";

}  // namespace rastrix
