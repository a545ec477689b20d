// The top panel: dimension entry character by character and the snap-back, the door-count list, the plinth
// fields per system, the option toggle, and opening and saving sketch files.
#include "calc/systems.h"
#include "orders/order_numbers.h"
#include "panels/pickers.h"
#include "panels/top_panel_dlg.h"
#include "ui_test_support.h"
#include "widgets/picture_button.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

#include <fstream>

using namespace dalvex;
using namespace dalvex::ui;
using namespace dalvex::ui::test;

namespace {

void loseFocus(QWidget* w) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &out);
}

void retype(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

// Writes a sketch file header by hand: the version byte and the system's display name as UTF-16LE.
void writeHeader(const std::filesystem::path& path, uint8_t version, const std::u16string& system) {
    std::ofstream out(path, std::ios::binary);
    out.put(static_cast<char>(version));
    const auto n = static_cast<uint16_t>(system.size());
    out.put(static_cast<char>(n & 0xff));
    out.put(static_cast<char>(n >> 8));
    for (char16_t c : system) {
        out.put(static_cast<char>(c & 0xff));
        out.put(static_cast<char>(c >> 8));
    }
    // The rest of a plausible project block: three empty names and the dimensions.
    for (int i = 0; i < 3 * 2 + 3 * 4 + 8; ++i)
        out.put('\0');
}

struct TopFixture {
    ProjectFixture f;
    RecordingHub hub;
    TopPanelDlg top{f.context(hub), nullptr};
    Announced announced{f.document};
    // A system chosen as the picker chooses it: the panel follows the document.
    void choose(const char* system) { f.editor.apply(edit::SelectSystem{systemNamed(system)}); }
    int32_t& mountInside() { return f.project.options.of(kSystemFeldor).mountInside; }
};

} // namespace

class TopPanelTest : public QObject {
    Q_OBJECT

private slots:
    void typedWidthTakesEffectCharacterByCharacter();
    void refusedEntrySnapsBackOnLeavingTheField();
    void plinthFieldsFollowTheSystem();
    void plinthEntryKeepsItsLimits();
    void feldorOffersOneTwoOrFourDoors();
    void lowerSystemMaximumLowersTheDoorCount();
    void doorCountListSetsTheProject();
    void systemWithoutHandleProfilesShowsNone();
    void edgeProfileToggleFlipsTheOption();
    void picturesOpenUnderThePanelOneAtATime();
    void openingReportsEachFailure();
    void openingASavedSketchRestoresIt();
    void savingProposesTheSketchName();
};

void TopPanelTest::typedWidthTakesEffectCharacterByCharacter() {
    TopFixture p;
    QStringList widths;
    QObject::connect(p.top.widthEdit(), &QLineEdit::textChanged,
                     [&] { widths << QString::number(p.f.project.width); });
    retype(p.top.widthEdit(), "3500");
    // 3 and 35 mm are refused (below 100 mm), 350 and 3500 mm taken at once; "" after clear() is refused too.
    QCOMPARE(widths.mid(1), (QStringList{"30000", "30000", "3500", "35000"}));
    QCOMPARE(p.announced.count("recalculated"), 2); // the two taken
    // The typing is one step.
    QVERIFY(p.f.document.undo());
    QCOMPARE(p.f.project.width, 30000);
    QVERIFY(!p.f.document.canUndo());
    retype(p.top.heightEdit(), "2400");
    QCOMPARE(p.f.project.height, 24000);
}

void TopPanelTest::refusedEntrySnapsBackOnLeavingTheField() {
    TopFixture p;
    retype(p.top.widthEdit(), "5");
    QCOMPARE(p.f.project.width, 30000);
    QCOMPARE(p.top.widthEdit()->text(), QStringLiteral("5"));
    loseFocus(p.top.widthEdit());
    QCOMPARE(p.top.widthEdit()->text(), QStringLiteral("3000"));
    // A taken value stays as typed; an emptied field comes back too.
    retype(p.top.widthEdit(), "2750");
    loseFocus(p.top.widthEdit());
    QCOMPARE(p.top.widthEdit()->text(), QStringLiteral("2750"));
    p.top.widthEdit()->clear();
    loseFocus(p.top.widthEdit());
    QCOMPARE(p.top.widthEdit()->text(), QStringLiteral("2750"));
    // A number too large for the model is refused, not wrapped around.
    p.top.heightEdit()->setText("99999999999");
    QCOMPARE(p.f.project.height, 20000);
    loseFocus(p.top.heightEdit());
    QCOMPARE(p.top.heightEdit()->text(), QStringLiteral("2000"));
}

void TopPanelTest::plinthFieldsFollowTheSystem() {
    TopFixture p;
    struct Row {
        const char* system;
        bool plinth;
    };
    const Row rows[] = {{"Борвик", false}, {"Далвекс", true}, {"Герлит", false},
                        {"Зеркан", true},  {"Нордел", true},  {"Лантес", false}};
    for (const Row& row : rows) {
        p.choose(row.system);
        QCOMPARE(p.top.plinthEdit()->isEnabled(), row.plinth);
        QCOMPARE(p.top.chipboardEdit()->isEnabled(), row.plinth);
        QCOMPARE(p.top.dimensionWord(), row.plinth ? QStringLiteral("шкафа") : QStringLiteral("проема"));
        if (row.plinth) {
            QCOMPARE(p.top.plinthEdit()->text(), QString::number(p.f.project.plinthHeight / 10));
            QCOMPARE(p.top.chipboardEdit()->text(), QStringLiteral("16"));
        } else {
            QVERIFY(p.top.plinthEdit()->text().isEmpty());
            QVERIFY(p.top.chipboardEdit()->text().isEmpty());
        }
    }
    p.choose("Далвекс");
    QCOMPARE(p.top.plinthEdit()->text(), QStringLiteral("54"));
}

void TopPanelTest::plinthEntryKeepsItsLimits() {
    TopFixture p;
    p.choose("Далвекс");
    retype(p.top.plinthEdit(), "50");
    QCOMPARE(p.f.project.plinthHeight, 540);
    retype(p.top.plinthEdit(), "54");
    QCOMPARE(p.f.project.plinthHeight, 540);
    retype(p.top.plinthEdit(), "100");
    QCOMPARE(p.f.project.plinthHeight, 1000);
    loseFocus(p.top.plinthEdit());
    // 2000 mm only with a height of at least 2000 mm.
    retype(p.top.heightEdit(), "1900");
    loseFocus(p.top.heightEdit());
    // 200 mm on the way is taken, 2000 mm refused: the plinth is as it was when the typing began.
    retype(p.top.plinthEdit(), "2000");
    QCOMPARE(p.f.project.plinthHeight, 1000);
    loseFocus(p.top.plinthEdit());
    QCOMPARE(p.top.plinthEdit()->text(), QStringLiteral("100"));
    retype(p.top.heightEdit(), "2000");
    loseFocus(p.top.heightEdit());
    retype(p.top.plinthEdit(), "2000");
    QCOMPARE(p.f.project.plinthHeight, 20000);
    loseFocus(p.top.plinthEdit());
    retype(p.top.chipboardEdit(), "18");
    QCOMPARE(p.f.project.chipboardWidth, 180);
    loseFocus(p.top.chipboardEdit());
    // Without a plinth the fields are not read.
    p.choose("Борвик");
    const int32_t chipboard = p.f.project.chipboardWidth;
    p.top.chipboardEdit()->setText("25");
    QCOMPARE(p.f.project.chipboardWidth, chipboard);
}

void TopPanelTest::feldorOffersOneTwoOrFourDoors() {
    TopFixture p;
    p.choose("Фелдор");
    QCOMPARE(p.mountInside(), 1);
    QCOMPARE(items(p.top.doorCountList()), (QStringList{"1", "2", "4"}));
    QCOMPARE(p.top.optionButton()->text(), QStringLiteral("Монтаж внутри"));
    QVERIFY(!p.top.optionButton()->isHidden());
    // The three doors of the default project become four: three cannot be mounted inside.
    QCOMPARE(p.f.project.doorCount, 4);
    QCOMPARE(p.top.doorCountList()->currentText(), QStringLiteral("4"));
    p.top.doorCountList()->setCurrentIndex(0);
    QCOMPARE(p.f.project.doorCount, 1);
    p.top.doorCountList()->setCurrentIndex(2);
    QCOMPARE(p.f.project.doorCount, 4);

    p.announced.seen.clear();
    p.top.toggleOption();
    QCOMPARE(p.mountInside(), 0);
    QVERIFY(p.announced.seen.contains("choices"));
    QVERIFY(p.announced.seen.contains("recalculated"));
    QCOMPARE(items(p.top.doorCountList()), (QStringList{"1", "2"}));
    QCOMPARE(p.f.project.doorCount, 2);
    QCOMPARE(p.top.doorCountList()->currentText(), QStringLiteral("2"));
    p.top.toggleOption();
    QCOMPARE(p.mountInside(), 1);
    QCOMPARE(items(p.top.doorCountList()), (QStringList{"1", "2", "4"}));
}

void TopPanelTest::lowerSystemMaximumLowersTheDoorCount() {
    TopFixture p;
    p.choose("Далвекс");
    p.top.doorCountList()->setCurrentIndex(6);
    QCOMPARE(p.f.project.doorCount, 7);
    QCOMPARE(items(p.top.doorCountList()).size(), 10);
    p.choose("Фелдор");
    QCOMPARE(p.f.project.doorCount, 4);
    QCOMPARE(p.top.doorCountList()->currentText(), QStringLiteral("4"));
    // Without inside mounting the maximum is two.
    p.top.toggleOption();
    QCOMPARE(p.f.project.doorCount, 2);
    QCOMPARE(p.top.doorCountList()->currentText(), QStringLiteral("2"));
}

void TopPanelTest::doorCountListSetsTheProject() {
    TopFixture p;
    p.top.doorCountList()->setCurrentIndex(4);
    QCOMPARE(p.f.project.doorCount, 5);
    QCOMPARE(p.f.project.sketch.doorCount, 5);
    QCOMPARE(p.announced.seen, (QStringList{"dimensions", "recalculated", "totals"}));
    // A refresh rewrites the list without feeding back into the Project; an undo shows the count before.
    p.announced.seen.clear();
    p.top.refresh();
    QVERIFY(p.announced.seen.isEmpty());
    QVERIFY(p.f.document.undo());
    QCOMPARE(p.top.doorCountList()->currentText(), QStringLiteral("3"));
}

void TopPanelTest::systemWithoutHandleProfilesShowsNone() {
    TopFixture p;
    p.choose("Герлит");
    QCOMPARE(p.top.pickerButton(1)->text(), QStringLiteral("Нет"));
    QCOMPARE(p.top.pickerButton(2)->text(), QStringLiteral("Нет"));
    QCOMPARE(p.top.pickerButton(0)->text(), QStringLiteral("Герлит"));
    p.top.togglePicker(1);
    QVERIFY(!p.top.handsPicker()->isVisible());
    p.top.togglePicker(2);
    QVERIFY(!p.top.colorsPicker()->isVisible());
    QVERIFY(p.top.optionButton()->isHidden());
}

void TopPanelTest::edgeProfileToggleFlipsTheOption() {
    TopFixture p;
    p.choose("Далвекс");
    QVERIFY(!p.top.optionButton()->isHidden());
    QCOMPARE(p.top.optionButton()->text(), QStringLiteral("По краям DX13"));
    const uint8_t& noEdgeProfiles = p.f.project.options.of(kSystemDalvex).noEdgeProfiles;
    const uint8_t before = noEdgeProfiles;
    const int32_t width0 = p.f.project.sketch.doors[0].width;
    p.announced.seen.clear();
    p.top.toggleOption();
    QCOMPARE(noEdgeProfiles, static_cast<uint8_t>(before ? 0 : 1));
    QCOMPARE(p.f.project.sketch.doors[0].width, width0);
    QCOMPARE(p.announced.seen, (QStringList{"choices", "recalculated", "totals"}));
    p.top.toggleOption();
    QCOMPARE(noEdgeProfiles, before);
}

void TopPanelTest::picturesOpenUnderThePanelOneAtATime() {
    TopFixture p;
    p.top.show();
    p.top.togglePicker(0);
    QVERIFY(p.top.systemsPicker()->isVisible());
    QCOMPARE(p.top.systemsPicker()->pos(), p.top.mapToGlobal(QPoint(0, p.top.height() - 1)));
    p.top.togglePicker(2);
    QVERIFY(!p.top.systemsPicker()->isVisible());
    QVERIFY(p.top.colorsPicker()->isVisible());
    p.top.togglePicker(2);
    QVERIFY(!p.top.colorsPicker()->isVisible());
}

void TopPanelTest::openingReportsEachFailure() {
    TopFixture p;
    ScriptedPrompts answers;
    const auto folder = uniqueTempFolder("open");
    const auto newer = folder / "newer.dlx";
    writeHeader(newer, 7, u"Борвик");
    const auto unknown = folder / "unknown.dlx";
    writeHeader(unknown, 6, u"Венлор");
    const auto missing = folder / "missing.dlx";
    // A text file renamed .dlx.
    const auto text = folder / "text.dlx";
    std::ofstream(text, std::ios::binary) << "Ширина 2450, высота 2780\n";
    p.f.editor.apply(edit::SetWidth{25000});

    struct Row {
        std::filesystem::path path;
        QString message;
    };
    const Row rows[] = {
        {newer, QStringLiteral("Ошибка открытия файла: версия файла не поддерживается данной программой.")},
        {unknown, QStringLiteral("Ошибка открытия файла ") + QString::fromStdString(unknown.string())},
        {missing, QStringLiteral("Ошибка открытия файла ") + QString::fromStdString(missing.string())},
        {text, QStringLiteral("Ошибка открытия файла ") + QString::fromStdString(text.string()) +
                   QStringLiteral(": файл не является файлом эскиза.")},
    };
    for (const Row& row : rows) {
        answers.errors.clear();
        p.announced.seen.clear();
        answers.nextPath = QString::fromStdString(row.path.string());
        p.top.openSketch();
        QCOMPARE(answers.errors, QStringList{row.message});
        QCOMPARE(answers.captions.last(), QStringLiteral("Ошибка"));
        QVERIFY(p.announced.seen.isEmpty());
        QCOMPARE(p.f.project.width, 25000);
        QCOMPARE(p.f.project.calculator, systemNamed("Борвик"));
    }
    QCOMPARE(answers.lastFilter, QStringLiteral("Эскизы дверей (*.dlx)"));
    // A cancelled dialog does nothing.
    answers.errors.clear();
    answers.nextPath.clear();
    p.top.openSketch();
    QVERIFY(answers.errors.isEmpty());
    std::filesystem::remove_all(folder);
}

void TopPanelTest::openingASavedSketchRestoresIt() {
    TopFixture p;
    ScriptedPrompts answers;
    const auto folder = uniqueTempFolder("roundtrip");
    const auto file = folder / "order.dlx";
    p.choose("Далвекс");
    p.f.editor.apply(edit::SetWidth{27000});
    p.f.editor.apply(edit::SetDoorCount{2});
    QCOMPARE(p.f.project.save(file), 0);
    p.choose("Борвик");
    p.f.editor.apply(edit::SetWidth{31000});
    answers.nextPath = QString::fromStdString(file.string());
    p.announced.seen.clear();
    p.top.openSketch();
    QVERIFY(answers.errors.isEmpty());
    for (const char* heard : {"choices", "dimensions", "recalculated", "opened"})
        QVERIFY2(p.announced.seen.contains(heard), heard);
    QCOMPARE(p.f.project.calculator, systemNamed("Далвекс"));
    QCOMPARE(p.f.project.width, 27000);
    QCOMPARE(p.top.widthEdit()->text(), QStringLiteral("2700"));
    QCOMPARE(p.top.doorCountList()->currentText(), QStringLiteral("2"));
    std::filesystem::remove_all(folder);
}

void TopPanelTest::savingProposesTheSketchName() {
    TopFixture p;
    ScriptedPrompts answers;
    const auto folder = uniqueTempFolder("save");
    answers.nextPath = QString::fromStdString((folder / "a.dlx").string());
    const std::string numberBefore = p.f.project.orderCard.orderNumber;
    p.top.saveSketch();
    QCOMPARE(answers.lastInitialName, QStringLiteral("эскиз"));
    QVERIFY(answers.errors.isEmpty());
    QVERIFY(std::filesystem::exists(folder / "a.dlx"));
    // Saving a sketch here does not move the order counter.
    QCOMPARE(nextOrderNumber(p.f.folder), numberBefore);
    // A folder that does not exist cannot take the file.
    const QString bad = QString::fromStdString((folder / "no" / "such" / "b.dlx").string());
    answers.nextPath = bad;
    p.top.saveSketchAs();
    QCOMPARE(answers.errors, QStringList{QStringLiteral("Ошибка сохранения файла ") + bad});
    std::filesystem::remove_all(folder);
}

QTEST_MAIN(TopPanelTest)
#include "top_panel_test.moc"
