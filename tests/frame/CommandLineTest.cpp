#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/CommandLine.h"

namespace rastrix {
namespace {

CommandLineArgument FromWords(std::vector<std::string> words) {
    std::vector<const char*> argv{"rastrix"};
    for (const std::string& w : words) argv.push_back(w.c_str());
    return ArgumentFromWords(int(argv.size()), argv.data());
}

struct JoinCase {
    std::vector<std::string> words;
    std::string path;
};

class CommandLineJoin : public ::testing::TestWithParam<JoinCase> {};

TEST_P(CommandLineJoin, WordsBecomeOnePath) {
    const CommandLineArgument a = FromWords(GetParam().words);
    EXPECT_TRUE(a.Ok()) << a.error;
    EXPECT_EQ(a.path, GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineJoin,
    ::testing::Values(JoinCase{{}, ""},
                      JoinCase{{"my", "holiday", "photo.bmp"}, "my holiday photo.bmp"},
                      JoinCase{{"trailing.bmp "}, "trailing.bmp "},       // the rest of the line, unchanged
                      JoinCase{{"", "file.bmp"}, "file.bmp"},             // leading spaces skipped
                      JoinCase{{"   "}, ""},                              // only spaces: no file
                      JoinCase{{"\tfile.bmp"}, "\tfile.bmp"},             // a tab is no separator
                      JoinCase{{"\"a b.bmp\""}, "a b.bmp"},               // quotes taken off
                      JoinCase{{"\"a", "b.bmp\"", "extra"}, "a b.bmp"},   // up to the closing quote
                      JoinCase{{"\"open ended.bmp"}, "open ended.bmp"},   // no closing quote
                      JoinCase{{"a\"b\".bmp"}, "a\"b\".bmp"}));           // quotes inside are kept

TEST(CommandLineLimit, At255TheArgumentIsKeptAt256RefusedNotCut) {
    const std::string ok = "/" + std::string(254, 'p');
    EXPECT_EQ(FromWords({ok}).path, ok);
    const CommandLineArgument a = FromWords({ok + "p"});
    EXPECT_FALSE(a.Ok());
    EXPECT_TRUE(a.path.empty());
    EXPECT_NE(a.error.find("256"), std::string::npos) << a.error;
    EXPECT_NE(a.error.find("255"), std::string::npos) << a.error;
}

TEST(CommandLineLimit, JoiningSpacesCountTowardTheLimit) {
    // 128 + 1 + 127 = 256 once joined.
    const CommandLineArgument a = FromWords({std::string(128, 'a'), std::string(127, 'b')});
    EXPECT_FALSE(a.Ok());
    const CommandLineArgument b = FromWords({std::string(127, 'a'), std::string(127, 'b')});
    EXPECT_TRUE(b.Ok());
    EXPECT_EQ(b.path.size(), 255u);
}

TEST(CommandLineLimit, QuotesDoNotCount) {
    const std::string inner(255, 'q');
    const CommandLineArgument a = FromWords({"\"" + inner + "\""});
    EXPECT_TRUE(a.Ok()) << a.error;
    EXPECT_EQ(a.path, inner);
}

}  // namespace
}  // namespace rastrix
