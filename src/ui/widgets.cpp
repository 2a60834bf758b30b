#include "ui/widgets.h"

#include "pictures/picture_store.h"
#include "ui/qt_text.h"
#include "ui/units.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace cratefall::ui {
namespace {

QRect pixelRect(const ControlDesign& design)
{
    return {toPixels(design.left), toPixels(design.top), toPixels(design.width),
            toPixels(design.height)};
}

// A picture without transparent pixels that fills its whole control hides everything behind it.
bool coversItsControl(const QImage& image, Stretch stretch, QSize control)
{
    if (image.isNull() || image.hasAlphaChannel())
        return false;
    return stretch == Stretch::Yes ||
           (image.width() >= control.width() && image.height() >= control.height());
}

// The picture as the painter draws it stretched over a control, by that same painter call.
QImage stretched(const QImage& image, QSize control, qreal ratio)
{
    QImage result(control * ratio, image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                           : QImage::Format_RGB32);
    result.setDevicePixelRatio(ratio);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    // Tiles are tiny pixel art: scale them without smoothing so they stay crisp.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(QPoint(0, 0), control), image);
    return result;
}

} // namespace

QColor resolve(Colour colour, const QPalette& palette)
{
    switch (colour.kind) {
    case Colour::Kind::Rgb:
        return QColor::fromRgb(colour.rgb);
    case Colour::Kind::SystemText:
        return palette.color(QPalette::WindowText);
    case Colour::Kind::SystemFace:
        return palette.color(QPalette::Window);
    case Colour::Kind::Transparent:
        break;
    }
    return Qt::transparent;
}

QFont fontFor(FontStyle font)
{
    // The design's "MS Sans Serif" in Liberation Sans, its metric-compatible stand-in, which the
    // program carries. Asked for by name: Windows has a bitmap "MS Sans Serif" of its own, which a
    // font substitution would never replace.
    QFont qfont(QStringLiteral("Liberation Sans"));
    qfont.setPixelSize(pointsToPixels(font.points > 0 ? font.points : 8.25));
    qfont.setBold(font.weight == Weight::Bold);
    return qfont;
}

PressableWidget::PressableWidget(PressHandler onPress, AccessibleKind kind)
    : m_onPress(std::move(onPress)), m_kind(kind)
{
    setFocusPolicy(Qt::NoFocus);
}

void PressableWidget::press() const
{
    if (m_onPress)
        m_onPress();
}

void PressableWidget::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        press();
}

void PressableWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

PictureWidget::PictureWidget(const ControlDesign& design, PressHandler onPress)
    : PressableWidget(std::move(onPress), AccessibleKind::Graphic),
      m_image(pictures::PictureStore::image(
          design.picture, QSize(toPixels(design.width), toPixels(design.height)))),
      m_stretch(design.stretch)
{
    setGeometry(pixelRect(design));
    setEnabled(design.enabled == Enabled::Yes);
    if (!design.shows.empty())
        setAccessibleName(qtext(spokenLettering(design.shows)));
    // Told that nothing behind shows through, Qt repaints neither the window's background nor
    // the scenery beneath when a box moves over this picture.
    if (coversItsControl(m_image, m_stretch, size()))
        setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QImage& image = m_stretch == Stretch::Yes ? stretchedImage() : m_image;
    const qreal ratio = image.devicePixelRatio();
    // One dirty rectangle at a time: drawn whole under a clip of many rectangles, a large picture
    // goes through Qt's scanline path, which hands the scanlines to its thread pool on every tick
    // and costs more in waking threads than the copy itself.
    for (const QRect& dirty : event->region())
        painter.drawImage(QRectF(dirty), image,
                          QRectF(QPointF(dirty.topLeft()) * ratio, QSizeF(dirty.size()) * ratio));
}

// Scaling costs far more than copying, and a falling box is repainted on every tick: the picture
// is scaled once for the screen's pixel ratio, and again only if the ratio or the size changes.
const QImage& PictureWidget::stretchedImage()
{
    if (m_image.isNull())
        return m_image;
    const qreal ratio = devicePixelRatioF();
    const bool current = !m_stretched.isNull() && m_stretched.devicePixelRatio() == ratio &&
                         m_stretched.deviceIndependentSize() == QSizeF(size());
    if (!current)
        m_stretched = stretched(m_image, size(), ratio);
    return m_stretched;
}

LabelWidget::LabelWidget(const ControlDesign& design, PressHandler onPress)
    : PressableWidget(std::move(onPress), AccessibleKind::Text), m_caption(qtext(design.caption)),
      m_back(design.back), m_fore(design.fore), m_align(design.align)
{
    setGeometry(pixelRect(design));
    setFont(fontFor(design.font));
    setEnabled(design.enabled == Enabled::Yes);
    if (m_back.kind != Colour::Kind::Transparent)
        setAttribute(Qt::WA_OpaquePaintEvent);
}

void LabelWidget::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    // Screen readers hear of the new caption as a label's new name, as with a QLabel. With no
    // reader listening, Qt drops the event at once.
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

void LabelWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_back.kind != Colour::Kind::Transparent)
        painter.fillRect(rect(), resolve(m_back, palette()));
    painter.setPen(resolve(m_fore, palette()));
    const int horizontal = m_align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    painter.drawText(rect(), horizontal | Qt::AlignTop | Qt::TextWordWrap, m_caption);
}

LineWidget::LineWidget(const ControlDesign& design)
{
    const QPoint from(toPixels(design.left), toPixels(design.top));
    const QPoint to(toPixels(design.width), toPixels(design.height));
    const QRect box = QRect(from, to).normalized();
    setGeometry(box.adjusted(0, 0, 1, 1));
    m_from = from - box.topLeft();
    m_to = to - box.topLeft();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LineWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.drawLine(m_from, m_to);
}

ButtonWidget::ButtonWidget(const ControlDesign& design, PressHandler onClick)
    : QPushButton(qtext(design.caption))
{
    setGeometry(pixelRect(design));
    setFont(fontFor(design.font));
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    if (design.style == ButtonStyle::Graphical) {
        // A style sheet, unlike a palette colour, is honoured by every widget style.
        const QColor face = resolve(design.back, palette());
        setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 2px outset %2; }"
                                     "QPushButton:pressed { border-style: inset; }"
                                     "QPushButton:focus { outline: 1px dotted black; }")
                          .arg(face.name(), face.darker(130).name()));
    }
    if (!design.picture.empty())
        setIcon(QIcon(
            QPixmap::fromImage(pictures::PictureStore::image(design.picture, QSize(32, 32)))));
    QObject::connect(this, &QPushButton::clicked, this, [handler = std::move(onClick)] {
        if (handler)
            handler();
    });
}

bool ButtonWidget::captionFits() const
{
    constexpr int bevel = 8;
    QString plain = text();
    plain.remove(QLatin1Char('&'));
    return !icon().isNull() || fontMetrics().horizontalAdvance(plain) <= width() - bevel;
}

void ButtonWidget::paintEvent(QPaintEvent* event)
{
    if (captionFits()) {
        QPushButton::paintEvent(event);
        return;
    }
    // A caption wider than its button wraps onto two lines instead of being cut short.
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    QStylePainter painter(this);
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, text());
}

TextBoxWidget::TextBoxWidget(const ControlDesign& design)
{
    setGeometry(pixelRect(design));
    setFont(fontFor(design.font));
    setAlignment(design.align == Align::Centre ? Qt::AlignCenter : Qt::AlignLeft);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, resolve(design.back, palette()));
    colours.setColor(QPalette::Text, resolve(design.fore, palette()));
    setPalette(colours);
    setText(qtext(design.caption));
}

} // namespace cratefall::ui
