// The title animation and the main menu, through the real runtime on the offscreen platform.
#ifndef Q_MOC_RUN // moc cannot parse the C++20 library headers these pull in
#include "game_fixture.h"
#include "shell/form1.h"
#include "testing/test_access.h"
#include "ui/form_window.h"
#endif

#include <QTest>

using cratefall::shell::Form1;
using cratefall::testing::Access;
using cratefall::testing::GameFixture;
using cratefall::ui::GameInt;

namespace {

QPoint at(const cratefall::ui::Control& control)
{
    return {int(control.Left()), int(control.Top())};
}

} // namespace

class TitleScreenTest : public QObject {
    Q_OBJECT

private slots:
    void firstTickJumpsToTheFixedLeftEdges()
    {
        GameFixture game;
        game.show("Form1");
        Form1& title = game.screen<Form1>("Form1");
        QCOMPARE(title.Height(), 6915.0);
        QCOMPARE(at(title.control("Image1")), QPoint(240, 240));
        game.tick("Form1");
        QCOMPARE(at(title.control("Image1")), QPoint(130, 130));
        QCOMPARE(at(title.control("Image2")), QPoint(2100, 160));
        QCOMPARE(at(title.control("Image3")), QPoint(4500, 90));
        QVERIFY(title.Timer1().Enabled());
    }

    void topEqualToHeightWraps()
    {
        GameFixture game;
        game.show("Form1");
        Form1& title = game.screen<Form1>("Form1");
        game.setClientHeight("Form1", 291);
        QCOMPARE(title.Height(), 5070.0); // 39 steps of Image1
        game.tick("Form1", 38);
        QCOMPARE(Access::titleTop(title, 1), GameInt(4940));
        game.tick("Form1");
        QCOMPARE(title.control("Image1").Top(), 5070.0); // placed once at Height, then wrapped
        QCOMPARE(Access::titleTop(title, 1), GameInt(0));
        game.tick("Form1");
        QCOMPARE(title.control("Image1").Top(), 130.0);
    }

    void shrunkWindowWrapsOnePicturePerTickInOrder()
    {
        GameFixture game;
        game.show("Form1");
        Form1& title = game.screen<Form1>("Form1");
        game.tick("Form1", 30);
        game.setClientHeight("Form1", 100); // every picture is now below the window
        game.tick("Form1");
        QCOMPARE(Access::titleTop(title, 1), GameInt(0));
        QCOMPARE(Access::titleTop(title, 2), GameInt(4960));
        QCOMPARE(Access::titleTop(title, 3), GameInt(2790));
        game.tick("Form1");
        QCOMPARE(Access::titleTop(title, 1), GameInt(130));
        QCOMPARE(Access::titleTop(title, 2), GameInt(12));
        QCOMPARE(Access::titleTop(title, 3), GameInt(2880));
        game.tick("Form1");
        QCOMPARE(Access::titleTop(title, 3), GameInt(10));
        QCOMPARE(title.control("Image2").Top(), 172.0); // seen again one step below its wrap
        game.tick("Form1");
        QCOMPARE(title.control("Image3").Top(), 100.0);
    }

    void windowTallerThanTheGameIntegerNeverOverflows()
    {
        GameFixture game;
        game.show("Form1");
        Form1& title = game.screen<Form1>("Form1");
        game.setClientHeight("Form1", 4000);
        QVERIFY(title.Height() > GameInt::max);
        // All three about to run out of range on the same tick: one wrap per tick still holds.
        Access::titleTop(title, 1) = GameInt::max - 3 * 130;
        Access::titleTop(title, 2) = GameInt::max - 3 * 160;
        Access::titleTop(title, 3) = GameInt::max - 3 * 90;
        game.tick("Form1", 3);
        QCOMPARE(Access::titleTop(title, 1), GameInt(260));
        QCOMPARE(Access::titleTop(title, 2), GameInt(12 + 160));
        QCOMPARE(Access::titleTop(title, 3), GameInt(10));
        int wraps = 0;
        for (int tick = 0; tick < 1200; ++tick) {
            const GameInt before = Access::titleTop(title, 3);
            game.tick("Form1");
            wraps += Access::titleTop(title, 3) < before ? 1 : 0;
        }
        QVERIFY(wraps >= 2);
        QVERIFY(game.boxes.empty());
        QVERIFY(!game.exitStatus);
    }

    void playOpensLevelOneAndUnloadsTheTitle()
    {
        GameFixture game;
        game.show("Form1");
        game.form("Form1").clickControl("mnuplay");
        QVERIFY(game.runtime().isLoaded("Form2"));
        QVERIFY(!game.runtime().isLoaded("Form1"));
        QVERIFY(!game.form("Form1").Timer1().Enabled());
        QVERIFY(!game.exitStatus);
    }

    void shortcutsRunTheirMenuItems()
    {
        GameFixture game;
        game.show("Form1");
        auto* window = game.form("Form1").window();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        // Nothing on the title takes the focus, a click on its background included: the keys
        // reach the window and its menu all the same.
        game.pressAt("Form1", {2, 2});
        QTest::keyClick(window->windowHandle(), Qt::Key_D, Qt::ControlModifier);
        QVERIFY(game.runtime().isLoaded("Form13"));
        QVERIFY(game.runtime().isLoaded("Form1"));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window->windowHandle(), Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(game.exitStatus, 0);
    }

    void titleComesBackFromTheTopAfterALoss()
    {
        GameFixture game;
        game.show("Form1");
        game.tick("Form1", 20);
        game.form("Form1").clickControl("mnuplay");
        game.pressControl("Form2", "Label4");
        game.tick("Form2", 97);
        QVERIFY(game.runtime().isLoaded("Form1"));
        Form1& title = game.screen<Form1>("Form1");
        QCOMPARE(Access::titleTop(title, 1), GameInt(0));
        QCOMPARE(at(title.control("Image1")), QPoint(240, 240));
        game.tick("Form1");
        QCOMPARE(at(title.control("Image2")), QPoint(2100, 160));
    }
};

QTEST_MAIN(TitleScreenTest)
#include "title_screen_test.moc"
