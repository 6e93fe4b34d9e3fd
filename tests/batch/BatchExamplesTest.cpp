// Every rastrix-batch example of the README and the manual page, run by a shell as a user types
// it, on small pictures placed where it looks for them, and what its comment promises checked.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "batch/BatchExamples.h"
#include "codec/PictureReader.h"
#include "color/FixedPalettes.h"
#include "store/StoreTestSupport.h"
#include "support/BmpTestSupport.h"
#include "support/EncodedBmpFile.h"
#include "support/ExifTestFiles.h"
#include "support/PictureTestFiles.h"

namespace rastrix {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::Le16;
using testing::Le32;
using testing::ReadBytes;
using testing::WriteBytes;

constexpr Color kWhite = ColorFromRgb(255, 255, 255), kBlack = ColorFromRgb(0, 0, 0);

Bitmap Decoded(const fs::path& file) {
    const BmpReadResult r = DecodePicture(ReadBytes(file));
    EXPECT_TRUE(r.image) << file << ": " << r.Message();
    return r.image ? r.image->bitmap : Bitmap();
}

std::set<Color> ColorsOf(const Bitmap& b) {
    std::set<Color> seen;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) seen.insert(b.GetPixel(x, y));
    return seen;
}

// A black ring with grey, anti-aliased edges on white, 1024 x 600, as a grey PNG.
Bytes Drawing() {
    testing::PngRecipe r{1024, 600, 0, 8};
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 1024; ++x) {
            const double d = std::abs(std::hypot(x - 512.0, y - 300.0) - 200.0);  // from the ring's middle line
            r.rows.push_back(std::uint8_t(d < 10 ? 0 : d < 14 ? (d - 10) * 63 : 255));
        }
    return testing::EncodePng(r);
}

// A photo lying on its side: stored 300 x 200, upright 200 x 300.
Bytes LyingPhoto() { return testing::WithOrientation(testing::EncodeJpeg(testing::SmoothPicture(300, 200)), 6); }

// A 128 x 128 logo: an opaque square in the middle, transparent round it.
Bytes Logo() {
    testing::PngRecipe r{128, 128, 6, 8};
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const bool inside = x >= 32 && x < 96 && y >= 32 && y < 96;
            r.rows.insert(r.rows.end(), {200, 30, 40, std::uint8_t(inside ? 255 : 0)});
        }
    return testing::EncodePng(r);
}

// 64 x 48 of 3072 colours.
Bitmap Colorful() {
    Bitmap b(64, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) b.SetPixel(x, y, ColorFromRgb(std::uint8_t(x * 4), std::uint8_t(y * 5), std::uint8_t(128 + x - y)));
    return b;
}

Bytes Bmp24(const Bitmap& b) { return testing::EncodeBmpFile(b, 24, {}).bytes; }

// A scan: a plain white border 10 pixels wide round a 40 x 30 picture.
Bitmap Scan() {
    Bitmap b(60, 50, kWhite);
    const Bitmap inner = Colorful();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) b.SetPixel(10 + x, 10 + y, inner.GetPixel(x, y));
    return b;
}

// What lies inside the scan's border.
Bitmap ScanInside() {
    Bitmap inner(40, 30);
    const Bitmap c = Colorful();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) inner.SetPixel(x, y, c.GetPixel(x, y));
    return inner;
}

void Put(const fs::path& file, const Bytes& bytes) {
    fs::create_directories(file.parent_path());
    WriteBytes(file, bytes);
}

struct ExampleCheck {
    const char* name;
    void (*prepare)(const fs::path& dir);
    void (*check)(const fs::path& dir);
};

// The upright photo fitted to 800 x 480 lies in columns 240..559; the padding beside it is
// white. (Fitted as stored, it would fill columns 40..759.)
void CheckUprightInPanel(const Bitmap& b) {
    EXPECT_EQ(b.GetPixel(100, 240), kWhite);
    EXPECT_NE(b.GetPixel(400, 240), kWhite);
}

const ExampleCheck kChecks[] = {
    {"epaper-drawings", [](const fs::path& d) { Put(d / "drawings/ring.png", Drawing()); },
     [](const fs::path& d) {
         const Bytes f = ReadBytes(d / "epaper/ring.bmp");
         EXPECT_EQ(Le16(f, 28), 1);
         EXPECT_EQ(Le32(f, 54), 0x000000u);  // black is index 0
         EXPECT_EQ(Le32(f, 58), 0xFFFFFFu);
         const Bitmap b = Decoded(d / "epaper/ring.bmp");
         EXPECT_EQ(b.Width(), 800);
         EXPECT_EQ(b.Height(), 480);
         EXPECT_EQ(ColorsOf(b), (std::set<Color>{kBlack, kWhite}));
     }},
    {"epaper-photos", [](const fs::path& d) { Put(d / "photos/p.jpg", LyingPhoto()); },
     [](const fs::path& d) {
         const Bytes f = ReadBytes(d / "panel/p.bmp");
         EXPECT_EQ(Le16(f, 28), 4);
         const PaletteColors inks = EpaperPalette7();
         for (std::size_t i = 0; i < inks.size(); ++i) EXPECT_EQ(Le32(f, 54 + 4 * i), ValueOf(inks[i])) << i;
         const Bitmap b = Decoded(d / "panel/p.bmp");
         for (const Color c : ColorsOf(b))
             EXPECT_NE(std::find(inks.begin(), inks.end(), ColorToPixel(c)), inks.end()) << std::hex << c;
         CheckUprightInPanel(b);
     }},
    {"epaper-photos-24", [](const fs::path& d) { Put(d / "photos/p.jpg", LyingPhoto()); },
     [](const fs::path& d) {
         EXPECT_EQ(Le16(ReadBytes(d / "panel24/p.bmp"), 28), 24);
         const Bitmap b = Decoded(d / "panel24/p.bmp");
         const PaletteColors inks = EpaperPalette7();
         for (const Color c : ColorsOf(b))
             EXPECT_NE(std::find(inks.begin(), inks.end(), ColorToPixel(c)), inks.end()) << std::hex << c;
         CheckUprightInPanel(b);
     }},
    {"tft-photos", [](const fs::path& d) { Put(d / "photos/p.jpg", LyingPhoto()); },
     [](const fs::path& d) {
         const Bytes f = ReadBytes(d / "tft/p.bmp");
         EXPECT_EQ(Le16(f, 28), 16);
         EXPECT_EQ(Le32(f, 30), 3u);  // bit fields
         EXPECT_EQ((std::vector<std::uint32_t>{Le32(f, 54), Le32(f, 58), Le32(f, 62)}),
                   (std::vector<std::uint32_t>{0xF800, 0x07E0, 0x001F}));
         const Bitmap b = Decoded(d / "tft/p.bmp");
         EXPECT_EQ(b.Width(), 320);
         EXPECT_EQ(b.Height(), 240);
         EXPECT_EQ(b.GetPixel(20, 120), kBlack);  // a bar beside the upright photo
         EXPECT_NE(b.GetPixel(160, 120), kBlack);
     }},
    {"icons", [](const fs::path& d) { Put(d / "logos/logo.png", Logo()); },
     [](const fs::path& d) {
         const Bytes f = ReadBytes(d / "icons/logo.bmp");
         EXPECT_EQ(Le16(f, 28), 32);
         EXPECT_EQ(Le32(f, 14), 124u);
         EXPECT_EQ(Le32(f, 18), 64u);
         const std::size_t pixels = Le32(f, 10), stride = 64 * 4;
         EXPECT_EQ(f.at(pixels + 3), 0);                              // a corner: transparent
         EXPECT_EQ(f.at(pixels + 32 * stride + 32 * 4 + 3), 255);     // the middle: opaque
     }},
    {"eight-bit-copies", [](const fs::path& d) { Put(d / "assets/a.bmp", Bmp24(Colorful())); },
     [](const fs::path& d) {
         const Bytes f = ReadBytes(d / "assets-8bit/a.bmp");
         EXPECT_EQ(Le16(f, 28), 8);
         EXPECT_EQ(Le32(f, 46), 256u);
         EXPECT_EQ(ReadBytes(d / "assets/a.bmp"), Bmp24(Colorful()));  // the original as it was
         EXPECT_GT(ColorsOf(Decoded(d / "assets-8bit/a.bmp")).size(), 64u);
     }},
    {"trim-scans", [](const fs::path& d) { Put(d / "scans/s.bmp", Bmp24(Scan())); },
     [](const fs::path& d) { EXPECT_EQ(Decoded(d / "trimmed/s.bmp"), ScanInside()); }},
    {"turn-in-place", [](const fs::path& d) { Put(d / "sideways/s.bmp", Bmp24(Colorful())); },
     [](const fs::path& d) {
         const Bitmap b = Decoded(d / "sideways/s.bmp");
         ASSERT_EQ(b.Width(), 48);
         ASSERT_EQ(b.Height(), 64);
         const Bitmap before = Colorful();
         for (int y = 0; y < 48; ++y)
             for (int x = 0; x < 64; ++x) ASSERT_EQ(b.GetPixel(47 - y, x), before.GetPixel(x, y)) << x << "," << y;
         EXPECT_EQ(Le16(ReadBytes(d / "sideways/s.bmp"), 28), 24);
     }},
    {"orange-ellipse", [](const fs::path& d) { Put(d / "in.bmp", Bmp24(Bitmap(300, 200, kWhite))); },
     [](const fs::path& d) {
         const Bitmap b = Decoded(d / "out.bmp");
         EXPECT_EQ(b.Width(), 200);
         EXPECT_EQ(b.Height(), 300);
         EXPECT_EQ(b.GetPixel(199 - 70, 110), ColorFromRgb(255, 128, 0));  // the ellipse's middle, turned
         EXPECT_EQ(b.GetPixel(5, 5), kWhite);
     }},
};

const ExampleCheck* CheckOf(std::string_view name) {
    for (const ExampleCheck& c : kChecks)
        if (c.name == name) return &c;
    return nullptr;
}

std::vector<std::string> ExampleNames() {
    std::vector<std::string> names;
    for (const batch::BatchExample& e : batch::BatchExamples()) names.emplace_back(e.name);
    return names;
}

class BatchExampleTest : public ::testing::TestWithParam<std::string> {};

TEST_P(BatchExampleTest, RunsAndGivesWhatItsCommentPromises) {
    const batch::BatchExample* example = nullptr;
    for (const batch::BatchExample& e : batch::BatchExamples())
        if (e.name == GetParam()) example = &e;
    ASSERT_NE(example, nullptr);
    const ExampleCheck* check = CheckOf(example->name);
    ASSERT_NE(check, nullptr) << "no check for the example " << example->name;
    testing::TempFolder dir;
    check->prepare(dir.Path());
    const std::string program = fs::path(RASTRIX_BATCH_PROGRAM).parent_path().string();
    const std::string shell = "cd '" + dir.Path().string() + "' && PATH='" + program + "':\"$PATH\" && " +
                              std::string(example->command) + " 2>errors.txt";
    const int status = std::system(shell.c_str());
    const Bytes errors = ReadBytes(dir.Path() / "errors.txt");
    ASSERT_EQ(status, 0) << example->command << "\n" << std::string(errors.begin(), errors.end());
    check->check(dir.Path());
}

INSTANTIATE_TEST_SUITE_P(Examples, BatchExampleTest, ::testing::ValuesIn(ExampleNames()), [](const auto& info) {
    std::string name = info.param;
    for (char& c : name)
        if (c == '-') c = '_';
    return name;
});

TEST(BatchExamples, EveryCheckHasItsExample) {
    const std::vector<std::string> names = ExampleNames();
    for (const ExampleCheck& c : kChecks)
        EXPECT_NE(std::find(names.begin(), names.end(), c.name), names.end()) << c.name;
}

}  // namespace
}  // namespace rastrix
