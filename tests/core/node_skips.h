#pragma once
// Under node (the core built for the browser, its tests run by `node dalvex_core_tests.js`) there are no
// other processes: nothing can be started or waited for, no process id but the module's own is known, and
// /proc names node itself. A test that needs them says so and is skipped there.
#include <gtest/gtest.h>

#if defined(__EMSCRIPTEN__)
#define DALVEX_SKIP_UNDER_NODE(need) GTEST_SKIP() << "needs " << (need) << ", which node does not give"
#else
#define DALVEX_SKIP_UNDER_NODE(need) static_cast<void>(need)
#endif
