"""How the announcement ends: the display time, the close button, Esc."""

import time
import unittest

from notice_e2e import Scenario, click, drawn_point, press_key, program_windows, screenshot, wait_for_windows

CLOSE_BUTTON_CENTRE = (438 + 21, 54 + 8)


class ClosingScenarios(Scenario):

    def closes_after(self, program, seconds):
        """Seconds from the windows appearing to the program's end (exit 0)."""
        wait_for_windows(program)
        appeared = time.monotonic()
        code, _ = program.wait(timeout=seconds + 8)
        self.assertEqual(code, 0, program.stderr())
        return time.monotonic() - appeared

    def test_display_time_closes_at_its_tick(self):
        for setting, expected in (("1", 1.0), ("-5", 1.0), ("2", 2.0)):
            with self.subTest(display_time=setting):
                self.folder.config({"主配置": {"存在时间": setting}})
                elapsed = self.closes_after(self.start(), expected)
                self.assertAlmostEqual(elapsed, expected, delta=0.9)

    def test_zero_stays_until_escape_closes_both_windows_at_once(self):
        self.folder.config({"主配置": {"存在时间": "0"}})
        program = self.start()
        wait_for_windows(program)
        time.sleep(3)
        self.assertTrue(program.running())
        self.assertEqual(len([w for w in program_windows() if w["visible"]]), 2)
        press_key("Escape")
        code, _ = program.wait(timeout=5)
        self.assertEqual(code, 0)

    def test_escape_on_the_content_window_closes_both(self):
        # A press on a drawn pixel of the title reaches the content window
        # (a magenta one would fall through to the backdrop); then Esc.
        self.folder.config({"主配置": {"存在时间": "0"}})
        program = self.start()
        windows = wait_for_windows(program)
        time.sleep(0.3)
        left, top = windows.content["rect"][:2]
        glyph = drawn_point(screenshot(), left + 108, top + 91, 304, 56, lambda p: max(p) < 60)
        self.assertIsNotNone(glyph, "no title text drawn")
        click(*glyph)
        press_key("Escape")
        self.assertEqual(program.wait(timeout=5)[0], 0)

    def test_close_button_closes_at_once(self):
        self.folder.config({"主配置": {"存在时间": "0"}})
        program = self.start()
        windows = wait_for_windows(program)
        left, top = windows.content["rect"][:2]
        click(left + CLOSE_BUTTON_CENTRE[0], top + CLOSE_BUTTON_CENTRE[1])
        clicked = time.monotonic()
        self.assertEqual(program.wait(timeout=5)[0], 0)
        self.assertLess(time.monotonic() - clicked, 1.5)

    def test_button_and_last_tick_together_close_once_without_error(self):
        self.folder.config({"主配置": {"存在时间": "1"}})
        program = self.start()
        windows = wait_for_windows(program)
        left, top = windows.content["rect"][:2]
        time.sleep(0.85)
        click(left + CLOSE_BUTTON_CENTRE[0], top + CLOSE_BUTTON_CENTRE[1])
        code, _ = program.wait(timeout=5)
        self.assertEqual(code, 0)
        self.assertNotIn("exception", program.stderr().lower())


if __name__ == "__main__":
    unittest.main()
