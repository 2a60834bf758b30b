// The floor for any Qt Widgets program on this machine: a window of the title screen's size with
// a menu bar like the title's, whose client repaints one 57-pixel square at the game's tick rate.
//   cratefall_reference                 runs until it is stopped
//   cratefall_reference --ticks         records its ticks for the regularity figures, then quits
//   cratefall_reference --paint-audit   audits what each frame repaints for ten seconds, then quits
#include "common/frame_meter.h"
#include "common/tick_session.h"
#include "common/tick_stats.h"

#include <QApplication>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cmath>
#include <functional>
#include <memory>

namespace {

using cratefall::bench::FrameMeter;
using cratefall::bench::TickSession;

constexpr QSize clientSize(381, 414);
constexpr QRect square(162, 178, 57, 57);
constexpr int auditMs = 10'000;

class Client final : public QWidget {
public:
    explicit Client(QWidget* parent) : QWidget(parent)
    {
        setFixedSize(clientSize);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void tick()
    {
        m_hue = (m_hue + 7) % 360;
        update(square);
        if (onTick)
            onTick();
    }

    std::function<void()> onTick;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), Qt::white);
        painter.fillRect(square, QColor::fromHsv(m_hue, 200, 220));
    }

private:
    int m_hue = 0;
};

QMenuBar* titleLikeMenu(QWidget* parent)
{
    auto* bar = new QMenuBar(parent);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Play"));
    file->addAction(QStringLiteral("Exi&t"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+F4")));
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&How to play"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
    help->addAction(QStringLiteral("About &Creator"));
    return bar;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();

    QWidget window;
    window.setWindowTitle(QStringLiteral("Cratefall reference"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(titleLikeMenu(&window));
    auto* client = new Client(&window);
    layout->addWidget(client);

    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(int(std::lround(cratefall::bench::tickPeriodMs)));
    QObject::connect(&timer, &QTimer::timeout, client, &Client::tick);

    std::unique_ptr<TickSession> session;
    if (args.contains(QStringLiteral("--ticks"))) {
        session = std::make_unique<TickSession>("reference.tick", TickSession::Plan{},
                                                [] { QApplication::quit(); });
        client->onTick = [&session] { session->stamp(); };
    }
    std::unique_ptr<FrameMeter> meter;
    if (args.contains(QStringLiteral("--paint-audit"))) {
        meter = std::make_unique<FrameMeter>(&window);
        client->onTick = [&meter] { meter->nextFrame(); };
        QTimer::singleShot(1000, [&] {
            meter->allow(QRect(client->mapTo(&window, square.topLeft()), square.size()));
            meter->setActive(true);
        });
        QTimer::singleShot(1000 + auditMs, [&] {
            meter->print("reference.paint");
            QApplication::quit();
        });
    }

    // As the game's windows: in a browser a window shown plainly fills the page.
    window.showNormal();
    timer.start();
    if (session)
        QTimer::singleShot(1000, [&session] { session->start(); });
    return QApplication::exec();
}
