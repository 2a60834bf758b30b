#pragma once

#include "rng.h"

#include <QString>
#include <Qt>
#include <string>

namespace cratefall::exerciser {

struct KeyStroke {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers;
    // Not plain ASCII text and no shortcut: such a key must not start any handler.
    bool inert;
    std::string name() const;
};

// Every printable ASCII character, Enter, Esc, Tab, Alt and Ctrl with letters, the menu
// shortcuts, accented and other non-ASCII letters and keys that type nothing.
KeyStroke randomKey(Rng& rng);
KeyStroke randomPrintable(Rng& rng);

} // namespace cratefall::exerciser
