#include "spooler_probe.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace cratefall::testing {
namespace {

constexpr int toolTimeoutMs = 60'000;
constexpr int certificateTimeoutMs = 90'000;

QStringList lines(const QString& text)
{
    return text.split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(toolTimeoutMs))
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

SpoolerProbe::SpoolerProbe()
    : m_pdfDir(qEnvironmentVariable("CRATEFALL_TEST_PDF_DIR")),
      m_queue(qEnvironmentVariable("CRATEFALL_TEST_QUEUE"))
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

QString SpoolerProbe::waitForCertificate(const QStringList& before) const
{
    QString found;
    const bool arrived = QTest::qWaitFor(
        [&] {
            if (!pendingJobs().isEmpty())
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
