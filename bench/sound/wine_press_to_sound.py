#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Press to first sound under Wine, timed from the Linux side.

The program (snomel.exe) and a bare window that calls sndPlaySoundA
directly (bench_direct_sound.exe) run under Wine side by side, each told to
play the same wave file. In turn, interleaved, each window is focused and
sent the same key press through XTest (the space bar, which clicks the
program's focused letter button); the time is taken from the press to the
first audible sample read from the null sink's monitor by parec. Both sides
are timed by this process's monotonic clock and heard by the same recorder.

Usage: wine_press_to_sound.py <program folder> <bench_direct_sound.exe> [rounds]
Needs DISPLAY, the sound server of scripts/testenv.sh (SNOMEL_TEST_SINK) and
Wine's environment (WINEPREFIX, a locale whose ANSI code page names the
letter, e.g. LANG=ar_SA.UTF-8 for 1256). Exits 1 when the target is missed.
"""
import array
import ctypes
import os
import statistics
import subprocess
import sys
import threading
import time

RATE = 22050
# Louder than this counts as sound, as in bench_press_to_sound.
THRESHOLD = 1000
# The monitor must have been this long quiet before a press.
QUIET_BEFORE_S = 0.3
HEARD_WITHIN_S = 5.0
TARGET = 1.10

MAIN_CAPTION = "برنامج: تعليم سنوميل"
DIRECT_CAPTION = "bench_direct_sound"
# The letter the main window's first focused button teaches.
SOUND_FILE = "ث.wav"


class Monitor:
    """Reads the sink's monitor, noting when it last heard sound and the
    first sound after it was armed."""

    def __init__(self, sink):
        self.process = subprocess.Popen(
            ["parec", "-d", sink + ".monitor", "--raw", "--format=s16le",
             "--channels=1", f"--rate={RATE}", "--latency-msec=5"],
            stdout=subprocess.PIPE)
        self.samples_read = 0
        self.last_loud = 0.0
        self.first_loud = None
        self.armed = False
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        fd = self.process.stdout.fileno()
        while True:
            chunk = os.read(fd, 4096)
            if not chunk:
                return
            now = time.monotonic()
            samples = array.array("h", chunk[: len(chunk) // 2 * 2])
            self.samples_read += len(samples)
            if samples and max(max(samples), -min(samples)) > THRESHOLD:
                self.last_loud = now
                if self.armed and self.first_loud is None:
                    self.first_loud = now

    def wait_for_quiet(self, limit_s=10.0):
        until = time.monotonic() + limit_s
        while time.monotonic() < until:
            if time.monotonic() - self.last_loud > QUIET_BEFORE_S:
                return True
            time.sleep(0.01)
        return False

    def arm(self):
        self.first_loud = None
        self.armed = True

    def heard(self, limit_s):
        until = time.monotonic() + limit_s
        while self.first_loud is None and time.monotonic() < until:
            time.sleep(0.001)
        self.armed = False
        return self.first_loud

    def close(self):
        self.process.terminate()
        self.process.wait()


class Keyboard:
    """Key presses through XTest, as a keyboard makes them."""

    def __init__(self):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtest = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.xtest.XTestFakeKeyEvent.argtypes = [
            ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            sys.exit("wine_press_to_sound: cannot open the display")
        self.space = self.x11.XKeysymToKeycode(self.display, 0x20)

    def press_space(self):
        """Presses and lets go of the space bar; returns the time of the press."""
        pressed = time.monotonic()
        self.xtest.XTestFakeKeyEvent(self.display, self.space, 1, 0)
        self.x11.XFlush(self.display)
        self.xtest.XTestFakeKeyEvent(self.display, self.space, 0, 0)
        self.x11.XFlush(self.display)
        return pressed


def window(caption, limit_s=60):
    until = time.monotonic() + limit_s
    while time.monotonic() < until:
        found = subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", f"^{caption}$"],
            capture_output=True, text=True).stdout.split()
        if found:
            return found[0]
        time.sleep(0.2)
    sys.exit(f"wine_press_to_sound: the window '{caption}' did not show")


def focus(window_id):
    for command in ("windowactivate", "windowfocus"):
        if subprocess.run(["timeout", "5", "xdotool", command, "--sync", window_id],
                          capture_output=True).returncode == 0:
            break
    time.sleep(0.3)


def time_to_sound(monitor, keyboard, window_id):
    """One press: the seconds until its first sound was heard, or None."""
    focus(window_id)
    if not monitor.wait_for_quiet():
        return None
    monitor.arm()
    pressed = keyboard.press_space()
    heard = monitor.heard(HEARD_WITHIN_S)
    return None if heard is None else heard - pressed


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    folder, direct_exe = sys.argv[1], sys.argv[2]
    rounds = max(3, int(sys.argv[3])) if len(sys.argv) > 3 else 31
    sound = os.path.join(folder, SOUND_FILE)
    if not os.path.isfile(sound):
        sys.exit(f"wine_press_to_sound: no {sound}")
    sink = os.environ.get("SNOMEL_TEST_SINK", "snomel_test")

    monitor = Monitor(sink)
    for _ in range(100):
        if monitor.samples_read:
            break
        time.sleep(0.05)
    else:
        sys.exit(f"wine_press_to_sound: cannot read {sink}.monitor")
    keyboard = Keyboard()

    windows_path = subprocess.run(["winepath", "-w", sound], capture_output=True,
                                  text=True, check=True).stdout.strip()
    programs = [subprocess.Popen(["wine", "snomel.exe"], cwd=folder),
                subprocess.Popen(["wine", os.path.abspath(direct_exe), windows_path])]
    try:
        targets = {"letter press": window(MAIN_CAPTION), "direct sndPlaySoundA": window(DIRECT_CAPTION)}
        times = {name: [] for name in targets}
        missed = 0
        # One of each first: Wine's sound output is set up on its first use.
        for round_number in range(-1, rounds):
            # Each round in the other order, so neither always follows the other.
            order = list(targets) if round_number % 2 else list(reversed(targets))
            heard = {name: time_to_sound(monitor, keyboard, targets[name]) for name in order}
            if None in heard.values():
                missed += 1
            elif round_number >= 0:
                for name, seconds in heard.items():
                    times[name].append(seconds * 1000)
    finally:
        for program in programs:
            program.kill()
        subprocess.run(["wineserver", "-k"], capture_output=True)
        monitor.close()

    press, direct = (statistics.median(times[name]) if times[name] else 0 for name in targets)
    if len(times["letter press"]) < rounds // 2 + 1:
        sys.exit(f"wine_press_to_sound: {missed} of {rounds + 1} rounds heard nothing")
    print(f"press to first sound samples under Wine, median of {len(times['letter press'])} "
          f"rounds ({missed} missed)")
    print(f"  letter press          {press:6.1f} ms")
    print(f"  direct sndPlaySoundA  {direct:6.1f} ms")
    print(f"  difference            {press - direct:6.1f} ms")
    print(f"  ratio                 {press / direct:6.2f} (target <= {TARGET:.2f})")
    return 0 if press / direct <= TARGET else 1


if __name__ == "__main__":
    sys.exit(main())
