// How to play and About: borderless windows that live beside the game until their Close button,
// and keep the program alive while they are open.
#include "screen_test.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>

using namespace cratefall::testing;

namespace {

const QString howToPlayItem = QStringLiteral("&How to play");
const QString aboutItem = QStringLiteral("About &Creator");

// The title screen shown, and its menu item triggered as a click on it would.
void chooseMenu(GameFixture& game, const QString& caption)
{
    if (!game.runtime().isLoaded(screens::title))
        game.show(screens::title);
    for (QAction* action :
         Access::menuBar(*game.form(screens::title).window())->findChildren<QAction*>())
        if (action->text() == caption) {
            action->trigger();
            return GameFixture::settle();
        }
    QFAIL(qPrintable(QStringLiteral("no menu item ") + caption));
}

int visibleWindowsTitled(const QString& title)
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowTitle() == title)
            ++count;
    return count;
}

} // namespace

class InfoScreensTest : public QObject {
    Q_OBJECT

private slots:
    void howToPlayTwiceGivesOneWindow()
    {
        GameFixture game;
        chooseMenu(game, howToPlayItem);
        const QWidget* first = game.form(screens::howToPlay).window();
        QVERIFY(first);
        chooseMenu(game, howToPlayItem);
        QCOMPARE(game.form(screens::howToPlay).window(), first);
        QCOMPARE(visibleWindowsTitled(QStringLiteral("How to play")), 1);
    }

    void howToPlayStaysOpenWhenTheGameStarts()
    {
        GameFixture game;
        chooseMenu(game, howToPlayItem);
        chooseMenu(game, QStringLiteral("&Play"));
        QCOMPARE(game.loaded(), (QStringList{qtext(screens::howToPlay), qtext(screens::level(1))}));
        QVERIFY(game.form(screens::howToPlay).window()->isVisible());
        QVERIFY(!game.exitStatus);
    }

    void aboutKeepsTheProgramRunningUntilItsClose()
    {
        GameFixture game;
        chooseMenu(game, aboutItem);
        game.form(screens::title).window()->close(); // the frame's close box
        GameFixture::settle();
        QCOMPARE(game.loaded(), QStringList{qtext(screens::about)});
        QVERIFY(!game.exitStatus);
        game.pressControl(screens::about, "Command1");
        QCOMPARE(game.loaded(), QStringList());
        QCOMPARE(game.exitStatus, 0);
        QCOMPARE(game.shownBoxes(), QString());
    }

    void endClosesThemWithTheRest()
    {
        GameFixture game;
        chooseMenu(game, howToPlayItem);
        chooseMenu(game, aboutItem);
        chooseMenu(game, QStringLiteral("Exi&t"));
        QCOMPARE(game.exitStatus, 0);
        QCOMPARE(game.loaded(), QStringList());
        QCOMPARE(visibleWindowsTitled(QStringLiteral("How to play")), 0);
        QCOMPARE(visibleWindowsTitled(QStringLiteral("About Mokram")), 0);
    }

    void borderlessButStillOrdinaryWindows_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::newRow("how to play") << qtext(screens::howToPlay);
        QTest::newRow("about") << qtext(screens::about);
    }
    void borderlessButStillOrdinaryWindows()
    {
        QFETCH(QString, screen);
        GameFixture game;
        const QWidget* window = game.shown(screen.toStdString()).window();
        // An ordinary window (not a tool, splash or popup) is the kind the task bar lists.
        QCOMPARE(window->windowType(), Qt::Window);
        QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!window->windowFlags().testFlag(Qt::BypassWindowManagerHint));
        QVERIFY(!window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    }

    void aboutCloseButtonShowsItsIconOnItsFace()
    {
        GameFixture game;
        game.show(screens::about);
        const QImage face = game.widget(screens::about, "Command1")->grab().toImage();
        const QColor cyan(0x80FFFF);
        // Caption and border are greys; the cartridge is the only other colour.
        int iconColoured = 0;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x) {
                const QColor pixel = face.pixelColor(x, y);
                iconColoured +=
                    pixel.hsvSaturation() > 60 && qAbs(pixel.hue() - cyan.hue()) > 20 ? 1 : 0;
            }
        QVERIFY2(shareOf(face, cyan) > 0.5, "the cyan face is missing");
        QVERIFY2(iconColoured > 20, "the cartridge icon is missing");
    }
};

QTEST_MAIN(InfoScreensTest)
#include "info_screens_test.moc"
