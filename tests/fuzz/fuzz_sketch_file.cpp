// Feeds arbitrary bytes to the sketch file reader: it must reject or accept them without reading or writing
// outside the model, a rejected file must leave the project as it was, every door of an accepted file must be
// whole (so the fuzzer can find the next kind of broken door the reader lets through), and every value of an
// accepted file must lie within what the editor accepts.
#include "calc/ds_system.h"
#include "catalogue/catalogue.h"
#include "files/sketch_file.h"
#include "io/executable_folder.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "project/project_files.h"
#include "sketch/door_tiling.h"
#include "sketch/opening_limits.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace dalvex;

namespace {

bool within(int64_t v, int64_t low, int64_t high) {
    return v >= low && v <= high;
}

// The ranges the editor holds the opening, the door counts and the card's charges to.
bool withinEditorsRanges(const SketchFileData& d) {
    const std::vector<int> offered = d.system->offeredDoorCounts(d.options);
    return within(d.width, kMinOpeningWidth, kMaxOpeningWidth) &&
           within(d.height, kMinOpeningHeight, kMaxOpeningHeight) &&
           within(d.chipboardWidth, 0, kMaxChipboardWidth) &&
           (d.plinthHeight == 0 || within(d.plinthHeight, kMinPlinthHeight, kMaxPlinthHeight)) &&
           d.discountPercent >= 0.0 && d.discountPercent <= 100.0 &&
           std::find(offered.begin(), offered.end(), d.doorCount) != offered.end() &&
           d.sketch.doorCount == d.doorCount && d.sketch.width == d.width && d.sketch.height > 0 &&
           within(d.card.assemblyCost, 0, kMaxExtraCharge) && within(d.card.deliveryCost, 0, kMaxExtraCharge);
}

ProjectEditor& editor() {
    // The sample data beside the fuzzer (build-fuzz/bin) gives the reader real collections to look materials
    // up in.
    static Catalogue catalogue(executableFolder());
    static Project p(catalogue, std::filesystem::temp_directory_path() / "dalvex-fuzz-config");
    static ProjectEditor e(p);
    return e;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ProjectEditor& e = editor();
    const Project& p = e.project();
    const std::string before = writeSketchBytes(p);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const int result = e.openBytes(bytes);
    if (result != kSketchOk && writeSketchBytes(p) != before) std::abort();
    if (result == kSketchOk) {
        // Every door the reader takes is whole, as read (before the engine resizes it to the project).
        SketchFileData read;
        if (readSketchFile(p.catalogue(), bytes, read) != kSketchOk) std::abort();
        if (!withinEditorsRanges(read)) std::abort();
        for (int i = 0; i < read.sketch.doorCount; ++i)
            if (!tilesItself(read.sketch.doors[i]) || read.sketch.doors[i].width < 1 ||
                read.sketch.doors[i].height < 1)
                std::abort();
        // Whatever was accepted must survive a round trip, unless resizing it to the project's doors has
        // squeezed a door out of shape: saving refuses such a sketch rather than write it.
        if (!sketchFileCanHold(p.sketch)) return 0;
        const std::string written = writeSketchBytes(p);
        if (e.openBytes(written) != kSketchOk || writeSketchBytes(p) != written) std::abort();
    }
    return 0;
}
