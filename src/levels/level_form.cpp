#include "levels/level_form.h"

#include "ui/layouts.h"

#include <array>
#include <string>

namespace cratefall::levels {
namespace {

constexpr std::array<std::string_view, maxBoxes> boxNames{"Image1", "Image2", "Image3",
                                                          "Image4", "Image5", "Image6"};

constexpr std::string_view boxName(int box)
{
    return boxNames[std::size_t(box - 1)];
}

constexpr int pauseUpper = 'P';
constexpr int pauseLower = 'p';
constexpr int outOfSight = 10000;

} // namespace

LevelForm::LevelForm(ui::Runtime& runtime, const LevelRecord& record)
    : Form(runtime, ui::layout(record.screen)), m_engine(record)
{
    handle("Label4", [this] { Label4_Click(); });
    const std::array<void (LevelForm::*)(), maxBoxes> boxHandlers{
        &LevelForm::Image1_Click, &LevelForm::Image2_Click, &LevelForm::Image3_Click,
        &LevelForm::Image4_Click, &LevelForm::Image5_Click, &LevelForm::Image6_Click};
    for (int box = 1; box <= record.boxes; ++box)
        handle(boxName(box), [this, h = boxHandlers[std::size_t(box - 1)]] { (this->*h)(); });
}

void LevelForm::Form_Load()
{
    m_engine.load();
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
    Timer1().setEnabled(ui::Enabled::Yes);
    for (int box = 1; box <= m_engine.record().boxes; ++box)
        control(boxName(box)).setEnabled(ui::Enabled::Yes);
    control("Label4").Move(outOfSight, outOfSight);
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

void LevelForm::boxClick(int box)
{
    m_engine.click(box, *this);
}

void LevelForm::win()
{
    const LevelRecord& record = m_engine.record();
    if (!record.win) { // the last level hands over to the victory screen without a word
        form(record.nextScreen).Show();
        Unload();
        return;
    }
    if (record.win->title)
        MsgBox(record.win->text, *record.win->title);
    else
        MsgBox(record.win->text);
    Unload();
    form(record.nextScreen).Show();
}

void LevelForm::lose()
{
    const LevelRecord& record = m_engine.record();
    const std::string shown = control("Label1").Caption();
    MsgBox(std::string(record.lossPrefix) + shown + ".", record.lossTitle);
    form("Form1").Show();
    Unload();
}

void LevelForm::moveBox(int box, int left, GameInt top)
{
    control(boxName(box)).Move(left, top);
}

void LevelForm::showScore(const std::string& text)
{
    control("Label1").setCaption(text);
}

double LevelForm::windowHeight() const
{
    return Height();
}

double LevelForm::boxHeight(int box) const
{
    return control(boxName(box)).Height();
}

} // namespace cratefall::levels
