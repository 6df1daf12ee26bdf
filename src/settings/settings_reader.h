// Reading config.ini beside the program through Windows' own profile reader.
// Every value is looked up afresh: an administrator's edit counts from the
// next read on.
#pragma once

#include <string>

#include "settings/font_spec.h"

namespace settings {

// The folder of the running program, without a trailing backslash ("C:" for
// a program in the root of drive C, empty for a path without a backslash).
std::string ProgramDirectory();

// The value of [section] key in config.ini, or defaultText when the file,
// the section or the key is missing. A key with nothing after "=" gives the
// empty text. Values are cut to 10239 bytes.
std::string ReadSetting(const char* section, const char* key, const char* defaultText);

// A label's font from one font section: 字体, 大小, 加粗, 倾斜, 删除线, 下划线.
FontSpec ReadFontSpec(const char* section, const char* defaultFace, const char* defaultSize);

// The body-text file named by [主配置] 正文路径, or notice.txt beside the program.
std::string ReadBodyFilePath();

}  // namespace settings
