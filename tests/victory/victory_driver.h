#pragma once

#include "game_fixture.h"

#include <QString>
#include <Qt>

class QWidget;

namespace cratefall::testing {

// Drives the victory screen the way a player does: through the window's own key and mouse
// events, so focus, default and cancel buttons and access keys are all Qt's real routing.
class VictoryDriver {
public:
    explicit VictoryDriver(GameFixture& game) : m_game(game) {}

    // Shows Form12 through the runtime and waits until it is the active window.
    [[nodiscard]] bool open();
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Tabs to the name box and types into it.
    void typeName(const QString& name);
    void clickButton(std::string_view button);
    // The frame's close box.
    void closeWindow();
    QWidget* focused() const;
    QWidget* widget(std::string_view control) const;
    bool ended() const { return m_game.exitStatus.has_value(); }

private:
    GameFixture& m_game;
};

} // namespace cratefall::testing
