#pragma once
// What the Reduce Colours tests share: an editor holding a 64 x 32 image of distinct pixels, and
// the user's answers to the dialog.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "document/NewImageTestSupport.h"
#include "edit/ReduceColors.h"
#include "edit/ReduceColorsDialog.h"
#include "edit/ReduceColorsPreview.h"
#include "frame/CommandDispatch.h"
#include "store/StoreTestSupport.h"
#include "support/BmpTestSupport.h"

namespace rastrix::reduce_test {

using testing::Pattern;
using testing::Snapshot;
using testing::TypeSize;
using D = ReduceColorsDialog;
using P = PaletteSource;

inline constexpr Color kBlack = ColorFromRgb(0, 0, 0), kWhite = ColorFromRgb(255, 255, 255);

inline std::set<Color> ColorsOf(const Bitmap& b) {
    std::set<Color> seen;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) seen.insert(b.GetPixel(x, y));
    return seen;
}

inline Bitmap Flat(int w, int h, Color c) {
    Bitmap b(w, h);
    b.Fill(c);
    return b;
}

// What the user does in the dialog: the list positions and the texts typed (nullptr: left as it is).
struct DialogInput {
    int palette = 0;
    int dither = 0;
    const char* colors = nullptr;
    const char* file = nullptr;
    const char* threshold = nullptr;
};

inline void Fill(DialogModel& m, const DialogInput& in) {
    m.Select(D::kPaletteList, in.palette);
    m.Select(D::kDitherList, in.dither);
    if (in.colors) m.TextChanged(D::kColorsEdit, in.colors);
    if (in.file) m.TextChanged(D::kFileEdit, in.file);
    if (in.threshold) m.TextChanged(D::kThresholdEdit, in.threshold);
}

// Answers the dialog with the input and OK; Cancel when OK left it open (then *stayedOpen).
inline auto Answer(DialogInput in, bool* stayedOpen = nullptr) {
    return [=](DialogModel& m) {
        Fill(m, in);
        m.Command(DialogAnswer::Ok);
        if (stayedOpen) *stayedOpen = !m.Ended();
        if (!m.Ended()) m.Command(DialogAnswer::Cancel);
        return m.Result();
    };
}

class ReduceColorsTest : public test::EditorTest {
protected:
    // A 64 x 32 image of distinct pixels, unmodified.
    ReduceColorsTest() {
        host.modalScripts.push_back(TypeSize("64", "32"));
        Dispatch(ed, CommandId::New);
        CurrentImage(ed) = Pattern(64, 32);
    }
    std::string Put(const std::string& name, const std::string& text) {
        const std::string path = (dir.Path() / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    testing::TempFolder dir;
};

}  // namespace rastrix::reduce_test
