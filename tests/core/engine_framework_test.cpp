#include "engine_test_support.h"
#include "io/binary_stream.h"

#include <gtest/gtest.h>

namespace dalvex {
namespace {

TEST(EngineFactory, BuildsEachSystemByDisplayName) {
    const struct {
        const char* name;
        SystemKind kind;
        bool usesPlinth;
        bool offersEdgeProfiles;
    } cases[] = {
        {"Борвик", kSystemBorvik, false, false}, {"Лантес", kSystemLantes, false, false},
        {"Далвекс", kSystemDalvex, true, true},  {"Сенфил-Н", kSystemSenfil, false, false},
        {"Герлит", kSystemGerlit, false, false}, {"Венлор", kSystemWenlor, true, false},
        {"Фелдор", kSystemFeldor, false, false}, {"Кворин", kSystemQuorin, false, false},
        {"Зеркан", kSystemZerkan, true, false},  {"Нордел", kSystemNordel, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto system = createSystem(7, c.name, 42);
        ASSERT_NE(system, nullptr);
        EXPECT_EQ(system->systemKind, c.kind);
        EXPECT_EQ(system->code, c.name);
        EXPECT_EQ(system->index, 7);
        EXPECT_EQ(system->imageId, 42);
        EXPECT_EQ(system->usesPlinth, c.usesPlinth);
        EXPECT_EQ(system->offersEdgeProfiles, c.offersEdgeProfiles);
        EXPECT_EQ(system->maxDoorCount(OrderOptions{}), c.kind == kSystemFeldor ? 4 : 10);
        EXPECT_TRUE(system->name.empty());
    }
    EXPECT_EQ(createSystem(0, "борвик", 0), nullptr);
    EXPECT_EQ(createSystem(0, "", 0), nullptr);
}

TEST(EngineOptions, SketchHeightAndPlinthPerSystem) {
    const struct {
        const char* name;
        int32_t height;
        int32_t minPlinth;
    } cases[] = {
        {"Лантес", 25000, 0},
        {"Борвик", 25000, 0},
        {"Сенфил-Н", 25000, 0},
        {"Герлит", 25000, 0},
        {"Фелдор", 25000, 0},
        {"Кворин", 24600, 0},
        {"Далвекс", 25000 - 160 - 700 + 430, 540},
        {"Зеркан", 25000 - 160 - 700 + 430, 650},
        {"Нордел", 25000 - 160 - 700 + 430, 650},
        {"Венлор", 25000 - 700 + 100, 540},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto system = createSystem(0, c.name, 0);
        DoorSketch sketch(30000, 20000, 3, nullptr, false);
        system->setSketchHeight(sketch, 25000, 160, 700);
        EXPECT_EQ(sketch.height, c.height);
        EXPECT_EQ(sketch.previousHeight, 20000);
        EXPECT_EQ(system->minPlinthHeight(), c.minPlinth);
    }
}

TEST(EngineOptions, FeldorMountingRules) {
    DSSystemFeldor feldor(5, "Фелдор", 300);
    test::Records r;
    feldor.addHandleProfile(r.handle("JB300N", 500, 490, 410, 55000, 0, 0));
    feldor.addHandleProfile(r.handle("JB150", 180, 175, 93, 55000, 0, 0));
    feldor.addHandleProfile(r.handle("JB100", 360, 346, 270, 55000, 0, 1));
    DoorSketch sketch(30000, 20000, 4, nullptr, false);
    OrderOptions options;

    EXPECT_EQ(feldor.maxDoorCount(options), 4);
    EXPECT_EQ(feldor.clampDoorCount(3, options), 4);
    EXPECT_EQ(feldor.clampDoorCount(7, options), 4);
    EXPECT_FALSE(feldor.isSingleRow(options));
    feldor.assignRows(sketch, options);
    EXPECT_EQ(sketch.doors[1].row, 1);
    // Without a Catalogue the system's own list stands in for the catalogue's.
    EXPECT_EQ(feldor.handleProfileCount(options), 2);
    EXPECT_EQ(feldor.handleProfiles(options)[1]->code, "JB100");

    options.of(kSystemFeldor).mountInside = 0;
    EXPECT_EQ(feldor.maxDoorCount(options), 2);
    EXPECT_EQ(feldor.clampDoorCount(3, options), 2);
    EXPECT_EQ(feldor.clampDoorCount(1, options), 1);
    EXPECT_TRUE(feldor.isSingleRow(options));
    feldor.assignRows(sketch, options);
    EXPECT_EQ(sketch.doors[1].row, 0);
    EXPECT_EQ(feldor.handleProfileCount(options), 3);
}

TEST(EngineOptions, BorvikRowsAndPivot) {
    DSSystemBorvik borvik(0, "Борвик", 118);
    DoorSketch sketch(30000, 20000, 2, nullptr, false);
    OrderOptions options;
    uint8_t& pivot = options.of(kSystemBorvik).pivot;
    pivot = 1;
    borvik.assignRows(sketch, options);
    EXPECT_EQ(pivot, 1);
    EXPECT_EQ(sketch.doors[1].row, 0);
    sketch.doorCount = 3;
    borvik.assignRows(sketch, options);
    EXPECT_EQ(pivot, 0);
    EXPECT_EQ(sketch.doors[1].row, 1);
    EXPECT_EQ(sketch.doors[2].row, 0);
    EXPECT_EQ(borvik.clampDoorCount(12, options), 10);
}

TEST(EngineOptions, GerlitToggles) {
    test::Records r;
    DSSystemGerlit gerlit(6, "Герлит", 120);
    Article* jg[5] = {nullptr};
    for (int i = 1; i <= 4; ++i) {
        jg[i] = r.article("JG0" + std::to_string(i), kKindFitting);
        gerlit.addArticle(jg[i]);
    }
    OrderOptions options;
    SystemOptions& chosen = options.of(kSystemGerlit);
    chosen.runningProfile = jg[1];
    chosen.guideProfile = jg[4];
    gerlit.toggleGuideProfile(options);
    EXPECT_EQ(chosen.guideProfile, jg[3]);
    gerlit.toggleGuideProfile(options);
    EXPECT_EQ(chosen.guideProfile, jg[4]);
    gerlit.toggleGuideProfile(options);
    gerlit.toggleRunningProfile(options);
    EXPECT_EQ(chosen.runningProfile, jg[2]);
    EXPECT_EQ(chosen.guideProfile, jg[4]);
    gerlit.toggleGuideProfile(options); // with the single running profile the toggle always leaves JG03
    EXPECT_EQ(chosen.guideProfile, jg[3]);
    gerlit.toggleGuideProfile(options);
    EXPECT_EQ(chosen.guideProfile, jg[3]);
    gerlit.toggleRunningProfile(options);
    EXPECT_EQ(chosen.runningProfile, jg[1]);
    EXPECT_EQ(chosen.guideProfile, jg[3]);
}

TEST(EngineOptions, RollerSetListsAndLookups) {
    test::Records r;
    DSSystemBorvik borvik(0, "Борвик", 118);
    test::fillBorvik(borvik, r);
    EXPECT_EQ(borvik.configuredRollerSetCount(nullptr), 0);
    const std::vector<RollerSet*> sets = borvik.rollerSets();
    ASSERT_EQ(sets.size(), 3u);
    EXPECT_EQ(sets[0]->code, "JB10/11B");
    EXPECT_EQ(borvik.configuredRollerSetCount(sets[1]), 3);
    EXPECT_EQ(borvik.findArticle("JB07")->code, "JB07");
    EXPECT_EQ(borvik.findArticle("jb07"), nullptr);
    EXPECT_EQ(borvik.ruleArticle("JX99"), nullptr);
    EXPECT_EQ(borvik.ruleRollerSet("JB07"), nullptr);
    EXPECT_EQ(borvik.ruleRollerSet("JB16")->doorsPerSet, 2);
    EXPECT_TRUE(borvik.hasDividerProfile(borvik.findDividerProfile("JB91")));
    EXPECT_FALSE(borvik.hasDividerProfile(nullptr));
    EXPECT_EQ(borvik.dividerProfileList().size(), 2u);
}

// Writes the system's settings of `from` and reads them over fresh options as a file of the given version
// would.
OrderOptions roundTrip(const DSSystem& system, const OrderOptions& from, int version) {
    BinaryWriter out;
    system.writeSettings(out, from);
    BinaryReader in(out.bytes());
    OrderOptions to;
    system.readSettings(in, version, to);
    EXPECT_TRUE(in.ok());
    return to;
}

TEST(EngineSettings, BorvikBlockPerVersion) {
    test::Records r;
    DSSystemBorvik borvik(0, "Борвик", 118);
    test::fillBorvik(borvik, r);
    OrderOptions written;
    SystemOptions& chosen = written.of(kSystemBorvik);
    chosen.noEdgeProfiles = 1;
    chosen.rollerSet = borvik.rollerSets()[1];
    chosen.pivot = 1;
    chosen.heightOffset = -33;
    const struct {
        int version;
        uint8_t noEdge;
        bool rollers;
        uint8_t pivot;
        int32_t offset;
    } cases[] = {{2, 0, false, 0, -40},
                 {3, 1, false, 0, -40},
                 {4, 1, false, 0, -40},
                 {5, 1, true, 1, -40},
                 {6, 1, true, 1, -33}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        BinaryWriter out;
        borvik.writeSettings(out, written);
        BinaryReader in(out.bytes());
        OrderOptions options;
        borvik.readSettings(in, c.version, options);
        const SystemOptions& read = options.of(kSystemBorvik);
        EXPECT_EQ(read.noEdgeProfiles, c.noEdge);
        EXPECT_EQ(read.rollerSet ? read.rollerSet->code : "", c.rollers ? "JB010/011B" : "");
        EXPECT_EQ(read.pivot, c.pivot);
        EXPECT_EQ(read.heightOffset, c.offset);
    }
}

TEST(EngineSettings, FeldorAndPlainBlocks) {
    DSSystemFeldor feldor(5, "Фелдор", 300);
    OrderOptions outside;
    outside.of(kSystemFeldor).mountInside = 0;
    EXPECT_EQ(roundTrip(feldor, outside, 5).of(kSystemFeldor).mountInside, 0);
    OrderOptions old;
    BinaryWriter out;
    feldor.writeSettings(out, outside);
    BinaryReader in(out.bytes());
    feldor.readSettings(in, 4, old);
    EXPECT_EQ(old.of(kSystemFeldor).mountInside, 1);

    DSSystemDalvex dalvex(4, "Далвекс", 116);
    OrderOptions noEdges;
    noEdges.of(kSystemDalvex).noEdgeProfiles = 1;
    EXPECT_EQ(roundTrip(dalvex, noEdges, 6).of(kSystemDalvex).noEdgeProfiles, 1);
}

TEST(EngineSettings, StoredRollerSetMustBeOneOfTheSystemsSets) {
    test::Records r;
    DSSystemBorvik borvik(0, "Борвик", 118);
    test::fillBorvik(borvik, r);
    const RollerSet* current = borvik.rollerSets()[0];
    OrderOptions options;
    const RollerSet*& chosen = options.of(kSystemBorvik).rollerSet;
    for (const char* stored : {"JB07", "UNKNOWN"}) {
        SCOPED_TRACE(stored);
        chosen = current;
        BinaryWriter out;
        out.u8(0);
        out.str(stored);
        out.u8(0);
        out.i32(-40);
        BinaryReader in(out.bytes());
        borvik.readSettings(in, 6, options);
        EXPECT_EQ(chosen, current);
    }
    BinaryWriter out;
    out.u8(0);
    out.str("");
    BinaryReader in(out.bytes());
    borvik.readSettings(in, 6, options); // truncated block: empty code clears, the rest reads as 0
    EXPECT_EQ(chosen, nullptr);
    EXPECT_FALSE(in.ok());
}

} // namespace
} // namespace dalvex
