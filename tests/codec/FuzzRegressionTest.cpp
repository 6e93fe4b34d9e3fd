// Replays the inputs the fuzzers once failed on (fuzz/regressions/bmp, .../settings, .../jpeg
// .../palette and .../profiles) through the same checks, under this build's sanitizers, so a fixed fault stays fixed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "../../fuzz/BmpFuzzCheck.h"
#include "../../fuzz/JpegFuzzCheck.h"
#include "../../fuzz/PaletteFuzzCheck.h"
#include "../../fuzz/ProfileFuzzCheck.h"
#include "../../fuzz/SettingsFuzzCheck.h"
#include "codec/FileRead.h"

namespace rastrix {
namespace {

namespace fs = std::filesystem;

const char kNone[] = "none_kept";

fs::path RegressionDir(const char* kind) { return fs::path(RASTRIX_SOURCE_DIR) / "fuzz" / "regressions" / kind; }

// The kept inputs, sorted; one placeholder when there are none so the test can say it skipped.
std::vector<std::string> Inputs(const char* kind) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(RegressionDir(kind), ec))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    if (names.empty()) names.push_back(kNone);
    return names;
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string s = info.param;
    for (char& c : s)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return s;
}

std::vector<std::uint8_t> Load(const char* kind, const std::string& name) {
    const fs::path path = RegressionDir(kind) / name;
    FileBytesResult r = ReadWholeFile(PosixFileSystem(), path.string());
    EXPECT_TRUE(r) << path << ": " << Describe(r.failure);
    return std::move(r.bytes);
}

class BmpFuzzRegressionTest : public ::testing::TestWithParam<std::string> {};

TEST_P(BmpFuzzRegressionTest, DecodesOrRefusesConsistently) {
    if (GetParam() == kNone) GTEST_SKIP() << "no kept inputs in " << RegressionDir("bmp");
    EXPECT_EQ(fuzz::CheckBmpInput(Load("bmp", GetParam())), "");
}

INSTANTIATE_TEST_SUITE_P(Kept, BmpFuzzRegressionTest, ::testing::ValuesIn(Inputs("bmp")), TestName);

class SettingsFuzzRegressionTest : public ::testing::TestWithParam<std::string> {};

TEST_P(SettingsFuzzRegressionTest, ReadsAndWritesWithoutLoss) {
    if (GetParam() == kNone) GTEST_SKIP() << "no kept inputs in " << RegressionDir("settings");
    EXPECT_EQ(fuzz::CheckSettingsInput(Load("settings", GetParam())), "");
}

INSTANTIATE_TEST_SUITE_P(Kept, SettingsFuzzRegressionTest, ::testing::ValuesIn(Inputs("settings")), TestName);

class JpegFuzzRegressionTest : public ::testing::TestWithParam<std::string> {};

TEST_P(JpegFuzzRegressionTest, ChecksAndDecoderAgree) {
    if (GetParam() == kNone) GTEST_SKIP() << "no kept inputs in " << RegressionDir("jpeg");
    EXPECT_EQ(fuzz::CheckJpegInput(Load("jpeg", GetParam())), "");
}

INSTANTIATE_TEST_SUITE_P(Kept, JpegFuzzRegressionTest, ::testing::ValuesIn(Inputs("jpeg")), TestName);

class PaletteFuzzRegressionTest : public ::testing::TestWithParam<std::string> {};

TEST_P(PaletteFuzzRegressionTest, ReadsAndWritesBackTheSameColours) {
    if (GetParam() == kNone) GTEST_SKIP() << "no kept inputs in " << RegressionDir("palette");
    EXPECT_EQ(fuzz::CheckPaletteInput(Load("palette", GetParam())), "");
}

INSTANTIATE_TEST_SUITE_P(Kept, PaletteFuzzRegressionTest, ::testing::ValuesIn(Inputs("palette")), TestName);

class ProfileFuzzRegressionTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ProfileFuzzRegressionTest, RefusesWithAReasonOrMakesEveryProfilesFile) {
    if (GetParam() == kNone) GTEST_SKIP() << "no kept inputs in " << RegressionDir("profiles");
    EXPECT_EQ(fuzz::CheckProfileInput(Load("profiles", GetParam())), "");
}

INSTANTIATE_TEST_SUITE_P(Kept, ProfileFuzzRegressionTest, ::testing::ValuesIn(Inputs("profiles")), TestName);

}  // namespace
}  // namespace rastrix
