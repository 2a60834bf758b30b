// The defined ways out of trouble: boxes that hold every window, overflows that end the program
// through the error box and nothing after it, and keys outside ASCII that the game never sees.
#ifndef Q_MOC_RUN // moc cannot parse the C++20 library headers these pull in
#include "game_fixture.h"
#include "levels/level_form.h"
#include "shell/form1.h"
#include "testing/test_access.h"
#include "ui/form_window.h"
#endif

#include <QTest>

using cratefall::levels::LevelForm;
using cratefall::shell::Form1;
using cratefall::testing::Access;
using cratefall::testing::GameFixture;
using cratefall::ui::BoxKind;
using cratefall::ui::GameInt;

namespace {

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

// Starts level 2 and brings the chosen box up on the next event.
void provoke(GameFixture& game, Cause cause)
{
    auto& level = game.screen<LevelForm>("Form3");
    game.pressControl("Form3", "Label4");
    game.tick("Form3", 2);
    switch (cause) {
    case Cause::Pause:
        game.typeKey("Form3", Qt::Key_P, QStringLiteral("p"));
        return;
    case Cause::Win:
        for (int i = 0; i < 40; ++i)
            level.clickControl("Image1");
        game.tick("Form3");
        return;
    case Cause::Loss:
        for (int i = 0; i < 500 && game.boxes.empty(); ++i)
            game.tick("Form3");
        return;
    case Cause::Overflow:
        while (Access::engine(level).score() < GameInt(GameInt::max))
            level.clickControl("Image1");
        level.clickControl("Image1");
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
        QTest::addColumn<QString>("loadedAfter");
        QTest::addColumn<int>("exitAfter");
        QTest::newRow("pause") << Cause::Pause << QStringLiteral("Form13 Form3") << -1;
        QTest::newRow("win") << Cause::Win << QStringLiteral("Form13 Form4") << -1;
        QTest::newRow("loss") << Cause::Loss << QStringLiteral("Form1 Form13") << -1;
        QTest::newRow("overflow") << Cause::Overflow << QString() << 1;
    }

    void closeRequestsWaitForEveryBox()
    {
        QFETCH(Cause, cause);
        QFETCH(QString, loadedAfter);
        QFETCH(int, exitAfter);
        GameFixture game;
        game.show("Form13"); // a help screen left open beside the level
        game.show("Form3");
        bool heldOpen = false;
        game.whileBoxOpen = [&](const auto&) {
            const auto handlers = Access::handlersStarted(game.runtime());
            for (auto* form : game.runtime().loadedForms())
                form->window()->close();
            auto& level = game.form("Form3");
            level.Timer1().fire();
            level.clickControl("Image1");
            level.typeKey('p');
            GameFixture::settle();
            heldOpen = game.runtime().isLoaded("Form3") && game.runtime().isLoaded("Form13") &&
                       Access::handlersStarted(game.runtime()) == handlers && !game.exitStatus;
        };
        provoke(game, cause);
        QCOMPARE(int(game.boxes.size()), 1);
        QVERIFY(heldOpen);
        QStringList loaded;
        for (auto* form : game.runtime().loadedForms())
            loaded << QString::fromUtf8(form->name().data(), qsizetype(form->name().size()));
        QCOMPARE(loaded.join(u' '), loadedAfter);
        QCOMPARE(game.exitStatus.value_or(-1), exitAfter);
    }

    void overflowInALevelOneTickEndsForGood()
    {
        GameFixture game;
        game.show("Form2");
        auto& level = game.screen<LevelForm>("Form2");
        game.pressControl("Form2", "Label4");
        for (int i = 0; i < 16384; ++i) { // box 1 and box 3 together pass the integer's range
            level.clickControl("Image1");
            level.clickControl("Image3");
        }
        QVERIFY(game.boxes.empty()); // each count alone is still in range
        game.tick("Form2");
        QCOMPARE(int(game.boxes.size()), 1);
        QCOMPARE(game.boxes[0].kind, BoxKind::Error);
        QCOMPARE(game.boxes[0].text, std::string("Run-time error: Overflow"));
        QCOMPARE(game.boxes[0].title, std::string("Cratefall"));
        QCOMPARE(game.exitStatus, 1);
        QVERIFY(!level.Timer1().Enabled());
        expectNothingRunsAfterTheEnd(game, "Form2");
    }

    void overflowOfATitleTopEndsForGood()
    {
        GameFixture game;
        game.show("Form1");
        game.show("Form13");
        Form1& title = game.screen<Form1>("Form1");
        Access::titleTop(title, 2) =
            GameInt::max - 100; // one step from out of range, past every wrap test
        game.tick("Form1");
        QCOMPARE(int(game.boxes.size()), 1);
        QCOMPARE(game.boxes[0].kind, BoxKind::Error);
        QCOMPARE(game.boxes[0].text, std::string("Run-time error: Overflow"));
        QCOMPARE(game.exitStatus, 1);
        QVERIFY(game.runtime().loadedForms().empty());
        expectNothingRunsAfterTheEnd(game, "Form1");
    }

    void keysOutsideAsciiNeverReachKeyPress()
    {
        GameFixture game;
        game.runtime().registerForm(
            cratefall::testing::level(2).design(),
            [](cratefall::ui::Runtime& runtime) { return std::make_unique<KeyRecorder>(runtime); });
        game.show("Form3");
        auto& recorder = dynamic_cast<KeyRecorder&>(game.form("Form3"));
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
        game.show("Form3");
        auto& level = game.screen<LevelForm>("Form3");
        game.pressControl("Form3", "Label4");
        game.tick("Form3", 3);
        const double top = level.control("Image1").Top();
        const auto handlers = Access::handlersStarted(game.runtime());
        for (const Stroke& stroke : keysOutsideAscii())
            send(level.window(), stroke);
        QVERIFY(game.boxes.empty());
        QCOMPARE(Access::handlersStarted(game.runtime()), handlers);
        QCOMPARE(level.control("Image1").Top(), top);
        QCOMPARE(Access::engine(level).score(), GameInt(30));
        game.tick("Form3"); // and the level goes on
        QVERIFY(level.control("Image1").Top() > top);
    }

private:
    static void expectNothingRunsAfterTheEnd(GameFixture& game, std::string_view screen)
    {
        auto& form = game.form(screen);
        const auto handlers = Access::handlersStarted(game.runtime());
        form.Timer1().fire();
        form.clickForm();
        form.typeKey('p');
        form.requestClose();
        game.show("Form1");
        QCOMPARE(Access::handlersStarted(game.runtime()), handlers);
        QCOMPARE(int(game.boxes.size()), 1);
        QCOMPARE(game.exitStatus, 1);
        QVERIFY(game.runtime().loadedForms().empty());
    }
};

QTEST_MAIN(FaultPathsTest)
#include "fault_paths_test.moc"
