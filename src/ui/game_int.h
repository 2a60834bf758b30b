#pragma once

#include "ui/runtime_error.h"

#include <compare>
#include <cstdint>
#include <string>

namespace cratefall::ui {

class OverflowError : public RuntimeError {
public:
    OverflowError() : RuntimeError("Overflow") {}
};

// The game's integer: signed 16 bits, where stepping outside the range is an error rather than a
// silent wrap, so a runaway score or position stops the game instead of going negative.
class GameInt {
public:
    constexpr GameInt() = default;
    constexpr GameInt(int value) : m_value(checked(value)) {} // NOLINT: implicit by design

    static constexpr int min = INT16_MIN;
    static constexpr int max = INT16_MAX;

    constexpr int value() const { return m_value; }
    std::string text() const { return std::to_string(m_value); }

    constexpr GameInt& operator+=(GameInt other)
    {
        m_value = checked(int{m_value} + other.m_value);
        return *this;
    }
    friend constexpr GameInt operator+(GameInt a, GameInt b) { return a += b; }
    friend constexpr bool operator==(GameInt a, GameInt b) = default;
    friend constexpr auto operator<=>(GameInt a, GameInt b) = default;

private:
    static constexpr std::int16_t checked(int value)
    {
        if (value < min || value > max)
            raise(OverflowError());
        return static_cast<std::int16_t>(value);
    }

    std::int16_t m_value = 0;
};

} // namespace cratefall::ui
