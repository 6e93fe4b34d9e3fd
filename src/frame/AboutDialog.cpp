#include "frame/AboutDialog.h"

#include "editor/Editor.h"
#include "frame/CommandLine.h"

namespace rastrix {

namespace {

ControlKind KindOf(AboutControlKind kind, int id) {
    switch (kind) {
        case AboutControlKind::Icon: return ControlKind::Icon;
        case AboutControlKind::Rule: return ControlKind::Rule;
        case AboutControlKind::PushButton:
            return id == AboutBox::kDonate ? ControlKind::DefPushButton : ControlKind::PushButton;
        case AboutControlKind::Text: break;
    }
    return ControlKind::Text;
}

}  // namespace

AboutDialog::AboutDialog() {
    template_.name = std::string(AboutBox::kTemplateName);
    template_.caption = std::string(AboutBox::kCaption);
    template_.rect = AboutBox::kRect;
    for (const AboutControl& c : AboutBox::kControls) {
        std::string content(c.content);
        // One version for the box and --version: the one the build was made with.
        if (c.id == AboutBox::kVersionLine) content += VersionNumber();
        template_.controls.push_back({c.id, KindOf(c.kind, c.id), c.rect, std::move(content), c.tabStop});
    }
}

void AboutDialog::Command(int id) {
    box_.OnCommand(id);
    if (box_.ended) End(box_.result);
}

void AboutCommand(Editor& ed) {
    AboutDialog dialog;
    FinishAbout(ed.host, ed.host.RunModal(dialog));
}

}  // namespace rastrix
