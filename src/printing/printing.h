#pragma once

#include <QString>
#include <optional>
#include <string>

class QPainter;
class QPicture;
class QPrinter;
class QSizeF;
class QWidget;

namespace cratefall::printing {

// What a window looks like on screen, kept as drawing commands so that text stays text when it
// reaches the printer (a widget rendered straight into a printer is turned into one bitmap).
QPicture record(QWidget& widget);

// Draws the picture on a page whose printable area has that size in device pixels, from the
// painter's origin: scaled to the printable width (or less if it would run off the page), at the top.
void drawOnPage(QPainter& painter, const QPicture& picture, const QSizeF& printable);

// One page on the desktop's default printer: the picture scaled to the printable width (or less
// if it would run off the page) and placed at the top. Throws RuntimeError when there is no
// printer or the job does not reach it; nothing is printed then.
void printOnePage(const QPicture& picture, const QString& jobTitle);
// The same on a printer already made. Qt makes a QPrinter with no printer behind it a PDF writer;
// that is refused as no printer, rather than printed into a file or into nothing.
void printOnePage(const QPicture& picture, const QString& jobTitle, QPrinter& printer);

// When the spooler refused the last request this process made to it, its reason. Qt hands the
// finished job to the spooler without reading the answer, so this is the only way to learn that
// a queue took nothing.
std::optional<std::string> spoolerRefusal();

} // namespace cratefall::printing
