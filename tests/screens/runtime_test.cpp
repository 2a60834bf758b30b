// What every screen relies on from the runtime: modal boxes that hold the game, closing windows,
// run-time errors that end the program, and windows that keep the size they were designed at.
#include "screen_test.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

using cratefall::ui::toPixels;

enum class Screens { Every, Unsizable };

class RuntimeTest : public QObject {
    Q_OBJECT

private:
    static void screensTable(Screens which)
    {
        QTest::addColumn<QString>("screen");
        GameFixture game;
        for (const std::string_view screen : screens::all)
            if (which == Screens::Every ||
                game.form(screen).design().border != cratefall::ui::Border::Sizable)
                QTest::newRow(std::string(screen).c_str()) << qtext(screen);
    }

private slots:
    void pauseHoldsEveryTickUntilTheRealBoxCloses()
    {
        GameFixture game(cratefall::testing::Ticks::Real);
        game.runtime().setPresenter(std::make_unique<cratefall::ui::QtMessageBoxPresenter>());
        const std::string_view screen = screens::level(2);
        LevelForm& level = game.shown<LevelForm>(screen);
        game.pressControl(screen, controls::start);
        // the real timer is running
        QVERIFY(QTest::qWaitFor([&] { return level.control(controls::image(1)).Top() >= 3 * 91; }));

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
            heldAt = level.control(controls::image(1)).Top();
            QTimer::singleShot(600, &elsewhere, [&] {
                stoodStill = level.control(controls::image(1)).Top() == heldAt;
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
        QVERIFY(game.runtime().isLoaded(screen));
        QVERIFY(QTest::qWaitFor([&] { return level.control(controls::image(1)).Top() > heldAt; }));
        // It goes on from where it stood, one fall a tick, the ticks held not made up.
        QCOMPARE(level.control(controls::image(1)).Top() - heldAt, 91.0);
    }

    // Whatever the screen, without a box, and without a print on the victory screen.
    void closeBoxOfTheLastWindowEndsTheProgram_data() { screensTable(Screens::Every); }
    void closeBoxOfTheLastWindowEndsTheProgram()
    {
        QFETCH(QString, screen);
        GameFixture game;
        game.show(screen.toStdString());
        game.form(screen.toStdString()).window()->close(); // the frame's close box
        GameFixture::settle();
        QCOMPARE(game.loaded(), QStringList());
        QCOMPARE(game.exitStatus, 0);
        QCOMPARE(game.shownBoxes(), QString());
    }

    // Dragged larger or maximized, a window laid out at one size would show blank space beside
    // its controls: only a sizable border lets the player change a window's size.
    void unsizableWindowsKeepTheirDesignedSize_data() { screensTable(Screens::Unsizable); }
    void unsizableWindowsKeepTheirDesignedSize()
    {
        QFETCH(QString, screen);
        GameFixture game;
        game.show(screen.toStdString());
        const cratefall::ui::Form& form = game.form(screen.toStdString());
        const QWidget* window = form.window();
        const QSize designed(toPixels(form.design().clientWidth),
                             toPixels(form.design().clientHeight));
        const auto shown = [](QSize size) {
            return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        };
        QVERIFY2(window->minimumSize() == designed && window->maximumSize() == designed,
                 qPrintable(QStringLiteral("%1's window can be sized from %2 to %3, designed %4")
                                .arg(screen, shown(window->minimumSize()),
                                     shown(window->maximumSize()), shown(designed))));
        QVERIFY2(!window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint),
                 qPrintable(screen + QStringLiteral("'s window has a maximize button")));
    }
};

QTEST_MAIN(RuntimeTest)
#include "runtime_test.moc"
