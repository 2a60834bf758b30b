#pragma once

namespace cratefall::ui {
class Runtime;
}

namespace cratefall::shell {

// Makes every screen of the game known to the runtime.
void registerScreens(ui::Runtime& runtime);

// Prepares the application (fonts, names) once a QApplication exists, before any widget.
void prepareApplication();

// The whole game: the title screen first, until the program ends. Returns the exit status.
int runGame();

// The program's last step once its game is over, with that game's exit status: returns it, or
// ends the process with it where Qt's own teardown may not end (on Wayland).
int endProgram(int status);

} // namespace cratefall::shell
