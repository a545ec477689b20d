#pragma once
// The Project in sketch files: the file's bytes for the project as it is now, and a file's bytes taken over.
#include "files/sketch_file.h"

#include <string>
#include <string_view>

namespace dalvex {

class EditPass;
class Project;

// The project's chosen records, dimensions, options, sketch and card as the file holds them, and the other
// way round (without recalculating).
SketchFileData fileDataOf(const Project& project);
void takeFileData(EditPass pass, Project& project, SketchFileData data);

// The whole file for the project as it is now.
std::string writeSketchBytes(const Project& project);

// Reads a file's bytes into the project; on any result but kSketchOk the project is left exactly as it was.
// On success the project is recalculated keeping the door widths.
SketchFileResult readSketchBytes(EditPass pass, Project& project, std::string_view bytes);

} // namespace dalvex
