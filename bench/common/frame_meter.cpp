#include "common/frame_meter.h"

#include <QCoreApplication>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QWidget>
#include <iostream>

namespace cratefall::bench {
namespace {

long long area(const QRegion& region)
{
    long long total = 0;
    for (const QRect& rect : region)
        total += (long long)rect.width() * rect.height();
    return total;
}

} // namespace

FrameMeter::FrameMeter(QWidget* window) : m_window(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

void FrameMeter::setActive(bool active)
{
    if (!active && m_inBatch)
        closeBatch();
    m_active = active;
    m_pendingMoves = {};
}

void FrameMeter::nextFrame()
{
    if (m_inBatch)
        closeBatch();
}

QPoint FrameMeter::offsetOf(const QWidget* widget) const
{
    return widget == m_window ? QPoint() : widget->mapTo(m_window, QPoint());
}

bool FrameMeter::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_active || !m_window || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != m_window)
        return false;
    if (event->type() == QEvent::Move && widget != m_window)
        onMove(widget, static_cast<QMoveEvent*>(event)->oldPos());
    else if (event->type() == QEvent::Paint)
        onPaint(widget, static_cast<QPaintEvent*>(event)->region());
    return false;
}

void FrameMeter::onMove(QWidget* widget, const QPoint& oldPos)
{
    if (m_inBatch)
        closeBatch();
    const QPoint parentOffset = offsetOf(widget->parentWidget());
    m_pendingMoves += QRect(oldPos + parentOffset, widget->size());
    m_pendingMoves += QRect(widget->pos() + parentOffset, widget->size());
}

void FrameMeter::onPaint(QWidget* widget, const QRegion& region)
{
    if (!m_inBatch) {
        m_inBatch = true;
        m_batchExpected = m_pendingMoves;
        m_batchPainted = {};
        m_pendingMoves = {};
        ++m_frames;
    }
    ++m_paintEvents;
    m_batchPainted += region.translated(offsetOf(widget));
}

void FrameMeter::closeBatch()
{
    m_inBatch = false;
    m_paintedPx += area(m_batchPainted);
    m_expectedPx += area(m_batchExpected);
    m_outsidePx += area(m_batchPainted - m_batchExpected - m_allowed);
}

void FrameMeter::print(std::string_view prefix)
{
    if (m_inBatch)
        closeBatch();
    const double frames = m_frames > 0 ? double(m_frames) : 1.0;
    const QSize size = m_window ? m_window->size() : QSize();
    std::cout << prefix << ".frames=" << m_frames << '\n'
              << prefix << ".paint_events_per_frame=" << double(m_paintEvents) / frames << '\n'
              << prefix << ".painted_px_per_frame=" << double(m_paintedPx) / frames << '\n'
              << prefix << ".moved_px_per_frame=" << double(m_expectedPx) / frames << '\n'
              << prefix << ".outside_px_per_frame=" << double(m_outsidePx) / frames << '\n'
              << prefix << ".window_px=" << (long long)size.width() * size.height() << '\n';
}

} // namespace cratefall::bench
