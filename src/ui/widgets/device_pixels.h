#pragma once
// The pictures a view keeps of itself are drawn at the screen's device pixel ratio, so that text and lines
// stay crisp on a screen scaled to 125, 150 or 200 % instead of being drawn at 100 % and stretched.
#include <QImage>
#include <QPixmap>
#include <QRectF>
#include <QWidget>

#include <cmath>

namespace dalvex::ui {

// The device pixels that cover the whole widget (a fractional ratio rounds up: no strip left unpainted).
inline QSize devicePixels(const QWidget& widget) {
    const qreal ratio = widget.devicePixelRatio();
    return {static_cast<int>(std::ceil(widget.width() * ratio)),
            static_cast<int>(std::ceil(widget.height() * ratio))};
}

// Whether `picture` is one of the widget's size at its ratio.
template <typename Picture> bool fitsDevice(const Picture& picture, const QWidget& widget) {
    return !picture.isNull() && picture.size() == devicePixels(widget) &&
           picture.devicePixelRatio() == widget.devicePixelRatio();
}

// The part of a picture drawn at `ratio` that lies under `area` of the widget.
inline QRectF devicePart(const QRect& area, qreal ratio) {
    return {area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio};
}

} // namespace dalvex::ui
