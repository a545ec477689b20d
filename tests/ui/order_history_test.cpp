// The history of the order in the desktop program: typing is one step and path-independent, every change
// through the real hub can be undone and redone, and the context menu offers both.
#include "sketch_view/draft_dlg.h"
#include "window/main_window.h"
#include "document/order_document.h"
#include "project/project_editor.h"
#include "project/project_files.h"
#include "panels/sum_dlg.h"
#include "panels/top_panel_dlg.h"
#include "ui_test_support.h"

#include <QLineEdit>
#include <QMenu>
#include <QtTest>

using namespace dalvex;
using namespace dalvex::ui;
using dalvex::ui::test::ProjectFixture;

class OrderHistoryTest : public QObject {
    Q_OBJECT

private slots:
    void typingIsPathIndependentAndOneStep();
    void everyChangeThroughTheHubIsUndone();
};

namespace {

struct Window {
    ProjectFixture f;
    CDalvexDlg window{f.project, f.artwork};
    OrderDocument& document() { return *window.document(); }

    // Types a value into an edit key by key, then leaves it as a user does.
    void type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

} // namespace

void OrderHistoryTest::typingIsPathIndependentAndOneStep() {
    for (const QStringList& typings : {QStringList{"2400"}, QStringList{"3200", "99999", "3200"}}) {
        Window w;
        w.window.show();
        ProjectEditor& editor = w.document().editor();
        QVERIFY(editor.apply(edit::Split{0, 1, 3000, true}));
        QVERIFY(editor.apply(edit::Split{1, 1, 4000, true}));
        QVERIFY(editor.apply(edit::Split{1, 2, 9000, false}));

        // The same width set once, and undone.
        const int32_t widthBefore = w.f.project.width;
        QVERIFY(editor.apply(edit::SetWidth{typings.last().toInt() * 10}));
        const std::string once = writeSketchBytes(w.f.project);
        const std::string onceTotal = w.f.project.grandTotalText();
        QVERIFY(editor.apply(edit::Undo{}));

        for (const QString& value : typings)
            w.type(w.window.topPanel()->widthEdit(), value);
        QCOMPARE(writeSketchBytes(w.f.project), once);
        QCOMPARE(w.window.sumPanel()->totalText(), QString::fromStdString(onceTotal));

        // Each typing is one step; undoing them all gives back the order before.
        for (int k = 0; k < typings.size(); ++k)
            QVERIFY(w.document().undo());
        QCOMPARE(w.f.project.width, widthBefore);
        QCOMPARE(w.window.topPanel()->widthEdit()->text(), QStringLiteral("3000"));
    }
}

void OrderHistoryTest::everyChangeThroughTheHubIsUndone() {
    Window w;
    w.window.show();
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    const std::string fresh = writeSketchBytes(w.f.project);
    QMenu menu;
    w.window.draftView()->fillContextMenu(menu);
    QVERIFY(!menu.actions().at(menu.actions().size() - 2)->isEnabled()); // nothing to undo yet

    // An operation of the editor is one step, whatever it changes.
    QVERIFY(w.document().editor().apply(edit::SetDoorCount{2}));
    const std::string twoDoors = writeSketchBytes(w.f.project);
    QVERIFY(w.document().canUndo());

    QMenu after;
    w.window.draftView()->fillContextMenu(after);
    QAction* undo = after.actions().at(after.actions().size() - 2);
    QCOMPARE(undo->text(), QStringLiteral("Отменить: изменить количество дверей"));
    QVERIFY(undo->isEnabled());

    QTest::keyClick(&w.window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(writeSketchBytes(w.f.project), fresh);
    QVERIFY(!w.document().canUndo());
    QTest::keyClick(&w.window, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(writeSketchBytes(w.f.project), twoDoors);
    QVERIFY(!w.document().canRedo());
}

QTEST_MAIN(OrderHistoryTest)
#include "order_history_test.moc"
