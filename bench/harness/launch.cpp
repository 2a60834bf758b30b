#include "harness/launch.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace cratefall::bench {
namespace {

using Clock = std::chrono::steady_clock;

// A window may be gone before we look at it; that is no error of ours.
int ignoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

bool hasCaption(Display* display, Window window, const std::string& caption)
{
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr)
        return false;
    const bool same = caption == name;
    XFree(name);
    return same;
}

[[noreturn]] void execChild(const std::vector<std::string>& command, ChildOutput output)
{
    if (output == ChildOutput::Discard) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
    }
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

bool childGone(pid_t pid)
{
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
}

// Returns true once the captioned window is mapped; false on time-out or if the child died.
bool waitForMap(Display* display, const std::string& caption, pid_t pid, Clock::time_point end)
{
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (Clock::now() < end) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == CreateNotify)
                XSelectInput(display, event.xcreatewindow.window, StructureNotifyMask);
            else if (event.type == MapNotify && hasCaption(display, event.xmap.window, caption))
                return true;
        }
        if (childGone(pid))
            return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        poll(&connection, 1, int(std::min<long long>(left.count(), 100)) + 1);
    }
    return false;
}

} // namespace

std::optional<Launched> launchAndWaitForMap(const std::string& caption,
                                            const std::vector<std::string>& command,
                                            ChildOutput output, std::chrono::milliseconds timeout)
{
    std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display)
        return std::nullopt;
    XSetErrorHandler(ignoreXErrors);
    XSelectInput(display.get(), DefaultRootWindow(display.get()), SubstructureNotifyMask);
    XSync(display.get(), False);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0)
        execChild(command, output);
    if (pid < 0)
        return std::nullopt;
    if (!waitForMap(display.get(), caption, pid, start + timeout)) {
        stopProgram(pid, std::chrono::milliseconds(1000));
        return std::nullopt;
    }
    const std::chrono::duration<double, std::milli> mapped = Clock::now() - start;
    return Launched{pid, mapped.count()};
}

bool waitForExit(pid_t pid, std::chrono::milliseconds limit)
{
    const Clock::time_point end = Clock::now() + limit;
    do {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid || done < 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (Clock::now() < end);
    return false;
}

void stopProgram(pid_t pid, std::chrono::milliseconds grace)
{
    kill(pid, SIGTERM);
    if (waitForExit(pid, grace))
        return;
    kill(pid, SIGKILL);
    waitForExit(pid, std::chrono::milliseconds(2000));
}

} // namespace cratefall::bench
