#pragma once

namespace cratefall::ui {

// Every position and size in the layouts is in twips: 1440 to the inch, 15 to a pixel at 96 dpi.
inline constexpr int twipsPerPixel = 15;

constexpr int toPixels(double twips)
{
    const double pixels = twips / twipsPerPixel;
    return static_cast<int>(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}

constexpr int toTwips(int pixels)
{
    return pixels * twipsPerPixel;
}

// A window's Height is its client height plus these non-client metrics. They are fixed rather
// than read from the window manager so that the loss line of a level is the same on every desktop.
inline constexpr int fixedFrameTwips = 375;
inline constexpr int sizableFrameTwips = 405;
inline constexpr int menuBarTwips = 300;

// The game's speeds are twips per tick, tuned for the rate of the PC system timer that drove a
// 1 ms window timer on the desktops this game was designed for: 1193182 / 65536 Hz, about 18.2
// ticks a second. A faster tick would make the last levels unplayable.
inline constexpr double systemTimerHz = 1193182.0 / 65536.0;
inline constexpr double systemTickMs = 1000.0 / systemTimerHz;

// Intervals shorter than this are delivered at the system timer's rate.
inline constexpr int timerResolutionMs = 55;

// Fonts are sized in pixels at 96 dpi so every screen looks alike.
constexpr int pointsToPixels(double points)
{
    return static_cast<int>(points * 4.0 / 3.0 + 0.5);
}

} // namespace cratefall::ui
