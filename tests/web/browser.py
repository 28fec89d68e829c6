# SPDX-License-Identifier: GPL-3.0-or-later
"""The web build in Debian's headless Chromium, driven as a user would:
served by scripts/serve-web on 127.0.0.1, real clicks, taps and keys
through the DevTools protocol (the browser takes them as the user's
gestures), screenshots of the page, and two observers set on the page
before it loads: a tap on its audio graph that counts the samples that
reach the output and are not silent, and the moments the page's canvas
was drawn (the program's windows are composited there)."""
import os
import pathlib
import shutil
import socket
import subprocess
import tempfile
import time

from PIL import Image, ImageChops, ImageStat
from selenium import webdriver
from selenium.common.exceptions import InvalidSessionIdException
from selenium.webdriver.chrome.service import Service

TOP = pathlib.Path(__file__).resolve().parents[2]
BACKGROUND = (51, 51, 51)  # the page's and the screen's grey
VIEW = (1024, 768)

OBSERVERS = r"""
(() => {
    const heard = { samples: 0, first: null };
    const drawn = [];
    const opened = [];
    window.snomelTest = { heard, drawn, opened, pressed: null };
    const connect = AudioNode.prototype.connect;
    AudioNode.prototype.connect = function (target, ...rest) {
        const result = connect.call(this, target, ...rest);
        if (target instanceof AudioDestinationNode) {
            const context = this.context;
            if (!context.snomelTap) {
                const tap = context.createScriptProcessor(256, 1, 1);
                tap.onaudioprocess = (event) => {
                    let loud = 0;
                    for (const sample of event.inputBuffer.getChannelData(0))
                        if (Math.abs(sample) > 1e-3) ++loud;
                    if (loud && heard.first === null) heard.first = performance.now();
                    heard.samples += loud;
                };
                connect.call(tap, context.destination);
                context.snomelTap = tap;
            }
            connect.call(this, context.snomelTap);
        }
        return result;
    };
    for (const gl of [WebGLRenderingContext, WebGL2RenderingContext]) {
        const draw = gl.prototype.drawArrays;
        gl.prototype.drawArrays = function (...args) {
            const now = performance.now();
            if (!drawn.length || now - drawn[drawn.length - 1] > 1) drawn.push(now);
            return draw.apply(this, args);
        };
    }
    const open = window.open;
    window.open = function (...args) {
        opened.push(args);
        return open.apply(this, args);
    };
    for (const release of ['pointerup', 'mouseup', 'touchend'])
        addEventListener(release, () => { window.snomelTest.pressed = performance.now(); }, true);
})();
"""


class Failure(Exception):
    pass


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Server:
    """scripts/serve-web on a port of its own, until stopped."""

    def __init__(self, folder):
        self.port = free_port()
        self.url = f"http://127.0.0.1:{self.port}/"
        self.process = subprocess.Popen(
            [str(TOP / "scripts/serve-web"), str(self.port), str(folder)],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            with socket.socket() as probe:
                if probe.connect_ex(("127.0.0.1", self.port)) == 0:
                    return
            time.sleep(0.05)
        self.stop()
        raise Failure(f"scripts/serve-web did not take connections on port {self.port}")

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(10)


class Browser:
    """Headless Chromium with a fresh profile of its own."""

    started = 0

    def __init__(self, shots, view=VIEW, mobile=False, pixel_ratio=1):
        self.shots = shots
        self.profile = tempfile.mkdtemp(prefix="snomel-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        # Root on a machine with no internet: no sandbox, no GPU, and none of
        # the browser's own connections.
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     "--disable-dev-shm-usage", f"--user-data-dir={self.profile}",
                     f"--window-size={view[0]},{view[1]}",
                     # The author's hosts lead nowhere: refused at once.
                     "--host-resolver-rules=MAP *.example 127.0.0.1:9"):
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        # The browser's own messages, beside the shots, for when it ends.
        Browser.started += 1
        log = shots / f"chromium-{Browser.started}.log"
        service = Service("/usr/bin/chromedriver", service_args=["--enable-chrome-logs"],
                          log_path=str(log))
        self.driver = webdriver.Chrome(service=service, options=options)
        self.cdp("Page.addScriptToEvaluateOnNewDocument", source=OBSERVERS)
        # The view's own size, whatever the browser's frame takes.
        self.cdp("Emulation.setDeviceMetricsOverride", width=view[0], height=view[1],
                 deviceScaleFactor=pixel_ratio, mobile=mobile)
        if mobile:
            self.cdp("Emulation.setTouchEmulationEnabled", enabled=True)
        self.view = view

    def close(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)

    def cdp(self, command, **parameters):
        return self.driver.execute_cdp_cmd(command, parameters)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def load(self, url):
        self.driver.get(url)

    def shot(self, name):
        """The view, in page pixels (a screen of more pixels is scaled)."""
        path = self.shots / f"{name}.png"
        self.driver.save_screenshot(str(path))
        image = Image.open(path).convert("RGB")
        return image if image.size == self.view else image.resize(self.view, Image.BILINEAR)

    def mouse(self, kind, x, y, count=1):
        self.cdp("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                 buttons=1 if kind == "mousePressed" else 0, clickCount=count)

    def click(self, point, count=1):
        x, y = point
        self.mouse("mouseMoved", x, y)
        for n in range(1, count + 1):
            self.mouse("mousePressed", x, y, n)
            self.mouse("mouseReleased", x, y, n)

    def drag(self, start, end, steps=10):
        self.mouse("mouseMoved", *start)
        self.mouse("mousePressed", *start)
        for step in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * step / steps
            y = start[1] + (end[1] - start[1]) * step / steps
            self.cdp("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y, button="left",
                     buttons=1)
            time.sleep(0.02)
        self.mouse("mouseReleased", *end)

    def tap(self, point):
        x, y = point
        for kind in ("touchStart", "touchEnd"):
            points = [] if kind == "touchEnd" else [{"x": x, "y": y}]
            self.cdp("Input.dispatchTouchEvent", type=kind, touchPoints=points)

    def key(self, key, code, keycode, modifiers=0):
        for kind in ("rawKeyDown", "keyUp"):
            self.cdp("Input.dispatchKeyEvent", type=kind, key=key, code=code,
                     windowsVirtualKeyCode=keycode, modifiers=modifiers)

    def wait(self, what, check, seconds=20):
        deadline = time.monotonic() + seconds
        while True:
            result = check()
            if result:
                return result
            if time.monotonic() > deadline:
                raise Failure(f"{what}: not within {seconds} s")
            time.sleep(0.1)

    def console(self):
        return self.driver.get_log("browser")


def once_more_if_browser_ends(run):
    """One of the family's runs, and once more if the browser's own process
    ended under it (a page's fault would end its tab, not the browser).
    Each run starts a browser of its own, so nothing carries over."""
    try:
        run()
    except InvalidSessionIdException as ended:
        print(f"test-web: the browser itself ended ({str(ended).splitlines()[0]}; "
              f"its log is chromium-{Browser.started}.log): that run once more", flush=True)
        run()


def drawn_box(image, against=None):
    """The box of the pixels that differ from the background, or from
    another shot of the same view; None when there are none."""
    if against is None:
        against = Image.new("RGB", image.size, BACKGROUND)
    mask = ImageChops.difference(image, against).convert("L").point(
        lambda v: 255 if v > 24 else 0)
    return mask.getbbox()


def mean_difference(image, reference):
    return sum(ImageStat.Stat(ImageChops.difference(image, reference)).mean) / 3


def copy_build(build, leave_out=()):
    """A copy of the build in a scratch folder, with some files left out."""
    folder = pathlib.Path(tempfile.mkdtemp(prefix="snomel-web-"))
    shutil.copytree(build, folder / "web")
    for name in leave_out:
        os.remove(folder / "web" / name)
    return folder
