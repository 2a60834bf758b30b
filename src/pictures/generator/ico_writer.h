#pragma once

#include "pictures/generator/pixel_map.h"

#include <QByteArray>

namespace cratefall::pictures {

// Classic Windows icon layout: 6-byte header, a 16-byte directory entry per image, then per
// image a BITMAPINFOHEADER with doubled height, the palette (256 entries for 8-bit images),
// bottom-up colour rows and a bottom-up 1-bit AND mask, every row padded to 4 bytes.
// Throws std::runtime_error when an 8-bit image uses more than 256 colours.
QByteArray encodeIcon(const std::vector<MapImage>& images);

// The byte count the layout above gives, so the generator can check what it wrote.
qsizetype iconByteCount(const std::vector<MapImage>& images);

} // namespace cratefall::pictures
