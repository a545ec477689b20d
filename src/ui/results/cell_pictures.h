#pragma once
// The cell texts of a table view as they were drawn, each kept as a picture of its box. A table made again
// after a change mostly shows the texts it showed before, and copying a picture costs a fraction of laying
// out and drawing its text. A picture is the box with a white margin around it, the text laid out and
// clipped as in place, so the copy is the same pixels, provided the cells are drawn on white, row by row
// before their grid lines. Pictures not used in a render are forgotten after it, which bounds the memory to
// one view of cells.
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPen>
#include <QRect>
#include <QString>

namespace dalvex::ui {

// CellPictures: a result table's cell texts kept as pictures.
class CellPictures {
public:
    // Starts a render: what the last one did not use is dropped.
    void beginRender();
    // Draws `text` in `font` and `pen` into `box` of `painter`, whose device has the given pixel ratio and a
    // white background there, with the flags `flags()` gives (which follow from the text, the font and the
    // box width).
    template <typename Flags>
    void draw(QPainter& painter, const QRect& box, const QString& text, const QFont& font, bool bold,
              const QPen& pen, qreal ratio, Flags flags) {
        if (box.isEmpty()) return;
        const Key key{text, box.size(), ratio, font.pixelSize(), bold};
        const QImage* kept = find(key);
        if (!kept) kept = &make(key, font, pen, flags());
        drawPicture(painter, box.topLeft(), *kept);
    }
    void clear();

private:
    struct Key {
        QString text;
        QSize size;
        qreal ratio = 1;
        int pixelSize = 0;
        bool bold = false;
        bool operator==(const Key&) const = default;
    };
    friend size_t qHash(const Key& k, size_t seed = 0) {
        return qHashMulti(seed, k.text, k.size.width(), k.size.height(), k.ratio, k.pixelSize, k.bold);
    }
    const QImage* find(const Key& key);
    const QImage& make(const Key& key, const QFont& font, const QPen& pen, int flags);
    static void drawPicture(QPainter& painter, QPoint at, const QImage& picture);

    QHash<Key, QImage> current_;
    QHash<Key, QImage> previous_;
};

} // namespace dalvex::ui
