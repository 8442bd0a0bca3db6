"""Drives the built application on a private X display with real input.

One display (Xvfb) and one window manager serve the whole run; every case
gets fresh HOME, settings, runtime and working folders below the run's
temporary folder, so cases do not see each other's settings or locks.
Input goes through the XTEST extension (xdotool without --window), as a
person's keyboard and mouse would; results are read from window titles,
the window list, exit statuses and the files the program writes.
"""

import configparser
import contextlib
import json
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
import urllib.parse

APP_TITLE = "MX-R77C"
UNTITLED = "無題"
ORGANISATION = "VARTEK INCORPORATED"
LOCK_STEM = "VARTEK_MX-R77C_APP_Exclusive_Mutex"

# Where the tree draws its nodes, relative to the main window's client area
# (the tree keeps a fixed row height at the default 100 % font size).
TREE_X = 90
TREE_ROWS = {"top": 75, "base": 93, "individual": 111, "group": 129}

# Cells of the two list sheets, relative to the main window: the name column
# and the rows' vertical centres (first data row, then one row every 20 px).
LIST_NAME_X = 466
LIST_FIRST_ROW_Y = 126
LIST_ROW_HEIGHT = 20

# Generous bounds: the run normally meets every condition in well under a
# second, but a loaded machine must not turn into a false failure.
START_TIMEOUT = 15.0
STEP_TIMEOUT = 8.0
POLL = 0.05


class Environment:
    """What every case shares: the programs under test and the display."""

    bin_dir = None
    root = None          # the run's temporary folder
    display = None
    _procs = []

    @classmethod
    def setup(cls, bin_dir):
        cls.bin_dir = os.path.abspath(bin_dir)
        for name in ("mxr77c", "mxr77c-cli", "r77c-sim", "MXR77C.rcs"):
            path = os.path.join(cls.bin_dir, name)
            if not os.path.exists(path):
                raise SystemExit(f"{path} is missing; build first")
        for tool in ("Xvfb", "xdotool", "xwininfo", "xprop", "xwd", "xwdtopnm",
                     "pnmtopng", "openbox"):
            if shutil.which(tool) is None:
                raise SystemExit(f"{tool} is missing; run scripts/deps.sh")
        cls.root = tempfile.mkdtemp(prefix="mxr77c-desktop-")
        wm_home = os.path.join(cls.root, "wm")
        os.makedirs(wm_home)
        cls._start_display()
        cls._start_window_manager(wm_home)

    @classmethod
    def _start_display(cls):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x800x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=open(os.path.join(cls.root, "xvfb.log"), "wb"),
            start_new_session=True)
        cls._procs.append(xvfb)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + START_TIMEOUT
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        if not number.strip():
            raise SystemExit("Xvfb did not report a display number")
        cls.display = ":" + number.decode().strip()

    @classmethod
    def _start_window_manager(cls, home):
        # The window manager gives windows a frame with a close button and
        # moves the focus to new windows, as a desktop does.
        env = cls.base_env(home, os.path.join(home, "config"), None)
        wm = subprocess.Popen(["openbox", "--sm-disable"], env=env, cwd=home,
                              stdout=subprocess.DEVNULL,
                              stderr=open(os.path.join(cls.root, "openbox.log"), "wb"),
                              start_new_session=True)
        cls._procs.append(wm)
        ok = wait_until(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in
                        run_x(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]), START_TIMEOUT)
        if not ok:
            raise SystemExit("the window manager did not start")

    @classmethod
    def base_env(cls, home, config, runtime):
        env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": home,
            "XDG_CONFIG_HOME": config,
            "DISPLAY": cls.display,
            "LANG": "C.UTF-8",
            "QT_QPA_PLATFORM": "xcb",
        }
        if runtime:
            env["XDG_RUNTIME_DIR"] = runtime
        # A sanitizer build reports leaks at exit with status 1; those of the
        # desktop's own libraries are not the program's.
        suppressions = os.path.join(os.path.dirname(os.path.abspath(__file__)), "lsan.supp")
        env["LSAN_OPTIONS"] = f"suppressions={suppressions}:print_suppressions=0"
        return env

    @classmethod
    def teardown(cls, keep=False):
        for proc in reversed(cls._procs):
            kill_group(proc)
        cls._procs = []
        if cls.root and not keep:
            shutil.rmtree(cls.root, ignore_errors=True)


def kill_group(proc):
    """Ends a process we started and everything in its process group."""
    if proc.poll() is None:
        signal_group(proc, signal.SIGTERM)
    # Children (the demo radio) may outlive a leader that already ended.
    signal_group(proc, signal.SIGKILL)


def signal_group(proc, sig):
    try:
        os.killpg(proc.pid, sig)
    except ProcessLookupError:
        pass
    try:
        proc.wait(2)
    except subprocess.TimeoutExpired:
        pass


def wakeups(pid):
    """How often the process's threads have gone to sleep and woken again."""
    total = 0
    try:
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/status") as status:
                for line in status:
                    if line.startswith("voluntary_ctxt_switches"):
                        total += int(line.split()[1])
    except OSError:
        pass  # the process or one of its threads has just ended
    return total


def wait_until(predicate, timeout):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            return value
        time.sleep(POLL)


def run_x(args, check=False):
    env = dict(os.environ, DISPLAY=Environment.display)
    result = subprocess.run(args, env=env, capture_output=True, timeout=30)
    if check and result.returncode != 0:
        raise RuntimeError(f"{args[0]} failed: {result.stderr.decode(errors='replace')}")
    return result.stdout.decode(errors="replace")


def xdo(*args):
    run_x(["xdotool", *[str(a) for a in args]])


def pointer_to(x, y):
    """Moves the pointer to an absolute point and waits until it is there.

    (xdotool's own --sync waits forever when the pointer is already there.)
    """
    xdo("mousemove", x, y)
    wait_until(lambda: run_x(["xdotool", "getmouselocation"]).split()[:2] ==
               [f"x:{x}", f"y:{y}"], 2)


class App:
    """One start of the application, in its own process group."""

    def __init__(self, case, args, cwd, program=None, env=None):
        self.case = case
        self.args = list(args)
        self.log = os.path.join(case.dir, f"app{len(case.apps)}.log")
        command = [program or os.path.join(Environment.bin_dir, "mxr77c"), *self.args]
        self.command = command
        self.proc = subprocess.Popen(command, cwd=cwd, env=env or case.env,
                                     stdin=subprocess.DEVNULL,
                                     stdout=open(self.log, "wb"), stderr=subprocess.STDOUT,
                                     start_new_session=True)
        self.window = None

    @property
    def pid(self):
        return self.proc.pid

    def windows(self):
        """Visible top-level windows of this process: [(id, title)]."""
        ids = run_x(["xdotool", "search", "--all", "--onlyvisible", "--pid",
                     str(self.pid)]).split()
        found = []
        for wid in ids:
            title = run_x(["xdotool", "getwindowname", wid]).rstrip("\n")
            found.append((wid, title))
        return found

    def main_window(self):
        for wid, title in self.windows():
            if title.endswith(" - " + APP_TITLE):
                return wid
        return None

    def others(self):
        """Windows other than the main one (message boxes, dialogs, menus)."""
        return [(w, t) for w, t in self.windows() if w != self.window]

    def frame(self):
        """Absolute position and size of the main window with its frame."""
        x, y, w, h = self.geometry()
        extents = run_x(["xprop", "-id", str(self.window), "_NET_FRAME_EXTENTS"])
        try:
            left, right, top, bottom = (int(v) for v in extents.split("=")[1].split(","))
        except (IndexError, ValueError):
            return x, y, w, h
        return x - left, y - top, w + left + right, h + top + bottom

    def is_popup(self, wid):
        # Menus and choice lists bypass the window manager; boxes and
        # dialogs do not.
        info = run_x(["xwininfo", "-id", str(wid)])
        return "Override Redirect State: yes" in info

    def dialogs(self):
        """Other windows that are not pop-ups: message boxes and dialogs."""
        return [(w, t) for w, t in self.others() if not self.is_popup(w)]

    def popups(self):
        """Drop-down and pop-up menus, choice lists."""
        return [(w, t) for w, t in self.others() if self.is_popup(w)]

    def title(self):
        if self.window is None:
            return None
        return run_x(["xdotool", "getwindowname", self.window]).rstrip("\n")

    def running(self):
        return self.proc.poll() is None

    def log_tail(self, lines=12):
        try:
            with open(self.log, "rb") as f:
                text = f.read().decode(errors="replace")
        except OSError:
            return ""
        return "\n".join(text.splitlines()[-lines:])

    def geometry(self, wid=None):
        """Absolute position and size of a window's client area."""
        return _parse_geometry(run_x(["xwininfo", "-id", str(wid or self.window)]))


def _parse_geometry(info):
    values = {}
    for line in info.splitlines():
        line = line.strip()
        for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
            if line.startswith(key + ":"):
                values[key] = int(line.split(":")[1])
    return (values.get("Absolute upper-left X"), values.get("Absolute upper-left Y"),
            values.get("Width"), values.get("Height"))


class DesktopCase(unittest.TestCase):
    """Base of every case: private folders, started programs, reports."""

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix=self.id().split(".")[-1][:40] + "-",
                                    dir=Environment.root)
        self.home = os.path.join(self.dir, "home")
        self.config = os.path.join(self.dir, "config")
        self.runtime = os.path.join(self.dir, "runtime")
        self.work = os.path.join(self.dir, "work")
        for path in (self.home, self.config, self.runtime, self.work):
            os.makedirs(path)
        os.chmod(self.runtime, 0o700)
        self.env = Environment.base_env(self.home, self.config, self.runtime)
        self.apps = []
        self.helpers = []
        self.addCleanup(self._stop_all)

    def _stop_all(self):
        for proc in self.helpers:
            kill_group(proc)
        for app in self.apps:
            kill_group(app.proc)
        self.helpers = []
        self.apps = []

    @contextlib.contextmanager
    def row(self, what):
        """One row of a table of cases: reported on its own, cleaned up after."""
        with self.subTest(what):
            try:
                yield
            finally:
                self._stop_all()

    # --- programs -----------------------------------------------------

    @property
    def bin(self):
        return Environment.bin_dir

    def start(self, *args, cwd=None, program=None, env=None, wait=True):
        app = App(self, args, cwd or self.work, program, env)
        self.apps.append(app)
        self.app = app
        if wait:
            self.wait_for_main(app)
        return app

    def wait_for_main(self, app):
        app.window = wait_until(lambda: app.main_window() or
                                (None if app.running() else "gone"), START_TIMEOUT)
        if app.window in (None, "gone"):
            app.window = None
            self.report(f"no main window appeared ({app.command})", app)
        # The first focus goes to the new window; a click on the status bar
        # (no action there) makes sure the keyboard reaches it.
        return app.window

    def cli(self, *args, check=True):
        result = subprocess.run([os.path.join(self.bin, "mxr77c-cli"), *map(str, args)],
                                cwd=self.work, env=self.env, capture_output=True, timeout=60)
        if check and result.returncode != 0:
            self.fail(f"mxr77c-cli {' '.join(map(str, args))} ended with "
                      f"{result.returncode}: {result.stderr.decode(errors='replace')}")
        return result.stdout.decode(errors="replace")

    def dump(self, path):
        return json.loads(self.cli("dump", path, "--json"))

    def new_image(self, name="radio.rcf"):
        path = os.path.join(self.work, name)
        self.cli("new", path)
        return path

    def settings_path(self):
        return os.path.join(self.config, ORGANISATION, APP_TITLE + ".conf")

    def settings(self):
        """The saved settings as {section: {key: value}}, names unescaped."""
        parser = configparser.RawConfigParser()
        parser.optionxform = str
        if not parser.read(self.settings_path(), encoding="utf-8"):
            return None
        return {urllib.parse.unquote(section):
                {urllib.parse.unquote(k): v for k, v in parser.items(section)}
                for section in parser.sections()}

    def write_settings(self, text):
        os.makedirs(os.path.dirname(self.settings_path()), exist_ok=True)
        with open(self.settings_path(), "w", encoding="utf-8") as f:
            f.write(text)

    def lock_file(self):
        return os.path.join(self.runtime, LOCK_STEM + ".lock")

    # --- input ----------------------------------------------------------

    def key(self, *keys, delay=None):
        args = ["key"]
        if delay is not None:
            args += ["--delay", str(delay)]
        xdo(*args, *keys)

    def type(self, text):
        xdo("type", "--delay", "30", text)

    def click(self, x, y, window=None, button=1, count=1):
        """Clicks at a point relative to a window (the main one by default)."""
        wx, wy, _, _ = self.app.geometry(window or self.app.window)
        pointer_to(wx + x, wy + y)
        xdo("click", "--repeat", count, button)

    def focus_main(self):
        # A click on the status bar gives the keyboard to the main window
        # (it has no action of its own there).
        x, y, w, h = self.app.geometry()
        self.click(w // 2, h - 8)

    def open_tree_node(self, node):
        self.click(TREE_X, TREE_ROWS[node])
        # The tree changes the sheet after its change delay; there is no
        # sign of it outside the window, so give the delay a margin.
        time.sleep(0.4)

    def click_list_row(self, row, modifiers=None, button=1):
        """A click on the name cell of a list row (1-based)."""
        y = LIST_FIRST_ROW_Y + LIST_ROW_HEIGHT * (row - 1)
        if modifiers:
            xdo("keydown", modifiers)
        try:
            self.click(LIST_NAME_X, y, button=button)
        finally:
            if modifiers:
                xdo("keyup", modifiers)

    def save(self, path):
        """Ctrl+S on a titled document; waits for the file to be rewritten."""
        before = self.mtime(path)
        self.key("ctrl+s")
        self.wait_for_file_change(path, before, f"Ctrl+S to rewrite {path}")

    def prepared_image(self, edits, name="radio.rcf"):
        """A document with cells set as the sheets would set them."""
        path = self.new_image(name)
        if edits:
            self.cli("set", path, *edits, "-o", path)
        return path

    def pixels(self, window=None):
        """The window's picture as (width, height, rgb bytes)."""
        result = subprocess.run(
            ["sh", "-c", f"xwd -silent -id {window or self.app.window} | xwdtopnm 2>/dev/null"],
            env=dict(os.environ, DISPLAY=Environment.display), capture_output=True,
            timeout=30)
        data = result.stdout
        fields = []
        at = 0
        while len(fields) < 4:
            while data[at:at + 1].isspace():
                at += 1
            if data[at:at + 1] == b"#":
                at = data.index(b"\n", at)
                continue
            end = at
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[at:end])
            at = end
        at += 1
        if fields[0] != b"P6" or fields[3] != b"255":
            raise RuntimeError("unexpected picture format")
        return int(fields[1]), int(fields[2]), data[at:]

    def settle(self, quiet=0.1, limit=3.0):
        """Waits until the program has taken in a burst of input: at rest it
        does not wake at all, so it is done once none of its threads has
        run for a while. A program that keeps waking ends the wait at the
        limit."""
        app = self.app
        deadline = time.monotonic() + limit
        last = wakeups(app.pid)
        still_since = time.monotonic()
        while time.monotonic() < deadline:
            time.sleep(0.02)
            now = wakeups(app.pid)
            if now != last:
                last = now
                still_since = time.monotonic()
            elif time.monotonic() - still_since >= quiet:
                return

    # --- waiting and reporting ---------------------------------------------

    def wait_for(self, predicate, what, timeout=STEP_TIMEOUT, app=None):
        value = wait_until(predicate, timeout)
        if not value:
            self.report(f"timed out after {timeout:.0f} s waiting for {what}", app)
        return value

    def wait_for_window(self, match, what, app=None, timeout=STEP_TIMEOUT):
        """A box or dialog of the program whose title matches."""
        app = app or self.app
        return self.wait_for(lambda: next((w for w, t in app.dialogs() if match(t)), None),
                             what, timeout, app)

    def wait_for_popup(self, what, app=None):
        app = app or self.app
        return self.wait_for(lambda: next((w for w, _ in app.popups()), None), what, app=app)

    def wait_for_title(self, title, app=None):
        app = app or self.app
        self.wait_for(lambda: app.title() == title, f"the title {title!r}", app=app)

    def wait_for_exit(self, app=None, timeout=STEP_TIMEOUT):
        app = app or self.app
        try:
            return app.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            self.report(f"the application did not end within {timeout:.0f} s", app)

    def wait_for_file_change(self, path, since, what, timeout=STEP_TIMEOUT):
        def changed():
            try:
                return os.stat(path).st_mtime_ns != since
            except FileNotFoundError:
                return False
        self.wait_for(changed, what, timeout=timeout)

    def mtime(self, path):
        try:
            return os.stat(path).st_mtime_ns
        except FileNotFoundError:
            return None

    def quiet_period(self, app=None, seconds=1.0):
        """Windows that open within a short time; for checks that none does."""
        app = app or self.app
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            extra = app.dialogs()
            if extra:
                return extra
            time.sleep(POLL)
        return []

    def screenshot(self, app=None):
        """Pictures of the screen and of each window of the app; paths."""
        app = app or getattr(self, "app", None)
        shots = [("screen", ["-root"])]
        if app is not None:
            try:
                shots += [(f"window-{wid}", ["-id", wid]) for wid, _ in app.windows()]
            except Exception:
                pass
        paths = []
        self._shots = getattr(self, "_shots", 0) + 1
        for label, target in shots:
            path = os.path.join(self.dir, f"{self._shots}-{label}.png")
            pipeline = (f"xwd -silent {' '.join(target)} | xwdtopnm 2>/dev/null | "
                        f"pnmtopng > '{path}'")
            subprocess.run(["sh", "-c", pipeline],
                           env=dict(os.environ, DISPLAY=Environment.display),
                           capture_output=True, timeout=30)
            if os.path.exists(path) and os.path.getsize(path) > 0:
                paths.append(path)
        return paths

    def describe(self, app=None):
        app = app or getattr(self, "app", None)
        lines = []
        if app is not None:
            status = app.proc.poll()
            if status is None:
                state = "running"
            elif status < 0:
                state = f"killed by {signal.Signals(-status).name}"
            else:
                state = f"exit status {status}"
            lines.append(f"  program: {' '.join(app.command)} ({state})")
            if app.running():
                lines.append(f"  title: {app.title()!r}")
                lines.append(f"  windows: {[t for _, t in app.windows()]}")
            tail = app.log_tail()
            if tail:
                lines.append("  output tail:\n    " + tail.replace("\n", "\n    "))
        for path in self.screenshot(app):
            lines.append(f"  screenshot: {path}")
        return "\n".join(lines)

    def report(self, message, app=None):
        self.fail(f"{message}\n{self.describe(app)}")

    def check(self, condition, message, app=None):
        if not condition:
            self.report(message, app)
