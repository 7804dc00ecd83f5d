"""The editor under real X input: a virtual X server of its own (a window
manager where a journey needs one), the built program started as a user starts
it, xdotool for the mouse and the keyboard, screenshots read pixel by pixel.

Every wait polls for what the user would see (a window, a file, a process
ending) with a deadline; nothing sleeps for a fixed time. Each session picks a
free display number itself (Xvfb -displayfd), so sessions run side by side.
"""

import os
import re
import shutil
import sqlite3
import subprocess
import tempfile
import time

BUILD = os.environ.get("KV_BUILD_DIR", os.path.join(os.path.dirname(__file__), "..", "..", "build"))
EDITOR = os.environ.get("KV_EDITOR", os.path.join(BUILD, "app", "mapeditor"))
GRAB = os.environ.get("KV_GRAB", os.path.join(BUILD, "platform", "testing", "GrabScreen"))
FAILURES = os.environ.get("KV_E2E_FAILURES", "")

SCREEN_W, SCREEN_H = 1280, 900
MAIN_TITLE = "Terravue Desktop"


def wait_until(probe, what, timeout=15.0, interval=0.03):
    """Polls `probe` until it returns something true, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(interval)


class Shot:
    """A screenshot: rows of RGB triples, read from the binary PPM the camera writes."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        assert fields[0] == b"P6" and fields[3] == b"255", "not an 8-bit binary PPM"
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[pos + 1:]
        self.path = path

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def count(self, rect, test):
        """How many pixels in rect = (left, top, right, bottom), right and bottom excluded, pass test(rgb)."""
        left, top, right, bottom = rect
        n = 0
        for y in range(max(top, 0), min(bottom, self.height)):
            row = 3 * y * self.width
            for x in range(max(left, 0), min(right, self.width)):
                i = row + 3 * x
                if test(tuple(self.pixels[i:i + 3])):
                    n += 1
        return n

    def region(self, rect):
        left, top, right, bottom = rect
        return b"".join(self.pixels[3 * (y * self.width + left):3 * (y * self.width + right)]
                        for y in range(top, bottom))


def near(rgb, want, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, want))


class Session:
    """One virtual X server, maybe a window manager, and the editor started on it."""

    def __init__(self, name, window_manager=False):
        self.name = name
        self.folder = tempfile.mkdtemp(prefix="kv-e2e-" + name + "-")
        self.procs = []
        self.editor = None
        self.shots = 0
        self._start_x(window_manager)

    # ------------------------------------------------------------ life

    def _start_x(self, window_manager):
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
                                 "%dx%dx24" % (SCREEN_W, SCREEN_H), "-nolisten", "tcp", "-noreset"],
                                pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.procs.append(xvfb)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        assert number, "Xvfb named no display"
        home = os.path.join(self.folder, "home")
        runtime = os.path.join(self.folder, "runtime")
        for d in (home, runtime):
            os.makedirs(d, mode=0o700)
        self.env = dict(os.environ, DISPLAY=":" + number, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                        XDG_DATA_HOME=os.path.join(home, ".local", "share"), XDG_RUNTIME_DIR=runtime,
                        QT_QPA_PLATFORM="xcb", LC_ALL="C.UTF-8")
        for v in ("WAYLAND_DISPLAY", "SESSION_MANAGER", "QT_SCALE_FACTOR"):
            self.env.pop(v, None)
        if window_manager:
            wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.procs.append(wm)
            wait_until(lambda: "window id" in self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False),
                       "the window manager")

    def close(self):
        if self.editor and self.editor.poll() is None:
            self.editor.kill()
            self.editor.wait()
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, kind, value, tb):
        if kind is not None and FAILURES:
            try:
                os.makedirs(FAILURES, exist_ok=True)
                if os.path.exists(self.path("editor.log")):
                    shutil.copy(self.path("editor.log"), os.path.join(FAILURES, self.name + ".log"))
                self.grab(os.path.join(FAILURES, self.name + ".png"))
            except Exception:
                pass
        self.close()

    def run(self, argv, check=True, timeout=20):
        done = subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=timeout)
        if check and done.returncode != 0:
            raise AssertionError("%s failed: %s" % (" ".join(argv), done.stderr.strip()))
        return done.stdout

    def path(self, name):
        return os.path.join(self.folder, name)

    def write_profile(self, sections):
        """Writes the editor's profile, as a user who edited it before starting the
        editor: {section: {entry: value}}. Names are encoded as the profile encodes them."""
        folder = os.path.join(self.env["XDG_CONFIG_HOME"], "Kolvo powered Applications")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, MAIN_TITLE + ".ini"), "w") as f:
            for section, entries in sections.items():
                f.write("[%s]\n" % section.replace(" ", "%20"))
                for entry, value in entries.items():
                    f.write("%s=%s\n" % (entry.replace(" ", "%20"), value))
                f.write("\n")

    # ------------------------------------------------------------ the editor

    def start_editor(self, *files, program=None):
        """Starts the program as the run command does and waits for its main window.
        The splash screen, which has the keyboard focus, is closed with Escape as a
        user in a hurry does."""
        with open(self.path("editor.log"), "ab") as log:
            self.editor = subprocess.Popen([program or EDITOR, *files], env=self.env, cwd=self.folder,
                                           stdout=subprocess.DEVNULL, stderr=log)
        splash = self.wait_window("^" + re.escape(MAIN_TITLE) + "$", what="the splash screen")
        self.key("Escape")
        self.main = self.wait_window("^" + re.escape(MAIN_TITLE), what="the main window",
                                     accept=lambda w: w != splash)
        return self.main

    def info_tool_aside(self):
        """Waits for the Info Tool, which opens with the main window, and moves it off the map."""
        self.run(["xdotool", "windowmove", self.wait_window("^Info Tool$"), "900", "100"])

    def wait_exit(self, timeout=15):
        try:
            return self.editor.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the editor did not end")

    def alive(self):
        return self.editor is not None and self.editor.poll() is None

    # ------------------------------------------------------------ windows

    def windows(self, pattern):
        """The editor's visible top-level windows (menus and message boxes too) whose
        title matches the regular expression, oldest first."""
        if self.editor is None:
            return []
        ids = self.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.editor.pid)], check=False).split()
        return [w for w in ids if re.search(pattern, self.title(w))]

    def wait_window(self, pattern, what=None, timeout=20, accept=None):
        def probe():
            assert self.editor is None or self.editor.poll() is None, \
                "the editor ended while waiting for " + (what or pattern)
            ids = [w for w in self.windows(pattern) if accept is None or accept(w)]
            return ids[-1] if ids else None
        return wait_until(probe, what or "a window named " + pattern, timeout)

    def wait_dialog(self, pattern, what=None, timeout=20):
        """A new window that has the keyboard: keys typed before Qt hands a just-mapped
        dialog the focus would go to the window under it and lose their first characters."""
        window = self.wait_window(pattern, what, timeout)
        wait_until(lambda: self.focused() == window, (what or pattern) + " to take the keyboard", timeout)
        return window

    def wait_gone(self, window, what, timeout=15):
        wait_until(lambda: window not in self.windows(""), what, timeout)

    def title(self, window):
        return self.run(["xdotool", "getwindowname", window], check=False).rstrip("\n")

    def geometry(self, window):
        """(x, y, width, height) of a window's client area on the screen."""
        # xwininfo, not xdotool, whose position is off by the decorations under a window manager.
        out = self.run(["xwininfo", "-id", window])
        values = dict(line.strip().split(":", 1) for line in out.splitlines() if ":" in line)
        return tuple(int(values[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def focused(self):
        return self.run(["xdotool", "getwindowfocus"], check=False).strip()

    # ------------------------------------------------------------ input

    def move(self, x, y):
        # --sync waits for the pointer to move, which it never does when it is there already.
        where = dict(v.split("=", 1) for v in self.run(["xdotool", "getmouselocation", "--shell"]).split())
        if (int(where["X"]), int(where["Y"])) != (x, y):
            self.run(["xdotool", "mousemove", "--sync", str(x), str(y)])

    def click(self, x, y, button=1, repeat=1):
        self.move(x, y)
        self.run(["xdotool", "click", "--repeat", str(repeat), "--delay", "80", str(button)])

    def double_click(self, x, y):
        self.click(x, y, repeat=2)

    def drag(self, points, button=1):
        """Presses at the first point, moves through the others, releases at the last."""
        x, y = points[0]
        self.move(x, y)
        self.run(["xdotool", "mousedown", str(button)])
        for x, y in points[1:]:
            self.move(x, y)
        self.run(["xdotool", "mouseup", str(button)])

    def key(self, *keys):
        self.run(["xdotool", "key", "--delay", "40", *keys])

    def type(self, text):
        self.run(["xdotool", "type", "--delay", "10", text])

    def menu(self, *keys):
        """Opens the menu of the first key chord, waits until it shows, then presses the rest."""
        known = set(self.windows(""))
        self.key(keys[0])
        self.wait_window("", what="the menu of " + keys[0], accept=lambda w: w not in known)
        self.key(*keys[1:])

    # ------------------------------------------------------------ pictures

    def grab(self, path):
        self.run([GRAB, path])
        return path

    def shot(self):
        """The whole screen now, after the editor has handled what it was sent."""
        self.shots += 1
        return Shot(self.grab(self.path("shot%03d.ppm" % self.shots)))

    def settled_shot(self, rect, timeout=10):
        """A screenshot once rect stops changing: the editor repaints from its own queue."""
        last = [None]

        def probe():
            s = self.shot()
            part = s.region(rect)
            if part == last[0]:
                return s
            last[0] = part
            return None
        return wait_until(probe, "the screen to settle", timeout, interval=0.15)


def rows(path, sql, *args):
    """Rows of a query on a file the editor wrote, read with SQLite as any reader would."""
    con = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
    try:
        return con.execute(sql, args).fetchall()
    finally:
        con.close()


def wait_rows(path, sql, want, what, timeout=15):
    """The rows of sql once they are `want`: the editor writes after its dialog has gone."""
    seen = [None]

    def probe():
        try:
            seen[0] = rows(path, sql)
        except sqlite3.Error as e:
            seen[0] = e
            return False
        return seen[0] == want
    try:
        wait_until(probe, what, timeout)
    except AssertionError:
        raise AssertionError("%s: %r, not %r" % (what, seen[0], want))


def dark(rgb):
    return sum(rgb) < 200


def map_box(shot, area):
    """The client area of the map window within area = (left, top, right, bottom),
    right and bottom excluded, found by its sunken frame: a black line down its left
    side and along its top, the longest vertical black line in area."""
    left, top, right, bottom = area
    black = (0, 0, 0)
    best = (0, 0, 0)  # length, x, first y
    for x in range(left, right):
        y = top
        while y < bottom:
            if shot.pixel(x, y) == black:
                start = y
                while y < bottom and shot.pixel(x, y) == black:
                    y += 1
                if y - start > best[0]:
                    best = (y - start, x, start)
            y += 1
    length, x0, y0 = best
    assert length >= 100, "no map window to be seen"
    x1 = x0
    while x1 + 1 < right and shot.pixel(x1 + 1, y0) == black:
        x1 += 1
    # The frame's top line stops two pixels short of the client's right edge.
    return x0 + 1, y0 + 1, x1 + 3, y0 + length


def stacking(session):
    """The window manager's stacking order of its clients, bottom first."""
    out = session.run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"])
    return [int(v.strip(), 16) for v in out.split("#", 1)[1].split(",")] if "#" in out else []
