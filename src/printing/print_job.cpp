#include "printing/printing.h"
#include "ui/runtime_error.h"

#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>

namespace cratefall::printing {
namespace {

[[noreturn]] void fail(const QString& reason)
{
    ui::raise(ui::RuntimeError(reason.toStdString()));
}

// Without a printer Qt quietly turns a QPrinter into a PDF writer with no file: that would look
// like a successful print that went nowhere.
void checkIsRealPrinter(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName().isEmpty() ||
        !printer.isValid())
        fail(QStringLiteral("No printer is available"));
}

} // namespace

void printOnePage(const QPicture& picture, const QString& jobTitle)
{
    const QPrinterInfo target = QPrinterInfo::defaultPrinter();
    if (target.isNull())
        fail(QStringLiteral("No printer is available: no default printer is set up"));

    QPrinter printer(target, QPrinter::HighResolution);
    printOnePage(picture, jobTitle, printer);
}

void printOnePage(const QPicture& picture, const QString& jobTitle, QPrinter& printer)
{
    checkIsRealPrinter(printer);
    printer.setDocName(jobTitle);
    printer.setCopyCount(1);
    printer.setFullPage(false);

    const QString name = printer.printerName();
    QPainter painter;
    if (!painter.begin(&printer))
        fail(QStringLiteral("No printer is available: the printer \"%1\" could not start the job")
                 .arg(name));
    drawOnPage(painter, picture, printer.pageRect(QPrinter::DevicePixel).size());
    const bool finished = painter.end();

    if (!finished || printer.printerState() == QPrinter::Error)
        fail(QStringLiteral("The printer \"%1\" reported an error while printing").arg(name));
    if (const auto refusal = spoolerRefusal())
        fail(QStringLiteral("The printer \"%1\" did not take the job: %2")
                 .arg(name, QString::fromStdString(*refusal)));
}

} // namespace cratefall::printing
