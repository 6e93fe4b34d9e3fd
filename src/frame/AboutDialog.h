#pragma once
#include "editor/DialogModel.h"
#include "frame/Help.h"

namespace rastrix {

// The About box as a dialog model: Donate (and Enter) ends it with 1, Cancel, Esc and the
// close box with 0.
struct Editor;

class AboutDialog : public DialogModel {
public:
    AboutDialog();
    const DialogTemplate& Template() const override { return template_; }
    void Command(int id) override;

private:
    AboutBox box_;
    DialogTemplate template_;
};

// Help > About: shows the box, then opens the donation page when Donate was chosen.
void AboutCommand(Editor& ed);

}  // namespace rastrix
