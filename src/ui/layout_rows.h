#pragma once

#include "ui/layout.h"

// Row builders shared by the layout tables. Every position is written in the table itself.
namespace cratefall::ui::rows {

constexpr Colour rgb(std::uint32_t value)
{
    return Colour::fromRgb(value);
}
inline constexpr Colour white = Colour::fromRgb(0xFFFFFF);
inline constexpr Colour black = Colour::fromRgb(0x000000);

// A falling box: a stretched tile, disabled until the level starts.
constexpr ControlDesign box(std::string_view name, int left, int top, int width, int height,
                            std::string_view tile)
{
    return picture(name, left, top, width, height, tile, Stretch::Yes, Enabled::No);
}

// A bar across the field: enabled with no handler, so it swallows the clicks on what it hides.
constexpr ControlDesign bar(std::string_view name, int left, int top, int width, int height,
                            Stretch stretch)
{
    return picture(name, left, top, width, height, "BarPicture", stretch, Enabled::Yes);
}

// Scenery at the back of a level: drawn at its own size, clipped by its control and the window.
constexpr ControlDesign backdrop(std::string_view name, int left, int top, int width, int height,
                                 std::string_view pictureName)
{
    return picture(name, left, top, width, height, pictureName, Stretch::No, Enabled::No);
}

constexpr ControlDesign startLabel(int left, int top, Colour back, Colour fore = Colour::text())
{
    return label("Label4", left, top, 2055, 375, "Click to Start", back, fore, {18}, Align::Left);
}

constexpr ControlDesign scoreCaption(int top)
{
    return label("Label2", 0, top, 735, 375, "Score:", black, white, {12, Weight::Bold},
                 Align::Left);
}

constexpr ControlDesign scoreLabel(int top)
{
    return label("Label1", 0, top, 735, 495, "", rgb(0x004000), white, {13.5}, Align::Centre);
}

inline constexpr TimerDesign levelTimer{Enabled::No, 1};

} // namespace cratefall::ui::rows
