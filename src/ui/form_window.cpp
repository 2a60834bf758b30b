#include "ui/form_window.h"

#include "pictures/picture_store.h"
#include "ui/form.h"
#include "ui/qt_text.h"
#include "ui/units.h"
#include "ui/widgets.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

namespace cratefall::ui {
namespace {

Qt::WindowFlags flagsFor(Border border)
{
    switch (border) {
    case Border::None:
        return Qt::Window | Qt::FramelessWindowHint;
    case Border::Sizable:
        return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    case Border::Fixed:
        break;
    }
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

} // namespace

ClientArea::ClientArea(Form& form)
    : PressableWidget([&form] { form.clickForm(); }, AccessibleKind::Background)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, resolve(form.design().back, palette()));
    setPalette(colours);
    setAutoFillBackground(true);
}

Notice::Notice()
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    resize(0, 0);
}

void Notice::tell(const QString& text)
{
    m_text = text;
    // A screen reader speaks a notification as it is shown.
    hide();
    show();
}

FormWindow::FormWindow(Form& form) : QWidget(nullptr, flagsFor(form.design().border)), m_form(form)
{
    const FormDesign& design = form.design();
    setWindowTitle(qtext(design.caption));
    if (!design.icon.empty())
        setWindowIcon(pictures::PictureStore::windowIcon(design.icon));
    // The window itself never takes the focus, by click or by Tab: a click on its background must
    // leave the focus (and the caret) in the control that has it. With no control to focus, keys
    // still come here, the window being where Qt sends the keys of a window without focus.
    setFocusPolicy(Qt::NoFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // Built whole, then given to the window (see AccessibleKind).
    m_client = new ClientArea(form);
    layout->addWidget(m_client);
    buildMenu();
    // Built whole, then given to the window (see AccessibleKind); outside the layout, unseen.
    m_notice = new Notice;
    m_notice->setParent(this);
    m_notice->hide(); // told nothing yet: shown with its window, it would be an empty notice

    const QSize client(toPixels(design.clientWidth), toPixels(design.clientHeight));
    if (design.border == Border::Sizable) {
        m_client->setMinimumSize(0, 0);
        layout->setSizeConstraint(QLayout::SetNoConstraint);
        resize(client.width(), client.height() + (m_menuBar ? m_menuBar->sizeHint().height() : 0));
    } else {
        m_client->setFixedSize(client);
        layout->setSizeConstraint(QLayout::SetFixedSize);
    }
}

int FormWindow::clientHeightPixels() const
{
    return m_client->height();
}

void FormWindow::setDescription(const QString& description)
{
    if (description == m_description)
        return;
    m_description = description;
    // Keeps a reader's copy of the description current (Qt 6.4's own tells no reader of a
    // change). Told as a change, Orca 43 cannot speak it (Qt 6.4 sends the window in place of
    // the text): a window on screen gives it as a notice as well.
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
    if (isVisible() && !description.isEmpty())
        m_notice->tell(description);
}

bool FormWindow::holdsKeys() const
{
    if (!isActiveWindow())
        return false;
    // The menu bar keeps the focus Alt gave it after its menu has closed, and passes keys on.
    const QWidget* focused = QApplication::focusWidget();
    return !focused || (focused == m_menuBar && !m_menuBar->activeAction());
}

void FormWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    // A window where no control has the keys tells a screen reader, as it becomes active, that it
    // has the focus itself, as a control would: Orca 48 names a window that comes back (after a
    // box or How to play closes) only so, having taken it as active unannounced while it handled
    // the key that closed the other. Queued: Qt gives an activated window its focus after telling
    // it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!holdsKeys())
                return;
            QAccessibleEvent focused(this, QAccessible::Focus);
            QAccessible::updateAccessibility(&focused);
        },
        Qt::QueuedConnection);
}

void FormWindow::placeAtDesignedPosition()
{
    const FormDesign& design = m_form.design();
    const int menu = m_menuBar ? m_menuBar->sizeHint().height() : 0;
    QPoint origin(toPixels(design.clientLeft), toPixels(design.clientTop) - menu);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        const QSize size = sizeHint().expandedTo(this->size());
        origin.setX(std::clamp(origin.x(), available.left(),
                               std::max(available.left(), available.right() - size.width())));
        origin.setY(std::clamp(origin.y(), available.top(),
                               std::max(available.top(), available.bottom() - size.height())));
    }
    move(origin);
}

void FormWindow::buildMenu()
{
    const FormDesign& design = m_form.design();
    if (design.menu.empty())
        return;
    m_menuBar = new QMenuBar(this);
    layout()->setMenuBar(m_menuBar);
    std::map<std::string_view, QMenu*> menus;
    for (const MenuDesign& item : design.menu) {
        if (item.parent.empty()) {
            menus[item.name] = m_menuBar->addMenu(qtext(item.caption));
            continue;
        }
        QAction* action = menus.at(item.parent)->addAction(qtext(item.caption));
        if (!item.shortcut.empty())
            action->setShortcut(QKeySequence(qtext(item.shortcut)));
        const std::string_view name = item.name;
        QObject::connect(action, &QAction::triggered, this,
                         [this, name] { m_form.clickControl(name); });
    }
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    // The runtime decides what closing means; the window itself is discarded by the unload.
    event->ignore();
    m_form.requestClose();
}

bool FormWindow::pressButton(ButtonRole role)
{
    QPushButton* button = m_form.button(role);
    if (!button || !button->isVisible() || !button->isEnabled())
        return false;
    button->click();
    return true;
}

void FormWindow::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (auto* focused = dynamic_cast<ButtonWidget*>(focusWidget())) {
            focused->click();
            return;
        }
        if (pressButton(ButtonRole::Default))
            return;
    } else if (key == Qt::Key_Escape && pressButton(ButtonRole::Cancel)) {
        return;
    }
    const QString text = event->text();
    const bool accessKey = event->modifiers().testFlag(Qt::AltModifier);
    if (!accessKey && text.size() == 1 && text.at(0).unicode() > 0 && text.at(0).unicode() < 128) {
        m_form.typeKey(text.at(0).unicode());
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace cratefall::ui
