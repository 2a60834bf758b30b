#pragma once

#include <string_view>

// The words drawn into the pictures: the generator letters them, and the screens name the
// pictures by them for a screen reader, so what is heard is what is drawn.
namespace cratefall::pictures::lettering {

inline constexpr std::string_view aboutBanner = "About Mokram";
// One line a row of the card: the name large, the address and the year below it.
inline constexpr std::string_view contactCard = "Cratefall\ncratefall@example.org\n2026";

} // namespace cratefall::pictures::lettering
