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
    ControlKind kind() const { return m_design.kind; }
    const ControlDesign& design() const { return m_design; }
    QWidget* widget() const { return m_widget; }

    void Move(double left, GameInt top);
    double Left() const { return m_left; }
    double Top() const { return m_top; }
    double Width() const { return m_width; }
    double Height() const { return m_height; }

    void setEnabled(Enabled enabled);
    bool isEnabled() const;

    std::string Caption() const;
    void setCaption(std::string_view caption);
    std::string Text() const;
    void setText(std::string_view text);

private:
    const ControlDesign& m_design;
    QWidget* m_widget;
    double m_left;
    double m_top;
    double m_width;
    double m_height;
};

} // namespace cratefall::ui
