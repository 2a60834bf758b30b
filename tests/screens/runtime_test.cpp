// What every screen relies on from the runtime: modal boxes that hold the game, closing windows,
// and run-time errors that end the program.
#ifndef Q_MOC_RUN // moc cannot parse the C++20 library headers these pull in
#include "game_fixture.h"
#include "levels/level_form.h"
#include "ui/form_window.h"
#endif

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using cratefall::levels::LevelForm;
using cratefall::testing::GameFixture;

class RuntimeTest : public QObject {
    Q_OBJECT

private slots:
    void pauseHoldsEveryTickUntilTheRealBoxCloses()
    {
        GameFixture game(cratefall::testing::Ticks::Real);
        game.runtime().setPresenter(std::make_unique<cratefall::ui::QtMessageBoxPresenter>());
        game.show("Form3");
        LevelForm& level = game.screen<LevelForm>("Form3");
        game.pressControl("Form3", "Label4");
        // the real timer is running
        QVERIFY(QTest::qWaitFor([&] { return level.control("Image1").Top() >= 3 * 91; }));

        // Another window is active when the player pauses: the box still belongs to the level.
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));

        double heldAt = -1;
        bool stoodStill = false;
        QString title;
        QString description;
        const QWidget* owner = nullptr;
        // Only looks and answers the box: a failed check in here would leave the box open and
        // the test waiting for it, so the checks come after keyClick returns. The timers belong
        // to `elsewhere`, so none of them outlives this test's locals.
        QTimer::singleShot(100, &elsewhere, [&] {
            heldAt = level.control("Image1").Top();
            QTimer::singleShot(600, &elsewhere, [&] {
                stoodStill = level.control("Image1").Top() == heldAt;
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    title = box->windowTitle();
                    description = box->accessibleDescription();
                    owner = box->parentWidget();
                    box->accept();
                }
            });
        });
        // Whatever happened above, no box outlives this.
        QTimer::singleShot(30000, &elsewhere, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        QTest::keyClick(level.window(), Qt::Key_P, Qt::ShiftModifier);
        // keyClick returns once the box has been closed.
        QCOMPARE(title, QStringLiteral("Cratefall"));
        // Too short for Orca 48 to read as the box's text, it is read as its description.
        QCOMPARE(description, QStringLiteral("Game Paused."));
        QCOMPARE(owner, level.window());
        QVERIFY(stoodStill);
        QVERIFY(game.runtime().isLoaded("Form3"));
        QVERIFY(QTest::qWaitFor([&] { return level.control("Image1").Top() > heldAt; }));
        // It goes on from where it stood, one fall a tick, the ticks held not made up.
        QCOMPARE(level.control("Image1").Top() - heldAt, 91.0);
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
};

QTEST_MAIN(RuntimeTest)
#include "runtime_test.moc"
