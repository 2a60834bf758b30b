#pragma once

#include "ui/form.h"
#include "ui/runtime.h"

#include <QPoint>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cratefall::testing {

struct ShownBox {
    std::string text;
    std::string title;
    ui::BoxKind kind;
    const QWidget* owner = nullptr;
};

// Who raises the screens' ticks: the test alone (tick()), or the timers too, by the clock.
enum class Ticks { ByHand, Real };

// The whole game on the offscreen platform, with message boxes answered at once (after an
// optional callback that runs while the box is "open") and the end of the program recorded
// instead of leaving the test.
class GameFixture {
public:
    explicit GameFixture(Ticks ticks = Ticks::ByHand);
    ~GameFixture();
    GameFixture(const GameFixture&) = delete;
    GameFixture& operator=(const GameFixture&) = delete;

    ui::Runtime& runtime() { return m_runtime; }
    ui::Form& form(std::string_view name) { return m_runtime.form(name); }
    template <class Screen> Screen& screen(std::string_view name)
    {
        return dynamic_cast<Screen&>(m_runtime.form(name));
    }

    void show(std::string_view name);
    // Raises n ticks of a screen's timer, as the timer itself would.
    void tick(std::string_view name, int n = 1);
    // Real mouse presses through the window, so Qt finds the front-most control itself.
    void pressAt(std::string_view name, QPoint clientPixel,
                 Qt::MouseButton button = Qt::LeftButton);
    void pressControl(std::string_view formName, std::string_view control);
    void typeKey(std::string_view name, int key, const QString& text);
    // Resizes a sizable window so its client area is this many pixels high.
    void setClientHeight(std::string_view name, int pixels);
    // Lets Qt finish discarding unloaded windows.
    static void settle();

    std::vector<ShownBox> boxes;
    std::optional<int> exitStatus;
    // Runs while a message box is open; the box closes when it returns.
    std::function<void(const ShownBox&)> whileBoxOpen;

private:
    ui::Runtime m_runtime;
};

} // namespace cratefall::testing
