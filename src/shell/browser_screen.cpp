#include "shell/browser_screen.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <qpa/qplatformscreen.h>
#include <qpa/qplatformwindow.h>
#include <qpa/qwindowsysteminterface.h>
#include <utility>
#include <vector>
// Qt's own high-DPI scaling does the fitting: a screen's factor maps every window, every drawing
// (at the device's own pixels: the backing store's ratio is the device's times the factor) and
// every press or tap, which a CSS transform of the page would not. It is set per screen only
// through its private interface, which this build's own Qt for WebAssembly carries.
#include <private/qhighdpiscaling_p.h>

namespace cratefall::shell {
namespace {

QMargins widest(QMargins a, QMargins b)
{
    return QMargins(std::max(a.left(), b.left()), std::max(a.top(), b.top()),
                    std::max(a.right(), b.right()), std::max(a.bottom(), b.bottom()));
}

std::vector<QWidget*> shownWindows()
{
    std::vector<QWidget*> shown;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowHandle() && widget->windowHandle()->handle())
            shown.push_back(widget);
    return shown;
}

bool isMouseEvent(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
}

// Qt for WebAssembly 6.8 places a mouse event in its window by the page's pixels, which a scale
// factor sets apart from the game's: a press would land away from where the player sees it. The
// place on the screen it gives is right, and the place in the window is taken from it instead.
bool pressedWhereSeen(QWindow* window, QMouseEvent* event)
{
    const QPointF seen = window->mapFromGlobal(event->globalPosition());
    if (seen == event->position())
        return false;
    QMouseEvent moved(event->type(), seen, seen, event->globalPosition(), event->button(),
                      event->buttons(), event->modifiers(), event->pointingDevice());
    QCoreApplication::sendEvent(window, &moved);
    event->setAccepted(moved.isAccepted());
    return true;
}

} // namespace

ScreenFit::ScreenFit(QSize largest, QObject* parent) : QObject(parent), m_largest(largest)
{
    qApp->installEventFilter(this);
    // The page's size changes with the browser's window, a phone turned, a tablet's keyboard.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        connect(screen, &QScreen::geometryChanged, this, &ScreenFit::fit);
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched->isWindowType() && isMouseEvent(event->type()))
        return pressedWhereSeen(static_cast<QWindow*>(watched), static_cast<QMouseEvent*>(event));
    // Fitted before the window is shown, with the frame the page drew around the last; and once
    // more as soon as it is shown, with its own frame, before the browser draws the page again.
    const bool showing = event->type() == QEvent::Show || event->type() == QEvent::ShowToParent;
    if (showing && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
        fit();
    return false;
}

void ScreenFit::fit()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (m_fitting || !screen || !screen->handle())
        return;
    m_fitting = true;
    QSize largest = m_largest;
    for (const QWidget* window : shownWindows()) {
        largest = largest.expandedTo(window->size());
        // In the page's own pixels (CSS pixels), unscaled; none while a window is not yet drawn.
        m_frame = widest(m_frame, window->windowHandle()->handle()->frameMargins());
    }
    const QSizeF page = screen->handle()->geometry().size();
    const qreal factor =
        std::min({1.0, (page.width() - m_frame.left() - m_frame.right()) / largest.width(),
                  (page.height() - m_frame.top() - m_frame.bottom()) / largest.height()});
    if (factor > 0 && !qFuzzyCompare(factor, QHighDpiScaling::factor(screen)))
        scale(factor);
    keepWindowsOnScreen();
    m_fitting = false;
}

void ScreenFit::scale(qreal factor)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    // Each window keeps its size and place in the game's pixels: read before the factor changes
    // what the page's pixels mean.
    std::vector<std::pair<QWidget*, QRect>> placed;
    for (QWidget* window : shownWindows())
        placed.emplace_back(window, window->geometry());
    QHighDpiScaling::setScreenFactor(screen, factor);
    for (const auto& [widget, geometry] : placed) {
        QWindow* window = widget->windowHandle();
        window->handle()->setGeometry(QHighDpi::toNativeWindowGeometry(geometry, window));
        QWindowSystemInterface::handleWindowDevicePixelRatioChanged<
            QWindowSystemInterface::SynchronousDelivery>(window);
    }
}

void ScreenFit::keepWindowsOnScreen()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect page = screen->availableGeometry();
    // The frame in the game's pixels, rounded up.
    const qreal factor = QHighDpiScaling::factor(screen);
    const auto game = [factor](int pixels) { return static_cast<int>(std::ceil(pixels / factor)); };
    const QMargins frame(game(m_frame.left()), game(m_frame.top()), game(m_frame.right()),
                         game(m_frame.bottom()));
    for (QWidget* window : shownWindows()) {
        const QRect framed = window->geometry().marginsAdded(frame);
        const int left = std::clamp(framed.left(), page.left(),
                                    std::max(page.left(), page.right() + 1 - framed.width()));
        const int top = std::clamp(framed.top(), page.top(),
                                   std::max(page.top(), page.bottom() + 1 - framed.height()));
        // By the difference: pos() and move() agree on where the frame is, whatever they take it to
        // be.
        if (left != framed.left() || top != framed.top())
            window->move(window->pos() + QPoint(left - framed.left(), top - framed.top()));
    }
}

} // namespace cratefall::shell
