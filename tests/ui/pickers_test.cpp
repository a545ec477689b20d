// The three pickers: button geometry, the stock and made-to-order groups of the colour picker, rebuilding on
// a changed selection, and what a click does.
#include "calc/systems.h"
#include "panels/pickers.h"
#include "ui_test_support.h"
#include "widgets/picture_button.h"

#include <QtTest>

using namespace dalvex;
using namespace dalvex::ui;
using namespace dalvex::ui::test;

namespace {

HandleProfile* handle(const char* code) {
    return sampleCatalogue().findHandleProfile(code);
}

} // namespace

class PickersTest : public QObject {
    Q_OBJECT

private slots:
    void systemsStandInOneRow();
    void clickingTheCurrentSystemChangesNothing();
    void choosingASystemSelectsItsDefaults();
    void handleProfilesFollowTheSystem();
    void gerlitHasOnlyTheCloseButton();
    void feldorRebuildsOnEverySelectionChange();
    void jb200SplitsStockAndMadeToOrder();
    void jb100HasNoMadeToOrderGroup();
    void colourClickSetsTheColour();
    void closeAndUnknownIdsOnlyHide();
};

void PickersTest::systemsStandInOneRow() {
    ProjectFixture f;
    RecordingHub hub;
    DlgSystems picker(f.context(hub), nullptr);
    QCOMPARE(picker.size(), QSize(1010, 100));
    QCOMPARE(static_cast<int>(picker.entries().size()), 9);
    for (int i = 0; i < 9; ++i) {
        const PickerEntry& e = picker.entries()[static_cast<size_t>(i)];
        QCOMPARE(e.id, 501 + i);
        QCOMPARE(e.button->geometry(), QRect(101 * i, 5, 101, 91));
        QCOMPARE(e.text, QString::fromStdString(sampleCatalogue().systems()[static_cast<size_t>(i)]->code));
    }
    QCOMPARE(picker.closeButton()->geometry(), QRect(909, 5, 101, 91));
    QCOMPARE(picker.closeButton()->text(), QStringLiteral("  "));
}

void PickersTest::clickingTheCurrentSystemChangesNothing() {
    ProjectFixture f;
    RecordingHub hub;
    DlgSystems picker(f.context(hub), nullptr);
    f.editor.apply(edit::SetWidth{25000});
    picker.show();
    picker.click(501); // Борвик, the current system
    QCOMPARE(f.project.width, 25000);
    QCOMPARE(f.project.calculator, systemNamed("Борвик"));
    // The editor refuses a choice that changes nothing: nothing to announce, no undo step (the width's is
    // the only one).
    QVERIFY(hub.seen.empty());
    QVERIFY(f.editor.apply(edit::Undo{}));
    QVERIFY(!f.editor.canUndo());
    QVERIFY(!picker.isVisible());
}

void PickersTest::choosingASystemSelectsItsDefaults() {
    ProjectFixture f;
    RecordingHub hub;
    DlgSystems picker(f.context(hub), nullptr);
    const int dalvexIndex = systemNamed("Далвекс")->index;
    picker.click(501 + dalvexIndex);
    QCOMPARE(f.project.calculator, systemNamed("Далвекс"));
    QCOMPARE(f.project.plinthHeight, 540);
    QCOMPARE(f.project.handleProfile, f.project.calculator->handleProfiles(f.project.options).front());
}

void PickersTest::handleProfilesFollowTheSystem() {
    ProjectFixture f;
    RecordingHub hub;
    DlgHands picker(f.context(hub), nullptr);
    const auto borvik = f.project.calculator->handleProfiles(f.project.options);
    QCOMPARE(static_cast<int>(picker.entries().size()), static_cast<int>(borvik.size()));
    const int n = static_cast<int>(borvik.size());
    QCOMPARE(picker.size(), QSize((n + 1) * 95, 100));
    QCOMPARE(picker.closeButton()->geometry(), QRect(95 * n, 5, 95, 91));
    QCOMPARE(picker.entries()[1].button->geometry(), QRect(95, 5, 95, 91));
    QCOMPARE(picker.entries()[1].text, QString::fromStdString(borvik[1]->code));

    // Choosing a handle profile: the document announces a new choice and a recalculation.
    QSignalSpy chosen(&f.document, &OrderDocument::choicesChanged);
    QSignalSpy recalculated(&f.document, &OrderDocument::recalculated);
    picker.click(502);
    QCOMPARE(f.project.handleProfile, borvik[1]);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(recalculated.count(), 1);

    // Shown for the same system, nothing is rebuilt; another system rebuilds it.
    const PictureButton* first = picker.entries()[0].button;
    picker.selectionChanged();
    QCOMPARE(picker.entries()[0].button, first);
    f.editor.apply(edit::SelectSystem{systemNamed("Кворин")});
    picker.selectionChanged();
    QCOMPARE(picker.builtForSystem(), systemNamed("Кворин")->index);
    QCOMPARE(static_cast<int>(picker.entries().size()), 2);
    QCOMPARE(picker.width(), 3 * 95);
}

void PickersTest::gerlitHasOnlyTheCloseButton() {
    ProjectFixture f;
    RecordingHub hub;
    f.editor.apply(edit::SelectSystem{systemNamed("Герлит")});
    DlgHands hands(f.context(hub), nullptr);
    QVERIFY(hands.entries().empty());
    QCOMPARE(hands.closeButton()->geometry(), QRect(0, 5, 95, 91));
    QCOMPARE(hands.size(), QSize(95, 100));
    DlgColors colors(f.context(hub), nullptr);
    QVERIFY(colors.entries().empty());
}

void PickersTest::feldorRebuildsOnEverySelectionChange() {
    ProjectFixture f;
    RecordingHub hub;
    f.editor.apply(edit::SelectSystem{systemNamed("Фелдор")});
    DlgHands picker(f.context(hub), nullptr);
    const size_t inside = picker.entries().size();
    QCOMPARE(inside, f.project.calculator->handleProfiles(f.project.options).size());
    f.editor.apply(edit::ToggleOption{});
    picker.selectionChanged();
    QCOMPARE(picker.entries().size(), f.project.calculator->handleProfiles(f.project.options).size());
    QVERIFY(picker.entries().size() != inside);
}

void PickersTest::jb200SplitsStockAndMadeToOrder() {
    ProjectFixture f;
    RecordingHub hub;
    f.editor.apply(edit::SetHandleProfile{handle("JB200")});
    DlgColors picker(f.context(hub), nullptr);
    QCOMPARE(picker.stockCount(), 49);
    QCOMPARE(picker.orderCount(), 8);
    QCOMPARE(static_cast<int>(picker.entries().size()), 57);
    QCOMPARE(picker.width(), 1188);
    // Five stock rows: 11, 11, 11, 11, 5.
    const auto& e = picker.entries();
    QCOMPARE(e[0].button->geometry(), QRect(0, 5, 99, 91));
    QCOMPARE(e[10].button->geometry(), QRect(990, 5, 99, 91));
    QCOMPARE(e[11].button->geometry(), QRect(0, 96, 99, 96));
    QCOMPARE(e[48].button->geometry(), QRect(4 * 99, 4 * 96, 99, 96));
    // The separator and "Под заказ" under the fifth row, then one row of eight.
    const int b = 5 * 96;
    QVERIFY(picker.separatorShown());
    QCOMPARE(picker.separatorRect(), QRect(60, b + 20, 11 * 99 - 120, 1));
    const QRect label = picker.orderLabelRect();
    QCOMPARE(label.width(), 100);
    QCOMPARE(label.left(), 60 + (11 * 99 - 120) / 2 - 30);
    QCOMPARE(label.top(), b + 20 - 14);
    QCOMPARE(e[49].button->geometry(), QRect(0, b + 30, 99, 96));
    QCOMPARE(e[56].button->geometry(), QRect(7 * 99, b + 30, 99, 96));
    QCOMPARE(e[49].id, 501 + 49);
    QCOMPARE(picker.closeButton()->geometry(), QRect(11 * 99, 0, 99, 96));
    QCOMPARE(picker.height(), b + 126 + 10);
    // Colour 20 is offered in both groups.
    int twenty = 0;
    for (const PickerEntry& entry : e)
        twenty += entry.itemIndex == 20 ? 1 : 0;
    QCOMPARE(twenty, 2);
}

void PickersTest::jb100HasNoMadeToOrderGroup() {
    ProjectFixture f;
    RecordingHub hub;
    f.editor.apply(edit::SetHandleProfile{handle("JB100")});
    DlgColors picker(f.context(hub), nullptr);
    QCOMPARE(picker.stockCount(), 4);
    QCOMPARE(picker.orderCount(), 0);
    QVERIFY(!picker.separatorShown());
    QCOMPARE(picker.width(), 495);
    QCOMPARE(picker.height(), 106);
    QCOMPARE(picker.closeButton()->geometry(), QRect(4 * 99, 0, 99, 96));
    // Another handle profile rebuilds the buttons.
    f.editor.apply(edit::SetHandleProfile{handle("JB200")});
    picker.selectionChanged();
    QCOMPARE(picker.width(), 1188);
}

void PickersTest::colourClickSetsTheColour() {
    ProjectFixture f;
    RecordingHub hub;
    f.editor.apply(edit::SetHandleProfile{handle("JB200")});
    DlgColors picker(f.context(hub), nullptr);
    const PickerEntry entry = picker.entries()[3];
    QSignalSpy chosen(&f.document, &OrderDocument::choicesChanged);
    QSignalSpy recalculated(&f.document, &OrderDocument::recalculated);
    picker.click(entry.id);
    QCOMPARE(f.project.profileColor->index, entry.itemIndex);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(recalculated.count(), 1);
}

void PickersTest::closeAndUnknownIdsOnlyHide() {
    ProjectFixture f;
    RecordingHub hub;
    DlgSystems picker(f.context(hub), nullptr);
    for (int id : {500, 520, 0}) {
        picker.show();
        picker.click(id);
        QVERIFY(!picker.isVisible());
    }
    QVERIFY(hub.seen.empty());
    QCOMPARE(f.project.calculator, systemNamed("Борвик"));
}

QTEST_MAIN(PickersTest)
#include "pickers_test.moc"
