#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The web build's figures in headless Chromium, served on 127.0.0.1
(tests/web/browser.py): load to the main window's first paint, with a
fresh profile and then from the service worker; as the baselines, in the
same conditions, fetching and compiling snomel.wasm alone (from a page of
the build that loads no program, in a fresh profile of its own; and from
the service worker); press to picture (the button's release to the first
frame drawn after it, the picture checked on the screen); and the sizes
of snomel.wasm and of the whole build, raw and gzip-compressed. The first
paint is the first frame the page's canvas composites a window in.

Usage: figures.py BUILD [ROUNDS]    (default: 5 rounds; the medians)"""
import gzip
import pathlib
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tests/web"))
import browser  # noqa: E402
from test_web import BUTTONS, MAIN, Family, client_point, outer  # noqa: E402

FIRST_PAINT = "return window.snomelTest.drawn.length ? window.snomelTest.drawn[0] : null"
COMPILE_ALONE = """
const done = arguments[arguments.length - 1];
const begin = performance.now();
WebAssembly.compileStreaming(fetch('snomel.wasm'))
    .then(() => done(performance.now() - begin), (error) => done(String(error)));
"""


def compile_alone(server, shots):
    page = browser.Browser(shots)
    try:
        page.load(server.url + "LICENSE.txt")
        return page.driver.execute_async_script(COMPILE_ALONE)
    finally:
        page.close()


def one_round(build, server, shots):
    cold_alone = compile_alone(server, shots)
    page = browser.Browser(shots)
    family = Family(build, shots)
    try:
        page.load(server.url)
        cold = page.wait("the first paint", lambda: page.js(FIRST_PAINT), 60)
        page.wait("the service worker in control", lambda: page.js(
            "return navigator.serviceWorker.controller !== null"), 60)
        time.sleep(1)
        page.load(server.url)
        kept = page.wait("the first paint from the service worker",
                         lambda: page.js(FIRST_PAINT), 60)
        time.sleep(0.5)
        window = outer(MAIN, browser.VIEW)
        page.click(client_point(window, BUTTONS["ث"]))
        family.expect_picture(page, "bench-letter", "ث")
        press = page.js("const t = window.snomelTest;"
                        "return t.drawn.find((at) => at > t.pressed) - t.pressed")
        kept_alone = page.driver.execute_async_script(COMPILE_ALONE)
        return cold, kept, press, cold_alone, kept_alone
    finally:
        page.close()


def sizes(build):
    files = [path for path in build.rglob("*") if path.is_file()]
    raw = sum(path.stat().st_size for path in files)
    packed = sum(len(gzip.compress(path.read_bytes(), 9)) for path in files)
    wasm = build / "snomel.wasm"
    return (wasm.stat().st_size, len(gzip.compress(wasm.read_bytes(), 9)), len(files), raw,
            packed)


def main():
    build = pathlib.Path(sys.argv[1])
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    shots = pathlib.Path(tempfile.mkdtemp(prefix="snomel-bench-web-"))
    results = []
    server = browser.Server(build)
    try:
        for _ in range(rounds):
            results.append(one_round(build, server, shots))
    finally:
        server.stop()
        shutil.rmtree(shots, ignore_errors=True)
    cold, kept, press, cold_alone, kept_alone = (statistics.median(column)
                                                 for column in zip(*results))
    print(f"load to first paint, fresh profile: {cold:.0f} ms "
          f"({min(r[0] for r in results):.0f}-{max(r[0] for r in results):.0f})")
    print(f"load to first paint, from the service worker: {kept:.0f} ms "
          f"({min(r[1] for r in results):.0f}-{max(r[1] for r in results):.0f})")
    print(f"baselines, snomel.wasm fetched and compiled alone: {cold_alone:.0f} ms fresh, "
          f"{kept_alone:.0f} ms from the service worker; ratios {cold / cold_alone:.2f} "
          f"fresh, {kept / kept_alone:.2f} from the service worker")
    print(f"press to picture: {press:.1f} ms "
          f"({min(r[2] for r in results):.1f}-{max(r[2] for r in results):.1f})")
    wasm, wasm_packed, count, raw, packed = sizes(build)
    print(f"snomel.wasm: {wasm} bytes, {wasm_packed} gzip -9; build/web: {count} files, "
          f"{raw} bytes, {packed} gzip -9 (file by file)")


if __name__ == "__main__":
    try:
        main()
    except browser.Failure as failure:
        sys.exit(f"figures: FAILED: {failure}")
