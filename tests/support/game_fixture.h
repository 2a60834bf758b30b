#pragma once

#include "ui/form.h"
#include "ui/form_timer.h"
#include "ui/runtime.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QStringList>
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

// A clock the test moves by hand: no wake-up comes unless the test calls wake(), so no tick of a
// screen's timer slips in while Qt delivers a press or a key, however slowly a loaded machine runs
// the test.
class HandClock final : public ui::TimerClock {
public:
    double nowMs() const override { return m_now; }
    void wakeIn(int ms, std::function<void()> wake) override
    {
        m_wakeAt = m_now + ms;
        m_wake = std::move(wake);
    }
    void cancel() override { m_wakeAt.reset(); }
    bool pending() const override { return m_wakeAt.has_value(); }

    std::optional<double> wakeAt() const { return m_wakeAt; }
    // Time moves on to the wake-up asked for, this much late, and the timer is woken.
    void wake(double lateMs = 0);
    void advance(double ms) { m_now += ms; }

private:
    double m_now = 1000;
    std::optional<double> m_wakeAt;
    std::function<void()> m_wake;
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
    // Shown, and returned as the screen it is.
    template <class Screen = ui::Form> Screen& shown(std::string_view name)
    {
        show(name);
        return screen<Screen>(name);
    }
    // Shown and waited for until it is the active window, as a player sees it open.
    [[nodiscard]] bool showActive(std::string_view name);
    // Raises n ticks of a screen's timer, as the timer itself would.
    void tick(std::string_view name, int n = 1);
    // Real mouse presses through the window, so Qt finds the front-most control itself.
    void pressAt(std::string_view name, QPoint clientPixel,
                 Qt::MouseButton button = Qt::LeftButton);
    void pressControl(std::string_view formName, std::string_view control);
    void typeKey(std::string_view name, int key, const QString& text);
    // A key clicked through the window, so shortcuts are matched before the focused widget sees it.
    void key(std::string_view name, Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    // Tabs to a control, as a player does, and types into it; fails the test if Tab never gets
    // there.
    void typeInto(std::string_view name, std::string_view control, const QString& text);
    QWidget* widget(std::string_view name, std::string_view control);
    // Resizes a sizable window so its client area is this many pixels high.
    void setClientHeight(std::string_view name, int pixels);
    // Lets Qt finish discarding unloaded windows.
    static void settle();

    // The screens loaded, by name, and the message boxes shown, each as "text" (title): one
    // comparison names every screen or box that differs.
    QStringList loaded() const;
    QString shownBoxes() const;

    std::vector<ShownBox> boxes;
    std::optional<int> exitStatus;
    // Runs while a message box is open; the box closes when it returns.
    std::function<void(const ShownBox&)> whileBoxOpen;

private:
    ui::Runtime m_runtime;
};

// Share of an image's pixels in exactly this colour.
double shareOf(const QImage& image, QColor colour);

} // namespace cratefall::testing
