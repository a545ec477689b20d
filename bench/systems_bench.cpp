// Recalculation of the largest project each system allows: its maximum of doors (ten, four for Feldor), each
// door split by twenty horizontal dividers (where the system has divider profiles) into 21 filled inserts.
// One iteration is what the program does after an edit inside a door: geometry, numbering, bill of materials.
#include "calc/systems.h"
#include "catalogue/catalogue.h"
#include "text/format.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace dalvex;

const Catalogue& catalogue() {
    static const Catalogue instance(DALVEX_BINARY_DIR);
    return instance;
}

struct LargestProject {
    std::unique_ptr<DSSystem> own; // Wenlor is built from the factory, outside the Catalogue
    const DSSystem* system = nullptr;
    OrderOptions options = catalogue().defaultOptions();
    std::unique_ptr<DoorSketch> sketch;
    std::vector<Material> fillings;
};

void fillLargest(LargestProject& p) {
    const DSSystem& system = *p.system;
    const std::vector<HandleProfile*> handles = system.handleProfiles(p.options);
    const int doors = system.maxDoorCount(p.options);
    p.sketch = std::make_unique<DoorSketch>(30000 * doors / 3, 25000, doors,
                                            handles.empty() ? nullptr : handles.front(),
                                            system.isSingleRow(p.options));
    DoorSketch& sketch = *p.sketch;
    system.assignRows(sketch, p.options);
    system.recompute(sketch, p.options, false);
    const std::vector<DividerProfile*> profiles = system.dividerProfileList();
    for (int t : {160, 40, 100}) {
        Material m;
        m.code = format("M%d", t);
        m.name = format("Material %d", t);
        m.picturePath = format("materials\\Bench\\images\\m%d.jpg", t);
        m.thickness = t;
        m.pricePerSquareMetre = 150000;
        p.fillings.push_back(m);
    }
    for (int k = 0; k < doors; ++k) {
        Door& door = sketch.doors[k];
        if (!profiles.empty()) {
            // Each split takes the lowest insert, whose top is the previous divider.
            const int32_t step = door.height / 21 / 100 * 100;
            for (int i = 1; i <= 20; ++i)
                door.splitInsert(door.inserts.rbegin()->first, i * step, profiles[i % profiles.size()],
                                 false);
        }
        int i = 0;
        for (auto& [id, insert] : door.inserts)
            insert.material = &p.fillings[(i++ + k) % p.fillings.size()];
    }
}

void BM_RecalcLargest(benchmark::State& state, const char* systemName) {
    LargestProject p;
    if (std::string_view(systemName) == "Венлор") {
        p.own = createSystem(9, systemName, 0);
        p.own->lookup = &catalogue();
        p.own->addHandleProfile(catalogue().findHandleProfile("JW03"));
        p.own->addDividerProfile(catalogue().findDividerProfile("JW05"));
        for (const char* code : {"JW01", "JW02", "JW04", "JW06", "JW07", "JBW2", "JBW3", "JW10"})
            p.own->addArticle(catalogue().findArticle(code));
        p.system = p.own.get();
    } else {
        p.system = catalogue().findSystem(systemName);
    }
    if (p.system == nullptr) {
        state.SkipWithError("system not found");
        return;
    }
    fillLargest(p);
    const ProfileColor* color = catalogue().colors().front();
    CalcResult result;
    for (auto _ : state) {
        p.system->recompute(*p.sketch, p.options, true);
        p.sketch->numberItems();
        p.system->collect(*p.sketch, p.options, result, color);
        benchmark::DoNotOptimize(result.cutLines.data());
    }
    state.counters["cut_lines"] = static_cast<double>(result.cutLines.size());
    state.counters["panels"] = static_cast<double>(result.panelLines.size());
}

BENCHMARK_CAPTURE(BM_RecalcLargest, Lantes, "Лантес")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RecalcLargest, Senfil, "Сенфил-Н")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RecalcLargest, Quorin, "Кворин")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RecalcLargest, Feldor, "Фелдор")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RecalcLargest, Zerkan, "Зеркан")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RecalcLargest, Dalvex, "Далвекс")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RecalcLargest, Wenlor, "Венлор")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RecalcLargest, Nordel, "Нордел")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RecalcLargest, Gerlit, "Герлит")->Unit(benchmark::kMicrosecond);

} // namespace
