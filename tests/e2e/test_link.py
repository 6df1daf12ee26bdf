"""The link: a click on its drawn text starts the browser Windows registers
for the Start menu with the configured address."""

import os
import shutil
import time
import unittest

from notice_e2e import (FAKE_BROWSER_EXE, Scenario, click, delete_registry, drawn_point, press_key, screenshot,
                        set_registry, wait_for_windows)

CLIENTS = r"SOFTWARE\Clients\StartMenuInternet"
LINK_RECT = (52, 616, 220, 20)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class LinkScenarios(Scenario):

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

    def click_link(self, program):
        windows = wait_for_windows(program)
        time.sleep(0.3)
        left, top = windows.content["rect"][:2]
        glyph = drawn_point(screenshot(), left + LINK_RECT[0], top + LINK_RECT[1], LINK_RECT[2], LINK_RECT[3],
                            lambda p: max(p) < 60)
        self.assertIsNotNone(glyph, "no link text drawn")
        click(*glyph)

    def starts(self, record, count=1, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if os.path.exists(record):
                with open(record, "rb") as f:
                    lines = [line.decode("gbk") for line in f.read().splitlines() if line]
                if len(lines) >= count:
                    return lines
            time.sleep(0.2)
        self.fail("the browser was not started %d time(s)" % count)

    def finish(self, program):
        press_key("Escape")
        self.assertClosesBy(program, 10)

    def test_click_starts_registered_browser_with_the_default_address(self):
        exe, record = self.install_browser(os.path.join(self.folder.path, "browser"))
        self.register("FakeBrowser.exe", '"%s"' % windows_path(exe))
        self.folder.config({"主配置": {"显示链接": "是", "存在时间": "0"}})
        program = self.start()
        self.click_link(program)
        line = self.starts(record)[0]
        self.assertTrue(line.endswith(" https://www.example.com/"), line)
        self.finish(program)

    def test_expandable_command_is_expanded(self):
        prefix = os.environ["NOTICE_WINE_PREFIX"]
        folder = os.path.join(prefix, "drive_c", "Program Files", "NoticeFakeBrowser")
        self.addCleanup(shutil.rmtree, folder, True)
        exe, record = self.install_browser(folder)
        self.register("FakeBrowser.exe", r"%ProgramFiles%\NoticeFakeBrowser\fake_browser.exe", command_kind="expand")
        self.folder.config({"主配置": {"显示链接": "是", "存在时间": "0", "链接地址": "https://intranet.example/通知"}})
        program = self.start()
        self.click_link(program)
        self.assertTrue(self.starts(record)[0].endswith(" https://intranet.example/通知"))
        self.finish(program)

    def test_browser_name_that_is_not_text_falls_back_to_iexplore(self):
        exe, record = self.install_browser(os.path.join(self.folder.path, "browser"))
        self.register("1", windows_path(exe), name_kind="dword")
        self.folder.config({"主配置": {"显示链接": "是", "存在时间": "0"}})
        program = self.start()
        self.click_link(program)
        self.assertTrue(self.starts(record)[0].endswith(" https://www.example.com/"))
        self.finish(program)

    def test_changed_address_counts_from_the_next_click(self):
        exe, record = self.install_browser(os.path.join(self.folder.path, "browser"))
        self.register("FakeBrowser.exe", windows_path(exe))
        self.folder.config({"主配置": {"显示链接": "是", "存在时间": "0", "链接地址": "https://first.example/"}})
        program = self.start()
        self.click_link(program)
        self.assertTrue(self.starts(record, 1)[0].endswith(" https://first.example/"))
        self.folder.config({"主配置": {"显示链接": "是", "存在时间": "0", "链接地址": "https://second.example/"}})
        time.sleep(2.5)  # Wine may serve a profile younger than about 2 s from its cache
        self.click_link(program)
        self.assertTrue(self.starts(record, 2)[1].endswith(" https://second.example/"))
        self.finish(program)


if __name__ == "__main__":
    unittest.main()
