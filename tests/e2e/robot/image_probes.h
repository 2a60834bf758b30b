#pragma once

#include <QImage>
#include <QRect>
#include <optional>
#include <vector>

namespace cratefall::e2e {

enum class Axis { Rows, Columns };

// The smallest rectangle holding every pixel of the area that is not this colour.
std::optional<QRect> extentOfOtherColours(const QImage& image, const QRect& area, QRgb colour);

// Lines of the area (rows or columns) that hold ink, i.e. any pixel unlike the area's commonest
// colour, gathered into runs that may have gaps of up to maxGap clean lines; the centre of each.
std::vector<int> inkRunCentres(const QImage& image, const QRect& area, Axis axis, int maxGap);

// The first row at or below fromRow where a pixel between columns left and right (inclusive) is
// not this colour.
std::optional<int> firstRowWithout(const QImage& image, int fromRow, int left, int right,
                                   QRgb colour);

// How many pixels of the area differ between two images of the same size by more than BY in a
// colour.
int differingPixels(const QImage& a, const QImage& b, const QRect& area, int by);

} // namespace cratefall::e2e
