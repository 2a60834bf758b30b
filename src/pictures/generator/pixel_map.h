#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace cratefall::pictures {

enum class ColourDepth { Palette256 = 8, TrueColour = 24 };

struct MapImage {
    QImage pixels; // ARGB32; alpha 0 marks a pixel the icon mask leaves see-through
    ColourDepth depth = ColourDepth::TrueColour;
};

struct IconMap {
    QString name;
    std::vector<MapImage> images; // in the order the icon directory lists them
};

// Reads the text pixel maps: "icon NAME", then "colour C #rrggbb" lines, then one or more
// "image SIZE BITS..." headers each followed by SIZE rows of SIZE characters ('.' is
// transparent). Throws std::runtime_error naming the file and line on any mistake, so a typo in
// a map stops the build instead of shipping a broken picture.
std::vector<IconMap> parseIconMaps(const QString& text, const QString& sourceName);

} // namespace cratefall::pictures
