#include "io/atomic_file.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace dalvex {
namespace {

// A name for the temporary file beside the target that no other writer picks: random bits mixed with the time
// and a process-wide counter (random_device may be deterministic or unavailable on some platforms).
std::filesystem::path temporaryPathFor(const std::filesystem::path& path) {
    static std::atomic<uint64_t> counter{0};
    uint64_t bits = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    bits ^= counter.fetch_add(1) * 0x9E3779B97F4A7C15ULL;
    try {
        std::random_device device;
        bits ^= (static_cast<uint64_t>(device()) << 32) ^ device();
    } catch (...) {
        // The time and the counter alone still separate the writers of this process.
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string suffix = ".tmp-";
    for (int i = 0; i < 16; ++i)
        suffix.push_back(kHex[(bits >> (i * 4)) & 0xF]);
    std::filesystem::path temporary = path;
    temporary += suffix;
    return temporary;
}

bool writeAll(const std::filesystem::path& temporary, std::string_view bytes) {
    std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
    if (!stream) return false;
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    stream.flush();
    if (!stream) return false;
    stream.close();
    return !stream.fail();
}

} // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code ec;
    if (path.empty() || std::filesystem::is_directory(path, ec)) return false;
    std::filesystem::path temporary = temporaryPathFor(path);
    for (int attempt = 0; attempt < 8 && std::filesystem::exists(temporary, ec); ++attempt) {
        temporary = temporaryPathFor(path);
    }
    if (std::filesystem::exists(temporary, ec)) return false;

    bool written = false;
    try {
        written = writeAll(temporary, bytes);
    } catch (...) {
        written = false;
    }
    if (written) {
        // Keep the permissions of the file being replaced.
        const auto status = std::filesystem::status(path, ec);
        if (!ec && std::filesystem::exists(status)) {
            std::filesystem::permissions(temporary, status.permissions(), ec);
        }
        std::filesystem::rename(temporary, path, ec);
        written = !ec;
    }
    if (!written) std::filesystem::remove(temporary, ec);
    return written;
}

} // namespace dalvex
