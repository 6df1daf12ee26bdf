// Paths and registry paths in the ANSI code page. In GBK the second byte of
// a double-byte character may be 0x5C, the backslash, so a plain search for
// '\\' can cut a Chinese folder name in half.
#pragma once

#include <string>
#include <string_view>

namespace settings {

// Where the last real backslash is: a byte of 0x80 or above starts a
// double-byte character, whose second byte is never taken for one.
// std::string_view::npos when there is none.
std::size_t FindLastBackslash(std::string_view path);

// The part before the last backslash (so "C:\\notice.exe" gives "C:");
// empty when there is no backslash.
std::string DirectoryOf(std::string_view path);

// The body-text file: the setting as written, or notice.txt in the program
// directory when the setting is empty.
std::string BodyFilePath(std::string_view setting, std::string_view programDirectory);

}  // namespace settings
