#include "editor/Text.h"

#include <gtest/gtest.h>

namespace rastrix {
namespace {

TEST(CompareNoCase, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(CompareNoCase("C:\\A.BMP", "c:\\a.bmp"));
    EXPECT_TRUE(CompareNoCase("", ""));
    EXPECT_FALSE(CompareNoCase("a.bmp", "a.bm"));
    EXPECT_FALSE(CompareNoCase("a.bm", "a.bmp"));
    EXPECT_FALSE(CompareNoCase("\xC9t\xE9", "\xE9t\xE9"));  // accented letters must match exactly
    EXPECT_FALSE(CompareNoCase("[", "{"));                  // 0x5B and 0x7B are not a case pair
    EXPECT_FALSE(CompareNoCase("@", "`"));
}

TEST(ParseDecimal, StopsAtTheFirstNonDigitAndWraps) {
    EXPECT_EQ(ParseDecimal(""), 0u);
    EXPECT_EQ(ParseDecimal("640"), 640u);
    EXPECT_EQ(ParseDecimal("12ab34"), 12u);
    EXPECT_EQ(ParseDecimal(" 12"), 0u);
    EXPECT_EQ(ParseDecimal("-5"), 0u);
    EXPECT_EQ(ParseDecimal("4294967295"), 4294967295u);
    EXPECT_EQ(ParseDecimal("4294967296"), 0u);
    EXPECT_EQ(ParseDecimal("4294967300"), 4u);
}

TEST(InsertThousandsSeparators, GroupsOfThreeFromTheRight) {
    EXPECT_EQ(InsertThousandsSeparators("0"), "0");
    EXPECT_EQ(InsertThousandsSeparators("999"), "999");
    EXPECT_EQ(InsertThousandsSeparators("1234"), "1,234");
    EXPECT_EQ(InsertThousandsSeparators("123456"), "123,456");
    EXPECT_EQ(InsertThousandsSeparators("1234567"), "1,234,567");
    EXPECT_EQ(InsertThousandsSeparators("4294967295"), "4,294,967,295");
}

TEST(FileTitleOf, PositionAfterTheLastSeparator) {
    EXPECT_EQ(FileTitleOf("plain.bmp"), 0u);
    EXPECT_EQ(FileTitleOf("/home/u/pic.bmp"), 8u);
    EXPECT_EQ(FileTitleOf("C:\\dir\\pic.bmp"), 7u);
    EXPECT_EQ(FileTitleOf("dir/"), 4u);
}

}  // namespace
}  // namespace rastrix
