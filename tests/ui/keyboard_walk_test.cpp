// A dealer's order typed and steered from the keyboard on the real main window: decimals in the length
// fields, refused values and their range, where the keyboard goes after a dialog, Tab through every
// control, the tab keys, and the pickers' popups.
#include "dialogs/dlg_door_size.h"
#include "dialogs/dlg_print.h"
#include "panels/dlg_tabs.h"
#include "sketch_view/draft_dlg.h"
#include "panels/info_panel_dlg.h"
#include "window/main_window.h"
#include "panels/pickers.h"
#include "panels/right_panel_dlg.h"
#include "sketch_view/size_dlg.h"
#include "panels/top_panel_dlg.h"
#include "ui_test_support.h"
#include "widgets/picture_button.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <tuple>

using namespace dalvex;
using namespace dalvex::ui;
using dalvex::ui::test::ProjectFixture;
using dalvex::ui::test::ScriptedPrompts;
using dalvex::ui::test::systemNamed;

namespace {

struct Walk {
    ProjectFixture f;
    ScriptedPrompts prompts;
    CDalvexDlg window{f.project, f.artwork};
    Walk() {
        window.show();
        window.activateWindow();
        active = QTest::qWaitForWindowActive(&window);
    }
    bool active = false;
    TopPanelDlg& top() { return *window.topPanel(); }
    void choose(const char* system) {
        window.document()->editor().apply(edit::SelectSystem{systemNamed(system)});
    }
    PictureButton* projectButton(const QString& caption) {
        for (PictureButton* b : top().findChildren<PictureButton*>())
            if (b->text() == caption) return b;
        return nullptr;
    }
    // Where the keyboard goes when the window is active again, as the window manager makes it when a dialog
    // closes: the window's focus widget.
    QWidget* focusAfterDialog() {
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window) ? window.focusWidget() : nullptr;
    }
};

void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

bool framedRed(QLineEdit* edit) {
    const QImage image = edit->grab().toImage();
    return image.pixelColor(0, image.height() / 2) == QColor(250, 41, 41);
}

} // namespace

class KeyboardWalkTest : public QObject {
    Q_OBJECT

private slots:
    void aDecimalIsStoredAsItsTenth();
    void aRefusedValueStaysFramedWithItsRange();
    void theKeyboardComesBackAfterADialog();
    void tabVisitsEveryControlInReadingOrder();
    void tabKeysSwitchTheLeftTabsWherever();
    void spaceOrEnterPressAPictureButton();
    void pickersCloseWithoutChoosing();
    void aTickedBoxShowsATick();
};

void KeyboardWalkTest::aDecimalIsStoredAsItsTenth() {
    const struct {
        const char* system;
        QLineEdit* (TopPanelDlg::*field)() const;
        int32_t Project::*stored;
        const char* typed;
        int32_t tenths;
        const char* shown;
    } cases[] = {
        {"Борвик", &TopPanelDlg::widthEdit, &Project::width, "2780,5", 27805, "2780,5"},
        {"Борвик", &TopPanelDlg::widthEdit, &Project::width, "2780.5", 27805, "2780,5"},
        {"Борвик", &TopPanelDlg::widthEdit, &Project::width, "2780,56", 27806, "2780,6"},
        {"Борвик", &TopPanelDlg::widthEdit, &Project::width, "2780,0", 27800, "2780"},
        {"Борвик", &TopPanelDlg::heightEdit, &Project::height, "2450.5", 24505, "2450,5"},
        {"Далвекс", &TopPanelDlg::plinthEdit, &Project::plinthHeight, "60,5", 605, "60,5"},
        {"Далвекс", &TopPanelDlg::chipboardEdit, &Project::chipboardWidth, "16,3", 163, "16,3"},
    };
    for (const auto& c : cases) {
        Walk w;
        w.choose(c.system);
        QLineEdit* edit = (w.top().*c.field)();
        typeInto(edit, QString::fromUtf8(c.typed));
        w.window.draftView()->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.f.project.*c.stored, c.tenths);
        QCOMPARE(edit->text(), QString::fromUtf8(c.shown));
    }

    // The door widths and the insert size take the tenth too: three doors of 1015,3 mm each, two of them
    // changed by half a millimetre either way.
    Walk w;
    w.window.rightPanel()->doorParametersButton()->click();
    DlgDoorSize* doors = w.window.rightPanel()->doorSizeDialog();
    QCOMPARE(doors->widthEdit(2)->text(), QStringLiteral("1015,3"));
    typeInto(doors->widthEdit(0), QStringLiteral("1015,8"));
    typeInto(doors->widthEdit(1), QStringLiteral("1014.8"));
    doors->okButton()->click();
    QVERIFY(!doors->isVisible());
    QCOMPARE(w.f.project.sketch.doors[0].width, 10158);
    QCOMPARE(w.f.project.sketch.doors[1].width, 10148);

    ProjectEditor& editor = w.window.document()->editor();
    QVERIFY(editor.apply(edit::Split{2, 1, 5000, true}));
    const Door& door = w.f.project.sketch.doors[2];
    const int32_t divider = door.dividers.begin()->first;
    SizeDlg* size = w.window.draftView()->sizeDialog();
    size->openFor(2, divider, w.window.mapToGlobal(QPoint(300, 300)));
    typeInto(size->sizeEdit(), QStringLiteral("300,5"));
    QTest::keyClick(size->sizeEdit(), Qt::Key_Return);
    QVERIFY(!size->isVisible());
    QCOMPARE(door.panelSizeBeside(*door.divider(divider), false), 3005);
}

void KeyboardWalkTest::aRefusedValueStaysFramedWithItsRange() {
    const struct {
        QLineEdit* (TopPanelDlg::*field)() const;
        int32_t Project::*stored;
        const char* typed;
        const char* range; // empty: taken
    } cases[] = {
        {&TopPanelDlg::widthEdit, &Project::width, "0", "Ширина проёма: от 100 до 100 000 мм"},
        {&TopPanelDlg::widthEdit, &Project::width, "10", "Ширина проёма: от 100 до 100 000 мм"},
        {&TopPanelDlg::widthEdit, &Project::width, "99999999", "Ширина проёма: от 100 до 100 000 мм"},
        {&TopPanelDlg::widthEdit, &Project::width, "2780mm", "Ширина проёма: от 100 до 100 000 мм"},
        {&TopPanelDlg::heightEdit, &Project::height, "20000", "Высота проёма: от 100 до 10 000 мм"},
        {&TopPanelDlg::heightEdit, &Project::height, "2450", ""},
    };
    for (const auto& c : cases) {
        Walk w;
        QLineEdit* edit = (w.top().*c.field)();
        const QString typed = QString::fromUtf8(c.typed);
        typeInto(edit, typed);
        // The last value the order took, on the way to the refused one.
        const QString before = QString::number(w.f.project.*c.stored / 10);
        const bool refused = *c.range != '\0';
        QCOMPARE(edit->text(), typed);
        QCOMPARE(framedRed(edit), refused);
        QCOMPARE(w.window.infoPanel()->firstLine(), QString::fromUtf8(c.range));
        if (!refused) continue;
        // Esc brings the last good value back; so does leaving the field after another refused entry.
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(edit->text(), before);
        QVERIFY(!framedRed(edit));
        QCOMPARE(w.window.infoPanel()->firstLine(), QString());
        typeInto(edit, typed);
        w.window.draftView()->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit->text(), before);
        QVERIFY(!framedRed(edit));
    }

    // Digit groups pasted from a letter or a spreadsheet: a space, a no-break space, a narrow one.
    for (const QString& pasted :
         {QStringLiteral("2 780"), QStringLiteral("2\u00A0780"), QStringLiteral("2\u202F780")}) {
        Walk w;
        QApplication::clipboard()->setText(pasted);
        QLineEdit* edit = w.top().widthEdit();
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.f.project.width, 27800);
        QVERIFY(!framedRed(edit));
    }
}

void KeyboardWalkTest::theKeyboardComesBackAfterADialog() {
    const struct {
        const char* name;
        std::function<QWidget*(Walk&)> open; // opens the dialog, gives the dialog
    } cases[] = {
        {"door widths",
         [](Walk& w) -> QWidget* {
             w.window.rightPanel()->doorParametersButton()->click();
             return w.window.rightPanel()->doorSizeDialog();
         }},
        {"print",
         [](Walk& w) -> QWidget* {
             w.projectButton(QStringLiteral("Печать"))->click();
             return w.top().printDialog();
         }},
        {"workbook",
         [](Walk& w) -> QWidget* {
             w.projectButton(QStringLiteral("Сохранить в xml"))->click();
             return w.top().exportDialog();
         }},
        {"insert size",
         [](Walk& w) -> QWidget* {
             ProjectEditor& editor = w.window.document()->editor();
             editor.apply(edit::Split{0, 1, 5000, true});
             SizeDlg* size = w.window.draftView()->sizeDialog();
             size->openFor(0, w.f.project.sketch.doors[0].dividers.begin()->first, QPoint(200, 200));
             return size;
         }},
    };
    for (const auto& c : cases) {
        for (bool sketch : {true, false}) {
            Walk w;
            QVERIFY(w.active);
            QWidget* before = sketch ? static_cast<QWidget*>(w.window.draftView()) : w.top().widthEdit();
            before->setFocus(Qt::TabFocusReason);
            QWidget* dialog = c.open(w);
            QVERIFY2(dialog->isVisible(), c.name);
            dialog->activateWindow();
            QVERIFY2(QTest::qWaitForWindowActive(dialog), c.name);
            QWidget* keys = QApplication::focusWidget() ? QApplication::focusWidget() : dialog;
            QTest::keyClick(keys, Qt::Key_Escape);
            QVERIFY2(!dialog->isVisible(), c.name);
            QWidget* after = w.focusAfterDialog();
            QVERIFY2(after == before,
                     qPrintable(QStringLiteral("%1: %2").arg(
                         QString::fromUtf8(c.name),
                         after ? QString::fromLatin1(after->metaObject()->className()) + after->objectName()
                               : QStringLiteral("none"))));
        }
    }
}

void KeyboardWalkTest::tabVisitsEveryControlInReadingOrder() {
    Walk w;
    TopPanelDlg& top = w.top();
    QWidget* sketch = w.window.draftView();
    const std::pair<QWidget*, const char*> expected[] = {
        {top.journalButton(), "Журнал"},
        {top.pickerButton(0), "system"},
        {top.pickerButton(1), "handle"},
        {top.pickerButton(2), "colour"},
        {top.heightEdit(), "height"},
        {top.widthEdit(), "width"},
        {top.doorCountList(), "doors"},
        {w.projectButton(QStringLiteral("Открыть")), "Открыть"},
        {w.projectButton(QStringLiteral("Сохранить")), "Сохранить"},
        {w.projectButton(QStringLiteral("Сохранить в xml")), "Сохранить в xml"},
        {w.projectButton(QStringLiteral("Печать")), "Печать"},
        {w.window.tabBar()->tab(0), "tab 1"},
        {w.window.tabBar()->tab(5), "tab 6"},
        {sketch, "sketch"},
        {w.window.rightPanel()->doorParametersButton(), "Параметры дверей"},
    };
    // Once round from the sketch, by Tab alone.
    sketch->setFocus(Qt::TabFocusReason);
    QList<QWidget*> visited;
    for (int i = 0; i < 200; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (now == sketch) break;
        visited << now;
    }
    visited.prepend(sketch);
    // In reading order: the sequence from the journal button on, round the ring once.
    const qsizetype start = visited.indexOf(top.journalButton());
    QVERIFY(start >= 0);
    const QList<QWidget*> ring = visited.mid(start) + visited.mid(0, start);
    qsizetype last = -1;
    for (const auto& [control, name] : expected) {
        const qsizetype at = ring.indexOf(control);
        QVERIFY2(at >= 0, name);
        QVERIFY2(at > last, name);
        last = at;
    }
    // A button with the keyboard shows a frame.
    PictureButton* print = w.projectButton(QStringLiteral("Печать"));
    const QImage plain = print->grab().toImage();
    print->setFocus(Qt::TabFocusReason);
    QVERIFY(print->grab().toImage() != plain);
}

void KeyboardWalkTest::tabKeysSwitchTheLeftTabsWherever() {
    const struct {
        const char* where;
        std::function<QWidget*(Walk&)> focus;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int tab;
    } cases[] = {
        {"doors", [](Walk& w) { return w.top().doorCountList(); }, Qt::Key_PageDown, Qt::ControlModifier, 1},
        {"doors", [](Walk& w) { return w.top().doorCountList(); }, Qt::Key_PageUp, Qt::ControlModifier, 5},
        {"width", [](Walk& w) { return w.top().widthEdit(); }, Qt::Key_Tab, Qt::ControlModifier, 1},
        {"sketch", [](Walk& w) { return w.window.draftView(); }, Qt::Key_PageUp, Qt::ControlModifier, 5},
        {"sketch", [](Walk& w) { return w.window.draftView(); }, Qt::Key_Backtab,
         Qt::ControlModifier | Qt::ShiftModifier, 5},
    };
    for (const auto& c : cases) {
        Walk w;
        QWidget* at = c.focus(w);
        at->setFocus(Qt::TabFocusReason);
        QTest::keyClick(at, c.key, c.modifiers);
        QVERIFY2(w.window.tabBar()->selected() == c.tab, c.where);
        QVERIFY2(w.f.project.doorCount == 3, c.where);
    }
}

void KeyboardWalkTest::spaceOrEnterPressAPictureButton() {
    const struct {
        int tab;
        Qt::Key key;
    } cases[] = {{2, Qt::Key_Space}, {3, Qt::Key_Return}, {4, Qt::Key_Enter}};
    for (const auto& c : cases) {
        Walk w;
        PictureButton* button = w.window.tabBar()->tab(c.tab);
        button->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), button);
        QTest::keyClick(button, c.key);
        QCOMPARE(w.window.tabBar()->selected(), c.tab);
    }
}

void KeyboardWalkTest::pickersCloseWithoutChoosing() {
    const struct {
        const char* how;
        std::function<void(Walk&)> close;
    } cases[] = {
        {"Escape", [](Walk&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }},
        {"click outside",
         [](Walk& w) {
             QWidget* sketch = w.window.draftView();
             QTest::mouseClick(sketch, Qt::LeftButton, {},
                               QPoint(sketch->width() / 2, sketch->height() - 20));
         }},
    };
    for (const auto& c : cases)
        for (int which = 0; which < 3; ++which) {
            Walk w;
            w.window.draftView()->setFocus(Qt::TabFocusReason);
            const Project& p = w.f.project;
            const auto chosen = std::tuple(p.calculator, p.handleProfile, p.profileColor);
            QSignalSpy clicked(w.window.draftView(), &DraftDlg::sketchClicked);
            w.top().pickerButton(which)->click();
            QWidget* picker[] = {w.top().systemsPicker(), w.top().handsPicker(), w.top().colorsPicker()};
            QVERIFY2(picker[which]->isVisible(), c.how);
            c.close(w);
            QVERIFY2(!picker[which]->isVisible(), c.how);
            QVERIFY2(std::tuple(p.calculator, p.handleProfile, p.profileColor) == chosen, c.how);
            // The click that closed the picker did nothing in the sketch.
            QVERIFY2(clicked.isEmpty(), c.how);
        }
}

void KeyboardWalkTest::aTickedBoxShowsATick() {
    const struct {
        const char* name;
        std::function<PictureButton*(Walk&)> button; // ticked
    } cases[] = {
        {"Отображать размеры вставок",
         [](Walk& w) {
             PictureButton* b = w.window.rightPanel()->insertSizesButton();
             if (!b->isChecked()) b->click();
             return b;
         }},
        {"print", [](Walk& w) { return w.top().printDialog()->toggleButton(DlgPrint::Order); }},
        {"workbook", [](Walk& w) { return w.top().exportDialog()->toggleButton(DlgPrint::Price); }},
    };
    for (const auto& c : cases) {
        Walk w;
        PictureButton* b = c.button(w);
        QVERIFY2(b->isChecked(), c.name);
        const QImage image = b->grab().toImage();
        int red = 0, green = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor px = image.pixelColor(x, y);
                red += px.red() > 140 && px.green() < 90 && px.blue() < 90 ? 1 : 0;
                green += px.green() > 100 && px.red() < 90 && px.blue() < 90 ? 1 : 0;
            }
        // A tick reads as "included"; a red cross read as "left out".
        QVERIFY2(red == 0, c.name);
        QVERIFY2(green > 0, c.name);
    }
}

QTEST_MAIN(KeyboardWalkTest)
#include "keyboard_walk_test.moc"
