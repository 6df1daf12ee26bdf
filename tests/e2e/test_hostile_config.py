"""Hostile config.ini files: garbage, other encodings, huge files and values,
and every numeric, border, face and colour key set to what an administrator
should not write. Each case must still show, end and exit with 0 (see
hostile_matrix)."""

import random
import unittest

from hostile_matrix import EITHER, ESC, SELF, MatrixScenario
from notice_e2e import child_with_rect, gbk

NUMERIC_KEYS = {
    "主配置": ["存在时间", "背景透明度"],
    "标题矩形": ["左边", "顶边", "宽度", "高度", "边框类型"],
    "正文矩形": ["左边", "顶边", "宽度", "高度", "边框类型"],
    "链接矩形": ["左边", "顶边", "宽度", "高度", "边框类型"],
    "标题字体": ["大小"],
    "正文字体": ["大小"],
    "链接字体": ["大小"],
}
LABEL_SECTIONS = (("标题矩形", "标题字体"), ("正文矩形", "正文字体"), ("链接矩形", "链接字体"))
LINK_RECT = [52, 616, 220, 20]

# Appended to garbage so that the case still closes by itself after 1 s.
ONE_SECOND = "\r\n[主配置]\r\n存在时间=1\r\n"


def ini(sections):
    """GBK config.ini text from {section: {key: value}}."""
    lines = []
    for section, keys in sections.items():
        lines.append("[%s]" % section)
        lines.extend("%s=%s" % (key, value) for key, value in keys.items())
    return "\r\n".join(lines) + "\r\n"


def with_link(sections):
    """The settings plus the link shown, so that its keys are read too."""
    main = dict(sections.get("主配置", {}))
    main.setdefault("显示链接", "是")
    main.setdefault("存在时间", "1")
    return {**sections, "主配置": main}


def every_numeric_key(value):
    return with_link({section: {key: value for key in keys} for section, keys in NUMERIC_KEYS.items()})


def per_label(values, key_of):
    """The title, body and link each given one of three values."""
    sections = {}
    for (rect, font), value in zip(LABEL_SECTIONS, values):
        section, key = key_of(rect, font)
        sections.setdefault(section, {})[key] = value
    return with_link(sections)


def random_bytes(size):
    data = bytearray(random.Random(7).randbytes(size))
    data[:2] = b"# "  # never a byte-order mark
    return bytes(data)


def caption_is(text):
    def check(test, windows):
        test.assertEqual(windows.backdrop["text"], text)
    return check


def caption_is_cut_value(value):
    def check(test, windows):
        caption = windows.backdrop["text"]
        test.assertTrue(value.startswith(caption), "caption is not the start of the value")
        test.assertLessEqual(len(caption.encode("gbk")), 10239)
        test.assertGreater(len(caption.encode("gbk")), 10000)
    return check


def link_shown(test, windows):
    link = child_with_rect(windows, LINK_RECT)
    test.assertIsNotNone(link, windows.children())
    test.assertTrue(link["visible"], "the link is hidden")


UTF8_SETTINGS = ini({"主配置": {"存在时间": "1", "程序标题": "编码测试"}})
HUGE_VALUE = "公告" * 25000  # 100,000 bytes in GBK

CASES = [
    # (name, the file's bytes, how the run ends, check of the windows)
    ("1 MB of random bytes", lambda: random_bytes(1024 * 1024) + gbk(ONE_SECOND), SELF, None),
    ("binary with zero bytes", lambda: bytes(range(256)) * 64 + gbk(ONE_SECOND), SELF, None),
    ("empty file", lambda: b"", ESC, caption_is("公告")),
    ("UTF-8 without byte-order mark", lambda: UTF8_SETTINGS.encode("utf-8"), ESC, caption_is("公告")),
    # Wine honours a UTF-8 byte-order mark, Windows does not: either is fine.
    ("UTF-8 with byte-order mark", lambda: b"\xef\xbb\xbf" + UTF8_SETTINGS.encode("utf-8"), EITHER, None),
    ("UTF-16 LE with byte-order mark", lambda: UTF8_SETTINGS.encode("utf-16"), SELF, caption_is("编码测试")),
    ("100,000 sections", lambda: gbk("".join("[节%d]\n键=值%d\n" % (i, i) for i in range(100000)) + ONE_SECOND),
     SELF, None),
    ("values of 100,000 bytes",
     lambda: gbk(ini(with_link({"主配置": {"程序标题": HUGE_VALUE, "链接显示": HUGE_VALUE, "正文路径": HUGE_VALUE},
                                "正文字体": {"字体": HUGE_VALUE, "颜色": HUGE_VALUE}}))),
     SELF, caption_is_cut_value(HUGE_VALUE)),
    # 存在时间 takes each value too: wrapped around to 1215752191 s, 0 and 20 s
    # keep the announcement up; a negative time and 1 (from 1e308) end it.
    ("every numeric key 99999999999", lambda: gbk(ini(every_numeric_key("99999999999"))), ESC, None),
    ("every numeric key -2147483648", lambda: gbk(ini(every_numeric_key("-2147483648"))), SELF, None),
    ("every numeric key 1e308", lambda: gbk(ini(every_numeric_key("1e308"))), SELF, None),
    ("every numeric key nan", lambda: gbk(ini(every_numeric_key("nan"))), ESC, None),
    ("every numeric key inf", lambda: gbk(ini(every_numeric_key("inf"))), ESC, None),
    ("every numeric key full-width ２０", lambda: gbk(ini(every_numeric_key("２０"))), ESC, None),
    ("every numeric key letters", lambda: gbk(ini(every_numeric_key("abc"))), ESC, None),
] + [
    ("borders %s, %s, %s" % values, lambda values=values: gbk(ini(per_label(values, lambda r, f: (r, "边框类型")))),
     SELF, None)
    for values in (("-1", "0", "1"), ("2", "3", "4"), ("5", "6", "7"), ("8", "8", "8"))
] + [
    ("faces of %d, %d, %d bytes" % tuple(len(v.encode("gbk")) for v in values),
     lambda values=values: gbk(ini(per_label(values, lambda r, f: (f, "字体")))), SELF, None)
    for values in (("楷体" * 7 + "体", "宋体" * 7 + "体x", "字" * 100),)
] + [
    # 3000 for 30: glyphs 4,000 pixels high, of which the labels show a corner.
    ("font sizes 3000, 300, 0 points", lambda: gbk(ini(per_label(("3000", "300", "0"), lambda r, f: (f, "大小")))),
     SELF, None),
] + [
    ("colours %s, %s, %s" % values, lambda values=values: gbk(ini(per_label(values, lambda r, f: (f, "颜色")))),
     SELF, None)
    for values in (("黑色", "红色", "蓝色"), ("绿色", "白色", "黄色"), ("青色", "紫色", "灰色"),
                   ("蓝", "magenta", ""))
] + [
    ("显示链接 with trailing blanks", lambda: gbk(ini({"主配置": {"显示链接": "是 \t  ", "存在时间": "1"}})), SELF,
     link_shown),
]


class HostileConfig(MatrixScenario):

    def test_every_case_shows_ends_and_exits_with_zero(self):
        for name, content, ends, check in CASES:
            with self.subTest(case=name):
                self.folder.write_bytes("config.ini", content())
                self.folder.write_text("notice.txt", "正文")
                self.run_case(name, ends, check=(lambda windows: check(self, windows)) if check else None)


if __name__ == "__main__":
    unittest.main()
