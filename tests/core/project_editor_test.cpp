// The editing operations as one set, as EditOps: each refuses without a trace, every step is undone and
// redone exactly under its label, the listener hears every change, and a typing is one step.
#include "catalogue/catalogue.h"
#include "orders/order_numbers.h"
#include "project/order_queries.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "project/project_files.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dalvex {
namespace {

// Everything a client can see of the order: the file it saves to, every result line and the totals, the
// chosen system's options and the roller entry.
std::string fingerprint(const ProjectEditor& editor) {
    const Project& p = editor.project();
    std::string s = writeSketchBytes(p);
    auto add = [&s](const std::string& field) {
        s += field;
        s += '|';
    };
    for (const ArticleLine& l : p.result.articleLines)
        for (const std::string& f : {l.code, l.name, std::to_string(l.barLength), std::to_string(l.quantity),
                                     std::to_string(l.amount), l.error})
            add(f);
    for (const MaterialLine& l : p.result.materialLines)
        for (const std::string& f :
             {l.name, l.description, std::to_string(l.area), std::to_string(l.amount), l.error})
            add(f);
    for (const CutLine& l : p.result.cutLines)
        for (const std::string& f : {l.label, l.code, l.length, l.number, std::to_string(l.doorIndex)})
            add(f);
    for (const PanelLine& l : p.result.panelLines)
        for (const std::string& f : {l.label, l.materialName, l.height, l.width, l.number})
            add(f);
    for (const DoorLine& l : p.result.doorLines)
        for (const std::string& f : {l.doorNumber, l.kind, l.code, l.number})
            add(f);
    add(p.grandTotalText());
    const SystemOptions& o = p.calculator->own(p.options);
    add(std::to_string(o.pivot) + std::to_string(o.heightOffset) + std::to_string(o.mountInside) +
        (o.runningProfile ? o.runningProfile->code : "") + (o.guideProfile ? o.guideProfile->code : ""));
    add(currentRollerEntry(p));
    add(p.handleProfile ? std::to_string(p.options.barChoice(*p.handleProfile)) : "");
    return s;
}

class ProjectEditorTest : public ::testing::Test {
public:
    void SetUp() override {
        std::filesystem::create_directories(folder_.path() / "config");
        project_ = std::make_unique<Project>(catalogue(), folder_.path() / "config");
        editor_ = std::make_unique<ProjectEditor>(*project_);
        heard_.clear();
        editor_->setListener([this](const Changes& c) { heard_.push_back(c); });
    }
    // The sample data: every line priced, materials to fill with.
    static Catalogue& catalogue() {
        static Catalogue c(DALVEX_BINARY_DIR);
        return c;
    }
    static const Material* material(size_t collection, size_t index) {
        return &catalogue().collections().at(collection).materials.at(index);
    }
    static const DSSystem* system(const char* name) { return catalogue().findSystem(name); }
    Project& p() { return *project_; }
    ProjectEditor& e() { return *editor_; }

    testing::TempFolder folder_{"dalvex-editor"};
    std::unique_ptr<Project> project_;
    std::unique_ptr<ProjectEditor> editor_;
    std::vector<Changes> heard_; // what the listener was told, in order
};

// Two vertical dividers in door 0, the second split horizontally: dividers 1 and 2, inserts 1 to 3.
const std::vector<EditOp> kSplitDoor0 = {edit::Split{0, 1, 3000, true}, edit::Split{0, 2, 8000, false}};

struct Operation {
    const char* name;
    std::vector<EditOp> prepare; // steps before, part of the history
    EditOp op;
};

TEST_F(ProjectEditorTest, EveryOperationIsOneLabelledStepUndoneAndRedoneExactly) {
    OrderCard card;
    card.customerName = "Иванов";
    card.assemblyCost = 1500;
    const std::vector<Operation> ops = {
        {"system", {}, edit::SelectSystem{system("Далвекс")}},
        {"handle", {}, edit::SetHandleProfile{system("Борвик")->handleProfileList.at(1)}},
        {"colour",
         {},
         edit::SetProfileColor{system("Борвик")->handleProfileList.at(0)->colors().back().color}},
        {"divider profile", {}, edit::SetDividerProfile{system("Борвик")->dividerProfiles.back()}},
        {"width", kSplitDoor0, edit::SetWidth{24000}},
        {"height", kSplitDoor0, edit::SetHeight{25000}},
        {"doors", kSplitDoor0, edit::SetDoorCount{2}},
        {"chipboard", {edit::SelectSystem{system("Далвекс")}}, edit::SetChipboardWidth{200}},
        {"plinth", {edit::SelectSystem{system("Далвекс")}}, edit::SetPlinthHeight{800}},
        {"discount", {}, edit::SetDiscount{7.5}},
        {"mounting", {edit::SelectSystem{system("Фелдор")}}, edit::ToggleOption{}},
        {"edge profiles", {edit::SelectSystem{system("Далвекс")}}, edit::ToggleOption{}},
        {"pivot", {edit::SetDoorCount{2}}, edit::ChooseRollers{std::string(kPivotEntry)}},
        {"height offset", {}, edit::SetHeightOffset{-33}},
        {"bar length", {}, edit::ChooseBarLength{2}},
        {"running profile", {edit::SelectSystem{system("Герлит")}}, edit::ToggleRunningProfile{}},
        {"guide profile", {edit::SelectSystem{system("Герлит")}}, edit::ToggleGuideProfile{}},
        {"split", {}, edit::Split{1, 1, 2000, true}},
        {"remove divider", kSplitDoor0, edit::RemoveDivider{0, 2}},
        {"move divider", kSplitDoor0, edit::MoveDivider{0, 1, 4000}},
        {"joint", kSplitDoor0, edit::MoveJoint{0, 500}},
        {"insert size", kSplitDoor0, edit::InsertSize{0, 2, 6000, false}},
        {"paste", kSplitDoor0, edit::PasteDoor{0, 2}},
        {"align",
         {edit::Split{1, 1, 1000, true}, edit::Split{1, 2, 2000, true}},
         edit::AlignDividers{1, true}},
        {"fill", kSplitDoor0, edit::Fill{0, 2, material(0, 0)}},
        {"fill across", {}, edit::Fill{1, 1, material(4, 0), 0, 2}},
        {"clear material", {edit::Fill{0, 1, material(1, 0)}}, edit::ClearMaterial{0, 1}},
        {"door widths", {}, edit::DoorWidths{{"1000", "1100", "900"}, {0, 1, 0}}},
        {"rows", {}, edit::DoorWidths{{"1000", "1000", "1000"}, {1, 0, 1}}},
        {"card", {}, edit::SetOrderCard{card}},
        {"clear sketch", kSplitDoor0, edit::ClearSketch{}},
    };
    for (const Operation& op : ops) {
        SCOPED_TRACE(op.name);
        SetUp();
        for (const EditOp& step : op.prepare)
            ASSERT_TRUE(e().apply(step).applied);
        const std::string before = fingerprint(e());
        heard_.clear();
        const Changes changes = e().apply(op.op);
        ASSERT_TRUE(changes.applied);
        ASSERT_EQ(heard_.size(), 1u); // the listener hears the change once
        const std::string after = fingerprint(e());
        ASSERT_NE(after, before);
        ASSERT_TRUE(e().modified());
        EXPECT_EQ(e().undoLabel(), label(op.op));
        ASSERT_TRUE(e().apply(edit::Undo{}).applied);
        EXPECT_EQ(fingerprint(e()), before);
        EXPECT_EQ(e().redoLabel(), label(op.op));
        ASSERT_TRUE(e().apply(edit::Redo{}).applied);
        EXPECT_EQ(fingerprint(e()), after);
        EXPECT_FALSE(e().canRedo());
        // Undo and redo tell what the step changed, and nothing it did not.
        EXPECT_EQ(heard_.size(), 3u);
        EXPECT_EQ(heard_.back().choices, changes.choices);
        EXPECT_EQ(heard_.back().card, changes.card);
    }
}

TEST_F(ProjectEditorTest, RefusedOperationsLeaveNoTraceAndNoStep) {
    const std::vector<std::pair<const char*, EditOp>> refused = {
        {"same system", edit::SelectSystem{system("Борвик")}},
        {"foreign handle", edit::SetHandleProfile{catalogue().findHandleProfile("JW03")}},
        {"width too small", edit::SetWidth{999}},
        {"height too large", edit::SetHeight{100001}},
        {"door count not offered", edit::SetDoorCount{11}},
        {"plinth without plinth", edit::SetPlinthHeight{800}},
        {"discount above 100", edit::SetDiscount{100.5}},
        {"no option", edit::ToggleOption{}},
        {"unknown roller entry", edit::ChooseRollers{"нет такого"}},
        {"odd height offset", edit::SetHeightOffset{-35}},
        {"no such bar", edit::ChooseBarLength{3}},
        {"Gerlit toggle elsewhere", edit::ToggleRunningProfile{}},
        {"split too close", edit::Split{0, 1, 100, true}},
        {"split of a door not in use", edit::Split{5, 1, 3000, true}},
        {"no such divider", edit::RemoveDivider{0, 7}},
        {"joint too far", edit::MoveJoint{0, 9500}},
        {"joint after the last door", edit::MoveJoint{2, 100}},
        {"paste onto itself", edit::PasteDoor{1, 1}},
        {"align without dividers", edit::AlignDividers{0, true}},
        {"fill across a range without the door", edit::Fill{2, 1, nullptr, 0, 1}},
        {"clear an empty insert", edit::ClearMaterial{0, 1}},
        {"doors wider than the opening", edit::DoorWidths{{"2000", "2000", "2000"}, {}}},
        {"door too narrow", edit::DoorWidths{{"50", "1000", "1000"}, {}}},
        {"nothing to undo", edit::Undo{}},
        {"nothing to redo", edit::Redo{}},
    };
    const std::string before = fingerprint(e());
    for (const auto& [name, op] : refused) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(e().apply(op).applied);
        EXPECT_EQ(fingerprint(e()), before);
        EXPECT_FALSE(e().canUndo());
        EXPECT_FALSE(e().modified());
    }
    EXPECT_TRUE(heard_.empty());
}

// An operation that names no record of the order's catalogue (none, one of another catalogue built from the
// same folder, or one of no catalogue) is refused: never read as "none", so a fill never clears.
TEST_F(ProjectEditorTest, OperationsNamingNoRecordOfTheCatalogueAreRefused) {
    static Catalogue other(DALVEX_BINARY_DIR);
    const DSSystem* otherBorvik = other.findSystem("Борвик");
    Material stray = *material(0, 1);
    const std::vector<std::pair<const char*, EditOp>> refused = {
        {"fill with no material", edit::Fill{0, 1, nullptr}},
        {"fill across doors with no material", edit::Fill{0, 1, nullptr, 0, 2}},
        {"fill with another catalogue's material",
         edit::Fill{0, 1, &other.collections().at(0).materials.at(1)}},
        {"fill with a material of no catalogue", edit::Fill{0, 1, &stray, 0, 1}},
        {"no system", edit::SelectSystem{nullptr}},
        {"another catalogue's system", edit::SelectSystem{other.findSystem("Далвекс")}},
        {"no handle", edit::SetHandleProfile{nullptr}},
        {"another catalogue's handle", edit::SetHandleProfile{otherBorvik->handleProfileList.at(1)}},
        {"no colour", edit::SetProfileColor{nullptr}},
        {"another catalogue's colour",
         edit::SetProfileColor{otherBorvik->handleProfileList.at(0)->colors().back().color}},
        {"no divider profile", edit::SetDividerProfile{nullptr}},
        {"another catalogue's divider profile", edit::SetDividerProfile{otherBorvik->dividerProfiles.back()}},
        {"unknown roller set", edit::ChooseRollers{"RS-нет"}},
    };
    // An insert holding a mirror, opened from a file so that the history starts empty.
    ASSERT_TRUE(e().apply(edit::Fill{0, 1, material(0, 0)}).applied);
    const std::filesystem::path file = folder_.path() / "mirror.dlx";
    ASSERT_EQ(p().save(file), kSketchOk);
    ASSERT_EQ(e().open(file), kSketchOk);
    heard_.clear();
    const std::string before = fingerprint(e());
    for (const auto& [name, op] : refused) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(e().apply(op).applied);
        EXPECT_EQ(fingerprint(e()), before);
        EXPECT_FALSE(e().canUndo());
    }
    EXPECT_TRUE(heard_.empty());
}

// What the user points at is kept beside the order: drawing, dragging and sizing select the divider, and
// what an operation takes away is no longer selected.
TEST_F(ProjectEditorTest, TheSelectionFollowsTheOperations) {
    for (const EditOp& op : kSplitDoor0)
        ASSERT_TRUE(e().apply(op));
    EXPECT_EQ(e().selection().dividerDoor, 0);
    EXPECT_EQ(e().selection().dividerId, 2); // the divider just drawn
    EXPECT_FALSE(e().apply(edit::Split{0, 1, 100, true}));
    EXPECT_EQ(e().selection().dividerDoor, -1); // a refused split selects none
    // A drag selects the dragged divider even when it cannot go where it was dropped; a joint is no divider.
    EXPECT_FALSE(e().apply(edit::MoveDivider{0, 1, 100}));
    EXPECT_EQ(e().selection().dividerId, 1);
    ASSERT_TRUE(e().apply(edit::MoveJoint{0, 100}));
    EXPECT_EQ(e().selection().dividerDoor, -1);
    ASSERT_TRUE(e().apply(edit::InsertSize{0, 2, 6000, false}));
    EXPECT_EQ(e().selection().dividerId, 2); // the divider the dialog sized
    ASSERT_TRUE(e().apply(edit::RemoveDivider{0, 2}));
    EXPECT_EQ(e().selection().dividerDoor, -1); // removed
    ASSERT_TRUE(e().apply(edit::Split{0, 2, 8000, false}));
    ASSERT_TRUE(e().selectInsert(0, 4));
    ASSERT_TRUE(e().apply(edit::RemoveDivider{0, 3})); // insert 4 merges into insert 2
    EXPECT_FALSE(e().selection().hasInsert());
    EXPECT_FALSE(e().selectInsert(4, 1)); // not a door in use

    // A paste over the selected insert's door, or a new door count, leaves nothing selected there.
    ASSERT_TRUE(e().apply(edit::Split{2, 1, 5000, true}));
    ASSERT_TRUE(e().selectInsert(2, 1));
    ASSERT_TRUE(e().apply(edit::PasteDoor{0, 2}));
    EXPECT_FALSE(e().selection().hasInsert());
    EXPECT_EQ(e().selection().dividerDoor, -1); // the divider drawn there went with the paste
    EXPECT_EQ(e().selection().copiedDoor, 0);
    EXPECT_FALSE(e().apply(edit::PasteDoor{0, 0}));
    EXPECT_EQ(e().selection().copiedDoor, -1); // a paste that names no pair of doors forgets the copy
    ASSERT_TRUE(e().selectInsert(1, 1));
    ASSERT_TRUE(e().apply(edit::SetDoorCount{2}));
    EXPECT_FALSE(e().selection().hasInsert());
    // Undo may give the ids other inserts: the selection goes.
    ASSERT_TRUE(e().selectInsert(0, 1));
    ASSERT_TRUE(e().apply(edit::Undo{}));
    EXPECT_FALSE(e().selection().hasInsert());
    // New rows lay every door out anew.
    ASSERT_TRUE(e().selectInsert(0, 1));
    ASSERT_TRUE(e().apply(edit::DoorWidths{{"1000", "1000", "1000"}, {1, 0, 1}}));
    EXPECT_FALSE(e().selection().hasInsert());
}

TEST_F(ProjectEditorTest, TypingAppliesEveryKeystrokeToTheStateTypingBeganWith) {
    for (const EditOp& op : {EditOp{edit::Split{0, 1, 3000, true}}, EditOp{edit::Split{1, 1, 4000, true}},
                             EditOp{edit::Split{1, 2, 9000, false}}})
        ASSERT_TRUE(e().apply(op));
    const std::string start = fingerprint(e());
    int typing = 0;
    for (const std::vector<int32_t>& keystrokes :
         {std::vector<int32_t>{20, 240, 2400, 24000}, std::vector<int32_t>{32000, 999990, 32000},
          std::vector<int32_t>{32000, 20}}) {
        const int32_t wanted = keystrokes.back();
        ProjectEditor once(p());
        const bool taken = once.apply(edit::SetWidth{wanted}).applied;
        const std::string setOnce = fingerprint(once);
        if (taken) {
            ASSERT_TRUE(once.apply(edit::Undo{}));
        }

        const std::string key = "width " + std::to_string(++typing);
        for (int32_t value : keystrokes)
            e().apply(edit::SetWidth{value}, key);
        EXPECT_EQ(fingerprint(e()), setOnce) << wanted;
        // The whole typing is one step, or none when it ends on a refused value.
        EXPECT_EQ(e().undoLabel(), label(taken ? EditOp{edit::SetWidth{}} : EditOp{edit::Split{}}));
        if (taken) {
            ASSERT_TRUE(e().apply(edit::Undo{}).applied);
        }
        EXPECT_EQ(fingerprint(e()), start);
    }
    // Another key, or the same key after any other operation, is a step of its own.
    ASSERT_TRUE(e().apply(edit::SetWidth{24000}, "width"));
    ASSERT_TRUE(e().apply(edit::SetHeight{24000}, "height"));
    ASSERT_TRUE(e().apply(edit::SetWidth{25000}, "width"));
    ASSERT_TRUE(e().apply(edit::Undo{}));
    EXPECT_EQ(p().width, 24000);
    ASSERT_TRUE(e().apply(edit::Undo{}));
    EXPECT_EQ(p().height, 20000);
    EXPECT_EQ(p().width, 24000);
    ASSERT_TRUE(e().apply(edit::Undo{}));
    EXPECT_EQ(p().width, 30000);
}

TEST_F(ProjectEditorTest, HistoryKeepsTheLastHundredStepsAndStartsAnewOnOpen) {
    for (int i = 0; i < 120; ++i)
        ASSERT_TRUE(e().apply(edit::SetWidth{20000 + 10 * i}));
    int undone = 0;
    while (e().apply(edit::Undo{}).applied)
        ++undone;
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(p().width, 20000 + 10 * 19);

    const auto file = folder_.path() / "order.dlx";
    ASSERT_EQ(p().save(file), kSketchOk);
    ASSERT_TRUE(e().apply(edit::Redo{}).applied);
    heard_.clear();
    ASSERT_EQ(e().open(file), kSketchOk);
    ASSERT_EQ(heard_.size(), 1u);
    EXPECT_TRUE(heard_[0].opened);
    EXPECT_FALSE(e().canUndo());
    EXPECT_FALSE(e().canRedo());
    EXPECT_FALSE(e().modified());
    ASSERT_TRUE(e().apply(edit::SetWidth{25000}));
    EXPECT_TRUE(e().modified());
    e().markSaved();
    EXPECT_FALSE(e().modified());
    ASSERT_TRUE(e().apply(edit::Undo{}).applied);
    EXPECT_TRUE(e().modified());
    ASSERT_TRUE(e().apply(edit::Redo{}).applied);
    EXPECT_FALSE(e().modified()); // back where it was saved
    // A typing goes on after a save as a step of its own: what was saved stays told apart.
    ASSERT_TRUE(e().apply(edit::SetWidth{26000}, "width"));
    e().markSaved();
    ASSERT_TRUE(e().apply(edit::SetWidth{27000}, "width"));
    EXPECT_TRUE(e().modified());
    ASSERT_TRUE(e().apply(edit::Undo{}).applied);
    EXPECT_FALSE(e().modified());
    EXPECT_EQ(p().width, 26000);
}

// Two programs offered the same number on new cards; each claims just before saving. A number typed by hand,
// or the number of an opened file, stays as it is.
TEST_F(ProjectEditorTest, TwoProgramsNeverSaveTheSameOfferedNumber) {
    const auto config = folder_.path() / "config";
    const auto file = folder_.path() / "order.dlx";
    ASSERT_EQ(p().save(file), kSketchOk);
    struct Case {
        const char* name;
        std::function<void(ProjectEditor&)> before; // done by the second program before it claims
        const char* expected;                       // the second program's number; the first took 00001
        bool renumbered;
        const char* counter; // the counter afterwards
    };
    const Case cases[] = {
        {"offered number taken meanwhile", [](ProjectEditor&) {}, "00002", true, "00003"},
        {"number typed by hand",
         [](ProjectEditor& e) {
             OrderCard card = e.project().orderCard;
             card.orderNumber = "00005";
             e.apply(edit::SetOrderCard{card});
         },
         "00005", false, "00006"},
        {"opened file", [&](ProjectEditor& e) { ASSERT_EQ(e.open(file), kSketchOk); }, "00001", false,
         "00002"},
        {"new order after the first took its number", [](ProjectEditor& e) { e.newOrder(); }, "00002", false,
         "00003"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(config / "number.txt");
        Project first(catalogue(), config), second(catalogue(), config);
        ProjectEditor a(first), b(second);
        ASSERT_EQ(second.orderCard.orderNumber, "00001");
        EXPECT_FALSE(a.apply(edit::ClaimOrderNumber{}).applied); // kept its offered number
        c.before(b);
        const Changes renumbered = b.apply(edit::ClaimOrderNumber{});
        EXPECT_EQ(second.orderCard.orderNumber, c.expected);
        EXPECT_EQ(renumbered.card, c.renumbered);
        EXPECT_EQ(nextOrderNumber(config), c.counter);
        // Not saved after all: the counter goes back; the next save takes the same number again.
        b.releaseOrderNumber();
        EXPECT_EQ(nextOrderNumber(config), "00002");
        EXPECT_FALSE(b.apply(edit::ClaimOrderNumber{}).applied);
        EXPECT_EQ(second.orderCard.orderNumber, c.expected);
        EXPECT_EQ(nextOrderNumber(config), c.counter);
        // Claimed once: a second save of the same order keeps its number.
        EXPECT_FALSE(b.apply(edit::ClaimOrderNumber{}).applied);
    }
}

} // namespace
} // namespace dalvex
