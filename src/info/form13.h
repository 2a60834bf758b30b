#pragma once

#include "ui/form.h"

namespace cratefall::info {

// The windows and controls of the how-to-play and about screens.
extern const ui::FormDesign howToPlayDesign;
extern const ui::FormDesign aboutDesign;

// How to play: two sentences of rules and a Close button.
class Form13 final : public ui::Form {
public:
    explicit Form13(ui::Runtime& runtime);
    void Command1_Click();
};

// About the author, with a Close button.
class Aboutmeform final : public ui::Form {
public:
    explicit Aboutmeform(ui::Runtime& runtime);
    void Form_Load() override;
    void Command1_Click();
};

} // namespace cratefall::info
