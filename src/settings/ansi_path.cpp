#include "settings/ansi_path.h"

namespace settings {

std::size_t FindLastBackslash(std::string_view path) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (static_cast<unsigned char>(path[i]) >= 0x80) {
            ++i;  // skip the trail byte
        } else if (path[i] == '\\') {
            last = i;
        }
    }
    return last;
}

std::string DirectoryOf(std::string_view path) {
    const std::size_t cut = FindLastBackslash(path);
    return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut));
}

std::string BodyFilePath(std::string_view setting, std::string_view programDirectory) {
    if (!setting.empty()) return std::string(setting);
    std::string path(programDirectory);
    path += "\\notice.txt";
    return path;
}

}  // namespace settings
