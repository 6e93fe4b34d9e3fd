#pragma once
#include <deque>
#include <functional>
#include <string>

#include "editor/Host.h"

namespace rastrix::batch {

// The platform as rastrix-batch sees it: no windows. A message box becomes the reason the
// current file fails (the first one counts), the colour-loss question is answered from the
// command line, file dialogs and modal dialogs are answered by what the runner queued for the
// command it is about to run, and there is no clipboard.
class HeadlessHost : public Host {
public:
    explicit HeadlessHost(bool allowColourLoss) : allowColourLoss_(allowColourLoss) {}

    // The first report of the current file, empty while all went well.
    const std::string& Failure() const { return failure_; }
    void ClearFailure() { failure_.clear(); }

    // Answers for the next dialogs, consumed front first; an empty queue cancels.
    std::deque<std::string> openAnswers;
    std::deque<std::function<int(DialogModel&)>> modalScripts;

    int ShowMessage(const std::string& text, const std::optional<std::string>& caption, MsgButtons buttons,
                   MsgIcon icon) override;
    std::optional<FileDialogResult> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> SaveFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<Color> ChooseColor(Color, std::array<Color, 16>&) override { return std::nullopt; }
    int RunModal(DialogModel& model) override;
    void ShowModeless(DialogModel&, int, int) override {}
    void RefreshModeless(DialogModel&) override {}
    void CloseModeless(DialogModel&) override {}
    bool OpenUrl(const std::string&) override { return false; }
    bool OpenClipboard() override { return false; }
    bool ClipboardHasBitmap() override { return false; }
    std::optional<ClipboardImage> ReadClipboardBitmap() override { return std::nullopt; }
    bool WriteClipboardBitmap(const Bitmap&) override { return false; }

private:
    void Fail(const std::string& reason);

    bool allowColourLoss_;
    std::string failure_;
};

}  // namespace rastrix::batch
