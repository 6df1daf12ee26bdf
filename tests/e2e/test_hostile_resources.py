"""Thirty announcements in a row leave nothing behind: no process, no
window, no file in the program's folder or in Wine's temporary folders, and
no growth of the Wine server's open files or memory. (What one run holds
inside its own process, GDI and USER objects and handles, is counted by the
Win32 test resource_hygiene_test, since Wine's GetGuiResources answers 0.)"""

import collections
import glob
import os
import time
import unittest

from hostile_matrix import CRASH_SIGNS, MatrixScenario, crash_dialogs
from notice_e2e import RunningProgram, process_images, program_windows

RUNS = 30
RUN_BOUND = 15.0
# The Wine server's open files and memory move a little with its own
# bookkeeping and with the probe's comings and goings; anything left per
# run would show as a multiple of the thirty runs.
SERVER_FILES_SLACK = 10
SERVER_MEMORY_SLACK_KB = 2048


def prefix():
    return os.environ["NOTICE_WINE_PREFIX"]


def temporary_files():
    """Every file in the prefix's temporary folders."""
    patterns = ["drive_c/users/*/Temp", "drive_c/users/*/AppData/Local/Temp", "drive_c/windows/temp"]
    files = []
    for pattern in patterns:
        for folder in glob.glob(os.path.join(prefix(), pattern)):
            for root, _, names in os.walk(folder):
                files.extend(os.path.join(root, name) for name in names)
    return sorted(files)


def session_processes():
    """The Linux processes of this Wine session (those of its prefix)."""
    found = {}
    wanted = b"WINEPREFIX=" + prefix().encode()
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/environ" % pid, "rb") as f:
                if wanted in f.read().split(b"\0"):
                    found[int(pid)] = os.readlink("/proc/%s/exe" % pid)
        except OSError:
            continue  # ended meanwhile, or not ours to read
    return found


def wine_server():
    """(open files, resident memory in KB) of this session's Wine server,
    the least of a few looks over a second, once the probe's own have gone."""
    servers = [pid for pid, exe in session_processes().items() if os.path.basename(exe).startswith("wineserver")]
    if len(servers) != 1:
        raise AssertionError("expected one Wine server of the session, found %d" % len(servers))
    pid = servers[0]
    looks = []
    for _ in range(5):
        time.sleep(0.25)
        with open("/proc/%d/status" % pid) as f:
            resident = next(int(line.split()[1]) for line in f if line.startswith("VmRSS:"))
        looks.append((len(os.listdir("/proc/%d/fd" % pid)), resident))
    return min(files for files, _ in looks), min(memory for _, memory in looks)


def snapshot(folder):
    windows = [(w["image"], w["class"], w["text"]) for w in program_windows(image="")]
    return {
        "Windows processes": collections.Counter(i for i in process_images() if i.lower() != "probe.exe"),
        "windows": collections.Counter(windows),
        "session processes": len(session_processes()),
        "temporary files": temporary_files(),
        "program folder": sorted(os.listdir(folder)),
        "server": wine_server(),
    }


class HostileResources(MatrixScenario):

    def run_once(self):
        program = RunningProgram(self.folder.exe)
        self.programs.append(program)
        code, _ = program.wait(timeout=RUN_BOUND)
        self.assertEqual(code, 0, program.stderr())
        errors = program.stderr().lower()
        for sign in CRASH_SIGNS:
            self.assertNotIn(sign, errors)
        program.kill()  # closes its error file; the process has ended

    def test_thirty_runs_leave_nothing_behind(self):
        self.folder.config({"主配置": {"存在时间": "1", "显示链接": "是"}, "正文矩形": {"边框类型": "6"}})
        self.folder.write_text("notice.txt", "连续运行三十次。\n" * 50)
        # The first run of a session starts Wine's helpers (rpcss, the
        # desktop); those stay and are no leftovers.
        self.run_once()
        before = snapshot(self.folder.path)
        for _ in range(RUNS):
            self.run_once()
        after = snapshot(self.folder.path)

        self.assertEqual(crash_dialogs(), [])
        grown = {name: (before[name], after[name]) for name in before
                 if name != "server" and after[name] != before[name]}
        self.assertEqual(grown, {}, "left behind: " + ", ".join(grown))
        files_before, memory_before = before["server"]
        files_after, memory_after = after["server"]
        self.assertLessEqual(files_after, files_before + SERVER_FILES_SLACK,
                             "the Wine server's open files went from %d to %d" % (files_before, files_after))
        self.assertLess(memory_after, memory_before + SERVER_MEMORY_SLACK_KB,
                        "the Wine server's memory grew from %d KB to %d KB" % (memory_before, memory_after))


if __name__ == "__main__":
    unittest.main()
