#pragma once

#include <QSize>
#include <QString>
#include <array>

// What the game's screens ask for, as the designers ordered it.
namespace cratefall::tests {

struct ExpectedIcon {
    const char* name;
    QSize largest;
    qint64 bytes;
    int transparentPixels; // in the largest image, as its map draws it
};

struct ExpectedJpeg {
    const char* name;
    QSize size;
};

struct ExpectedTile {
    const char* name;
    int transparentPixels;
};

inline constexpr std::array<ExpectedIcon, 7> kIcons{{
    {"FaceIcon1", {32, 32}, 3262, 562},
    {"FaceIcon2", {32, 32}, 3262, 564},
    {"FaceIcon3", {32, 32}, 3262, 420},
    {"FaceIcon4", {32, 32}, 3262, 532},
    {"FaceIcon5", {32, 32}, 3262, 526},
    {"CartridgeIcon", {32, 32}, 3638, 710},
    {"CreatureIcon", {32, 32}, 7782, 438},
}};

inline constexpr std::array<ExpectedJpeg, 8> kJpegs{{
    {"BarPicture", {450, 30}},
    {"BlueBackdrop", {300, 300}},
    {"RedBackdrop", {300, 300}},
    {"StripeBackdrop", {386, 1196}},
    {"GoldBackdrop", {900, 700}},
    {"MedalPicture", {52, 128}},
    {"AboutBanner", {200, 50}},
    {"ContactPicture", {300, 110}},
}};

// A 60 is the one-pixel see-through ring alone; larger counts add the holes of that box.
inline constexpr std::array<ExpectedTile, 21> kTiles{{
    {"Tile01", 60},  {"Tile02", 60}, {"Tile03", 60}, {"Tile04", 60},  {"Tile05", 85},
    {"Tile06", 60},  {"Tile07", 85}, {"Tile08", 60}, {"Tile09", 60},  {"Tile10", 60},
    {"Tile11", 60},  {"Tile12", 60}, {"Tile13", 60}, {"Tile14", 124}, {"Tile15", 85},
    {"Tile16", 108}, {"Tile17", 60}, {"Tile18", 85}, {"Tile19", 124}, {"Tile20", 89},
    {"Tile21", 108},
}};

inline constexpr qint64 kTileBytes = 894;

} // namespace cratefall::tests
