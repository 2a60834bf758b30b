// Where the keyboard focus goes, on real Qt events routed by Qt itself: only buttons and text
// boxes take it, by Tab in their designed order or by a click on them; a click anywhere else
// leaves it, caret and selection included, where the player put it.

// Qt first: the moc of Qt 6.4 fails on <concepts> once <compare> (from the game) has been read.
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// The game's and the test's own.
#include "game_fixture.h"
#include "ui/form_window.h"
#include "victory_driver.h"

using namespace cratefall::testing;

namespace {

void key(GameFixture& game, std::string_view screen, Qt::Key key, Qt::KeyboardModifiers mods = {})
{
    QTest::keyClick(game.form(screen).window()->windowHandle(), key, mods);
    GameFixture::settle();
}

// Names of the focused control, as the screen calls them; empty when nothing has the focus.
std::string focusedControl(GameFixture& game, std::string_view screen)
{
    for (const auto& design : game.form(screen).design().controls)
        if (game.form(screen).control(design.name).widget() == QApplication::focusWidget())
            return std::string(design.name);
    return QApplication::focusWidget() ? "a widget of no control" : "";
}

} // namespace

class FocusTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_noSpooler;

private slots:
    void initTestCase()
    {
        // A print asked for below fails at once instead of reaching a real printer.
        QVERIFY(m_noSpooler.isValid());
        qputenv("CUPS_SERVER", m_noSpooler.filePath(QStringLiteral("cups.sock")).toLocal8Bit());
    }

    void tabVisitsExactlyTheTabStopsAndWraps_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("stops");
        QTest::newRow("victory") << "Form12" << QStringList{"Command1", "Command2", "Text1"};
        QTest::newRow("how to play") << "Form13" << QStringList{"Command1"};
        QTest::newRow("about") << "Aboutmeform" << QStringList{"Command1"};
        QTest::newRow("title") << "Form1" << QStringList{};
        QTest::newRow("level 1") << "Form2" << QStringList{};
    }

    void tabVisitsExactlyTheTabStopsAndWraps()
    {
        QFETCH(QString, screen);
        QFETCH(QStringList, stops);
        GameFixture game;
        const std::string name = screen.toStdString();
        game.show(name);
        QVERIFY(QTest::qWaitForWindowActive(game.form(name).window()));

        const auto visit = [&](Qt::Key direction) {
            QStringList seen{QString::fromStdString(focusedControl(game, name))};
            for (qsizetype i = 0; i < std::max<qsizetype>(stops.size(), 1); ++i) {
                key(game, name, direction);
                seen.append(QString::fromStdString(focusedControl(game, name)));
            }
            return seen;
        };
        // The first tab stop has the focus when the screen opens; a full round comes back to it.
        QStringList forward = stops.isEmpty() ? QStringList{"", ""} : stops;
        if (!stops.isEmpty())
            forward.append(stops.front());
        QCOMPARE(visit(Qt::Key_Tab), forward);
        std::reverse(forward.begin(), forward.end());
        QCOMPARE(visit(Qt::Key_Backtab), forward);
    }

    void clicksOffTheNameBoxLeaveTheNameWhole()
    {
        GameFixture game;
        VictoryDriver victory(game);
        QVERIFY(victory.open());
        auto* box = static_cast<QLineEdit*>(victory.widget("Text1"));
        victory.typeName(QStringLiteral("Ada"));

        const QWidget* client = game.form("Form12").window()->client();
        const QPoint white(5, 5);
        QCOMPARE(client->childAt(white), nullptr);
        const auto centre = [&](std::string_view control) {
            return victory.widget(control)->geometry().center();
        };
        const std::pair<QPoint, QString> clicksThenTyping[] = {
            {white, QStringLiteral(" Lov")},
            {centre("Label1"), QStringLiteral("el")},
            {centre("Image1"), QStringLiteral("ac")},
            {centre("Label3"), QStringLiteral("e")},
        };
        for (const auto& [at, more] : clicksThenTyping) {
            game.pressAt("Form12", at);
            QCOMPARE(victory.focused(), box);
            QCOMPARE(box->cursorPosition(), box->text().size());
            for (const QChar c : more)
                QTest::keyClick(game.form("Form12").window()->windowHandle(), c.toLatin1());
        }
        QCOMPARE(box->text(), QStringLiteral("Ada Lovelace"));

        // A selection survives a click on the background too.
        box->setSelection(4, 4);
        game.pressAt("Form12", white);
        QCOMPARE(box->selectedText(), QStringLiteral("Love"));

        std::string printed;
        game.whileBoxOpen = [&](const ShownBox&) {
            printed = game.form("Form12").control("Text1").Text();
        };
        box->deselect();
        victory.key(Qt::Key_Return);
        QCOMPARE(printed, std::string("Ada Lovelace"));
    }
};

QTEST_MAIN(FocusTest)
#include "focus_test.moc"
