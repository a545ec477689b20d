// Feeds arbitrary bytes to the sketch file reader: it must reject or accept them without reading or writing
// outside the model, a rejected file must leave the project as it was, and every door of an accepted file
// must be whole (so the fuzzer can find the next kind of broken door the reader lets through).
#include "catalogue/catalogue.h"
#include "files/sketch_file.h"
#include "io/executable_folder.h"
#include "project/project.h"
#include "project/project_files.h"
#include "sketch/door_tiling.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace dalvex;

namespace {

Project& project() {
    // The sample data beside the fuzzer (build-fuzz/bin) gives the reader real collections to look materials
    // up in.
    static Catalogue catalogue(executableFolder());
    static Project p(catalogue, std::filesystem::temp_directory_path() / "dalvex-fuzz-config");
    return p;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Project& p = project();
    const std::string before = writeSketchBytes(p);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const int result = readSketchBytes(p, bytes);
    if (result != kSketchOk && writeSketchBytes(p) != before) std::abort();
    if (result == kSketchOk) {
        // Every door the reader takes is whole, as read (before the engine resizes it to the project).
        SketchFileData read;
        if (readSketchFile(p.catalogue(), bytes, read) != kSketchOk) std::abort();
        for (int i = 0; i < read.sketch.doorCount; ++i)
            if (!tilesItself(read.sketch.doors[i])) std::abort();
        // Whatever was accepted must survive a round trip, unless resizing it to the project's doors has
        // squeezed a door out of shape: saving refuses such a sketch rather than write it.
        if (!sketchFileCanHold(p.sketch)) return 0;
        const std::string written = writeSketchBytes(p);
        if (readSketchBytes(p, written) != kSketchOk || writeSketchBytes(p) != written) std::abort();
    }
    return 0;
}
