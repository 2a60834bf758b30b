#include "spooler_probe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace cratefall::testing {
namespace {

// Far beyond what the private scheduler and poppler take, and short enough that a test whose
// spooler never answers fails with its reason inside the test's time limit.
constexpr int toolTimeoutMs = 10'000;
constexpr int certificateTimeoutMs = 30'000;

QStringList lines(const QString& text)
{
    return text.split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (process.waitForFinished(toolTimeoutMs) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0)
        return QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString reason = QStringLiteral("%1 %2 failed: %3 %4")
                               .arg(program, arguments.join(u' '), process.errorString(),
                                    QString::fromLocal8Bit(process.readAllStandardError()));
    QTest::qFail(qPrintable(reason), __FILE__, __LINE__);
    return {};
}

SpoolerProbe::SpoolerProbe()
    : m_pdfDir(qEnvironmentVariable("CRATEFALL_TEST_PDF_DIR")),
      m_queue(qEnvironmentVariable("CRATEFALL_TEST_QUEUE")),
      m_pageLog(qEnvironmentVariable("CRATEFALL_TEST_PAGE_LOG"))
{}

QStringList SpoolerProbe::allJobs() const
{
    return lines(runTool(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"),
                                                    QStringLiteral("-o"), m_queue}));
}

QStringList SpoolerProbe::pendingJobs() const
{
    return lines(runTool(QStringLiteral("lpstat"), {QStringLiteral("-o"), m_queue}));
}

QStringList SpoolerProbe::certificates() const
{
    return QDir(m_pdfDir).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

QList<int> SpoolerProbe::sheetTotals() const
{
    QFile log(m_pageLog);
    if (!log.open(QIODevice::ReadOnly)) // no job has finished yet
        return {};
    // "QUEUE USER JOB [DATE] total SHEETS ..."
    static const QRegularExpression total(QStringLiteral(R"(\] total (\d+) )"));
    QList<int> totals;
    for (const QString& line : lines(QString::fromUtf8(log.readAll())))
        if (const auto match = total.match(line); match.hasMatch())
            totals.append(match.captured(1).toInt());
    return totals;
}

QString SpoolerProbe::waitForCertificate(const QStringList& before) const
{
    QString found;
    const bool arrived = QTest::qWaitFor(
        [&] {
            const bool pending = !pendingJobs().isEmpty();
            if (QTest::currentTestFailed()) // the spooler could not be asked: stop waiting
                return true;
            if (pending)
                return false;
            for (const QString& name : certificates()) {
                const QFileInfo file(QDir(m_pdfDir), name);
                if (!before.contains(name) && file.size() > 0) {
                    found = file.absoluteFilePath();
                    return true;
                }
            }
            return false;
        },
        certificateTimeoutMs);
    return arrived ? found : QString();
}

void SpoolerProbe::setIntake(Intake intake) const
{
    runTool(intake == Intake::Accept ? QStringLiteral("cupsaccept") : QStringLiteral("cupsreject"),
            {m_queue});
}

QString SpoolerProbe::pdfText(const QString& pdf)
{
    return runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
}

QList<QImage> SpoolerProbe::pdfPages(const QString& pdf, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf, prefix});
    QList<QImage> pages;
    for (const QString& name :
         QDir(dir.path()).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name))
        pages.append(QImage(dir.filePath(name)));
    return pages;
}

} // namespace cratefall::testing
