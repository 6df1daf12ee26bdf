"""The content window: the see-through layer over the scroll with the
title, the body text from notice.txt and (when asked for) the link."""

import time
import unittest

from notice_e2e import Scenario, child_with_rect, press_key, screenshot, wait_for_windows

WS_POPUP = 0x80000000
WS_EX_LAYERED = 0x00080000
LWA_COLORKEY = 1

BODY = "各位同事：\n本周六上午进行网络设备升级，请提前保存好工作文件。\n信息技术部"


def dark_rows(image, left, top, width, height, limit=80):
    """The rows of a screen area that hold dark (text) pixels."""
    rows = []
    for y in range(top, top + height):
        if any(max(image.getpixel((x, y))) < limit for x in range(left, left + width)):
            rows.append(y)
    return rows


class ContentScenarios(Scenario):

    def test_typical_run_without_settings(self):
        self.folder.write_text("notice.txt", BODY)
        program = self.start()
        windows = wait_for_windows(program)
        appeared = time.monotonic()

        content = windows.content
        self.assertTrue(content["style"] & WS_POPUP)
        self.assertTrue(content["exstyle"] & WS_EX_LAYERED)
        # Only the colour key is given; Wine reports the unused alpha as 0.
        self.assertEqual(content["layered"]["key"], 0xFF00FF)
        self.assertEqual(content["layered"]["flags"], LWA_COLORKEY)

        title = child_with_rect(windows, [108, 91, 304, 56])
        self.assertIsNotNone(title, windows.children())
        self.assertEqual(title["text"], "公告")
        self.assertTrue(title["visible"])

        body = child_with_rect(windows, [52, 184, 416, 390])
        self.assertIsNotNone(body, windows.children())
        self.assertEqual(body["text"], BODY.replace("\n", "\r\n"))

        link = child_with_rect(windows, [52, 616, 220, 20])
        self.assertIsNotNone(link, windows.children())
        self.assertFalse(link["visible"])

        # 楷体_GB2312 28 points is about 37 pixels high at 96 dots per inch;
        # the default GUI font would be about 11.
        time.sleep(0.3)
        left, top = content["rect"][:2]
        rows = dark_rows(screenshot(), left + 108, top + 91, 304, 56)
        self.assertTrue(rows, "no title text drawn")
        self.assertGreaterEqual(rows[-1] - rows[0] + 1, 22)

        code, _ = program.wait(timeout=12)
        self.assertEqual(code, 0)
        self.assertAlmostEqual(time.monotonic() - appeared, 6.0, delta=1.5)

    def test_link_is_shown_only_for_the_exact_yes(self):
        for value, shown in (("是", True), ("否", False), ("1", False), ("yes", False)):
            with self.subTest(value=value):
                self.folder.config({"主配置": {"显示链接": value, "存在时间": "0"}})
                program = self.start()
                windows = wait_for_windows(program)
                link = child_with_rect(windows, [52, 616, 220, 20])
                self.assertIsNotNone(link, windows.children())
                self.assertEqual(link["visible"], shown)
                if shown:
                    self.assertEqual(link["text"], "https://www.example.com/")
                press_key("Escape")
                self.assertClosesBy(program, 10)

    def test_label_rectangles_come_from_the_settings(self):
        self.folder.config({
            "主配置": {"存在时间": "0", "显示链接": "是", "链接显示": "更多"},
            "标题矩形": {"左边": "20", "顶边": "30", "宽度": "200", "高度": "40"},
            "正文矩形": {"左边": "１０", "顶边": "100", "宽度": "99999", "高度": "-5"},
            "链接矩形": {"左边": "-40000", "顶边": "600", "宽度": "100", "高度": "30"},
        })
        program = self.start()
        windows = wait_for_windows(program)
        self.assertIsNotNone(child_with_rect(windows, [20, 30, 200, 40]), windows.children())
        # Held within -32627..32627 and 0..32627.
        self.assertTrue(any(c["text"] == "更多" and c["client_rect"][:2] == [-32627, 600] for c in windows.children()),
                        windows.children())
        body = [c for c in windows.children() if c["client_rect"][:2] == [10, 100]]
        self.assertEqual(len(body), 1, windows.children())
        self.assertEqual(body[0]["client_rect"][3], 0)
        press_key("Escape")
        self.assertClosesBy(program, 10)


if __name__ == "__main__":
    unittest.main()
