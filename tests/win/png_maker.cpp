#include "png_maker.h"

#include <algorithm>

namespace testsupport {
namespace {

std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

void PutBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& png, const char* type, const std::string& data) {
    PutBigEndian(png, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    png += typed;
    PutBigEndian(png, Crc32(typed));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::string StoredZlib(const std::string& raw) {
    std::string out = "\x78\x01";
    std::size_t at = 0;
    do {
        const std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
        const bool last = at + length == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(length & 0xFF);
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(~length & 0xFF);
        out += static_cast<char>((~length >> 8) & 0xFF);
        out.append(raw, at, length);
        at += length;
    } while (at < raw.size());
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(out, (b << 16) | a);
    return out;
}

}  // namespace

std::string MakePng(int width, int height, const std::function<Rgba(int x, int y)>& pixel) {
    std::string png = "\x89PNG\r\n\x1A\n";
    std::string header;
    PutBigEndian(header, static_cast<std::uint32_t>(width));
    PutBigEndian(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter, not interlaced
    PutChunk(png, "IHDR", header);

    std::string raw;
    raw.reserve(static_cast<std::size_t>(height) * (1 + 4 * width));
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // filter: none
        for (int x = 0; x < width; ++x) {
            const Rgba p = pixel(x, y);
            raw += static_cast<char>(p.R);
            raw += static_cast<char>(p.G);
            raw += static_cast<char>(p.B);
            raw += static_cast<char>(p.A);
        }
    }
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", std::string());
    return png;
}

}  // namespace testsupport
