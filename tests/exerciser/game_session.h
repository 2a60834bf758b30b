#pragma once

#include "ui/message_box.h"
#include "ui/runtime.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cratefall::exerciser {

struct Box {
    std::string text;
    std::string title;
    ui::BoxKind kind;
};

// One run of the whole game, from the title screen until the program ends: a fresh runtime with
// every screen registered, boxes recorded and answered by a callback, and the exit recorded
// instead of leaving the process.
class GameSession {
public:
    using BoxOpen = std::function<void(const Box&)>;

    explicit GameSession(BoxOpen whileBoxOpen);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    void start();
    ui::Runtime& runtime() { return m_runtime; }

    const std::vector<Box>& boxes() const { return m_boxes; }
    int boxesOpen() const { return m_boxesOpen; }
    std::optional<int> exitStatus() const { return m_exitStatus; }
    int exitCalls() const { return m_exitCalls; }

private:
    friend class SessionPresenter;
    void showBox(Box box);

    BoxOpen m_whileBoxOpen;
    std::vector<Box> m_boxes;
    int m_boxesOpen = 0;
    std::optional<int> m_exitStatus;
    int m_exitCalls = 0;
    ui::Runtime m_runtime;
};

// Lets Qt delete the windows that unloaded screens left for later.
void deleteDiscardedWindows();

} // namespace cratefall::exerciser
