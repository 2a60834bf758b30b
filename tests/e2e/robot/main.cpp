// The end-to-end suite's robot: finds the game's windows on the X server, takes screenshots of
// them, reads their pixels, and clicks like a player. Every position is in pixels of a window's
// client area; every time in milliseconds. Exit status 0: done or true, 1: not so or timed out,
// 2: misuse.
#include "box_await.h"
#include "box_finder.h"
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

struct Misuse : std::runtime_error {
    using std::runtime_error::runtime_error;
};

int status(bool holds)
{
    return holds ? 0 : 1;
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

QRect rectOf(const std::string& text)
{
    const auto v = numbers(text, 4);
    return {v[0], v[1], v[2], v[3]};
}

void save(const QImage& shot, const std::string& file)
{
    if (!shot.save(QString::fromStdString(file), "PNG"))
        throw std::runtime_error("cannot save the screenshot " + file);
}

// A command's words, read as what they stand for; the X connection is opened at the first need.
class Args {
public:
    explicit Args(std::vector<std::string> words) : m_words(std::move(words)) {}

    std::size_t size() const { return m_words.size(); }
    const std::string& operator[](std::size_t index) const
    {
        if (index >= m_words.size())
            throw Misuse("missing argument");
        return m_words[index];
    }
    int number(std::size_t index) const { return std::stoi((*this)[index]); }
    QRect rect(std::size_t index) const { return rectOf((*this)[index]); }
    QPoint point(std::size_t index) const
    {
        const auto v = numbers((*this)[index], 2);
        return {v[0], v[1]};
    }
    QRgb colour(std::size_t index) const
    {
        const QColor parsed = QColor::fromString(QString::fromStdString((*this)[index]));
        if (!parsed.isValid())
            throw Misuse("not a colour: " + (*this)[index]);
        return parsed.rgb();
    }
    std::chrono::milliseconds timeout(std::size_t index) const
    {
        return std::chrono::milliseconds(number(index));
    }
    QImage image(std::size_t index) const
    {
        QImage image(QString::fromStdString((*this)[index]));
        if (image.isNull())
            throw std::runtime_error("cannot read the screenshot " + (*this)[index]);
        return image.convertToFormat(QImage::Format_RGB32);
    }
    // From here on, each "x,y,w,h@column": where a box waits, and the left edge of the column it
    // falls down.
    std::vector<BoxPlace> boxes(std::size_t from) const
    {
        std::vector<BoxPlace> boxes;
        for (std::size_t i = from; i < size(); ++i) {
            const auto at = m_words[i].find('@');
            if (at == std::string::npos)
                throw Misuse("a box is written x,y,w,h@column");
            boxes.push_back(
                {rectOf(m_words[i].substr(0, at)), numbers(m_words[i].substr(at + 1), 1)[0]});
        }
        if (boxes.empty())
            throw Misuse("no boxes given");
        return boxes;
    }
    // The image of a level window waiting (WAITING_SHOT) and the boxes from another word on.
    BoxFinder finder(std::size_t waitingShot, std::size_t boxesFrom) const
    {
        return BoxFinder(image(waitingShot), boxes(boxesFrom));
    }
    const XSession& x() const { return m_x ? *m_x : m_x.emplace(); }
    // "ID", or "ID:x,y,w,h" for that part of the window only (see XSession::viewPart).
    WindowId window(std::size_t index) const
    {
        const std::string& text = (*this)[index];
        const auto colon = text.find(':');
        const WindowId window = std::stoul(text.substr(0, colon), nullptr, 0);
        if (colon != std::string::npos)
            x().viewPart(window, rectOf(text.substr(colon + 1)));
        return window;
    }

private:
    std::vector<std::string> m_words;
    mutable std::optional<XSession> m_x;
};

int printWhenFound(const std::function<std::optional<WindowId>()>& find,
                   std::chrono::milliseconds timeout)
{
    std::optional<WindowId> found;
    if (!waitUntil([&] { return (found = find()).has_value(); }, timeout))
        return 1;
    std::printf("%lu\n", *found);
    return 0;
}

// CAPTION TIMEOUT: the id of the shown window with exactly this caption.
int windowCommand(const Args& a)
{
    return printWhenFound([&] { return a.x().findClient(a[0]); }, a.timeout(1));
}

// TIMEOUT: the id of a menu dropped down.
int popupCommand(const Args& a)
{
    return printWhenFound([&] { return a.x().findMenuPopup(); }, a.timeout(0));
}

int goneCommand(const Args& a)
{
    const WindowId window = a.window(0);
    return status(waitUntil([&] { return !a.x().isViewable(window); }, a.timeout(1)));
}

// WINDOW FILE [COVERING_WINDOW]: the window's pixels, those under the other window (a message
// box, say) painted black: they are that window's, drawn whenever it gets round to it.
int shotCommand(const Args& a)
{
    const WindowId window = a.window(0);
    QImage shot = a.x().grab(window);
    if (shot.isNull())
        return 1;
    if (a.size() > 2) {
        const QRect covered = a.x().frameOver(window, a.window(2));
        if (covered.isEmpty())
            throw std::runtime_error("the covering window is gone");
        QPainter(&shot).fillRect(covered, Qt::black);
    }
    return status(shot.save(QString::fromStdString(a[1]), "PNG"));
}

// FILE X,Y...: the colour of each pixel.
int probeCommand(const Args& a)
{
    const QImage image = a.image(0);
    for (std::size_t i = 1; i < a.size(); ++i) {
        if (!image.rect().contains(a.point(i)))
            throw Misuse("outside the screenshot: " + a[i]);
        std::printf("%s\n", QColor(image.pixel(a.point(i))).name().toStdString().c_str());
    }
    return 0;
}

// FILE X,Y,W,H COLOUR: the smallest rectangle holding every pixel unlike the colour, or "none".
int extentCommand(const Args& a)
{
    const auto extent = extentOfOtherColours(a.image(0), a.rect(1), a.colour(2));
    if (!extent)
        std::printf("none\n");
    else
        std::printf("%d %d %d %d\n", extent->x(), extent->y(), extent->width(), extent->height());
    return 0;
}

// FILE X,Y,W,H rows|columns [GAP]: the centre of each run of lines with ink.
int inkCommand(const Args& a)
{
    const Axis axis = a[2] == "rows" ? Axis::Rows : Axis::Columns;
    for (const int centre :
         inkRunCentres(a.image(0), a.rect(1), axis, a.size() > 3 ? a.number(3) : 3))
        std::printf("%d\n", centre);
    return 0;
}

// FILE FROM_ROW COLOUR LEFT,RIGHT...: per strip, the first row unlike the colour, or "-".
int firstInkCommand(const Args& a)
{
    const QImage image = a.image(0);
    for (std::size_t i = 3; i < a.size(); ++i) {
        const auto strip = numbers(a[i], 2);
        const auto row = firstRowWithout(image, a.number(1), strip[0], strip[1], a.colour(2));
        std::printf(row ? "%d\n" : "-\n", row.value_or(0));
    }
    return 0;
}

// FILE FILE [AREA [BY]]: the pixels that differ by more than BY in a colour (0 unless given).
int differCommand(const Args& a)
{
    const QImage first = a.image(0);
    const QImage second = a.image(1);
    if (first.size() != second.size())
        throw std::runtime_error("the screenshots differ in size");
    std::printf("%d\n", differingPixels(first, second, a.size() > 2 ? a.rect(2) : first.rect(),
                                        a.size() > 3 ? a.number(3) : 0));
    return 0;
}

// WAITING_SHOT SHOT BOX...: per box "top first-visible-row last-visible-row", or "-".
int boxesCommand(const Args& a)
{
    for (const auto& sighting : a.finder(0, 2).find(a.image(1))) {
        if (sighting)
            std::printf("%d %d %d\n", sighting->top, sighting->firstVisibleRow,
                        sighting->lastVisibleRow);
        else
            std::printf("-\n");
    }
    return 0;
}

int clickCommand(const Args& a)
{
    a.x().click(a.window(0), a.point(1));
    return 0;
}

// CHORD...: each chord pressed and released in turn, a moment apart (see XSession::key).
int keyCommand(const Args& a)
{
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (i > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
        a.x().key(a[i]);
    }
    return 0;
}

int closeCommand(const Args& a)
{
    a.x().requestClose(a.window(0));
    return 0;
}

// How play or hammer ended, and the clicks they sent; true when another window appeared.
int printEnd(const PlayResult& result)
{
    const char* ends[] = {"new-window", "window-gone", "timed-out", "all-sent"};
    std::printf("%s %d\n", ends[int(result.end)], result.clicks);
    return status(result.end == PlayEnd::NewWindow);
}

// WINDOW WAITING_SHOT MARGIN TIMEOUT BOX...: plays until another window appears.
int playCommand(const Args& a)
{
    return printEnd(playBoxes(a.x(), a.window(0), a.finder(1, 4), a.number(2), a.timeout(3)));
}

// WINDOW CLICKS TIMEOUT X,Y...: clicks the points in turn as fast as the server takes the clicks,
// like a player hammering the boxes without looking, until another window appears.
int hammerCommand(const Args& a)
{
    const WindowId window = a.window(0);
    const int clicks = a.number(1);
    const auto deadline = Clock::now() + a.timeout(2);
    if (a.size() < 4)
        throw Misuse("no points given");
    a.x().watchNewWindows();
    int sent = 0;
    for (; sent < clicks && Clock::now() < deadline; ++sent) {
        if (a.x().newWindowMapped())
            return printEnd({PlayEnd::NewWindow, sent});
        a.x().click(window, a.point(3 + std::size_t(sent) % (a.size() - 3)));
    }
    return printEnd({sent < clicks ? PlayEnd::TimedOut : PlayEnd::AllSent, sent});
}

// WINDOW WAITING_SHOT TOP_FROM TOP_TO TIMEOUT SHOTS CLICK BOX...: waits for a box whose top lies
// between the two rows and prints "box top first-visible last-visible fate" (boxes counted from
// 1). CLICK "aim" clicks the box where a player would, a number clicks that row of the box's
// column, "-" does not click; the click comes at once, before the box falls on. Saves the look
// that caught the box as SHOTS-seen.png; after a click also the look taken the moment after it
// as SHOTS-now.png, and as SHOTS-answer.png the look that told the click's fate: "answered" (the
// box went up and a tick followed), "missed" (ticks went by and it did not) or "pending" (time
// ran out first).
int awaitBoxCommand(const Args& a)
{
    const XSession& x = a.x();
    const WindowId window = a.window(0);
    const BoxFinder finder = a.finder(1, 7);
    const std::string& shots = a[5];
    const auto caught = awaitBoxBetween(x, window, finder, a.number(2), a.number(3), a.timeout(4));
    if (!caught)
        return 1;
    const BoxPlace& box = finder.box(caught->index);
    const char* fate = "-";
    if (a[6] != "-") {
        x.click(window, a[6] == "aim" ? aimPoint(box, caught->sighting)
                                      : QPoint(box.column + box.waiting.width() / 2, a.number(6)));
        const QImage now = x.grab(window);
        ClickWatch watch(finder, caught->index, caught->sighting, caught->all);
        const FollowedClick followed = followClick(x, window, finder, watch, a.timeout(4));
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
int fallCommand(const Args& a)
{
    const Fall fall = awaitFall(a.x(), a.window(0), a.finder(1, 4), a.timeout(2));
    if (!fall.from.isNull())
        save(fall.from, a[3] + "-from.png");
    if (!fall.to.isNull())
        save(fall.to, a[3] + "-to.png");
    if (fall.from.isNull())
        std::printf("no look found every box in its column\n");
    else
        std::printf("%d of %d\n", fall.moved, fall.seen);
    return 0;
}

// WINDOW TIMEOUT: asks for the window to be activated and waits until keys typed reach it.
int focusCommand(const Args& a)
{
    const WindowId window = a.window(0);
    constexpr auto askAgainEvery = std::chrono::seconds(2);
    auto askedAt = Clock::now() - askAgainEvery;
    const auto focused = [&] {
        // A window manager busy with another window may drop the request.
        if (!a.x().hasFocus(window) && Clock::now() - askedAt >= askAgainEvery) {
            a.x().requestActivation(window);
            askedAt = Clock::now();
        }
        return a.x().hasFocus(window);
    };
    return status(waitUntil(focused, a.timeout(1)));
}

// FILE: the screenshot's width and height.
int sizeCommand(const Args& a)
{
    const QImage image = a.image(0);
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
    std::vector<std::string> one;
    for (std::size_t i = 0; i <= args.size(); ++i) {
        if (i < args.size() && args[i] != "--") {
            one.push_back(args[i]);
            continue;
        }
        if (one.empty() || one.front() == "chain" || !commands.contains(one.front()))
            throw Misuse("not a command to chain: " + (one.empty() ? "nothing" : one.front()));
        const int status = commands.at(one.front())(Args({one.begin() + 1, one.end()}));
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
        return commands.at(argv[1])(Args({argv + 2, argv + argc}));
    } catch (const Misuse& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return misuse;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return 1;
    }
}
