#pragma once
// Pricing many orders at once: the jobs run on a few threads that share one catalogue (it is only read), and
// their results are written in the order the jobs were given, each as soon as it and all before it are done.
#include <cstddef>
#include <functional>
#include <string>

namespace dalvex::cli {

// What one order gives: what it writes on standard output and error, and its exit code.
struct OrderRun {
    std::string out;
    std::string err;
    int exit = 0;
};

// Runs `run(i)` for every i below `count` on `threads` threads, and hands the results to `emit` in index
// order, one at a time.
void runInOrder(std::size_t count, int threads, const std::function<OrderRun(std::size_t)>& run,
                const std::function<void(const OrderRun&)>& emit);

} // namespace dalvex::cli
