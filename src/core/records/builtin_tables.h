#pragma once
// The product knowledge compiled into the program, as plain rows. The record store turns the rows into
// records in one loop per table; the order of every table is the index order of its records.
#include <cstdint>
#include <string_view>
#include <vector>

namespace dalvex::builtin {

struct SystemRow {
    std::string_view displayName;
    int32_t imageId;
    std::vector<std::string_view> handleProfiles;
    std::vector<std::string_view> dividerProfiles;
    std::vector<std::string_view> articles;
    std::vector<std::string_view> rollerSets; // appended only when the roller price list configured none
};

struct HandleProfileRow {
    std::string_view code;
    int32_t imageId;
    std::string_view name;
    int32_t faceWidth, joinDeduction, fillingInset, barLength1, barLength2;
    int32_t asymmetric;
};

struct DividerProfileRow {
    std::string_view code;
    int32_t imageId;
    std::string_view name;
    int32_t faceWidth, joinDeduction, fillingInset, barLength1, barLength2;
    int32_t crossDeduction, crossDeduction2, dividerKind, flag;
};

// The roller fields apply to kind 6 only.
struct ArticleRow {
    std::string_view code;
    int32_t kind;
    std::string_view name;
    int32_t faceWidth, joinDeduction, fillingInset, barLength1;
    int32_t symmetry, perWardrobe, doorsPerSet;
};

struct ColorRow {
    std::string_view name;
    int32_t imageId;
    uint8_t red, green, blue;
};

// Colour indexes into colorRows(); stock colours first, then the made-to-order ones.
struct HandleColorsRow {
    std::string_view handleProfile;
    std::vector<int> inStock;
    std::vector<int> madeToOrder;
};

const std::vector<SystemRow>& systemRows();
const std::vector<HandleProfileRow>& handleProfileRows();
const std::vector<DividerProfileRow>& dividerProfileRows();
const std::vector<ArticleRow>& articleRows();
const std::vector<ColorRow>& colorRows();
const std::vector<HandleColorsRow>& handleColorsRows();

} // namespace dalvex::builtin
