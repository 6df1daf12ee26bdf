// Reading the browser's name and command from the registry: types, empty
// and unterminated data, expansion, and the code-page-aware split.
#include "content/registry_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

constexpr char TestRoot[] = "Software\\NoticeRegistryTextTest";

class RegistryText : public ::testing::Test {
protected:
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, TestRoot); }

    // Stores exactly `data` (no terminator is added) under TestRoot\subKey.
    void Store(const std::string& subKey, const char* name, DWORD type, const std::string& data) {
        HKEY key = nullptr;
        const std::string path = std::string(TestRoot) + (subKey.empty() ? "" : "\\" + subKey);
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    static std::string Read(const std::string& relativePath) {
        return ReadRegistryText(HKEY_CURRENT_USER, std::string(TestRoot) + "\\" + relativePath, "default");
    }
};

struct StoredCase {
    const char* Name;
    DWORD Type;
    std::string Data;
    std::string Expected;
};

TEST_F(RegistryText, ValueByType) {
    const DWORD one = 1;
    const StoredCase cases[] = {
        {"terminated text", REG_SZ, std::string("chrome.exe\0", 11), "chrome.exe"},
        {"unterminated text", REG_SZ, "firefox.exe", "firefox.exe"},
        {"text with a zero inside", REG_SZ, std::string("first\0second\0", 13), "first"},
        {"empty text", REG_SZ, std::string("\0", 1), ""},
        {"no data at all", REG_SZ, "", "default"},
        {"number", REG_DWORD, std::string(reinterpret_cast<const char*>(&one), sizeof(one)), "default"},
        {"binary", REG_BINARY, "abc", "default"},
        {"multi-string", REG_MULTI_SZ, std::string("a\0b\0\0", 5), "default"},
        {"Chinese text", REG_SZ, std::string("浏览器\0", 7), "浏览器"},
        {"long text", REG_SZ, std::string(10000, 'x'), std::string(10000, 'x')},
    };
    for (const StoredCase& c : cases) {
        Store("", "value", c.Type, c.Data);
        EXPECT_EQ(Read("value"), c.Expected) << c.Name;
    }
}

TEST_F(RegistryText, ExpandableTextIsExpanded) {
    char programFiles[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("ProgramFiles", programFiles, sizeof(programFiles)), 0u);
    Store("", "command", REG_EXPAND_SZ, std::string("%ProgramFiles%\\Browser\\browser.exe\0", 35));
    EXPECT_EQ(Read("command"), std::string(programFiles) + "\\Browser\\browser.exe");
    Store("", "unterminated", REG_EXPAND_SZ, "%ProgramFiles%");
    EXPECT_EQ(Read("unterminated"), programFiles);
    // An undefined variable stays as written.
    Store("", "undefined", REG_EXPAND_SZ, std::string("%NoticeNoSuchVariable%\\b.exe\0", 29));
    EXPECT_EQ(Read("undefined"), "%NoticeNoSuchVariable%\\b.exe");
}

TEST_F(RegistryText, TrailingBackslashNamesTheDefaultValue) {
    Store("Browser.exe\\shell\\open\\command", "", REG_SZ, std::string("\"C:\\b.exe\" -url\0", 16));
    EXPECT_EQ(Read("Browser.exe\\shell\\open\\command\\"), "\"C:\\b.exe\" -url");
    // An empty key name leaves two backslashes side by side: no such key.
    EXPECT_EQ(Read("\\shell\\open\\command\\"), "default");
}

TEST_F(RegistryText, MissingKeyOrValueGivesTheDefault) {
    EXPECT_EQ(Read("NoSuchKey\\"), "default");
    Store("", "present", REG_SZ, std::string("x\0", 2));
    EXPECT_EQ(Read("absent"), "default");
}

TEST_F(RegistryText, KeyNameWithBackslashTrailByteIsNotCutInside) {
    // "淺" is 9C 5C: its second byte must not split the path.
    Store("浏览器淺", "", REG_SZ, std::string("found\0", 6));
    EXPECT_EQ(Read("浏览器淺\\"), "found");
    Store("", "名称淺", REG_SZ, std::string("value\0", 6));
    EXPECT_EQ(Read("名称淺"), "value");
}

TEST_F(RegistryText, PathWithoutBackslashNamesAValueDirectlyUnderTheRoot) {
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, "NoticeNoSuchValue", "default"), "default");
    HKEY root = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_WRITE, &root), ERROR_SUCCESS);
    RegSetValueExA(root, "NoticeRootValue", 0, REG_SZ, reinterpret_cast<const BYTE*>("root"), 5);
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, "NoticeRootValue", "default"), "root");
    RegDeleteValueA(root, "NoticeRootValue");
    RegCloseKey(root);
}

}  // namespace
