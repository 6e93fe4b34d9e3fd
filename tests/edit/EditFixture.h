#pragma once
// Small images written as letters, and an Editor holding one, for the edit command tests.
#include <string>
#include <string_view>

#include "editor/CommandIds.h"
#include "editor/ImageStack.h"
#include "selection/Selection.h"
#include "support/EditorFixture.h"
#include "view/EditorView.h"

namespace rastrix::test {

// Each letter is a colour of its own, so "abc/def" is a 3 x 2 image whose pixels can all be
// told apart and a picture reads back as the same text.
inline Color LetterColor(char c) { return ColorFromRgb(c, 255 - c, (c * 37) & 0xFF); }

inline Bitmap FromLetters(std::string_view rows) {
    const int w = int(rows.find('/') == std::string_view::npos ? rows.size() : rows.find('/'));
    Bitmap b(w, int(rows.size() + 1) / (w + 1));
    for (int i = 0; i < int(rows.size()); ++i) b.SetPixel(i % (w + 1), i / (w + 1), LetterColor(rows[std::size_t(i)]));
    return b;
}

// The letters of a bitmap, rows joined by '/'; '?' for a colour that is no letter.
inline std::string Letters(const Bitmap& b) {
    std::string s;
    for (int y = 0; y < b.Height(); ++y) {
        if (y) s += '/';
        for (int x = 0; x < b.Width(); ++x) {
            char ch = '?';
            for (char c = ' '; c <= '~'; ++c)
                if (b.GetPixel(x, y) == LetterColor(c)) ch = c;
            s += ch;
        }
    }
    return s;
}

class EditTest : public EditorTest {
protected:
    // An image as Open leaves it: one level, unmodified, laid out, image commands enabled.
    void Load(Bitmap image) {
        ClearImageStack(ed);
        SetBaseLevel(ed, std::move(image));
        ed.doc.imageBitDepth = 24;
        ed.doc.fileSize = 1000;
        ed.doc.currentPath = "/pictures/start.bmp";
        UpdateTitle(ed, true);
        LayoutImageWindow(ed);
        ed.view.repaintNeeded = false;
    }
    void Load(std::string_view rows) { Load(FromLetters(rows)); }

    void Select(Rect r, CommandId shape = CommandId::RectangleSelection) {
        ed.selection.shape = shape;
        ed.selection.rect = r;
        BeginSelection(ed);
    }

    std::string Shown() const { return Letters(CurrentImage(ed)); }
    int Depth() const { return ed.doc.undoDepth; }
};

}  // namespace rastrix::test
