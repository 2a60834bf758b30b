#pragma once

#include "actor.h"
#include "game_session.h"
#include "observer.h"
#include "rng.h"

#include <cstdint>
#include <deque>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cratefall::exerciser {

enum class Trace { Off, On };
enum class FullGame { NotRequired, Required };

struct Options {
    std::uint64_t seed = 1;
    long events = 10000;
    Trace trace = Trace::Off;
    FullGame fullGame = FullGame::NotRequired;
};

// Runs the whole game, restarted whenever it ends, under a seeded random stream of events, and
// checks after every event (and every tick) that it is still in a state the game allows.
class Exerciser {
public:
    explicit Exerciser(Options options);
    ~Exerciser();

    // False when an invariant broke; failure() then says which, at which event.
    bool run();
    const std::optional<std::string>& failure() const { return m_failure; }
    void report(std::ostream& out) const;

private:
    enum class Mode { Free, Blocked };

    void restart();
    void topLevelEvent();
    Action step(Mode mode);
    Action chaosStep(Actor& actor, Mode mode);
    Action playStep(Actor& actor);
    bool tick(ui::Form& form);
    void whileBoxOpen(const Box& box);
    void checkAfterEvent(const Action& action, const std::vector<std::string>& loadedBefore,
                         std::size_t boxesBefore, std::uint64_t handlersBefore);
    void checkEnd(const Action& action, const std::vector<std::string>& loadedBefore,
                  std::size_t boxesBefore);
    void checkFullGame();
    void note(const std::string& text);
    void fail(const std::string& what);

    Options m_options;
    Rng m_rng;
    std::unique_ptr<GameSession> m_session;
    LevelWatch m_watch;
    Mode m_mode = Mode::Free;
    bool m_play = false;
    long m_phaseLeft = 0;
    std::deque<std::string> m_recent;
    std::optional<std::string> m_failure;

    long m_events = 0;
    long m_blockedEvents = 0;
    long m_ticks = 0;
    long m_games = 0;
    long m_boxes = 0;
    std::map<std::string, long> m_ends;
};

} // namespace cratefall::exerciser
