// The sheet cutting plan of a whole result, with a 4 mm kerf and a 10 mm trim.
#include "calc/systems.h"
#include "catalogue/catalogue.h"
#include "cutting/sheet_plan.h"
#include "largest_sketch.h"

#include <benchmark/benchmark.h>

#include <random>

namespace dalvex {
namespace {

const Catalogue& catalogue() {
    static const Catalogue* built = new Catalogue(DALVEX_BINARY_DIR);
    return *built;
}

// The largest sketch, every one of its 210 inserts the sample oak chipboard (a wood decor: panels keep their
// height along the sheet).
CalcResult largestChipboardResult() {
    const DSSystem& dalvex = *catalogue().findSystem("Далвекс");
    OrderOptions options;
    const MaterialCollection* chipboard = catalogue().findCollection("ЛДСП Эггер");
    const Material* oak =
        chipboard && !chipboard->materials.empty() ? &chipboard->materials.front() : nullptr;
    DoorSketch sketch = bench::largestSketch(dalvex, options, oak);
    dalvex.recompute(sketch, options, false);
    sketch.numberItems();
    CalcResult result;
    dalvex.collect(sketch, options, result, catalogue().colors().front());
    return result;
}

void BM_SheetPlanLargestSketch(benchmark::State& state) {
    const CalcResult result = largestChipboardResult();
    const CuttingSettings settings;
    size_t sheets = 0;
    for (auto _ : state) {
        auto plans = planSheets(result, settings);
        sheets = plans.empty() ? 0 : plans.front().sheets.size();
        benchmark::DoNotOptimize(plans.data());
    }
    state.counters["sheets"] = static_cast<double>(sheets);
}
BENCHMARK(BM_SheetPlanLargestSketch)->Unit(benchmark::kMillisecond);

// Mixed panels of a few sizes that no bound proves: the heuristics and the search spend their whole
// allowance.
void BM_SheetPlanMixedPanels(benchmark::State& state) {
    std::mt19937 rng(5u);
    std::vector<SheetPiece> sizes(6);
    for (SheetPiece& p : sizes)
        p = {1500 + static_cast<int32_t>(rng() % 12000), 1500 + static_cast<int32_t>(rng() % 12000)};
    std::vector<SheetPiece> pieces(static_cast<size_t>(state.range(0)));
    for (SheetPiece& p : pieces)
        p = sizes[rng() % sizes.size()];
    for (auto _ : state) {
        SheetPacking packing = packSheets(pieces, {32100, 22500, 40, 100, false});
        benchmark::DoNotOptimize(packing.sheets.data());
    }
}
BENCHMARK(BM_SheetPlanMixedPanels)->Arg(30)->Arg(120)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dalvex
