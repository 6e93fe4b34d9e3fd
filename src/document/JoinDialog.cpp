#include "document/JoinDialog.h"

#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ReportError.h"

namespace rastrix {

namespace {

DialogTemplate MakeTemplate() {
    using K = ControlKind;
    DialogTemplate t{"JOIN", "Join Files", {0, 0, 360, 220}, {}};
    auto add = [&t](int id, ControlKind kind, DialogUnitRect r, const char* text, bool tab) {
        t.controls.push_back({id, kind, r, text, tab});
    };
    add(106, K::Text, {20, 9, 216, 11}, "Specify the files to be joined.", false);
    // Etched lines: three across and three down, framing the four places.
    for (int i = 0; i < 3; ++i) add(401 + i, K::Rule, {20, 30 + 64 * i, 321, 1}, "", false);
    for (int i = 0; i < 3; ++i) add(411 + i, K::Rule, {20 + 160 * i, 30, 1, 129}, "", false);
    for (int p = 0; p < kJoinPositions; ++p) {
        const int x = 36 + 160 * (p % 2), y = 40 + 64 * (p / 2);
        add(JoinDialog::kFirstEdit + p, K::Edit, {x, y, 124, 14}, "", true);
        add(JoinDialog::kFirstBrowse + p, K::PushButton, {x + 76, y + 24, 48, 14}, "Browse", true);
        add(JoinDialog::kFirstLabel + p, K::Text, {x, y + 28, 56, 9}, "", false);
    }
    add(DialogAnswer::Ok, K::PushButton, {282, 184, 50, 14}, "Join", true);
    add(DialogAnswer::Cancel, K::PushButton, {132, 184, 50, 14}, "Cancel", true);
    return t;
}

// The position of an id in a run of four starting at first, or -1.
int PositionOf(int id, int first) { return id >= first && id < first + kJoinPositions ? id - first : -1; }

}  // namespace

JoinDialog::JoinDialog(Editor& ed) : ed_(ed) {}

const DialogTemplate& JoinDialog::Template() const {
    static const DialogTemplate t = MakeTemplate();
    return t;
}

std::string JoinDialog::Text(int id) const {
    if (const int p = PositionOf(id, kFirstEdit); p >= 0) return params_.paths[p];
    if (const int p = PositionOf(id, kFirstLabel); p >= 0) return JoinSizeText(params_, p);
    return DialogModel::Text(id);
}

void JoinDialog::TextChanged(int id, std::string_view text) {
    if (const int p = PositionOf(id, kFirstEdit); p >= 0) params_.paths[p] = text;
}

void JoinDialog::Command(int id) {
    if (const int p = PositionOf(id, kFirstBrowse); p >= 0) {
        Browse(p);
    } else if (id == DialogAnswer::Ok) {
        Join();
    } else if (id == DialogAnswer::Cancel) {
        End(0);
    }
}

void JoinDialog::Browse(int p) {
    FileDialogRequest request;
    request.title = kJoinBrowseTitle;
    request.filters = {{"Bitmap Files", "*.bmp"}};
    request.filterIndex = 1;
    const auto chosen = ed_.host.OpenFileDialog(request);
    if (!chosen) return;
    PlaceJoinFile(ed_, params_, p, chosen->path);
}

void JoinDialog::Join() {
    if (const auto why = RefuseJoin(params_)) {
        ReportProblem(ed_, *why);
        return;
    }
    End(DialogAnswer::Ok);
}

}  // namespace rastrix
