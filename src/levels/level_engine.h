#pragma once

#include "levels/level_table.h"
#include "ui/game_int.h"

#include <array>
#include <string>

namespace cratefall::levels {

using ui::GameInt;

// What the engine needs of a level screen: boxes to place, a score to show and the heights its
// bottom test reads afresh each time.
class LevelView {
public:
    virtual ~LevelView() = default;
    virtual void moveBox(int box, int left, GameInt top) = 0;
    virtual void showScore(const std::string& text) = 0;
    virtual double windowHeight() const = 0;
    virtual double boxHeight(int box) const = 0;
};

enum class TickOutcome { Continue, Win, Loss };

// The rules of every level: state, tick and box clicks, driven by the level's entry in the table.
// Boxes are numbered from 1.
class LevelEngine {
public:
    explicit LevelEngine(const Level& level) : m_level(level) {}

    void load();
    TickOutcome tick(LevelView& view);
    void click(int box, LevelView& view);

    const Level& level() const { return m_level; }
    GameInt score() const { return m_score; }
    GameInt boxTop(int box) const { return m_boxTop[index(box)]; }
    GameInt boxHits(int box) const { return m_boxHits[index(box)]; }

private:
    static std::size_t index(int box) { return std::size_t(box - 1); }
    TickOutcome tickHitCount(LevelView& view);
    TickOutcome tickRunning(LevelView& view);
    void fall();
    void placeBoxes(LevelView& view) const;
    bool anyBoxLost(const LevelView& view) const;

    const Level& m_level;
    std::array<GameInt, maxBoxes> m_boxTop{};
    std::array<GameInt, maxBoxes> m_boxHits{};
    GameInt m_score;
};

} // namespace cratefall::levels
