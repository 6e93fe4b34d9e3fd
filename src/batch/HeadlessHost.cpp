#include "batch/HeadlessHost.h"

#include "codec/BmpWriter.h"
#include "editor/DialogModel.h"

namespace rastrix::batch {

void HeadlessHost::Fail(const std::string& reason) {
    if (failure_.empty()) failure_ = reason;
}

int HeadlessHost::ShowMessage(const std::string& text, const std::optional<std::string>&, MsgButtons buttons,
                             MsgIcon) {
    const bool colourLoss = buttons == MsgButtons::YesNo && text.starts_with(kColorLossTextBefore);
    if (colourLoss && allowColourLoss_) return DialogAnswer::Yes;
    std::string reason = text;
    if (colourLoss) {
        // The question's second line asks the user; the tool says what to give instead, spelt as
        // the question spells colour.
        reason = text.substr(0, text.find('\n')) + " Give --allow-color-loss to write it with the nearest colors.";
    }
    for (char& c : reason)
        if (c == '\n') c = ' ';
    Fail(reason);
    // No to a question (nothing is written), OK to a report.
    return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? DialogAnswer::Ok : DialogAnswer::No;
}

std::optional<FileDialogResult> HeadlessHost::OpenFileDialog(const FileDialogRequest&) {
    if (openAnswers.empty()) return std::nullopt;
    FileDialogResult chosen{openAnswers.front(), 1};
    openAnswers.pop_front();
    return chosen;
}

int HeadlessHost::RunModal(DialogModel& model) {
    if (modalScripts.empty()) return DialogAnswer::Cancel;
    auto script = std::move(modalScripts.front());
    modalScripts.pop_front();
    return script(model);
}

}  // namespace rastrix::batch
