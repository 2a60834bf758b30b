#pragma once

#include "ui/form.h"

namespace cratefall::victory {

// The victory screen's window and controls.
extern const ui::FormDesign victoryDesign;

// The victory screen: the player's name, and a winning certificate printed from the window.
class Form12 final : public ui::Form {
public:
    explicit Form12(ui::Runtime& runtime);

    void Command1_Click();
    void Command2_Click();
};

} // namespace cratefall::victory
