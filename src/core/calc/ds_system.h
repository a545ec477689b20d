#pragma once
// The calculator of one profile system. It knows the system's handle profiles, divider profiles and articles,
// holds the system's options, turns the Project's dimensions into door sizes, cut lengths and panels (the
// geometry), and turns a finished sketch into the bill of materials. Calculators keep no per-calculation
// state: everything they compute is written into the DoorSketch or the CalcResult.
#include "calc/calc_result.h"
#include "records/article_lookup.h"
#include "records/records.h"
#include "sketch/door_sketch.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex {

class BinaryReader;
class BinaryWriter;

// Which of the ten systems a calculator is; the geometry and the collectors test it.
enum SystemKind : int32_t {
    kSystemLantes = 0,
    kSystemDalvex = 1,
    kSystemBorvik = 2,
    kSystemWenlor = 3,
    kSystemSenfil = 4,
    kSystemGerlit = 5,
    kSystemFeldor = 6,
    kSystemQuorin = 7,
    kSystemZerkan = 8,
    kSystemNordel = 9,
};

// Ratios of the door widths to the total, saved before a resize and restored after it.
using DoorProportions = std::array<double, 10>;

// The options a system offers beyond the ones every system has (edge profiles, roller set), as the panels
// and the command-line tool show and set them. A system leaves empty what it does not offer.
struct SystemOptions {
    std::optional<bool> mountInside;     // Фелдор: the doors stand inside the opening
    std::optional<bool> pivot;           // Борвик: pivot fittings instead of sliding
    std::optional<int32_t> heightOffset; // Борвик: door height relative to the opening, whole millimetres
    const Article* runningProfile = nullptr; // Герлит: JG01 or JG02
    const Article* guideProfile = nullptr;   // Герлит: JG03 or JG04

    bool operator==(const SystemOptions&) const = default;
};

class DSSystem : public SystemRecord {
public:
    DSSystem(int32_t index, std::string displayName, int32_t imageId, SystemKind kind, bool usesPlinth,
             bool offersEdgeProfiles);
    DSSystem(const DSSystem&) = delete;
    DSSystem& operator=(const DSSystem&) = delete;
    virtual ~DSSystem() = default;

    bool usesPlinth = false;
    bool offersEdgeProfiles = false;
    uint8_t noEdgeProfiles = 0;
    SystemKind systemKind;
    int32_t maxDoors = 10;
    bool singleRow = false;
    // Where rule articles that the system's own list lacks are looked up by code; set by the Catalogue.
    const ArticleLookup* lookup = nullptr;

    // --- Operations every system has; overridden where a system differs. ---
    // Takes the articles the system's options start with, once the records are built.
    virtual void bindRuleArticles() {}
    virtual int handleProfileCount() const;
    virtual std::vector<HandleProfile*> handleProfiles() const;
    virtual void recompute(DoorSketch& sketch, bool keepDoorWidths) = 0;
    virtual void collect(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) = 0;
    virtual void setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                                 int32_t plinthHeight);
    virtual int maxDoorCount() const;
    virtual bool isSingleRow() const;
    // The door counts the top panel's list offers, in increasing order.
    virtual std::vector<int> offeredDoorCounts() const;
    virtual void assignRows(DoorSketch& sketch);
    virtual void writeSettings(BinaryWriter& out) const;
    virtual void readSettings(BinaryReader& in, int version);
    virtual int clampDoorCount(int n) const;
    virtual int32_t minPlinthHeight() const;
    virtual void applyDoorSize(DoorSketch& sketch, int32_t height, int32_t width);
    virtual void assignFrameProfiles(DoorSketch& sketch, const Article* top, const Article* bottom);
    virtual void computeDividerCutLengths(DoorSketch& sketch);
    virtual void computePanels(DoorSketch& sketch);
    virtual void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset);
    virtual bool saveDoorProportions(const DoorSketch& sketch, DoorProportions& ratios); // true: not saved
    virtual void restoreDoorProportions(DoorSketch& sketch, const DoorProportions& ratios);
    virtual void collectFillings(DoorSketch& sketch, CalcResult& result);
    virtual bool rollerSetFits(const DoorSketch& sketch, const RollerSet* set) const;
    virtual int32_t rollerSetQuantity(int32_t doorCount, const RollerSet* set) const;
    // The system's own options; setOptions takes those the system offers and ignores the rest.
    virtual SystemOptions options() const { return {}; }
    virtual void setOptions(const SystemOptions&) {}
    // Герлит's running and guide profile buttons; other systems have none.
    virtual void toggleRunningProfile() {}
    virtual void toggleGuideProfile() {}

    // An article a rule of this system names: from the system's own list, else from the records by code
    // (a roller price list can keep built-in sets out of the list). Null only when neither holds it.
    const Article* ruleArticle(std::string_view wanted) const;
    const RollerSet* ruleRollerSet(std::string_view wanted) const;

protected:
    // --- Line builders shared by every collector. ---
    // Pieces in cutting order; kinds 0, 3 and 5 are bought in whole bars (next-fit packing), the rest by
    // length.
    ArticleLine barLine(const Article* article, const std::vector<int32_t>& pieces,
                        const ProfileColor* color) const;
    ArticleLine lengthLine(const Article* article, int32_t length, const ProfileColor* color) const;
    ArticleLine pieceLine(const Article* article, int32_t count) const; // at the standard price, whole pieces
    // The one cut line of an article that spans the opening ("%0.1f" of length / 10), or that is bought by
    // count
    // ("%d" of count): label (group, 0), number "0", door -1; the profile group counter then increases.
    void addLengthCut(CalcResult& result, const ArticleLine& line, int32_t length) const;
    void addCountCut(CalcResult& result, const ArticleLine& line, int32_t count) const;
    // Appends the line and its single length or count cut line.
    void emitLength(CalcResult& result, const Article* article, int32_t length,
                    const ProfileColor* color) const;
    void emitPieces(CalcResult& result, const Article* article, int32_t count) const;
    // The system's roller set: the chosen one (with the fit check and its message) or `fallback`, whose
    // quantity is `fallbackQuantity` (or rollerSetQuantity when negative); the line and its count cut line
    // are appended.
    void emitRollerSet(const DoorSketch& sketch, CalcResult& result, const RollerSet* fallback,
                       int32_t fallbackQuantity = -1) const;

    // --- Collector steps shared by several systems. ---
    void collectHandlePieces(DoorSketch& sketch, CalcResult& result, const ProfileColor* color, bool plain);
    void collectHorizontals(DoorSketch& sketch, CalcResult& result, const ProfileColor* color);
    void collectDividers(DoorSketch& sketch, CalcResult& result, const ProfileColor* color);
    void collectDividersByProfile(DoorSketch& sketch, CalcResult& result, const ProfileColor* color,
                                  bool withEdges);
    void collectStandardRails(DoorSketch& sketch, CalcResult& result,
                              const ProfileColor* color); // JB03/JB02, JB06/JB05
    void collectBrushAndStopper(DoorSketch& sketch, CalcResult& result, const ProfileColor* brushColor,
                                bool stopper);
    void collectGlassStrips(DoorSketch& sketch, CalcResult& result, bool tenMillimetreStrip);
    void collectPerimeterStrip(DoorSketch& sketch, CalcResult& result,
                               std::string_view wanted); // 4 mm fillings
    void collectFrontBackVerticals(DoorSketch& sketch, CalcResult& result, const ProfileColor* color);
    void collectFillingsWithSeal(DoorSketch& sketch, CalcResult& result); // the seal variant (Borvik, Feldor)

    // --- Geometry shared by the systems. ---
    // The door sizes of the standard skeleton (unless keepDoorWidths): proportions saved, every door set to
    // the given size, doorsTotalWidth = doorCount x width (or totalWidth when that is not negative),
    // proportions restored. The frames, divider cut lengths and panels follow in each system's recompute.
    void recomputeDoors(DoorSketch& sketch, bool keepDoorWidths, int32_t doorWidth, int32_t doorHeight,
                        int32_t totalWidth = -1);
    // Divider cut lengths and panels: the steps every framed system ends its recompute with.
    void finishGeometry(DoorSketch& sketch);
    // The handle profile (all dimensions 0 without one) and the number of doors in use (0..10).
    static const Article& handleOf(const DoorSketch& sketch);
    static int32_t doorsOf(const DoorSketch& sketch);
    // Frame sides of every door: handle profile left and right (door height), top and bottom with cut length
    // door width + topBottomAdjust (only when the sketch has a handle profile).
    void putFrames(DoorSketch& sketch, const Article* top, const Article* bottom, int64_t topBottomAdjust);

    // A missing profile counts as one whose dimensions are all 0.
    static const Article& orNone(const Article* a);
    // The handle profile of door 0's left side (the one the roller check and several rules read).
    static const HandleProfile* sketchHandle(const DoorSketch& sketch);
    // Every insert of the first doorCount doors, in door and id order.
    template <class F> static void forEachInsert(DoorSketch& sketch, F&& f);
};

template <class F> void DSSystem::forEachInsert(DoorSketch& sketch, F&& f) {
    for (int k = 0; k < sketch.doorCount && k < kMaxDoors; ++k)
        for (auto& [id, insert] : sketch.doors[k].inserts)
            f(sketch.doors[k], insert);
}

// Builds the calculator for one of the ten display names; null for any other name.
std::unique_ptr<DSSystem> createSystem(int32_t index, std::string_view displayName, int32_t imageId);

} // namespace dalvex
