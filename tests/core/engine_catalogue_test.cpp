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
    auto* feldor = dynamic_cast<DSSystemFeldor*>(catalogue->findSystem("Фелдор"));
    ASSERT_NE(feldor, nullptr);
    feldor->mountInside = 1;
    const std::vector<HandleProfile*> inside = feldor->handleProfiles();
    EXPECT_EQ(feldor->handleProfileCount(), 21);
    ASSERT_EQ(inside.size(), 21u);
    EXPECT_EQ(inside.front()->code, "JB01");
    for (const HandleProfile* p : inside)
        EXPECT_NE(p->code, "JB150");
    feldor->mountInside = 0;
    EXPECT_EQ(feldor->handleProfileCount(), 2);
    feldor->mountInside = 1;
}

TEST_F(EngineWithCatalogue, DefaultProjectOfEverySystemCalculates) {
    for (DSSystem* system : catalogue->systems()) {
        SCOPED_TRACE(system->code);
        const std::vector<HandleProfile*> handles = system->handleProfiles();
        DoorSketch sketch(30000, 20000, system->clampDoorCount(3), handles.empty() ? nullptr : handles[0],
                          system->isSingleRow());
        system->assignRows(sketch);
        system->setSketchHeight(sketch, 20000, 160, 700);
        system->recompute(sketch, false);
        sketch.numberItems();
        CalcResult result;
        system->collect(sketch, result, catalogue->colors().front());
        EXPECT_GT(sketch.doors[0].width, 0);
        EXPECT_EQ(sketch.doors[0].height > 0, true);
    }
}

TEST_F(EngineWithCatalogue, BorvikDefaultRollersFollowTheHandle) {
    DSSystem* borvik = catalogue->findSystem("Борвик");
    ASSERT_NE(borvik, nullptr);
    RollerSet* chosen = borvik->rollerSet;
    borvik->rollerSet = nullptr; // the system's own default
    for (const char* code : {"JB01", "JB300N"}) {
        SCOPED_TRACE(code);
        DoorSketch sketch(30000, 20000, 2, borvik->findHandleProfile(code), false);
        borvik->assignRows(sketch);
        borvik->recompute(sketch, false);
        sketch.numberItems();
        CalcResult result;
        borvik->collect(sketch, result, nullptr);
        bool found = false;
        for (const ArticleLine& line : result.articleLines)
            found = found || line.code == (std::string(code) == "JB01" ? "JB10/11B" : "JB010/011B");
        EXPECT_TRUE(found);
    }
    borvik->rollerSet = chosen;
}

} // namespace
} // namespace dalvex
