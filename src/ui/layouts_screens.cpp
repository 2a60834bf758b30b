#include "ui/layout_rows.h"
#include "ui/layouts.h"

#include <array>
#include <stdexcept>
#include <string>

namespace cratefall::ui {
namespace layouts {
namespace {

using namespace rows;

constexpr std::array title{
    picture("Image3", 3840, 360, 825, 720, "Tile02", Stretch::Yes, Enabled::Yes),
    picture("Image2", 2040, 240, 840, 840, "Tile03", Stretch::Yes, Enabled::Yes),
    picture("Image1", 240, 240, 825, 825, "Tile04", Stretch::Yes, Enabled::Yes),
};

constexpr std::array titleMenu{
    MenuDesign{"mnufile", "&File", ""},
    MenuDesign{"mnuplay", "&Play", "mnufile"},
    MenuDesign{"mnuexit", "Exi&t", "mnufile", "Ctrl+F4"},
    MenuDesign{"mnuhelp", "&Help", ""},
    MenuDesign{"mnuhow", "&How to play", "mnuhelp", "Ctrl+D"},
    MenuDesign{"mnuaboutc", "About &Creator", "mnuhelp"},
};

constexpr std::array victory{
    ControlDesign{.name = "Text1",
                  .kind = ControlKind::TextBox,
                  .left = 2280,
                  .top = 4680,
                  .width = 2775,
                  .height = 480,
                  .back = rgb(0x80FF80),
                  .fore = black,
                  .font = {13.5},
                  .align = Align::Centre,
                  .tabIndex = 3},
    ControlDesign{.name = "Command2",
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
    ControlDesign{.name = "Command1",
                  .kind = ControlKind::Button,
                  .left = 2520,
                  .top = 6000,
                  .width = 2295,
                  .height = 495,
                  .caption = "&Close",
                  .back = rgb(0xC0C000),
                  .font = {12, Weight::Bold},
                  .tabIndex = 1,
                  .role = ButtonRole::Cancel,
                  .style = ButtonStyle::Graphical},
    label("Label3", 720, 3840, 6135, 855,
          "Type your name below and click the red button to print a Winning certificate", white,
          black, {13.5}, Align::Centre),
    picture("Image1", 3120, 1320, 945, 2520, "MedalPicture", Stretch::Yes, Enabled::Yes),
    label("Label1", 1320, 120, 4815, 1335, "Congratulations, you beat the game!!!",
          Colour::transparent(), Colour::text(), {24}, Align::Centre),
};

constexpr auto helpGrey = Colour::fromRgb(0xE0E0E0);

constexpr std::array howToPlay{
    ControlDesign{.name = "Command1",
                  .kind = ControlKind::Button,
                  .left = 1200,
                  .top = 1920,
                  .width = 1215,
                  .height = 375,
                  .caption = "&Close",
                  .tabIndex = 2,
                  .role = ButtonRole::Default},
    picture("Image2", 4920, 960, 720, 735, "Tile01", Stretch::Yes, Enabled::Yes),
    picture("Image1", 3840, 840, 720, 735, "Tile02", Stretch::Yes, Enabled::Yes),
    label("Label2", 240, 1200, 3375, 495, "You can always press \"P\" to pause the game.", helpGrey,
          Colour::text(), {9.75, Weight::Bold}, Align::Centre),
    label("Label1", 120, 0, 3615, 1335,
          "As the boxes fall, click on them to make them go up again. Do that until you have "
          "enough points to beat the level. Good Luck.",
          helpGrey, Colour::text(), {9.75, Weight::Bold}, Align::Centre),
};

constexpr auto aboutGreen = Colour::fromRgb(0x008000);

constexpr std::array about{
    ControlDesign{.name = "Command1",
                  .kind = ControlKind::Button,
                  .left = 2760,
                  .top = 5760,
                  .width = 1215,
                  .height = 495,
                  .caption = "Close",
                  .picture = "CartridgeIcon",
                  .back = rgb(0x80FFFF),
                  .tabIndex = 1,
                  .role = ButtonRole::Default,
                  .style = ButtonStyle::Graphical},
    picture("Image7", 1080, 4080, 4500, 1650, "ContactPicture", Stretch::No, Enabled::Yes),
    picture("Image6", 1680, 0, 3000, 750, "AboutBanner", Stretch::No, Enabled::Yes),
    label("Label3", 840, 3600, 1095, 375, "Contact:", aboutGreen, white, {12}, Align::Left),
    picture("Image5", 6000, 6000, 480, 480, "FaceIcon5", Stretch::No, Enabled::Yes),
    picture("Image4", 6000, 0, 480, 480, "FaceIcon4", Stretch::No, Enabled::Yes),
    picture("Image3", 0, 6000, 480, 480, "FaceIcon3", Stretch::No, Enabled::Yes),
    picture("Image2", 0, 0, 480, 480, "FaceIcon2", Stretch::No, Enabled::Yes),
    line("Line4", 840, 1320, 5640, 1320),
    line("Line3", 5640, 1320, 5640, 3480),
    line("Line2", 840, 3480, 5640, 3480),
    line("Line1", 840, 1320, 840, 3480),
    picture("Image1", 2880, 720, 480, 480, "FaceIcon1", Stretch::No, Enabled::Yes),
    label("Label2", 960, 1440, 4575, 1935,
          "   I am Mokram, and Cratefall is the first game I have finished. I wrote it in my spare "
          "evenings to learn how windows, timers and pictures work together. I hope the falling "
          "boxes keep you busy for a while. Enjoy the game!",
          rgb(0x00C000), Colour::text(), {12}, Align::Left),
};

} // namespace

// clang-format off
// name, caption, border, background, ClientLeft, ClientTop, ClientWidth, ClientHeight, icon, timer
const FormDesign form1{"Form1", "Cratefall 1.0 - By Mokram", Border::Sizable, white, 6120, 3600, 5715, 6210, "Tile01", {Enabled::Yes, 1}, title, titleMenu};
const FormDesign form12{"Form12", "Congratulations, you beat Cratefall 1.0!!", Border::Sizable, white, 5190, 4155, 7920, 6570, "Tile14", {}, victory};
const FormDesign form13{"Form13", "How to play", Border::None, helpGrey, 6075, 2670, 5745, 2400, "Tile17", {}, howToPlay};
const FormDesign aboutmeform{"Aboutmeform", "About Mokram", Border::None, aboutGreen, 5880, 3810, 6450, 6450, "", {}, about};
// clang-format on

} // namespace layouts

const FormDesign& layout(std::string_view formName)
{
    static const std::array all{&layouts::form1,  &layouts::form2,      &layouts::form3,
                                &layouts::form4,  &layouts::form5,      &layouts::form6,
                                &layouts::form7,  &layouts::form8,      &layouts::form9,
                                &layouts::form10, &layouts::form11,     &layouts::form12,
                                &layouts::form13, &layouts::aboutmeform};
    for (const FormDesign* design : all)
        if (design->name == formName)
            return *design;
    throw std::logic_error("no layout for " + std::string(formName));
}

} // namespace cratefall::ui
