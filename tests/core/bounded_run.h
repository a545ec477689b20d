#pragma once
// Runs a check in a child process with a time and memory bound, so that a reader that regresses into waiting
// on a FIFO or reading a device without end fails the test instead of hanging or exhausting the machine.
// Child processes and FIFOs are POSIX matters: on Windows the tests that need them are left out.
#if !defined(_WIN32)
#include <functional>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DALVEX_ASAN 1
#endif
#endif

namespace dalvex::testing {

enum class Bounded { kTrue, kFalse, kHung, kCrashed };

inline Bounded runBounded(const std::function<bool()>& check, unsigned seconds = 5) {
    const pid_t child = ::fork();
    if (child == 0) {
#if !defined(__SANITIZE_ADDRESS__) && !defined(DALVEX_ASAN)
        // (The address sanitizer reserves more address space than this up front.)
        const rlimit memory{1u << 30, 1u << 30};
        ::setrlimit(RLIMIT_AS, &memory);
#endif
        ::alarm(seconds);
        // Nothing may leave the child but its exit: an escaping exception would run the rest of the tests
        // here.
        try {
            ::_exit(check() ? 0 : 1);
        } catch (...) {
            ::_exit(2);
        }
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) return Bounded::kCrashed;
    if (WIFSIGNALED(status)) return WTERMSIG(status) == SIGALRM ? Bounded::kHung : Bounded::kCrashed;
    if (WEXITSTATUS(status) > 1) return Bounded::kCrashed;
    return WEXITSTATUS(status) == 0 ? Bounded::kTrue : Bounded::kFalse;
}

} // namespace dalvex::testing

#endif
