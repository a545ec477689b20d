// Opening a large sketch file: read, check and take over 10 doors with 200 dividers, then recalculate.
#include "catalogue/catalogue.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "project/project_files.h"
#include "records/records.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace dalvex;

// Stacks `count` full-width horizontal dividers in the door, each insert filled with `material`.
void stackDividers(Door& door, int count, const DividerProfile* profile, const Material* material) {
    door.inserts.clear();
    door.dividers.clear();
    const int32_t step = door.height / (count + 1);
    for (int k = 0; k <= count; ++k) {
        Insert ins;
        ins.top = k * step;
        ins.bottom = k == count ? door.height : (k + 1) * step;
        ins.right = door.width;
        ins.topId = k;
        ins.bottomId = k == count ? 0 : k + 1;
        ins.material = material;
        door.inserts.emplace(k + 1, ins);
        if (k == count) break;
        Divider d;
        d.position = (k + 1) * step;
        d.length = door.width;
        d.profile = profile;
        door.dividers.emplace(k + 1, d);
    }
    door.nextInsertId = count + 2;
    door.nextDividerId = count + 1;
}

void BM_OpenLargeSketchFile(benchmark::State& state) {
    Catalogue catalogue(DALVEX_BINARY_DIR);
    Project project(catalogue, std::filesystem::temp_directory_path() / "dalvex-bench-config");
    ProjectEditor editor(project);
    editor.apply(edit::SetDoorCount{10});
    const Material* material = nullptr;
    if (!catalogue.collections().empty() && !catalogue.collections().front().materials.empty())
        material = &catalogue.collections().front().materials.front();
    for (int i = 0; i < 10; ++i)
        stackDividers(project.sketch.doors[i], 20, project.dividerProfile, material);
    editor.apply(edit::SetWidth{project.width}); // calculated anew, as after any change
    const std::string bytes = writeSketchBytes(project);
    for (auto _ : state)
        benchmark::DoNotOptimize(editor.openBytes(bytes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_OpenLargeSketchFile)->Unit(benchmark::kMicrosecond);

} // namespace
