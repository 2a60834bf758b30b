#include "shell/form1.h"

#include "shell/screen_names.h"

#include <array>

namespace cratefall::shell {
namespace {

using namespace ui;

// Image1 to Image3, the falling pictures, in the order of titleFalls.
constexpr std::array<std::string_view, 3> titlePictures{"Image1", "Image2", "Image3"};

constexpr std::array titleControls{
    picture(titlePictures[2], 3840, 360, 825, 720, "Tile02", Stretch::Yes, Enabled::Yes),
    picture(titlePictures[1], 2040, 240, 840, 840, "Tile03", Stretch::Yes, Enabled::Yes),
    picture(titlePictures[0], 240, 240, 825, 825, "Tile04", Stretch::Yes, Enabled::Yes),
};

constexpr std::array titleMenu{
    MenuDesign{"mnufile", "&File", ""},
    MenuDesign{"mnuplay", "&Play", "mnufile"},
    MenuDesign{"mnuexit", "Exi&t", "mnufile", "Ctrl+F4"},
    MenuDesign{"mnuhelp", "&Help", ""},
    MenuDesign{"mnuhow", "&How to play", "mnuhelp", "Ctrl+D"},
    MenuDesign{"mnuaboutc", "About &Creator", "mnuhelp"},
};

const TitleFall& fall1 = titleFalls[0];
const TitleFall& fall2 = titleFalls[1];
const TitleFall& fall3 = titleFalls[2];

// A mend: in a window stretched taller than the game integer can count, a top would step past its
// range and end the game with an overflow, a crash for a player who only resized the title. A
// top that may have to wait up to two more ticks for the others to wrap first (one wrap per
// tick) and could not take those steps within range wraps as if it had reached the Height.
bool reachedBottom(GameInt top, const TitleFall& fall, double height)
{
    constexpr int pendingTicks = 3;
    return double(top.value()) >= height || top.value() + pendingTicks * fall.step > GameInt::max;
}

} // namespace

constinit const FormDesign titleDesign{.name = screens::title,
                                       .caption = "Cratefall 1.0 - By Mokram",
                                       .border = Border::Sizable,
                                       .back = white,
                                       .clientLeft = 6120,
                                       .clientTop = 3600,
                                       .clientWidth = 5715,
                                       .clientHeight = 6210,
                                       .icon = "Tile01",
                                       .timer = {Enabled::Yes, 1},
                                       .controls = titleControls,
                                       .menu = titleMenu};

Form1::Form1(ui::Runtime& runtime) : Form(runtime, titleDesign)
{
    handle("mnuplay", [this] { mnuplay_Click(); });
    handle("mnuexit", [this] { mnuexit_Click(); });
    handle("mnuhow", [this] { mnuhow_Click(); });
    handle("mnuaboutc", [this] { mnuaboutc_Click(); });
}

void Form1::Form_Load()
{
    TitleTop1 = 0;
    TitleTop2 = 0;
    TitleTop3 = 0;
}

void Form1::Timer1_Timer()
{
    TitleTop1 += fall1.step;
    TitleTop2 += fall2.step;
    TitleTop3 += fall3.step;
    control(titlePictures[0]).Move(fall1.left, TitleTop1);
    control(titlePictures[1]).Move(fall2.left, TitleTop2);
    control(titlePictures[2]).Move(fall3.left, TitleTop3);

    // as designed: at most one picture goes back to the top on a tick, the first in this order;
    // one that reaches the bottom with another waits a tick or two out of sight.
    const double height = Height();
    if (reachedBottom(TitleTop1, fall1, height))
        TitleTop1 = fall1.wrapTo;
    else if (reachedBottom(TitleTop2, fall2, height))
        TitleTop2 = fall2.wrapTo;
    else if (reachedBottom(TitleTop3, fall3, height))
        TitleTop3 = fall3.wrapTo;
}

void Form1::mnuplay_Click()
{
    form(screens::level(1)).Show();
    Unload();
}

void Form1::mnuexit_Click()
{
    End();
}

void Form1::mnuhow_Click()
{
    form(screens::howToPlay).Show();
}

void Form1::mnuaboutc_Click()
{
    form(screens::about).Show();
}

} // namespace cratefall::shell
