// The end-to-end suite's robot: finds the game's windows on the X server, takes screenshots of
// them, reads their pixels, and clicks like a player. Every position is in pixels of a window's
// client area; every time in milliseconds. Exit status 0: done or true, 1: not so or timed out,
// 2: misuse.
#include "box_await.h"
#include "box_finder.h"
#include "box_player.h"
#include "image_probes.h"
#include "x_session.h"

#include <QColor>
#include <QPainter>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using namespace cratefall::e2e;

namespace {

constexpr int misuse = 2;
constexpr int defaultTimeoutMs = 10000;

using Args = std::vector<std::string>;

struct Misuse : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const std::string& arg(const Args& args, std::size_t index)
{
    if (index >= args.size())
        throw Misuse("missing argument");
    return args[index];
}

std::vector<int> numbers(const std::string& text, qsizetype count)
{
    const QStringList parts = QString::fromStdString(text).split(QLatin1Char(','));
    if (parts.size() != count)
        throw Misuse("expected " + std::to_string(count) + " numbers in " + text);
    std::vector<int> values;
    for (const QString& part : parts) {
        bool ok = false;
        values.push_back(part.toInt(&ok));
        if (!ok)
            throw Misuse("not a number: " + part.toStdString());
    }
    return values;
}

QPoint point(const std::string& text)
{
    const auto v = numbers(text, 2);
    return {v[0], v[1]};
}

QRect rect(const std::string& text)
{
    const auto v = numbers(text, 4);
    return {v[0], v[1], v[2], v[3]};
}

QRgb colour(const std::string& text)
{
    const QColor parsed = QColor::fromString(QString::fromStdString(text));
    if (!parsed.isValid())
        throw Misuse("not a colour: " + text);
    return parsed.rgb();
}

// "x,y,w,h@column": where the box waits, and the left edge of the column it falls down.
std::vector<BoxPlace> boxPlaces(const Args& args, std::size_t from)
{
    std::vector<BoxPlace> boxes;
    for (std::size_t i = from; i < args.size(); ++i) {
        const auto at = args[i].find('@');
        if (at == std::string::npos)
            throw Misuse("a box is written x,y,w,h@column");
        boxes.push_back({rect(args[i].substr(0, at)), numbers(args[i].substr(at + 1), 1)[0]});
    }
    if (boxes.empty())
        throw Misuse("no boxes given");
    return boxes;
}

// "ID", or "ID:x,y,w,h" for that part of the window only (see XSession::viewPart).
WindowId windowId(const XSession& x, const std::string& text)
{
    const auto colon = text.find(':');
    const WindowId window = std::stoul(text.substr(0, colon), nullptr, 0);
    if (colon != std::string::npos)
        x.viewPart(window, rect(text.substr(colon + 1)));
    return window;
}

std::chrono::milliseconds timeoutArg(const Args& args, std::size_t index)
{
    return std::chrono::milliseconds(index < args.size() ? std::stoi(args[index])
                                                         : defaultTimeoutMs);
}

QImage load(const std::string& file)
{
    QImage image(QString::fromStdString(file));
    if (image.isNull())
        throw std::runtime_error("cannot read the screenshot " + file);
    return image.convertToFormat(QImage::Format_RGB32);
}

int printWhenFound(const std::function<std::optional<WindowId>()>& find,
                   std::chrono::milliseconds timeout)
{
    std::optional<WindowId> found;
    waitUntil([&] { return (found = find()).has_value(); }, timeout);
    if (!found)
        return 1;
    std::printf("%lu\n", *found);
    return 0;
}

int windowCommand(const Args& args)
{
    const XSession x;
    const std::string& caption = arg(args, 0);
    return printWhenFound([&] { return x.findClient(caption); }, timeoutArg(args, 1));
}

int popupCommand(const Args& args)
{
    const XSession x;
    return printWhenFound([&] { return x.findMenuPopup(); }, timeoutArg(args, 0));
}

int goneCommand(const Args& args)
{
    const XSession x;
    const WindowId window = windowId(x, arg(args, 0));
    return waitUntil([&] { return !x.isViewable(window); }, timeoutArg(args, 1)) ? 0 : 1;
}

// WINDOW FILE [COVERING_WINDOW]: the window's pixels, those under the other window (a message
// box, say) painted black: they are that window's, drawn whenever it gets round to it.
int shotCommand(const Args& args)
{
    const XSession x;
    const WindowId window = windowId(x, arg(args, 0));
    QImage shot = x.grab(window);
    if (shot.isNull())
        return 1;
    if (args.size() > 2) {
        const QRect covered = x.frameOver(window, windowId(x, args[2]));
        if (covered.isEmpty())
            throw std::runtime_error("the covering window is gone");
        QPainter(&shot).fillRect(covered, Qt::black);
    }
    return shot.save(QString::fromStdString(arg(args, 1)), "PNG") ? 0 : 1;
}

int probeCommand(const Args& args)
{
    const QImage image = load(arg(args, 0));
    for (std::size_t i = 1; i < args.size(); ++i) {
        const QPoint at = point(args[i]);
        if (!image.rect().contains(at))
            throw Misuse("outside the screenshot: " + args[i]);
        std::printf("%s\n", QColor(image.pixel(at)).name().toStdString().c_str());
    }
    return 0;
}

int extentCommand(const Args& args)
{
    const auto extent =
        extentOfOtherColours(load(arg(args, 0)), rect(arg(args, 1)), colour(arg(args, 2)));
    if (!extent)
        std::printf("none\n");
    else
        std::printf("%d %d %d %d\n", extent->x(), extent->y(), extent->width(), extent->height());
    return 0;
}

int inkCommand(const Args& args)
{
    const Axis axis = arg(args, 2) == "rows" ? Axis::Rows : Axis::Columns;
    const int gap = args.size() > 3 ? std::stoi(args[3]) : 3;
    for (const int centre : inkRunCentres(load(arg(args, 0)), rect(arg(args, 1)), axis, gap))
        std::printf("%d\n", centre);
    return 0;
}

// FILE FROM_ROW COLOUR LEFT,RIGHT...: per strip, the first row unlike the colour, or "-".
int firstInkCommand(const Args& args)
{
    const QImage image = load(arg(args, 0));
    const int fromRow = std::stoi(arg(args, 1));
    const QRgb paper = colour(arg(args, 2));
    for (std::size_t i = 3; i < args.size(); ++i) {
        const auto strip = numbers(args[i], 2);
        const auto row = firstRowWithout(image, fromRow, strip[0], strip[1], paper);
        std::printf(row ? "%d\n" : "-\n", row.value_or(0));
    }
    return 0;
}

int differCommand(const Args& args)
{
    const QImage a = load(arg(args, 0));
    const QImage b = load(arg(args, 1));
    if (a.size() != b.size())
        throw std::runtime_error("the screenshots differ in size");
    const QRect area = args.size() > 2 ? rect(args[2]) : a.rect();
    std::printf("%d\n", differingPixels(a, b, area));
    return 0;
}

// WAITING_SHOT SHOT BOX...: per box "top first-visible-row last-visible-row", or "-".
int boxesCommand(const Args& args)
{
    const BoxFinder finder(load(arg(args, 0)), boxPlaces(args, 2));
    for (const auto& sighting : finder.find(load(arg(args, 1)))) {
        if (sighting)
            std::printf("%d %d %d\n", sighting->top, sighting->firstVisibleRow,
                        sighting->lastVisibleRow);
        else
            std::printf("-\n");
    }
    return 0;
}

int clickCommand(const Args& args)
{
    const XSession x;
    x.click(windowId(x, arg(args, 0)), point(arg(args, 1)));
    return 0;
}

// CHORD...: each chord pressed and released in turn, a moment apart (see XSession::key).
int keyCommand(const Args& args)
{
    const XSession x;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
        x.key(args[i]);
    }
    return 0;
}

int closeCommand(const Args& args)
{
    const XSession x;
    x.requestClose(windowId(x, arg(args, 0)));
    return 0;
}

// How play or hammer ended, and the clicks they sent; true when another window appeared.
int printEnd(const PlayResult& result)
{
    const char* ends[] = {"new-window", "window-gone", "timed-out", "all-sent"};
    std::printf("%s %d\n", ends[int(result.end)], result.clicks);
    return result.end == PlayEnd::NewWindow ? 0 : 1;
}

// WINDOW WAITING_SHOT MARGIN TIMEOUT BOX...: plays until another window appears.
int playCommand(const Args& args)
{
    const XSession x;
    const BoxFinder finder(load(arg(args, 1)), boxPlaces(args, 4));
    const PlayOptions options{std::stoi(arg(args, 2)), timeoutArg(args, 3)};
    return printEnd(playBoxes(x, windowId(x, arg(args, 0)), finder, options));
}

// WINDOW CLICKS TIMEOUT X,Y...: clicks the points in turn as fast as the server takes the clicks,
// like a player hammering the boxes without looking, until another window appears.
int hammerCommand(const Args& args)
{
    const XSession x;
    const WindowId window = windowId(x, arg(args, 0));
    const int clicks = std::stoi(arg(args, 1));
    const auto deadline = Clock::now() + timeoutArg(args, 2);
    const std::size_t points = args.size() > 3 ? args.size() - 3 : 0;
    if (points == 0)
        throw Misuse("no points given");
    x.watchNewWindows();
    int sent = 0;
    for (; sent < clicks && Clock::now() < deadline; ++sent) {
        if (x.newWindowMapped())
            return printEnd({PlayEnd::NewWindow, sent});
        x.click(window, point(args[3 + std::size_t(sent) % points]));
    }
    return printEnd({sent < clicks ? PlayEnd::TimedOut : PlayEnd::AllSent, sent});
}

void save(const QImage& shot, const std::string& file)
{
    if (!shot.save(QString::fromStdString(file), "PNG"))
        throw std::runtime_error("cannot save the screenshot " + file);
}

// WINDOW WAITING_SHOT TOP_FROM TOP_TO TIMEOUT SHOTS CLICK BOX...: waits for a box whose top lies
// between the two rows and prints "box top first-visible last-visible fate" (boxes counted from
// 1). CLICK "aim" clicks the box where a player would, a number clicks that row of the box's
// column, "-" does not click; the click comes at once, before the box falls on. Saves the look
// that caught the box as SHOTS-seen.png; after a click also the look taken the moment after it
// as SHOTS-now.png, and as SHOTS-answer.png the look that told the click's fate: "answered" (the
// box went up and a tick followed), "missed" (ticks went by and it did not) or "pending" (time
// ran out first).
int awaitBoxCommand(const Args& args)
{
    const XSession x;
    const WindowId window = windowId(x, arg(args, 0));
    const BoxFinder finder(load(arg(args, 1)), boxPlaces(args, 7));
    const auto timeout = timeoutArg(args, 4);
    const std::string& shots = arg(args, 5);
    const std::string& click = arg(args, 6);
    const auto caught = awaitBoxBetween(x, window, finder, std::stoi(arg(args, 2)),
                                        std::stoi(arg(args, 3)), timeout);
    if (!caught)
        return 1;
    const BoxPlace& box = finder.box(caught->index);
    const char* fate = "-";
    if (click != "-") {
        x.click(window, click == "aim"
                            ? aimPoint(box, caught->sighting)
                            : QPoint(box.column + box.waiting.width() / 2, std::stoi(click)));
        const QImage now = x.grab(window);
        ClickWatch watch(finder, caught->index, caught->sighting, caught->all);
        const FollowedClick followed = followClick(x, window, finder, watch, timeout);
        save(now, shots + "-now.png");
        save(followed.shot, shots + "-answer.png");
        const char* fates[] = {"pending", "answered", "missed"};
        fate = fates[int(followed.fate)];
    }
    save(caught->shot, shots + "-seen.png");
    std::printf("%d %d %d %d %s\n", caught->index + 1, caught->sighting.top,
                caught->sighting.firstVisibleRow, caught->sighting.lastVisibleRow, fate);
    return 0;
}

// WINDOW WAITING_SHOT TIMEOUT SHOTS BOX...: looks until it finds every box, then until it finds
// every one lower down; prints "MOVED of SEEN" for its last look (or that no look found them all),
// saved as SHOTS-to.png beside the first as SHOTS-from.png.
int fallCommand(const Args& args)
{
    const XSession x;
    const BoxFinder finder(load(arg(args, 1)), boxPlaces(args, 4));
    const Fall fall = awaitFall(x, windowId(x, arg(args, 0)), finder, timeoutArg(args, 2));
    const std::string& shots = arg(args, 3);
    if (!fall.from.isNull())
        save(fall.from, shots + "-from.png");
    if (!fall.to.isNull())
        save(fall.to, shots + "-to.png");
    if (fall.from.isNull())
        std::printf("no look found every box in its column\n");
    else
        std::printf("%d of %d\n", fall.moved, fall.seen);
    return 0;
}

// WINDOW TIMEOUT: asks for the window to be activated and waits until keys typed reach it.
int focusCommand(const Args& args)
{
    const XSession x;
    const WindowId window = windowId(x, arg(args, 0));
    constexpr auto askAgainEvery = std::chrono::seconds(2);
    auto askedAt = Clock::now() - askAgainEvery;
    return waitUntil(
               [&] {
                   if (x.hasFocus(window))
                       return true;
                   // A window manager busy with another window may drop the request.
                   if (Clock::now() - askedAt >= askAgainEvery) {
                       x.requestActivation(window);
                       askedAt = Clock::now();
                   }
                   return false;
               },
               timeoutArg(args, 1))
               ? 0
               : 1;
}

// FILE: the screenshot's width and height.
int sizeCommand(const Args& args)
{
    const QImage image = load(arg(args, 0));
    std::printf("%d %d\n", image.width(), image.height());
    return 0;
}

int chainCommand(const Args& args);

const std::map<std::string, std::function<int(const Args&)>> commands{
    {"window", windowCommand}, {"popup", popupCommand},        {"gone", goneCommand},
    {"shot", shotCommand},     {"probe", probeCommand},        {"extent", extentCommand},
    {"ink", inkCommand},       {"first-ink", firstInkCommand}, {"differ", differCommand},
    {"boxes", boxesCommand},   {"click", clickCommand},        {"close", closeCommand},
    {"play", playCommand},     {"hammer", hammerCommand},      {"await-box", awaitBoxCommand},
    {"focus", focusCommand},   {"size", sizeCommand},          {"key", keyCommand},
    {"fall", fallCommand},     {"chain", chainCommand},
};

// COMMAND ARGS... [-- COMMAND ARGS...]...: the commands one after the other in this one run, so
// that no start of a program, slow on a loaded machine, comes between them while a level runs
// on. Stops at the first that does not succeed; what each printed tells how far it came.
int chainCommand(const Args& args)
{
    Args one;
    for (std::size_t i = 0; i <= args.size(); ++i) {
        if (i < args.size() && args[i] != "--") {
            one.push_back(args[i]);
            continue;
        }
        if (one.empty() || one.front() == "chain" || !commands.contains(one.front()))
            throw Misuse("not a command to chain: " + (one.empty() ? "nothing" : one.front()));
        const int status = commands.at(one.front())(Args(one.begin() + 1, one.end()));
        std::fflush(stdout);
        if (status != 0)
            return status;
        one.clear();
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2 || !commands.contains(argv[1])) {
        std::fprintf(stderr, "usage: %s COMMAND ARGS...; commands:", argv[0]);
        for (const auto& [name, command] : commands)
            std::fprintf(stderr, " %s", name.c_str());
        std::fprintf(stderr, "\n");
        return misuse;
    }
    try {
        return commands.at(argv[1])(Args(argv + 2, argv + argc));
    } catch (const Misuse& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return misuse;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return 1;
    }
}
