#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
"""Checks how an installed Lumora meets the desktop.

    desktop-check.py PROGRAM DESKTOP_ENTRY

The command line, without a display: --help and --version answer with status 0, a
wrong option or an argument with 2, a start without any display with one line and 1.
On a private X server: the window's WM_CLASS class is the entry's StartupWMClass, the
launch's startup notification ends when the window shows, and a second start hands its
startup id over to the first, which ends that launch too and names it on its window.
Under a headless Weston, where weston and Qt's Wayland plugin are installed: the
window's app id is the entry's id. Prints a line for each check; exits 1 if one failed.
Needs Xvfb and python3-xlib.
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

from Xlib import X, display as xdisplay

program, entry = sys.argv[1], sys.argv[2]
failures = 0


def check(what, ok, detail=""):
    global failures
    print(f"desktop-check: {'ok    ' if ok else 'FAILED'}  {what}" + ("" if ok else f" ({detail})"))
    failures += 0 if ok else 1


def entry_value(key):
    with open(entry, encoding="utf-8") as f:
        for line in f:
            if line.startswith(key + "="):
                return line.rstrip("\n").split("=", 1)[1]
    return None


runtime = tempfile.mkdtemp(prefix="desktop-check-")
base_env = {k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DESKTOP_STARTUP_ID",
                         "XDG_ACTIVATION_TOKEN")}
base_env["XDG_RUNTIME_DIR"] = runtime


def run(args, **env):
    return subprocess.run([program] + args, env={**base_env, **env}, capture_output=True,
                          text=True, timeout=30)


# The command line, with no display at all.
for args, status, stream, text in [
        (["--help"], 0, "stdout", "Usage: "),
        (["--version"], 0, "stdout", "GPL-3.0-or-later"),
        (["-platform", "offscreen", "--version"], 0, "stdout", "GPL-3.0-or-later"),
        (["--bogus"], 2, "stderr", "Unknown option 'bogus'"),
        (["somefile"], 2, "stderr", "Unexpected argument 'somefile'"),
        ([], 1, "stderr", "needs a graphical session")]:
    done = run(args)
    said = getattr(done, stream)
    one_line = status != 1 or said.count("\n") == 1
    check(f"lumora {' '.join(args) or '(no display)'}: status {status}, {stream} says {text!r}",
          done.returncode == status and text in said and one_line,
          f"status {done.returncode}, {said.strip()!r}")

# X11.
xvfb_read, xvfb_write = os.pipe()
xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(xvfb_write), "-screen", "0", "1024x768x24",
                         "-nolisten", "tcp"], pass_fds=[xvfb_write], stderr=subprocess.DEVNULL)
os.close(xvfb_write)
number = b""
while not number.endswith(b"\n"):
    number += os.read(xvfb_read, 1)
name = ":" + number.decode().strip()
x = xdisplay.Display(name)
root = x.screen().root
root.change_attributes(event_mask=X.PropertyChangeMask)
x.sync()
atom = x.intern_atom
begin, more = atom("_NET_STARTUP_INFO_BEGIN"), atom("_NET_STARTUP_INFO")
messages, pieces = [], {}


def pump(until, seconds=10):
    """Reads X events until `until()` holds or the time is up; collects startup messages."""
    deadline = time.time() + seconds
    while not until() and time.time() < deadline:
        while x.pending_events():
            event = x.next_event()
            if event.type == X.ClientMessage and event.client_type in (begin, more):
                window = event.window.id
                if event.client_type == begin:
                    pieces[window] = b""
                pieces[window] = pieces.get(window, b"") + bytes(event.data[1])
                if b"\0" in pieces[window]:
                    messages.append(pieces.pop(window).split(b"\0")[0].decode())
        time.sleep(0.02)
    return until()


def lumora_windows():
    found = []
    for window in root.query_tree().children:
        wm_class = window.get_wm_class()
        if wm_class and wm_class[0] == "lumora" and window.get_attributes().map_state == X.IsViewable:
            found.append(window)
    return found


x_env = {"DISPLAY": name, "QT_QPA_PLATFORM": "xcb"}
first = subprocess.Popen([program], env={**base_env, **x_env,
                                         "DESKTOP_STARTUP_ID": "desktop-check-1_TIME100"},
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    check("the main window shows on X11", pump(lambda: lumora_windows()), "no window")
    windows = lumora_windows()
    wm_class = windows[0].get_wm_class() if windows else None
    check(f"WM_CLASS class {wm_class[1] if wm_class else None!r} is the entry's StartupWMClass",
          wm_class is not None and wm_class[1] == entry_value("StartupWMClass"),
          f"StartupWMClass={entry_value('StartupWMClass')}")
    check("the entry has StartupNotify=true", entry_value("StartupNotify") == "true")
    check("the first window ends its launch's startup notification",
          pump(lambda: "remove: ID=desktop-check-1_TIME100" in messages), f"heard {messages}")
    second = subprocess.run([program], env={**base_env, **x_env,
                                            "DESKTOP_STARTUP_ID": "desktop-check-2_TIME200"},
                            capture_output=True, text=True, timeout=30)
    check("a second start hands over and ends with status 0", second.returncode == 0,
          f"status {second.returncode}, {second.stderr.strip()!r}")
    check("the running program ends the second launch's startup notification",
          pump(lambda: "remove: ID=desktop-check-2_TIME200" in messages), f"heard {messages}")
    names = [w.get_full_property(atom("_NET_STARTUP_ID"), 0) for w in lumora_windows()]
    check("its main window carries the second launch's startup id",
          any(n is not None and n.value == b"desktop-check-2_TIME200" for n in names), f"{names}")
finally:
    first.kill()
    first.wait()
    x.close()
    xvfb.kill()
    xvfb.wait()

# Wayland.
plugins = glob.glob("/usr/lib/*/qt6/plugins/platforms/libqwayland*.so")
if not shutil.which("weston") or not plugins:
    print("desktop-check: skipped  the Wayland app id: needs weston and qt6-wayland installed")
else:
    weston = subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=desktop-check",
                               "--idle-time=0"], env=base_env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        socket = os.path.join(runtime, "desktop-check")
        deadline = time.time() + 10
        while not os.path.exists(socket) and time.time() < deadline:
            time.sleep(0.1)
        shown = subprocess.Popen([program], env={**base_env, "QT_QPA_PLATFORM": "wayland",
                                                 "WAYLAND_DISPLAY": "desktop-check",
                                                 "WAYLAND_DEBUG": "client"},
                                 stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        try:
            _, said = shown.communicate(timeout=5)
        except subprocess.TimeoutExpired:
            shown.kill()
            _, said = shown.communicate()
        wanted = os.path.basename(entry)[:-len(".desktop")]
        ids = [line.split("set_app_id(", 1)[1].split(")")[0] for line in said.splitlines()
               if "set_app_id(" in line]
        check(f"the Wayland app id is the entry's id {wanted}", f'"{wanted}"' in ids, f"{ids}")
    finally:
        weston.kill()
        weston.wait()

shutil.rmtree(runtime, ignore_errors=True)
sys.exit(1 if failures else 0)
