#include "shell/browser_page.h"

#include "shell/browser_screen.h"
#include "ui/form.h"
#include "ui/form_window.h"
#include "ui/runtime.h"

#include <QAccessible>
#include <QCoreApplication>
#include <emscripten/bind.h>
#include <emscripten/html5.h>
#include <emscripten/val.h>
#include <string>
#include <vector>

namespace cratefall::shell {
namespace {

ui::Runtime* pageRuntime = nullptr;

// Browsers run a hidden page's timers about once a second: a level left running in a background
// tab would crawl on unseen. It is held instead, as under a message box, until the tab is back.
bool visibilityChanged(int, const EmscriptenVisibilityChangeEvent* event, void*)
{
    if (pageRuntime)
        pageRuntime->setHidden(event->hidden ? ui::Visibility::Hidden : ui::Visibility::Shown);
    return false;
}

// The page's own function of that name, when it has one.
void callPage(const char* name, int argument)
{
    const emscripten::val function = emscripten::val::global(name);
    if (function.typeOf().as<std::string>() == "function")
        function(argument);
}

// The page's Pause button, for a player without a keyboard: the P key, typed on the active
// screen as the key itself would be. Queued, so that it runs in the game's own event loop, where a
// message box may wait for its answer.
void pauseActiveScreen()
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] {
        for (ui::Form* form : pageRuntime ? pageRuntime->loadedForms() : std::vector<ui::Form*>{})
            if (form->window() && form->window()->isActiveWindow())
                form->typeKey('p');
    });
}

} // namespace

EMSCRIPTEN_BINDINGS(cratefall_page)
{
    emscripten::function("cratefallPause", &pauseActiveScreen);
}

void attachToPage(ui::Runtime& runtime)
{
    pageRuntime = &runtime;
    // With its windows gone, a page would show an empty canvas: it says instead that the game has
    // ended and how to start another.
    runtime.setExitHandler([](int status) {
        callPage("cratefallEnded", status);
        QCoreApplication::exit(status);
    });
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, visibilityChanged);
    // Where the browser's accessibility bridge starts the tree it gives the page once the player
    // has asked for it: the application and its windows. QApplication::exec() would name it; the
    // runtime runs the event loop itself.
    QAccessible::setRootObject(QCoreApplication::instance());
    new ScreenFit(runtime.largestClient(), QCoreApplication::instance());
}

} // namespace cratefall::shell
