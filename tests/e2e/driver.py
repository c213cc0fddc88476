"""Drives the built programs from outside, as a user would.

Controls are found through the accessibility bus (their names and screen
extents) and used with real X input (xdotool): the pointer clicks them, the
keyboard types into them, message and input boxes are answered with the
mouse. Each run gets a program folder of its own: a copy of the program (it
looks for its tools beside itself), the built interpreter, and fake adb,
fastboot, terminal and opener programs that log every call. A console started
through the fake terminal runs what it is given, without a window, and the
tools note whether they ran in a normal console, a minimized one, or hidden.
"""
import ctypes
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
HIDDEN, CONSOLE, MINIMIZED = "H", "C", "M"
_US = "\x1f"  # between the arguments of one logged call

# --------------------------------------------------------------- bus and display


def ensure_bus(argv):
    """Re-runs this script inside a session bus of its own with an
    accessibility bus started, or exits with SKIP where that cannot be had."""
    if os.environ.get("E2E_BUS"):
        return
    if not os.environ.get("DISPLAY") or not shutil.which("xdotool"):
        print("skipped: no X display or no xdotool")
        sys.exit(SKIP)
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        print("skipped: no pyatspi (python3-pyatspi)")
        sys.exit(SKIP)
    if not shutil.which("dbus-run-session") or not _launcher():
        print("skipped: no dbus-run-session or at-spi-bus-launcher")
        sys.exit(SKIP)
    env = dict(os.environ, E2E_BUS="1")
    os.execvpe("dbus-run-session", ["dbus-run-session", "--", sys.executable] + argv, env)


def _launcher():
    for path in ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher"):
        if os.access(path, os.X_OK):
            return path
    return None


def start_accessibility_bus():
    proc = subprocess.Popen([_launcher(), "--launch-immediately"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait(lambda: subprocess.run(
        ["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path",
         "/org/a11y/bus", "--method", "org.a11y.Bus.GetAddress"],
        capture_output=True).returncode == 0, "the accessibility bus")
    return proc


class Timeout(AssertionError):
    pass


def wait(cond, what, timeout=15.0):
    """Polls `cond` until it gives something true; fails after `timeout`."""
    end = time.monotonic() + timeout
    while True:
        value = cond()
        if value:
            return value
        if time.monotonic() > end:
            raise Timeout("waited %.0f s for %s" % (timeout, what))
        time.sleep(0.02)


# --------------------------------------------------------------- X input


def xdo(*args):
    subprocess.run(["xdotool"] + [str(a) for a in args], check=True)


def type_text(text):
    # From standard input, so that a text starting with "-" is no option. A
    # character with no key of its own gets a key mapped for it first, and
    # the program must see the new mapping before the key comes: such text
    # goes slower.
    delay = "8" if text.isascii() else "150"
    subprocess.run(["xdotool", "type", "--delay", delay, "--file", "-"], input=text.encode(),
                   check=True)


def type_checked(field, text, what):
    """Types into the focused field until it holds `text`, as a user would
    type again over a missed key."""
    for attempt in range(3):
        xdo("key", "ctrl+a")
        if text:
            type_text(text)
        else:
            xdo("key", "BackSpace")
        try:
            return wait(lambda: text_of(field) == text, "%r in %s" % (text, what), 3)
        except Timeout:
            if attempt == 2:
                raise


_last_click = [0.0, None]


def click_at(x, y, button=1):
    # Two clicks at one spot in quick succession would be a double click.
    since = time.monotonic() - _last_click[0]
    if _last_click[1] == (x, y) and since < 0.6:
        time.sleep(0.6 - since)
    _click_at(x, y, button)
    _last_click[:] = [time.monotonic(), (x, y)]


def _click_at(x, y, button):
    # A move to where the pointer already is delivers nothing: nudge first.
    xdo("mousemove", x + 3, y + 3)
    xdo("mousemove", x, y)
    xdo("click", button)


def park_pointer():
    xdo("mousemove", 1270, 1010)


class _XClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessage), ("pad", ctypes.c_long * 24)]


def window_ids(caption):
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                           "^" + re.sub(r"([][.()*+?{}|^$\\])", r"\\\1", caption) + "$"],
                          capture_output=True, text=True).stdout.split()


def move_window(caption, x, y):
    """Moves a window as the user would drag it aside (there is no window
    manager here: every window opens at the top left)."""
    for wid in wait(lambda: window_ids(caption), "the X window %r" % caption):
        xdo("windowmove", "--sync", wid, x, y)


def close_window(caption):
    """What a window manager sends when the user clicks a window's close
    button: WM_DELETE_WINDOW to the window with this title."""
    ids = window_ids(caption)
    if not ids:
        raise AssertionError("no window titled %r to close" % caption)
    x = ctypes.cdll.LoadLibrary("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                             ctypes.POINTER(_XEvent)]
    x.XFlush.argtypes = x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    dpy = x.XOpenDisplay(None)
    ev = _XEvent()
    ev.xclient.type = 33  # ClientMessage
    ev.xclient.window = int(ids[0])
    ev.xclient.message_type = x.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
    ev.xclient.format = 32
    ev.xclient.data[0] = x.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
    x.XSendEvent(dpy, int(ids[0]), 0, 0, ctypes.byref(ev))
    x.XFlush(dpy)
    x.XCloseDisplay(dpy)


# --------------------------------------------------------------- the program folder

_TOOL = r"""#!/bin/sh
d=$(dirname "$0")
# The interpreter that started this call, so that one can wait for the rest
# of its line. A call that ends its line runs in the interpreter's place and
# is waited for itself, as is a call the program started without one.
p=$PPID
[ "$(cat /proc/$p/comm 2>/dev/null)" = cmd ] || p=$$
echo $p >> "$d/interpreters"
line="${E2E_STYLE:-H}"
for a in "$@"; do line="$line$(printf '\037')$a"; done
printf '%s\n' "$line" >> "$d/$(basename "$0").log"
"""
# Named xterm, so the program asks for a minimized console as it would of
# xterm (-iconic). It runs what follows -e.
_TERMINAL = r"""#!/bin/sh
d=$(dirname "$0")
style=C
while [ "$#" -gt 0 ] && [ "$1" != -e ]; do
    [ "$1" = -iconic ] && style=M
    shift
done
shift
echo $$ >> "$d/interpreters"
line=$style
for a in "$@"; do line="$line$(printf '\037')$a"; done
printf '%s\n' "$line" >> "$d/xterm.log"
E2E_STYLE=$style exec "$@"
"""


class Folder:
    """A program folder with the program, the interpreter and the fakes."""

    TOOLS = ("adb", "fastboot", "xdg-open")
    # What the consoles were given is compared only where a row asks.
    LOGS = TOOLS + ("xterm",)

    def __init__(self, program, cmd, answers=""):
        self.path = tempfile.mkdtemp(prefix="e2e-")
        self.program = os.path.join(self.path, os.path.basename(program))
        shutil.copy(program, self.program)
        os.symlink(os.path.realpath(cmd), os.path.join(self.path, "cmd"))
        for tool in self.TOOLS:
            extra = ('case "$*" in\n%s\nesac\n' % answers) if tool == "adb" and answers else ""
            self._write(tool, _TOOL + extra)
        self._write("xterm", _TERMINAL)

    def _write(self, name, text):
        p = os.path.join(self.path, name)
        with open(p, "w") as f:
            f.write(text)
        os.chmod(p, 0o755)

    def file(self, name):
        return os.path.join(self.path, name)

    def environment(self):
        return dict(os.environ,
                    PATH=self.path + ":" + os.environ["PATH"],
                    TERMINAL=self.file("xterm"),
                    TESSADREL_DRIVES=self.file("drives"),
                    QT_QPA_PLATFORM="xcb",
                    QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                    LANG="C.UTF-8")

    def calls(self, tool):
        """Every call of a tool: (style, [arguments])."""
        try:
            with open(self.file(tool + ".log"), encoding="utf-8") as f:
                lines = f.read().split("\n")[:-1]
        except FileNotFoundError:
            return []
        out = []
        for line in lines:
            parts = line.split(_US)
            out.append((parts[0], parts[1:]))
        return out

    def mark(self):
        return {t: len(self.calls(t)) for t in self.LOGS}

    def since(self, mark, tools=TOOLS):
        return {t: self.calls(t)[mark[t]:] for t in tools}

    def interpreters_done(self):
        def done():
            try:
                with open(self.file("interpreters")) as f:
                    pids = f.read().split()
            except FileNotFoundError:
                return True
            return all(not _alive(int(p)) for p in pids)
        wait(done, "the interpreters to end")

    def remove(self):
        shutil.rmtree(self.path, ignore_errors=True)


def _alive(pid):
    # A process reaped between the open and the read answers ESRCH.
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except (FileNotFoundError, ProcessLookupError, IndexError):
        return False


# --------------------------------------------------------------- the accessibility tree


def _pyatspi():
    import pyatspi
    return pyatspi


def extents(acc):
    p = _pyatspi()
    e = acc.queryComponent().getExtents(p.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def showing(acc):
    p = _pyatspi()
    try:
        return acc.getState().contains(p.STATE_SHOWING)
    except Exception:
        return False


def named(root, name):
    """Every showing object below `root` with this accessible name."""
    found = []

    def walk(a):
        for c in a:
            if c is None or not showing(c):
                continue
            if c.name == name:
                found.append(c)
            walk(c)
    walk(root)
    return found


def text_of(acc):
    """The text of a text box (its editor is the one child with text)."""
    for c in [acc] + list(acc):
        try:
            t = c.queryText()
            return t.getText(0, t.characterCount)
        except NotImplementedError:
            continue
    return None


_running = []


def stop_all(folders=(), bus=None):
    """Ends every program still running (a run cut short by an error), then
    removes the program folders and ends the accessibility bus."""
    for p in _running:
        p.stop()
    for f in folders:
        f.remove()
    if bus:
        bus.terminate()


class Program:
    """One run of a built program in its own folder."""

    def __init__(self, folder, app_name, forms):
        self.folder = folder
        self.app_name = app_name
        self.forms = forms  # the design-data folder, to place controls
        self.proc = subprocess.Popen([folder.program], cwd=folder.path, env=folder.environment(),
                                     stdout=open(folder.file("program.log"), "w"),
                                     stderr=subprocess.STDOUT)
        self._designs = {}
        _running.append(self)

    def app(self):
        p = _pyatspi()
        desktop = p.Registry.getDesktop(0)
        for a in desktop:
            if a is not None and a.name == self.app_name:
                try:
                    if a.get_process_id() == self.proc.pid:
                        return a
                except Exception:
                    return a
        return None

    def windows(self):
        a = self.app()
        return [w for w in a if w is not None and showing(w)] if a else []

    def window(self, caption, timeout=15.0):
        def find():
            if self.proc.poll() is not None:
                raise AssertionError("%s ended (%s) while waiting for %r:\n%s" % (
                    self.app_name, self.proc.returncode, caption, self.log()))
            for w in self.windows():
                if w.name == caption:
                    return w
            return None
        return wait(find, "window %r" % caption, timeout)

    def open_at(self, caption, x, y):
        """The window once shown, moved to x, y."""
        w = self.window(caption)
        move_window(caption, x, y)
        wait(lambda: extents(w)[:2] == (x, y), "%r to move" % caption)
        return w

    def gone(self, caption):
        wait(lambda: all(w.name != caption for w in self.windows()), "%r to close" % caption)

    def log(self):
        with open(self.folder.file("program.log"), errors="replace") as f:
            return f.read()

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()

    def ended(self, timeout=10.0):
        wait(lambda: self.proc.poll() is not None, "%s to end" % self.app_name, timeout)
        return self.proc.returncode

    # ---- controls by their design name

    def design(self, form):
        if form not in self._designs:
            with open(os.path.join(self.forms, form + ".json"), encoding="utf-8") as f:
                d = json.load(f)
            self._designs[form] = {c["name"]: c for c in d["controls"]}
        return self._designs[form]

    def control(self, window, form, name, accessible=None):
        """The control `name` of the design `form`, in the showing window:
        found by its accessible name (its caption, or its name where it has
        none) and, where several share it, by its place in the design."""
        controls = self.design(form)
        c = controls[name]
        if accessible is None:
            bag = c.get("bag", {})
            accessible = bag.get("caption", bag.get("Caption", c.get("caption"))) or name
        left, top, node = 0, 0, c
        while True:
            left += node.get("left", 0)
            top += node.get("top", 0)
            if "container" not in node:
                break
            node = controls[node["container"]]
        wx, wy, _, _ = extents(window)
        want = (wx + left / 15.0, wy + top / 15.0)

        def find():
            found = named(window, accessible)
            if not found:
                return None
            return min(found, key=lambda a: abs(extents(a)[0] - want[0]) + abs(extents(a)[1] - want[1]))
        return wait(find, "control %s (%r) in %r" % (name, accessible, window.name))

    def click(self, window, form, name, accessible=None):
        x, y, w, h = extents(self.control(window, form, name, accessible))
        click_at(x + w // 2, y + h // 2)

    def type_into(self, window, form, name, text):
        box = self.control(window, form, name)
        x, y, w, h = extents(box)
        click_at(x + w // 2, y + h // 2)
        type_checked(box, text, name)

    # ---- message and input boxes

    def box(self, title, timeout=15.0):
        p = _pyatspi()

        def find():
            for w in self.windows():
                if w.name == title and w.getRole() in (p.ROLE_DIALOG, p.ROLE_ALERT):
                    return w
            return None
        return wait(find, "a box titled %r" % title, timeout)

    def answer(self, title, text=None, button="OK", typed=None):
        """Waits for the box, checks its text, types into its field, and
        clicks the button with the pointer; then waits for it to go."""
        box = self.box(title)
        if text is not None:
            wait(lambda: named(box, text), "the text %r in the box %r" % (text, title), 5)
        if typed is not None:
            p = _pyatspi()
            field = wait(lambda: [a for a in _all(box) if a.getRole() == p.ROLE_TEXT],
                         "the input field")[0]
            x, y, w, h = extents(field)
            click_at(x + w // 2, y + h // 2)
            type_checked(field, typed, "the input field")
        b = wait(lambda: named(box, button), "the button %r" % button)[0]
        x, y, w, h = extents(b)
        click_at(x + w // 2, y + h // 2)
        wait(lambda: box not in self.windows() and all(
            w.name != title or w.getRole() not in (_pyatspi().ROLE_DIALOG, _pyatspi().ROLE_ALERT)
            for w in self.windows()), "the box %r to close" % title)


def _all(root):
    out = []
    for c in root:
        if c is not None and showing(c):
            out.append(c)
            out.extend(_all(c))
    return out


# --------------------------------------------------------------- expectations


def call(tool, style, args):
    """One expected call: args as a list, or a text split at blanks."""
    return (tool, style, args.split() if isinstance(args, str) else list(args))


def adb(style, args):
    return call("adb", style, args)


def fastboot(style, args):
    return call("fastboot", style, args)


def opener(address):
    return call("xdg-open", HIDDEN, [address])


def expect_calls(folder, mark, expected, what, timeout=15.0):
    """Waits for the calls of one action, then for the interpreters that ran
    them to end, and compares each tool's new calls with `expected` (a list
    of call()). Calls started side by side arrive in any order, so each
    tool's calls are compared as a sorted list; a tool not named must have
    had no call (the consoles' own log only where a row names it)."""
    tools = Folder.TOOLS + (("xterm",) if any(c[0] == "xterm" for c in expected) else ())
    want = {t: sorted((s, a) for tool, s, a in expected if tool == t) for t in tools}
    count = sum(len(v) for v in want.values())
    try:
        wait(lambda: sum(len(v) for v in folder.since(mark, tools).values()) >= count,
             "%d call(s) after %s" % (count, what), timeout)
    except Timeout:
        pass  # the comparison below says what came
    folder.interpreters_done()
    got = {t: sorted(v) for t, v in folder.since(mark, tools).items()}
    if got != want:
        diff = {t: (want[t][:6], got[t][:6]) for t in tools if want[t] != got[t]}
        raise AssertionError("%s: (expected, got) per tool: %r" % (what, diff))


class Box:
    """A message or input box a row must answer."""

    def __init__(self, title, text=None, button="OK", typed=None):
        self.title, self.text, self.button, self.typed = title, text, button, typed


class Row:
    """One control of a window: what is clicked first (control names), what
    is typed then (box name, text), the control clicked, the boxes
    answered after it, what must then show, and every call that must reach
    the fake tools."""

    def __init__(self, control, *calls, typed=(), before=(), boxes=(), accessible=None,
                 timeout=15.0, label=None, shows=None):
        self.control, self.calls, self.typed, self.before = control, list(calls), typed, before
        self.shows = shows  # an accessible name that must then be showing in the window
        self.boxes, self.accessible, self.timeout = boxes, accessible, timeout
        self.label = label or control


def run_rows(results, program, form, window, rows, title):
    for row in rows:
        def one(row=row):
            mark = program.folder.mark()
            for name in row.before:
                program.click(window, form, name)
            for box, text in row.typed:
                program.type_into(window, form, box, text)
            program.click(window, form, row.control, row.accessible)
            for b in row.boxes:
                program.answer(b.title, b.text, b.button, b.typed)
            if row.shows:
                wait(lambda: named(window, row.shows), "%r to show" % row.shows, 5)
            expect_calls(program.folder, mark, row.calls, row.label, row.timeout)
        results.check("%s / %s" % (title, row.label), one)


class Results:
    def __init__(self):
        self.failures = []
        self.passed = 0

    def check(self, what, fn):
        try:
            fn()
            self.passed += 1
            print("ok   %s" % what, flush=True)
        except Exception as e:  # one failing row must not hide the others
            self.failures.append(what)
            print("FAIL %s: %s" % (what, e), flush=True)

    def exit(self):
        print("%d passed, %d failed" % (self.passed, len(self.failures)))
        for f in self.failures:
            print("  failed: %s" % f)
        sys.exit(1 if self.failures else 0)
