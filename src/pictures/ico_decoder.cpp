#include "pictures/ico_decoder.h"

#include <limits>

namespace cratefall::pictures {
namespace {

constexpr qsizetype headerBytes = 6;
constexpr qsizetype entryBytes = 16;
constexpr qsizetype infoHeaderBytes = 40;
constexpr int maxSide = 256;

struct BitmapHeader {
    qsizetype headerSize = 0;
    int width = 0;
    int height = 0; // of the picture, half the stored height
    int bitCount = 0;
    int compression = 0;
    int paletteSize = 0;
};

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}
    bool has(qsizetype offset, qsizetype count) const
    {
        return offset >= 0 && count >= 0 && offset <= m_bytes.size() - count;
    }
    int u8(qsizetype at) const { return static_cast<unsigned char>(m_bytes[at]); }
    int u16(qsizetype at) const { return u8(at) | (u8(at + 1) << 8); }
    qint64 u32(qsizetype at) const { return qint64(u16(at)) | (qint64(u16(at + 2)) << 16); }
    qint32 s32(qsizetype at) const { return static_cast<qint32>(static_cast<quint32>(u32(at))); }
    // A stored size or offset; one past what this machine can index (a browser's 32 bits) is -1,
    // which every bounds check refuses.
    qsizetype extent(qsizetype at) const
    {
        const qint64 value = u32(at);
        if constexpr (sizeof(qsizetype) < sizeof(qint64))
            if (value > std::numeric_limits<qsizetype>::max())
                return -1;
        return qsizetype(value);
    }

private:
    const QByteArray& m_bytes;
};

qsizetype rowBytes(int width, int bits)
{
    return ((qsizetype(width) * bits + 31) / 32) * 4;
}

std::optional<BitmapHeader> readBitmapHeader(const Reader& in, qsizetype at)
{
    if (!in.has(at, infoHeaderBytes))
        return std::nullopt;
    BitmapHeader h;
    h.headerSize = in.extent(at);
    h.width = in.s32(at + 4);
    h.height = in.s32(at + 8) / 2;
    h.bitCount = in.u16(at + 14);
    h.compression = static_cast<int>(in.u32(at + 16));
    const qint64 used = in.u32(at + 32);
    const bool paletted = h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8;
    const bool direct = h.bitCount == 24 || h.bitCount == 32;
    if (h.headerSize < infoHeaderBytes || h.width <= 0 || h.width > maxSide || h.height <= 0 ||
        h.height > maxSide || h.compression != 0 || !(paletted || direct))
        return std::nullopt;
    if (paletted)
        h.paletteSize = used > 0 && used < (1 << h.bitCount) ? int(used) : 1 << h.bitCount;
    return h;
}

bool isPng(const Reader& in, qsizetype at)
{
    return in.has(at, 4) && in.u8(at) == 0x89 && in.u8(at + 1) == 'P' && in.u8(at + 2) == 'N' &&
           in.u8(at + 3) == 'G';
}

QRgb colourAt(const Reader& in, const BitmapHeader& h, qsizetype row, qsizetype palette, int x)
{
    if (h.bitCount >= 24) {
        const qsizetype p = row + qsizetype(x) * (h.bitCount / 8);
        const int alpha = h.bitCount == 32 ? in.u8(p + 3) : 255;
        return qRgba(in.u8(p + 2), in.u8(p + 1), in.u8(p), alpha);
    }
    const qsizetype bit = qsizetype(x) * h.bitCount;
    const int shift = 8 - h.bitCount - int(bit % 8);
    const int index = (in.u8(row + bit / 8) >> shift) & ((1 << h.bitCount) - 1);
    if (index >= h.paletteSize)
        return qRgb(0, 0, 0);
    const qsizetype p = palette + qsizetype(index) * 4;
    return qRgb(in.u8(p + 2), in.u8(p + 1), in.u8(p));
}

bool masked(const Reader& in, qsizetype maskRow, int x)
{
    return (in.u8(maskRow + x / 8) >> (7 - x % 8)) & 1;
}

QImage decodeBitmap(const Reader& in, const BitmapHeader& h, qsizetype at, qsizetype end)
{
    const qsizetype palette = at + h.headerSize;
    const qsizetype colourRows = palette + qsizetype(h.paletteSize) * 4;
    const qsizetype colourStride = rowBytes(h.width, h.bitCount);
    const qsizetype maskRows = colourRows + colourStride * h.height;
    const qsizetype maskStride = rowBytes(h.width, 1);
    const qsizetype needed = maskRows + maskStride * h.height;
    if (!in.has(at, needed - at) || needed > end)
        return {};
    QImage image(h.width, h.height, QImage::Format_ARGB32);
    for (int y = 0; y < h.height; ++y) {
        const int stored = h.height - 1 - y; // rows are kept bottom-up
        const qsizetype row = colourRows + colourStride * stored;
        const qsizetype maskRow = maskRows + maskStride * stored;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < h.width; ++x)
            line[x] = masked(in, maskRow, x) ? 0 : colourAt(in, h, row, palette, x);
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

std::optional<IcoFile> IcoFile::parse(QByteArray bytes)
{
    const Reader in(bytes);
    if (!in.has(0, headerBytes) || in.u16(0) != 0 || in.u16(2) != 1)
        return std::nullopt;
    const int count = in.u16(4);
    if (count == 0 || !in.has(headerBytes, entryBytes * count))
        return std::nullopt;
    IcoFile file;
    for (int i = 0; i < count; ++i) {
        const qsizetype at = headerBytes + entryBytes * i;
        Entry entry;
        entry.length = in.extent(at + 8);
        entry.offset = in.extent(at + 12);
        if (!in.has(entry.offset, entry.length))
            return std::nullopt;
        const int side = in.u8(at) == 0 ? maxSide : in.u8(at);
        const int height = in.u8(at + 1) == 0 ? maxSide : in.u8(at + 1);
        entry.size = QSize(side, height);
        entry.bitCount = in.u16(at + 6);
        // The bitmap header is the authority; directories written by some tools leave it 0.
        if (const auto header = readBitmapHeader(in, entry.offset)) {
            entry.size = QSize(header->width, header->height);
            entry.bitCount = header->bitCount;
        } else if (!isPng(in, entry.offset)) {
            return std::nullopt;
        }
        file.m_entries.push_back(entry);
    }
    file.m_bytes = std::move(bytes);
    return file;
}

int IcoFile::pick(QSize drawnSize) const
{
    const auto better = [](const Entry& a, const Entry& b) {
        const qint64 areaA = qint64(a.size.width()) * a.size.height();
        const qint64 areaB = qint64(b.size.width()) * b.size.height();
        return areaA != areaB ? areaA > areaB : a.bitCount > b.bitCount;
    };
    int best = -1;
    for (int i = 0; i < int(m_entries.size()); ++i) {
        const Entry& entry = m_entries[size_t(i)];
        const bool matches = entry.size == drawnSize;
        const bool bestMatches = best >= 0 && m_entries[size_t(best)].size == drawnSize;
        if (best < 0 || (matches && !bestMatches) ||
            (matches == bestMatches && better(entry, m_entries[size_t(best)])))
            best = i;
    }
    return best;
}

QImage IcoFile::decode(int index) const
{
    if (index < 0 || index >= int(m_entries.size()))
        return {};
    const Entry& entry = m_entries[size_t(index)];
    const Reader in(m_bytes);
    if (isPng(in, entry.offset))
        return QImage::fromData(m_bytes.mid(entry.offset, entry.length), "PNG")
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const auto header = readBitmapHeader(in, entry.offset);
    if (!header)
        return {};
    return decodeBitmap(in, *header, entry.offset, entry.offset + entry.length);
}

} // namespace cratefall::pictures
