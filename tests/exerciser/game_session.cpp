#include "game_session.h"

#include "shell/game.h"
#include "shell/screen_names.h"
#include "ui/form.h"

#include <QCoreApplication>
#include <QEvent>

namespace cratefall::exerciser {

class SessionPresenter final : public ui::MessageBoxPresenter {
public:
    explicit SessionPresenter(GameSession& session) : m_session(session) {}
    void show(std::string_view text, std::string_view title, ui::BoxKind kind, QWidget*) override
    {
        m_session.showBox({std::string(text), std::string(title), kind});
    }

private:
    GameSession& m_session;
};

GameSession::GameSession(BoxOpen whileBoxOpen) : m_whileBoxOpen(std::move(whileBoxOpen))
{
    shell::registerScreens(m_runtime);
    m_runtime.setPresenter(std::make_unique<SessionPresenter>(*this));
    m_runtime.setExitHandler([this](int status) {
        ++m_exitCalls;
        m_exitStatus = status;
    });
}

GameSession::~GameSession()
{
    // Windows of unloaded screens still point at their forms until Qt deletes them.
    deleteDiscardedWindows();
}

void GameSession::start()
{
    m_runtime.dispatch([this] { m_runtime.form(shell::screens::title).Show(); });
}

void GameSession::showBox(Box box)
{
    m_boxes.push_back(box);
    ++m_boxesOpen;
    if (m_whileBoxOpen)
        m_whileBoxOpen(box); // a copy: boxes opened meanwhile may move the list
    --m_boxesOpen;
}

void deleteDiscardedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace cratefall::exerciser
