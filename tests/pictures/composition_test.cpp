// Boxes are drawn scaled up over a backdrop; their rims and holes must let it show through.
#include "expected_pictures.h"
#include "pictures/picture_store.h"

#include <QPainter>
#include <QTest>

using cratefall::pictures::PictureStore;
using namespace cratefall::tests;

namespace {

constexpr int kDrawnSide = 57;
constexpr int kTileSide = 16;

enum class Background { White, BlueBackdrop };

QImage backgroundPatch(Background background)
{
    if (background == Background::White) {
        QImage white(kDrawnSide, kDrawnSide, QImage::Format_RGB32);
        white.fill(Qt::white);
        return white;
    }
    // An off-centre patch, so it is not simply the first corner of the texture.
    return PictureStore::image("BlueBackdrop")
        .copy(120, 75, kDrawnSide, kDrawnSide)
        .convertToFormat(QImage::Format_RGB32);
}

QImage drawBox(const QImage& tile, const QImage& background)
{
    QImage canvas = background;
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(0, 0, kDrawnSide, kDrawnSide), tile);
    return canvas;
}

// The drawn pixel at the middle of a tile pixel's enlarged square.
QPoint drawnSpot(int x, int y)
{
    const auto spot = [](int at) { return static_cast<int>((at + 0.5) * kDrawnSide / kTileSide); };
    return {spot(x), spot(y)};
}

QRgb rgb(QRgb pixel)
{
    return pixel & 0x00ffffffu;
}

} // namespace

class CompositionTest : public QObject {
    Q_OBJECT

private slots:
    void backgroundShowsThroughRimAndHoles_data();
    void backgroundShowsThroughRimAndHoles();
};

void CompositionTest::backgroundShowsThroughRimAndHoles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Background>("background");
    for (const auto& tile : kTiles) {
        QTest::addRow("%s over white", tile.name)
            << QString::fromLatin1(tile.name) << Background::White;
        QTest::addRow("%s over blue", tile.name)
            << QString::fromLatin1(tile.name) << Background::BlueBackdrop;
    }
}

void CompositionTest::backgroundShowsThroughRimAndHoles()
{
    QFETCH(QString, name);
    QFETCH(Background, background);
    const QImage& tile = PictureStore::image(name.toStdString());
    const QImage patch = backgroundPatch(background);
    QCOMPARE(patch.size(), QSize(kDrawnSide, kDrawnSide));
    const QImage drawn = drawBox(tile, patch);
    int seeThrough = 0;
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            const QPoint spot = drawnSpot(x, y);
            const QRgb source = tile.pixel(x, y);
            const QRgb expected = qAlpha(source) == 0 ? patch.pixel(spot) : source;
            const QString where = QStringLiteral("tile pixel %1,%2").arg(x).arg(y);
            QVERIFY2(rgb(drawn.pixel(spot)) == rgb(expected), qPrintable(where));
            if (qAlpha(source) == 0) {
                ++seeThrough;
                if (background == Background::White)
                    QVERIFY2(rgb(drawn.pixel(spot)) == rgb(qRgb(255, 255, 255)), qPrintable(where));
                else
                    QVERIFY2(qBlue(drawn.pixel(spot)) > qRed(drawn.pixel(spot)) + 40,
                             qPrintable(where));
            }
        }
    }
    QVERIFY(seeThrough >= 4 * (kTileSide - 1));
}

QTEST_MAIN(CompositionTest)
#include "composition_test.moc"
