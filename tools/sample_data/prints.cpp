#include "prints.h"

#include "noise.h"
#include "surfaces.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>

namespace sample {

namespace {

constexpr int W = kPictureWidth;
constexpr int H = kPictureHeight;

QColor blend(QColor a, QColor b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QColor withAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

QColor pick(Rng& rng, std::initializer_list<QColor> colours) {
    auto i = static_cast<size_t>(rng.below(static_cast<int>(colours.size())));
    return *(colours.begin() + i);
}

struct Canvas {
    QImage image{W, H, QImage::Format_RGB32};
    QPainter painter;
    Canvas() {
        image.fill(Qt::white);
        painter.begin(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
    }
    QImage finish() {
        painter.end();
        return image;
    }
};

void fillVertical(QPainter& p, QRectF r, QColor top, QColor bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

} // namespace

QImage drawLandscape(uint64_t seed) {
    Rng rng(seed);
    Noise ridge(rng.next());
    struct Sky {
        QColor top, horizon, sun;
    };
    const std::array<Sky, 4> skies{{{QColor(40, 90, 170), QColor(170, 210, 240), QColor(255, 250, 220)},
                                    {QColor(60, 40, 110), QColor(250, 150, 80), QColor(255, 220, 120)},
                                    {QColor(90, 120, 190), QColor(250, 200, 200), QColor(255, 240, 230)},
                                    {QColor(20, 30, 70), QColor(120, 90, 150), QColor(240, 240, 255)}}};
    const Sky sky = skies[static_cast<size_t>(rng.below(4))];
    const QColor land =
        pick(rng, {QColor(40, 90, 50), QColor(60, 70, 90), QColor(70, 60, 50), QColor(30, 60, 70)});
    const bool lake = rng.uniform() < 0.6;
    const double horizon = H * rng.uniform(0.45, 0.6);

    Canvas c;
    QPainter& p = c.painter;
    fillVertical(p, QRectF(0, 0, W, horizon + 40), sky.top, sky.horizon);

    QPointF sunAt(rng.uniform(0.2, 0.8) * W, horizon * rng.uniform(0.3, 0.75));
    const double sunR = rng.uniform(10, 20);
    QRadialGradient glow(sunAt, sunR * 5);
    glow.setColorAt(0, withAlpha(sky.sun, 200));
    glow.setColorAt(1, withAlpha(sky.sun, 0));
    p.setBrush(glow);
    p.drawEllipse(sunAt, sunR * 5, sunR * 5);
    p.setBrush(sky.sun);
    p.drawEllipse(sunAt, sunR, sunR);

    // Mountain ranges: far ones pale (haze), near ones dark and full of detail.
    const int layers = 4;
    for (int layer = 0; layer < layers; ++layer) {
        double depth = double(layer) / (layers - 1);
        double base = horizon - (1.0 - depth) * H * 0.12 + depth * H * 0.04;
        double height = H * (0.22 - 0.08 * depth);
        QPainterPath path;
        path.moveTo(0, H);
        for (int x = 0; x <= W; x += 2) {
            double n = ridge.fbm(x * (0.008 + 0.006 * depth), layer * 13.7, 5);
            path.lineTo(x, base - height * n * 1.4 + height * 0.3);
        }
        path.lineTo(W, H);
        path.closeSubpath();
        p.setBrush(blend(land, sky.horizon, 0.75 * (1.0 - depth)));
        p.drawPath(path);
    }
    // Fir trees on the nearest slope.
    const QColor trees = blend(land, QColor(0, 0, 0), 0.45);
    p.setBrush(trees);
    const int treeCount = 10 + rng.below(12);
    for (int i = 0; i < treeCount; ++i) {
        double x = rng.uniform(0, W);
        double foot = horizon + H * rng.uniform(0.06, 0.14);
        double h = rng.uniform(18, 40);
        QPolygonF tree{{x, foot - h}, {x - h * 0.22, foot}, {x + h * 0.22, foot}};
        p.drawPolygon(tree);
    }
    if (lake) {
        double top = horizon + H * 0.14;
        fillVertical(p, QRectF(0, top, W, H - top), blend(sky.horizon, land, 0.25),
                     blend(sky.top, land, 0.4));
        p.setPen(QPen(withAlpha(QColor(255, 255, 255), 70), 1));
        for (int i = 0; i < 25; ++i) {
            double y = rng.uniform(top + 4, H);
            double x = rng.uniform(0, W);
            p.drawLine(QPointF(x, y), QPointF(x + rng.uniform(10, 40), y));
        }
        p.setPen(Qt::NoPen);
    }
    return c.finish();
}

QImage drawFlowers(uint64_t seed) {
    Rng rng(seed);
    const QColor petal = pick(rng, {QColor(230, 60, 90), QColor(250, 180, 200), QColor(250, 240, 245),
                                    QColor(160, 90, 200), QColor(250, 200, 40), QColor(240, 110, 40)});
    const QColor back =
        pick(rng, {QColor(30, 70, 40), QColor(200, 225, 200), QColor(240, 235, 220), QColor(25, 30, 45)});

    Canvas c;
    QPainter& p = c.painter;
    fillVertical(p, QRectF(0, 0, W, H), blend(back, QColor(255, 255, 255), 0.15), back);
    // Out-of-focus light in the background.
    for (int i = 0; i < 18; ++i) {
        QPointF at(rng.uniform(0, W), rng.uniform(0, H));
        double r = rng.uniform(6, 22);
        p.setBrush(withAlpha(blend(back, QColor(255, 255, 230), 0.6), 40 + rng.below(50)));
        p.drawEllipse(at, r, r);
    }
    const int flowers = 3 + rng.below(4);
    for (int f = 0; f < flowers; ++f) {
        QPointF centre(rng.uniform(0.15, 0.85) * W, rng.uniform(0.12, 0.7) * H);
        double size = rng.uniform(22, 42);
        QColor tone = blend(petal, QColor(255, 255, 255), rng.uniform(0, 0.3));
        // Stem and a leaf.
        QPainterPath stem;
        stem.moveTo(centre);
        stem.cubicTo(centre + QPointF(rng.uniform(-20, 20), H * 0.2),
                     centre + QPointF(rng.uniform(-30, 30), H * 0.4),
                     QPointF(centre.x() + rng.uniform(-25, 25), H + 5));
        p.setPen(QPen(QColor(50, 110, 45), 3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(stem);
        p.setPen(Qt::NoPen);
        p.save();
        p.translate(stem.pointAtPercent(0.45));
        p.rotate(rng.uniform(-60, 60));
        p.setBrush(QColor(60, 130, 55));
        p.drawEllipse(QPointF(size * 0.5, 0), size * 0.55, size * 0.16);
        p.restore();
        // Petals around the centre, each shaded from the middle outwards.
        const int petals = 5 + rng.below(4);
        const double turn = rng.uniform(0, 360);
        for (int i = 0; i < petals; ++i) {
            p.save();
            p.translate(centre);
            p.rotate(turn + 360.0 * i / petals);
            QRadialGradient g(QPointF(0, 0), size);
            g.setColorAt(0, blend(tone, QColor(90, 20, 40), 0.35));
            g.setColorAt(1, tone);
            p.setBrush(g);
            p.drawEllipse(QPointF(size * 0.5, 0), size * 0.5, size * 0.22);
            p.restore();
        }
        p.setBrush(QColor(240, 200, 60));
        p.drawEllipse(centre, size * 0.16, size * 0.16);
        p.setBrush(QColor(140, 90, 30));
        p.drawEllipse(centre, size * 0.07, size * 0.07);
    }
    return c.finish();
}

QImage drawAbstract(uint64_t seed) {
    Rng rng(seed);
    const std::array<std::array<QColor, 4>, 4> palettes{{
        {QColor(20, 40, 80), QColor(230, 90, 60), QColor(250, 200, 80), QColor(80, 180, 190)},
        {QColor(240, 235, 225), QColor(30, 30, 30), QColor(200, 50, 50), QColor(160, 160, 160)},
        {QColor(60, 20, 70), QColor(220, 80, 160), QColor(90, 140, 240), QColor(250, 250, 250)},
        {QColor(230, 220, 200), QColor(120, 150, 110), QColor(190, 120, 70), QColor(60, 80, 90)},
    }};
    const auto& pal = palettes[static_cast<size_t>(rng.below(4))];
    Canvas c;
    QPainter& p = c.painter;
    fillVertical(p, QRectF(0, 0, W, H), pal[0], blend(pal[0], QColor(0, 0, 0), 0.3));
    const int shapes = 14 + rng.below(10);
    for (int i = 0; i < shapes; ++i) {
        QColor col = withAlpha(pal[static_cast<size_t>(1 + rng.below(3))], 90 + rng.below(120));
        p.setBrush(col);
        switch (rng.below(3)) {
        case 0: {
            double r = rng.uniform(10, 70);
            p.drawEllipse(QPointF(rng.uniform(0, W), rng.uniform(0, H)), r, r);
            break;
        }
        case 1: {
            p.save();
            p.translate(rng.uniform(0, W), rng.uniform(0, H));
            p.rotate(rng.uniform(0, 180));
            p.drawRect(
                QRectF(-rng.uniform(10, 60), -rng.uniform(5, 30), rng.uniform(20, 120), rng.uniform(10, 60)));
            p.restore();
            break;
        }
        default: {
            // A wave band across the picture.
            double y0 = rng.uniform(0, H);
            double amp = rng.uniform(8, 30);
            double k = rng.uniform(0.02, 0.06);
            double thick = rng.uniform(6, 24);
            QPainterPath band;
            band.moveTo(0, y0);
            for (int x = 0; x <= W; x += 4)
                band.lineTo(x, y0 + amp * std::sin(x * k));
            for (int x = W; x >= 0; x -= 4)
                band.lineTo(x, y0 + thick + amp * std::sin(x * k + 0.6));
            band.closeSubpath();
            p.drawPath(band);
            break;
        }
        }
    }
    return c.finish();
}

QImage drawCity(uint64_t seed) {
    Rng rng(seed);
    const bool night = rng.uniform() < 0.6;
    Canvas c;
    QPainter& p = c.painter;
    const double ground = H * rng.uniform(0.62, 0.75);
    if (night)
        fillVertical(p, QRectF(0, 0, W, ground), QColor(10, 15, 40), QColor(60, 50, 110));
    else
        fillVertical(p, QRectF(0, 0, W, ground), QColor(240, 140, 90), QColor(250, 210, 150));
    // Two rows of buildings, the back row paler.
    for (int row = 0; row < 2; ++row) {
        QColor wall = night ? (row == 0 ? QColor(40, 45, 80) : QColor(20, 22, 40))
                            : (row == 0 ? QColor(150, 100, 110) : QColor(80, 55, 70));
        double x = -rng.uniform(0, 10);
        while (x < W) {
            double bw = rng.uniform(14, 34);
            double bh = H * rng.uniform(row == 0 ? 0.25 : 0.12, row == 0 ? 0.55 : 0.4);
            QRectF building(x, ground - bh, bw, bh);
            p.setBrush(wall);
            p.drawRect(building);
            if (row == 1) {
                for (double wy = building.top() + 4; wy < ground - 4; wy += 7) {
                    for (double wx = building.left() + 3; wx < building.right() - 4; wx += 6) {
                        if (rng.uniform() < (night ? 0.45 : 0.2)) {
                            p.setBrush(night ? QColor(250, 220, 120) : QColor(255, 240, 200));
                            p.drawRect(QRectF(wx, wy, 3, 4));
                        }
                    }
                }
            }
            x += bw + rng.uniform(0, 4);
        }
    }
    // River in front, reflecting the lights.
    fillVertical(p, QRectF(0, ground, W, H - ground), night ? QColor(25, 30, 60) : QColor(200, 150, 130),
                 night ? QColor(5, 8, 20) : QColor(110, 80, 90));
    p.setPen(QPen(withAlpha(night ? QColor(250, 220, 120) : QColor(255, 255, 255), 110), 1.2));
    for (int i = 0; i < 40; ++i) {
        double y = rng.uniform(ground + 3, H);
        double x = rng.uniform(0, W);
        p.drawLine(QPointF(x, y), QPointF(x + rng.uniform(3, 14), y));
    }
    return c.finish();
}

QImage drawBamboo(uint64_t seed) {
    Rng rng(seed);
    Canvas c;
    QPainter& p = c.painter;
    fillVertical(p, QRectF(0, 0, W, H), QColor(235, 240, 215), QColor(200, 215, 170));
    const int stalks = 5 + rng.below(4);
    for (int i = 0; i < stalks; ++i) {
        double x = rng.uniform(0, W);
        double w = rng.uniform(8, 16);
        double depth = rng.uniform(0, 1);
        QColor green = blend(QColor(60, 120, 40), QColor(170, 200, 140), depth * 0.7);
        QLinearGradient g(QPointF(x, 0), QPointF(x + w, 0));
        g.setColorAt(0, blend(green, QColor(0, 0, 0), 0.25));
        g.setColorAt(0.4, blend(green, QColor(255, 255, 255), 0.25));
        g.setColorAt(1, blend(green, QColor(0, 0, 0), 0.35));
        p.setBrush(g);
        p.drawRect(QRectF(x, -2, w, H + 4));
        // Nodes, and leaves sprouting from some of them.
        double y = rng.uniform(10, 50);
        while (y < H) {
            p.setBrush(blend(green, QColor(0, 0, 0), 0.45));
            p.drawRect(QRectF(x - 1, y, w + 2, 2.5));
            if (rng.uniform() < 0.35) {
                p.save();
                p.translate(x + w / 2, y);
                p.setBrush(blend(green, QColor(30, 90, 20), 0.5));
                const int leaves = 2 + rng.below(3);
                for (int l = 0; l < leaves; ++l) {
                    p.save();
                    p.rotate(rng.uniform(-160, -20) + (rng.uniform() < 0.5 ? 180 : 0));
                    p.drawEllipse(QPointF(18, 0), 18, 3.5);
                    p.restore();
                }
                p.restore();
            }
            y += rng.uniform(35, 60);
        }
    }
    return c.finish();
}

} // namespace sample
