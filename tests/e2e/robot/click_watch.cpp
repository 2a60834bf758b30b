#include "click_watch.h"

namespace cratefall::e2e {
namespace {

// The game reads the pointer between two ticks, so a click sent before a tick is answered by the
// one after it at the latest; a look may show a tick late, hence a few to spare.
constexpr int ticksToAnswer = 4;

} // namespace

bool boxesFell(const Sightings& before, const Sightings& after)
{
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i)
        if (before[i] && after[i] && after[i]->top > before[i]->top)
            return true;
    return false;
}

ClickWatch::ClickWatch(const BoxFinder& finder, int target, const BoxSighting& aimed,
                       const Sightings& atClick)
    : m_finder(finder), m_target(target), m_aimedTop(aimed.top), m_last(atClick)
{}

ClickFate ClickWatch::see(const Sightings& seen)
{
    if (m_fate != ClickFate::Pending)
        return m_fate;
    const bool ticked = boxesFell(m_last, seen);
    const auto& target = seen[std::size_t(m_target)];
    const int jump = m_finder.box(m_target).waiting.height() / 2;
    if (m_jumped) {
        if (ticked)
            m_fate = ClickFate::Answered;
    } else if (target && target->top < m_aimedTop - jump) {
        m_jumped = true;
    } else if (ticked && ++m_ticksWithoutJump >= ticksToAnswer) {
        m_fate = ClickFate::Missed;
    }
    m_last = seen;
    return m_fate;
}

} // namespace cratefall::e2e
