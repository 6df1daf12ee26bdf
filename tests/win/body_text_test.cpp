// The body text read from notice.txt beside a copy of this test program,
// in a child process (the file's place depends on the program's folder).
#include "content/body_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "child_process.h"

namespace {

using testsupport::FromHex;
using testsupport::ToHex;

class ProgramWithBody : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = testsupport::MakeTemporaryFolder("-正文");
        program_ = folder_ + "\\body.exe";
        ASSERT_TRUE(CopyFileA(testsupport::OwnPath().c_str(), program_.c_str(), FALSE));
    }
    void TearDown() override { testsupport::RemoveFolder(folder_); }

    std::string Body() const {
        const testsupport::ChildResult result = testsupport::RunChild(program_, {"--load-body"});
        EXPECT_EQ(result.ExitCode, 0u);
        std::string line = result.Output.substr(0, result.Output.find_first_of("\r\n"));
        return FromHex(line);
    }
    std::string NoticePath() const { return folder_ + "\\notice.txt"; }

    std::string folder_;
    std::string program_;
};

struct BodyCase {
    const char* Name;
    std::string Bytes;
    std::string Text;
};

TEST_F(ProgramWithBody, TextIsTheBytesUpToTheFirstZero) {
    const BodyCase cases[] = {
        {"plain", "第一行\r\n第二行", "第一行\r\n第二行"},
        {"empty file", "", ""},
        {"zero byte first", std::string("\0after", 6), ""},
        {"zero byte inside", std::string("前半\0后半", 9), "前半"},
        {"bytes that are not GBK", "\xFF\xFE\x80\x81", "\xFF\xFE\x80\x81"},  // taken as they are
        {"only ampersands", "&&&&", "&&&&"},
    };
    for (const BodyCase& c : cases) {
        testsupport::WriteFile(NoticePath(), c.Bytes);
        EXPECT_EQ(ToHex(Body()), ToHex(c.Text)) << c.Name;
    }
}

TEST_F(ProgramWithBody, MissingFileGivesEmptyText) { EXPECT_EQ(Body(), ""); }

TEST_F(ProgramWithBody, FileOpenForWritingElsewhereGivesEmptyText) {
    testsupport::WriteFile(NoticePath(), "正在编辑");
    HANDLE writer = CreateFileA(NoticePath().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Body(), "");
    CloseHandle(writer);
    EXPECT_EQ(Body(), "正在编辑");
}

TEST_F(ProgramWithBody, FileOpenForReadingElsewhereIsStillRead) {
    testsupport::WriteFile(NoticePath(), "只读打开");
    HANDLE reader = CreateFileA(NoticePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Body(), "只读打开");
    CloseHandle(reader);
}

TEST_F(ProgramWithBody, LargeFileIsReadWhole) {
    std::string large(3 * 1024 * 1024, 'a');
    large.back() = 'z';
    testsupport::WriteFile(NoticePath(), large);
    EXPECT_EQ(Body().size(), large.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--load-body") {
        std::printf("%s\n", ToHex(LoadBodyText()).c_str());
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
