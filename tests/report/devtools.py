"""A small client of Chromium's DevTools protocol over --remote-debugging-pipe (standard
library only): opens a page in headless Debian chromium and records what it logs and loads."""

from __future__ import annotations

import json
import os
import select
import shutil
import subprocess
import tempfile
import time

CHROMIUM = "/usr/bin/chromium"
FLAGS = ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--disable-default-apps", "--disable-extensions", "--no-default-browser-check",
         "--remote-debugging-pipe")


class Browser:
    """Headless chromium with a fresh profile, driven through file descriptors 3 and 4."""

    def __init__(self, timeout: float = 60.0):
        self.timeout = timeout
        self.profile = tempfile.mkdtemp(prefix="fracflow-chromium-")
        to_browser_r, self._to_browser = os.pipe()
        self._from_browser, from_browser_w = os.pipe()
        # The child sees our pipe ends as fds 3 (commands in) and 4 (replies out).
        ends = {fd: os.dup(fd) for fd in (to_browser_r, from_browser_w)}
        for fd in ends.values():
            os.set_inheritable(fd, False)

        def wire() -> None:
            os.dup2(ends[to_browser_r], 3)
            os.dup2(ends[from_browser_w], 4)

        self.process = subprocess.Popen(
            [CHROMIUM, *FLAGS, f"--user-data-dir={self.profile}", "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
            preexec_fn=wire, close_fds=False)
        for fd in (to_browser_r, from_browser_w, *ends.values()):
            os.close(fd)
        self._buffer = b""
        self._next_id = 0
        self.events: list[dict] = []

    def _read_message(self, deadline: float) -> dict:
        while b"\0" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError("no answer from chromium")
            ready, _, _ = select.select([self._from_browser], [], [], left)
            if ready:
                chunk = os.read(self._from_browser, 1 << 20)
                if not chunk:
                    raise RuntimeError("chromium closed the pipe: "
                                       + self.process.stderr.read().decode(errors="replace")[-2000:])
                self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def send(self, method: str, params: dict | None = None, session: str | None = None) -> dict:
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + self.timeout
        while True:
            reply = self._read_message(deadline)
            if reply.get("id") == self._next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply.get("result", {})
            self.events.append(reply)

    def wait_for(self, method: str) -> dict:
        for event in self.events:
            if event.get("method") == method:
                return event
        deadline = time.monotonic() + self.timeout
        while True:
            event = self._read_message(deadline)
            self.events.append(event)
            if event.get("method") == method:
                return event

    def close(self) -> None:
        try:
            self.send("Browser.close")
        except Exception:  # noqa: BLE001 (closing anyway)
            pass
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self._to_browser)
        os.close(self._from_browser)
        self.process.stderr.close()
        shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self) -> "Browser":
        return self

    def __exit__(self, *exc) -> None:
        self.close()


_INSPECT = """(() => {
  const images = [...document.querySelectorAll('img')].map(img => ({
    alt: img.alt, complete: img.complete, width: img.naturalWidth, height: img.naturalHeight,
    scheme: img.src.split(':')[0]}));
  const svgs = [...document.querySelectorAll('svg')].map(svg => ({
    width: svg.getBoundingClientRect().width, height: svg.getBoundingClientRect().height}));
  const external = [...document.querySelectorAll('[src], link[href], script, iframe, object')]
    .map(e => e.getAttribute('src') || e.getAttribute('href') || e.tagName)
    .filter(u => !u.startsWith('data:'));
  return {images, svgs, external, title: document.title,
          sections: [...document.querySelectorAll('h2')].map(h => h.textContent),
          height: Math.ceil(document.documentElement.scrollHeight)};
})()"""


def open_page(path: str, screenshot: str, timeout: float = 60.0) -> dict:
    """Opens a local page, waits for it to load, and returns what it holds (images, inline
    SVGs, external references), every request it made, its console errors and exceptions;
    writes a screenshot of the whole page to ``screenshot``."""
    url = "file://" + os.path.abspath(path)
    with Browser(timeout) as browser:
        target = browser.send("Target.createTarget", {"url": "about:blank"})["targetId"]
        session = browser.send("Target.attachToTarget",
                               {"targetId": target, "flatten": True})["sessionId"]
        for domain in ("Page", "Runtime", "Log", "Network"):
            browser.send(f"{domain}.enable", session=session)
        browser.send("Emulation.setDeviceMetricsOverride",
                     {"width": 1200, "height": 900, "deviceScaleFactor": 1, "mobile": False},
                     session=session)
        browser.send("Page.navigate", {"url": url}, session=session)
        browser.wait_for("Page.loadEventFired")
        page = browser.send("Runtime.evaluate", {"expression": _INSPECT, "returnByValue": True},
                            session=session)["result"]["value"]
        browser.send("Emulation.setDeviceMetricsOverride",
                     {"width": 1200, "height": min(page["height"], 16000),
                      "deviceScaleFactor": 1, "mobile": False}, session=session)
        shot = browser.send("Page.captureScreenshot", {"format": "png"}, session=session)
        import base64
        with open(screenshot, "wb") as out:
            out.write(base64.b64decode(shot["data"]))
        # Let late console messages arrive before looking at them.
        browser.send("Runtime.evaluate", {"expression": "1"}, session=session)
        events = list(browser.events)
    page["requests"] = [e["params"]["request"]["url"] for e in events
                        if e.get("method") == "Network.requestWillBeSent"]
    page["errors"] = (
        [e["params"] for e in events if e.get("method") == "Runtime.exceptionThrown"]
        + [e["params"] for e in events if e.get("method") == "Runtime.consoleAPICalled"
           and e["params"].get("type") in ("error", "assert")]
        + [e["params"]["entry"] for e in events if e.get("method") == "Log.entryAdded"
           and e["params"]["entry"].get("level") == "error"])
    return page
