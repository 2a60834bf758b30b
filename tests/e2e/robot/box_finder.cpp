#include "box_finder.h"

#include <algorithm>
#include <stdexcept>

namespace cratefall::e2e {
namespace {

// Boxes are 16 x 16 tiles stretched to their size; the outermost tile pixel is see-through, so
// the rim is a sixteenth of the box plus one pixel for the rounding of the stretch.
constexpr int tilePixels = 16;
constexpr int samplesPerRow = 9;
// A row is the box's when most samples agree; the rest may be holes showing what lies behind.
constexpr int matchPercent = 70;
// Fewer matching rows than this is chance, not a box.
constexpr int minimumRows = 6;

int rimOf(int size)
{
    return (size + tilePixels - 1) / tilePixels + 1;
}

// Inside the box's see-through rim, above the lowest row that shows of it.
constexpr int aimAboveBottom = 6;

} // namespace

QPoint aimPoint(const BoxPlace& box, const BoxSighting& sighting)
{
    const int centre = (sighting.firstVisibleRow + sighting.lastVisibleRow) / 2;
    const int y = std::max(centre, sighting.lastVisibleRow - aimAboveBottom);
    return {box.column + box.waiting.width() / 2, y};
}

BoxFinder::BoxFinder(const QImage& waitingShot, std::span<const BoxPlace> boxes)
{
    for (const BoxPlace& design : boxes)
        m_looks.push_back(learn(waitingShot, design));
}

BoxFinder::Look BoxFinder::learn(const QImage& waitingShot, const BoxPlace& design)
{
    if (!waitingShot.rect().contains(design.waiting))
        throw std::invalid_argument("a box's waiting place lies outside the waiting shot");
    Look look;
    look.design = design;
    look.rim = std::max(rimOf(design.waiting.width()), rimOf(design.waiting.height()));
    const int inner = design.waiting.width() - 2 * look.rim;
    if (inner < samplesPerRow || design.waiting.height() - 2 * look.rim < minimumRows)
        throw std::invalid_argument("a box is too small to be told from its background");
    for (int k = 0; k < samplesPerRow; ++k)
        look.sampleColumns.push_back(look.rim + k * (inner - 1) / (samplesPerRow - 1));
    for (int y = look.rim; y < design.waiting.height() - look.rim; ++y) {
        std::vector<QRgb> row;
        for (const int x : look.sampleColumns)
            row.push_back(waitingShot.pixel(design.waiting.x() + x, design.waiting.y() + y));
        look.rows.push_back(std::move(row));
    }
    return look;
}

std::vector<std::optional<BoxSighting>> BoxFinder::find(const QImage& shot) const
{
    std::vector<std::optional<BoxSighting>> sightings;
    for (const Look& look : m_looks)
        sightings.push_back(findOne(look, shot));
    return sightings;
}

bool BoxFinder::rowMatches(const Look& look, std::size_t row, const QImage& shot, int y)
{
    const auto* line = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
    const std::vector<QRgb>& expected = look.rows[row];
    // Most rows are told apart at the first few samples: stop once too many disagree.
    const int mayDisagree = int(expected.size()) - (matchPercent * int(expected.size()) + 99) / 100;
    int disagreeing = 0;
    for (std::size_t k = 0; k < expected.size(); ++k)
        if (line[look.design.column + look.sampleColumns[k]] != expected[k] &&
            ++disagreeing > mayDisagree)
            return false;
    return true;
}

std::optional<BoxSighting> BoxFinder::findOne(const Look& look, const QImage& shot)
{
    if (look.design.column < 0 || look.design.column + look.design.waiting.width() > shot.width())
        return std::nullopt;
    const int rows = int(look.rows.size());
    std::optional<BoxSighting> best;
    int bestMatched = minimumRows - 1;
    for (int top = -look.rim - rows + 1; top < shot.height() - look.rim; ++top) {
        int matched = 0;
        int runStart = 0;
        int longestStart = 0;
        int longest = 0;
        for (int row = 0; row < rows; ++row) {
            const int y = top + look.rim + row;
            if (y < 0 || y >= shot.height() || !rowMatches(look, std::size_t(row), shot, y)) {
                runStart = row + 1;
                continue;
            }
            ++matched;
            if (row - runStart + 1 > longest) {
                longest = row - runStart + 1;
                longestStart = runStart;
            }
        }
        if (matched > bestMatched) {
            bestMatched = matched;
            const int first = top + look.rim + longestStart;
            best = BoxSighting{top, first, first + longest - 1};
        }
    }
    return best;
}

} // namespace cratefall::e2e
