#include "widgets/tiled_background.h"

#include <QPainter>

namespace dalvex::ui {

void TiledBackground::setTile(const QPixmap& tile) {
    tile_ = tile;
    tiled_ = QPixmap();
}

void TiledBackground::paint(QPainter& painter, const QSize& size) {
    if (tile_.isNull() || size.isEmpty()) return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    if (tiled_.deviceIndependentSize().toSize() != size || tiled_.devicePixelRatio() != ratio) {
        tiled_ = QPixmap(size * ratio);
        tiled_.setDevicePixelRatio(ratio);
        QPainter fill(&tiled_);
        fill.drawTiledPixmap(QRect(QPoint(0, 0), size), tile_);
    }
    painter.drawPixmap(0, 0, tiled_);
}

} // namespace dalvex::ui
