#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
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

TEST(CommandLineRequests, OnlyASingleHelpOrVersionWordAsksForText) {
    using Request = CommandLineArgument::Request;
    EXPECT_EQ(FromWords({"--help"}).request, Request::Help);
    EXPECT_EQ(FromWords({"--version"}).request, Request::Version);
    for (const auto& words : std::vector<std::vector<std::string>>{{"--help", "me.bmp"}, {"--versions"}, {" --help"},
                                                                   {"\"--help\""}, {"-h"}}) {
        const CommandLineArgument a = FromWords(words);
        EXPECT_EQ(a.request, Request::OpenFile) << words[0];
        EXPECT_FALSE(a.path.empty()) << words[0];
    }
    EXPECT_EQ(FromWords({"--help", "me.bmp"}).path, "--help me.bmp");
    EXPECT_NE(UsageText().find("Usage: rastrix [FILE]"), std::string::npos);
    EXPECT_EQ(VersionText().rfind("Rastrix ", 0), 0u);
}

TEST(CommandLineRequests, VersionIsTheProjectVersionOfTheBuild) {
    std::ifstream lists(RASTRIX_SOURCE_DIR "/CMakeLists.txt");
    std::stringstream text;
    text << lists.rdbuf();
    std::smatch m;
    const std::string s = text.str();
    ASSERT_TRUE(std::regex_search(s, m, std::regex(R"(project\(Rastrix VERSION ([0-9.]+))"))) << "no project version";
    EXPECT_EQ(VersionNumber(), m[1].str());
    EXPECT_EQ(VersionText(), "Rastrix " + m[1].str() + "\n");
}

TEST(CommandLineRequests, SeveralWordsNamingNoFileAreAUsageError) {
    const CommandLineArgument two = FromWords({"a.bmp", "b.bmp"});
    EXPECT_EQ(two.words, 2);
    const std::string problem = SeveralWordsProblem(two, false);
    EXPECT_NE(problem.find("one file"), std::string::npos) << problem;
    EXPECT_NE(problem.find("\"a.bmp b.bmp\""), std::string::npos) << problem;
    EXPECT_EQ(problem.back(), '\n');
    // A name with spaces that does exist still opens, and one word is never a usage error.
    EXPECT_EQ(SeveralWordsProblem(two, true), "");
    EXPECT_EQ(SeveralWordsProblem(FromWords({"missing.bmp"}), false), "");
    EXPECT_EQ(SeveralWordsProblem(FromWords({}), false), "");
    EXPECT_EQ(SeveralWordsProblem(FromWords({"", ""}), false), "");  // nothing named at all
}

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
