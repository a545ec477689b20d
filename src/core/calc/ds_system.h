#pragma once
// The calculator of one profile system. It knows the system's handle profiles, divider profiles and articles,
// turns the Project's dimensions and options into door sizes, cut lengths and panels (the geometry), and
// turns a finished sketch into the bill of materials. Calculators keep no state of any order: what they
// compute is written into the DoorSketch or the CalcResult, and the options an order chose come with each
// call.
#include "calc/calc_result.h"
#include "calc/order_options.h"
#include "calc/system_kind.h"
#include "records/article_lookup.h"
#include "records/records.h"
#include "sketch/door_sketch.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex {

class BinaryReader;
class BinaryWriter;

// Ratios of the door widths to the total, saved before a resize and restored after it.
using DoorProportions = std::array<double, 10>;

// The options of its own a system offers, besides the edge profiles and the roller set.
enum class OwnOptions {
    None,
    Pivot,        // Борвик: pivot fittings instead of sliding, and the height offset without them
    Mounting,     // Фелдор: the doors inside the opening or in front of it
    RailProfiles, // Герлит: the running and the guide profile
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
    SystemKind systemKind;
    int32_t maxDoors = 10;
    bool singleRow = false;
    // Where rule articles that the system's own list lacks are looked up by code; set by the Catalogue.
    const ArticleLookup* lookup = nullptr;

    // --- Operations every system has; overridden where a system differs. A calculator is shared by every
    // order: it changes nothing of its own, and what an order chose comes in its OrderOptions. ---
    // Takes the articles the system's rules name, once the records are built.
    virtual void bindRuleArticles() {}
    // The options an order starts with for this system.
    virtual SystemOptions defaultOptions() const;
    OwnOptions ownOptions() const;
    // This system's part of an order's options.
    const SystemOptions& own(const OrderOptions& options) const { return options.of(systemKind); }
    SystemOptions& own(OrderOptions& options) const { return options.of(systemKind); }

    virtual int handleProfileCount(const OrderOptions& options) const;
    virtual std::vector<HandleProfile*> handleProfiles(const OrderOptions& options) const;
    virtual void recompute(DoorSketch& sketch, const OrderOptions& options, bool keepDoorWidths) const = 0;
    virtual void collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                         const ProfileColor* color) const = 0;
    virtual void setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                                 int32_t plinthHeight) const;
    virtual int maxDoorCount(const OrderOptions& options) const;
    virtual bool isSingleRow(const OrderOptions& options) const;
    // The door counts the top panel's list offers, in increasing order.
    virtual std::vector<int> offeredDoorCounts(const OrderOptions& options) const;
    // The rows of the doors; may switch an option off that the door count rules out (Борвик's pivot).
    virtual void assignRows(DoorSketch& sketch, OrderOptions& options) const;
    // The system's part of a sketch file: its options, read over those the order has (what an earlier
    // version does not store keeps its value).
    virtual void writeSettings(BinaryWriter& out, const OrderOptions& options) const;
    virtual void readSettings(BinaryReader& in, int version, OrderOptions& options) const;
    virtual int clampDoorCount(int n, const OrderOptions& options) const;
    virtual int32_t minPlinthHeight() const;
    virtual void applyDoorSize(DoorSketch& sketch, int32_t height, int32_t width) const;
    virtual void assignFrameProfiles(DoorSketch& sketch, const Article* top, const Article* bottom) const;
    virtual void computeDividerCutLengths(DoorSketch& sketch) const;
    virtual void computePanels(DoorSketch& sketch) const;
    virtual void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) const;
    virtual bool saveDoorProportions(const DoorSketch& sketch,
                                     DoorProportions& ratios) const; // true: not saved
    virtual void restoreDoorProportions(DoorSketch& sketch, const DoorProportions& ratios) const;
    virtual void collectFillings(DoorSketch& sketch, CalcResult& result) const;
    virtual bool rollerSetFits(const DoorSketch& sketch, const RollerSet* set) const;
    virtual int32_t rollerSetQuantity(int32_t doorCount, const RollerSet* set) const;
    // Герлит's running and guide profile buttons; other systems have none.
    virtual void toggleRunningProfile(OrderOptions&) const {}
    virtual void toggleGuideProfile(OrderOptions&) const {}

    // An article a rule of this system names: from the system's own list, else from the records by code
    // (a roller price list can keep built-in sets out of the list). Null only when neither holds it.
    const Article* ruleArticle(std::string_view wanted) const;
    const RollerSet* ruleRollerSet(std::string_view wanted) const;

protected:
    // --- Line builders shared by every collector. ---
    // Pieces in cutting order; kinds 0, 3 and 5 are bought in whole bars (next-fit packing), the rest by
    // length.
    ArticleLine barLine(const Article* article, const std::vector<int32_t>& pieces, const ProfileColor* color,
                        const OrderOptions& options) const;
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
    void emitRollerSet(const DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                       const RollerSet* fallback, int32_t fallbackQuantity = -1) const;

    // --- Collector steps shared by several systems. ---
    // The profile steps price whole bars in the lengths the order chose.
    void collectHandlePieces(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                             const ProfileColor* color, bool plain) const;
    void collectHorizontals(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                            const ProfileColor* color) const;
    void collectDividers(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                         const ProfileColor* color) const;
    void collectDividersByProfile(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                                  const ProfileColor* color, bool withEdges) const;
    void collectStandardRails(DoorSketch& sketch, CalcResult& result,
                              const ProfileColor* color) const; // JB03/JB02, JB06/JB05
    void collectBrushAndStopper(DoorSketch& sketch, CalcResult& result, const ProfileColor* brushColor,
                                bool stopper) const;
    void collectGlassStrips(DoorSketch& sketch, CalcResult& result, bool tenMillimetreStrip) const;
    void collectPerimeterStrip(DoorSketch& sketch, CalcResult& result,
                               std::string_view wanted) const; // 4 mm fillings
    void collectFrontBackVerticals(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                                   const ProfileColor* color) const;
    void collectFillingsWithSeal(DoorSketch& sketch,
                                 CalcResult& result) const; // the seal variant (Borvik, Feldor)

    // --- Geometry shared by the systems. ---
    // The door sizes of the standard skeleton (unless keepDoorWidths): proportions saved, every door set to
    // the given size, doorsTotalWidth = doorCount x width (or totalWidth when that is not negative),
    // proportions restored. The frames, divider cut lengths and panels follow in each system's recompute.
    void recomputeDoors(DoorSketch& sketch, bool keepDoorWidths, int32_t doorWidth, int32_t doorHeight,
                        int32_t totalWidth = -1) const;
    // Divider cut lengths and panels: the steps every framed system ends its recompute with.
    void finishGeometry(DoorSketch& sketch) const;
    // The handle profile (all dimensions 0 without one) and the number of doors in use (0..10).
    static const Article& handleOf(const DoorSketch& sketch);
    static int32_t doorsOf(const DoorSketch& sketch);
    // Frame sides of every door: handle profile left and right (door height), top and bottom with cut length
    // door width + topBottomAdjust (only when the sketch has a handle profile).
    void putFrames(DoorSketch& sketch, const Article* top, const Article* bottom,
                   int64_t topBottomAdjust) const;

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
