// What every screen relies on from the runtime: modal boxes that hold the game, closing windows,
// and run-time errors that end the program.
#ifndef Q_MOC_RUN // moc cannot parse the C++20 library headers these pull in
#include "game_fixture.h"
#include "levels/level_form.h"
#include "testing/test_access.h"
#include "ui/form_window.h"
#endif

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using cratefall::levels::LevelForm;
using cratefall::testing::Access;
using cratefall::testing::GameFixture;
using cratefall::ui::BoxKind;
using cratefall::ui::GameInt;

class RuntimeTest : public QObject {
    Q_OBJECT

private slots:
    void pauseHoldsEveryTickUntilTheRealBoxCloses()
    {
        GameFixture game;
        game.runtime().setPresenter(std::make_unique<cratefall::ui::QtMessageBoxPresenter>());
        game.show("Form3");
        LevelForm& level = game.screen<LevelForm>("Form3");
        game.pressControl("Form3", "Label4");
        QTRY_VERIFY(level.control("Image1").Top() >= 3 * 91); // the real timer is running

        double heldAt = -1;
        bool stoodStill = false;
        QString title;
        QTimer::singleShot(100, [&] {
            heldAt = level.control("Image1").Top();
            QTimer::singleShot(600, [&] {
                stoodStill = level.control("Image1").Top() == heldAt;
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                title = box->windowTitle();
                box->accept();
            });
        });
        QTest::keyClick(level.window(), Qt::Key_P, Qt::ShiftModifier);
        // keyClick returns once the box has been closed.
        QCOMPARE(title, QStringLiteral("Cratefall"));
        QVERIFY(stoodStill);
        QVERIFY(game.runtime().isLoaded("Form3"));
        QTRY_VERIFY(level.control("Image1").Top() > heldAt);
        const double moved = level.control("Image1").Top() - heldAt;
        QCOMPARE(std::fmod(moved, 91.0), 0.0); // it went on from where it stood
    }

    void closeBoxOfTheLastWindowEndsTheProgram()
    {
        GameFixture game;
        game.show("Form2");
        game.form("Form2").window()->close();
        GameFixture::settle();
        QVERIFY(!game.runtime().isLoaded("Form2"));
        QCOMPARE(game.exitStatus, 0);
    }

    void anOpenHelpScreenKeepsTheProgramRunning()
    {
        GameFixture game;
        game.show("Form1");
        game.form("Form1").clickControl("mnuaboutc");
        game.form("Form1").window()->close();
        GameFixture::settle();
        QVERIFY(!game.exitStatus);
        QVERIFY(game.runtime().isLoaded("Aboutmeform"));
        game.pressControl("Aboutmeform", "Command1");
        QCOMPARE(game.exitStatus, 0);
    }

    void closeRequestsWaitForTheOpenBox()
    {
        GameFixture game;
        game.show("Form2");
        bool stillLoaded = false;
        game.whileBoxOpen = [&](const auto&) {
            game.form("Form2").window()->close();
            stillLoaded = game.runtime().isLoaded("Form2");
        };
        game.typeKey("Form2", Qt::Key_P, QStringLiteral("P"));
        QVERIFY(stillLoaded);
        QVERIFY(game.runtime().isLoaded("Form2"));
        QVERIFY(!game.exitStatus);
    }

    void noTickOrClickWhileABoxIsOpen()
    {
        GameFixture game;
        game.show("Form3");
        LevelForm& level = game.screen<LevelForm>("Form3");
        game.pressControl("Form3", "Label4");
        game.tick("Form3", 2);
        game.whileBoxOpen = [&](const auto&) {
            level.Timer1().fire();
            level.clickControl("Image1");
        };
        game.typeKey("Form3", Qt::Key_P, QStringLiteral("p"));
        QCOMPARE(level.control("Image1").Top(), 182.0);
        QCOMPARE(Access::engine(level).score(), GameInt(30));
    }

    void scoreOverflowShowsTheErrorAndEndsWithFailure()
    {
        GameFixture game;
        game.show("Form3");
        LevelForm& level = game.screen<LevelForm>("Form3");
        game.pressControl("Form3", "Label4");
        for (int i = 0; i < 39; ++i)
            level.clickControl("Image1");
        game.tick("Form3");
        level.clickControl("Image2");
        level.clickControl("Image3"); // 71: the target went by between two ticks
        game.tick("Form3");
        QVERIFY(game.boxes.empty());
        while (Access::engine(level).score() < GameInt(GameInt::max))
            level.clickControl("Image1");
        QVERIFY(!game.exitStatus);
        level.clickControl("Image2");
        QCOMPARE(int(game.boxes.size()), 1);
        QCOMPARE(game.boxes[0].kind, BoxKind::Error);
        QCOMPARE(game.boxes[0].title, std::string("Cratefall"));
        QCOMPARE(game.boxes[0].text, std::string("Run-time error: Overflow"));
        QVERIFY(game.exitStatus.value_or(0) != 0);
        QVERIFY(game.runtime().loadedForms().empty());
        level.Timer1().fire(); // nothing runs after the end
        QCOMPARE(int(game.boxes.size()), 1);
    }
};

QTEST_MAIN(RuntimeTest)
#include "runtime_test.moc"
