#pragma once

#include <QImage>
#include <QRect>
#include <optional>
#include <span>
#include <vector>

namespace cratefall::e2e {

// A falling box as the suite knows it: where it stands in a level's waiting window, which is
// where its look is learned, and the left edge of the column it falls down. In pixels.
struct BoxPlace {
    QRect waiting;
    int column = 0;
};

// Where a box was seen: its top edge and the rows in which the box itself shows, which are fewer
// when a bar hides part of it or the window's bottom edge cuts it.
struct BoxSighting {
    int top = 0;
    int firstVisibleRow = 0;
    int lastVisibleRow = 0;
};

// Where to click a box just seen: its column's middle, near the bottom of what shows of it. The box
// falls on between the look and the click (several steps on a loaded machine, more through a
// nested compositor), and its lower rows stay under the pointer longest.
QPoint aimPoint(const BoxPlace& box, const BoxSighting& sighting);

// Finds falling boxes in screenshots of a level window. Each box's look is taken from the
// waiting window, inside its see-through rim; a box is then sought down its column row by row,
// so it is found even when a bar covers part of it or the scenery shows through its holes.
class BoxFinder {
public:
    BoxFinder(const QImage& waitingShot, std::span<const BoxPlace> boxes);

    int boxCount() const { return int(m_looks.size()); }
    const BoxPlace& box(int index) const { return m_looks[std::size_t(index)].design; }
    std::vector<std::optional<BoxSighting>> find(const QImage& shot) const;

private:
    struct Look {
        BoxPlace design;
        int rim = 0;
        std::vector<int> sampleColumns;      // inside the rim, relative to the box
        std::vector<std::vector<QRgb>> rows; // the samples of each row inside the rim
    };

    static Look learn(const QImage& waitingShot, const BoxPlace& design);
    static std::optional<BoxSighting> findOne(const Look& look, const QImage& shot);
    static bool rowMatches(const Look& look, std::size_t row, const QImage& shot, int y);

    std::vector<Look> m_looks;
};

} // namespace cratefall::e2e
