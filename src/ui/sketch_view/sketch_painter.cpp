#include "sketch_view/sketch_painter.h"

#include "art/artwork.h"
#include "sketch_view/picture_cache.h"
#include "widgets/qt_text.h"
#include "records/records.h"
#include "sketch/sketch_units.h"
#include "text/millimetres.h"
#include "text/numbers.h"

#include <QFontMetrics>
#include <QPainter>

namespace dalvex::ui {

namespace {

const QColor kInk(100, 100, 100);
const QColor kMissingPicture(255, 60, 60);
const QColor kRow0Circle(250, 240, 230);
const QColor kRow1Circle(230, 240, 250);

QRect toQRect(const PixelRect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

// `pixels` as on the screen, scaled to the resolution the texts are sized for.
QFont arialBold(int pixels, int textDpi) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(std::max(1, pixels * textDpi / 96));
    f.setBold(true);
    return f;
}

// Fills a rectangle and outlines it in `ink` with a 1-pixel line inside its own pixels. The outline is four
// filled strips, the same pixels as a stroked 1-pixel rectangle at a fraction of its cost (the view draws
// hundreds of them on every render).
void fillOutlined(QPainter& p, const QRect& r, const QBrush& brush, const QColor& ink) {
    p.fillRect(r, brush);
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), ink);
    if (r.height() > 1) p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), ink);
    if (r.height() > 2) {
        p.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), ink);
        if (r.width() > 1) p.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), ink);
    }
}

// Text on a white box, as the measurements stand out over any picture.
void drawOpaqueText(QPainter& p, const QRect& box, const QString& text) {
    p.fillRect(box, Qt::white);
    p.drawText(box, Qt::AlignCenter, text);
}

void drawInsertSizes(QPainter& p, const Insert& in, const QRect& r, int textDpi) {
    p.setPen(kInk);
    p.setFont(arialBold(14, textDpi));
    const QFontMetrics fm = p.fontMetrics();

    const QString thickness = qs(wholeMillimetres(in.material ? in.material->thickness : 0) + " мм");
    QRect box(0, 0, fm.horizontalAdvance(thickness), fm.height());
    if (box.width() <= r.width() && box.height() <= r.height()) {
        box.moveCenter(r.center());
        drawOpaqueText(p, box, thickness);
    }

    const QString width = qs(roundedMillimetres(in.panelWidth));
    box = QRect(0, 0, fm.horizontalAdvance(width), fm.height());
    if (box.width() <= r.width() && box.height() <= r.height()) {
        box.moveLeft(r.left() + (r.width() - box.width()) / 2);
        box.moveBottom(r.bottom());
        drawOpaqueText(p, box, width);
    }

    // The height reads upwards along the left edge.
    p.setFont(arialBold(13, textDpi));
    const QFontMetrics fm13 = p.fontMetrics();
    const QString height = qs(roundedMillimetres(in.panelHeight));
    const int length = fm13.horizontalAdvance(height);
    const int thick = fm13.height();
    if (thick <= r.width() && length <= r.height()) {
        p.save();
        p.translate(r.left(), r.top() + (r.height() + length) / 2);
        p.rotate(-90);
        drawOpaqueText(p, QRect(0, 0, length, thick), height);
        p.restore();
    }
}

void drawInsert(QPainter& p, const Insert& in, const PixelRect& rect, int doorIndex, int doorCount,
                const view::DoorTable& table, const SketchStyle& style) {
    const QRect r = toQRect(rect);
    if (!in.material) {
        p.fillRect(r, QBrush(style.artwork.picture(kPictureHatchEmpty)));
    } else if (in.thicknessError) {
        p.fillRect(r, QBrush(style.artwork.picture(kPictureHatchError)));
    } else {
        const std::string& path = in.material->picturePath;
        const QImage* source = style.pictures.sourcePicture(path);
        const view::PicturePlacement place = view::placePicture(in, rect, doorIndex, table, doorCount);
        const QImage* scaled =
            source ? style.pictures.scaledPicture(path, place.width, place.height, *source) : nullptr;
        if (!scaled) {
            p.fillRect(r, kMissingPicture);
            return;
        }
        p.drawImage(r.topLeft(), *scaled, QRect(place.sourceX, place.sourceY, r.width(), r.height()));
    }
    if (style.showInsertSizes) drawInsertSizes(p, in, r, style.textDpi);
}

void drawDoorNumber(QPainter& p, const Door& door, const PixelRect& rect, int doorsTop, int dpi) {
    const bool firstRow = door.row == 0;
    const int d = dpi * (firstRow ? 23 : 20) / 72;
    const QRect r = toQRect(rect);
    const int centreX = r.left() + r.width() / 2;
    const QRect circle(centreX - d / 2, doorsTop - dpi * 6 / 72 - d, d, d);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(firstRow ? kRow0Circle : kRow1Circle);
    p.drawEllipse(circle);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);

    const QString number = QString::number(door.index + 1);
    const QFontMetrics fm = p.fontMetrics();
    const int w = fm.horizontalAdvance(number);
    const int h = fm.height();
    p.drawText(QRect(centreX - w / 2, doorsTop - d / 2 - h, w, h), Qt::AlignCenter, number);
}

void drawGap(QPainter& p, const DoorSketch& sketch, const PixelRect& gap, int textDpi) {
    const QRect g = toQRect(gap);
    fillOutlined(p, g, Qt::white, kInk);
    p.drawLine(g.topLeft(), g.bottomRight());
    p.drawLine(g.bottomLeft(), g.topRight());
    p.setFont(arialBold(14, textDpi));
    const QString text = qs(roundedMillimetres(sketch.remainder()));
    const QFontMetrics fm = p.fontMetrics();
    QRect box(0, 0, fm.horizontalAdvance(text), fm.height());
    box.moveLeft(g.left() + (g.width() - box.width()) / 2);
    box.moveBottom(g.bottom() - 5);
    if (g.contains(box)) drawOpaqueText(p, box, text);
}

} // namespace

void drawDoors(QPainter& p, const DoorSketch& sketch, const view::SketchLayout& layout,
               const SketchStyle& style) {
    const int count = sketch::doorsInUse(sketch.doorCount);
    const int current = layout.currentDoor;
    const bool one = current >= 0;
    const int begin = one ? current : 0;
    const int end = one ? std::min(current + 1, count) : count;
    const QBrush frame(style.frameColor
                           ? QColor(style.frameColor->red, style.frameColor->green, style.frameColor->blue)
                           : QColor(Qt::white));
    const QPen pen(kInk, 1);
    const int doorsTop = count > 0 ? layout.doors[0].rect.top : 0;

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = begin; i < end; ++i) {
        const Door& door = sketch.doors[static_cast<size_t>(i)];
        const view::DoorLayout& placed = layout.doors[static_cast<size_t>(i)];
        p.fillRect(toQRect(placed.rect), frame);
        for (const auto& [id, in] : door.inserts) {
            const PixelRect r = placed.insert(id);
            if (!r.isEmpty()) drawInsert(p, in, r, i, count, layout.table, style);
        }

        p.setPen(pen);
        for (int side : {kFrameLeft, kFrameRight, kFrameTop, kFrameBottom}) {
            const PixelRect& r = placed.frame[static_cast<size_t>(side)];
            if (!r.isEmpty()) fillOutlined(p, toQRect(r), frame, kInk);
        }
        for (const auto& [id, d] : door.dividers) {
            const PixelRect r = placed.divider(id);
            if (!r.isEmpty()) fillOutlined(p, toQRect(r), frame, kInk);
        }

        p.setFont(arialBold(14, style.textDpi));
        drawDoorNumber(p, door, placed.rect, doorsTop, style.dpi);
    }
    if (!one && layout.gapRect.width() > 0 && layout.gapRect.height() > 0) {
        p.setPen(pen);
        drawGap(p, sketch, layout.gapRect, style.textDpi);
    }
    p.restore();
}

view::SketchLayout pageLayout(const DoorSketch& sketch, const QRect& rect) {
    double scale = 0.0;
    if (sketch.height > 0 && sketch.doorsTotalWidth > 0 && rect.width() > 0 && rect.height() > 0)
        scale = std::min(static_cast<double>(rect.height()) / sketch.height,
                         static_cast<double>(rect.width()) / sketch.doorsTotalWidth);
    const int drawnWidth = truncToInt(sketch.doorsTotalWidth * scale);
    view::SketchLayout page; // every door, whatever the screen shows
    view::layOut(page, sketch, scale, PixelPoint{rect.left() + (rect.width() - drawnWidth) / 2, rect.top()});
    return page;
}

void printSketch(QPainter& painter, QRect& rect, const DoorSketch& sketch, const SketchStyle& style) {
    const view::SketchLayout page = pageLayout(sketch, rect);
    drawDoors(painter, sketch, page, style);
    rect.setTop(rect.top() + truncToInt(sketch.height * page.scale));
}

} // namespace dalvex::ui
