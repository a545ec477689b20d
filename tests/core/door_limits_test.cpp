// Doors narrower or wider than their profiles allow: still priced, and warned about in the price table and on
// the info line.
#include "orders/accounting.h"
#include "orders/report_tables.h"
#include "project/project_reports.h"
#include "project_test_support.h"
#include "sketch/door_limits.h"
#include "view/sketch_hover.h"

namespace dalvex::testing {
namespace {

using DoorLimitsTest = ProjectTest;

TEST_F(DoorLimitsTest, ImpossibleDoorsAreWarnedAboutAndKeepTheirPrice) {
    struct Case {
        const char* system;
        int32_t widthMm;
        int doors;
        const char* warning; // the start of it; empty: none
    };
    const Case cases[] = {
        {"Далвекс", 100, 4, "ВНИМАНИЕ: ширина двери 1 — "},
        {"Борвик", 100, 4, "ВНИМАНИЕ: ширина двери 1 — "},
        {"Далвекс", 99999, 3, "ВНИМАНИЕ: ширина двери 1 — "},
        {"Борвик", 99999, 3, "ВНИМАНИЕ: ширина двери 1 — "},
        {"Далвекс", 3000, 3, ""},
        {"Борвик", 2400, 2, ""},
        // No frame profiles: nothing known limits the width beyond the narrowest door.
        {"Герлит", 99999, 3, ""},
    };
    for (const Case& c : cases) {
        apply(edit::SelectSystem{system(c.system)});
        apply(edit::SetDoorCount{c.doors});
        ASSERT_EQ(project_->doorCount, c.doors);
        apply(edit::SetWidth{c.widthMm * 10});
        ASSERT_EQ(project_->width, c.widthMm * 10);
        const CalcResult& result = project_->result;
        ASSERT_FALSE(result.articleLines.empty()) << c.system;
        const ArticleLine& first = result.articleLines.front();
        const std::string where = std::string(c.system) + " " + std::to_string(c.widthMm);
        EXPECT_EQ(first.warning.rfind(c.warning, 0), 0u) << where << ": " << first.warning;
        EXPECT_EQ(first.warning.empty(), *c.warning == '\0') << where;
        // Not an error: the total is what the lines give.
        EXPECT_TRUE(first.error.empty()) << where;
        const std::string name = buildTable(kPriceTable, *project_)[0].cell(2, 1).text;
        EXPECT_NE(name.find(first.warning), std::string::npos) << where;
        // For the dealer only: the workbook and the accounting file carry the bill as it is, each record of
        // the accounting file on one line.
        const OrderFacts facts = orderFacts(*project_);
        EXPECT_EQ(
            workbookXml(result, facts, WorkbookSheets{true, true, true, true}).find("ВНИМАНИЕ: ширина двери"),
            std::string::npos)
            << where;
        const std::string accounting = accountingText(result, facts);
        EXPECT_EQ(accounting.find("ВНИМАНИЕ: ширина двери"), std::string::npos) << where;
        // Two heading lines, a line a bill line (one more for an error's bare line feed), five totals.
        std::ptrdiff_t records = 7 + static_cast<std::ptrdiff_t>(result.materialLines.size());
        for (const ArticleLine& line : result.articleLines)
            records += line.error.empty() ? 1 : 2;
        EXPECT_EQ(std::count(accounting.begin(), accounting.end(), '\n'), records) << where;
        // Nothing under the mouse: the info line says it.
        const view::SketchLayout nothing;
        EXPECT_EQ(view::infoLines(view::describeHover(nothing, project_->sketch)).first, first.warning)
            << where;
    }
}

TEST_F(DoorLimitsTest, LimitsFollowTheDoorsOwnProfiles) {
    apply(edit::SelectSystem{system("Далвекс")});
    const Door& door = project_->sketch.doors[0];
    const DoorWidthLimits limits = doorWidthLimits(door);
    const Article* left = door.frame[kFrameLeft].profile;
    const Article* right = door.frame[kFrameRight].profile;
    const FrameProfile& top = door.frame[kFrameTop];
    ASSERT_TRUE(left && right && top.profile);
    EXPECT_EQ(limits.narrowest, std::max(kMinDoorWidth, left->faceWidth + right->faceWidth + kMinInsertPart));
    EXPECT_EQ(limits.widest, door.width + top.profile->barLength1 - top.cutLength);
    // Exactly at the limits is allowed.
    Door at = door;
    for (const int32_t width : {limits.narrowest, limits.widest}) {
        at.width = width;
        at.frame[kFrameTop].cutLength = top.cutLength + (width - door.width);
        at.frame[kFrameBottom].cutLength = door.frame[kFrameBottom].cutLength + (width - door.width);
        EXPECT_EQ(doorWidthWarning(at), "") << width;
    }
}

} // namespace
} // namespace dalvex::testing
