#pragma once

#include "levels/level_engine.h"
#include "ui/form.h"

namespace cratefall::testing {
struct Access;
}

namespace cratefall::levels {

// Any level screen (the names are in shell/screen_names.h): the level's window, its engine and its
// handlers.
class LevelForm final : public ui::Form, private LevelView {
public:
    LevelForm(ui::Runtime& runtime, const Level& level);

    void Form_Load() override;
    void Form_Click() override;
    void Form_KeyPress(GameInt KeyAscii) override;
    void Timer1_Timer() override;
    void Label4_Click();
    void Image1_Click() { boxClick(1); }
    void Image2_Click() { boxClick(2); }
    void Image3_Click() { boxClick(3); }
    void Image4_Click() { boxClick(4); }
    void Image5_Click() { boxClick(5); }
    void Image6_Click() { boxClick(6); }

private:
    friend struct testing::Access;

    ui::Control& box(int number);
    const ui::Control& box(int number) const;
    void start();
    void boxClick(int box);
    void win();
    void lose();

    void moveBox(int box, int left, GameInt top) override;
    void showScore(const std::string& text) override;
    double windowHeight() const override;
    double boxHeight(int box) const override;

    LevelEngine m_engine;
};

} // namespace cratefall::levels
