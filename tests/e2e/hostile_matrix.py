"""The hostile-input matrix: notice.exe run once per case with something an
administrator or a user could put in its folder, its settings or the
registry. Every run is held to the same promise:

- both windows appear within SHOW_BOUND seconds;
- the program ends with exit code 0 within CLOSE_BOUND seconds of that: by
  itself (a display time of 1 s), or on Esc where the case keeps it up on
  purpose (after it has stayed up HOLD_BEFORE_ESC seconds, so that a value
  meant to keep it up is seen to);
- Wine reports no crash: nothing like "Unhandled page fault" or "terminate
  called" on the program's standard error, and no window of winedbg (Wine's
  crash dialog, which holds a crashed program until it is dismissed).

The times of every run go to a results file beside the work folder, from
which docs/reliability.md is written.
"""

import os
import time

from notice_e2e import WORK_ROOT, Scenario, press_key, program_windows, run_windows_program, PROBE_EXE, \
    wait_for_windows

SHOW_BOUND = 20.0
CLOSE_BOUND = 10.0
HOLD_BEFORE_ESC = 1.5
# How long a case that may or may not keep itself up is given to end alone.
OWN_END_WAIT = 3.0

CRASH_SIGNS = ("unhandled exception", "unhandled page fault", "page fault on", "starting debugger",
               "terminate called", "abnormal program termination", "assertion failed")

# How a case's run is to end.
SELF = "by itself"
ESC = "on Esc"
EITHER = "by itself or on Esc"

RESULTS = os.path.join(WORK_ROOT, "hostile-results.tsv")


def crash_dialogs():
    """The windows of Wine's crash dialog that are up now."""
    return [w for w in program_windows("winedbg.exe") if w["visible"]]


def dismiss_crash_dialogs():
    for window in crash_dialogs():
        run_windows_program(PROBE_EXE, "close", str(window["hwnd"]))


def record(module, case, shown, ended, how, note):
    os.makedirs(WORK_ROOT, exist_ok=True)
    with open(RESULTS, "a", encoding="utf-8") as f:
        f.write("%s\t%s\t%.2f\t%.2f\t0\t%s\t%s\n" % (module, case, shown, ended, how, note))


class MatrixScenario(Scenario):
    """One scenario function per module runs its table of cases through
    run_case, each in a subTest."""

    def assertNoCrash(self, program):
        """Fails when Wine reported a crash of `program` on its standard
        error or shows its crash dialog (which this dismisses, so that the
        crashed program can end)."""
        dialogs = crash_dialogs()
        dismiss_crash_dialogs()
        problems = []
        errors = program.stderr()
        if any(sign in errors.lower() for sign in CRASH_SIGNS):
            problems.append("Wine reported a crash on standard error: " + errors[:2000])
        if dialogs:
            problems.append("Wine's crash dialog was up (%d window(s) of winedbg.exe)" % len(dialogs))
        if problems:
            self.fail("; ".join(problems))

    def run_case(self, case, ends=SELF, cwd=None, exe=None, check=None, while_shown=None, note=""):
        """Runs notice.exe once and holds it to the promise above.
        `check(windows)` looks at the windows once they are up;
        `while_shown(program, windows)` acts on them before the end (a click);
        `note` goes to the results beside the times.
        Returns (seconds to show, seconds to end), both from the start."""
        program = self.start(cwd=cwd, exe=exe)
        try:
            return self.hold_to_promise(program, case, ends, check, while_shown, note)
        finally:
            # A case that failed must not leave its windows to the next one.
            if program.running():
                program.kill()

    def hold_to_promise(self, program, case, ends, check, while_shown, note):
        try:
            windows = wait_for_windows(program, timeout=SHOW_BOUND)
        except AssertionError:
            # A crashed program waits for its dialog: say so, not that it
            # did not show.
            self.assertNoCrash(program)
            raise
        shown = time.monotonic() - program.started
        if check:
            check(windows)
        if while_shown:
            while_shown(program, windows)
        how = SELF
        if ends == ESC:
            time.sleep(HOLD_BEFORE_ESC)
            self.assertTrue(program.running(), "ended by itself although this case keeps it up")
        if ends in (ESC, EITHER):
            deadline = time.monotonic() + (OWN_END_WAIT if ends == EITHER else 0)
            while program.running() and time.monotonic() < deadline:
                time.sleep(0.1)
            if program.running():
                press_key("Escape")
                how = ESC
        code, ended = program.wait(timeout=CLOSE_BOUND)
        self.assertEqual(code, 0, "exit code %d: %s" % (code, program.stderr()[:2000]))
        self.assertNoCrash(program)
        record(self.__class__.__module__, case, shown, ended, how, note)
        return shown, ended
