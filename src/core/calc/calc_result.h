#pragma once
// The bill of materials of one calculation: what to buy, what to cut, and the checks the design violates.
#include <cstdint>
#include <string>
#include <vector>

namespace dalvex {

struct Material;

// How the cutting plan names a piece that has no cut line of its own (an edge profile of a door).
struct PieceTag {
    std::string label; // empty: the piece takes a cut line's label
    int32_t doorIndex = -1;
};

struct ArticleLine {
    std::string code;
    std::string name;
    int32_t barLength = 0; // stock bar length when bought in whole bars, else 0
    int32_t quantity = 0;  // bars or pieces when wholeBars, else a total length in 0.1 mm
    int32_t amount = 0;    // kopecks
    std::string error;     // empty when the line is in order
    int32_t wholeBars = 0;
    std::vector<int32_t> pieces{};     // the profile pieces billed, in cutting order (whole bars: as packed)
    int32_t pieceBar = 0;              // bought by length: the stock bar the pieces are cut from
    std::vector<PieceTag> pieceTags{}; // pieces without a cut line of their own, by piece index
    // A design the maker cannot build, though priced: shown with the line; the total stays.
    std::string warning{};
};

struct MaterialLine {
    std::string name;        // the material's code
    std::string description; // the material's name (with " (key)" for materials from a picture sub-folder)
    int32_t thickness = 0;
    double area = 0.0;  // m2
    int32_t amount = 0; // price per m2 while summing, the amount afterwards
    std::string error;
};

struct CutLine {
    std::string label; // "%d-%d": article group, piece index
    std::string code;
    std::string name;
    std::string length;
    std::string number;
    int32_t doorIndex = -1; // -1: belongs to the whole opening
};

struct PanelLine {
    std::string label; // "%d-%d": material group, panel index
    std::string materialName;
    std::string materialDescription;
    std::string height;
    std::string width;
    std::string number;
    int32_t doorIndex = 0;
    // For the sheet cutting plan: the panel's material, its material line and its size as billed (0.1 mm).
    const Material* material = nullptr;
    int32_t materialLine = -1;
    int32_t cutHeight = 0;
    int32_t cutWidth = 0;
};

struct DoorLine {
    std::string doorNumber;
    std::string kind; // "Профиль" or "Вставка"
    std::string code;
    std::string name;
    std::string number;
};

struct CalcResult {
    std::vector<ArticleLine> articleLines;
    std::vector<MaterialLine> materialLines;
    std::vector<CutLine> cutLines;
    std::vector<PanelLine> panelLines;
    std::vector<DoorLine> doorLines;
    // The items total is a cache: summed on first use after the lines changed (totalsDirty).
    mutable bool totalsDirty = true;
    mutable int32_t itemsTotal = 0;
    double discountPercent = 0.0;
    // Group counters: the first number of cut line labels and of panel line labels.
    int32_t profileGroup = 1;
    int32_t materialGroup = 1;

    // Empties the five lists, marks the totals dirty and resets both group counters; keeps discountPercent.
    void clear();
    // Sum of the article lines, then (only when above 0) of the material lines; 0 at the first line with an
    // error. Stores it in itemsTotal and clears totalsDirty.
    void computeItemsTotal() const;
};

} // namespace dalvex
