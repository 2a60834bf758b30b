#include "input.h"

#include <QApplication>
#include <QLayout>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <array>

// The entry point QTest's mouse helpers use; Qt exports it for test tools.
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);

namespace cratefall::exerciser {
namespace {

// Input timestamps only ever grow; single clicks are spaced beyond any double-click interval.
int g_timestamp = 1000;
constexpr int apartMs = 5000;

void mouse(QWindow* window, QPoint at, Qt::MouseButtons state, Qt::MouseButton button,
           QEvent::Type type)
{
    qt_handleMouseEvent(window, at, window->mapToGlobal(at), state, button, type, Qt::NoModifier,
                        g_timestamp);
}

constexpr int firstPrintable = 0x20;
constexpr int lastPrintable = 0x7E;
constexpr int controlMask = 0x1F;

struct Named {
    Qt::Key key;
    const char16_t* text;
};

// Text the desktop delivers for letters outside ASCII, and a character outside the BMP.
constexpr std::array<Named, 7> nonAscii{{{Qt::Key_Eacute, u"é"},
                                         {Qt::Key_Udiaeresis, u"ü"},
                                         {Qt::Key_ssharp, u"ß"},
                                         {Qt::Key_Ntilde, u"Ñ"},
                                         {Qt::Key_unknown, u"€"},
                                         {Qt::Key_unknown, u"日"},
                                         {Qt::Key_unknown, u"\U0001F600"}}};

// Keys that type nothing. No context-menu key: the text box's standard menu would wait for a
// person in its own event loop.
constexpr std::array<Qt::Key, 14> silent{
    Qt::Key_F1,       Qt::Key_F5,       Qt::Key_F12,        Qt::Key_Left,      Qt::Key_Up,
    Qt::Key_Home,     Qt::Key_PageDown, Qt::Key_Shift,      Qt::Key_Control,   Qt::Key_Alt,
    Qt::Key_CapsLock, Qt::Key_Insert,   Qt::Key_Dead_Acute, Qt::Key_Dead_Grave};

constexpr std::array<Named, 5> editing{{{Qt::Key_Return, u"\r"},
                                        {Qt::Key_Enter, u"\r"},
                                        {Qt::Key_Escape, u"\x1b"},
                                        {Qt::Key_Tab, u"\t"},
                                        {Qt::Key_Backspace, u"\b"}}};

Qt::Key letterKey(int letter)
{
    return Qt::Key(Qt::Key_A + letter);
}

KeyStroke withControl(Rng& rng)
{
    const int letter = rng.below(26);
    return {letterKey(letter), QString(QChar((letter + 'a') & controlMask)), Qt::ControlModifier,
            false};
}

KeyStroke withAlt(Rng& rng)
{
    const int letter = rng.below(26);
    return {letterKey(letter), QString(QChar(letter + 'a')), Qt::AltModifier, false};
}

template <std::size_t N> KeyStroke named(Rng& rng, const std::array<Named, N>& table, bool inert)
{
    const Named& entry = table[std::size_t(rng.below(int(N)))];
    return {entry.key, QString::fromUtf16(entry.text), Qt::NoModifier, inert};
}

class TimerHold final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Timer; }
};

} // namespace

void moveMouse(QWidget* window, QPoint at)
{
    QWindow* handle = window->windowHandle();
    if (!handle)
        return;
    g_timestamp += 1;
    mouse(handle, at, Qt::NoButton, Qt::NoButton, QEvent::MouseMove);
}

void click(QWidget* window, QPoint at, Qt::MouseButton button, Clicks clicks)
{
    g_timestamp += apartMs;
    const int presses = clicks == Clicks::Double ? 2 : 1;
    // A press may unload the screen; its window then goes, and with it the window handle.
    const QPointer<QWidget> target(window);
    for (int i = 0; i < presses; ++i) {
        g_timestamp += 1;
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QWindow* handle = target ? target->windowHandle() : nullptr;
            if (!handle)
                return;
            const Qt::MouseButtons state = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
            mouse(handle, at, state, button, type);
        }
    }
}

void pressKey(QWidget* window, const KeyStroke& stroke)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::sendKeyEvent(QTest::Click, target, stroke.key, stroke.text, stroke.modifiers);
}

void activate(QWidget* window)
{
    // The platform reports the activation as an event of its own; no timer runs meanwhile.
    window->activateWindow();
    processQueuedEvents();
}

void resizeWindow(QWidget* window, QSize size)
{
    window->resize(size);
    if (window->layout())
        window->layout()->activate();
    processQueuedEvents();
}

void processQueuedEvents()
{
    // The loop's own flag for leaving timers out is a hint that only the X11 event loops honour;
    // on Windows they would tick. A filter keeps them from every object instead: a timer held
    // back this way stays armed, as it would when left out.
    TimerHold hold;
    QCoreApplication::instance()->installEventFilter(&hold);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(&hold);
}

std::string KeyStroke::name() const
{
    std::string shown = "key " + std::to_string(int(key));
    if (modifiers.testFlag(Qt::ControlModifier))
        shown += " +ctrl";
    if (modifiers.testFlag(Qt::AltModifier))
        shown += " +alt";
    if (modifiers.testFlag(Qt::ShiftModifier))
        shown += " +shift";
    shown += " text";
    for (const QChar c : text)
        shown += " U+" + std::to_string(c.unicode());
    return shown;
}

KeyStroke randomPrintable(Rng& rng)
{
    const int c = rng.between(firstPrintable, lastPrintable);
    if (c >= 'a' && c <= 'z')
        return {letterKey(c - 'a'), QString(QChar(c)), Qt::NoModifier, false};
    const auto shift = c >= 'A' && c <= 'Z' ? Qt::ShiftModifier : Qt::NoModifier;
    return {Qt::Key(c), QString(QChar(c)), shift, false};
}

KeyStroke randomKey(Rng& rng)
{
    const int pick = rng.below(100);
    if (pick < 45)
        return randomPrintable(rng);
    if (pick < 55)
        return named(rng, editing, false);
    if (pick < 63)
        return withAlt(rng);
    if (pick < 68)
        return withControl(rng);
    if (pick < 71)
        return {Qt::Key_F4, QString(), Qt::ControlModifier, false};
    if (pick < 74)
        return {Qt::Key_D, QString(QChar('d' & controlMask)), Qt::ControlModifier, false};
    if (pick < 87)
        return named(rng, nonAscii, true);
    return {silent[std::size_t(rng.below(int(silent.size())))], QString(), Qt::NoModifier, true};
}

} // namespace cratefall::exerciser
