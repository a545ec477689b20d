// The editing operations as one set: each refuses without a trace, and every step is undone and redone
// exactly.
#include "catalogue/catalogue.h"
#include "orders/order_numbers.h"
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
    const SystemOptions o = p.calculator->options();
    add(std::to_string(o.pivot.value_or(false)) + std::to_string(o.heightOffset.value_or(0)) +
        std::to_string(o.mountInside.value_or(false)) + (o.runningProfile ? o.runningProfile->code : "") +
        (o.guideProfile ? o.guideProfile->code : ""));
    add(editor.currentRollerEntry());
    add(p.handleProfile ? std::to_string(p.handleProfile->barChoice) : "");
    return s;
}

class ProjectEditorTest : public ::testing::Test {
public:
    void SetUp() override {
        std::filesystem::create_directories(folder_.path() / "config");
        project_ = std::make_unique<Project>(catalogue(), folder_.path() / "config");
        editor_ = std::make_unique<ProjectEditor>(*project_);
    }
    // The sample data: every line priced, materials to fill with.
    static Catalogue& catalogue() {
        static Catalogue c(DALVEX_BINARY_DIR);
        return c;
    }
    const Material* material(size_t collection, size_t index) const {
        return &catalogue().collections().at(collection).materials.at(index);
    }
    Project& p() { return *project_; }
    ProjectEditor& e() { return *editor_; }

    testing::TempFolder folder_{"dalvex-editor"};
    std::unique_ptr<Project> project_;
    std::unique_ptr<ProjectEditor> editor_;
};

struct Operation {
    const char* name;
    std::function<void(ProjectEditorTest&, ProjectEditor&)> prepare; // steps before, part of the history
    std::function<Changes(ProjectEditor&)> apply;
};

TEST_F(ProjectEditorTest, EveryOperationIsOneStepUndoneAndRedoneExactly) {
    Catalogue& c = catalogue();
    auto noPrep = [](ProjectEditorTest&, ProjectEditor&) {};
    auto splitDoor0 = [](ProjectEditorTest&, ProjectEditor& e) {
        ASSERT_TRUE(e.split(0, 1, 3000, true));
        ASSERT_TRUE(e.split(0, 2, 8000, false));
    };
    const std::vector<Operation> ops = {
        {"system", noPrep, [&](ProjectEditor& e) { return e.selectSystem(c.findSystem("Далвекс")); }},
        {"handle", noPrep,
         [](ProjectEditor& e) { return e.setHandleProfile(e.project().calculator->handleProfiles().at(1)); }},
        {"colour", noPrep,
         [](ProjectEditor& e) {
             return e.setProfileColor(e.project().handleProfile->colors().back().color);
         }},
        {"divider profile", noPrep,
         [](ProjectEditor& e) {
             return e.setDividerProfile(e.project().calculator->dividerProfiles.back());
         }},
        {"width", splitDoor0, [](ProjectEditor& e) { return e.setWidth(24000); }},
        {"height", splitDoor0, [](ProjectEditor& e) { return e.setHeight(25000); }},
        {"doors", splitDoor0, [](ProjectEditor& e) { return e.setDoorCount(2); }},
        {"chipboard", [&](ProjectEditorTest&, ProjectEditor& e) { e.selectSystem(c.findSystem("Далвекс")); },
         [](ProjectEditor& e) { return e.setChipboardWidth(200); }},
        {"plinth", [&](ProjectEditorTest&, ProjectEditor& e) { e.selectSystem(c.findSystem("Далвекс")); },
         [](ProjectEditor& e) { return e.setPlinthHeight(800); }},
        {"discount", noPrep, [](ProjectEditor& e) { return e.setDiscountPercent(7.5); }},
        {"mounting", [&](ProjectEditorTest&, ProjectEditor& e) { e.selectSystem(c.findSystem("Фелдор")); },
         [](ProjectEditor& e) { return e.toggleOption(); }},
        {"edge profiles",
         [&](ProjectEditorTest&, ProjectEditor& e) { e.selectSystem(c.findSystem("Далвекс")); },
         [](ProjectEditor& e) { return e.toggleOption(); }},
        {"pivot", [](ProjectEditorTest&, ProjectEditor& e) { e.setDoorCount(2); },
         [](ProjectEditor& e) { return e.chooseRollerEntry("пивотный мех."); }},
        {"height offset", noPrep, [](ProjectEditor& e) { return e.setHeightOffset(-33); }},
        {"bar length", noPrep, [](ProjectEditor& e) { return e.chooseBarLength(2); }},
        {"running profile",
         [&](ProjectEditorTest&, ProjectEditor& e) { e.selectSystem(c.findSystem("Герлит")); },
         [](ProjectEditor& e) { return e.toggleRunningProfile(); }},
        {"guide profile",
         [&](ProjectEditorTest&, ProjectEditor& e) { e.selectSystem(c.findSystem("Герлит")); },
         [](ProjectEditor& e) { return e.toggleGuideProfile(); }},
        {"split", noPrep, [](ProjectEditor& e) { return e.split(1, 1, 2000, true); }},
        {"remove divider", splitDoor0, [](ProjectEditor& e) { return e.removeDivider(0, 2); }},
        {"move divider", splitDoor0, [](ProjectEditor& e) { return e.moveDivider(0, 1, 4000); }},
        {"joint", splitDoor0, [](ProjectEditor& e) { return e.moveJoint(0, 500); }},
        {"insert size", splitDoor0, [](ProjectEditor& e) { return e.setInsertSize(0, 2, 6000, false); }},
        {"paste", splitDoor0, [](ProjectEditor& e) { return e.pasteDoor(0, 2); }},
        {"align",
         [](ProjectEditorTest&, ProjectEditor& e) {
             ASSERT_TRUE(e.split(1, 1, 1000, true));
             ASSERT_TRUE(e.split(1, 2, 2000, true));
         },
         [](ProjectEditor& e) { return e.alignDividers(1, true); }},
        {"fill", splitDoor0,
         [](ProjectEditor& e) { return e.fill(0, 2, &catalogue().collections()[0].materials[0]); }},
        {"fill across", noPrep,
         [](ProjectEditor& e) {
             return e.fillAcrossDoors(1, 1, &catalogue().collections()[4].materials[0], 0, 2);
         }},
        {"fill selected",
         [](ProjectEditorTest&, ProjectEditor& e) { e.project().sketch.doors[1].selectedInsertId = 1; },
         [](ProjectEditor& e) { return e.fillSelectedInsert(&catalogue().collections()[0].materials[0]); }},
        {"clear material",
         [](ProjectEditorTest& t, ProjectEditor& e) { ASSERT_TRUE(e.fill(0, 1, t.material(1, 0))); },
         [](ProjectEditor& e) { return e.clearMaterial(0, 1); }},
        {"door widths", noPrep,
         [](ProjectEditor& e) {
             return e.setDoorWidths({"1000", "1100", "900"}, {0, 1, 0});
         }},
        {"rows", noPrep,
         [](ProjectEditor& e) {
             return e.setDoorWidths({"1000", "1000", "1000"}, {1, 0, 1});
         }},
        {"card", noPrep,
         [](ProjectEditor& e) {
             OrderCard card = e.project().orderCard;
             card.customerName = "Иванов";
             card.assemblyCost = 1500;
             return e.setOrderCard(card);
         }},
        {"clear sketch", splitDoor0, [](ProjectEditor& e) { return e.clearSketch(); }},
    };
    for (const Operation& op : ops) {
        SCOPED_TRACE(op.name);
        SetUp();
        op.prepare(*this, e());
        const std::string before = fingerprint(e());
        const Changes changes = op.apply(e());
        ASSERT_TRUE(changes.applied);
        const std::string after = fingerprint(e());
        ASSERT_NE(after, before);
        ASSERT_TRUE(e().modified());
        ASSERT_TRUE(e().undo().applied);
        EXPECT_EQ(fingerprint(e()), before);
        ASSERT_TRUE(e().redo().applied);
        EXPECT_EQ(fingerprint(e()), after);
        EXPECT_FALSE(e().canRedo());
    }
}

TEST_F(ProjectEditorTest, RefusedOperationsLeaveNoTraceAndNoStep) {
    Catalogue& c = catalogue();
    const std::vector<std::pair<const char*, std::function<Changes(ProjectEditor&)>>> refused = {
        {"same system", [&](ProjectEditor& e) { return e.selectSystem(e.project().calculator); }},
        {"foreign handle", [&](ProjectEditor& e) { return e.setHandleProfile(c.findHandleProfile("JW03")); }},
        {"width too small", [](ProjectEditor& e) { return e.setWidth(999); }},
        {"height too large", [](ProjectEditor& e) { return e.setHeight(100001); }},
        {"door count not offered", [](ProjectEditor& e) { return e.setDoorCount(11); }},
        {"plinth without plinth", [](ProjectEditor& e) { return e.setPlinthHeight(800); }},
        {"discount above 100", [](ProjectEditor& e) { return e.setDiscountPercent(100.5); }},
        {"no option", [](ProjectEditor& e) { return e.toggleOption(); }},
        {"unknown roller entry", [](ProjectEditor& e) { return e.chooseRollerEntry("нет такого"); }},
        {"odd height offset", [](ProjectEditor& e) { return e.setHeightOffset(-35); }},
        {"no such bar", [](ProjectEditor& e) { return e.chooseBarLength(3); }},
        {"Gerlit toggle elsewhere", [](ProjectEditor& e) { return e.toggleRunningProfile(); }},
        {"split too close", [](ProjectEditor& e) { return e.split(0, 1, 100, true); }},
        {"split of a door not in use", [](ProjectEditor& e) { return e.split(5, 1, 3000, true); }},
        {"no such divider", [](ProjectEditor& e) { return e.removeDivider(0, 7); }},
        {"joint too far", [](ProjectEditor& e) { return e.moveJoint(0, 9500); }},
        {"joint after the last door", [](ProjectEditor& e) { return e.moveJoint(2, 100); }},
        {"paste onto itself", [](ProjectEditor& e) { return e.pasteDoor(1, 1); }},
        {"align without dividers", [](ProjectEditor& e) { return e.alignDividers(0, true); }},
        {"fill across a range without the door",
         [](ProjectEditor& e) { return e.fillAcrossDoors(2, 1, nullptr, 0, 1); }},
        {"clear an empty insert", [](ProjectEditor& e) { return e.clearMaterial(0, 1); }},
        {"fill with nothing selected",
         [](ProjectEditor& e) { return e.fillSelectedInsert(&catalogue().collections()[0].materials[0]); }},
        {"doors wider than the opening",
         [](ProjectEditor& e) {
             return e.setDoorWidths({"2000", "2000", "2000"}, {});
         }},
        {"door too narrow",
         [](ProjectEditor& e) {
             return e.setDoorWidths({"50", "1000", "1000"}, {});
         }},
    };
    const std::string before = fingerprint(e());
    for (const auto& [name, op] : refused) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(op(e()).applied);
        EXPECT_EQ(fingerprint(e()), before);
        EXPECT_FALSE(e().canUndo());
        EXPECT_FALSE(e().modified());
    }
}

// How the order is shown is the desktop program's preference: it changes, and the order and its history do
// not.
TEST_F(ProjectEditorTest, ShowingPreferencesLeaveTheOrderAndItsHistory) {
    struct Row {
        const char* name;
        std::function<Changes(ProjectEditor&)> apply;
        std::function<bool(const Project&)> taken;
        bool redrawn; // the views follow as after a calculation
    };
    const std::vector<Row> rows = {
        {"insert sizes", [](ProjectEditor& e) { return e.setShowInsertSizes(true); },
         [](const Project& p) { return p.showInsertSizes; }, true},
        {"scaling", [](ProjectEditor& e) { return e.setScaleOnFill(true); },
         [](const Project& p) { return p.scaleOnFill; }, false},
        {"drawing", [](ProjectEditor& e) { return e.setDrawDividers(true); },
         [](const Project& p) { return p.drawDividers; }, false},
        {"orientation", [](ProjectEditor& e) { return e.toggleDividerOrientation(); },
         [](const Project& p) { return !p.newDividerVertical; }, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        const std::string before = fingerprint(e());
        ASSERT_FALSE(row.taken(p()));
        const Changes changes = row.apply(e());
        EXPECT_TRUE(changes.applied);
        EXPECT_EQ(changes.shown, row.redrawn);
        EXPECT_FALSE(changes.recalculated || changes.selection || changes.totals);
        EXPECT_TRUE(row.taken(p()));
        EXPECT_EQ(fingerprint(e()), before);
        EXPECT_FALSE(e().canUndo());
        EXPECT_FALSE(e().modified());
    }
}

TEST_F(ProjectEditorTest, TypingAppliesEveryKeystrokeToTheStateTypingBeganWith) {
    ASSERT_TRUE(e().split(0, 1, 3000, true));
    ASSERT_TRUE(e().split(1, 1, 4000, true));
    ASSERT_TRUE(e().split(1, 2, 9000, false));
    const std::string start = fingerprint(e());
    for (const std::vector<int32_t>& keystrokes :
         {std::vector<int32_t>{20, 240, 2400, 24000}, std::vector<int32_t>{32000, 999990, 32000}}) {
        const int32_t wanted = keystrokes.back();
        ProjectEditor once(p());
        ASSERT_TRUE(once.setWidth(wanted));
        const std::string setOnce = fingerprint(once);
        ASSERT_TRUE(once.undo());

        e().beginTyping();
        for (int32_t value : keystrokes)
            e().setWidth(value);
        e().endTyping();
        EXPECT_EQ(fingerprint(e()), setOnce) << wanted;
        // The whole typing is one step.
        ASSERT_TRUE(e().undo().applied);
        EXPECT_EQ(fingerprint(e()), start);
    }
}

TEST_F(ProjectEditorTest, HistoryKeepsTheLastHundredStepsAndStartsAnewOnOpen) {
    for (int i = 0; i < 120; ++i)
        ASSERT_TRUE(e().setWidth(20000 + 10 * i));
    int undone = 0;
    while (e().undo().applied)
        ++undone;
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(p().width, 20000 + 10 * 19);

    const auto file = folder_.path() / "order.dlx";
    ASSERT_EQ(p().save(file), kSketchOk);
    ASSERT_TRUE(e().redo().applied);
    ASSERT_EQ(e().open(file), kSketchOk);
    EXPECT_FALSE(e().canUndo());
    EXPECT_FALSE(e().canRedo());
    EXPECT_FALSE(e().modified());
    ASSERT_TRUE(e().setWidth(25000));
    EXPECT_TRUE(e().modified());
    e().markSaved();
    EXPECT_FALSE(e().modified());
    ASSERT_TRUE(e().undo().applied);
    EXPECT_TRUE(e().modified());
    ASSERT_TRUE(e().redo().applied);
    EXPECT_FALSE(e().modified()); // back where it was saved
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
             e.setOrderCard(card);
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
        EXPECT_FALSE(a.claimOrderNumber().applied); // kept its offered number
        c.before(b);
        const Changes renumbered = b.claimOrderNumber();
        EXPECT_EQ(second.orderCard.orderNumber, c.expected);
        EXPECT_EQ(renumbered.orderCard, c.renumbered);
        EXPECT_EQ(nextOrderNumber(config), c.counter);
        // Not saved after all: the counter goes back; the next save takes the same number again.
        b.releaseOrderNumber();
        EXPECT_EQ(nextOrderNumber(config), "00002");
        EXPECT_FALSE(b.claimOrderNumber().applied);
        EXPECT_EQ(second.orderCard.orderNumber, c.expected);
        EXPECT_EQ(nextOrderNumber(config), c.counter);
        // Claimed once: a second save of the same order keeps its number.
        EXPECT_FALSE(b.claimOrderNumber().applied);
    }
}

} // namespace
} // namespace dalvex
