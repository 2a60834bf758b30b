#include "ui/runtime.h"

#include "ui/accessibility.h"
#include "ui/form.h"
#include "ui/form_timer.h"
#include "ui/form_window.h"
#include "ui/game_int.h"
#include "ui/units.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <stdexcept>

namespace cratefall::ui {

#ifdef __EMSCRIPTEN__
namespace {
Runtime* pageRuntime = nullptr;
}

void stopWithRuntimeError(const char* what)
{
    if (pageRuntime)
        pageRuntime->runtimeError(what);
    // The program has ended: what raised the error waits here, in an event loop of its own, and
    // is never resumed.
    for (QEventLoop parked;;)
        parked.exec();
}
#endif

Runtime::Runtime()
    : m_presenter(std::make_unique<QtMessageBoxPresenter>()),
      m_exit([](int status) { QCoreApplication::exit(status); })
{
    installAccessibleInterfaces();
#ifdef __EMSCRIPTEN__
    pageRuntime = this;
#endif
}

Runtime::~Runtime()
{
#ifdef __EMSCRIPTEN__
    if (pageRuntime == this)
        pageRuntime = nullptr;
#endif
    // Forms own timers that unregister themselves; drop them before the list goes.
    m_forms.clear();
}

void Runtime::registerForm(const FormDesign& design, Factory factory)
{
    m_factories.insert_or_assign(std::string(design.name), std::move(factory));
    m_largestClient = m_largestClient.expandedTo(
        QSize(toPixels(design.clientWidth), toPixels(design.clientHeight)));
}

Form& Runtime::form(std::string_view name)
{
    if (auto it = m_forms.find(name); it != m_forms.end())
        return *it->second;
    const auto factory = m_factories.find(name);
    if (factory == m_factories.end())
        throw std::logic_error("no screen named " + std::string(name));
    auto created = factory->second(*this);
    // The design a screen was registered with names it; the screen must be built from that one.
    if (created->name() != name)
        throw std::logic_error("screen " + std::string(name) + " built from another design");
    return *m_forms.emplace(std::string(name), std::move(created)).first->second;
}

bool Runtime::isLoaded(std::string_view name) const
{
    const auto it = m_forms.find(name);
    return it != m_forms.end() && it->second->isLoaded();
}

std::vector<Form*> Runtime::loadedForms() const
{
    std::vector<Form*> forms;
    for (const auto& [name, form] : m_forms)
        if (form->isLoaded())
            forms.push_back(form.get());
    return forms;
}

int Runtime::run(std::string_view startForm)
{
    dispatch([&] { form(startForm).Show(); });
    if (!m_ended)
        QCoreApplication::exec();
    return m_exitStatus.value_or(0);
}

void Runtime::dispatch(const std::function<void()>& handler, const Form* screen)
{
    if (m_ended || m_modalDepth > 0)
        return;
    ++m_handlersStarted;
    if (m_depth > 0) {
        handler();
        return;
    }
    ++m_depth;
    m_screen = screen;
    try {
        handler();
    } catch (const RuntimeError& error) {
        runtimeError(error.what());
    }
    m_screen = nullptr;
    --m_depth;
    settle();
}

void Runtime::settle()
{
    if (m_depth == 0 && !m_ended && loadedForms().empty())
        end(0);
}

void Runtime::formUnloaded()
{
    settle();
}

QWidget* Runtime::owner() const
{
    return m_screen && m_screen->isLoaded() ? m_screen->window() : nullptr;
}

void Runtime::msgBox(std::string_view text, std::optional<std::string_view> title)
{
    if (m_ended)
        return;
    beginModal();
    m_presenter->show(text, title.value_or(applicationTitle), BoxKind::Message, owner());
    endModal();
}

void Runtime::runtimeError(std::string_view what)
{
    if (m_ended)
        return;
    beginModal();
    m_presenter->show("Run-time error: " + std::string(what), applicationTitle, BoxKind::Error,
                      owner());
    endModal();
    end(1);
}

void Runtime::end(int status)
{
    if (m_ended)
        return;
    m_ended = true;
    m_exitStatus = status;
    for (auto* form : loadedForms())
        form->discard();
    m_exit(status);
}

void Runtime::setHidden(Visibility visibility)
{
    const bool hidden = visibility == Visibility::Hidden;
    if (hidden == m_hidden)
        return;
    m_hidden = hidden;
    if (hidden)
        beginModal();
    else
        endModal();
}

void Runtime::beginModal()
{
    if (m_modalDepth++ == 0)
        for (auto* timer : m_timers)
            timer->hold();
}

void Runtime::endModal()
{
    if (--m_modalDepth == 0)
        for (auto* timer : std::vector(m_timers))
            timer->resume();
}

void Runtime::setPresenter(std::unique_ptr<MessageBoxPresenter> presenter)
{
    m_presenter = std::move(presenter);
}

void Runtime::setExitHandler(ExitHandler handler)
{
    m_exit = std::move(handler);
}

void Runtime::setClockMaker(ClockMaker maker)
{
    m_clockMaker = std::move(maker);
}

std::unique_ptr<TimerClock> Runtime::newClock() const
{
    return m_clockMaker ? m_clockMaker() : systemClock();
}

void Runtime::addTimer(FormTimer* timer)
{
    m_timers.push_back(timer);
}

void Runtime::removeTimer(FormTimer* timer)
{
    std::erase(m_timers, timer);
}

} // namespace cratefall::ui
