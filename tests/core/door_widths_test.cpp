#include "project/door_widths.h"
#include "text/millimetres.h"

#include "project_test_support.h"

#include <limits>
#include <string>
#include <vector>

namespace dalvex {
namespace {

using Outcome = DoorWidthsEditor::Outcome;

class DoorWidths : public testing::ProjectTest {
protected:
    // Three doors of 1010 mm in an opening whose doors add up to 3030 mm, as the calculator would leave them
    // after the user had set them by hand.
    void SetUp() override {
        ProjectTest::SetUp();
        resetWidths();
    }
    void resetWidths() {
        DoorSketch& s = project_->sketch;
        s.doorsTotalWidth = 30300;
        for (int i = 0; i < 3; ++i)
            s.doors[i].width = s.doors[i].previousWidth = 10100;
    }
    std::vector<int32_t> widths() const {
        std::vector<int32_t> w;
        for (int i = 0; i < project_->sketch.doorCount; ++i)
            w.push_back(project_->sketch.doors[i].width);
        return w;
    }
    // The dialog's OK: the check answers, and what it accepts is the editing operation.
    DoorWidthsEditor::Result ok(const DoorWidthsEditor& editor, const std::vector<std::string>& typed,
                                const std::vector<int32_t>& newRows, bool confirm) {
        const DoorWidthsEditor::Result result = editor.check(typed, newRows, confirm);
        if (result.outcome == Outcome::Applied) {
            EXPECT_TRUE(apply(edit::DoorWidths{typed, newRows}));
        }
        return result;
    }
    std::vector<int32_t> rows() const {
        std::vector<int32_t> r;
        for (int i = 0; i < project_->sketch.doorCount; ++i)
            r.push_back(project_->sketch.doors[i].row);
        return r;
    }
};

TEST_F(DoorWidths, ShowsWidthsRowsAndRemainder) {
    DoorWidthsEditor editor(*project_);
    const DoorWidthsView view = editor.begin();
    EXPECT_EQ(view.widths, (std::vector<int32_t>{10100, 10100, 10100}));
    EXPECT_EQ(view.rows, rows());
    EXPECT_EQ(view.remainder, 0);
    EXPECT_TRUE(view.rowsEditable);

    project_->sketch.doors[2].width = 10000 - 5; // the remainder keeps its tenth
    EXPECT_EQ(editor.begin().remainder, 105);
}

TEST_F(DoorWidths, TypedWidthsAndTheirChecks) {
    const struct {
        std::vector<std::string> typed;
        bool confirm;
        Outcome outcome;
        int32_t value;
        std::vector<int32_t> after;
    } cases[] = {
        {{"1010", "1010", "1010"}, false, Outcome::Applied, 0, {10100, 10100, 10100}},
        {{"1000", "1010", "1010"}, false, Outcome::AskPositiveRemainder, 100, {10100, 10100, 10100}},
        {{"1000", "1010", "1010"}, true, Outcome::Applied, 0, {10000, 10100, 10100}},
        {{"1020", "1010", "1010"}, true, Outcome::RefusedNegativeRemainder, 100, {10100, 10100, 10100}},
        {{"99", "1921", "1010"}, false, Outcome::RefusedTooNarrow, 1000, {10100, 10100, 10100}},
        {{"", "1010", "1010"}, false, Outcome::AskPositiveRemainder, 10100, {10100, 10100, 10100}},
        {{"", "1010", "1010"}, true, Outcome::RefusedTooNarrow, 1000, {10100, 10100, 10100}},
        {{"abc", "2020", "1010"}, false, Outcome::RefusedTooNarrow, 1000, {10100, 10100, 10100}},
        {{"1510", "1010", "510"}, false, Outcome::Applied, 0, {15100, 10100, 5100}},
        {{"1010", "1010"}, false, Outcome::AskPositiveRemainder, 10100, {10100, 10100, 10100}},
        // A decimal is kept as its tenth, never taken as more digits.
        {{"1009,5", "1010.5", "1010"}, false, Outcome::Applied, 0, {10095, 10105, 10100}},
        {{"1009,5", "1010", "1010"}, false, Outcome::AskPositiveRemainder, 5, {10100, 10100, 10100}},
    };
    for (const auto& c : cases) {
        resetWidths();
        DoorWidthsEditor editor(*project_);
        editor.begin();
        const auto result = ok(editor, c.typed, rows(), c.confirm);
        const std::string label = c.typed[0] + "/" + c.typed[1] + (c.confirm ? " confirmed" : "");
        EXPECT_EQ(result.outcome, c.outcome) << label;
        EXPECT_EQ(result.value, c.value) << label;
        EXPECT_FALSE(result.rowsChanged) << label;
        EXPECT_EQ(widths(), c.after) << label;
    }
}

TEST_F(DoorWidths, RemainderOfTypedWidths) {
    DoorWidthsEditor editor(*project_);
    EXPECT_EQ(editor.remainderFor({"1010", "1010", "1010"}), 0);
    EXPECT_EQ(editor.remainderFor({"1000", "1010", "1010"}), 100);
    EXPECT_EQ(editor.remainderFor({"1020", "1010", "1010"}), -100);
    EXPECT_EQ(editor.remainderFor({"", "1010", "1010"}), 10100);
    EXPECT_EQ(editor.remainderFor({"12x", "1010", "1010"}), 10100);
    EXPECT_EQ(editor.remainderFor({"1 009,75", "1010", "1010"}), 2);
    EXPECT_EQ(editor.remainderFor({"2147483647", "2147483647", "2147483647"}),
              std::numeric_limits<int32_t>::min());
}

TEST_F(DoorWidths, AppliedWidthsKeepDividerProportions) {
    splitVertically(0, 5000);
    resetWidths();
    DoorSketch& s = project_->sketch;
    s.doors[0].dividers.at(1).position = 5050;
    s.doors[0].updateInsertEdges();
    DoorWidthsEditor editor(*project_);
    editor.begin();
    const auto result = ok(editor, {"808", "1212", "1010"}, rows(), false);
    ASSERT_EQ(result.outcome, Outcome::Applied);
    EXPECT_EQ(widths(), (std::vector<int32_t>{8080, 12120, 10100}));
    EXPECT_EQ(s.doors[0].dividers.at(1).position, 4040);
}

TEST_F(DoorWidths, ChangedRowsWinOverTypedWidths) {
    DoorWidthsEditor editor(*project_);
    editor.begin();
    std::vector<int32_t> newRows = rows();
    ASSERT_EQ(newRows, (std::vector<int32_t>{0, 1, 0}));
    newRows[1] = 0;
    const auto result = ok(editor, {"500", "20", "9999"}, newRows, false);
    EXPECT_EQ(result.outcome, Outcome::Applied);
    EXPECT_TRUE(result.rowsChanged);
    EXPECT_EQ(rows(), newRows);
    // The calculator shared the opening out again: equal doors, no typed width among them.
    const std::vector<int32_t> w = widths();
    EXPECT_EQ(w[0], w[1]);
    EXPECT_EQ(w[1], w[2]);
    EXPECT_GT(w[0], 0);
    EXPECT_NE(w[0], 5000);
}

TEST_F(DoorWidths, FeldorRowsAreNotEditable) {
    apply(edit::SelectSystem{feldor()});
    DoorWidthsEditor editor(*project_);
    const DoorWidthsView view = editor.begin();
    EXPECT_FALSE(view.rowsEditable);
    std::vector<int32_t> flipped = view.rows;
    for (int32_t& r : flipped)
        r = 1 - r;
    std::vector<std::string> typed;
    for (int32_t w : view.widths)
        typed.push_back(millimetresText(w));
    const auto result = ok(editor, typed, flipped, true);
    EXPECT_EQ(result.outcome, Outcome::Applied);
    EXPECT_FALSE(result.rowsChanged);
    EXPECT_EQ(rows(), view.rows);
}

TEST_F(DoorWidths, TenDoors) {
    ASSERT_TRUE(apply(edit::SetDoorCount{10}));
    DoorWidthsEditor editor(*project_);
    const DoorWidthsView view = editor.begin();
    ASSERT_EQ(view.widths.size(), 10u);
    ASSERT_EQ(view.rows.size(), 10u);
    std::vector<std::string> typed;
    for (int32_t w : view.widths)
        typed.push_back(millimetresText(w));
    const auto result = ok(editor, typed, view.rows, false);
    // Entries left as shown keep the remainder shown at opening.
    EXPECT_EQ(result.outcome, view.remainder > 0 ? Outcome::AskPositiveRemainder : Outcome::Applied);
    EXPECT_EQ(ok(editor, typed, view.rows, true).outcome, Outcome::Applied);
}

TEST_F(DoorWidths, UntouchedEntriesKeepTheRemainderShownAtOpening) {
    // Widths that are not whole millimetres: 3 x 1010.3 mm in 3030.9 mm.
    DoorSketch& s = project_->sketch;
    s.doorsTotalWidth = 30309;
    for (int i = 0; i < 3; ++i)
        s.doors[i].width = s.doors[i].previousWidth = 10103;
    DoorWidthsEditor editor(*project_);
    const DoorWidthsView view = editor.begin();
    EXPECT_EQ(view.remainder, 0);
    EXPECT_EQ(view.widths, (std::vector<int32_t>{10103, 10103, 10103}));
    EXPECT_EQ(editor.remainderFor({"1010", "1010", "1010"}), 9);
    EXPECT_EQ(ok(editor, {"1010,3", "1010,3", "1010,3"}, rows(), false).outcome, Outcome::Applied);
    EXPECT_EQ(widths(), (std::vector<int32_t>{10103, 10103, 10103}));
}

TEST_F(DoorWidths, MessageTexts) {
    EXPECT_EQ(
        DoorWidthsEditor::message({Outcome::AskPositiveRemainder, 100, false}),
        "Суммарная ширина дверей меньше ширины проема на 10 мм. Останется пустое пространсто, продолжить?");
    EXPECT_EQ(DoorWidthsEditor::message({Outcome::RefusedNegativeRemainder, 105, false}),
              "Суммарная ширина дверей больше ширины проема на 10,5 мм. Уменьшите общую ширину дверей на это "
              "значение.");
    EXPECT_EQ(DoorWidthsEditor::message({Outcome::RefusedTooNarrow, 1000, false}),
              "Ширина двери не должна быть меньше 100 мм.");
    EXPECT_EQ(DoorWidthsEditor::message({Outcome::Applied, 0, false}), "");
}

} // namespace
} // namespace dalvex
