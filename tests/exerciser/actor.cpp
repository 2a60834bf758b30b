#include "actor.h"

#include "input.h"
#include "shell/screen_names.h"
#include "testing/test_access.h"
#include "ui/form.h"
#include "ui/form_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace cratefall::exerciser {
namespace {

constexpr int outsideMargin = 30;
constexpr std::string_view title = shell::screens::title;

Qt::MouseButton randomButton(Rng& rng)
{
    const int pick = rng.below(10);
    return pick < 7 ? Qt::LeftButton : pick < 9 ? Qt::RightButton : Qt::MiddleButton;
}

std::string at(QPoint point)
{
    return " at " + std::to_string(point.x()) + "," + std::to_string(point.y());
}

// Two of Qt's own widgets answer a press with a menu that runs an event loop of its own and
// waits there for a person: the text box's edit menu (right button) and the menu bar's overflow
// button of a narrow window. The stream leaves those two presses out.
bool waitsForAPerson(QWidget* window, QPoint point, Qt::MouseButton button)
{
    QWidget* hit = window->childAt(point);
    if (qobject_cast<QLineEdit*>(hit))
        return button == Qt::RightButton;
    return qobject_cast<QToolButton*>(hit) && qobject_cast<QMenuBar*>(hit->parentWidget());
}

QPoint insideRect(Rng& rng, const QRect& rect)
{
    return {rng.between(rect.left(), std::max(rect.left(), rect.right())),
            rng.between(rect.top(), std::max(rect.top(), rect.bottom()))};
}

} // namespace

ui::Form* Actor::randomScreen()
{
    const auto loaded = m_session.runtime().loadedForms();
    if (loaded.empty())
        return nullptr;
    return loaded[std::size_t(m_rng.below(int(loaded.size())))];
}

QPoint Actor::randomPoint(ui::Form& form)
{
    ui::FormWindow* window = form.window();
    const int where = m_rng.below(10);
    if (where < 5) { // on a control, whatever lies on top of it there
        const auto& controls = form.design().controls;
        const auto& design = controls[std::size_t(m_rng.below(int(controls.size())))];
        if (testing::Access::hasControl(form, design.name)) {
            const QWidget* widget = form.control(design.name).widget();
            const QRect area = widget->geometry().intersected(window->client()->rect());
            if (!area.isEmpty())
                return window->client()->mapTo(window, insideRect(m_rng, area));
        }
    }
    if (where < 9)
        return insideRect(m_rng, window->rect());
    return insideRect(m_rng, window->rect().adjusted(-outsideMargin, -outsideMargin, outsideMargin,
                                                     outsideMargin));
}

Action Actor::click()
{
    ui::Form* form = randomScreen();
    if (!form)
        return {ActionKind::Click, "", "click with no window"};
    const QPoint point = randomPoint(*form);
    const Qt::MouseButton button = randomButton(m_rng);
    const Clicks clicks = m_rng.below(5) == 0 ? Clicks::Double : Clicks::Single;
    if (waitsForAPerson(form->window(), point, button))
        return {ActionKind::Click, "", "press left out" + at(point)};
    exerciser::click(form->window(), point, button, clicks);
    const std::string text = std::string(clicks == Clicks::Double ? "double " : "") + "button " +
                             std::to_string(int(button)) + " on " + std::string(form->name()) +
                             at(point);
    return {ActionKind::Click, std::string(form->name()), text};
}

Action Actor::key(bool printableOnly)
{
    ui::Form* form = randomScreen();
    const KeyStroke stroke = printableOnly ? randomPrintable(m_rng) : randomKey(m_rng);
    if (!form)
        return {ActionKind::Key, "", stroke.name() + " with no window"};
    activate(form->window());
    pressKey(form->window(), stroke);
    return {ActionKind::Key, std::string(form->name()),
            stroke.name() + " on " + std::string(form->name()), stroke.inert};
}

ui::FormWindow* Actor::titleWindow()
{
    ui::Runtime& runtime = m_session.runtime();
    return runtime.isLoaded(title) ? runtime.form(title).window() : nullptr;
}

Action Actor::resize()
{
    ui::FormWindow* window = titleWindow();
    if (!window)
        return click();
    const int pick = m_rng.below(10);
    const int client = pick < 4   ? m_rng.between(1, 40)
                       : pick < 8 ? m_rng.between(41, 800)
                                  : m_rng.between(801, 4000);
    const int width = m_rng.between(1, 900);
    const int frame = window->height() - window->client()->height();
    resizeWindow(window, QSize(width, client + frame));
    return {ActionKind::Resize, std::string(title),
            "resize " + std::string(title) + " client to " + std::to_string(width) + "x" +
                std::to_string(client)};
}

Action Actor::close()
{
    ui::Form* form = randomScreen();
    if (!form)
        return {ActionKind::Close, "", "close with no window"};
    const std::string name(form->name());
    form->window()->close();
    return {ActionKind::Close, name, "close " + name};
}

Action Actor::ticks(int count, const TickHook& each)
{
    for (int done = 0; done < count; ++done)
        for (ui::Form* form : m_session.runtime().loadedForms())
            if (!each(*form))
                return {ActionKind::Ticks, "",
                        std::to_string(done + 1) + " of " + std::to_string(count) + " ticks"};
    return {ActionKind::Ticks, "", std::to_string(count) + " ticks"};
}

Action Actor::popup()
{
    QWidget* open = QApplication::activePopupWidget();
    if (!open) { // open one from the title's menu bar, or wherever the press lands
        ui::FormWindow* window = titleWindow();
        if (!window)
            return click();
        QMenuBar* bar = testing::Access::menuBar(*window);
        const QPoint point = bar->mapTo(window, insideRect(m_rng, bar->rect()));
        if (waitsForAPerson(window, point, Qt::LeftButton))
            return {ActionKind::Popup, "", "press left out" + at(point)};
        exerciser::click(window, point, Qt::LeftButton, Clicks::Single);
        return {ActionKind::Popup, std::string(title), "menu bar" + at(point)};
    }
    const QPoint point = insideRect(m_rng, open->rect().adjusted(-5, -5, 5, 5));
    moveMouse(open, point);
    exerciser::click(open, point, Qt::LeftButton, Clicks::Single);
    return {ActionKind::Popup, std::string(title), "open menu" + at(point)};
}

} // namespace cratefall::exerciser
