// File > Export for Device...: the dialog model's rules, the file written through the atomic
// writer, the image and its undo levels left alone, and the last choice remembered.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "document/DeviceExportCommand.h"
#include "document/DeviceExportDialog.h"
#include "document/NewImageTestSupport.h"
#include "frame/CommandDispatch.h"
#include "frame/MenuModel.h"
#include "store/StoreTestSupport.h"

namespace rastrix {
namespace {

using D = DeviceExportDialog;
using testing::Pattern;
using testing::TypeSize;

class DeviceExportTest : public test::EditorTest {
protected:
    DeviceExportTest() {
        ed.settingsFolder = settings.Path();
        host.modalScripts.push_back(TypeSize("40", "24"));
        Dispatch(ed, CommandId::New);
        CurrentImage(ed) = Pattern(40, 24);
        ed.doc.currentPath = "/pictures/my logo.bmp";
    }
    std::string Out(const std::string& name) const { return (files.Path() / name).string(); }
    int ProfileIndex(std::string_view name) {
        const D d(ed, {}, {}, "x");
        const std::vector<std::string> items = d.Items(D::kProfileList);
        return int(std::find(items.begin(), items.end(), name) - items.begin());
    }
    // Chooses the profile, then OK; the save dialog answers `path`.
    void ExportWith(std::string_view profile, const std::string& path) {
        const int index = ProfileIndex(profile);
        host.modalScripts.push_back([index](DialogModel& m) {
            m.Select(D::kProfileList, index);
            m.Command(DialogAnswer::Ok);
            return m.Result();
        });
        host.saveAnswers.push_back(FileDialogResult{path, 1});
        Dispatch(ed, CommandId::ExportForDevice);
    }
    testing::TempFolder settings, files;
};

TEST_F(DeviceExportTest, LastItemOfTheFileMenuAfterASeparatorEnabledWithAnImage) {
    const auto& file = kMainMenu[0].items;
    ASSERT_GE(file.size(), 2u);
    EXPECT_EQ(file[file.size() - 1], CommandId::ExportForDevice);
    EXPECT_EQ(file[file.size() - 2], kMenuSeparator);
    EXPECT_EQ(file[file.size() - 3], CommandId::RecentFile15);
    EXPECT_TRUE(MenuEnabled(CommandId::ExportForDevice));
    test::FakeHost otherHost;
    Editor empty(otherHost);
    EXPECT_FALSE(ShownCommandStates(empty).MenuItem(CommandId::ExportForDevice).value().enabled);
}

// The file holds what the one export function makes of the image; nothing of the document moves.
TEST_F(DeviceExportTest, WritesTheProfilesFileAndLeavesTheImageAndUndoAlone) {
    const Bitmap before = CurrentImage(ed);
    const int undo = ed.doc.undoDepth, modified = ed.doc.modified;
    ExportWith("ssd1306", Out("logo.h"));
    ASSERT_TRUE(host.messages.empty()) << host.messages[0].text;
    ASSERT_EQ(host.saveRequests.size(), 1u);
    EXPECT_EQ(host.saveRequests[0].title, "Export for Device");
    EXPECT_EQ(host.saveRequests[0].initialName, "my logo.h");
    EXPECT_EQ(host.saveRequests[0].filters[0].pattern, "*.h");
    EXPECT_TRUE(host.saveRequests[0].confirmOverwrite);
    ProfileExport want = ExportFromProfile(*FindProfile("ssd1306", {}), PosixFileSystem());
    want.e.name = "my_logo";
    const DeviceFile file = ExportForDevice(before, want.e);
    EXPECT_EQ(testing::ReadBytes(Out("logo.h")), file.bytes);
    EXPECT_EQ(CurrentImage(ed), before);
    EXPECT_EQ(ed.doc.undoDepth, undo);
    EXPECT_EQ(ed.doc.modified, modified);
    EXPECT_EQ(testing::FileNames(files.Path()), std::vector<std::string>{"logo.h"});  // no temporary file left
}

TEST_F(DeviceExportTest, TheLastChoiceIsRememberedBesideTheSettings) {
    ExportWith("gxepd2-3c", Out("badge"));  // no extension typed: the format's is added
    EXPECT_EQ(testing::FileNames(files.Path()), std::vector<std::string>{"badge.h"});
    EXPECT_EQ(testing::FileNames(settings.Path()), std::vector<std::string>{"DeviceExport"});
    int shown = -1;
    host.modalScripts.push_back([&](DialogModel& m) {
        shown = m.Selection(D::kProfileList);
        m.Command(DialogAnswer::Cancel);
        return m.Result();
    });
    Dispatch(ed, CommandId::ExportForDevice);
    EXPECT_EQ(shown, ProfileIndex("gxepd2-3c"));
    // Cancelled: no save dialog, no file, the remembered choice as it was.
    EXPECT_EQ(host.saveRequests.size(), 1u);
}

TEST_F(DeviceExportTest, CancelInTheSaveDialogWritesNothingAndRemembersNothing) {
    const int index = ProfileIndex("lvgl-rgb565");
    host.modalScripts.push_back([index](DialogModel& m) {
        m.Select(D::kProfileList, index);
        m.Command(DialogAnswer::Ok);
        return m.Result();
    });
    host.saveAnswers.push_back(std::nullopt);
    Dispatch(ed, CommandId::ExportForDevice);
    EXPECT_TRUE(testing::FileNames(files.Path()).empty());
    EXPECT_TRUE(testing::FileNames(settings.Path()).empty());
}

TEST_F(DeviceExportTest, AFailedWriteIsToldAndLeavesNoFile) {
    ExportWith("gxepd2-bw", (files.Path() / "no" / "such" / "folder" / "x.h").string());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("Cannot write"), std::string::npos);
    EXPECT_TRUE(testing::FileNames(files.Path()).empty());
    EXPECT_TRUE(testing::FileNames(settings.Path()).empty());
}

// The user's profiles come after the built-in ones; a file that cannot be used is told once.
TEST_F(DeviceExportTest, UserProfilesJoinTheList) {
    testing::WriteBytes(settings.Path() / "DeviceProfiles", {'b', 'a', 'd', 'g', 'e', ' ', 'l', 'i', 'k', 'e', '=', 'g', 'x', 'e',
                                                              'p', 'd', '2', '-', '3', 'c', '\n'});
    std::vector<std::string> items;
    host.modalScripts.push_back([&](DialogModel& m) {
        items = m.Items(D::kProfileList);
        m.Command(DialogAnswer::Cancel);
        return m.Result();
    });
    Dispatch(ed, CommandId::ExportForDevice);
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.back(), "badge");
    EXPECT_TRUE(host.messages.empty());

    std::ofstream(settings.Path() / "DeviceProfiles") << "ssd1306 format=bin\n";
    host.modalScripts.push_back([&](DialogModel& m) {
        items = m.Items(D::kProfileList);
        m.Command(DialogAnswer::Cancel);
        return m.Result();
    });
    Dispatch(ed, CommandId::ExportForDevice);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("line 1: a profile named 'ssd1306' exists already"), std::string::npos);
    EXPECT_EQ(items.size(), BuiltInProfiles().size() + 1);
}

// The dialog's own rules.
TEST_F(DeviceExportTest, FormatChoosesTheLayoutsOffered) {
    D d(ed, {}, {}, "logo");
    d.Select(D::kFormatList, int(DeviceContainer::Xbm));
    EXPECT_EQ(d.Items(D::kLayoutList).size(), 1u);
    EXPECT_EQ(d.Export().layout, DeviceLayout::MonoLsb);  // the one it takes
    d.Select(D::kFormatList, int(DeviceContainer::Bmp));
    EXPECT_EQ(d.Items(D::kLayoutList)[5], "24 bits");
    d.Select(D::kLayoutList, 5);
    EXPECT_EQ(d.Export().bmpDepth, 24);
    d.Select(D::kFormatList, int(DeviceContainer::LvglC));
    for (const std::string& item : d.Items(D::kLayoutList)) EXPECT_EQ(item.find("mono-pages"), std::string::npos);
    // A profile's PROGMEM goes with its header: its buffer as a raw file is made at once.
    const std::vector<std::string> profiles = d.Items(D::kProfileList);
    d.Select(D::kProfileList, int(std::find(profiles.begin(), profiles.end(), "ssd1306") - profiles.begin()));
    ASSERT_TRUE(d.Export().progmem);
    d.Select(D::kFormatList, int(DeviceContainer::Binary));
    EXPECT_FALSE(d.Checked(D::kProgmemBox));
    EXPECT_EQ(d.Export().container, DeviceContainer::Binary) << d.Text(D::kStatusText);
    EXPECT_EQ(d.Export().layout, DeviceLayout::MonoPages);
}

struct FieldCase {
    const char* name;
    int id;
    const char* text;
    const char* problem;  // shown in the status text, "" when the form can make a file
};
void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }

class DeviceExportFields : public DeviceExportTest, public ::testing::WithParamInterface<FieldCase> {};

// A typed field is checked at once: the reason is shown, and Export tells it and stays open.
TEST_P(DeviceExportFields, CheckedAsTyped) {
    const FieldCase& c = GetParam();
    D d(ed, {}, {}, "logo");
    d.TextChanged(c.id, c.text);
    const std::string status = d.Text(D::kStatusText);
    d.Command(DialogAnswer::Ok);
    if (!*c.problem) {
        EXPECT_TRUE(d.Ended()) << status;
        EXPECT_TRUE(host.messages.empty());
        return;
    }
    EXPECT_EQ(status, c.problem);
    EXPECT_FALSE(d.Ended());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, c.problem);
    EXPECT_FALSE(d.Preview(D::kPreview));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DeviceExportFields,
    ::testing::Values(FieldCase{"gamma_ok", D::kGammaEdit, "1.8", ""},
                      FieldCase{"gamma_zero", D::kGammaEdit, "0", "Gamma is a number from 0.1 to 10 (1 changes nothing)."},
                      FieldCase{"gamma_lowest", D::kGammaEdit, "0.1", ""},
                      FieldCase{"gamma_highest", D::kGammaEdit, "10", ""},
                      FieldCase{"gamma_above", D::kGammaEdit, "10.01", "Gamma is a number from 0.1 to 10 (1 changes nothing)."},
                      FieldCase{"contrast_range", D::kContrastEdit, "150", "Brightness and contrast are whole numbers from -100 to 100."},
                      FieldCase{"contrast_lowest", D::kContrastEdit, "-100", ""},
                      FieldCase{"contrast_below", D::kContrastEdit, "-101", "Brightness and contrast are whole numbers from -100 to 100."},
                      FieldCase{"brightness_negative", D::kBrightnessEdit, "-20", ""},
                      FieldCase{"brightness_highest", D::kBrightnessEdit, "100", ""},
                      FieldCase{"brightness_above", D::kBrightnessEdit, "101", "Brightness and contrast are whole numbers from -100 to 100."},
                      FieldCase{"threshold_on_mono", D::kThresholdEdit, "40", ""},
                      FieldCase{"threshold_highest", D::kThresholdEdit, "100", ""},
                      FieldCase{"threshold_above", D::kThresholdEdit, "101", "The threshold is a whole number from 0 to 100, or empty for none."},
                      FieldCase{"threshold_junk", D::kThresholdEdit, "40%", "The threshold is a whole number from 0 to 100, or empty for none."},
                      FieldCase{"one_side", D::kWidthEdit, "128", "Device size needs a width and height from 1 to 65535"},
                      FieldCase{"name_not_c", D::kNameEdit, "my logo",
                                "C name my logo is not a C name: letters, digits and underscores, not starting with a digit, no keyword, at most 63 characters"}),
    [](const auto& info) { return std::string(info.param.name); });

// The preview is the device's picture in the layout's colours, fitted to the box: a small
// device picture enlarged by a whole factor, so its pixels stay square.
TEST_F(DeviceExportTest, PreviewIsWhatTheDeviceShows) {
    D d(ed, {}, {}, "logo");
    d.Select(D::kProfileList, ProfileIndex("gxepd2-3c"));
    d.TextChanged(D::kWidthEdit, "32");
    d.TextChanged(D::kHeightEdit, "16");
    const std::optional<Bitmap> shown = d.Preview(D::kPreview);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->Width(), 32 * 9);  // 288 / 32 = 9, 216 / 16 = 13: the smaller factor
    EXPECT_EQ(shown->Height(), 16 * 9);
    const DeviceView view = RenderDeviceView(CurrentImage(ed), d.Export());
    ASSERT_TRUE(view.image);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(shown->Row(y * 9 + 4)[x * 9 + 4], view.image->Row(y)[x]);
    // The size fields made the form the user's own; the call it served is no longer claimed.
    EXPECT_EQ(d.Selection(D::kProfileList), 0);
    EXPECT_EQ(d.Text(D::kStatusText), "");
}

TEST_F(DeviceExportTest, AProfileShowsTheCallWithTheName) {
    D d(ed, {}, {}, "logo");
    d.Select(D::kProfileList, ProfileIndex("tft-espi-565"));
    EXPECT_EQ(d.Text(D::kStatusText), "For TFT_eSPI tft.setSwapBytes(true); tft.pushImage(x, y, LOGO_WIDTH, LOGO_HEIGHT, logo)");
    EXPECT_EQ(d.Export().layout, DeviceLayout::Rgb565);
    EXPECT_TRUE(d.Checked(D::kProgmemBox));
}

TEST(DeviceExportChoice, RoundTripsAndSkipsWhatItDoesNotKnow) {
    ExportChoice c;
    c.profile = "gxepd2-7c";
    c.container = DeviceContainer::LvglBinary;
    c.layout = DeviceLayout::Index4;
    c.palette = "optimised:12";
    c.dither = Dither::Atkinson;
    c.thresholdPercent = 30;
    c.invert = true;
    c.adjust = {-5, 20, 1.75};
    c.width = 800, c.height = 480;
    c.fit = ScaleFit::Cover;
    c.filter = ScaleFilter::Nearest;
    EXPECT_EQ(DecodeChoice(EncodeChoice(c)), c);
    const ExportChoice odd = DecodeChoice("gamma=99\nlayout=sideways\ncolour=red\nwidth=12\r\n");
    EXPECT_EQ(odd.adjust.gamma, 1.0);
    EXPECT_EQ(odd.layout, DeviceLayout::Mono);
    EXPECT_EQ(odd.width, 12);
    // Carriage returns end a line, however many; none stays in the value to be lost when written back.
    EXPECT_EQ(DecodeChoice("palette=inks.pal\r\r\n").palette, "inks.pal");
}

}  // namespace
}  // namespace rastrix
