#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace cratefall::bench {

enum class ChildOutput { Inherit, Discard };

struct Launched {
    pid_t pid = -1;
    // From just before the fork to the MapNotify of the program's window.
    double mappedMs = 0;
};

// Starts a program on $DISPLAY and waits, on X events rather than by polling, until a window
// with the given caption is mapped. Works with or without a reparenting window manager: new
// top-level windows are watched themselves as soon as they are created.
std::optional<Launched> launchAndWaitForMap(const std::string& caption,
                                            const std::vector<std::string>& command,
                                            ChildOutput output, std::chrono::milliseconds timeout);

// Asks the program to stop, and kills it if it has not after the grace time.
void stopProgram(pid_t pid, std::chrono::milliseconds grace);

// Waits up to the given time for the program to leave by itself; true if it did.
bool waitForExit(pid_t pid, std::chrono::milliseconds limit);

} // namespace cratefall::bench
