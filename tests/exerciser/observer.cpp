#include "observer.h"

#include "levels/level_form.h"
#include "shell/form1.h"
#include "shell/screen_names.h"
#include "testing/test_access.h"
#include "ui/form_window.h"

#include <QApplication>
#include <set>

namespace cratefall::exerciser {
namespace {

using levels::LevelForm;
using testing::Access;

bool isGameScreen(std::string_view name)
{
    return name == shell::screens::title || name == shell::screens::victory ||
           testing::levelOnScreen(name) != nullptr;
}

int startScore(const levels::Level& record)
{
    return record.scoring == levels::Scoring::Running ? record.startScore : 0;
}

std::vector<int> titleTops(const shell::Form1& title)
{
    return {Access::titleTop(title, 1).value(), Access::titleTop(title, 2).value(),
            Access::titleTop(title, 3).value()};
}

void appendNumbers(ui::Form& form, std::vector<int>& numbers)
{
    numbers.push_back(form.Timer1().Enabled() ? 1 : 0);
    if (const auto* level = dynamic_cast<const LevelForm*>(&form)) {
        const levels::LevelEngine& engine = Access::engine(*level);
        numbers.push_back(engine.score().value());
        for (int box = 1; box <= engine.level().boxes; ++box) {
            numbers.push_back(engine.boxTop(box).value());
            numbers.push_back(engine.boxHits(box).value());
        }
        numbers.push_back(int(form.control("Label4").Top()));
    } else if (const auto* title = dynamic_cast<const shell::Form1*>(&form)) {
        for (int top : titleTops(*title))
            numbers.push_back(top);
    }
}

std::string joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : " ") + name;
    return "[" + text + "]";
}

} // namespace

GameState captureState(GameSession& session)
{
    GameState state;
    state.handlers = testing::Access::handlersStarted(session.runtime());
    for (ui::Form* form : session.runtime().loadedForms()) {
        state.loaded.emplace_back(form->name());
        appendNumbers(*form, state.numbers);
    }
    state.boxes = session.boxes().size();
    state.exit = session.exitStatus();
    return state;
}

std::string describeChange(const GameState& before, const GameState& after)
{
    if (after.handlers != before.handlers)
        return std::to_string(after.handlers - before.handlers) + " handler(s) ran";
    if (after.loaded != before.loaded)
        return "screens went from " + joined(before.loaded) + " to " + joined(after.loaded);
    if (after.boxes != before.boxes)
        return "another box opened";
    if (after.exit != before.exit)
        return "the program ended";
    return "the state of a screen changed";
}

Violation checkScreens(GameSession& session)
{
    std::vector<std::string> gameScreens;
    std::set<const QWidget*> windows;
    for (ui::Form* form : session.runtime().loadedForms()) {
        if (isGameScreen(form->name()))
            gameScreens.emplace_back(form->name());
        if (!form->window() || !form->window()->isVisible())
            return std::string(form->name()) + " is loaded but its window is not shown";
        windows.insert(form->window());
    }
    if (gameScreens.size() > 1)
        return "more than one game screen loaded: " + joined(gameScreens);
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (dynamic_cast<const ui::FormWindow*>(widget) && !windows.contains(widget))
            return "a window outlives its screen: " + widget->windowTitle().toStdString();
    return std::nullopt;
}

Violation LevelWatch::afterEvent(GameSession& session)
{
    std::set<std::string, std::less<>> loaded;
    for (ui::Form* form : session.runtime().loadedForms()) {
        loaded.emplace(form->name());
        if (dynamic_cast<LevelForm*>(form))
            if (Violation violation = checkLevel(*form))
                return violation;
    }
    std::erase_if(m_seen, [&](const auto& entry) { return !loaded.contains(entry.first); });
    return std::nullopt;
}

Violation LevelWatch::checkLevel(ui::Form& form)
{
    const levels::LevelEngine& engine = Access::engine(dynamic_cast<LevelForm&>(form));
    const levels::Level& record = engine.level();
    const std::string name(form.name());
    const int score = engine.score().value();
    const auto [seen, fresh] = m_seen.try_emplace(name, Seen{score});
    if (fresh && score != startScore(record))
        return name + " loaded with score " + std::to_string(score);
    if (score < seen->second.score)
        return name + ": score went back from " + std::to_string(seen->second.score) + " to " +
               std::to_string(score);
    seen->second.score = score;
    const double height = form.Height();
    for (int box = 1; box <= record.boxes; ++box) {
        const int top = engine.boxTop(box).value();
        const int step = record.fallStep[std::size_t(box - 1)];
        if (top < 0 || double(top) >= height + step)
            return name + ": box " + std::to_string(box) + " at top " + std::to_string(top) +
                   " outside the window of Height " + std::to_string(int(height));
        if (engine.boxHits(box).value() < 0)
            return name + ": negative hit count";
    }
    return std::nullopt;
}

LevelWatch::TickRecord LevelWatch::beforeTick(GameSession& session, ui::Form& form) const
{
    TickRecord record{std::string(form.name()),
                      session.boxes().size(),
                      {},
                      testing::Access::handlersStarted(session.runtime())};
    if (const auto* title = dynamic_cast<const shell::Form1*>(&form))
        record.titleTops = titleTops(*title);
    return record;
}

Violation LevelWatch::afterTick(GameSession& session, const TickRecord& before)
{
    if (testing::Access::handlersStarted(session.runtime()) == before.handlers)
        return std::nullopt; // the timer was off: nothing ticked
    if (testing::levelOnScreen(before.screen))
        return afterLevelTick(session, before);
    if (before.titleTops.empty() || !session.runtime().isLoaded(before.screen))
        return std::nullopt;
    const auto after =
        titleTops(dynamic_cast<shell::Form1&>(session.runtime().form(shell::screens::title)));
    int wraps = 0;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] < before.titleTops[i])
            ++wraps;
        else if (after[i] == before.titleTops[i])
            return "a title picture stood still on a tick";
    }
    if (wraps > 1)
        return "two title pictures wrapped on one tick";
    return std::nullopt;
}

Violation LevelWatch::afterLevelTick(GameSession& session, const TickRecord& before)
{
    ui::Runtime& runtime = session.runtime();
    const auto& level = dynamic_cast<LevelForm&>(runtime.form(before.screen));
    const levels::Level& record = Access::engine(level).level();
    const bool onTarget = Access::engine(level).score() == ui::GameInt(record.targetScore);
    const std::size_t shown = session.boxes().size() - before.boxesBefore;
    if (runtime.ended())
        return std::nullopt; // a run-time error: the end itself is checked after the event
    if (level.isLoaded()) {
        if (onTarget)
            return before.screen + ": a tick reached the target and the level went on";
        if (shown > 0)
            return before.screen + ": a box opened on a tick that neither won nor lost";
        return std::nullopt;
    }
    if (runtime.isLoaded(record.nextScreen)) {
        ++wins[before.screen];
        if (!onTarget)
            return before.screen + ": won off its target";
        if (shown != (record.win ? 1U : 0U))
            return before.screen + ": won with " + std::to_string(shown) + " boxes";
        return std::nullopt;
    }
    if (runtime.isLoaded(shell::screens::title)) {
        ++losses[before.screen];
        if (onTarget)
            return before.screen + ": lost on its target";
        if (shown != 1)
            return before.screen + ": lost with " + std::to_string(shown) + " boxes";
        return std::nullopt;
    }
    return before.screen + ": a tick unloaded the level without a win or a loss";
}

} // namespace cratefall::exerciser
