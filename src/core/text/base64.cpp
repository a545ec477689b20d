#include "text/base64.h"

#include <array>
#include <cstdint>

namespace dalvex {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

constexpr std::array<int8_t, 256> decodingTable() {
    std::array<int8_t, 256> table{};
    for (int8_t& v : table)
        v = -1;
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int8_t>(i);
    return table;
}

} // namespace

std::string base64UrlEncode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = bytes.size() - i < 3 ? bytes.size() - i : 3;
        uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k)
            group = (group << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k <= n; ++k)
            out.push_back(kAlphabet[(group >> (18 - 6 * k)) & 0x3F]);
    }
    return out;
}

std::optional<std::string> base64UrlDecode(std::string_view text) {
    static constexpr std::array<int8_t, 256> table = decodingTable();
    if (text.size() % 4 == 0) {
        // At most two padding characters, at the end only.
        for (int k = 0; k < 2 && !text.empty() && text.back() == '='; ++k)
            text.remove_suffix(1);
    }
    if (text.size() % 4 == 1) return std::nullopt;
    std::string out;
    out.reserve(text.size() * 3 / 4);
    uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        const int8_t v = table[static_cast<unsigned char>(c)];
        if (v < 0) return std::nullopt;
        bits = (bits << 6) | static_cast<uint32_t>(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out.push_back(static_cast<char>((bits >> count) & 0xFF));
        }
    }
    return out;
}

} // namespace dalvex
