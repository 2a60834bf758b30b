#pragma once

#include <QMargins>
#include <QObject>
#include <QSize>

namespace cratefall::shell {

// The page's screen, fitted to the game: a page smaller than the game's largest window (a phone,
// a tablet, a small browser window) shows every window smaller by one factor, so that none is
// cut off and none changes size from one level to the next; a larger page shows the game as it
// is designed. Every window is kept whole on the page, its frame and caption included.
class ScreenFit final : public QObject {
public:
    // LARGEST: the largest client area the game opens, in pixels.
    ScreenFit(QSize largest, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit();
    void scale(qreal factor);
    void keepWindowsOnScreen();

    QSize m_largest;
    // The widest frame the page has drawn around a window, in its own pixels.
    QMargins m_frame;
    bool m_fitting = false;
};

} // namespace cratefall::shell
