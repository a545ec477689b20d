#pragma once
// Tests that need several programs at once start this same test binary again, running only a test of their
// own that finds its work in an environment variable.
#include "io/executable_folder.h"

#include <filesystem>
#include <string>

#if defined(_WIN32)
#include <process.h>
#include <stdlib.h>
#else
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace dalvex::testing {

#if defined(_WIN32)
using ChildProcess = intptr_t;
#else
using ChildProcess = pid_t;
#endif
inline constexpr ChildProcess kNoProcess = -1;

// Sets (or, with an empty value, clears) a variable the children inherit.
inline void setChildVariable(const char* name, const std::filesystem::path& value) {
#if defined(_WIN32)
    const std::wstring wide(name, name + std::char_traits<char>::length(name));
    _wputenv_s(wide.c_str(), value.c_str());
#else
    if (value.empty())
        ::unsetenv(name);
    else
        ::setenv(name, value.c_str(), 1);
#endif
}

// Starts `binary` (a test binary beside this one, e.g. "dalvex_core_tests") running the tests `filter`
// selects; kNoProcess when it cannot be started.
inline ChildProcess startTests(const std::string& binary, const std::string& filter) {
#if defined(_WIN32)
    const std::filesystem::path self = executableFolder() / (binary + ".exe");
    const std::wstring wideFilter = L"--gtest_filter=" + std::wstring(filter.begin(), filter.end());
    const std::wstring name(binary.begin(), binary.end());
    const wchar_t* args[] = {name.c_str(), wideFilter.c_str(), L"--gtest_brief=1", nullptr};
    return _wspawnv(_P_NOWAIT, self.c_str(), args);
#else
    const std::filesystem::path self = executableFolder() / binary;
    std::string filterArg = "--gtest_filter=" + filter;
    std::string brief = "--gtest_brief=1";
    std::string name = self.string();
    char* args[] = {name.data(), filterArg.data(), brief.data(), nullptr};
    pid_t child = -1;
    return ::posix_spawn(&child, self.c_str(), nullptr, nullptr, args, environ) == 0 ? child : kNoProcess;
#endif
}

// The child's exit code; -1 when it did not end normally.
inline int waitFor(ChildProcess process) {
#if defined(_WIN32)
    int status = -1;
    return _cwait(&status, process, 0) == -1 ? -1 : status;
#else
    int status = 0;
    return ::waitpid(process, &status, 0) == process && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

} // namespace dalvex::testing
