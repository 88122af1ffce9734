"""What a screen reader holds of a program's windows, read as a screen reader
reads them: through AT-SPI's own client library, which keeps each object's
children and states from what the program tells it (its cache), listening to the
program's events from before the windows show until after.

Usage: atspi_showing.py APPLICATION  (the program's application name)
Prints "listening" once it listens, then waits for a line on its input: the
program has shown what it will show. Then prints a JSON list with an entry for
each of the program's windows that is showing: {"role", "name", "showing":
[{"role", "name"}, ...]}, every object the window holds that is showing, walked
from the desktop's root. Fails when the program is not on the bus.
"""

import json
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402  (after the version is chosen)

SHOWING = Atspi.StateType.SHOWING
# What a screen reader listens to; listening is what makes the library keep the
# program's objects, as it does for the screen reader.
EVENTS = ("object:state-changed", "object:children-changed", "object:property-change",
          "object:text-changed", "window:", "focus:")


def heard(event):
    """As a screen reader does, looks at what an event tells of: its states are
    then kept, and only what the program tells later changes them."""
    for node in (event.source, event.any_data):
        if isinstance(node, Atspi.Accessible):
            node.get_state_set()
            node.get_role()


def application(name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == name:
            return app
    return None


def showing(node):
    """What is showing below the node, depth first."""
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None and child.get_state_set().contains(SHOWING):
            yield child
            yield from showing(child)


def settle(app):
    """Takes in every event the program sent before it answers one more question."""
    app.clear_cache()  # only the application object: its process id is asked anew
    app.get_process_id()
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def report(app):
    windows = []
    for i in range(app.get_child_count()):
        window = app.get_child_at_index(i)
        if window is None or not window.get_state_set().contains(SHOWING):
            continue
        windows.append({"role": window.get_role_name(), "name": window.get_name(),
                        "showing": [{"role": n.get_role_name(), "name": n.get_name()}
                                    for n in showing(window)]})
    json.dump(windows, sys.stdout)


def main(name):
    Atspi.init()
    listener = Atspi.EventListener.new(heard)
    for event in EVENTS:
        listener.register(event)
    failure = []

    def start():
        app = application(name)
        if app is None:
            failure.append(f"atspi-showing: {name} is not on the accessibility bus")
            Atspi.event_quit()
            return False
        app.get_child_count()  # the program's objects are now kept

        def shown(*_):
            settle(app)
            report(app)
            Atspi.event_quit()
            return False

        GLib.io_add_watch(sys.stdin.fileno(), GLib.IO_IN | GLib.IO_HUP, shown)
        print("listening", flush=True)
        return False

    # The library keeps what it hears only while its own event loop runs, as a
    # screen reader's does.
    GLib.idle_add(start)
    Atspi.event_main()
    if failure:
        sys.exit(failure[0])


if __name__ == "__main__":
    main(sys.argv[1])
