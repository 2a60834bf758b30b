#pragma once

#include <stdexcept>

namespace cratefall::ui {

// An error the game cannot recover from: the runtime shows it and ends the program.
class RuntimeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace cratefall::ui
