#pragma once
// A picture tiled over a widget, made once for each size the widget takes: a paint then copies it as it is,
// where tiling blends the picture again at every paint (on worker threads for a tall widget).
#include <QPixmap>

class QPainter;

namespace dalvex::ui {

// TiledBackground: a panel's tiled background picture.
class TiledBackground {
public:
    explicit TiledBackground(QPixmap tile = QPixmap()) : tile_(std::move(tile)) {}

    void setTile(const QPixmap& tile);
    // Covers the rectangle from (0, 0) of the given size.
    void paint(QPainter& painter, const QSize& size);

private:
    QPixmap tile_;
    QPixmap tiled_;
};

} // namespace dalvex::ui
