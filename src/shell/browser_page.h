#pragma once

namespace cratefall::ui {
class Runtime;
}

namespace cratefall::shell {

// The game in a web page: the page says when the game has ended (its event loop never returns to
// anyone who could), the game is held while its tab is hidden, the page's Pause button pauses it,
// and its screen is fitted to the page (ScreenFit).
void attachToPage(ui::Runtime& runtime);

} // namespace cratefall::shell
