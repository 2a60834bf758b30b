#include "printing/printing.h"

#include <QPainter>
#include <QPicture>
#include <QPointer>
#include <QWidget>
#include <algorithm>

namespace cratefall::printing {
namespace {

// Focus is how the window is being used, not what it shows: the text cursor and the focus frames
// stay off the page. They matter for more than looks: the spooler's PostScript stage turns their
// translucent strokes into a bitmap that swallows the name as text. The focus is parked on the
// recorded area itself meanwhile; the popup reason keeps the name box's selection.
class ParkedFocus {
public:
    explicit ParkedFocus(QWidget& area) : m_owner(area.focusWidget())
    {
        if (m_owner)
            area.setFocus(Qt::PopupFocusReason);
    }
    ~ParkedFocus()
    {
        if (m_owner)
            m_owner->setFocus(Qt::PopupFocusReason);
    }
    ParkedFocus(const ParkedFocus&) = delete;
    ParkedFocus& operator=(const ParkedFocus&) = delete;

private:
    QPointer<QWidget> m_owner;
};

} // namespace

QPicture record(QWidget& widget)
{
    const ParkedFocus parked(widget);
    QPicture picture;
    QPainter recorder(&picture);
    widget.render(&recorder, QPoint(), QRegion(),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
    recorder.end();
    // The page is laid out from the whole window, not from the part that happened to be drawn.
    picture.setBoundingRect(widget.rect());
    return picture;
}

void drawOnPage(QPainter& painter, const QPicture& picture, const QSizeF& printable)
{
    // A picture replays itself enlarged by the ratio of the device's resolution to the one it was
    // recorded at; the page's own scale comes on top of that.
    const QPaintDevice& device = *painter.device();
    const QRect area = picture.boundingRect();
    const double replayX = double(device.logicalDpiX()) / picture.logicalDpiX();
    const double replayY = double(device.logicalDpiY()) / picture.logicalDpiY();
    const double scale = std::min(printable.width() / (area.width() * replayX),
                                  printable.height() / (area.height() * replayY));
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPicture(-area.topLeft(), picture);
}

} // namespace cratefall::printing
