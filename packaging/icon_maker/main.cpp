// Draws the desktop icons from the title window's own tile, so the menu shows the very box the
// game shows. Enlarged by whole pixel blocks: a smoothed 16-pixel box turns to mush at 256.
#include "pictures/picture_store.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>

namespace {

constexpr const char* tileName = "Tile01";

bool writeIcon(const QImage& tile, int size, const QString& outputRoot, const QString& fileName)
{
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(outputRoot).arg(size);
    if (!QDir().mkpath(dir))
        return false;
    const QImage icon = tile.convertToFormat(QImage::Format_ARGB32)
                            .scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return icon.save(dir + QLatin1Char('/') + fileName, "PNG");
}

} // namespace

// icon_maker OUTPUT_ROOT FILE_NAME SIZE...
int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s OUTPUT_ROOT FILE_NAME SIZE...\n", argv[0]);
        return 2;
    }
    const QImage& tile = cratefall::pictures::PictureStore::image(tileName);
    if (tile.isNull()) {
        std::fprintf(stderr, "%s: the picture %s is missing\n", argv[0], tileName);
        return 1;
    }
    const QString outputRoot = QString::fromLocal8Bit(argv[1]);
    const QString fileName = QString::fromLocal8Bit(argv[2]);
    for (int index = 3; index < argc; ++index) {
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[index]).toInt(&isNumber);
        if (!isNumber || size <= 0 || size % tile.width() != 0 || size % tile.height() != 0) {
            std::fprintf(stderr, "%s: %s is not a whole multiple of the %dx%d tile\n", argv[0],
                         argv[index], tile.width(), tile.height());
            return 1;
        }
        if (!writeIcon(tile, size, outputRoot, fileName)) {
            std::fprintf(stderr, "%s: cannot write the %d pixel icon\n", argv[0], size);
            return 1;
        }
    }
    return 0;
}
