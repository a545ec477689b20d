#pragma once
// Door sketch files (.dlx): one Project in a little-endian binary form, written with format version 6 and
// read back from version 1 on. The reader never trusts the file: it reads everything into scratch copies and
// takes them over only when the whole file was read and every count, id and length made sense.
#include <cstdint>
#include <string>
#include <string_view>

namespace dalvex {

class Project;

inline constexpr uint8_t kSketchFormatVersion = 6;

// Result codes of reading and saving.
enum SketchFileResult : int {
    kSketchOk = 0,
    kSketchCannotOpen = 1,    // cannot be opened or written, or damaged
    kSketchUnknownSystem = 2, // the system named in the file is not in the Catalogue
    kSketchNewerVersion = 3,  // written by a newer format version
};

// The whole file for the project as it is now.
std::string writeSketchBytes(const Project& project);

// Reads a file's bytes into the project; on any result but kSketchOk the project is left exactly as it was.
// On success the project is recalculated keeping the door widths.
int readSketchBytes(Project& project, std::string_view bytes);

} // namespace dalvex
