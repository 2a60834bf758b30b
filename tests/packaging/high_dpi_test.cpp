// The title screen on a real display scaled as a player with a high-DPI desktop has it: on Linux
// QT_SCALE_FACTOR=2, under Wine the system's 144 dpi. CRATEFALL_HIGH_DPI_SCALE says what the test's
// display was set up for: a window that many times the designed size, and tiles enlarged in crisp
// blocks rather than smoothed. Everything is judged from the pixels the display holds.
#include "screen_test.h"

#include <QScreen>
#include <QSet>

using cratefall::pictures::PictureStore;

namespace {

const QRgb white = qRgb(255, 255, 255);

// How long the X server and window manager may take to show and place a window: far beyond what
// they take, but a loaded machine is slow, and Qt's own default of five seconds is not enough.
constexpr int windowWaitMs = 30'000;

// The title window with the falling pictures held still, in the screen's top-left corner so the
// window manager's frame cannot push any of it off a small screen.
QWidget* showTitle(GameFixture& game)
{
    QWidget* window = game.shown(screens::title).window();
    game.form(screens::title).Timer1().Enabled(cratefall::ui::Enabled::No);
    window->move(0, 0);
    return QTest::qWaitForWindowExposed(window, windowWaitMs) ? window : nullptr;
}

// The window as the X server holds it, in device pixels.
QImage grab(QWidget* window)
{
    QScreen* screen = window->screen();
    return screen->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

// The client area is the white part below the menu bar; its left edge is never covered.
QRect whiteClientArea(const QImage& shot)
{
    int top = shot.height();
    while (top > 0 && shot.pixel(1, top - 1) == white)
        --top;
    return QRect(0, top, shot.width(), shot.height() - top);
}

QSet<QRgb> opaqueColours(const QImage& picture)
{
    QSet<QRgb> colours;
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(argb.pixel(x, y)) == 255)
                colours.insert(argb.pixel(x, y) | 0xff000000u);
    return colours;
}

// The shortest run of one colour along any row that does not touch the area's edges.
int shortestInnerRun(const QImage& shot, const QRect& area)
{
    int shortest = area.width();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        int start = area.left();
        for (int x = area.left() + 1; x <= area.right() + 1; ++x) {
            if (x <= area.right() && shot.pixel(x, y) == shot.pixel(start, y))
                continue;
            if (start > area.left() && x <= area.right())
                shortest = std::min(shortest, x - start);
            start = x;
        }
    }
    return shortest;
}

// The scale the test's display was set up for, or 0 when the test was started without one.
qreal expectedScale()
{
    return qEnvironmentVariable("CRATEFALL_HIGH_DPI_SCALE").toDouble();
}

} // namespace

// The title's client area, at its designed size times the scale (a half pixel rounds up, as
// Qt rounds a scaled size).
QSize scaledClientSize()
{
    return QSize(381, 414) * expectedScale();
}

// The size of the white client area once it is the expected one, or when the wait gave up. Until
// the window manager has placed and the game painted the window, the capture lags behind.
// (QTRY_COMPARE's expansion narrows a long to an int on newer Qt and fails -Wconversion.)
QSize settledClientSize(QWidget* window)
{
    QSize size;
    static_cast<void>(QTest::qWaitFor(
        [&] { return (size = whiteClientArea(grab(window)).size()) == scaledClientSize(); },
        windowWaitMs));
    return size;
}

class HighDpiTest : public QObject {
    Q_OBJECT

private slots:
    void titleIsScaledInCrispBlocks()
    {
        const qreal scale = expectedScale();
        QVERIFY2(scale > 1, "CRATEFALL_HIGH_DPI_SCALE names no scale above 1");
        GameFixture game;
        QWidget* window = showTitle(game);
        QVERIFY2(window, "the title window never showed");
        QCOMPARE(settledClientSize(window), scaledClientSize());
        const QImage shot = grab(window);
        const QRect client = whiteClientArea(shot);
        QVERIFY2(client.top() > 0, "no menu bar above the client area");
        const QWidget* picture = game.widget(screens::title, "Image1");
        const QRect tile(client.topLeft() + picture->pos() * scale, picture->size() * scale);
        QVERIFY(client.contains(tile));

        // Smoothing blends neighbouring colours into ones the picture never had.
        QSet<QRgb> allowed = opaqueColours(PictureStore::image("Tile04"));
        QVERIFY(allowed.size() > 2);
        allowed.insert(white);
        QSet<QRgb> seen;
        for (int y = tile.top(); y <= tile.bottom(); ++y)
            for (int x = tile.left(); x <= tile.right(); ++x)
                seen.insert(shot.pixel(x, y) | 0xff000000u);
        const QSet<QRgb> invented = seen - allowed;
        QVERIFY2(invented.isEmpty(),
                 qPrintable(QStringLiteral("%1 blended colours on the tile").arg(invented.size())));
        QVERIFY(seen.size() > 2);

        // Each picture pixel covers a whole block of screen pixels, never a sliver.
        const int sourceWidth = PictureStore::image("Tile04").width();
        const int run = shortestInnerRun(shot, tile);
        QVERIFY2(run >= tile.width() / sourceWidth,
                 qPrintable(QStringLiteral("a colour only %1 pixels wide").arg(run)));
    }
};

QTEST_MAIN(HighDpiTest)
#include "high_dpi_test.moc"
