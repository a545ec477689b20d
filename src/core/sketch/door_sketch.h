#pragma once
// The drawing of all doors of a wardrobe: up to ten doors side by side, each tiled by rectangular inserts
// that are separated by dividers. Inserts and dividers refer to each other by id (0 = the door frame), which
// keeps a door a plain value: copying a door or the whole sketch never leaves a reference pointing into
// another door.
#include <array>
#include <cstdint>
#include <map>
#include <utility>

namespace dalvex {

struct Article;
struct DividerProfile;
struct HandleProfile;
struct Material;

inline constexpr int kMaxDoors = 10;
inline constexpr int32_t kMinInsertPart = 200; // 20 mm: the smallest extent a split or a move may leave
inline constexpr int32_t kDividerGrid = 100;   // 10 mm: mouse positions of dividers are rounded to it
inline constexpr int32_t kMinDoorWidth = 1000; // 100 mm: the narrowest door a joint drag may leave
// The most inserts a door may hold: far beyond any real door, and well inside what a sketch file can count.
inline constexpr int kMaxInserts = 4000;

enum FrameSide { kFrameLeft = 0, kFrameTop = 1, kFrameRight = 2, kFrameBottom = 3 };

struct FrameProfile {
    int32_t cutLength = 0;
    const Article* profile = nullptr; // null: the side has no profile
    int32_t number = 0;
};

struct Insert {
    int32_t panelX = 0, panelY = 0, panelWidth = 0, panelHeight = 0; // the filling panel, door coordinates
    int32_t left = 0, top = 0, right = 0, bottom = 0;                // edges, door coordinates
    const Material* material = nullptr;                              // null: no material
    bool thicknessError = false;
    int32_t topId = 0, leftId = 0, rightId = 0, bottomId = 0; // dividers on the four sides; 0 = the frame
    bool scaleByDoors = false; // the picture is stretched over doors scaleFirstDoor..scaleLastDoor
    int32_t scaleFirstDoor = 0, scaleLastDoor = 0;
    int32_t number = 0;
};

struct Divider {
    int32_t cutLength = 0;
    int32_t length = 0;             // distance between its two bounds
    int32_t axis = 0;               // where it is drawn, set by the calculator
    int32_t position = 0;           // from the door's left edge (vertical) or top edge (horizontal)
    int32_t vertical = 0;           // 1 vertical, 0 horizontal
    int32_t startId = 0, endId = 0; // perpendicular dividers its ends stop at; 0 = the frame
    const DividerProfile* profile = nullptr;
    int32_t number = 0;
};

// What pasting a door did; anything but kPasted changed nothing.
enum PasteResult : int {
    kPasted = 0,
    kPasteNoSource = 1, // nothing copied, or no such door
    kPasteNoRoom = 2,   // a vertical divider of the copy would not fit the narrower door
    kPasteRefused = -1, // the target is the copied door itself or not a door in use
};

struct Door {
    Door();

    std::map<int32_t, Insert> inserts;   // in increasing id
    std::map<int32_t, Divider> dividers; // in increasing id
    int32_t previousWidth = 0, previousHeight = 0;
    int32_t index = 0;
    int32_t width = 0, height = 0;
    int32_t row = 0; // 0 first row, 1 second row
    std::array<FrameProfile, 4> frame;
    int32_t nextInsertId = 2;
    int32_t nextDividerId = 1;

    // Lookups by id; null for 0 and for ids this door does not hold.
    Divider* divider(int32_t id);
    const Divider* divider(int32_t id) const;
    Insert* insert(int32_t id);
    const Insert* insert(int32_t id) const;

    void updateInsertEdges();
    void rescale(bool force);
    // The inserts just before and just after a divider (ids; 0 when not found).
    std::pair<int32_t, int32_t> adjacentInserts(const Divider& d) const;
    std::pair<int32_t, int32_t> extentsAround(const Divider& d) const;
    int32_t panelPositionFor(const Divider& d, int32_t size, bool afterSide) const;
    int32_t panelSizeBeside(const Divider& d, bool afterSide) const;

    // Editing (each keeps the tiling of the door and refuses silently what would break it).
    // Splits an insert with a divider at `position` (door coordinates: from the left edge for a vertical
    // divider, from the top edge for a horizontal one); null when both parts would not keep kMinInsertPart.
    Divider* splitInsert(int32_t insertId, int32_t position, const DividerProfile* profile, bool vertical);
    bool removeDivider(int32_t dividerId);
    bool moveDivider(int32_t dividerId, int32_t position);
    PasteResult pasteFrom(const Door* source);
    void alignDividers(bool vertical);
    bool hasDividers(bool vertical) const;
};

class DoorSketch {
public:
    DoorSketch(int32_t width, int32_t height, int32_t doorCount, const HandleProfile* handleProfile,
               bool singleRow);

    std::array<Door, kMaxDoors> doors;
    const HandleProfile* handleProfile = nullptr;
    int32_t previousWidth = 0, previousHeight = 0, previousDoorCount = 0;
    bool resizePending = true; // the next calculation lays the door sizes out anew
    int32_t profileCount = 1;
    int32_t width = 0, height = 0, doorCount = 0;
    int32_t doorsTotalWidth = 0;

    void numberItems();
    int overlapCount() const;
    int32_t remainder() const;
    bool hasDivider(int doorIndex, bool vertical) const;
    // Door `doorIndex` when it is one of the doors in use; null otherwise.
    Door* doorInUse(int doorIndex);
    const Door* doorInUse(int doorIndex) const;

    // The joint between door `leftDoor` and the next: the left door grows by `growth` (negative: shrinks) and
    // the next door shrinks by as much; refused when either would be narrower than kMinDoorWidth.
    bool moveJoint(int leftDoor, int64_t growth);
    // Fills an insert named by its door (0..doorCount-1) and id, fitted to it or stretched over doors
    // from..to; false (nothing changed) when there is no such insert or, across doors, the range does not
    // hold the insert's door or names a door not in use.
    Insert* insertOf(int doorIndex, int32_t insertId);
    bool fillInsert(int doorIndex, int32_t insertId, const Material* m);
    bool fillInsertAcrossDoors(int doorIndex, int32_t insertId, const Material* m, int32_t from, int32_t to);
    // The context menu's paste: door `to` becomes a copy of door `from`; kPasteRefused unless both are doors
    // in use and differ.
    PasteResult pasteDoor(int from, int to);
};

} // namespace dalvex
