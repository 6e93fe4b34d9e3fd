#include <gtest/gtest.h>

#include <functional>

#include "draw/StyleDialogs.h"
#include "editor/CommandIds.h"
#include "frame/CommandDispatch.h"
#include "DrawFixture.h"

namespace rastrix::test {
namespace {

constexpr DialogBaseUnits kOnePixelPerUnit{4, 8};
constexpr Color kFace = ColorFromRgb(240, 240, 240);

class StyleDialogTest : public DrawTest {
protected:
    StyleDialogTest() {
        ed.settings.lineWidth = 4;
        ed.settings.lineStyleIndex = 2;
        ed.settings.hatchStyleIndex = 3;
    }
    // Runs the command; the user does `actions` in the dialog, then presses `button`.
    template <class Model>
    void Run(CommandId command, int button, std::function<void(Model&)> actions = [](Model&) {}) {
        host.modalScripts.push_back([=](DialogModel& m) {
            auto& model = dynamic_cast<Model&>(m);
            actions(model);
            model.Command(button);
            return model.Ended() ? model.Result() : -1;
        });
        ASSERT_TRUE(Dispatch(ed, command));
    }
    void ExpectLine(int width, int style) {
        EXPECT_EQ(ed.settings.lineWidth, width);
        EXPECT_EQ(ed.settings.lineStyleIndex, style);
    }
};

TEST_F(StyleDialogTest, LineStyleOpensOnTheSettingsAndOkStoresWhatItShows) {
    Run<LineStyleDialog>(CommandId::SetLineStyle, DialogAnswer::Ok, [](LineStyleDialog& d) {
        EXPECT_EQ(d.Items(ControlId::LineWidth), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
        EXPECT_EQ(d.Selection(ControlId::LineWidth), 3);
        for (int id = 101; id <= 105; ++id) EXPECT_EQ(d.Checked(id), id == 103) << id;  // "Dash"
    });
    ExpectLine(4, 2);
    Run<LineStyleDialog>(CommandId::SetLineStyle, DialogAnswer::Ok, [](LineStyleDialog& d) {
        d.Select(ControlId::LineWidth, 6);
        d.Command(104);  // Dash-Dot
    });
    ExpectLine(7, 3);
    Run<LineStyleDialog>(CommandId::SetLineStyle, DialogAnswer::Cancel, [](LineStyleDialog& d) {
        d.Select(ControlId::LineWidth, 0);
        d.Command(101);
    });
    ExpectLine(7, 3);
    EXPECT_EQ(host.modalRuns, 3);
}

TEST_F(StyleDialogTest, FillStyleOkKeepsOrStoresCancelKeeps) {
    Run<FillStyleDialog>(CommandId::SetFillStyle, DialogAnswer::Ok, [](FillStyleDialog& d) { EXPECT_TRUE(d.Checked(104)); });
    EXPECT_EQ(ed.settings.hatchStyleIndex, 3);
    Run<FillStyleDialog>(CommandId::SetFillStyle, DialogAnswer::Cancel, [](FillStyleDialog& d) { d.Command(106); });  // "+ hatch"
    EXPECT_EQ(ed.settings.hatchStyleIndex, 3);
    Run<FillStyleDialog>(CommandId::SetFillStyle, DialogAnswer::Ok, [](FillStyleDialog& d) { d.Command(106); });
    EXPECT_EQ(ed.settings.hatchStyleIndex, 5);
}

TEST_F(StyleDialogTest, StoredValuesOutOfRangeOpenAsSolidWidthOne) {
    ed.settings.lineWidth = 0;
    ed.settings.lineStyleIndex = 9;
    ed.settings.hatchStyleIndex = 200;
    EXPECT_TRUE(FillStyleDialog(ed.settings).Checked(101));
    Run<LineStyleDialog>(CommandId::SetLineStyle, DialogAnswer::Ok);
    ExpectLine(1, 0);
}

TEST_F(StyleDialogTest, NewWidthRedrawsTheSamplesSolidAndThick) {
    ed.settings.lineWidth = 1;
    LineStyleDialog d(ed.settings);
    d.SetDialogBaseUnits(kOnePixelPerUnit);
    d.SetFaceColor(kFace);
    // Lines from x 16 to 72 at rows 44 + 20 n; the picture starts at (12, 38). The dot line
    // (style 1) is three on, three off from its left end.
    const int dotRow = 26;
    const Bitmap thin = *d.Preview(ControlId::StyleSamples);
    ASSERT_EQ(thin.Width(), 64);
    ASSERT_EQ(thin.Height(), 94);
    EXPECT_EQ(Picture(thin, {3, dotRow - 1, 13, dotRow + 2}), Rows("??????????/?kkkwwwkkk/??????????"));
    EXPECT_EQ(Picture(thin, {58, 6, 61, 7}), Rows("kk?"));  // up to, not including, x 72

    const auto revision = d.PreviewRevision();
    d.Command(102);               // a style click shows nothing new
    d.Select(ControlId::LineWidth, 0);  // nor does the width it already has
    EXPECT_EQ(d.PreviewRevision(), revision);
    d.Select(ControlId::LineWidth, 2);
    EXPECT_GT(d.PreviewRevision(), revision);
    EXPECT_EQ(Picture(*d.Preview(ControlId::StyleSamples), {3, dotRow - 2, 13, dotRow + 3}),
              Rows("??????????/?kkkkkkkkk/kkkkkkkkkk/?kkkkkkkkk/??????????"));
}

TEST_F(StyleDialogTest, HatchSamplesLineUpWithTheDialogOrigin) {
    FillStyleDialog d(ed.settings);
    EXPECT_EQ(d.Text(105), "\\\\ diagonal hatch");
    d.SetDialogBaseUnits(kOnePixelPerUnit);
    d.SetFaceColor(kFace);
    EXPECT_EQ(*d.Preview(ControlId::SolidSample), Bitmap(24, 16, kBlack));
    const Bitmap samples = *d.Preview(ControlId::StyleSamples);
    ASSERT_EQ(samples.Height(), 116);
    // At the usual font the picture spans dialog pixels 18..114 x 62..215, edges rounded.
    EXPECT_EQ(DialogUnitsToPixels({12, 38, 64, 94}, {6, 13}), (Rect{18, 62, 114, 215}));
    // "+ hatch" is the fifth sample: dialog rows 118..134, picture rows 80..96, black outline,
    // inside black on dialog row 3 mod 8 and column 4 mod 8 and white elsewhere.
    EXPECT_EQ(samples.GetPixel(5, 78), kFace);
    for (int y = 80; y < 96; ++y)
        for (int x = 0; x < 24; ++x) {
            const bool edge = x == 0 || x == 23 || y == 80 || y == 95;
            const bool line = (y + 38) % 8 == 3 || (x + 18) % 8 == 4;
            ASSERT_EQ(samples.GetPixel(x, y), edge || line ? kBlack : kWhite) << x << "," << y;
        }
}

}  // namespace
}  // namespace rastrix::test
