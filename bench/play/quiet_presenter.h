#pragma once

#include "ui/message_box.h"

#include <string>

namespace cratefall::bench {

// Answers every message box at once, as a player who presses OK without reading, and counts them.
class QuietPresenter final : public ui::MessageBoxPresenter {
public:
    void show(std::string_view text, std::string_view title, ui::BoxKind kind,
              QWidget* owner) override;

    int shown() const { return m_shown; }
    int errors() const { return m_errors; }
    const std::string& lastText() const { return m_lastText; }

private:
    int m_shown = 0;
    int m_errors = 0;
    std::string m_lastText;
};

} // namespace cratefall::bench
