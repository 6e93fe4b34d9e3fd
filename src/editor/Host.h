#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "raster/Bitmap.h"
#include "raster/Color.h"

namespace rastrix {

// Buttons and answers of a message box, with the platform's numbers.
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Warning, Error, Question };
namespace DialogAnswer {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
}  // namespace DialogAnswer

struct FileFilter {
    std::string name;     // "Bitmap Files"
    std::string pattern;  // "*.bmp"
};

struct FileDialogRequest {
    std::string title;
    std::vector<FileFilter> filters;
    int filterIndex = 1;      // 1-based, as the platform counts
    std::string initialName;  // may be empty
    bool confirmOverwrite = false;
};

struct FileDialogResult {
    std::string path;
    int filterIndex = 1;
};

struct ClipboardImage {
    Bitmap bitmap;
    int bitDepth = 24;
};

class DialogModel;

// Everything the core needs from the platform that involves the user or the system.
// The Qt front end implements it; tests use a scripted fake.
class Host {
public:
    virtual ~Host() = default;

    // caption: nullopt shows the platform's default caption ("Error").
    virtual int ShowMessage(const std::string& text, const std::optional<std::string>& caption,
                            MsgButtons buttons, MsgIcon icon) = 0;
    virtual std::optional<FileDialogResult> OpenFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<FileDialogResult> SaveFileDialog(const FileDialogRequest& request) = 0;
    // Returns the chosen colour, or nullopt on Cancel; customColors is updated in place either way.
    virtual std::optional<Color> ChooseColor(Color initial, std::array<Color, 16>& customColors) = 0;
    // Runs a modal dialog on the model; returns the value the model ended with (DialogAnswer::Ok,
    // DialogAnswer::Cancel, ...).
    virtual int RunModal(DialogModel& model) = 0;
    // Shows a modeless dialog (Adjust Selection) at offset (x, y) from the frame's top-left
    // corner; the front end reports moves back through the dialog's model. Refresh re-reads the
    // model after the core changed it; Close removes the dialog.
    virtual void ShowModeless(DialogModel& model, int offsetX, int offsetY) = 0;
    virtual void RefreshModeless(DialogModel& model) = 0;
    virtual void CloseModeless(DialogModel& model) = 0;
    // Opens a web address with the system's browser; false when that failed.
    virtual bool OpenUrl(const std::string& address) = 0;
    // Shows the wait cursor at once, before a long operation keeps the program from its event
    // loop; the front end takes it down when the program gets back there.
    virtual void ShowWaitCursorNow() {}

    virtual bool OpenClipboard() = 0;
    virtual bool ClipboardHasBitmap() = 0;
    virtual std::optional<ClipboardImage> ReadClipboardBitmap() = 0;
    virtual bool WriteClipboardBitmap(const Bitmap& bitmap) = 0;
};

}  // namespace rastrix
