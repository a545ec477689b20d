#include "dlg_table.h"

#include "project/project_reports.h"
#include "qt_text.h"

#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace dalvex::ui {

DlgTable::DlgTable(const UiContext& context, int kind, QWidget* parent)
    : Panel(context, parent), kind_(kind) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    bar_ = new QScrollBar(Qt::Vertical, this);
    bar_->hide();
    connect(bar_, &QScrollBar::actionTriggered, this, [this](int action) {
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            scroll_.lines(1);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            scroll_.lines(-1);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            scroll_.pages(1);
            break;
        case QAbstractSlider::SliderPageStepSub:
            scroll_.pages(-1);
            break;
        case QAbstractSlider::SliderMove:
            scroll_.trackTo(bar_->sliderPosition());
            break;
        default:
            break; // other requests are ignored
        }
        bar_->setSliderPosition(scroll_.position);
        update();
    });
    rebuild();
}

void DlgTable::rebuild() {
    sections_ = buildTable(kind_, ctx_.project);
    relayout();
}

void DlgTable::relayout() {
    layout_ = layoutTable(sections_, rect(), logicalDpiY());
    pictureDirty_ = true;
    resetScrollBar();
    update();
}

void DlgTable::resetScrollBar() {
    scroll_ = TableScroll::forDocument(layout_.documentHeight, height());
    const int barWidth = bar_->sizeHint().width();
    bar_->setGeometry(width() - barWidth, 0, barWidth, height());
    bar_->blockSignals(true);
    bar_->setRange(0, scroll_.maxPosition());
    bar_->setPageStep(TableScroll::kPage);
    bar_->setSingleStep(TableScroll::kLine);
    bar_->setValue(0);
    bar_->blockSignals(false);
    bar_->setVisible(scroll_.shown);
}

void DlgTable::onNotification(Notification n) {
    if (n == Notification::Recalculated || n == Notification::SketchOpened) rebuild();
}

void DlgTable::resizeEvent(QResizeEvent*) {
    relayout();
}

void DlgTable::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ShiftModifier) {
        Panel::wheelEvent(event);
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta == 0) return;
    scroll_.wheel(delta < 0);
    bar_->setValue(scroll_.position);
    update();
    event->accept();
}

void DlgTable::render() {
    const int dpi = logicalDpiY();
    const int pictureWidth = std::max(layout_.band.right(), rect().right()) + 1;
    const int pictureHeight = std::max(layout_.documentHeight + 50, height());
    if (picture_.size() != QSize(pictureWidth, pictureHeight))
        picture_ = QPixmap(pictureWidth, pictureHeight);
    picture_.fill(Qt::white);
    QPainter p(&picture_);
    const QFont normal = tableFont(dpi, false);
    const QFont bold = tableFont(dpi, true);
    const Paddings pad = Paddings::forDpi(dpi);
    const QPen textPen(QColor(76, 76, 76));
    const QPen gridPen(QColor(180, 180, 180), 1);
    int y = 30;
    for (size_t i = 0; i < sections_.size() && i < layout_.sections.size(); ++i) {
        const TableSection& s = sections_[i];
        const SectionLayout& sl = layout_.sections[i];
        const int left = 50 + sl.leftPx;
        std::vector<int> lines{left};
        for (int w : sl.widthPx)
            lines.push_back(lines.back() + w);
        int rowTop = y;
        for (int r = 0; r < s.rowCount; ++r) {
            const int rowHeight = sl.rowHeights[static_cast<size_t>(r)];
            for (int c = 0; c < s.columnCount; ++c) {
                const TableCell& cell = s.cell(c, r);
                if (cell.text.empty()) continue;
                const QRect box(QPoint(lines[static_cast<size_t>(c)] + 5, rowTop + 5),
                                QPoint(lines[static_cast<size_t>(c) + 1] - 1, rowTop + rowHeight - 1));
                p.setFont(cell.bold ? bold : normal);
                p.setPen(textPen);
                const QString text = qs(cell.text);
                p.drawText(box, cellTextFlags(p.fontMetrics(), sl.widthPx[static_cast<size_t>(c)], pad, text),
                           text);
            }
            rowTop += rowHeight;
        }
        p.setPen(gridPen);
        const int bottom = y + sl.heightPx;
        for (int x : lines)
            p.drawLine(x, y, x, bottom);
        p.drawLine(left, y, lines.back(), y);
        int lineY = y;
        for (int h : sl.rowHeights) {
            lineY += h;
            p.drawLine(left, lineY, lines.back(), lineY);
        }
        y += sl.heightPx + 15;
    }
    pictureDirty_ = false;
}

void DlgTable::paintEvent(QPaintEvent*) {
    const int pictureWidth = std::max(layout_.band.right(), rect().right()) + 1;
    const int pictureHeight = std::max(layout_.documentHeight + 50, height());
    if (pictureDirty_ || picture_.size() != QSize(pictureWidth, pictureHeight)) render();
    QPainter p(this);
    p.drawPixmap(0, -scroll_.position, picture_);
}

} // namespace dalvex::ui
