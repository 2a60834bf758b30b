// The desktop icons the build drew from the title tile: every size there, and each pixel an
// exact copy of one tile pixel, so the icon is the tile in crisp blocks with its see-through
// ring intact.
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

QImage builtIcon(int size)
{
    return QImage(QStringLiteral("%1/%2x%2/apps/%3.png").arg(iconRoot).arg(size).arg(appId));
}

QImage tile()
{
    return cratefall::pictures::PictureStore::image("Tile01").convertToFormat(
        QImage::Format_ARGB32);
}

// Transparent pixels keep no colour worth comparing; everything else must match exactly.
QRgb comparable(QRgb pixel)
{
    return qAlpha(pixel) == 0 ? 0 : pixel;
}

} // namespace

class IconsTest : public QObject {
    Q_OBJECT

private slots:
    void eachSizeIsTheTileInCrispBlocks_data()
    {
        QTest::addColumn<int>("size");
        for (const QString& size : QStringLiteral(CRATEFALL_ICON_SIZES).split(QLatin1Char(',')))
            QTest::addRow("%s", qPrintable(size)) << size.toInt();
    }

    // Pixel for pixel, so a smoothed enlargement, which invents in-between colours along every
    // edge of the box, fails as surely as a missing or misplaced one.
    void eachSizeIsTheTileInCrispBlocks()
    {
        QFETCH(int, size);
        const QImage source = tile();
        QVERIFY(!source.isNull());
        const QImage built = builtIcon(size);
        QVERIFY2(!built.isNull(), "the icon was not written or is not a PNG");
        QVERIFY(built.hasAlphaChannel());
        const QImage icon = built.convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(icon.size(), QSize(size, size));
        QCOMPARE(size % source.width(), 0);
        const int block = size / source.width();
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb expected = comparable(source.pixel(x / block, y / block));
                const QRgb actual = comparable(icon.pixel(x, y));
                if (actual != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1,%2) is %3, the tile's is %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(actual, 8, 16, QLatin1Char('0'))
                                         .arg(expected, 8, 16, QLatin1Char('0'))));
            }
        }
    }
};

QTEST_APPLESS_MAIN(IconsTest)
#include "icons_test.moc"
