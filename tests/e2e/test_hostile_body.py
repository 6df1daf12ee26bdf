"""Hostile notice.txt files: missing, empty, huge, one endless line, mnemonic
characters only, bytes that are no GBK, and a file another process holds
open for writing. Each case must still show, end and exit with 0 (see
hostile_matrix), and the body label must hold what the file gives."""

import os
import subprocess
import tempfile
import time
import unittest

from hostile_matrix import SELF, MatrixScenario
from notice_e2e import PROBE_EXE, RUNNER, child_with_rect, gbk

BODY_RECT = [52, 184, 416, 390]
TEN_MEGABYTES = 10 * 1024 * 1024
ONE_MEGABYTE = 1024 * 1024
HOLD_SECONDS = 60  # longer than any case; the holder is ended after its case
FOLDER = object()  # notice.txt made a folder


def repeated(piece, size):
    return (piece * (size // len(piece) + 1))[:size]


def decoded(data):
    """The text the probe reports for these bytes (GBK, up to a zero byte)."""
    return data.split(b"\0")[0].decode("gbk", errors="replace")


class Containing(str):
    """An expected body that only has to hold this text somewhere."""


class HeldOpen:
    """The probe holding a file open for writing, in the same Wine prefix,
    until the scope ends."""

    def __init__(self, windows_path, unix_path):
        self.output = tempfile.TemporaryFile()
        self.process = subprocess.Popen([RUNNER, PROBE_EXE, "hold-open", windows_path, str(HOLD_SECONDS)],
                                        stdout=self.output, stderr=subprocess.STDOUT)
        deadline = time.monotonic() + 15
        while time.monotonic() < deadline and self.process.poll() is None:
            self.output.seek(0)
            if b"held" in self.output.read():
                return
            time.sleep(0.1)
        self.close()
        raise AssertionError("the probe could not hold %s open" % unix_path)

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.output.close()


class HostileBody(MatrixScenario):

    def body(self, windows):
        body = child_with_rect(windows, BODY_RECT)
        self.assertIsNotNone(body, [c["client_rect"] for c in windows.children()])
        return body["text"]

    def assertBody(self, windows, text):
        body = self.body(windows)
        if isinstance(text, Containing):
            self.assertIn(text, body)
        elif body != text:
            same = next((i for i, (a, b) in enumerate(zip(body, text)) if a != b), min(len(body), len(text)))
            self.fail("the body holds %d characters, the file gives %d; they differ from character %d on"
                      % (len(body), len(text), same))

    def test_every_case_shows_ends_and_exits_with_zero(self):
        notice = os.path.join(self.folder.path, "notice.txt")
        ten_megabytes = gbk(repeated("这是一段很长的正文，用来测试。Some words of the body. ", TEN_MEGABYTES))[:TEN_MEGABYTES]
        cases = [
            # (name, the file's bytes, None for no file or FOLDER, held open, what the label holds)
            ("missing", None, False, ""),
            ("empty", b"", False, ""),
            ("a zero byte first", b"\0" + gbk("后面的正文"), False, ""),
            ("10 MB", ten_megabytes, False, decoded(ten_megabytes)),
            ("one 1 MB line without spaces", "汉".encode("gbk") * (ONE_MEGABYTE // 2), False,
             "汉" * (ONE_MEGABYTE // 2)),
            ("only &&&&", b"&&&&", False, "&&&&"),
            # The label keeps its text as Unicode: what is no GBK comes back as
            # the system's stand-in characters, the rest as it was.
            ("bytes that are no GBK", b"\x81\x20\xff\xfe\x80 ok \xa1\r\n\xfe", False, Containing(" ok ")),
            ("held open for writing elsewhere", gbk("正在编辑的正文"), True, ""),
            ("a folder, not a file", FOLDER, False, ""),
        ]
        self.folder.config({"主配置": {"存在时间": "1"}})
        for name, data, held, text in cases:
            with self.subTest(case=name):
                if os.path.isdir(notice):
                    os.rmdir(notice)
                elif os.path.exists(notice):
                    os.remove(notice)
                if data is FOLDER:
                    os.makedirs(notice)
                elif data is not None:
                    self.folder.write_bytes("notice.txt", data)
                holder = HeldOpen("Z:" + notice.replace("/", "\\"), notice) if held else None
                try:
                    self.run_case(name, SELF, check=lambda windows: self.assertBody(windows, text))
                finally:
                    if holder:
                        holder.close()


if __name__ == "__main__":
    unittest.main()
