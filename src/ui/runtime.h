#pragma once

#include "ui/design.h"
#include "ui/message_box.h"

#include <QSize>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cratefall::testing {
struct Access;
}

namespace cratefall::ui {

class Form;
class FormTimer;
class TimerClock;

enum class Visibility { Shown, Hidden };

// The forms runtime: owns every screen, runs every handler, and decides when the program ends.
// One thread; handlers run one at a time through dispatch().
class Runtime {
public:
    using Factory = std::function<std::unique_ptr<Form>(Runtime&)>;
    using ExitHandler = std::function<void(int status)>;

    Runtime();
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    // Makes a screen known under the name its design gives it; the factory builds it on first use.
    void registerForm(const FormDesign& design, Factory factory);
    // The largest client area of the screens made known, in pixels: what a screen must hold.
    QSize largestClient() const { return m_largestClient; }
    // The one instance of a screen, created on first use but not loaded.
    Form& form(std::string_view name);
    bool isLoaded(std::string_view name) const;
    std::vector<Form*> loadedForms() const;

    // Shows the start-up screen and runs the event loop; returns the exit status.
    int run(std::string_view startForm);

    // Runs one handler of a screen (none for the start-up). Errors end the program through the
    // error box, which belongs to the screen of the outermost handler; when that handler returns
    // and no screen is loaded, the program ends.
    void dispatch(const std::function<void()>& handler, const Form* screen = nullptr);

    // The box belongs to the window of the screen whose handler runs.
    void msgBox(std::string_view text, std::optional<std::string_view> title);
    void end(int status);
    void runtimeError(std::string_view what);

    // While the application is hidden (a browser's background tab), every timer is held and no
    // handler runs, as under a message box.
    void setHidden(Visibility visibility);

    bool ended() const { return m_ended; }
    bool modal() const { return m_modalDepth > 0; }

    void setPresenter(std::unique_ptr<MessageBoxPresenter> presenter);
    void setExitHandler(ExitHandler handler);

    // Where the timer of each screen made from now on reads the time and waits: the system's
    // clock, unless a test raises the ticks itself.
    using ClockMaker = std::function<std::unique_ptr<TimerClock>()>;
    void setClockMaker(ClockMaker maker);
    std::unique_ptr<TimerClock> newClock() const;

    // Timers register themselves so a message box can hold them all.
    void addTimer(FormTimer* timer);
    void removeTimer(FormTimer* timer);

    // Called by a form when it has been unloaded.
    void formUnloaded();

private:
    friend struct testing::Access;

    void beginModal();
    void endModal();
    void settle();
    QWidget* owner() const;

    std::map<std::string, Factory, std::less<>> m_factories;
    QSize m_largestClient;
    std::map<std::string, std::unique_ptr<Form>, std::less<>> m_forms;
    std::vector<FormTimer*> m_timers;
    std::unique_ptr<MessageBoxPresenter> m_presenter;
    ExitHandler m_exit;
    ClockMaker m_clockMaker;
    int m_depth = 0;
    // The screen whose handler runs outermost.
    const Form* m_screen = nullptr;
    int m_modalDepth = 0;
    // How many handlers have started, nested ones included: lets a test prove that nothing ran
    // while input was blocked.
    std::uint64_t m_handlersStarted = 0;
    bool m_ended = false;
    bool m_hidden = false;
    std::optional<int> m_exitStatus;
};

} // namespace cratefall::ui
