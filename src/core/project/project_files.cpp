// Saving and opening: the Project handed to the sketch file codec as plain data, and taken back from it.
#include "project/project_files.h"

#include "catalogue/catalogue.h"
#include "io/atomic_file.h"
#include "io/whole_file.h"
#include "project/project.h"

#include <utility>

namespace dalvex {

SketchFileData fileDataOf(const Project& project) {
    SketchFileData data;
    data.system = project.calculator;
    data.handleProfile = project.handleProfile;
    data.profileColor = project.profileColor;
    data.dividerProfile = project.dividerProfile;
    data.width = project.width;
    data.height = project.height;
    data.doorCount = project.doorCount;
    data.discountPercent = project.discountPercent;
    data.chipboardWidth = project.chipboardWidth;
    data.plinthHeight = project.plinthHeight;
    data.options = project.options;
    data.sketch = project.sketch;
    data.card = project.orderCard;
    return data;
}

void takeFileData(EditPass, Project& project, SketchFileData data) {
    project.calculator = data.system;
    project.handleProfile = data.handleProfile;
    project.profileColor = data.profileColor;
    project.dividerProfile = data.dividerProfile;
    project.width = data.width;
    project.height = data.height;
    project.doorCount = data.doorCount;
    project.discountPercent = data.discountPercent;
    project.chipboardWidth = data.chipboardWidth;
    project.plinthHeight = data.plinthHeight;
    project.options = std::move(data.options);
    project.result.discountPercent = data.discountPercent;
    project.result.totalsDirty = true;
    project.sketch = std::move(data.sketch);
    project.orderCard = std::move(data.card);
}

std::string writeSketchBytes(const Project& project) {
    return writeSketchFile(fileDataOf(project));
}

SketchFileResult readSketchBytes(EditPass pass, Project& project, std::string_view bytes) {
    SketchFileData data = fileDataOf(project);
    const SketchFileResult read = readSketchFile(project.catalogue(), bytes, data);
    if (read != kSketchOk) return read;
    takeFileData(pass, project, std::move(data));
    project.recalculate(pass, true);
    return kSketchOk;
}

SketchFileResult Project::save(const std::filesystem::path& path) const {
    if (!sketchFileCanHold(sketch)) return kSketchCannotOpen;
    return writeFileAtomically(path, writeSketchBytes(*this)) ? kSketchOk : kSketchCannotOpen;
}

SketchFileResult Project::open(EditPass pass, const std::filesystem::path& path) {
    std::string bytes;
    if (!readWholeFile(path, bytes, kSketchFileLimit)) return kSketchCannotOpen;
    return openBytes(pass, bytes);
}

SketchFileResult Project::openBytes(EditPass pass, std::string_view bytes) {
    if (bytes.size() > kSketchFileLimit) return kSketchCannotOpen;
    const SketchFileResult read = readSketchBytes(pass, *this, bytes);
    if (read == kSketchOk) offeredOrderNumber.clear();
    return read;
}

} // namespace dalvex
