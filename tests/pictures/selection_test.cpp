// Icons that hold several images hand out the one that fits, and nothing is decoded twice.
#include "pictures/picture_store.h"
#include "pictures/ico_decoder.h"

#include <QFile>
#include <QTest>

using cratefall::pictures::IcoFile;
using cratefall::pictures::PictureStore;

namespace {

std::optional<IcoFile> iconFile(const QString& name)
{
    QFile file(QStringLiteral(":/pictures/%1.ico").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return IcoFile::parse(file.readAll());
}

} // namespace

class SelectionTest : public QObject {
    Q_OBJECT

private slots:
    void cartridgeGivesTheImageOfTheDrawnSize();
    void creaturePrefersTrueColour();
    void decodingAgainCostsNothing();
    void windowIconCarriesEveryImage();
};

void SelectionTest::cartridgeGivesTheImageOfTheDrawnSize()
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

void SelectionTest::creaturePrefersTrueColour()
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

void SelectionTest::decodingAgainCostsNothing()
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

void SelectionTest::windowIconCarriesEveryImage()
{
    const QIcon icon = PictureStore::windowIcon("CartridgeIcon");
    const QList<QSize> sizes = icon.availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)));
    QVERIFY(sizes.contains(QSize(32, 32)));
    const QImage small = icon.pixmap(QSize(16, 16)).toImage();
    QCOMPARE(qAlpha(small.pixel(0, 0)), 0); // the mask survives into the window icon
}

QTEST_MAIN(SelectionTest)
#include "selection_test.moc"
