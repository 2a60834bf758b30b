// The desktop icons the build drew from the title tile: every size there, each pixel an exact
// copy of the tile pixel it covers, so the icon is the tile in crisp blocks, and that tile the
// one its pixel map paints, see-through ring intact.
#ifndef Q_MOC_RUN // moc cannot parse the C++20 library headers these pull in
#include "pictures/picture_store.h"
#endif

#include <QColor>
#include <QImage>
#include <QStringList>
#include <QTest>

namespace {

const QString iconRoot = QStringLiteral(CRATEFALL_ICON_ROOT);
const QString appId = QStringLiteral(CRATEFALL_APP_ID);

// Pixels of the title tile in the colours its pixel map gives them, typed here so that a wrong
// tile or a wrong decode cannot pass by reaching the icon and the expectation alike. 0 is
// see-through: a corner and the middle of an edge of the ring.
struct MapPixel {
    int x;
    int y;
    QRgb colour;
};
constexpr MapPixel titleTilePixels[] = {
    {0, 0, 0},          {15, 8, 0},         {1, 1, 0xff000000}, {2, 2, 0xfffff6a0},
    {3, 3, 0xff6c5200}, {6, 6, 0xffa88a00}, {2, 9, 0xff4c9c44}, {3, 10, 0xff042404},
};

QImage builtIcon(int size)
{
    return QImage(QStringLiteral("%1/%2x%2/apps/%3.png").arg(iconRoot).arg(size).arg(appId))
        .convertToFormat(QImage::Format_ARGB32);
}

// Transparent pixels keep no colour worth comparing; everything else must match exactly.
QRgb comparable(QRgb pixel)
{
    return qAlpha(pixel) == 0 ? 0 : pixel;
}

QString describe(QRgb pixel)
{
    return qAlpha(pixel) == 0 ? QStringLiteral("see-through")
                              : QStringLiteral("#%1").arg(pixel, 8, 16, QLatin1Char('0'));
}

} // namespace

class IconsTest : public QObject {
    Q_OBJECT

private slots:
    void eachSizeIsTheMappedTileInWholeBlocks_data()
    {
        QTest::addColumn<int>("size");
        for (const QString& size : QStringLiteral(CRATEFALL_ICON_SIZES).split(QLatin1Char(',')))
            QTest::addRow("%s", qPrintable(size)) << size.toInt();
    }

    void eachSizeIsTheMappedTileInWholeBlocks()
    {
        QFETCH(int, size);
        const QImage icon = builtIcon(size);
        QVERIFY2(!icon.isNull(), "the icon was not written or is not a PNG");
        QCOMPARE(icon.size(), QSize(size, size));
        const QImage tile = cratefall::pictures::PictureStore::image("Tile01");
        QCOMPARE(size % tile.width(), 0);
        const int block = size / tile.width();
        for (const MapPixel& pixel : titleTilePixels) {
            const QRgb actual = icon.pixel(pixel.x * block, pixel.y * block);
            if (comparable(actual) != pixel.colour)
                QFAIL(qPrintable(QStringLiteral("tile pixel (%1,%2) is %3, its map paints %4")
                                     .arg(pixel.x)
                                     .arg(pixel.y)
                                     .arg(describe(actual), describe(pixel.colour))));
        }
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb expected = tile.pixel(x / block, y / block);
                const QRgb actual = icon.pixel(x, y);
                if (comparable(actual) != comparable(expected))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1,%2) is %3, the tile's is %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(describe(actual), describe(expected))));
            }
        }
    }
};

QTEST_APPLESS_MAIN(IconsTest)
#include "icons_test.moc"
