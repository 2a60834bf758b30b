// Printing with a spooler that runs but has no printer at all (tests/cups/with_cupsd.sh
// no-queue): the game must say so and end with a failure, and nothing may be spooled.

// Qt first: the moc of Qt 6.4 fails on <concepts> once <compare> (from the game) has been read.
#include <QTest>

// The game's and the test's own.
#include "game_fixture.h"
#include "spooler_probe.h"
#include "victory_driver.h"

using namespace cratefall::testing;

class VictoryNoPrinterTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printEndsWithTheNoPrinterBox();
};

void VictoryNoPrinterTest::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("CUPS_SERVER"), "run through tests/cups/with_cupsd.sh");
    QVERIFY2(runTool(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(u"is running"),
             "the private scheduler is not answering");
}

void VictoryNoPrinterTest::printEndsWithTheNoPrinterBox()
{
    GameFixture game;
    VictoryDriver victory(game);
    QVERIFY(victory.open());
    victory.typeName(QStringLiteral("Ada"));
    victory.clickButton("Command2");

    QCOMPARE(game.boxes.size(), std::size_t(1));
    const ShownBox& box = game.boxes.front();
    QCOMPARE(box.kind, cratefall::ui::BoxKind::Error);
    QCOMPARE(box.title, std::string("Cratefall"));
    QVERIFY2(box.text.find("No printer is available") != std::string::npos, box.text.c_str());
    QVERIFY(game.exitStatus.value_or(0) != 0);
    QVERIFY(!game.runtime().isLoaded("Form12"));
    const QString jobs =
        runTool(QStringLiteral("lpstat"),
                {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")});
    QVERIFY2(jobs.trimmed().isEmpty(), qPrintable(jobs));
}

QTEST_MAIN(VictoryNoPrinterTest)
#include "victory_noprinter_test.moc"
