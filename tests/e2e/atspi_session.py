#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives an installed Quorvel from outside, as a screen reader does, through AT-SPI.

Run on an X server or a Wayland compositor, in a private D-Bus session
(run_e2e.sh sets both up). The script installs the program into a temporary
prefix (or takes an installed binary), starts the accessibility bus and then the
program, checks that its window is announced as a window named by its title and,
on Wayland, that the program is a client of the compositor itself, finds every
control by its accessible name, types the worked example, presses "Calcular"
and reads the result, provokes a fault report and dismisses it, checks that
every input survived, and finally presses "Salir" and checks that the program
ended with status 0.

Every wait is a poll with a deadline: nothing sleeps blindly, except before the
screenshots that make screenshot asks for (QUORVEL_SCREENSHOT_DIR, on Wayland).
"""

import argparse
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

# Generous for a sanitizer build on a busy machine; a healthy run needs a second or two.
START_TIMEOUT = 60.0
STEP_TIMEOUT = 20.0

# The inputs, by accessible name, with their text when the window opens.
INITIAL_TEXTS = {
    "Velocidad inicial, ensayo 1": "90",
    "Velocidad final, ensayo 1": "80",
    "Tiempo, ensayo 1": "",
    "Velocidad inicial, ensayo 2": "20",
    "Velocidad final, ensayo 2": "10",
    "Tiempo, ensayo 2": "",
    "Área frontal": "",
    "Alto": "",
    "Ancho": "",
    "Peso": "",
    "Coeficiente de masas": "1.06",
    "Densidad del aire": "1.22",
}
AREA_FIELDS = ("Área frontal", "Alto", "Ancho")
UNITS_NAME = "Unidades de velocidad"
# The window's title, as the title bar shows it.
WINDOW_TITLE = " Quorvel V1.0 - Cx"

# What the worked example types over the initial texts.
WORKED_EXAMPLE = {
    "Tiempo, ensayo 1": "7",
    "Tiempo, ensayo 2": "20",
    "Área frontal": "2",
    "Peso": "1000",
}
# Cx of the worked example, with the period of the C locale the program runs under.
EXPECTED_CX = "0.414589706622123"


class Failure(Exception):
    pass


def log(message):
    print(f"[e2e] {message}", flush=True)


def wait_for(what, predicate, timeout=STEP_TIMEOUT, interval=0.05):
    """Polls predicate until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def start_accessibility_bus():
    """Starts the accessibility bus and waits until it hands out its address."""
    launcher = subprocess.Popen(
        ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
        stdout=subprocess.DEVNULL,
    )
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)

    def address():
        try:
            reply = session.call_sync(
                "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                GLib.VariantType.new("(s)"), Gio.DBusCallFlags.NO_AUTO_START, 1000, None)
            return reply.unpack()[0]
        except GLib.Error:
            if launcher.poll() is not None:
                raise Failure(f"at-spi-bus-launcher ended with status {launcher.returncode}")
            return None

    log(f"accessibility bus at {wait_for('the accessibility bus', address, START_TIMEOUT)}")
    return launcher


def install(cmake, build_dir, prefix):
    result = subprocess.run([cmake, "--install", build_dir, "--prefix", prefix],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if result.returncode != 0:
        raise Failure(f"install into {prefix} failed:\n{result.stdout}")
    binary = os.path.join(prefix, "bin", "quorvel")
    if not os.access(binary, os.X_OK):
        raise Failure(f"the install left no executable {binary}")
    return binary


class Window:
    """The program's accessible tree, reached through the registry."""

    def __init__(self, pyatspi, process, screenshot_dir=None):
        self.pyatspi = pyatspi
        self.process = process
        self.screenshot_dir = screenshot_dir
        desktop = pyatspi.Registry.getDesktop(0)

        def application():
            self.check_running()
            for app in desktop:
                if app is not None and app.get_process_id() == process.pid:
                    return app
            return None

        self.app = wait_for("the program on the accessibility bus", application, START_TIMEOUT)
        # Read every property afresh from the program: a stale cached state or
        # name would make the checks below pass or fail for the wrong reason.
        self.app.set_cache_mask(Atspi.Cache.NONE)
        wait_for("the window's controls", lambda: self.find_all(lambda a: a.name == "Calcular"),
                 START_TIMEOUT)

    def screenshot(self, name):
        """Saves what the compositor shows as screenshot_dir/name, for people to look at."""
        if not self.screenshot_dir:
            return
        # The window reports itself before the compositor has shown its first frame;
        # there is nothing to poll for that, so a screenshot waits a moment first.
        time.sleep(1.0)
        workdir = tempfile.mkdtemp(prefix="quorvel-shot-")
        try:
            subprocess.run(["weston-screenshooter"], cwd=workdir, check=True, timeout=STEP_TIMEOUT)
            shots = glob.glob(os.path.join(workdir, "*.png"))
            if len(shots) != 1:
                raise Failure(f"weston-screenshooter left {len(shots)} pictures, not one")
            target = os.path.join(self.screenshot_dir, name)
            shutil.move(shots[0], target)
            log(f"saved {target}")
        finally:
            shutil.rmtree(workdir, ignore_errors=True)

    def check_running(self):
        if self.process.poll() is not None:
            raise Failure(f"the program ended early with status {self.process.returncode}")

    def find_all(self, predicate, root=None):
        return self.pyatspi.findAllDescendants(root or self.app, predicate)

    def one(self, what, predicate, root=None):
        found = self.find_all(predicate, root)
        if len(found) != 1:
            raise Failure(f"expected exactly one {what}, found {len(found)}")
        return found[0]

    def by_name(self, name, role, root=None):
        return self.one(f"{role} named {name!r}",
                        lambda a: a.name == name and a.getRole() == role, root)

    def field(self, name):
        return self.by_name(name, self.pyatspi.ROLE_TEXT)

    def units(self):
        """The speed-unit combo box.

        The name may sit on the combo box itself or on its editable text, which
        is where a screen reader lands when the user types in it.
        """
        role = self.pyatspi
        for combo in self.find_all(lambda a: a.getRole() == role.ROLE_COMBO_BOX):
            if combo.name == UNITS_NAME:
                return combo
            if self.find_all(lambda a: a.name == UNITS_NAME and a.getRole() == role.ROLE_TEXT,
                             combo):
                return combo
        raise Failure(f"no combo box named {UNITS_NAME!r}, neither itself nor its text")

    def units_text(self):
        """The text the speed-unit combo box shows."""
        combo = self.units()
        edits = self.find_all(lambda a: a.getRole() == self.pyatspi.ROLE_TEXT, combo)
        return text_of(edits[0]) if edits else combo.name

    def button(self, caption):
        return self.by_name(caption, self.pyatspi.ROLE_PUSH_BUTTON)

    def option(self, caption):
        return self.by_name(caption, self.pyatspi.ROLE_RADIO_BUTTON)

    def result_label(self):
        frame = self.by_name("Coef. Aerodinámico", self.pyatspi.ROLE_PANEL)
        labels = [a for a in self.find_all(lambda a: a.getRole() == self.pyatspi.ROLE_LABEL, frame)
                  if a.name != "Cx="]
        if len(labels) != 1:
            raise Failure(f"expected one result label in the frame, found {len(labels)}")
        return labels[0]

    def alerts(self):
        found = []
        for a in self.app:
            try:
                if a is not None and a.getRole() == self.pyatspi.ROLE_ALERT:
                    found.append(a)
            except GLib.Error:
                pass  # a window that closed while the list was being read
        return found


def text_of(accessible):
    """The text a screen reader reads: the Text interface where there is one (text
    boxes), otherwise the accessible name, which is a label's own text."""
    try:
        text = accessible.queryText()
    except NotImplementedError:
        return accessible.name
    return text.getText(0, text.characterCount)


def is_enabled(accessible, pyatspi):
    return accessible.getState().contains(pyatspi.STATE_SENSITIVE)


def act(accessible, action):
    """Runs a named action (what a screen reader's "activate" does)."""
    actions = accessible.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if action not in names:
        raise Failure(f"{accessible.name!r} offers no {action!r} action, only {names}")
    actions.doAction(names.index(action))


def type_into(window, name, value):
    field = window.field(name)
    if not field.queryEditableText().setTextContents(value):
        raise Failure(f"the field {name!r} refused the text {value!r}")
    wait_for(f"{value!r} in {name!r}", lambda: text_of(field) == value)


def snapshot(window):
    """Every input's text and enabled state, and the result label's text."""
    pyatspi = window.pyatspi
    state = {}
    for name in INITIAL_TEXTS:
        field = window.field(name)
        state[name] = (text_of(field), is_enabled(field, pyatspi))
    state[UNITS_NAME] = (window.units_text(), True)
    state["result"] = (text_of(window.result_label()), True)
    return state


def expect_equal(what, actual, expected):
    if actual != expected:
        raise Failure(f"{what}: expected {expected!r}, got {actual!r}")
    log(f"ok: {what} is {actual!r}")


def expect_area_mode(window, enabled_fields):
    pyatspi = window.pyatspi

    def matches():
        return all(is_enabled(window.field(name), pyatspi) == (name in enabled_fields)
                   for name in AREA_FIELDS)

    wait_for(f"only {enabled_fields or 'no area field'} enabled", matches)
    log(f"ok: editable area fields are {list(enabled_fields)}")


def drive(window):
    pyatspi = window.pyatspi
    expect_equal("the application's accessible name", window.app.name, "Quorvel")
    # A screen reader announces the window as a window (a frame), by its title, and
    # finds the controls inside it.
    frames = [a for a in window.app if a is not None and a.getRole() == pyatspi.ROLE_FRAME]
    expect_equal("the top-level frames' names", [f.name for f in frames], [WINDOW_TITLE])
    if not window.find_all(lambda a: a.name == "Calcular", frames[0]):
        raise Failure("the frame does not hold the window's controls")
    window.screenshot("quorvel-wayland.png")

    # The window as it opens.
    for name, text in INITIAL_TEXTS.items():
        expect_equal(f"initial text of {name!r}", text_of(window.field(name)), text)
    expect_equal("the speed unit", window.units_text(), "km/h")
    result = window.result_label()
    expect_equal("the result before any calculation", text_of(result), "0.--")
    if not result.description:
        raise Failure("the result label has no accessible description")
    for caption in ("Calcular", "Salir"):
        window.button(caption)
    expect_area_mode(window, ())

    # The area options switch the fields, by the same action a screen reader uses.
    act(window.option("Alto x Ancho"), "Toggle")
    expect_area_mode(window, ("Alto", "Ancho"))
    act(window.option("Area Frontal"), "Toggle")
    expect_area_mode(window, ("Área frontal",))

    # The worked example.
    for name, value in WORKED_EXAMPLE.items():
        type_into(window, name, value)
    act(window.button("Calcular"), "Press")

    def new_result():
        # A screen reader reads a label by its name, which must stay its text.
        name = window.result_label().name
        return name if name != "0.--" else None

    expect_equal("the result label as read", wait_for("the result", new_result), EXPECTED_CX)

    # A fault report: run 1 without a time divides by zero.
    type_into(window, "Tiempo, ensayo 1", "")
    before = snapshot(window)
    act(window.button("Calcular"), "Press")
    alert = wait_for("the fault report, announced as an alert", window.alerts)[0]
    texts = [a.name for a in window.find_all(lambda a: a.getRole() == pyatspi.ROLE_LABEL, alert)]
    if not any("División por cero" in t for t in texts):
        raise Failure(f"the fault report does not name the division by zero: {texts}")
    log(f"ok: the alert {alert.name!r} reads {texts}")
    window.screenshot("quorvel-wayland-report.png")
    act(window.by_name("Aceptar", pyatspi.ROLE_PUSH_BUTTON, alert), "Press")
    wait_for("the fault report to close", lambda: not window.alerts())
    window.check_running()
    after = snapshot(window)
    for key, value in before.items():
        expect_equal(f"{key!r} (text, enabled) after the report", after[key], value)

    # "Salir" ends the program with status 0.
    act(window.button("Salir"), "Press")
    try:
        status = window.process.wait(timeout=STEP_TIMEOUT)
    except subprocess.TimeoutExpired:
        raise Failure("the program did not end after 'Salir'")
    expect_equal("the exit status after 'Salir'", status, 0)


def unix_socket_links():
    """The connected Unix sockets, as (local path, local inode, peer inode, pid or None)."""
    listing = subprocess.run(["ss", "-x", "-n", "-p"], stdout=subprocess.PIPE, text=True,
                             check=True).stdout.splitlines()[1:]
    links = []
    for line in listing:
        fields = line.split()
        if len(fields) < 8:
            continue
        owner = None
        if "pid=" in line:
            owner = int(line.split("pid=", 1)[1].split(",", 1)[0])
        links.append((fields[4], fields[5], fields[7], owner))
    return links


def expect_wayland_client(process):
    """The program talks to this session's compositor, and can reach no X server."""
    socket = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"])
    links = unix_socket_links()
    accepted = {peer for path, _, peer, _ in links if path == socket}
    own = {inode for _, inode, _, pid in links if pid == process.pid}
    if not accepted & own:
        raise Failure(f"the program holds no connection to the compositor at {socket}")
    with open(f"/proc/{process.pid}/environ", "rb") as environ:
        variables = [entry.split(b"=", 1)[0] for entry in environ.read().split(b"\0")]
    if b"DISPLAY" in variables:
        raise Failure("the program was given an X display")
    log(f"ok: the program is a Wayland client of {socket}, with no X display")


def dump(accessible, depth=0, out=sys.stdout):
    """Prints the accessible tree, to show what was there when a step failed."""
    try:
        print(f"{'  ' * depth}{accessible.getRoleName()} {accessible.name!r} "
              f"{accessible.description!r}", file=out)
        for child in accessible:
            if child is not None:
                dump(child, depth + 1, out)
    except Exception as error:  # the program may be gone mid-dump
        print(f"{'  ' * depth}<{error}>", file=out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--platform", choices=("x11", "wayland"), required=True,
                        help="the display server run_e2e.sh started")
    parser.add_argument("--binary", help="an installed program to drive")
    parser.add_argument("--cmake", help="the cmake that installs the build tree")
    parser.add_argument("--build-dir", help="the configured and built tree")
    args = parser.parse_args()
    if bool(args.binary) == bool(args.cmake and args.build_dir):
        parser.error("give either --binary or both --cmake and --build-dir")

    display = "WAYLAND_DISPLAY" if args.platform == "wayland" else "DISPLAY"
    if not os.environ.get(display) or not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        log(f"needs {display} and a D-Bus session; run it through run_e2e.sh")
        return 2

    workdir = tempfile.mkdtemp(prefix="quorvel-e2e-")
    launcher = process = None
    window = None
    try:
        if args.binary:
            binary = args.binary
        else:
            binary = install(args.cmake, args.build_dir, os.path.join(workdir, "prefix"))
            log(f"installed {binary}")
        launcher = start_accessibility_bus()
        import pyatspi  # only once the bus is up

        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8",
                   LANG="C.UTF-8")
        if args.platform == "wayland":
            # The compositor's runtime folder holds its socket, so it is the program's too.
            env["QT_QPA_PLATFORM"] = "wayland"
        else:
            env["QT_QPA_PLATFORM"] = "xcb"
            env["XDG_RUNTIME_DIR"] = os.path.join(workdir, "runtime")
            os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
        process = subprocess.Popen([binary], env=env, stdin=subprocess.DEVNULL)
        screenshots = os.environ.get("QUORVEL_SCREENSHOT_DIR") if args.platform == "wayland" else None
        window = Window(pyatspi, process, screenshots)
        if args.platform == "wayland":
            expect_wayland_client(process)
        drive(window)
        log("passed")
        return 0
    except Failure as failure:
        log(f"FAILED: {failure}")
        if window is not None and process.poll() is None:
            dump(window.app)
        return 1
    finally:
        for child in (process, launcher):
            if child is not None and child.poll() is None:
                child.terminate()
                try:
                    child.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    child.kill()
                    child.wait()
        shutil.rmtree(workdir, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
