"""Hostile registry values for the default browser: its name missing, empty,
of the wrong type or 10,000 bytes long; its command missing, expanding an
undefined variable, or a quoted path with arguments. Each case clicks the
link's drawn text and must still end and exit with 0 (see hostile_matrix);
fake browsers in every place the program may turn to record what was
started."""

import os
import shutil
import time
import unittest

from hostile_matrix import ESC, MatrixScenario
from notice_e2e import CLIENTS, LinkScenario, delete_registry, recorded_starts, set_registry, windows_path

ADDRESS = "https://hostile.example/通知"
# Where the program turns when no command can be read.
DEFAULT_COMMAND = ("drive_c", "Program Files", "Internet Explorer", "iexplore.exe")
# How long a case that should start nothing waits for a start all the same.
NOTHING_WAIT = 2.0


class HostileRegistry(MatrixScenario, LinkScenario):

    def setUp(self):
        super().setUp()
        browsers = os.path.join(self.folder.path, "browsers")
        # (its path, its record) for each place a browser may be started from
        self.fakes = {place: self.install_browser(os.path.join(browsers, place))
                      for place in ("iexplore-key", "empty-name-key", "named")}
        self.fakes["default-command"] = self.replace_default_command()

    def replace_default_command(self):
        """Wine's own iexplore.exe, the default command, is replaced by a
        fake for the test and put back afterwards. The original waits beside
        it, so that a run that was killed is mended by the next."""
        exe = os.path.join(os.environ["NOTICE_WINE_PREFIX"], *DEFAULT_COMMAND)
        original = exe + ".notice-original"
        if not os.path.exists(original):
            os.rename(exe, original)
        record = os.path.join(os.path.dirname(exe), "browser-starts.txt")
        self.addCleanup(lambda: os.path.exists(record) and os.remove(record))
        self.addCleanup(os.replace, original, exe)
        shutil.copyfile(self.fakes["named"][0], exe)
        return exe, record

    def command_of(self, place):
        return windows_path(self.fakes[place][0])

    def register_iexplore(self):
        """The key the program falls back to when the name is not text."""
        set_registry(CLIENTS + r"\IEXPLORE.EXE\shell\open\command", "", "sz", self.command_of("iexplore-key"))

    def started(self):
        """{place: command lines} of every fake that was started."""
        return {place: lines for place, (_, record) in self.fakes.items() if (lines := recorded_starts(record))}

    def test_every_case_shows_ends_and_exits_with_zero(self):
        named_command = CLIENTS + r"\FakeBrowser.exe\shell\open\command"
        cases = [
            # (name, registry values besides IEXPLORE.EXE's command, the fake expected to start)
            ("browser name missing", [(CLIENTS, "Other", "sz", "unrelated")], "iexplore-key"),
            # The two backslashes of an empty name read as one: the command
            # comes from StartMenuInternet\shell\open\command.
            ("browser name empty", [(CLIENTS, "", "sz", ""),
                                    (CLIENTS + r"\shell\open\command", "", "sz", self.command_of("empty-name-key"))],
             "empty-name-key"),
            ("browser name REG_DWORD", [(CLIENTS, "", "dword", "1")], "iexplore-key"),
            ("browser name REG_BINARY", [(CLIENTS, "", "binary-hex", "46616b6542726f77736572")], "iexplore-key"),
            ("browser name 10,000 bytes long", [(CLIENTS, "", "sz", "B" * 10000)], "default-command"),
            ("command missing", [(CLIENTS, "", "sz", "FakeBrowser.exe")], "default-command"),
            ("command REG_EXPAND_SZ with an undefined variable",
             [(CLIENTS, "", "sz", "FakeBrowser.exe"),
              (named_command, "", "expand", r"%NOTICE_UNDEFINED_FOLDER%\fake_browser.exe")], None),
            # The whole text is the file to open; Wine's ShellExecute takes the
            # quoted part for the program and passes the rest, "%1" and all,
            # before the address.
            ("command a quoted path with arguments",
             [(CLIENTS, "", "sz", "FakeBrowser.exe"),
              (named_command, "", "sz", '"%s" -osint -url "%%1"' % self.command_of("named"))], "named"),
        ]
        self.folder.config({"主配置": {"显示链接": "是", "存在时间": "0", "链接地址": ADDRESS}})
        for name, values, expected in cases:
            with self.subTest(case=name):
                self.set_values(values)
                self.run_case(name, ESC, while_shown=lambda program, windows: self.click_and_see(windows, expected),
                              note="started: " + (expected or "nothing"))

    def set_values(self, values):
        for _, record in self.fakes.values():
            if os.path.exists(record):
                os.remove(record)
        delete_registry(CLIENTS)
        self.register_iexplore()
        for key, value_name, kind, data in values:
            set_registry(key, value_name, kind, data)

    def click_and_see(self, windows, expected):
        self.click_link(windows)
        if expected:
            lines = self.starts(self.fakes[expected][1])
            self.assertEqual(len(lines), 1, lines)
            self.assertTrue(lines[0].endswith(" " + ADDRESS), lines[0])
        else:
            time.sleep(NOTHING_WAIT)
        others = {place: lines for place, lines in self.started().items() if place != expected}
        self.assertEqual(others, {}, "started where it should not have been")


if __name__ == "__main__":
    unittest.main()
