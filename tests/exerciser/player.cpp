// The biased part of the stream: a player who starts levels, hits the lowest box where it can be
// seen, opens the game from the menu and uses the victory screen, so that every screen is reached.
#include "actor.h"
#include "input.h"
#include "levels/level_controls.h"
#include "levels/level_form.h"
#include "shell/screen_names.h"
#include "testing/test_access.h"
#include "ui/form_window.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace cratefall::exerciser {
namespace {

constexpr int visibilityTries = 8;
constexpr int designedWidth = 381;
constexpr int designedHeight = 434;

QAction* actionNamed(const QList<QAction*>& actions, const QString& text)
{
    for (QAction* action : actions)
        if (action->text().remove(u'&') == text)
            return action;
    return nullptr;
}

// What the score will be at the next tick if nothing else is hit.
int pointsSoFar(const levels::LevelEngine& engine)
{
    if (engine.level().scoring == levels::Scoring::Running)
        return engine.score().value();
    int hits = 0;
    for (int box = 1; box <= engine.level().boxes; ++box)
        hits += engine.boxHits(box).value();
    return hits;
}

} // namespace

Action Actor::player()
{
    if (QWidget* open = QApplication::activePopupWidget()) {
        QTest::sendKeyEvent(QTest::Click, open, Qt::Key_Escape, QString(), Qt::NoModifier);
        return {ActionKind::Player, std::string(shell::screens::title), "player closes the menu"};
    }
    ui::Runtime& runtime = m_session.runtime();
    ui::Form* title = nullptr;
    for (ui::Form* form : runtime.loadedForms()) {
        if (dynamic_cast<levels::LevelForm*>(form))
            return playLevel(*form);
        if (form->name() == shell::screens::victory)
            return playVictory(*form);
        if (form->name() == shell::screens::title)
            title = form;
    }
    for (ui::Form* form : runtime.loadedForms()) // a help screen is closed before playing
        if (form != title && m_rng.below(2) == 0)
            return clickControl(*form, "Command1", "player closes " + std::string(form->name()));
    if (title)
        return playTitle(*title);
    return {ActionKind::Player, "", "player finds no window"};
}

Action Actor::clickControl(ui::Form& form, std::string_view control, std::string text)
{
    ui::FormWindow* window = form.window();
    const QPoint point =
        window->client()->mapTo(window, form.control(control).widget()->geometry().center());
    exerciser::click(window, point, Qt::LeftButton, Clicks::Single);
    return {ActionKind::Player, std::string(form.name()), std::move(text)};
}

Action Actor::playLevel(ui::Form& level)
{
    if (!level.Timer1().Enabled())
        return clickControl(level, levels::controls::start,
                            "player starts " + std::string(level.name()));
    const auto& engine = testing::Access::engine(dynamic_cast<levels::LevelForm&>(level));
    // One point too many between two ticks and the target is gone: wait for the tick instead.
    if (pointsSoFar(engine) >= engine.level().targetScore)
        return {ActionKind::Player, std::string(level.name()), "player waits for the tick"};
    int lowest = 1;
    for (int box = 2; box <= engine.level().boxes; ++box)
        if (engine.boxTop(box) > engine.boxTop(lowest))
            lowest = box;
    // A bar may hide part of the box: aim where the box itself is what the pointer finds.
    ui::FormWindow* window = level.window();
    QWidget* target = level.control(levels::controls::image(lowest)).widget();
    QPoint point = target->geometry().center();
    for (int i = 0; i < visibilityTries; ++i) {
        const QRect area = target->geometry();
        const QPoint candidate(m_rng.between(area.left(), area.right()),
                               m_rng.between(area.top(), area.bottom()));
        if (window->client()->childAt(candidate) == target) {
            point = candidate;
            break;
        }
    }
    exerciser::click(window, window->client()->mapTo(window, point), Qt::LeftButton,
                     Clicks::Single);
    return {ActionKind::Player, std::string(level.name()),
            "player hits box " + std::to_string(lowest) + " on " + std::string(level.name())};
}

Action Actor::playVictory(ui::Form& victory)
{
    const int pick = m_rng.below(10);
    if (pick < 6) {
        const KeyStroke stroke = randomPrintable(m_rng);
        activate(victory.window());
        pressKey(victory.window(), stroke);
        return {ActionKind::Player, std::string(victory.name()), "player types " + stroke.name()};
    }
    if (pick < 9)
        return clickControl(victory, "Command2", "player prints the certificate");
    return clickControl(victory, "Command1", "player closes the victory screen");
}

Action Actor::playTitle(ui::Form& title)
{
    ui::FormWindow* window = title.window();
    QMenuBar* bar = testing::Access::menuBar(*window);
    QAction* file = actionNamed(bar->actions(), QStringLiteral("File"));
    if (!file || bar->actionGeometry(file).isEmpty() ||
        bar->actionGeometry(file).right() >= bar->width()) { // a narrow window hides it
        resizeWindow(window, window->sizeHint().expandedTo(QSize(designedWidth, designedHeight)));
        return {ActionKind::Player, std::string(title.name()),
                "player widens the title to find its menu"};
    }
    const QPoint onBar = bar->mapTo(window, bar->actionGeometry(file).center());
    exerciser::click(window, onBar, Qt::LeftButton, Clicks::Single);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QAction* play = menu ? actionNamed(menu->actions(), QStringLiteral("Play")) : nullptr;
    if (!play)
        return {ActionKind::Player, std::string(title.name()), "player opens a menu without Play"};
    const QPoint onItem = menu->actionGeometry(play).center();
    moveMouse(menu, onItem);
    exerciser::click(menu, onItem, Qt::LeftButton, Clicks::Single);
    return {ActionKind::Player, std::string(title.name()), "player chooses Play"};
}

} // namespace cratefall::exerciser
