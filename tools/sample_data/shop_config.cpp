#include "shop_config.h"

#include "cp1251.h"

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

namespace sample {

namespace {

void drawDoor(QPainter& p, QRectF r, const QLinearGradient& fill) {
    p.setPen(QPen(QColor(150, 150, 155), 3));
    p.setBrush(fill);
    p.drawRect(r);
}

QImage drawLogo() {
    QImage logo(800, 160, QImage::Format_RGB32);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient back(0, 0, 0, 160);
    back.setColorAt(0, QColor(255, 255, 255));
    back.setColorAt(1, QColor(236, 238, 242));
    p.fillRect(logo.rect(), back);

    // A wardrobe with three sliding doors: wood, mirror and painted glass.
    const QRectF frame(24, 18, 132, 124);
    p.setPen(QPen(QColor(60, 60, 66), 4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
    QLinearGradient wood(0, 0, 44, 0);
    wood.setColorAt(0, QColor(196, 150, 100));
    wood.setColorAt(0.5, QColor(170, 124, 80));
    wood.setColorAt(1, QColor(150, 106, 66));
    QLinearGradient mirror(70, 20, 110, 140);
    mirror.setColorAt(0, QColor(250, 252, 255));
    mirror.setColorAt(0.45, QColor(190, 200, 212));
    mirror.setColorAt(0.5, QColor(240, 244, 250));
    mirror.setColorAt(1, QColor(150, 160, 172));
    QLinearGradient paint(0, 20, 0, 140);
    paint.setColorAt(0, QColor(200, 40, 40));
    paint.setColorAt(1, QColor(130, 20, 25));
    drawDoor(p, QRectF(30, 24, 44, 112), wood);
    drawDoor(p, QRectF(68, 24, 44, 112), mirror);
    drawDoor(p, QRectF(106, 24, 44, 112), paint);

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(72);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(40, 44, 52));
    p.drawText(QRectF(184, 10, 600, 92), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Dalvex"));

    p.setPen(QPen(QColor(200, 40, 40), 3));
    p.drawLine(QPointF(188, 108), QPointF(776, 108));

    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(22);
    p.setFont(subtitle);
    p.setPen(QColor(90, 94, 102));
    p.drawText(QRectF(188, 114, 600, 36), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Шкафы-купе и раздвижные двери на заказ"));
    p.end();
    return logo;
}

} // namespace

bool writeShopConfig(const QString& dataDir) {
    const QString dir = dataDir + "/config/";
    // The counter is plain digits without a line end.
    if (!writeBytes(dir + "number.txt", QByteArray("1"))) return false;
    const QStringList info{
        QStringLiteral("Салон шкафов-купе «Далвекс»"),
        QStringLiteral("г. Екатеринбург, ул. Малышева, д. 120, офис 14"),
        QStringLiteral("Телефон: +7 (343) 255-17-40"),
        QStringLiteral("Часы работы: пн–пт 9:00–19:00, сб 10:00–16:00, вс — выходной"),
        QStringLiteral("Гарантия на двери-купе и фурнитуру — 2 года со дня установки при соблюдении "
                       "правил эксплуатации."),
    };
    if (!writeCp1251Lines(dir + "info.txt", info)) return false;
    if (!drawLogo().save(dir + "logo.jpg", "JPG", 85)) {
        std::fprintf(stderr, "cannot write %slogo.jpg\n", qPrintable(dir));
        return false;
    }
    return true;
}

} // namespace sample
