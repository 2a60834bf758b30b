#pragma once

#include "ui/control.h"
#include "ui/design.h"
#include "ui/form_timer.h"
#include "ui/game_int.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QPushButton;
class QWidget;

namespace cratefall::testing {
struct Access;
}

namespace cratefall::ui {

class Runtime;
class FormWindow;

// A screen: one window built from its layout at every load, its state, and its handlers. Screens
// derive from it, override the events they answer and register their control handlers.
class Form {
public:
    Form(Runtime& runtime, FormDesign design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    std::string_view name() const { return m_design.name; }
    const FormDesign& design() const { return m_design; }
    bool isLoaded() const { return m_window != nullptr; }

    // Events.
    virtual void Form_Load() {}
    virtual void Form_Click() {}
    virtual void Form_KeyPress(GameInt KeyAscii) { (void)KeyAscii; }
    virtual void Timer1_Timer() {}

    // Operations.
    void Show();
    void Unload();
    void End();
    void MsgBox(std::string_view prompt);
    void MsgBox(std::string_view prompt, std::string_view title);
    double Height() const;
    Control& control(std::string_view name);
    const Control& control(std::string_view name) const;
    FormTimer& Timer1() { return m_timer; }
    // The button its design gives this role, if it has one.
    QPushButton* button(ButtonRole role) const;
    Form& form(std::string_view name);
    void PrintForm();
    // Tells a screen reader what the window waits for, or what just happened on it, where the
    // screen shows it only by pictures moving: read with the caption as the window becomes
    // active, and read out when it changes while the window is. Nothing of it is drawn.
    void describe(std::string_view text);

    // The runtime's side: the window, and the events its widgets deliver.
    FormWindow* window() const { return m_window; }
    void discard();
    void clickControl(std::string_view name);
    void clickForm();
    void typeKey(int keyAscii);
    void requestClose();

protected:
    void handle(std::string_view control, std::function<void()> handler);
    Runtime& runtime() const { return m_runtime; }

private:
    friend struct testing::Access;

    // Loads the screen unless it is loaded; false when its Form_Load unloaded it or ended the game.
    bool ensureLoaded();
    void load();
    void buildControls();
    QWidget* buildControl(const ControlDesign& design, QWidget* parent);
    QWidget* newControl(const ControlDesign& design);

    Runtime& m_runtime;
    const FormDesign m_design;
    FormTimer m_timer;
    FormWindow* m_window = nullptr;
    std::map<std::string, std::function<void()>, std::less<>> m_handlers;
    std::map<std::string, std::unique_ptr<Control>, std::less<>> m_controls;
};

} // namespace cratefall::ui
