#pragma once
#include <deque>
#include <string>
#include <vector>

#include "editor/Host.h"

namespace rastrix::testing {

// A minimal scripted host for the help commands: records message boxes and web addresses
// and answers OpenUrl from a queue (true once the queue is empty). Other calls are counted.
class HelpTestHost final : public Host {
public:
    struct Box {
        std::string text;
        std::optional<std::string> caption;
        MsgButtons buttons;
        MsgIcon icon;
    };
    std::vector<Box> boxes;
    std::vector<std::string> openedUrls;
    std::deque<bool> urlAnswers;
    int otherCalls = 0;

    int ShowMessage(const std::string& text, const std::optional<std::string>& caption, MsgButtons buttons,
                   MsgIcon icon) override {
        boxes.push_back({text, caption, buttons, icon});
        return DialogAnswer::Ok;
    }
    bool OpenUrl(const std::string& address) override {
        openedUrls.push_back(address);
        const bool answer = urlAnswers.empty() || urlAnswers.front();
        if (!urlAnswers.empty()) urlAnswers.pop_front();
        return answer;
    }
    std::optional<FileDialogResult> OpenFileDialog(const FileDialogRequest&) override { return Other(); }
    std::optional<FileDialogResult> SaveFileDialog(const FileDialogRequest&) override { return Other(); }
    std::optional<Color> ChooseColor(Color, std::array<Color, 16>&) override { return Other(); }
    int RunModal(DialogModel&) override { return Other(), DialogAnswer::Cancel; }
    void ShowModeless(DialogModel&, int, int) override { Other(); }
    void RefreshModeless(DialogModel&) override { Other(); }
    void CloseModeless(DialogModel&) override { Other(); }
    bool OpenClipboard() override { return Other(), false; }
    bool ClipboardHasBitmap() override { return Other(), false; }
    std::optional<ClipboardImage> ReadClipboardBitmap() override { return Other(); }
    bool WriteClipboardBitmap(const Bitmap&) override { return Other(), false; }

private:
    std::nullopt_t Other() { return ++otherCalls, std::nullopt; }
};

}  // namespace rastrix::testing
