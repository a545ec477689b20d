#include "files/sketch_file.h"

#include "calc/ds_system.h"
#include "catalogue/catalogue.h"
#include "io/binary_stream.h"
#include "sketch/door_tiling.h"
#include "sketch/opening_limits.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

namespace dalvex {

namespace {

// Lengths beyond a kilometre cannot come from a real wardrobe; rejecting them keeps every later sum and
// difference of the engine well inside int32.
constexpr int32_t kLengthLimit = 10'000'000;
// Ids stay below this so that the next id, one above the last, still fits.
constexpr int32_t kIdLimit = std::numeric_limits<int32_t>::max();
// The marker byte of the current form of the order card block.
constexpr uint8_t kCardMarker = 2;
// The lowest first byte that no format version will reach: a space, and every printable character above it.
constexpr uint8_t kFirstForeignByte = 0x20;

bool saneLength(int32_t v) {
    return v >= -kLengthLimit && v <= kLengthLimit;
}

bool within(int32_t v, int32_t low, int32_t high) {
    return v >= low && v <= high;
}

// The opening as the editor takes it: a file carrying what no edit could make is damaged, and pricing it
// would give negative or absurd amounts.
bool openingInRange(const SketchFileData& data) {
    return within(data.width, kMinOpeningWidth, kMaxOpeningWidth) &&
           within(data.height, kMinOpeningHeight, kMaxOpeningHeight) &&
           within(data.chipboardWidth, 0, kMaxChipboardWidth) &&
           (data.plinthHeight == 0 || within(data.plinthHeight, kMinPlinthHeight, kMaxPlinthHeight));
}

// Door counts the system offers (the file's options, just read, decide them), the same in the project and the
// sketch; the sketch as wide as the opening; every length that follows from the opening above 0.
bool sketchInRange(const SketchFileData& data, const DSSystem& system) {
    const DoorSketch& sketch = data.sketch;
    const std::vector<int> offered = system.offeredDoorCounts(data.options);
    if (std::find(offered.begin(), offered.end(), data.doorCount) == offered.end() ||
        sketch.doorCount != data.doorCount || sketch.width != data.width || sketch.height < 1 ||
        sketch.doorsTotalWidth < 0)
        return false;
    for (int i = 0; i < sketch.doorCount; ++i)
        if (sketch.doors[i].width < 1 || sketch.doors[i].height < 1) return false;
    return true;
}

bool cardInRange(const OrderCard& card) {
    return within(card.assemblyCost, 0, kMaxExtraCharge) && within(card.deliveryCost, 0, kMaxExtraCharge);
}

std::string codeOf(const DSItem* item) {
    return item ? item->code : std::string();
}

// ----------------------------------------------------------------------------------------------------
// writing

void writeDoor(BinaryWriter& out, const Door& door) {
    out.i32(door.width);
    out.i32(door.height);
    out.i32(door.nextInsertId);
    out.i32(door.nextDividerId);
    out.i32(door.row);
    for (const FrameProfile& side : door.frame) {
        out.i32(side.cutLength);
        out.str(codeOf(side.profile));
    }
    out.u16(static_cast<uint16_t>(door.dividers.size()));
    for (const auto& [id, d] : door.dividers) {
        out.i32(id);
        out.i32(d.cutLength);
        out.i32(d.length);
        out.i32(d.axis);
        out.i32(d.position);
        out.i32(d.vertical);
        out.i32(d.startId);
        out.i32(d.endId);
        out.str(codeOf(d.profile));
    }
    out.u16(static_cast<uint16_t>(door.inserts.size()));
    for (const auto& [id, ins] : door.inserts) {
        out.i32(id);
        out.i32(ins.panelX);
        out.i32(ins.panelY);
        out.i32(ins.panelWidth);
        out.i32(ins.panelHeight);
        out.i32(ins.left);
        out.i32(ins.top);
        out.i32(ins.right);
        out.i32(ins.bottom);
        out.u8(ins.thicknessError ? 1 : 0);
        out.i32(ins.topId);
        out.i32(ins.leftId);
        out.i32(ins.rightId);
        out.i32(ins.bottomId);
        out.u8(ins.scaleByDoors ? 1 : 0);
        out.i32(ins.scaleFirstDoor);
        out.i32(ins.scaleLastDoor);
        out.str(ins.material ? ins.material->collection : std::string());
        out.str(ins.material ? ins.material->key() : std::string());
    }
}

void writeCard(BinaryWriter& out, const OrderCard& card) {
    out.u8(kCardMarker);
    out.str(card.orderNumber);
    out.str(card.customerName);
    out.str(card.address);
    out.str(card.phone);
    out.i64(card.orderDate);
    out.i64(card.readyDate);
    out.i32(card.assemblyCost);
    out.i32(card.deliveryCost);
}

// ----------------------------------------------------------------------------------------------------
// reading

// Reads one door into `door` (a scratch copy). False when the door's data cannot be trusted.
bool readDoor(BinaryReader& in, int version, const Catalogue& catalogue, Door& door) {
    door.width = in.i32();
    door.height = in.i32();
    door.nextInsertId = in.i32();
    door.nextDividerId = in.i32();
    if (version >= 5) door.row = in.i32();
    if (!saneLength(door.width) || !saneLength(door.height)) return false;
    if (door.row != 0 && door.row != 1) return false;
    for (FrameProfile& side : door.frame) {
        side.cutLength = in.i32();
        side.profile = catalogue.findArticle(in.str());
        side.number = 0;
        if (!saneLength(side.cutLength)) return false;
    }

    door.dividers.clear();
    const uint16_t dividerCount = in.u16();
    for (uint16_t k = 0; k < dividerCount && in.ok(); ++k) {
        const int32_t id = in.i32();
        Divider d;
        d.cutLength = in.i32();
        d.length = in.i32();
        d.axis = in.i32();
        d.position = in.i32();
        d.vertical = in.i32();
        d.startId = in.i32();
        d.endId = in.i32();
        const std::string profileCode = in.str();
        d.profile = profileCode.empty() ? nullptr : catalogue.findDividerProfile(profileCode);
        if (!in.ok() || id <= 0 || id >= kIdLimit || door.dividers.count(id) != 0) return false;
        if (d.vertical != 0 && d.vertical != 1) return false;
        if (!saneLength(d.cutLength) || !saneLength(d.length) || !saneLength(d.axis) ||
            !saneLength(d.position))
            return false;
        door.dividers.emplace(id, d);
    }

    door.inserts.clear();
    const uint16_t insertCount = in.u16();
    for (uint16_t k = 0; k < insertCount && in.ok(); ++k) {
        const int32_t id = in.i32();
        Insert ins;
        ins.panelX = in.i32();
        ins.panelY = in.i32();
        ins.panelWidth = in.i32();
        ins.panelHeight = in.i32();
        ins.left = in.i32();
        ins.top = in.i32();
        ins.right = in.i32();
        ins.bottom = in.i32();
        ins.thicknessError = in.u8() != 0;
        ins.topId = in.i32();
        ins.leftId = in.i32();
        ins.rightId = in.i32();
        ins.bottomId = in.i32();
        ins.scaleByDoors = in.u8() != 0;
        ins.scaleFirstDoor = in.i32();
        ins.scaleLastDoor = in.i32();
        const std::string collectionName = in.str();
        const std::string key = in.str();
        if (!collectionName.empty())
            if (const MaterialCollection* c = catalogue.findCollection(collectionName))
                ins.material = c->find(key);
        if (!in.ok() || id <= 0 || id >= kIdLimit || door.inserts.count(id) != 0) return false;
        for (int32_t v : {ins.panelX, ins.panelY, ins.panelWidth, ins.panelHeight, ins.left, ins.top,
                          ins.right, ins.bottom})
            if (!saneLength(v)) return false;
        // A picture range that names no doors is dropped rather than trusted by the drawing.
        if (ins.scaleByDoors && (ins.scaleFirstDoor < 0 || ins.scaleLastDoor >= kMaxDoors ||
                                 ins.scaleFirstDoor > ins.scaleLastDoor)) {
            ins.scaleByDoors = false;
            ins.scaleFirstDoor = ins.scaleLastDoor = 0;
        }
        door.inserts.emplace(id, ins);
    }
    if (!in.ok() || door.inserts.empty()) return false;

    // Every reference must name a divider of this same door.
    auto known = [&door](int32_t ref) { return ref == 0 || door.dividers.count(ref) != 0; };
    for (const auto& [id, d] : door.dividers)
        if (!known(d.startId) || !known(d.endId) || d.startId == id || d.endId == id) return false;
    for (const auto& [id, ins] : door.inserts)
        if (!known(ins.topId) || !known(ins.leftId) || !known(ins.rightId) || !known(ins.bottomId))
            return false;

    // New ids must never collide with the ids read.
    const int32_t lastInsert = door.inserts.rbegin()->first;
    const int32_t lastDivider = door.dividers.empty() ? 0 : door.dividers.rbegin()->first;
    if (door.nextInsertId <= lastInsert) door.nextInsertId = lastInsert + 1;
    if (door.nextDividerId <= lastDivider) door.nextDividerId = lastDivider + 1;

    // An insert that was never laid out carries all four edges as 0; they follow from its sides.
    for (auto& [id, ins] : door.inserts) {
        if (ins.left != 0 || ins.top != 0 || ins.right != 0 || ins.bottom != 0) continue;
        const Divider* right = door.divider(ins.rightId);
        const Divider* bottom = door.divider(ins.bottomId);
        const Divider* left = door.divider(ins.leftId);
        const Divider* top = door.divider(ins.topId);
        ins.left = left ? left->position : 0;
        ins.top = top ? top->position : 0;
        ins.right = right ? right->position : door.width;
        ins.bottom = bottom ? bottom->position : door.height;
    }
    // Each field alone is not enough: the door must be whole, or the engine prices what is not there.
    if (!tilesItself(door)) return false;

    // The next resize must scale the dividers from the size just read, not from the size before the open.
    door.previousWidth = door.width;
    door.previousHeight = door.height;
    return true;
}

// The card block, current form: marker 2, number, name, address, phone, both dates, assembly, delivery.
std::optional<OrderCard> readCurrentCard(BinaryReader in, OrderCard card) {
    if (in.u8() != kCardMarker) return std::nullopt;
    card.orderNumber = in.str();
    card.customerName = in.str();
    card.address = in.str();
    card.phone = in.str();
    card.orderDate = in.i64();
    card.readyDate = in.i64();
    card.assemblyCost = in.i32();
    card.deliveryCost = in.i32();
    if (!in.ok() || in.remaining() != 0) return std::nullopt;
    return card;
}

// The earlier form: number, name, address and both dates; phone and costs keep their values.
std::optional<OrderCard> readEarlierCard(BinaryReader in, OrderCard card) {
    card.orderNumber = in.str();
    card.customerName = in.str();
    card.address = in.str();
    card.orderDate = in.i64();
    card.readyDate = in.i64();
    if (!in.ok() || in.remaining() != 0) return std::nullopt;
    return card;
}

// The marker byte 2 alone cannot tell the forms apart: an earlier-form number of exactly two characters also
// starts with the byte 2 (the low byte of its length). The card is the last block of the file, so each form
// must end exactly at the end of the file; the current form is tried first and the earlier form when it does
// not fit.
std::optional<OrderCard> readCard(const BinaryReader& in, const OrderCard& before) {
    if (auto card = readCurrentCard(in, before)) return card;
    return readEarlierCard(in, before);
}

} // namespace

bool sketchFileCanHold(const DoorSketch& sketch) {
    for (int i = 0; i < sketch.doorCount && i < kMaxDoors; ++i)
        if (sketch.doors[i].inserts.size() > static_cast<std::size_t>(kMaxInserts) ||
            sketch.doors[i].dividers.size() >= static_cast<std::size_t>(kMaxInserts) ||
            !tilesItself(sketch.doors[i]))
            return false;
    return true;
}

std::string writeSketchFile(const SketchFileData& data) {
    BinaryWriter out;
    out.u8(kSketchFormatVersion);
    out.str(codeOf(data.system));
    out.str(codeOf(data.handleProfile));
    out.str(codeOf(data.profileColor));
    out.str(codeOf(data.dividerProfile));
    out.i32(data.width);
    out.i32(data.height);
    out.i32(data.doorCount);
    out.f64(data.discountPercent);
    out.i32(data.chipboardWidth);
    out.i32(data.plinthHeight);

    if (data.system) data.system->writeSettings(out, data.options);

    const DoorSketch& sketch = data.sketch;
    out.i32(sketch.width);
    out.i32(sketch.height);
    out.i32(sketch.doorCount);
    out.i32(sketch.doorsTotalWidth);
    for (int i = 0; i < sketch.doorCount && i < kMaxDoors; ++i)
        writeDoor(out, sketch.doors[i]);

    writeCard(out, data.card);
    return out.bytes();
}

std::string sketchOpenMessage(SketchFileResult result, std::string_view shownPath) {
    if (result == kSketchNewerVersion) return std::string(kNewerSketchVersionMessage);
    std::string text = "Ошибка открытия файла";
    if (!shownPath.empty()) text.append(" ").append(shownPath);
    if (result == kSketchNotASketch) text += ": файл не является файлом эскиза.";
    return text;
}

SketchFileResult readSketchFile(const Catalogue& catalogue, std::string_view bytes, SketchFileData& data) {
    BinaryReader in(bytes);

    const uint8_t version = in.u8();
    if (!in.ok() || version == 0) return kSketchCannotOpen;
    // Format versions grow by one; a first byte from a space on is a text (a .txt renamed), a picture's or
    // an archive's mark, never a version of ours.
    if (version >= kFirstForeignByte) return kSketchNotASketch;
    if (version > kSketchFormatVersion) return kSketchNewerVersion;
    const DSSystem* system = catalogue.findSystem(in.str());
    if (!in.ok()) return kSketchCannotOpen;
    if (!system) return kSketchUnknownSystem;

    data.system = system;
    data.handleProfile = catalogue.findHandleProfile(in.str());
    data.profileColor = catalogue.findColor(in.str());
    data.dividerProfile = catalogue.findDividerProfile(in.str());
    data.width = in.i32();
    data.height = in.i32();
    data.doorCount = in.i32();
    data.discountPercent = in.f64();
    if (version >= 2) {
        data.chipboardWidth = in.i32();
        data.plinthHeight = in.i32();
    }
    const double discount = data.discountPercent;
    if (!in.ok() || data.doorCount < 1 || data.doorCount > kMaxDoors || !std::isfinite(discount) ||
        discount < 0.0 || discount > 100.0)
        return kSketchCannotOpen;
    if (!openingInRange(data)) return kSketchCannotOpen;

    system->readSettings(in, version, data.options);

    DoorSketch& sketch = data.sketch;
    sketch.previousWidth = sketch.previousHeight = sketch.previousDoorCount = 0;
    sketch.doorsTotalWidth = 0;
    sketch.width = in.i32();
    sketch.height = in.i32();
    sketch.doorCount = in.i32();
    if (version >= 5) sketch.doorsTotalWidth = in.i32();
    bool good = in.ok() && sketch.doorCount >= 1 && sketch.doorCount <= kMaxDoors &&
                saneLength(sketch.width) && saneLength(sketch.height) && saneLength(sketch.doorsTotalWidth);
    for (int i = 0; good && i < sketch.doorCount; ++i)
        good = readDoor(in, version, catalogue, sketch.doors[i]);

    std::optional<OrderCard> card;
    if (good && sketchInRange(data, *system)) card = readCard(in, data.card);
    if (!card || !cardInRange(*card)) return kSketchCannotOpen;
    data.card = *card;

    // Everything was read.
    sketch.previousWidth = sketch.width;
    sketch.previousHeight = sketch.height;
    sketch.previousDoorCount = sketch.doorCount;
    sketch.handleProfile = data.handleProfile;
    return kSketchOk;
}

} // namespace dalvex
