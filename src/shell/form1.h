#pragma once

#include "ui/form.h"

#include <array>

namespace cratefall::testing {
struct Access;
}

namespace cratefall::shell {

using ui::GameInt;

// The title screen's window, pictures and menu.
extern const ui::FormDesign titleDesign;

// How each of the title's pictures, Image1 to Image3, falls: twips down a tick, the left edge it
// falls at, and the top it starts again from once it has reached the bottom.
struct TitleFall {
    int step;
    int left;
    int wrapTo;
};
// as designed: the pictures start again from tops 0, 12 and 10, not quite level, and always at
// these lefts, wherever the window was widened.
inline constexpr std::array<TitleFall, 3> titleFalls{
    {{130, 130, 0}, {160, 2100, 12}, {90, 4500, 10}}};

// The title screen: three tiles falling at their own speeds, and the main menu.
class Form1 final : public ui::Form {
public:
    explicit Form1(ui::Runtime& runtime);

    void Form_Load() override;
    void Timer1_Timer() override;
    void mnuplay_Click();
    void mnuexit_Click();
    void mnuhow_Click();
    void mnuaboutc_Click();

private:
    friend struct testing::Access;

    GameInt TitleTop1;
    GameInt TitleTop2;
    GameInt TitleTop3;
};

} // namespace cratefall::shell
