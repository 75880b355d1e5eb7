#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
"""Uses Lumora as a blind user's screen reader does, through AT-SPI, and says what it heard.

    screenreader.py [--private-copy] PROGRAM

Starts PROGRAM on a private Xvfb server with Qt's accessibility bridge on, inside a D-Bus
session of its own; reads the main window's 31 buttons; presses "Heart" and reads the five
verses of the window that opens; opens a slot, types five verses, confirms, reads the
message box and reads the verses back from the reopened window; quits. Presses go through
the action interface and typing through the editable-text interface, as a screen reader's
do; every top-level window must be announced as a window. --private-copy runs a copy of
the program's folder, so that the save lands there. Exits 77 (skipped) when Xvfb,
dbus-run-session or python3-pyatspi is missing.
"""

import ctypes
import importlib.util
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

TYPED = [f"Verse {n} typed through the screen reader" for n in range(1, 6)]


def fail(why):
    raise SystemExit(f"screenreader: FAILED: {why}")


def heard(what, text):
    print(f"heard: {what}: {text}", flush=True)


def die_with_us():
    # A child ends with this script, however it ends: a test runner's timeout kills it.
    ctypes.CDLL(None).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def wait_for(what, find, timeout=30):
    # GLib's events are let through between polls, so that the cache follows the program.
    from gi.repository import GLib
    context = GLib.MainContext.default()
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        while context.pending():
            context.iteration(False)
        try:
            found = find()
        except Exception:  # an object that went away while it was read
            found = None
        if found:
            return found
        time.sleep(0.1)
    fail(f"no {what} after {timeout} s")


def showing(node):
    import pyatspi
    return node is not None and node.getState().contains(pyatspi.STATE_SHOWING)


def find_all(node, role):
    found = []
    for child in filter(showing, node):
        found += [child] if child.getRoleName() == role else []
        found += find_all(child, role)
    return found


def names(node, role):
    return [each.name for each in find_all(node, role)]


def labels(window):
    return [text for text in names(window, "label") if text.strip()]


def press(window, caption):
    button = next((b for b in find_all(window, "push button") if b.name == caption), None)
    actions = button.queryAction() if button else fail(f'no button "{caption}" in "{window.name}"')
    index = [i for i in range(actions.nActions) if actions.getName(i) == "Press"]
    actions.doAction(index[0]) if index else fail(f'"{caption}" offers no Press action')


class Lumora:
    def __init__(self, program, display):
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = subprocess.Popen([program], env=env, cwd=tempfile.gettempdir(),
                                        preexec_fn=die_with_us)
        self.app = wait_for("Lumora on the accessibility bus", self.find_app)

    def find_app(self):
        import pyatspi
        desktop = pyatspi.Registry.getDesktop(0)
        desktop.clearCache()
        return next((app for app in desktop
                     if app is not None and app.get_process_id() == self.process.pid), None)

    def window(self, what, test):
        def find():
            self.app.clearCache()
            return next((w for w in filter(showing, self.app) if test(w)), None)
        window = wait_for(what, find)
        role = window.getRoleName()
        if role not in ("frame", "dialog", "alert"):
            fail(f'the {what} "{window.name}" is announced as "{role}", not as a window')
        heard(what, f'{role} "{window.name}"')
        return window


def session(lumora):
    main = lumora.window("main window", lambda w: "Heart" in names(w, "push button"))
    buttons = names(main, "push button")
    heard("its buttons", " | ".join(buttons))
    if len(buttons) != 31:
        fail(f"the main window has {len(buttons)} buttons, not 31")

    press(main, "Heart")
    heart = lumora.window("Heart window", lambda w: w != main and len(labels(w)) == 5)
    for verse in labels(heart):
        heard("verse", verse)
    press(heart, "Exit")

    press(main, "open")
    slot = lumora.window("slot window", lambda w: "Enter/Modify Verses" in names(w, "push button"))
    press(slot, "Enter/Modify Verses")
    # All five: the accessibility cache may hear of the boxes one at a time.
    boxes = wait_for("five verse boxes", lambda: (lambda found: found if len(found) == 5 else None)(
        {b.name: b for b in find_all(slot, "text") if b.name.startswith("Verse ")}))
    for n, verse in enumerate(TYPED, 1):
        boxes[f"Verse {n}"].queryEditableText().setTextContents(verse)
    press(slot, "Confirm Changes")
    box = lumora.window("message box", lambda w: w.getRoleName() in ("dialog", "alert"))
    heard("it says", " / ".join(labels(box)))
    if labels(box) != ["Verses have been saved to screen display"]:
        fail(f"the message box says {labels(box)}")
    press(box, "OK")
    slot = lumora.window("reopened slot window", lambda w: labels(w) == TYPED)
    heard("its verses", " / ".join(labels(slot)))
    press(slot, "Exit")
    press(main, "Quit")
    lumora.process.wait(timeout=30)


def run(program):
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp",
                             "-screen", "0", "1024x768x24"],
                            pass_fds=[write_end], stderr=subprocess.DEVNULL,
                            preexec_fn=die_with_us)
    os.close(write_end)
    with os.fdopen(read_end) as reader:
        display = ":" + reader.readline().strip()
    lumora = None
    try:
        lumora = Lumora(program, display)
        session(lumora)
    finally:
        if lumora and lumora.process.poll() is None:
            lumora.process.kill()
        xvfb.kill()


def main():
    args = sys.argv[1:]
    copy = args[:1] == ["--private-copy"]
    if len(args) != 1 + copy:
        fail("usage: screenreader.py [--private-copy] PROGRAM")
    missing = [tool for tool in ("Xvfb", "dbus-run-session") if not shutil.which(tool)]
    missing += [] if importlib.util.find_spec("pyatspi") else ["python3-pyatspi"]
    if missing:
        print(f"screenreader: skipped: {', '.join(missing)} missing (tools/install-deps.sh)")
        return 77
    if os.environ.get("LUMORA_SCREENREADER_SESSION") != "1":
        # A D-Bus session of our own, in which the accessibility bus is started for us.
        return subprocess.call(["dbus-run-session", "--", "/usr/bin/python3", __file__] + args,
                               env=dict(os.environ, LUMORA_SCREENREADER_SESSION="1"))
    program = args[-1]
    with tempfile.TemporaryDirectory() as scratch:
        if copy:
            folder = shutil.copytree(os.path.dirname(os.path.abspath(program)), scratch + "/lumora")
            with open(folder + "/path.lmr", "wb") as pointer:
                pointer.write(os.fsencode(folder) + b"\r\n")
            program = os.path.join(folder, os.path.basename(program))
        run(program)
    print(f"screenreader: passed ({program})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
