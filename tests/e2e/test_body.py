"""Where the body text comes from: notice.txt, or the file 正文路径 names."""

import os
import unittest

from notice_e2e import Scenario, gbk, press_key, wait_for_windows, write_file

BODY_RECT = [52, 184, 416, 390]


class BodyScenarios(Scenario):

    def body_text(self, cwd=None):
        program = self.start(cwd=cwd)
        windows = wait_for_windows(program)
        body = [c for c in windows.children() if c["client_rect"] == BODY_RECT]
        self.assertEqual(len(body), 1, windows.children())
        press_key("Escape")
        self.assertClosesBy(program, 10)
        return body[0]["text"]

    def test_sources_of_the_body(self):
        outside = os.path.join(os.path.dirname(self.folder.path), "elsewhere")
        write_file(os.path.join(outside, "外部.txt"), gbk("外部正文"))
        absolute = "Z:" + os.path.join(outside, "外部.txt").replace("/", "\\")
        cases = [
            ("notice.txt by default", None, "默认正文"),
            ("a relative path, started from elsewhere", "正文\\本周.txt", "相对路径正文"),
            ("an absolute path", absolute, "外部正文"),
            ("a missing file", "没有这个文件.txt", ""),
        ]
        self.folder.write_text("notice.txt", "默认正文")
        self.folder.write_text("正文/本周.txt", "相对路径正文")
        for name, path, expected in cases:
            with self.subTest(case=name):
                settings = {"存在时间": "0"}
                if path is not None:
                    settings["正文路径"] = path
                self.folder.config({"主配置": settings})
                self.assertEqual(self.body_text(cwd=outside), expected)

    def test_text_ends_at_the_first_zero_byte(self):
        self.folder.write_bytes("notice.txt", gbk("前半") + b"\x00" + gbk("后半"))
        self.folder.config({"主配置": {"存在时间": "0"}})
        self.assertEqual(self.body_text(), "前半")


if __name__ == "__main__":
    unittest.main()
