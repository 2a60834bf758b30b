#include "exerciser.h"

#include "input.h"
#include "shell/screen_names.h"
#include "testing/test_access.h"
#include "ui/form.h"
#include "ui/form_window.h"

#include <QApplication>
#include <algorithm>
#include <iostream>

namespace cratefall::exerciser {
namespace {

constexpr std::size_t recentEvents = 40;
constexpr std::string_view errorPrefix = "Run-time error: ";

std::vector<std::string> loadedNames(GameSession& session)
{
    std::vector<std::string> names;
    for (ui::Form* form : session.runtime().loadedForms())
        names.emplace_back(form->name());
    return names;
}

} // namespace

Exerciser::Exerciser(Options options) : m_options(options), m_rng(options.seed) {}

Exerciser::~Exerciser() = default;

bool Exerciser::run()
{
    while (m_events < m_options.events && !m_failure)
        topLevelEvent();
    if (!m_failure && m_options.fullGame == FullGame::Required)
        checkFullGame();
    m_session.reset();
    return !m_failure;
}

void Exerciser::restart()
{
    m_session.reset();
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (dynamic_cast<const ui::FormWindow*>(widget))
            return fail("a window of the ended game is still there");
    m_session = std::make_unique<GameSession>([this](const Box& box) { whileBoxOpen(box); });
    ++m_games;
    m_watch.newGame();
    note("new game");
    m_session->start();
    deleteDiscardedWindows();
}

void Exerciser::topLevelEvent()
{
    if (!m_session || m_session->runtime().ended())
        restart();
    if (m_failure)
        return;
    ui::Runtime& runtime = m_session->runtime();
    if (testing::Access::inHandler(runtime) || runtime.modal())
        return fail("a handler or a box outlived the event that started it");
    if (--m_phaseLeft <= 0) {
        m_play = !m_play;
        m_phaseLeft = m_play ? m_rng.between(500, 6000) : m_rng.between(200, 3000);
    }
    const auto loadedBefore = loadedNames(*m_session);
    const std::size_t boxesBefore = m_session->boxes().size();
    const std::uint64_t handlersBefore = testing::Access::handlersStarted(runtime);
    const Action action = step(Mode::Free);
    if (m_failure)
        return;
    const std::uint64_t handlersAfter = testing::Access::handlersStarted(runtime);
    processQueuedEvents();
    if (testing::Access::handlersStarted(runtime) != handlersAfter)
        return fail("a handler ran from the event loop alone, not from the event sent");
    deleteDiscardedWindows();
    checkAfterEvent(action, loadedBefore, boxesBefore, handlersBefore);
}

Action Exerciser::step(Mode mode)
{
    ++m_events;
    if (mode == Mode::Blocked)
        ++m_blockedEvents;
    Actor actor(m_rng, *m_session);
    const Mode outer = m_mode;
    m_mode = mode;
    const Action action = m_play && mode == Mode::Free ? playStep(actor) : chaosStep(actor, mode);
    m_mode = outer;
    note((mode == Mode::Blocked ? "  [box open] " : "") + action.text);
    return action;
}

Action Exerciser::chaosStep(Actor& actor, Mode mode)
{
    const auto each = [this](ui::Form& form) { return tick(form); };
    const int pick = m_rng.below(1000);
    if (pick < 300)
        return actor.click();
    if (pick < 480)
        return actor.key(false);
    if (pick < 660) {
        const int kind = m_rng.below(20);
        const int count = mode == Mode::Blocked ? m_rng.between(1, 3)
                          : kind < 14           ? m_rng.between(1, 5)
                          : kind < 19           ? m_rng.between(6, 40)
                                                : m_rng.between(41, 300);
        return actor.ticks(count, each);
    }
    if (pick < 720)
        return actor.resize();
    if (pick < 728)
        return actor.close();
    if (pick < 790)
        return actor.popup();
    return actor.player();
}

Action Exerciser::playStep(Actor& actor)
{
    const int pick = m_rng.below(1000);
    if (pick < 560)
        return actor.player();
    if (pick < 890)
        return actor.ticks(m_rng.between(1, 3), [this](ui::Form& form) { return tick(form); });
    if (pick < 940)
        return actor.click();
    if (pick < 980)
        return actor.key(true);
    return actor.resize();
}

bool Exerciser::tick(ui::Form& form)
{
    const LevelWatch::TickRecord before = m_watch.beforeTick(*m_session, form);
    form.Timer1().fire();
    ++m_ticks;
    if (m_mode == Mode::Blocked) // nothing may change: the box's own check sees it if it did
        return !m_failure;
    deleteDiscardedWindows();
    if (auto violation = m_watch.afterTick(*m_session, before))
        fail(*violation);
    else if (m_session->runtime().ended())
        return false;
    else if (auto screens = checkScreens(*m_session))
        fail(*screens);
    else if (auto levels = m_watch.afterEvent(*m_session))
        fail(*levels);
    return !m_failure;
}

void Exerciser::whileBoxOpen(const Box& box)
{
    ++m_boxes;
    note("box \"" + box.text + "\" titled \"" + box.title + "\"");
    if (m_failure)
        return;
    if (m_session->boxesOpen() != 1)
        return fail("a second box opened over an open one");
    if (!m_session->runtime().modal())
        return fail("a box is open but input is not blocked");
    if (box.kind == ui::BoxKind::Error && !box.text.starts_with(errorPrefix))
        return fail("an error box without the run-time error text");
    const int count = m_rng.below(3) == 0 ? 0 : m_rng.between(1, 5);
    const GameState before = captureState(*m_session);
    for (int i = 0; i < count && !m_failure; ++i) {
        const Action action = step(Mode::Blocked);
        const GameState after = captureState(*m_session);
        if (after != before)
            return fail("while a box was open, " + describeChange(before, after) + " after " +
                        action.text);
    }
}

void Exerciser::checkAfterEvent(const Action& action, const std::vector<std::string>& loadedBefore,
                                std::size_t boxesBefore, std::uint64_t handlersBefore)
{
    if (action.inert && testing::Access::handlersStarted(m_session->runtime()) != handlersBefore)
        return fail("a key that types no ASCII started a handler: " + action.text);
    if (m_session->runtime().ended() || m_session->exitCalls() > 0)
        return checkEnd(action, loadedBefore, boxesBefore);
    const auto& boxes = m_session->boxes();
    for (std::size_t i = boxesBefore; i < boxes.size(); ++i)
        if (boxes[i].kind == ui::BoxKind::Error)
            return fail("an error box did not end the program");
    if (auto violation = checkScreens(*m_session))
        return fail(*violation);
    if (auto violation = m_watch.afterEvent(*m_session))
        return fail(*violation);
}

void Exerciser::checkEnd(const Action& action, const std::vector<std::string>& loadedBefore,
                         std::size_t boxesBefore)
{
    ui::Runtime& runtime = m_session->runtime();
    if (m_session->exitCalls() != 1 || !runtime.ended())
        return fail("the program ended " + std::to_string(m_session->exitCalls()) + " times");
    if (!runtime.loadedForms().empty())
        return fail("the program ended with screens still loaded");
    const int status = m_session->exitStatus().value_or(-1);
    const auto& boxes = m_session->boxes();
    const auto first = boxes.begin() + std::ptrdiff_t(boxesBefore);
    const bool error = std::any_of(first, boxes.end(),
                                   [](const Box& box) { return box.kind == ui::BoxKind::Error; });
    if (status != 0) {
        if (status != 1 || !error || boxes.back().kind != ui::BoxKind::Error)
            return fail("exit status " + std::to_string(status) + " without a run-time error");
        ++m_ends["run-time error: " + boxes.back().text.substr(errorPrefix.size())];
        return;
    }
    if (error)
        return fail("a run-time error ended with status 0");
    const bool ends =
        action.target == shell::screens::title || action.target == shell::screens::victory;
    const bool lastWindow = loadedBefore == std::vector<std::string>{action.target};
    if (action.kind == ActionKind::Ticks || action.kind == ActionKind::Resize ||
        (!ends && !lastWindow))
        return fail("the program ended through neither End nor its last window: " + action.text);
    ++m_ends["status 0 after " + std::string(lastWindow ? "the last window " : "End on ") +
             action.target];
}

void Exerciser::checkFullGame()
{
    for (const levels::Level& record : levels::table())
        if (!m_watch.wins.contains(std::string(record.screen)))
            return fail("no win of " + std::string(record.screen) +
                        ": the stream no longer reaches the later screens");
}

void Exerciser::note(const std::string& text)
{
    // Appended piece by piece: GCC 12 warns (-Wrestrict) on a literal + std::string temporary.
    std::string line = "#";
    line.append(std::to_string(m_events)).append(" ").append(text);
    if (m_options.trace == Trace::On)
        std::cout << line << '\n';
    m_recent.push_back(line);
    if (m_recent.size() > recentEvents)
        m_recent.pop_front();
}

void Exerciser::fail(const std::string& what)
{
    if (!m_failure)
        m_failure = "event #" + std::to_string(m_events) + ": " + what;
}

void Exerciser::report(std::ostream& out) const
{
    out << "events " << m_events << " (" << m_blockedEvents << " while a box was open), ticks "
        << m_ticks << ", games " << m_games << ", boxes " << m_boxes << '\n';
    out << "levels won:";
    for (const auto& [screen, count] : m_watch.wins)
        out << ' ' << screen << '=' << count;
    out << "\nlevels lost:";
    for (const auto& [screen, count] : m_watch.losses)
        out << ' ' << screen << '=' << count;
    out << "\nends:\n";
    for (const auto& [how, count] : m_ends)
        out << "  " << count << "  " << how << '\n';
    if (m_failure) {
        out << "last events:\n";
        for (const std::string& line : m_recent)
            out << "  " << line << '\n';
    }
}

} // namespace cratefall::exerciser
