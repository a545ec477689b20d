// Editing the sketch with the mouse: the hover test and the info line, clicks that split or select, dragging
// dividers and door joints, the context menu's entries and commands, and the insert size dialog.
#include "draft_dlg.h"
#include "info_panel_dlg.h"
#include "records/records.h"
#include "size_dlg.h"
#include "sketch_hover.h"
#include "ui_test_support.h"
#include "widgets/text_label.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

#include <cmath>

using namespace dalvex;
using namespace dalvex::ui;
using dalvex::ui::test::ProjectFixture;
using dalvex::ui::test::RecordingHub;

namespace {

// Forwards what the main window would: the hover to the info line, recalculations to the view.
class ForwardingHub : public RecordingHub {
public:
    void notify(Notification n) override {
        RecordingHub::notify(n);
        if (n == Notification::HoverChanged && info) info->receive(n);
        if (n == Notification::Recalculated && view) view->receive(n);
    }
    DraftDlg* view = nullptr;
    InfoPanelDlg* info = nullptr;
};

// The default project (three doors) in a view of a fixed size, laid out by a first paint.
struct Bench {
    ProjectFixture fx;
    ForwardingHub hub;
    DraftDlg view{fx.context(hub), nullptr};
    InfoPanelDlg info{fx.context(hub), nullptr};
    Project& project = fx.project;
    DoorSketch& sketch = fx.project.sketch;

    Bench() {
        hub.view = &view;
        hub.info = &info;
        view.resize(900, 560);
        lay();
    }
    ~Bench() { view.sizeDialog()->hide(); }
    void lay() { view.grab(); }
    Door& door(int i) { return sketch.doors[i]; }
    Insert& firstInsert(int i) { return door(i).inserts.begin()->second; }

    // A divider across the middle of an insert, made through the Project; the view lays the sketch out again.
    Divider& split(int doorIndex, const PixelRect& insertRect, bool vertical) {
        project.newDividerVertical = vertical;
        const PixelPoint c{insertRect.left + insertRect.width() / 2,
                           insertRect.top + insertRect.height() / 2};
        if (!project.splitAt(c)) qFatal("the insert could not be split");
        lay();
        Door& d = door(doorIndex);
        return d.dividers.at(d.nextDividerId - 1);
    }

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

PixelPoint centre(const PixelRect& r) {
    return {r.left + r.width() / 2, r.top + r.height() / 2};
}

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
    void hoverOverFrameSidesAndJoints();
    void hoverOverDividers();
    void singleDoorOrOneDoorShownHasNoJoint();
    void dirtySketchFindsNothing();
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
    b.hoverAt(centre(ins.rect));
    QCOMPARE(b.view.hoverRect(), ins.rect);
    QCOMPARE(b.view.hoverDoor(), 1);
    QCOMPARE(b.sketch.cursorKind, 0);
    QCOMPARE(b.door(1).hitKind, static_cast<int>(kHitInsert));
    QCOMPARE(b.hub.count(Notification::HoverChanged), 1);
    QCOMPARE(b.info.firstLine(), QStringLiteral("Материал не назначен"));
    const double w = ins.panelWidth, h = ins.panelHeight;
    QVERIFY(w > 0 && h > 0);
    QCOMPARE(b.info.secondLine(),
             expected("Ширина: %5d мм;  Высота: %5d мм; Площадь: %5d мм2 (%5.3f м2); Толщина: %2.1f мм",
                      static_cast<int>(std::lround(w / 10)), static_cast<int>(std::lround(h / 10)),
                      static_cast<int>(std::lround(w * h / 100)), w * h / 1e8, 0.0));

    // Moving within the same insert changes nothing; a material shows its collection and key.
    b.hoverAt(PixelPoint{ins.rect.left + 2, ins.rect.top + 2});
    QCOMPARE(b.hub.count(Notification::HoverChanged), 1);
    const Material* m = firstMaterial();
    QVERIFY(m);
    b.door(1).inserts.begin()->second.material = m;
    b.info.showHover();
    QCOMPARE(b.info.firstLine(), qs("Материал: " + m->collection + " / " + m->key()));

    // Leaving the doors empties the frame and the info line.
    b.hoverAt(PixelPoint{2, 2});
    QVERIFY(b.view.hoverRect().isEmpty());
    QCOMPARE(b.view.hoverDoor(), -1);
    QCOMPARE(b.hub.count(Notification::HoverChanged), 2);
    QVERIFY(b.info.firstLine().isEmpty());
    QVERIFY(b.info.secondLine().isEmpty());
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
        const PixelRect r = b.door(c.door).frame[c.side].rect;
        QVERIFY(!r.isEmpty());
        b.hoverAt(centre(r));
        QCOMPARE(b.view.hoverRect(), r);
        QCOMPARE(b.view.hoverDoor(), c.door);
        QCOMPARE(b.sketch.cursorKind, c.cursorKind);
        QCOMPARE(b.door(c.door).hitFrame, c.side);
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
    const PixelRect joint = b.door(0).frame[kFrameRight].rect;
    QVERIFY(joint.width() <= 3);
    for (int x : {joint.left - 2, joint.right + 1}) {
        b.hoverAt(PixelPoint{x, centre(joint).y});
        QCOMPARE(b.view.hoverDoor(), 0);
        QCOMPARE(b.sketch.cursorKind, 2);
    }
    b.view.resize(900, 560);
    b.lay();
    // A door on the other rail shows its left side over the door before it: the hover finds that door's
    // joint.
    QVERIFY(b.door(1).row != b.door(0).row);
    b.hoverAt(centre(b.door(1).frame[kFrameLeft].rect));
    QCOMPARE(b.view.hoverDoor(), 0);
    QCOMPARE(b.sketch.cursorKind, 2);
    // The joint between doors 1 and 2 names both widths.
    b.hoverAt(centre(b.door(1).frame[kFrameRight].rect));
    QVERIFY(b.info.secondLine().endsWith(expected(";  Левая дверь: %5.1f мм;  Правая дверь: %5.1f мм",
                                                  b.door(1).width / 10.0, b.door(2).width / 10.0)));
    b.hoverAt(centre(b.door(2).frame[kFrameTop].rect));
    QVERIFY(b.info.secondLine().endsWith(expected(";  Ширина двери: %5.1f мм", b.door(2).width / 10.0)));

    // In divider mode the cursor is a cross whatever lies under it.
    b.project.drawDividers = true;
    b.hoverAt(centre(b.firstInsert(0).rect));
    QCOMPARE(b.view.cursor().shape(), Qt::CrossCursor);
}

void SketchEditingTest::hoverOverDividers() {
    Bench b;
    const Divider& v = b.split(0, b.firstInsert(0).rect, true);
    const Divider& h = b.split(1, b.firstInsert(1).rect, false);
    struct Case {
        const Divider* d;
        int door;
        int cursorKind;
        Qt::CursorShape shape;
        const char* offset;
    };
    const Case cases[] = {{&v, 0, 2, Qt::SizeHorCursor, "Смещение от левого края двери"},
                          {&h, 1, 1, Qt::SizeVerCursor, "Смещение от верхнего края двери"}};
    for (const Case& c : cases) {
        b.hoverAt(centre(c.d->rect));
        QCOMPARE(b.view.hoverRect(), c.d->rect);
        QCOMPARE(b.view.hoverDoor(), c.door);
        QCOMPARE(b.sketch.cursorKind, c.cursorKind);
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
    b.sketch.currentDoor = 0;
    b.sketch.dirty = true;
    b.lay();
    b.hoverAt(centre(b.door(0).frame[kFrameRight].rect));
    QCOMPARE(b.view.hoverDoor(), 0);
    QCOMPARE(b.sketch.cursorKind, 0);

    b.sketch.currentDoor = -1;
    QVERIFY(b.project.setDoorCount(1));
    b.lay();
    b.hoverAt(centre(b.door(0).frame[kFrameRight].rect));
    QCOMPARE(b.view.hoverDoor(), 0);
    QCOMPARE(b.sketch.cursorKind, 0);
    // A press there selects nothing and starts no drag.
    QTest::mousePress(
        &b.view, Qt::LeftButton, Qt::NoModifier,
        QPoint(centre(b.door(0).frame[kFrameRight].rect).x, centre(b.door(0).frame[kFrameRight].rect).y));
    QVERIFY(!b.view.dragging());
    QTest::mouseRelease(&b.view, Qt::LeftButton);
}

void SketchEditingTest::dirtySketchFindsNothing() {
    Bench b;
    const PixelRect r = b.firstInsert(0).rect;
    b.sketch.dirty = true; // the rectangles are from an older layout
    b.sketch.cursorKind = 2;
    const HoverHit hit = hoverTest(b.sketch, centre(r));
    QVERIFY(hit.rect.isEmpty());
    QCOMPARE(hit.door, -1);
    QCOMPARE(b.sketch.cursorKind, 0);
    QCOMPARE(b.door(0).hitKind, static_cast<int>(kHitNothing));
}

void SketchEditingTest::dividerModeClickSplitsAndAsksForTheSize() {
    Bench b;
    b.project.drawDividers = true;
    b.project.newDividerVertical = true;
    const PixelPoint c = centre(b.firstInsert(0).rect);
    b.click(c);
    QCOMPARE(b.door(0).dividers.size(), size_t{1});
    QCOMPARE(b.hub.count(Notification::SketchClicked), 1);
    QCOMPARE(b.hub.count(Notification::TotalsChanged), 1);
    const Divider& d = b.door(0).dividers.begin()->second;
    QCOMPARE(b.sketch.selectedDividerDoor, 0);
    QCOMPARE(b.sketch.selectedDividerId, b.door(0).dividers.begin()->first);

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
    QCOMPARE(dlg.sizeEdit()->text(), QString::number(before / 10));
    dlg.sideList()->setCurrentIndex(1);
    QCOMPARE(dlg.sizeEdit()->text(), QString::number(after / 10));
    dlg.sideList()->setCurrentIndex(0);
    QCOMPARE(dlg.sizeEdit()->text(), QString::number(before / 10));

    // While the dialog is up the view takes no clicks and no hover.
    b.click(centre(b.firstInsert(1).rect));
    b.hoverAt(centre(b.firstInsert(1).rect));
    QCOMPARE(b.hub.count(Notification::SketchClicked), 1);
    QCOMPARE(b.door(1).dividers.size(), size_t{0});
    QCOMPARE(b.hub.count(Notification::HoverChanged), 0);

    dlg.reject();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(b.hub.count(Notification::UnlockPanels), 1);

    // A click that cannot split (on a frame side) goes on as a plain click.
    b.lay();
    b.click(centre(b.door(2).frame[kFrameTop].rect));
    QCOMPARE(b.hub.count(Notification::SketchClicked), 2);
    QCOMPARE(b.hub.count(Notification::TotalsChanged), 1);
    QVERIFY(!dlg.isVisible());
}

void SketchEditingTest::clicksSelectAndDeselect() {
    Bench b;
    const PixelRect first = b.firstInsert(0).rect;
    const PixelRect second = b.firstInsert(2).rect;
    b.click(centre(first));
    QCOMPARE(b.sketch.selectedInsertRect(), first);
    QCOMPARE(b.hub.count(Notification::SketchClicked), 1);
    b.click(centre(second)); // another insert moves the selection
    QCOMPARE(b.sketch.selectedInsertRect(), second);
    QCOMPARE(b.door(0).selectedInsertId, 0);
    b.click(centre(second)); // the same insert again deselects
    QVERIFY(b.sketch.selectedInsertRect().isEmpty());
    QVERIFY(!b.sketch.hasSelection());
    QCOMPARE(b.hub.count(Notification::SketchClicked), 3);
    // The selection mark is drawn over the picture.
    b.click(centre(first));
    const QImage shown = b.view.grab().toImage();
    QCOMPARE(shown.pixelColor(first.left + 1, first.top + 1), QColor(222, 70, 95));
}

void SketchEditingTest::lockedViewIgnoresClicks() {
    Bench b;
    b.view.receive(Notification::LockPanels);
    b.click(centre(b.firstInsert(0).rect));
    QCOMPARE(b.hub.count(Notification::SketchClicked), 0);
    QVERIFY(!b.sketch.hasSelection());
    b.view.receive(Notification::UnlockPanels);
    b.click(centre(b.firstInsert(0).rect));
    QCOMPARE(b.hub.count(Notification::SketchClicked), 1);
    QVERIFY(b.sketch.hasSelection());
}

void SketchEditingTest::draggingADividerMovesIt() {
    Bench b;
    Divider& d = b.split(0, b.firstInsert(0).rect, true);
    const int32_t id = b.door(0).nextDividerId - 1;
    const int32_t old = d.position;
    b.click(centre(b.firstInsert(1).rect)); // a selection that the drag clears
    QVERIFY(b.sketch.hasSelection());
    const PixelPoint c = centre(d.rect);
    b.hoverAt(c);
    QCOMPARE(b.sketch.cursorKind, 2);
    QTest::mousePress(&b.view, Qt::LeftButton, Qt::NoModifier, QPoint(c.x, c.y + 5));
    QVERIFY(b.view.dragging());
    QVERIFY(!b.sketch.hasSelection());
    const PixelPoint start = b.view.dragPoint();
    QCOMPARE(start.x, d.rect.left + d.rect.width() / 2);
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
    QCOMPARE(shown.pixelColor(d.rect.left + 40, d.rect.top + 2), QColor(255, 100, 100));

    const int doorLeft = b.door(0).rect.left;
    const double scale = b.sketch.scale;
    const int recalcBefore = b.hub.count(Notification::TotalsChanged);
    QTest::mouseRelease(&b.view, Qt::LeftButton, Qt::NoModifier, to);
    QVERIFY(!b.view.dragging());
    const int32_t t = static_cast<int32_t>((to.x() - doorLeft) / scale);
    QCOMPARE(d.position, (t + 50) / 100 * 100);
    QVERIFY(d.position > old);
    QCOMPARE(b.hub.count(Notification::TotalsChanged), recalcBefore + 1);
    QCOMPARE(b.sketch.selectedDividerId, id);
    QCOMPARE(b.sketch.selectedDividerDoor, 0);
    QVERIFY(b.view.sizeDialog()->isVisible());
    QCOMPARE(b.view.sizeDialog()->beforeSize(), b.door(0).extentsAround(d).first);
    b.view.sizeDialog()->reject();

    // The next paint lays out again and finds the divider under the mouse anew.
    b.lay();
    QCOMPARE(b.view.hoverRect(), d.rect);
}

void SketchEditingTest::draggingAJointChangesTwoDoors() {
    Bench b;
    const int32_t w0 = b.door(0).width, w1 = b.door(1).width, w2 = b.door(2).width;
    const PixelRect side = b.door(0).frame[kFrameRight].rect;
    b.hoverAt(centre(side));
    QCOMPARE(b.sketch.cursorKind, 2);
    QTest::mousePress(&b.view, Qt::LeftButton, Qt::NoModifier, QPoint(centre(side).x, centre(side).y));
    QVERIFY(b.view.dragging());
    const PixelPoint start = b.view.dragPoint();
    QTest::mouseMove(&b.view, QPoint(start.x + 30, start.y));
    QTest::mouseRelease(&b.view, Qt::LeftButton, Qt::NoModifier, QPoint(start.x + 30, start.y));
    QVERIFY(b.door(0).width > w0);
    QVERIFY(b.door(1).width < w1);
    QCOMPARE(b.door(0).width + b.door(1).width, w0 + w1);
    QCOMPARE(b.door(2).width, w2);
    QCOMPARE(b.hub.count(Notification::TotalsChanged), 1);
    QVERIFY(!b.view.sizeDialog()->isVisible()); // no divider to size

    // A press and release without a move changes nothing.
    b.lay();
    const int32_t now = b.door(0).width;
    b.hoverAt(centre(b.door(0).frame[kFrameRight].rect));
    QTest::mousePress(&b.view, Qt::LeftButton, Qt::NoModifier, QPoint(start.x, start.y));
    QTest::mouseRelease(&b.view, Qt::LeftButton, Qt::NoModifier, QPoint(start.x, start.y));
    QCOMPARE(b.door(0).width, now);
    QCOMPARE(b.hub.count(Notification::TotalsChanged), 1);
}

void SketchEditingTest::contextMenuEntries() {
    Bench b;
    const QString sep = QStringLiteral("-");
    b.hoverAt(centre(b.firstInsert(1).rect));
    QCOMPARE(b.menuTexts(),
             QStringList({QStringLiteral("Копировать дверь 2"), sep, QStringLiteral("Удалить")}));

    // Over a frame side there is nothing to delete.
    b.hoverAt(centre(b.door(1).frame[kFrameTop].rect));
    QCOMPARE(b.menuTexts(), QStringList({QStringLiteral("Копировать дверь 2"), sep}));

    // Once a door was copied it can be pasted, but not onto itself.
    b.view.runMenuCommand(kMenuCopyDoor, PixelPoint{});
    QCOMPARE(b.sketch.copiedDoor, 1);
    std::vector<MenuEntry> entries = b.view.menuEntries();
    QCOMPARE(entries.size(), size_t{3});
    QCOMPARE(entries[1].command, static_cast<int>(kMenuPasteDoor));
    QCOMPARE(qs(entries[1].text), QStringLiteral("Вставить дверь 2"));
    QVERIFY(!entries[1].enabled);
    b.hoverAt(centre(b.firstInsert(0).rect));
    entries = b.view.menuEntries();
    QCOMPARE(qs(entries[0].text), QStringLiteral("Копировать дверь 1"));
    QCOMPARE(qs(entries[1].text), QStringLiteral("Вставить дверь 2"));
    QVERIFY(entries[1].enabled);

    // Spreading is offered per orientation of the door's dividers.
    b.sketch.copiedDoor = -1;
    const Divider& h = b.split(0, b.firstInsert(0).rect, false);
    b.hoverAt(centre(h.rect));
    const QString alignH = QStringLiteral("Выравнить горизонтальные разделители");
    const QString alignV = QStringLiteral("Выравнить вертикальные разделители");
    QCOMPARE(b.menuTexts(), QStringList({QStringLiteral("Копировать дверь 1"), sep, alignH, sep,
                                         QStringLiteral("Удалить")}));
    b.split(0, b.firstInsert(0).rect, true);
    b.hoverAt(centre(b.firstInsert(0).rect));
    QCOMPARE(b.menuTexts(), QStringList({QStringLiteral("Копировать дверь 1"), sep, alignH, alignV, sep,
                                         QStringLiteral("Удалить")}));

    // The Qt menu carries the same entries with their commands.
    b.sketch.copiedDoor = 0;
    QMenu menu;
    b.view.fillContextMenu(menu);
    const QList<QAction*> actions = menu.actions();
    QCOMPARE(actions.size(), 10);
    QCOMPARE(actions[1]->text(), QStringLiteral("Вставить дверь 1"));
    QVERIFY(!actions[1]->isEnabled());
    QVERIFY(actions[2]->isSeparator());
    QCOMPARE(actions[4]->data().toInt(), static_cast<int>(kMenuAlignVertical));
    QCOMPARE(actions[6]->data().toInt(), static_cast<int>(kMenuDelete));
    // The history closes the menu, greyed without a history to go back in.
    QVERIFY(actions[7]->isSeparator());
    QCOMPARE(actions[8]->text(), QStringLiteral("Отменить"));
    QCOMPARE(actions[9]->text(), QStringLiteral("Повторить"));
    QVERIFY(!actions[8]->isEnabled() && !actions[9]->isEnabled());
}

void SketchEditingTest::deleteRemovesADividerOrAMaterial() {
    Bench b;
    const Divider& d = b.split(0, b.firstInsert(0).rect, true);
    const PixelPoint at = centre(d.rect);
    b.hoverAt(at);
    const int hovers = b.hub.count(Notification::HoverChanged);
    b.view.runMenuCommand(kMenuDelete, at);
    QCOMPARE(b.door(0).dividers.size(), size_t{0});
    QCOMPARE(b.door(0).inserts.size(), size_t{1});
    QVERIFY(b.view.hoverRect().isEmpty());
    QCOMPARE(b.hub.count(Notification::HoverChanged), hovers + 1);
    QCOMPARE(b.hub.count(Notification::TotalsChanged), 1);

    // Over an insert the material goes; the insert stays.
    b.lay();
    const Material* m = firstMaterial();
    QVERIFY(m);
    Insert& ins = b.firstInsert(2);
    ins.material = m;
    b.hoverAt(centre(ins.rect));
    b.view.runMenuCommand(kMenuDelete, centre(ins.rect));
    QVERIFY(b.firstInsert(2).material == nullptr);
    QCOMPARE(b.hub.count(Notification::TotalsChanged), 2);
    // An insert without material still counts as a change.
    b.lay();
    b.hoverAt(centre(b.firstInsert(2).rect));
    b.view.runMenuCommand(kMenuDelete, centre(b.firstInsert(2).rect));
    QCOMPARE(b.hub.count(Notification::TotalsChanged), 3);

    // A divider that another one abuts stays.
    b.lay();
    const Divider& v = b.split(1, b.firstInsert(1).rect, true);
    const PixelRect left = b.door(1).inserts.begin()->second.rect;
    b.split(1, left, false);
    b.hoverAt(centre(v.rect));
    b.view.runMenuCommand(kMenuDelete, centre(v.rect));
    QCOMPARE(b.door(1).dividers.size(), size_t{2});
    QCOMPARE(b.hub.count(Notification::TotalsChanged), 3);
}

void SketchEditingTest::pasteAndAlignRecalculate() {
    Bench b;
    b.split(0, b.firstInsert(0).rect, false);
    b.split(0, b.door(0).inserts.rbegin()->second.rect, false);
    b.hoverAt(centre(b.firstInsert(0).rect));
    b.view.runMenuCommand(kMenuCopyDoor, PixelPoint{});
    b.hoverAt(centre(b.firstInsert(2).rect));
    b.view.runMenuCommand(kMenuPasteDoor, PixelPoint{});
    QCOMPARE(b.door(2).dividers.size(), size_t{2});
    QCOMPARE(b.hub.count(Notification::Recalculated), 1);

    b.lay();
    b.hoverAt(centre(b.firstInsert(2).rect));
    b.view.runMenuCommand(kMenuAlignHorizontal, PixelPoint{});
    QCOMPARE(b.hub.count(Notification::Recalculated), 2);
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
    b.project.drawDividers = true;
    b.project.newDividerVertical = vertical;
    b.click(centre(b.firstInsert(1).rect));
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
    const int recalcs = b.hub.count(Notification::Recalculated);
    dlg.accept();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(b.hub.count(Notification::UnlockPanels), 1);
    const int sent = b.hub.count(Notification::Recalculated) - recalcs;
    QVERIFY(sent == 1 || sent == 2);
    const Divider* d = b.sketch.selectedDivider();
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
    b.project.drawDividers = true;
    b.click(centre(b.firstInsert(0).rect));
    SizeDlg& dlg = *b.view.sizeDialog();
    QVERIFY(dlg.isVisible());
    const Divider* d = b.sketch.selectedDivider();
    QVERIFY(d);
    const int32_t position = d->position;
    if (text == QStringLiteral("above")) text = QString::number(dlg.maxSize() / 10 + 1);
    dlg.sizeEdit()->setText(text);
    dlg.accept();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(d->position, position);
    QCOMPARE(b.hub.count(Notification::Recalculated), 0);
    QCOMPARE(b.hub.count(Notification::UnlockPanels), 1);
}

void SketchEditingTest::sizeDialogKeys() {
    Bench b;
    b.project.drawDividers = true;
    b.click(centre(b.firstInsert(0).rect));
    SizeDlg& dlg = *b.view.sizeDialog();
    dlg.sizeEdit()->setText(QStringLiteral("250"));
    QTest::keyClick(dlg.sizeEdit(), Qt::Key_Return);
    QVERIFY(!dlg.isVisible());
    const Divider* d = b.sketch.selectedDivider();
    QVERIFY(d);
    QCOMPARE(b.door(0).panelSizeBeside(*d, false), 2500);

    b.lay();
    b.click(centre(b.door(0).inserts.rbegin()->second.rect));
    QVERIFY(dlg.isVisible());
    QCOMPARE(b.hub.count(Notification::LockPanels), 2);
    const int recalcs = b.hub.count(Notification::Recalculated);
    dlg.sizeEdit()->setText(QStringLiteral("100"));
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(b.hub.count(Notification::Recalculated), recalcs);
    QCOMPARE(b.hub.count(Notification::UnlockPanels), 2);
}

QTEST_MAIN(SketchEditingTest)
#include "sketch_editing_test.moc"
