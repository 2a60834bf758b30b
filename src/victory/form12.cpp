#include "victory/form12.h"

#include "ui/layouts.h"

namespace cratefall::victory {

Form12::Form12(ui::Runtime& runtime) : Form(runtime, ui::layout("Form12"))
{
    handle("Command1", [this] { Command1_Click(); });
    handle("Command2", [this] { Command2_Click(); });
}

void Form12::Command1_Click()
{
    End();
}

void Form12::Command2_Click()
{
    // Only a truly empty box gets the default name; blanks are a name the player chose.
    if (control("Text1").Text().empty())
        control("Text1").setText("Nameless loser.");
    PrintForm();
    End();
}

} // namespace cratefall::victory
