// The calculators as the built-in catalogue sets them up.
#include "calc/systems.h"
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

namespace dalvex {
namespace {

class EngineWithCatalogue : public ::testing::Test {
protected:
    static void SetUpTestSuite() { catalogue = new Catalogue(DALVEX_BINARY_DIR); }
    static void TearDownTestSuite() {
        delete catalogue;
        catalogue = nullptr;
    }
    static Catalogue* catalogue;
};
Catalogue* EngineWithCatalogue::catalogue = nullptr;

TEST_F(EngineWithCatalogue, FeldorInsideMountingOffersEveryHandleButJB150) {
    const auto* feldor = dynamic_cast<const DSSystemFeldor*>(catalogue->findSystem("Фелдор"));
    ASSERT_NE(feldor, nullptr);
    OrderOptions options = catalogue->defaultOptions();
    ASSERT_EQ(options.of(kSystemFeldor).mountInside, 1);
    const std::vector<HandleProfile*> inside = feldor->handleProfiles(options);
    EXPECT_EQ(feldor->handleProfileCount(options), 21);
    ASSERT_EQ(inside.size(), 21u);
    EXPECT_EQ(inside.front()->code, "JB01");
    for (const HandleProfile* p : inside)
        EXPECT_NE(p->code, "JB150");
    options.of(kSystemFeldor).mountInside = 0;
    EXPECT_EQ(feldor->handleProfileCount(options), 2);
}

TEST_F(EngineWithCatalogue, DefaultProjectOfEverySystemCalculates) {
    OrderOptions options = catalogue->defaultOptions();
    for (const DSSystem* system : catalogue->systems()) {
        SCOPED_TRACE(system->code);
        const std::vector<HandleProfile*> handles = system->handleProfiles(options);
        DoorSketch sketch(30000, 20000, system->clampDoorCount(3, options),
                          handles.empty() ? nullptr : handles[0], system->isSingleRow(options));
        system->assignRows(sketch, options);
        system->setSketchHeight(sketch, 20000, 160, 700);
        system->recompute(sketch, options, false);
        sketch.numberItems();
        CalcResult result;
        system->collect(sketch, options, result, catalogue->colors().front());
        EXPECT_GT(sketch.doors[0].width, 0);
        EXPECT_EQ(sketch.doors[0].height > 0, true);
    }
}

TEST_F(EngineWithCatalogue, BorvikDefaultRollersFollowTheHandle) {
    const DSSystem* borvik = catalogue->findSystem("Борвик");
    ASSERT_NE(borvik, nullptr);
    OrderOptions options = catalogue->defaultOptions();
    options.of(kSystemBorvik).rollerSet = nullptr; // the system's own default
    for (const char* code : {"JB01", "JB300N"}) {
        SCOPED_TRACE(code);
        DoorSketch sketch(30000, 20000, 2, borvik->findHandleProfile(code), false);
        borvik->assignRows(sketch, options);
        borvik->recompute(sketch, options, false);
        sketch.numberItems();
        CalcResult result;
        borvik->collect(sketch, options, result, nullptr);
        bool found = false;
        for (const ArticleLine& line : result.articleLines)
            found = found || line.code == (std::string(code) == "JB01" ? "JB10/11B" : "JB010/011B");
        EXPECT_TRUE(found);
    }
}

} // namespace
} // namespace dalvex
