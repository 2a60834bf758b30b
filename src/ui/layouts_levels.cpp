#include "ui/layout_rows.h"
#include "ui/layouts.h"

#include <array>

namespace cratefall::ui::layouts {
namespace {

using namespace rows;
constexpr auto transparent = Colour::transparent();

constexpr std::array level1{
    startLabel(720, 4080, white),
    label("Label3", 2640, 7680, 135, 495, "", white, Colour::text(), {}, Align::Left),
    line("Line1", 0, 8280, 480, 8280),
    scoreCaption(7920),
    scoreLabel(8280),
    box("Image3", 2760, 120, 615, 855, "Tile03"),
    box("Image2", 1440, 120, 705, 840, "Tile06"),
    box("Image1", 120, 120, 735, 855, "Tile07"),
};

constexpr std::array level2{
    startLabel(720, 4320, rgb(0xFF8080)),
    scoreLabel(8160),
    scoreCaption(7800),
    line("Line1", 0, 8160, 480, 8160),
    box("Image3", 2520, 240, 840, 840, "Tile09"),
    box("Image2", 1320, 240, 855, 855, "Tile02"),
    box("Image1", 240, 240, 720, 840, "Tile06"),
};

constexpr std::array level3{
    startLabel(1440, 4440, rgb(0x00C000)),
    line("Line1", 0, 8400, 480, 8400),
    scoreCaption(8040),
    scoreLabel(8400),
    box("Image4", 3960, 0, 855, 975, "Tile10"),
    box("Image3", 2760, 0, 855, 975, "Tile11"),
    box("Image2", 1440, 0, 855, 975, "Tile03"),
    box("Image1", 120, 0, 855, 975, "Tile09"),
};

constexpr std::array level4{
    startLabel(1320, 4440, rgb(0x000080), white),
    box("Image4", 3960, 0, 855, 855, "Tile09"),
    box("Image3", 2640, 0, 855, 855, "Tile01"),
    box("Image2", 1320, 0, 855, 855, "Tile13"),
    scoreLabel(8400),
    scoreCaption(8040),
    line("Line1", 0, 8400, 480, 8400),
    box("Image1", 120, 0, 855, 855, "Tile08"),
};

constexpr std::array level5{
    startLabel(1440, 3960, rgb(0x808000)),
    box("Image1", 240, 0, 855, 855, "Tile08"),
    line("Line1", 0, 8280, 480, 8280),
    scoreCaption(7920),
    scoreLabel(8280),
    box("Image2", 1560, 0, 855, 855, "Tile14"),
    box("Image3", 2880, 0, 855, 855, "Tile01"),
    box("Image4", 4080, 0, 855, 855, "Tile15"),
};

constexpr std::array level6{
    startLabel(2400, 4560, rgb(0x800000)),
    bar("Image6", 120, 3480, 6750, 450, Stretch::No),
    box("Image5", 5760, 120, 855, 855, "Tile06"),
    box("Image4", 4440, 120, 855, 855, "Tile16"),
    box("Image3", 3120, 120, 855, 855, "Tile13"),
    box("Image2", 1680, 120, 855, 855, "Tile07"),
    scoreLabel(8760),
    scoreCaption(8400),
    line("Line1", 0, 8760, 480, 8760),
    box("Image1", 360, 120, 855, 855, "Tile17"),
};

constexpr std::array level7{
    bar("Image6", 480, 2160, 6750, 450, Stretch::No),
    bar("Image7", 480, 6240, 6750, 450, Stretch::No),
    box("Image1", 360, 0, 855, 855, "Tile17"),
    line("Line2", 120, 8400, 600, 8400),
    scoreCaption(8040),
    scoreLabel(8400),
    box("Image2", 1680, 0, 855, 855, "Tile07"),
    box("Image3", 3120, 0, 855, 855, "Tile13"),
    box("Image4", 4440, 0, 855, 855, "Tile16"),
    box("Image5", 5880, 0, 855, 855, "Tile06"),
    startLabel(2400, 4440, transparent),
    backdrop("back9", 4200, 4680, 4500, 4500, "BlueBackdrop"),
    backdrop("back7", 4920, 1320, 4500, 4500, "BlueBackdrop"),
    line("Line1", 0, 8400, 480, 8400),
    backdrop("back6", 3600, -1080, 4500, 4500, "BlueBackdrop"),
    backdrop("back4", -360, -600, 4500, 4500, "BlueBackdrop"),
    backdrop("back3", -2280, 360, 4500, 4500, "BlueBackdrop"),
    backdrop("back2", 1440, 1080, 4500, 4500, "BlueBackdrop"),
    backdrop("back1", 0, 4800, 4500, 4500, "BlueBackdrop"),
};

constexpr std::array level8{
    bar("Image8", 0, 5160, 7455, 450, Stretch::Yes),
    bar("Image7", 0, 7680, 7455, 450, Stretch::Yes),
    bar("Image6", -240, 2520, 8055, 450, Stretch::Yes),
    box("Image1", 360, 0, 855, 855, "Tile17"),
    line("Line1", 240, 8400, 720, 8400),
    scoreCaption(8160),
    scoreLabel(8520),
    box("Image2", 1680, 0, 855, 855, "Tile07"),
    box("Image3", 3120, 0, 855, 855, "Tile13"),
    box("Image4", 4440, 0, 855, 855, "Tile16"),
    box("Image5", 5760, 0, 855, 855, "Tile06"),
    startLabel(2760, 4440, transparent, white),
    backdrop("back4", 4080, 4440, 4500, 4500, "RedBackdrop"),
    backdrop("back3", -360, 4440, 4500, 4500, "RedBackdrop"),
    backdrop("back2", 4080, 0, 4500, 4500, "RedBackdrop"),
    backdrop("back1", -360, 0, 4500, 4500, "RedBackdrop"),
};

constexpr std::array level9{
    bar("Image10", 840, 8280, 7215, 450, Stretch::Yes),
    bar("Image9", 240, 3720, 7695, 495, Stretch::Yes),
    bar("Image8", 240, 1920, 7455, 450, Stretch::Yes),
    bar("Image7", 240, 6600, 7695, 450, Stretch::Yes),
    box("Image6", 7080, 0, 855, 855, "Tile17"),
    box("Image1", 360, 0, 855, 855, "Tile05"),
    line("Line1", 120, 8400, 600, 8400),
    scoreCaption(8040),
    scoreLabel(8400),
    box("Image2", 1680, 0, 855, 855, "Tile19"),
    box("Image3", 3120, 0, 855, 855, "Tile20"),
    box("Image4", 4440, 0, 855, 855, "Tile12"),
    box("Image5", 5760, 0, 855, 855, "Tile09"),
    startLabel(3360, 4320, transparent),
    backdrop("back2", 5040, 0, 5790, 17940, "StripeBackdrop"),
    backdrop("back1", 0, -1320, 5790, 17940, "StripeBackdrop"),
};

constexpr std::array level10{
    bar("Image12", 0, 2760, 8055, 1050, Stretch::Yes),
    bar("Image11", 0, 4920, 8055, 1050, Stretch::Yes),
    bar("Image10", -840, -840, 1215, 9570, Stretch::Yes),
    bar("Image9", 720, 9120, 7815, 570, Stretch::Yes),
    bar("Image8", 7920, 0, 1215, 9570, Stretch::Yes),
    bar("Image7", -120, 6960, 8055, 810, Stretch::Yes),
    startLabel(3360, 4320, transparent),
    box("Image5", 5760, 0, 855, 855, "Tile09"),
    box("Image4", 4440, 0, 855, 855, "Tile12"),
    box("Image3", 3120, 0, 855, 855, "Tile20"),
    box("Image2", 1680, 0, 855, 855, "Tile19"),
    scoreLabel(9120),
    scoreCaption(8760),
    line("Line1", 120, 9120, 600, 9120),
    box("Image1", 360, 0, 855, 855, "Tile05"),
    box("Image6", 7080, 0, 855, 855, "Tile17"),
    backdrop("background", -2880, -120, 13500, 10500, "GoldBackdrop"),
};

constexpr auto face = Colour::face();

} // namespace

// clang-format off
// name, caption, border, background, ClientLeft, ClientTop, ClientWidth, ClientHeight, icon
const FormDesign form2{"Form2", "Cratefall - Level 1", Border::Fixed, white, 7155, 2040, 3645, 8715, "Tile05", levelTimer, level1};
const FormDesign form3{"Form3", "Cratefall - Level 2", Border::Fixed, rgb(0xFF8080), 7140, 2070, 3525, 8670, "Tile08", levelTimer, level2};
const FormDesign form4{"Form4", "Cratefall - Level 3", Border::Fixed, rgb(0x00C000), 6510, 1920, 5070, 8805, "Tile08", levelTimer, level3};
const FormDesign form5{"Form5", "Cratefall - Level 4", Border::Fixed, rgb(0x000080), 6450, 1965, 5085, 8820, "Tile12", levelTimer, level4};
const FormDesign form6{"Form6", "Cratefall - Level 5", Border::Fixed, rgb(0x808000), 6465, 1905, 5220, 8775, "Tile01", levelTimer, level5};
const FormDesign form7{"Form7", "Cratefall - Level 6", Border::Fixed, rgb(0x800000), 5580, 1920, 6930, 9165, "Tile10", levelTimer, level6};
const FormDesign form8{"Form8", "Cratefall - Level 7", Border::Fixed, face, 5265, 2070, 7545, 8865, "Tile15", levelTimer, level7};
const FormDesign form9{"Form9", "Thingfall - Level 8", Border::Fixed, face, 4980, 2040, 7380, 8910, "Tile18", levelTimer, level8};
const FormDesign form10{"Form10", "Cratefall 1.0 - Level 9", Border::Fixed, face, 4980, 2040, 8250, 8895, "Tile08", levelTimer, level9};
const FormDesign form11{"Form11", "Cratefall 1.0 - Level 10", Border::Fixed, face, 4980, 1860, 8490, 9630, "Tile21", levelTimer, level10};
// clang-format on

} // namespace cratefall::ui::layouts
