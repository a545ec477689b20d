#pragma once
// This program's process id: what names its temporary files apart from another program's.
#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

namespace dalvex::journal {

inline long long processId() {
#if defined(_WIN32)
    return _getpid();
#else
    return ::getpid();
#endif
}

} // namespace dalvex::journal
