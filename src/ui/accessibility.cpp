#include "ui/accessibility.h"

#include "ui/form.h"
#include "ui/form_window.h"
#include "ui/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace cratefall::ui {
namespace {

// A browser's screen reader knows the game through the page's elements, which Qt writes for a few
// roles only: a dialog as a closed <dialog>, which the browser leaves out, and whatever it does not
// know as a plain block that cannot be pressed. There a window is a window, and a control the
// player can press is a button, which the screen reader presses.
#ifdef Q_OS_WASM
constexpr bool inBrowser = true;
#else
constexpr bool inBrowser = false;
#endif

// Offers "press" for a control that answers clicks, and only while it is enabled: a disabled box
// hands a click to the window, which pressing it from a screen reader must not pretend to do.
class PressableAccessible : public QAccessibleWidget {
public:
    PressableAccessible(PressableWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role)
    {}

    QStringList actionNames() const override
    {
        return pressable() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && pressable())
            pressableWidget()->press();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    QAccessible::Role role() const override
    {
        return inBrowser && pressable() ? QAccessible::Button : QAccessibleWidget::role();
    }

protected:
    PressableWidget* pressableWidget() const { return static_cast<PressableWidget*>(widget()); }

private:
    bool pressable() const { return pressableWidget()->pressable() && widget()->isEnabled(); }
};

class LabelAccessible final : public PressableAccessible {
public:
    explicit LabelAccessible(PressableWidget* label)
        : PressableAccessible(label, QAccessible::StaticText)
    {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        // A label its screen has named with what it introduces reads that name (see
        // Aboutmeform::Form_Load).
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        // Asked while the label is still being built, it has no caption yet.
        const auto* label = dynamic_cast<const LabelWidget*>(widget());
        return label ? label->caption() : QString();
    }
};

// The client area holds the controls; lines are drawing only and are left out of its children.
class ClientAccessible final : public QAccessibleWidget {
public:
    explicit ClientAccessible(PressableWidget* client) : QAccessibleWidget(client) {}

    int childCount() const override { return int(exposed().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = exposed();
        if (index < 0 || index >= children.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(children.at(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(exposed().indexOf(child->object())) : -1;
    }

private:
    QList<QWidget*> exposed() const
    {
        QList<QWidget*> children;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child && !child->isWindow() && !dynamic_cast<LineWidget*>(child))
                children.append(child);
        }
        return children;
    }
};

// Named by its caption, as every top-level window is, borderless ones included; a frame or a
// dialog as its design says, and described by what its screen tells (Form::describe).
class WindowAccessible final : public QAccessibleWidget {
public:
    explicit WindowAccessible(FormWindow* window)
        : QAccessibleWidget(window, !inBrowser && window->form().design().role == WindowRole::Dialog
                                        ? QAccessible::Dialog
                                        : QAccessible::Window)
    {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Description)
            return static_cast<const FormWindow*>(widget())->description();
        return QAccessibleWidget::text(kind);
    }
    // Focused while the keys come to the window itself (FormWindow::changeEvent).
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (static_cast<const FormWindow*>(widget())->holdsKeys()) {
            state.focusable = true;
            state.focused = true;
        }
        return state;
    }
};

class NoticeAccessible final : public QAccessibleWidget {
public:
    explicit NoticeAccessible(Notice* notice) : QAccessibleWidget(notice, QAccessible::Notification)
    {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return static_cast<const Notice*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* gameInterface(const QString&, QObject* object)
{
    if (auto* pressable = dynamic_cast<PressableWidget*>(object)) {
        switch (pressable->accessibleKind()) {
        case AccessibleKind::Text:
            return new LabelAccessible(pressable);
        case AccessibleKind::Graphic:
            return new PressableAccessible(pressable, QAccessible::Graphic);
        case AccessibleKind::Background:
            return new ClientAccessible(pressable);
        }
    }
    if (auto* window = dynamic_cast<FormWindow*>(object))
        return new WindowAccessible(window);
    if (auto* notice = dynamic_cast<Notice*>(object))
        return new NoticeAccessible(notice);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(gameInterface);
        return true;
    }();
    (void)installed;
}

} // namespace cratefall::ui
