#include "game_fixture.h"

#include "shell/game.h"
#include "ui/form_window.h"
#include "ui/qt_text.h"

#include <QApplication>
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

void HandClock::wake(double lateMs)
{
    QVERIFY(m_wakeAt);
    m_now = *m_wakeAt + lateMs;
    m_wakeAt.reset();
    m_wake();
}

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

bool GameFixture::showActive(std::string_view name)
{
    show(name);
    return QTest::qWaitForWindowActive(m_runtime.form(name).window());
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
    pressAt(formName, widget(formName, control)->geometry().center());
}

void GameFixture::typeKey(std::string_view name, int key, const QString& text)
{
    // Through the platform window, so Qt routes the key to whatever has the focus.
    QWindow* window = m_runtime.form(name).window()->windowHandle();
    QTest::sendKeyEvent(QTest::Click, window, Qt::Key(key), text, Qt::NoModifier);
    settle();
}

void GameFixture::key(std::string_view name, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(m_runtime.form(name).window()->windowHandle(), key, modifiers);
    settle();
}

void GameFixture::typeInto(std::string_view name, std::string_view control, const QString& text)
{
    // Tab goes round a window's few controls: ten presses that never reach it never will.
    for (int presses = 0; presses < 10 && QApplication::focusWidget() != widget(name, control);
         ++presses)
        key(name, Qt::Key_Tab);
    if (QApplication::focusWidget() != widget(name, control))
        return QTest::qFail(qPrintable(QStringLiteral("Tab never took the focus to %1's %2")
                                           .arg(ui::qtext(name), ui::qtext(control))),
                            __FILE__, __LINE__);
    QTest::keyClicks(widget(name, control), text);
}

QWidget* GameFixture::widget(std::string_view name, std::string_view control)
{
    return m_runtime.form(name).control(control).widget();
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

QStringList GameFixture::loaded() const
{
    QStringList names;
    for (const ui::Form* form : m_runtime.loadedForms())
        names.append(ui::qtext(form->name()));
    return names;
}

QString GameFixture::shownBoxes() const
{
    QStringList shown;
    for (const ShownBox& box : boxes)
        shown.append(QStringLiteral("\"%1\" (%2)").arg(ui::qtext(box.text), ui::qtext(box.title)));
    return shown.join(QStringLiteral(", "));
}

double shareOf(const QImage& image, QColor colour)
{
    qsizetype matching = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            matching += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
    return double(matching) / double(image.width() * image.height());
}

} // namespace cratefall::testing
