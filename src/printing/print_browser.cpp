#include "printing/printing.h"
#include "ui/runtime_error.h"

#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <emscripten/val.h>
#include <string>

// A page may not print on a printer unasked: in a browser the certificate goes to the browser's
// own printing, where the player picks the printer (or saving it as a PDF). It is handed over as
// the PDF the desktop's printing would send its printer, laid out the same way, text as text.
namespace cratefall::printing {
namespace {

QPageSize paperOfThePlayer()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
               ? QPageSize(QPageSize::Letter)
               : QPageSize(QPageSize::A4);
}

QByteArray toPdf(const QPicture& picture, const QString& jobTitle)
{
    QByteArray pdf;
    QBuffer out(&pdf);
    out.open(QIODevice::WriteOnly);
    QPdfWriter writer(&out);
    writer.setTitle(jobTitle);
    writer.setCreator(QStringLiteral("Cratefall"));
    writer.setResolution(1200);
    // The margins a printer cannot print on, as a desktop printer's page rectangle leaves them.
    writer.setPageLayout(QPageLayout(paperOfThePlayer(), QPageLayout::Portrait,
                                     QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter));
    QPainter painter(&writer);
    drawOnPage(painter, picture, writer.pageLayout().paintRectPixels(writer.resolution()).size());
    painter.end();
    return pdf;
}

} // namespace

void printOnePage(const QPicture& picture, const QString& jobTitle)
{
    const emscripten::val print = emscripten::val::global("cratefallPrint");
    if (print.typeOf().as<std::string>() != "function")
        ui::raise(ui::RuntimeError("No printer is available: this page cannot print"));
    const QByteArray pdf = toPdf(picture, jobTitle);
    // The page copies the bytes before this returns.
    print(emscripten::val(emscripten::typed_memory_view(std::size_t(pdf.size()),
                                                        reinterpret_cast<const unsigned char*>(pdf.constData()))),
          jobTitle.toStdString());
}

} // namespace cratefall::printing
