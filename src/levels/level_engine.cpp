#include "levels/level_engine.h"

namespace cratefall::levels {

void LevelEngine::load()
{
    m_boxTop.fill(0);
    m_boxHits.fill(0);
    m_score = m_record.scoring == Scoring::Running ? GameInt(m_record.startScore) : GameInt(0);
}

TickOutcome LevelEngine::tick(LevelView& view)
{
    return m_record.scoring == Scoring::HitCount ? tickHitCount(view) : tickRunning(view);
}

TickOutcome LevelEngine::tickHitCount(LevelView& view)
{
    // Box 2 first, as the score has always been summed; every addition is checked.
    GameInt sum = m_boxHits[index(2)];
    for (int box = 1; box <= m_record.boxes; ++box)
        if (box != 2)
            sum += m_boxHits[index(box)];
    m_score = sum;
    view.showScore(m_score.text());
    if (m_score == GameInt(m_record.targetScore))
        return TickOutcome::Win; // the boxes stay where they are on the winning tick
    fall();
    placeBoxes(view);
    return anyBoxLost(view) ? TickOutcome::Loss : TickOutcome::Continue;
}

TickOutcome LevelEngine::tickRunning(LevelView& view)
{
    fall();
    view.showScore(m_score.text());
    placeBoxes(view);
    if (m_score == GameInt(m_record.targetScore))
        return TickOutcome::Win; // a win beats a box at the bottom on the same tick
    return anyBoxLost(view) ? TickOutcome::Loss : TickOutcome::Continue;
}

void LevelEngine::fall()
{
    for (int box = 1; box <= m_record.boxes; ++box)
        m_boxTop[index(box)] += m_record.fallStep[index(box)];
}

void LevelEngine::placeBoxes(LevelView& view) const
{
    for (int box = 1; box <= m_record.boxes; ++box)
        view.moveBox(box, m_record.boxLeft[index(box)], m_boxTop[index(box)]);
}

bool LevelEngine::anyBoxLost(const LevelView& view) const
{
    const double height = view.windowHeight();
    for (int i = 0; i < m_record.boxes; ++i) {
        const int box = m_record.lossTestOrder[std::size_t(i)];
        double limit = height;
        if (m_record.bottomLimit == BottomLimit::BoxBottom)
            limit -= view.boxHeight(box);
        if (double(m_boxTop[index(box)].value()) >= limit)
            return true;
    }
    return false;
}

void LevelEngine::click(int box, LevelView& view)
{
    const int left = m_record.clickLeft[index(box)];
    if (m_record.scoring == Scoring::HitCount) {
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
