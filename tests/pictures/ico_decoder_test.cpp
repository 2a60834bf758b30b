// The decoder on small icons built byte by byte here, so each rule of the format is pinned
// down on its own: bottom-up rows, row padding, palettes, the AND mask, damaged files.
#include "pictures/ico_decoder.h"

#include <QTest>

using cratefall::pictures::IcoFile;

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

} // namespace

class IcoDecoderTest : public QObject {
    Q_OBJECT

private slots:
    void readsTrueColourWithMask();
    void readsPaletteAndPicksBySize();
    void refusesDamagedFiles_data();
    void refusesDamagedFiles();
};

void IcoDecoderTest::readsTrueColourWithMask()
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

void IcoDecoderTest::readsPaletteAndPicksBySize()
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

void IcoDecoderTest::refusesDamagedFiles_data()
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

void IcoDecoderTest::refusesDamagedFiles()
{
    QFETCH(QByteArray, bytes);
    const auto file = IcoFile::parse(bytes);
    QVERIFY(!file.has_value() || file->decode(0).isNull());
}

QTEST_MAIN(IcoDecoderTest)
#include "ico_decoder_test.moc"
