#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace cratefall::ui {

// A colour of the layouts: an explicit #RRGGBB, one of the desktop's own colours, or none.
struct Colour {
    enum class Kind : std::uint8_t { Rgb, SystemFace, SystemText, Transparent };
    Kind kind = Kind::SystemFace;
    std::uint32_t rgb = 0;

    static constexpr Colour fromRgb(std::uint32_t value) { return {Kind::Rgb, value}; }
    static constexpr Colour face() { return {Kind::SystemFace, 0}; }
    static constexpr Colour text() { return {Kind::SystemText, 0}; }
    static constexpr Colour transparent() { return {Kind::Transparent, 0}; }
};

enum class ControlKind : std::uint8_t { Picture, Label, Line, Button, TextBox };
enum class Stretch : std::uint8_t { No, Yes };
enum class Enabled : std::uint8_t { No, Yes };
enum class Align : std::uint8_t { Left, Centre };
enum class Weight : std::uint8_t { Regular, Bold };
enum class ButtonRole : std::uint8_t { None, Default, Cancel };
enum class ButtonStyle : std::uint8_t { Standard, Graphical };
enum class Border : std::uint8_t { Fixed, Sizable, None };
// What a window is to a screen reader. A dialog (a window of text closed by its one button) has
// its text read out as it opens; a main window only its caption.
enum class WindowRole : std::uint8_t { Main, Dialog };

// Points of "MS Sans Serif"; 0 means the standard look of the control.
struct FontStyle {
    double points = 0;
    Weight weight = Weight::Regular;
};

// One row of a layout table. Lines use left/top/width/height as X1, Y1, X2, Y2.
struct ControlDesign {
    std::string_view name;
    ControlKind kind = ControlKind::Picture;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string_view caption = {};
    std::string_view picture = {};
    Stretch stretch = Stretch::No;
    Enabled enabled = Enabled::Yes;
    Colour back = Colour::face();
    Colour fore = Colour::text();
    FontStyle font = {};
    Align align = Align::Left;
    int tabIndex = -1;
    ButtonRole role = ButtonRole::None;
    ButtonStyle style = ButtonStyle::Standard;
    // A picture's lettering, one line a row, which a screen reader reads as the picture's name.
    std::string_view shows = {};
    // A text box's label on the screen, whose caption a screen reader reads as the box's name.
    std::string_view label = {};
};

struct MenuDesign {
    std::string_view name;
    std::string_view caption;
    std::string_view parent; // empty: on the menu bar
    std::string_view shortcut = {};
};

struct TimerDesign {
    Enabled enabled = Enabled::No;
    int interval = 0; // 0: the form has no timer
};

struct FormDesign {
    std::string_view name = {}; // the screen's name, under which the runtime knows it
    std::string_view caption = {};
    Border border = Border::Fixed;
    WindowRole role = WindowRole::Main;
    Colour back = Colour::face();
    int clientLeft = 0;
    int clientTop = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    std::string_view icon = {};
    TimerDesign timer = {};
    std::span<const ControlDesign> controls = {}; // front to back
    std::span<const MenuDesign> menu = {};
};

// A picture's lettering as a screen reader reads it: its rows in one line.
inline std::string spokenLettering(std::string_view shows)
{
    std::string line;
    for (const char c : shows)
        line += c == '\n' ? std::string_view(", ") : std::string_view(&c, 1);
    return line;
}

constexpr Colour rgb(std::uint32_t value)
{
    return Colour::fromRgb(value);
}
inline constexpr Colour white = Colour::fromRgb(0xFFFFFF);
inline constexpr Colour black = Colour::fromRgb(0x000000);

// Row builders for the layout tables, so each row reads like the table it comes from.
constexpr ControlDesign picture(std::string_view name, int left, int top, int width, int height,
                                std::string_view pictureName, Stretch stretch, Enabled enabled)
{
    return {.name = name,
            .kind = ControlKind::Picture,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .picture = pictureName,
            .stretch = stretch,
            .enabled = enabled};
}

constexpr ControlDesign line(std::string_view name, int x1, int y1, int x2, int y2)
{
    return {.name = name,
            .kind = ControlKind::Line,
            .left = x1,
            .top = y1,
            .width = x2,
            .height = y2,
            .enabled = Enabled::No};
}

constexpr ControlDesign label(std::string_view name, int left, int top, int width, int height,
                              std::string_view caption, Colour back, Colour fore, FontStyle font,
                              Align align)
{
    return {.name = name,
            .kind = ControlKind::Label,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .caption = caption,
            .back = back,
            .fore = fore,
            .font = font,
            .align = align};
}

} // namespace cratefall::ui
