#include "cli_batch.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace dalvex::cli {

void runInOrder(std::size_t count, int threads, const std::function<OrderRun(std::size_t)>& run,
                const std::function<void(const OrderRun&)>& emit) {
    std::atomic<std::size_t> next{0};
    std::mutex written;
    std::vector<std::optional<OrderRun>> done(count);
    std::size_t emitted = 0;
    auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            OrderRun result = run(i);
            const std::lock_guard<std::mutex> lock(written);
            done[i] = std::move(result);
            // Whatever is ready in order goes out now: the results never wait for the whole batch.
            for (; emitted < count && done[emitted]; ++emitted) {
                emit(*done[emitted]);
                done[emitted].reset();
            }
        }
    };
    const std::size_t helpers =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(threads, 1)), count) - 1;
    std::vector<std::thread> pool;
    pool.reserve(helpers);
    for (std::size_t k = 0; k < helpers; ++k)
        pool.emplace_back(work);
    work(); // this thread is one of them
    for (std::thread& t : pool)
        t.join();
}

} // namespace dalvex::cli
