#include "surfaces.h"

#include "noise.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace sample {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb rgbOf(QColor c) {
    return {double(c.red()), double(c.green()), double(c.blue())};
}

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(Rgb a, double f) {
    return {a.r * f, a.g * f, a.b * f};
}

int channel(double v) {
    return static_cast<int>(std::clamp(std::lround(v), 0L, 255L));
}

// Fills a picture pixel by pixel from a shading function (x, y) -> colour.
template <class Shader> QImage shade(Shader shader) {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    for (int y = 0; y < kPictureHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kPictureWidth; ++x) {
            Rgb c = shader(double(x), double(y));
            line[x] = qRgb(channel(c.r), channel(c.g), channel(c.b));
        }
    }
    return image;
}

double gauss(double d, double width) {
    return std::exp(-(d * d) / (width * width));
}

struct Knot {
    double x, y, radius;
};

} // namespace

QImage drawWood(const WoodDecor& decor, uint64_t seed) {
    Rng rng(seed);
    Noise warpNoise(rng.next());
    Noise fibreNoise(rng.next());
    Noise toneNoise(rng.next());
    std::vector<Knot> knots;
    for (int i = 0; i < decor.knots; ++i)
        knots.push_back(
            {rng.uniform(25, kPictureWidth - 25), rng.uniform(30, kPictureHeight - 30), rng.uniform(4, 9)});
    const Rgb light = rgbOf(decor.light);
    const Rgb dark = rgbOf(decor.dark);
    const double phaseShift = rng.uniform(0, 2 * kPi);

    return shade([&](double x, double y) {
        // Rings wander slowly along the board and bend around each knot.
        double u =
            x + warpNoise.fbm(x * 0.012, y * 0.0035, 4) * 50.0 + warpNoise.fbm(x * 0.06, y * 0.01, 2) * 6.0;
        double knotCore = 0.0;
        for (const Knot& k : knots) {
            double dx = x - k.x;
            double dy = (y - k.y) * 0.35;
            double d = std::sqrt(dx * dx + dy * dy);
            u += (dx >= 0 ? 1.0 : -1.0) * gauss(d, k.radius * 3.0) * k.radius * 2.2;
            double w = gauss(d, k.radius * 1.6);
            u = u * (1.0 - w) + (d * 1.4 + k.x) * w;
            knotCore =
                std::max(knotCore, gauss(std::sqrt(dx * dx + (y - k.y) * (y - k.y) * 0.5), k.radius * 0.8));
        }
        double ring = 0.5 + 0.5 * std::sin(2.0 * kPi * u / decor.ringWidth + phaseShift);
        ring = std::pow(ring, 3.0);
        double fibre = 0.6 * fibreNoise.at(x * 0.8, y * 0.025) + 0.4 * fibreNoise.at(x * 2.1, y * 0.05);
        double tone = toneNoise.fbm(x * 0.006, y * 0.002, 3);
        double t = std::clamp(0.45 * ring + 0.25 * fibre + 0.45 * (tone - 0.35), 0.0, 1.0);
        Rgb c = mix(light, dark, t);
        return mix(c, scale(dark, 0.55), knotCore * 0.85);
    });
}

QImage drawUni(QColor colour, uint64_t seed) {
    Noise grain(seed);
    Noise cloud(seed ^ 0x5555);
    const Rgb base = rgbOf(colour);
    return shade([&](double x, double y) {
        double f =
            1.0 + (grain.at(x * 0.9, y * 0.9) - 0.5) * 0.05 + (cloud.fbm(x * 0.02, y * 0.02, 3) - 0.5) * 0.04;
        return scale(base, f);
    });
}

QImage drawMirror(QColor tint, bool satin, uint64_t seed) {
    Rng rng(seed);
    Noise grain(rng.next());
    Noise room(rng.next());
    const Rgb base = rgbOf(tint);
    const Rgb bright = mix(base, Rgb{255, 255, 255}, 0.55);
    const Rgb deep = scale(base, 0.55);
    const double streak1 = rng.uniform(0.25, 0.45);
    const double streak2 = streak1 + rng.uniform(0.12, 0.22);
    const double bandX = rng.uniform(0.2, 0.8) * kPictureWidth;
    return shade([&](double x, double y) {
        double nx = x / kPictureWidth;
        double ny = y / kPictureHeight;
        double t = std::clamp(0.15 + 0.55 * nx * 0.6 + 0.55 * ny * 0.5, 0.0, 1.0);
        Rgb c = mix(bright, deep, t);
        // A blurred reflection of the room: a darker upright shape and a soft floor line.
        double reflection = gauss(x - bandX, 28.0) * 0.25 + room.fbm(x * 0.01, y * 0.004, 3) * 0.12;
        c = mix(c, deep, reflection);
        double s = nx * 0.8 + ny * 0.6;
        double highlight = gauss(s - streak1 * 1.4, 0.06) * 0.55 + gauss(s - streak2 * 1.4, 0.025) * 0.4;
        if (satin) {
            highlight *= 0.35;
            c = mix(c, Rgb{200, 200, 200}, 0.25);
            c = scale(c, 1.0 + (grain.at(x * 1.3, y * 1.3) - 0.5) * 0.12);
        }
        return mix(c, Rgb{255, 255, 255}, std::clamp(highlight, 0.0, 1.0));
    });
}

QImage drawGlass(QColor tint, GlassFinish finish, uint64_t seed) {
    Rng rng(seed);
    Noise grain(rng.next());
    Noise bumpsWarp(rng.next());
    const Rgb base = rgbOf(tint);
    const Rgb edge = mix(scale(base, 0.75), Rgb{70, 120, 100}, 0.35);
    const double streak = rng.uniform(0.3, 0.6);
    return shade([&](double x, double y) {
        double nx = x / kPictureWidth;
        double ny = y / kPictureHeight;
        Rgb c = mix(mix(base, Rgb{255, 255, 255}, 0.2), scale(base, 0.88), 0.6 * ny + 0.2 * nx);
        switch (finish) {
        case GlassFinish::Clear: {
            double s = nx * 0.7 + ny * 0.7;
            c = mix(c, Rgb{255, 255, 255},
                    gauss(s - streak, 0.04) * 0.5 + gauss(s - streak - 0.12, 0.015) * 0.35);
            break;
        }
        case GlassFinish::Frosted:
            c = mix(c, Rgb{245, 245, 245}, 0.35);
            c = scale(c, 1.0 + (grain.at(x * 1.7, y * 1.7) - 0.5) * 0.10 +
                             (grain.fbm(x * 0.05, y * 0.05, 2) - 0.5) * 0.05);
            break;
        case GlassFinish::Patterned: {
            c = mix(c, Rgb{240, 240, 240}, 0.25);
            double w = bumpsWarp.fbm(x * 0.03, y * 0.03, 2) * 6.0;
            double bump = std::sin((x + w) * 0.45) * std::sin((y - w) * 0.45);
            c = scale(c, 1.0 + bump * 0.08 + (grain.at(x * 1.5, y * 1.5) - 0.5) * 0.05);
            break;
        }
        }
        // The polished edge of a glass sheet looks green and dark.
        double border = std::min({x, y, kPictureWidth - 1 - x, kPictureHeight - 1 - y});
        if (border < 4) c = mix(c, edge, (4 - border) / 4 * 0.7);
        return c;
    });
}

QImage drawLacquer(QColor colour, uint64_t seed) {
    Rng rng(seed);
    const Rgb base = rgbOf(colour);
    const Rgb deep = scale(base, 0.82);
    const double band = rng.uniform(0.35, 0.55);
    return shade([&](double x, double y) {
        double nx = x / kPictureWidth;
        double ny = y / kPictureHeight;
        Rgb c = mix(base, deep, std::clamp(ny * 0.8 + nx * 0.2, 0.0, 1.0));
        double s = nx * 0.75 - ny * 0.5 + 0.5;
        double gloss = gauss(s - band, 0.09) * 0.35 + gauss(s - band - 0.2, 0.02) * 0.45;
        return mix(c, Rgb{255, 255, 255}, gloss);
    });
}

} // namespace sample
