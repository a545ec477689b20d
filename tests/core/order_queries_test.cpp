#include "calc/gerlit_rails.h"
#include "project/order_queries.h"
#include "project_test_support.h"
#include "text/millimetres.h"

#include <limits>
#include <optional>
#include <string>

namespace dalvex {
namespace {

using testing::ProjectTest;

TEST(Millimetres, EditsTruncateTheSketchRounds) {
    const struct {
        int32_t tenths;
        const char* whole;
        const char* rounded;
    } cases[] = {
        {12349, "1234", "1235"},  {12341, "1234", "1234"}, {-12349, "-1234", "-1235"}, {0, "0", "0"},
        {25, "2", "2"},           {35, "3", "4"}, // an exact half goes to the even neighbour, as "%0.0f" does
        {std::numeric_limits<int32_t>::min(), "-214748364", "-214748365"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wholeMillimetres(c.tenths), c.whole) << c.tenths;
        EXPECT_EQ(roundedMillimetres(c.tenths), c.rounded) << c.tenths;
    }
}

TEST_F(ProjectTest, InsertSizesLeaveTheOtherPanelItsLeast) {
    splitVertically(1, 5000);
    const SizeRange range = insertSizeRange(*project_, 1, 1);
    const auto [before, after] = project_->sketch.doors[1].extentsAround(project_->sketch.doors[1].dividers.at(1));
    EXPECT_EQ(range.low, kMinInsertPart);
    EXPECT_EQ(range.high, before + after - kMinInsertPart);
    // The editor keeps to the same range.
    EXPECT_FALSE(apply(edit::InsertSize{1, 1, range.low - 1, false}));
    EXPECT_FALSE(apply(edit::InsertSize{1, 1, range.high + 1, false}));
    EXPECT_TRUE(apply(edit::InsertSize{1, 1, 3000, false}));
    // No such divider, or a door not in use: no size at all.
    for (const auto& [door, divider] : {std::pair{1, 2}, std::pair{0, 1}, std::pair{7, 1}})
        EXPECT_FALSE(insertSizeRange(*project_, door, divider).holds(kMinInsertPart)) << door << "/" << divider;
}

TEST_F(ProjectTest, TheTopPanelsOptionIsTheSystems) {
    const struct {
        const char* system;
        std::optional<std::string> label;
        bool heightOffset;
    } cases[] = {
        {"Фелдор", "Монтаж внутри", false},
        {"Далвекс", "По краям DX13", false},
        {"Герлит", std::nullopt, false},
        {"Борвик", std::nullopt, true},
    };
    for (const auto& c : cases) {
        apply(edit::SelectSystem{system(c.system)});
        const std::optional<OptionToggle> option = optionToggle(*project_);
        ASSERT_EQ(option.has_value(), c.label.has_value()) << c.system;
        EXPECT_EQ(offersHeightOffset(*project_), c.heightOffset) << c.system;
        if (!option) continue;
        EXPECT_EQ(option->label, *c.label);
        EXPECT_TRUE(option->on) << c.system;
        ASSERT_TRUE(apply(edit::ToggleOption{}));
        EXPECT_FALSE(optionToggle(*project_)->on) << c.system;
    }
    EXPECT_TRUE(isHeightOffset(-33));
    EXPECT_FALSE(isHeightOffset(-35));
}

TEST(GerlitRails, ShapesByArticle) {
    const struct {
        const char* code;
        bool running;
        int channels;
        bool letIn;
    } cases[] = {
        {"JG01", true, 2, false}, {"JG02", true, 1, false}, {"JG03", false, 0, false}, {"JG04", false, 0, true}};
    for (const auto& c : cases) {
        const GerlitRail rail = gerlitRail(c.code);
        EXPECT_EQ(rail.running, c.running) << c.code;
        EXPECT_EQ(rail.channels, c.channels) << c.code;
        EXPECT_EQ(rail.letIn, c.letIn) << c.code;
    }
}

} // namespace
} // namespace dalvex
