"""The release smoke test: the 32-bit notice.exe exactly as packed into the
dist zip, run once under emulated 32-bit Wine in a fresh program folder and
watched from outside by the 32-bit probe in the same prefix.

Everything else runs the 64-bit twin; this is the one check that the file
administrators copy starts, shows its two windows with the configured texts
and ends by itself. It runs inside a 32-bit session of the runner
(tools/wine-run.sh --arch win32 --session), which ctest provides as
release.smoke_win32; the paths come from the environment.
"""

import hashlib
import json
import os
import subprocess
import tempfile
import time
import unittest
import zipfile

from notice_e2e import BACKDROP_SIZE, ProgramFolder, Windows, child_with_rect, decode_listing

RUNNER = os.environ.get("NOTICE_RUNNER", "")
DIST_ZIP = os.environ.get("NOTICE_DIST_ZIP", "")
BUILT_EXE = os.environ.get("NOTICE_EXE", "")
PROBE_EXE = os.environ.get("NOTICE_PROBE", "")
SESSION = os.environ.get("NOTICE_WINE32_SESSION", "")

WS_POPUP = 0x80000000
WS_EX_LAYERED = 0x00080000
LWA_COLORKEY = 1
COLOUR_KEY = 0xFF00FF
IMAGE_FILE_MACHINE_I386 = 0x14C

TITLE = "三十二位发布版"
BODY = "冒烟测试：\n这段正文来自 notice.txt。\n信息技术部"
TITLE_RECT = [108, 91, 304, 56]
BODY_RECT = [52, 184, 416, 390]

# Generous limits (a start takes about a second under qemu 10); a hung
# program fails the test rather than holding up the whole run.
WATCHER_READY_SECONDS = 60
PROGRAM_SECONDS = 120
# The windows are up for about the configured 1 s; the built-in default
# would keep them 6 s.
SHOWN_AT_MOST_MS = 4000


def pe_machine(path):
    """The machine field of a PE file's header."""
    with open(path, "rb") as f:
        data = f.read(4096)
    offset = int.from_bytes(data[0x3C:0x40], "little")
    if data[:2] != b"MZ" or data[offset:offset + 4] != b"PE\0\0":
        raise AssertionError("%s is not a PE file" % path)
    return int.from_bytes(data[offset + 4:offset + 6], "little")


class Log:
    """A temporary file for a child's output: Wine's helpers may inherit a
    pipe and hold it open, a file they cannot hold up."""

    def __init__(self):
        self.file = tempfile.TemporaryFile()

    def text(self):
        """What was written so far, with a Windows program's CRLF line ends
        read as LF."""
        self.file.seek(0)
        return self.file.read().decode("utf-8", errors="replace").replace("\r\n", "\n")

    def close(self):
        self.file.close()


class ReleaseSmokeTest(unittest.TestCase):

    def setUp(self):
        missing = [name for name, value in [("NOTICE_RUNNER", RUNNER), ("NOTICE_DIST_ZIP", DIST_ZIP),
                                            ("NOTICE_EXE", BUILT_EXE), ("NOTICE_PROBE", PROBE_EXE)]
                   if not value or not os.path.exists(value)]
        if missing:
            if "NOTICE_DIST_ZIP" in missing and DIST_ZIP:
                raise RuntimeError("smoke: no dist zip at %s; pack it with "
                                   "`cmake --build --preset win32 --target dist` (tools/test.sh does)" % DIST_ZIP)
            raise RuntimeError("smoke: missing or wrong " + ", ".join(missing) + " (run through ctest)")
        if not SESSION:
            raise RuntimeError("smoke: not inside a 32-bit Wine session; run through tools/test.sh")
        self.processes = []
        self.logs = []
        self.folder = None

    def tearDown(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait()
        for log in self.logs:
            log.close()
        if self.folder:
            self.folder.cleanup()

    def start(self, arguments, cwd=None):
        """A Windows program started through the runner's 32-bit mode, with
        its standard output and error in files."""
        out, err = Log(), Log()
        self.logs += [out, err]
        process = subprocess.Popen([RUNNER, "--arch", "win32", *arguments], cwd=cwd,
                                   stdin=subprocess.DEVNULL, stdout=out.file, stderr=err.file)
        self.processes.append(process)
        return process, out, err

    def released_program(self):
        """notice.exe's bytes from the dist zip, which must be the very file
        the win32 build made."""
        with zipfile.ZipFile(DIST_ZIP) as archive:
            self.assertIn("notice.exe", archive.namelist())
            packed = archive.read("notice.exe")
        with open(BUILT_EXE, "rb") as f:
            built = f.read()
        self.assertEqual(hashlib.sha256(packed).hexdigest(), hashlib.sha256(built).hexdigest(),
                         "%s holds another notice.exe than %s: repack it "
                         "(cmake --build --preset win32 --target dist)" % (DIST_ZIP, BUILT_EXE))
        return packed

    def start_watcher(self):
        """The probe watching for notice.exe's windows, once it says it is."""
        watcher, out, err = self.start([PROBE_EXE, "watch", "notice.exe", str(PROGRAM_SECONDS)])
        deadline = time.monotonic() + WATCHER_READY_SECONDS
        while not out.text().startswith("watching\n"):
            if watcher.poll() is not None:
                self.fail("the probe ended (%d) before watching: %s" % (watcher.returncode, err.text()))
            if time.monotonic() > deadline:
                self.fail("the probe did not start watching within %d s" % WATCHER_READY_SECONDS)
            time.sleep(0.05)
        return watcher, out, err

    def wait_noting_emulators(self, process, timeout):
        """Waits for `process` to end; gives its exit code and every
        executable its process id ran (the runner execs the Wine loader,
        which under binfmt_misc is qemu running the loader)."""
        executables = set()
        deadline = time.monotonic() + timeout
        while process.poll() is None:
            try:
                executables.add(os.readlink("/proc/%d/exe" % process.pid))
            except OSError:
                pass
            if time.monotonic() > deadline:
                self.fail("notice.exe still running after %d s" % timeout)
            time.sleep(0.02)
        return process.returncode, executables

    def test_released_program_shows_both_windows_and_ends_by_itself(self):
        screen = [int(n) for n in SESSION.split("x")]
        self.assertEqual(pe_machine(PROBE_EXE), IMAGE_FILE_MACHINE_I386, "the observer must be 32-bit")

        self.folder = ProgramFolder(program=self.released_program())
        self.assertEqual(pe_machine(self.folder.exe), IMAGE_FILE_MACHINE_I386)
        self.folder.config({"主配置": {"存在时间": "1", "程序标题": TITLE}})
        self.folder.write_text("notice.txt", BODY)

        watcher, watched, watcher_errors = self.start_watcher()
        program, _, program_errors = self.start([self.folder.exe], cwd=self.folder.path)
        code, executables = self.wait_noting_emulators(program, PROGRAM_SECONDS)
        self.assertEqual(code, 0, "exit code %d: %s" % (code, program_errors.text()))
        self.assertTrue(any(os.path.basename(path) == "qemu-i386" for path in executables),
                        "notice.exe did not run under qemu-i386, but under %s" % sorted(executables))

        try:
            watcher.wait(timeout=60)
        except subprocess.TimeoutExpired:
            self.fail("the probe still watches a minute after notice.exe ended")
        report = json.loads(watched.text().split("\n", 1)[1])
        self.assertEqual(watcher.returncode, 0, "the probe: %s" % watcher_errors.text())
        self.assertTrue(report["gone"])
        windows = Windows(decode_listing(report["windows"]))
        self.assertTrue(windows.complete(), "not both windows: %s" % windows.listing)

        backdrop = windows.backdrop
        centred = [(screen[0] - BACKDROP_SIZE[0]) // 2, (screen[1] - BACKDROP_SIZE[1]) // 2]
        self.assertEqual(backdrop["rect"], [*centred, *BACKDROP_SIZE])
        self.assertTrue(backdrop["exstyle"] & WS_EX_LAYERED, hex(backdrop["exstyle"]))
        self.assertEqual(backdrop["text"], TITLE)

        content = windows.content
        self.assertEqual(content["owner"], backdrop["hwnd"])
        self.assertTrue(content["style"] & WS_POPUP, hex(content["style"]))
        self.assertTrue(content["exstyle"] & WS_EX_LAYERED, hex(content["exstyle"]))
        self.assertIsNotNone(content["layered"], "the content window has no layered attributes")
        self.assertEqual(content["layered"]["key"], COLOUR_KEY)
        self.assertEqual(content["layered"]["flags"], LWA_COLORKEY)

        title = child_with_rect(windows, TITLE_RECT)
        self.assertIsNotNone(title, windows.children())
        self.assertEqual(title["text"], TITLE)
        body = child_with_rect(windows, BODY_RECT)
        self.assertIsNotNone(body, windows.children())
        self.assertEqual(body["text"], BODY.replace("\n", "\r\n"))

        self.assertLessEqual(report["seen_ms"], SHOWN_AT_MOST_MS,
                             "the windows stayed %d ms with 存在时间=1" % report["seen_ms"])
        print("notice.exe from %s: windows up %d ms, exit code 0, run by %s" % (
            os.path.basename(DIST_ZIP), report["seen_ms"], ", ".join(sorted(executables))))


if __name__ == "__main__":
    unittest.main()
