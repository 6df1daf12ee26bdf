// Cutting ANSI paths at backslashes without cutting a GBK character in half.
#include "settings/ansi_path.h"

#include <gtest/gtest.h>

namespace {

using settings::BodyFilePath;
using settings::DirectoryOf;
using settings::FindLastBackslash;

struct DirectoryCase {
    const char* Path;
    const char* Directory;
};

class DirectoryOfCases : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(DirectoryOfCases, CutsAtLastRealBackslash) {
    EXPECT_EQ(DirectoryOf(GetParam().Path), GetParam().Directory);
}

// "淺" is 9C 5C in GBK: its second byte is the backslash's code.
INSTANTIATE_TEST_SUITE_P(AnsiPath, DirectoryOfCases, ::testing::Values(
    DirectoryCase{"C:\\Tools\\Notice\\notice.exe", "C:\\Tools\\Notice"},
    DirectoryCase{"C:\\notice.exe", "C:"},
    DirectoryCase{"notice.exe", ""},
    DirectoryCase{"", ""},
    DirectoryCase{"C:\\公告淺\\notice.exe", "C:\\公告淺"},
    DirectoryCase{"C:\\公告淺", "C:"},
    DirectoryCase{"淺notice.exe", ""},
    DirectoryCase{"\\\\server\\share\\n.exe", "\\\\server\\share"},
    DirectoryCase{"C:\\dir\\\xB9", "C:\\dir"}));  // a lone lead byte at the end

TEST(AnsiPath, NoBackslashIsNpos) {
    EXPECT_EQ(FindLastBackslash("淺淺"), std::string_view::npos);
    EXPECT_EQ(FindLastBackslash("a\\淺"), 1u);
}

TEST(AnsiPath, EmptyBodySettingMeansNoticeTxtBesideTheProgram) {
    EXPECT_EQ(BodyFilePath("", "C:\\Notice"), "C:\\Notice\\notice.txt");
    EXPECT_EQ(BodyFilePath("", "C:"), "C:\\notice.txt");
    EXPECT_EQ(BodyFilePath("news.txt", "C:\\Notice"), "news.txt");
    EXPECT_EQ(BodyFilePath("D:\\公告\\正文.txt", "C:\\Notice"), "D:\\公告\\正文.txt");
}

}  // namespace
