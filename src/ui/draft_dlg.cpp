#include "draft_dlg.h"

#include "order_document.h"

#include "project/project.h"
#include "qt_text.h"
#include "size_dlg.h"
#include "sketch_painter.h"
#include "text/numbers.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <tuple>

namespace dalvex::ui {

namespace {

const QColor kSelection(222, 70, 95);
const QColor kHover(250, 180, 18);
const QColor kDragOutline(255, 100, 100);

QRect toQRect(const PixelRect& r) {
    return {r.left, r.top, r.width(), r.height()};
}

PixelPoint toPixel(const QPointF& p) {
    const QPoint q = p.toPoint();
    return {q.x(), q.y()};
}

bool samePoint(PixelPoint a, PixelPoint b) {
    return a.x == b.x && a.y == b.y;
}

// The first door shown that the last hit test marked, or -1.
int hitDoor(const DoorSketch& sketch) {
    for (int i = sketch.visibleBegin(); i < sketch.visibleEnd(); ++i)
        if (sketch.doors[i].hitKind != kHitNothing) return i;
    return -1;
}

} // namespace

DraftDlg::DraftDlg(const UiContext& context, QWidget* parent) : Panel(context, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent); // the rendered picture covers the whole view
    setMouseTracking(true);
    // The dialog belongs to the main window rather than to the view: the view is disabled while the dialog is
    // open, and a disabled parent would disable the dialog too.
    sizeDlg_ = new SizeDlg(context, parent ? parent->window() : nullptr);
    sizeDlg_->hide();
}

DraftDlg::~DraftDlg() {
    delete sizeDlg_.data();
}

void DraftDlg::redraw() {
    update();
}

void DraftDlg::setLocked(bool locked) {
    setEnabled(!locked);
}

void DraftDlg::clearPictureCaches() {
    pictures_.clear();
    forceRender_ = true;
    update();
}

void DraftDlg::onNotification(Notification n) {
    if (n != Notification::Recalculated) return;
    hoverStale_ = true;
    redraw();
}

void DraftDlg::render() {
    DoorSketch& sketch = ctx_.project.sketch;
    picture_ = QImage(size(), QImage::Format_RGB32);
    picture_.fill(Qt::white);
    const int dpi = logicalDpiY();
    const Placement place = placeInView(sketch, PixelRect{0, 0, width(), height()}, dpi);
    doorTable_ = ui::layout(sketch, place.scale, place.origin);
    QPainter p(&picture_);
    drawDoors(
        p, sketch, doorTable_,
        SketchStyle{ctx_.artwork, pictures_, ctx_.project.profileColor, ctx_.project.showInsertSizes, dpi});
    forceRender_ = false;
    sketch.dirty = false;
    ++renders_;
}

void DraftDlg::paintEvent(QPaintEvent*) {
    if (picture_.isNull() || picture_.size() != size() || forceRender_ || ctx_.project.sketch.dirty) render();
    QPainter p(this);
    p.drawImage(0, 0, picture_);
    if (rehoverPending_) {
        rehoverPending_ = false;
        hover(PixelPoint{dragPoint_.x, dragPoint_.y - 2});
    }
    if (hoverStale_ && !dragging_) hoverAfterRecalculation();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);

    if (dragging_) {
        // The outline follows the mouse along the one direction the item can move in.
        const QPoint shift =
            dragAcross_ ? QPoint(dragPoint_.x - startPoint_.x, 0) : QPoint(0, dragPoint_.y - startPoint_.y);
        p.setPen(QPen(kDragOutline, 3));
        p.drawRect(toQRect(dragRect_).translated(shift));
        return;
    }

    const PixelRect sel = ctx_.project.sketch.selectedInsertRect();
    if (!sel.isEmpty()) {
        const QRect r(sel.left, sel.top, sel.width(), sel.height());
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(kSelection, 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(1, 1, -2, -2));
        p.setPen(QPen(kSelection, 2));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
    }
    if (!hoverRect_.isEmpty()) {
        p.setPen(QPen(kHover, 3));
        p.drawRect(toQRect(hoverRect_));
    }
}

bool DraftDlg::inputBlocked() const {
    return sizeDlg_ && sizeDlg_->isVisible();
}

void DraftDlg::hover(PixelPoint p) {
    DoorSketch& sketch = ctx_.project.sketch;
    sketch.clearHits();
    const HoverHit hit = hoverTest(sketch, p);
    hoverDoor_ = hit.door;
    if (!(hit.rect == hoverRect_)) {
        hoverRect_ = hit.rect;
        update();
        ctx_.hub.notify(Notification::HoverChanged);
    }
    updateCursor();
}

// The frame and the info line describe what is under the mouse in the new layout, or nothing once the mouse
// is outside the view; the info line is told even when the rectangle stayed, as its sizes may have changed.
void DraftDlg::hoverAfterRecalculation() {
    hoverStale_ = false;
    DoorSketch& sketch = ctx_.project.sketch;
    sketch.clearHits();
    const HoverHit hit = mouseInside_ ? hoverTest(sketch, mousePoint_) : HoverHit{};
    hoverRect_ = hit.rect;
    hoverDoor_ = hit.door;
    ctx_.hub.notify(Notification::HoverChanged);
    updateCursor();
}

void DraftDlg::leaveEvent(QEvent* event) {
    mouseInside_ = false;
    Panel::leaveEvent(event);
}

void DraftDlg::updateCursor() {
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (menuOpen_)
        shape = Qt::ArrowCursor;
    else if (ctx_.project.drawDividers)
        shape = Qt::CrossCursor;
    else if (ctx_.project.sketch.cursorKind == 2)
        shape = Qt::SizeHorCursor;
    else if (ctx_.project.sketch.cursorKind == 1)
        shape = Qt::SizeVerCursor;
    setCursor(shape);
}

void DraftDlg::putCursorAt(PixelPoint p) {
    QCursor::setPos(mapToGlobal(QPoint(p.x, p.y)));
}

void DraftDlg::openSizeDialog(PixelPoint p) {
    DoorSketch& sketch = ctx_.project.sketch;
    const Door* door = sketch.selectedDividerDoorPtr();
    const Divider* divider = sketch.selectedDivider();
    if (!door || !divider || !sizeDlg_) return;
    sizeDlg_->openFor(*door, *divider, mapToGlobal(QPoint(p.x, p.y)));
}

void DraftDlg::mouseMoveEvent(QMouseEvent* event) {
    if (inputBlocked() || menuOpen_) return;
    const PixelPoint p = toPixel(event->position());
    mousePoint_ = p;
    mouseInside_ = true;
    if (!dragging_) {
        hover(p);
        return;
    }
    if (limits_.contains(p))
        dragPoint_ = p;
    else
        putCursorAt(dragPoint_);
    update();
}

void DraftDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || inputBlocked()) return;
    ctx_.hub.notify(Notification::SketchClicked);
    Project& project = ctx_.project;
    DoorSketch& sketch = project.sketch;
    const PixelPoint p = toPixel(event->position());

    if (project.drawDividers) {
        sketch.clearSelection();
        if (project.splitAt(p)) {
            update();
            ctx_.hub.notify(Notification::TotalsChanged);
            openSizeDialog(p);
            return;
        }
    }

    if (sketch.cursorKind != 0) {
        const auto [limits, dragRect] = sketch.beginDrag();
        if (!dragRect.isEmpty()) {
            sketch.clearSelection();
            dragging_ = true;
            dragAcross_ = sketch.cursorKind == 2;
            limits_ = limits;
            dragRect_ = dragRect;
            dragPoint_ = p;
            // The drag starts from the middle of the item, so the outline does not jump at the first move.
            if (dragAcross_)
                dragPoint_.x = dragRect.left + dragRect.width() / 2;
            else
                dragPoint_.y = dragRect.top + dragRect.height() / 2;
            startPoint_ = dragPoint_;
            putCursorAt(dragPoint_);
            forceRender_ = true;
            update();
            return;
        }
    }

    const PixelRect before = sketch.selectedInsertRect();
    if (before.isEmpty()) {
        sketch.clearSelection();
        if (!sketch.selectInsertAt(p)) return;
    } else {
        sketch.selectInsertAt(p);
        if (sketch.selectedInsertRect() == before) sketch.clearSelection(); // a second click deselects
    }
    update();
}

void DraftDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    const PixelPoint p = toPixel(event->position());
    if (!samePoint(dragPoint_, startPoint_)) {
        Project& project = ctx_.project;
        // The outline shows where the item goes; the mouse may have left the limits since.
        project.dragTo(dragPoint_);
        if (project.sketch.selectedDivider()) {
            openSizeDialog(p);
            hover(p);
        }
        rehoverPending_ = true;
        project.sketch.clearHits();
        ctx_.hub.notify(Notification::TotalsChanged);
    }
    update();
}

std::vector<MenuEntry> DraftDlg::menuEntries() const {
    return contextMenuEntries(ctx_.project.sketch, hoverDoor_);
}

void DraftDlg::fillContextMenu(QMenu& menu) const {
    for (const MenuEntry& e : menuEntries()) {
        if (e.command == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* a = menu.addAction(qs(e.text));
        a->setData(e.command);
        a->setEnabled(e.enabled);
    }
    // The history closes the menu, greyed when there is nothing to undo or redo.
    menu.addSeparator();
    const OrderDocument* document = ctx_.document;
    for (const auto& [command, text, enabled] :
         {std::tuple{kMenuUndo, QStringLiteral("Отменить"), document && document->canUndo()},
          std::tuple{kMenuRedo, QStringLiteral("Повторить"), document && document->canRedo()}}) {
        QAction* a = menu.addAction(text);
        a->setData(command);
        a->setEnabled(enabled);
    }
}

void DraftDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (inputBlocked() || hoverDoor_ < 0) return;
    menuOpen_ = true;
    menuPoint_ = PixelPoint{event->pos().x(), event->pos().y()};
    updateCursor();
    QMenu menu(this);
    fillContextMenu(menu);
    const QAction* chosen = menu.exec(event->globalPos());
    menuOpen_ = false;
    updateCursor();
    if (chosen) runMenuCommand(chosen->data().toInt(), menuPoint_);
}

void DraftDlg::runMenuCommand(int command, PixelPoint menuPoint) {
    Project& project = ctx_.project;
    DoorSketch& sketch = project.sketch;
    switch (command) {
    case kMenuCopyDoor:
        if (hoverDoor_ >= 0) sketch.copyDoor(hoverDoor_);
        break;
    case kMenuPasteDoor:
        if (project.pasteDoor(hoverDoor_)) ctx_.hub.notify(Notification::Recalculated);
        break;
    case kMenuAlignHorizontal:
    case kMenuAlignVertical:
        project.alignDividers(hoverDoor_, command == kMenuAlignVertical);
        ctx_.hub.notify(Notification::Recalculated);
        break;
    case kMenuUndo:
        if (ctx_.document) ctx_.document->undo();
        break;
    case kMenuRedo:
        if (ctx_.document) ctx_.document->redo();
        break;
    case kMenuDelete: {
        const int door = hitDoor(sketch);
        if (door < 0) break;
        if (sketch.doors[door].hitKind == kHitInsert) {
            project.clearHoveredInsertMaterial();
            update();
            ctx_.hub.notify(Notification::TotalsChanged);
        } else if (sketch.doors[door].hitKind == kHitDivider && project.removeDividerAt(menuPoint)) {
            hoverRect_ = PixelRect{};
            sketch.clearHits();
            hoverDoor_ = hoverTest(sketch, menuPoint).door;
            ctx_.hub.notify(Notification::HoverChanged);
            update();
            ctx_.hub.notify(Notification::TotalsChanged);
        }
        break;
    }
    default:
        break;
    }
}

void DraftDlg::drawForPrint(QPainter& painter, QRect& rect) {
    DoorSketch& sketch = ctx_.project.sketch;
    const int dpi = painter.device() ? painter.device()->logicalDpiY() : logicalDpiY();
    // Printing shows every door; the view keeps the door it showed.
    const int shownDoor = sketch.currentDoor;
    sketch.currentDoor = -1;
    double scale = 0.0;
    if (sketch.height > 0 && sketch.doorsTotalWidth > 0 && rect.width() > 0 && rect.height() > 0)
        scale = std::min(static_cast<double>(rect.height()) / sketch.height,
                         static_cast<double>(rect.width()) / sketch.doorsTotalWidth);
    const int drawnWidth = truncToInt(sketch.doorsTotalWidth * scale);
    const int drawnHeight = truncToInt(sketch.height * scale);
    const DoorTable table =
        ui::layout(sketch, scale, PixelPoint{rect.left() + (rect.width() - drawnWidth) / 2, rect.top()});
    // Sizes never appear on paper; the door numbers keep their size in points. The pictures scaled for the
    // page are kept only while the page is drawn: they would push the screen's pictures out of the caches.
    PictureCache pagePictures;
    drawDoors(painter, sketch, table,
              SketchStyle{ctx_.artwork, pagePictures, ctx_.project.profileColor, false, dpi, dpi});
    sketch.currentDoor = shownDoor;
    // The model now holds the page's rectangles: the screen must lay out again before it is hit-tested.
    sketch.dirty = true;
    forceRender_ = true;
    update();
    rect.setTop(rect.top() + drawnHeight);
}

} // namespace dalvex::ui
