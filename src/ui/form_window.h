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
    void placeAtDesignedPosition();

protected:
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
};

} // namespace cratefall::ui
