#include "pictures/generator/ico_writer.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace cratefall::pictures {
namespace {

constexpr qsizetype headerBytes = 6;
constexpr qsizetype entryBytes = 16;
constexpr qsizetype infoHeaderBytes = 40;
constexpr int paletteEntries = 256;

class ByteSink {
public:
    void u8(int value) { m_bytes.append(static_cast<char>(value & 0xff)); }
    void u16(int value)
    {
        u8(value);
        u8(value >> 8);
    }
    void u32(qsizetype value)
    {
        u16(static_cast<int>(value & 0xffff));
        u16(static_cast<int>((value >> 16) & 0xffff));
    }
    void padTo4(qsizetype rowStart)
    {
        while ((m_bytes.size() - rowStart) % 4 != 0)
            u8(0);
    }
    qsizetype size() const { return m_bytes.size(); }
    QByteArray take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
};

int bitCount(const MapImage& image)
{
    return static_cast<int>(image.depth);
}

qsizetype rowBytes(int width, int bits)
{
    return ((qsizetype(width) * bits + 31) / 32) * 4;
}

qsizetype imageBytes(const MapImage& image)
{
    const int w = image.pixels.width();
    const int h = image.pixels.height();
    const qsizetype palette = image.depth == ColourDepth::Palette256 ? paletteEntries * 4 : 0;
    return infoHeaderBytes + palette + rowBytes(w, bitCount(image)) * h + rowBytes(w, 1) * h;
}

bool isTransparent(QRgb pixel)
{
    return qAlpha(pixel) == 0;
}

// Transparent pixels keep black in the colour plane, as the AND/XOR drawing model expects.
QRgb visibleColour(QRgb pixel)
{
    return isTransparent(pixel) ? qRgb(0, 0, 0) : pixel | 0xff000000u;
}

std::vector<QRgb> paletteOf(const QImage& pixels)
{
    std::vector<QRgb> palette{qRgb(0, 0, 0)};
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb colour = visibleColour(pixels.pixel(x, y));
            if (std::find(palette.begin(), palette.end(), colour) == palette.end())
                palette.push_back(colour);
        }
    }
    if (palette.size() > paletteEntries)
        throw std::runtime_error("an 8-bit icon image uses more than 256 colours");
    palette.resize(paletteEntries, qRgb(0, 0, 0));
    return palette;
}

void writeInfoHeader(ByteSink& out, const MapImage& image)
{
    const int w = image.pixels.width();
    const int h = image.pixels.height();
    out.u32(infoHeaderBytes);
    out.u32(w);
    out.u32(2 * h); // colour plane and mask stacked
    out.u16(1);
    out.u16(bitCount(image));
    out.u32(0); // BI_RGB
    out.u32(imageBytes(image) - infoHeaderBytes -
            (image.depth == ColourDepth::Palette256 ? paletteEntries * 4 : 0));
    out.u32(0);
    out.u32(0);
    out.u32(0); // all 2^bits palette entries are present
    out.u32(0);
}

void writeColourPlane(ByteSink& out, const MapImage& image)
{
    const QImage& pixels = image.pixels;
    std::vector<QRgb> palette;
    if (image.depth == ColourDepth::Palette256) {
        palette = paletteOf(pixels);
        for (QRgb colour : palette) {
            out.u8(qBlue(colour));
            out.u8(qGreen(colour));
            out.u8(qRed(colour));
            out.u8(0);
        }
    }
    for (int y = pixels.height() - 1; y >= 0; --y) {
        const qsizetype rowStart = out.size();
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb colour = visibleColour(pixels.pixel(x, y));
            if (image.depth == ColourDepth::Palette256) {
                const auto index = std::find(palette.begin(), palette.end(), colour);
                out.u8(static_cast<int>(index - palette.begin()));
            } else {
                out.u8(qBlue(colour));
                out.u8(qGreen(colour));
                out.u8(qRed(colour));
            }
        }
        out.padTo4(rowStart);
    }
}

void writeMask(ByteSink& out, const QImage& pixels)
{
    for (int y = pixels.height() - 1; y >= 0; --y) {
        const qsizetype rowStart = out.size();
        for (int x0 = 0; x0 < pixels.width(); x0 += 8) {
            int bits = 0;
            for (int x = x0; x < x0 + 8; ++x) {
                const bool hidden = x < pixels.width() && isTransparent(pixels.pixel(x, y));
                bits = (bits << 1) | (hidden ? 1 : 0);
            }
            out.u8(bits);
        }
        out.padTo4(rowStart);
    }
}

} // namespace

qsizetype iconByteCount(const std::vector<MapImage>& images)
{
    qsizetype total = headerBytes + entryBytes * qsizetype(images.size());
    for (const MapImage& image : images)
        total += imageBytes(image);
    return total;
}

QByteArray encodeIcon(const std::vector<MapImage>& images)
{
    ByteSink out;
    out.u16(0);
    out.u16(1); // icon, not cursor
    out.u16(static_cast<int>(images.size()));
    qsizetype offset = headerBytes + entryBytes * qsizetype(images.size());
    for (const MapImage& image : images) {
        out.u8(image.pixels.width() % 256); // 256 is written as 0
        out.u8(image.pixels.height() % 256);
        out.u8(0); // colour count: 0 for 256 colours and for true colour
        out.u8(0);
        out.u16(1);
        out.u16(bitCount(image));
        out.u32(imageBytes(image));
        out.u32(offset);
        offset += imageBytes(image);
    }
    for (const MapImage& image : images) {
        writeInfoHeader(out, image);
        writeColourPlane(out, image);
        writeMask(out, image.pixels);
    }
    return out.take();
}

} // namespace cratefall::pictures
