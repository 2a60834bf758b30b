#pragma once

#include "ui/design.h"

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <cstdint>
#include <functional>

namespace cratefall::ui {

using PressHandler = std::function<void()>;

QColor resolve(Colour colour, const QPalette& palette);
QFont fontFor(FontStyle font);

// What a pressable widget is to a screen reader: text (a label), a graphic (a picture) or the
// background that holds the controls, known to the base so that it can be told at any time.
//
// The controls are built without a parent and join their window when whole: newer Qt asks for a
// widget's accessible interface when it gets its parent, and keeps the one made for what the
// widget was then (a plain QWidget, if that happens in the QWidget constructor).
enum class AccessibleKind : std::uint8_t { Text, Graphic, Background };

// A widget that answers the left button on its press, the second press of a double-click
// included, so a falling box is caught where the player hit it. It takes every press, with a
// handler or without: what lies behind it (the box behind a bar) never sees one. Disabled, Qt
// hands the press on to the widget behind.
class PressableWidget : public QWidget {
public:
    // onPress is empty for a control the screen gives no handler.
    PressableWidget(PressHandler onPress, AccessibleKind kind);

    AccessibleKind accessibleKind() const { return m_kind; }
    bool pressable() const { return bool(m_onPress); }
    void press() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    PressHandler m_onPress;
    AccessibleKind m_kind;
};

class PictureWidget final : public PressableWidget {
public:
    PictureWidget(const ControlDesign& design, PressHandler onPress);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& stretchedImage();

    const QImage& m_image;
    Stretch m_stretch;
    QImage m_stretched;
};

class LabelWidget final : public PressableWidget {
public:
    LabelWidget(const ControlDesign& design, PressHandler onPress);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    Colour m_back;
    Colour m_fore;
    Align m_align;
};

// Lines are drawing only: they never take a click.
class LineWidget final : public QWidget {
public:
    explicit LineWidget(const ControlDesign& design);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint m_from;
    QPoint m_to;
};

class ButtonWidget final : public QPushButton {
public:
    ButtonWidget(const ControlDesign& design, PressHandler onClick);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool captionFits() const;
};

class TextBoxWidget final : public QLineEdit {
public:
    explicit TextBoxWidget(const ControlDesign& design);
};

} // namespace cratefall::ui
