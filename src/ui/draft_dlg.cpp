#include "draft_dlg.h"

#include "model/project.h"
#include "sketch_painter.h"
#include "text/numbers.h"

#include <QPainter>

namespace dalvex::ui {

namespace {

const QColor kSelection(222, 70, 95);

} // namespace

DraftDlg::DraftDlg(const UiContext& context, QWidget* parent) : Panel(context, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent); // the rendered picture covers the whole view
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
    if (n == Notification::Recalculated) redraw();
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
    // Sizes never appear on paper.
    drawDoors(painter, sketch, table,
              SketchStyle{ctx_.artwork, pictures_, ctx_.project.profileColor, false, dpi});
    sketch.currentDoor = shownDoor;
    // The model now holds the page's rectangles: the screen must lay out again before it is hit-tested.
    sketch.dirty = true;
    forceRender_ = true;
    update();
    rect.setTop(rect.top() + drawnHeight);
}

} // namespace dalvex::ui
