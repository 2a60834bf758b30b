#pragma once

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

// Every screen's name, the one the runtime knows it by. Written here only.
namespace cratefall::shell::screens {

inline constexpr std::string_view title = "Form1";
inline constexpr std::string_view victory = "Form12";
inline constexpr std::string_view howToPlay = "Form13";
inline constexpr std::string_view about = "Aboutmeform";

// As many as the level table has entries, in its order.
inline constexpr auto levels = std::to_array<std::string_view>(
    {"Form2", "Form3", "Form4", "Form5", "Form6", "Form7", "Form8", "Form9", "Form10", "Form11"});

// Every screen: the title, the levels in order, then the others.
inline constexpr auto all = [] {
    std::array<std::string_view, levels.size() + 4> names{title};
    std::copy(levels.begin(), levels.end(), names.begin() + 1);
    names[levels.size() + 1] = victory;
    names[levels.size() + 2] = howToPlay;
    names[levels.size() + 3] = about;
    return names;
}();

// Level n's screen, n from 1.
constexpr std::string_view level(int number)
{
    if (number < 1 || number > int(levels.size()))
        throw std::out_of_range("no such level");
    return levels[std::size_t(number - 1)];
}

} // namespace cratefall::shell::screens
