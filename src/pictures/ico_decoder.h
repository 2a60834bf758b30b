#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <optional>
#include <vector>

namespace cratefall::pictures {

// Reads Windows icons ourselves because Qt's reader drops the AND mask of 8-bit and 24-bit
// images, which would turn every see-through rim and hole of a box opaque.
class IcoFile {
public:
    struct Entry {
        QSize size;
        int bitCount = 0;
        qsizetype offset = 0;
        qsizetype length = 0;
    };

    // Checks the header and the directory; nullopt for anything that is not an icon.
    static std::optional<IcoFile> parse(QByteArray bytes);

    const std::vector<Entry>& entries() const { return m_entries; }
    // The entry matching drawnSize, the deepest colour winning a tie; the largest entry when
    // nothing matches or drawnSize is empty.
    int pick(QSize drawnSize) const;
    // ARGB32 premultiplied with masked pixels fully transparent; null if the data is damaged.
    QImage decode(int index) const;

private:
    QByteArray m_bytes;
    std::vector<Entry> m_entries;
};

} // namespace cratefall::pictures
