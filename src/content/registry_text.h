// Reading one text value from the registry, read-only, with a fallback.
#pragma once

#include <windows.h>

#include <string>

// `fullPath` is a key path and a value name joined by the last backslash
// ("SOFTWARE\\Clients\\StartMenuInternet\\" names that key's default value).
// REG_SZ values are taken up to their first zero byte, REG_EXPAND_SZ values
// with their %variables% expanded. A missing key or value, a value of
// another type, one without data, or a failed read gives `defaultText`.
std::string ReadRegistryText(HKEY root, const std::string& fullPath, const std::string& defaultText);
