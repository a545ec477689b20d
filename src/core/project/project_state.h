#pragma once
// The order as a plain value: everything an undo step must put back. It is what a sketch file holds, with the
// options of every system (the file keeps only its own system's). The calculation is not kept: it follows
// from the rest.
#include "files/sketch_file.h"

namespace dalvex {

class EditPass;
class Project;

using ProjectState = SketchFileData;

ProjectState captureState(const Project& project);
// Puts the state back and recalculates keeping the door widths (the sketch holds them).
void restoreState(EditPass pass, Project& project, const ProjectState& state);
// Puts the state back without the calculation, for an operation that recalculates at once.
void putBackState(EditPass pass, Project& project, const ProjectState& state);

} // namespace dalvex
