#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program as a screen reader finds it: read through AT-SPI by a real
client (pyatspi) on the accessibility bus of a session bus of the test's own,
the windows opened by the buttons' own accessible actions, as a screen
reader's user opens them.

Usage: dbus-run-session -- python3 atspi_windows.py <program>
(on a display: the one scripts/test starts).
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from gi.repository import Gio, GLib
import pyatspi

MAIN = "برنامج: تعليم سنوميل"
ABOUT = "حول البرنامج"
SONG = "نشيد الحروف"
PROGRAM = "سنوميل"
FAREWELL_TITLE = "مكتبة الزنبوطي للمعلومات الدينية"
FAREWELL = "الزنبوطي يتمنى لكم الفائدة ويسألكم الدعاء"
OK = "موافق"

# What each window holds beneath it: (role, name) of some of its controls.
WINDOWS = {
    MAIN: [("push button", "ثاء"), ("push button", "ألف"), ("push button", "ياء"),
           ("push button", "نبذة"), ("push button", SONG), ("push button", "خروج"),
           ("panel", "صورة الحرف"), ("image", "الصورة")],
    ABOUT: [("label", PROGRAM), ("label", "الشيخ نوبلان الزنبوطي"),
            ("label", "info@alzanbouti.example"), ("panel", "صورة البرنامج")],
    SONG: [("label", 'ابني - ابنتي المجتهدين: اضغطا على الماوس مرتين متتاليتين "دبل كلك" للتشغيل'),
           ("panel", "شاشة النشيد")],
}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)
    return condition


def wait_for(find, what, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            found = find()
        except Exception:  # the tree changes under the client while windows come and go
            found = None
        if found is not None:
            return found
        time.sleep(0.1)
    raise AssertionError("timed out waiting for " + what)


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        yield from descendants(child)


def role_and_name(node):
    return node.getRoleName(), node.name


def application_of(process):
    def find():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.get_process_id() == process.pid and app.childCount:
                return app
        return None
    return wait_for(find, "the program on the accessibility bus")


def top_levels(app, role, name):
    windows = (app.getChildAtIndex(i) for i in range(app.childCount))
    return [window for window in windows
            if window is not None and role_and_name(window) == (role, name)]


def top_level(app, role, name):
    return wait_for(lambda: next(iter(top_levels(app, role, name)), None),
                    f"a {role} named {name!r}")


def gone(app, role, name):
    return wait_for(lambda: None if top_levels(app, role, name) else True,
                    f"the {role} named {name!r} to go")


def press(window, name):
    for node in descendants(window):
        if role_and_name(node) == ("push button", name):
            action = node.queryAction()
            names = [action.getName(i) for i in range(action.nActions)]
            return action.doAction(names.index("Press"))
    raise AssertionError(f"no button {name!r} beneath {window.name!r}")


def check_window(app, name):
    window = top_level(app, "frame", name)
    beneath = {role_and_name(node) for node in descendants(window)}
    for control in WINDOWS[name]:
        check(control in beneath, f"{name!r} holds no {control}")
    return window


def check_alert(app, title, text_parts):
    alert = top_level(app, "alert", title)
    texts = [alert.description] + [node.name for node in descendants(alert)
                                   if node.getRoleName() == "label"]
    for part in text_parts:
        check(any(part in text for text in texts), f"the box {title!r} does not say {part!r}")
    buttons = [node.name for node in descendants(alert) if node.getRoleName() == "push button"]
    check(buttons == [OK], f"the box {title!r} has the buttons {buttons}, not [{OK!r}]")
    return alert


def enable_accessibility():
    """Turns accessibility on as a screen reader does when it starts."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, 10000, None)


def start(program):
    # From its own folder, as the run command starts it.
    return subprocess.Popen([program], cwd=os.path.dirname(program))


def three_windows_and_the_farewell(program):
    process = start(program)
    try:
        app = application_of(process)
        main = check_window(app, MAIN)
        press(main, "نبذة")
        check_window(app, ABOUT)
        press(main, SONG)
        song = check_window(app, SONG)
        player = [node for node in descendants(song) if node.name == "مشغل نشيد الحروف"]
        check(len(player) == 1, "the song window holds no player")
        press(main, "خروج")
        alert = check_alert(app, FAREWELL_TITLE, [FAREWELL])
        press(alert, OK)
        check(process.wait(10) == 0, "the program did not end after the farewell")
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


def error_box(program):
    """A letter whose picture is missing: the error box, in Arabic."""
    folder = tempfile.mkdtemp(prefix="snomel-atspi-")
    try:
        source = os.path.dirname(program)
        for name in os.listdir(source):
            if name == os.path.basename(program):
                shutil.copy2(program, folder)  # the program folder is the executable's own
            elif name != "ث.bmp":
                os.symlink(os.path.join(source, name), os.path.join(folder, name))
        process = start(os.path.join(folder, os.path.basename(program)))
        try:
            app = application_of(process)
            main = top_level(app, "frame", MAIN)
            press(main, "ثاء")
            alert = check_alert(app, PROGRAM, ["'53'", "الملف غير موجود",
                                               os.path.join(folder, "ث.bmp")])
            press(alert, OK)
            gone(app, "alert", PROGRAM)
            check(process.poll() is None, "the program ended after the error box")
            top_level(app, "frame", MAIN)
        finally:
            process.terminate()
            process.wait(10)
    finally:
        shutil.rmtree(folder)


def main():
    program = os.path.abspath(sys.argv[1])
    enable_accessibility()
    for case in (three_windows_and_the_farewell, error_box):
        print("--", case.__name__, flush=True)
        try:
            case(program)
        except AssertionError as error:
            check(False, f"{case.__name__}: {error}")
    print("FAILED" if failures else "PASSED", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
