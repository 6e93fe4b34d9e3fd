// The shared BMP corpus: every good file against its reference pixels, every bad file refused
// or decoded as far as it is valid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "codec/BmpReader.h"
#include "codec/FileRead.h"

namespace rastrix {
namespace {

namespace fs = std::filesystem;

const char kMissing[] = "corpus_missing";

fs::path SuiteDir() { return fs::path(RASTRIX_SOURCE_DIR) / ".." / "shared" / "testdata" / "bmpsuite"; }

// File stems of NAME.bmp in the folder, sorted; one placeholder when the folder is absent so
// the test can say it skipped.
std::vector<std::string> Stems(const char* folder) {
    std::vector<std::string> stems;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(SuiteDir() / folder, ec))
        if (entry.path().extension() == ".bmp") stems.push_back(entry.path().stem().string());
    std::sort(stems.begin(), stems.end());
    if (stems.empty()) stems.push_back(kMissing);
    return stems;
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string s = info.param;
    for (char& c : s)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return s;
}

std::vector<std::uint8_t> ReadOrFail(const fs::path& path) {
    FileBytesResult r = ReadWholeFile(PosixFileSystem(), path.string());
    EXPECT_TRUE(r) << path << ": " << Describe(r.failure);
    return std::move(r.bytes);
}

// Binary PPM (P6, maxval 255) as pixels 0x00RRGGBB, rows top first.
std::optional<Bitmap> ReadPpm(const std::vector<std::uint8_t>& b) {
    std::size_t at = 2;
    auto number = [&]() -> long {
        while (at < b.size() && (std::isspace(b[at]) || b[at] == '#')) {
            if (b[at] == '#')
                while (at < b.size() && b[at] != '\n') ++at;
            else
                ++at;
        }
        long v = 0;
        while (at < b.size() && std::isdigit(b[at])) v = v * 10 + (b[at++] - '0');
        return v;
    };
    if (b.size() < 2 || b[0] != 'P' || b[1] != '6') return std::nullopt;
    const long w = number(), h = number(), max = number();
    ++at;  // the one blank after the maximum
    if (max != 255 || w <= 0 || h <= 0 || b.size() < at + std::size_t(w * h * 3)) return std::nullopt;
    Bitmap bmp(static_cast<int>(w), static_cast<int>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x, at += 3)
            bmp.Row(y)[x] = PixelFromRgb(b[at], b[at + 1], b[at + 2]);
    return bmp;
}

class GoodBmpTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoodBmpTest, MatchesReferencePixels) {
    if (GetParam() == kMissing) GTEST_SKIP() << "no BMP corpus at " << SuiteDir() << "/g";
    const fs::path dir = SuiteDir() / "g";
    const std::vector<std::uint8_t> file = ReadOrFail(dir / (GetParam() + ".bmp"));
    const std::optional<Bitmap> reference = ReadPpm(ReadOrFail(dir / (GetParam() + ".ppm")));
    ASSERT_TRUE(reference) << "reference picture missing or unreadable";

    const BmpReadResult r = DecodeBmp(file);
    ASSERT_TRUE(r.image) << r.Message();
    EXPECT_FALSE(r.image->incomplete);
    const Bitmap& got = r.image->bitmap;
    ASSERT_EQ(got.Width(), reference->Width());
    ASSERT_EQ(got.Height(), reference->Height());
    int wrong = 0;
    for (int y = 0; y < got.Height(); ++y)
        for (int x = 0; x < got.Width(); ++x)
            if (got.Row(y)[x] != reference->Row(y)[x] && wrong++ == 0)
                ADD_FAILURE() << "first wrong pixel " << x << "," << y << ": " << std::hex << got.Row(y)[x]
                              << " instead of " << reference->Row(y)[x];
    EXPECT_EQ(wrong, 0);

    const BmpHeaderResult h = ReadBmpHeader(std::span(file).first(std::min(file.size(), kBmpHeaderReadBytes)));
    ASSERT_TRUE(h.info) << h.Message();
    EXPECT_EQ(h.info->width, got.Width());
    EXPECT_EQ(h.info->height, got.Height());
    EXPECT_EQ(h.info->bitDepth, r.image->bitDepth);
}

INSTANTIATE_TEST_SUITE_P(Corpus, GoodBmpTest, ::testing::ValuesIn(Stems("g")), TestName);

// How each bad file is treated. None: the damage is in fields we do not need or in pixel data,
// and the file is shown as far as it is valid.
const std::map<std::string, BmpError> kBadFileOutcome = {
    {"badbitcount", BmpError::BadBitCount},
    {"badbitssize", BmpError::None},  // image size field is not needed uncompressed
    {"baddens1", BmpError::None},     // resolution is not used
    {"baddens2", BmpError::None},
    {"badfilesize", BmpError::None},  // the file size field is not used
    {"badheadersize", BmpError::UnknownHeader},
    {"badpalettesize", BmpError::BadColorTable},
    {"badplanes", BmpError::BadPlanes},
    {"badrle", BmpError::None},  // runs past the rows are clipped
    {"badrle4", BmpError::None},
    {"badrle4bis", BmpError::None},
    {"badrle4ter", BmpError::None},
    {"badrlebis", BmpError::None},
    {"badrleter", BmpError::None},
    {"badwidth", BmpError::BadSize},
    {"pal8badindex", BmpError::None},  // indexes past the colour table are black
    {"reallybig", BmpError::TooLarge},
    {"rgb16-880", BmpError::None},  // no blue mask: blue is 0
    {"rletopdown", BmpError::CompressedTopDown},
    {"shortfile", BmpError::TruncatedPixels},
};

class BadBmpTest : public ::testing::TestWithParam<std::string> {};

TEST_P(BadBmpTest, RefusedWithReasonOrShownAsFarAsValid) {
    if (GetParam() == kMissing) GTEST_SKIP() << "no BMP corpus at " << SuiteDir() << "/b";
    const std::vector<std::uint8_t> file = ReadOrFail(SuiteDir() / "b" / (GetParam() + ".bmp"));
    const BmpReadResult r = DecodeBmp(file);
    if (r.image) {
        const BmpHeaderResult h = ReadBmpHeader(file);
        ASSERT_TRUE(h.info);
        EXPECT_EQ(r.image->bitmap.Width(), h.info->width);
        EXPECT_EQ(r.image->bitmap.Height(), h.info->height);
    } else {
        EXPECT_FALSE(r.Message().empty());
    }
    const auto known = kBadFileOutcome.find(GetParam());
    if (known != kBadFileOutcome.end()) {
        EXPECT_EQ(r.error, known->second) << r.Message();
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, BadBmpTest, ::testing::ValuesIn(Stems("b")), TestName);

}  // namespace
}  // namespace rastrix
