#include "ui/control.h"

#include "ui/qt_text.h"
#include "ui/units.h"
#include "ui/widgets.h"

namespace cratefall::ui {
Control::Control(const ControlDesign& design, QWidget* widget)
    : m_design(design), m_widget(widget), m_left(design.left), m_top(design.top),
      m_height(design.height)
{}

void Control::Move(double left, GameInt top)
{
    m_left = left;
    m_top = top.value();
    m_widget->move(toPixels(left), toPixels(m_top));
}

void Control::Enabled(ui::Enabled enabled)
{
    m_widget->setEnabled(enabled == ui::Enabled::Yes);
}

bool Control::Enabled() const
{
    return m_widget->isEnabled();
}

std::string Control::Caption() const
{
    if (auto* label = dynamic_cast<LabelWidget*>(m_widget))
        return label->caption().toStdString();
    if (auto* button = dynamic_cast<ButtonWidget*>(m_widget))
        return button->text().toStdString();
    return {};
}

void Control::Caption(std::string_view caption)
{
    if (auto* label = dynamic_cast<LabelWidget*>(m_widget))
        label->setCaption(qtext(caption));
    else if (auto* button = dynamic_cast<ButtonWidget*>(m_widget))
        button->setText(qtext(caption));
}

std::string Control::Text() const
{
    if (auto* box = dynamic_cast<TextBoxWidget*>(m_widget))
        return box->text().toStdString();
    return Caption();
}

void Control::Text(std::string_view text)
{
    if (auto* box = dynamic_cast<TextBoxWidget*>(m_widget))
        box->setText(qtext(text));
    else
        Caption(text);
}

} // namespace cratefall::ui
