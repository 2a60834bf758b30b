// Every picture is compiled in under its name, in the format, size and file layout the screens
// and the window manager expect.
#include "expected_pictures.h"
#include "pictures/picture_store.h"

#include <QFile>
#include <QImageReader>
#include <QTest>
#include <optional>

using cratefall::pictures::PictureStore;
using namespace cratefall::tests;

namespace {

QString iconPath(const QString& name)
{
    return QStringLiteral(":/pictures/%1.ico").arg(name);
}
QString jpegPath(const QString& name)
{
    return QStringLiteral(":/pictures/%1.jpg").arg(name);
}

QByteArray resourceBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int byteAt(const QByteArray& bytes, qsizetype at)
{
    return static_cast<unsigned char>(bytes[at]);
}
int bigEndian16(const QByteArray& bytes, qsizetype at)
{
    return (byteAt(bytes, at) << 8) | byteAt(bytes, at + 1);
}

// The parts of a JPEG header that decide how other programs show it.
struct JpegHeader {
    QByteArray jfifTag;
    int version = 0;
    int densityUnits = -1;
    int xDensity = 0;
    int yDensity = 0;
    bool baseline = false;
    QList<int> sampling; // per component, 0xHV
};

std::optional<JpegHeader> readJpegHeader(const QByteArray& bytes)
{
    if (bytes.size() < 4 || byteAt(bytes, 0) != 0xff || byteAt(bytes, 1) != 0xd8)
        return std::nullopt;
    JpegHeader header;
    for (qsizetype at = 2; at + 4 <= bytes.size();) {
        if (byteAt(bytes, at) != 0xff)
            return std::nullopt;
        const int marker = byteAt(bytes, at + 1);
        const int length = bigEndian16(bytes, at + 2);
        const qsizetype body = at + 4;
        if (body + length - 2 > bytes.size())
            return std::nullopt;
        if (marker == 0xe0 && header.jfifTag.isEmpty()) {
            header.jfifTag = bytes.mid(body, 5);
            header.version = bigEndian16(bytes, body + 5);
            header.densityUnits = byteAt(bytes, body + 7);
            header.xDensity = bigEndian16(bytes, body + 8);
            header.yDensity = bigEndian16(bytes, body + 10);
        } else if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 &&
                   marker != 0xcc) {
            header.baseline = marker == 0xc0;
            const int components = byteAt(bytes, body + 5);
            for (int i = 0; i < components; ++i)
                header.sampling.append(byteAt(bytes, body + 6 + 3 * i + 1));
            return header;
        }
        at = body + length - 2;
    }
    return std::nullopt;
}

} // namespace

class ResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void iconsHaveTheClassicLayout_data();
    void iconsHaveTheClassicLayout();
    void jpegsAreBaselineJfifAt72Dpi_data();
    void jpegsAreBaselineJfifAt72Dpi();
    void unknownNamesGiveNothing();
};

void ResourcesTest::iconsHaveTheClassicLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qint64>("bytes");
    for (const auto& icon : kIcons)
        QTest::newRow(icon.name) << QString::fromLatin1(icon.name) << icon.largest << icon.bytes;
    for (const auto& tile : kTiles)
        QTest::newRow(tile.name) << QString::fromLatin1(tile.name) << QSize(16, 16) << kTileBytes;
}

void ResourcesTest::iconsHaveTheClassicLayout()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(qint64, bytes);
    const QByteArray raw = resourceBytes(iconPath(name));
    QCOMPARE(qint64(raw.size()), bytes);
    QCOMPARE(raw.left(4), QByteArray("\0\0\1\0", 4)); // reserved, then type 1: an icon
    QVERIFY(PictureStore::exists(name.toStdString()));
    const QImage& image = PictureStore::image(name.toStdString());
    QCOMPARE(image.size(), size);
}

void ResourcesTest::jpegsAreBaselineJfifAt72Dpi_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    for (const auto& jpeg : kJpegs)
        QTest::newRow(jpeg.name) << QString::fromLatin1(jpeg.name) << jpeg.size;
}

void ResourcesTest::jpegsAreBaselineJfifAt72Dpi()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QByteArray raw = resourceBytes(jpegPath(name));
    QCOMPARE(QImageReader::imageFormat(jpegPath(name)), QByteArray("jpeg"));
    const auto header = readJpegHeader(raw);
    QVERIFY2(header.has_value(), "no readable JPEG header");
    QCOMPARE(header->jfifTag, QByteArray("JFIF\0", 5));
    QCOMPARE(header->version, 0x0101);
    QCOMPARE(header->densityUnits, 1);
    QCOMPARE(header->xDensity, 72);
    QCOMPARE(header->yDensity, 72);
    QVERIFY(header->baseline);
    QCOMPARE(header->sampling, (QList<int>{0x22, 0x11, 0x11}));

    QVERIFY(PictureStore::exists(name.toStdString()));
    const QImage& image = PictureStore::image(name.toStdString());
    QCOMPARE(image.size(), size);
    QVERIFY2(!image.hasAlphaChannel(), "a picture control repaints what lies behind any picture "
                                       "with an alpha channel, even one of opaque pixels");
}

void ResourcesTest::unknownNamesGiveNothing()
{
    QVERIFY(!PictureStore::exists("Tile22"));
    QVERIFY(!PictureStore::exists(""));
    QVERIFY(PictureStore::image("Tile22").isNull());
    QVERIFY(PictureStore::windowIcon("NoSuchPicture").isNull());
}

QTEST_MAIN(ResourcesTest)
#include "resources_test.moc"
