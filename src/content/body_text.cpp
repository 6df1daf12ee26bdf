#include "content/body_text.h"

#include <windows.h>

#include <cstring>
#include <new>

#include "settings/settings_reader.h"
#include "toolkit/unique_handles.h"

namespace {

std::string ReadWholeFile(const std::string& path) {
    // Readers may share the file, writers may not: a file still being
    // written elsewhere counts as unreadable rather than as half a text.
    toolkit::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::string();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0) return std::string();
    // ReadFile reads at most 4 GB less one byte in one call; a file that large
    // is no announcement.
    if (static_cast<unsigned long long>(size.QuadPart) >= 0xFFFFFFFFull) return std::string();

    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return std::string();  // no memory for it counts as a failed read
    }
    DWORD got = 0;
    if (!ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr)) return std::string();
    bytes.resize(got);
    return bytes;
}

}  // namespace

std::string LoadBodyText() {
    std::string bytes = ReadWholeFile(settings::ReadBodyFilePath());
    const std::size_t zero = bytes.find('\0');
    if (zero != std::string::npos) bytes.resize(zero);
    return bytes;
}
