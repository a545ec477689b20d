// The cutting settings file, and pricing by the plan inside the project's calculation.
#include "cutting/cut_plan.h"
#include "cutting/cutting_settings.h"
#include "project_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

namespace dalvex {
namespace {

TEST(CuttingSettingsTest, EachLineIsReadOrReportedWithItsDefaultKept) {
    struct Case {
        const char* text;
        int32_t kerf, trim;
        bool priceByPlan;
        size_t problems;
    };
    const Case cases[] = {
        {"", 40, 0, false, 0},
        {"kerf = 3.2\ntrim=5\nprice_by_plan = yes\n", 32, 50, true, 0},
        {"\xEF\xBB\xBF# comment\r\n\r\nkerf = 3,5\r\nprice_by_plan = нет\r\n", 35, 0, false, 0},
        {"kerf = 0\ntrim = 1000\n", 0, 10000, false, 0},
        {"kerf = -1\ntrim = 3\n", 40, 30, false, 1},
        {"kerf = 4 мм\nkerf = 3.25\nkerf = 99999999999\nkerf = 101\nkerf =\nkerf\n", 40, 0, false, 6},
        {"trim = 1000.1\ntrim = .5\ntrim = 5.\n", 40, 0, false, 3},
        {"price_by_plan = maybe\ncolour = red\n= 4\n", 40, 0, false, 3},
    };
    for (const Case& c : cases) {
        const CuttingSettingsRead read = parseCuttingSettings(c.text);
        EXPECT_EQ(read.settings.kerf, c.kerf) << c.text;
        EXPECT_EQ(read.settings.trim, c.trim) << c.text;
        EXPECT_EQ(read.settings.priceByPlan, c.priceByPlan) << c.text;
        EXPECT_EQ(read.problems.size(), c.problems) << c.text;
    }
}

TEST(CuttingSettingsTest, SheetLinesAreReadOrReportedWithTheirDefaultsKept) {
    struct Case {
        const char* text;
        int32_t sheetKerf, sheetTrim;
        bool priceBySheets;
        std::vector<std::string> collections, decors;
        size_t problems;
    };
    const CuttingSettings d;
    const Case cases[] = {
        {"", 40, 100, false, d.grainCollections, d.grainDecors, 0},
        {"sheet_kerf = 3,2\nsheet_trim = 0\nprice_by_sheets = да\n", 32, 0, true, d.grainCollections,
         d.grainDecors, 0},
        {"grain_collections = ЛДСП, МДФ ,\ngrain_decors =\n", 40, 100, false, {"лдсп", "мдф"}, {}, 0},
        {"sheet_kerf = 100.1\nsheet_trim = -10\nprice_by_sheets = иногда\n", 40, 100, false,
         d.grainCollections, d.grainDecors, 3},
    };
    for (const Case& c : cases) {
        const CuttingSettingsRead read = parseCuttingSettings(c.text);
        EXPECT_EQ(read.settings.sheetKerf, c.sheetKerf) << c.text;
        EXPECT_EQ(read.settings.sheetTrim, c.sheetTrim) << c.text;
        EXPECT_EQ(read.settings.priceBySheets, c.priceBySheets) << c.text;
        EXPECT_EQ(read.settings.grainCollections, c.collections) << c.text;
        EXPECT_EQ(read.settings.grainDecors, c.decors) << c.text;
        EXPECT_EQ(read.problems.size(), c.problems) << c.text;
    }
}

// A line that is not understood is quoted in its problem as a short, printable excerpt: a file of a megabyte
// of NUL bytes must not be copied whole into the message.
TEST(CuttingSettingsTest, ProblemsQuoteAShortPrintableExcerpt) {
    const std::string forty(40, '?');
    std::string cyrillic;
    for (int i = 0; i < 50; ++i)
        cyrillic += "ж";
    const struct {
        std::string line;
        std::string quoted;
    } cases[] = {
        {"kerf = 4 мм", "kerf = 4 мм"},
        {std::string(1000000, '\0'), forty + "…"},
        {"kerf = \x1B[31m4\x7F", "kerf = ?[31m4?"},
        {"\xFF\xFEkerf\xC3", "??kerf?"},
        {cyrillic, cyrillic.substr(0, 80) + "…"},
    };
    for (const auto& c : cases) {
        const CuttingSettingsRead read = parseCuttingSettings(c.line + "\n");
        ASSERT_EQ(read.problems.size(), 1u) << c.quoted;
        EXPECT_EQ(read.problems[0],
                  "cutting.txt, строка 1: «" + c.quoted + "» не прочитана, взято значение по умолчанию");
    }
}

TEST(CuttingSettingsTest, WrittenSettingsReadBackTheSame) {
    for (const CuttingSettings& s :
         {CuttingSettings{}, CuttingSettings{0, 0, true}, CuttingSettings{32, 105, false},
          CuttingSettings{kMaxKerf, kMaxTrim, true, 35, 0, true, {"лдсп", "мдф"}, {}},
          CuttingSettings{0, 0, false, kMaxKerf, kMaxTrim, false, {}, {"дуб"}}}) {
        const CuttingSettingsRead read = parseCuttingSettings(cuttingSettingsText(s));
        EXPECT_TRUE(read.problems.empty());
        EXPECT_EQ(read.settings.kerf, s.kerf);
        EXPECT_EQ(read.settings.trim, s.trim);
        EXPECT_EQ(read.settings.priceByPlan, s.priceByPlan);
        EXPECT_EQ(read.settings.sheetKerf, s.sheetKerf);
        EXPECT_EQ(read.settings.sheetTrim, s.sheetTrim);
        EXPECT_EQ(read.settings.priceBySheets, s.priceBySheets);
        EXPECT_EQ(read.settings.grainCollections, s.grainCollections);
        EXPECT_EQ(read.settings.grainDecors, s.grainDecors);
    }
}

class CuttingSettingsProjectTest : public testing::ProjectTest {};

TEST_F(CuttingSettingsProjectTest, AMissingFileIsCreatedWithTheDefaults) {
    const auto config = folder_.path() / "config";
    std::filesystem::remove(config / "cutting.txt");
    const CuttingSettingsRead read = loadCuttingSettings(config);
    EXPECT_EQ(read.settings.kerf, 40);
    std::ifstream in(config / "cutting.txt", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const CuttingSettingsRead again = parseCuttingSettings(text);
    EXPECT_TRUE(again.problems.empty());
    EXPECT_EQ(again.settings.kerf, 40);
    EXPECT_EQ(again.settings.trim, 0);
    EXPECT_FALSE(again.settings.priceByPlan);
}

// Priced by the plan, the whole-bar lines carry the plan's bar counts (also after a colour change, which
// collects without recomputing the geometry); every other line is the bill's.
TEST_F(CuttingSettingsProjectTest, PriceByThePlanChangesOnlyTheWholeBarLines) {
    Project byPlan(*catalogue_, folder_.path() / "config", CuttingSettings{1000, 3000, true});
    ProjectEditor planned(byPlan);
    for (ProjectEditor* e : {editor_.get(), &planned}) {
        ASSERT_TRUE(e->apply(edit::SetWidth{45000}));
        ASSERT_TRUE(e->apply(edit::SetHeight{27000}));
        ASSERT_TRUE(e->apply(edit::SetDoorCount{4}));
    }
    const CalcResult& billed = project_->result;
    const auto& colors = byPlan.handleProfile->colors();
    for (int pass = 0; pass < 2; ++pass) {
        const CalcResult& priced = byPlan.result;
        ASSERT_EQ(priced.articleLines.size(), billed.articleLines.size());
        const auto plans = planArticles(priced, 1000, 3000);
        ASSERT_FALSE(plans.empty());
        for (size_t i = 0; i < priced.articleLines.size(); ++i) {
            const ArticleLine& line = priced.articleLines[i];
            const ArticleLine& bill = billed.articleLines[i];
            const auto plan = std::find_if(plans.begin(), plans.end(), [&](const ArticlePlan& p) {
                return p.lineIndex == static_cast<int32_t>(i);
            });
            if (plan == plans.end() || plan->byLength) {
                EXPECT_EQ(line.quantity, bill.quantity) << line.code;
                continue;
            }
            EXPECT_EQ(line.quantity, static_cast<int32_t>(plan->bars.size())) << line.code;
            EXPECT_GT(line.quantity, bill.quantity)
                << line.code << ": a 100 mm kerf and a 300 mm trim on 2.7 m doors";
        }
        if (colors.size() < 2) break;
        if (pass == 0) {
            ASSERT_TRUE(planned.apply(edit::SetProfileColor{colors[1].color}));
        }
    }
}

} // namespace
} // namespace dalvex
