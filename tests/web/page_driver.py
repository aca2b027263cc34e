# SPDX-License-Identifier: GPL-3.0-or-later
"""The page served on 127.0.0.1 and headless Chromium driving it, for the page's tests,
screenshots and benchmark.

Chromium runs as root here, so without its sandbox; the flags that keep it from calling
out keep it working on a machine with no network."""

import contextlib
import functools
import http.server
import pathlib
import shutil
import sys
import tempfile
import threading
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tools"))
import web_file_types  # noqa: E402

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--disable-dev-shm-usage", "--hide-scrollbars", "--force-color-profile=srgb",
]


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      **web_file_types.EXTENSIONS}

    def log_message(self, *args):
        pass

    def do_GET(self):
        site = self.server.site
        name = urllib.parse.urlsplit(self.path).path.lstrip("/")
        if name in site.blocked:
            self.send_error(404)
            return
        if name in site.held:
            site.held[name].wait(30)
        super().do_GET()

    def end_headers(self):
        # Every visit asks the server afresh, so what a test sees offline came from the
        # service worker and not from the browser's own cache.
        self.send_header("Cache-Control", "no-store")
        super().end_headers()


class _QuietServer(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        pass  # a browser that navigates away drops connections; nothing to report


class SiteServer:
    """A static web server for one folder on 127.0.0.1, on a free port, that can be stopped
    and started again on the same port (to take the network away from the page)."""

    def __init__(self, folder):
        self.folder = folder
        self.port = 0
        self._httpd = None
        # Files the server answers as missing, and files it answers only once released.
        self.blocked = set()
        self.held = {}
        self.start()

    def hold(self, name):
        """Holds back the answer for that file until the returned event is set."""
        release = threading.Event()
        self.held[name] = release
        return release

    def start(self):
        handler = functools.partial(_QuietHandler, directory=self.folder)
        self._httpd = _QuietServer(("127.0.0.1", self.port), handler)
        self._httpd.site = self
        self.port = self._httpd.server_address[1]
        threading.Thread(target=self._httpd.serve_forever, daemon=True).start()

    def stop(self):
        if self._httpd:
            self._httpd.shutdown()
            self._httpd.server_close()
            self._httpd = None

    @property
    def url(self):
        return f"http://127.0.0.1:{self.port}/"


def chromium(language="en-US", width=800, height=600, mobile=False):
    """A headless Chromium with its own empty profile, in the given language."""
    profile = tempfile.mkdtemp(prefix="quorvel-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in CHROMIUM_FLAGS:
        options.add_argument(flag)
    options.add_argument(f"--user-data-dir={profile}")
    options.add_argument(f"--lang={language}")
    options.add_argument(f"--window-size={width},{height}")
    options.add_experimental_option("prefs", {"intl.accept_languages": language})
    if mobile:
        options.add_experimental_option("mobileEmulation", {
            "deviceMetrics": {"width": width, "height": height, "pixelRatio": 2, "touch": True},
            "userAgent": "Mozilla/5.0 (Linux; Android 14) Mobile"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.quorvel_profile = profile
    original_quit = driver.quit

    def quit_and_clean():
        with contextlib.suppress(Exception):
            original_quit()
        shutil.rmtree(profile, ignore_errors=True)

    driver.quit = quit_and_clean
    return driver


def size_viewport(driver, width, height):
    """Sizes the browser's window so that its viewport is width by height CSS pixels, in any
    engine: the window's frame around the viewport is measured, not assumed."""
    driver.set_window_size(width, height)
    for _ in range(3):
        inner = driver.execute_script("return [innerWidth, innerHeight];")
        if inner == [width, height]:
            return
        outer = driver.get_window_size()
        driver.set_window_size(outer["width"] + width - inner[0],
                               outer["height"] + height - inner[1])


def wait_for_window(driver, timeout=30):
    """Waits until the program has taken over the window: it is no longer busy."""
    from selenium.webdriver.support.ui import WebDriverWait
    WebDriverWait(driver, timeout).until(lambda d: d.execute_script(
        "const f = document.getElementById('Form1');"
        "return f !== null && !f.hasAttribute('aria-busy');"))
