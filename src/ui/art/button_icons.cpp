#include "art/button_icons.h"

#include "calc/gerlit_rails.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <vector>

namespace dalvex::ui {
namespace {

const QColor kGrey(76, 76, 76);
const QColor kRed(250, 41, 41);

} // namespace

// The orientation of new dividers: a door with a horizontal or a vertical bar; red while hovered.
QPixmap orientationPicture(bool vertical, bool hover) {
    QPixmap pm(44, 56);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(hover ? kRed : kGrey, 2));
    p.drawRect(QRectF(4, 3, 36, 50));
    p.setPen(QPen(hover ? kRed : QColor(120, 120, 120), 5));
    if (vertical)
        p.drawLine(QPointF(22, 6), QPointF(22, 50));
    else
        p.drawLine(QPointF(7, 28), QPointF(37, 28));
    return pm;
}

// The drawing mode: a pencil, crossed out while new dividers are not being drawn.
QPixmap drawModePicture(bool on, bool hover) {
    QPixmap pm(44, 56);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = hover ? kRed : kGrey;
    p.setPen(QPen(c, 2));
    p.setBrush(on ? QColor(250, 220, 120) : Qt::white);
    const QPointF pencil[] = {{10, 44}, {30, 12}, {36, 16}, {16, 48}, {8, 50}};
    p.drawPolygon(pencil, 5);
    if (!on) {
        p.setPen(QPen(c, 3));
        p.drawLine(QPointF(6, 6), QPointF(38, 50));
    }
    return pm;
}

// The door parameters: two doors side by side with the arrow of their widths; red while hovered.
QPixmap doorParametersPicture(bool hover) {
    QPixmap pm(40, 40);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = hover ? kRed : kGrey;
    p.setPen(QPen(c, 2));
    p.setBrush(QColor(235, 228, 215));
    p.drawRect(QRectF(4, 4, 15, 26));
    p.drawRect(QRectF(21, 4, 15, 26));
    p.drawLine(QPointF(4, 35), QPointF(36, 35));
    const QPointF left[] = {{4, 35}, {9, 32}, {9, 38}};
    const QPointF right[] = {{36, 35}, {31, 32}, {31, 38}};
    p.setBrush(c);
    p.drawPolygon(left, 3);
    p.drawPolygon(right, 3);
    return pm;
}

// The cross-section of a Gerlit rail, 58 x 58: the running profile with its runner channels above the door,
// the guide profile laid on or let in below it.
QPixmap railPicture(const std::string& code) {
    QPixmap pm(58, 58);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient metal(0, 0, 0, 58);
    metal.setColorAt(0, QColor(236, 238, 240));
    metal.setColorAt(1, QColor(160, 165, 170));
    p.setPen(QPen(QColor(90, 94, 98), 1.5));
    p.setBrush(metal);
    const GerlitRail rail = gerlitRail(code);
    if (rail.running) {
        p.drawRect(QRectF(6, 14, 46, 8)); // the flange screwed to the ceiling
        const int channels = rail.channels;
        const double width = 40.0 / channels;
        for (int i = 0; i < channels; ++i) {
            const double x = 9 + i * width;
            p.drawRect(QRectF(x, 22, 4, 20));
            p.drawRect(QRectF(x + width - 10, 22, 4, 20));
            p.drawLine(QPointF(x + 4, 42), QPointF(x + 8, 42));
        }
    } else {
        p.drawRect(QRectF(6, 38, 46, 7)); // the base on the floor
        const bool letIn = rail.letIn;
        for (double x : letIn ? std::vector<double>{14, 40} : std::vector<double>{10, 26, 44})
            p.drawRect(QRectF(x - 2, letIn ? 18 : 24, 4, letIn ? 20 : 14));
    }
    return pm;
}

// Clearing the sketch: a door whose dividers are swept away by an eraser; red while hovered.
QPixmap clearPicture(bool hover) {
    QPixmap pm(44, 56);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = hover ? kRed : kGrey;
    p.setPen(QPen(c, 2));
    p.drawRect(QRectF(4, 3, 30, 50));
    p.setPen(QPen(QColor(170, 170, 170), 2, Qt::DashLine));
    p.drawLine(QPointF(7, 20), QPointF(31, 20));
    p.drawLine(QPointF(19, 23), QPointF(19, 50));
    p.setPen(QPen(c, 2));
    p.setBrush(hover ? QColor(250, 200, 200) : QColor(240, 170, 160));
    p.translate(30, 36);
    p.rotate(-35);
    p.drawRoundedRect(QRectF(-6, -12, 12, 22), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(-6, 4, 12, 6));
    return pm;
}

// The two button pictures: a tick and a cross on a transparent ground, brighter under the pointer.
QPixmap tickCrossPicture(bool tick, bool lit, QSize size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = tick ? (lit ? QColor(40, 190, 60) : QColor(40, 140, 50))
                               : (lit ? QColor(250, 41, 41) : QColor(170, 50, 50));
    p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QRectF r = QRectF(pm.rect()).adjusted(7, 7, -7, -7);
    if (tick) {
        QPainterPath path;
        path.moveTo(r.left(), r.center().y());
        path.lineTo(r.left() + r.width() * 0.4, r.bottom());
        path.lineTo(r.right(), r.top());
        p.drawPath(path);
    } else {
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
    }
    return pm;
}

// What the two actions do, 22 x 22: one picture fitted to one insert, or one picture spread over three doors.
QPixmap materialFitPicture(bool acrossDoors) {
    QPixmap pm(22, 22);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient picture(0, 0, 22, 22);
    picture.setColorAt(0, QColor(170, 200, 230));
    picture.setColorAt(1, QColor(120, 150, 110));
    p.setPen(QPen(QColor(76, 76, 76), 1.2));
    if (acrossDoors) {
        p.fillRect(QRectF(2, 3, 18, 16), picture);
        for (int i = 0; i < 3; ++i)
            p.drawRect(QRectF(2 + 6 * i, 3, 6, 16));
    } else {
        p.drawRect(QRectF(2, 3, 18, 16));
        p.fillRect(QRectF(8, 6, 6, 10), picture);
        p.drawRect(QRectF(8, 6, 6, 10));
    }
    return pm;
}

} // namespace dalvex::ui
