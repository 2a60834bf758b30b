#include "pictures/generator/emblems.h"

#include "pictures/lettering.h"

#include <QFontInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

namespace cratefall::pictures {
namespace {

constexpr auto letteringFamily = "Liberation Sans";

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// Liberation Sans keeps the lettering the same on every machine; without it the picture is
// still drawn, in whatever sans-serif face the system offers, and the build says so.
QFont letteringFont(int pixelSize, QFont::Weight weight)
{
    QFont font(QString::fromLatin1(letteringFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    static bool warned = false;
    if (!warned && !QFontInfo(font).family().startsWith(QLatin1String(letteringFamily))) {
        std::fprintf(stderr, "picture generator: %s missing, lettering falls back to %s\n",
                     letteringFamily, qPrintable(QFontInfo(font).family()));
        warned = true;
    }
    return font;
}

void fillGreen(QPainter& painter, const QRect& area)
{
    QLinearGradient shade(0, 0, 0, area.height());
    shade.setColorAt(0.0, QColor(0x4c, 0xa8, 0x48));
    shade.setColorAt(1.0, QColor(0x24, 0x74, 0x28));
    painter.fillRect(area, shade);
}

void paintRibbon(QPainter& painter)
{
    QPainterPath ribbon;
    ribbon.moveTo(12, 0);
    ribbon.lineTo(40, 0);
    ribbon.lineTo(40, 60);
    ribbon.lineTo(26, 72);
    ribbon.lineTo(12, 60);
    ribbon.closeSubpath();
    painter.fillPath(ribbon, QColor(0x1c, 0x3c, 0xa8));
    painter.fillRect(QRectF(22, 0, 8, 64), QColor(0x58, 0x80, 0xe8));
    painter.setPen(QPen(QColor(0x0c, 0x1c, 0x58), 1));
    painter.drawPath(ribbon);
}

void paintClasp(QPainter& painter)
{
    const QRectF clasp(17, 64, 18, 10);
    QLinearGradient shine(clasp.topLeft(), clasp.bottomLeft());
    shine.setColorAt(0.0, QColor(0xf0, 0x50, 0x40));
    shine.setColorAt(1.0, QColor(0x98, 0x10, 0x10));
    painter.setPen(QPen(QColor(0x50, 0x08, 0x08), 1));
    painter.setBrush(shine);
    painter.drawRoundedRect(clasp, 2, 2);
}

void paintMedal(QPainter& painter)
{
    const QPointF centre(26, 100);
    QRadialGradient gold(centre + QPointF(-6, -7), 26);
    gold.setColorAt(0.0, QColor(0xff, 0xf0, 0x9c));
    gold.setColorAt(0.5, QColor(0xe8, 0xb4, 0x30));
    gold.setColorAt(1.0, QColor(0x9c, 0x68, 0x10));
    painter.setPen(QPen(QColor(0x6c, 0x44, 0x08), 1.5));
    painter.setBrush(gold);
    painter.drawEllipse(centre, 23, 23);
    painter.setPen(QPen(QColor(0xb0, 0x7c, 0x18), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 18, 18);
    painter.setFont(letteringFont(18, QFont::Bold));
    painter.setPen(QColor(0x5a, 0x36, 0x04));
    painter.drawText(QRectF(centre.x() - 20, centre.y() - 14, 40, 28), Qt::AlignCenter,
                     QStringLiteral("#1"));
}

void drawLines(QPainter& painter, const QRect& area, const QStringList& lines)
{
    const int lineHeight = area.height() / int(lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QRect line(area.left(), area.top() + i * lineHeight, area.width(), lineHeight);
        painter.drawText(line, Qt::AlignCenter, lines[i]);
    }
}

} // namespace

QImage barPicture()
{
    QImage image(450, 30, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(0x7a, 0x0e, 0x0e), 2));
    painter.drawRect(QRectF(image.rect()).adjusted(1, 1, -1, -1));
    return image;
}

QImage medalPicture()
{
    QImage image(52, 128, QImage::Format_RGB32);
    // A JPEG has no transparency: paint the victory window's own white behind the medal.
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintRibbon(painter);
    paintMedal(painter);
    paintClasp(painter);
    return image;
}

QImage aboutBanner()
{
    QImage image(200, 50, QImage::Format_RGB32);
    QPainter painter(&image);
    fillGreen(painter, image.rect());
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(letteringFont(24, QFont::Bold));
    painter.setPen(QColor(0x9c, 0xd8, 0x90)); // a faint light edge lifts the letters off the green
    painter.drawText(image.rect().translated(1, 1), Qt::AlignCenter,
                     latin1(lettering::aboutBanner));
    painter.setPen(QColor(0x0a, 0x26, 0x0c));
    painter.drawText(image.rect(), Qt::AlignCenter, latin1(lettering::aboutBanner));
    return image;
}

QImage contactPicture()
{
    QImage image(300, 110, QImage::Format_RGB32);
    QPainter painter(&image);
    fillGreen(painter, image.rect());
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(QColor(0xee, 0xfa, 0xe6));
    const QRect text = image.rect().adjusted(8, 10, -8, -10);
    const QStringList lines = latin1(lettering::contactCard).split(QLatin1Char('\n'));
    painter.setFont(letteringFont(22, QFont::Bold));
    drawLines(painter, text.adjusted(0, 0, 0, -text.height() * 2 / 3), lines.mid(0, 1));
    painter.setFont(letteringFont(17, QFont::Normal));
    drawLines(painter, text.adjusted(0, text.height() / 3, 0, 0), lines.mid(1));
    return image;
}

} // namespace cratefall::pictures
