#include "project_test_support.h"

#include "calc/line_amounts.h"
#include "text/format.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace dalvex {
namespace {

class OrderTotals : public testing::ProjectTest {
protected:
    // Replaces the bill with the given article amounts (an error text where given) and material amounts.
    using Lines = std::vector<std::pair<int32_t, const char*>>;
    void bill(const Lines& articles, const Lines& materials = {}) {
        CalcResult& r = project_->result;
        r.articleLines.clear();
        r.materialLines.clear();
        for (const auto& [amount, error] : articles) {
            ArticleLine line;
            line.amount = amount;
            line.error = error;
            r.articleLines.push_back(line);
        }
        for (const auto& [amount, error] : materials) {
            MaterialLine line;
            line.amount = amount;
            line.error = error;
            r.materialLines.push_back(line);
        }
        r.totalsDirty = true;
    }
};

TEST_F(OrderTotals, DiscountAndExtraCharges) {
    const struct {
        int32_t items;
        double percent;
        int32_t assembly;
        int32_t delivery;
        int32_t discount;
        int32_t grand;
        const char* text;
    } cases[] = {
        {100000, 5, 1500, 0, 5000, 245000, "2450,00 руб."},
        {333, 10, 0, 0, 34, 299, "  2,99 руб."},       // 33.3 rounded up
        {100000, 7, 0, 0, 7001, 92999, "929,99 руб."}, // 0.07 * 100000 is just above 7000 in doubles
        {100000, 0, 0, 250, 0, 125000, "1250,00 руб."},
        {100000, 100, 0, 0, 100000, 0, "  0,00 руб."},
        {12345, 0, -5, -7, 0, 12345, "123,45 руб."}, // negative charges are not added
    };
    for (const auto& c : cases) {
        bill({{c.items, ""}});
        ASSERT_TRUE(apply(edit::SetDiscount{c.percent}));
        project_->orderCard.assemblyCost = c.assembly;
        project_->orderCard.deliveryCost = c.delivery;
        EXPECT_EQ(project_->itemsTotal(), c.items);
        EXPECT_EQ(project_->discountAmount(), c.discount) << c.items << " " << c.percent;
        EXPECT_EQ(project_->grandTotal(), c.grand) << c.items << " " << c.percent;
        EXPECT_EQ(project_->grandTotalText(), c.text) << c.items << " " << c.percent;
    }
}

TEST_F(OrderTotals, ErrorLineMeansNoPrice) {
    project_->orderCard.assemblyCost = 1500;
    project_->orderCard.deliveryCost = 200;
    ASSERT_TRUE(apply(edit::SetDiscount{10}));
    bill({{50000, ""}, {100, "ОШИБКА: длина"}, {700, ""}}, {{3000, ""}});
    EXPECT_EQ(project_->itemsTotal(), 0);
    EXPECT_EQ(project_->discountAmount(), 0);
    EXPECT_EQ(project_->grandTotal(), 170000); // only the extra charges
    EXPECT_EQ(project_->grandTotalText(), "ОШИБКА");

    bill({{50000, ""}}, {{3000, ""}, {100, "ОШИБКА: Неподходящая толщина!"}});
    EXPECT_EQ(project_->grandTotalText(), "ОШИБКА");

    bill({{50000, ""}}, {{3000, ""}});
    EXPECT_EQ(project_->itemsTotal(), 53000);
}

// A negative amount, or one that takes the sum beyond what the grand total can hold with the largest extra
// charges, is an error on its line instead of a wrong total.
TEST_F(OrderTotals, AmountsTheTotalsCannotHoldAreLineErrors) {
    const std::string none;
    const std::string negative = kNegativePriceText;
    const std::string tooLarge = kAmountTooLargeText;
    const struct {
        const char* what;
        Lines articles;
        Lines materials;
        std::vector<std::string> errors; // of the article lines, then of the material lines
        int32_t items;
    } cases[] = {
        {"in order", {{50000, ""}}, {{3000, ""}}, {none, none}, 53000},
        {"a negative article", {{50000, ""}, {-1650, ""}}, {}, {none, negative}, 0},
        {"a negative material", {{50000, ""}}, {{-165000, ""}}, {none, negative}, 0},
        {"exactly what the totals hold", {{kMaxItemsTotal - 1, ""}}, {{1, ""}}, {none, none}, kMaxItemsTotal},
        {"one kopeck more", {{kMaxItemsTotal, ""}}, {{1, ""}}, {none, tooLarge}, 0},
        {"a saturated line", {{std::numeric_limits<int32_t>::max(), ""}}, {}, {tooLarge}, 0},
        {"two lines that fit alone", {{1200000000, ""}, {1200000000, ""}}, {}, {none, tooLarge}, 0},
        {"an error already there", {{-5, "ОШИБКА: длина"}}, {}, {"ОШИБКА: длина"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        bill(c.articles, c.materials);
        for (int pass = 0; pass < 2; ++pass) { // a second check changes nothing
            checkLineAmounts(project_->result);
            std::vector<std::string> errors;
            for (const ArticleLine& line : project_->result.articleLines)
                errors.push_back(line.error);
            for (const MaterialLine& line : project_->result.materialLines)
                errors.push_back(line.error);
            EXPECT_EQ(errors, c.errors);
        }
        EXPECT_EQ(project_->itemsTotal(), c.items);
    }
    // A negative amount from a negative quantity (a door squeezed below nothing) is not the price list's.
    bill({{50000, ""}, {-363, ""}});
    project_->result.articleLines[1].quantity = -220;
    checkLineAmounts(project_->result);
    EXPECT_EQ(project_->result.articleLines[1].error, kNegativeQuantityText);
}

TEST_F(OrderTotals, TotalIsCachedUntilMarkedDirty) {
    bill({{1000, ""}});
    EXPECT_EQ(project_->itemsTotal(), 1000);
    project_->result.articleLines.front().amount = 2000;
    EXPECT_EQ(project_->itemsTotal(), 1000);
    ASSERT_TRUE(apply(edit::SetDiscount{1})); // a discount change re-sums
    EXPECT_EQ(project_->itemsTotal(), 2000);
}

TEST_F(OrderTotals, HugeChargesDoNotOverflow) {
    bill({{std::numeric_limits<int32_t>::max(), ""}});
    project_->orderCard.assemblyCost = std::numeric_limits<int32_t>::max();
    project_->orderCard.deliveryCost = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(project_->grandTotal(), std::numeric_limits<int32_t>::max());
}

TEST_F(OrderTotals, NothingPricedWithoutPriceLists) {
    // The catalogue of an empty program folder has no prices: nothing can be quoted.
    project_->result.totalsDirty = true;
    EXPECT_EQ(project_->grandTotalText(), "ОШИБКА");
}

TEST(OrderTotalsSample, FreshProjectIsPricedFromTheSampleLists) {
    Catalogue catalogue(DALVEX_BINARY_DIR);
    Project project(catalogue, std::filesystem::path(DALVEX_BINARY_DIR) / "no-such-config");
    EXPECT_EQ(project.orderCard.orderNumber, "00001");
    int64_t sum = 0;
    for (const ArticleLine& line : project.result.articleLines) {
        EXPECT_TRUE(line.error.empty()) << line.code << ": " << line.error;
        sum += line.amount;
    }
    for (const MaterialLine& line : project.result.materialLines)
        sum += line.amount;
    ASSERT_GT(sum, 0);
    EXPECT_EQ(project.itemsTotal(), sum);

    ASSERT_TRUE(ProjectEditor(project).apply(edit::SetDiscount{5}));
    project.orderCard.assemblyCost = 1500;
    const int32_t discount = static_cast<int32_t>(std::ceil(0.05 * static_cast<double>(sum)));
    EXPECT_EQ(project.discountAmount(), discount);
    EXPECT_EQ(project.grandTotal(), sum - discount + 150000);
    EXPECT_EQ(project.grandTotalText(),
              format("%6.2f руб.", static_cast<double>(sum - discount + 150000) / 100.0));
}

} // namespace
} // namespace dalvex
