#pragma once
#include <string>

#include "editor/Host.h"

namespace rastrix::batch {

// The platform as rastrix-batch sees it: no windows. A message box is answered No (a question)
// or OK (a report) and shown nowhere: why a step failed is the problem the editor keeps
// (BatchProblem.h), not a box's text. File dialogs and modal dialogs are cancelled, for the
// runner gives the commands their parameters itself; and there is no clipboard.
class HeadlessHost : public Host {
public:
    int ShowMessage(const std::string& text, const std::optional<std::string>& caption, MsgButtons buttons,
                   MsgIcon icon) override;
    std::optional<FileDialogResult> OpenFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileDialogResult> SaveFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<Color> ChooseColor(Color, std::array<Color, 16>&) override { return std::nullopt; }
    int RunModal(DialogModel&) override { return DialogAnswer::Cancel; }
    void ShowModeless(DialogModel&, int, int) override {}
    void RefreshModeless(DialogModel&) override {}
    void CloseModeless(DialogModel&) override {}
    bool OpenUrl(const std::string&) override { return false; }
    bool OpenClipboard() override { return false; }
    bool ClipboardHasBitmap() override { return false; }
    std::optional<ClipboardImage> ReadClipboardBitmap() override { return std::nullopt; }
    bool WriteClipboardBitmap(const Bitmap&) override { return false; }
};

}  // namespace rastrix::batch
