#include "batch/HeadlessHost.h"

namespace rastrix::batch {

int HeadlessHost::ShowMessage(const std::string& text, const std::optional<std::string>&, MsgButtons buttons,
                             MsgIcon) {
    if (failure_.empty()) {
        failure_ = text;
        for (char& c : failure_)
            if (c == '\n') c = ' ';
    }
    // No to a question (nothing is written), OK to a report.
    return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? DialogAnswer::Ok : DialogAnswer::No;
}

}  // namespace rastrix::batch
