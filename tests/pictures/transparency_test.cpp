// The see-through parts of the boxes and icons come from the icon masks, read by the game's own
// decoder; a decoder that ignored the mask would return every box fully opaque. A JPEG has no
// mask, so a backdrop hides all that lies behind it.
#include "expected_pictures.h"
#include "pictures/picture_store.h"

#include <QTest>

using cratefall::pictures::PictureStore;
using namespace cratefall::tests;

namespace {

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
    void pixelsAreSolidOrClearWhereDrawnSo_data();
    void pixelsAreSolidOrClearWhereDrawnSo();
};

void TransparencyTest::pixelsAreSolidOrClearWhereDrawnSo_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("transparent");
    QTest::addColumn<bool>("isBox");
    for (const auto& icon : kIcons)
        QTest::newRow(icon.name) << QString::fromLatin1(icon.name) << icon.transparentPixels
                                 << false;
    for (const auto& tile : kTiles)
        QTest::newRow(tile.name) << QString::fromLatin1(tile.name) << tile.transparentPixels
                                 << true;
    for (const auto& jpeg : kJpegs)
        QTest::newRow(jpeg.name) << QString::fromLatin1(jpeg.name) << 0 << false;
}

// A mask gives all or nothing; half-transparent pixels would mean the decoder blended something.
void TransparencyTest::pixelsAreSolidOrClearWhereDrawnSo()
{
    QFETCH(QString, name);
    QFETCH(int, transparent);
    QFETCH(bool, isBox);
    const QImage& image = PictureStore::image(name.toStdString());
    int seeThrough = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            if (alpha != 0 && alpha != 255)
                QFAIL(qPrintable(
                    QStringLiteral("pixel %1,%2 has alpha %3").arg(x).arg(y).arg(alpha)));
            seeThrough += alpha == 0 ? 1 : 0;
        }
    }
    QCOMPARE(seeThrough, transparent);
    QVERIFY2(!isBox || ringIsTransparent(image),
             "a box's outer ring must be see-through so boxes never touch");
}

QTEST_MAIN(TransparencyTest)
#include "transparency_test.moc"
