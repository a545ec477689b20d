#pragma once
// Door sketch files (.dlx): one order in a little-endian binary form, written with format version 6 and
// read back from version 1 on. The reader never trusts the file: it reads everything into scratch copies and
// takes them over only when the whole file was read and every count, id and length made sense.
#include "records/order_card.h"
#include "sketch/door_sketch.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dalvex {

class Catalogue;
class DSSystem;
struct ProfileColor;

inline constexpr uint8_t kSketchFormatVersion = 6;

// Result codes of reading and saving.
enum SketchFileResult : int {
    kSketchOk = 0,
    kSketchCannotOpen = 1,    // cannot be opened or written, or damaged
    kSketchUnknownSystem = 2, // the system named in the file is not in the Catalogue
    kSketchNewerVersion = 3,  // written by a newer format version
};

// Everything a sketch file holds: the chosen records, the dimensions, the doors and the card. The chosen
// system's own settings travel through the system itself.
struct SketchFileData {
    DSSystem* system = nullptr;
    const HandleProfile* handleProfile = nullptr;
    const ProfileColor* profileColor = nullptr;
    const DividerProfile* dividerProfile = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t doorCount = 0;
    double discountPercent = 0.0;
    int32_t chipboardWidth = 0;
    int32_t plinthHeight = 0;
    DoorSketch sketch{0, 0, 0, nullptr, false};
    OrderCard card;
};

// Whether the reader would take the doors in use back: each whole (tilesItself) and within what the file
// counts (at most kMaxInserts inserts a door). Saving refuses a sketch that is not, rather than write a file
// that never opens again.
bool sketchFileCanHold(const DoorSketch& sketch);

// The whole file.
std::string writeSketchFile(const SketchFileData& data);

// Reads a file's bytes over `data`, which holds on entry what an earlier format version does not store (the
// chipboard width and plinth height, the card's phone and costs, the sketch's other state). On kSketchOk the
// file was read whole and every count, id and length made sense, and the system named in it has taken its
// settings from it; on any other result `data` is partly read and must be dropped, and no system's settings
// have changed.
SketchFileResult readSketchFile(const Catalogue& catalogue, std::string_view bytes, SketchFileData& data);

} // namespace dalvex
