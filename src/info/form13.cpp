#include "info/form13.h"

#include "pictures/lettering.h"
#include "shell/screen_names.h"
#include "ui/control.h"
#include "ui/qt_text.h"

#include <QWidget>
#include <array>

namespace cratefall::info {
namespace {

using namespace ui;

// Each screen's one button, which closes it.
constexpr std::string_view closeButton = "Command1";
// About's contact: a label and the card, a picture of words, below it.
constexpr std::string_view contactLabel = "Label3";
constexpr std::string_view contactCard = "Image7";

constexpr auto helpGrey = Colour::fromRgb(0xE0E0E0);

constexpr std::array howToPlay{
    ControlDesign{.name = closeButton,
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

// A picture named for a screen reader by the words drawn on it.
constexpr ControlDesign lettered(ControlDesign picture, std::string_view lettering)
{
    picture.shows = lettering;
    return picture;
}

constexpr std::array about{
    ControlDesign{.name = closeButton,
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
    lettered(
        picture(contactCard, 1080, 4080, 4500, 1650, "ContactPicture", Stretch::No, Enabled::Yes),
        pictures::lettering::contactCard),
    lettered(picture("Image6", 1680, 0, 3000, 750, "AboutBanner", Stretch::No, Enabled::Yes),
             pictures::lettering::aboutBanner),
    label(contactLabel, 840, 3600, 1095, 375, "Contact:", aboutGreen, white, {12}, Align::Left),
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

// Neither window has a border or a caption bar: each closes by its own button only. Both are a
// screen reader's dialogs, read out whole as they open.
constinit const FormDesign howToPlayDesign{.name = shell::screens::howToPlay,
                                           .caption = "How to play",
                                           .border = Border::None,
                                           .role = WindowRole::Dialog,
                                           .back = helpGrey,
                                           .clientLeft = 6075,
                                           .clientTop = 2670,
                                           .clientWidth = 5745,
                                           .clientHeight = 2400,
                                           .icon = "Tile17",
                                           .controls = howToPlay};

constinit const FormDesign aboutDesign{.name = shell::screens::about,
                                       .caption = "About Mokram",
                                       .border = Border::None,
                                       .role = WindowRole::Dialog,
                                       .back = aboutGreen,
                                       .clientLeft = 5880,
                                       .clientTop = 3810,
                                       .clientWidth = 6450,
                                       .clientHeight = 6450,
                                       .controls = about};

Form13::Form13(ui::Runtime& runtime) : Form(runtime, howToPlayDesign)
{
    handle(closeButton, [this] { Command1_Click(); });
}

void Form13::Command1_Click()
{
    Unload();
}

Aboutmeform::Aboutmeform(ui::Runtime& runtime) : Form(runtime, aboutDesign)
{
    handle(closeButton, [this] { Command1_Click(); });
}

// A screen reader reads a dialog's labels as it opens, but neither a one-word label nor a picture:
// the label "Contact:" is read with the card it introduces. (A description would be no better:
// Orca 48 reads it in place of the labels, and so never the text above the card.)
void Aboutmeform::Form_Load()
{
    control(contactLabel)
        .widget()
        ->setAccessibleName(ui::qtext(control(contactLabel).Caption() + " " +
                                  spokenLettering(control(contactCard).design().shows)));
}

void Aboutmeform::Command1_Click()
{
    Unload();
}

} // namespace cratefall::info
