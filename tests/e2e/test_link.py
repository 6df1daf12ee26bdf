"""The link: a click on its drawn text starts the browser Windows registers
for the Start menu with the configured address."""

import os
import shutil
import time
import unittest

from notice_e2e import LinkScenario, press_key, wait_for_windows, windows_path


class LinkScenarios(LinkScenario):

    def finish(self, program):
        press_key("Escape")
        self.assertClosesBy(program, 10)

    def test_click_starts_registered_browser_with_the_default_address(self):
        exe, record = self.install_browser(os.path.join(self.folder.path, "browser"))
        self.register("FakeBrowser.exe", '"%s"' % windows_path(exe))
        self.folder.config({"主配置": {"显示链接": "是", "存在时间": "0"}})
        program = self.start()
        self.click_link(wait_for_windows(program))
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
        self.click_link(wait_for_windows(program))
        self.assertTrue(self.starts(record)[0].endswith(" https://intranet.example/通知"))
        self.finish(program)

    def test_browser_name_that_is_not_text_falls_back_to_iexplore(self):
        exe, record = self.install_browser(os.path.join(self.folder.path, "browser"))
        self.register("1", windows_path(exe), name_kind="dword")
        self.folder.config({"主配置": {"显示链接": "是", "存在时间": "0"}})
        program = self.start()
        self.click_link(wait_for_windows(program))
        self.assertTrue(self.starts(record)[0].endswith(" https://www.example.com/"))
        self.finish(program)

    def test_changed_address_counts_from_the_next_click(self):
        exe, record = self.install_browser(os.path.join(self.folder.path, "browser"))
        self.register("FakeBrowser.exe", windows_path(exe))
        self.folder.config({"主配置": {"显示链接": "是", "存在时间": "0", "链接地址": "https://first.example/"}})
        program = self.start()
        self.click_link(wait_for_windows(program))
        self.assertTrue(self.starts(record, 1)[0].endswith(" https://first.example/"))
        self.folder.config({"主配置": {"显示链接": "是", "存在时间": "0", "链接地址": "https://second.example/"}})
        time.sleep(2.5)  # Wine may serve a profile younger than about 2 s from its cache
        self.click_link(wait_for_windows(program))
        self.assertTrue(self.starts(record, 2)[1].endswith(" https://second.example/"))
        self.finish(program)


if __name__ == "__main__":
    unittest.main()
