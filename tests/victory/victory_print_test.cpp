// The victory screen against a real spooler: a private cupsd with a PDF queue as the default
// printer (tests/cups/with_cupsd.sh), every certificate read back from the PDF it became.
#include "screen_test.h"
#include "spooler_probe.h"

#include <QLabel>
#include <QPrinter>

using namespace cratefall::testing;

namespace {

// One pixel of the page read back is one point.
constexpr int rasterDpi = 72;

// The test queue's paper, A4, less the margins its printer cannot print in, in points
// (tests/cups/pdf_folder.ppd): the certificate is laid out in what is left.
constexpr QRectF printable(18, 36, 595 - 2 * 18, 842 - 2 * 36);

// Where the red print button sits in the window (left, top, width), as fractions of the client's
// 7920 twips' width: the certificate is scaled to the printable width, so of that width too.
constexpr QRectF printButton(2520 / 7920.0, 5280 / 7920.0, 2295 / 7920.0, 0);

// The rows where red runs wide: the button, not the medal's narrow red clasp.
QRect redArea(const QImage& page)
{
    QRect area;
    for (int y = 0; y < page.height(); ++y) {
        QRect row;
        for (int x = 0; x < page.width(); ++x)
            if (const QRgb pixel = page.pixel(x, y);
                qRed(pixel) > 200 && qGreen(pixel) < 70 && qBlue(pixel) < 70)
                row |= QRect(x, y, 1, 1);
        if (row.width() > page.width() / 5)
            area |= row;
    }
    return area;
}

} // namespace

constexpr std::string_view victory = screens::victory;

class VictoryPrintTest : public QObject {
    Q_OBJECT

private:
    SpoolerProbe m_spooler;
    QStringList m_jobsBefore;
    QStringList m_filesBefore;
    qsizetype m_sheetsBefore = 0;

    // Prints through the given action and returns the certificate's text; checks that exactly one
    // job ran and the game ended normally with no box.
    QString printedText(const std::function<void(GameFixture&)>& print, QString* pdf = nullptr)
    {
        GameFixture game;
        if (!game.showActive(victory))
            return QStringLiteral("<window did not open>");
        print(game);
        if (game.exitStatus != 0 || !game.boxes.empty())
            return QStringLiteral("<game did not end cleanly: [%1]>").arg(game.shownBoxes());
        const QString file = m_spooler.waitForCertificate(m_filesBefore);
        if (m_spooler.allJobs().size() != m_jobsBefore.size() + 1)
            return QStringLiteral("<not exactly one job>");
        // One page, one copy: the scheduler counts the job's sheets once it is done with it.
        QList<int> sheets;
        if (!QTest::qWaitFor(
                [&] { return (sheets = m_spooler.sheetTotals()).size() > m_sheetsBefore; }))
            return QStringLiteral("<the scheduler counted no sheets>");
        if (sheets.size() != m_sheetsBefore + 1 || sheets.last() != 1)
            return QStringLiteral("<not one sheet: the scheduler counted %1>").arg(sheets.last());
        if (pdf)
            *pdf = file;
        return file.isEmpty() ? QStringLiteral("<no certificate>") : SpoolerProbe::pdfText(file);
    }

private slots:
    void initTestCase() { QVERIFY2(m_spooler.usable(), "run through tests/cups/with_cupsd.sh"); }

    void init()
    {
        m_jobsBefore = m_spooler.allJobs();
        m_filesBefore = m_spooler.certificates();
        m_sheetsBefore = m_spooler.sheetTotals().size();
    }

    void printsTheCertificate_data()
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
    void printsTheCertificate()
    {
        QFETCH(QString, name);
        QFETCH(bool, byEnter);
        QFETCH(QStringList, shown);
        QFETCH(QString, absent);
        const QString text = printedText([&](GameFixture& game) {
                                 if (!name.isNull())
                                     game.typeInto(victory, "Text1", name);
                                 if (byEnter)
                                     game.key(victory, Qt::Key_Return);
                                 else
                                     game.pressControl(victory, "Command2");
                             }).simplified();
        for (const QString& wanted : shown)
            QVERIFY2(text.contains(wanted),
                     qPrintable(wanted + QStringLiteral(" not in: ") + text));
        QVERIFY2(absent.isNull() || !text.contains(absent),
                 qPrintable(absent + QStringLiteral(" in: ") + text));
    }

    void certificateShowsTheWindowAcrossThePrintableAreaOfOnePage()
    {
        QString pdf;
        printedText([](GameFixture& game) { game.pressControl(victory, "Command2"); }, &pdf);
        QVERIFY(!pdf.isEmpty());
        const QList<QImage> pages = SpoolerProbe::pdfPages(pdf, rasterDpi);
        QCOMPARE(pages.size(), 1);

        const QRect red = redArea(pages.front());
        QVERIFY2(!red.isEmpty(), "the red print button is missing from the page");
        // Scaled to the printable width and drawn from the printable top: the button lands where
        // the window has it, and no edge of the window falls into the margins.
        const double width = printable.width();
        const QRectF expected(printable.left() + printButton.left() * width,
                              printable.top() + printButton.top() * width,
                              printButton.width() * width, red.height());
        const auto near = [](double found, double wanted) { return qAbs(found - wanted) <= 2; };
        const QString where = QStringLiteral("the button is at %1,%2 %3 wide, not at %4,%5 %6 wide")
                                  .arg(red.left())
                                  .arg(red.top())
                                  .arg(red.width())
                                  .arg(expected.left())
                                  .arg(expected.top())
                                  .arg(expected.width());
        QVERIFY2(near(red.left(), expected.left()) && near(red.top(), expected.top()) &&
                     near(red.width(), expected.width()),
                 qPrintable(where));
    }

    // A QPrinter with no printer behind it is Qt's PDF writer: a certificate written into a file,
    // or into nothing when it has none, would pass for a printed one. (The Close button, Esc and
    // the close box are shown to try no print by the keys test, where any print is an error box.)
    void pdfWriterIsNoPrinter()
    {
        QPrinter writer;
        writer.setOutputFormat(QPrinter::PdfFormat);
        writer.setOutputFileName(qEnvironmentVariable("CRATEFALL_TEST_PDF_DIR") +
                                 QStringLiteral("/certificate.pdf"));
        QLabel window(QStringLiteral("Ada Lovelace"));
        QVERIFY_THROWS_EXCEPTION(
            cratefall::ui::RuntimeError,
            cratefall::printing::printOnePage(cratefall::printing::record(window),
                                              QStringLiteral("Cratefall"), writer));
        QCOMPARE(m_spooler.allJobs(), m_jobsBefore);
        QCOMPARE(m_spooler.certificates(), m_filesBefore);
    }

    void queueThatTakesNoJobsEndsWithTheErrorBox()
    {
        m_spooler.setIntake(SpoolerProbe::Intake::Reject);
        auto reopen = qScopeGuard([this] { m_spooler.setIntake(SpoolerProbe::Intake::Accept); });
        GameFixture game;
        QVERIFY(game.showActive(victory));
        game.pressControl(victory, "Command2");
        QCOMPARE(game.boxes.size(), std::size_t(1));
        QCOMPARE(game.boxes.front().kind, cratefall::ui::BoxKind::Error);
        QVERIFY2(game.shownBoxes().contains(m_spooler.queue()) &&
                     game.shownBoxes().endsWith(QStringLiteral("(Cratefall)")),
                 qPrintable(game.shownBoxes()));
        QVERIFY(game.exitStatus.value_or(0) != 0);
        QCOMPARE(m_spooler.certificates(), m_filesBefore);
    }
};

QTEST_MAIN(VictoryPrintTest)
#include "victory_print_test.moc"
