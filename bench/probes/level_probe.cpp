// The last level played on a real display with its real timer: the start label is
// pressed, and every box that would be lost on the tick after next is clicked, as a late player
// would, so the level neither ends in a loss nor reaches its target while it is measured.
//   cratefall_level_probe [--seconds N]   plays for N seconds (14 by default), prints what happened
//   cratefall_level_probe --paint-audit   also audits what each frame repaints, for ten seconds
//   cratefall_level_probe --caption       prints the last level's caption, which the harness awaits
#include "common/frame_meter.h"
#include "levels/level_form.h"
#include "levels/level_table.h"
#include "play/level_keeper.h"
#include "play/quiet_presenter.h"
#include "shell/game.h"
#include "shell/screen_names.h"
#include "ui/form_window.h"
#include "ui/runtime.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <iostream>
#include <memory>
#include <string_view>

namespace {

using namespace cratefall;

constexpr int startAfterMs = 500;
constexpr int auditFromMs = 1500;
constexpr int auditMs = 10'000;

// Looks at the boxes after every tick (the first box moves once a tick) and clicks the late ones.
class Player final : public QObject {
public:
    Player(ui::Runtime& runtime, levels::LevelForm& level) : m_runtime(runtime), m_level(level)
    {
        level.control("Image1").widget()->installEventFilter(this);
    }
    int clicks() const { return m_clicks; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Move && !m_scheduled) {
            m_scheduled = true;
            QTimer::singleShot(0, this, [this] { play(); });
        }
        return false;
    }

private:
    void play()
    {
        m_scheduled = false;
        if (m_level.isLoaded() && !m_runtime.ended())
            m_clicks += bench::keepAlive(m_level, bench::ClickRoute::Press);
    }

    ui::Runtime& m_runtime;
    levels::LevelForm& m_level;
    int m_clicks = 0;
    bool m_scheduled = false;
};

int secondsFrom(const QStringList& args)
{
    const auto at = args.indexOf(QStringLiteral("--seconds"));
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1).toInt() : 14;
}

} // namespace

int main(int argc, char* argv[])
{
    // Asked before any display is opened: the harness needs it to know which window to wait for.
    if (argc == 2 && std::string_view(argv[1]) == "--caption") {
        std::cout << levels::table().back().window.caption << '\n';
        return 0;
    }
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    shell::prepareApplication();
    ui::Runtime runtime;
    shell::registerScreens(runtime);
    auto owned = std::make_unique<bench::QuietPresenter>();
    bench::QuietPresenter& presenter = *owned;
    runtime.setPresenter(std::move(owned));
    // The last level, the hardest: the last entry of the table.
    const std::string_view last = shell::screens::levels.back();
    runtime.dispatch([&] { runtime.form(last).Show(); });
    auto& level = dynamic_cast<levels::LevelForm&>(runtime.form(last));
    if (!level.isLoaded()) {
        std::cerr << "the last level did not load\n";
        return 1;
    }
    Player player(runtime, level);
    QTimer::singleShot(startAfterMs, [&] { bench::pressStart(level, bench::ClickRoute::Press); });

    std::unique_ptr<bench::FrameMeter> meter;
    if (args.contains(QStringLiteral("--paint-audit"))) {
        meter = std::make_unique<bench::FrameMeter>(level.window());
        QTimer::singleShot(auditFromMs, [&] {
            QWidget* score = level.control("Label1").widget();
            meter->allow(QRect(score->mapTo(level.window(), QPoint()), score->size()));
            meter->setActive(true);
        });
        QTimer::singleShot(auditFromMs + auditMs, [&] { meter->setActive(false); });
    }
    QTimer::singleShot(secondsFrom(args) * 1000, [&] {
        if (meter)
            meter->print("game.last_level_paint");
        std::cout << "level.clicks=" << player.clicks() << '\n'
                  << "level.boxes_shown=" << presenter.shown() << '\n'
                  << "level.still_running=" << (level.isLoaded() && !runtime.ended()) << '\n';
        QApplication::quit();
    });
    return QApplication::exec();
}
