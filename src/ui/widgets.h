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

// A picture control. Clicks count on the press of the left button, double-clicks included, so a
// falling box is caught where the player hit it. Disabled, Qt hands the press to the window.
class PictureWidget final : public QWidget {
public:
    // onPress is empty for a picture the screen gives no handler.
    PictureWidget(const ControlDesign& design, QWidget* parent, PressHandler onPress);

    bool pressable() const { return bool(m_onPress); }
    void press() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const QImage& stretchedImage();

    const QImage& m_image;
    Stretch m_stretch;
    PressHandler m_onPress;
    QImage m_stretched;
};

class LabelWidget final : public QWidget {
public:
    LabelWidget(const ControlDesign& design, QWidget* parent, PressHandler onPress);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    bool pressable() const { return bool(m_onPress); }
    void press() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString m_caption;
    Colour m_back;
    Colour m_fore;
    Align m_align;
    PressHandler m_onPress;
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
    ButtonRole role() const { return m_role; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool captionFits() const;

    ButtonRole m_role;
};

class TextBoxWidget final : public QLineEdit {
public:
    TextBoxWidget(const ControlDesign& design, QWidget* parent);
};

} // namespace cratefall::ui
