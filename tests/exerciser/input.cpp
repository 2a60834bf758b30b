#include "input.h"

#include <QApplication>
#include <QLayout>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <QWindow>

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

void pressKey(QWidget* window, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::sendKeyEvent(QTest::Click, target, key, text, modifiers);
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

} // namespace cratefall::exerciser
