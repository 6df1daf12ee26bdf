// config.ini read through Windows' own profile reader, from a copy of this
// test program placed in a fresh program folder. Each read runs in a child
// process, so every read sees the file as just written.
#include "settings/settings_reader.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <sstream>

#include "child_process.h"
#include "settings/conversions.h"

namespace {

using testsupport::FromHex;
using testsupport::ToHex;

// --- child side -----------------------------------------------------------

int RunAsChild(int argc, char** argv) {
    const std::string mode = argv[1];
    if (mode == "--read") {
        for (int i = 2; i + 2 < argc; i += 3) {
            std::printf("%s\n", ToHex(settings::ReadSetting(argv[i], argv[i + 1], argv[i + 2])).c_str());
        }
    } else if (mode == "--program-directory") {
        std::printf("%s\n", ToHex(settings::ProgramDirectory()).c_str());
    } else if (mode == "--body-path") {
        std::printf("%s\n", ToHex(settings::ReadBodyFilePath()).c_str());
    } else if (mode == "--font" && argc == 5) {
        const settings::FontSpec spec = settings::ReadFontSpec(argv[2], argv[3], argv[4]);
        std::printf("%d %d %d %d %d %d %s\n", spec.Angle, spec.Bold, spec.Italic, spec.Strikeout, spec.Underline,
                    spec.Size, ToHex(spec.Face).c_str());
    } else {
        return 2;
    }
    return 0;
}

// --- parent side ----------------------------------------------------------

class ProgramFolder {
public:
    explicit ProgramFolder(const std::string& nameTail = "-程序", const std::string& programName = "reader.exe")
        : folder_(testsupport::MakeTemporaryFolder(nameTail)), program_(folder_ + "\\" + programName) {
        if (!CopyFileA(testsupport::OwnPath().c_str(), program_.c_str(), FALSE)) {
            throw std::runtime_error("cannot copy the test program to " + program_);
        }
    }
    ~ProgramFolder() { testsupport::RemoveFolder(folder_); }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::string& Folder() const { return folder_; }
    void WriteConfig(const std::string& bytes) const { testsupport::WriteFile(folder_ + "\\config.ini", bytes); }

    std::vector<std::string> Lines(const std::vector<std::string>& arguments) const {
        const testsupport::ChildResult result = testsupport::RunChild(program_, arguments);
        EXPECT_EQ(result.ExitCode, 0u);
        std::vector<std::string> lines;
        std::istringstream stream(result.Output);
        for (std::string line; std::getline(stream, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    std::string Read(const std::string& section, const std::string& key, const std::string& defaultText) const {
        const std::vector<std::string> lines = Lines({"--read", section, key, defaultText});
        return lines.size() == 1 ? FromHex(lines[0]) : "<no answer>";
    }

private:
    std::string folder_;
    std::string program_;
};

TEST(SettingsEnvironment, AnsiCodePageIsGbk) { EXPECT_EQ(GetACP(), 936u); }

struct ReadCase {
    const char* Name;
    const char* Config;  // nullptr: no config.ini at all
    const char* Section;
    const char* Key;
    const char* Default;
    const char* Expected;
};

class ReadSettingCases : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadSettingCases, ReadsValueOrDefault) {
    const ReadCase& c = GetParam();
    ProgramFolder program;
    if (c.Config) program.WriteConfig(c.Config);
    EXPECT_EQ(ToHex(program.Read(c.Section, c.Key, c.Default)), ToHex(c.Expected));
}

INSTANTIATE_TEST_SUITE_P(
    ReadSetting, ReadSettingCases,
    ::testing::Values(
        ReadCase{"MissingFile", nullptr, "主配置", "存在时间", "6", "6"},
        ReadCase{"MissingSection", "[标题矩形]\r\n左边=10\r\n", "主配置", "存在时间", "6", "6"},
        ReadCase{"MissingKey", "[主配置]\r\n背景透明度=100\r\n", "主配置", "存在时间", "6", "6"},
        ReadCase{"PresentValue", "[主配置]\r\n存在时间=12\r\n", "主配置", "存在时间", "6", "12"},
        ReadCase{"EmptyValueIsEmptyNotDefault", "[主配置]\r\n存在时间=\r\n", "主配置", "存在时间", "6", ""},
        ReadCase{"BlanksAroundKeyAndValue", "[主配置]\r\n   存在时间   =   12 34  \r\n", "主配置", "存在时间", "6",
                 "12 34"},
        ReadCase{"YesWithBlanksReadsAsYes", "[主配置]\r\n显示链接 =  是   \r\n", "主配置", "显示链接", "否", "是"},
        ReadCase{"ChineseValue", "[主配置]\r\n程序标题=重要通知\r\n", "主配置", "程序标题", "公告", "重要通知"},
        ReadCase{"OtherSectionSameKey", "[标题矩形]\r\n左边=1\r\n[正文矩形]\r\n左边=2\r\n", "正文矩形", "左边", "52",
                 "2"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.Name); });

TEST(ReadSetting, LongValueIsCutTo10239Bytes) {
    ProgramFolder program;
    const std::string value(20000, 'x');
    program.WriteConfig("[主配置]\r\n程序标题=" + value + "\r\n");
    EXPECT_EQ(program.Read("主配置", "程序标题", "公告"), std::string(10239, 'x'));
}

TEST(ReadSetting, Utf8FileWithoutBomGivesEveryDefault) {
    ProgramFolder program;
    const char* utf8 = u8"[主配置]\r\n存在时间=1\r\n背景透明度=10\r\n程序标题=通知\r\n显示链接=是\r\n";
    program.WriteConfig(utf8);
    const std::vector<std::string> lines = program.Lines({"--read", "主配置", "存在时间", "6", "主配置", "背景透明度",
                                                          "220", "主配置", "程序标题", "公告", "主配置", "显示链接", "否"});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(FromHex(lines[0]), "6");
    EXPECT_EQ(FromHex(lines[1]), "220");
    EXPECT_EQ(FromHex(lines[2]), "公告");
    EXPECT_EQ(FromHex(lines[3]), "否");
}

TEST(ReadSetting, FileIsReadAfreshForEveryValue) {
    ProgramFolder program;
    program.WriteConfig("[主配置]\r\n存在时间=1\r\n");
    EXPECT_EQ(program.Read("主配置", "存在时间", "6"), "1");
    program.WriteConfig("[主配置]\r\n存在时间=2\r\n");
    EXPECT_EQ(program.Read("主配置", "存在时间", "6"), "2");
}

TEST(ProgramDirectory, GbkNamesWithBackslashTrailByte) {
    // "淺" is 9C 5C: a byte-wise search would take its second byte for a
    // backslash and cut "...淺.exe" after 9C.
    ProgramFolder program("-公告淺", "通知淺.exe");
    const std::vector<std::string> lines = program.Lines({"--program-directory"});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(ToHex(FromHex(lines[0])), ToHex(program.Folder()));
}

TEST(ProgramDirectory, ConfigIsFoundInFolderWithBackslashTrailByte) {
    ProgramFolder program("-淺");
    program.WriteConfig("[主配置]\r\n程序标题=找到了\r\n");
    EXPECT_EQ(program.Read("主配置", "程序标题", "公告"), "找到了");
}

TEST(ReadFontSpec, ReadsEveryFieldWithItsDefault) {
    ProgramFolder program;
    program.WriteConfig("[标题字体]\r\n字体=黑体\r\n大小=１２.5\r\n加粗=是\r\n倾斜=否\r\n删除线=是\r\n下划线=yes\r\n");
    const std::vector<std::string> set = program.Lines({"--font", "标题字体", "楷体_GB2312", "28"});
    ASSERT_EQ(set.size(), 1u);
    EXPECT_EQ(set[0], "0 1 0 1 0 12 " + ToHex("黑体"));

    const std::vector<std::string> defaults = program.Lines({"--font", "正文字体", "宋体", "12"});
    ASSERT_EQ(defaults.size(), 1u);
    EXPECT_EQ(defaults[0], "0 0 0 0 0 12 " + ToHex("宋体"));
}

TEST(ReadFontSpec, EmptyFaceStaysEmpty) {
    ProgramFolder program;
    program.WriteConfig("[链接字体]\r\n字体=\r\n大小=\r\n");
    const std::vector<std::string> lines = program.Lines({"--font", "链接字体", "宋体", "10"});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "0 0 0 0 0 0 ");
}

TEST(BodyFilePath, EmptySettingMeansNoticeTxtInProgramFolder) {
    ProgramFolder program;
    const std::vector<std::string> absent = program.Lines({"--body-path"});
    ASSERT_EQ(absent.size(), 1u);
    EXPECT_EQ(FromHex(absent[0]), program.Folder() + "\\notice.txt");

    program.WriteConfig("[主配置]\r\n正文路径=正文.txt\r\n");
    const std::vector<std::string> named = program.Lines({"--body-path"});
    ASSERT_EQ(named.size(), 1u);
    EXPECT_EQ(FromHex(named[0]), "正文.txt");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && argv[1][0] == '-' && argv[1][1] == '-' && std::string(argv[1]).rfind("--gtest", 0) != 0) {
        return RunAsChild(argc, argv);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
