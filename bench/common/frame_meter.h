#pragma once

#include <QObject>
#include <QPointer>
#include <QRegion>
#include <string_view>

class QWidget;

namespace cratefall::bench {

// Audits what one window repaints. Paint events come in batches (one per frame) between the
// handlers that move controls; each batch is compared with the rectangles the controls left and
// entered since the batch before, plus the areas that may change without moving (a score label).
// Installed on the application so it sees every widget of the window.
class FrameMeter final : public QObject {
public:
    explicit FrameMeter(QWidget* window);

    void allow(const QRect& windowRect) { m_allowed += windowRect; }
    void setActive(bool active);
    // For a window whose frames move nothing: the paints that follow belong to a new frame.
    void nextFrame();
    void print(std::string_view prefix);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onMove(QWidget* widget, const QPoint& oldPos);
    void onPaint(QWidget* widget, const QRegion& region);
    void closeBatch();
    QPoint offsetOf(const QWidget* widget) const;

    QPointer<QWidget> m_window;
    QRegion m_allowed;
    QRegion m_pendingMoves;
    QRegion m_batchExpected;
    QRegion m_batchPainted;
    bool m_active = false;
    bool m_inBatch = false;
    long long m_frames = 0;
    long long m_paintEvents = 0;
    long long m_paintedPx = 0;
    long long m_expectedPx = 0;
    long long m_outsidePx = 0;
};

} // namespace cratefall::bench
