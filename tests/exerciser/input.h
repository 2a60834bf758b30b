#pragma once

#include "rng.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <Qt>
#include <string>

class QWidget;

namespace cratefall::exerciser {

struct KeyStroke {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers;
    // Not plain ASCII text and no shortcut: such a key must not start any handler.
    bool inert;
    std::string name() const;
};

// Every printable ASCII character, Enter, Esc, Tab, Alt and Ctrl with letters, the menu
// shortcuts, accented and other non-ASCII letters and keys that type nothing.
KeyStroke randomKey(Rng& rng);
KeyStroke randomPrintable(Rng& rng);

// Input as the desktop would deliver it: through the window, so Qt itself finds the widget under
// the pointer, opens menus, honours shortcuts and makes double-clicks out of quick presses.
//
// QTest's own mouse helpers end by spinning the event loop, timers included: the game's real
// timers would then tick at wall-clock moments and a seed would no longer replay the same game.
// These helpers hand the events to the same entry point QTest uses and spin the loop without
// timers, so every tick comes from the stream.
enum class Clicks { Single, Double };

void click(QWidget* window, QPoint at, Qt::MouseButton button, Clicks clicks);
void moveMouse(QWidget* window, QPoint at);
void pressKey(QWidget* window, const KeyStroke& stroke);
void activate(QWidget* window);
// Resizes a top-level window, then lets its layout follow.
void resizeWindow(QWidget* window, QSize size);
// Everything Qt has queued except timers.
void processQueuedEvents();

} // namespace cratefall::exerciser
