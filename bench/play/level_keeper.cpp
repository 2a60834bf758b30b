#include "play/level_keeper.h"

#include "levels/level_form.h"
#include "testing/test_access.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace cratefall::bench {
namespace {

using testing::Access;

void press(QWidget* widget)
{
    const QPointF centre(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent event(QEvent::MouseButtonPress, centre, widget->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void click(levels::LevelForm& level, const std::string& control, ClickRoute route)
{
    if (route == ClickRoute::Press)
        press(level.control(control).widget());
    else
        level.clickControl(control);
}

} // namespace

std::string boxName(int box)
{
    return "Image" + std::to_string(box);
}

std::vector<int> boxesAboutToFall(const levels::LevelForm& level)
{
    const levels::LevelEngine& engine = Access::engine(level);
    const levels::Level& record = engine.level();
    std::vector<int> boxes;
    for (int box = 1; box <= record.boxes; ++box) {
        double limit = level.Height();
        if (record.bottomLimit == levels::BottomLimit::BoxBottom)
            limit -= level.control(boxName(box)).Height();
        const double step = record.fallStep[std::size_t(box - 1)];
        if (double(engine.boxTop(box).value()) + 2 * step >= limit)
            boxes.push_back(box);
    }
    return boxes;
}

void clickBox(levels::LevelForm& level, int box, ClickRoute route)
{
    click(level, boxName(box), route);
}

int keepAlive(levels::LevelForm& level, ClickRoute route)
{
    const std::vector<int> boxes = boxesAboutToFall(level);
    for (int box : boxes)
        clickBox(level, box, route);
    return int(boxes.size());
}

void pressStart(levels::LevelForm& level, ClickRoute route)
{
    click(level, "Label4", route);
}

} // namespace cratefall::bench
