#pragma once

#include "ui/design.h"
#include "ui/widgets.h"

#include <QWidget>

class QMenuBar;

namespace cratefall::testing {
struct Access;
}

namespace cratefall::ui {

class Form;

// The client area: the window's background, which takes the presses no control takes.
class ClientArea final : public PressableWidget {
public:
    explicit ClientArea(Form& form);
};

// What a window tells a screen reader as it happens (Form::describe): a notification, shown
// anew for each notice, never drawn and never in the way of a click.
class Notice final : public QWidget {
public:
    Notice();

    QString text() const { return m_text; }
    void tell(const QString& text);

private:
    QString m_text;
};

// A screen's top-level window: frame, optional menu bar and the client area below it.
class FormWindow final : public QWidget {
public:
    explicit FormWindow(Form& form);

    Form& form() const { return m_form; }
    ClientArea* client() const { return m_client; }
    int clientHeightPixels() const;
    // What the window tells a screen reader besides its caption (Form::describe).
    QString description() const { return m_description; }
    void setDescription(const QString& description);
    Notice* notice() const { return m_notice; }
    // Whether the keys come to the window itself: it is active and none of its controls, nor its
    // menu, has the focus.
    bool holdsKeys() const;
    void placeAtDesignedPosition();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend struct testing::Access;

    void buildMenu();
    bool pressButton(ButtonRole role);

    Form& m_form;
    ClientArea* m_client;
    QMenuBar* m_menuBar = nullptr;
    QString m_description;
    Notice* m_notice;
};

} // namespace cratefall::ui
