// The defined ways out of trouble: boxes that hold every window, overflows that end the program
// through the error box and nothing after it, and keys outside ASCII that the game never sees.
#include "screen_test.h"

using cratefall::levels::controls::image;
using cratefall::levels::controls::start;
using cratefall::shell::Form1;
using cratefall::ui::BoxKind;
using cratefall::ui::GameInt;

namespace {

// Level 2: a level the tests start without playing level 1.
constexpr std::string_view level2 = screens::level(2);

enum class Cause { Pause, Win, Loss, Overflow };

// A level screen that only writes down the key codes it is given.
class KeyRecorder final : public cratefall::ui::Form {
public:
    explicit KeyRecorder(cratefall::ui::Runtime& runtime)
        : Form(runtime, cratefall::testing::level(2).design())
    {}
    void Form_KeyPress(GameInt KeyAscii) override { codes.push_back(KeyAscii.value()); }
    std::vector<int> codes;
};

struct Stroke {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// Keys as the desktop delivers them: letters outside ASCII, a character outside the BMP, dead
// keys and keys that type nothing.
std::vector<Stroke> keysOutsideAscii()
{
    return {{Qt::Key_Eacute, QStringLiteral("é")},
            {Qt::Key_Udiaeresis, QStringLiteral("Ü"), Qt::ShiftModifier},
            {Qt::Key_ssharp, QStringLiteral("ß")},
            {Qt::Key_unknown, QStringLiteral("€")},
            {Qt::Key_unknown, QString::fromUtf16(u"\U0001F600")},
            {Qt::Key_Dead_Acute, QString()},
            {Qt::Key_F1, QString()},
            {Qt::Key_Shift, QString(), Qt::ShiftModifier},
            {Qt::Key_Left, QString()}};
}

void send(QWidget* window, const Stroke& stroke)
{
    QTest::sendKeyEvent(QTest::Click, window, stroke.key, stroke.text, stroke.modifiers);
}

// Starts a level: its start pressed and TICKS ticks.
LevelForm& startLevel(GameFixture& game, std::string_view screen, int ticks)
{
    game.show(screen);
    game.pressControl(screen, start);
    game.tick(screen, ticks);
    return game.screen<LevelForm>(screen);
}

// Starts level 2 and brings the chosen box up on the next event.
void provoke(GameFixture& game, Cause cause)
{
    auto& level = startLevel(game, level2, 2);
    switch (cause) {
    case Cause::Pause:
        game.typeKey(level2, Qt::Key_P, QStringLiteral("p"));
        return;
    case Cause::Win:
        for (int i = 0; i < 40; ++i)
            level.clickControl(image(1));
        game.tick(level2);
        return;
    case Cause::Loss:
        for (int i = 0; i < 500 && game.boxes.empty(); ++i)
            game.tick(level2);
        return;
    case Cause::Overflow:
        while (Access::engine(level).score() < GameInt(GameInt::max))
            level.clickControl(image(1));
        level.clickControl(image(1));
        return;
    }
}

} // namespace

class FaultPathsTest : public QObject {
    Q_OBJECT

private slots:
    // While any box is open, nothing reaches a screen: close requests, ticks, clicks, keys.
    void closeRequestsWaitForEveryBox_data()
    {
        QTest::addColumn<Cause>("cause");
        QTest::addColumn<QStringList>("loadedAfter");
        QTest::addColumn<int>("exitAfter");
        const QString help = qtext(screens::howToPlay);
        QTest::newRow("pause") << Cause::Pause << QStringList{help, qtext(level2)} << -1;
        QTest::newRow("win") << Cause::Win << QStringList{help, qtext(screens::level(3))} << -1;
        QTest::newRow("loss") << Cause::Loss << QStringList{qtext(screens::title), help} << -1;
        QTest::newRow("overflow") << Cause::Overflow << QStringList() << 1;
    }

    void closeRequestsWaitForEveryBox()
    {
        QFETCH(Cause, cause);
        QFETCH(QStringList, loadedAfter);
        QFETCH(int, exitAfter);
        GameFixture game;
        game.show(screens::howToPlay); // a help screen left open beside the level
        bool heldOpen = false;
        game.whileBoxOpen = [&](const auto&) {
            const auto handlers = Access::handlersStarted(game.runtime());
            for (auto* form : game.runtime().loadedForms())
                form->window()->close();
            auto& level = game.form(level2);
            level.Timer1().fire();
            level.clickControl(image(1));
            level.typeKey('p');
            GameFixture::settle();
            heldOpen = game.runtime().isLoaded(level2) &&
                       game.runtime().isLoaded(screens::howToPlay) &&
                       Access::handlersStarted(game.runtime()) == handlers && !game.exitStatus;
        };
        provoke(game, cause);
        QCOMPARE(int(game.boxes.size()), 1);
        QVERIFY(heldOpen);
        QCOMPARE(game.loaded(), loadedAfter);
        QCOMPARE(game.exitStatus.value_or(-1), exitAfter);
    }

    void overflowInALevelOneTickEndsForGood()
    {
        GameFixture game;
        auto& level = startLevel(game, screens::level(1), 0);
        for (int i = 0; i < 16384; ++i) { // box 1 and box 3 together pass the integer's range
            level.clickControl(image(1));
            level.clickControl(image(3));
        }
        QVERIFY(game.boxes.empty()); // each count alone is still in range
        game.tick(screens::level(1));
        QVERIFY(!level.Timer1().Enabled());
        expectEndedByOverflow(game, screens::level(1));
    }

    void overflowOfATitleTopEndsForGood()
    {
        GameFixture game;
        game.show(screens::title);
        game.show(screens::howToPlay);
        // One step from out of range, past every wrap test.
        Access::titleTop(game.screen<Form1>(screens::title), 2) = GameInt::max - 100;
        game.tick(screens::title);
        expectEndedByOverflow(game, screens::title);
    }

    void keysOutsideAsciiNeverReachKeyPress()
    {
        GameFixture game;
        game.runtime().registerForm(
            cratefall::testing::level(2).design(),
            [](cratefall::ui::Runtime& runtime) { return std::make_unique<KeyRecorder>(runtime); });
        game.show(level2);
        auto& recorder = dynamic_cast<KeyRecorder&>(game.form(level2));
        QWidget* window = recorder.window();
        for (const Stroke& stroke : keysOutsideAscii())
            send(window, stroke);
        QVERIFY(recorder.codes.empty());
        // The keys that do arrive come with their own codes, control characters included.
        send(window, {Qt::Key_P, QStringLiteral("p")});
        send(window, {Qt::Key_P, QStringLiteral("P"), Qt::ShiftModifier});
        send(window, {Qt::Key_Return, QStringLiteral("\r")});
        send(window, {Qt::Key_P, QStringLiteral("\x10"), Qt::ControlModifier});
        send(window, {Qt::Key_AsciiTilde, QStringLiteral("~")});
        QCOMPARE(recorder.codes, (std::vector<int>{'p', 'P', 13, 16, '~'}));
    }

    void keysOutsideAsciiDoNothingOnAPlayingLevel()
    {
        GameFixture game;
        auto& level = startLevel(game, level2, 3);
        const double top = level.control(image(1)).Top();
        const auto handlers = Access::handlersStarted(game.runtime());
        for (const Stroke& stroke : keysOutsideAscii())
            send(level.window(), stroke);
        QVERIFY(game.boxes.empty());
        QCOMPARE(Access::handlersStarted(game.runtime()), handlers);
        QCOMPARE(level.control(image(1)).Top(), top);
        QCOMPARE(Access::engine(level).score(), GameInt(30));
        game.tick(level2); // and the level goes on
        QVERIFY(level.control(image(1)).Top() > top);
    }

private:
    // The overflow's error box, titled Cratefall, ended the program with status 1, every screen
    // unloaded, and nothing sent to the screen afterwards runs or changes that.
    static void expectEndedByOverflow(GameFixture& game, std::string_view screen)
    {
        auto& form = game.form(screen);
        const auto handlers = Access::handlersStarted(game.runtime());
        form.Timer1().fire();
        form.clickForm();
        form.typeKey('p');
        form.requestClose();
        game.show(screens::title);
        QCOMPARE(Access::handlersStarted(game.runtime()), handlers);
        QCOMPARE(int(game.boxes.size()), 1);
        QCOMPARE(game.boxes[0].kind, BoxKind::Error);
        QCOMPARE(game.boxes[0].text, std::string("Run-time error: Overflow"));
        QCOMPARE(game.boxes[0].title, std::string("Cratefall"));
        QCOMPARE(game.exitStatus, 1);
        QVERIFY(game.runtime().loadedForms().empty());
    }
};

QTEST_MAIN(FaultPathsTest)
#include "fault_paths_test.moc"
