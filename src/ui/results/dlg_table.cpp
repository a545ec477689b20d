#include "results/dlg_table.h"

#include "results/cell_pictures.h"
#include "widgets/device_pixels.h"
#include "document/order_document.h"
#include "project/project_reports.h"
#include "widgets/qt_text.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

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
    // Built when first shown or read: at start-up only the sketch tab is shown. Any change of the figures or
    // the card makes it stale.
    connect(ctx_.document, &OrderDocument::totalsChanged, this, [this] { markStale(Stale::Sections); });
}

void DlgTable::rebuild() {
    // The table as it was tells the layout which cells it has measured already.
    const std::vector<TableSection> before = std::exchange(sections_, buildTable(kind_, ctx_.project));
    relayout(before);
}

void DlgTable::relayout(const std::vector<TableSection>& before) {
    layout_ = layoutTable(sections_, rect(), logicalDpiY(), &heights_, &before);
    stale_ = Stale::No;
    viewPosition_ = -1;
    resetScrollBar();
    update();
}

void DlgTable::refresh() {
    if (stale_ == Stale::Sections)
        rebuild();
    else if (stale_ == Stale::Layout)
        relayout(sections_);
}

void DlgTable::markStale(Stale what) {
    stale_ = std::max(stale_, what);
    // A table in view is brought up to date at once; a hidden one when it is shown or read.
    if (isVisible()) refresh();
}

const std::vector<TableSection>& DlgTable::sections() {
    refresh();
    return sections_;
}

const TableLayout& DlgTable::layout() {
    refresh();
    return layout_;
}

const TableScroll& DlgTable::scroll() {
    refresh();
    return scroll_;
}

QScrollBar* DlgTable::scrollBar() {
    refresh();
    return bar_;
}

void DlgTable::resetScrollBar() {
    scroll_ = TableScroll::forDocument(layout_.documentHeight, height(), layout_.rowStep);
    wheelTurn_ = 0;
    const int barWidth = bar_->sizeHint().width();
    bar_->setGeometry(width() - barWidth, 0, barWidth, height());
    bar_->blockSignals(true);
    bar_->setRange(0, scroll_.maxPosition());
    bar_->setPageStep(scroll_.pageStep);
    bar_->setSingleStep(scroll_.lineStep);
    bar_->setValue(0);
    bar_->blockSignals(false);
    bar_->setVisible(scroll_.shown);
}

void DlgTable::showEvent(QShowEvent*) {
    refresh();
}

void DlgTable::resizeEvent(QResizeEvent*) {
    markStale(Stale::Layout);
}

void DlgTable::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ShiftModifier) {
        Panel::wheelEvent(event);
        return;
    }
    // As the desktop's item views: a notch of the wheel (120) moves the rows the desktop says, and a fine
    // wheel or a touchpad moves as much once its small turns add up to a notch.
    refresh();
    wheelTurn_ += event->angleDelta().y();
    const int notches = wheelTurn_ / 120;
    wheelTurn_ %= 120;
    event->accept();
    if (notches == 0) return;
    scroll_.lines(-notches * QApplication::wheelScrollLines());
    bar_->setValue(scroll_.position);
    update();
}

// The document is drawn at its place on a white page scrolled up by the scroll position: 30 pixels above the
// first section, 15 between sections, 50 pixels in from the band's left. Only the rows in view are drawn.
void DlgTable::render() {
    if (!fitsDevice(view_, *this)) {
        view_ = QPixmap(devicePixels(*this));
        view_.setDevicePixelRatio(devicePixelRatio());
    }
    view_.fill(Qt::white);
    viewPosition_ = scroll_.position;
    QPainter p(&view_);
    p.translate(0, -scroll_.position);
    const QRect shown = rect().translated(0, scroll_.position);
    const int dpi = logicalDpiY();
    const QFont normal = tableFont(dpi, false);
    const QFont bold = tableFont(dpi, true);
    const Paddings pad = Paddings::forDpi(dpi);
    const QPen textPen(QColor(76, 76, 76));
    const qreal ratio = view_.devicePixelRatio();
    pictures_.beginRender();
    const QPen gridPen(QColor(180, 180, 180), 1);
    int y = 30;
    for (size_t i = 0; i < sections_.size() && i < layout_.sections.size() && y <= shown.bottom(); ++i) {
        const TableSection& s = sections_[i];
        const SectionLayout& sl = layout_.sections[i];
        const int bottom = y + sl.heightPx;
        if (bottom < shown.top()) {
            y = bottom + 15;
            continue;
        }
        const int left = 50 + sl.leftPx;
        std::vector<int> lines{left};
        for (int w : sl.widthPx)
            lines.push_back(lines.back() + w);
        int rowTop = y;
        for (int r = 0; r < s.rowCount && rowTop <= shown.bottom(); ++r) {
            const int rowHeight = sl.rowHeights[static_cast<size_t>(r)];
            if (rowTop + rowHeight < shown.top()) {
                rowTop += rowHeight;
                continue;
            }
            for (int c = 0; c < s.columnCount; ++c) {
                const TableCell& cell = s.cell(c, r);
                if (cell.text.empty()) continue;
                const QRect box(QPoint(lines[static_cast<size_t>(c)] + 5, rowTop + 5),
                                QPoint(lines[static_cast<size_t>(c) + 1] - 1, rowTop + rowHeight - 1));
                const QFont& font = cell.bold ? bold : normal;
                const QString text = cellText(s, c, r);
                pictures_.draw(p, box, text, font, cell.bold, textPen, ratio, [&] {
                    p.setFont(font);
                    return cellTextFlags(p.fontMetrics(), sl.widthPx[static_cast<size_t>(c)], pad, text);
                });
            }
            rowTop += rowHeight;
        }
        p.setPen(gridPen);
        for (int x : lines)
            p.drawLine(x, y, x, bottom);
        p.drawLine(left, y, lines.back(), y);
        int lineY = y;
        for (int h : sl.rowHeights) {
            lineY += h;
            p.drawLine(left, lineY, lines.back(), lineY);
        }
        y = bottom + 15;
    }
}

void DlgTable::paintEvent(QPaintEvent* event) {
    refresh();
    if (viewPosition_ != scroll_.position || !fitsDevice(view_, *this)) render();
    QPainter p(this);
    p.drawPixmap(QRectF(event->rect()), view_, devicePart(event->rect(), view_.devicePixelRatio()));
}

} // namespace dalvex::ui
