#pragma once
// Door sketch files (.dlx): one order in a little-endian binary form, written with format version 6 and
// read back from version 1 on. The reader never trusts the file: it reads everything into scratch copies and
// takes them over only when the whole file was read and every count, id and length made sense.
#include "calc/order_options.h"
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
    kSketchNotASketch = 4,    // no sketch file at all: its first byte is text or another format's mark
};

// What every program says of a file written by a newer format version.
inline constexpr std::string_view kNewerSketchVersionMessage =
    "Ошибка открытия файла: версия файла не поддерживается данной программой.";

// What every program says when a file does not open, naming the file as the user knows it (a page that has
// no name for it gives none).
std::string sketchOpenMessage(SketchFileResult result, std::string_view shownPath);

// Everything a sketch file holds: the chosen records, the dimensions, the options, the doors and the card.
// The file holds the options of its own system only; the other systems' options are carried through as they
// were.
struct SketchFileData {
    const DSSystem* system = nullptr;
    const HandleProfile* handleProfile = nullptr;
    const ProfileColor* profileColor = nullptr;
    const DividerProfile* dividerProfile = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t doorCount = 0;
    double discountPercent = 0.0;
    int32_t chipboardWidth = 0;
    int32_t plinthHeight = 0;
    OrderOptions options;
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
// chipboard width and plinth height, the options, the card's phone and costs, the sketch's other state). On
// kSketchOk the file was read whole and every count, id and length made sense; on any other result `data` is
// partly read and must be dropped.
SketchFileResult readSketchFile(const Catalogue& catalogue, std::string_view bytes, SketchFileData& data);

} // namespace dalvex
