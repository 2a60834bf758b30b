#include "image_probes.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace cratefall::e2e {
namespace {

QRgb commonestColour(const QImage& image, const QRect& area)
{
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb commonest = 0;
    int most = -1;
    for (const auto& [colour, count] : counts)
        if (count > most) {
            most = count;
            commonest = colour;
        }
    return commonest;
}

bool lineHasInk(const QImage& image, const QRect& area, Axis axis, int line, QRgb paper)
{
    const int from = axis == Axis::Rows ? area.left() : area.top();
    const int to = axis == Axis::Rows ? area.right() : area.bottom();
    for (int i = from; i <= to; ++i) {
        const QRgb pixel = axis == Axis::Rows ? image.pixel(i, line) : image.pixel(line, i);
        if (pixel != paper)
            return true;
    }
    return false;
}

} // namespace

std::optional<QRect> extentOfOtherColours(const QImage& image, const QRect& area, QRgb colour)
{
    const QRect clipped = area & image.rect();
    std::optional<QRect> extent;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (image.pixel(x, y) != colour)
                extent = extent ? extent->united(QRect(x, y, 1, 1)) : QRect(x, y, 1, 1);
    return extent;
}

std::vector<int> inkRunCentres(const QImage& image, const QRect& area, Axis axis, int maxGap)
{
    const QRect clipped = area & image.rect();
    const QRgb paper = commonestColour(image, clipped);
    const int first = axis == Axis::Rows ? clipped.top() : clipped.left();
    const int last = axis == Axis::Rows ? clipped.bottom() : clipped.right();
    std::vector<int> centres;
    std::optional<int> runStart;
    int runEnd = 0;
    for (int line = first; line <= last; ++line) {
        if (!lineHasInk(image, clipped, axis, line, paper))
            continue;
        if (runStart && line - runEnd - 1 > maxGap) {
            centres.push_back((*runStart + runEnd) / 2);
            runStart.reset();
        }
        if (!runStart)
            runStart = line;
        runEnd = line;
    }
    if (runStart)
        centres.push_back((*runStart + runEnd) / 2);
    return centres;
}

std::optional<int> firstRowWithout(const QImage& image, int fromRow, int left, int right,
                                   QRgb colour)
{
    for (int y = std::max(fromRow, 0); y < image.height(); ++y)
        for (int x = std::max(left, 0); x <= std::min(right, image.width() - 1); ++x)
            if (image.pixel(x, y) != colour)
                return y;
    return std::nullopt;
}

int differingPixels(const QImage& a, const QImage& b, const QRect& area, int by)
{
    const QRect clipped = area & a.rect() & b.rect();
    int differing = 0;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))}) > by)
                ++differing;
        }
    return differing;
}

} // namespace cratefall::e2e
