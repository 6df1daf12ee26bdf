#include "content/registry_text.h"

#include <vector>

#include "settings/ansi_path.h"
#include "toolkit/unique_handles.h"

namespace {

// The value's data as a text: everything up to the first zero byte. The
// buffer carries one zero byte more than the data, so a value stored
// without its terminator still ends.
bool ReadStringData(HKEY key, const char* valueName, DWORD size, std::string* text) {
    std::vector<char> data(static_cast<std::size_t>(size) + 1, '\0');
    DWORD got = size;
    if (RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &got) !=
        ERROR_SUCCESS) {
        return false;  // includes a value that grew since its size was asked
    }
    *text = std::string(data.data());
    return true;
}

bool Expand(const std::string& text, std::string* expanded) {
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0) return false;
    std::vector<char> buffer(needed + 1, '\0');
    const DWORD written = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), needed + 1);
    if (written == 0 || written > needed + 1) return false;
    *expanded = std::string(buffer.data());
    return true;
}

}  // namespace

std::string ReadRegistryText(HKEY root, const std::string& fullPath, const std::string& defaultText) {
    const std::size_t cut = settings::FindLastBackslash(fullPath);
    const std::string keyPath = cut == std::string::npos ? std::string() : fullPath.substr(0, cut);
    const std::string valueName = cut == std::string::npos ? fullPath : fullPath.substr(cut + 1);

    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return defaultText;
    toolkit::UniqueKey key(opened);

    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return defaultText;
    }
    if (size == 0 || (type != REG_SZ && type != REG_EXPAND_SZ)) return defaultText;

    std::string text;
    if (!ReadStringData(key.get(), valueName.c_str(), size, &text)) return defaultText;
    key.reset();
    if (type == REG_SZ) return text;

    std::string expanded;
    return Expand(text, &expanded) ? expanded : defaultText;
}
