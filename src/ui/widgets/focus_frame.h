#pragma once
// The frame that shows which control has the keyboard: the same blue dotted line on the picture buttons and
// the sketch, where the style draws none of its own.
#include <QPainter>
#include <QPen>
#include <QRect>

namespace dalvex::ui {

inline void drawFocusFrame(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(30, 110, 220), 2, Qt::DotLine));
    painter.drawRect(area.adjusted(1, 1, -1, -1));
    painter.restore();
}

} // namespace dalvex::ui
