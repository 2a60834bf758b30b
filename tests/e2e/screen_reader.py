"""Reads the running game over the accessibility bus, as a screen reader does, and plays its part:
opens How to play and Play from the title's menu, reads what each screen says, starts level 1 by
pressing "Click to Start", and listens for the score being announced. Its one argument: the
milliseconds it has for all of it, every wait included."""
import sys
import time

import pyatspi
from gi.repository import GLib

END = time.monotonic() + int(sys.argv[1]) / 1000


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def walk(node):
    yield node
    for child in node or []:
        if child is not None:
            yield from walk(child)


def wait_for(what, find):
    while time.monotonic() < END:
        try:
            found = find()
        except Exception:  # a window may go while it is being read
            found = None
        if found is not None:
            return found
        time.sleep(0.1)
    fail(f"no {what} in the test's time")


def game():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "cratefall":
            return app
    return None


def window(caption, role="frame"):
    app = game()
    for shown in app or []:
        if shown is not None and shown.name == caption and shown.getRoleName() == role:
            return shown
    return None


def named(root, role, name):
    for node in walk(root):
        if node.getRoleName() == role and node.name == name:
            return node
    return None


def labels(window):
    return [node.name for node in walk(window) if node.getRoleName() == "label"]


def press(node):
    actions = node.queryAction()
    names = [actions.getName(i).lower() for i in range(actions.nActions)]
    for wanted in ("press", "click", "activate"):
        if wanted in names:
            actions.doAction(names.index(wanted))
            return
    fail(f"\"{node.name}\" ({node.getRoleName()}) cannot be pressed: {names}")


def expect_labels(window, expected):
    # A window is on the bus as soon as it is shown; its controls may follow a moment later.
    while True:
        shown = labels(window)
        missing = [text for text in expected if text not in shown]
        if not missing:
            break
        if time.monotonic() >= END:
            fail(f"\"{window.name}\" does not read \"{missing[0]}\"; its labels: {shown}")
        time.sleep(0.1)
    for text in expected:
        print(f"read on \"{window.name}\": \"{text}\"")


def await_announced(name):
    """Runs the event loop until some label is renamed to NAME; returns whether it was."""
    heard = []

    def renamed(event):
        if event.source.getRoleName() == "label" and event.source.name == name:
            heard.append(name)
            pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(renamed, "object:property-change:accessible-name")
    GLib.timeout_add(max(0, int((END - time.monotonic()) * 1000)), pyatspi.Registry.stop)
    return heard


def main():
    title = wait_for("title window", lambda: window("Cratefall 1.0 - By Mokram"))
    press(wait_for("How to play item", lambda: named(title, "menu item", "How to play")))
    # A dialog, whose text a screen reader reads out as it opens.
    help_window = wait_for("How to play dialog", lambda: window("How to play", "dialog"))
    expect_labels(help_window, [
        "As the boxes fall, click on them to make them go up again. Do that until you have "
        "enough points to beat the level. Good Luck.",
        "You can always press \"P\" to pause the game.",
    ])

    press(wait_for("Play item", lambda: named(title, "menu item", "Play")))
    level = wait_for("level 1 window", lambda: window("Cratefall - Level 1"))
    expect_labels(level, ["Score:", "Click to Start"])

    # The first tick shows the score: a reader hears it as the score label's new name.
    heard = await_announced("0")
    GLib.idle_add(lambda: press(named(level, "label", "Click to Start")) and False)
    pyatspi.Registry.start()
    if not heard:
        fail("the score was never announced after the level started")
    print("announced on \"Cratefall - Level 1\": \"0\"")


if __name__ == "__main__":
    main()
