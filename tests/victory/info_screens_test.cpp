// How to play (Form13) and About (Aboutmeform): borderless windows that live beside the game
// until their Close button, and keep the program alive while they are open.

// Qt first: the moc of Qt 6.4 fails on <concepts> once <compare> (from the game) has been read.
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QTest>
#include <QWindow>

// The game's and the test's own.
#include "game_fixture.h"
#include "testing/test_access.h"
#include "ui/form_window.h"

using namespace cratefall::testing;
using cratefall::ui::FormWindow;

namespace {

// The title screen's menu item, triggered as a click on it would.
void chooseMenu(GameFixture& game, const QString& caption)
{
    for (QAction* action : cratefall::testing::Access::menuBar(*game.form("Form1").window())
                               ->findChildren<QAction*>())
        if (action->text() == caption) {
            action->trigger();
            GameFixture::settle();
            return;
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

void key(GameFixture& game, std::string_view screen, Qt::Key key)
{
    QTest::keyClick(game.form(screen).window()->windowHandle(), key);
    GameFixture::settle();
}

} // namespace

class InfoScreensTest : public QObject {
    Q_OBJECT

private slots:
    void howToPlayTwiceGivesOneWindow();
    void howToPlayStaysOpenWhenTheGameStarts();
    void aboutKeepsTheProgramRunningUntilItsClose();
    void endClosesThemWithTheRest();
    void keys_data();
    void keys();
    void borderlessButStillOrdinaryWindows_data();
    void borderlessButStillOrdinaryWindows();
    void aboutCloseButtonShowsItsIconOnItsFace();
};

void InfoScreensTest::howToPlayTwiceGivesOneWindow()
{
    GameFixture game;
    game.show("Form1");
    chooseMenu(game, QStringLiteral("&How to play"));
    FormWindow* first = game.form("Form13").window();
    QVERIFY(first);
    chooseMenu(game, QStringLiteral("&How to play"));
    QCOMPARE(game.form("Form13").window(), first);
    QCOMPARE(visibleWindowsTitled(QStringLiteral("How to play")), 1);
}

void InfoScreensTest::howToPlayStaysOpenWhenTheGameStarts()
{
    GameFixture game;
    game.show("Form1");
    chooseMenu(game, QStringLiteral("&How to play"));
    chooseMenu(game, QStringLiteral("&Play"));
    QVERIFY(game.runtime().isLoaded("Form2"));
    QVERIFY(!game.runtime().isLoaded("Form1"));
    QVERIFY(game.runtime().isLoaded("Form13"));
    QVERIFY(game.form("Form13").window()->isVisible());
    QVERIFY(!game.exitStatus);
}

void InfoScreensTest::aboutKeepsTheProgramRunningUntilItsClose()
{
    GameFixture game;
    game.show("Form1");
    chooseMenu(game, QStringLiteral("About &Creator"));
    game.form("Form1").window()->close();
    GameFixture::settle();
    QVERIFY(!game.runtime().isLoaded("Form1"));
    QVERIFY(game.runtime().isLoaded("Aboutmeform"));
    QVERIFY(!game.exitStatus);

    game.pressControl("Aboutmeform", "Command1");
    QVERIFY(!game.runtime().isLoaded("Aboutmeform"));
    QCOMPARE(game.exitStatus, 0);
    QVERIFY(game.boxes.empty());
}

void InfoScreensTest::endClosesThemWithTheRest()
{
    GameFixture game;
    game.show("Form1");
    chooseMenu(game, QStringLiteral("&How to play"));
    chooseMenu(game, QStringLiteral("About &Creator"));
    chooseMenu(game, QStringLiteral("Exi&t"));
    QCOMPARE(game.exitStatus, 0);
    QVERIFY(game.runtime().loadedForms().empty());
    QCOMPARE(visibleWindowsTitled(QStringLiteral("How to play")), 0);
    QCOMPARE(visibleWindowsTitled(QStringLiteral("About Mokram")), 0);
}

void InfoScreensTest::keys_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("staysOpen");

    for (const auto& [screen, item] :
         {std::pair{"Form13", "&How to play"}, std::pair{"Aboutmeform", "About &Creator"}}) {
        QTest::addRow("%s Enter", screen) << screen << item << Qt::Key_Return << false;
        QTest::addRow("%s keypad Enter", screen) << screen << item << Qt::Key_Enter << false;
        QTest::addRow("%s Esc", screen) << screen << item << Qt::Key_Escape << true;
        // Space presses the button that has the focus: Close, the window's one tab stop.
        QTest::addRow("%s Space", screen) << screen << item << Qt::Key_Space << false;
    }
}

void InfoScreensTest::keys()
{
    QFETCH(QString, screen);
    QFETCH(QString, menuItem);
    QFETCH(Qt::Key, key);
    QFETCH(bool, staysOpen);

    GameFixture game;
    game.show("Form1");
    chooseMenu(game, menuItem);
    const std::string name = screen.toStdString();
    QVERIFY(QTest::qWaitForWindowActive(game.form(name).window()));
    // Opened with the focus frame on Close.
    QCOMPARE(QApplication::focusWidget(), game.form(name).control("Command1").widget());
    ::key(game, name, key);
    QCOMPARE(game.runtime().isLoaded(name), staysOpen);
    // The title screen is still there, so closing this one does not end the program.
    QVERIFY(!game.exitStatus);
}

void InfoScreensTest::borderlessButStillOrdinaryWindows_data()
{
    QTest::addColumn<QString>("screen");
    QTest::newRow("how to play") << QStringLiteral("Form13");
    QTest::newRow("about") << QStringLiteral("Aboutmeform");
}

void InfoScreensTest::borderlessButStillOrdinaryWindows()
{
    QFETCH(QString, screen);
    GameFixture game;
    game.show(screen.toStdString());
    const FormWindow* window = game.form(screen.toStdString()).window();
    // An ordinary window (not a tool, splash or popup) is the kind the task bar lists.
    QCOMPARE(window->windowType(), Qt::Window);
    QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(!window->windowFlags().testFlag(Qt::BypassWindowManagerHint));
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
}

void InfoScreensTest::aboutCloseButtonShowsItsIconOnItsFace()
{
    GameFixture game;
    game.show("Aboutmeform");
    const QImage face = game.form("Aboutmeform").control("Command1").widget()->grab().toImage();
    const QColor cyan(0x80FFFF);
    int faceColoured = 0;
    int iconColoured = 0;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x) {
            const QColor pixel = face.pixelColor(x, y);
            if (pixel.rgb() == cyan.rgb())
                ++faceColoured;
            // Caption and border are greys; the cartridge is the only other colour.
            else if (pixel.hsvSaturation() > 60 && qAbs(pixel.hue() - cyan.hue()) > 20)
                ++iconColoured;
        }
    QVERIFY2(faceColoured > face.width() * face.height() / 2, "the cyan face is missing");
    QVERIFY2(iconColoured > 20, "the cartridge icon is missing");
}

QTEST_MAIN(InfoScreensTest)
#include "info_screens_test.moc"
