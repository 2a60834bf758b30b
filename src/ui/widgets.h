#pragma once

#include "ui/design.h"

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>

namespace cratefall::ui {

using PressHandler = std::function<void()>;

QColor resolve(Colour colour, const QPalette& palette);
QFont fontFor(FontStyle font);

// A widget that answers the left button on its press, the second press of a double-click
// included, so a falling box is caught where the player hit it. It takes every press, with a
// handler or without: what lies behind it (the box behind a bar) never sees one. Disabled, Qt
// hands the press on to the widget behind.
class PressableWidget : public QWidget {
public:
    // onPress is empty for a control the screen gives no handler.
    PressableWidget(QWidget* parent, PressHandler onPress);

    bool pressable() const { return bool(m_onPress); }
    void press() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    PressHandler m_onPress;
};

class PictureWidget final : public PressableWidget {
public:
    PictureWidget(const ControlDesign& design, QWidget* parent, PressHandler onPress);

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
    LabelWidget(const ControlDesign& design, QWidget* parent, PressHandler onPress);

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
    LineWidget(const ControlDesign& design, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint m_from;
    QPoint m_to;
};

class ButtonWidget final : public QPushButton {
public:
    ButtonWidget(const ControlDesign& design, QWidget* parent, PressHandler onClick);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool captionFits() const;
};

class TextBoxWidget final : public QLineEdit {
public:
    TextBoxWidget(const ControlDesign& design, QWidget* parent);
};

} // namespace cratefall::ui
