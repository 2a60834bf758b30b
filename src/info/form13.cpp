#include "info/form13.h"

#include "ui/layouts.h"

namespace cratefall::info {

Form13::Form13(ui::Runtime& runtime) : Form(runtime, ui::layout("Form13"))
{
    handle("Command1", [this] { Command1_Click(); });
}

void Form13::Command1_Click()
{
    Unload();
}

Aboutmeform::Aboutmeform(ui::Runtime& runtime) : Form(runtime, ui::layout("Aboutmeform"))
{
    handle("Command1", [this] { Command1_Click(); });
}

void Aboutmeform::Command1_Click()
{
    Unload();
}

} // namespace cratefall::info
