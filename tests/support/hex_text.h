// Bytes as hexadecimal text and back, so that GBK texts cross process
// boundaries and consoles unchanged.
#pragma once

#include <cstdlib>
#include <string>

namespace testsupport {

inline std::string ToHex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

inline std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::strtol(hex.substr(i, 2).c_str(), nullptr, 16));
    }
    return bytes;
}

}  // namespace testsupport
