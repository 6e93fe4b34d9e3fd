#pragma once
// A scripted Host for headless tests: answers come from queues set up by the test, and every
// call is recorded so the test can check what the user would have seen.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/Host.h"

namespace rastrix::test {

struct ShownMessage {
    std::string text;
    std::optional<std::string> caption;
    MsgButtons buttons;
    MsgIcon icon;
};

class FakeHost : public Host {
public:
    // Answers, consumed front first. An empty queue answers DialogAnswer::Ok / cancel / nullopt.
    std::deque<int> messageAnswers;
    std::deque<std::optional<FileDialogResult>> openAnswers;
    std::deque<std::optional<FileDialogResult>> saveAnswers;
    std::deque<std::optional<Color>> colorAnswers;
    // Runs a modal dialog model; the test fills the model's fields and returns its result.
    std::deque<std::function<int(DialogModel&)>> modalScripts;
    bool openUrlSucceeds = true;

    bool clipboardOpens = true;
    bool clipboardReadable = true;
    int waitCursorsShown = 0;  // times the wait cursor was put up before a long operation  // false: a picture is announced but cannot be read
    std::optional<ClipboardImage> clipboard;

    // What happened.
    std::vector<ShownMessage> messages;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<Color> colorRequests;
    std::vector<std::string> openedUrls;
    int modalRuns = 0;
    DialogModel* modeless = nullptr;  // the modeless dialog on screen, if any
    Point modelessOffset;
    int modelessShows = 0;
    int modelessRefreshes = 0;

    int ShowMessage(const std::string& text, const std::optional<std::string>& caption, MsgButtons buttons,
                   MsgIcon icon) override {
        messages.push_back({text, caption, buttons, icon});
        return Pop(messageAnswers, int(DialogAnswer::Ok));
    }
    std::optional<FileDialogResult> OpenFileDialog(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return Pop(openAnswers, std::optional<FileDialogResult>{});
    }
    std::optional<FileDialogResult> SaveFileDialog(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return Pop(saveAnswers, std::optional<FileDialogResult>{});
    }
    std::optional<Color> ChooseColor(Color initial, std::array<Color, 16>&) override {
        colorRequests.push_back(initial);
        return Pop(colorAnswers, std::optional<Color>{});
    }
    int RunModal(DialogModel& model) override {
        ++modalRuns;
        if (modalScripts.empty()) return DialogAnswer::Cancel;
        auto script = std::move(modalScripts.front());
        modalScripts.pop_front();
        return script(model);
    }
    void ShowModeless(DialogModel& model, int offsetX, int offsetY) override {
        modeless = &model;
        modelessOffset = {offsetX, offsetY};
        ++modelessShows;
    }
    void RefreshModeless(DialogModel&) override { ++modelessRefreshes; }
    void CloseModeless(DialogModel& model) override {
        if (modeless == &model) modeless = nullptr;
    }
    void ShowWaitCursorNow() override { ++waitCursorsShown; }
    bool OpenUrl(const std::string& address) override {
        openedUrls.push_back(address);
        return openUrlSucceeds;
    }
    bool OpenClipboard() override { return clipboardOpens; }
    bool ClipboardHasBitmap() override { return clipboard.has_value(); }
    std::optional<ClipboardImage> ReadClipboardBitmap() override {
        return clipboardReadable ? clipboard : std::nullopt;
    }
    bool WriteClipboardBitmap(const Bitmap& bitmap) override {
        clipboard = ClipboardImage{bitmap, 32};
        return true;
    }

    const ShownMessage* LastMessage() const { return messages.empty() ? nullptr : &messages.back(); }

private:
    template <class T>
    static T Pop(std::deque<T>& q, T fallback) {
        if (q.empty()) return fallback;
        T v = std::move(q.front());
        q.pop_front();
        return v;
    }
};

}  // namespace rastrix::test
