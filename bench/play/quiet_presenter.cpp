#include "play/quiet_presenter.h"

namespace cratefall::bench {

void QuietPresenter::show(std::string_view text, std::string_view, ui::BoxKind kind, QWidget*)
{
    ++m_shown;
    if (kind == ui::BoxKind::Error)
        ++m_errors;
    m_lastText = std::string(text);
}

} // namespace cratefall::bench
