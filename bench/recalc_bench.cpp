// A full recalculation as the Project runs it after every change: geometry, numbering, bill of materials.
#include "calc/systems.h"
#include "catalogue/catalogue.h"

#include <benchmark/benchmark.h>

namespace dalvex {
namespace {

const Catalogue& catalogue() {
    static const Catalogue* built = new Catalogue(DALVEX_BINARY_DIR);
    return *built;
}

// Twenty horizontal dividers stacked in a door, every one of the 21 inserts filled.
void stackDividers(Door& door, const DividerProfile* profile, const Material* material, int32_t height) {
    door.inserts.clear();
    door.dividers.clear();
    constexpr int kDividers = 20;
    for (int i = 1; i <= kDividers; ++i) {
        Divider& d = door.dividers[i];
        d.vertical = 0;
        d.position = height * i / (kDividers + 1);
        d.profile = profile;
    }
    for (int i = 1; i <= kDividers + 1; ++i) {
        Insert& insert = door.inserts[i];
        insert.topId = i - 1;
        insert.bottomId = i <= kDividers ? i : 0;
        insert.material = material;
    }
    door.nextDividerId = kDividers + 1;
    door.nextInsertId = kDividers + 2;
    door.rescale(true);
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
    DoorSketch sketch(100000, 25000, 10, borvik.handleProfiles().front(), false);
    borvik.assignRows(sketch);
    borvik.recompute(sketch, false);
    for (int k = 0; k < kMaxDoors; ++k)
        stackDividers(sketch.doors[k], borvik.dividerProfileList().front(), &mirror, sketch.doors[k].height);
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
