#include "calc/systems.h"

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
        EXPECT_EQ(system->maxDoorCount(), c.kind == kSystemFeldor ? 4 : 10);
        EXPECT_TRUE(system->name.empty());
    }
    EXPECT_EQ(createSystem(0, "борвик", 0), nullptr);
    EXPECT_EQ(createSystem(0, "", 0), nullptr);
}

} // namespace
} // namespace dalvex
