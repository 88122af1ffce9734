"""Drives the real program by keyboard alone under a desktop's own Wayland
compositor, GNOME's (mutter) or KDE Plasma's (KWin), and reads what it shows
through AT-SPI, as a screen reader would.

Run by wayland_desktop_test.sh, which has started a private D-Bus session bus,
the compositor (headless, on a virtual monitor) and the accessibility bus. Keys
go in through the compositor's own way for remote input, so they reach the
program as they come from a real keyboard: the compositor routes them to the
window it has given the keyboard to, and runs its own shortcuts (Alt+F4 closes
the focused window). Mutter takes them through its remote-desktop interface on
D-Bus; KWin through its fake-input Wayland interface, as a virtual keyboard.

The walk through the program mirrors the X11 one (e2e_test.sh) step for step and
checks what both platforms must agree on: which windows are up and their size,
which one has the keyboard, which control has the focus, and the texts in the
boxes. What Wayland leaves to the compositor is not checked here (see the
README's Wayland section): where each window opens, and keeping the exit screen
above other windows. Each step waits for the state it needs, for at most
PATIENCE seconds, never for a fixed time.

Usage: wayland_drive.py mutter|kwin COMMAND...
  (the program, or a command that execs it)
"""

import os
import socket
import struct
import subprocess
import sys
import time

import dbus

PATIENCE = 60  # seconds any one step may take on a busy machine
POLL = 0.05

CAPTION = "Aromelle v1.0"
BOX_CAPTION = "Aromelle"
# Client widths: each window's own, the same as e2e_test.sh finds them on X11.
INPUT_WIDTH, PROFILE_WIDTH, EXIT_WIDTH, ABOUT_WIDTH = 497, 561, 741, 455
ABOUT_TEXT = "Aromelle is a Western zodiac based software"

ACCESSIBLE = "org.a11y.atspi.Accessible"
COMPONENT = "org.a11y.atspi.Component"
TEXT = "org.a11y.atspi.Text"
PROPERTIES = "org.freedesktop.DBus.Properties"
# AtspiStateType bits (at-spi2-core's atspi-constants.h).
STATE_ACTIVE, STATE_FOCUSED, STATE_SHOWING = 1, 12, 25
COORDS_WINDOW = dbus.UInt32(1)

REMOTE_DESKTOP = "org.gnome.Mutter.RemoteDesktop"
# The keys the walk presses, by the X keysym mutter takes and the Linux key code
# (linux/input-event-codes.h) KWin takes.
KEYSYMS = {
    "Tab": 0xFF09, "Return": 0xFF0D, "Escape": 0xFF1B, "Left": 0xFF51,
    "Up": 0xFF52, "Right": 0xFF53, "Down": 0xFF54, "F4": 0xFFC1,
    "shift": 0xFFE1, "ctrl": 0xFFE3, "alt": 0xFFE9,
}
KEY_CODES = {
    "Tab": 15, "Return": 28, "Escape": 1, "Left": 105, "Up": 103, "Right": 106,
    "Down": 108, "F4": 62, "shift": 42, "ctrl": 29, "alt": 56,
}


def role_is(node, role):
    # A one-line text box is a "text" to Qt 6.4's bridge and an "entry" to later ones.
    return node.role == role or {node.role, role} == {"text", "entry"}


class Failure(Exception):
    pass


class Keyboard:
    """Chords and text as a hand types them, on a device that sends keys."""

    def key(self, *chords):
        """Each chord pressed and released at once."""
        for chord in chords:
            self.hold(chord, lambda: None)

    def hold(self, chord, until):
        """The chord held down until until() returns, then released."""
        keys = self._keys(chord)
        for k in keys:
            self._send(k, True)
        try:
            until()
        finally:
            for k in reversed(keys):
                self._send(k, False)

    def type(self, text):
        self.key(*text)

    def repeat(self, chord, times):
        self.key(*[chord] * times)


class MutterKeyboard(Keyboard):
    """A remote-desktop session of mutter: keys by their keysym, as a client of
    the remote-desktop interface sends them. Mutter picks the key and shift level
    that give each keysym. The session lives as long as this connection."""

    def __init__(self, bus):
        service = bus.get_object(REMOTE_DESKTOP, "/org/gnome/Mutter/RemoteDesktop")
        path = service.CreateSession(dbus_interface=REMOTE_DESKTOP)
        self.session = dbus.Interface(bus.get_object(REMOTE_DESKTOP, path),
                                      REMOTE_DESKTOP + ".Session")
        self.session.Start()
        # Mutter 43 drops the first event of a new virtual keyboard, however long
        # after Start it comes: a lone Shift goes first, before the program runs.
        self.key("shift")

    def _send(self, keysym, pressed):
        self.session.NotifyKeyboardKeysym(dbus.UInt32(keysym), pressed)

    @staticmethod
    def _keys(chord):
        """A key name or a character, with modifiers before it: "Tab",
        "shift+Tab", "alt+h"."""
        *modifiers, last = chord.split("+")
        return [KEYSYMS[m] for m in modifiers] + [KEYSYMS.get(last) or ord(last)]


class KWinKeyboard(Keyboard):
    """KWin's fake-input interface (org_kde_kwin_fake_input), a Wayland global
    that KWin lists only for the clients it trusts: wayland_desktop_test.sh
    starts KWin with its permission checks off. KWin takes its keys as those of
    one more keyboard, by Linux key code, so a character is the key that types it
    on the US layout KWin starts with, shifted where it needs Shift.

    Wayland's wire protocol is spoken here directly: the interface has no
    library of its own, and the walk needs three requests of it. Every key is
    followed by a round trip, so KWin has taken it before the next step looks."""

    FAKE_INPUT = "org_kde_kwin_fake_input"
    VERSION = 4  # keyboard_key came with version 4
    # Requests and events by their opcodes, in the order the protocols list them.
    DISPLAY, REGISTRY = 1, 2
    DISPLAY_SYNC, DISPLAY_GET_REGISTRY, REGISTRY_BIND = 0, 1, 0
    DISPLAY_ERROR, REGISTRY_GLOBAL = 0, 0
    AUTHENTICATE, KEYBOARD_KEY = 0, 10
    # The US layout: the rows of keys from Q, A and Z, and the digits.
    ROWS = {"qwertyuiop": 16, "asdfghjkl": 30, "zxcvbnm": 44, "1234567890": 2}
    SHIFTED = {"@": "2", "!": "1", "_": "-"}
    PUNCTUATION = {"-": 12, " ": 57, ".": 52, ",": 51}

    def __init__(self):
        path = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"])
        self.socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.socket.connect(path)
        self.buffer = b""
        self.next_id = 3
        self._request(self.DISPLAY, self.DISPLAY_GET_REGISTRY, struct.pack("=I", self.REGISTRY))
        globals_ = {}
        for _, args in self._round_trip(self.REGISTRY, self.REGISTRY_GLOBAL):
            name, = struct.unpack_from("=I", args)
            interface, rest = self._string(args[4:])
            globals_[interface] = (name, struct.unpack_from("=I", rest)[0])
        if self.FAKE_INPUT not in globals_:
            raise Failure(f"KWin does not offer {self.FAKE_INPUT} to this client")
        name, version = globals_[self.FAKE_INPUT]
        if version < self.VERSION:
            raise Failure(f"KWin's {self.FAKE_INPUT} is version {version}; keys need {self.VERSION}")
        self.fake_input = self._new_id()
        self._request(self.REGISTRY, self.REGISTRY_BIND,
                      struct.pack("=I", name) + self._pack_string(self.FAKE_INPUT)
                      + struct.pack("=II", self.VERSION, self.fake_input))
        self._request(self.fake_input, self.AUTHENTICATE,
                      self._pack_string("wayland_drive") + self._pack_string("keyboard walk"))
        self._round_trip()

    @classmethod
    def _keys(cls, chord):
        *modifiers, last = chord.split("+")
        codes = [KEY_CODES[m] for m in modifiers]
        if last in KEY_CODES:
            return codes + [KEY_CODES[last]]
        if last.isupper() or last in cls.SHIFTED:
            codes.append(KEY_CODES["shift"])
            last = cls.SHIFTED.get(last, last.lower())
        for row, first in cls.ROWS.items():
            if last in row:
                return codes + [first + row.index(last)]
        return codes + [cls.PUNCTUATION[last]]

    def _send(self, code, pressed):
        self._request(self.fake_input, self.KEYBOARD_KEY, struct.pack("=II", code, int(pressed)))
        self._round_trip()

    def _new_id(self):
        self.next_id += 1
        return self.next_id - 1

    @staticmethod
    def _pack_string(text):
        data = text.encode() + b"\0"
        return struct.pack("=I", len(data)) + data + b"\0" * (-len(data) % 4)

    @staticmethod
    def _string(args):
        length, = struct.unpack_from("=I", args)
        return args[4:4 + length - 1].decode(), args[4 + length + (-length % 4):]

    def _request(self, sender, opcode, args):
        self.socket.sendall(struct.pack("=II", sender, (8 + len(args)) << 16 | opcode) + args)

    def _round_trip(self, sender=None, opcode=None):
        """Waits until KWin has handled every request so far; returns the events
        from the sender with the opcode that came meanwhile."""
        callback = self._new_id()
        self._request(self.DISPLAY, self.DISPLAY_SYNC, struct.pack("=I", callback))
        wanted = []
        while True:
            while len(self.buffer) < 8 or len(self.buffer) < self._size():
                data = self.socket.recv(4096)
                if not data:
                    raise Failure("KWin closed the fake-input connection")
                self.buffer += data
            size = self._size()
            header, args, self.buffer = self.buffer[:8], self.buffer[8:size], self.buffer[size:]
            object_id, word = struct.unpack("=II", header)
            if object_id == callback:
                return wanted
            if object_id == self.DISPLAY and word & 0xFFFF == self.DISPLAY_ERROR:
                raise Failure(f"KWin refused a fake-input request: {self._string(args[8:])[0]}")
            if object_id == sender and word & 0xFFFF == opcode:
                wanted.append((object_id, args))

    def _size(self):
        return struct.unpack_from("=I", self.buffer, 4)[0] >> 16


class Node:
    """One accessible object of the program, read afresh on every call."""

    def __init__(self, bus, ref):
        self.ref = (str(ref[0]), str(ref[1]))
        self.obj = bus.get_object(self.ref[0], self.ref[1], introspect=False)
        self.bus = bus

    def _get(self, name):
        # Property by property: Qt 6.4's bridge crashes the program on
        # Properties.GetAll (QTBUG-107897), which a Get never reaches.
        return self.obj.Get(ACCESSIBLE, name, dbus_interface=PROPERTIES)

    @property
    def name(self):
        return str(self._get("Name"))

    @property
    def description(self):
        return str(self._get("Description"))

    @property
    def role(self):
        return str(self.obj.GetRoleName(dbus_interface=ACCESSIBLE))

    def has(self, state):
        return bool(self.obj.GetState(dbus_interface=ACCESSIBLE)[state // 32] & (1 << state % 32))

    def children(self):
        return [Node(self.bus, c) for c in self.obj.GetChildren(dbus_interface=ACCESSIBLE)]

    def size(self):
        _, _, width, height = self.obj.GetExtents(COORDS_WINDOW, dbus_interface=COMPONENT)
        return int(width), int(height)

    def text(self):
        return str(self.obj.GetText(0, -1, dbus_interface=TEXT))

    def showing(self):
        """This object and what is showing below it, depth first."""
        if not self.has(STATE_SHOWING):
            return
        yield self
        for child in self.children():
            yield from child.showing()

    def __str__(self):
        return f"{self.role} {self.name!r}"


class Program:
    """The program under test, seen through the accessibility bus."""

    def __init__(self, session_bus, command):
        address = session_bus.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(
            dbus_interface="org.a11y.Bus")
        self.a11y = dbus.bus.BusConnection(str(address))
        self.process = subprocess.Popen(command)

    def application(self):
        root = Node(self.a11y, ("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root"))
        for app in root.children():
            if app.name == "aromelle":
                return app
        return None

    def windows(self):
        """The program's windows and message boxes on the screen."""
        app = self.application()
        return [w for w in app.children() if w.has(STATE_SHOWING)] if app else []

    def window(self, width, role="frame"):
        """The window with the program's caption and this client width."""
        for w in self.windows():
            if w.role == role and w.name == CAPTION and w.size()[0] == width:
                return w
        return None

    def message_box(self):
        for w in self.windows():
            if w.name == BOX_CAPTION:
                return w
        return None

    def active(self):
        """The window the compositor has given the keyboard to."""
        for w in self.windows():
            if w.has(STATE_ACTIVE):
                return w
        return None

    def focus(self):
        """The control with the keyboard focus in the active window."""
        window = self.active()
        if not window:
            return None
        focused = [n for n in window.showing() if n.has(STATE_FOCUSED)]
        # Qt marks the current tab of a tab bar focused wherever the focus is, and
        # a message box's button row with its focused button; the tab counts only
        # when nothing else has the focus, and the innermost control wins.
        controls = [n for n in focused if n.role != "page tab"] or focused
        return controls[-1] if controls else None

    def state(self):
        """What is on the screen, for a failure's report."""
        try:
            windows = [f"{w} {w.size()}{' (active)' if w.has(STATE_ACTIVE) else ''}"
                       for w in self.windows()]
            focused = [str(n) for w in self.windows() for n in w.showing() if n.has(STATE_FOCUSED)]
            return f"windows: {', '.join(windows) or 'none'}; focus: {', '.join(focused) or 'none'}"
        except dbus.exceptions.DBusException as error:
            return f"windows unknown: {error}"

    def find(self, window, role, name):
        for node in window.showing():
            if role_is(node, role) and node.name == name:
                return node
        raise Failure(f"no {role} {name!r} in the window")


def wait_for(program, what, condition):
    """Polls the condition until it returns something true; the program must not
    end meanwhile. D-Bus errors (an object gone between two calls) count as not
    yet."""
    deadline = time.monotonic() + PATIENCE
    while True:
        try:
            result = condition()
            if result:
                return result
        except dbus.exceptions.DBusException:
            pass
        status = program.process.poll()
        if status is not None:
            raise Failure(f"the program ended with status {status} while waiting for {what}")
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}; {program.state()}")
        time.sleep(POLL)


def main(compositor, command):
    session_bus = dbus.SessionBus()
    keyboard = MutterKeyboard(session_bus) if compositor == "mutter" else KWinKeyboard()
    program = Program(session_bus, command)
    try:
        walk(program, keyboard)
        status = program.process.wait(timeout=PATIENCE)
    except subprocess.TimeoutExpired:
        raise Failure("the program did not end after Exit")
    finally:
        if program.process.poll() is None:
            program.process.kill()
            program.process.wait()
    if status != 0:
        raise Failure(f"exit status {status}")


def walk(program, keyboard):
    def focus_is(role, name):
        def check():
            f = program.focus()
            return f is not None and role_is(f, role) and f.name == name
        wait_for(program, f"the focus on the {role} {name!r}", check)

    def tab_to(role, name, most):
        """Tab, one stop at a time, until the focus is on this control."""
        for _ in range(most):
            before = str(program.focus())
            keyboard.key("Tab")
            wait_for(program, f"Tab to take the focus on from {before}",
                     lambda: program.focus() is not None and str(program.focus()) != before)
            focus = program.focus()
            if role_is(focus, role) and focus.name == name:
                return
        raise Failure(f"{most} presses of Tab did not reach the {role} {name!r}")

    def active_is(width, what):
        def check():
            w = program.active()
            return w is not None and w.name == CAPTION and w.size()[0] == width
        wait_for(program, f"{what} to take the keyboard", check)
        return program.active()

    def text_is(node, text, what):
        wait_for(program, f"{what} to read {text!r}", lambda: node.text() == text)

    def only_windows(*widths):
        shown = sorted(w.size()[0] for w in program.windows())
        if shown != sorted(widths):
            raise Failure(f"windows of widths {shown} on the screen, expected {sorted(widths)}")

    def menu_open():
        return any(n.role == "popup menu" for w in program.windows() for n in w.showing())

    def menu(alt_key, entry_key):
        # A menu is a popup, and the compositor gives a popup the keyboard only
        # for a recent key press: xdg_popup.grab names that press's serial. Mutter
        # 48 takes it while the key is still down or was the last one released,
        # no longer once another key has come (mutter 43 took the last press until
        # the next press). A chord released at once is all released before the
        # program asks, and mutter 48 then dismisses the menu on the spot
        # (popup_done): Qt closes it and the menu bar keeps the focus. So the chord
        # is held, as a hand holds it, until the menu is showing.
        keyboard.hold(alt_key, lambda: wait_for(program, f"the menu of {alt_key}", menu_open))
        keyboard.key(entry_key)

    # The input window opens with the keyboard, the focus in the first name. A
    # name and 25 July (Leo); the name boxes take letters as capitals.
    wait_for(program, "the input window", lambda: program.window(INPUT_WIDTH))
    input_window = active_is(INPUT_WIDTH, "the input window")
    focus_is("text", "First Name")
    first = program.find(input_window, "text", "First Name")
    last = program.find(input_window, "text", "Last Name")
    keyboard.type("ann")
    text_is(first, "ANN", "the first name")
    keyboard.key("Tab", "Tab")
    focus_is("text", "Last Name")
    keyboard.type("lee")
    text_is(last, "LEE", "the last name")
    keyboard.key("Tab")
    keyboard.repeat("Down", 6)
    focus_is("combo box", "July")
    keyboard.key("Tab")
    keyboard.repeat("Down", 24)
    focus_is("combo box", "25")
    keyboard.key("Tab", "Tab")
    focus_is("push button", "My Aromelle Reading")
    keyboard.key("Return")

    # The profile window takes the input window's place, with the keyboard and
    # the focus on Back; Enter on Back brings the input window back as it was.
    wait_for(program, "the profile window", lambda: program.window(PROFILE_WIDTH))
    profile = active_is(PROFILE_WIDTH, "the profile window")
    focus_is("push button", "Back")
    only_windows(PROFILE_WIDTH)
    sun_sign = program.find(profile, "page tab", "Sun Sign Profile").description
    if not sun_sign.startswith("Your Sun Sign: Leo."):
        raise Failure(f"the sun-sign tab tells {sun_sign!r}")
    keyboard.key("Return")
    wait_for(program, "Back to close the profile window",
             lambda: program.window(PROFILE_WIDTH) is None)
    input_window = active_is(INPUT_WIDTH, "the input window, after Back,")
    only_windows(INPUT_WIDTH)
    text_is(program.find(input_window, "text", "First Name"), "ANN", "the first name")
    text_is(program.find(input_window, "text", "Last Name"), "LEE", "the last name")
    program.find(input_window, "combo box", "July")
    program.find(input_window, "combo box", "25")

    # The about window from the Help menu, with the focus on OK; Escape closes it
    # and gives the keyboard back to the input window.
    menu("alt+h", "a")
    about = wait_for(program, "the about window", lambda: program.window(ABOUT_WIDTH, "dialog"))
    wait_for(program, "the about window to take the keyboard",
             lambda: program.active() is not None and program.active().ref == about.ref)
    focus_is("push button", "OK")
    if not any(n.name.startswith(ABOUT_TEXT) for n in about.showing()):
        raise Failure("the about window does not describe the program")
    only_windows(INPUT_WIDTH, ABOUT_WIDTH)
    keyboard.key("Escape")
    wait_for(program, "the about window to close", lambda: len(program.windows()) == 1)
    active_is(INPUT_WIDTH, "the input window, after the about window,")
    focus_is("push button", "My Aromelle Reading")

    # Alt+F4, mutter's own shortcut, closes the input window: the exit screen
    # takes its place with the focus on Exit.
    keyboard.key("alt+F4")
    wait_for(program, "the exit screen", lambda: program.window(EXIT_WIDTH))
    active_is(EXIT_WIDTH, "the exit screen")
    focus_is("push button", "Exit")
    wait_for(program, "the input window to close", lambda: program.window(INPUT_WIDTH) is None)
    only_windows(EXIT_WIDTH)

    # The refer-a-friend form, after the check box and, where it is a focus
    # stop, the icon: a space typed in an address is refused by a message that
    # holds the keyboard; once it is answered the focus is back in the address,
    # which has not taken the space.
    tab_to("text", "Your Name", 3)
    keyboard.type("Ann Lee")
    keyboard.key("Tab", "Tab")
    focus_is("text", "Your Email Address")
    keyboard.type("ann@example.org ")
    box = wait_for(program, "the refusal", program.message_box)
    wait_for(program, "the refusal to take the keyboard",
             lambda: program.active() is not None and program.active().ref == box.ref)
    if not any(n.name == "Email Address Cannot Contain Space" for n in box.showing()):
        raise Failure(f"the message box says {[n.name for n in box.showing()]}")
    focus_is("push button", "OK")
    keyboard.key("Return")
    wait_for(program, "the refusal to close", lambda: program.message_box() is None)
    leaving = active_is(EXIT_WIDTH, "the exit screen, after the refusal,")
    focus_is("text", "Your Email Address")
    text_is(program.find(leaving, "text", "Your Email Address"), "ann@example.org",
            "the own address")
    text_is(program.find(leaving, "text", "Your Name"), "Ann Lee", "the name")
    only_windows(EXIT_WIDTH)

    # Exit by its access key ends the program.
    keyboard.key("alt+x")


if __name__ == "__main__":
    try:
        main(sys.argv[1], sys.argv[2:])
    except Failure as failure:
        print(f"wayland: {failure}", file=sys.stderr)
        sys.exit(1)
