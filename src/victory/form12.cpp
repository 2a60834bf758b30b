#include "victory/form12.h"

#include "shell/screen_names.h"

#include <array>

namespace cratefall::victory {
namespace {

using namespace ui;

// The controls the screen's handlers use.
constexpr std::string_view nameBox = "Text1";
constexpr std::string_view printButton = "Command2";
constexpr std::string_view closeButton = "Command1";
// What to type in the name box, above it.
constexpr std::string_view prompt = "Label3";

constexpr std::array victory{
    ControlDesign{.name = nameBox,
                  .kind = ControlKind::TextBox,
                  .left = 2280,
                  .top = 4680,
                  .width = 2775,
                  .height = 480,
                  .back = rgb(0x80FF80),
                  .fore = black,
                  .font = {13.5},
                  .align = Align::Centre,
                  .tabIndex = 3,
                  .label = prompt},
    ControlDesign{.name = printButton,
                  .kind = ControlKind::Button,
                  .left = 2520,
                  .top = 5280,
                  .width = 2295,
                  .height = 615,
                  .caption = "&Print a Winning Certificate",
                  .back = rgb(0xFF0000),
                  .font = {9.75, Weight::Bold},
                  .tabIndex = 2,
                  .role = ButtonRole::Default,
                  .style = ButtonStyle::Graphical},
    ControlDesign{.name = closeButton,
                  .kind = ControlKind::Button,
                  .left = 2520,
                  .top = 6000,
                  .width = 2295,
                  .height = 495,
                  .caption = "&Close",
                  .back = rgb(0xC0C000),
                  .font = {12, Weight::Bold},
                  // as designed: first in the tab order, so the screen opens with the focus here
                  // and Enter, pressing the focused button, closes the game without printing.
                  .tabIndex = 1,
                  .role = ButtonRole::Cancel,
                  .style = ButtonStyle::Graphical},
    label(prompt, 720, 3840, 6135, 855,
          "Type your name below and click the red button to print a Winning certificate", white,
          black, {13.5}, Align::Centre),
    picture("Image1", 3120, 1320, 945, 2520, "MedalPicture", Stretch::Yes, Enabled::Yes),
    label("Label1", 1320, 120, 4815, 1335, "Congratulations, you beat the game!!!",
          Colour::transparent(), Colour::text(), {24}, Align::Centre),
};

} // namespace

constinit const FormDesign victoryDesign{.name = shell::screens::victory,
                                         .caption = "Congratulations, you beat Cratefall 1.0!!",
                                         .border = Border::Sizable,
                                         .back = white,
                                         .clientLeft = 5190,
                                         .clientTop = 4155,
                                         .clientWidth = 7920,
                                         .clientHeight = 6570,
                                         .icon = "Tile14",
                                         .controls = victory};

Form12::Form12(ui::Runtime& runtime) : Form(runtime, victoryDesign)
{
    handle(closeButton, [this] { Command1_Click(); });
    handle(printButton, [this] { Command2_Click(); });
}

void Form12::Command1_Click()
{
    End();
}

void Form12::Command2_Click()
{
    // Only a truly empty box gets the default name; blanks are a name the player chose.
    if (control(nameBox).Text().empty())
        control(nameBox).Text("Nameless loser.");
    PrintForm();
    End();
}

} // namespace cratefall::victory
