#pragma once
// The platform as the benchmarks see it: a clipboard that keeps its own copy of what it is
// given and hands out a copy, as a real clipboard does; a Save As dialog that answers with a
// chosen name; everything else is never asked.
#include <optional>
#include <string>

#include "editor/Host.h"

namespace rastrix::bench {

class BenchHost : public Host {
public:
    std::optional<ClipboardImage> clipboard;
    std::optional<FileDialogResult> saveAnswer;
    int ShowMessage(const std::string&, const std::optional<std::string>&, MsgButtons, MsgIcon) override { return DialogAnswer::Ok; }
    std::optional<FileDialogResult> OpenFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<FileDialogResult> SaveFileDialog(const FileDialogRequest&) override { return saveAnswer; }
    std::optional<Color> ChooseColor(Color, std::array<Color, 16>&) override { return {}; }
    int RunModal(DialogModel&) override { return DialogAnswer::Cancel; }
    void ShowModeless(DialogModel&, int, int) override {}
    void RefreshModeless(DialogModel&) override {}
    void CloseModeless(DialogModel&) override {}
    bool OpenUrl(const std::string&) override { return false; }
    bool OpenClipboard() override { return true; }
    bool ClipboardHasBitmap() override { return clipboard.has_value(); }
    std::optional<ClipboardImage> ReadClipboardBitmap() override { return clipboard; }
    bool WriteClipboardBitmap(const Bitmap& bitmap) override {
        clipboard = ClipboardImage{bitmap, 24};
        return true;
    }
};

}  // namespace rastrix::bench
