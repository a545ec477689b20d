// Editing the sketch with the mouse: the hover test and the info line, clicks that split or select, dragging
// dividers and door joints, the context menu's entries and commands, and the insert size dialog.
#include "sketch_view/draft_dlg.h"
#include "panels/info_panel_dlg.h"
#include "project/project_editor.h"
#include "project/project_files.h"
#include "records/records.h"
#include "sketch_view/size_dlg.h"
#include "widgets/qt_text.h"
#include "ui_test_support.h"
#include "view/sketch_gestures.h"
#include "view/sketch_hover.h"
#include "widgets/text_label.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

#include <cmath>

using namespace dalvex;
using namespace dalvex::ui;
using namespace dalvex::view;
using dalvex::ui::test::ProjectFixture;
using dalvex::ui::test::RecordingHub;

namespace {

PixelPoint centre(const PixelRect& r) {
    return {r.left + r.width() / 2, r.top + r.height() / 2};
}

// The default project (three doors) in a view of a fixed size, laid out by a first paint.
struct Bench {
    ProjectFixture fx;
    RecordingHub hub;
    DraftDlg view{fx.context(hub), nullptr};
    InfoPanelDlg info{fx.context(hub), nullptr};
    QSignalSpy hovers{&view, &DraftDlg::hoverChanged};
    QSignalSpy clicks{&view, &DraftDlg::sketchClicked};
    Project& project = fx.project;
    DoorSketch& sketch = fx.project.sketch;
    test::Announced announced{fx.document};

    Bench() {
        // What the main window connects: the hover to the info line.
        QObject::connect(&view, &DraftDlg::hoverChanged, &info, &InfoPanelDlg::showHover);
        view.resize(900, 560);
        lay();
    }
    ~Bench() { view.sizeDialog()->hide(); }
    void lay() { view.grab(); }
    Door& door(int i) { return sketch.doors[i]; }
    Insert& firstInsert(int i) { return door(i).inserts.begin()->second; }
    const SketchLayout& laidOut() const { return view.layout(); }
    PixelRect insertRect(int i, int32_t id) const { return laidOut().doors[i].insert(id); }
    PixelRect firstInsertRect(int i) { return insertRect(i, door(i).inserts.begin()->first); }
    PixelRect lastInsertRect(int i) { return insertRect(i, door(i).inserts.rbegin()->first); }
    PixelRect frameRect(int i, int side) const { return laidOut().doors[i].frame[side]; }
    PixelRect dividerRect(int i, int32_t id) const { return laidOut().doors[i].divider(id); }
    PixelRect selectedRect() const { return selectedInsertRect(laidOut(), sketch, selection()); }
    const SketchSelection& selection() const { return fx.editor.selection(); }
    int recalculations() const { return announced.count("recalculated"); }
    // The right panel's drawing mode and orientation.
    void setDrawing(bool draw, bool vertical = true) {
        ViewSettings v = fx.document.view();
        v.drawDividers = draw;
        v.dividersVertical = vertical;
        fx.document.setView(v);
    }
    void showDoor(int door) {
        ViewSettings v = fx.document.view();
        v.shownDoor = door;
        fx.document.setView(v);
    }
    int cursorKind() const { return laidOut().cursorKind; }
    Hit hit() const { return laidOut().hit; }

    // A divider across the middle of an insert, split where a click there would split it, by the editor
    // directly; the view lays the sketch out again.
    Divider& split(int doorIndex, const PixelRect& insertRect, bool vertical) {
        SketchLayout l = laidOut();
        const SplitPlace at = splitPlace(l, sketch, centre(insertRect), vertical);
        if (!at || !fx.editor.apply(edit::Split{at.door, at.insertId, at.position, vertical}))
            qFatal("the insert could not be split");
        view.redraw();
        lay();
        announced.seen.clear(); // what the tests count is the gestures'
        Door& d = door(doorIndex);
        return d.dividers.at(d.nextDividerId - 1);
    }
    int32_t lastDividerId(int i) { return door(i).nextDividerId - 1; }

    void hoverAt(PixelPoint p) {
        QMouseEvent move(QEvent::MouseMove, QPointF(p.x, p.y), view.mapToGlobal(QPointF(p.x, p.y)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &move);
    }
    void click(PixelPoint p) { QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(p.x, p.y)); }
    QStringList menuTexts() {
        QStringList texts;
        for (const MenuEntry& e : view.menuEntries())
            texts << (e.command == 0 ? QStringLiteral("-") : QString::fromStdString(e.text));
        return texts;
    }
};

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// printf in the C locale with the decimal comma of the program's texts.
template <class... Args> QString expected(const char* pattern, Args... args) {
    return QString::asprintf(pattern, args...).replace('.', ',');
}

const Material* firstMaterial() {
    for (const MaterialCollection& c : test::sampleCatalogue().collections())
        for (const Material& m : c.materials)
            return &m;
    return nullptr;
}

} // namespace

class SketchEditingTest : public QObject {
    Q_OBJECT

private slots:
    void infoLinesDescribeEachKind_data();
    void infoLinesDescribeEachKind();
    void hoverOverAnInsert();
    void leavingTheViewClearsTheHover();
    void hoverOverFrameSidesAndJoints();
    void hoverOverDividers();
    void singleDoorOrOneDoorShownHasNoJoint();
    void staleLayoutFindsNothing();
    void gesturesEditAsTheOperationsInModelUnits();
    void dividerModeClickSplitsAndAsksForTheSize();
    void clicksSelectAndDeselect();
    void lockedViewIgnoresClicks();
    void draggingADividerMovesIt();
    void draggingAJointChangesTwoDoors();
    void contextMenuEntries();
    void deleteRemovesADividerOrAMaterial();
    void pasteAndAlignRecalculate();
    void sizeDialogSetsThePanelSize_data();
    void sizeDialogSetsThePanelSize();
    void sizeDialogRefusesOutOfRange_data();
    void sizeDialogRefusesOutOfRange();
    void sizeDialogOkOnTheOfferedSizeChangesNothing();
    void sizeDialogKeys();
};

void SketchEditingTest::infoLinesDescribeEachKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("material");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("thickness");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    const QString err = QStringLiteral("ОШИБКА: Неподходящая толщина!");
    QTest::newRow("nothing") << 0 << false << 5 << 5 << 0 << 0 << 0 << 0 << QString() << QString()
                             << QString();
    QTest::newRow("insert") << 1 << true << 9876 << 20004 << 0 << 0 << 0 << 40 << QString()
                            << QStringLiteral("Материал: T")
                            << QStringLiteral("Ширина:   988 мм;  Высота:  2000 мм; Площадь: 1975595 мм2 "
                                              "(1,976 м2); Толщина: 4,0 мм");
    QTest::newRow("insert without material, wrong thickness")
        << 1 << false << 2000 << 3000 << 0 << 0 << 0 << 0 << err
        << QStringLiteral("Материал не назначен   ОШИБКА: Неподходящая толщина!")
        << QStringLiteral(
               "Ширина:   200 мм;  Высота:   300 мм; Площадь: 60000 мм2 (0,060 м2); Толщина: 0,0 мм");
    QTest::newRow("left side between doors")
        << 2 << false << 19500 << 250 << 10000 << 9990 << 0 << 0 << QString() << QStringLiteral("Код: T")
        << QStringLiteral(
               "Длина: 1950,0 мм;  Ширина:  25,0 мм;  Левая дверь: 1000,0 мм;  Правая дверь: 999,0 мм");
    QTest::newRow("left side of door 1")
        << 2 << false << 19500 << 250 << 0 << 9990 << 0 << 0 << QString() << QStringLiteral("Код: T")
        << QStringLiteral("Длина: 1950,0 мм;  Ширина:  25,0 мм;  Правая дверь: 999,0 мм");
    QTest::newRow("top side") << 2 << false << 9500 << 45 << 10000 << 0 << 1 << 0 << QString()
                              << QStringLiteral("Код: T")
                              << QStringLiteral(
                                     "Длина: 950,0 мм;  Ширина:   4,5 мм;  Ширина двери: 1000,0 мм");
    QTest::newRow("vertical divider")
        << 3 << false << 19005 << 320 << 4500 << 0 << 0 << 0 << QString() << QStringLiteral("Код: T")
        << QStringLiteral("Длина: 1900,5 мм;  Ширина:  32,0 мм;  Смещение от левого края двери: 450,0 мм");
    QTest::newRow("horizontal divider")
        << 4 << false << 9005 << 320 << 12000 << 0 << 0 << 0 << QString() << QStringLiteral("Код: T")
        << QStringLiteral("Длина: 900,5 мм;  Ширина:  32,0 мм;  Смещение от верхнего края двери: 1200,0 мм");
}

void SketchEditingTest::infoLinesDescribeEachKind() {
    QFETCH(int, kind);
    QFETCH(bool, material);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, d);
    QFETCH(int, side);
    QFETCH(int, thickness);
    QFETCH(QString, error);
    QFETCH(QString, first);
    QFETCH(QString, second);
    HoverDescription h;
    h.kind = kind;
    h.title = "T";
    h.hasMaterial = material;
    h.a = a;
    h.b = b;
    h.c = c;
    h.d = d;
    h.side = side;
    h.thickness = thickness;
    h.error = error.toStdString();
    const InfoLines lines = infoLines(h);
    QCOMPARE(qs(lines.first), first);
    QCOMPARE(qs(lines.second), second);
}

void SketchEditingTest::hoverOverAnInsert() {
    Bench b;
    const Insert& ins = b.firstInsert(1);
    const PixelRect r = b.firstInsertRect(1);
    b.hoverAt(centre(r));
    QCOMPARE(b.view.hoverRect(), r);
    QCOMPARE(b.view.hoverDoor(), 1);
    QCOMPARE(b.cursorKind(), 0);
    QCOMPARE(b.hit().kind, static_cast<int>(kHitInsert));
    QCOMPARE(b.hovers.count(), 1);
    QCOMPARE(b.info.firstLine(), QStringLiteral("Материал не назначен"));
    const double w = ins.panelWidth, h = ins.panelHeight;
    QVERIFY(w > 0 && h > 0);
    QCOMPARE(b.info.secondLine(),
             expected("Ширина: %5d мм;  Высота: %5d мм; Площадь: %5d мм2 (%5.3f м2); Толщина: %2.1f мм",
                      static_cast<int>(std::lround(w / 10)), static_cast<int>(std::lround(h / 10)),
                      static_cast<int>(std::lround(w * h / 100)), w * h / 1e8, 0.0));

    // Moving within the same insert changes nothing; a material shows its collection, name and code.
    b.hoverAt(PixelPoint{r.left + 2, r.top + 2});
    QCOMPARE(b.hovers.count(), 1);
    const Material* m = firstMaterial();
    QVERIFY(m);
    b.door(1).inserts.begin()->second.material = m;
    b.info.showHover();
    QCOMPARE(b.info.firstLine(), qs("Материал: " + m->collection + " / " + m->name + " (" + m->code + ")"));

    // Leaving the doors empties the frame and the info line.
    b.hoverAt(PixelPoint{2, 2});
    QVERIFY(b.view.hoverRect().isEmpty());
    QCOMPARE(b.view.hoverDoor(), -1);
    QCOMPARE(b.hovers.count(), 2);
    QVERIFY(b.info.firstLine().isEmpty());
    QVERIFY(b.info.secondLine().isEmpty());
}

void SketchEditingTest::leavingTheViewClearsTheHover() {
    Bench b;
    // Straight from a door to another panel or out of the window: the view only hears that the pointer left.
    for (const PixelRect& r : {b.firstInsertRect(1), b.frameRect(2, kFrameRight)}) {
        b.hoverAt(centre(r));
        QCOMPARE(b.view.hoverRect(), r);
        QVERIFY(!b.info.firstLine().isEmpty());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&b.view, &leave);
        QVERIFY(b.view.hoverRect().isEmpty());
        QCOMPARE(b.view.hoverDoor(), -1);
        QCOMPARE(b.hit().kind, static_cast<int>(kHitNothing));
        QVERIFY(b.info.firstLine().isEmpty());
    }
}

void SketchEditingTest::hoverOverFrameSidesAndJoints() {
    Bench b;
    struct Case {
        int door;
        int side;
        int cursorKind;
    };
    // The right side of every door but the last is a joint that can be dragged; no other side is.
    const Case cases[] = {{0, kFrameRight, 2}, {1, kFrameRight, 2}, {2, kFrameRight, 0},
                          {0, kFrameLeft, 0},  {0, kFrameTop, 0},   {2, kFrameBottom, 0}};
    for (const Case& c : cases) {
        const PixelRect r = b.frameRect(c.door, c.side);
        QVERIFY(!r.isEmpty());
        b.hoverAt(centre(r));
        QCOMPARE(b.view.hoverRect(), r);
        QCOMPARE(b.view.hoverDoor(), c.door);
        QCOMPARE(b.cursorKind(), c.cursorKind);
        QCOMPARE(b.hit().frame, c.side);
        QCOMPARE(b.view.cursor().shape(), c.cursorKind == 2 ? Qt::SizeHorCursor : Qt::ArrowCursor);
        const Article* profile = b.door(c.door).frame[c.side].profile;
        QVERIFY(profile);
        QCOMPARE(b.info.firstLine(), qs("Код: " + profile->code));
        QVERIFY(b.info.secondLine().startsWith(expected("Длина: %5.1f мм;  Ширина: %5.1f мм",
                                                        b.door(c.door).frame[c.side].cutLength / 10.0,
                                                        profile->faceWidth / 10.0)));
    }
    // In a small view the joint's profile is drawn thin; it is still taken a few pixels either side.
    b.view.resize(450, 280);
    b.lay();
    const PixelRect joint = b.frameRect(0, kFrameRight);
    QVERIFY(joint.width() <= 3);
    for (int x : {joint.left - 2, joint.right + 1}) {
        b.hoverAt(PixelPoint{x, centre(joint).y});
        QCOMPARE(b.view.hoverDoor(), 0);
        QCOMPARE(b.cursorKind(), 2);
    }
    b.view.resize(900, 560);
    b.lay();
    // A door on the other rail shows its left side over the door before it: the hover finds that door's
    // joint.
    QVERIFY(b.door(1).row != b.door(0).row);
    b.hoverAt(centre(b.frameRect(1, kFrameLeft)));
    QCOMPARE(b.view.hoverDoor(), 0);
    QCOMPARE(b.cursorKind(), 2);
    // The joint between doors 1 and 2 names both widths.
    b.hoverAt(centre(b.frameRect(1, kFrameRight)));
    QVERIFY(b.info.secondLine().endsWith(expected(";  Левая дверь: %5.1f мм;  Правая дверь: %5.1f мм",
                                                  b.door(1).width / 10.0, b.door(2).width / 10.0)));
    b.hoverAt(centre(b.frameRect(2, kFrameTop)));
    QVERIFY(b.info.secondLine().endsWith(expected(";  Ширина двери: %5.1f мм", b.door(2).width / 10.0)));

    // In divider mode the cursor is a cross whatever lies under it.
    b.setDrawing(true);
    b.hoverAt(centre(b.firstInsertRect(0)));
    QCOMPARE(b.view.cursor().shape(), Qt::CrossCursor);
}

void SketchEditingTest::hoverOverDividers() {
    Bench b;
    const Divider& v = b.split(0, b.firstInsertRect(0), true);
    const int32_t vId = b.lastDividerId(0);
    const Divider& h = b.split(1, b.firstInsertRect(1), false);
    const int32_t hId = b.lastDividerId(1);
    struct Case {
        const Divider* d;
        int32_t id;
        int door;
        int cursorKind;
        Qt::CursorShape shape;
        const char* offset;
    };
    const Case cases[] = {{&v, vId, 0, 2, Qt::SizeHorCursor, "Смещение от левого края двери"},
                          {&h, hId, 1, 1, Qt::SizeVerCursor, "Смещение от верхнего края двери"}};
    for (const Case& c : cases) {
        const PixelRect r = b.dividerRect(c.door, c.id);
        b.hoverAt(centre(r));
        QCOMPARE(b.view.hoverRect(), r);
        QCOMPARE(b.view.hoverDoor(), c.door);
        QCOMPARE(b.cursorKind(), c.cursorKind);
        QCOMPARE(b.view.cursor().shape(), c.shape);
        QVERIFY(c.d->profile);
        QCOMPARE(b.info.firstLine(),
                 qs("Код: " + c.d->profile->code + " (" + dividerKindWord(c.d->profile->dividerKind) + ")"));
        QCOMPARE(b.info.secondLine(),
                 expected("Длина: %5.1f мм;  Ширина: %5.1f мм;  %s: %5.1f мм", c.d->cutLength / 10.0,
                          c.d->profile->faceWidth / 10.0, c.offset, c.d->position / 10.0));
    }
    QCOMPARE(dividerKindWord(0), std::string("ДСП-ДСП"));
    QCOMPARE(dividerKindWord(1), std::string("ДСП-Стекло"));
    QCOMPARE(dividerKindWord(2), std::string("Универсальный"));
}

void SketchEditingTest::singleDoorOrOneDoorShownHasNoJoint() {
    Bench b;
    b.showDoor(0);
    b.view.redraw();
    b.lay();
    QCOMPARE(b.laidOut().currentDoor, 0);
    b.hoverAt(centre(b.frameRect(0, kFrameRight)));
    QCOMPARE(b.view.hoverDoor(), 0);
    QCOMPARE(b.cursorKind(), 0);

    b.showDoor(-1);
    QVERIFY(b.fx.editor.apply(edit::SetDoorCount{1}));
    b.view.redraw();
    b.lay();
    b.hoverAt(centre(b.frameRect(0, kFrameRight)));
    QCOMPARE(b.view.hoverDoor(), 0);
    QCOMPARE(b.cursorKind(), 0);
    // A press there selects nothing and starts no drag.
    const PixelPoint joint = centre(b.frameRect(0, kFrameRight));
    QTest::mousePress(&b.view, Qt::LeftButton, Qt::NoModifier, QPoint(joint.x, joint.y));
    QVERIFY(!b.view.dragging());
    QTest::mouseRelease(&b.view, Qt::LeftButton);
}

void SketchEditingTest::staleLayoutFindsNothing() {
    Bench b;
    const PixelRect r = b.firstInsertRect(0);
    // A recalculation leaves the view's rectangles from an older layout until the next paint.
    emit b.fx.document.recalculated();
    b.hoverAt(centre(r));
    QVERIFY(b.view.hoverRect().isEmpty());
    QCOMPARE(b.view.hoverDoor(), -1);
    QCOMPARE(b.cursorKind(), 0);
    QCOMPARE(b.hit().kind, static_cast<int>(kHitNothing));
    b.lay();
    b.hoverAt(centre(r));
    QCOMPARE(b.view.hoverRect(), r);
}

// A click in divider mode, a drag and the menu's deletion at pixels of the view change the order exactly as
// the editor's operations at the positions the layout's scale and the 10 mm grid make of those pixels.
void SketchEditingTest::gesturesEditAsTheOperationsInModelUnits() {
    enum Gesture { Split, Drag, Remove };
    struct Case {
        Gesture gesture;
        int door;
        bool vertical;
        bool roundUp; // the offset in 0.1 mm ends in 50..99 (the grid rounds up) or in 0..49
        int step;     // how far into the door, in tenths of its extent
    };
    const Case cases[] = {
        {Split, 0, true, false, 3}, {Split, 1, true, true, 6},   {Split, 2, false, false, 4},
        {Split, 1, false, true, 7}, {Drag, 0, true, true, 7},    {Drag, 2, false, false, 3},
        {Drag, 1, true, false, 2},  {Remove, 1, true, false, 0}, {Remove, 2, false, false, 0}};
    for (const Case& c : cases) {
        Bench g; // the gesture
        Bench m; // the operation
        // Made a moment apart, the two orders may be dated a second apart (under wine often).
        m.project.orderCard = g.project.orderCard;
        const DoorLayout& at = g.laidOut().doors[c.door];
        const double scale = g.laidOut().scale;
        const int origin = c.vertical ? at.rect.left : at.rect.top;
        const int extent = c.vertical ? at.rect.width() : at.rect.height();
        // A pixel offset near the wanted part of the door whose length rounds the wanted way.
        auto offsetNear = [&](int tenths) {
            for (int d = extent * tenths / 10;; ++d) {
                const int32_t t = static_cast<int32_t>(d / scale);
                if ((t % 100 >= 50) == c.roundUp) return std::pair{d, (t + 50) / 100 * 100};
            }
        };
        const PixelPoint middle = centre(g.firstInsertRect(c.door));
        auto pointAt = [&](int d) {
            return c.vertical ? PixelPoint{origin + d, middle.y} : PixelPoint{middle.x, origin + d};
        };
        if (c.gesture == Split) {
            const auto [d, position] = offsetNear(c.step);
            g.setDrawing(true, c.vertical);
            g.click(pointAt(d));
            g.view.sizeDialog()->hide();
            QVERIFY(m.fx.editor.apply(edit::Split{c.door, 1, position, c.vertical}));
        } else {
            for (Bench* b : {&g, &m})
                b->split(c.door, b->firstInsertRect(c.door), c.vertical);
            const int32_t id = g.lastDividerId(c.door);
            const PixelPoint on = centre(g.dividerRect(c.door, id));
            g.hoverAt(on);
            if (c.gesture == Remove) {
                g.view.runMenuCommand(kMenuDelete, on);
                QVERIFY(m.fx.editor.apply(edit::RemoveDivider{c.door, id}));
            } else {
                const auto [d, position] = offsetNear(c.step);
                QTest::mousePress(&g.view, Qt::LeftButton, Qt::NoModifier, QPoint(on.x, on.y));
                const PixelPoint to = pointAt(d);
                QVERIFY(g.view.dragLimits().contains(to));
                QTest::mouseMove(&g.view, QPoint(to.x, to.y));
                QTest::mouseRelease(&g.view, Qt::LeftButton, Qt::NoModifier, QPoint(to.x, to.y));
                g.view.sizeDialog()->hide();
                QVERIFY(m.fx.editor.apply(edit::MoveDivider{c.door, id, position}));
            }
        }
        QCOMPARE(writeSketchBytes(g.project), writeSketchBytes(m.project));
        QVERIFY(writeSketchBytes(g.project) != writeSketchBytes(Bench().project));
    }
}

void SketchEditingTest::dividerModeClickSplitsAndAsksForTheSize() {
    Bench b;
    b.setDrawing(true, true);
    const PixelPoint c = centre(b.firstInsertRect(0));
    b.click(c);
    QCOMPARE(b.door(0).dividers.size(), size_t{1});
    QCOMPARE(b.clicks.count(), 1);
    QCOMPARE(b.recalculations(), 1);
    QVERIFY(b.fx.editor.canUndo());
    const Divider& d = b.door(0).dividers.begin()->second;
    QCOMPARE(b.selection().dividerDoor, 0);
    QCOMPARE(b.selection().dividerId, b.door(0).dividers.begin()->first);

    SizeDlg& dlg = *b.view.sizeDialog();
    QVERIFY(dlg.isVisible());
    QCOMPARE(b.hub.count(Notification::LockPanels), 1);
    const auto [before, after] = b.door(0).extentsAround(d);
    QVERIFY(before > 0 && after > 0);
    QCOMPARE(dlg.horizontal(), false);
    QCOMPARE(dlg.maxSize(), before + after - 200);
    QCOMPARE(dlg.nameLabel()->text(), QStringLiteral("Ширина"));
    QCOMPARE(dlg.insertLabel()->text(), QStringLiteral("вставки"));
    QCOMPARE(dlg.rangeLabel()->text(), QStringLiteral("20 - %1 мм").arg((before + after - 200) / 10));
    QCOMPARE(dlg.sideList()->count(), 2);
    QCOMPARE(dlg.sideList()->itemText(0), QStringLiteral("левой"));
    QCOMPARE(dlg.sideList()->itemText(1), QStringLiteral("правой"));
    QCOMPARE(dlg.sizeEdit()->text(), ui::millimetresText(before));
    dlg.sideList()->setCurrentIndex(1);
    QCOMPARE(dlg.sizeEdit()->text(), ui::millimetresText(after));
    dlg.sideList()->setCurrentIndex(0);
    QCOMPARE(dlg.sizeEdit()->text(), ui::millimetresText(before));

    // While the dialog is up the view takes no clicks and no hover.
    b.click(centre(b.firstInsertRect(1)));
    b.hoverAt(centre(b.firstInsertRect(1)));
    QCOMPARE(b.clicks.count(), 1);
    QCOMPARE(b.door(1).dividers.size(), size_t{0});
    QCOMPARE(b.hovers.count(), 0);

    dlg.reject();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(b.hub.count(Notification::UnlockPanels), 1);

    // A click that cannot split (on a frame side) goes on as a plain click.
    b.lay();
    b.click(centre(b.frameRect(2, kFrameTop)));
    QCOMPARE(b.clicks.count(), 2);
    QCOMPARE(b.recalculations(), 1);
    QVERIFY(!dlg.isVisible());
}

void SketchEditingTest::clicksSelectAndDeselect() {
    Bench b;
    const PixelRect first = b.firstInsertRect(0);
    const PixelRect second = b.firstInsertRect(2);
    b.click(centre(first));
    QCOMPARE(b.selectedRect(), first);
    QCOMPARE(b.clicks.count(), 1);
    b.click(centre(second)); // another insert moves the selection
    QCOMPARE(b.selectedRect(), second);
    QCOMPARE(b.selection().insertDoor, 2);
    b.click(centre(second)); // the same insert again deselects
    QVERIFY(b.selectedRect().isEmpty());
    QVERIFY(!b.selection().hasInsert());
    QCOMPARE(b.clicks.count(), 3);
    // The selection mark is drawn over the picture.
    b.click(centre(first));
    const QImage shown = b.view.grab().toImage();
    QCOMPARE(shown.pixelColor(first.left + 1, first.top + 1), QColor(222, 70, 95));
}

void SketchEditingTest::lockedViewIgnoresClicks() {
    Bench b;
    b.view.setEnabled(false);
    b.click(centre(b.firstInsertRect(0)));
    QCOMPARE(b.clicks.count(), 0);
    QVERIFY(!b.selection().hasInsert());
    b.view.setEnabled(true);
    b.click(centre(b.firstInsertRect(0)));
    QCOMPARE(b.clicks.count(), 1);
    QVERIFY(b.selection().hasInsert());
}

void SketchEditingTest::draggingADividerMovesIt() {
    Bench b;
    Divider& d = b.split(0, b.firstInsertRect(0), true);
    const int32_t id = b.door(0).nextDividerId - 1;
    const int32_t old = d.position;
    const PixelRect dr = b.dividerRect(0, id);
    b.click(centre(b.firstInsertRect(1))); // a selection that the drag clears
    QVERIFY(b.selection().hasInsert());
    const PixelPoint c = centre(dr);
    b.hoverAt(c);
    QCOMPARE(b.cursorKind(), 2);
    QTest::mousePress(&b.view, Qt::LeftButton, Qt::NoModifier, QPoint(c.x, c.y + 5));
    QVERIFY(b.view.dragging());
    QVERIFY(!b.selection().hasInsert());
    const PixelPoint start = b.view.dragPoint();
    QCOMPARE(start.x, dr.left + dr.width() / 2);
    QCOMPARE(start.y, c.y + 5);

    // Outside the neighbouring inserts the drag point stays where it was.
    QTest::mouseMove(&b.view, QPoint(b.view.dragLimits().right + 20, c.y));
    QCOMPARE(b.view.dragPoint().x, start.x);
    const QPoint to(start.x + 40, c.y);
    QVERIFY(b.view.dragLimits().contains(PixelPoint{to.x(), to.y()}));
    QTest::mouseMove(&b.view, to);
    QCOMPARE(b.view.dragPoint().x, to.x());
    // The outline has moved with the mouse.
    const QImage shown = b.view.grab().toImage();
    QCOMPARE(shown.pixelColor(dr.left + 40, dr.top + 2), QColor(255, 100, 100));

    const int doorLeft = b.laidOut().doors[0].rect.left;
    const double scale = b.laidOut().scale;
    const int recalcBefore = b.recalculations();
    QTest::mouseRelease(&b.view, Qt::LeftButton, Qt::NoModifier, to);
    QVERIFY(!b.view.dragging());
    const int32_t t = static_cast<int32_t>((to.x() - doorLeft) / scale);
    QCOMPARE(d.position, (t + 50) / 100 * 100);
    QVERIFY(d.position > old);
    QCOMPARE(b.recalculations(), recalcBefore + 1);
    QCOMPARE(b.selection().dividerId, id);
    QCOMPARE(b.selection().dividerDoor, 0);
    QVERIFY(b.view.sizeDialog()->isVisible());
    QCOMPARE(b.view.sizeDialog()->beforeSize(), b.door(0).extentsAround(d).first);
    b.view.sizeDialog()->reject();

    // The next paint lays out again and finds the divider under the mouse anew.
    b.lay();
    QCOMPARE(b.view.hoverRect(), b.dividerRect(0, id));
}

void SketchEditingTest::draggingAJointChangesTwoDoors() {
    // The joint goes where the button comes up, not where the mouse last moved.
    auto dragged = [](int movedBy, int releasedBy) {
        Bench b;
        const PixelRect side = b.frameRect(0, kFrameRight);
        b.hoverAt(centre(side));
        QTest::mousePress(&b.view, Qt::LeftButton, Qt::NoModifier, QPoint(centre(side).x, centre(side).y));
        const PixelPoint start = b.view.dragPoint();
        QTest::mouseMove(&b.view, QPoint(start.x + movedBy, start.y));
        QTest::mouseRelease(&b.view, Qt::LeftButton, Qt::NoModifier, QPoint(start.x + releasedBy, start.y));
        return b.door(0).width;
    };
    QCOMPARE(dragged(30, 15), dragged(15, 15));
    QVERIFY(dragged(30, 15) < dragged(30, 30));

    Bench b;
    const int32_t w0 = b.door(0).width, w1 = b.door(1).width, w2 = b.door(2).width;
    const PixelRect side = b.frameRect(0, kFrameRight);
    b.hoverAt(centre(side));
    QCOMPARE(b.cursorKind(), 2);
    QTest::mousePress(&b.view, Qt::LeftButton, Qt::NoModifier, QPoint(centre(side).x, centre(side).y));
    QVERIFY(b.view.dragging());
    const PixelPoint start = b.view.dragPoint();
    QTest::mouseMove(&b.view, QPoint(start.x + 30, start.y));
    QTest::mouseRelease(&b.view, Qt::LeftButton, Qt::NoModifier, QPoint(start.x + 30, start.y));
    QVERIFY(b.door(0).width > w0);
    QVERIFY(b.door(1).width < w1);
    QCOMPARE(b.door(0).width + b.door(1).width, w0 + w1);
    QCOMPARE(b.door(2).width, w2);
    QCOMPARE(b.recalculations(), 1);
    QVERIFY(!b.view.sizeDialog()->isVisible()); // no divider to size
    // The whole drag is one step of the history.
    QVERIFY(b.fx.editor.apply(edit::Undo{}));
    QCOMPARE(b.door(0).width, w0);
    QCOMPARE(b.door(1).width, w1);
    QVERIFY(!b.fx.editor.canUndo());
    QVERIFY(b.fx.editor.apply(edit::Redo{}));
    b.view.redraw();

    // A press and release without a move changes nothing.
    b.lay();
    const int recalculated = b.recalculations();
    const int32_t now = b.door(0).width;
    b.hoverAt(centre(b.frameRect(0, kFrameRight)));
    QTest::mousePress(&b.view, Qt::LeftButton, Qt::NoModifier, QPoint(start.x, start.y));
    QTest::mouseRelease(&b.view, Qt::LeftButton, Qt::NoModifier, QPoint(start.x, start.y));
    QCOMPARE(b.door(0).width, now);
    QCOMPARE(b.recalculations(), recalculated);
}

void SketchEditingTest::contextMenuEntries() {
    Bench b;
    const QString sep = QStringLiteral("-");
    b.hoverAt(centre(b.firstInsertRect(1)));
    QCOMPARE(b.menuTexts(),
             QStringList({QStringLiteral("Копировать дверь 2"), sep, QStringLiteral("Удалить")}));

    // Over a frame side there is nothing to delete.
    b.hoverAt(centre(b.frameRect(1, kFrameTop)));
    QCOMPARE(b.menuTexts(), QStringList({QStringLiteral("Копировать дверь 2"), sep}));

    // Once a door was copied it can be pasted, but not onto itself.
    b.view.runMenuCommand(kMenuCopyDoor, PixelPoint{});
    QCOMPARE(b.selection().copiedDoor, 1);
    std::vector<MenuEntry> entries = b.view.menuEntries();
    QCOMPARE(entries.size(), size_t{3});
    QCOMPARE(entries[1].command, static_cast<int>(kMenuPasteDoor));
    QCOMPARE(qs(entries[1].text), QStringLiteral("Вставить дверь 2"));
    QVERIFY(!entries[1].enabled);
    b.hoverAt(centre(b.firstInsertRect(0)));
    entries = b.view.menuEntries();
    QCOMPARE(qs(entries[0].text), QStringLiteral("Копировать дверь 1"));
    QCOMPARE(qs(entries[1].text), QStringLiteral("Вставить дверь 2"));
    QVERIFY(entries[1].enabled);

    // Spreading is offered per orientation of the door's dividers.
    b.fx.editor.copyDoor(-1);
    b.split(0, b.firstInsertRect(0), false);
    b.hoverAt(centre(b.dividerRect(0, b.lastDividerId(0))));
    const QString alignH = QStringLiteral("Выравнить горизонтальные разделители");
    const QString alignV = QStringLiteral("Выравнить вертикальные разделители");
    QCOMPARE(b.menuTexts(), QStringList({QStringLiteral("Копировать дверь 1"), sep, alignH, sep,
                                         QStringLiteral("Удалить")}));
    b.split(0, b.firstInsertRect(0), true);
    b.hoverAt(centre(b.firstInsertRect(0)));
    QCOMPARE(b.menuTexts(), QStringList({QStringLiteral("Копировать дверь 1"), sep, alignH, alignV, sep,
                                         QStringLiteral("Удалить")}));

    // The Qt menu carries the same entries with their commands.
    b.fx.editor.copyDoor(0);
    QMenu menu;
    b.view.fillContextMenu(menu);
    const QList<QAction*> actions = menu.actions();
    QCOMPARE(actions.size(), 10);
    QCOMPARE(actions[1]->text(), QStringLiteral("Вставить дверь 1"));
    QVERIFY(!actions[1]->isEnabled());
    QVERIFY(actions[2]->isSeparator());
    QCOMPARE(actions[4]->data().toInt(), static_cast<int>(kMenuAlignVertical));
    QCOMPARE(actions[6]->data().toInt(), static_cast<int>(kMenuDelete));
    // The history closes the menu: the splits above can be undone, nothing can be redone yet.
    QVERIFY(actions[7]->isSeparator());
    QCOMPARE(actions[8]->text(), QStringLiteral("Отменить: разделить вставку"));
    QCOMPARE(actions[9]->text(), QStringLiteral("Повторить"));
    QVERIFY(actions[8]->isEnabled() && !actions[9]->isEnabled());
}

void SketchEditingTest::deleteRemovesADividerOrAMaterial() {
    Bench b;
    b.split(0, b.firstInsertRect(0), true);
    const PixelPoint at = centre(b.dividerRect(0, b.lastDividerId(0)));
    b.hoverAt(at);
    const int hovers = b.hovers.count();
    b.view.runMenuCommand(kMenuDelete, at);
    QCOMPARE(b.door(0).dividers.size(), size_t{0});
    QCOMPARE(b.door(0).inserts.size(), size_t{1});
    QVERIFY(b.view.hoverRect().isEmpty());
    QCOMPARE(b.hovers.count(), hovers + 1);
    QCOMPARE(b.recalculations(), 1);

    // Over an insert the material goes; the insert stays.
    b.lay();
    const Material* m = firstMaterial();
    QVERIFY(m);
    Insert& ins = b.firstInsert(2);
    ins.material = m;
    b.hoverAt(centre(b.firstInsertRect(2)));
    b.view.runMenuCommand(kMenuDelete, centre(b.firstInsertRect(2)));
    QVERIFY(b.firstInsert(2).material == nullptr);
    QCOMPARE(b.recalculations(), 2);
    // An insert without material has nothing to take away: no change.
    b.lay();
    b.hoverAt(centre(b.firstInsertRect(2)));
    b.view.runMenuCommand(kMenuDelete, centre(b.firstInsertRect(2)));
    QCOMPARE(b.recalculations(), 2);

    // A divider that another one abuts stays.
    b.lay();
    b.split(1, b.firstInsertRect(1), true);
    const int32_t v = b.lastDividerId(1);
    b.split(1, b.firstInsertRect(1), false);
    b.hoverAt(centre(b.dividerRect(1, v)));
    b.view.runMenuCommand(kMenuDelete, centre(b.dividerRect(1, v)));
    QCOMPARE(b.door(1).dividers.size(), size_t{2});
    QCOMPARE(b.recalculations(), 0);
}

void SketchEditingTest::pasteAndAlignRecalculate() {
    Bench b;
    b.split(0, b.firstInsertRect(0), false);
    b.split(0, b.lastInsertRect(0), false);
    b.hoverAt(centre(b.firstInsertRect(0)));
    b.view.runMenuCommand(kMenuCopyDoor, PixelPoint{});
    b.hoverAt(centre(b.firstInsertRect(2)));
    b.view.runMenuCommand(kMenuPasteDoor, PixelPoint{});
    QCOMPARE(b.door(2).dividers.size(), size_t{2});
    QCOMPARE(b.recalculations(), 1);

    b.lay();
    b.hoverAt(centre(b.firstInsertRect(2)));
    b.view.runMenuCommand(kMenuAlignHorizontal, PixelPoint{});
    QCOMPARE(b.recalculations(), 2);
    const int32_t step = b.door(2).height / 3;
    std::vector<int32_t> positions;
    for (const auto& [id, d] : b.door(2).dividers)
        positions.push_back(d.position);
    std::sort(positions.begin(), positions.end());
    QCOMPARE(positions, std::vector<int32_t>({step, 2 * step}));
}

void SketchEditingTest::sizeDialogSetsThePanelSize_data() {
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("millimetres");
    QTest::newRow("left") << true << 0 << 300;
    QTest::newRow("right") << true << 1 << 412;
    QTest::newRow("upper") << false << 0 << 700;
    QTest::newRow("lower") << false << 1 << 555;
}

void SketchEditingTest::sizeDialogSetsThePanelSize() {
    QFETCH(bool, vertical);
    QFETCH(int, side);
    QFETCH(int, millimetres);
    Bench b;
    b.setDrawing(true, vertical);
    b.click(centre(b.firstInsertRect(1)));
    SizeDlg& dlg = *b.view.sizeDialog();
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.horizontal(), !vertical);
    QCOMPARE(dlg.nameLabel()->text(), vertical ? QStringLiteral("Ширина") : QStringLiteral("Высота"));
    if (!vertical) {
        QCOMPARE(dlg.sideList()->itemText(0), QStringLiteral("верхней"));
        QCOMPARE(dlg.sideList()->itemText(1), QStringLiteral("нижней"));
    }
    dlg.sideList()->setCurrentIndex(side);
    dlg.sizeEdit()->setText(QString::number(millimetres));
    const int recalcs = b.recalculations();
    dlg.accept();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(b.hub.count(Notification::UnlockPanels), 1);
    QCOMPARE(b.recalculations() - recalcs, 1);
    const Divider* d = selectedDivider(b.sketch, b.selection());
    QVERIFY(d);
    QCOMPARE(b.door(1).panelSizeBeside(*d, side == 1), millimetres * 10);
}

void SketchEditingTest::sizeDialogRefusesOutOfRange_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("below 20 mm") << QStringLiteral("19");
    QTest::newRow("above the range") << QStringLiteral("above");
    QTest::newRow("not a number") << QStringLiteral("abc");
    QTest::newRow("empty") << QString();
    QTest::newRow("negative") << QStringLiteral("-300");
    QTest::newRow("huge") << QStringLiteral("99999999999");
}

void SketchEditingTest::sizeDialogRefusesOutOfRange() {
    QFETCH(QString, text);
    Bench b;
    b.setDrawing(true);
    b.click(centre(b.firstInsertRect(0)));
    SizeDlg& dlg = *b.view.sizeDialog();
    QVERIFY(dlg.isVisible());
    const Divider* d = selectedDivider(b.sketch, b.selection());
    QVERIFY(d);
    const int32_t position = d->position;
    const int recalcs = b.recalculations();
    if (text == QStringLiteral("above")) text = QString::number(dlg.maxSize() / 10 + 1);
    dlg.sizeEdit()->setText(text);
    // Refused with the reason; the dialog stays for another try.
    QTest::keyClick(dlg.sizeEdit(), Qt::Key_Return);
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.rangeLabel()->text(), QStringLiteral("Введите от 20 до %1 мм").arg(dlg.maxSize() / 10));
    QCOMPARE(d->position, position);
    QCOMPARE(b.recalculations(), recalcs);
    QCOMPARE(b.hub.count(Notification::UnlockPanels), 0);
    QTest::keyClicks(dlg.sizeEdit(), QStringLiteral("1"));
    QCOMPARE(dlg.rangeLabel()->text(), QStringLiteral("20 - %1 мм").arg(dlg.maxSize() / 10));
    dlg.reject();
    QCOMPARE(d->position, position);
    QCOMPARE(b.hub.count(Notification::UnlockPanels), 1);
}

void SketchEditingTest::sizeDialogOkOnTheOfferedSizeChangesNothing() {
    Bench b;
    b.setDrawing(true);
    b.click(centre(b.firstInsertRect(0)));
    SizeDlg& dlg = *b.view.sizeDialog();
    const Divider* d = selectedDivider(b.sketch, b.selection());
    QVERIFY(d);
    const int32_t position = d->position;
    const int recalcs = b.recalculations();
    for (int side : {0, 1}) {
        dlg.sideList()->setCurrentIndex(side);
        // The insert's size is offered; its panel, the size the sketch writes, is shown beside it.
        const auto [before, after] = b.door(0).extentsAround(*d);
        const int32_t panel = b.door(0).panelSizeBeside(*d, side == 1);
        QVERIFY(panel / 10 != (side == 1 ? after : before) / 10);
        QCOMPARE(dlg.sizeEdit()->text(), ui::millimetresText(side == 1 ? after : before));
        QCOMPARE(dlg.panelLabel()->text(), QStringLiteral("панель %1 мм").arg(panel / 10));
    }
    QTest::keyClick(dlg.sizeEdit(), Qt::Key_Return);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(d->position, position);
    QCOMPARE(b.recalculations(), recalcs);
    QCOMPARE(b.hub.count(Notification::UnlockPanels), 1);
}

void SketchEditingTest::sizeDialogKeys() {
    Bench b;
    b.setDrawing(true);
    b.click(centre(b.firstInsertRect(0)));
    SizeDlg& dlg = *b.view.sizeDialog();
    dlg.sizeEdit()->setText(QStringLiteral("250"));
    QTest::keyClick(dlg.sizeEdit(), Qt::Key_Return);
    QVERIFY(!dlg.isVisible());
    const Divider* d = selectedDivider(b.sketch, b.selection());
    QVERIFY(d);
    QCOMPARE(b.door(0).panelSizeBeside(*d, false), 2500);

    b.lay();
    b.click(centre(b.lastInsertRect(0)));
    QVERIFY(dlg.isVisible());
    QCOMPARE(b.hub.count(Notification::LockPanels), 2);
    const int recalcs = b.recalculations();
    dlg.sizeEdit()->setText(QStringLiteral("100"));
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(b.recalculations(), recalcs);
    QCOMPARE(b.hub.count(Notification::UnlockPanels), 2);
}

QTEST_MAIN(SketchEditingTest)
#include "sketch_editing_test.moc"
