#pragma once

#include "play/quiet_presenter.h"
#include "ui/runtime.h"

#include <string_view>

namespace cratefall::levels {
class LevelForm;
}

namespace cratefall::bench {

// The whole game on the offscreen platform with boxes answered at once. The how-to-play screen
// stays loaded the whole time, so unloading the screen under test never ends the program.
// Nothing here runs the event loop: ticks and clicks are driven directly, and flush() delivers
// what they posted (the repaint of the window, windows left to delete).
class OffscreenGame {
public:
    OffscreenGame();
    ~OffscreenGame();
    OffscreenGame(const OffscreenGame&) = delete;
    OffscreenGame& operator=(const OffscreenGame&) = delete;

    ui::Runtime& runtime() { return m_runtime; }
    const QuietPresenter& presenter() const { return *m_presenter; }
    levels::LevelForm& level(std::string_view screen);

    void show(std::string_view screen);
    void unload(std::string_view screen);
    // Shows a level and lets the platform expose its window, before any timer runs.
    levels::LevelForm& showLevel(std::string_view screen);
    // Raises one tick of the screen's timer, as the timer would.
    void tick(std::string_view screen);

    static void flush();

private:
    ui::Runtime m_runtime;
    QuietPresenter* m_presenter;
};

} // namespace cratefall::bench
