// The victory screen against a real spooler: a private cupsd with a PDF queue as the default
// printer (tests/cups/with_cupsd.sh), every certificate read back from the PDF it became.

// Qt first: the moc of Qt 6.4 fails on <concepts> once <compare> (from the game) has been read.
#include <QImage>
#include <QLabel>
#include <QPicture>
#include <QPrinter>
#include <QTest>

// The game's and the test's own.
#include "game_fixture.h"
#include "printing/printing.h"
#include "spooler_probe.h"
#include "ui/runtime_error.h"
#include "victory_driver.h"

using namespace cratefall::testing;

namespace {

constexpr int rasterDpi = 40;

// Where the red print button sits in the window, as fractions of the client width (the page is
// scaled to the width, so these are fractions of the page width too).
struct Extent {
    double left;
    double top;
    double width;
};
constexpr double clientWidthTwips = 7920;
constexpr Extent printButton{2520 / clientWidthTwips, 5280 / clientWidthTwips,
                             2295 / clientWidthTwips};

bool isPrintButtonRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 70 && qBlue(pixel) < 70;
}

// The rows where red runs wide: the button, not the medal's narrow red clasp.
QRect redArea(const QImage& page)
{
    QRect area;
    for (int y = 0; y < page.height(); ++y) {
        QRect row;
        for (int x = 0; x < page.width(); ++x)
            if (isPrintButtonRed(page.pixel(x, y)))
                row |= QRect(x, y, 1, 1);
        if (row.width() > page.width() / 5)
            area |= row;
    }
    return area;
}

} // namespace

class VictoryPrintTest : public QObject {
    Q_OBJECT

private:
    SpoolerProbe m_spooler;
    QStringList m_jobsBefore;
    QStringList m_filesBefore;

    // Prints through the given action and returns the certificate's text; checks that exactly one
    // job ran and the game ended normally with no box.
    QString printedText(const std::function<void(VictoryDriver&)>& print, QString* pdf = nullptr);
    void verifyNothingPrinted();

private slots:
    void initTestCase();
    void init();

    void printsTheCertificate_data();
    void printsTheCertificate();
    void certificateShowsTheWindowAcrossTheTopOfOnePage();

    void pdfWriterIsNoPrinter();
    void closeButtonPrintsNothing();

    void queueThatTakesNoJobsEndsWithTheErrorBox();
};

void VictoryPrintTest::initTestCase()
{
    QVERIFY2(m_spooler.usable(), "run through tests/cups/with_cupsd.sh");
}

void VictoryPrintTest::init()
{
    m_jobsBefore = m_spooler.allJobs();
    m_filesBefore = m_spooler.certificates();
}

QString VictoryPrintTest::printedText(const std::function<void(VictoryDriver&)>& print,
                                      QString* pdf)
{
    GameFixture game;
    VictoryDriver victory(game);
    if (!victory.open())
        return QStringLiteral("<window did not open>");
    print(victory);
    if (game.exitStatus != 0 || !game.boxes.empty())
        return QStringLiteral("<game did not end cleanly: %1>")
            .arg(game.boxes.empty() ? QStringLiteral("no box")
                                    : QString::fromStdString(game.boxes.front().text));
    const QString file = m_spooler.waitForCertificate(m_filesBefore);
    if (m_spooler.allJobs().size() != m_jobsBefore.size() + 1)
        return QStringLiteral("<not exactly one job>");
    if (pdf)
        *pdf = file;
    return file.isEmpty() ? QStringLiteral("<no certificate>") : SpoolerProbe::pdfText(file);
}

void VictoryPrintTest::verifyNothingPrinted()
{
    QCOMPARE(m_spooler.allJobs(), m_jobsBefore);
    QCOMPARE(m_spooler.certificates(), m_filesBefore);
}

void VictoryPrintTest::printsTheCertificate_data()
{
    QTest::addColumn<QString>("name"); // typed into the box unless null
    QTest::addColumn<bool>("byEnter"); // else the print button
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("absent");
    const QString congratulations = QStringLiteral("Congratulations, you beat the game!!!");
    QTest::newRow("typed name") << QStringLiteral("Ada Lovelace") << false
                                << QStringList{QStringLiteral("Ada Lovelace"), congratulations}
                                << QStringLiteral("Nameless loser.");
    QTest::newRow("empty name, as a nameless loser")
        << QString() << false << QStringList{QStringLiteral("Nameless loser.")} << QString();
    QTest::newRow("blank name, as typed")
        << QStringLiteral("   ") << false << QStringList{QStringLiteral("Type your name below")}
        << QStringLiteral("Nameless");
    QTest::newRow("Enter in the name box")
        << QStringLiteral("Grace") << true << QStringList{QStringLiteral("Grace")} << QString();
}

void VictoryPrintTest::printsTheCertificate()
{
    QFETCH(QString, name);
    QFETCH(bool, byEnter);
    QFETCH(QStringList, shown);
    QFETCH(QString, absent);
    const QString text = printedText([&](VictoryDriver& victory) {
                             if (!name.isNull())
                                 victory.typeName(name);
                             if (byEnter)
                                 victory.key(Qt::Key_Return);
                             else
                                 victory.clickButton("Command2");
                         }).simplified();
    for (const QString& wanted : shown)
        QVERIFY2(text.contains(wanted), qPrintable(text));
    QVERIFY2(absent.isNull() || !text.contains(absent), qPrintable(text));
}

void VictoryPrintTest::certificateShowsTheWindowAcrossTheTopOfOnePage()
{
    QString pdf;
    printedText([](VictoryDriver& victory) { victory.clickButton("Command2"); }, &pdf);
    QVERIFY(!pdf.isEmpty());
    const QList<QImage> pages = SpoolerProbe::pdfPages(pdf, rasterDpi);
    QCOMPARE(pages.size(), 1);

    const QImage& page = pages.front();
    const QRect red = redArea(page);
    QVERIFY2(!red.isEmpty(), "the red print button is missing from the page");
    // Scaled to the page width and drawn from the top: the button lands where the window has it.
    const double width = page.width();
    constexpr double tolerance = 0.02;
    QVERIFY2(qAbs(red.left() / width - printButton.left) < tolerance, "button not in place");
    QVERIFY2(qAbs(red.top() / width - printButton.top) < tolerance, "page not from the top");
    QVERIFY2(qAbs(red.width() / width - printButton.width) < tolerance, "not page-wide");
}

// A QPrinter with no printer behind it is Qt's PDF writer: a certificate written into a file, or
// into nothing when it has none, would pass for a printed one.
void VictoryPrintTest::pdfWriterIsNoPrinter()
{
    QPrinter writer;
    writer.setOutputFormat(QPrinter::PdfFormat);
    writer.setOutputFileName(qEnvironmentVariable("CRATEFALL_TEST_PDF_DIR") +
                             QStringLiteral("/certificate.pdf"));
    QLabel window(QStringLiteral("Ada Lovelace"));
    QVERIFY_THROWS_EXCEPTION(cratefall::ui::RuntimeError, cratefall::printing::printOnePage(
                                                              cratefall::printing::record(window),
                                                              QStringLiteral("Cratefall"), writer));
    verifyNothingPrinted();
}

// Esc, Enter on Close and the close box end the same way; the keys test shows none of them
// even tries to print.
void VictoryPrintTest::closeButtonPrintsNothing()
{
    GameFixture game;
    VictoryDriver victory(game);
    QVERIFY(victory.open());
    victory.typeName(QStringLiteral("Ada"));
    victory.clickButton("Command1");
    QCOMPARE(game.exitStatus, 0);
    QVERIFY(game.boxes.empty());
    verifyNothingPrinted();
}

void VictoryPrintTest::queueThatTakesNoJobsEndsWithTheErrorBox()
{
    m_spooler.setIntake(SpoolerProbe::Intake::Reject);
    auto reopen = qScopeGuard([this] { m_spooler.setIntake(SpoolerProbe::Intake::Accept); });

    GameFixture game;
    VictoryDriver victory(game);
    QVERIFY(victory.open());
    victory.clickButton("Command2");
    QCOMPARE(game.boxes.size(), std::size_t(1));
    QCOMPARE(game.boxes.front().kind, cratefall::ui::BoxKind::Error);
    QCOMPARE(game.boxes.front().title, std::string("Cratefall"));
    QVERIFY2(QString::fromStdString(game.boxes.front().text).contains(m_spooler.queue()),
             game.boxes.front().text.c_str());
    QVERIFY(game.exitStatus.has_value());
    QVERIFY(*game.exitStatus != 0);
    QCOMPARE(m_spooler.certificates(), m_filesBefore);
}

QTEST_MAIN(VictoryPrintTest)
#include "victory_print_test.moc"
