#pragma once

#include <string_view>

class QWidget;

namespace cratefall::ui {

inline constexpr std::string_view applicationTitle = "Cratefall";

enum class BoxKind { Message, Error };

// Shows a modal box with a single OK button and returns when it is closed. The runtime holds
// every timer and input around the call; tests replace the presenter to answer boxes themselves.
// owner is the window of the screen the box belongs to, or null when no screen is left.
class MessageBoxPresenter {
public:
    virtual ~MessageBoxPresenter() = default;
    virtual void show(std::string_view text, std::string_view title, BoxKind kind,
                      QWidget* owner) = 0;
};

// The desktop's own box: application modal, so no window takes input while it is open.
class QtMessageBoxPresenter final : public MessageBoxPresenter {
public:
    void show(std::string_view text, std::string_view title, BoxKind kind,
              QWidget* owner) override;
};

} // namespace cratefall::ui
