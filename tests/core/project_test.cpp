#include "project/project_editor.h"
#include "project_test_support.h"

#include <cmath>
#include <fstream>
#include <functional>
#include <limits>

namespace dalvex {
namespace {

using testing::ProjectTest;

TEST_F(ProjectTest, FreshProjectDefaults) {
    const Project& p = *project_;
    ASSERT_FALSE(catalogue_->systems().empty());
    ASSERT_EQ(p.calculator, catalogue_->systems().front());
    EXPECT_EQ(p.calculator->code, "Борвик");
    ASSERT_NE(p.handleProfile, nullptr);
    EXPECT_EQ(p.handleProfile, p.calculator->handleProfiles(p.options).front());
    ASSERT_FALSE(p.handleProfile->colors().empty());
    EXPECT_EQ(p.profileColor, p.handleProfile->colors().front().color);
    ASSERT_FALSE(p.calculator->dividerProfiles.empty());
    EXPECT_EQ(p.dividerProfile, p.calculator->dividerProfiles.front());
    EXPECT_EQ(p.doorCount, 3);
    EXPECT_EQ(p.width, 30000);
    EXPECT_EQ(p.height, 20000);
    EXPECT_EQ(p.chipboardWidth, 160);
    EXPECT_EQ(p.plinthHeight, 540);
    EXPECT_EQ(p.discountPercent, 0.0);
    EXPECT_EQ(p.orderCard.orderNumber, "00001");

    EXPECT_EQ(p.sketch.width, 30000);
    EXPECT_EQ(p.sketch.height, 20000);
    EXPECT_EQ(p.sketch.doorCount, 3);
    EXPECT_EQ(p.sketch.handleProfile, p.handleProfile);
    // Calculated at once: the doors have their sizes.
    for (int i = 0; i < 3; ++i)
        EXPECT_GT(p.sketch.doors[i].width, 0) << i;
    EXPECT_FALSE(p.result.doorLines.empty());
}

TEST_F(ProjectTest, FreshProjectTakesTheNextOrderNumber) {
    std::ofstream(folder_.path() / "config" / "number.txt") << "43";
    Project second(*catalogue_, folder_.path() / "config");
    EXPECT_EQ(second.orderCard.orderNumber, "00043");
}

TEST_F(ProjectTest, DimensionRanges) {
    Project& p = *project_;
    ASSERT_TRUE(apply(edit::SelectSystem{system("Далвекс")})); // a system with a plinth and a chipboard
    using Setter = std::function<bool(int32_t)>;
    using Getter = std::function<int32_t()>;
    const struct {
        const char* what;
        Setter set;
        Getter get;
        int32_t value;
        bool taken;
    } cases[] = {
        {"width", [&](int32_t v) { return apply(edit::SetWidth{v}); }, [&] { return p.width; }, 999, false},
        {"width", [&](int32_t v) { return apply(edit::SetWidth{v}); }, [&] { return p.width; }, 1000001, false},
        {"width", [&](int32_t v) { return apply(edit::SetWidth{v}); }, [&] { return p.width; }, 1000, true},
        {"width", [&](int32_t v) { return apply(edit::SetWidth{v}); }, [&] { return p.width; }, 1000000, true},
        {"height", [&](int32_t v) { return apply(edit::SetHeight{v}); }, [&] { return p.height; }, 999, false},
        {"height", [&](int32_t v) { return apply(edit::SetHeight{v}); }, [&] { return p.height; }, 100001, false},
        {"height", [&](int32_t v) { return apply(edit::SetHeight{v}); }, [&] { return p.height; }, 1000, true},
        {"height", [&](int32_t v) { return apply(edit::SetHeight{v}); }, [&] { return p.height; }, 100000, true},
        {"chipboard", [&](int32_t v) { return apply(edit::SetChipboardWidth{v}); }, [&] { return p.chipboardWidth; },
         1001, false},
        {"chipboard", [&](int32_t v) { return apply(edit::SetChipboardWidth{v}); }, [&] { return p.chipboardWidth; }, -1,
         false},
        {"chipboard", [&](int32_t v) { return apply(edit::SetChipboardWidth{v}); }, [&] { return p.chipboardWidth; }, 0,
         true},
        {"chipboard", [&](int32_t v) { return apply(edit::SetChipboardWidth{v}); }, [&] { return p.chipboardWidth; },
         1000, true},
        // The height is 100000 from here on.
        {"plinth", [&](int32_t v) { return apply(edit::SetPlinthHeight{v}); }, [&] { return p.plinthHeight; }, 530,
         false},
        {"plinth", [&](int32_t v) { return apply(edit::SetPlinthHeight{v}); }, [&] { return p.plinthHeight; }, 20001,
         false},
        {"plinth", [&](int32_t v) { return apply(edit::SetPlinthHeight{v}); }, [&] { return p.plinthHeight; }, 20000,
         true},
        {"plinth", [&](int32_t v) { return apply(edit::SetPlinthHeight{v}); }, [&] { return p.plinthHeight; }, 540,
         true},
    };
    for (const auto& c : cases) {
        const int32_t before = c.get();
        EXPECT_EQ(c.set(c.value), c.taken) << c.what << " " << c.value;
        EXPECT_EQ(c.get(), c.taken ? c.value : before) << c.what << " " << c.value;
    }
    EXPECT_EQ(p.sketch.width, 1000000);
}

TEST_F(ProjectTest, PlinthNeverAboveHeight) {
    Project& p = *project_;
    ASSERT_TRUE(apply(edit::SelectSystem{system("Далвекс")}));
    const int32_t least = p.plinthHeight;
    ASSERT_TRUE(apply(edit::SetHeight{15000}));
    EXPECT_FALSE(apply(edit::SetPlinthHeight{15010}));
    EXPECT_EQ(p.plinthHeight, least);
    EXPECT_TRUE(apply(edit::SetPlinthHeight{15000}));
    ASSERT_TRUE(apply(edit::SetHeight{20000}));
    EXPECT_TRUE(apply(edit::SetPlinthHeight{20000}));
}

TEST_F(ProjectTest, RefusedDimensionDoesNotRecalculate) {
    Project& p = *project_;
    p.result.doorLines.clear();
    EXPECT_FALSE(apply(edit::SetWidth{999}));
    EXPECT_FALSE(apply(edit::SetHeight{0}));
    EXPECT_FALSE(apply(edit::SetChipboardWidth{-5}));
    EXPECT_FALSE(apply(edit::SetPlinthHeight{100}));
    EXPECT_TRUE(p.result.doorLines.empty());
}

TEST_F(ProjectTest, PlinthSystemsDeriveTheSketchHeight) {
    Project& p = *project_;
    apply(edit::SelectSystem{system("Далвекс")});
    EXPECT_EQ(p.plinthHeight, 540);
    EXPECT_EQ(p.sketch.height, 20000 - 160 - 540 + 430);
    ASSERT_TRUE(apply(edit::SetChipboardWidth{0}));
    EXPECT_EQ(p.sketch.height, 20000 - 540 + 430);
    ASSERT_TRUE(apply(edit::SetPlinthHeight{1000}));
    EXPECT_EQ(p.sketch.height, 20000 - 1000 + 430);
    ASSERT_TRUE(apply(edit::SetHeight{25000}));
    EXPECT_EQ(p.sketch.height, 25000 - 1000 + 430);
}

TEST_F(ProjectTest, SystemSwitchCapsDoorsAndTakesTheNewMinimumPlinth) {
    Project& p = *project_;
    ASSERT_TRUE(apply(edit::SetDoorCount{4}));
    const DSSystem* f = feldor();
    mountInside() = 0;
    apply(edit::SelectSystem{f});
    EXPECT_EQ(p.calculator, f);
    EXPECT_EQ(p.doorCount, 2);
    EXPECT_EQ(p.sketch.doorCount, 2);
    EXPECT_EQ(p.plinthHeight, 0);
    EXPECT_EQ(p.handleProfile, f->handleProfiles(p.options).front());

    apply(edit::SelectSystem{system("Зеркан")});
    EXPECT_EQ(p.plinthHeight, 650);
    apply(edit::SelectSystem{system("Далвекс")});
    EXPECT_EQ(p.plinthHeight, 540); // lower than before, still taken
    apply(edit::SelectSystem{system("Борвик")});
    EXPECT_EQ(p.plinthHeight, 0);
}

TEST_F(ProjectTest, FeldorInsideMountingTurnsThreeDoorsIntoFour) {
    Project& p = *project_;
    ASSERT_EQ(mountInside(), 1);
    apply(edit::SelectSystem{feldor()});
    EXPECT_EQ(p.doorCount, 4);
    EXPECT_EQ(p.sketch.doorCount, 4);
}

TEST_F(ProjectTest, SystemWithoutHandlesOrDividersLeavesNullSelections) {
    Project& p = *project_;
    apply(edit::SelectSystem{system("Герлит")});
    EXPECT_EQ(p.handleProfile, nullptr);
    EXPECT_EQ(p.profileColor, nullptr);
    EXPECT_EQ(p.dividerProfile, nullptr);
    EXPECT_EQ(p.sketch.handleProfile, nullptr);
    EXPECT_FALSE(ProjectEditor(p).apply(edit::Split{0, 1, 5000, true}));
    // Totals and the operations that read the selections cope with the nulls.
    apply(edit::SetProfileColor{nullptr});
    apply(edit::SetHandleProfile{nullptr});
    EXPECT_TRUE(apply(edit::SetWidth{20000}));
    EXPECT_TRUE(apply(edit::SetDoorCount{2}));
    (void)p.grandTotalText();
}

TEST_F(ProjectTest, ToggleMountInsideRebuildsForTheNewHandleList) {
    Project& p = *project_;
    const DSSystem* f = feldor();
    apply(edit::SelectSystem{f});
    ASSERT_EQ(p.doorCount, 4);
    apply(edit::ToggleOption{});
    EXPECT_EQ(mountInside(), 0);
    EXPECT_EQ(p.doorCount, 2);
    EXPECT_EQ(p.handleProfile, f->handleProfiles(p.options).front());
    apply(edit::ToggleOption{});
    EXPECT_EQ(mountInside(), 1);
    EXPECT_EQ(p.doorCount, 2); // never raised
    // Elsewhere the toggle does nothing.
    apply(edit::SelectSystem{system("Борвик")});
    apply(edit::ToggleOption{});
    EXPECT_EQ(mountInside(), 1);
}

TEST_F(ProjectTest, ToggleEdgeProfilesKeepsHandSetWidths) {
    Project& p = *project_;
    apply(edit::SelectSystem{system("Далвекс")});
    Door* doors = p.sketch.doors.data();
    doors[0].width += 500;
    doors[1].width -= 500;
    const int32_t w0 = doors[0].width, w1 = doors[1].width;
    apply(edit::ToggleOption{});
    EXPECT_EQ(p.calculator->own(p.options).noEdgeProfiles, 1);
    EXPECT_EQ(doors[0].width, w0);
    EXPECT_EQ(doors[1].width, w1);
    apply(edit::ToggleOption{});
    EXPECT_EQ(p.calculator->own(p.options).noEdgeProfiles, 0);
}

TEST_F(ProjectTest, HandleProfileSwitchKeepsOnlyAnOfferedColour) {
    Project& p = *project_;
    int kept = 0, changed = 0;
    for (const DSSystem* s : catalogue_->systems()) {
        apply(edit::SelectSystem{s});
        for (HandleProfile* h : s->handleProfiles(p.options)) {
            if (h == p.handleProfile) continue;
            const ProfileColor* before = p.profileColor;
            apply(edit::SetHandleProfile{h});
            EXPECT_EQ(p.handleProfile, h);
            EXPECT_EQ(p.sketch.handleProfile, h);
            if (h->colors().empty() || h->offers(before)) {
                EXPECT_EQ(p.profileColor, before) << h->code;
                ++kept;
            } else {
                EXPECT_EQ(p.profileColor, h->colors().front().color) << h->code;
                ++changed;
            }
        }
    }
    EXPECT_GT(kept, 0);
    EXPECT_GT(changed, 0);

    p.result.doorLines.clear();
    apply(edit::SetHandleProfile{p.handleProfile}); // the same one: nothing happens
    EXPECT_TRUE(p.result.doorLines.empty());
}

TEST_F(ProjectTest, DoorCount) {
    Project& p = *project_;
    EXPECT_TRUE(apply(edit::SetDoorCount{5}));
    EXPECT_EQ(p.doorCount, 5);
    EXPECT_EQ(p.sketch.doorCount, 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_GT(p.sketch.doors[i].width, 0) << i;

    p.result.doorLines.clear();
    EXPECT_FALSE(apply(edit::SetDoorCount{5}));
    EXPECT_TRUE(p.result.doorLines.empty());
    for (int32_t n : {0, -1, 11, std::numeric_limits<int32_t>::max()}) {
        EXPECT_FALSE(apply(edit::SetDoorCount{n})) << n;
        EXPECT_EQ(p.doorCount, 5);
    }
    EXPECT_TRUE(apply(edit::SetDoorCount{10}));
    EXPECT_TRUE(apply(edit::SetDoorCount{1}));

    mountInside() = 0;
    apply(edit::SelectSystem{feldor()});
    EXPECT_FALSE(apply(edit::SetDoorCount{3})); // above this system's maximum
    EXPECT_TRUE(apply(edit::SetDoorCount{2}));
}

TEST_F(ProjectTest, RebuildSketchLeavesOneEmptyInsertPerDoor) {
    Project& p = *project_;
    splitVertically(1, 5000);
    Material m;
    p.sketch.doors[0].inserts.at(1).material = &m;
    p.sketch.doors[1].inserts.at(2).material = &m;
    apply(edit::ClearSketch{});
    for (const Door& door : p.sketch.doors) {
        ASSERT_EQ(door.inserts.size(), 1u) << door.index;
        EXPECT_EQ(door.inserts.begin()->first, 1);
        EXPECT_EQ(door.inserts.begin()->second.material, nullptr);
        EXPECT_TRUE(door.dividers.empty());
        EXPECT_EQ(door.nextInsertId, 2);
        EXPECT_EQ(door.nextDividerId, 1);
    }
    EXPECT_EQ(p.sketch.doorCount, 3);
    EXPECT_GT(p.sketch.doors[0].width, 0);
}

TEST_F(ProjectTest, DoorLinesListProfilesThenInsertsPerShownDoor) {
    Project& p = *project_;
    CalcResult& r = p.result;
    r.cutLines.clear();
    r.panelLines.clear();
    auto cut = [](const char* code, int door, const char* number) {
        CutLine c;
        c.code = code;
        c.name = std::string("name ") + code;
        c.number = number;
        c.doorIndex = door;
        return c;
    };
    auto panel = [](const char* material, int door, const char* number) {
        PanelLine l;
        l.materialName = material;
        l.materialDescription = std::string("desc ") + material;
        l.number = number;
        l.doorIndex = door;
        return l;
    };
    r.cutLines = {cut("JB02", -1, "0"), cut("JB001", 1, "5"), cut("JB001", 0, "1"), cut("JB07", 0, "2"),
                  cut("JB08", 4, "9")};
    r.panelLines = {panel("M1", 0, "1"), panel("M2", 2, "3")};
    r.doorLines = doorLinesOf(r, p.sketch, p.doorCount);

    const struct {
        const char* door;
        const char* kind;
        const char* code;
        const char* number;
    } expected[] = {
        {"1", "Профиль", "JB001", "1"}, {"1", "Профиль", "JB07", "2"}, {"1", "Вставка", "M1", "1"},
        {"2", "Профиль", "JB001", "5"}, {"3", "Вставка", "M2", "3"},
    };
    ASSERT_EQ(r.doorLines.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(r.doorLines[i].doorNumber, expected[i].door) << i;
        EXPECT_EQ(r.doorLines[i].kind, expected[i].kind) << i;
        EXPECT_EQ(r.doorLines[i].code, expected[i].code) << i;
        EXPECT_EQ(r.doorLines[i].number, expected[i].number) << i;
    }
    EXPECT_EQ(r.doorLines[0].name, "name JB001");
    EXPECT_EQ(r.doorLines[2].name, "desc M1");
}

TEST_F(ProjectTest, CalculatedDoorLinesBelongToShownDoors) {
    Project& p = *project_;
    for (const DoorLine& line : p.result.doorLines) {
        EXPECT_EQ(line.kind, "Профиль"); // no insert has a material yet
        EXPECT_TRUE(line.doorNumber == "1" || line.doorNumber == "2" || line.doorNumber == "3")
            << line.doorNumber;
    }
}

TEST_F(ProjectTest, FilledInsertIsListedAfterItsDoorsProfiles) {
    Project& p = *project_;
    Material m;
    m.code = "M1";
    m.name = "Зеркало";
    m.thickness = 40;
    // A material of no catalogue: the editor takes only the library's own, so it is put in directly.
    ASSERT_TRUE(p.sketch.fillInsert(1, 1, &m));
    ASSERT_TRUE(apply(edit::SetWidth{p.width})); // a change of the order calculates it anew
    EXPECT_EQ(p.sketch.doors[1].inserts.at(1).material, &m);
    auto insertLines = [&] {
        std::vector<size_t> at;
        for (size_t i = 0; i < p.result.doorLines.size(); ++i)
            if (p.result.doorLines[i].kind == "Вставка") at.push_back(i);
        return at;
    };
    const std::vector<size_t> at = insertLines();
    ASSERT_EQ(at.size(), 1u);
    const std::vector<DoorLine>& lines = p.result.doorLines;
    EXPECT_EQ(lines[at[0]].doorNumber, "2");
    EXPECT_EQ(lines[at[0]].code, "M1");
    EXPECT_EQ(lines[at[0]].name, "Зеркало");
    ASSERT_GT(at[0], 0u);
    EXPECT_EQ(lines[at[0] - 1].doorNumber, "2");
    EXPECT_EQ(lines[at[0] - 1].kind, "Профиль");
    ASSERT_LT(at[0] + 1, lines.size());
    EXPECT_EQ(lines[at[0] + 1].doorNumber, "3");

    // "Удалить" over the insert takes the material away again.
    Door& door = p.sketch.doors[1];
    ProjectEditor editor(p);
    EXPECT_TRUE(editor.apply(edit::ClearMaterial{1, 1}));
    EXPECT_EQ(door.inserts.at(1).material, nullptr);
    EXPECT_TRUE(insertLines().empty());
}

TEST_F(ProjectTest, DiscountPercentRange) {
    Project& p = *project_;
    p.result.totalsDirty = false;
    EXPECT_TRUE(apply(edit::SetDiscount{5.5}));
    EXPECT_EQ(p.discountPercent, 5.5);
    EXPECT_EQ(p.result.discountPercent, 5.5);
    EXPECT_TRUE(p.result.totalsDirty);
    for (double bad : {-0.01, 100.01, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(apply(edit::SetDiscount{bad})) << bad;
        EXPECT_EQ(p.discountPercent, 5.5);
        EXPECT_EQ(p.result.discountPercent, 5.5);
    }
    EXPECT_TRUE(apply(edit::SetDiscount{0}));
    EXPECT_TRUE(apply(edit::SetDiscount{100}));
}

TEST_F(ProjectTest, ColourChangeRepricesWithoutGeometry) {
    Project& p = *project_;
    const HandleProfile* h = p.handleProfile;
    ASSERT_GT(h->colors().size(), 1u);
    const ProfileColor* other = h->colors()[1].color;
    ASSERT_NE(other, p.profileColor);
    p.result.doorLines.clear();
    apply(edit::SetProfileColor{other});
    EXPECT_EQ(p.profileColor, other);
    EXPECT_FALSE(p.result.doorLines.empty());
}

TEST_F(ProjectTest, DividerProfileChoice) {
    Project& p = *project_;
    ASSERT_GE(p.calculator->dividerProfiles.size(), 2u);
    const DividerProfile* second = p.calculator->dividerProfiles[1];
    p.result.doorLines.clear();
    apply(edit::SetDividerProfile{second});
    EXPECT_EQ(p.dividerProfile, second);
    EXPECT_TRUE(p.result.doorLines.empty()); // no recalculation
    // Another system takes its first profile unless it still offers the current one.
    apply(edit::SelectSystem{system("Лантес")});
    ASSERT_EQ(p.calculator->dividerProfiles.size(), 2u);
    EXPECT_EQ(p.dividerProfile, p.calculator->dividerProfiles.front());
    const DividerProfile* lantesSecond = p.calculator->dividerProfiles[1];
    apply(edit::SetDividerProfile{lantesSecond});
    apply(edit::SelectSystem{system("Сенфил-Н")});
    EXPECT_EQ(p.dividerProfile, lantesSecond);
}

TEST_F(ProjectTest, InsertSizeAtSelectedDivider) {
    Project& p = *project_;
    ProjectEditor editor(p);
    EXPECT_FALSE(editor.apply(edit::InsertSize{0, 1, 3000, false})); // no such divider
    const int32_t doorWidth = p.sketch.doors[0].width;
    splitVertically(0, doorWidth / 2 / 100 * 100);
    Door& door = p.sketch.doors[0];
    const Insert& left = door.inserts.at(1);
    const Insert& right = door.inserts.at(2);

    // The panel on the asked side gets the size, the calculator's own offset corrected by a second move.
    EXPECT_TRUE(editor.apply(edit::InsertSize{0, 1, 3000, false}));
    EXPECT_EQ(left.panelWidth, 3000);
    EXPECT_EQ(left.right, door.dividers.at(1).position);
    EXPECT_EQ(selectedDivider(p.sketch, editor.selection()), &door.dividers.at(1));

    EXPECT_TRUE(editor.apply(edit::InsertSize{0, 1, 2500, true}));
    EXPECT_EQ(right.panelWidth, 2500);
    const int32_t expectedRight = door.dividers.at(1).position;

    // A size that would leave the other insert below 20 mm is refused, the divider stays.
    EXPECT_FALSE(editor.apply(edit::InsertSize{0, 1, doorWidth, false}));
    EXPECT_EQ(door.dividers.at(1).position, expectedRight);
    for (int32_t extreme : {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()})
        EXPECT_FALSE(editor.apply(edit::InsertSize{0, 1, extreme, true}));
}

TEST_F(ProjectTest, PasteAndAlignDoors) {
    Project& p = *project_;
    ProjectEditor editor(p);
    EXPECT_FALSE(editor.apply(edit::PasteDoor{-1, 1})); // nothing copied
    splitVertically(0, 4000);
    EXPECT_TRUE(editor.apply(edit::PasteDoor{0, 1}));
    EXPECT_EQ(p.sketch.doors[1].dividers.size(), 1u);
    EXPECT_EQ(p.sketch.doors[1].inserts.size(), 2u);

    EXPECT_TRUE(editor.apply(edit::AlignDividers{1, true}));
    EXPECT_EQ(p.sketch.doors[1].dividers.at(1).position, p.sketch.doors[1].width / 2);
    for (int bad : {-1, 3, 10, 1000}) // doors not shown, or no door at all
        EXPECT_FALSE(editor.apply(edit::AlignDividers{bad, true}));
}

} // namespace
} // namespace dalvex
