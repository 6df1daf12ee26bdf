#include "settings/settings_reader.h"

#include <windows.h>

#include <vector>

#include "settings/ansi_path.h"
#include "settings/conversions.h"

namespace settings {
namespace {

// Long enough for every value an administrator means to write; longer ones
// are cut, never overrun.
constexpr DWORD SettingBufferSize = 10240;

// Windows reports a path that did not fit by filling the whole buffer; a cut
// path would name the wrong folder, so the buffer grows until it fits.
std::string ModuleFileName() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0) return std::string();
        if (length < size) return std::string(buffer.data(), length);
        if (size >= 32768) return std::string();
        buffer.resize(size * 2);
    }
}

}  // namespace

std::string ProgramDirectory() { return DirectoryOf(ModuleFileName()); }

std::string ReadSetting(const char* section, const char* key, const char* defaultText) {
    const std::string path = ProgramDirectory() + "\\config.ini";
    std::vector<char> buffer(SettingBufferSize, '\0');
    const DWORD length =
        GetPrivateProfileStringA(section, key, defaultText, buffer.data(), SettingBufferSize, path.c_str());
    return std::string(buffer.data(), length < SettingBufferSize ? length : SettingBufferSize - 1);
}

FontSpec ReadFontSpec(const char* section, const char* defaultFace, const char* defaultSize) {
    FontSpec spec;
    spec.Face = ReadSetting(section, "字体", defaultFace);
    spec.Size = TextToInt(ReadSetting(section, "大小", defaultSize));
    spec.Bold = IsYes(ReadSetting(section, "加粗", "否"));
    spec.Italic = IsYes(ReadSetting(section, "倾斜", "否"));
    spec.Strikeout = IsYes(ReadSetting(section, "删除线", "否"));
    spec.Underline = IsYes(ReadSetting(section, "下划线", "否"));
    return spec;
}

std::string ReadBodyFilePath() {
    return BodyFilePath(ReadSetting("主配置", "正文路径", ""), ProgramDirectory());
}

}  // namespace settings
