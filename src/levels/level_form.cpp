#include "levels/level_form.h"

#include "levels/level_controls.h"
#include "shell/screen_names.h"

#include <array>
#include <stdexcept>
#include <string>

namespace cratefall::levels {
namespace {

constexpr int pauseUpper = 'P';
constexpr int pauseLower = 'p';
constexpr int outOfSight = 10000;
// Told to a screen reader when the level starts, which the screen shows only by the start label
// going and the boxes falling.
constexpr std::string_view startedNotice = "Started";

} // namespace

LevelForm::LevelForm(ui::Runtime& runtime, const Level& level)
    : Form(runtime, level.design()), m_engine(level)
{
    handle(controls::start, [this] { Label4_Click(); });
    const std::array<void (LevelForm::*)(), maxBoxes> boxHandlers{
        &LevelForm::Image1_Click, &LevelForm::Image2_Click, &LevelForm::Image3_Click,
        &LevelForm::Image4_Click, &LevelForm::Image5_Click, &LevelForm::Image6_Click};
    for (int box = 1; box <= level.boxes; ++box)
        handle(controls::image(box),
               [this, h = boxHandlers[std::size_t(box - 1)]] { (this->*h)(); });
}

ui::Control& LevelForm::box(int number)
{
    if (number < 1 || number > m_engine.level().boxes)
        throw std::out_of_range("no such box on this level");
    return control(controls::image(number));
}

const ui::Control& LevelForm::box(int number) const
{
    return const_cast<LevelForm*>(this)->box(number);
}

void LevelForm::Form_Load()
{
    m_engine.load();
    describe(control(controls::start).Caption());
}

void LevelForm::Form_Click()
{
    start();
}

void LevelForm::Label4_Click()
{
    start();
}

void LevelForm::start()
{
    Timer1().Enabled(ui::Enabled::Yes);
    for (int number = 1; number <= m_engine.level().boxes; ++number)
        box(number).Enabled(ui::Enabled::Yes);
    // as designed: the label is moved far out of the window rather than hidden; it stays a
    // control of the screen, only out of sight and out of reach of the mouse.
    control(controls::start).Move(outOfSight, outOfSight);
    describe(startedNotice);
}

void LevelForm::Form_KeyPress(GameInt KeyAscii)
{
    if (KeyAscii == GameInt(pauseUpper) || KeyAscii == GameInt(pauseLower))
        MsgBox("Game Paused.", "Cratefall");
}

void LevelForm::Timer1_Timer()
{
    switch (m_engine.tick(*this)) {
    case TickOutcome::Win:
        win();
        break;
    case TickOutcome::Loss:
        lose();
        break;
    case TickOutcome::Continue:
        break;
    }
}

void LevelForm::boxClick(int number)
{
    m_engine.click(number, *this);
}

void LevelForm::win()
{
    const Level& level = m_engine.level();
    if (level.isLast()) {
        // as designed: the last level shows the victory screen before it unloads itself, the
        // others unload first; either way one game screen is left.
        form(level.nextScreen).Show();
        Unload();
        return;
    }
    if (level.win->title)
        MsgBox(level.win->text, *level.win->title);
    else
        MsgBox(level.win->text);
    Unload();
    form(level.nextScreen).Show();
}

void LevelForm::lose()
{
    const Level& level = m_engine.level();
    // The message quotes the score as the label shows it, not the engine's count.
    const std::string shown = control(controls::score).Caption();
    MsgBox(std::string(level.lossPrefix) + shown + ".", level.lossTitle);
    form(shell::screens::title).Show();
    Unload();
}

void LevelForm::moveBox(int number, int left, GameInt top)
{
    box(number).Move(left, top);
}

void LevelForm::showScore(const std::string& text)
{
    control(controls::score).Caption(text);
}

double LevelForm::windowHeight() const
{
    return Height();
}

double LevelForm::boxHeight(int number) const
{
    return box(number).Height();
}

} // namespace cratefall::levels
