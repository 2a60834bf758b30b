#include "gbench/offscreen_game.h"

#include "levels/level_form.h"
#include "shell/game.h"
#include "shell/screen_names.h"
#include "ui/form.h"

#include <QCoreApplication>
#include <QEvent>

namespace cratefall::bench {

namespace {
constexpr std::string_view anchorScreen = shell::screens::howToPlay;
}

OffscreenGame::OffscreenGame()
{
    shell::registerScreens(m_runtime);
    auto presenter = std::make_unique<QuietPresenter>();
    m_presenter = presenter.get();
    m_runtime.setPresenter(std::move(presenter));
    m_runtime.setExitHandler([](int) {});
    show(anchorScreen);
}

OffscreenGame::~OffscreenGame()
{
    flush();
}

levels::LevelForm& OffscreenGame::level(std::string_view screen)
{
    return dynamic_cast<levels::LevelForm&>(m_runtime.form(screen));
}

void OffscreenGame::show(std::string_view screen)
{
    m_runtime.dispatch([&] { m_runtime.form(screen).Show(); });
    flush();
}

void OffscreenGame::unload(std::string_view screen)
{
    m_runtime.dispatch([&] { m_runtime.form(screen).Unload(); });
    flush();
}

levels::LevelForm& OffscreenGame::showLevel(std::string_view screen)
{
    show(screen);
    // The level's timer is still off, so this runs no tick.
    QCoreApplication::processEvents();
    return level(screen);
}

void OffscreenGame::tick(std::string_view screen)
{
    m_runtime.form(screen).Timer1().fire();
}

void OffscreenGame::flush()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace cratefall::bench
