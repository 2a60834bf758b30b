// The title screen with its real timer on a real display.
//   cratefall_tick_probe                 records the time of every tick (Image1 moves once a
//                                        tick), blocks the event loop once, prints the figures
//   cratefall_tick_probe --paint-audit   audits what each frame repaints for ten seconds
#include "common/frame_meter.h"
#include "common/tick_session.h"
#include "play/quiet_presenter.h"
#include "shell/game.h"
#include "shell/screen_names.h"
#include "ui/form.h"
#include "ui/form_window.h"
#include "ui/runtime.h"

#include <QApplication>
#include <QTimer>
#include <iostream>
#include <memory>

namespace {

using namespace cratefall;

constexpr int warmUpMs = 1000;
constexpr int auditMs = 10'000;

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool audit = QApplication::arguments().contains(QStringLiteral("--paint-audit"));
    shell::prepareApplication();
    ui::Runtime runtime;
    shell::registerScreens(runtime);
    auto presenter = std::make_unique<bench::QuietPresenter>();
    runtime.setPresenter(std::move(presenter));
    runtime.dispatch([&] { runtime.form(shell::screens::title).Show(); });
    ui::Form& title = runtime.form(shell::screens::title);
    if (!title.isLoaded()) {
        std::cerr << "the title screen did not load\n";
        return 1;
    }

    std::unique_ptr<bench::TickSession> session;
    std::unique_ptr<bench::MoveStamp> stamp;
    std::unique_ptr<bench::FrameMeter> meter;
    if (audit) {
        meter = std::make_unique<bench::FrameMeter>(title.window());
        QTimer::singleShot(warmUpMs, [&] { meter->setActive(true); });
        QTimer::singleShot(warmUpMs + auditMs, [&] {
            meter->print("game.title_paint");
            QApplication::quit();
        });
    } else {
        session = std::make_unique<bench::TickSession>("game.tick", bench::TickSession::Plan{},
                                                       [] { QApplication::quit(); });
        stamp = std::make_unique<bench::MoveStamp>(title.control("Image1").widget(), *session);
        QTimer::singleShot(warmUpMs, [&] { session->start(); });
    }
    return QApplication::exec();
}
