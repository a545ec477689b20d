// The cutting plan of a whole result: every article bought in whole bars, with a 4 mm kerf.
#include "calc/systems.h"
#include "catalogue/catalogue.h"
#include "cutting/cut_plan.h"
#include "largest_sketch.h"

#include <benchmark/benchmark.h>

#include <random>

namespace dalvex {
namespace {

const Catalogue& catalogue() {
    static const Catalogue* built = new Catalogue(DALVEX_BINARY_DIR);
    return *built;
}

// The largest sketch: ten doors of 2.5 m, each split by twenty horizontal dividers.
CalcResult largestSketchResult() {
    const DSSystem& borvik = *catalogue().findSystem("Борвик");
    OrderOptions options = catalogue().defaultOptions();
    DoorSketch sketch = bench::largestSketch(borvik, options, nullptr);
    borvik.recompute(sketch, options, false);
    sketch.numberItems();
    CalcResult result;
    borvik.collect(sketch, options, result, catalogue().colors().front());
    return result;
}

void BM_CutPlanLargestSketch(benchmark::State& state) {
    const CalcResult result = largestSketchResult();
    for (auto _ : state) {
        auto plans = planArticles(result, 40, 0);
        benchmark::DoNotOptimize(plans.data());
    }
}
BENCHMARK(BM_CutPlanLargestSketch);

// A long list of mixed lengths, beyond the exact search: first-fit-decreasing with improvement.
void BM_CutPlanLongMixedList(benchmark::State& state) {
    std::mt19937 rng(5u);
    std::vector<int32_t> pieces(static_cast<size_t>(state.range(0)));
    for (int32_t& p : pieces)
        p = 3000 + static_cast<int32_t>(rng() % 20000);
    for (auto _ : state) {
        CutPlan plan = planCuts(pieces, 55000, 40, 0);
        benchmark::DoNotOptimize(plan.bars.data());
    }
}
BENCHMARK(BM_CutPlanLongMixedList)->Arg(24)->Arg(200);

} // namespace
} // namespace dalvex
