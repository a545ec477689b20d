// Rules the systems share: rails by rows, the roller check, the strips of Lantes, and that every system
// calculates every project it offers.
#include "systems_test_support.h"

namespace dalvex {
namespace {

using namespace systems_test;

const ArticleLine* lineOf(const CalcResult& result, std::string_view code) {
    for (const ArticleLine& line : result.articleLines)
        if (line.code == code) return &line;
    return nullptr;
}

TEST(SystemsEdges, RailsFollowTheRowsExceptInQuorin) {
    CatalogueFixture fx;
    const struct {
        const char* system;
        const char* handle;
        bool oneRow;
        const char* guide;
        const char* running;
    } cases[] = {
        {"Лантес", "JL11", true, "JB03", "JB06"},   {"Лантес", "JL11", false, "JB02", "JB05"},
        {"Сенфил-Н", "JS01", true, "JB03", "JB06"}, {"Кворин", "JQ01", true, "JB02", "JB05"},
        {"Кворин", "JQ01", false, "JB02", "JB05"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.system) + (c.oneRow ? " one row" : " two rows"));
        const DSSystem& system = fx.system(c.system);
        DoorSketch sketch(30000, 25000, 3, fx.catalogue->findHandleProfile(c.handle), c.oneRow);
        system.recompute(sketch, fx.options, false);
        CalcResult result;
        calculate(system, fx.options, sketch, result, nullptr);
        EXPECT_NE(lineOf(result, c.guide), nullptr);
        EXPECT_NE(lineOf(result, c.running), nullptr);
        // Never both kinds of guide.
        EXPECT_EQ(lineOf(result, std::string_view(c.guide) == "JB02" ? "JB03" : "JB02"), nullptr);
    }
}

TEST(SystemsEdges, ChosenRollerSetIsCheckedAgainstTheHandle) {
    CatalogueFixture fx;
    const Catalogue& cat = *fx.catalogue;
    const char* const misfit = "ОШИБКА: Ролики не подходят к выбранным ручкам.";
    // JB010/011B only fits symmetric handles; Y1406 fits every handle.
    const struct {
        const char* system;
        const char* handle;
        const char* set;
        const char* error;
    } cases[] = {
        {"Лантес", "JL11", "JB010/011B", misfit},
        {"Лантес", "JL11", "Y1406", ""},
        {"Сенфил-Н", "JS01", "JB010/011B", misfit},
        {"Кворин", "JQ01", "JB010/011B", misfit},
        {"Фелдор", "JB300N", "JB010/011B", ""},
        {"Фелдор", "JB300N", "JB10/11B", misfit},
        {"Зеркан", "JZ02", "JB010/011B", misfit},
        {"Далвекс", "DX01", "JB010/011B", misfit},
        {"Нордел", "JN01", "Y1406", ""},
        {"Герлит", nullptr, "JB010/011B", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.system) + " " + c.set);
        const DSSystem& system = fx.system(c.system);
        const RollerSet*& chosen = system.own(fx.options).rollerSet;
        chosen = dynamic_cast<RollerSet*>(cat.findArticle(c.set));
        ASSERT_NE(chosen, nullptr);
        DoorSketch sketch = newSketch(system, fx.options, 30000, 25000, 2,
                                      c.handle ? cat.findHandleProfile(c.handle) : nullptr);
        CalcResult result;
        calculate(system, fx.options, sketch, result, nullptr);
        const ArticleLine* line = lineOf(result, c.set);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->error, c.error);
        EXPECT_EQ(line->quantity, system.rollerSetQuantity(2, chosen));
        chosen = nullptr;
    }
}

TEST(SystemsEdges, LantesStripsForTenMillimetreAndGlassFillings) {
    CatalogueFixture fx;
    const DSSystem& lantes = fx.system("Лантес");
    Fillings f;
    DoorSketch sketch =
        newSketch(lantes, fx.options, 30000, 25000, 1, fx.catalogue->findHandleProfile("JL11"));
    Door& door = sketch.doors[0];
    // A vertical divider: 10 mm glass on the right, 4 mm glass on the left (bounded by the divider on its
    // right).
    split(door, 15000, 100, fx.catalogue->findDividerProfile("DX13"), true);
    door.inserts[1].material = &f.mirror;
    door.inserts[2].material = &f.glass;
    CalcResult result;
    calculate(lantes, fx.options, sketch, result, nullptr);
    const Insert& glass = door.inserts[2];
    const Insert& mirror = door.inserts[1];
    ASSERT_NE(lineOf(result, "JL15"), nullptr);
    EXPECT_EQ(lineOf(result, "JL15")->quantity, 2 * (glass.panelHeight + glass.panelWidth));
    ASSERT_NE(lineOf(result, "DX11"), nullptr);
    EXPECT_EQ(lineOf(result, "DX11")->quantity, mirror.panelHeight);
}

// Every door count the system offers, with and without dividers and materials, with each of its handle
// profiles and with none: the calculation completes and its cut lines name only emitted articles.
void sweep(const DSSystem& system, OrderOptions& options, const Catalogue& cat, const Fillings& f) {
    const std::vector<HandleProfile*> offered = system.handleProfiles(options);
    std::vector<const HandleProfile*> handles(offered.begin(), offered.end());
    handles.push_back(nullptr);
    const std::vector<DividerProfile*> profiles = system.dividerProfileList();
    for (const HandleProfile* handle : handles) {
        for (int doors = 1; doors <= system.maxDoorCount(options); ++doors) {
            for (bool filled : {false, true}) {
                SCOPED_TRACE(system.code + " " + (handle ? handle->code : "no handle") + " doors " +
                             std::to_string(doors) + (filled ? " filled" : " empty"));
                DoorSketch sketch = newSketch(system, options, 30000, 25000, doors, handle);
                if (filled) {
                    for (int k = 0; k < doors; ++k) {
                        Door& door = sketch.doors[k];
                        if (!profiles.empty()) {
                            split(door, door.width / 2 / 100 * 100, 100, profiles[k % profiles.size()], true);
                            split(door, door.width / 4 / 100 * 100 + 100, 10000, profiles.back(), false);
                        }
                        const Material* each[] = {&f.chipboard, &f.mirror, &f.glass};
                        int i = 0;
                        for (auto& [id, insert] : door.inserts)
                            insert.material = each[(i++ + k) % 3];
                    }
                }
                CalcResult result;
                calculate(system, options, sketch, result, cat.colors().front());
                EXPECT_FALSE(result.articleLines.empty());
                for (const CutLine& cut : result.cutLines) {
                    bool emitted = false;
                    for (const ArticleLine& line : result.articleLines)
                        emitted = emitted || line.code == cut.code;
                    EXPECT_TRUE(emitted) << cut.code;
                }
                if (filled) {
                    EXPECT_FALSE(result.materialLines.empty());
                }
            }
        }
    }
}

TEST(SystemsEdges, EverySystemCalculatesEveryProjectItOffers) {
    CatalogueFixture fx;
    Fillings f;
    for (const DSSystem* system : fx.catalogue->systems()) {
        if (system->ownOptions() == OwnOptions::Mounting) {
            for (int inside : {0, 1}) {
                system->own(fx.options).mountInside = inside;
                sweep(*system, fx.options, *fx.catalogue, f);
            }
        } else {
            sweep(*system, fx.options, *fx.catalogue, f);
        }
    }
    auto wenlor = makeWenlor(*fx.catalogue);
    sweep(*wenlor, fx.options, *fx.catalogue, f);
}

} // namespace
} // namespace dalvex
