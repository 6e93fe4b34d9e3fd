#include "batch/HeadlessHost.h"

namespace rastrix::batch {

int HeadlessHost::ShowMessage(const std::string&, const std::optional<std::string>&, MsgButtons buttons, MsgIcon) {
    // No to a question (nothing is written), OK to a report.
    return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? DialogAnswer::Ok : DialogAnswer::No;
}

}  // namespace rastrix::batch
