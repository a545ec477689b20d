// A full recalculation as the Project runs it after every change: geometry, numbering, bill of materials.
#include "calc/systems.h"
#include "catalogue/catalogue.h"
#include "largest_sketch.h"

#include <benchmark/benchmark.h>

namespace dalvex {
namespace {

const Catalogue& catalogue() {
    static const Catalogue* built = new Catalogue(DALVEX_BINARY_DIR);
    return *built;
}

void recalc(benchmark::State& state, DoorSketch& sketch, const DSSystem& system,
            const OrderOptions& options) {
    CalcResult result;
    for (auto _ : state) {
        system.recompute(sketch, options, false);
        sketch.numberItems();
        system.collect(sketch, options, result, catalogue().colors().front());
        benchmark::DoNotOptimize(result.articleLines.data());
    }
}

void BM_RecalcLargestSketch(benchmark::State& state) {
    const DSSystem& borvik = *catalogue().findSystem("Борвик");
    OrderOptions options = catalogue().defaultOptions();
    Material mirror;
    mirror.code = "MIRROR";
    mirror.name = "Зеркало серебро";
    mirror.picturePath = "images\\silver.jpg";
    mirror.thickness = 40;
    mirror.pricePerSquareMetre = 150000;
    DoorSketch sketch = bench::largestSketch(borvik, options, &mirror);
    recalc(state, sketch, borvik, options);
}
BENCHMARK(BM_RecalcLargestSketch);

void BM_RecalcDefaultProject(benchmark::State& state) {
    const DSSystem& borvik = *catalogue().findSystem("Борвик");
    OrderOptions options = catalogue().defaultOptions();
    DoorSketch sketch(30000, 20000, 3, borvik.handleProfiles(options).front(), borvik.isSingleRow(options));
    borvik.assignRows(sketch, options);
    recalc(state, sketch, borvik, options);
}
BENCHMARK(BM_RecalcDefaultProject);

} // namespace
} // namespace dalvex
