#pragma once
// Helpers of the bill-of-materials tests: a Catalogue built from a temporary program folder, sketches split
// with the sketch model's own operation, test materials, and comparisons that name every field that differs.
#include "calc/systems.h"
#include "catalogue/catalogue.h"
#include "io/atomic_file.h"
#include "sketch/sketch_units.h"
#include "temp_folder.h"
#include "text/encoding.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace dalvex::systems_test {

// A program folder of its own, removed at the end of the test.
class TempFolder : public testing::TempFolder {
public:
    // Writes a data file of the program folder in the Windows-1251 code page.
    void write(const std::filesystem::path& relative, std::string_view utf8) const {
        std::filesystem::create_directories((path() / relative).parent_path());
        ASSERT_TRUE(writeFileAtomically(path() / relative, utf8ToCp1251(utf8)));
    }
};

// A Catalogue without price lists (every amount 0) or with the given profiles/price.csv, and the options of
// an order on it.
struct CatalogueFixture {
    TempFolder folder;
    std::unique_ptr<Catalogue> catalogue;
    OrderOptions options;

    explicit CatalogueFixture(std::string_view priceList = {}) {
        if (!priceList.empty()) folder.write("profiles/price.csv", priceList);
        catalogue = std::make_unique<Catalogue>(folder.path());
        options = catalogue->defaultOptions();
    }
    const DSSystem& system(std::string_view name) const {
        const DSSystem* s = catalogue->findSystem(name);
        EXPECT_NE(s, nullptr) << name;
        return *s;
    }
};

// Wenlor is not among the Catalogue's systems: built from the factory with the Catalogue's JW records.
inline std::unique_ptr<DSSystem> makeWenlor(Catalogue& catalogue) {
    auto wenlor = createSystem(9, "Венлор", 0);
    wenlor->lookup = &catalogue;
    wenlor->addHandleProfile(catalogue.findHandleProfile("JW03"));
    wenlor->addDividerProfile(catalogue.findDividerProfile("JW05"));
    for (const char* code : {"JW01", "JW02", "JW04", "JW06", "JW07", "JBW2", "JBW3", "JW10"})
        wenlor->addArticle(catalogue.findArticle(code));
    return wenlor;
}

inline Material material(std::string code, std::string name, std::string picture, int32_t thickness,
                         int32_t pricePerSquareMetre) {
    Material m;
    m.collection = "Тест";
    m.code = std::move(code);
    m.name = std::move(name);
    m.picturePath = "materials\\Тест\\images\\" + picture;
    m.thickness = thickness;
    m.pricePerSquareMetre = pricePerSquareMetre;
    return m;
}

// Splits the insert under the point (door coordinates) with a divider through it, on the divider grid.
inline const Divider* split(Door& door, int x, int y, const DividerProfile* profile, bool vertical) {
    const Divider* d = nullptr;
    for (const auto& [id, ins] : door.inserts)
        if (ins.left <= x && x < ins.right && ins.top <= y && y < ins.bottom) {
            d = door.splitInsert(id, sketch::roundToDividerGrid(vertical ? x : y), profile, vertical);
            break;
        }
    EXPECT_NE(d, nullptr) << "split at " << x << ", " << y;
    return d;
}

// What the Project does after an edit: geometry, numbering, bill of materials.
inline void calculate(const DSSystem& system, const OrderOptions& options, DoorSketch& sketch,
                      CalcResult& result, const ProfileColor* color, bool keepDoorWidths = true) {
    system.recompute(sketch, options, keepDoorWidths);
    sketch.numberItems();
    system.collect(sketch, options, result, color);
}

// A new sketch for the system, its doors sized by a first recompute.
inline DoorSketch newSketch(const DSSystem& system, OrderOptions& options, int32_t width, int32_t height,
                            int32_t doors, const HandleProfile* handle) {
    DoorSketch sketch(width, height, doors, handle, system.isSingleRow(options));
    system.assignRows(sketch, options);
    system.recompute(sketch, options, false);
    return sketch;
}

inline void expectArticles(const std::vector<ArticleLine>& actual, const std::vector<ArticleLine>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("article line " + std::to_string(i) + " " + expected[i].code);
        EXPECT_EQ(actual[i].code, expected[i].code);
        EXPECT_EQ(actual[i].name, expected[i].name);
        EXPECT_EQ(actual[i].barLength, expected[i].barLength);
        EXPECT_EQ(actual[i].quantity, expected[i].quantity);
        EXPECT_EQ(actual[i].amount, expected[i].amount);
        EXPECT_EQ(actual[i].error, expected[i].error);
        EXPECT_EQ(actual[i].wholeBars, expected[i].wholeBars);
    }
}

inline void expectMaterials(const std::vector<MaterialLine>& actual,
                            const std::vector<MaterialLine>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("material line " + std::to_string(i) + " " + expected[i].name);
        EXPECT_EQ(actual[i].name, expected[i].name);
        EXPECT_EQ(actual[i].description, expected[i].description);
        EXPECT_EQ(actual[i].thickness, expected[i].thickness);
        EXPECT_NEAR(actual[i].area, expected[i].area, 1e-9);
        EXPECT_EQ(actual[i].amount, expected[i].amount);
        EXPECT_EQ(actual[i].error, expected[i].error);
    }
}

inline void expectCuts(const std::vector<CutLine>& actual, const std::vector<CutLine>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("cut line " + std::to_string(i) + " " + expected[i].label + " " + expected[i].code);
        EXPECT_EQ(actual[i].label, expected[i].label);
        EXPECT_EQ(actual[i].code, expected[i].code);
        EXPECT_EQ(actual[i].name, expected[i].name);
        EXPECT_EQ(actual[i].length, expected[i].length);
        EXPECT_EQ(actual[i].number, expected[i].number);
        EXPECT_EQ(actual[i].doorIndex, expected[i].doorIndex);
    }
}

inline void expectPanels(const std::vector<PanelLine>& actual, const std::vector<PanelLine>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("panel line " + std::to_string(i) + " " + expected[i].label);
        EXPECT_EQ(actual[i].label, expected[i].label);
        EXPECT_EQ(actual[i].materialName, expected[i].materialName);
        EXPECT_EQ(actual[i].materialDescription, expected[i].materialDescription);
        EXPECT_EQ(actual[i].height, expected[i].height);
        EXPECT_EQ(actual[i].width, expected[i].width);
        EXPECT_EQ(actual[i].number, expected[i].number);
        EXPECT_EQ(actual[i].doorIndex, expected[i].doorIndex);
    }
}

// The three fillings most projects use: 16 mm chipboard, 4 mm mirror and 10 mm glass.
struct Fillings {
    Material chipboard = material("ДСП-16", "ДСП белое", "white.jpg", 160, 100000);
    Material mirror = material("ЗЕР-4", "Зеркало серебро", "mirror.jpg", 40, 200000);
    Material glass = material("СТ-10", "Стекло 10 мм", "glass10.jpg", 100, 300000);
};

// The layout most projects use, on three or more doors: door 0 split by a horizontal divider at 1000 mm
// (chipboard above, mirror below); door 1 split by a vertical divider at 500 mm (10 mm glass on the left) and
// its right part by a horizontal divider at 1200 mm (mirror above, chipboard below); door 2 left without
// material.
inline void standardLayout(DoorSketch& sketch, const DividerProfile* first, const DividerProfile* second,
                           const Fillings& f) {
    Door& d0 = sketch.doors[0];
    split(d0, 100, 10000, first, false);
    d0.inserts[1].material = &f.chipboard;
    d0.inserts[2].material = &f.mirror;
    Door& d1 = sketch.doors[1];
    split(d1, 5000, 100, second, true);
    split(d1, 7000, 12000, second, false);
    d1.inserts[1].material = &f.glass;
    d1.inserts[2].material = &f.mirror;
    d1.inserts[3].material = &f.chipboard;
}

} // namespace dalvex::systems_test
