#pragma once

#include <stdexcept>

namespace cratefall::ui {

// An error the game cannot recover from: the runtime shows it and ends the program.
class RuntimeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Shows the error and ends the program where it stands (a browser build; see raise).
[[noreturn]] void stopWithRuntimeError(const char* what);

// Raises a run-time error. On the desktop it is thrown, and the runtime's dispatch shows it and
// ends the program. A browser build catches no exceptions (emscripten's catching, which goes
// through JavaScript, stalls the suspended event loops that the message boxes run in): there the
// runtime shows the error at once and the program stops where it stands.
template <class Error> [[noreturn]] void raise(const Error& error)
{
#ifdef __EMSCRIPTEN__
    stopWithRuntimeError(error.what());
#else
    throw error;
#endif
}

} // namespace cratefall::ui
