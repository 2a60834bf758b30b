// The victory screen's keyboard and buttons, offscreen. The spooler is a socket nobody listens
// on, so a print the player asks for shows up as the no-printer error box and nothing can reach a
// real printer from this test.

// Qt first: the moc of Qt 6.4 fails on <concepts> once <compare> (from the game) has been read.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

// The game's and the test's own.
#include "game_fixture.h"
#include "printing/printing.h"
#include "shell/screen_names.h"
#include "ui/form_window.h"
#include "victory_driver.h"

using namespace cratefall::testing;
using cratefall::ui::BoxKind;

namespace {

enum class Outcome { Closed, PrintAttempted };

struct Press {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// Share of a widget's pixels painted in exactly this colour.
double shareOf(QWidget* widget, QColor colour)
{
    const QImage image = widget->grab().toImage();
    qsizetype matching = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                ++matching;
    return double(matching) / double(image.width() * image.height());
}

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
    void initTestCase();

    void keys_data();
    void keys();
    void nameIsSetBeforePrinting_data();
    void nameIsSetBeforePrinting();
    void closeBoxEndsWithoutABox();
    void graphicalButtonsShowTheirFacesInBothQtStyles();
    void typedNameStandsOutFromTheBoxOnScreenAndOnTheCertificate();
};

void VictoryKeysTest::initTestCase()
{
    // Before Qt's print plugin first asks for printers: from here on the spooler is unreachable.
    QVERIFY(m_noSpooler.isValid());
    qputenv("CUPS_SERVER", m_noSpooler.filePath(QStringLiteral("cups.sock")).toLocal8Bit());
}

void VictoryKeysTest::keys_data()
{
    QTest::addColumn<QList<Press>>("presses");
    QTest::addColumn<Outcome>("outcome");

    const Press tab{Qt::Key_Tab};
    const Press enter{Qt::Key_Return};
    QTest::newRow("Enter on Close") << QList<Press>{enter} << Outcome::Closed;
    QTest::newRow("keypad Enter on Close") << QList<Press>{{Qt::Key_Enter}} << Outcome::Closed;
    QTest::newRow("Enter on Print") << QList<Press>{tab, enter} << Outcome::PrintAttempted;
    QTest::newRow("Enter in the name box")
        << QList<Press>{tab, tab, enter} << Outcome::PrintAttempted;
    QTest::newRow("Esc on Close") << QList<Press>{{Qt::Key_Escape}} << Outcome::Closed;
    QTest::newRow("Esc on Print") << QList<Press>{tab, {Qt::Key_Escape}} << Outcome::Closed;
    QTest::newRow("Esc in the name box")
        << QList<Press>{tab, tab, {Qt::Key_Escape}} << Outcome::Closed;
    QTest::newRow("Alt+C") << QList<Press>{{Qt::Key_C, Qt::AltModifier}} << Outcome::Closed;
    QTest::newRow("Alt+C in the name box")
        << QList<Press>{tab, tab, {Qt::Key_C, Qt::AltModifier}} << Outcome::Closed;
    QTest::newRow("Alt+P") << QList<Press>{{Qt::Key_P, Qt::AltModifier}} << Outcome::PrintAttempted;
    QTest::newRow("Alt+P in the name box")
        << QList<Press>{tab, tab, {Qt::Key_P, Qt::AltModifier}} << Outcome::PrintAttempted;
    QTest::newRow("Space on Close") << QList<Press>{{Qt::Key_Space}} << Outcome::Closed;
}

void VictoryKeysTest::keys()
{
    QFETCH(QList<Press>, presses);
    QFETCH(Outcome, outcome);

    GameFixture game;
    VictoryDriver victory(game);
    QVERIFY(victory.open());
    // A push button of nobody's, first among the window's children: Enter and Esc must still
    // find the screen's own default and cancel buttons, never take this one for them.
    const QWidget* window = game.form("Form12").window();
    auto* stray = new QPushButton(QStringLiteral("stray"), game.form("Form12").window()->client());
    stray->setFocusPolicy(Qt::NoFocus);
    stray->lower();
    for (const Press& press : presses) {
        QVERIFY2(!victory.ended(), "ended before the last key");
        victory.key(press.key, press.modifiers);
    }
    // Access keys press their button the way a click animates: a moment later.
    QVERIFY(QTest::qWaitFor([&] { return victory.ended(); }));

    if (outcome == Outcome::Closed) {
        QCOMPARE(game.exitStatus, 0);
        QVERIFY(game.boxes.empty());
        return;
    }
    QCOMPARE(game.boxes.size(), std::size_t(1));
    QCOMPARE(game.boxes.front().kind, BoxKind::Error);
    // The window is gone by now: compared by address, never read.
    QVERIFY2(game.boxes.front().owner == window, "the error box is not the victory window's");
    QCOMPARE(game.boxes.front().title, std::string("Cratefall"));
    QVERIFY2(game.boxes.front().text.find("No printer is available") != std::string::npos,
             game.boxes.front().text.c_str());
    QVERIFY(game.exitStatus.value_or(0) != 0);
    QVERIFY(!game.runtime().isLoaded("Form12"));
}

// Only a truly empty box gets the default name; blanks are a name too.
void VictoryKeysTest::nameIsSetBeforePrinting_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("printed");
    QTest::newRow("nothing") << QString() << QStringLiteral("Nameless loser.");
    QTest::newRow("blanks") << QStringLiteral("   ") << QStringLiteral("   ");
}

void VictoryKeysTest::nameIsSetBeforePrinting()
{
    QFETCH(QString, typed);
    QFETCH(QString, printed);
    GameFixture game;
    VictoryDriver victory(game);
    QVERIFY(victory.open());
    victory.typeName(typed);
    QString nameWhilePrinting;
    game.whileBoxOpen = [&](const ShownBox&) {
        nameWhilePrinting = QString::fromStdString(game.form("Form12").control("Text1").Text());
    };
    victory.clickButton("Command2");
    QCOMPARE(nameWhilePrinting, printed);
}

void VictoryKeysTest::closeBoxEndsWithoutABox()
{
    GameFixture game;
    VictoryDriver victory(game);
    QVERIFY(victory.open());
    victory.closeWindow();
    QCOMPARE(game.exitStatus, 0);
    QVERIFY(game.boxes.empty());
    QVERIFY(!game.runtime().isLoaded("Form12"));
}

void VictoryKeysTest::graphicalButtonsShowTheirFacesInBothQtStyles()
{
    const QString original = QApplication::style()->name();
    auto restore = qScopeGuard([&] { QApplication::setStyle(original); });
    // Qt's own two styles, always there: a style plugin installed on the machine is not ours to
    // test against.
    for (const char* style : {"Fusion", "Windows"}) {
        QVERIFY2(QApplication::setStyle(QString::fromLatin1(style)), style);
        GameFixture game;
        VictoryDriver victory(game);
        QVERIFY(victory.open());
        // Most of each face is its colour; the rest is caption, border and focus marks.
        QVERIFY2(shareOf(victory.widget("Command2"), QColor(0xFF0000)) > 0.5, style);
        QVERIFY2(shareOf(victory.widget("Command1"), QColor(0xC0C000)) > 0.5, style);
    }
}

// Drawn in the box's own green, the name would still be there to copy, but nobody would see it.
void VictoryKeysTest::typedNameStandsOutFromTheBoxOnScreenAndOnTheCertificate()
{
    GameFixture game;
    VictoryDriver victory(game);
    QVERIFY(victory.open());
    QWidget* box = victory.widget("Text1");
    QWidget* client = game.form(cratefall::shell::screens::victory).window()->client();
    const QColor green(0x80FF80);
    // The box on the screen, then on the certificate's page.
    const auto standingOut = [&] {
        QImage page(client->size(), QImage::Format_RGB32);
        QPainter painter(&page);
        cratefall::printing::drawOnPage(painter, cratefall::printing::record(*client), page.size());
        painter.end();
        return QList<int>{standingOutFrom(box->grab().toImage(), green),
                          standingOutFrom(page.copy(box->geometry()), green)};
    };
    const QList<int> empty = standingOut();
    victory.typeName(QStringLiteral("Ada Lovelace"));
    victory.key(Qt::Key_Tab); // the caret leaves with the focus: only the name is new
    const QList<int> named = standingOut();
    for (const int on : {0, 1})
        QVERIFY2(named[on] - empty[on] > 100,
                 qPrintable(QStringLiteral("Text1's \"Ada Lovelace\" on the %1 stands out from "
                                           "the box's green in %2 pixels")
                                .arg(on == 0 ? "screen" : "certificate")
                                .arg(named[on] - empty[on])));
}

QTEST_MAIN(VictoryKeysTest)
#include "victory_keys_test.moc"
