#pragma once

#include "game_session.h"
#include "rng.h"

#include <QPoint>
#include <functional>
#include <string>

class QWidget;

namespace cratefall::ui {
class Form;
class FormWindow;
} // namespace cratefall::ui

namespace cratefall::exerciser {

enum class ActionKind { Click, Key, Resize, Close, Ticks, Popup, Player };

// What one event of the stream did: for the trace, and for deciding whether the end of the
// program it may have caused is one of the defined ones.
struct Action {
    ActionKind kind = ActionKind::Click;
    std::string target; // the screen the event went to; empty when none
    std::string text;
    // A key that is not plain ASCII and no shortcut: it must not start any handler.
    bool inert = false;
};

// Sends one random event of a kind to whatever windows the session has open. Targets and
// positions are drawn at the moment of sending, so the same seed replays the same game.
class Actor {
public:
    // Raises one tick of a screen's timer and checks it; false stops the run.
    using TickHook = std::function<bool(ui::Form&)>;

    Actor(Rng& rng, GameSession& session) : m_rng(rng), m_session(session) {}

    Action click();
    Action key(bool printableOnly);
    Action resize();
    Action close();
    Action ticks(int count, const TickHook& each);
    Action popup();
    Action player();

private:
    ui::Form* randomScreen();
    ui::FormWindow* titleWindow();
    QPoint randomPoint(ui::Form& form);
    Action playLevel(ui::Form& level);
    Action playVictory(ui::Form& victory);
    Action playTitle(ui::Form& title);
    Action clickControl(ui::Form& form, std::string_view control, std::string text);

    Rng& m_rng;
    GameSession& m_session;
};

} // namespace cratefall::exerciser
