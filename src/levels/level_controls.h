#pragma once

#include <array>
#include <stdexcept>
#include <string_view>

// The roles the level screens give their controls, by the names the layouts give them.
namespace cratefall::levels::controls {

inline constexpr std::string_view score = "Label1";
inline constexpr std::string_view scoreCaption = "Label2";
inline constexpr std::string_view start = "Label4";

// The boxes are Image1 up to Image<boxes>; the bars are the pictures numbered after them.
inline constexpr std::array<std::string_view, 12> images{"Image1", "Image2",  "Image3",  "Image4",
                                                         "Image5", "Image6",  "Image7",  "Image8",
                                                         "Image9", "Image10", "Image11", "Image12"};

constexpr std::string_view image(int number)
{
    if (number < 1 || number > int(images.size()))
        throw std::out_of_range("no such picture");
    return images[std::size_t(number - 1)];
}

} // namespace cratefall::levels::controls
