#pragma once
// Shared by the New, Change Image Size and Join tests: scripts for the size dialogs and a
// snapshot of everything a refused or cancelled command must leave alone.
#include <string>

#include "editor/CommandIds.h"
#include "editor/DialogModel.h"
#include "editor/ImageStack.h"
#include "frame/CommandDispatch.h"
#include "support/EditorFixture.h"

namespace rastrix::testing {

struct DocumentSnapshot {
    std::string path, caption;
    std::uint32_t fileSize, depth;
    int width, height, undoDepth, modified, needsSaveAs;
    std::array<std::string, kRecentCount> recent;
    Bitmap image;
    friend bool operator==(const DocumentSnapshot&, const DocumentSnapshot&) = default;
};

inline DocumentSnapshot Snapshot(Editor& ed) {
    return {ed.doc.currentPath, ed.doc.caption,       ed.doc.fileSize,      ed.doc.imageBitDepth,
            ed.doc.imageWidth,  ed.doc.imageHeight,   ed.doc.undoDepth, ed.doc.modified,
            ed.doc.needsSaveAs, ed.recent.entries, CurrentImage(ed)};
}

// Answers a size dialog: types the two fields (132, 133), optionally clicks a radio button,
// presses OK. If OK left the dialog open, `stayedOpen` is set and Cancel closes it.
inline auto TypeSize(std::string width, std::string height, int radio = 0, bool* stayedOpen = nullptr) {
    return [=](DialogModel& m) {
        m.TextChanged(132, width);
        m.TextChanged(133, height);
        if (radio) m.Command(radio);
        m.Command(DialogAnswer::Ok);
        if (stayedOpen) *stayedOpen = !m.Ended();
        if (!m.Ended()) m.Command(DialogAnswer::Cancel);
        return m.Result();
    };
}

// A picture in which every pixel differs, so a shifted or cut copy cannot pass.
inline Bitmap Pattern(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, ColorFromRgb(std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y)));
    return b;
}

// Every pixel of b inside r has colour c.
inline bool AllOf(const Bitmap& b, Rect r, Color c) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (b.GetPixel(x, y) != c) return false;
    return true;
}

// The pixels of b in the w x h area at (x, y).
inline Bitmap Part(const Bitmap& b, int x, int y, int w, int h) {
    Bitmap out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.SetPixel(i, j, b.GetPixel(x + i, y + j));
    return out;
}

}  // namespace rastrix::testing
