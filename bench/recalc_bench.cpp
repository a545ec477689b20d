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

void recalc(benchmark::State& state, DoorSketch& sketch, DSSystem& system) {
    CalcResult result;
    for (auto _ : state) {
        system.recompute(sketch, false);
        sketch.numberItems();
        system.collect(sketch, result, catalogue().colors().front());
        benchmark::DoNotOptimize(result.articleLines.data());
    }
}

void BM_RecalcLargestSketch(benchmark::State& state) {
    DSSystem& borvik = *catalogue().findSystem("Борвик");
    Material mirror;
    mirror.code = "MIRROR";
    mirror.name = "Зеркало серебро";
    mirror.picturePath = "images\\silver.jpg";
    mirror.thickness = 40;
    mirror.pricePerSquareMetre = 150000;
    DoorSketch sketch = bench::largestSketch(borvik, &mirror);
    recalc(state, sketch, borvik);
}
BENCHMARK(BM_RecalcLargestSketch);

void BM_RecalcDefaultProject(benchmark::State& state) {
    DSSystem& borvik = *catalogue().findSystem("Борвик");
    DoorSketch sketch(30000, 20000, 3, borvik.handleProfiles().front(), borvik.isSingleRow());
    borvik.assignRows(sketch);
    recalc(state, sketch, borvik);
}
BENCHMARK(BM_RecalcDefaultProject);

} // namespace
} // namespace dalvex
