#include "game_fixture.h"

#include "shell/game.h"
#include "ui/form_timer.h"
#include "ui/form_window.h"
#include "ui/units.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>

namespace cratefall::testing {
namespace {

class RecordingPresenter final : public ui::MessageBoxPresenter {
public:
    explicit RecordingPresenter(GameFixture& fixture) : m_fixture(fixture) {}
    void show(std::string_view text, std::string_view title, ui::BoxKind kind,
              QWidget* owner) override
    {
        ShownBox box{std::string(text), std::string(title), kind, owner};
        m_fixture.boxes.push_back(box);
        if (m_fixture.whileBoxOpen)
            m_fixture.whileBoxOpen(box);
    }

private:
    GameFixture& m_fixture;
};

// A clock whose wake-ups never come, so no tick of a screen's timer slips in while Qt delivers a
// press or a key, however slowly a loaded machine runs the test: the test raises each tick.
class HandClock final : public ui::TimerClock {
public:
    double nowMs() const override { return 0; }
    void wakeIn(int, std::function<void()>) override { m_pending = true; }
    void cancel() override { m_pending = false; }
    bool pending() const override { return m_pending; }

private:
    bool m_pending = false;
};

QtMessageHandler testLog = nullptr;

// Qt's offscreen platform cannot raise a window or pass on its size hints, and says so for every
// window the game shows; those lines would bury the tests' own. Everything else, the game's own
// warnings first of all, goes on to the test's log as it came.
void withoutOffscreenNotices(QtMsgType type, const QMessageLogContext& context,
                             const QString& message)
{
    static const QRegularExpression notice(
        QStringLiteral(R"(^This plugin does not support \w+\(\)$)"));
    if (type == QtWarningMsg && notice.match(message).hasMatch())
        return;
    testLog(type, context, message);
}

} // namespace

GameFixture::GameFixture(Ticks ticks)
{
    // Put in front of QTest's own handler, which it installs as the tests start.
    static const bool filtered = [] {
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            testLog = qInstallMessageHandler(withoutOffscreenNotices);
        return true;
    }();
    Q_UNUSED(filtered);
    shell::prepareApplication();
    shell::registerScreens(m_runtime);
    if (ticks == Ticks::ByHand)
        m_runtime.setClockMaker([] { return std::make_unique<HandClock>(); });
    m_runtime.setPresenter(std::make_unique<RecordingPresenter>(*this));
    m_runtime.setExitHandler([this](int status) { exitStatus = status; });
}

GameFixture::~GameFixture()
{
    settle();
}

void GameFixture::show(std::string_view name)
{
    m_runtime.dispatch([&] { m_runtime.form(name).Show(); });
    settle();
}

void GameFixture::tick(std::string_view name, int n)
{
    for (int i = 0; i < n; ++i)
        m_runtime.form(name).Timer1().fire();
    settle();
}

void GameFixture::pressAt(std::string_view name, QPoint clientPixel, Qt::MouseButton button)
{
    ui::FormWindow* window = m_runtime.form(name).window();
    QWidget* client = window->client();
    const QPoint inWindow = client->mapTo(window, clientPixel);
    QTest::mousePress(window->windowHandle(), button, {}, inWindow);
    QTest::mouseRelease(window->windowHandle(), button, {}, inWindow);
    settle();
}

void GameFixture::pressControl(std::string_view formName, std::string_view control)
{
    const ui::Control& target = m_runtime.form(formName).control(control);
    const QRect area = target.widget()->geometry();
    pressAt(formName, area.center());
}

void GameFixture::typeKey(std::string_view name, int key, const QString& text)
{
    // Through the platform window, so Qt routes the key to whatever has the focus.
    QWindow* window = m_runtime.form(name).window()->windowHandle();
    QTest::sendKeyEvent(QTest::Press, window, Qt::Key(key), text, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, window, Qt::Key(key), text, Qt::NoModifier);
    settle();
}

void GameFixture::setClientHeight(std::string_view name, int pixels)
{
    ui::FormWindow* window = m_runtime.form(name).window();
    const int extra = window->height() - window->client()->height();
    window->resize(window->width(), pixels + extra);
    if (window->layout())
        window->layout()->activate();
    QCoreApplication::processEvents();
}

void GameFixture::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace cratefall::testing
