#pragma once

#include "ui/design.h"
#include "ui/game_int.h"

#include <string>
#include <string_view>

class QWidget;

namespace cratefall::ui {

// One control of a loaded screen: the operations the screens use, in twips. The control keeps
// its own twips geometry so that reading back a Height gives the designed value exactly.
class Control {
public:
    Control(const ControlDesign& design, QWidget* widget);

    std::string_view name() const { return m_design.name; }
    const ControlDesign& design() const { return m_design; }
    QWidget* widget() const { return m_widget; }

    // The screens' operations, under their own names; a property is read without a value and
    // written with one.
    void Move(double left, GameInt top);
    double Left() const { return m_left; }
    double Top() const { return m_top; }
    double Height() const { return m_height; }
    bool Enabled() const;
    void Enabled(ui::Enabled enabled);
    std::string Caption() const;
    void Caption(std::string_view caption);
    std::string Text() const;
    void Text(std::string_view text);

private:
    const ControlDesign& m_design;
    QWidget* m_widget;
    double m_left;
    double m_top;
    double m_height;
};

} // namespace cratefall::ui
