// The decoder on small icons built byte by byte here, so each rule of the format is pinned
// down on its own: bottom-up rows, row padding, palettes, the AND mask, damaged files; then the
// game's own icons, which hold several images and hand out the one that fits, nothing decoded
// twice.
#include "pictures/ico_decoder.h"
#include "pictures/picture_store.h"

#include <QFile>
#include <QTest>

using cratefall::pictures::IcoFile;
using cratefall::pictures::PictureStore;

namespace {

class Bytes {
public:
    Bytes& u8(int v)
    {
        m_data.append(static_cast<char>(v));
        return *this;
    }
    Bytes& u16(int v) { return u8(v & 0xff).u8(v >> 8); }
    Bytes& u32(int v) { return u16(v & 0xffff).u16(v >> 16); }
    Bytes& raw(std::initializer_list<int> values)
    {
        for (int v : values)
            u8(v);
        return *this;
    }
    QByteArray data() const { return m_data; }

private:
    QByteArray m_data;
};

void infoHeader(Bytes& b, int width, int height, int bits)
{
    b.u32(40).u32(width).u32(2 * height).u16(1).u16(bits).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
}

// 3x2 true colour. Top row: red, green, blue; bottom row: white, masked, black.
QByteArray trueColourIcon()
{
    Bytes b;
    b.u16(0).u16(1).u16(1);
    const int imageBytes = 40 + 2 * 12 + 2 * 4;
    b.u8(3).u8(2).u8(0).u8(0).u16(1).u16(24).u32(imageBytes).u32(22);
    infoHeader(b, 3, 2, 24);
    b.raw({255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0}); // bottom row first, BGR, padded to 12
    b.raw({0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0});
    b.raw({0b0100'0000, 0, 0, 0}); // bottom row: middle pixel masked
    b.raw({0, 0, 0, 0});
    return b.data();
}

// Two images: 2x2 in 256 colours, then 1x1 true colour.
QByteArray twoImageIcon()
{
    Bytes b;
    b.u16(0).u16(1).u16(2);
    const int paletted = 40 + 256 * 4 + 2 * 4 + 2 * 4;
    const int direct = 40 + 4 + 4;
    b.u8(2).u8(2).u8(0).u8(0).u16(1).u16(8).u32(paletted).u32(38);
    b.u8(1).u8(1).u8(0).u8(0).u16(1).u16(24).u32(direct).u32(38 + paletted);
    infoHeader(b, 2, 2, 8);
    b.raw({0, 0, 0, 0}).raw({0, 0, 200, 0}).raw({200, 0, 0, 0}); // black, red, blue
    for (int i = 3; i < 256; ++i)
        b.u32(0);
    b.raw({2, 1, 0, 0}).raw({1, 2, 0, 0});           // bottom row: blue, red
    b.raw({0b1000'0000, 0, 0, 0}).raw({0, 0, 0, 0}); // bottom-left masked
    infoHeader(b, 1, 1, 24);
    b.raw({10, 20, 30, 0}).raw({0, 0, 0, 0});
    return b.data();
}

std::optional<IcoFile> iconFile(const QString& name)
{
    QFile file(QStringLiteral(":/pictures/%1.ico").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return IcoFile::parse(file.readAll());
}

} // namespace

class IcoDecoderTest : public QObject {
    Q_OBJECT

private slots:
    void readsTrueColourWithMask()
    {
        const auto file = IcoFile::parse(trueColourIcon());
        QVERIFY(file.has_value());
        QCOMPARE(file->entries().size(), size_t(1));
        QCOMPARE(file->entries()[0].bitCount, 24);
        const QImage image = file->decode(0);
        QCOMPARE(image.size(), QSize(3, 2));
        QCOMPARE(image.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(1, 0), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(2, 0), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(0, 1), qRgb(255, 255, 255));
        QCOMPARE(qAlpha(image.pixel(1, 1)), 0);
        QCOMPARE(image.pixel(2, 1), qRgb(0, 0, 0));
    }

    void readsPaletteAndPicksBySize()
    {
        const auto file = IcoFile::parse(twoImageIcon());
        QVERIFY(file.has_value());
        QCOMPARE(file->pick(QSize(1, 1)), 1);
        QCOMPARE(file->pick(QSize(2, 2)), 0);
        QCOMPARE(file->pick(QSize()), 0);
        const QImage paletted = file->decode(0);
        QCOMPARE(paletted.pixel(0, 0), qRgb(200, 0, 0));
        QCOMPARE(paletted.pixel(1, 0), qRgb(0, 0, 200));
        QCOMPARE(qAlpha(paletted.pixel(0, 1)), 0);
        QCOMPARE(paletted.pixel(1, 1), qRgb(200, 0, 0));
        QCOMPARE(file->decode(1).pixel(0, 0), qRgb(30, 20, 10));
        QVERIFY(file->decode(2).isNull());
    }

    void refusesDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = trueColourIcon();
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cursor, not icon") << QByteArray(good).replace(2, 1, "\2");
        QTest::newRow("no images") << QByteArray(good).replace(4, 1, QByteArray(1, '\0'));
        QTest::newRow("cut in the directory") << good.left(10);
        QTest::newRow("cut in the pixels") << good.left(good.size() - 5);
        QTest::newRow("a JPEG") << QByteArray("\xff\xd8\xff\xe0\0\x10JFIF\0", 11);
    }

    void refusesDamagedFiles()
    {
        QFETCH(QByteArray, bytes);
        const auto file = IcoFile::parse(bytes);
        QVERIFY(!file.has_value() || file->decode(0).isNull());
    }

    void cartridgeGivesTheImageOfTheDrawnSize()
    {
        const auto file = iconFile(QStringLiteral("CartridgeIcon"));
        QVERIFY(file.has_value());
        QCOMPARE(file->entries().size(), size_t(2));

        QCOMPARE(PictureStore::image("CartridgeIcon", QSize(16, 16)).size(), QSize(16, 16));
        QCOMPARE(PictureStore::image("CartridgeIcon", QSize(32, 32)).size(), QSize(32, 32));
        // The 16-pixel image is drawn on its own, not a shrunken copy of the large one.
        QCOMPARE(PictureStore::image("CartridgeIcon", QSize(16, 16)), file->decode(1));
        QCOMPARE(PictureStore::image("CartridgeIcon", QSize(32, 32)), file->decode(0));
        // No exact match, or no size asked for: the largest.
        QCOMPARE(PictureStore::image("CartridgeIcon").size(), QSize(32, 32));
        QCOMPARE(PictureStore::image("CartridgeIcon", QSize(57, 57)).size(), QSize(32, 32));
    }

    void creaturePrefersTrueColour()
    {
        const auto file = iconFile(QStringLiteral("CreatureIcon"));
        QVERIFY(file.has_value());
        QCOMPARE(file->entries().size(), size_t(4));
        for (const int side : {16, 32}) {
            const int chosen = file->pick(QSize(side, side));
            QVERIFY(chosen >= 0);
            QCOMPARE(file->entries()[size_t(chosen)].size, QSize(side, side));
            QCOMPARE(file->entries()[size_t(chosen)].bitCount, 24);
            QCOMPARE(PictureStore::image("CreatureIcon", QSize(side, side)), file->decode(chosen));
        }
    }

    void decodingAgainCostsNothing()
    {
        const int before = PictureStore::decodeCount();
        const QImage& first = PictureStore::image("Tile07");
        const QImage& medal = PictureStore::image("MedalPicture");
        const int afterFirst = PictureStore::decodeCount();
        QCOMPARE(afterFirst, before + 2);

        QCOMPARE(&PictureStore::image("Tile07"), &first);
        QCOMPARE(&PictureStore::image("Tile07", QSize(16, 16)), &first);
        QCOMPARE(&PictureStore::image("MedalPicture"), &medal);
        QCOMPARE(PictureStore::decodeCount(), afterFirst);

        // The window icon shares the decoded images instead of decoding its own copies.
        PictureStore::windowIcon("FaceIcon3");
        const int afterIcon = PictureStore::decodeCount();
        QCOMPARE(afterIcon, afterFirst + 1);
        PictureStore::image("FaceIcon3", QSize(32, 32));
        PictureStore::windowIcon("FaceIcon3");
        QCOMPARE(PictureStore::decodeCount(), afterIcon);
    }

    void windowIconCarriesEveryImage()
    {
        const QIcon icon = PictureStore::windowIcon("CartridgeIcon");
        const QList<QSize> sizes = icon.availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(32, 32)));
        const QImage small = icon.pixmap(QSize(16, 16)).toImage();
        QCOMPARE(qAlpha(small.pixel(0, 0)), 0); // the mask survives into the window icon
    }
};

QTEST_MAIN(IcoDecoderTest)
#include "ico_decoder_test.moc"
