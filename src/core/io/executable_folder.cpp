#include "io/executable_folder.h"

#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__APPLE__)
#include <cstdint>
#include <mach-o/dyld.h>
#include <vector>
#endif

namespace dalvex {

namespace {

// The running executable's own path as the platform reports it; empty when it cannot tell.
std::filesystem::path executablePath() {
#if defined(_WIN32)
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::filesystem::path(buffer.substr(0, length));
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
#elif defined(__APPLE__)
    uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    std::vector<char> buffer(size + 1, '\0');
    if (_NSGetExecutablePath(buffer.data(), &size) != 0) return {};
    std::error_code ec;
    const std::filesystem::path resolved = std::filesystem::canonical(buffer.data(), ec);
    return ec ? std::filesystem::path(buffer.data()) : resolved;
#else
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : self;
#endif
}

} // namespace

std::filesystem::path executableFolder() {
    const std::filesystem::path self = executablePath();
    if (!self.empty()) return self.parent_path();
    std::error_code ec;
    std::filesystem::path current = std::filesystem::current_path(ec);
    if (ec) return ".";
    return current;
}

} // namespace dalvex
