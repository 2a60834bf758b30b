// Draws every picture of the game into the build tree: icons from the text pixel maps, JPEGs
// from painting code. Run by the build; usage: cratefall_picture_generator MAPS_DIR OUT_DIR
#include "pictures/generator/emblems.h"
#include "pictures/generator/ico_writer.h"
#include "pictures/generator/pixel_map.h"
#include "pictures/generator/textures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <functional>
#include <stdexcept>
#include <utility>

namespace {

using namespace cratefall::pictures;

// 72 dpi, written into the JFIF header; Qt's default would be 96.
constexpr int kDotsPerMeter72Dpi = 2835;
// Newer Qt (6.11) writes a JPEG above quality 90 with full-size chroma; the pictures sample
// theirs 2 x 2, so 90 is the highest quality they can have.
constexpr int jpegQuality = 90;

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return QString::fromUtf8(file.readAll());
}

int writeIcons(const QDir& maps, const QDir& out)
{
    int written = 0;
    for (const QString& fileName :
         maps.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        for (const IconMap& icon : parseIconMaps(readText(maps.filePath(fileName)), fileName)) {
            const QByteArray bytes = encodeIcon(icon.images);
            if (bytes.size() != iconByteCount(icon.images))
                throw std::logic_error("icon layout miscounted for " + icon.name.toStdString());
            writeFile(out.filePath(icon.name + QStringLiteral(".ico")), bytes);
            ++written;
        }
    }
    return written;
}

void writeJpeg(const QDir& out, const QString& name, QImage image)
{
    image.setDotsPerMeterX(kDotsPerMeter72Dpi);
    image.setDotsPerMeterY(kDotsPerMeter72Dpi);
    const QString path = out.filePath(name + QStringLiteral(".jpg"));
    if (!image.save(path, "JPEG", jpegQuality))
        throw std::runtime_error("cannot write " + path.toStdString());
}

int writeJpegs(const QDir& out)
{
    const std::pair<const char*, std::function<QImage()>> pictures[] = {
        {"BarPicture", barPicture},     {"BlueBackdrop", blueBackdrop},
        {"RedBackdrop", redBackdrop},   {"StripeBackdrop", stripeBackdrop},
        {"GoldBackdrop", goldBackdrop}, {"MedalPicture", medalPicture},
        {"AboutBanner", aboutBanner},   {"ContactPicture", contactPicture},
    };
    for (const auto& [name, paint] : pictures)
        writeJpeg(out, QString::fromLatin1(name), paint());
    return int(std::size(pictures));
}

} // namespace

int main(int argc, char* argv[])
{
    // Lettering needs a font database, which needs a platform; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: %s MAPS_DIR OUT_DIR\n", qPrintable(args.value(0)));
        return 2;
    }
    try {
        const QDir maps(args[1]);
        QDir out(args[2]);
        if (!out.mkpath(QStringLiteral(".")))
            throw std::runtime_error("cannot create " + args[2].toStdString());
        const int icons = writeIcons(maps, out);
        const int jpegs = writeJpegs(out);
        std::printf("picture generator: %d icons, %d JPEGs\n", icons, jpegs);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "picture generator: %s\n", error.what());
        return 1;
    }
    return 0;
}
