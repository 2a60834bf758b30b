#include "victory_driver.h"

#include "ui/form_window.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

namespace cratefall::testing {

bool VictoryDriver::open()
{
    m_game.show("Form12");
    ui::FormWindow* window = m_game.form("Form12").window();
    return window && QTest::qWaitForWindowActive(window);
}

void VictoryDriver::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    // Through the platform window, so shortcuts are matched before the focused widget sees it.
    QWindow* handle = m_game.form("Form12").window()->windowHandle();
    QTest::keyClick(handle, key, modifiers);
    GameFixture::settle();
}

void VictoryDriver::typeName(const QString& name)
{
    // Tab goes round the window's few controls: ten presses that never reach the box never will.
    for (int presses = 0; presses < 10 && focused() != widget("Text1"); ++presses)
        key(Qt::Key_Tab);
    if (focused() != widget("Text1"))
        return QTest::qFail("Tab never took the focus to the name box", __FILE__, __LINE__);
    QTest::keyClicks(widget("Text1"), name);
}

void VictoryDriver::clickButton(std::string_view button)
{
    QTest::mouseClick(widget(button), Qt::LeftButton);
    GameFixture::settle();
}

void VictoryDriver::closeWindow()
{
    m_game.form("Form12").window()->close();
    GameFixture::settle();
}

QWidget* VictoryDriver::focused() const
{
    return QApplication::focusWidget();
}

QWidget* VictoryDriver::widget(std::string_view control) const
{
    return m_game.form("Form12").control(control).widget();
}

} // namespace cratefall::testing
