"""Black-box scenarios for notice.exe: the program is started under Wine in a
fresh program folder with fixture files, and observed from outside (a probe
in the same Wine prefix, screenshots of the X display, xdotool input).

The scenarios run inside the runner's session (tools/wine-run.sh --session),
which ctest provides; ctest passes the paths below in the environment.
Fixture texts are written here as UTF-8 and stored as GBK with CRLF.
"""

import json
import os
import shutil
import subprocess
import tempfile
import time
import unittest

from PIL import Image

RUNNER = os.environ.get("NOTICE_RUNNER", "")
NOTICE_EXE = os.environ.get("NOTICE_EXE", "")
PROBE_EXE = os.environ.get("NOTICE_PROBE", "")
FAKE_BROWSER_EXE = os.environ.get("NOTICE_FAKE_BROWSER", "")
WORK_ROOT = os.environ.get("NOTICE_E2E_WORK", tempfile.gettempdir())

SCREEN = (1024, 768)
BACKDROP_SIZE = (520, 670)


def require_environment():
    missing = [name for name, value in [("NOTICE_RUNNER", RUNNER), ("NOTICE_EXE", NOTICE_EXE),
                                        ("NOTICE_PROBE", PROBE_EXE)] if not value or not os.path.exists(value)]
    if missing:
        raise RuntimeError("e2e: missing or wrong " + ", ".join(missing) + " (run through ctest)")
    if not os.environ.get("NOTICE_WINE_SESSION"):
        raise RuntimeError("e2e: not inside a Wine session; run through tools/test.sh")


def gbk(text):
    """UTF-8 fixture text as the GBK bytes with CRLF line ends that Windows
    administrators' files have."""
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("gbk")


def from_hex(hex_text):
    return bytes.fromhex(hex_text).decode("gbk", errors="replace")


def write_file(path, data):
    """Writes `data` to `path`, whose Chinese parts are stored as GBK."""
    raw = path.encode("gbk")
    os.makedirs(os.path.dirname(raw), exist_ok=True)
    with open(raw, "wb") as f:
        f.write(data)
    return path


class ProgramFolder:
    """A fresh folder holding a copy of notice.exe (or the program bytes
    given) and whatever files a scenario puts beside it. Removed afterwards."""

    def __init__(self, name="program", program=None):
        os.makedirs(WORK_ROOT, exist_ok=True)
        self.path = tempfile.mkdtemp(prefix="e2e-", dir=WORK_ROOT)
        if name:
            self.path = os.path.join(self.path, name)
            os.makedirs(self.path)
        self.exe = os.path.join(self.path, "notice.exe")
        if program is None:
            shutil.copyfile(NOTICE_EXE, self.exe)
        else:
            self.write_bytes("notice.exe", program)

    def write_text(self, name, text):
        """Writes UTF-8 `text` as GBK (CRLF) to `name` in the folder."""
        self.write_bytes(name, gbk(text))

    def write_bytes(self, name, data):
        """Writes `data` to `name` (folders separated by "/") in the folder.
        Wine under a GBK locale keeps Windows file names as GBK bytes on
        disk, so the name is stored as GBK whatever Python's own locale."""
        return write_file(os.path.join(self.path, name), data)

    def config(self, sections):
        """Writes config.ini from {section: {key: value}} in that order."""
        lines = []
        for section, keys in sections.items():
            lines.append("[%s]" % section)
            lines.extend("%s=%s" % (key, value) for key, value in keys.items())
        self.write_text("config.ini", "\n".join(lines) + "\n")

    def cleanup(self):
        shutil.rmtree(os.path.dirname(self.path) if os.path.basename(self.path) == "program" else self.path,
                      ignore_errors=True)


class RunningProgram:
    """notice.exe started through the runner; remembers when it started.
    Its standard error goes to a file (see run_windows_program)."""

    def __init__(self, exe, cwd=None, arguments=()):
        name = os.path.basename(exe)
        self.image = name.decode("gbk") if isinstance(name, bytes) else name
        self.started = time.monotonic()
        self.errors = tempfile.TemporaryFile()
        self.process = subprocess.Popen([RUNNER, exe, *arguments], cwd=cwd or os.path.dirname(exe),
                                        stdout=subprocess.DEVNULL, stderr=self.errors)

    def wait(self, timeout):
        """The exit code and the seconds since the start; fails the scenario
        when the program is still running after `timeout` seconds."""
        try:
            code = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            raise AssertionError("notice.exe still running after %.1f s" % timeout)
        return code, time.monotonic() - self.started

    def running(self):
        return self.process.poll() is None

    def stderr(self):
        """What the program (and Wine) wrote to standard error so far."""
        self.errors.seek(0)
        return self.errors.read().decode("utf-8", errors="replace")

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.errors.close()


def run_windows_program(exe, *arguments, timeout=30):
    """Runs a Windows program to its end and gives its standard output. The
    output goes through a file, not a pipe: a process Wine starts on the
    program's behalf may inherit a pipe and keep it open long after."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        result = subprocess.run([RUNNER, exe, *arguments], stdout=out, stderr=err, timeout=timeout)
        out.seek(0)
        err.seek(0)
        if result.returncode != 0:
            raise RuntimeError("%s %s failed (%d): %s" % (os.path.basename(exe), " ".join(map(str, arguments)),
                                                          result.returncode, err.read().decode(errors="replace")))
        return out.read()


def decode_listing(windows):
    """A probe's listing of windows with their texts and class names turned
    from hex of GBK bytes into text."""
    for window in windows:
        window["text"] = from_hex(window["text"])
        window["class"] = from_hex(window["class"])
        for child in window["children"]:
            child["text"] = from_hex(child["text"])
            child["class"] = from_hex(child["class"])
    return windows


def program_windows(image="notice.exe", wait_shown=0.0):
    """The top-level windows of the processes of `image` (notice.exe's by
    default) as the probe sees them; with `wait_shown`, as soon as an
    ownerless window and one it owns are visible, or after that many
    seconds."""
    # The image name reaches the probe as GBK bytes, as Windows names it.
    output = run_windows_program(PROBE_EXE, "windows", image.encode("gbk"),
                                 *(["%.1f" % wait_shown] if wait_shown else []))
    return decode_listing(json.loads(output.decode("ascii")))


def process_images():
    """The image names of every Windows process of the session."""
    output = run_windows_program(PROBE_EXE, "processes")
    return [from_hex(process["image"]) for process in json.loads(output.decode("ascii"))]


class Windows:
    """The two windows of one run: the backdrop (ownerless) and the content
    window it owns."""

    def __init__(self, listing):
        self.listing = listing
        visible = [w for w in listing if w["visible"]]
        self.backdrop = next((w for w in visible if w["owner"] == 0), None)
        self.content = next((w for w in visible if self.backdrop and w["owner"] == self.backdrop["hwnd"]), None)

    def complete(self):
        return self.backdrop is not None and self.content is not None

    def children(self):
        return self.content["children"] if self.content else []


def child_with_rect(windows, rect):
    """The content window's control at `rect` (left, top, width, height in
    the window's client area), or None."""
    return next((c for c in windows.children() if c["client_rect"] == rect), None)


def wait_for_windows(program, timeout=15.0):
    """Waits until both windows are visible; fails if the program ends or
    the time runs out first."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        # The probe watches from inside one process, so a short display time
        # cannot slip between two looks.
        windows = Windows(program_windows(program.image, wait_shown=min(2.0, max(0.1, deadline - time.monotonic()))))
        if windows.complete():
            return windows
        if not program.running():
            raise AssertionError("%s ended before its windows appeared: %s" % (program.image, program.stderr()))
        time.sleep(0.1)
    raise AssertionError("the windows did not appear within %.0f s" % timeout)


def wait_for_no_windows(timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if not [w for w in program_windows() if w["visible"]]:
            return
        time.sleep(0.1)
    raise AssertionError("notice.exe's windows are still there after %.0f s" % timeout)


def screenshot():
    """The whole X screen as an RGB image."""
    data = subprocess.run(["import", "-display", os.environ["DISPLAY"], "-window", "root", "png:-"],
                          capture_output=True, check=True).stdout
    path = os.path.join(WORK_ROOT, "screenshot-%d.png" % os.getpid())
    with open(path, "wb") as f:
        f.write(data)
    image = Image.open(path).convert("RGB")
    image.load()
    os.remove(path)
    return image


def drawn_point(image, left, top, width, height, is_drawn):
    """A screen point in the area whose colour satisfies is_drawn (a glyph
    of a text, say), searched from the area's centre row outwards."""
    middle = top + height // 2
    for distance in range(height // 2 + 1):
        for y in (middle - distance, middle + distance):
            for x in range(left, left + width):
                if is_drawn(image.getpixel((x, y))):
                    return x, y
    return None


def xdotool(*arguments):
    subprocess.run(["xdotool", *[str(a) for a in arguments]], check=True,
                   env=dict(os.environ, LC_ALL="C.UTF-8"))


def click(x, y):
    xdotool("mousemove", x, y, "click", 1)


def press_key(key):
    xdotool("key", key)


def set_registry(key, name, kind, data):
    run_windows_program(PROBE_EXE, "regset", key, name, kind, data)


def delete_registry(key):
    run_windows_program(PROBE_EXE, "regdel", key)


class Scenario(unittest.TestCase):
    """Base of every scenario: a fresh program folder, and nothing of the
    program left running afterwards."""

    def setUp(self):
        require_environment()
        self.folder = ProgramFolder()
        self.programs = []

    def tearDown(self):
        for program in self.programs:
            program.kill()
        self.folder.cleanup()

    def start(self, cwd=None, exe=None):
        program = RunningProgram(exe or self.folder.exe, cwd=cwd)
        self.programs.append(program)
        return program

    def assertClosesBy(self, program, seconds, around=None, tolerance=1.5):
        """The program ends with exit code 0 within `seconds`; with `around`,
        no earlier than around - tolerance."""
        code, elapsed = program.wait(timeout=seconds)
        self.assertEqual(code, 0, "exit code %d: %s" % (code, program.stderr()))
        if around is not None:
            self.assertGreaterEqual(elapsed, around - tolerance, "closed after %.1f s" % elapsed)
        return elapsed


CLIENTS = r"SOFTWARE\Clients\StartMenuInternet"
LINK_RECT = (52, 616, 220, 20)


def windows_path(path):
    """The path as the program sees it, on Wine's drive Z:."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class LinkScenario(Scenario):
    """A scenario around the link: the registry's Start-menu browsers are
    cleared before and after, a fake browser records its starts, and clicks
    land on the link's drawn text."""

    def setUp(self):
        super().setUp()
        delete_registry(CLIENTS)
        self.addCleanup(delete_registry, CLIENTS)

    def install_browser(self, folder):
        """A fake browser in `folder`; returns (its path, its record file)."""
        os.makedirs(folder, exist_ok=True)
        exe = os.path.join(folder, "fake_browser.exe")
        shutil.copyfile(FAKE_BROWSER_EXE, exe)
        return exe, os.path.join(folder, "browser-starts.txt")

    def register(self, name, command, command_kind="sz", name_kind="sz"):
        set_registry(CLIENTS, "", name_kind, name)
        browser_name = "IEXPLORE.EXE" if name_kind != "sz" else name
        set_registry(CLIENTS + "\\" + browser_name + r"\shell\open\command", "", command_kind, command)

    def click_link(self, windows):
        """Clicks a drawn pixel of the link's text in the run's `windows`."""
        time.sleep(0.3)
        left, top = windows.content["rect"][:2]
        glyph = drawn_point(screenshot(), left + LINK_RECT[0], top + LINK_RECT[1], LINK_RECT[2], LINK_RECT[3],
                            lambda p: max(p) < 60)
        self.assertIsNotNone(glyph, "no link text drawn")
        click(*glyph)

    def starts(self, record, count=1, timeout=10):
        """The browser's command lines once it has been started `count`
        times; fails when that does not happen within `timeout` seconds."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            lines = recorded_starts(record)
            if len(lines) >= count:
                return lines
            time.sleep(0.2)
        self.fail("the browser was not started %d time(s)" % count)


def recorded_starts(record):
    """The command lines a fake browser recorded so far."""
    if not os.path.exists(record):
        return []
    with open(record, "rb") as f:
        return [line.decode("gbk") for line in f.read().splitlines() if line]
