#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a family does with the program, replayed on the web build in
headless Chromium (browser.py): the page loads and draws the main window
with its caption; a letter shows its picture and its sound reaches the
page's audio, synchronously (a press meanwhile waits for the sound);
About opens, moves by its caption, and opens afresh after it was closed;
the song starts on a double-click and not on a click; the web pages open
in a new tab; the page has no notification area, which costs no message;
the farewell box, then the end; the browser would install the page as an
app; on a phone held sideways the whole window shows and a tap is a
click; a missing picture's error box, after which the program goes on;
and, from the service worker with the server stopped, the window and a
letter again. Screenshots of each step are kept.

Usage: test_web.py BUILD SCREENSHOT-FOLDER"""
import pathlib
import shutil
import sys
import time
import wave

from PIL import Image

import browser
from browser import Failure

# Where things are, in pixels at 96 dpi (twips / 15), from the windows'
# layout tables; the skin's frame lies outside the client areas.
FRAME = (3, 24, 3, 24)  # left, top, right, bottom
MAIN = (600, 462)
ABOUT = (262, 168)
SONG = (480, 405)
BUTTONS = {  # in the main window's client area: left, top, width, height
    "ث": (400, 360, 41, 25), "ب": (496, 360, 41, 25),
    "نبذة": (96, 424, 41, 25), "الموقع": (240, 424, 41, 25),
    "نشيد الحروف": (304, 424, 89, 25), "خروج": (16, 424, 65, 25),
}
PICTURE = (10, 10, 581, 333)  # inside Pic1's border: Img1's part that shows
PLAYER = (8, 56, 465, 345)  # MediaPlayer1 in the song window's client area
ABOUT_PICTURE = (8, 8, 105, 153)
PERSONAL_PAGE = "http://alzanbouti.example/"


def outer(client, view, scale=1.0):
    """A window's outer box when it is centred in the view."""
    width = (client[0] + FRAME[0] + FRAME[2]) * scale
    height = (client[1] + FRAME[1] + FRAME[3]) * scale
    left, top = (view[0] - width) / 2, (view[1] - height) / 2
    return (left, top, left + width, top + height)


def client_point(window, rect, scale=1.0):
    """The centre of rect in a window's client area, on the page."""
    return (window[0] + (FRAME[0] + rect[0] + rect[2] / 2) * scale,
            window[1] + (FRAME[1] + rect[1] + rect[3] / 2) * scale)


def expect_box(what, box, expected, slack=3):
    if not box or any(abs(a - b) > slack for a, b in zip(box, expected)):
        raise Failure(f"{what}: drawn at {box}, expected {tuple(round(v) for v in expected)}")


class Family:
    def __init__(self, build, shots):
        self.build, self.shots = build, shots
        self.main = outer(MAIN, browser.VIEW)

    def step(self, text):
        print(f"test-web: {text}", flush=True)

    def start(self, page, server_url):
        page.load(server_url)
        page.wait("the main window's first paint", lambda: page.js(
            "return window.snomelTest.drawn.length > 0 && document.getElementById("
            "'loading').hidden"), 60)
        time.sleep(0.5)

    def picture_of(self, shot, letter, window=None, scale=1.0):
        window = window or self.main
        box = [round(window[0] + (FRAME[0] + PICTURE[0]) * scale),
               round(window[1] + (FRAME[1] + PICTURE[1]) * scale)]
        size = (round(PICTURE[2] * scale), round(PICTURE[3] * scale))
        shown = shot.crop((box[0], box[1], box[0] + size[0], box[1] + size[1]))
        name = f"{letter}.bmp"
        reference = Image.open(self.build / "media" / name).convert("RGB")
        reference = reference.crop((0, 0, PICTURE[2], PICTURE[3])).resize(size)
        return browser.mean_difference(shown, reference)

    def expect_picture(self, page, name, letter, **where):
        page.wait(f"{letter}'s picture in the picture area", lambda: self.picture_of(
            page.shot(name), letter, **where) < 14, 10)

    def heard(self, page):
        return page.js("return window.snomelTest.heard.samples")

    def main_window(self, page, name):
        shot = page.shot(name)
        expect_box("the main window, centred at its size", browser.drawn_box(shot), self.main)
        # The caption's pale letters on the middle of the blue caption strip.
        strip = shot.crop((round(self.main[0] + 200), round(self.main[1] + 4),
                           round(self.main[0] + 406), round(self.main[1] + 20)))
        light = sum(1 for pixel in strip.getdata() if min(pixel) > 150)
        if light < 40:
            raise Failure(f"{name}: no caption written on the main window ({light} light pixels)")

    def letter(self, page, name="letter"):
        before = self.heard(page)
        page.click(client_point(self.main, BUTTONS["ث"]))
        # Pressed while ث's sound plays: handled once it has ended.
        time.sleep(0.15)
        page.click(client_point(self.main, BUTTONS["ب"]))
        self.expect_picture(page, f"{name}-during-sound", "ث")
        with wave.open(str(self.build / "media/ث.wav")) as sound:
            seconds = sound.getnframes() / sound.getframerate()
        rate = page.js("return new AudioContext().sampleRate")
        page.wait("ث's sound at the page's audio output",
                  lambda: self.heard(page) - before > 0.3 * seconds * rate, 10)
        self.expect_picture(page, f"{name}-after-sound", "ب")

    def window_at(self, page, name, before, expected):
        """Waits for a window at expected, where the view shot before had none."""
        page.wait(f"{name}: a window at {tuple(round(v) for v in expected)}", lambda: (
            box := browser.drawn_box(page.shot(name), before)) and all(
            abs(a - b) <= 3 for a, b in zip(box, expected)), 10)
        return expected

    def new_window(self, page, name, before, client):
        return self.window_at(page, name, before, outer(client, browser.VIEW))

    def close_window(self, page, window):
        """By the close button, at the caption's right end."""
        page.click((window[2] - 16, window[1] + 11))

    def tabs_opened(self, page, before, address):
        handles = page.wait(f"a new tab for {address}",
                            lambda: len(page.driver.window_handles) > before and
                            page.driver.window_handles, 10)
        calls = page.js("return window.snomelTest.opened")
        if not calls or calls[-1][0] != address or "noopener" not in calls[-1][2]:
            raise Failure(f"the page opened {calls} rather than {address} with noopener")
        main = page.driver.current_window_handle
        for handle in handles:
            if handle != main:
                page.driver.switch_to.window(handle)
                page.driver.close()
        page.driver.switch_to.window(main)

    # --- the runs --------------------------------------------------------
    def first_visit(self, server):
        page = browser.Browser(self.shots)
        try:
            self.step("the page loads and draws the main window")
            self.start(page, server.url)
            self.main_window(page, "01-main-window")
            self.step("ث: its picture and its sound, synchronously")
            self.letter(page, "02-letter")

            self.step("About opens, moves by its caption, opens afresh after closing")
            before = page.shot("03-before-about")
            page.click(client_point(self.main, BUTTONS["نبذة"]))
            about = self.new_window(page, "03-about", before, ABOUT)
            caption = ((about[0] + about[2]) / 2 - 60, about[1] + 12)
            page.drag(caption, (caption[0] - 150, caption[1] + 90))
            moved = self.window_at(page, "04-about-moved", before, (
                about[0] - 150, about[1] + 90, about[2] - 150, about[3] + 90))
            opened = len(page.driver.window_handles)
            page.click(client_point(moved, ABOUT_PICTURE))
            self.tabs_opened(page, opened, PERSONAL_PAGE)
            self.close_window(page, moved)
            page.wait("About closed", lambda: browser.drawn_box(
                page.shot("05-about-closed"), before) is None, 10)
            page.click(client_point(self.main, BUTTONS["نبذة"]))
            about = self.new_window(page, "06-about-again", before, ABOUT)
            self.close_window(page, about)

            self.step("the web pages open in a new tab")
            opened = len(page.driver.window_handles)
            page.click(client_point(self.main, BUTTONS["الموقع"]))
            self.tabs_opened(page, opened, PERSONAL_PAGE)

            self.step("the song: a click does nothing, a double-click plays it")
            before = page.shot("07-before-song")
            page.click(client_point(self.main, BUTTONS["نشيد الحروف"]))
            song = self.new_window(page, "07-song-window", before, SONG)
            player = client_point(song, PLAYER)
            page.click(player)
            time.sleep(1)
            if page.js("return document.querySelector('.player video').currentSrc"):
                raise Failure("a single click on the player started the song")
            page.click(player, count=2)
            state = page.wait("the song playing", lambda: page.js(
                "const v = document.querySelector('.player video');"
                "return v && !v.paused && v.currentTime > 1 && "
                "[v.currentSrc, v.volume, v.loop, v.controls, v.muted];"), 20)
            if not state[0].startswith("blob:") or state[1:] != [0.5, False, True, False]:
                raise Failure(f"the song plays with {state}, not volume 0.5, once, "
                              "with its controls")
            page.shot("08-song-playing")
            self.close_window(page, song)
            page.wait("the song stopping with its window",
                      lambda: not page.js("return document.querySelector('.player video')"), 10)

            self.step("the tray: no notification area, and no message about it")
            errors = [entry for entry in page.console() if entry["level"] == "SEVERE"
                      and "favicon" not in entry["message"]]
            if errors:
                raise Failure(f"the page's console has errors: {errors}")

            self.step("Exit: the farewell box, then the end")
            before = page.shot("09-before-exit")
            page.click(client_point(self.main, BUTTONS["خروج"]))
            page.wait("the farewell box", lambda: browser.drawn_box(
                page.shot("09-farewell-box"), before), 10)
            page.key("Enter", "Enter", 13)
            page.wait("the page saying the program has ended", lambda: page.js(
                "return !document.getElementById('ended').hidden && "
                "document.getElementById('screen').hidden && "
                "document.querySelector('#ended a').href"), 10)
            page.shot("10-ended")
            self.step("the page can be installed from the browser's menu")
            page.wait("the service worker in control", lambda: page.js(
                "return navigator.serviceWorker.controller !== null"), 30)
            errors = page.cdp("Page.getInstallabilityErrors")["installabilityErrors"]
            if errors:
                raise Failure(f"the browser would not install the page: {errors}")
        finally:
            page.close()

    def offline(self):
        server = browser.Server(self.build)
        page = browser.Browser(self.shots)
        try:
            self.start(page, server.url)
            page.wait("the service worker in control", lambda: page.js(
                "return navigator.serviceWorker.controller !== null"), 60)
            server.stop()
            self.step("a second load with the server stopped")
            self.start(page, server.url)
            self.main_window(page, "11-offline-main-window")
            self.letter(page, "12-offline-letter")
        finally:
            page.close()
            server.stop()

    def phone(self, server):
        view = (740, 360)
        page = browser.Browser(self.shots, view=view, mobile=True, pixel_ratio=2)
        try:
            self.step("a phone held sideways: the whole window, taps as clicks")
            self.start(page, server.url)
            scale = min(1, (view[0] - 8) / 606, (view[1] - 8) / 510)
            window = outer(MAIN, view, scale)
            expect_box("the main window scaled down whole", browser.drawn_box(
                page.shot("13-phone")), window, slack=4)
            page.tap(client_point(window, BUTTONS["ث"], scale))
            self.expect_picture(page, "14-phone-tap", "ث", window=window, scale=scale)
        finally:
            page.close()

    def missing_picture(self):
        folder = browser.copy_build(self.build, leave_out=["media/ث.bmp"])
        server = browser.Server(folder / "web")
        page = browser.Browser(self.shots)
        try:
            self.step("a missing picture: the error box, and the program goes on")
            self.start(page, server.url)
            before = page.shot("15-before-missing")
            page.click(client_point(self.main, BUTTONS["ث"]))
            page.wait("the error box", lambda: browser.drawn_box(
                page.shot("15-error-box"), before), 10)
            if self.picture_of(page.shot("15-error-box"), "ث") < 14:
                raise Failure("a picture was shown for the missing ث.bmp")
            page.key("Enter", "Enter", 13)
            page.click(client_point(self.main, BUTTONS["ب"]))
            self.expect_picture(page, "16-after-error", "ب")
        finally:
            page.close()
            server.stop()
            shutil.rmtree(folder, ignore_errors=True)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    build, shots = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    family = Family(build, shots)
    server = browser.Server(build)
    try:
        browser.once_more_if_browser_ends(lambda: family.first_visit(server))
        browser.once_more_if_browser_ends(lambda: family.phone(server))
    finally:
        server.stop()
    browser.once_more_if_browser_ends(family.missing_picture)
    browser.once_more_if_browser_ends(family.offline)
    print("test-web: passed")


if __name__ == "__main__":
    try:
        main()
    except Failure as failure:
        sys.exit(f"test-web: FAILED: {failure}")
