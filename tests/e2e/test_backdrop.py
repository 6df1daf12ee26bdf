"""The backdrop: the translucent scroll, centred, captioned, dragged with the
texts on it, closed by Esc."""

import os
import time
import unittest

from PIL import Image

from notice_e2e import (BACKDROP_SIZE, SCREEN, Scenario, press_key, screenshot, wait_for_windows, xdotool)

WS_MAXIMIZEBOX = 0x00010000
WS_MINIMIZEBOX = 0x00020000
WS_THICKFRAME = 0x00040000
WS_SYSMENU = 0x00080000
WS_CAPTION = 0x00C00000
WS_CLIPCHILDREN = 0x02000000
WS_POPUP = 0x80000000
WS_EX_LAYERED = 0x00080000

CENTRED = ((SCREEN[0] - BACKDROP_SIZE[0]) // 2, (SCREEN[1] - BACKDROP_SIZE[1]) // 2)

# A point of the scroll's sheet (window coordinates) between the title and
# the body, where nothing is drawn over the picture.
PLAIN_SHEET = (260, 165)


def backdrop_picture():
    path = os.path.join(os.environ["NOTICE_ASSETS"], "backdrop.png")
    image = Image.open(path).convert("RGBA")
    image.load()
    return image


class BackdropScenarios(Scenario):

    def close_with_escape(self, program):
        press_key("Escape")
        self.assertClosesBy(program, 10)

    def test_without_settings_the_scroll_is_layered_centred_and_captioned(self):
        self.folder.write_text("notice.txt", "正文")
        program = self.start()
        windows = wait_for_windows(program)
        backdrop = windows.backdrop
        self.assertEqual(backdrop["rect"], [CENTRED[0], CENTRED[1], *BACKDROP_SIZE])
        self.assertEqual(backdrop["text"], "公告")
        self.assertTrue(backdrop["exstyle"] & WS_EX_LAYERED)
        for bit in (WS_CLIPCHILDREN, WS_MINIMIZEBOX, WS_MAXIMIZEBOX):
            self.assertTrue(backdrop["style"] & bit, hex(bit))
        for bit in (WS_CAPTION, WS_SYSMENU, WS_THICKFRAME, WS_POPUP):
            self.assertFalse(backdrop["style"] & bit, hex(bit))
        # The content window lies exactly on it.
        self.assertEqual(windows.content["rect"], backdrop["rect"])
        self.close_with_escape(program)

    def test_caption_comes_from_the_settings(self):
        self.folder.config({"主配置": {"程序标题": "重要通知", "存在时间": "0"}})
        program = self.start()
        self.assertEqual(wait_for_windows(program).backdrop["text"], "重要通知")
        self.close_with_escape(program)

    def test_settings_are_read_from_the_program_folder_wherever_it_is_started(self):
        self.folder.config({"主配置": {"程序标题": "找到设置", "存在时间": "0"}})
        elsewhere = os.path.dirname(os.path.dirname(self.folder.path))
        program = self.start(cwd=elsewhere)
        self.assertEqual(wait_for_windows(program).backdrop["text"], "找到设置")
        self.close_with_escape(program)

    def test_opacity_scales_the_scroll_over_the_black_screen(self):
        # Bare Xvfb has no compositor: a translucent pixel shows as if over black.
        picture = backdrop_picture()
        r, g, b, a = picture.getpixel(PLAIN_SHEET)
        self.assertEqual(a, 255, "the sample point must be opaque in the picture")
        for setting, opacity in (("0", 255), ("220", 220), ("255", 255)):
            with self.subTest(opacity=setting):
                self.folder.config({"主配置": {"背景透明度": setting, "存在时间": "0"}})
                program = self.start()
                windows = wait_for_windows(program)
                time.sleep(0.3)
                left, top = windows.backdrop["rect"][:2]
                shown = screenshot().getpixel((left + PLAIN_SHEET[0], top + PLAIN_SHEET[1]))
                expected = tuple(round(c * opacity / 255) for c in (r, g, b))
                for channel, (got, want) in enumerate(zip(shown, expected)):
                    self.assertLessEqual(abs(got - want), 4, "channel %d: %s, expected %s" % (channel, shown, expected))
                self.close_with_escape(program)

    def test_dragging_the_scroll_moves_both_windows_by_the_same_offset(self):
        self.folder.config({"主配置": {"存在时间": "0"}})
        program = self.start()
        windows = wait_for_windows(program)
        left, top = windows.backdrop["rect"][:2]
        grab = (left + PLAIN_SHEET[0], top + PLAIN_SHEET[1])
        offset = (-70, 40)
        xdotool("mousemove", *grab, "mousedown", 1)
        time.sleep(0.2)
        for step in range(1, 6):
            xdotool("mousemove", grab[0] + offset[0] * step // 5, grab[1] + offset[1] * step // 5)
            time.sleep(0.05)
        xdotool("mouseup", 1)
        time.sleep(0.3)
        moved = wait_for_windows(program)
        self.assertEqual(moved.backdrop["rect"][:2], [left + offset[0], top + offset[1]])
        self.assertEqual(moved.content["rect"], moved.backdrop["rect"])
        self.close_with_escape(program)


if __name__ == "__main__":
    unittest.main()
