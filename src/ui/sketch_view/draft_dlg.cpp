#include "sketch_view/draft_dlg.h"

#include "widgets/device_pixels.h"
#include "widgets/focus_frame.h"

#include "document/order_document.h"

#include "project/project.h"
#include "project/project_editor.h"
#include "widgets/qt_text.h"
#include "printing/report_sources.h"
#include "sketch_view/size_dlg.h"
#include "sketch_view/sketch_painter.h"
#include "view/sketch_gestures.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <tuple>

namespace dalvex::ui {

namespace {

const QColor kSelection(222, 70, 95);
const QColor kHover(250, 180, 18);
const QColor kDragOutline(255, 100, 100);
// How far past its rectangle a 3-pixel outline may colour, with a pixel to spare.
constexpr int kOutlineOverhang = 3;

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

using view::kHitDivider;
using view::kHitFrame;
using view::kHitInsert;
using view::kHitNothing;

} // namespace

DraftDlg::DraftDlg(const UiContext& context, QWidget* parent) : Panel(context, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent); // the rendered picture covers the whole view
    setMouseTracking(true);
    // Reached by Tab like every other control; a click on it still takes the keyboard from the edits.
    setFocusPolicy(Qt::StrongFocus);
    // The dialog belongs to the main window rather than to the view: the view is disabled while the dialog is
    // open, and a disabled parent would disable the dialog too.
    sizeDlg_ = new SizeDlg(context, parent ? parent->window() : nullptr);
    sizeDlg_->hide();
    if (ctx_.screen) ctx_.screen->layout = &layout_;
    // The order changed: the layout is out of date until the next paint lays it out again.
    const OrderDocument* document = ctx_.document;
    connect(document, &OrderDocument::recalculated, this, &DraftDlg::orderChanged);
    connect(document, &OrderDocument::choicesChanged, this, &DraftDlg::orderChanged);
    connect(document, &OrderDocument::opened, this, &DraftDlg::clearPictureCaches);
    connect(document, &OrderDocument::viewChanged, this, [this] {
        redraw();
        updateCursor();
    });
}

DraftDlg::~DraftDlg() {
    delete sizeDlg_.data();
    if (ctx_.screen && ctx_.screen->layout == &layout_) ctx_.screen->layout = nullptr;
}

void DraftDlg::redraw() {
    layout_.stale = true;
    update();
}

int DraftDlg::shownDoor() const {
    return ctx_.document->view().currentDoor(ctx_.project.sketch.doorCount);
}

void DraftDlg::clearPictureCaches() {
    pictures_.clear();
    forceRender_ = true;
    update();
}

void DraftDlg::orderChanged() {
    hoverStale_ = true;
    redraw();
}

void DraftDlg::render() {
    const DoorSketch& sketch = ctx_.project.sketch;
    // The picture is kept from render to render: a new one of the view's size costs more than painting it.
    if (!fitsDevice(picture_, *this)) {
        picture_ = QImage(devicePixels(*this), QImage::Format_RGB32);
        picture_.setDevicePixelRatio(devicePixelRatio());
    }
    picture_.fill(Qt::white);
    const int dpi = logicalDpiY();
    layout_.currentDoor = shownDoor();
    const view::Placement place =
        view::placeInView(sketch, layout_.currentDoor, PixelRect{0, 0, width(), height()}, dpi);
    view::layOut(layout_, sketch, place.scale, place.origin);
    QPainter p(&picture_);
    drawDoors(p, sketch, layout_,
              SketchStyle{ctx_.artwork, pictures_, ctx_.project.profileColor,
                          ctx_.document->view().showInsertSizes, dpi});
    forceRender_ = false;
    ++renders_;
}

void DraftDlg::paintEvent(QPaintEvent* event) {
    if (!fitsDevice(picture_, *this) || forceRender_ || layout_.stale) render();
    QPainter p(this);
    // Only what was exposed: a drag step or a hover frame repaints a strip, not the whole picture.
    const QRect exposed = event->rect();
    p.drawImage(QRectF(exposed), picture_, devicePart(exposed, picture_.devicePixelRatio()));
    if (rehoverPending_) {
        rehoverPending_ = false;
        hover(PixelPoint{dragPoint_.x, dragPoint_.y - 2});
    }
    if (hoverStale_ && !dragging_) hoverAfterRecalculation();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    if (hasFocus()) drawFocusFrame(p, rect());

    if (dragging_) {
        p.setPen(QPen(kDragOutline, 3));
        p.drawRect(dragOutline());
        return;
    }

    const PixelRect sel = view::selectedInsertRect(layout_, ctx_.project.sketch, ctx_.editor.selection());
    if (!sel.isEmpty()) {
        const QRect r = toQRect(sel);
        p.setPen(QPen(kSelection, 3));
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

// The outline follows the mouse along the one direction the item can move in.
QRect DraftDlg::dragOutline() const {
    const QPoint shift =
        dragAcross_ ? QPoint(dragPoint_.x - startPoint_.x, 0) : QPoint(0, dragPoint_.y - startPoint_.y);
    return toQRect(dragRect_).translated(shift);
}

bool DraftDlg::inputBlocked() const {
    return sizeDlg_ && sizeDlg_->isVisible();
}

void DraftDlg::hover(PixelPoint p) {
    const view::HoverHit hit = view::hoverTest(layout_, ctx_.project.sketch, p);
    hoverDoor_ = hit.door;
    if (!(hit.rect == hoverRect_)) {
        hoverRect_ = hit.rect;
        update();
        emit hoverChanged();
    }
    updateCursor();
}

// The frame and the info line describe what is under the mouse in the new layout, or nothing once the mouse
// is outside the view; the info line is told even when the rectangle stayed, as its sizes may have changed.
void DraftDlg::hoverAfterRecalculation() {
    hoverStale_ = false;
    layout_.clearHits();
    const view::HoverHit hit =
        mouseInside_ ? view::hoverTest(layout_, ctx_.project.sketch, mousePoint_) : view::HoverHit{};
    hoverRect_ = hit.rect;
    hoverDoor_ = hit.door;
    emit hoverChanged();
    updateCursor();
}

void DraftDlg::leaveEvent(QEvent* event) {
    mouseInside_ = false;
    // The pointer went elsewhere: nothing of the sketch is under it any more. The context menu and a drag
    // keep what they act on.
    if (!menuOpen_ && !dragging_ && hoverDoor_ >= 0) {
        layout_.clearHits();
        hoverRect_ = PixelRect{};
        hoverDoor_ = -1;
        update();
        emit hoverChanged();
    }
    Panel::leaveEvent(event);
}

void DraftDlg::updateCursor() {
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (menuOpen_)
        shape = Qt::ArrowCursor;
    else if (ctx_.document->view().drawDividers)
        shape = Qt::CrossCursor;
    else if (layout_.cursorKind == 2)
        shape = Qt::SizeHorCursor;
    else if (layout_.cursorKind == 1)
        shape = Qt::SizeVerCursor;
    setCursor(shape);
}

void DraftDlg::putCursorAt(PixelPoint p) {
    QCursor::setPos(mapToGlobal(QPoint(p.x, p.y)));
}

void DraftDlg::openSizeDialog(PixelPoint p) {
    const SketchSelection& selected = ctx_.editor.selection();
    if (!selectedDivider(ctx_.project.sketch, selected) || !sizeDlg_) return;
    sizeDlg_->openFor(selected.dividerDoor, selected.dividerId, mapToGlobal(QPoint(p.x, p.y)));
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
    const QRect before = dragOutline();
    if (limits_.contains(p))
        dragPoint_ = p;
    else
        putCursorAt(dragPoint_);
    // Only the outline moves: the strip it left and the one it covers now, with the 3-pixel pen's overhang.
    const QRect after = dragOutline();
    if (after != before)
        update(before.united(after).adjusted(-kOutlineOverhang, -kOutlineOverhang, kOutlineOverhang,
                                             kOutlineOverhang));
}

void DraftDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || inputBlocked()) return;
    emit sketchClicked();
    const DoorSketch& sketch = ctx_.project.sketch;
    const PixelPoint p = toPixel(event->position());

    if (ctx_.document->view().drawDividers) {
        // The click draws where it can; anything else it does below, with nothing selected.
        const bool vertical = ctx_.document->view().dividersVertical;
        const view::SplitPlace at = view::splitPlace(layout_, sketch, p, vertical);
        if (at && ctx_.editor.apply(edit::Split{at.door, at.insertId, at.position, vertical})) {
            openSizeDialog(p);
            return;
        }
        ctx_.editor.clearSelection();
    }

    if (layout_.cursorKind != 0) {
        const auto [limits, dragRect] = view::beginDrag(layout_, sketch);
        if (!dragRect.isEmpty()) {
            ctx_.editor.clearSelection();
            dragging_ = true;
            dragAcross_ = layout_.cursorKind == 2;
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

    // A click selects the insert under it; a second click on the selected insert deselects it.
    const view::ItemAt hit = view::insertAt(layout_, sketch, p);
    const SketchSelection& selected = ctx_.editor.selection();
    const bool again = hit && selected.insertDoor == hit.door && selected.insertId == hit.id;
    if (!hit && view::selectedInsertRect(layout_, sketch, selected).isEmpty()) {
        ctx_.editor.clearSelection();
        return;
    }
    if (hit && !again)
        ctx_.editor.selectInsert(hit.door, hit.id);
    else
        ctx_.editor.clearSelection();
    update();
}

void DraftDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    const PixelPoint p = toPixel(event->position());
    if (!samePoint(dragPoint_, startPoint_)) {
        const DoorSketch& sketch = ctx_.project.sketch;
        // The whole drag is one operation, taken where the button is released (the cursor is held within the
        // limits while dragging; a release beyond them is refused by the move itself).
        // The dragged divider stays selected even when it could not move, so that its size can be typed.
        const view::DragMove move = view::dragMove(layout_, sketch, p);
        if (move.kind == kHitFrame)
            ctx_.editor.apply(edit::MoveJoint{move.leftDoor, move.growth});
        else if (move.kind == kHitDivider)
            ctx_.editor.apply(edit::MoveDivider{move.door, move.dividerId, move.position});
        if (selectedDivider(sketch, ctx_.editor.selection())) {
            openSizeDialog(p);
            hover(p);
        }
        rehoverPending_ = true;
        layout_.clearHits();
    }
    update();
}

std::vector<MenuEntry> DraftDlg::menuEntries() const {
    return contextMenuEntries(view::pointCommands(layout_, ctx_.project.sketch, hoverDoor_,
                                                  ctx_.editor.selection().copiedDoor));
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
    // The history closes the menu, naming the step undo and redo would take; greyed when there is none.
    menu.addSeparator();
    const ProjectEditor& editor = ctx_.editor;
    for (const auto& [command, text, step] :
         {std::tuple{kMenuUndo, QStringLiteral("Отменить"), editor.undoLabel()},
          std::tuple{kMenuRedo, QStringLiteral("Повторить"), editor.redoLabel()}}) {
        const bool enabled = !step.empty();
        QAction* a = menu.addAction(enabled ? text + QStringLiteral(": ") + qs(std::string(step)) : text);
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
    const DoorSketch& sketch = ctx_.project.sketch;
    switch (command) {
    case kMenuCopyDoor:
        if (hoverDoor_ >= 0) ctx_.editor.copyDoor(hoverDoor_);
        break;
    case kMenuPasteDoor:
        ctx_.editor.apply(edit::PasteDoor{ctx_.editor.selection().copiedDoor, hoverDoor_});
        break;
    case kMenuAlignHorizontal:
    case kMenuAlignVertical:
        ctx_.editor.apply(edit::AlignDividers{hoverDoor_, command == kMenuAlignVertical});
        break;
    case kMenuUndo:
        ctx_.editor.apply(edit::Undo{});
        break;
    case kMenuRedo:
        ctx_.editor.apply(edit::Redo{});
        break;
    case kMenuDelete: {
        const view::Hit hit = layout_.hit;
        if (hit.door < layout_.visibleBegin() || hit.door >= layout_.visibleEnd(sketch.doorCount)) break;
        if (hit.kind == kHitInsert) {
            ctx_.editor.apply(edit::ClearMaterial{hit.door, hit.insertId});
        } else if (hit.kind == kHitDivider) {
            const view::ItemAt at = view::dividerAt(layout_, sketch, menuPoint);
            if (!at || !ctx_.editor.apply(edit::RemoveDivider{at.door, at.id})) break;
            hoverRect_ = PixelRect{};
            hoverDoor_ = view::hoverTest(layout_, sketch, menuPoint).door;
            emit hoverChanged();
        }
        break;
    }
    default:
        break;
    }
}

void DraftDlg::drawForPrint(QPainter& painter, QRect& rect) {
    drawSketchForPrint(ctx_, painter, rect);
}

} // namespace dalvex::ui
