"""Hostile program folders: a GBK name whose last byte is a backslash, paths
longer than 260 bytes, a start from another folder that holds a config.ini
and notice.txt of its own, and a config.ini that is a folder. Each case must
still show, end and exit with 0 (see hostile_matrix), reading the settings
and the body from the program's own folder."""

import os
import shutil
import tempfile
import unittest

from hostile_matrix import ESC, SELF, MatrixScenario
from notice_e2e import NOTICE_EXE, child_with_rect, gbk

BODY_RECT = [52, 184, 416, 390]
# 乗 is 0x81 0x5C in GBK: a folder name ending in it ends in the byte of "\".
TRAIL_BACKSLASH_NAME = "通知乗"
LONG_SEGMENT = "很长的文件夹名称很长的文件夹名称"  # 32 bytes, 16 characters


def long_folder(root, exe_bytes):
    """A folder under `root` (bytes) in which notice.exe's Windows path is
    at least `exe_bytes` bytes long. Chinese names keep it below 260
    characters: Wine starts no program from a longer path, and neither
    Windows nor Wine reads a profile file from one."""
    path = root
    while len(b"Z:" + path + b"\\notice.exe") < exe_bytes:
        path += b"/" + LONG_SEGMENT.encode("gbk")
    if len("Z:" + path.decode("gbk") + "\\config.ini") >= 250:
        raise RuntimeError("%s is too long a place for a %d-byte program path" % (root, exe_bytes))
    return path


class HostileFolder(MatrixScenario):

    def program_in(self, folder, caption, body, display="1", name="notice.exe"):
        """The program, named `name`, with its own config.ini and notice.txt
        in `folder` (bytes, GBK); returns the program's path."""
        os.makedirs(folder, exist_ok=True)
        exe = folder + b"/" + name.encode("gbk")
        shutil.copyfile(NOTICE_EXE, exe)
        with open(folder + b"/config.ini", "wb") as f:
            f.write(gbk("[主配置]\n存在时间=%s\n程序标题=%s\n" % (display, caption)))
        with open(folder + b"/notice.txt", "wb") as f:
            f.write(gbk(body))
        return exe

    def shows(self, caption, body):
        def check(windows):
            self.assertEqual(windows.backdrop["text"], caption)
            shown = child_with_rect(windows, BODY_RECT)
            self.assertEqual(shown and shown["text"], body)
        return check

    def test_every_case_shows_ends_and_exits_with_zero(self):
        root = os.path.dirname(self.folder.path).encode()
        # The long paths start from a short one, so that they stay below 260
        # characters wherever the work folder lies.
        short_root = tempfile.mkdtemp(prefix="notice-").encode()
        self.addCleanup(shutil.rmtree, short_root, True)
        elsewhere = self.program_in(root + b"/elsewhere", "诱饵", "诱饵正文", display="0")
        os.remove(elsewhere)  # only its config.ini and notice.txt are wanted
        folder_config = root + b"/folder-config"
        cases = [
            # (name, the program, the folder it is started from, how it ends, caption, body)
            ("a GBK name ending in the byte 0x5C",
             self.program_in(root + b"/" + TRAIL_BACKSLASH_NAME.encode("gbk"), "尾字节", "尾字节正文"), None, SELF,
             "尾字节", "尾字节正文"),
            # Here a plain search for the last "\\" would cut the name in two.
            ("a program named with the byte 0x5C last in a character",
             self.program_in(root + b"/renamed", "改名", "改名正文", name=TRAIL_BACKSLASH_NAME + ".exe"), None, SELF,
             "改名", "改名正文"),
            ("a program path of 300 bytes",
             self.program_in(long_folder(short_root, 300), "长路径", "三百字节"), None, SELF, "长路径", "三百字节"),
            ("a program path of 400 bytes",
             self.program_in(long_folder(short_root + b"/400", 400), "更长路径", "四百字节"), None, SELF,
             "更长路径", "四百字节"),
            ("started from a folder with settings of its own",
             self.program_in(root + b"/own", "程序目录", "程序目录正文"), root + b"/elsewhere", SELF,
             "程序目录", "程序目录正文"),
            # No settings can be read: six seconds, the default, so Esc ends it.
            ("config.ini that is a folder", self.program_in(folder_config, "读不到", "正文照常"), None, ESC, "公告",
             "正文照常"),
        ]
        os.remove(folder_config + b"/config.ini")
        os.makedirs(folder_config + b"/config.ini")
        for name, exe, cwd, ends, caption, body in cases:
            with self.subTest(case=name):
                self.run_case(name, ends, exe=exe, cwd=cwd, check=self.shows(caption, body))


if __name__ == "__main__":
    unittest.main()
