// rastrix-batch's device files (--for, --format, --layout, ...): the same file as the editor's
// Export for Device, the output's name and extension, the profiles listed, a picture's alpha.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "batch/BatchOptions.h"
#include "batch/BatchRunFixture.h"
#include "device/DeviceProfiles.h"
#include "document/DeviceExportDialog.h"
#include "support/PictureTestFiles.h"

namespace rastrix::batch_test {
namespace {

// The settings folder of the run: the user's profiles are read from a folder of the test's own.
class BatchDeviceTest : public BatchRunTest {
protected:
    BatchDeviceTest() {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        saved_ = old ? std::optional<std::string>(old) : std::nullopt;
        ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    }
    ~BatchDeviceTest() override {
        if (saved_) ::setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
        else ::unsetenv("XDG_CONFIG_HOME");
    }
    void UserProfiles(const std::string& text) {
        std::filesystem::create_directories(config.Path() / "Orlane" / "Rastrix");
        std::ofstream(config.Path() / "Orlane" / "Rastrix" / "DeviceProfiles") << text;
    }
    // The editor's File > Export for Device with the profile chosen and the C name typed.
    Bytes EditorExports(const std::string& input, std::string_view profile, const std::string& name, const std::string& out) {
        host.openAnswers.push_back(FileDialogResult{input, 1});
        Dispatch(ed, CommandId::Open);
        host.modalScripts.push_back([profile, name](DialogModel& m) {
            const std::vector<std::string> items = m.Items(DeviceExportDialog::kProfileList);
            m.Select(DeviceExportDialog::kProfileList, int(std::find(items.begin(), items.end(), profile) - items.begin()));
            m.TextChanged(DeviceExportDialog::kNameEdit, name);
            m.Command(DialogAnswer::Ok);
            return m.Result();
        });
        host.saveAnswers.push_back(FileDialogResult{PathOf(out), 1});
        Dispatch(ed, CommandId::ExportForDevice);
        for (const auto& m : host.messages) ADD_FAILURE() << m.text;
        return ReadBytes(dir.Path() / out);
    }
    TempFolder config;

private:
    std::optional<std::string> saved_;
};

class SameFileFromBothFrontEnds : public BatchDeviceTest, public ::testing::WithParamInterface<const char*> {};

// rastrix-batch --for P and the editor's Export for Device with P write the same bytes: one
// export function behind both.
TEST_P(SameFileFromBothFrontEnds, ForEachProfile) {
    const DeviceProfile* profile = FindProfile(GetParam(), {});
    ASSERT_NE(profile, nullptr);
    const std::string ext(InfoOf(profile->container).extension);
    Bitmap picture = Picture();
    if (profile->widthMultiple > 1) {  // its reader takes only widths that are multiples of it
        Bitmap wider(32, 20, ColorFromRgb(255, 255, 255));
        for (int y = 0; y < 20; ++y) std::copy_n(picture.Row(y), 30, wider.Row(y));
        picture = std::move(wider);
    }
    const std::string input = Put("in.bmp", Bmp24(picture));
    const BatchRun run = Batch({"--for", GetParam(), "-q", "-o", PathOf("batch" + ext), input});
    ASSERT_EQ(run.status, 0) << run.errors;
    const Bytes batch = ReadBytes(dir.Path() / ("batch" + ext));
    ASSERT_FALSE(batch.empty());
    EXPECT_EQ(EditorExports(input, GetParam(), "batch", "editor" + ext), batch);
}

INSTANTIATE_TEST_SUITE_P(Profiles, SameFileFromBothFrontEnds,
                         ::testing::Values("ssd1306", "adafruit-gfx-mono", "u8g2-xbm", "gxepd2-3c", "gxepd2-7c", "tft-espi-565-swapped",
                                           "lvgl-rgb565", "lvgl-i1", "lvgl-bin-rgb565", "bmp-565", "waveshare-7c-bmp"),
                         [](const auto& info) {
                             std::string n = info.param;
                             for (char& c : n) c = c == '-' ? '_' : c;
                             return n;
                         });

// --out-dir names each file after its input with the format's extension; the C name follows the
// output's name.
TEST_F(BatchDeviceTest, OutputsTakeTheFormatsExtension) {
    const std::string a = Put("a-1.bmp", Bmp24(Picture())), b = Put("b.bmp", Bmp24(Picture()));
    struct Case {
        std::vector<std::string> options;
        const char* ext;
    };
    // A profile's PROGMEM goes with its header: --for ssd1306 --format bin writes the raw buffer.
    int folder = 0;
    for (const Case& c : {Case{{"--for", "ssd1306"}, ".h"}, Case{{"--for", "ssd1306", "--format", "bin"}, ".bin"},
                          Case{{"--format", "bin", "--layout", "mono-pages"}, ".bin"},
                          Case{{"--format", "xbm"}, ".xbm"}, Case{{"--format", "lvgl-c", "--layout", "rgb565"}, ".c"},
                          Case{{"--format", "bmp", "--gamma", "1.2"}, ".bmp"}}) {
        const std::string out = PathOf("out" + std::to_string(folder++) + c.ext);  // a folder of its own
        std::vector<std::string> args = c.options;
        args.insert(args.end(), {"-q", "-d", out, a, b});
        const BatchRun run = Batch(args);
        ASSERT_EQ(run.status, 0) << run.errors;
        EXPECT_EQ(testing::FileNames(out), (std::vector<std::string>{std::string("a-1") + c.ext, std::string("b") + c.ext}));
    }
    const Bytes header = ReadBytes(dir.Path() / "out0.h" / "a-1.h");
    const std::string text(header.begin(), header.end());
    EXPECT_NE(text.find("const uint8_t a_1[90] PROGMEM = {"), std::string::npos) << text.substr(0, 400);  // 30 columns x 3 pages of 8 rows
    EXPECT_NE(text.find("#define A_1_WIDTH 30"), std::string::npos);
}

// --format bmp with an adjustment that changes nothing writes what the plain --palette path
// writes: the BMP form goes through the same encoders.
TEST_F(BatchDeviceTest, BmpFormMatchesThePlainPalettePath) {
    const std::string input = Put("in.bmp", Bmp24(Picture()));
    ASSERT_EQ(Batch({"--palette", "epaper7", "--dither", "fs", "-q", "-o", PathOf("plain.bmp"), input}).status, 0);
    const BatchRun run = Batch({"--format", "bmp", "--gamma", "1", "--contrast", "0", "--palette", "epaper7", "--dither", "fs", "-q", "-o",
                                PathOf("device.bmp"), input});
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(ReadBytes(dir.Path() / "device.bmp"), ReadBytes(dir.Path() / "plain.bmp"));
}

TEST_F(BatchDeviceTest, ListsTheProfilesAndTheUsersOwn) {
    UserProfiles("# my panels\nbadge like=gxepd2-3c palette=bwy function=badge.show(NAME_black, NAME_color)\n");
    ::testing::internal::CaptureStdout();
    const BatchRun run = Batch({"--list-profiles"});
    const std::string out = ::testing::internal::GetCapturedStdout();
    ASSERT_EQ(run.status, 0) << run.errors;
    for (const DeviceProfile& p : BuiltInProfiles()) EXPECT_NE(out.find(std::string(p.name) + " "), std::string::npos) << p.name;
    EXPECT_NE(out.find("badge.show(NAME_black, NAME_color)"), std::string::npos) << out;

    // The user's profile writes its planes for a yellow panel.
    const std::string input = Put("in.bmp", Bmp24(Picture()));
    ASSERT_EQ(Batch({"--for", "badge", "-q", "-o", PathOf("badge.h"), input}).status, 0);
    const Bytes text = ReadBytes(dir.Path() / "badge.h");
    EXPECT_NE(std::string(text.begin(), text.end()).find("const uint8_t badge_color["), std::string::npos);
}

TEST_F(BatchDeviceTest, AnUnknownProfileNamesTheKnownOnesAndABrokenFile) {
    UserProfiles("badge colour=red\n");
    const BatchRun run = Batch({"--for", "nokia", "-o", PathOf("x.h"), "in.png"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("--for nokia: no such profile; known: adafruit-gfx-mono, "), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("DeviceProfiles: line 1: unknown key 'colour'"), std::string::npos) << run.errors;
}

// A PNG's transparency reaches the layouts that keep it: rgb565a8's alpha plane.
TEST_F(BatchDeviceTest, AlphaOfAPngReachesTheAlphaPlane) {
    testing::PngRecipe png{2, 1, 6, 8};
    png.rows = {255, 0, 0, 255, 0, 0, 255, 0};  // opaque red, transparent blue
    const std::string input = Put("in.png", testing::EncodePng(png));
    const BatchRun run = Batch({"--format", "bin", "--layout", "rgb565a8", "-q", "-o", PathOf("a.bin"), input});
    ASSERT_EQ(run.status, 0) << run.errors;
    // Red, then white (a transparent pixel takes the background), then the alpha plane.
    EXPECT_EQ(ReadBytes(dir.Path() / "a.bin"), (Bytes{0x00, 0xF8, 0xFF, 0xFF, 0xFF, 0x00}));
}

TEST_F(BatchDeviceTest, StandardOutputTakesTheFile) {
    const std::string input = Put("in.bmp", Bmp24(Picture()));
    ::testing::internal::CaptureStdout();
    const BatchRun run = Batch({"--format", "bin", "--layout", "mono", "-q", "-o", "-", input});
    const std::string out = ::testing::internal::GetCapturedStdout();
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(out.size(), 4u * 20u);  // 30 pixels a row in 4 bytes
}

}  // namespace
}  // namespace rastrix::batch_test
