#include "results/cell_pictures.h"

#include <QPainter>

#include <cmath>

namespace dalvex::ui {

void CellPictures::beginRender() {
    previous_ = std::move(current_);
    current_.clear();
}

void CellPictures::clear() {
    previous_.clear();
    current_.clear();
}

const QImage* CellPictures::find(const Key& key) {
    if (auto it = current_.constFind(key); it != current_.constEnd()) return &*it;
    const auto old = previous_.constFind(key);
    if (old == previous_.constEnd()) return nullptr;
    return &*current_.insert(key, *old);
}

namespace {

// The white kept around a box: a glyph may reach a pixel or two past the box its text is laid out in, and
// is drawn only where the box does not clip it, as in place. The margin stays within the cell's padding.
constexpr int kMargin = 3;

} // namespace

const QImage& CellPictures::make(const Key& key, const QFont& font, const QPen& pen, int flags) {
    QImage picture(static_cast<int>(std::ceil((key.size.width() + 2 * kMargin) * key.ratio)),
                   static_cast<int>(std::ceil((key.size.height() + 2 * kMargin) * key.ratio)),
                   QImage::Format_RGB32);
    picture.setDevicePixelRatio(key.ratio);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setFont(font);
    p.setPen(pen);
    p.drawText(QRect(QPoint(kMargin, kMargin), key.size), flags, key.text);
    p.end();
    return *current_.insert(key, picture);
}

void CellPictures::drawPicture(QPainter& painter, QPoint at, const QImage& picture) {
    painter.drawImage(at - QPoint(kMargin, kMargin), picture);
}

} // namespace dalvex::ui
