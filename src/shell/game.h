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

} // namespace cratefall::shell
