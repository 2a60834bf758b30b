// Boxes are drawn by the game's own picture control, stretched in crisp blocks over what lies
// behind them, whole at any scale of the screen; their rims and holes must let it show through.
#include "expected_pictures.h"
#include "pictures/picture_store.h"
#include "ui/units.h"
#include "ui/widgets.h"

#include <QTest>

using cratefall::pictures::PictureStore;
using namespace cratefall::tests;
using namespace cratefall::ui;

namespace {

constexpr int kTileSide = 16;

enum class Background { White, BlueBackdrop };

// Level 1 drops boxes 735 by 855 twips on its white window; later levels drop 855-twip squares
// over the blue backdrop.
QImage backgroundPatch(Background background)
{
    if (background == Background::White) {
        QImage white(49, 57, QImage::Format_RGB32);
        white.fill(Qt::white);
        return white;
    }
    // An off-centre patch, so it is not simply the first corner of the texture.
    return PictureStore::image("BlueBackdrop")
        .copy(120, 75, 57, 57)
        .convertToFormat(QImage::Format_RGB32);
}

// The box as a level lays it out, rendered over the patch the way Qt paints a child that does
// not fill its own background, in the screen's own pixels: on a scaled screen, over the patch
// enlarged to them.
QImage drawBox(const std::string& tile, const QImage& background)
{
    const QSize side = background.size();
    PictureWidget box(picture("Box", 0, 0, toTwips(side.width()), toTwips(side.height()), tile,
                              Stretch::Yes, Enabled::No),
                      {});
    QImage canvas = background.scaled(side * box.devicePixelRatioF());
    canvas.setDevicePixelRatio(box.devicePixelRatioF());
    box.render(&canvas, {}, {}, QWidget::DrawChildren);
    return canvas;
}

// The drawn pixel at the middle of a tile pixel's enlarged block.
QPoint drawnSpot(int x, int y, QSize drawn)
{
    const auto spot = [](int at, int side) {
        return static_cast<int>((at + 0.5) * side / kTileSide);
    };
    return {spot(x, drawn.width()), spot(y, drawn.height())};
}

QString rgbOf(QRgb pixel)
{
    return QStringLiteral("#%1").arg(pixel & 0x00ffffffu, 6, 16, QLatin1Char('0'));
}

} // namespace

class CompositionTest : public QObject {
    Q_OBJECT

private slots:
    void backgroundShowsThroughRimAndHoles_data()
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

    void backgroundShowsThroughRimAndHoles()
    {
        QFETCH(QString, name);
        QFETCH(Background, background);
        const QImage& tile = PictureStore::image(name.toStdString());
        const QImage patch = backgroundPatch(background);
        QVERIFY2(background == Background::White ||
                     qBlue(patch.pixel(0, 0)) > qRed(patch.pixel(0, 0)) + 40,
                 "the backdrop is not blue");
        const QImage drawn = drawBox(name.toStdString(), patch);
        // The scale the test was started with, so a run meant for a scaled screen cannot pass at 1.
        QCOMPARE(drawn.devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
        const QImage under = patch.scaled(drawn.size());
        for (int y = 0; y < kTileSide; ++y) {
            for (int x = 0; x < kTileSide; ++x) {
                const QPoint spot = drawnSpot(x, y, drawn.size());
                const bool seeThrough = qAlpha(tile.pixel(x, y)) == 0;
                const QString expected = rgbOf(seeThrough ? under.pixel(spot) : tile.pixel(x, y));
                if (rgbOf(drawn.pixel(spot)) != expected)
                    QFAIL(qPrintable(
                        QStringLiteral(
                            "at pixel ratio %1, tile pixel %2,%3 is drawn %4, not the %5 %6")
                            .arg(drawn.devicePixelRatio())
                            .arg(x)
                            .arg(y)
                            .arg(rgbOf(drawn.pixel(spot)),
                                 seeThrough ? QStringLiteral("background's")
                                            : QStringLiteral("tile's"),
                                 expected)));
            }
        }
    }
};

QTEST_MAIN(CompositionTest)
#include "composition_test.moc"
