// The see-through parts of the boxes come from the icon masks, read by the game's own decoder;
// a decoder that ignored the mask would return every box fully opaque.
#include "expected_pictures.h"
#include "pictures/picture_store.h"

#include <QTest>

using cratefall::pictures::PictureStore;
using namespace cratefall::tests;

namespace {

int transparentPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) == 0 ? 1 : 0;
    return count;
}

bool ringIsTransparent(const QImage& image)
{
    const int last = image.width() - 1;
    for (int i = 0; i <= last; ++i) {
        if (qAlpha(image.pixel(i, 0)) != 0 || qAlpha(image.pixel(i, last)) != 0 ||
            qAlpha(image.pixel(0, i)) != 0 || qAlpha(image.pixel(last, i)) != 0)
            return false;
    }
    return true;
}

} // namespace

class TransparencyTest : public QObject {
    Q_OBJECT

private slots:
    void tilesHaveTheirHoles_data();
    void tilesHaveTheirHoles();
    void iconPixelsAreEitherSolidOrClear_data();
    void iconPixelsAreEitherSolidOrClear();
};

void TransparencyTest::tilesHaveTheirHoles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("transparent");
    for (const auto& tile : kTiles)
        QTest::newRow(tile.name) << QString::fromLatin1(tile.name) << tile.transparentPixels;
}

void TransparencyTest::tilesHaveTheirHoles()
{
    QFETCH(QString, name);
    QFETCH(int, transparent);
    const QImage& tile = PictureStore::image(name.toStdString(), QSize(16, 16));
    QCOMPARE(tile.size(), QSize(16, 16));
    QCOMPARE(transparentPixels(tile), transparent);
    QVERIFY2(ringIsTransparent(tile), "the outer ring must be see-through so boxes never touch");
}

void TransparencyTest::iconPixelsAreEitherSolidOrClear_data()
{
    QTest::addColumn<QString>("name");
    for (const auto& icon : kIcons)
        QTest::newRow(icon.name) << QString::fromLatin1(icon.name);
    for (const auto& tile : kTiles)
        QTest::newRow(tile.name) << QString::fromLatin1(tile.name);
}

// A mask gives all or nothing; half-transparent pixels would mean the decoder blended something.
void TransparencyTest::iconPixelsAreEitherSolidOrClear()
{
    QFETCH(QString, name);
    const QImage& image = PictureStore::image(name.toStdString());
    int clear = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            QVERIFY2(alpha == 0 || alpha == 255,
                     qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            clear += alpha == 0 ? 1 : 0;
        }
    }
    QVERIFY2(clear > 0, "every icon has a see-through background");
    QVERIFY2(clear < image.width() * image.height(), "and something drawn on it");
}

QTEST_MAIN(TransparencyTest)
#include "transparency_test.moc"
