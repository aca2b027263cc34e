# SPDX-License-Identifier: GPL-3.0-or-later
"""The page served on 127.0.0.1 and a browser driving it, for the page's tests, screenshots
and benchmark: headless Chromium and WebKitGTK through selenium, headless Firefox ESR through
puppeteer-core over WebDriver BiDi (firefox_bridge.mjs). open_browser() gives each the same
small driver, the part of selenium's API the tests use: get, execute_script, find_element(s)
by id, CSS selector or tag, title, window handles and switch_to (window, active element),
get_screenshot_as_png, refresh, quit; elements with click, send_keys, clear, get_attribute,
text, tag_name, is_displayed and find_element(s). click_at, tap, set_viewport and
console_messages are the few calls selenium has no one way for in every engine.

Chromium runs as root here, so without its sandbox; the flags that keep it from calling
out keep it working on a machine with no network."""

import base64
import contextlib
import functools
import itertools
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.by import By

ENGINES = ("chromium", "firefox", "webkit")
HERE = os.path.dirname(os.path.abspath(__file__))
FIREFOX = "/usr/bin/firefox-esr"
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--disable-dev-shm-usage", "--hide-scrollbars", "--force-color-profile=srgb",
]


sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
import static_site  # noqa: E402

# The page's own policy (its meta element's) is sent as a header too, with a report
# address: both hold, so the page is under the same policy, and every engine posts what
# breaks it to the server.
REPORTS = "/policy-violations"


def page_policy(folder):
    with open(os.path.join(folder, "index.html"), encoding="utf-8") as f:
        found = re.search(r'http-equiv="Content-Security-Policy" content="([^"]*)"', f.read())
    return found.group(1) if found else None


class _TestHandler(static_site.StaticHandler):
    # Every visit asks the server afresh, so what a test sees offline came from the
    # service worker and not from the browser's own cache.
    cache_control = "no-store"

    def log_message(self, *args):
        pass

    def do_GET(self):
        site = self.server.site
        name = urllib.parse.urlsplit(self.path).path.lstrip("/")
        if name in site.blocked:
            self.send_error(404)
            return
        if name in site.held:
            site.held[name].wait(60)
        super().do_GET()

    def do_POST(self):
        body = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        if self.path == REPORTS:
            self.server.site.violations.append(body.decode("utf-8", "replace"))
        self.send_response(204)
        self.end_headers()

    def end_headers(self):
        policy = self.server.site.policy
        if policy and self.command == "GET" and self.path.split("?", 1)[0] in ("/", "/index.html"):
            self.send_header("Content-Security-Policy", f"{policy}; report-uri {REPORTS}")
        super().end_headers()


class _QuietServer(static_site.Server):
    def handle_error(self, request, client_address):
        pass  # a browser that navigates away drops connections; nothing to report


class SiteServer:
    """A static web server for one folder on 127.0.0.1, on a free port, that can be stopped
    and started again on the same port (to take the network away from the page), hold a
    file back until released, and keeps the policy violations browsers report to it."""

    def __init__(self, folder):
        self.folder = folder
        self.port = 0
        self.violations = []
        self.policy = page_policy(folder)
        self._httpd = None
        # Files the server answers as missing, and files it answers only once released.
        self.blocked = set()
        self.held = {}
        self.start()

    def start(self):
        handler = functools.partial(_TestHandler, directory=self.folder)
        self._httpd = _QuietServer(("127.0.0.1", self.port), handler)
        self._httpd.site = self
        self.port = self._httpd.server_address[1]
        threading.Thread(target=self._httpd.serve_forever, daemon=True).start()

    def stop(self):
        if self._httpd:
            self.release()
            self._httpd.shutdown()
            self._httpd.server_close()
            self._httpd = None

    def hold(self, name):
        """Requests for that file of the folder wait until release()."""
        self.held[name] = threading.Event()

    def release(self):
        for event in self.held.values():
            event.set()
        self.held = {}

    @property
    def url(self):
        return f"http://127.0.0.1:{self.port}/"


def _temporary_profile(engine):
    return tempfile.mkdtemp(prefix=f"quorvel-{engine}-")


def chromium(language="en-US", width=800, height=600, mobile=False):
    """A headless Chromium with its own empty profile, in the given language."""
    profile = _temporary_profile("chromium")
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
    return _selenium_driver(driver, "chromium", [lambda: shutil.rmtree(profile, True)])


class _Xvfb:
    """A private X display for MiniBrowser, which has no headless mode of its own."""

    def __init__(self):
        read, write = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            self.display = ":" + f.readline().strip()

    def stop(self):
        self.process.terminate()
        self.process.wait(10)


def _locale(language):
    return language.replace("-", "_") + ".UTF-8"


class _WebKitElement(webdriver.remote.webelement.WebElement):
    """WebKitWebDriver 2.50 gives no text for the window's labels (boxes of white-space:
    pre that cut what does not fit); their rendered text, innerText, stands in."""

    @property
    def text(self):
        return self.parent.execute_script(
            "return arguments[0].innerText.replace(/[ \\t]+\\n/g, '\\n').trim();", self)


def webkit(language="en-US", width=800, height=600, mobile=False):
    """WebKitGTK's MiniBrowser in automation mode on a private Xvfb display, in the given
    language: WebKitGTK takes it from the C library's locale, which must exist (a fresh
    system has none but C: the build makes en_US.UTF-8 and es_ES.UTF-8 into its tree, and
    QUORVEL_LOCPATH names that folder). Its view is sized to width x height CSS pixels.

    MiniBrowser runs full screen, where it hides its toolbar, which keeps its window at
    least 447 px wide; its search bar, closed but still asking the width of its entry and
    buttons (334 px), is made narrow by a GTK style sheet of this session's own. Neither
    touches the page: the view is the whole window, as narrow as a phone's screen."""
    from selenium.webdriver.webkitgtk.options import Options
    from selenium.webdriver.webkitgtk.service import Service as WebKitService
    display = _Xvfb()
    config = tempfile.mkdtemp(prefix="quorvel-webkit-config-")
    os.makedirs(os.path.join(config, "gtk-3.0"))
    with open(os.path.join(config, "gtk-3.0", "gtk.css"), "w", encoding="utf-8") as f:
        f.write("searchbar * { font-size: 1px; min-width: 0; padding: 0; margin: 0; }\n")
    options = Options()
    options.binary_location = MINIBROWSER
    options.add_argument("--automation")
    options.add_argument("--full-screen")
    env = {**os.environ, "DISPLAY": display.display, "LANGUAGE": language.replace("-", "_"),
           "LANG": _locale(language), "LC_ALL": _locale(language),
           "WEBKIT_DISABLE_COMPOSITING_MODE": "1", "GDK_BACKEND": "x11",
           "XDG_CONFIG_HOME": config}
    if os.environ.get("QUORVEL_LOCPATH"):
        env["LOCPATH"] = os.environ["QUORVEL_LOCPATH"]
    env.pop("WAYLAND_DISPLAY", None)
    # The driver's service started here and the session opened over it, the same with
    # bookworm's selenium and trixie's.
    service = WebKitService("/usr/bin/WebKitWebDriver", env=env)
    try:
        service.start()
        driver = webdriver.Remote(command_executor=service.service_url, options=options)
    except Exception:
        with contextlib.suppress(Exception):
            service.stop()
        display.stop()
        shutil.rmtree(config, True)
        raise
    driver._web_element_cls = _WebKitElement
    wrapped = _selenium_driver(driver, "webkit", [service.stop, display.stop,
                                                  lambda: shutil.rmtree(config, True)])
    set_viewport(wrapped, width, height, mobile)
    return wrapped


def _selenium_driver(driver, engine, cleanups):
    driver.engine = engine
    original_quit = driver.quit

    def quit_and_clean():
        with contextlib.suppress(Exception):
            original_quit()
        for cleanup in cleanups:
            with contextlib.suppress(Exception):
                cleanup()

    driver.quit = quit_and_clean
    return driver


class _FirefoxElement:
    def __init__(self, driver, reference):
        self._driver, self._ref = driver, reference

    def _call(self, cmd, **args):
        return self._driver._call(cmd, element=self._ref, **args)

    def click(self):
        self._call("click")

    def send_keys(self, *keys):
        self._call("keys", text="".join(keys))

    def clear(self):
        self._call("clear")

    def get_attribute(self, name):
        return self._call("attribute", name=name)

    @property
    def text(self):
        return self._call("text")

    @property
    def tag_name(self):
        return self._call("tag")

    def is_displayed(self):
        return self._call("displayed")

    def find_element(self, by, value):
        return self._driver._wrap(self._driver._call("find", scope=self._ref,
                                                     css=_css(by, value), all=False))

    def find_elements(self, by, value):
        return self._driver._wrap(self._driver._call("find", scope=self._ref,
                                                     css=_css(by, value), all=True))


def _css(by, value):
    if by == By.ID:
        return "#" + value
    if by == By.TAG_NAME:
        return value
    if by == By.CSS_SELECTOR:
        return value
    raise ValueError(f"unsupported locator {by}")


class _SwitchTo:
    def __init__(self, driver):
        self._driver = driver

    @property
    def active_element(self):
        return self._driver._wrap(self._driver._call("active"))

    def window(self, handle):
        self._driver._call("window", handle=handle)


class WebDriverError(Exception):
    pass


class FirefoxDriver:
    """Firefox ESR through firefox_bridge.mjs, with selenium's calls the tests use."""

    engine = "firefox"

    def __init__(self, language, width, height, mobile):
        modules = os.environ.get("QUORVEL_NODE_MODULES") or os.path.join(
            HERE, "node_modules")
        self._profile = _temporary_profile("firefox")
        env = {**os.environ, "NODE_PATH": modules, "PUPPETEER_SKIP_DOWNLOAD": "1",
               "MOZ_CRASHREPORTER_DISABLE": "1"}
        # The bridge imports puppeteer-core from the build tree's node_modules: node finds
        # an ES module's packages from its own folder, so it runs from a copy there.
        bridge = os.path.join(os.path.dirname(modules), "firefox_bridge.mjs")
        shutil.copyfile(os.path.join(HERE, "firefox_bridge.mjs"), bridge)
        self._process = subprocess.Popen(
            ["node", bridge, FIREFOX, language, str(width), str(height), "1" if mobile else "0",
             self._profile], stdin=subprocess.PIPE, stdout=subprocess.PIPE, env=env, text=True)
        self._ids = itertools.count()
        self.switch_to = _SwitchTo(self)

    def _call(self, cmd, **args):
        request = {"id": next(self._ids), "cmd": cmd, **args}
        self._process.stdin.write(json.dumps(request) + "\n")
        self._process.stdin.flush()
        line = self._process.stdout.readline()
        if not line:
            raise WebDriverError(f"the Firefox bridge ended during {cmd}")
        reply = json.loads(line)
        if "error" in reply:
            raise WebDriverError(f"{cmd}: {reply['error']}")
        return reply["value"]

    def _wrap(self, value):
        if isinstance(value, dict) and set(value) == {"element"}:
            return _FirefoxElement(self, value)
        if isinstance(value, list):
            return [self._wrap(v) for v in value]
        if isinstance(value, dict):
            return {k: self._wrap(v) for k, v in value.items()}
        return value

    @staticmethod
    def _unwrap(value):
        if isinstance(value, _FirefoxElement):
            return value._ref
        if isinstance(value, (list, tuple)):
            return [FirefoxDriver._unwrap(v) for v in value]
        return value

    def get(self, url):
        self._call("get", url=url)

    def refresh(self):
        self._call("refresh")

    @property
    def title(self):
        return self._call("title")

    @property
    def current_url(self):
        return self._call("url")

    def execute_script(self, script, *args):
        return self._wrap(self._call("script", body=script, args=self._unwrap(args)))

    def find_element(self, by, value):
        return self._wrap(self._call("find", scope=None, css=_css(by, value), all=False))

    def find_elements(self, by, value):
        return self._wrap(self._call("find", scope=None, css=_css(by, value), all=True))

    @property
    def window_handles(self):
        return self._call("handles")

    @property
    def current_window_handle(self):
        return self._call("current")

    def get_screenshot_as_png(self):
        return base64.b64decode(self._call("screenshot"))

    def quit(self):
        with contextlib.suppress(Exception):
            self._call("quit")
        with contextlib.suppress(Exception):
            self._process.wait(30)
        if self._process.poll() is None:
            self._process.kill()
            self._process.wait()
        shutil.rmtree(self._profile, ignore_errors=True)


def firefox(language="en-US", width=800, height=600, mobile=False):
    """A headless Firefox ESR with its own empty profile, in the given language."""
    return FirefoxDriver(language, width, height, mobile)


def open_browser(engine, language="en-US", width=800, height=600, mobile=False):
    """A browser of the given engine, its view width x height CSS pixels; with mobile, a
    touch screen too."""
    return {"chromium": chromium, "firefox": firefox, "webkit": webkit}[engine](
        language, width, height, mobile)


def set_viewport(driver, width, height, mobile=False):
    """Sizes the browser's view (the page's viewport) to width x height CSS pixels."""
    if driver.engine == "firefox":
        driver._call("viewport", width=width, height=height, mobile=mobile)
    elif driver.engine == "chromium":
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 2 if mobile else 1,
            "mobile": mobile})
        if mobile:
            driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True})
    else:
        _size_webkit_view(driver, width, height)


def _settled_view_size(driver, deadline):
    """The view's size once it has stopped changing: a window resize reaches the page a
    moment after the driver's answer, later still on a loaded machine."""
    last = None
    while True:
        size = tuple(driver.execute_script("return [innerWidth, innerHeight];"))
        if size == last or time.monotonic() > deadline:
            return size
        last = size
        time.sleep(0.15)


def _size_webkit_view(driver, width, height):
    """Sizes MiniBrowser's window so that its view is width x height: the frame around the
    view differs by system, so it is measured, and the window sized again until the view
    is right."""
    deadline = time.monotonic() + 20
    frame = (0, 0)
    while True:
        driver.set_window_size(width + frame[0], height + frame[1])
        view = _settled_view_size(driver, deadline)
        if view == (width, height):
            return
        if time.monotonic() > deadline:
            raise RuntimeError(f"WebKit's view stays {view[0]}x{view[1]}, not {width}x{height}")
        outer = driver.get_window_size()
        frame = (max(0, outer["width"] - view[0]), max(0, outer["height"] - view[1]))


def click_at(driver, x, y):
    """A real mouse click at a point of the viewport, wherever it lands."""
    if driver.engine == "firefox":
        driver._call("mouse", x=x, y=y)
        return
    actions = ActionBuilder(driver)
    actions.pointer_action.move_to_location(int(x), int(y)).click()
    actions.perform()


def tap(driver, x, y):
    """A touch on the screen at a point of the viewport."""
    if driver.engine == "firefox":
        driver._call("tap", x=x, y=y)
        return
    actions = ActionBuilder(driver, mouse=PointerInput("touch", "finger"))
    actions.pointer_action.move_to_location(int(x), int(y)).pointer_down().pointer_up()
    actions.perform()


def find_accessible(driver, role, name):
    """Firefox: the elements whose computed role and accessible name are these (BiDi's
    accessibility locator)."""
    return driver._wrap(driver._call("aria", role=role, name=name))


def console_messages(driver):
    """What the page wrote to the console since the last call, as (level, text), where the
    engine tells it: Chromium's log and Firefox's log entries; WebKitWebDriver offers no
    log, and gives an empty list."""
    if driver.engine == "firefox":
        return [(m["level"], m["message"]) for m in driver._call("log")]
    if driver.engine == "chromium":
        return [(m["level"], m["message"]) for m in driver.get_log("browser")]
    return []


def wait_for_window(driver, timeout=30):
    """Waits until the program has taken over the window: it is no longer busy."""
    from selenium.webdriver.support.ui import WebDriverWait
    WebDriverWait(driver, timeout).until(lambda d: d.execute_script(
        "const f = document.getElementById('Form1');"
        "return f !== null && !f.hasAttribute('aria-busy');"))
