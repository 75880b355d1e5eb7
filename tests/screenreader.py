#!/usr/bin/python3
"""Uses Lumora as a blind user's screen reader does, through AT-SPI, and prints what it heard.

    screenreader.py [--private-copy] PROGRAM

Starts PROGRAM on a private Xvfb server with Qt's accessibility bridge on, inside a D-Bus
session of its own, then: reads the main window's 31 buttons; presses "Heart" and reads
the five verses of the window that opens; opens a slot, types five verses into it and
confirms, reads the message box that says they were saved, and reads them back from the
reopened window; quits with "Quit". Every press goes through the action interface and all
typing through the editable-text interface, as a screen reader's would. Every top-level
window must be announced as a window.

--private-copy runs a copy of the program's folder in a temporary folder, so that the
save lands there; without it the save lands in the program's own application folder.
Exits 77 (skipped) when Xvfb, dbus-run-session or python3-pyatspi is missing.
"""

import ctypes
import importlib.util
import os
import signal
import shutil
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
TYPED = [f"Verse {n} typed through the screen reader" for n in range(1, 6)]
WINDOW_ROLES = {"frame", "dialog", "alert"}


class Failure(Exception):
    pass


def die_with_us():
    """Ends a child when this script ends, however it ends (a test runner's timeout)."""
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


def heard(what, text):
    print(f"heard: {what}: {text}", flush=True)


def wait_for(what, find, timeout=30):
    """Polls find() until it returns something; GLib events are let through meanwhile so
    that the accessibility cache follows the program."""
    from gi.repository import GLib
    deadline = time.monotonic() + timeout
    while True:
        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)
        try:
            found = find()
        except Exception:  # an object that went away while it was read
            found = None
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure(f"no {what} after {timeout} s")
        time.sleep(0.1)


def descendants(node, role, depth=8):
    found = []
    for child in node:
        if child is None:
            continue
        if child.getRoleName() == role:
            found.append(child)
        if depth > 0:
            found += descendants(child, role, depth - 1)
    return found


def showing(node):
    import pyatspi
    return node.getState().contains(pyatspi.STATE_SHOWING)


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return node.name


def press(button):
    actions = button.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == "Press":
            actions.doAction(i)
            return
    raise Failure(f'the button "{button.name}" offers no Press action')


class Lumora:
    def __init__(self, program, display, folder):
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = subprocess.Popen([program], env=env, cwd=folder, preexec_fn=die_with_us)
        self.app = wait_for("Lumora on the accessibility bus", self.find_app)

    def find_app(self):
        import pyatspi
        desktop = pyatspi.Registry.getDesktop(0)
        desktop.clearCache()
        for app in desktop:
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def windows(self):
        self.app.clearCache()
        return [w for w in self.app if w is not None and showing(w)]

    def window_with_button(self, caption, role="push button"):
        def find():
            for window in self.windows():
                for control in descendants(window, role):
                    if control.name == caption and showing(control):
                        return window
            return None
        window = wait_for(f'window with "{caption}"', find)
        if window.getRoleName() not in WINDOW_ROLES:
            raise Failure(f'the window "{window.name}" is announced as "{window.getRoleName()}", '
                          "not as a window")
        heard("window", f'{window.getRoleName()} "{window.name}"')
        return window

    def button(self, window, caption):
        for button in descendants(window, "push button"):
            if button.name == caption and showing(button):
                return button
        raise Failure(f'no button "{caption}" in "{window.name}"')

    def labels(self, window):
        return [text_of(label) for label in descendants(window, "label")
                if showing(label) and text_of(label).strip()]

    def end(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()


def main_window(lumora):
    main = lumora.window_with_button("Heart")
    buttons = [b.name for b in descendants(main, "push button")]
    heard("main window buttons", " | ".join(buttons))
    if len(buttons) != 31:
        raise Failure(f"the main window has {len(buttons)} buttons, not 31")
    return main


def category(lumora, main):
    press(lumora.button(main, "Heart"))

    def heart_window():
        for window in lumora.windows():
            if window != main and len(lumora.labels(window)) == 5:
                return window
        return None
    window = wait_for("window of five verses after Heart", heart_window)
    if window.getRoleName() not in WINDOW_ROLES:
        raise Failure(f'the Heart window is announced as "{window.getRoleName()}"')
    heard("window", f'{window.getRoleName()} "{window.name}"')
    for verse in lumora.labels(window):
        heard("verse", verse)
    press(lumora.button(window, "Exit"))


def slot(lumora, main):
    press(lumora.button(main, "open"))
    window = lumora.window_with_button("Enter/Modify Verses")
    press(lumora.button(window, "Enter/Modify Verses"))

    def five_boxes():
        boxes = {box.name: box for box in descendants(window, "text") if showing(box)}
        names = [f"Verse {n}" for n in range(1, 6)]
        return [boxes[n] for n in names] if all(n in boxes for n in names) else None
    for box, verse in zip(wait_for("five verse boxes", five_boxes), TYPED):
        box.queryEditableText().setTextContents(verse)
    press(lumora.button(window, "Confirm Changes"))

    def message_box():
        for candidate in lumora.windows():
            if candidate.getRoleName() in ("dialog", "alert"):
                return candidate
        return None
    box = wait_for("message box after Confirm Changes", message_box)
    said = lumora.labels(box)
    heard("message box", f'{box.getRoleName()} "{box.name}": {" / ".join(said)}')
    if "Verses have been saved to screen display" not in said:
        raise Failure(f"the message box says {said}")
    press(lumora.button(box, "OK"))

    def reopened():
        for candidate in lumora.windows():
            if lumora.labels(candidate) == TYPED:
                return candidate
        return None
    window = wait_for("reopened slot window showing the typed verses", reopened)
    heard("reopened slot window", " / ".join(lumora.labels(window)))
    press(lumora.button(window, "Exit"))


def run(program):
    pipe_read, pipe_write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(pipe_write), "-nolisten", "tcp",
                             "-screen", "0", "1024x768x24"], pass_fds=[pipe_write],
                            stderr=subprocess.DEVNULL, preexec_fn=die_with_us)
    os.close(pipe_write)
    with os.fdopen(pipe_read) as reader:
        display = ":" + reader.readline().strip()
    lumora = None
    try:
        lumora = Lumora(program, display, tempfile.gettempdir())
        main = main_window(lumora)
        category(lumora, main)
        slot(lumora, main)
        press(lumora.button(main, "Quit"))
        lumora.process.wait(timeout=30)
        print(f"screenreader: passed ({program})")
    finally:
        if lumora:
            lumora.end()
        xvfb.terminate()
        xvfb.wait()


def private_copy(program, into):
    """The program's folder copied, with path.lmr naming the copy."""
    folder = os.path.join(into, "lumora")
    shutil.copytree(os.path.dirname(os.path.abspath(program)), folder)
    with open(os.path.join(folder, "path.lmr"), "wb") as pointer:
        pointer.write(os.fsencode(folder) + b"\r\n")
    return os.path.join(folder, os.path.basename(program))


def main():
    args = sys.argv[1:]
    copy = args[:1] == ["--private-copy"]
    if copy:
        args = args[1:]
    if len(args) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    missing = [tool for tool in ("Xvfb", "dbus-run-session") if not shutil.which(tool)]
    if not importlib.util.find_spec("pyatspi"):
        missing.append("python3-pyatspi")
    if missing:
        print(f"screenreader: skipped, missing {', '.join(missing)} "
              "(tools/install-deps.sh installs them)")
        return SKIPPED
    # A D-Bus session of our own, in which the accessibility bus is started for us.
    if os.environ.get("LUMORA_SCREENREADER_SESSION") != "1":
        session = subprocess.Popen(["dbus-run-session", "--", "/usr/bin/python3", __file__] +
                                   sys.argv[1:],
                                   env=dict(os.environ, LUMORA_SCREENREADER_SESSION="1"))
        return session.wait()
    with tempfile.TemporaryDirectory() as scratch:
        program = private_copy(args[0], scratch) if copy else args[0]
        try:
            run(program)
        except Failure as failure:
            print(f"screenreader: FAILED: {failure}", file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
