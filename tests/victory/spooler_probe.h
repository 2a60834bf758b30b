#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace cratefall::testing {

// What reached the private scheduler the test runs against (see tests/cups/with_cupsd.sh), read
// with the spooler's own command-line tools.
class SpoolerProbe {
public:
    SpoolerProbe();

    bool usable() const
    {
        return !m_pdfDir.isEmpty() && !m_queue.isEmpty() && !m_pageLog.isEmpty();
    }
    QString queue() const { return m_queue; }

    // Every job the scheduler has seen, finished ones included.
    QStringList allJobs() const;
    QStringList pendingJobs() const;
    QStringList certificates() const;
    // The sheets the scheduler counted for each finished job, copies included, oldest first.
    QList<int> sheetTotals() const;
    // Waits for the queue to drain and the new PDF to arrive; returns it, or an empty string if
    // none arrived.
    QString waitForCertificate(const QStringList& before) const;

    enum class Intake { Accept, Reject };
    // cupsaccept / cupsreject on the queue.
    void setIntake(Intake intake) const;

    static QString pdfText(const QString& pdf);
    static QList<QImage> pdfPages(const QString& pdf, int dpi);

private:
    QString m_pdfDir;
    QString m_queue;
    QString m_pageLog;
};

// A command's standard output. When it cannot run, times out or fails, the test running fails
// with the reason: an empty answer would read as "no jobs" and pass for one.
QString runTool(const QString& program, const QStringList& arguments);

} // namespace cratefall::testing
