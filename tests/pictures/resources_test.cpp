// Every picture is compiled in under its name, in the format, size and file layout the screens
// and the window manager expect, and see-through exactly where it is drawn so: the boxes and
// icons through their masks, read by the game's own decoder (one that ignored the mask would
// return every box fully opaque); a JPEG nowhere, so a backdrop hides all that lies behind it.
#include "expected_pictures.h"
#include "pictures/picture_store.h"

#include <QFile>
#include <QImageReader>
#include <QTest>

using cratefall::pictures::PictureStore;
using namespace cratefall::tests;

namespace {

enum class Kind { Icon, Box, Jpeg };

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

// The parts of a JPEG header that decide how other programs show it, in words: its JFIF tag,
// version and density, whether it is baseline, and each component's sampling (0xHV).
QString jpegHeader(const QByteArray& bytes)
{
    if (bytes.size() < 4 || byteAt(bytes, 0) != 0xff || byteAt(bytes, 1) != 0xd8)
        return QStringLiteral("no JPEG");
    QString jfif = QStringLiteral("no JFIF");
    for (qsizetype at = 2; at + 4 <= bytes.size();) {
        const int marker = byteAt(bytes, at + 1);
        const int length = bigEndian16(bytes, at + 2);
        const qsizetype body = at + 4;
        if (byteAt(bytes, at) != 0xff || body + length - 2 > bytes.size())
            return jfif + QStringLiteral(", then damaged");
        if (marker == 0xe0 && jfif == QStringLiteral("no JFIF")) {
            jfif = QStringLiteral("%1 %2.%3, density %4x%5 in unit %6")
                       .arg(bytes.mid(body, 5) == QByteArray("JFIF\0", 5) ? "JFIF" : "not JFIF")
                       .arg(byteAt(bytes, body + 5))
                       .arg(byteAt(bytes, body + 6), 2, 10, QLatin1Char('0'))
                       .arg(bigEndian16(bytes, body + 8))
                       .arg(bigEndian16(bytes, body + 10))
                       .arg(byteAt(bytes, body + 7));
        } else if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 &&
                   marker != 0xcc) {
            QStringList sampling;
            for (int i = 0; i < byteAt(bytes, body + 5); ++i)
                sampling.append(QString::number(byteAt(bytes, body + 6 + 3 * i + 1), 16));
            return QStringLiteral("%1, %2, sampled %3")
                .arg(jfif, marker == 0xc0 ? "baseline" : "not baseline", sampling.join(' '));
        }
        at = body + length - 2;
    }
    return jfif + QStringLiteral(", no frame");
}

// A pixel of a mask is all or nothing; a half-transparent one would mean the decoder blended.
QString pixelsNeitherSolidNorClear(const QImage& image)
{
    QStringList found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const int alpha = qAlpha(image.pixel(x, y)); alpha != 0 && alpha != 255)
                found.append(QStringLiteral("%1,%2 has alpha %3").arg(x).arg(y).arg(alpha));
    return found.join(QStringLiteral("; "));
}

int clearPixels(const QImage& image)
{
    int clear = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            clear += qAlpha(image.pixel(x, y)) == 0 ? 1 : 0;
    return clear;
}

bool ringIsClear(const QImage& image)
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

Q_DECLARE_METATYPE(Kind)

class ResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void everyPictureIsCompiledInAsDrawn_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qint64>("bytes"); // an icon's file; none for a JPEG
        QTest::addColumn<int>("clear");    // see-through pixels, in an icon's largest image
        for (const auto& icon : kIcons)
            QTest::newRow(icon.name) << QString::fromLatin1(icon.name) << Kind::Icon << icon.largest
                                     << icon.bytes << icon.transparentPixels;
        for (const auto& tile : kTiles)
            QTest::newRow(tile.name) << QString::fromLatin1(tile.name) << Kind::Box << QSize(16, 16)
                                     << kTileBytes << tile.transparentPixels;
        for (const auto& jpeg : kJpegs)
            QTest::newRow(jpeg.name)
                << QString::fromLatin1(jpeg.name) << Kind::Jpeg << jpeg.size << qint64(0) << 0;
    }
    void everyPictureIsCompiledInAsDrawn()
    {
        QFETCH(QString, name);
        QFETCH(Kind, kind);
        QFETCH(QSize, size);
        QFETCH(qint64, bytes);
        QFETCH(int, clear);
        if (kind == Kind::Jpeg) {
            const QString path = QStringLiteral(":/pictures/%1.jpg").arg(name);
            QCOMPARE(QImageReader::imageFormat(path), QByteArray("jpeg"));
            QCOMPARE(jpegHeader(resourceBytes(path)),
                     "JFIF 1.01, density 72x72 in unit 1, baseline, sampled 22 11 11");
        } else {
            const QByteArray raw = resourceBytes(QStringLiteral(":/pictures/%1.ico").arg(name));
            QCOMPARE(qint64(raw.size()), bytes);
            QCOMPARE(raw.left(4), QByteArray("\0\0\1\0", 4)); // reserved, then type 1: an icon
        }
        QVERIFY(PictureStore::exists(name.toStdString()));
        const QImage& image = PictureStore::image(name.toStdString());
        QCOMPARE(image.size(), size);
        QVERIFY2(kind != Kind::Jpeg || !image.hasAlphaChannel(),
                 "a picture control repaints what lies behind any picture with an alpha channel, "
                 "even one of opaque pixels");
        QCOMPARE(pixelsNeitherSolidNorClear(image), QString());
        QCOMPARE(clearPixels(image), clear);
        QVERIFY2(kind != Kind::Box || ringIsClear(image),
                 "a box's outer ring must be see-through so boxes never touch");
    }

    void unknownNamesGiveNothing()
    {
        QVERIFY(!PictureStore::exists("Tile22"));
        QVERIFY(!PictureStore::exists(""));
        QVERIFY(PictureStore::image("Tile22").isNull());
        QVERIFY(PictureStore::windowIcon("NoSuchPicture").isNull());
    }
};

QTEST_MAIN(ResourcesTest)
#include "resources_test.moc"
