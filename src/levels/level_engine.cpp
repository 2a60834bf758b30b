#include "levels/level_engine.h"

namespace cratefall::levels {

void LevelEngine::load()
{
    m_boxTop.fill(0);
    m_boxHits.fill(0);
    m_score = m_level.scoring == Scoring::Running ? GameInt(m_level.startScore) : GameInt(0);
}

TickOutcome LevelEngine::tick(LevelView& view)
{
    return m_level.scoring == Scoring::HitCount ? tickHitCount(view) : tickRunning(view);
}

TickOutcome LevelEngine::tickHitCount(LevelView& view)
{
    // as designed: box 2 is counted first, as the score has always been summed. Counts never go
    // below zero, so the order changes no result; every addition is checked.
    GameInt sum = m_boxHits[index(2)];
    for (int box = 1; box <= m_level.boxes; ++box)
        if (box != 2)
            sum += m_boxHits[index(box)];
    m_score = sum;
    view.showScore(m_score.text());
    // as designed: a level is won only on a tick whose score is exactly its target; one that
    // steps past it between two ticks plays on until it is lost.
    if (m_score == GameInt(m_level.targetScore))
        return TickOutcome::Win; // as designed: the boxes do not fall on the winning tick
    fall();
    placeBoxes(view);
    return anyBoxLost(view) ? TickOutcome::Loss : TickOutcome::Continue;
}

TickOutcome LevelEngine::tickRunning(LevelView& view)
{
    fall();
    view.showScore(m_score.text());
    placeBoxes(view);
    if (m_score == GameInt(m_level.targetScore))
        return TickOutcome::Win; // a win beats a box at the bottom on the same tick
    return anyBoxLost(view) ? TickOutcome::Loss : TickOutcome::Continue;
}

void LevelEngine::fall()
{
    for (int box = 1; box <= m_level.boxes; ++box)
        m_boxTop[index(box)] += m_level.fallStep[index(box)];
}

void LevelEngine::placeBoxes(LevelView& view) const
{
    for (int box = 1; box <= m_level.boxes; ++box)
        view.moveBox(box, m_level.boxLeft[index(box)], m_boxTop[index(box)]);
}

bool LevelEngine::anyBoxLost(const LevelView& view) const
{
    const double height = view.windowHeight();
    for (int i = 0; i < m_level.boxes; ++i) {
        const int box = m_level.lossTestOrder[std::size_t(i)];
        double limit = height;
        if (m_level.bottomLimit == BottomLimit::BoxBottom)
            limit -= view.boxHeight(box);
        if (double(m_boxTop[index(box)].value()) >= limit)
            return true;
    }
    return false;
}

void LevelEngine::click(int box, LevelView& view)
{
    const int left = m_level.clickLeftOf(box);
    if (m_level.scoring == Scoring::HitCount) {
        // Counted first: if the count overflows, nothing has moved.
        m_boxHits[index(box)] += 1;
        m_boxTop[index(box)] = 0;
        view.moveBox(box, left, 0);
        return;
    }
    m_boxTop[index(box)] = 0;
    view.moveBox(box, left, 0);
    m_score += 1;
}

} // namespace cratefall::levels
