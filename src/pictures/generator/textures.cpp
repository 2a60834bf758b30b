#include "pictures/generator/textures.h"

#include "pictures/generator/noise.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace cratefall::pictures {
namespace {

constexpr std::uint64_t blueSeed = 0xb10e5eedull;
constexpr std::uint64_t redSeed = 0x4ed5eedull;
constexpr std::uint64_t goldSeed = 0x601d5eedull;

QRgb blend(QColor from, QColor to, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    const auto channel = [t](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * t));
    };
    return qRgb(channel(from.red(), to.red()), channel(from.green(), to.green()),
                channel(from.blue(), to.blue()));
}

QRgb scaled(QRgb colour, double factor)
{
    const auto channel = [factor](int c) {
        return std::clamp(static_cast<int>(c * factor), 0, 255);
    };
    return qRgb(channel(qRed(colour)), channel(qGreen(colour)), channel(qBlue(colour)));
}

// Noise stretched over a contrast curve: plain summed noise is too grey to read as clouds.
double cloudiness(const CloudNoise& noise, int x, int y, int size)
{
    const double n = noise.clouds(double(x) / size, double(y) / size, 5);
    return std::clamp((n - 0.5) * 2.2 + 0.5, 0.0, 1.0);
}

void paintGlow(QPainter& painter, QPointF centre, double radius, QColor core)
{
    QRadialGradient glow(centre, radius);
    QColor edge = core;
    edge.setAlpha(0);
    glow.setColorAt(0.0, core);
    glow.setColorAt(0.35, QColor(core.red(), core.green(), core.blue(), core.alpha() / 2));
    glow.setColorAt(1.0, edge);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius, radius);
}

} // namespace

QImage blueBackdrop()
{
    constexpr int size = 300;
    QImage image(size, size, QImage::Format_RGB32);
    const CloudNoise noise(blueSeed, 6);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y,
                           blend(QColor(0x0c, 0x24, 0x6e), QColor(0x4a, 0x86, 0xe0),
                                 cloudiness(noise, x, y, size)));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    SeededRandom random(blueSeed);
    for (int i = 0; i < 70; ++i) {
        const QPointF at(random.between(0, size), random.between(0, size));
        paintGlow(painter, at, random.between(1.5, 6.0),
                  QColor(210, 230, 255, static_cast<int>(random.between(120, 230))));
    }
    return image;
}

QImage redBackdrop()
{
    constexpr int size = 300;
    QImage image(size, size, QImage::Format_RGB32);
    const CloudNoise noise(redSeed, 5);
    const double halfDiagonal = std::hypot(size / 2.0, size / 2.0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb cloud = blend(QColor(0x70, 0x0a, 0x08), QColor(0xe0, 0x40, 0x28),
                                     cloudiness(noise, x, y, size));
            const double reach = std::hypot(x - size / 2.0, y - size / 2.0) / halfDiagonal;
            const double fade = std::clamp((reach - 0.45) / 0.55, 0.0, 1.0);
            image.setPixel(x, y, scaled(cloud, 1.0 - 0.8 * fade * fade));
        }
    }
    return image;
}

QImage stripeBackdrop()
{
    constexpr int width = 386;
    constexpr int height = 1196;
    constexpr int stripes = 8;
    QImage image(width, height, QImage::Format_RGB32);
    const QColor red(0xc4, 0x14, 0x22);
    const QColor white(0xf6, 0xf2, 0xee);
    for (int x = 0; x < width; ++x) {
        const double position = double(x) * stripes / width;
        const int stripe = static_cast<int>(position);
        // A soft fold in each stripe, lighter in the middle, so the cloth does not look flat.
        const double fold = 0.9 + 0.1 * std::sin((position - stripe) * std::numbers::pi);
        const QRgb colour = scaled((stripe % 2 == 0 ? red : white).rgb(), fold);
        for (int y = 0; y < height; ++y)
            image.setPixel(x, y, colour);
    }
    return image;
}

QImage goldBackdrop()
{
    constexpr int width = 900;
    constexpr int height = 700;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient fall(0, 0, 0, height);
    fall.setColorAt(0.0, QColor(0xf0, 0xc2, 0x3a));
    fall.setColorAt(0.45, QColor(0xa8, 0x6c, 0x18));
    fall.setColorAt(1.0, QColor(0x2e, 0x18, 0x06));
    painter.fillRect(image.rect(), fall);
    painter.setRenderHint(QPainter::Antialiasing);
    SeededRandom random(goldSeed);
    for (int i = 0; i < 220; ++i) {
        const QPointF at(random.between(0, width), random.between(0, height));
        paintGlow(painter, at, random.between(2.0, 5.5),
                  QColor(255, 236, 160, static_cast<int>(random.between(140, 255))));
    }
    return image;
}

} // namespace cratefall::pictures
