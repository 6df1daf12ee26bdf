"""The matrix's crash detection sees a real crash: a program that ends in an
access violation is reported both by Wine's text on its standard error and
by Wine's crash dialog, which is then dismissed so that the program ends."""

import time
import unittest

from hostile_matrix import MatrixScenario, crash_dialogs
from notice_e2e import PROBE_EXE, RunningProgram

DIALOG_BOUND = 20.0


class CrashDetection(MatrixScenario):

    def test_a_crashing_program_is_reported(self):
        program = RunningProgram(PROBE_EXE, arguments=["crash"])
        self.programs.append(program)
        deadline = time.monotonic() + DIALOG_BOUND
        while not crash_dialogs() and time.monotonic() < deadline:
            time.sleep(0.2)
        with self.assertRaises(AssertionError) as reported:
            self.assertNoCrash(program)
        self.assertIn("on standard error", str(reported.exception))
        self.assertIn("crash dialog was up", str(reported.exception))
        # Dismissed, the dialog lets the crashed program end.
        code, _ = program.wait(timeout=DIALOG_BOUND)
        self.assertNotEqual(code, 0)
        self.assertEqual(crash_dialogs(), [])


if __name__ == "__main__":
    unittest.main()
