#include "art/artwork.h"

#include "catalogue/catalogue.h"
#include "widgets/qt_text.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace dalvex::ui {
namespace {

constexpr int kRecordSide = 58;
const QColor kInk(76, 76, 76);
const QColor kAccent(173, 41, 41);

QPixmap blank(int w, int h) {
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    return pm;
}

QColor metalDark() {
    return QColor(120, 124, 130);
}

// A profile colour: the colour itself with a light diagonal sheen, as anodised aluminium looks.
QPixmap colorSwatch(const ProfileColor& c) {
    QPixmap pm = blank(kRecordSide, kRecordSide);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base(c.red, c.green, c.blue);
    const QRectF r(4.5, 4.5, 49, 49);
    QLinearGradient body(r.topLeft(), r.bottomRight());
    body.setColorAt(0.0, base.lighter(118));
    body.setColorAt(0.45, base);
    body.setColorAt(1.0, base.darker(125));
    p.setPen(QPen(base.darker(160), 1));
    p.setBrush(body);
    p.drawRoundedRect(r, 6, 6);
    QPainterPath sheen;
    sheen.moveTo(r.left() + 3, r.top() + 3);
    sheen.lineTo(r.left() + 30, r.top() + 3);
    sheen.lineTo(r.left() + 3, r.top() + 30);
    sheen.closeSubpath();
    QLinearGradient shine(r.topLeft(), QPointF(r.left() + 20, r.top() + 20));
    shine.setColorAt(0.0, QColor(255, 255, 255, 150));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawPath(sheen);
    return pm;
}

QLinearGradient aluminium(const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, QColor(236, 238, 241));
    g.setColorAt(0.5, QColor(196, 200, 206));
    g.setColorAt(1.0, QColor(160, 165, 172));
    return g;
}

// A vertical handle profile seen from above: the face (its width to scale), the grip flange, and the channel
// that holds the filling (the filling inset shows as its depth).
QPixmap handleSection(const HandleProfile& h) {
    QPixmap pm = blank(kRecordSide, kRecordSide);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double face = std::clamp(h.faceWidth / 500.0, 0.15, 1.0) * 40.0 + 6.0; // 6..46 px
    const double inset = std::clamp(h.fillingInset / 410.0, 0.05, 1.0) * 22.0 + 4.0;
    const double left = (kRecordSide - face) / 2.0;
    const double top = 10.0;
    const double depth = 36.0;
    QPainterPath path;
    path.moveTo(left, top);
    path.lineTo(left + face, top);
    path.lineTo(left + face, top + depth);
    path.lineTo(left + face - 3, top + depth);
    path.lineTo(left + face - 3, top + depth - inset);
    path.lineTo(left + 3 + (h.asymmetric ? face * 0.35 : 0.0), top + depth - inset);
    path.lineTo(left + 3 + (h.asymmetric ? face * 0.35 : 0.0), top + depth);
    path.lineTo(left, top + depth);
    path.closeSubpath();
    if (h.asymmetric) {
        // The grip: a lip that the hand pulls on, on one side only.
        path.addRoundedRect(QRectF(left - 5, top + 2, 6, depth * 0.55), 2, 2);
    } else {
        path.addRoundedRect(QRectF(left - 4, top + 2, 5, depth * 0.4), 2, 2);
        path.addRoundedRect(QRectF(left + face - 1, top + 2, 5, depth * 0.4), 2, 2);
    }
    path.setFillRule(Qt::WindingFill);
    p.setPen(QPen(metalDark(), 1.2));
    p.setBrush(aluminium(path.boundingRect()));
    p.drawPath(path.simplified());
    // The filling in its channel.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(196, 170, 140));
    const double fx = left + 4 + (h.asymmetric ? face * 0.35 : 0.0);
    p.drawRect(QRectF(fx, top + depth - inset + 2, std::max(2.0, left + face - 4 - fx), inset + 8));
    return pm;
}

// A divider seen from its end: an H-shaped bar whose face width is drawn to scale, fillings on both sides.
QPixmap dividerSection(const DividerProfile& d) {
    QPixmap pm = blank(kRecordSide, kRecordSide);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double face = std::clamp(d.faceWidth / 280.0, 0.2, 1.0) * 26.0 + 4.0;
    const double cx = kRecordSide / 2.0;
    const QRectF bar(8, cx - face / 2, 42, face);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 175, 145));
    p.drawRect(QRectF(14, 4, 30, cx - face / 2 - 2));
    p.setBrush(d.dividerKind == 1 ? QColor(190, 220, 235) : QColor(200, 175, 145));
    p.drawRect(QRectF(14, cx + face / 2 + 2, 30, kRecordSide - (cx + face / 2 + 2) - 4));
    QPainterPath path;
    path.addRoundedRect(bar, 2, 2);
    path.addRect(QRectF(12, cx - face / 2 - 5, 3, face + 10));
    path.addRect(QRectF(43, cx - face / 2 - 5, 3, face + 10));
    path.setFillRule(Qt::WindingFill);
    p.setPen(QPen(metalDark(), 1.2));
    p.setBrush(aluminium(path.boundingRect()));
    p.drawPath(path.simplified());
    return pm;
}

QColor systemHue(int index) {
    static const int hues[] = {8, 28, 200, 150, 350, 260, 215, 180, 120};
    return QColor::fromHsv(hues[std::clamp(index, 0, 8)], 120, 150);
}

// A system emblem: the initial of the system over two sliding doors on their rail.
QPixmap systemEmblem(const DSSystem& s) {
    QPixmap pm = blank(kRecordSide, kRecordSide);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor hue = systemHue(s.index);
    const QRectF r(3.5, 3.5, 51, 51);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, hue.lighter(135));
    g.setColorAt(1.0, hue.darker(115));
    p.setPen(QPen(hue.darker(150), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 9, 9);
    // Two doors, the second overlapping the first as on a double rail.
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.4));
    p.setBrush(QColor(255, 255, 255, 45));
    p.drawRect(QRectF(12, 12, 19, 34));
    p.drawRect(QRectF(27, 14, 19, 34));
    p.drawLine(QPointF(9, 49.5), QPointF(49, 49.5));
    QFont f("Arial");
    f.setPixelSize(26);
    f.setBold(true);
    p.setFont(f);
    const QString initial = qs(s.code).left(1);
    p.setPen(QColor(0, 0, 0, 60));
    p.drawText(r.translated(1, 1.5), Qt::AlignCenter, initial);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, initial);
    return pm;
}

QPixmap noneSign() {
    QPixmap pm = blank(kRecordSide, kRecordSide);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(13, 13, 32, 32);
    p.setPen(QPen(QColor(190, 60, 60), 4));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(r);
    p.drawLine(QPointF(r.left() + 5, r.bottom() - 5), QPointF(r.right() - 5, r.top() + 5));
    return pm;
}

QPixmap toggleBox(bool on) {
    QPixmap pm = blank(18, 18);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 18);
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(232, 229, 220));
    p.setPen(QPen(QColor(140, 128, 118), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1.5, 1.5, 15, 15), 2.5, 2.5);
    if (on) {
        // A tick: a cross would read as "left out".
        p.setPen(QPen(QColor(40, 130, 50), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF tick[] = {{4.5, 9.5}, {7.5, 12.5}, {13.5, 5.0}};
        p.drawPolyline(tick, 3);
    }
    return pm;
}

// The 26 x 26 icons of the project buttons.
QPixmap projectIcon(int id) {
    QPixmap pm = blank(26, 26);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen outline(QColor(96, 88, 80), 1.2);
    switch (id) {
    case kPictureOpen: {
        p.setPen(outline);
        p.setBrush(QColor(236, 196, 110));
        p.drawRoundedRect(QRectF(2.5, 6.5, 21, 15), 2, 2);
        p.setBrush(QColor(250, 218, 140));
        QPainterPath lid;
        lid.moveTo(5.5, 10.5);
        lid.lineTo(24.5, 10.5);
        lid.lineTo(21.5, 21.5);
        lid.lineTo(2.5, 21.5);
        lid.closeSubpath();
        p.drawPath(lid);
        p.setBrush(QColor(236, 196, 110));
        p.drawRect(QRectF(2.5, 4.5, 8, 3));
        break;
    }
    case kPictureSave: {
        p.setPen(outline);
        p.setBrush(QColor(82, 120, 170));
        p.drawRoundedRect(QRectF(3.5, 3.5, 19, 19), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7.5, 3.5, 11, 7));
        p.setBrush(QColor(220, 226, 235));
        p.drawRect(QRectF(7.5, 14.5, 11, 8));
        p.setBrush(QColor(82, 120, 170));
        p.drawRect(QRectF(14.5, 4.5, 2, 5));
        break;
    }
    case kPictureXml: {
        p.setPen(outline);
        p.setBrush(Qt::white);
        QPainterPath sheet;
        sheet.moveTo(5.5, 2.5);
        sheet.lineTo(16.5, 2.5);
        sheet.lineTo(21.5, 7.5);
        sheet.lineTo(21.5, 23.5);
        sheet.lineTo(5.5, 23.5);
        sheet.closeSubpath();
        p.drawPath(sheet);
        p.setPen(QPen(QColor(40, 140, 70), 1));
        for (int y = 10; y <= 20; y += 3)
            p.drawLine(8, y, 19, y);
        p.drawLine(12, 9, 12, 21);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 140, 70));
        p.drawRoundedRect(QRectF(1, 13, 13, 10), 1.5, 1.5);
        QFont f("Arial");
        f.setPixelSize(8);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(1, 13, 13, 10), Qt::AlignCenter, "X");
        break;
    }
    case kPicturePrint: {
        p.setPen(outline);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7.5, 2.5, 11, 8));
        p.setBrush(QColor(150, 152, 158));
        p.drawRoundedRect(QRectF(2.5, 9.5, 21, 10), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7.5, 16.5, 11, 7));
        p.setPen(QPen(QColor(160, 160, 160), 1));
        p.drawLine(9, 19, 17, 19);
        p.drawLine(9, 21, 15, 21);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(80, 190, 90));
        p.drawEllipse(QRectF(18.5, 11.5, 2.5, 2.5));
        break;
    }
    case kPictureJournal: {
        // A bound book of orders with ruled lines and a bookmark.
        p.setPen(outline);
        p.setBrush(QColor(173, 41, 41));
        p.drawRoundedRect(QRectF(4.5, 2.5, 18, 21), 2, 2);
        p.setBrush(QColor(252, 248, 240));
        p.drawRect(QRectF(8.5, 4.5, 12, 17));
        p.setPen(QPen(QColor(150, 150, 150), 1));
        for (int y = 8; y <= 18; y += 3)
            p.drawLine(10, y, 19, y);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(236, 196, 110));
        p.drawRect(QRectF(16, 2, 3, 8));
        break;
    }
    default:
        break;
    }
    return pm;
}

// Inserts without material: a light diagonal hatch; inserts with a wrong thickness: a red cross-hatch.
QPixmap hatch(bool error) {
    QPixmap pm(16, 16);
    pm.fill(error ? QColor(255, 228, 228) : QColor(250, 250, 248));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(error ? QColor(215, 70, 70) : QColor(200, 200, 196), 1));
    p.drawLine(QPointF(-1, 17), QPointF(17, -1));
    p.drawLine(QPointF(-1, 1), QPointF(1, -1));
    p.drawLine(QPointF(15, 17), QPointF(17, 15));
    if (error) {
        p.drawLine(QPointF(-1, -1), QPointF(17, 17));
    }
    return pm;
}

// A calm, slightly textured paper tile for the panels and pickers.
QPixmap paperTile(QColor base) {
    QPixmap pm(64, 64);
    pm.fill(base);
    QPainter p(&pm);
    uint32_t seed = 2166136261u;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            seed = (seed ^ (static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u)) *
                   16777619u;
            const int v = static_cast<int>(seed >> 28); // 0..15
            if (v < 3) {
                p.setPen(QColor(0, 0, 0, 5 + v * 2));
                p.drawPoint(x, y);
            } else if (v > 13) {
                p.setPen(QColor(255, 255, 255, 40));
                p.drawPoint(x, y);
            }
        }
    return pm;
}

const char* const kTabTitles[] = {"Эскиз", "Цена", "Заказ", "Профили", "Сборка", "Раскрой"};

// Tabs: a rounded card standing on the left edge with its title turned to read bottom up.
QPixmap tabPicture(int tab, bool selected) {
    const int w = selected ? 32 : 27;
    QPixmap pm = blank(w, 96);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(-6.5, 0.5, w + 6.0, 95), 7, 7);
    QLinearGradient g(0, 0, w, 0);
    if (selected) {
        g.setColorAt(0, QColor(255, 255, 255));
        g.setColorAt(1, QColor(248, 244, 236));
    } else {
        g.setColorAt(0, QColor(226, 219, 208));
        g.setColorAt(1, QColor(211, 201, 188));
    }
    p.setPen(QPen(selected ? QColor(190, 172, 160) : QColor(200, 188, 176), 1));
    p.setBrush(g);
    p.drawPath(card);
    if (selected) {
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawRoundedRect(QRectF(w - 4.0, 10, 3, 76), 1.5, 1.5);
    }
    QFont f("Arial");
    f.setPixelSize(12);
    f.setBold(selected);
    p.setFont(f);
    p.setPen(selected ? kAccent : kInk);
    p.translate(w / 2.0 - 1, 48);
    p.rotate(-90);
    p.drawText(QRectF(-46, -9, 92, 18), Qt::AlignCenter, QString::fromUtf8(kTabTitles[tab]));
    return pm;
}

QPixmap appIcon(int side) {
    QPixmap pm = blank(side, side);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 64.0, side / 64.0);
    QLinearGradient g(0, 0, 0, 64);
    g.setColorAt(0, QColor(196, 66, 60));
    g.setColorAt(1, QColor(140, 30, 34));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    // A wardrobe front of three sliding doors.
    p.setPen(QPen(Qt::white, 2.5));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRect(QRectF(12, 12, 14, 40));
    p.drawRect(QRectF(25, 14, 14, 38));
    p.drawRect(QRectF(38, 12, 14, 40));
    p.drawLine(QPointF(9, 55), QPointF(55, 55));
    return pm;
}

QPixmap logo() {
    QPixmap pm = blank(230, 121);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawPixmap(QRect(14, 34, 52, 52), appIcon(52));
    QFont f("Arial");
    f.setPixelSize(34);
    f.setBold(true);
    f.setLetterSpacing(QFont::PercentageSpacing, 104);
    p.setFont(f);
    p.setPen(QColor(150, 36, 38));
    p.drawText(QRect(76, 30, 154, 42), Qt::AlignLeft | Qt::AlignVCenter, "dalvex");
    QFont s("Arial");
    s.setPixelSize(11);
    p.setFont(s);
    p.setPen(kInk);
    p.drawText(QRect(78, 70, 154, 16), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8("двери-купе"));
    return pm;
}

} // namespace

Artwork::Artwork(const Catalogue& catalogue) : catalogue_(catalogue) {}

QPixmap Artwork::picture(int id) const {
    auto it = cache_.constFind(id);
    if (it != cache_.constEnd()) return *it;
    QPixmap pm = make(id);
    cache_.insert(id, pm);
    return pm;
}

QPixmap Artwork::picture(int id, QSize size) const {
    const QPixmap pm = picture(id);
    if (pm.isNull() || pm.size() == size) return pm;
    return pm.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QPixmap Artwork::make(int id) const {
    switch (id) {
    case kPictureNone:
        return noneSign();
    case kPictureBoxOff:
        return toggleBox(false);
    case kPictureBoxOn:
        return toggleBox(true);
    case kPictureOpen:
    case kPictureSave:
    case kPictureXml:
    case kPicturePrint:
    case kPictureJournal:
        return projectIcon(id);
    case kPicturePickerBack:
        return paperTile(QColor(247, 246, 240));
    case kPictureHatchEmpty:
        return hatch(false);
    case kPictureHatchError:
        return hatch(true);
    case kPicturePanelBack:
        return paperTile(QColor(245, 245, 237));
    case kPictureLogo:
        return logo();
    case kPictureAppIcon:
        return appIcon(64);
    default:
        break;
    }
    if (id >= kPictureTabBase && id < kPictureTabBase + 12) {
        const int n = id - kPictureTabBase;
        return tabPicture(n / 2, n % 2 == 1);
    }
    if (id <= 0) return {};
    for (const DSSystem* s : catalogue_.systems())
        if (s->imageId == id) return systemEmblem(*s);
    for (const HandleProfile* h : catalogue_.handleProfiles())
        if (h->imageId == id) return handleSection(*h);
    for (const DividerProfile* d : catalogue_.dividerProfiles())
        if (d->imageId == id) return dividerSection(*d);
    for (const ProfileColor* c : catalogue_.colors())
        if (c->imageId == id) return colorSwatch(*c);
    return {};
}

} // namespace dalvex::ui
