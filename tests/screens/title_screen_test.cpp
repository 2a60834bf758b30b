// The title animation and the main menu, through the real runtime on the offscreen platform.
#include "screen_test.h"

using cratefall::shell::Form1;
using cratefall::ui::GameInt;

namespace {

constexpr std::string_view titleScreen = screens::title;

QPoint at(const cratefall::ui::Control& control)
{
    return {int(control.Left()), int(control.Top())};
}

// Where the three falling pictures are, as the title keeps count: TitleTop1 to TitleTop3.
QList<int> tops(const Form1& title)
{
    return {Access::titleTop(title, 1).value(), Access::titleTop(title, 2).value(),
            Access::titleTop(title, 3).value()};
}

} // namespace

class TitleScreenTest : public QObject {
    Q_OBJECT

private slots:
    void firstTickJumpsToTheFixedLeftEdges()
    {
        GameFixture game;
        Form1& title = game.shown<Form1>(titleScreen);
        QCOMPARE(title.Height(), 6915.0);
        QCOMPARE(at(title.control("Image1")), QPoint(240, 240));
        game.tick(titleScreen);
        QCOMPARE(at(title.control("Image1")), QPoint(130, 130));
        QCOMPARE(at(title.control("Image2")), QPoint(2100, 160));
        QCOMPARE(at(title.control("Image3")), QPoint(4500, 90));
        QVERIFY(title.Timer1().Enabled());
    }

    void topEqualToHeightWraps()
    {
        GameFixture game;
        Form1& title = game.shown<Form1>(titleScreen);
        game.setClientHeight(titleScreen, 291);
        QCOMPARE(title.Height(), 5070.0); // 39 steps of Image1
        game.tick(titleScreen, 38);
        QCOMPARE(tops(title)[0], 4940);
        game.tick(titleScreen);
        QCOMPARE(title.control("Image1").Top(), 5070.0); // placed once at Height, then wrapped
        QCOMPARE(tops(title)[0], 0);
        game.tick(titleScreen);
        QCOMPARE(title.control("Image1").Top(), 130.0);
    }

    void shrunkWindowWrapsOnePicturePerTickInOrder()
    {
        GameFixture game;
        Form1& title = game.shown<Form1>(titleScreen);
        game.tick(titleScreen, 30);
        game.setClientHeight(titleScreen, 100); // every picture is now below the window
        game.tick(titleScreen);
        QCOMPARE(tops(title), (QList<int>{0, 4960, 2790}));
        game.tick(titleScreen);
        QCOMPARE(tops(title), (QList<int>{130, 12, 2880}));
        game.tick(titleScreen);
        QCOMPARE(tops(title)[2], 10);
        QCOMPARE(title.control("Image2").Top(), 172.0); // seen again one step below its wrap
        game.tick(titleScreen);
        QCOMPARE(title.control("Image3").Top(), 100.0);
    }

    void windowTallerThanTheGameIntegerNeverOverflows()
    {
        GameFixture game;
        Form1& title = game.shown<Form1>(titleScreen);
        game.setClientHeight(titleScreen, 4000);
        QVERIFY(title.Height() > GameInt::max);
        // All three about to run out of range on the same tick: one wrap per tick still holds.
        Access::titleTop(title, 1) = GameInt::max - 3 * 130;
        Access::titleTop(title, 2) = GameInt::max - 3 * 160;
        Access::titleTop(title, 3) = GameInt::max - 3 * 90;
        game.tick(titleScreen, 3);
        QCOMPARE(tops(title), (QList<int>{260, 12 + 160, 10}));
        int wraps = 0;
        for (int tick = 0; tick < 1200; ++tick) {
            const int before = tops(title)[2];
            game.tick(titleScreen);
            wraps += tops(title)[2] < before ? 1 : 0;
        }
        QVERIFY2(wraps >= 2, qPrintable(QStringLiteral("Image3 wrapped %1 times").arg(wraps)));
        QCOMPARE(game.shownBoxes(), QString());
        QVERIFY(!game.exitStatus);
    }

    void shortcutsRunTheirMenuItems()
    {
        GameFixture game;
        QVERIFY(game.showActive(titleScreen));
        // Nothing on the title takes the focus, a click on its background included: the keys
        // reach the window and its menu all the same.
        game.pressAt(titleScreen, {2, 2});
        game.key(titleScreen, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(game.loaded(), (QStringList{qtext(titleScreen), qtext(screens::howToPlay)}));
        QVERIFY(game.showActive(titleScreen));
        game.key(titleScreen, Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(game.exitStatus, 0);
    }

    // Play unloads the title, its timer stopped; after a loss the title starts again from the top.
    void playUnloadsTheTitleWhichComesBackFromTheTopAfterALoss()
    {
        GameFixture game;
        game.show(titleScreen);
        game.tick(titleScreen, 20);
        game.form(titleScreen).clickControl("mnuplay");
        QCOMPARE(game.loaded(), QStringList{qtext(screens::level(1))});
        QVERIFY(!game.form(titleScreen).Timer1().Enabled());
        game.pressControl(screens::level(1), controls::start);
        game.tick(screens::level(1), 97); // untouched, level 1 is lost on its 97th tick
        Form1& title = game.screen<Form1>(titleScreen);
        QCOMPARE(game.loaded(), QStringList{qtext(titleScreen)});
        QCOMPARE(tops(title)[0], 0);
        QCOMPARE(at(title.control("Image1")), QPoint(240, 240));
        game.tick(titleScreen);
        QCOMPARE(at(title.control("Image2")), QPoint(2100, 160));
    }
};

QTEST_MAIN(TitleScreenTest)
#include "title_screen_test.moc"
