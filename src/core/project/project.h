#pragma once
// The order being designed: the chosen system, handle profile, colour and divider profile, the dimensions,
// the options, the door sketch, the customer card and the result of the last calculation. Every change
// operation validates its argument (refusing silently what is out of range), changes the model and
// recalculates. The catalogue is only read: any number of Projects share one.
//
// The change operations ask for an EditPass, which only ProjectEditor makes and hands to its job files: a
// change made anywhere else would bypass the history and the listener, so it does not compile.
#include "calc/calc_result.h"
#include "cutting/cutting_settings.h"
#include "files/sketch_file.h"
#include "records/order_card.h"
#include "sketch/door_sketch.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace dalvex {

class Catalogue;
class DSSystem;
struct DividerProfile;
struct HandleProfile;
struct ProfileColor;

class ProjectEditor;

class EditPass {
    EditPass() = default;
    friend class Project;
    friend class ProjectEditor;
};

class Project {
public:
    // Builds the default project: the first system with its first handle profile, colour and divider profile,
    // three doors on a 3000 x 2000 mm opening, calculated. `configFolder` holds the order number counter;
    // `settings` hold for the project's whole life, its first calculation included.
    Project(const Catalogue& catalogue, std::filesystem::path configFolder, CuttingSettings settings = {});
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    const Catalogue& catalogue() const { return *catalogue_; }
    const std::filesystem::path& configFolder() const { return configFolder_; }

    OrderCard orderCard;
    // The number the card was offered when it was reset; empty once the order took it, and for an order
    // opened from a file, whose number is its own.
    std::string offeredOrderNumber;
    CalcResult result;
    const DSSystem* calculator = nullptr;
    const HandleProfile* handleProfile = nullptr;
    const ProfileColor* profileColor = nullptr;
    const DividerProfile* dividerProfile = nullptr;
    DoorSketch sketch;
    int32_t width = 30000;  // accepted 1000..1000000
    int32_t height = 20000; // accepted 1000..100000
    int32_t doorCount = 3;
    double discountPercent = 0.0;
    int32_t chipboardWidth = 160; // accepted 0..1000
    int32_t plinthHeight = 540;   // accepted 540..20000 and not above height
    OrderOptions options;         // every system's options and the handle profiles' bar lengths
    CuttingSettings cutting;      // applied to the result after every calculation

    void recalculate(EditPass, bool keepDoorWidths);
    void newOrderCard(EditPass); // the next number from the counter, offered; empty texts, dates now
    void offerNextOrderNumber(EditPass); // the card shows the counter's next number, offered; the rest stays

    bool setWidth(EditPass, int32_t w); // each setter: true when the value was taken
    bool setHeight(EditPass, int32_t h);
    bool setDoorCount(EditPass, int32_t n);
    bool setChipboardWidth(EditPass, int32_t c);
    bool setPlinthHeight(EditPass, int32_t p);
    void setHandleProfile(EditPass, const HandleProfile* h);
    void selectSystem(EditPass, const DSSystem* s);
    void setProfileColor(EditPass, const ProfileColor* c);
    void setDividerProfile(EditPass, const DividerProfile* d);
    void rebuildSketch(EditPass);
    // Sets the discount of the project and of the result (0..100; anything else is refused).
    bool setDiscountPercent(EditPass, double percent);
    // The system option toggles of the top panel: Feldor's inside mounting (changes the handle list), and the
    // edge profiles of the systems that offer them (keeps the door widths).
    void toggleMountInside(EditPass);
    void toggleEdgeProfiles(EditPass);

    // Sketch files: 0 success; 1 cannot open/write; 2 system not found; 3 newer format. Open leaves the
    // project exactly as it was on any failure.
    SketchFileResult save(const std::filesystem::path& path) const;
    SketchFileResult open(EditPass, const std::filesystem::path& path);
    // The same for a file's bytes (a file sent as a link, a file the browser keeps).
    SketchFileResult openBytes(EditPass, std::string_view bytes);

    // Order totals in kopecks.
    int32_t itemsTotal() const;
    int32_t discountAmount() const;
    int32_t grandTotal() const;
    std::string grandTotalText() const;

private:
    void mountingChanged(EditPass pass);
    void selectDefaultHandleProfile();
    void selectDefaultColor();
    void selectDefaultDividerProfile();
    // The calculator's rule for the sketch height from height, chipboard width and plinth height.
    void applySketchHeight();
    // After a collect: the cutting settings, the check of the amounts, the warning of a door too narrow or
    // too wide on the first article line, and the per-door listing.
    void finishResult();

    const Catalogue* catalogue_;
    std::filesystem::path configFolder_;
};

// The per-door listing of `result`: each door in use in turn, its profiles, then its inserts.
std::vector<DoorLine> doorLinesOf(const CalcResult& result, const DoorSketch& sketch, int32_t doorCount);

} // namespace dalvex
