#include "ui/form.h"

#include "printing/printing.h"
#include "ui/form_window.h"
#include "ui/qt_text.h"
#include "ui/runtime.h"
#include "ui/units.h"
#include "ui/widgets.h"

#include <QCoreApplication>
#include <QPicture>
#include <algorithm>
#include <ranges>
#include <stdexcept>

namespace cratefall::ui {

Form::Form(Runtime& runtime, FormDesign design)
    : m_runtime(runtime), m_design(design),
      m_timer(
          runtime, this, [this] { Timer1_Timer(); }, runtime.newClock())
{
    m_timer.Interval(m_design.timer.interval);
}

Form::~Form()
{
    delete m_window;
}

void Form::handle(std::string_view control, std::function<void()> handler)
{
    m_handlers.insert_or_assign(std::string(control), std::move(handler));
}

void Form::Show()
{
    m_runtime.dispatch(
        [this] {
            if (!ensureLoaded())
                return;
            // Normal, not merely shown: a browser's page would show a plain window full page.
            m_window->showNormal();
            m_window->raise();
            m_window->activateWindow();
        },
        this);
}

bool Form::ensureLoaded()
{
    if (isLoaded())
        return true;
    load();
    Form_Load();
    return isLoaded() && !m_runtime.ended();
}

void Form::load()
{
    m_window = new FormWindow(*this);
    buildControls();
    m_window->placeAtDesignedPosition();
    m_timer.Enabled(Enabled::No);
    if (m_design.timer.interval > 0)
        m_timer.Enabled(m_design.timer.enabled);
}

void Form::buildControls()
{
    // Qt stacks later children on top, so the back row is built first and the front row last.
    QWidget* client = m_window->client();
    for (const ControlDesign& design : std::views::reverse(m_design.controls))
        m_controls.insert_or_assign(
            std::string(design.name),
            std::make_unique<Control>(design, buildControl(design, client)));

    // A screen reader names a text box by the label its design gives it.
    for (const ControlDesign& design : m_design.controls)
        if (!design.label.empty())
            control(design.name)
                .widget()
                ->setAccessibleName(qtext(control(design.label).Caption()));

    std::vector<const ControlDesign*> tabStops;
    for (const ControlDesign& design : m_design.controls)
        if (design.tabIndex >= 0)
            tabStops.push_back(&design);
    std::ranges::sort(tabStops, {}, &ControlDesign::tabIndex);
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        QWidget::setTabOrder(control(tabStops[i - 1]->name).widget(),
                             control(tabStops[i]->name).widget());
    if (!tabStops.empty())
        control(tabStops.front()->name).widget()->setFocus();
}

QWidget* Form::buildControl(const ControlDesign& design, QWidget* parent)
{
    QWidget* widget = newControl(design);
    // Whole before it joins the window, so a screen reader learns what it is (see AccessibleKind).
    widget->setParent(parent);
    return widget;
}

QWidget* Form::newControl(const ControlDesign& design)
{
    PressHandler onPress;
    if (m_handlers.contains(design.name))
        onPress = [this, name = design.name] { clickControl(name); };
    switch (design.kind) {
    case ControlKind::Picture:
        return new PictureWidget(design, onPress);
    case ControlKind::Label:
        return new LabelWidget(design, onPress);
    case ControlKind::Line:
        return new LineWidget(design);
    case ControlKind::Button:
        return new ButtonWidget(design, onPress);
    case ControlKind::TextBox:
        return new TextBoxWidget(design);
    }
    throw std::logic_error("unknown control kind");
}

void Form::Unload()
{
    if (!isLoaded())
        return;
    discard();
    m_runtime.formUnloaded();
}

void Form::discard()
{
    if (!m_window)
        return;
    m_timer.Enabled(Enabled::No);
    m_controls.clear();
    m_window->hide();
    // The handler that unloads may still be running inside one of this window's events.
    m_window->deleteLater();
    m_window = nullptr;
}

void Form::End()
{
    m_runtime.end(0);
}

void Form::MsgBox(std::string_view prompt)
{
    m_runtime.msgBox(prompt, std::nullopt);
}

void Form::MsgBox(std::string_view prompt, std::string_view title)
{
    m_runtime.msgBox(prompt, title);
}

// The window's client area as the player sees it, typed text included, without the frame or the
// menu bar. A screen that is not loaded is loaded first, as any use of a screen would.
void Form::PrintForm()
{
    if (!ensureLoaded())
        return;
    printing::printOnePage(printing::record(*m_window->client()), m_window->windowTitle());
}

void Form::describe(std::string_view text)
{
    if (m_window)
        m_window->setDescription(qtext(text));
}

double Form::Height() const
{
    int frame = m_design.border == Border::Sizable ? sizableFrameTwips
                : m_design.border == Border::Fixed ? fixedFrameTwips
                                                   : 0;
    if (!m_design.menu.empty())
        frame += menuBarTwips;
    const int client = m_window ? toTwips(m_window->clientHeightPixels()) : m_design.clientHeight;
    return double(client + frame);
}

Control& Form::control(std::string_view name)
{
    const auto it = m_controls.find(name);
    if (it == m_controls.end())
        throw std::logic_error(std::string(m_design.name) + " has no loaded control " +
                               std::string(name));
    return *it->second;
}

const Control& Form::control(std::string_view name) const
{
    return const_cast<Form*>(this)->control(name);
}

QPushButton* Form::button(ButtonRole role) const
{
    // Found through the designs, not among the window's children: any push button there (a
    // style's, a dialog's) would pass for one of ours.
    for (const auto& [name, control] : m_controls)
        if (control->design().kind == ControlKind::Button && control->design().role == role)
            return static_cast<ButtonWidget*>(control->widget());
    return nullptr;
}

Form& Form::form(std::string_view name)
{
    return m_runtime.form(name);
}

void Form::clickControl(std::string_view name)
{
    const auto it = m_handlers.find(name);
    if (it != m_handlers.end())
        m_runtime.dispatch(it->second, this);
}

void Form::clickForm()
{
    m_runtime.dispatch([this] { Form_Click(); }, this);
}

void Form::typeKey(int keyAscii)
{
    m_runtime.dispatch([this, keyAscii] { Form_KeyPress(GameInt(keyAscii)); }, this);
}

void Form::requestClose()
{
    // While a message box is open every game window is blocked, its close box included.
    if (m_runtime.modal())
        return;
    m_runtime.dispatch([this] { Unload(); }, this);
}

} // namespace cratefall::ui
