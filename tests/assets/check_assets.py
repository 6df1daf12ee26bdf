#!/usr/bin/python3
"""Checks the program's image assets against what the program and Windows need.

    /usr/bin/python3 tests/assets/check_assets.py ASSETS_DIRECTORY

Prints one line per broken fact ("file: what is wrong") and exits 1 if there
is any, 0 if every asset is right, 2 if it cannot run at all.
"""

import importlib.util
import sys
from pathlib import Path


def give_up(message):
    print(message, file=sys.stderr)
    sys.exit(2)


# The fact modules need Pillow; say so plainly rather than with a traceback.
if importlib.util.find_spec("PIL") is None:
    give_up("check_assets: needs Pillow (Debian package python3-pil); run it with /usr/bin/python3")

sys.path.insert(0, str(Path(__file__).resolve().parent))
import backdrop_facts  # noqa: E402
import close_button_facts  # noqa: E402
import icon_cursor_facts  # noqa: E402

# (file, function giving every broken fact of that file)
SINGLE_FILE_CHECKS = (
    ("backdrop.png", backdrop_facts.failures),
    ("notice.ico", icon_cursor_facts.icon_failures),
    ("hand.cur", icon_cursor_facts.cursor_failures),
)


def all_failures(directory):
    for name, check in SINGLE_FILE_CHECKS:
        path = directory / name
        if not path.is_file():
            yield name, "missing"
            continue
        for failure in check(path):
            yield name, failure
    yield from close_button_facts.failures(directory)


def main(argv):
    if len(argv) != 2:
        give_up("usage: check_assets.py ASSETS_DIRECTORY")
    directory = Path(argv[1])
    if not directory.is_dir():
        give_up(f"check_assets: no such directory: {directory}")
    failed = 0
    for name, failure in all_failures(directory):
        print(f"FAIL {name}: {failure}")
        failed += 1
    if failed:
        print(f"check_assets: {failed} fact(s) broken in {directory}")
        return 1
    print(f"check_assets: every asset in {directory} is as the program needs it")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
