#pragma once

// What the tests and benchmarks may see of the game's inside, in one place. The screens keep
// their state private and name this one friend; the shipped program never includes this header.

#include "levels/level_form.h"
#include "levels/level_table.h"
#include "shell/form1.h"
#include "ui/form_window.h"
#include "ui/runtime.h"

#include <QMenuBar>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace cratefall::testing {

struct Access {
    // Handlers started so far, nested ones included.
    static std::uint64_t handlersStarted(const ui::Runtime& runtime)
    {
        return runtime.m_handlersStarted;
    }
    static bool inHandler(const ui::Runtime& runtime) { return runtime.m_depth > 0; }
    static bool hasControl(const ui::Form& form, std::string_view name)
    {
        return form.m_controls.contains(name);
    }
    static QMenuBar* menuBar(const ui::FormWindow& window) { return window.m_menuBar; }

    static const levels::LevelEngine& engine(const levels::LevelForm& level)
    {
        return level.m_engine;
    }

    // TitleTop1 to TitleTop3, by number.
    static ui::GameInt& titleTop(shell::Form1& title, int number)
    {
        switch (number) {
        case 1:
            return title.TitleTop1;
        case 2:
            return title.TitleTop2;
        case 3:
            return title.TitleTop3;
        }
        throw std::out_of_range("the title has three pictures");
    }
    static ui::GameInt titleTop(const shell::Form1& title, int number)
    {
        return titleTop(const_cast<shell::Form1&>(title), number);
    }
};

// Level n's entry, n from 1.
inline const levels::Level& level(int number)
{
    return levels::table()[std::size_t(number - 1)];
}

// The level shown on this screen, or none.
inline const levels::Level* levelOnScreen(std::string_view screen)
{
    for (const levels::Level& level : levels::table())
        if (level.screen == screen)
            return &level;
    return nullptr;
}

} // namespace cratefall::testing

// Found by Qt Test beside the type, so a failed comparison of game integers prints their values.
namespace cratefall::ui {
inline char* toString(const GameInt& value)
{
    return qstrdup(QByteArray::number(value.value()).constData());
}
} // namespace cratefall::ui
