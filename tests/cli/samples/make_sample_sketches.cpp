// Writes one sketch file per profile system into the given folder, over the sample data beside the program:
// every door split in two, both halves filled from different material collections, an order card with
// Cyrillic texts, a discount and extra charges. scripts/windows.sh feeds them to dalvex-cli on both
// platforms and compares the bytes.
#include "calc/ds_system.h"
#include "catalogue/catalogue.h"
#include "files/sketch_file.h"
#include "io/executable_folder.h"
#include "io/utf8_path.h"
#include "project/project.h"
#include "project/project_editor.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace dalvex;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_sketches OUTPUT_FOLDER\n");
        return 2;
    }
    const std::filesystem::path output = pathFromUtf8(argv[1]);
    Catalogue catalogue(executableFolder());
    std::vector<const Material*> materials;
    for (const MaterialCollection& collection : catalogue.collections())
        for (std::size_t i = 0; i < collection.materials.size(); i += 7)
            materials.push_back(&collection.materials[i]);
    if (materials.size() < 2) {
        std::fprintf(stderr, "make_sample_sketches: the sample materials are missing\n");
        return 1;
    }

    std::size_t next = 0;
    int written = 0;
    for (const DSSystem* system : catalogue.systems()) {
        Project project(catalogue, output / "config");
        ProjectEditor editor(project);
        editor.apply(edit::SelectSystem{system});
        editor.apply(edit::SetWidth{24000 + 1000 * written});
        editor.apply(edit::SetHeight{22000 + 500 * written});
        editor.apply(edit::SetDoorCount{2 + written % 3});
        editor.apply(edit::ClearSketch{});
        for (int d = 0; d < static_cast<int>(project.sketch.doors.size()); ++d) {
            // Split in halves by a full-height vertical divider, drawn straight into the sketch: the samples
            // hold one even where the system's divider profile is made for the other orientation.
            Door& door = project.sketch.doors[d];
            door.splitInsert(1, door.width / 2, project.dividerProfile, true);
            std::vector<int32_t> inserts;
            for (const auto& [id, insert] : project.sketch.doors[d].inserts)
                inserts.push_back(id);
            for (const int32_t id : inserts)
                editor.apply(edit::Fill{d, id, materials[next++ % materials.size()]});
        }
        editor.apply(edit::SetDiscount{written * 2.5});
        OrderCard card = project.orderCard;
        card.orderNumber = std::to_string(100 + written);
        card.customerName = "Иванов Пётр №" + std::to_string(written);
        card.address = "г. Москва, ул. Ленина; д. 1";
        card.phone = "+7 495 000-00-0" + std::to_string(written);
        card.orderDate = 1330905600 + 43200 + 86400 * written; // noon: the same day in any time zone
        card.readyDate = card.orderDate + 7 * 86400;
        card.assemblyCost = 1500;
        card.deliveryCost = written % 2 ? 300 : 0;
        editor.apply(edit::SetOrderCard{card});
        if (project.save(output / ("sample-" + std::to_string(written) + ".dlx")) != kSketchOk) {
            std::fprintf(stderr, "make_sample_sketches: cannot write into %s\n", argv[1]);
            return 1;
        }
        ++written;
    }
    std::printf("%d sketch files\n", written);
    return 0;
}
