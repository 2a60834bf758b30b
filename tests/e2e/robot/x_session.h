#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

struct _XDisplay;

namespace cratefall::e2e {

using WindowId = unsigned long;
using Clock = std::chrono::steady_clock;

// One connection to the X server the game runs on: finds windows the way a person does (by their
// caption), looks at them, and clicks them through the XTEST extension like a real mouse.
class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // A window the window manager manages, shown, whose caption is exactly this.
    std::optional<WindowId> findClient(std::string_view caption) const;
    // A menu that has dropped down (Qt maps menus unmanaged, as popups).
    std::optional<WindowId> findMenuPopup() const;
    bool isViewable(WindowId window) const;

    // From now on the window stands for this part of itself only: grab() and click() see and
    // click the part alone, in its own pixels. A Wayland window inside a nested compositor's
    // output window is such a part.
    void viewPart(WindowId window, QRect part) const;

    // What the window shows on screen, client pixels only; a null image if it is gone.
    QImage grab(WindowId window) const;
    QSize size(WindowId window) const;
    // Where another window, with the frame the window manager put round it, lies over the
    // window, in the window's pixels; empty when it is gone.
    QRect frameOver(WindowId window, WindowId other) const;

    // A press and release of the left button at a pixel of the window. The server may hold
    // XTEST's button events back, and then deliver them where a motion sent later has moved the
    // pointer, or not at all: each is waited for until the pointer's button state shows it taken.
    void click(WindowId window, QPoint pixel) const;
    // Presses the keys of a chord ("ctrl+F4", "alt+f", "P", "Return") one after the other and
    // releases them in reverse, each by the key that carries its symbol unshifted. (xdotool may
    // reach a symbol on a level that needs another modifier, and on newer keymaps turns Ctrl+F4
    // into Ctrl+Alt+F4, a switch to another console.)
    void key(std::string_view chord) const;
    // Asks the window manager to close the window, as its close button does.
    void requestClose(WindowId window) const;
    // Asks the window manager to activate the window, as a click on its taskbar entry does.
    void requestActivation(WindowId window) const;
    // Whether the keyboard focus is in the window or in one of its children: keys typed now
    // reach it, whatever the window manager says is active.
    bool hasFocus(WindowId window) const;

    // From now on, notes every window mapped on the screen; newWindowMapped() reports and
    // forgets what was noted.
    void watchNewWindows() const;
    bool newWindowMapped() const;

private:
    unsigned long atom(const char* name) const;
    std::string caption(WindowId window) const;
    QImage grabWhole(WindowId window) const;
    bool hasWindowType(WindowId window, const char* typeName) const;
    bool isWinePopup(WindowId window) const;
    void awaitButton(bool down) const;
    void askWindowManager(WindowId window, const char* request, long first, long second) const;

    _XDisplay* m_display;
    WindowId m_root;
    mutable std::map<WindowId, QRect> m_parts;
};

// Polls until the predicate holds or the time is up; returns whether it held.
template <class Predicate>
bool waitUntil(Predicate holds, std::chrono::milliseconds timeout,
               std::chrono::milliseconds pollEvery = std::chrono::milliseconds(20))
{
    const auto deadline = Clock::now() + timeout;
    while (!holds()) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(pollEvery);
    }
    return true;
}

} // namespace cratefall::e2e
