#include "ui/form.h"
#include "ui/game_int.h"

namespace cratefall::ui {

// Certificate printing arrives with the print spooler work; until then a print is an error the
// player sees, never a silent success.
void Form::PrintForm()
{
    throw RuntimeError("No printer is available");
}

} // namespace cratefall::ui
