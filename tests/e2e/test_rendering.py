"""What the screen shows: the key colour cut out, texts in their configured
colours, the gradient frame."""

import time
import unittest

from notice_e2e import Scenario, press_key, screenshot, wait_for_windows

MAGENTA = (255, 0, 255)


def near(colour, wanted, tolerance=8):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, wanted))


def pixels(image, left, top, width, height):
    return [image.getpixel((x, y)) for y in range(top, top + height) for x in range(left, left + width)]


class RenderingScenarios(Scenario):

    def shot(self, sections):
        self.folder.write_text("notice.txt", "紫色的正文，第一行。\n第二行文字。")
        self.folder.config(sections)
        program = self.start()
        windows = wait_for_windows(program)
        time.sleep(0.4)
        image = screenshot()
        press_key("Escape")
        self.assertClosesBy(program, 10)
        return image, windows.content["rect"][:2]

    def test_key_colour_never_shows_and_texts_have_their_colours(self):
        image, (left, top) = self.shot({
            "主配置": {"存在时间": "0", "显示链接": "是"},
            "标题字体": {"颜色": "红色"},
            "正文字体": {"颜色": "紫色"},
            "链接字体": {"颜色": "蓝色"},
        })
        area = pixels(image, left, top, 520, 670)
        self.assertNotIn(MAGENTA, area)
        self.assertTrue(any(near(p, (255, 0, 0)) for p in pixels(image, left + 108, top + 91, 304, 56)),
                        "no red title text")
        self.assertTrue(any(near(p, (144, 0, 255)) for p in pixels(image, left + 52, top + 184, 416, 390)),
                        "no violet (0xFF0090) body text")
        self.assertTrue(any(near(p, (0, 0, 255)) for p in pixels(image, left + 52, top + 616, 220, 20)),
                        "no blue link text")

    def test_border_type_six_draws_the_grey_white_grey_frame(self):
        image, (left, top) = self.shot({"主配置": {"存在时间": "0"}, "标题矩形": {"边框类型": "6"}})
        x0, y0, width, height = left + 108, top + 91, 304, 56
        # Across the top band (rows 0-7 of the label) and the left band.
        top_band = [image.getpixel((x0 + width // 2, y0 + d)) for d in range(8)]
        left_band = [image.getpixel((x0 + d, y0 + height // 2)) for d in range(8)]
        for band in (top_band, left_band):
            self.assertTrue(near(band[0], (128, 128, 128), 20), band)
            self.assertTrue(near(band[7], (128, 128, 128), 20), band)
            self.assertTrue(max(min(p) for p in band[2:6]) >= 235, band)
        # Inside the frame the label is see-through again.
        self.assertNotIn(MAGENTA, pixels(image, x0, y0, width, height))


if __name__ == "__main__":
    unittest.main()
