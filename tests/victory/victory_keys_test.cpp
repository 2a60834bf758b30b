// The victory screen's keyboard, buttons and name box, and the keys of How to play and About,
// offscreen. The spooler is a socket nobody listens on, so a print the player asks for shows up
// as the no-printer error box and nothing can reach a real printer from this test.
#include "screen_test.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPicture>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>

using namespace cratefall::testing;

namespace {

constexpr std::string_view victory = screens::victory;

enum class Outcome { Closed, StaysOpen, PrintAttempted };

struct Press {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// Pixels of an image far from a colour: in the name box, its frame and the name, if it shows.
int standingOutFrom(const QImage& image, QColor colour)
{
    int found = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int distance = qAbs(pixel.red() - colour.red()) +
                                 qAbs(pixel.green() - colour.green()) +
                                 qAbs(pixel.blue() - colour.blue());
            found += distance > 192 ? 1 : 0;
        }
    return found;
}

} // namespace

Q_DECLARE_METATYPE(Outcome)
Q_DECLARE_METATYPE(QList<Press>)

class VictoryKeysTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_noSpooler;

private slots:
    void initTestCase()
    {
        // Before Qt's print plugin first asks for printers: from here on the spooler is
        // unreachable.
        QVERIFY(m_noSpooler.isValid());
        qputenv("CUPS_SERVER", m_noSpooler.filePath(QStringLiteral("cups.sock")).toLocal8Bit());
    }

    // The victory screen, and How to play and About beside the title, as their menu items open
    // them.
    void keys_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QList<Press>>("presses");
        QTest::addColumn<Outcome>("outcome");
        const Press tab{Qt::Key_Tab};
        const Press enter{Qt::Key_Return};
        const Press esc{Qt::Key_Escape};
        const Press altC{Qt::Key_C, Qt::AltModifier};
        const Press altP{Qt::Key_P, Qt::AltModifier};
        const auto row = [](const QByteArray& name, const QList<Press>& presses, Outcome outcome,
                            std::string_view screen = victory) {
            QTest::newRow(name.constData()) << qtext(screen) << presses << outcome;
        };
        row("Enter on Close", {enter}, Outcome::Closed);
        row("keypad Enter on Close", {{Qt::Key_Enter}}, Outcome::Closed);
        row("Enter on Print", {tab, enter}, Outcome::PrintAttempted);
        row("Enter in the name box", {tab, tab, enter}, Outcome::PrintAttempted);
        row("Esc on Close", {esc}, Outcome::Closed);
        row("Esc on Print", {tab, esc}, Outcome::Closed);
        row("Esc in the name box", {tab, tab, esc}, Outcome::Closed);
        row("Alt+C", {altC}, Outcome::Closed);
        row("Alt+C in the name box", {tab, tab, altC}, Outcome::Closed);
        row("Alt+P", {altP}, Outcome::PrintAttempted);
        row("Alt+P in the name box", {tab, tab, altP}, Outcome::PrintAttempted);
        // The Close button's click, as a mouse's would be: it tries no print.
        row("Space on Close", {{Qt::Key_Space}}, Outcome::Closed);
        // Space presses the button that has the focus: Close, the window's one tab stop.
        for (const std::string_view info : {screens::howToPlay, screens::about}) {
            const QByteArray name = qtext(info).toUtf8();
            row(name + " Enter", {enter}, Outcome::Closed, info);
            row(name + " keypad Enter", {{Qt::Key_Enter}}, Outcome::Closed, info);
            row(name + " Esc", {esc}, Outcome::StaysOpen, info);
            row(name + " Space", {{Qt::Key_Space}}, Outcome::Closed, info);
        }
    }
    void keys()
    {
        QFETCH(QString, screen);
        QFETCH(QList<Press>, presses);
        QFETCH(Outcome, outcome);
        const std::string name = screen.toStdString();
        GameFixture game;
        if (name != victory)
            game.show(screens::title);
        QVERIFY(game.showActive(name));
        // A push button of nobody's, first among the window's children: Enter and Esc must still
        // find the screen's own default and cancel buttons, never take this one for them.
        const QWidget* window = game.form(name).window();
        auto* stray = new QPushButton(QStringLiteral("stray"), game.form(name).window()->client());
        stray->setFocusPolicy(Qt::NoFocus);
        stray->lower();
        for (const Press& press : presses) {
            QVERIFY2(!game.exitStatus, "ended before the last key");
            game.key(name, press.key, press.modifiers);
        }
        if (name != victory) { // the title is still there: closing this one ends nothing
            QCOMPARE(game.runtime().isLoaded(name), outcome == Outcome::StaysOpen);
            QVERIFY(game.loaded().contains(qtext(screens::title)));
            QCOMPARE(game.shownBoxes(), QString());
            QVERIFY(!game.exitStatus);
            return;
        }
        // Access keys press their button the way a click animates: a moment later.
        QVERIFY(QTest::qWaitFor([&] { return game.exitStatus.has_value(); }));
        QCOMPARE(game.loaded(), QStringList());
        if (outcome == Outcome::Closed) {
            QCOMPARE(game.shownBoxes(), QString());
            QCOMPARE(game.exitStatus.value_or(-1), 0);
            return;
        }
        QCOMPARE(game.boxes.size(), std::size_t(1));
        QCOMPARE(game.boxes.front().kind, cratefall::ui::BoxKind::Error);
        // The window is gone by now: compared by address, never read.
        QVERIFY2(game.boxes.front().owner == window, "the error box is not the victory window's");
        QVERIFY2(game.shownBoxes().contains(QStringLiteral("No printer is available")) &&
                     game.shownBoxes().endsWith(QStringLiteral("(Cratefall)")),
                 qPrintable(game.shownBoxes()));
        QVERIFY(game.exitStatus.value_or(0) != 0);
    }

    // Only a truly empty box gets the default name; blanks are a name too.
    void nameIsSetBeforePrinting_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("printed");
        QTest::newRow("nothing") << QString() << QStringLiteral("Nameless loser.");
        QTest::newRow("blanks") << QStringLiteral("   ") << QStringLiteral("   ");
    }
    void nameIsSetBeforePrinting()
    {
        QFETCH(QString, typed);
        QFETCH(QString, printed);
        GameFixture game;
        QVERIFY(game.showActive(victory));
        game.typeInto(victory, "Text1", typed);
        QString nameWhilePrinting;
        game.whileBoxOpen = [&](const ShownBox&) {
            nameWhilePrinting = qtext(game.form(victory).control("Text1").Text());
        };
        game.pressControl(victory, "Command2");
        QCOMPARE(nameWhilePrinting, printed);
    }

    void graphicalButtonsShowTheirFacesInBothQtStyles()
    {
        const QString original = QApplication::style()->name();
        auto restore = qScopeGuard([&] { QApplication::setStyle(original); });
        // Qt's own two styles, always there: a style plugin installed on the machine is not ours
        // to test against.
        for (const char* style : {"Fusion", "Windows"}) {
            QVERIFY2(QApplication::setStyle(QString::fromLatin1(style)), style);
            GameFixture game;
            QVERIFY(game.showActive(victory));
            // Most of each face is its colour; the rest is caption, border and focus marks.
            for (const auto& [button, colour] : {std::pair{"Command2", QColor(0xFF0000)},
                                                 std::pair{"Command1", QColor(0xC0C000)}}) {
                const double share =
                    shareOf(game.widget(victory, button)->grab().toImage(), colour);
                QVERIFY2(share > 0.5, qPrintable(QStringLiteral("%1 in %2 is %3 %4")
                                                     .arg(button, style)
                                                     .arg(share)
                                                     .arg(colour.name())));
            }
        }
    }

    // Drawn in the box's own green, the name would still be there to copy, but nobody would see
    // it.
    void typedNameStandsOutFromTheBoxOnScreenAndOnTheCertificate()
    {
        GameFixture game;
        QVERIFY(game.showActive(victory));
        QWidget* box = game.widget(victory, "Text1");
        QWidget* client = game.form(victory).window()->client();
        const QColor green(0x80FF80);
        // The box on the screen, then on the certificate's page.
        const auto standingOut = [&] {
            QImage page(client->size(), QImage::Format_RGB32);
            QPainter painter(&page);
            cratefall::printing::drawOnPage(painter, cratefall::printing::record(*client),
                                            page.size());
            painter.end();
            return QList<int>{standingOutFrom(box->grab().toImage(), green),
                              standingOutFrom(page.copy(box->geometry()), green)};
        };
        const QList<int> empty = standingOut();
        game.typeInto(victory, "Text1", QStringLiteral("Ada Lovelace"));
        game.key(victory, Qt::Key_Tab); // the caret leaves with the focus: only the name is new
        const QList<int> named = standingOut();
        for (const int on : {0, 1})
            QVERIFY2(named[on] - empty[on] > 100,
                     qPrintable(QStringLiteral("Text1's \"Ada Lovelace\" on the %1 stands out from "
                                               "the box's green in %2 pixels")
                                    .arg(on == 0 ? "screen" : "certificate")
                                    .arg(named[on] - empty[on])));
    }

    // A click anywhere but on a button or the name box leaves the focus, caret and selection
    // included, where the player put it.
    void clicksOffTheNameBoxLeaveTheNameWhole()
    {
        GameFixture game;
        QVERIFY(game.showActive(victory));
        auto* box = static_cast<QLineEdit*>(game.widget(victory, "Text1"));
        game.typeInto(victory, "Text1", QStringLiteral("Ada"));

        const QWidget* client = game.form(victory).window()->client();
        const QPoint white(5, 5);
        QCOMPARE(client->childAt(white), nullptr);
        const auto centre = [&](std::string_view control) {
            return game.widget(victory, control)->geometry().center();
        };
        const std::pair<QPoint, QString> clicksThenTyping[] = {
            {white, QStringLiteral(" Lov")},
            {centre("Label1"), QStringLiteral("el")},
            {centre("Image1"), QStringLiteral("ac")},
            {centre("Label3"), QStringLiteral("e")},
        };
        for (const auto& [at, more] : clicksThenTyping) {
            game.pressAt(victory, at);
            QCOMPARE(QApplication::focusWidget(), box);
            QCOMPARE(box->cursorPosition(), box->text().size());
            for (const QChar c : more)
                QTest::keyClick(game.form(victory).window()->windowHandle(), c.toLatin1());
        }
        QCOMPARE(box->text(), QStringLiteral("Ada Lovelace"));

        // A selection survives a click on the background too.
        box->setSelection(4, 4);
        game.pressAt(victory, white);
        QCOMPARE(box->selectedText(), QStringLiteral("Love"));

        std::string printed;
        game.whileBoxOpen = [&](const ShownBox&) {
            printed = game.form(victory).control("Text1").Text();
        };
        box->deselect();
        game.key(victory, Qt::Key_Return);
        QCOMPARE(printed, std::string("Ada Lovelace"));
    }
};

QTEST_MAIN(VictoryKeysTest)
#include "victory_keys_test.moc"
