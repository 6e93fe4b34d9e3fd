#include <gtest/gtest.h>

#include "app/CommandDispatch.h"
#include "app/CommandIds.h"
#include "draw/StyleDialogs.h"
#include "DrawFixture.h"

namespace rastrix::test {
namespace {

constexpr DialogBaseUnits kOnePixelPerUnit{4, 8};
constexpr Color kFace = RGB(240, 240, 240);

class StyleDialogTest : public DrawTest {
protected:
    StyleDialogTest() {
        ed.settings.lineWidth = 4;
        ed.settings.lineStyleIndex = 2;
        ed.settings.hatchStyleIndex = 3;
    }
    // Runs the command with the given user actions on the dialog, then the given button.
    template <class Model>
    void Run(int command, std::function<void(Model&)> actions, int button) {
        host.modalScripts.push_back([=](DialogModel& m) {
            auto& model = dynamic_cast<Model&>(m);
            actions(model);
            model.Command(button);
            EXPECT_TRUE(model.Ended());
            return model.Result();
        });
        ASSERT_TRUE(Dispatch(ed, command));
        EXPECT_EQ(host.modalRuns, 1);
    }
};

TEST_F(StyleDialogTest, LineStyleOpensOnTheCurrentSettings) {
    LineStyleDialog d(ed.settings);
    EXPECT_EQ(d.Template().name, "PEN");
    EXPECT_EQ(d.Template().caption, "Set Line Style");
    EXPECT_EQ(d.Items(IDC_LINE_WIDTH), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(d.Selection(IDC_LINE_WIDTH), 3);
    for (int id = 101; id <= 105; ++id) EXPECT_EQ(d.Checked(id), id == 103) << id;  // "Dash"
}

TEST_F(StyleDialogTest, LineStyleOkWithoutChangesKeepsTheSettings) {
    Run<LineStyleDialog>(IDM_LINESTYLE, [](LineStyleDialog&) {}, IDOK);
    EXPECT_EQ(ed.settings.lineWidth, 4);
    EXPECT_EQ(ed.settings.lineStyleIndex, 2);
}

TEST_F(StyleDialogTest, LineStyleOkStoresWhatTheDialogShows) {
    Run<LineStyleDialog>(IDM_LINESTYLE, [](LineStyleDialog& d) {
        d.Select(IDC_LINE_WIDTH, 6);
        d.Command(104);  // Dash-Dot
        EXPECT_TRUE(d.Checked(104));
        EXPECT_FALSE(d.Checked(103));
    }, IDOK);
    EXPECT_EQ(ed.settings.lineWidth, 7);
    EXPECT_EQ(ed.settings.lineStyleIndex, 3);
}

TEST_F(StyleDialogTest, LineStyleCancelKeepsTheSettings) {
    Run<LineStyleDialog>(IDM_LINESTYLE, [](LineStyleDialog& d) {
        d.Select(IDC_LINE_WIDTH, 0);
        d.Command(101);
    }, IDCANCEL);
    EXPECT_EQ(ed.settings.lineWidth, 4);
    EXPECT_EQ(ed.settings.lineStyleIndex, 2);
}

TEST_F(StyleDialogTest, StoredValuesOutOfRangeOpenAsSolidWidthOne) {
    ed.settings.lineWidth = 0;
    ed.settings.lineStyleIndex = 9;
    ed.settings.hatchStyleIndex = 200;
    LineStyleDialog line(ed.settings);
    EXPECT_EQ(line.Selection(IDC_LINE_WIDTH), 0);
    EXPECT_TRUE(line.Checked(101));
    line.Command(IDOK);
    EXPECT_EQ(ed.settings.lineWidth, 1);
    EXPECT_EQ(ed.settings.lineStyleIndex, 0);
    FillStyleDialog fill(ed.settings);
    EXPECT_TRUE(fill.Checked(101));
}

TEST_F(StyleDialogTest, NewWidthRedrawsTheSamplesSolidAndThick) {
    ed.settings.lineWidth = 1;
    LineStyleDialog d(ed.settings);
    d.SetDialogBaseUnits(kOnePixelPerUnit);
    d.SetFaceColor(kFace);
    // Samples from x 16 to 72 at rows 44 + 20 n; the picture starts at (12, 38).
    const Bitmap thin = *d.Preview(IDC_STYLE_SAMPLES);
    ASSERT_EQ(thin.Width(), 64);
    ASSERT_EQ(thin.Height(), 94);
    const int dotRow = 26;  // style 1, dot: three on, three off from the left end
    EXPECT_EQ(Picture(thin, {4, dotRow, 13, dotRow + 1}), Rows("kkkwwwkkk"));
    EXPECT_EQ(Picture(thin, {4, dotRow - 1, 7, dotRow}), Rows("???"));  // face above a thin line
    EXPECT_EQ(thin.GetPixel(59, 6), kBlack);  // solid line up to, not including, x 72
    EXPECT_EQ(thin.GetPixel(60, 6), kFace);

    const auto before = d.PreviewRevision();
    d.Command(102);  // a style click shows nothing new
    d.Select(IDC_LINE_WIDTH, 0);  // the width it already has
    EXPECT_EQ(d.PreviewRevision(), before);
    d.Select(IDC_LINE_WIDTH, 2);
    EXPECT_GT(d.PreviewRevision(), before);
    EXPECT_EQ(d.PendingLineWidth(), 3);
    const Bitmap thick = *d.Preview(IDC_STYLE_SAMPLES);
    for (int y = dotRow - 1; y <= dotRow + 1; ++y)
        EXPECT_EQ(Picture(thick, {4, y, 13, y + 1}), Rows("kkkkkkkkk")) << y;
    EXPECT_EQ(thick.GetPixel(8, dotRow + 2), kFace);
    const auto after = d.PreviewRevision();
    d.Select(IDC_LINE_WIDTH, 2);
    EXPECT_EQ(d.PreviewRevision(), after);
}

TEST_F(StyleDialogTest, FillStyleOkWithoutChangesKeepsTheStyle) {
    Run<FillStyleDialog>(IDM_FILLSTYLE, [](FillStyleDialog& d) { EXPECT_TRUE(d.Checked(104)); }, IDOK);
    EXPECT_EQ(ed.settings.hatchStyleIndex, 3);
}

TEST_F(StyleDialogTest, FillStyleCrossThenCancelKeepsThePreviousStyle) {
    Run<FillStyleDialog>(IDM_FILLSTYLE, [](FillStyleDialog& d) { d.Command(106); }, IDCANCEL);
    EXPECT_EQ(ed.settings.hatchStyleIndex, 3);
}

TEST_F(StyleDialogTest, FillStyleCrossThenOkStoresIt) {
    Run<FillStyleDialog>(IDM_FILLSTYLE, [](FillStyleDialog& d) { d.Command(106); }, IDOK);
    EXPECT_EQ(ed.settings.hatchStyleIndex, 5);
}

TEST_F(StyleDialogTest, FillStyleTemplateTexts) {
    FillStyleDialog d(ed.settings);
    EXPECT_EQ(d.Template().name, "BRUSH");
    EXPECT_EQ(d.Text(105), "\\\\ diagonal hatch");
    EXPECT_EQ(d.Text(107), "X hatch");
}

TEST_F(StyleDialogTest, HatchSamplesAlignWithTheDialogOrigin) {
    FillStyleDialog d(ed.settings);
    d.SetDialogBaseUnits(kOnePixelPerUnit);
    d.SetFaceColor(kFace);
    const Bitmap solid = *d.Preview(IDC_SOLID_SAMPLE);
    EXPECT_EQ(solid, Bitmap(24, 16, kBlack));
    const Bitmap samples = *d.Preview(IDC_STYLE_SAMPLES);
    ASSERT_EQ(samples.Width(), 24);
    ASSERT_EQ(samples.Height(), 116);
    // The "+ hatch" sample is the fifth, dialog rows 118..134, picture rows 80..96. Inside its
    // black outline, dialog row 3 mod 8 and column 4 mod 8 are black, the rest white.
    const int top = 80;
    EXPECT_EQ(Picture(samples, {0, top, 24, top + 1}), Rows("kkkkkkkkkkkkkkkkkkkkkkkk"));
    for (int y = top + 1; y < top + 15; ++y) {
        const int dialogY = y + 38;
        for (int x = 1; x < 23; ++x) {
            const int dialogX = x + 18;
            const Color want = (dialogY % 8 == 3 || dialogX % 8 == 4) ? kBlack : kWhite;
            ASSERT_EQ(samples.GetPixel(x, y), want) << x << "," << y;
        }
    }
    EXPECT_EQ(samples.GetPixel(5, top - 2), kFace);  // between two samples
}

TEST(DialogUnits, MapAsThePlatformRounds) {
    EXPECT_EQ(DialogUnitsToPixels({12, 38, 64, 94}, {6, 13}), (Rect{18, 62, 114, 215}));
    EXPECT_EQ(DialogUnitsToPixels({1, 1, 1, 1}, {7, 15}), (Rect{2, 2, 4, 4}));
}

}  // namespace
}  // namespace rastrix::test
